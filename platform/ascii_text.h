// Letters folded to lower or upper case one byte at a time: file extensions, catalogue keywords
// and typed letters, which compare without regard to case whatever the locale.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace quorbel {

inline std::string AsciiLowered(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

// One letter raised to upper case; any other byte is kept.
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace quorbel
