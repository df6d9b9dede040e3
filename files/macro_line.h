// One line of a macro file: the keyword, up to six arguments separated by ";", and for a
// recorded line the command's help and syntax texts after two TABs. Writing and reading
// a line live here; files are read and written by macro_line_reader and macro_recorder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

inline constexpr int kMacroArgCount = 6;
// A macro file's lines hold at most this many characters (the line end not counted).
inline constexpr std::size_t kMacroLineLimit = 394;
// Two TABs and ";" start the help text of a recorded line: the arguments end there.
inline constexpr std::string_view kMacroHelpMarker = "\t\t;";

struct MacroStep {
  // ints[0]: the action code (index in ScriptWords); ints[1..6]: the index of argument i's
  // text in ScriptArgWords. -1 where the text is in no table.
  std::array<int32_t, kMacroArgCount + 1> ints{-1, -1, -1, -1, -1, -1, -1};
  // strings[0]: the keyword as read; strings[1..6]: the argument texts, "" when absent.
  std::array<std::string, kMacroArgCount + 1> strings;

  int32_t Code() const { return ints[0]; }
  bool operator==(const MacroStep &) const = default;
};

// The token at `cursor`, which then moves past it. A token ends at ";", at a line end
// (CR or LF) or at the end of the text; a TAB ends the token's text and whatever follows
// it up to the next ";" or line end is dropped. After a line end the cursor is empty.
std::string_view NextMacroToken(std::string_view &cursor);

// The step a line holds. Only the text before the help marker is read, so a recorded
// line gives back exactly the recorded step. Parsing changes no state.
MacroStep ParseMacroLine(std::string_view line);

// The line recording `code` (0..kScriptWordCount-1) with `args` writes, without its line
// end: keyword, ";" + each argument, the help marker and help text, then a TAB and the
// syntax text when the command has one.
std::string FormatMacroLine(int32_t code, std::span<const std::string> args);

} // namespace quorbel
