// The macro player on a host that only notes what it is asked: FILES blocks and their passes,
// PART, variables and their arithmetic, comments, and hostile scripts that must end with a
// message.
#include "app/macro_player.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/macro_services.h"
#include "app/message_line.h"

namespace quorbel {
namespace {

// The player's services and host in one: only its messages, stops and commands are noted.
struct FakeHost final : MacroMessages, MacroPlayback, MacroBoard, MacroHost {
  std::vector<std::string> runs;     // "KEYWORD file arg1" per command run
  std::vector<std::string> messages; // as the panel shows them
  int pollsBeforeAbort = -1;         // the player asks to stop at this poll
  int polls = 0;
  int result = kMacroStepDone;
  bool playing = false;
  bool ranOutsidePlay = false; // a command came while the program was not in its playing mode

  Language CurrentLanguage() const override { return Language::English; }
  void Show(const PanelText &text, bool) override { messages.push_back(text.Joined()); }
  void Clear() override {}
  void SetMuted(bool) override {}

  bool PollUserAbort() override { return pollsBeforeAbort >= 0 && ++polls > pollsBeforeAbort; }
  bool AbortRequested() override { return false; }
  bool WaitForKey() override { return true; }
  bool WaitMs(int) override { return true; }
  bool GamePaused() const override { return false; }
  void SetPlaying(bool on) override { playing = on; }
  void StopRecording() override {}

  void Redraw() override {}
  void CheckEndOfGame() override {}
  bool FocusMessagePanel() override { return false; }
  bool ClearSelection() override { return false; }
  bool SelectCell(int, int, int) override { return false; }
  std::vector<MacroCellRef> SelectedCells() override { return {}; }
  bool ClickGridTab(int, bool) override { return true; }
  void ResetInputState() override {}
  bool RefuseOutOfTurn() override { return false; }
  void ColourValueChains(int) override {}
  bool ShufflePictures() override { return false; }
  bool LoadPictureSet(const std::string &) override { return false; }
  void RebuildValueCursors() override {}
  void ReloadBackground() override {}
  void RotateBackground() override {}
  bool RunKaleidoscope() override { return false; }
  bool Print() override { return false; }

  void SaveMacroSettings() override {}
  void RestoreMacroSettings() override {}
  int RunCommand(const MacroCall &call) override {
    runs.push_back(call.Step().strings[0] + " " + call.CurrentFile() + " " + call.Text(1));
    ranOutsidePlay |= !playing;
    return result;
  }
};

struct Played {
  FakeHost host;
  MacroPlayer player{host, host, host, host};
  MacroOutcome outcome = kMacroAllDone;
  explicit Played(const std::string &script) { Run(script); }
  void Run(const std::string &script) {
    std::istringstream in(script);
    outcome = player.Play(in, "test.macro");
  }
  bool Said(const std::string &text) const {
    return std::any_of(host.messages.begin(), host.messages.end(),
                       [&](const std::string &m) { return m.find(text) != std::string::npos; });
  }
};

TEST(MacroPlayer, BlocksRunTheirStepsOverTheirFilesForEachPass) {
  Played twice("FILES\r\na.sud\r\nb.sud\r\nc.sud\r\nLOAD\r\nSOLVE\r\nENDFILES;2\r\n");
  ASSERT_EQ(twice.host.runs.size(), 12u);
  EXPECT_EQ(twice.host.runs[0], "LOAD a.sud ");
  EXPECT_EQ(twice.host.runs[1], "SOLVE a.sud ");
  EXPECT_EQ(twice.host.runs[6], "LOAD a.sud ");
  EXPECT_EQ(twice.host.runs[11], "SOLVE c.sud ");
  EXPECT_EQ(twice.outcome, kMacroAllDone);
  EXPECT_TRUE(twice.Said("Macro !test.macro!-2! executed."));
  EXPECT_FALSE(twice.host.ranOutsidePlay);
  EXPECT_FALSE(twice.host.playing);

  EXPECT_EQ(Played("FILES\nSOLVE\nENDFILES;5\n").host.runs.size(), 5u);
  EXPECT_EQ(Played("FILES\nSOLVE\nENDFILES\n").host.runs.size(), 0u);
  EXPECT_EQ(Played("FILES\nx.sud\nSOLVE\nPROP1\n").host.runs.size(), 2u); // ends inside the block

  // A failing step stops the rest of its block, not the next block.
  Played failing("FILES\na\nb\nSOLVE\nPROP1\nENDFILES\nFILES\nc\nLOAD\nENDFILES\n");
  EXPECT_EQ(failing.host.runs.size(), 5u);
  failing.host.result = kMacroStepAbandoned;
  failing.host.runs.clear();
  failing.Run("FILES\na\nb\nSOLVE\nPROP1\nENDFILES\nFILES\nc\nLOAD\nENDFILES\n");
  EXPECT_EQ(failing.host.runs, (std::vector<std::string>{"SOLVE a ", "LOAD c "}));
}

TEST(MacroPlayer, PartSkipsStepsButNotBlocksOrExit) {
  Played p("SOLVE;1\nPART;N\nSOLVE;2\nFILES\nf\nLOAD\nENDFILES\nPART;Y\nSOLVE;3\nEXIT\nSOLVE;4\n");
  EXPECT_EQ(p.host.runs, (std::vector<std::string>{"SOLVE  1", "SOLVE  3"}));
}

TEST(MacroPlayer, VariablesAndTheirArithmetic) {
  Played p("VAR;3;12.9\nCOMMENT;a;VAR3\nCALCVAR;3;A;5\nCOMMENT;b;VAR3\nCALCVAR;3;P;1\nCOMMENT;x;VAR3\n"
           "CALCVAR;11;A;1\nCALCVAR;3;D;0\nCOMMENT;c;VAR3\nCOMMENT;free;words\nCOMMENT;w;ALL\n");
  EXPECT_TRUE(p.Said("a12.000000"));
  EXPECT_TRUE(p.Said("b17.000000"));
  EXPECT_TRUE(p.Said("x16.000000"));
  EXPECT_TRUE(p.Said("c16.000000")); // a division by 0 leaves it
  EXPECT_TRUE(p.Said("Erreur Macro: CALCVAR 3 (line 8)"));
  EXPECT_TRUE(p.Said("free"));
  EXPECT_FALSE(p.Said("freewords"));
  EXPECT_TRUE(p.Said("wALL"));
  EXPECT_EQ(p.player.Variables().Values[2], 16u);

  // Both ends of the ten variables are set, read and computed.
  Played ends("VAR;1;4\nVAR;10;7\nCALCVAR;10;A;VAR1\nCOMMENT;t;VAR10\nCOMMENT;o;VAR1\n");
  EXPECT_TRUE(ends.Said("t11.000000"));
  EXPECT_TRUE(ends.Said("o4.000000"));
  EXPECT_EQ(ends.outcome, kMacroAllDone);

  // A variable holds 32 bits, written signed or unsigned alike.
  Played words("VAR;1;2147483648\nVAR;2;-2147483648\nVAR;3;4294967295\nCALCVAR;3;S;4294967295\n");
  EXPECT_EQ(words.player.Variables().Values[0], 0x80000000u);
  EXPECT_EQ(words.player.Variables().Values[1], 0x80000000u);
  EXPECT_EQ(words.player.Variables().Values[2], 0u);

  Played unset("COMMENT;v;VAR7\n");
  EXPECT_TRUE(unset.Said("Error - Variable VAR7 used without initialisation"));
}

TEST(MacroPlayer, HostileScriptsEndWithAMessage) {
  Played p("BOGUS;1\nSETCELL\nVAR;2\nPREF\nSOLVE;1e30\nSOLVE;nan\nVAR;1;1e30\nVAR;2;-99999999999\n");
  EXPECT_EQ(p.outcome, kMacroStepsFailed);
  EXPECT_TRUE(p.Said(">>>Erreur Macro: BOGUS 1 (line 1)"));
  EXPECT_TRUE(p.Said("Erreur Macro: SETCELL  (line 2)"));
  EXPECT_TRUE(p.Said("Erreur Macro: VAR 2 (line 3)"));
  EXPECT_TRUE(p.Said("Erreur Macro: PREF  (line 4)"));
  EXPECT_EQ(p.player.Variables().Values[0], 1u);
  EXPECT_EQ(p.player.Variables().Values[1], static_cast<uint32_t>(INT32_MIN));

  std::string many = "FILES\n";
  for (int i = 0; i < 2600; ++i)
    many.append("f").append(std::to_string(i)).append("\n");
  Played crowded(many + "LOAD\nENDFILES\n");
  EXPECT_TRUE(crowded.Said("Maximum file reached (2500) in Macro"));
  EXPECT_EQ(crowded.host.runs.size(), 2499u);

  FakeHost host;
  host.pollsBeforeAbort = 50;
  MacroPlayer player(host, host, host, host);
  std::istringstream restart("SOLVE\nRESTART\n");
  EXPECT_EQ(player.Play(restart, "loop.macro"), kMacroStoppedByUser);
  EXPECT_EQ(host.messages.back(), "Macro !loop.macro!-2! stopped.");
  EXPECT_FALSE(host.playing);

  host.pollsBeforeAbort = 10;
  host.polls = 0;
  std::istringstream passes("FILES\nSOLVE\nENDFILES;2000000000\n");
  EXPECT_EQ(player.Play(passes, "p.macro"), kMacroStoppedByUser);

  EXPECT_EQ(player.PlayFile("/nonexistent/x.macro", "x.macro"), kMacroUnreadable);
  EXPECT_EQ(host.messages.back(), "Error - File /nonexistent/x.macro not found");
  // A folder where the macro should be is there: it is named for what it is.
  const std::string folder = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(player.PlayFile(folder, "tmp"), kMacroUnreadable);
  EXPECT_EQ(host.messages.back(), "The macro " + folder + " is not a regular file: it is not played.");
}

TEST(MacroPlayer, NumbersArePlainDecimals) {
  EXPECT_EQ(ReadMacroNumber("12.9"), 12.9);
  EXPECT_EQ(ReadMacroNumber("-3abc"), -3);
  EXPECT_EQ(ReadMacroNumber("0x1F"), 0);
  EXPECT_EQ(ReadMacroNumber("inf"), 0);
  EXPECT_EQ(ReadMacroNumber("nan"), 0);
  EXPECT_EQ(ReadMacroNumber("1e30"), 1);
  EXPECT_EQ(ReadMacroNumber(""), 0);
}

} // namespace
} // namespace quorbel
