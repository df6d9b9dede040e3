#include "files/macro_recorder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <vector>

#include "files/latin1_text.h"
#include "files/macro_line.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A text the line format cannot carry: it would split or end the argument list.
bool BreaksMacroLine(std::string_view text) {
  return text.find_first_of(";\t\r\n") != std::string_view::npos;
}

} // namespace

MacroRecorder::~MacroRecorder() { Stop(false); }

MacroFileResult MacroRecorder::Start(std::string_view name) {
  if (state_ != MacroState::Idle) {
    MacroFileResult stopped = Stop(true);
    if (!stopped.ok)
      return stopped;
  }
  const std::string title = FileTitleOfPath(name);
  if (title.empty())
    return {false, "No macro file name given"};
  const std::string path = MakeFilePath(title, "", ".macro");
  // Written beside the file while recording, put in its place when the recording stops.
  if (!file_.Open(path).Ok())
    return {false, "Cannot create the macro file " + path};
  path_ = path;
  state_ = MacroState::Recording;
  const std::array<MessageArg, 1> args{kMacroHelpLink};
  Post(kMsgMacroStarted, args);
  return {};
}

void MacroRecorder::Pause() {
  state_ = MacroState::Paused;
  const std::array<MessageArg, 1> args{kMacroHelpLink};
  Post(kMsgMacroPaused, args);
}

void MacroRecorder::Resume() {
  // Without a file there is nothing to record into: a pause taken while idle ends idle.
  state_ = path_.empty() ? MacroState::Idle : MacroState::Recording;
  const std::array<MessageArg, 1> args{kMacroHelpLink};
  Post(kMsgMacroResumed, args);
}

MacroFileResult MacroRecorder::Stop(bool report) {
  if (state_ == MacroState::Idle)
    return {};
  if (path_.empty()) { // a pause taken while idle: no file, nothing to save or report
    state_ = MacroState::Idle;
    return {};
  }
  const AtomicWriteResult saved = file_.Commit();
  MacroFileResult result;
  if (!saved.Ok())
    result = {false, "Cannot save the macro file " + path_ +
                         (saved.Failure == AtomicWriteFailure::CannotReplace ? ": " + saved.Message : "")};
  state_ = MacroState::Idle;
  path_.clear();
  if (result.ok && report) {
    const std::array<MessageArg, 2> args{kMacroHelpLink, kOpenFileLink};
    Post(kMsgMacroSaved, args);
  }
  return result;
}

void MacroRecorder::Record(int32_t code, std::span<const std::string> args) {
  if (state_ != MacroState::Recording || code < 0 || code >= kScriptWordCount)
    return;
  bool lossless = true;
  std::string bytes = Utf8ToLatin1(FormatMacroLine(code, args), &lossless);
  const bool faithful = lossless && std::none_of(args.begin(), args.end(), BreaksMacroLine) &&
                        bytes.find(kMacroHelpMarker) <= kMacroLineLimit;
  if (!faithful) {
    // Replaying it would do something else: keep the action as a comment the player skips.
    std::replace(bytes.begin(), bytes.end(), '\r', ' ');
    std::replace(bytes.begin(), bytes.end(), '\n', ' ');
    bytes.insert(bytes.begin(), ';');
  }
  file_.Write(bytes);
  file_.Write(kLineEnd);
}

void MacroRecorder::Post(int32_t messageNumber, std::span<const MessageArg> args) {
  if (sink_)
    sink_->Post(messageNumber, args);
}

MacroRecorder &TheMacroRecorder() {
  static MacroRecorder recorder;
  return recorder;
}

void RecordMacroStep(int32_t code, std::string_view str1, MacroInt int1, std::string_view str2, MacroInt int2,
                     std::string_view str3, MacroInt int3, std::string_view str4, MacroInt int4,
                     std::string_view str5, MacroInt int5, std::string_view str6, MacroInt int6) {
  MacroRecorder &recorder = TheMacroRecorder();
  if (recorder.State() != MacroState::Recording)
    return;
  const std::array<std::string_view, kMacroArgCount> texts{str1, str2, str3, str4, str5, str6};
  const std::array<MacroInt, kMacroArgCount> numbers{int1, int2, int3, int4, int5, int6};
  std::vector<std::string> args;
  for (int i = 0; i < kMacroArgCount; ++i) {
    if (!texts[i].empty())
      args.emplace_back(texts[i]);
    if (numbers[i]) {
      std::array<char, 16> digits{};
      const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), *numbers[i]).ptr;
      args.emplace_back(digits.data(), end);
    }
  }
  recorder.Record(code, args);
}

MacroFileResult StartMacroRecording(std::string_view name) { return TheMacroRecorder().Start(name); }

void PauseMacroRecording() { TheMacroRecorder().Pause(); }

void ResumeMacroRecording() { TheMacroRecorder().Resume(); }

MacroFileResult StopMacroRecording(bool report) { return TheMacroRecorder().Stop(report); }

MacroState CurrentMacroState() { return TheMacroRecorder().State(); }

} // namespace quorbel
