// The macro recorder: while recording, every user action that has a script command is
// appended to a macro file as one line (Latin-1, CR LF). Owns the recording state, the
// file being written and the panel messages that start, pause, resume and stop report.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/message_numbers.h"
#include "files/message_sink.h"
#include "platform/atomic_file.h"
#include "platform/help_contexts.h"

namespace quorbel {

// Only Recording writes; Paused keeps the file open (a pause taken while idle has none).
// Recording is always backed by a file.
enum class MacroState : int32_t { Recording = 0, Idle = 1, Paused = 2 };

// Panel messages of the recorder, and the link codes they carry.
inline constexpr int32_t kMacroHelpLink = HelpContext("scripts"); // help topic of the "Macro" link
inline constexpr int32_t kOpenFileLink = -2;                      // the link opens the named file

struct MacroFileResult {
  bool ok = true;
  std::string message; // what went wrong, for the panel; empty when ok
};

class MacroRecorder {
public:
  explicit MacroRecorder(MessageSink *sink = nullptr) : sink_(sink) {}
  // A recording still open at the end is kept, as if stopped without report.
  ~MacroRecorder();
  MacroRecorder(const MacroRecorder &) = delete;
  MacroRecorder &operator=(const MacroRecorder &) = delete;

  void SetMessageSink(MessageSink *sink) { sink_ = sink; }
  MacroState State() const { return state_; }
  // The file of the open recording; empty when idle.
  const std::string &FilePath() const { return path_; }

  // Stops an open recording (with its report), then records into the file titled like
  // `name` with the extension ".macro" in the start directory. The file only takes the
  // new steps when the recording stops; until then it keeps what it held.
  MacroFileResult Start(std::string_view name);
  // Both post their message whatever the state. Pausing always pauses; resuming records again
  // when a file is open, and otherwise goes back to idle.
  void Pause();
  void Resume();
  // Closes an open recording and saves its file; `report` posts the end message when the
  // file was saved. When idle there is nothing to stop and nothing is reported.
  MacroFileResult Stop(bool report);

  // Appends one step while recording: `args` are the argument texts in written order.
  void Record(int32_t code, std::span<const std::string> args);

private:
  void Post(int32_t messageNumber, std::span<const MessageArg> args);

  MacroState state_ = MacroState::Idle;
  MessageSink *sink_;
  AtomicFile file_;
  std::string path_;
};

// The program's one recorder, behind the free functions below.
MacroRecorder &TheMacroRecorder();

// An integer argument; std::nullopt (or {}) when absent. Every present value is written,
// -1 included.
using MacroInt = std::optional<int32_t>;

// Records action `code` (an index of ScriptWords) with its arguments, written in the order
// str1, int1, ..., str6, int6; an empty string or an absent integer writes nothing. Does
// nothing unless recording. A step that could not be read back as recorded (an argument
// holding ";", a TAB or a line end, a character beyond Latin-1, arguments longer than a
// line) is kept in the file as a comment line instead.
void RecordMacroStep(int32_t code, std::string_view str1 = {}, MacroInt int1 = {}, std::string_view str2 = {},
                     MacroInt int2 = {}, std::string_view str3 = {}, MacroInt int3 = {},
                     std::string_view str4 = {}, MacroInt int4 = {}, std::string_view str5 = {},
                     MacroInt int5 = {}, std::string_view str6 = {}, MacroInt int6 = {});

MacroFileResult StartMacroRecording(std::string_view name);
void PauseMacroRecording();
void ResumeMacroRecording();
MacroFileResult StopMacroRecording(bool report);
MacroState CurrentMacroState();

} // namespace quorbel
