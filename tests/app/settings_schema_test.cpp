#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/settings_schema.h"
#include "platform/memory_profile_store.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

constexpr const char *kStart = "/home/player/quorbel";

struct StoredKey {
  const char *section;
  std::string key;
  std::string value; // as a save writes it
};

// Every key with the value an empty store loads, as the next save writes it back.
std::vector<StoredKey> DefaultKeys() {
  const std::string start = kStart;
  std::vector<StoredKey> keys = {
      {"CATALOG", "BASETYPE", "-1"},
      {"CATALOG", "BASEGRID", "-1"},
      {"CATALOG", "NGRIDLIST", "-1"},
      {"CATALOG", "DISPLAYGRID", "0"},
      {"CATALOG", "VARDEPTH", "33"},
      {"CATALOG", "VARNGRIDS", "2"},
      {"CATALOG", "VARMULT", "0"},
      {"CATALOG", "QUELLABOSITE", "0"},
      {"CATALOG", "QUELLABODIFF", "1"},
      {"GAME", "MODE", "7"},
      {"GAME", "KIDGRID", "0"},
      {"GAME", "QUICKGRID", "0"},
      {"GAME", "TRIPLEGRID", "0"},
      {"DIRECTORY", "ANIMATED", start + "/"},
      {"DIRECTORY", "BACKGROUND", start + "/BackGround/"},
      {"DIRECTORY", "MYGRIDS", start + "/MyGrid/"},
      {"DIRECTORY", "TXTGRIDS", start + "/TextGrid/"},
      {"DIRECTORY", "MAGIC", start + "/MagicPref/"},
      {"DIRECTORY", "MACRO", start + "/"},
      {"DIRECTORY", "MUSIC", start + "/"},
      {"DIRECTORY", "IMAGE", "./"},
      {"GENERAL", "LONGCASE", "50"},
      {"GENERAL", "HAUTCASE", "39"},
      {"GENERAL", "INTERCASEX", "0"},
      {"GENERAL", "INTERCASEY", "0"},
      {"GENERAL", "INTERBLOCKX", "2"},
      {"GENERAL", "INTERBLOCKY", "2"},
      {"GENERAL", "HAUT19", "10"},
      {"GENERAL", "BORDERCELL", "2"},
      {"GENERAL", "BORDERBLOCK", "4"},
      {"GENERAL", "ABSOLUTE", "0"},
      {"GENERAL", "AUTO", "0"},
      {"GENERAL", "DISPLAYLINES", "0"},
      {"GENERAL", "DISPLAYCOMMENT", "1"},
      {"GENERAL", "DISPLAYBARAREA", "1"},
      {"GENERAL", "DISPLAYBARAREAIDEM", "1"},
      {"GENERAL", "DISPLAYMATALL", "1"},
      {"GENERAL", "DISPLAYMATFOND", "0"},
      {"GENERAL", "DISPLAYMATAUTO", "1"},
      {"GENERAL", "DISPLAYCOMDY", "65"},
      {"GENERAL", "DISPLAYBARDX", "9830"},
      {"GENERAL", "DELTAFONTCOM", "0"},
      {"GENERAL", "DELTAFONTCELL", "0"},
      {"GENERAL", "DELTAFONTLC", "0"},
      {"GENERAL", "DELTAFONTPROB", "0"},
      {"GENERAL", "DELTAFONTMATRIX", "0"},
      {"GENERAL", "LASTOPEN", "0"},
      {"GENERAL", "POSLOAD", "1"},
      {"GENERAL", "LOG", "0"},
      {"GENERAL", "STANDARDIR", "1"},
      {"GENERAL", "PREFLOAD", "1"},
      {"GENERAL", "BLOCKLIMIT", "1"},
      {"GENERAL", "BLOCKCOLORS", "0"},
      {"GENERAL", "BLOCKBARS", "1"},
      {"GENERAL", "CELLSQUARE", "0"},
      {"GENERAL", "KEEPRATIO", "0"},
      {"GENERAL", "PROBTYPE", "1"},
      {"GENERAL", "ASKTOBESAVED", "1"},
      {"GENERAL", "UNIQSOLUTION", "1"},
      {"GENERAL", "MAXITERGENER", "3"},
      {"GENERAL", "PRINTSIZE", "100"},
      {"GENERAL", "TRANSPARENCY", "55"},
      {"GENERAL", "DELAYBGIMAGE", "2"},
      {"GENERAL", "BGRANDOM", "1"},
      {"GENERAL", "GRIDCURRSIZE", "5"},
      {"GENERAL", "GRIDCURRDISP", "0"},
      {"GENERAL", "GRIDCURRDIFFICULTY", "1"},
      {"GENERAL", "GRIDCURRVARIENT-PART1", "0"},
      {"GENERAL", "GRIDCURRVARIENT-PART2", "0"},
      {"GENERAL", "ANIMGIF", "1"},
      {"GENERAL", "RESETIFFALSE", "1"},
      {"GENERAL", "ANIMACTION", "1"},
      {"GENERAL", "DRAG", "0"},
      {"GENERAL", "PARASIT", "1"},
      {"GENERAL", "PUZZLEROTATION", "1"},
      {"GENERAL", "PUZZLEPIECEUNIQ", "0"},
      {"GENERAL", "AUTONOBOAT", "1"},
      {"GENERAL", "IMAGENAME", "Animals.ani"},
      {"GENERAL", "BACKGROUNDIMAGE", "BackGround/goutte1.jpg"},
      {"GENERAL", "LANGUAGE", "-1"},
      {"MUSIC", "USEDIRECTORY", "1"},
      {"MUSIC", "AUTOLOOP", "1"},
      {"MUSIC", "SILENT", "0"},
      {"MUSIC", "MUSICVOLUME", "50"},
      {"MUSIC", "SOUNDVOLUME", "-100"},
      {"MUSIC", "MUSICSTOP", "0"},
      {"EXPERT", "DISPMASKTAB", "0"},
      {"EXPERT", "NMASKTAB", "1000"},
      {"EXPERT", "DONCELLMASKTAB", "1"},
      {"EXPERT", "TIME OUT START", "200"},
      {"EXPERT", "TIME OUT STOP", "1400"},
      {"EXPERT", "TIME OUT STEP", "400"},
      {"EXPERT", "REGULAR START", "0"},
      {"EXPERT", "REGULAR STOP", "-1"},
      {"EXPERT", "NITERATIONS", "20"},
      {"EXPERT", "ISDISPLAY", "1"},
      {"EXPERT", "ISDIAGONAL", "1"},
      {"EXPERT", "ISNORMAL", "1"},
      {"EXPERT", "SIZE START", "0"},
      {"EXPERT", "SIZE STOP", "5"},
      {"EXPERT", "NSELCELL START", "0"},
      {"EXPERT", "NSELCELL STOP", "10"},
      {"EXPERT", "NSELCELL TYPE", "0"},
      {"EXPERT", "NSELCELL STEP", "1"},
      {"EXPERT", "NBLANK START", "0"},
      {"EXPERT", "NBLANK STOP", "10"},
      {"EXPERT", "NBLANK STEP", "1"},
      {"EXPERT", "NBLANK TYPE", "1"},
      {"EXPERT", "VARIENT START", "1"},
      {"EXPERT", "VARIENT STOP", "10"},
      {"EXPERT", "VARIENT STEP", "1"},
      {"METHOD", "METHOD", "2097149"},
      {"PARAMETER", "TIMEOVER", "2048"},
      {"PARAMETER", "MAXSEARCHSAVE", "100"},
      {"PARAMETER", "MAXSEARCHGRID", "200"},
      {"PARAMETER", "GENERETIMEOVER", "510"},
      {"PARAMETER", "QRBDebug", "0"},
      {"PARAMETER", "DEBUGDC", "0"},
      {"PARAMETER", "DEBUGDCRT", "0"},
      {"PARAMETER", "DEBUGUNDO", "0"},
      {"SCAN", "GRIDLEVEL", "50"},
      {"SCAN", "AUTOSCAN", "0"},
      {"DEFI", "DEFIGRIDDIFF", "1"},
      {"DEFI", "DEFIPOSSIBLE", "0"},
      {"DEFI", "DEFIMAXTIME", "30"},
      {"DEFI", "DEFINBCELLS", "3"},
      {"DEFI", "DEFIGRIDSIZE", "3"},
      {"DEFI", "DEFIPORT", "11078"},
      {"DEFI", "DEFIINHIBIT", "1"},
      {"DEFI", "DEFINPLAYERS", "0"},
      {"DEFI", "PLAYERNAME", ""},
      {"DEFI", "SERVICEHOST", ""},
      {"DEFI", "VERSIONPAGE", ""},
      {"GAMEDURATION", "DEFAULT", "300"},
      {"GAMEDURATION", "MTFCHAMPION", "100"},
      {"GAMEDURATION", "MTFKIDS", "50"},
      {"GAMEDURATION", "MTFQUICK", "125"},
      {"GAMEDURATION", "MTFTRIPLE", "100"},
      {"GAMEDURATION", "MTFDEFI", "100"},
      {"GAMEDURATION", "MTFOTHER", "100"},
      {"GAMEPARASITE", "PARFACKID", "7"},
      {"GAMEPARASITE", "PAROFFKID", "3"},
      {"GAMEPARASITE", "PARFACQUICK", "7"},
      {"GAMEPARASITE", "PAROFFQUICK", "3"},
      {"GAMEPARASITE", "PARCTE", "250"},
      {"GAMEPARASITE", "MOVEINDEXSTART", "2"},
      {"GAMEPARASITE", "MOVEINDEXMAX", "80"},
      {"GAMEPARASITE", "MOVEINDEX1", "4"},
      {"GAMEPARASITE", "MOVEINDEX2", "10"},
      {"GAMEPARASITE", "MOVEINDEX3", "20"},
      {"GAMEPARASITE", "MOVEINDEX4", "75"},
      {"GAMEPARASITE", "MOVEFAC1", "1"},
      {"GAMEPARASITE", "MOVEFAC2", "2"},
      {"GAMEPARASITE", "MOVEFAC3", "3"},
      {"GAMEPARASITE", "MOVEFAC4", "4"},
      {"GAMEPARASITE", "MOVECTE1", "26"},
      {"GAMEPARASITE", "MOVECTE2", "24"},
      {"GAMEPARASITE", "MOVECTE3", "22"},
      {"GAMEPARASITE", "MOVECTE4", "20"},
      {"GAMEPARASITE", "MOVECTE5", "1"},
  };
  const char *sizes[] = {"4X4", "6X6", "8X8", "9X9", "12X12", "16X16"};
  const char *levels[] = {"EASY", "MEDIUM", "DIFFICULT", "TERRIBLE"};
  const int durations[6][4] = {{40, 40, 40, 30},      {90, 140, 200, 170},     {240, 450, 960, 700},
                               {600, 900, 1100, 900}, {900, 1200, 1600, 2000}, {1800, 1800, 3200, 4000}};
  for (int s = 0; s < 6; ++s)
    for (int l = 0; l < 4; ++l)
      keys.push_back({"GAMEDURATION", std::string(sizes[s]) + levels[l], std::to_string(durations[s][l])});
  const char *suffixes[] = {"LESS",    "ODD",      "XV",         "DOT",      "TRIO",     "NAV",    "TREL",
                            "LKILL",   "KILLS",    "KILLP",      "ARROW",    "CREAS",    "OUTS",   "FRAMS",
                            "FRAMP",   "ODDP",     "ODDV",       "LAST",     "DOM",      "PENC",   "DIGIT",
                            "ROM",     "SKY",      "NUM",        "DIST",     "MSENT",    "DAN",    "EQU",
                            "QUAD",    "WHEEL",    "CHESS",      "TRANSFER", "PUZZLE",   "BATNAV", "TILED",
                            "MULTTAB", "FRAMEMAX", "MASTERMIND", "PIRATE",   "TRELMULT", "SAMEROW"};
  const int generation[41][3] = {
      {500, -1, 144}, {350, 20, 81}, {175, 8, 32},  {340, -1, 50}, {300, 20, 80}, {659, -1, 81},
      {100, -1, 11},  {99, -1, 34},  {110, -1, 55}, {110, -1, 52}, {300, -1, 60}, {400, -1, 27},
      {150, -1, 63},  {220, -1, 40}, {200, -1, 40}, {300, 16, 40}, {120, -1, 32}, {270, -1, 33},
      {225, -1, 60},  {250, -1, 80}, {175, -1, 63}, {300, -1, 70}, {400, -1, 18}, {250, -1, 60},
      {87, -1, 18},   {100, 3, 10},  {100, 3, 5},   {300, -1, 40}, {250, 18, 45}, {55, -1, 15},
      {400, -1, 16},  {100, 18, 1},  {200, 12, 30}, {100, 10, 1},  {110, 5, 60},  {100, 25, 60},
      {300, -1, 60},  {100, 25, 60}, {100, -1, 60}, {300, -1, 9},  {200, 15, 10}};
  for (int i = 0; i < 41; ++i) {
    keys.push_back({"GENERATION", std::string("FAC") + suffixes[i], std::to_string(generation[i][0])});
    keys.push_back({"GENERATION", std::string("MIND") + suffixes[i], std::to_string(generation[i][1])});
    keys.push_back({"GENERATION", std::string("LIM") + suffixes[i], std::to_string(generation[i][2])});
  }
  return keys;
}

class SettingsSchemaTest : public ::testing::Test {
protected:
  void SetUp() override { SetStartDirectory(kStart); }

  // Loads `stored` and saves the result into a fresh store.
  MemoryProfileStore LoadThenSave(MemoryProfileStore &stored) {
    AppSettings settings;
    LoadSettings(stored, settings);
    MemoryProfileStore saved;
    EXPECT_TRUE(SaveSettings(saved, settings));
    return saved;
  }

  std::string SavedAfterStoring(const char *section, const char *key, int32_t value) {
    MemoryProfileStore stored;
    stored.WriteInt(section, key, value);
    return LoadThenSave(stored).Raw(section, key).value_or("<missing>");
  }
};

} // namespace

TEST_F(SettingsSchemaTest, AnEmptyStoreLoadsEveryDefault) {
  MemoryProfileStore empty;
  MemoryProfileStore saved = LoadThenSave(empty);
  const std::vector<StoredKey> keys = DefaultKeys();
  for (const StoredKey &k : keys) {
    SCOPED_TRACE(std::string(k.section) + "/" + k.key);
    EXPECT_EQ(saved.Raw(k.section, k.key).value_or("<missing>"), k.value);
  }
  // Only the music file's name is ours to choose; nothing else is written.
  EXPECT_TRUE(saved.Raw("MUSIC", "MUSICFILE").has_value());
  EXPECT_EQ(saved.KeyCount(), keys.size() + 1);
}

TEST_F(SettingsSchemaTest, DefaultsAreTypedAsTheirUsersExpect) {
  const AppSettings s = DefaultSettings();
  EXPECT_EQ(s.general.language, Language::NotChosen);
  EXPECT_FLOAT_EQ(s.general.printSize, 1.0f);
  EXPECT_NEAR(s.general.displayBarDx, 0.15, 0.0001);
  EXPECT_FLOAT_EQ(s.generation.fac[0], 5.0f);
  EXPECT_FLOAT_EQ(s.gameDuration.mtfKids, 0.5f);
  EXPECT_FLOAT_EQ(s.gameDuration.mtfQuick, 1.25f);
  EXPECT_EQ(s.gameDuration.duration[3][1], 900);
  EXPECT_EQ(s.directory.background, std::string(kStart) + "/BackGround/");
  EXPECT_EQ(s.general.backgroundImage, std::string(kStart) + "/BackGround/goutte1.jpg");
  EXPECT_EQ(s.general.imageName, "Animals.ani");
  EXPECT_TRUE(s.defi.players.empty());
}

TEST_F(SettingsSchemaTest, OutOfRangeValuesFollowTheirRules) {
  struct Case {
    const char *section;
    const char *key;
    int32_t stored;
    const char *loaded;
  };
  const Case cases[] = {
      {"CATALOG", "BASETYPE", 100, "-1"},
      {"CATALOG", "BASETYPE", -2, "-1"},
      {"CATALOG", "BASETYPE", 99, "99"},
      {"CATALOG", "BASEGRID", -2, "-1"},
      {"CATALOG", "NGRIDLIST", -5, "0"},
      {"CATALOG", "NGRIDLIST", -4, "-4"},
      {"CATALOG", "DISPLAYGRID", 2, "0"},
      {"CATALOG", "VARDEPTH", 101, "33"},
      {"CATALOG", "VARDEPTH", -1, "33"},
      {"CATALOG", "VARNGRIDS", 1, "2"},
      {"CATALOG", "VARNGRIDS", 13, "2"},
      {"CATALOG", "VARMULT", 3, "0"},
      {"GAME", "MODE", 8, "7"},
      {"GAME", "MODE", -1, "7"},
      {"GAME", "MODE", 0, "0"},
      {"GAME", "KIDGRID", -3, "0"},
      {"GAME", "QUICKGRID", -1, "0"},
      {"GAME", "TRIPLEGRID", -1, "0"},
      {"GENERAL", "LONGCASE", 0, "50"},
      {"GENERAL", "HAUTCASE", -4, "39"},
      {"GENERAL", "INTERCASEX", -1, "0"},
      {"GENERAL", "INTERCASEY", -1, "0"},
      {"GENERAL", "INTERBLOCKX", -1, "2"},
      {"GENERAL", "INTERBLOCKY", -1, "2"},
      {"GENERAL", "HAUT19", -1, "10"},
      {"GENERAL", "BORDERCELL", -1, "2"},
      {"GENERAL", "BORDERBLOCK", -1, "4"},
      {"GENERAL", "ABSOLUTE", 2, "0"},
      {"GENERAL", "AUTO", -1, "0"},
      {"GENERAL", "DISPLAYLINES", 3, "0"},
      {"GENERAL", "DISPLAYCOMMENT", 5, "1"},
      {"GENERAL", "DISPLAYBARAREA", 5, "0"},
      {"GENERAL", "DISPLAYBARAREAIDEM", 5, "1"},
      {"GENERAL", "DISPLAYMATALL", 5, "1"},
      {"GENERAL", "DISPLAYMATFOND", 5, "0"},
      {"GENERAL", "DISPLAYMATAUTO", 5, "1"},
      {"GENERAL", "DISPLAYCOMDY", -1, "65"},
      {"GENERAL", "DISPLAYBARDX", 70000, "9830"},
      {"GENERAL", "DISPLAYBARDX", -1, "9830"},
      {"GENERAL", "DELTAFONTCOM", -7, "-7"},
      // Sizes beyond any screen are taken as the largest a screen can use.
      {"GENERAL", "DELTAFONTCOM", 0x7FFFFFFF, "160"},
      {"GENERAL", "DELTAFONTCELL", -0x7FFFFFFF, "-160"},
      {"GENERAL", "DISPLAYCOMDY", 0x7FFFFFFF, "4096"},
      {"GENERAL", "LONGCASE", 0x7FFFFFFF, "4096"},
      {"GENERAL", "BORDERBLOCK", 0x7FFFFFFF, "64"},
      {"GENERAL", "LASTOPEN", 2, "0"},
      {"GENERAL", "POSLOAD", 2, "1"},
      {"GENERAL", "LOG", 2, "0"},
      {"GENERAL", "STANDARDIR", 2, "1"},
      {"GENERAL", "PREFLOAD", 2, "1"},
      {"GENERAL", "BLOCKLIMIT", 2, "1"},
      {"GENERAL", "BLOCKCOLORS", 2, "0"},
      {"GENERAL", "BLOCKBARS", 2, "1"},
      {"GENERAL", "CELLSQUARE", 2, "0"},
      {"GENERAL", "KEEPRATIO", 2, "0"},
      {"GENERAL", "PROBTYPE", 4, "1"},
      {"GENERAL", "PROBTYPE", 3, "3"},
      {"GENERAL", "ASKTOBESAVED", 2, "1"},
      {"GENERAL", "UNIQSOLUTION", 2, "1"},
      {"GENERAL", "MAXITERGENER", 101, "3"},
      {"GENERAL", "PRINTSIZE", 0, "100"},
      {"GENERAL", "PRINTSIZE", 10001, "100"},
      {"GENERAL", "PRINTSIZE", 1, "1"},
      {"GENERAL", "TRANSPARENCY", 300, "65"},
      {"GENERAL", "TRANSPARENCY", -1, "65"},
      {"GENERAL", "DELAYBGIMAGE", -1, "0"},
      {"GENERAL", "DELAYBGIMAGE", 12, "11"},
      {"GENERAL", "BGRANDOM", 2, "1"},
      {"GENERAL", "GRIDCURRSIZE", 9, "5"},
      {"GENERAL", "GRIDCURRDISP", 4, "0"},
      {"GENERAL", "GRIDCURRDIFFICULTY", 0, "1"},
      {"GENERAL", "GRIDCURRDIFFICULTY", 5, "1"},
      {"GENERAL", "ANIMGIF", 2, "1"},
      {"GENERAL", "RESETIFFALSE", 2, "1"},
      {"GENERAL", "ANIMACTION", 2, "1"},
      {"GENERAL", "DRAG", 2, "0"},
      {"GENERAL", "PARASIT", 2, "1"},
      {"GENERAL", "PUZZLEROTATION", 2, "1"},
      {"GENERAL", "PUZZLEPIECEUNIQ", 2, "0"},
      {"GENERAL", "AUTONOBOAT", 2, "1"},
      {"GENERAL", "LANGUAGE", 2, "-1"},
      {"GENERAL", "LANGUAGE", -2, "-1"},
      {"GENERAL", "LANGUAGE", 1, "1"},
      {"MUSIC", "USEDIRECTORY", 2, "0"},
      {"MUSIC", "AUTOLOOP", 2, "1"},
      {"MUSIC", "SILENT", 2, "0"},
      {"MUSIC", "MUSICVOLUME", 150, "0"},
      {"MUSIC", "MUSICVOLUME", -1, "0"},
      {"MUSIC", "SOUNDVOLUME", -9000, "-8000"},
      {"MUSIC", "SOUNDVOLUME", 5, "0"},
      {"MUSIC", "MUSICSTOP", 2, "0"},
      {"EXPERT", "DISPMASKTAB", 2, "0"},
      {"EXPERT", "NMASKTAB", 0, "1"},
      {"EXPERT", "NMASKTAB", 100001, "100000"},
      {"EXPERT", "DONCELLMASKTAB", 0, "1"},
      {"EXPERT", "DONCELLMASKTAB", 7, "1"},
      {"EXPERT", "SIZE STOP", 9, "5"},
      {"EXPERT", "NSELCELL TYPE", -1, "0"},
      {"EXPERT", "NBLANK TYPE", 2, "1"},
      {"METHOD", "METHOD", -1, "2097149"},
      {"METHOD", "METHOD", 5, "5"},
      {"PARAMETER", "TIMEOVER", -1, "-1"},
      {"PARAMETER", "TIMEOVER", 30, "30"},
      {"PARAMETER", "TIMEOVER", 29, "2048"},
      {"PARAMETER", "TIMEOVER", -2, "2048"},
      {"PARAMETER", "MAXSEARCHSAVE", 0, "100"},
      {"PARAMETER", "MAXSEARCHSAVE", 101, "100"},
      {"PARAMETER", "MAXSEARCHGRID", 0, "200"},
      {"PARAMETER", "GENERETIMEOVER", 29, "510"},
      {"PARAMETER", "GENERETIMEOVER", -1, "-1"},
      {"PARAMETER", "QRBDebug", 2, "0"},
      {"PARAMETER", "DEBUGDC", 2, "0"},
      {"PARAMETER", "DEBUGDCRT", 2, "0"},
      {"PARAMETER", "DEBUGUNDO", 2, "0"},
      {"SCAN", "AUTOSCAN", 4, "0"},
      {"SCAN", "GRIDLEVEL", -5, "-5"},
      {"DEFI", "DEFIGRIDDIFF", 0, "1"},
      {"DEFI", "DEFIGRIDDIFF", 5, "1"},
      {"DEFI", "DEFIPOSSIBLE", 2, "0"},
      {"DEFI", "DEFIGRIDSIZE", 9, "5"},
      {"DEFI", "DEFIGRIDSIZE", -1, "5"},
      {"DEFI", "DEFIPORT", 65536, "11078"},
      {"DEFI", "DEFIPORT", -1, "11078"},
      {"DEFI", "DEFIINHIBIT", 0, "1"},
      {"DEFI", "DEFIMAXTIME", -3, "-3"},
      // A time factor of 0 (or a negative one, read as huge) takes its default.
      {"GAMEDURATION", "MTFCHAMPION", 0, "100"},
      {"GAMEDURATION", "MTFKIDS", 0, "50"},
      {"GAMEDURATION", "MTFQUICK", -1, "125"},
      {"GAMEDURATION", "MTFTRIPLE", 10001, "100"},
      {"GAMEDURATION", "MTFDEFI", 1, "1"},
      {"GAMEDURATION", "MTFOTHER", 0, "100"},
      {"GAMEDURATION", "9X9MEDIUM", 0, "0"},
      // A duration is at most a day, so that the time limit in milliseconds stays within 32 bits.
      {"GAMEDURATION", "9X9MEDIUM", 2147483647, "86400"},
      {"GAMEDURATION", "DEFAULT", -7, "0"},
      {"GENERATION", "FACDOT", 0, "0"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key + " = " + std::to_string(c.stored));
    EXPECT_EQ(SavedAfterStoring(c.section, c.key, c.stored), c.loaded);
  }
}

TEST_F(SettingsSchemaTest, RepairedValuesReachTheFields) {
  MemoryProfileStore stored;
  stored.WriteInt("PARAMETER", "MAXSEARCHGRID", 0);
  stored.WriteInt("PARAMETER", "MAXSEARCHSAVE", 42);
  stored.WriteInt("GENERAL", "DISPLAYBARDX", 70000);
  stored.WriteInt("GENERAL", "PRINTSIZE", 0);
  stored.WriteInt("GAMEDURATION", "MTFKIDS", 0);
  AppSettings s;
  LoadSettings(stored, s);
  EXPECT_EQ(s.parameter.maxSearchGrid, 200);
  EXPECT_EQ(s.parameter.maxSearchSave, 42);
  EXPECT_DOUBLE_EQ(s.general.displayBarDx, 0.15);
  EXPECT_FLOAT_EQ(s.general.printSize, 1.0f);
  EXPECT_FLOAT_EQ(s.gameDuration.mtfKids, 0.5f);
}

TEST_F(SettingsSchemaTest, SaveThenLoadGivesTheSameBlock) {
  AppSettings s = DefaultSettings();
  s.general.language = Language::English;
  s.general.printSize = 0.37f;
  s.general.displayBarDx = 12345 / 65535.0;
  s.general.gridCurrVariant = 0xFEDCBA9876543210ull;
  s.general.imageName = std::string(kStart) + "/Pictures/Cats.ani";
  s.general.backgroundImage = std::string(kStart) + "/BackGround/pluie.jpg";
  s.music.musicFile = "/music/elsewhere.mp3";
  s.directory.myGrids = "/data/grids/";
  s.catalog.quellaboSite = 12;
  s.parameter.timeOver = -1;
  s.defi.playerName = "Zoé";
  s.defi.players = {{0, 0xC0A80001u, "Alice", 2, 1}, {0, 0x0A000002u, "Bob", 0, 0}};
  s.generation.fac[7] = 0.29f;
  s.generation.lim[40] = -12;
  s.gameDuration.duration[5][3] = 4321;
  s.gameDuration.mtfDefi = 2.5f;
  s.gameParasite.moveCte5 = 9;
  MemoryProfileStore store;
  AppSettings loaded;
  for (int round = 0; round < 5; ++round) {
    ASSERT_TRUE(SaveSettings(store, round == 0 ? s : loaded));
    loaded = AppSettings();
    LoadSettings(store, loaded);
  }
  EXPECT_EQ(loaded.general.language, Language::English);
  EXPECT_FLOAT_EQ(loaded.general.printSize, 0.37f);
  EXPECT_DOUBLE_EQ(loaded.general.displayBarDx, 12345 / 65535.0);
  EXPECT_EQ(loaded.general.gridCurrVariant, 0xFEDCBA9876543210ull);
  EXPECT_EQ(loaded.general.imageName, "Pictures/Cats.ani");
  EXPECT_EQ(loaded.general.backgroundImage, s.general.backgroundImage);
  EXPECT_EQ(loaded.music.musicFile, "/music/elsewhere.mp3");
  EXPECT_EQ(loaded.directory.myGrids, "/data/grids/");
  EXPECT_EQ(loaded.catalog.quellaboSite, 12);
  EXPECT_EQ(loaded.parameter.timeOver, -1);
  EXPECT_EQ(loaded.defi.playerName, "Zoé");
  ASSERT_EQ(loaded.defi.players.size(), 2u);
  EXPECT_EQ(loaded.defi.players[0].ipAddress, 0xC0A80001u);
  EXPECT_EQ(loaded.defi.players[0].name, "Alice");
  EXPECT_EQ(loaded.defi.players[0].handicap, 2);
  EXPECT_EQ(loaded.defi.players[0].check, 1);
  EXPECT_EQ(loaded.defi.players[1].ipAddress, 0x0A000002u);
  EXPECT_FLOAT_EQ(loaded.generation.fac[7], 0.29f);
  EXPECT_EQ(store.Raw("GENERATION", "FACLKILL"), "29");
  EXPECT_EQ(loaded.generation.lim[40], -12);
  EXPECT_EQ(loaded.gameDuration.duration[5][3], 4321);
  EXPECT_FLOAT_EQ(loaded.gameDuration.mtfDefi, 2.5f);
  EXPECT_EQ(loaded.gameParasite.moveCte5, 9);
}

TEST_F(SettingsSchemaTest, TheVariantChoiceKeepsAllBitsOfANegativeLowHalf) {
  MemoryProfileStore stored;
  stored.WriteInt("GENERAL", "GRIDCURRVARIENT-PART1", -2);
  stored.WriteInt("GENERAL", "GRIDCURRVARIENT-PART2", 5);
  AppSettings s;
  LoadSettings(stored, s);
  EXPECT_EQ(s.general.gridCurrVariant, 0x00000005FFFFFFFEull);
}

TEST_F(SettingsSchemaTest, ChallengePlayersAreSavedLocalOnlyAndRenumberedFromZero) {
  AppSettings s = DefaultSettings();
  s.defi.players = {
      {1, 1, "Remote A", 0, 0}, {0, 2, "Local B", 1, 0}, {1, 3, "Remote C", 0, 0}, {0, 4, "Local D", 3, 1}};
  MemoryProfileStore store;
  // An older save had four players in the table.
  for (int i = 0; i < 4; ++i)
    store.WriteString("DEFI", "DEFIPLAYER  " + std::to_string(i) + "NAME", "stale");
  ASSERT_TRUE(SaveSettings(store, s));
  EXPECT_EQ(store.Raw("DEFI", "DEFINPLAYERS"), "2");
  EXPECT_EQ(store.Raw("DEFI", "DEFIPLAYER  0NAME"), "Local B");
  EXPECT_EQ(store.Raw("DEFI", "DEFIPLAYER  1NAME"), "Local D");
  AppSettings loaded;
  LoadSettings(store, loaded);
  ASSERT_EQ(loaded.defi.players.size(), 2u);
  EXPECT_EQ(loaded.defi.players[0].name, "Local B");
  EXPECT_EQ(loaded.defi.players[1].name, "Local D");
  EXPECT_EQ(loaded.defi.players[1].handicap, 3);
  EXPECT_EQ(loaded.defi.players[1].ipAddress, 4u);
}

TEST_F(SettingsSchemaTest, ThePlayerCountIsCappedAtTheTableSize) {
  MemoryProfileStore store;
  store.WriteInt("DEFI", "DEFINPLAYERS", 1000000);
  store.WriteString("DEFI", "DEFIPLAYER 99NAME", "last");
  AppSettings s;
  LoadSettings(store, s);
  ASSERT_EQ(s.defi.players.size(), static_cast<size_t>(kMaxDefiPlayers));
  EXPECT_EQ(s.defi.players.back().name, "last");
  s.defi.players.resize(150);
  MemoryProfileStore saved;
  SaveSettings(saved, s);
  EXPECT_EQ(saved.Raw("DEFI", "DEFINPLAYERS"), std::to_string(kMaxDefiPlayers));
  store.WriteInt("DEFI", "DEFINPLAYERS", -4);
  LoadSettings(store, s);
  EXPECT_TRUE(s.defi.players.empty());
}

TEST_F(SettingsSchemaTest, AReloadKeepsTheLanguageChosenFromTheMenu) {
  MemoryProfileStore store;
  store.WriteInt("GENERAL", "LANGUAGE", 0);
  store.WriteInt("GENERAL", "LONGCASE", 60);
  AppSettings s;
  LoadSettings(store, s);
  EXPECT_EQ(s.general.language, Language::French);
  s.general.language = Language::English; // the menu switch, not saved yet
  s.general.longCase = 80;                // a preference page's change, then Cancel
  s.defi.players = {{1, 7, "In game", 0, 1}};
  LoadSettings(store, s, SettingsLoad::Reload);
  EXPECT_EQ(s.general.language, Language::English);
  EXPECT_EQ(s.general.longCase, 60);
  ASSERT_EQ(s.defi.players.size(), 1u);
  EXPECT_EQ(s.defi.players[0].name, "In game");
  LoadSettings(store, s, SettingsLoad::StartUp);
  EXPECT_EQ(s.general.language, Language::French);
}

TEST_F(SettingsSchemaTest, NamesAreFoldedToOneCase) {
  MemoryProfileStore store;
  store.WriteInt("parameter", "qrbdebug", 1);
  store.WriteInt("General", "LongCase", 70);
  AppSettings s;
  LoadSettings(store, s);
  EXPECT_EQ(s.parameter.qrbDebug, 1);
  EXPECT_EQ(s.general.longCase, 70);
}

TEST_F(SettingsSchemaTest, AValueThatIsNoNumberReadsAsItsDefault) {
  MemoryProfileStore store;
  store.WriteString("GENERAL", "LONGCASE", "wide");
  store.WriteString("GENERAL", "HAUTCASE", " 44 ");
  store.WriteString("GENERAL", "BORDERCELL", "99999999999");
  AppSettings s;
  LoadSettings(store, s);
  EXPECT_EQ(s.general.longCase, 50);
  EXPECT_EQ(s.general.hautCase, 44);
  EXPECT_EQ(s.general.borderCell, 2);
}

TEST_F(SettingsSchemaTest, TheLastFileIsKeptApartFromTheBlock) {
  MemoryProfileStore store;
  WriteLastFile(store, "SudGrid/mine.sud");
  ASSERT_TRUE(SaveSettings(store, DefaultSettings()));
  EXPECT_EQ(ReadLastFile(store), "SudGrid/mine.sud");
  EXPECT_EQ(ReadLanguage(store), Language::NotChosen);
}
