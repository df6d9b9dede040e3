// The diagonal of a Little Killer clue: its cells run from the first cell to the last by one
// diagonal step, and the clue stands just beyond the last cell, one more step on, outside the
// grid. Each edge cell starts the clue of each side it lies on.
#pragma once

#include <optional>

namespace quorbel {

struct GridGeometry;

struct DiagonalRun {
  int Step = 0;  // cell-index step from one cell to the next
  int Count = 0; // cells from the first to the last, both included
};

// The diagonal from `first` to `last` of a grid `width` wide; none when they are not on one.
// A clue of one cell takes its step from where the cell lies.
std::optional<DiagonalRun> LittleKillerRun(int width, int first, int last);

// The step of the clues of a side (0 top, 1 right, 2 bottom, 3 left): the clue stands beyond
// its last cell in that direction.
int LittleKillerStepOfSide(const GridGeometry &geo, int side);

// The clue of a side's position: its last cell on the edge, its first cell at the far end of
// the diagonal. First -1 when the position lies outside the grid.
struct DiagonalEnds {
  int First = -1;
  int Last = -1;
};
DiagonalEnds LittleKillerClueOfSide(const GridGeometry &geo, int side, int position);

// The clue whose last cell is an edge cell: of the sides the cell lies on (top, right, bottom,
// left), the first whose diagonal is longer than the cell alone. First -1 off the edges.
DiagonalEnds LittleKillerClueOfEdgeCell(const GridGeometry &geo, int cell);

} // namespace quorbel
