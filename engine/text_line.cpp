// Cutting a data-file line at its end or its comment.
#include "engine/text_line.h"

#include <algorithm>

namespace quorbel {

std::string CopyLineUntilComment(std::string_view src) {
  const size_t end = std::min(src.find_first_of("\n\r;"), src.size());
  return std::string(src.substr(0, std::min(end, kMaxCopiedLine)));
}

} // namespace quorbel
