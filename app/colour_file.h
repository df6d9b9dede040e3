// The ".col" colour files: a comment line, then the board's fourteen colours, one per line in the
// order of BoardColourKeys, each "0x" and eight hexadecimal digits followed by its slot's name.
#pragma once

#include <string>
#include <string_view>

#include "app/colours.h"

namespace quorbel {

// The whole file, each line ended by CR LF.
std::string WriteColourFile(const BoardColours &colours);

// Reads a file's text over `colours`: the first line is skipped whatever it holds, and a line
// that does not start with "0x" and a hexadecimal number, or a line missing at the end, gives its
// slot the colour of the slot before; the first slot then keeps its own. Lines may end with LF
// alone. The top byte is kept as read.
void ReadColourFile(std::string_view text, BoardColours &colours);

} // namespace quorbel
