// The text of a data-file line up to its comment.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

constexpr size_t kMaxCopiedLine = 2998;

// src up to its first "\n", "\r" or ";", at most kMaxCopiedLine characters.
std::string CopyLineUntilComment(std::string_view src);

} // namespace quorbel
