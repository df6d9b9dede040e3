// Picks the board's next background picture at random among the JPEG files of a folder.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// An absolute path to one "*.jpg" file of `directory` (the extension in any case), drawn with
// RandomBelow; empty when the folder holds none or cannot be read.
std::string PickRandomBackground(std::string_view directory);

} // namespace quorbel
