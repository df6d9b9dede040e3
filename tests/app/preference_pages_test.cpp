// The preference pages' plain part: the time-limit lists, the General page's live edits and the
// colour files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/cell_page.h"
#include "app/colour_file.h"
#include "app/general_page.h"
#include "app/geometry_page.h"
#include "app/grid_page.h"
#include "app/preference_sheet.h"
#include "app/settings_schema.h"
#include "app/text_page.h"
#include "app/timeout_table.h"
#include "app/volume_table.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {
namespace {

class FakeEffects final : public PreferenceEffects {
public:
  void SettingsChanged() override { ++Syncs; }
  void RedrawBoard(bool relayout) override { Redraws.push_back(relayout); }
  void UpdatePreferenceControls() override { ++ControlUpdates; }
  void ClearMagicSelection() override { ++ProfileClears; }
  void RecordStep(const RecordedAction &step) override { Steps.push_back(step); }
  void SaveSettings() override { ++Saves; }
  void FillMagicList() override { ++ProfileFills; }
  void ClearLogFile() override { ++LogClears; }
  void OpenWithShell(const std::string &path) override { Opened.push_back(path); }
  void PostMessage(const std::string &line) override { Lines.push_back(line); }
  void ReloadBackground() override { ++Reloads; }
  std::string PickRandomBackground() override { return RandomPicture; }
  void RestartBackgroundRotation() override { ++Rotations; }
  std::string ChooseBackgroundFile(const std::string &folder) override {
    Folders.push_back(folder);
    return Chosen;
  }

  bool LoadPictureSet(const std::string &set, PictureOrderMode mode) override {
    Loaded.push_back(set);
    LoadModes.push_back(mode);
    return set != "broken.ani";
  }
  PictureOrder CurrentPictureOrder() override { return Order; }
  void SetPictureOrder(const PictureOrder &order) override { Order = order; }
  std::vector<std::string> PictureSetFiles() override { return SetFiles; }
  std::string ChoosePictureSetFile(const std::string &) override { return Chosen; }
  void BuildValueCursors() override { ++CursorBuilds; }
  void DrawSymbolPreview() override {}
  std::optional<ColorRef> ChooseColour(ColorRef) override { return Colour; }
  std::string ChooseColourFile(bool) override { return ColourPath; }
  void SaveColours() override { ++ColourSaves; }
  void HideSheet() override { ++Hides; }
  void ApplyMusicVolume() override { ++VolumeApplied; }
  std::string ChooseMusicFile(const std::string &) override { return Chosen; }
  std::string ChooseFolder(const std::string &) override { return Chosen; }
  void StartChallengeListen(int32_t port) override { Listened.push_back(port); }

  int VolumeApplied = 0;
  std::vector<int32_t> Listened;

  std::optional<ColorRef> Colour;
  std::string ColourPath;
  int ColourSaves = 0, Hides = 0;

  std::vector<std::string> Loaded, SetFiles;
  std::vector<PictureOrderMode> LoadModes;
  PictureOrder Order{};
  int CursorBuilds = 0;
  std::vector<bool> Redraws;
  std::vector<std::string> Lines, Folders;
  std::string RandomPicture, Chosen;
  int Reloads = 0, Rotations = 0;
  int Syncs = 0;
  int ControlUpdates = 0, ProfileClears = 0, Saves = 0, ProfileFills = 0, LogClears = 0;
  std::vector<RecordedAction> Steps;
  std::vector<std::string> Opened;
};

TEST(TimeoutTable, EachLimitShowsTheFirstEntryAtLeastAsLong) {
  EXPECT_EQ(TimeoutToComboIndex(510), 4);
  EXPECT_EQ(TimeoutToComboIndex(-1), 19);
  EXPECT_EQ(TimeoutToComboIndex(100000), 12);
  EXPECT_EQ(TimeoutToComboIndex(0), 0);
  EXPECT_EQ(TimeoutToComboIndex(32), 0);
  EXPECT_EQ(TimeoutToComboIndex(33), 1);
  EXPECT_EQ(TimeoutToComboIndex(2000000000), 18); // beyond the table: the longest finite entry
  EXPECT_EQ(TimeoutTable[4], 512);
  EXPECT_EQ(TimeoutText(4, true, TimeoutList::Generation), "0,51s(défaut)");
  EXPECT_EQ(TimeoutText(4, false, TimeoutList::Search), "0,51s");
  EXPECT_EQ(TimeoutText(6, false, TimeoutList::Search), "2s(default)");
  EXPECT_EQ(TimeoutText(19, true, TimeoutList::Search), "Aucun");
  EXPECT_EQ(TimeoutText(20, false, TimeoutList::Search), "");
}

class PreferencePageTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = StartDirectory();
    SetStartDirectory("/start");
  }
  void TearDown() override { SetStartDirectory(previous_); }

  AppSettings settings = DefaultSettings();
  FakeEffects effects;
  GeneralPage page{settings, effects};
  std::string previous_;
};

TEST_F(PreferencePageTest, TheListsShowTheStoredLimitsAndStoreTheirEntries) {
  settings.parameter.genereTimeOver = 510;
  settings.parameter.timeOver = -1;
  page.LoadPageFromSettings();
  EXPECT_EQ(page.Values.GenerationTimeIndex, 4);
  EXPECT_EQ(page.Values.SearchTimeIndex, 19);
  page.SetGenerationTimeIndex(4);
  EXPECT_EQ(settings.parameter.genereTimeOver, 512);
  EXPECT_EQ(effects.Syncs, 1); // the engine reads the limits
  page.SetSearchTimeIndex(19);
  EXPECT_EQ(settings.parameter.timeOver, -1);
}

TEST_F(PreferencePageTest, NumbersOutsideTheirRangeNeverReachTheSettings) {
  page.SetPrintSize(0.0f);
  EXPECT_FLOAT_EQ(settings.general.printSize, 1.0f);
  EXPECT_FLOAT_EQ(page.Values.PrintSize, 1.0f);
  page.SetPrintSize(2.5f);
  EXPECT_FLOAT_EQ(settings.general.printSize, 2.5f);
  page.SetMaxIterGener(500);
  EXPECT_EQ(settings.general.maxIterGener, 3);
  page.SetMaxIterGener(7);
  EXPECT_EQ(settings.general.maxIterGener, 7);
}

TEST_F(PreferencePageTest, SwitchesStoreAtOnceAndRecordTheirSteps) {
  page.SetPosLoad(true);
  EXPECT_EQ(settings.general.posLoad, 1);
  ASSERT_EQ(effects.Steps.size(), 1u);
  EXPECT_EQ(effects.Steps[0].Strings[0], "POSLOAD");
  EXPECT_EQ(effects.Steps[0].Strings[1], "Y");
  page.SetPrefLoad(false);
  EXPECT_EQ(effects.Steps.back().Strings[1], "N");
  page.SetUniqSolution(false);
  EXPECT_EQ(settings.general.uniqSolution, 0);
  EXPECT_EQ(effects.ControlUpdates, 1);
  page.SetLastOpen(true);
  page.SetLog(true);
  EXPECT_EQ(effects.Steps.size(), 2u); // neither records a step
  EXPECT_EQ(effects.Saves, 0);
}

TEST_F(PreferencePageTest, StandardDirectoriesResetTheSevenFoldersAndSaveAtOnce) {
  settings.directory.background = "/elsewhere/pictures/";
  page.SetStandardDirectories(false);
  EXPECT_EQ(settings.directory.background, "/elsewhere/pictures/");
  EXPECT_EQ(effects.Saves, 0);
  page.SetStandardDirectories(true);
  EXPECT_EQ(settings.directory.background, "/start/BackGround/");
  EXPECT_EQ(settings.directory.magic, "/start/MagicPref/");
  EXPECT_EQ(settings.directory.music, MakeAbsolutePath(".\\"));
  EXPECT_EQ(effects.Saves, 1);
  EXPECT_EQ(effects.ProfileFills, 1);
  page.OpenLog();
  EXPECT_EQ(effects.Opened, std::vector<std::string>{"/start/Quorbel.sudlog"});
}

TEST_F(PreferencePageTest, TheCellModeIsChosenByItsPictureAndTheAreasRepaintAsTheyChange) {
  CellPage cell(settings, effects);
  cell.ChooseMode(2);
  EXPECT_EQ(settings.general.probType, 2);
  EXPECT_EQ(cell.PictureMode, 2);
  EXPECT_EQ(effects.Steps.back().Code, kMacroPrefCell);
  EXPECT_EQ(effects.Steps.back().Strings[0], "MAT");
  settings.general.probType = 0;
  cell.LoadPageFromSettings();
  EXPECT_EQ(cell.Values.Mode, 0);
  EXPECT_EQ(cell.PictureMode, 2); // a reload leaves the pictures
  cell.SetSwitch(CellPageSwitch::Comment, true);
  cell.SetSwitch(CellPageSwitch::MatAll, false);
  EXPECT_EQ(settings.general.displayComment, 1);
  EXPECT_EQ(effects.Redraws, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(effects.Steps.back().Strings[0], "MATALL");
  EXPECT_EQ(effects.Steps.back().Strings[1], "N");
  EXPECT_EQ(effects.ProfileClears, 3);
}

TEST_F(PreferencePageTest, ColourSeparationAndBlackBarsClearEachOther) {
  GridPage grid(settings, effects);
  settings.general.blockBars = 1;
  grid.LoadPageFromSettings();
  grid.SetSwitch(GridPageSwitch::BlockLimit, true);
  EXPECT_EQ(settings.general.blockBars, 0);
  EXPECT_FALSE(grid.Values.BlockBars);
  grid.SetSwitch(GridPageSwitch::BlockLimit, false); // unticked: the bars stay off
  EXPECT_EQ(settings.general.blockBars, 0);
  grid.SetSwitch(GridPageSwitch::BlockBars, true);
  EXPECT_EQ(settings.general.blockLimit, 0);
  EXPECT_EQ(effects.Steps.back().Strings[0], "BLOCKBAR");
}

TEST_F(PreferencePageTest, TheSlidersStoreOnlyWhenMovedAndTheDelayOnlyWithTheRandomChange) {
  GridPage grid(settings, effects);
  settings.general.transparency = 128;
  settings.general.delayBgImage = 2;
  grid.LoadPageFromSettings();
  EXPECT_EQ(settings.general.transparency, 128); // showing the page stores nothing
  EXPECT_EQ(grid.Values.Delay, 18);
  grid.MoveTransparency(100);
  EXPECT_EQ(settings.general.transparency, 255);
  grid.ReleaseTransparency();
  EXPECT_EQ(effects.Steps.back().Ints[0], 255);

  settings.general.bgRandom = 0;
  grid.LoadPageFromSettings();
  grid.ReleaseDelay(50);
  EXPECT_EQ(settings.general.delayBgImage, 2);
  EXPECT_TRUE(effects.Lines.empty());
  grid.Values.BgRandom = true;
  settings.general.language = Language::English;
  grid.ReleaseDelay(50);
  EXPECT_EQ(settings.general.delayBgImage, 5);
  EXPECT_EQ(effects.Lines.back(), "Background Image Randomly every 20 (mn)");
  grid.ReleaseDelay(100);
  EXPECT_EQ(settings.general.delayBgImage, 11);
  EXPECT_EQ(effects.Lines.back(), "Background Image Changed when generated");
  EXPECT_EQ(effects.Rotations, 2);
}

TEST_F(PreferencePageTest, ACancelledPictureChoiceRemovesThePictureAndTheRandomChange) {
  GridPage grid(settings, effects);
  settings.general.bgRandom = 1;
  settings.general.standarDir = 0;
  effects.Chosen = "/pictures/sea.jpg";
  grid.ChooseBackgroundImage();
  EXPECT_EQ(settings.general.backgroundImage, "/pictures/sea.jpg");
  EXPECT_EQ(settings.directory.background, "/pictures/");
  EXPECT_EQ(grid.Values.ShownName, "sea.jpg");
  EXPECT_EQ(settings.general.bgRandom, 0);
  effects.Chosen.clear();
  grid.ChooseBackgroundImage();
  EXPECT_EQ(settings.general.backgroundImage, "");
  EXPECT_EQ(settings.directory.background, "/pictures/");
  EXPECT_EQ(effects.Reloads, 2);
}

TEST_F(PreferencePageTest, GeometryValuesRecordEachKeystrokeAndKeepToTheirRules) {
  GeometryPage geometry(settings, effects);
  geometry.SetValue(0, 4);
  geometry.SetValue(0, 45);
  EXPECT_EQ(settings.general.longCase, 45);
  ASSERT_EQ(effects.Steps.size(), 2u);
  EXPECT_EQ(effects.Steps[0].Strings[0], "DX");
  EXPECT_EQ(effects.Steps[0].Ints[0], 4);
  EXPECT_EQ(effects.Steps[1].Ints[0], 45);
  geometry.SetValue(0, -3); // a cell of no size never reaches the painter
  EXPECT_GE(settings.general.longCase, 1);
  EXPECT_EQ(geometry.Values[0], settings.general.longCase);
  geometry.SetValue(8, 7);
  EXPECT_EQ(settings.general.borderBlock, 7);
  EXPECT_EQ(effects.Steps.back().Strings[0], "BDB");
}

TEST_F(PreferencePageTest, TheTextPageOffersTheModesTheShapeAllowsAndStepsRoundTheSets) {
  constexpr int kNine = 5, kSixteen = 8;
  EXPECT_FALSE(DisplayModeOffered(2, kNine));
  EXPECT_TRUE(DisplayModeOffered(0, kNine));
  EXPECT_FALSE(DisplayModeOffered(0, kSixteen));
  EXPECT_TRUE(DisplayModeOffered(2, kSixteen));
  EXPECT_TRUE(DisplayModeOffered(3, kSixteen));

  TextPage text(settings, effects);
  effects.SetFiles = {"Animals.ani", "Domino.ani", "Kids.ani"};
  settings.general.imageName = "/start/ANIMALS.ANI";
  text.StepPictureSet(false); // before the first: the last
  EXPECT_EQ(settings.general.imageName, "Kids.ani");
  EXPECT_EQ(text.Values.SetTitle, "Kids");
  text.StepPictureSet(true); // after the last: the first
  EXPECT_EQ(settings.general.imageName, "Animals.ani");
  EXPECT_EQ(effects.LoadModes.back(), PictureOrderMode::Identity);
  EXPECT_EQ(effects.Steps.back().Code, kMacroPrefAnim);
  effects.SetFiles = {"broken.ani"};
  text.StepPictureSet(true);
  EXPECT_EQ(settings.general.imageName, "Animals.ani"); // a set that cannot load changes nothing
}

TEST_F(PreferencePageTest, TheTextPagesCancelPutsBackThePictureOrderItFound) {
  TextPage text(settings, effects);
  effects.Order[0] = 7;
  text.LoadPageFromSettings();
  settings.general.imageName = "Animals.ani";
  text.ShufflePictures();
  EXPECT_EQ(effects.LoadModes.back(), PictureOrderMode::Shuffle);
  EXPECT_EQ(effects.Steps.back().Code, kMacroClick);
  effects.Order[0] = 3;
  text.Cancel();
  EXPECT_EQ(effects.Order[0], 7);
  text.ChooseMode(3);
  EXPECT_EQ(settings.general.gridCurrDisp, 3);
  EXPECT_EQ(effects.Steps.back().Strings[0], "CARTOON");
}

TEST_F(PreferencePageTest, CancelGivesBackTheStateTheSheetOpenedWith) {
  BoardColours colours = DefaultColours();
  settings.defi.defiInhibit = 0; // a challenge on
  settings.general.cellSquare = 0;
  effects.Order[0] = 9;
  PreferenceSheet sheet(settings, colours, effects);
  sheet.Open();
  EXPECT_EQ(effects.Saves, 1);
  sheet.Grid.SetSwitch(GridPageSwitch::CellSquare, true);
  EXPECT_EQ(settings.general.cellSquare, 1);
  sheet.Geometry.SetValue(0, 80);
  effects.Colour = 0x123456;
  sheet.Colour.ClickSwatch(5);
  EXPECT_EQ(colours.ColBad, 0x123456u);
  effects.Order[0] = 4; // a shuffle
  sheet.Cancel();
  EXPECT_EQ(settings.general.cellSquare, 0);
  EXPECT_EQ(settings.general.longCase, DefaultSettings().general.longCase);
  EXPECT_EQ(colours.ColBad, DefaultColours().ColBad);
  EXPECT_EQ(effects.Order[0], 9);
  EXPECT_EQ(settings.defi.defiInhibit, 0);
  EXPECT_EQ(effects.Hides, 1);
}

TEST_F(PreferencePageTest, CancelTakesBackOnlyWhatTheSheetChanged) {
  BoardColours colours = DefaultColours();
  settings.general.cellSquare = 0;
  PreferenceSheet sheet(settings, colours, effects);
  sheet.Open();
  sheet.Grid.SetSwitch(GridPageSwitch::CellSquare, true);
  sheet.Activated(); // back from a dialog of its own: still the sheet's edits
  sheet.Deactivated();
  // Meanwhile the player starts a Kids game from the main window and picks a cell type.
  settings.game.mode = kGameModeKids;
  settings.game.kidGrid = 4;
  settings.catalog.baseGrid = 4;
  settings.general.probType = 2;
  sheet.Activated();
  sheet.Geometry.SetValue(0, 80);
  sheet.Cancel();
  EXPECT_EQ(settings.general.cellSquare, 0);
  EXPECT_EQ(settings.general.longCase, DefaultSettings().general.longCase);
  EXPECT_EQ(settings.game.mode, kGameModeKids);
  EXPECT_EQ(settings.game.kidGrid, 4);
  EXPECT_EQ(settings.catalog.baseGrid, 4);
  EXPECT_EQ(settings.general.probType, 2);
}

TEST_F(PreferencePageTest, OkKeepsWhatChangedElsewhereWhileTheSheetWasOpen) {
  BoardColours colours = DefaultColours();
  PreferenceSheet sheet(settings, colours, effects);
  sheet.Open();
  sheet.Cell.ChooseMode(2);
  settings.general.probType = 1; // the Display menu, while the sheet is open
  settings.general.delayBgImage = 2;
  sheet.Ok();
  EXPECT_EQ(settings.general.probType, 1);
  EXPECT_EQ(settings.general.delayBgImage, 2); // no slider drift
  EXPECT_EQ(effects.ColourSaves, 1);
  EXPECT_EQ(effects.Steps.back().Strings[0], "PREFERENCE");
  EXPECT_EQ(effects.Steps.back().Strings[1], "N");
}

TEST_F(PreferencePageTest, ASwatchOpensTheChooserAndTheDefaultsComeBackWithoutOne) {
  BoardColours colours = DefaultColours();
  ColourPage page(colours, effects);
  page.LoadColours();
  effects.Colour.reset(); // cancelled: still stored and repainted
  page.ClickSwatch(0);
  EXPECT_EQ(effects.Redraws.size(), 1u);
  page.ClickSwatch(-1); // beside every swatch
  EXPECT_EQ(effects.Redraws.size(), 1u);
  effects.Colour = 0xABCDEF;
  page.ClickSwatch(13);
  EXPECT_EQ(colours.ColBorder, 0xABCDEFu);
  page.SetDefaultColours();
  EXPECT_EQ(colours.ColBorder, DefaultColours().ColBorder);
  EXPECT_FALSE(page.LoadColourFile()); // no file chosen
}

TEST(VolumeTable, TheEntriesAndTheirInverse) {
  EXPECT_EQ(VolumeTable(0), -8022);
  EXPECT_EQ(VolumeTable(20), -326);
  EXPECT_EQ(VolumeTable(100), 0);
  for (int position = 0; position < kVolumePositions; ++position)
    EXPECT_EQ(VolumePosition(VolumeTable(position)), position) << position;
}

TEST_F(PreferencePageTest, VariantMusicAndScanChoicesActAtOnceAndCancelGivesThemBack) {
  BoardColours colours = DefaultColours();
  settings.general.puzzleRotation = 1;
  settings.music.musicVolume = 10;
  settings.music.soundVolume = -100;
  settings.scan.autoScan = 0;
  PreferenceSheet sheet(settings, colours, effects);
  sheet.Open();
  sheet.Variants.SetOption(VariantOption::Rotation, false);
  EXPECT_EQ(settings.general.puzzleRotation, 0);
  EXPECT_EQ(effects.Steps.back().Strings[0], "ROTATE");
  EXPECT_EQ(sheet.Music.MusicVolume, 2); // a step is five of the player's hundred
  sheet.Music.SetMusicVolume(15);
  EXPECT_EQ(settings.music.musicVolume, 75);
  EXPECT_EQ(effects.Steps.back().Code, kMacroVolume);
  EXPECT_EQ(effects.Steps.back().Ints[0], 75);
  sheet.Music.SetMusicVolume(kVolumeSliderTop);
  EXPECT_EQ(settings.music.musicVolume, 100);
  EXPECT_EQ(sheet.Music.SoundVolume, 49); // the default -100 is on the slider
  sheet.Music.SetSoundVolume(49);
  EXPECT_EQ(settings.music.soundVolume, -100);
  sheet.Music.SetSoundVolume(20);
  EXPECT_EQ(settings.music.soundVolume, -326);
  sheet.Music.SetSoundVolume(100);
  EXPECT_EQ(settings.music.soundVolume, 0); // the top is the effect's own loudness
  sheet.Music.SetSoundVolume(0);
  EXPECT_EQ(settings.music.soundVolume, -8000); // the store's floor
  sheet.Scan.SetMode(3);
  EXPECT_EQ(settings.scan.autoScan, 3);
  const int applied = effects.VolumeApplied;
  sheet.Cancel();
  EXPECT_EQ(settings.general.puzzleRotation, 1);
  EXPECT_EQ(settings.music.musicVolume, 10);
  EXPECT_EQ(settings.scan.autoScan, 0);
  EXPECT_GT(effects.VolumeApplied, applied); // the player follows the restored volume
}

TEST_F(PreferencePageTest, FoldersAndThePortWaitForOk) {
  BoardColours colours = DefaultColours();
  PreferenceSheet sheet(settings, colours, effects);
  sheet.Open();
  sheet.Directories.SetDefaults();
  EXPECT_EQ(sheet.Directories.Folders[1], "/start/BackGround/");
  effects.Chosen = "/x/y";
  sheet.Directories.Browse(6);
  EXPECT_EQ(sheet.Directories.Folders[6], "/x/y/");
  EXPECT_NE(settings.directory.music, "/x/y/");
  sheet.Challenge.Port = 0;
  sheet.Ok();
  EXPECT_EQ(settings.directory.music, "/x/y/");
  EXPECT_TRUE(effects.Listened.empty());
  sheet.Open();
  sheet.Challenge.Port = 70000; // outside the ports: held to its rule
  sheet.Ok();
  EXPECT_EQ(settings.defi.defiPort, 11078);
  EXPECT_EQ(effects.Listened, std::vector<int32_t>{11078});
  // A folder changed elsewhere while the sheet is open is not written back stale.
  sheet.Open();
  settings.directory.background = "/elsewhere/";
  sheet.General.SetStandardDirectories(false);
  sheet.Ok();
  EXPECT_EQ(settings.directory.background, "/elsewhere/");
  EXPECT_EQ(DifficultyText(0, false), "Difficulty : Easy");
  EXPECT_EQ(DifficultyText(3, true), "Difficulté : Difficile");
}

TEST_F(PreferencePageTest, ACancelledMusicChoiceChangesNothing) {
  MusicPage music(settings, effects);
  settings.music.musicFile = "/songs/a.mp3";
  music.ChooseMusic();
  EXPECT_EQ(settings.music.musicFile, "/songs/a.mp3");
  settings.general.standarDir = 0;
  effects.Chosen = "/songs/b.mp3";
  music.ChooseMusic();
  EXPECT_EQ(settings.music.musicFile, "/songs/b.mp3");
  EXPECT_EQ(settings.directory.music, "/songs/");
  EXPECT_EQ(effects.Steps.back().Code, kMacroMusFile);
}

TEST(ColourFile, TheDefaultsWriteTheExactFileAndReadBack) {
  const BoardColours defaults = DefaultColours();
  const std::string text = WriteColourFile(defaults);
  const std::string head = "// Sudoku Color is standard 0xBBGGRR\r\n0x00000000 //ColorInit\r\n"
                           "0x00bb0000 //ColorInput\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("0x0056aaff //ColorSeparationBG\r\n"), std::string::npos);
  BoardColours read;
  ReadColourFile(text, read);
  EXPECT_EQ(WriteColourFile(read), text);
}

TEST(ColourFile, AnyFirstLineLoneLineFeedsAndBadLinesAreTakenAsTheyCome) {
  BoardColours colours = DefaultColours();
  std::string text = "whatever\n0x12345678\nnot a colour\n0xff //ColorPoss";
  ReadColourFile(text, colours);
  EXPECT_EQ(colours.ColInit, 0x12345678u);  // the top byte is kept
  EXPECT_EQ(colours.ColInput, 0x12345678u); // unreadable: the slot before
  EXPECT_EQ(colours.ColPossible, 0xFFu);
  EXPECT_EQ(colours.ColBorder, 0xFFu); // the lines missing at the end too
  BoardColours first = DefaultColours();
  first.ColInit = 0x010203;
  ReadColourFile("x\r\nbad\r\n", first);
  EXPECT_EQ(first.ColInit, 0x010203u); // the first slot keeps its own
}

} // namespace
} // namespace quorbel
