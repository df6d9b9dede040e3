// The small readers the net layer's messages and replies share.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace quorbel {

// The parts of `text` between separators; an empty text is one empty part.
std::vector<std::string_view> SplitFields(std::string_view text, char separator);
// The whole text as a decimal int, nothing before or after it.
std::optional<int> WholeNumber(std::string_view text);

} // namespace quorbel
