#include "files/macro_line.h"

#include "files/script_words.h"

namespace quorbel {

namespace {

bool EndsToken(char c) { return c == ';' || c == '\n' || c == '\r'; }

} // namespace

std::string_view NextMacroToken(std::string_view &cursor) {
  std::size_t end = 0;
  while (end < cursor.size() && !EndsToken(cursor[end]) && cursor[end] != '\t')
    ++end;
  const std::string_view token = cursor.substr(0, end);
  while (end < cursor.size() && !EndsToken(cursor[end]))
    ++end;
  if (end < cursor.size() && cursor[end] == ';')
    cursor.remove_prefix(end + 1);
  else
    cursor.remove_prefix(cursor.size());
  return token;
}

MacroStep ParseMacroLine(std::string_view line) {
  MacroStep step;
  std::string_view cursor = line.substr(0, line.find(kMacroHelpMarker));
  for (std::string &text : step.strings)
    text = NextMacroToken(cursor);
  step.ints[0] = FindScriptWord(step.strings[0]);
  for (int i = 1; i <= kMacroArgCount; ++i)
    if (!step.strings[i].empty())
      step.ints[i] = FindScriptArgWord(step.strings[i]);
  return step;
}

std::string FormatMacroLine(int32_t code, std::span<const std::string> args) {
  std::string line(ScriptWords[code]);
  for (const std::string &arg : args) {
    line += ';';
    line += arg;
  }
  line += kMacroHelpMarker;
  line += ScriptHelp[code];
  if (!ScriptSyntax[code].empty()) {
    line += '\t';
    line += ScriptSyntax[code];
  }
  return line;
}

} // namespace quorbel
