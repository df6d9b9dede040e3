// The lines of a text grid file that the grid catalogue reads and edits in place: the
// comment of each language and the level.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorbel {

// The text of the first English ("=") or French ("!") comment line, UTF-8; empty when none.
std::string ReadTextGridComment(std::span<const uint8_t> bytes, bool english);

// The number of the first level line; 0 when there is none or it holds no number.
int ReadTextGridLevel(std::span<const uint8_t> bytes);

// The file with its comment line of that language replaced (level -1), or its level line
// replaced (a level outside 1..4 becomes 1); the line is appended when there is none. An
// empty comment leaves a line saying that the old one was removed. Latin-1, CR LF.
std::string SetTextGridCommentOrLevel(std::span<const uint8_t> bytes, int level, std::string_view comment,
                                      bool english);

} // namespace quorbel
