#include "app/settings_schema.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <set>
#include <variant>
#include <vector>

#include "platform/memory_profile_store.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

// What a stored integer outside its range becomes (not always its default).
struct IntRule {
  int32_t low = kIntMin;
  int32_t high = kIntMax;
  int32_t belowValue = 0;
  int32_t aboveValue = 0;
  std::optional<int32_t> alsoAllowed; // kept although outside low..high (-1: "no limit")

  int32_t Apply(int32_t value) const {
    if (alsoAllowed && value == *alsoAllowed)
      return value;
    if (value < low)
      return belowValue;
    return value > high ? aboveValue : value;
  }
};

constexpr IntRule NoRule() { return {}; }
constexpr IntRule Within(int32_t low, int32_t high, int32_t replacement) {
  return {low, high, replacement, replacement, std::nullopt};
}
constexpr IntRule Clamped(int32_t low, int32_t high) { return {low, high, low, high, std::nullopt}; }
constexpr IntRule AtLeast(int32_t low, int32_t replacement) {
  return {low, kIntMax, replacement, 0, std::nullopt};
}
// Sizes in pixels that no screen exceeds: anything larger (a hostile file or settings store) is
// taken as the largest, so that the layout's arithmetic stays far from overflow.
constexpr int32_t kMaxScreenPixels = 4096;
constexpr int32_t kMaxLinePixels = 64;
constexpr int32_t kMaxFontDelta = 160; // the font table's size
constexpr IntRule Pixels(int32_t low, int32_t replacement, int32_t high = kMaxScreenPixels) {
  return {low, high, replacement, high, std::nullopt};
}
constexpr IntRule FontDelta() { return Clamped(-kMaxFontDelta, kMaxFontDelta); }
constexpr IntRule Flag(int32_t replacement) { return Within(0, 1, replacement); }
// Game durations in seconds: at most a day; none (0) for a negative one, which never meant a limit.
constexpr int32_t kMostGameDurationSeconds = 24 * 60 * 60;
constexpr IntRule GameDuration() {
  return {0, kMostGameDurationSeconds, 0, kMostGameDurationSeconds, std::nullopt};
}
// Time limits in ms: -1 means none; anything else below 30 is taken as unusable.
constexpr IntRule TimeLimit(int32_t replacement) { return {30, kIntMax, replacement, 0, -1}; }

// Percent floats are stored as n / 100. A checked one outside 0.01..100 is taken as its default,
// both when read and when written.
enum class PercentCheck { None, InRange };
constexpr float kPercentLow = 0.01f;
constexpr float kPercentHigh = 100.0f;
constexpr double kPercentScale = 100.0;

// DISPLAYBARDX is stored as n / 65535; a factor above 1 is taken as 0.15.
constexpr double kFractionScale = 65535.0;
constexpr double kFractionHigh = 1.0;
constexpr double kFractionReplacement = 0.15;

enum class PathForm {
  AsIs,
  Directory,    // made absolute when read, written as held
  RelativeFile, // written relative to the start directory
  AbsoluteFile, // both
};

class SettingsVisitor {
public:
  virtual ~SettingsVisitor() = default;
  virtual void Int(std::string_view section, std::string_view key, int32_t &field, int32_t fallback,
                   IntRule rule) = 0;
  virtual void Percent(std::string_view section, std::string_view key, float &field, int32_t storedFallback,
                       PercentCheck check) = 0;
  virtual void Fraction(std::string_view section, std::string_view key, double &field,
                        int32_t storedFallback) = 0;
  virtual void Text(std::string_view section, std::string_view key, std::string &field,
                    std::string_view fallback, PathForm form) = 0;
  virtual void Word64(std::string_view section, std::string_view lowKey, std::string_view highKey,
                      uint64_t &field) = 0;
};

constexpr std::string_view kCatalog = "CATALOG";
constexpr std::string_view kGame = "GAME";
constexpr std::string_view kDirectory = "DIRECTORY";
constexpr std::string_view kGeneral = "GENERAL";
constexpr std::string_view kMusic = "MUSIC";
constexpr std::string_view kExpert = "EXPERT";
constexpr std::string_view kMethod = "METHOD";
constexpr std::string_view kParameter = "PARAMETER";
constexpr std::string_view kScan = "SCAN";
constexpr std::string_view kDefi = "DEFI";
constexpr std::string_view kGeneration = "GENERATION";
constexpr std::string_view kGameDuration = "GAMEDURATION";
constexpr std::string_view kGameParasite = "GAMEPARASITE";

constexpr std::string_view kLanguageKey = "LANGUAGE";
constexpr std::string_view kPlayerCountKey = "DEFINPLAYERS";

constexpr int32_t kDefaultMethodMask = 0x1FFFFD;
constexpr std::string_view kDefaultMusicFile = "Quorbel.mp3";

// clang-format off
constexpr std::array<std::string_view, kDurationSizes> kDurationSizeNames = {"4X4", "6X6", "8X8", "9X9", "12X12", "16X16"};
constexpr std::array<std::string_view, kDurationLevels> kDurationLevelNames = {"EASY", "MEDIUM", "DIFFICULT", "TERRIBLE"};
constexpr std::array<std::array<int32_t, kDurationLevels>, kDurationSizes> kDurationDefaults = {{
    {40, 40, 40, 30},
    {90, 140, 200, 170},
    {240, 450, 960, 700},
    {600, 900, 1100, 900},
    {900, 1200, 1600, 2000},
    {1800, 1800, 3200, 4000},
}};
// clang-format on

// Every key but the language, the last file and the challenge players, in the order they are stored.
void VisitSettings(AppSettings &s, SettingsVisitor &v) {
  CatalogSettings &c = s.catalog;
  v.Int(kCatalog, "BASETYPE", c.baseType, -1, Within(-1, 99, -1));
  v.Int(kCatalog, "BASEGRID", c.baseGrid, -1, AtLeast(-1, -1));
  v.Int(kCatalog, "NGRIDLIST", c.nGridList, -1, AtLeast(-4, 0));
  v.Int(kCatalog, "DISPLAYGRID", c.displayGrid, 0, Flag(0));

  GameSettings &g = s.game;
  v.Int(kGame, "MODE", g.mode, 7, Within(0, 7, 7));
  v.Int(kGame, "KIDGRID", g.kidGrid, -1, AtLeast(0, 0));
  v.Int(kGame, "QUICKGRID", g.quickGrid, -1, AtLeast(0, 0));
  v.Int(kGame, "TRIPLEGRID", g.tripleGrid, 0, AtLeast(0, 0));

  DirectorySettings &d = s.directory;
  v.Text(kDirectory, "ANIMATED", d.animated, ".\\", PathForm::Directory);
  v.Text(kDirectory, "BACKGROUND", d.background, "BackGround\\", PathForm::Directory);
  v.Text(kDirectory, "MYGRIDS", d.myGrids, "MyGrid\\", PathForm::Directory);
  v.Text(kDirectory, "TXTGRIDS", d.txtGrids, "TextGrid\\", PathForm::Directory);
  v.Text(kDirectory, "MAGIC", d.magic, "MagicPref\\", PathForm::Directory);
  v.Text(kDirectory, "MACRO", d.macro, ".\\", PathForm::Directory);
  v.Text(kDirectory, "MUSIC", d.music, ".\\", PathForm::Directory);
  v.Text(kDirectory, "IMAGE", d.image, "./", PathForm::RelativeFile);

  GeneralSettings &e = s.general;
  v.Int(kGeneral, "LONGCASE", e.longCase, 50, Pixels(1, 50));
  v.Int(kGeneral, "HAUTCASE", e.hautCase, 39, Pixels(1, 39));
  v.Int(kGeneral, "INTERCASEX", e.interCaseX, 0, Pixels(0, 0, kMaxLinePixels));
  v.Int(kGeneral, "INTERCASEY", e.interCaseY, 0, Pixels(0, 0, kMaxLinePixels));
  v.Int(kGeneral, "INTERBLOCKX", e.interBlockX, 2, Pixels(0, 2, kMaxLinePixels));
  v.Int(kGeneral, "INTERBLOCKY", e.interBlockY, 2, Pixels(0, 2, kMaxLinePixels));
  v.Int(kGeneral, "HAUT19", e.haut19, 10, Pixels(0, 10));
  v.Int(kGeneral, "BORDERCELL", e.borderCell, 2, Pixels(0, 2, kMaxLinePixels));
  v.Int(kGeneral, "BORDERBLOCK", e.borderBlock, 4, Pixels(0, 4, kMaxLinePixels));
  v.Int(kGeneral, "ABSOLUTE", e.absolute, 0, Flag(0));
  v.Int(kGeneral, "AUTO", e.autoSize, 0, Flag(0));
  v.Int(kGeneral, "DISPLAYLINES", e.displayLines, 0, Flag(0));
  v.Int(kGeneral, "DISPLAYCOMMENT", e.displayComment, 1, Flag(1));
  v.Int(kGeneral, "DISPLAYBARAREA", e.displayBarArea, 1, Flag(0));
  v.Int(kGeneral, "DISPLAYBARAREAIDEM", e.displayBarAreaIdem, 1, Flag(1));
  v.Int(kGeneral, "DISPLAYMATALL", e.displayMatAll, 1, Flag(1));
  v.Int(kGeneral, "DISPLAYMATFOND", e.displayMatFond, 0, Flag(0));
  v.Int(kGeneral, "DISPLAYMATAUTO", e.displayMatAuto, 1, Flag(1));
  v.Int(kGeneral, "DISPLAYCOMDY", e.displayComDy, 65, Pixels(0, 65));
  v.Fraction(kGeneral, "DISPLAYBARDX", e.displayBarDx, 9830);
  v.Int(kGeneral, "DELTAFONTCOM", e.deltaFontCom, 0, FontDelta());
  v.Int(kGeneral, "DELTAFONTCELL", e.deltaFontCell, 0, FontDelta());
  v.Int(kGeneral, "DELTAFONTLC", e.deltaFontLc, 0, FontDelta());
  v.Int(kGeneral, "DELTAFONTPROB", e.deltaFontProb, 0, FontDelta());
  v.Int(kGeneral, "DELTAFONTMATRIX", e.deltaFontMatrix, 0, FontDelta());
  v.Int(kGeneral, "LASTOPEN", e.lastOpen, 0, Flag(0));
  v.Int(kGeneral, "POSLOAD", e.posLoad, 1, Flag(1));
  v.Int(kGeneral, "LOG", e.log, 0, Flag(0));
  v.Int(kGeneral, "STANDARDIR", e.standarDir, 1, Flag(1));
  v.Int(kGeneral, "PREFLOAD", e.prefLoad, 1, Flag(1));
  v.Int(kGeneral, "BLOCKLIMIT", e.blockLimit, 1, Flag(1));
  v.Int(kGeneral, "BLOCKCOLORS", e.blockColors, 0, Flag(0));
  v.Int(kGeneral, "BLOCKBARS", e.blockBars, 1, Flag(1));
  v.Int(kGeneral, "CELLSQUARE", e.cellSquare, 0, Flag(0));
  v.Int(kGeneral, "KEEPRATIO", e.keepRatio, 0, Flag(0));
  v.Int(kGeneral, "PROBTYPE", e.probType, 1, Within(0, 3, 1));
  v.Int(kGeneral, "ASKTOBESAVED", e.askToBeSaved, 1, Flag(1));
  v.Int(kGeneral, "UNIQSOLUTION", e.uniqSolution, 1, Flag(1));
  v.Int(kGeneral, "MAXITERGENER", e.maxIterGener, 3, Within(0, 100, 3));
  v.Percent(kGeneral, "PRINTSIZE", e.printSize, 100, PercentCheck::InRange);
  v.Int(kGeneral, "TRANSPARENCY", e.transparency, 55, Within(0, 255, 65));
  v.Int(kGeneral, "DELAYBGIMAGE", e.delayBgImage, 2, Clamped(0, 11));
  v.Int(kGeneral, "BGRANDOM", e.bgRandom, 1, Flag(1));
  v.Int(kGeneral, "GRIDCURRSIZE", e.gridCurrSize, 5, Within(0, 8, 5));
  v.Int(kGeneral, "GRIDCURRDISP", e.gridCurrDisp, 0, Within(0, 3, 0));
  v.Int(kGeneral, "GRIDCURRDIFFICULTY", e.gridCurrDifficulty, 1, Within(1, 4, 1));
  v.Word64(kGeneral, "GRIDCURRVARIENT-PART1", "GRIDCURRVARIENT-PART2", e.gridCurrVariant);
  v.Int(kGeneral, "ANIMGIF", e.animGif, 1, Flag(1));
  v.Int(kGeneral, "RESETIFFALSE", e.resetIfFalse, 1, Flag(1));
  v.Int(kGeneral, "ANIMACTION", e.animAction, 1, Flag(1));
  v.Int(kGeneral, "DRAG", e.drag, 0, Flag(0));
  v.Int(kGeneral, "PARASIT", e.parasit, 1, Flag(1));
  v.Int(kGeneral, "PUZZLEROTATION", e.puzzleRotation, 1, Flag(1));
  v.Int(kGeneral, "PUZZLEPIECEUNIQ", e.puzzlePieceUniq, 0, Flag(0));
  v.Int(kGeneral, "AUTONOBOAT", e.autoNoBoat, 1, Flag(1));
  v.Text(kGeneral, "IMAGENAME", e.imageName, "Animals.ani", PathForm::RelativeFile);
  v.Text(kGeneral, "BACKGROUNDIMAGE", e.backgroundImage, "BackGround\\goutte1.jpg", PathForm::AbsoluteFile);

  MusicSettings &m = s.music;
  v.Int(kMusic, "USEDIRECTORY", m.useDirectory, 1, Flag(0));
  v.Int(kMusic, "AUTOLOOP", m.autoLoop, 1, Flag(1));
  v.Int(kMusic, "SILENT", m.silent, 0, Flag(0));
  v.Int(kMusic, "MUSICVOLUME", m.musicVolume, 50, Within(0, 100, 0));
  v.Int(kMusic, "SOUNDVOLUME", m.soundVolume, -100, Clamped(-8000, 0));
  v.Int(kMusic, "MUSICSTOP", m.musicStop, 0, Flag(0));
  v.Text(kMusic, "MUSICFILE", m.musicFile, kDefaultMusicFile, PathForm::RelativeFile);

  v.Int(kCatalog, "VARDEPTH", c.varDepth, 33, Within(0, 100, 33));
  v.Int(kCatalog, "VARNGRIDS", c.varNGrids, 2, Within(2, 12, 2));
  v.Int(kCatalog, "VARMULT", c.varMult, 0, Within(0, 2, 0));

  ExpertSettings &x = s.expert;
  v.Int(kExpert, "DISPMASKTAB", x.dispMaskTab, 0, Flag(0));
  v.Int(kExpert, "NMASKTAB", x.nMaskTab, 1000, Clamped(1, 100000));
  v.Int(kExpert, "DONCELLMASKTAB", x.donCellMaskTab, 1, Within(1, 1, 1));
  v.Int(kExpert, "TIME OUT START", x.timeOutStart, 200, NoRule());
  v.Int(kExpert, "TIME OUT STOP", x.timeOutStop, 1400, NoRule());
  v.Int(kExpert, "TIME OUT STEP", x.timeOutStep, 400, NoRule());
  v.Int(kExpert, "REGULAR START", x.regularStart, 0, NoRule());
  v.Int(kExpert, "REGULAR STOP", x.regularStop, -1, NoRule());
  v.Int(kExpert, "NITERATIONS", x.iterations, 20, NoRule());
  v.Int(kExpert, "ISDISPLAY", x.isDisplay, 1, Flag(1));
  v.Int(kExpert, "ISDIAGONAL", x.isDiagonal, 1, Flag(1));
  v.Int(kExpert, "ISNORMAL", x.isNormal, 1, Flag(1));
  v.Int(kExpert, "SIZE START", x.sizeStart, 0, Clamped(0, 5));
  v.Int(kExpert, "SIZE STOP", x.sizeStop, 5, Clamped(0, 5));
  v.Int(kExpert, "NSELCELL START", x.selCellStart, 0, NoRule());
  v.Int(kExpert, "NSELCELL STOP", x.selCellStop, 10, NoRule());
  v.Int(kExpert, "NSELCELL TYPE", x.selCellType, 0, Clamped(0, 2));
  v.Int(kExpert, "NSELCELL STEP", x.selCellStep, 1, NoRule());
  v.Int(kExpert, "NBLANK START", x.blankStart, 0, NoRule());
  v.Int(kExpert, "NBLANK STOP", x.blankStop, 10, NoRule());
  v.Int(kExpert, "NBLANK STEP", x.blankStep, 1, NoRule());
  v.Int(kExpert, "NBLANK TYPE", x.blankType, 1, Clamped(0, 1));
  v.Int(kExpert, "VARIENT START", x.variantStart, 1, NoRule());
  v.Int(kExpert, "VARIENT STOP", x.variantStop, 10, NoRule());
  v.Int(kExpert, "VARIENT STEP", x.variantStep, 1, NoRule());

  v.Int(kMethod, "METHOD", s.method.method, kDefaultMethodMask, AtLeast(0, kDefaultMethodMask));

  ParameterSettings &p = s.parameter;
  v.Int(kParameter, "TIMEOVER", p.timeOver, 2048, TimeLimit(2048));
  v.Int(kParameter, "MAXSEARCHSAVE", p.maxSearchSave, 100, Within(1, 100, 100));
  v.Int(kParameter, "MAXSEARCHGRID", p.maxSearchGrid, 200, AtLeast(1, 200));
  v.Int(kParameter, "GENERETIMEOVER", p.genereTimeOver, 510, TimeLimit(510));
  v.Int(kParameter, "QRBDebug", p.qrbDebug, 0, Flag(0));
  v.Int(kParameter, "DEBUGDC", p.debugDc, 0, Flag(0));
  v.Int(kParameter, "DEBUGDCRT", p.debugDcRt, 0, Flag(0));
  v.Int(kParameter, "DEBUGUNDO", p.debugUndo, 0, Flag(0));

  v.Int(kCatalog, "QUELLABOSITE", c.quellaboSite, 0, NoRule());
  v.Int(kCatalog, "QUELLABODIFF", c.quellaboDiff, 1, NoRule());

  v.Int(kScan, "GRIDLEVEL", s.scan.gridLevel, 50, NoRule());
  v.Int(kScan, "AUTOSCAN", s.scan.autoScan, 0, Within(0, 3, 0));

  DefiSettings &f = s.defi;
  v.Int(kDefi, "DEFIGRIDDIFF", f.defiGridDiff, 1, Within(1, 4, 1));
  v.Int(kDefi, "DEFIPOSSIBLE", f.defiPossible, 0, Flag(0));
  v.Int(kDefi, "DEFIMAXTIME", f.defiMaxTime, 30, NoRule());
  v.Int(kDefi, "DEFINBCELLS", f.defiNbCells, 3, NoRule());
  v.Int(kDefi, "DEFIGRIDSIZE", f.defiGridSize, 3, Within(0, 8, 5));
  v.Int(kDefi, "DEFIPORT", f.defiPort, 11078, Within(0, 65535, 11078));
  v.Int(kDefi, "DEFIINHIBIT", f.defiInhibit, 1, NoRule());
  v.Text(kDefi, "PLAYERNAME", f.playerName, "", PathForm::AsIs);
  v.Text(kDefi, "SERVICEHOST", f.serviceHost, "", PathForm::AsIs);
  v.Text(kDefi, "VERSIONPAGE", f.versionPage, "", PathForm::AsIs);

  GenerationSettings &n = s.generation;
  for (size_t i = 0; i < kGenerationKinds; ++i) {
    const std::string suffix(GenerationKeys[i].suffix);
    const GenerationDefault &fallback = GenerationKeys[i];
    v.Percent(kGeneration, "FAC" + suffix, n.fac[i], fallback.fac, PercentCheck::None);
    v.Int(kGeneration, "MIND" + suffix, n.mind[i], fallback.mind, NoRule());
    v.Int(kGeneration, "LIM" + suffix, n.lim[i], fallback.lim, NoRule());
  }

  GameDurationSettings &t = s.gameDuration;
  v.Int(kGameDuration, "DEFAULT", t.defaultDuration, 300, GameDuration());
  for (int size = 0; size < kDurationSizes; ++size)
    for (int level = 0; level < kDurationLevels; ++level)
      v.Int(kGameDuration, DurationKey(size, level), t.duration[size][level], kDurationDefaults[size][level],
            GameDuration());
  // A factor of 0 would make the time limit divide by zero: the factors are checked.
  for (const TimeFactorKey &factor : TimeFactorKeys)
    v.Percent(kGameDuration, factor.key, t.*factor.field, factor.storedDefault, PercentCheck::InRange);

  GameParasiteSettings &r = s.gameParasite;
  v.Int(kGameParasite, "PARFACKID", r.parFacKid, 7, NoRule());
  v.Int(kGameParasite, "PAROFFKID", r.parOffKid, 3, NoRule());
  v.Int(kGameParasite, "PARFACQUICK", r.parFacQuick, 7, NoRule());
  v.Int(kGameParasite, "PAROFFQUICK", r.parOffQuick, 3, NoRule());
  v.Int(kGameParasite, "PARCTE", r.parCte, 250, NoRule());
  v.Int(kGameParasite, "MOVEINDEXSTART", r.moveIndexStart, 2, NoRule());
  v.Int(kGameParasite, "MOVEINDEXMAX", r.moveIndexMax, 80, NoRule());
  v.Int(kGameParasite, "MOVEINDEX1", r.moveIndex1, 4, NoRule());
  v.Int(kGameParasite, "MOVEINDEX2", r.moveIndex2, 10, NoRule());
  v.Int(kGameParasite, "MOVEINDEX3", r.moveIndex3, 20, NoRule());
  v.Int(kGameParasite, "MOVEINDEX4", r.moveIndex4, 75, NoRule());
  v.Int(kGameParasite, "MOVEFAC1", r.moveFac1, 1, NoRule());
  v.Int(kGameParasite, "MOVEFAC2", r.moveFac2, 2, NoRule());
  v.Int(kGameParasite, "MOVEFAC3", r.moveFac3, 3, NoRule());
  v.Int(kGameParasite, "MOVEFAC4", r.moveFac4, 4, NoRule());
  v.Int(kGameParasite, "MOVECTE1", r.moveCte1, 26, NoRule());
  v.Int(kGameParasite, "MOVECTE2", r.moveCte2, 24, NoRule());
  v.Int(kGameParasite, "MOVECTE3", r.moveCte3, 22, NoRule());
  v.Int(kGameParasite, "MOVECTE4", r.moveCte4, 20, NoRule());
  v.Int(kGameParasite, "MOVECTE5", r.moveCte5, 1, NoRule());
}

float PercentFromStored(int32_t stored) {
  // Stored as unsigned: a negative number reads as a huge factor, which the range check catches.
  return static_cast<float>(static_cast<double>(static_cast<uint32_t>(stored)) / kPercentScale);
}

bool PercentInRange(float value) { return value >= kPercentLow && value <= kPercentHigh; }

// A non-negative scaled value as its unsigned 32-bit pattern.
int32_t StoredUnsigned(double scaled) {
  if (!(scaled > 0)) // also a NaN
    return 0;
  const double limited = std::clamp(scaled, 0.0, static_cast<double>(std::numeric_limits<uint32_t>::max()));
  return static_cast<int32_t>(static_cast<uint32_t>(limited));
}

class Loader final : public SettingsVisitor {
public:
  explicit Loader(AbstractProfileStore &store) : store_(store) {}

  void Int(std::string_view section, std::string_view key, int32_t &field, int32_t fallback,
           IntRule rule) override {
    field = rule.Apply(store_.GetInt(section, key, fallback));
  }
  void Percent(std::string_view section, std::string_view key, float &field, int32_t storedFallback,
               PercentCheck check) override {
    field = PercentFromStored(store_.GetInt(section, key, storedFallback));
    if (check == PercentCheck::InRange && !PercentInRange(field))
      field = PercentFromStored(storedFallback);
  }
  void Fraction(std::string_view section, std::string_view key, double &field,
                int32_t storedFallback) override {
    field = static_cast<uint32_t>(store_.GetInt(section, key, storedFallback)) / kFractionScale;
    if (field > kFractionHigh)
      field = kFractionReplacement;
  }
  void Text(std::string_view section, std::string_view key, std::string &field, std::string_view fallback,
            PathForm form) override {
    field = store_.GetString(section, key, fallback);
    if (form == PathForm::Directory || form == PathForm::AbsoluteFile)
      field = MakeAbsolutePath(field);
  }
  void Word64(std::string_view section, std::string_view lowKey, std::string_view highKey,
              uint64_t &field) override {
    const auto low = static_cast<uint32_t>(store_.GetInt(section, lowKey, 0));
    const auto high = static_cast<uint32_t>(store_.GetInt(section, highKey, 0));
    field = (static_cast<uint64_t>(high) << 32) | low;
  }

private:
  AbstractProfileStore &store_;
};

class Saver final : public SettingsVisitor {
public:
  explicit Saver(AbstractProfileStore &store) : store_(store) {}

  void Int(std::string_view section, std::string_view key, int32_t &field, int32_t, IntRule) override {
    store_.WriteInt(section, key, field);
  }
  void Percent(std::string_view section, std::string_view key, float &field, int32_t storedFallback,
               PercentCheck check) override {
    if (check == PercentCheck::InRange && !PercentInRange(field)) {
      store_.WriteInt(section, key, storedFallback);
      return;
    }
    // Rounded, not truncated: a factor of 0.29 is 28.999... times 100.
    store_.WriteInt(section, key, StoredUnsigned(std::round(static_cast<double>(field) * kPercentScale)));
  }
  void Fraction(std::string_view section, std::string_view key, double &field, int32_t) override {
    store_.WriteInt(section, key, StoredUnsigned(field * kFractionScale));
  }
  void Text(std::string_view section, std::string_view key, std::string &field, std::string_view,
            PathForm form) override {
    const bool relative = form == PathForm::RelativeFile || form == PathForm::AbsoluteFile;
    store_.WriteString(section, key, relative ? MakeRelativePath(field) : field);
  }
  void Word64(std::string_view section, std::string_view lowKey, std::string_view highKey,
              uint64_t &field) override {
    store_.WriteInt(section, lowKey, static_cast<int32_t>(static_cast<uint32_t>(field)));
    store_.WriteInt(section, highKey, static_cast<int32_t>(static_cast<uint32_t>(field >> 32)));
  }

private:
  AbstractProfileStore &store_;
};

// A value edited in memory put under the rule a load would apply to it.
class Repairer final : public SettingsVisitor {
public:
  void Int(std::string_view, std::string_view, int32_t &field, int32_t, IntRule rule) override {
    field = rule.Apply(field);
  }
  void Percent(std::string_view, std::string_view, float &field, int32_t storedFallback,
               PercentCheck check) override {
    if (check == PercentCheck::InRange && !PercentInRange(field))
      field = PercentFromStored(storedFallback);
  }
  void Fraction(std::string_view, std::string_view, double &field, int32_t) override {
    if (!(field >= 0 && field <= kFractionHigh)) // a NaN too
      field = kFractionReplacement;
  }
  void Text(std::string_view, std::string_view, std::string &, std::string_view, PathForm) override {}
  void Word64(std::string_view, std::string_view, std::string_view, uint64_t &) override {}
};

// Challenge players: "DEFIPLAYER%3d..." with the index printed in three characters. The 32-bit
// address is kept as its low 31 bits (IPLOW) and its top bit (IPHIGH, 0 or 1), so that neither
// value is negative.
constexpr uint32_t kAddressTopBit = 0x80000000u;

std::string PlayerKey(int index, std::string_view field) {
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "DEFIPLAYER%3d", index);
  return prefix + std::string(field);
}

std::vector<DefiPlayerSetting> LoadPlayers(AbstractProfileStore &store) {
  const int count = std::clamp(store.GetInt(kDefi, kPlayerCountKey, 0), 0, kMaxDefiPlayers);
  std::vector<DefiPlayerSetting> players(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    DefiPlayerSetting &player = players[static_cast<size_t>(i)];
    player.remote = store.GetInt(kDefi, PlayerKey(i, "REMOTE"), 0);
    const auto low = static_cast<uint32_t>(store.GetInt(kDefi, PlayerKey(i, "IPLOW"), 0));
    const bool high = store.GetInt(kDefi, PlayerKey(i, "IPHIGH"), 0) != 0;
    player.ipAddress = (low & ~kAddressTopBit) | (high ? kAddressTopBit : 0);
    player.name = store.GetString(kDefi, PlayerKey(i, "NAME"), "");
    player.handicap = store.GetInt(kDefi, PlayerKey(i, "HANDICAP"), 0);
    player.check = store.GetInt(kDefi, PlayerKey(i, "CHECK"), 0);
  }
  return players;
}

void SavePlayers(AbstractProfileStore &store, const std::vector<DefiPlayerSetting> &players) {
  // Only local players are kept, renumbered from 0 so that every one is read back.
  int written = 0;
  for (const DefiPlayerSetting &player : players) {
    if (player.remote != 0 || written == kMaxDefiPlayers)
      continue;
    store.WriteInt(kDefi, PlayerKey(written, "REMOTE"), player.remote);
    store.WriteInt(kDefi, PlayerKey(written, "IPLOW"),
                   static_cast<int32_t>(player.ipAddress & ~kAddressTopBit));
    store.WriteInt(kDefi, PlayerKey(written, "IPHIGH"), (player.ipAddress & kAddressTopBit) ? 1 : 0);
    store.WriteString(kDefi, PlayerKey(written, "NAME"), player.name);
    store.WriteInt(kDefi, PlayerKey(written, "HANDICAP"), player.handicap);
    store.WriteInt(kDefi, PlayerKey(written, "CHECK"), player.check);
    ++written;
  }
  store.WriteInt(kDefi, kPlayerCountKey, written);
}

} // namespace

const std::array<TimeFactorKey, kTimeFactorCount> TimeFactorKeys = {{
    {"MTFCHAMPION", &GameDurationSettings::mtfChampion, 100},
    {"MTFKIDS", &GameDurationSettings::mtfKids, 50},
    {"MTFQUICK", &GameDurationSettings::mtfQuick, 125},
    {"MTFTRIPLE", &GameDurationSettings::mtfTriple, 100},
    {"MTFDEFI", &GameDurationSettings::mtfDefi, 100},
    {"MTFOTHER", &GameDurationSettings::mtfOther, 100},
}};

float TimeFactorOfMode(const GameDurationSettings &durations, int gameMode) {
  size_t index;
  switch (gameMode) {
  case 0: // champion
  case 5: // Quellabo
    index = 0;
    break;
  case 1:
  case 2:
  case 3:
    index = static_cast<size_t>(gameMode);
    break;
  case 6: // challenge
    index = 4;
    break;
  default:
    index = 5;
  }
  const TimeFactorKey &key = TimeFactorKeys[index];
  const float factor = durations.*key.field;
  return PercentInRange(factor) ? factor : PercentFromStored(key.storedDefault);
}

std::string DurationKey(int sizeIndex, int levelIndex) {
  return std::string(kDurationSizeNames[static_cast<size_t>(sizeIndex)]) +
         std::string(kDurationLevelNames[static_cast<size_t>(levelIndex)]);
}

Language ReadLanguage(AbstractProfileStore &store) {
  return LanguageFromStored(store.GetInt(kGeneral, kLanguageKey, static_cast<int32_t>(Language::NotChosen)));
}

void LoadSettings(AbstractProfileStore &store, AppSettings &settings, SettingsLoad kind) {
  const Language chosen = settings.general.language;
  std::vector<DefiPlayerSetting> playersInUse = std::move(settings.defi.players);
  Loader loader(store);
  VisitSettings(settings, loader);
  // Challenge networking stays off after every load until the player switches it on.
  settings.defi.defiInhibit = 1;
  if (kind == SettingsLoad::StartUp) {
    settings.general.language = ReadLanguage(store);
    settings.defi.players = LoadPlayers(store);
  } else {
    // The language picked from the menu and the players of a running challenge outlive a reload.
    settings.general.language = chosen;
    settings.defi.players = std::move(playersInUse);
  }
}

void RepairSettings(AppSettings &settings) {
  Repairer repairer;
  VisitSettings(settings, repairer);
}

bool SaveSettings(AbstractProfileStore &store, const AppSettings &settings) {
  // The visitor takes fields by reference for loading; saving only reads them.
  AppSettings copy = settings;
  Saver saver(store);
  VisitSettings(copy, saver);
  store.WriteInt(kGeneral, kLanguageKey, static_cast<int32_t>(settings.general.language));
  SavePlayers(store, settings.defi.players);
  return store.Flush();
}

AppSettings DefaultSettings() {
  MemoryProfileStore empty;
  AppSettings settings;
  LoadSettings(empty, settings);
  return settings;
}

} // namespace quorbel

namespace quorbel {

namespace {

// Every field of the schema in visiting order, with its section and key, so that two settings
// blocks can be compared and copied key by key.
class FieldList final : public SettingsVisitor {
public:
  using FieldRef = std::variant<int32_t *, float *, double *, std::string *, uint64_t *>;
  struct Field {
    std::string name;
    FieldRef ref;
  };
  std::vector<Field> fields;

  void Int(std::string_view section, std::string_view key, int32_t &field, int32_t, IntRule) override {
    Add(section, key, &field);
  }
  void Percent(std::string_view section, std::string_view key, float &field, int32_t, PercentCheck) override {
    Add(section, key, &field);
  }
  void Fraction(std::string_view section, std::string_view key, double &field, int32_t) override {
    Add(section, key, &field);
  }
  void Text(std::string_view section, std::string_view key, std::string &field, std::string_view,
            PathForm) override {
    Add(section, key, &field);
  }
  void Word64(std::string_view section, std::string_view lowKey, std::string_view, uint64_t &field) override {
    Add(section, lowKey, &field);
  }

private:
  void Add(std::string_view section, std::string_view key, FieldRef ref) {
    fields.push_back({std::string(section) + "/" + std::string(key), ref});
  }
};

FieldList FieldsOf(AppSettings &settings) {
  FieldList list;
  VisitSettings(settings, list);
  return list;
}

bool SameValue(const FieldList::FieldRef &a, const FieldList::FieldRef &b) {
  return std::visit([&b](auto *x) { return *x == *std::get<decltype(x)>(b); }, a);
}

} // namespace

std::set<std::string> ChangedSettingKeys(const AppSettings &before, const AppSettings &after) {
  AppSettings a = before;
  AppSettings b = after;
  const FieldList fa = FieldsOf(a);
  const FieldList fb = FieldsOf(b);
  std::set<std::string> changed;
  for (size_t i = 0; i < fa.fields.size(); ++i)
    if (!SameValue(fa.fields[i].ref, fb.fields[i].ref))
      changed.insert(fa.fields[i].name);
  return changed;
}

void CopySettingKeys(AppSettings &to, const AppSettings &from, const std::set<std::string> &keys) {
  AppSettings source = from;
  const FieldList fs = FieldsOf(source);
  const FieldList ft = FieldsOf(to);
  for (size_t i = 0; i < ft.fields.size(); ++i)
    if (keys.contains(ft.fields[i].name))
      std::visit([&fs, i](auto *target) { *target = *std::get<decltype(target)>(fs.fields[i].ref); },
                 ft.fields[i].ref);
}

} // namespace quorbel
