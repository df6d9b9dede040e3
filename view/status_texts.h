// The texts the board view writes into the status bar's panes.
#pragma once

#include <string>

#include "app/value_symbol.h"

namespace quorbel {

// The range of symbols in use: "1...9", "A...P", "1...C" (mixed), or "Image" for pictures;
// empty while no grid shape is set.
std::string SymbolRangeText(int width, SymbolMode mode);

} // namespace quorbel
