#include "app/macro_player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

#include "app/macro_services.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "files/macro_line_reader.h"
#include "files/script_words.h"
#include "platform/language.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

// A macro of a million steps is still far below this.
constexpr uint64_t kMostMacroBytes = uint64_t{64} << 20;

constexpr int kMsgFileNotFound = 131;
constexpr int kMsgTooManyFiles = 132;
constexpr int kMsgMacroError = 133;

bool IsVariableWord(int word) { return word >= kArgVar1 && word <= kArgVar10; }

int Truncated(double value) {
  constexpr double low = std::numeric_limits<int32_t>::min();
  constexpr double high = std::numeric_limits<int32_t>::max();
  return static_cast<int>(std::clamp(std::trunc(value), low, high));
}

// What stands where the macro should be, said in the player's language.
PanelText UnreadableMacroText(const RegularFileText &file, const std::string &path, Language language) {
  const bool french = IsFrench(language);
  if (file.Failure == RegularFileFailure::NotAFile)
    return FormatPanelText(french
                               ? OwnText("La macro %s n'est pas un fichier ordinaire : elle n'est pas jouée.")
                               : OwnText("The macro %s is not a regular file: it is not played."),
                           {FormatArg(path)});
  if (file.Failure == RegularFileFailure::TooLarge)
    return FormatPanelText(french ? OwnText("La macro %s est trop grande pour être jouée (%s).")
                                  : OwnText("The macro %s is too large to be played (%s)."),
                           {FormatArg(path), FormatArg(file.Message)});
  return FormatPanelText(french ? OwnText("La macro %s n'a pas pu être lue (%s).")
                                : OwnText("The macro %s could not be read (%s)."),
                         {FormatArg(path), FormatArg(file.Message)});
}

} // namespace

double ReadMacroNumber(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
    ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-'))
    negative = text[at++] == '-';
  double value = 0;
  bool digits = false;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = value * 10 + (text[at] - '0');
    digits = true;
  }
  if (at < text.size() && text[at] == '.') {
    double scale = 0.1;
    for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10) {
      value += (text[at] - '0') * scale;
      digits = true;
    }
  }
  if (!digits || !std::isfinite(value))
    return 0;
  return negative ? -value : value;
}

bool MacroCall::IsY(int i) const { return Word(i) == kArgY; }

bool MacroCall::IsNumber(int i) const {
  if (Variable(i) >= 0)
    return true;
  std::string_view text = Text(i);
  if (!text.empty() && (text.front() == '-' || text.front() == '+'))
    text.remove_prefix(1);
  return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

double MacroCall::Value(int i) const { return player_.EvalMacroArg(step_, i); }

int MacroCall::Number(int i) const { return Truncated(Value(i)); }

uint32_t MacroCall::Bits(int i) const {
  constexpr double low = std::numeric_limits<int32_t>::min();
  constexpr double high = std::numeric_limits<uint32_t>::max();
  return static_cast<uint32_t>(static_cast<int64_t>(std::clamp(std::trunc(Value(i)), low, high)));
}

int MacroCall::Variable(int i) const { return IsVariableWord(Word(i)) ? Word(i) - kArgVar1 : -1; }

bool MacroCall::UnsetVariable(int i) const {
  const int index = Variable(i);
  return index >= 0 && !player_.variables_.Set[static_cast<size_t>(index)];
}

std::string &MacroCall::CurrentFile() const { return player_.currentFile_; }

void MacroCall::Show(const PanelText &text) const { player_.messages_.Show(text); }

double MacroPlayer::EvalMacroArg(const MacroStep &step, int i) {
  const int word = step.ints[static_cast<size_t>(i)];
  if (IsVariableWord(word)) {
    const int index = word - kArgVar1;
    if (!variables_.Set[static_cast<size_t>(index)]) {
      messages_.Show(
          FormatPanelText(OwnText("Error - Variable VAR%d used without initialisation"), {index + 1}));
      return 0;
    }
    return variables_.Values[static_cast<size_t>(index)];
  }
  return ReadMacroNumber(step.strings[static_cast<size_t>(i)]);
}

bool MacroPlayer::French() const { return IsFrench(messages_.CurrentLanguage()); }

void MacroPlayer::ShowPressAKey() {
  messages_.Show(French() ? PanelText(OwnText("Taper une touche...")) : PanelText(OwnText("Press a key...")));
}

PanelText MacroPlayer::LineSuffix() const {
  return FormatPanelText(French() ? OwnText(" (ligne %d)") : OwnText(" (line %d)"), {lineNumber_});
}

void MacroPlayer::ReportFailure(const MacroStep &step, bool inBlock) {
  failed_ = true;
  PanelText text = PanelText(OwnText(">>>")) +
                   PanelText(MessageFormat(kMsgMacroError, messages_.CurrentLanguage())) +
                   PanelText::Plain(step.strings[0]);
  if (!inBlock)
    text += PanelText(OwnText(" ")) + PanelText::Plain(step.strings[1]);
  messages_.Show(text + LineSuffix(), true);
}

// A command that needs an argument to know what to act on does nothing without it.
bool MacroPlayer::MissingArguments(const MacroStep &step) const {
  const auto missing = [&](int i) { return step.strings[static_cast<size_t>(i)].empty(); };
  switch (step.Code()) {
  case kMacroSetCell:
  case kMacroSetPoss:
  case kMacroSetProb:
  case kMacroSetBoat:
  case kMacroDispPoss:
  case kMacroClick:
  case kMacroCars:
  case kMacroPrefDisp:
  case kMacroPrefCell:
  case kMacroPrefGeom:
  case kMacroArea:
  case kMacroPref:
  case kMacroVolume:
    return missing(1);
  case kMacroVar:
    return missing(1) || missing(2);
  case kMacroCalcVar:
    return missing(1) || missing(2) || (step.strings[2][0] != 'R' && missing(3));
  default:
    return false;
  }
}

int MacroPlayer::SetVariable(const MacroCall &call) {
  const int number = call.Number(1);
  if (number < 1 || number > kMacroVariableCount)
    return kMacroStepDone;
  const auto index = static_cast<size_t>(number - 1);
  variables_.Values[index] = call.Bits(2);
  variables_.Set[index] = true;
  return kMacroStepDone;
}

int MacroPlayer::CalcVariable(const MacroCall &call) {
  const int number = call.Number(1);
  if (number < 1 || number > kMacroVariableCount)
    return kMacroStepDone;
  const auto index = static_cast<size_t>(number - 1);
  uint32_t &value = variables_.Values[index];
  const char op = call.Text(2)[0];
  const uint32_t operand = op == 'R' ? 0 : call.Bits(3);
  switch (op) {
  case 'A':
    value += operand;
    break;
  case 'S':
    value -= operand;
    break;
  case 'M':
    value *= operand;
    break;
  case 'D':
  case '%':
    if (operand == 0)
      return kMacroStepFailed; // the variable keeps its value
    value = op == 'D' ? value / operand : value % operand;
    break;
  case '&':
    value &= operand;
    break;
  case '|':
    value |= operand;
    break;
  case 'P':
    value ^= operand;
    break;
  case 'R':
    value = static_cast<uint32_t>(std::sqrt(static_cast<double>(value)));
    break;
  default:
    return kMacroStepFailed;
  }
  return kMacroStepDone;
}

int MacroPlayer::Comment(const MacroCall &call) {
  if (!call.Has(1))
    return kMacroStepDone;
  PanelText text = PanelText::Plain(call.Text(1));
  if (call.Variable(2) >= 0) {
    char number[64];
    std::snprintf(number, sizeof number, "%f", call.Value(2));
    text.AppendPlain(number);
  } else if (call.Word(2) >= 0) {
    text.AppendPlain(call.Text(2));
  }
  messages_.Show(text, true);
  board_.Redraw();
  return kMacroStepDone;
}

int MacroPlayer::Pause(const MacroCall &call) {
  const int ms = call.Number(1);
  if (call.IsY(2)) {
    stepPause_ = ms < 0 ? -1 : ms;
    return kMacroStepDone;
  }
  if (call.Word(2) == kArgN) {
    stepPause_ = -2;
    return kMacroStepDone;
  }
  if (ms < 0) {
    ShowPressAKey();
    return playback_.WaitForKey() ? kMacroStepDone : kMacroStepAbandoned;
  }
  return playback_.WaitMs(ms) ? kMacroStepDone : kMacroStepAbandoned;
}

int MacroPlayer::RunStep(const MacroStep &step) {
  const MacroCall call(*this, step);
  switch (step.Code()) {
  case kMacroFiles:
  case kMacroEndFiles:
  case kMacroPart:
    return kMacroStepDone;
  case kMacroExit:
  case kMacroRestart:
  case kMacroClearCom:
    messages_.Clear();
    board_.Redraw();
    return kMacroStepDone;
  case kMacroResetPref:
    restorePrefs_ = true;
    return kMacroStepDone;
  case kMacroPause:
    return Pause(call);
  case kMacroComment:
    return Comment(call);
  case kMacroNoMess:
    muted_ = call.Word(1) != kArgN;
    messages_.SetMuted(muted_);
    return kMacroStepDone;
  case kMacroDebug:
    echo_ = true;
    return kMacroStepDone;
  case kMacroVar:
    return SetVariable(call);
  case kMacroCalcVar:
    return CalcVariable(call);
  default:
    return host_.RunCommand(call);
  }
}

int MacroPlayer::ExecuteMacroStep(const MacroStep &step) {
  if (step.Code() < 0 || step.Code() >= kScriptWordCount || MissingArguments(step))
    return kMacroStepFailed;
  return AfterStep(RunStep(step));
}

int MacroPlayer::AfterStep(int result) {
  if (playback_.PollUserAbort() || result == kMacroStepStopped)
    return kMacroStepStopped;
  if (stepPause_ == -1 || playback_.GamePaused()) {
    ShowPressAKey();
    if (!playback_.WaitForKey())
      return kMacroStepStopped;
  } else if (stepPause_ > 0 && !playback_.WaitMs(stepPause_)) {
    return kMacroStepStopped;
  }
  return result;
}

bool MacroPlayer::CloseBlock(Close how, const MacroStep &closer) {
  if (!inBlock_)
    return true;
  inBlock_ = false;
  int passes = 0;
  if (how == Close::ByEndFiles)
    passes = closer.strings[1].empty() ? (blockFiles_.empty() ? 0 : 1)
                                       : std::max(0, Truncated(ReadMacroNumber(closer.strings[1])));
  else
    passes = blockFiles_.empty() ? 0 : 1;
  const bool runs = !blockSteps_.empty() && partOn_ && (!blockFiles_.empty() || passes > 0);
  std::vector<MacroStep> steps = std::move(blockSteps_);
  std::vector<std::string> files = std::move(blockFiles_);
  blockSteps_.clear();
  blockFiles_.clear();
  if (!runs)
    return true;
  if (filesOverflow_)
    messages_.Show(
        FormatPanelText(MessageFormat(kMsgTooManyFiles, messages_.CurrentLanguage()), {kMacroBlockFiles}));
  filesOverflow_ = false;
  if (files.empty())
    files.emplace_back();
  bool stop = false;
  for (int pass = 0; pass < passes && !stop; ++pass) {
    for (const std::string &file : files) {
      currentFile_ = file;
      bool skipRest = false;
      for (const MacroStep &step : steps) {
        const int result = ExecuteMacroStep(step);
        if (result == kMacroStepFailed)
          ReportFailure(step, true);
        if (result == kMacroStepStopped || playback_.PollUserAbort())
          stop = true;
        if (result < 0 || stop) {
          skipRest = true;
          break;
        }
      }
      if (skipRest)
        break;
    }
    if (playback_.PollUserAbort())
      stop = true;
  }
  return !stop;
}

MacroOutcome MacroPlayer::PlayFile(const std::string &path, const std::string &shownPath) {
  const RegularFileText file = ReadRegularFileText(path, kMostMacroBytes);
  std::istringstream in(file.Text);
  if (!file.Ok) {
    // A macro that is not there keeps its message of old; one that is there says what it is.
    const Language language = messages_.CurrentLanguage();
    messages_.Show(file.Failure == RegularFileFailure::CannotOpen
                       ? FormatPanelText(MessageFormat(kMsgFileNotFound, language), {path})
                       : UnreadableMacroText(file, path, language));
    return kMacroUnreadable;
  }
  return Play(in, shownPath);
}

MacroOutcome MacroPlayer::Play(std::istream &in, const std::string &shownPath) {
  if (playing_)
    return kMacroUnreadable;
  playback_.StopRecording();
  playing_ = true;
  variables_.Set = {};
  restorePrefs_ = false;
  echo_ = false;
  stepPause_ = -2;
  partOn_ = true;
  failed_ = false;
  stopped_ = false;
  inBlock_ = false;
  blockSteps_.clear();
  blockFiles_.clear();
  filesOverflow_ = false;
  lineNumber_ = 0;
  host_.SaveMacroSettings();
  playback_.SetPlaying(true);

  const std::streampos start = in.tellg();
  bool ended = false;
  while (!ended && !stopped_) {
    std::optional<MacroLine> line = ReadMacroLine(in);
    MacroStep step;
    if (line) {
      ++lineNumber_;
      if (echo_)
        messages_.Show(PanelText::Plain(line->text));
      if (!line->text.empty() && line->text[0] == ';')
        continue;
      step = ParseMacroLine(line->text);
    } else {
      step.ints[0] = kMacroEndFiles;
      step.strings[0] = "ENDFILES";
      ended = true;
    }
    const int code = step.Code();
    if (code == kMacroPart) {
      partOn_ = step.ints[1] == kArgY;
    } else if (code == kMacroRestart) {
      if (!CloseBlock(Close::ByExit, step)) {
        stopped_ = true;
        break;
      }
      in.clear();
      in.seekg(start);
      lineNumber_ = 0;
    } else if (code == kMacroFiles || code == kMacroEndFiles || code == kMacroExit) {
      const Close how = code == kMacroFiles  ? Close::ByFiles
                        : code == kMacroExit ? Close::ByExit
                                             : Close::ByEndFiles;
      if (!CloseBlock(how, step))
        stopped_ = true;
      if (code == kMacroFiles) {
        inBlock_ = true;
        filesOverflow_ = false;
      }
      if (code == kMacroExit)
        ended = true;
    } else if (inBlock_) {
      if (code >= 0) {
        if (static_cast<int>(blockSteps_.size()) < kMacroBlockSteps)
          blockSteps_.push_back(step);
      } else if (!step.strings[0].empty()) {
        if (static_cast<int>(blockFiles_.size()) < kMacroBlockFiles - 1)
          blockFiles_.push_back(step.strings[0]);
        else
          filesOverflow_ = true;
      }
    } else if (partOn_ && code >= 0) {
      const int result = ExecuteMacroStep(step);
      if (result == kMacroStepFailed)
        ReportFailure(step, false);
      if (result == kMacroStepStopped)
        stopped_ = true;
    } else if (partOn_ && !step.strings[0].empty()) {
      ReportFailure(step, false);
    }
    if (!stopped_ && playback_.PollUserAbort())
      stopped_ = true;
  }
  if (stopped_) {
    messages_.Clear();
    board_.Redraw();
  }

  playback_.SetPlaying(false);
  if (restorePrefs_)
    host_.RestoreMacroSettings();
  muted_ = false;
  messages_.SetMuted(false);
  const PanelText name = PanelText(OwnText("Macro ")) + PanelText::FileLink(shownPath);
  if (stopped_)
    messages_.Show(name + (French() ? PanelText(OwnText(" arretée.")) : PanelText(OwnText(" stopped."))));
  else
    messages_.Show(name + (French() ? PanelText(OwnText(" executée.")) : PanelText(OwnText(" executed."))));
  board_.Redraw();
  playing_ = false;
  if (stopped_)
    return kMacroStoppedByUser;
  return failed_ ? kMacroStepsFailed : kMacroAllDone;
}

} // namespace quorbel
