// The passage between the player's undo stack (rows of compact snapshots) and the undo
// history a grid file stores (the cells of every main grid at every step).
#pragma once

#include "files/sud_file_state.h"

namespace quorbel {

struct EngineContext;

// Every row of the undo stack as cells, with the stack's position.
SudUndoHistory CaptureUndoHistory(EngineContext &ctx);

// Replaces the undo stack by the file's history over the grids just loaded: each step is
// those grids with the step's cells. The grids themselves stay as they are.
void RestoreUndoHistory(EngineContext &ctx, const SudUndoHistory &history);

} // namespace quorbel
