#include "files/macro_line_reader.h"

#include "files/latin1_text.h"
#include "files/macro_line.h"

namespace quorbel {

std::optional<MacroLine> ReadMacroLine(std::istream &in) {
  // Keep enough past the limit to see a help marker that starts within it.
  const std::size_t kept = kMacroLineLimit + kMacroHelpMarker.size();
  std::string head;
  std::size_t length = 0;
  char last = 0;
  bool sawAny = false;
  for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
    sawAny = true;
    if (c == '\n')
      break;
    if (head.size() < kept)
      head += static_cast<char>(c);
    last = static_cast<char>(c);
    ++length;
  }
  if (!sawAny)
    return std::nullopt;
  if (last == '\r') {
    --length;
    if (head.size() > length)
      head.resize(length);
  }
  MacroLine line;
  if (length > kMacroLineLimit) {
    const std::size_t marker = head.find(kMacroHelpMarker);
    line.stepCut = marker == std::string::npos || marker > kMacroLineLimit;
    head.resize(kMacroLineLimit);
  }
  line.text = Latin1ToUtf8(head);
  return line;
}

} // namespace quorbel
