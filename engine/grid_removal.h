// Taking one main grid out of the set: the grids after it move down a slot with their
// solutions, and the links the others hold to grids (Relation, Relation Multiple, Zone, the
// twin partner, Same in Line's partner) follow them; a link to the grid taken out goes with it.
#pragma once

namespace quorbel {

struct EngineContext;

// Removes main grid `slot`. The undo history is emptied, every grid is shown in slot order
// and the focus goes to the first cell of the first grid; a Twins Total sums grid is worked out
// again over the grids left. Returns the main grids left, or -1 when `slot` is not a main grid
// or is the last one (nothing changes then).
int RemoveGridFromSet(EngineContext &ctx, int slot);

} // namespace quorbel
