// The macro player: a macro file is a script of steps, played line by line. FILES blocks repeat
// their steps over a list of files and passes, PART switches steps off and on, RESTART plays the
// file again, and ten variables hold numbers. The player handles the blocks, the variables,
// comments, pauses and messages itself, through the messages, playback and board services; every
// other command goes to its host, which does what the program's menus do.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "app/panel_text.h"
#include "files/macro_line.h"

namespace quorbel {

inline constexpr int kMacroBlockSteps = 50;
inline constexpr int kMacroBlockFiles = 2500;
inline constexpr int kMacroVariableCount = 10;

// What a step gives back.
enum MacroStepResult : int {
  kMacroStepDone = 1,
  kMacroStepFailed = 0,
  kMacroStepAbandoned = -1, // no message; the rest of a block is skipped
  kMacroStepStopped = -10,  // the player stopped it
};

// How a play ended, as a headless run exits.
enum MacroOutcome : int {
  kMacroAllDone = 0,
  kMacroUnreadable = 1,
  kMacroStepsFailed = 2,
  kMacroStoppedByUser = 3,
};

struct MacroVariables {
  std::array<uint32_t, kMacroVariableCount> Values{};
  std::array<bool, kMacroVariableCount> Set{};
};

class MacroPlayer;
class MacroMessages;
class MacroPlayback;
class MacroBoard;

// A step as its command reads it.
class MacroCall {
public:
  MacroCall(MacroPlayer &player, const MacroStep &step) : player_(player), step_(step) {}
  const MacroStep &Step() const { return step_; }
  int Code() const { return step_.Code(); }
  const std::string &Text(int i) const { return step_.strings[static_cast<size_t>(i)]; }
  int Word(int i) const { return step_.ints[static_cast<size_t>(i)]; }
  bool Has(int i) const { return !Text(i).empty(); }
  // A number or a variable is there: not absent, not a word, not the help text a recorded line
  // carries after its arguments.
  bool IsNumber(int i) const;
  bool IsY(int i) const;
  // The argument as a number: a variable's value, or the leading decimal of its text, truncated
  // and held in the int range.
  int Number(int i) const;
  // The argument as a word of 32 bits (rule words): written signed or unsigned, the same bits.
  uint32_t Bits(int i) const;
  double Value(int i) const;
  // 0..9 when the argument names a variable, else -1.
  int Variable(int i) const;
  // The argument names a variable that holds nothing yet.
  bool UnsetVariable(int i) const;
  // The file the running FILES block is at; file commands take it when their argument is absent.
  std::string &CurrentFile() const;
  // Shows a message (muted messages are not shown).
  void Show(const PanelText &text) const;

private:
  MacroPlayer &player_;
  const MacroStep &step_;
};

// What only the program does for the player: it sets aside and puts back the settings of a play,
// and carries out the commands the player does not.
class MacroHost {
public:
  virtual ~MacroHost() = default;
  // The settings RESETPREF puts back at the end of a play.
  virtual void SaveMacroSettings() = 0;
  virtual void RestoreMacroSettings() = 0;
  // Commands 2..65 that the player does not carry out itself; a MacroStepResult.
  virtual int RunCommand(const MacroCall &call) = 0;
};

class MacroPlayer {
public:
  // The player shows its messages, keeps its pace and redraws the board through the services.
  MacroPlayer(MacroMessages &messages, MacroPlayback &playback, MacroBoard &board, MacroHost &host)
      : messages_(messages), playback_(playback), board_(board), host_(host) {}

  // Plays the macro read from `in`; `shownPath` names it in the closing message.
  MacroOutcome Play(std::istream &in, const std::string &shownPath);
  // Plays a file; a file that cannot be read says so (message 131).
  MacroOutcome PlayFile(const std::string &path, const std::string &shownPath);
  bool Playing() const { return playing_; }

  int ExecuteMacroStep(const MacroStep &step);
  double EvalMacroArg(const MacroStep &step, int i);

  MacroVariables &Variables() { return variables_; }
  std::string &CurrentFile() { return currentFile_; }
  bool Muted() const { return muted_; }

private:
  friend class MacroCall;
  enum class Close { ByFiles, ByEndFiles, ByExit };

  int RunStep(const MacroStep &step);
  bool MissingArguments(const MacroStep &step) const;
  int SetVariable(const MacroCall &call);
  int CalcVariable(const MacroCall &call);
  int Comment(const MacroCall &call);
  int Pause(const MacroCall &call);
  int AfterStep(int result);
  void ReportFailure(const MacroStep &step, bool inBlock);
  // Runs the open block as its closing asks; false when the play must stop.
  bool CloseBlock(Close how, const MacroStep &closer);
  PanelText LineSuffix() const;
  void ShowPressAKey();
  bool French() const;

  MacroMessages &messages_;
  MacroPlayback &playback_;
  MacroBoard &board_;
  MacroHost &host_;
  MacroVariables variables_;
  std::string currentFile_;
  bool playing_ = false;
  bool echo_ = false;
  int stepPause_ = -2; // -2 none, -1 a key after each step, n ms after each step
  bool restorePrefs_ = false;
  bool muted_ = false;
  bool partOn_ = true;
  bool failed_ = false;
  bool stopped_ = false;
  int lineNumber_ = 0;

  bool inBlock_ = false;
  std::vector<MacroStep> blockSteps_;
  std::vector<std::string> blockFiles_;
  bool filesOverflow_ = false;
};

// The leading plain decimal of a text ([+-]digits[.digits]), 0 when there is none; never hex,
// an exponent, infinity or not-a-number.
double ReadMacroNumber(std::string_view text);

} // namespace quorbel
