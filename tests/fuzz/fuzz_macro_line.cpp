// The macro file's lines on any bytes: read line by line and parsed; a step whose arguments a
// line can hold, written again, parses back to the same step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "files/macro_line.h"
#include "files/macro_line_reader.h"

using namespace quorbel;

namespace {

bool Writable(const std::string &arg) {
  return arg.find_first_of(";\t\r\n") == std::string::npos && arg.find(kMacroHelpMarker) == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char *>(data), size));
  while (const std::optional<MacroLine> line = ReadMacroLine(in)) {
    const MacroStep step = ParseMacroLine(line->text);
    if (step.Code() < 0)
      continue;
    const std::vector<std::string> args(step.strings.begin() + 1, step.strings.end());
    bool writable = true;
    for (const std::string &arg : args)
      writable = writable && Writable(arg);
    if (!writable)
      continue;
    const MacroStep again = ParseMacroLine(FormatMacroLine(step.Code(), args));
    if (again.ints != step.ints || !std::equal(args.begin(), args.end(), again.strings.begin() + 1))
      std::abort();
  }
  return 0;
}
