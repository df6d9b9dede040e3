// Letters folded to lower case one byte at a time: file extensions and catalogue keywords, which
// compare without regard to case whatever the locale.
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

} // namespace quorbel
