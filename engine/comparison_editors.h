// The list editors of the rules between two cells and their lookups. Toggles return 1 when an
// item was added or changed (another kind put in its place), 0 when one was removed or nothing
// was written (a full list, a cell off the grid).
#pragma once

#include <array>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

int ToggleComparisonMark(const GridGeometry &geo, int cellA, GridRecord &grid, int cellB, int kind);
// The kind of the mark from A to B; FindComparison: the index of the mark from B to A. -1 none.
int GetComparisonType(const GridRecord &grid, int cellA, int cellB);
int FindComparison(const GridRecord &grid, int cellA, int cellB);
// The greater-or-less mark between two cells, in either order; -1 none.
int FindComparisonItem(const GridRecord &grid, int cellA, int cellB);

// The cell's odd/even mark (0 even, 1 odd, 10 X), in the list and in the cell.
int ToggleOddEvenCell(const GridGeometry &geo, GridRecord &grid, int cell, int parity);
int ToggleOddPairMark(const GridGeometry &geo, GridRecord &grid, int cellA, int cellB, int kind);
// An indication on one cell of a 2 x 2 clue: mode 1 its minimum, 0 its maximum.
int ToggleQuadClue(const GridGeometry &geo, const std::array<int, 4> &cells, GridRecord &grid, int cell,
                   int mode);
// What the Quad clue whose first cell is `cell` still lacks: 0 its maximum, 1 its minimum, 2 no
// clue there, -1 both given.
int QuadMaxState(const GridRecord &grid, int cell);

// A row (orientation 1) or column clue from two of its cells, whose values come from `solution`.
int ToggleDistanceClue(const GridGeometry &geo, int cell1, int cell2, GridRecord &grid, int orientation,
                       const GridRecord &solution);
// Recomputes clue i's distance from where its values stand in `solution`.
void ComputeDistanceClue(const GridGeometry &geo, GridRecord &grid, int i, const GridRecord &solution);
// Whether the cell's row (direction 1) or column (0) already has a Distance clue.
bool IsLineClueListed(const GridGeometry &geo, int cell, const GridRecord &grid, int direction);

} // namespace quorbel
