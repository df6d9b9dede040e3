// Writes the text grid format: the readable exchange form of a puzzle, one line per cell
// and one line per variant clue, for every grid of the set. Latin-1 with CR LF line ends.
#pragma once

#include <string>

#include "files/text_grid_format.h"

namespace quorbel {

struct EngineContext;

// The whole file, ready to be written as it is.
std::string WriteTextGrid(const EngineContext &ctx, const TextGridInfo &info);

} // namespace quorbel
