#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "files/macro_line.h"
#include "files/macro_line_reader.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

struct PostedMessage {
  int32_t number;
  std::vector<MessageArg> args;
  bool operator==(const PostedMessage &) const = default;
};

class CapturingSink : public MessageSink {
public:
  void Post(int32_t messageNumber, std::span<const MessageArg> args) override {
    posted.push_back({messageNumber, {args.begin(), args.end()}});
  }
  std::vector<PostedMessage> posted;
};

std::vector<MacroStep> ParseFile(const std::string &path) {
  std::istringstream in(ReadBytes(path));
  std::vector<MacroStep> steps;
  while (auto line = ReadMacroLine(in)) {
    EXPECT_FALSE(line->stepCut);
    if (!line->text.starts_with(';'))
      steps.push_back(ParseMacroLine(line->text));
  }
  return steps;
}

std::vector<std::string> ArgTexts(const MacroStep &step) {
  std::vector<std::string> texts;
  for (int i = 1; i <= kMacroArgCount && !step.strings[i].empty(); ++i)
    texts.push_back(step.strings[i]);
  return texts;
}

} // namespace

// The free functions and the program's one recorder, pointed at a fresh start directory.
class MacroRecorderTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetStartDirectory(dir_.Path().string());
    TheMacroRecorder().SetMessageSink(&sink_);
  }
  void TearDown() override {
    StopMacroRecording(false);
    TheMacroRecorder().SetMessageSink(nullptr);
    SetStartDirectory(".");
  }
  std::string MacroFile() const { return dir_.File("MyMacro.macro"); }

  TempDir dir_;
  CapturingSink sink_;
};

TEST_F(MacroRecorderTest, EveryActionCodeReadsBackAsTheStepRecorded) {
  ASSERT_TRUE(StartMacroRecording("MyMacro.macro").ok);
  std::vector<std::vector<std::string>> expected;
  for (int code = 0; code < kScriptWordCount; ++code) {
    const std::string_view word = ScriptArgWords[code % kScriptArgWordCount];
    RecordMacroStep(code, word, code - 1, "", {}, "Grilles/\xC3\xA9t\xC3\xA9.sud", -2147483647 - 1);
    expected.push_back(
        {std::string(word), std::to_string(code - 1), "Grilles/\xC3\xA9t\xC3\xA9.sud", "-2147483648"});
    RecordMacroStep(code);
    expected.push_back({});
  }
  ASSERT_TRUE(StopMacroRecording(false).ok);

  const std::vector<MacroStep> steps = ParseFile(MacroFile());
  ASSERT_EQ(steps.size(), expected.size());
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const int code = static_cast<int>(i / 2);
    EXPECT_EQ(steps[i].Code(), code) << i;
    EXPECT_EQ(steps[i].strings[0], ScriptWords[code]);
    EXPECT_EQ(ArgTexts(steps[i]), expected[i]) << ScriptWords[code];
    for (int a = 1; a <= kMacroArgCount; ++a)
      EXPECT_EQ(steps[i].ints[a], steps[i].strings[a].empty() ? -1 : FindScriptArgWord(steps[i].strings[a]));
  }
  EXPECT_EQ(steps[0].ints[1], kArgEasy);
}

TEST_F(MacroRecorderTest, SixArgumentsOfBothKindsKeepTheirOrder) {
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(kMacroVariant, "a", 1, "b", {}, "", 3, "d", 4, "", {}, "f", {});
  RecordMacroStep(kMacroVolume, "MUSIC", {}, "", 80);
  StopMacroRecording(false);
  const std::vector<MacroStep> steps = ParseFile(MacroFile());
  ASSERT_EQ(steps.size(), 2u);
  // Only six arguments are read back: "f" would be the eighth text.
  EXPECT_EQ(ArgTexts(steps[0]), (std::vector<std::string>{"a", "1", "b", "3", "d", "4"}));
  EXPECT_EQ(ArgTexts(steps[1]), (std::vector<std::string>{"MUSIC", "80"}));
  EXPECT_EQ(steps[1].ints[1], kArgMusic);
}

TEST_F(MacroRecorderTest, WritesTheLineByteForByteInLatin1WithCrLf) {
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(kMacroMethod, "", 2097149);
  RecordMacroStep(kMacroClick, "", -1);
  RecordMacroStep(kMacroProp1);
  RecordMacroStep(kMacroLoad, "Grilles/No\xC3\xABl.sud");
  StopMacroRecording(false);
  EXPECT_EQ(ReadBytes(MacroFile()),
            "METHOD;2097149\t\t;Define Method parameters Type\t"
            "METHOD=1(LCB)+2(random)+4(prob)+8(var)+16(single)+0x20(group...)+0x1000(burma...)+"
            "0x80000(color)+0x100000(forcing)\r\n"
            "CLICK;-1\t\t;Click on Cell or Area\t"
            "AREA=Barre image 1-16;Color 17-32;Shuffle:0;Undo:-1,Comment:-2;NoSelect:-3;Cell:100-356\r\n"
            "PROP1\t\t;Propose one value\r\n"
            "LOAD;Grilles/No\xEBl.sud\t\t;Load Sudoku File *.sud\r\n");
}

TEST_F(MacroRecorderTest, AFileRecordedWithPauseAndResumeHoldsOnlyTheRecordedSteps) {
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(kMacroSetCell, "", 105, "", 3);
  PauseMacroRecording();
  RecordMacroStep(kMacroSetCell, "", 106, "", 4);
  RecordMacroStep(kMacroUndo, "", 1);
  ResumeMacroRecording();
  RecordMacroStep(kMacroSolve);
  PauseMacroRecording();
  RecordMacroStep(kMacroPrint);
  StopMacroRecording(true);

  const std::vector<MacroStep> steps = ParseFile(MacroFile());
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0].Code(), kMacroSetCell);
  EXPECT_EQ(ArgTexts(steps[0]), (std::vector<std::string>{"105", "3"}));
  EXPECT_EQ(steps[1].Code(), kMacroSolve);
}

TEST_F(MacroRecorderTest, NothingIsWrittenWhileIdle) {
  RecordMacroStep(kMacroSolve);
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));

  StartMacroRecording("MyMacro.macro");
  StopMacroRecording(false);
  RecordMacroStep(kMacroSolve);
  EXPECT_EQ(ReadBytes(MacroFile()), "");
}

TEST_F(MacroRecorderTest, EachStateChangePostsItsMessageWithItsLinks) {
  StartMacroRecording("MyMacro.macro");
  PauseMacroRecording();
  ResumeMacroRecording();
  StopMacroRecording(true);
  const std::vector<PostedMessage> expected{{83, {kMacroHelpLink}},
                                            {84, {kMacroHelpLink}},
                                            {85, {kMacroHelpLink}},
                                            {86, {kMacroHelpLink, kOpenFileLink}}};
  EXPECT_EQ(sink_.posted, expected);
  EXPECT_EQ(kMacroHelpLink, 98505);
  EXPECT_EQ(kOpenFileLink, -2);
}

TEST_F(MacroRecorderTest, StoppingWithoutReportPostsNothing) {
  StartMacroRecording("MyMacro.macro");
  sink_.posted.clear();
  EXPECT_TRUE(StopMacroRecording(false).ok);
  EXPECT_TRUE(sink_.posted.empty());
  EXPECT_TRUE(std::filesystem::exists(MacroFile()));
}

TEST_F(MacroRecorderTest, PauseAndResumeSayWhatTheyDoInEveryStateAndWriteNothingWithoutAFile) {
  PauseMacroRecording();
  EXPECT_EQ(CurrentMacroState(), MacroState::Paused);
  RecordMacroStep(kMacroSolve);
  ResumeMacroRecording();
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle); // no file to record into
  PauseMacroRecording();
  EXPECT_TRUE(StopMacroRecording(true).ok); // nothing saved, so nothing reported
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle);
  const std::vector<PostedMessage> expected{
      {84, {kMacroHelpLink}}, {85, {kMacroHelpLink}}, {84, {kMacroHelpLink}}};
  EXPECT_EQ(sink_.posted, expected);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));

  // A resume while recording keeps recording, and says so.
  StartMacroRecording("MyMacro.macro");
  ResumeMacroRecording();
  EXPECT_EQ(sink_.posted.size(), 5u);
  EXPECT_EQ(sink_.posted.back().number, 85);
  EXPECT_EQ(CurrentMacroState(), MacroState::Recording);
}

TEST_F(MacroRecorderTest, StartingAgainStopsAndReportsTheFirstRecording) {
  StartMacroRecording("First");
  RecordMacroStep(kMacroSolve);
  PauseMacroRecording();
  sink_.posted.clear();
  ASSERT_TRUE(StartMacroRecording("Second.macro").ok);
  RecordMacroStep(kMacroPrint);
  StopMacroRecording(false);

  ASSERT_EQ(sink_.posted.size(), 2u);
  EXPECT_EQ(sink_.posted[0].number, kMsgMacroSaved);
  EXPECT_EQ(sink_.posted[1].number, kMsgMacroStarted);
  EXPECT_EQ(ParseFile(dir_.File("First.macro"))[0].Code(), kMacroSolve);
  EXPECT_EQ(ParseFile(dir_.File("Second.macro"))[0].Code(), kMacroPrint);
}

TEST_F(MacroRecorderTest, TheFileLiesInTheStartDirectoryUnderTheNamesTitle) {
  ASSERT_TRUE(StartMacroRecording("/somewhere/else/Demo.txt").ok);
  EXPECT_EQ(TheMacroRecorder().FilePath(), MakeAbsolutePath("Demo.macro"));
  StopMacroRecording(false);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("Demo.macro")));
}

TEST_F(MacroRecorderTest, AnEmptyNameStartsNothing) {
  const MacroFileResult result = StartMacroRecording("");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle);
  EXPECT_TRUE(sink_.posted.empty());
}

TEST_F(MacroRecorderTest, AFileThatCannotBeCreatedLeavesTheRecorderIdleAndSilent) {
  SetStartDirectory(dir_.File("missing/folder"));
  const MacroFileResult result = StartMacroRecording("MyMacro.macro");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("MyMacro.macro"), std::string::npos);
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle);
  EXPECT_TRUE(sink_.posted.empty());
}

TEST_F(MacroRecorderTest, TheOldFileStaysWholeUntilTheRecordingStops) {
  WriteBytes(MacroFile(), "EXIT\r\n");
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(kMacroSolve);
  EXPECT_EQ(ReadBytes(MacroFile()), "EXIT\r\n");
  StopMacroRecording(false);
  EXPECT_EQ(ReadBytes(MacroFile()), "SOLVE\t\t;Solve the full grid\r\n");
  // Only the macro file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

TEST_F(MacroRecorderTest, AFileThatCannotBeSavedIsReportedAsAFailure) {
  std::filesystem::create_directory(MacroFile()); // the name is taken by a folder: refused at once
  sink_.posted.clear();
  const MacroFileResult result = StartMacroRecording("MyMacro.macro");
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.message.find("MyMacro.macro"), std::string::npos);
  EXPECT_TRUE(sink_.posted.empty()); // no "saved" report
  EXPECT_EQ(CurrentMacroState(), MacroState::Idle);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

TEST_F(MacroRecorderTest, StepsThatCouldNotBeReplayedAsRecordedBecomeComments) {
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(kMacroLoad, "grids/a;b.sud");
  RecordMacroStep(kMacroLoad, "grids/a\tb.sud");
  RecordMacroStep(kMacroLoad, "grids/a\r\nEXIT");
  RecordMacroStep(kMacroLoad, "grids/\xE6\x97\xA5.sud");
  RecordMacroStep(kMacroLoad, std::string(kMacroLineLimit, 'x'));
  RecordMacroStep(kMacroSolve);
  StopMacroRecording(false);

  std::istringstream in(ReadBytes(MacroFile()));
  std::vector<std::string> lines;
  while (auto line = ReadMacroLine(in))
    lines.push_back(line->text);
  ASSERT_EQ(lines.size(), 6u);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(lines[i].starts_with(";LOAD;grids/") || lines[i].starts_with(";LOAD;xxx")) << lines[i];
  EXPECT_EQ(lines[2].substr(0, 21), ";LOAD;grids/a  EXIT\t\t");
  EXPECT_EQ(lines[3].substr(0, 18), ";LOAD;grids/?.sud\t");
  EXPECT_EQ(ParseMacroLine(lines[5]).Code(), kMacroSolve);
}

TEST_F(MacroRecorderTest, CodesOutsideTheTableWriteNothing) {
  StartMacroRecording("MyMacro.macro");
  RecordMacroStep(-1);
  RecordMacroStep(kScriptWordCount);
  StopMacroRecording(false);
  EXPECT_EQ(ReadBytes(MacroFile()), "");
}

// A recorder of its own, as the application holds it.
TEST(MacroRecorderObject, AnOpenRecordingIsSavedWhenTheRecorderEnds) {
  TempDir dir;
  SetStartDirectory(dir.Path().string());
  {
    MacroRecorder recorder;
    ASSERT_TRUE(recorder.Start("Session").ok);
    const std::vector<std::string> args{"12"};
    recorder.Record(kMacroUndo, args);
    recorder.Pause();
  }
  EXPECT_EQ(ReadBytes(dir.File("Session.macro")), "UNDO;12\t\t;Undo the N last actions\r\n");
  SetStartDirectory(".");
}
