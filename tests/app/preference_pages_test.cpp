// The preference pages' plain part: the time-limit lists, the General page's live edits and the
// colour files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/colour_file.h"
#include "app/general_page.h"
#include "app/settings_schema.h"
#include "app/timeout_table.h"
#include "platform/paths.h"

namespace quorbel {
namespace {

class FakeEffects final : public PreferenceEffects {
public:
  void RedrawBoard() override { ++Redraws; }
  void UpdatePreferenceControls() override { ++ControlUpdates; }
  void ClearMagicSelection() override { ++ProfileClears; }
  void RecordStep(const RecordedAction &step) override { Steps.push_back(step); }
  void SaveSettings() override { ++Saves; }
  void FillMagicList() override { ++ProfileFills; }
  void ClearLogFile() override { ++LogClears; }
  void OpenWithShell(const std::string &path) override { Opened.push_back(path); }

  int Redraws = 0, ControlUpdates = 0, ProfileClears = 0, Saves = 0, ProfileFills = 0, LogClears = 0;
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

class GeneralPageTest : public ::testing::Test {
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

TEST_F(GeneralPageTest, TheListsShowTheStoredLimitsAndStoreTheirEntries) {
  settings.parameter.genereTimeOver = 510;
  settings.parameter.timeOver = -1;
  page.LoadPageFromSettings();
  EXPECT_EQ(page.Values.GenerationTimeIndex, 4);
  EXPECT_EQ(page.Values.SearchTimeIndex, 19);
  page.SetGenerationTimeIndex(4);
  EXPECT_EQ(settings.parameter.genereTimeOver, 512);
  page.SetSearchTimeIndex(19);
  EXPECT_EQ(settings.parameter.timeOver, -1);
}

TEST_F(GeneralPageTest, NumbersOutsideTheirRangeNeverReachTheSettings) {
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

TEST_F(GeneralPageTest, SwitchesStoreAtOnceAndRecordTheirSteps) {
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

TEST_F(GeneralPageTest, StandardDirectoriesResetTheSevenFoldersAndSaveAtOnce) {
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
