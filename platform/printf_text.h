// A printf format into a string, for the program's own formats (never a format read from a file).
#pragma once

#include <string>

namespace quorbel {

// At most 511 characters are kept.
[[gnu::format(printf, 1, 2)]] std::string PrintfText(const char *format, ...);

} // namespace quorbel
