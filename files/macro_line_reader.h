// Reads a macro file line by line: Latin-1 bytes with CR LF or LF line ends in, UTF-8
// lines of at most kMacroLineLimit characters out.
#pragma once

#include <istream>
#include <optional>
#include <string>

namespace quorbel {

struct MacroLine {
  std::string text; // without its line end; UTF-8
  // The line ran past the limit before its help marker, so its keyword or arguments were
  // cut: the step it holds is not the one that was written.
  bool stepCut = false;
};

// The next line of `in`, or nothing at the end. The characters of a line beyond the limit
// are dropped with the rest of that line; they never make a line of their own.
std::optional<MacroLine> ReadMacroLine(std::istream &in);

} // namespace quorbel
