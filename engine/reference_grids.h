// The reference grids: filling them with the solution found by the last search or with
// the grids as they stand, and the statuses that tell the board which reference values
// were clues, which were found and which are still unknown.
#pragma once

namespace quorbel {

struct EngineContext;

// Copies the first stored solution of the last search into the reference grid of `slot`
// (-1: every main grid). Returns 0, changing nothing, when the last search stored no
// solution for one of them; else 1.
int SetRefTabFromSearch(EngineContext &ctx, int slot);
// Every main grid as it stands becomes its own reference. Returns 1.
int SetRefTabFromCurrent(EngineContext &ctx);
// The reference cells' statuses from the main grids' cells: fixed stays fixed (3), an
// open cell stays open (6) when keepOpen is non-zero and otherwise counts as found (4),
// like every other status. Reference grid 0 is solved (3) unless an open cell was kept
// (8). slot -1: every main grid. Returns 1.
int MarkRefTabStates(EngineContext &ctx, int slot, int keepOpen);

} // namespace quorbel
