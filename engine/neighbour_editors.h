// Editing the neighbourhood rules' lists: the chess pieces on their cells and the Navigator
// arrows. Toggles return 1 when an item was added or changed, 0 when one was removed or the
// list was full.
#pragma once

#include "engine/cell_image.h"

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// kind -2 removes the piece on the cell; -1 cycles it (black, white, then the next kind, past
// the pawn removed; a new one starts as a black knight); a kind and colour equal to the
// piece's remove it, others replace it. The cell's image index names the figure; the
// figures and attacks are worked out again.
int ToggleChessPiece(const GridGeometry &geo, GridRecord &grid, int kind, int cell, int colour);

// The same cell and direction removes the arrow, else it is appended (159 kept at most).
int ToggleNavigatorItem(GridRecord &grid, int cell, int direction);
// The arrow of `cell` (with `second` 0 or more: the first whose walk holds `second`), -1 none.
int FindNavigatorItem(const GridGeometry &geo, const GridRecord &grid, int cell, int second = -1);
// The direction of an arrow from `reference` towards `target` (the Navigator command's
// two-cell selection); -1 when no walk leads there.
int NavigatorDirectionTowards(const GridGeometry &geo, int reference, int target);

} // namespace quorbel
