// Writes a .sud grid file, always in version 5: the geometry and every grid of the set
// with its reference grid, then the game state, the settings block, the window placements
// and the undo history. The bytes are built in memory; the document writes them to disk.
#pragma once

#include <string>

#include "files/sud_file_state.h"

namespace quorbel {

struct EngineContext;

// The caller recomputes every grid's candidates first (as before any save) and fills the
// game state, SaveTick included. Grids beyond the file's capacities are written clamped.
std::string WriteSudFile(const EngineContext &ctx, const SudFileContent &content);

} // namespace quorbel
