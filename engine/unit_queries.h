// Where a value can still go inside one unit of a grid: the open cells of a row,
// column, block, diagonal or extra region that hold it as a candidate.
#pragma once

#include <span>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

enum UnitKind : int {
  kUnitRow = 0,
  kUnitColumn = 1,
  kUnitBlock = 2,
  kUnitDiag1 = 3,
  kUnitDiag2 = 4,
  kUnitExtra1 = 5,
  kUnitExtra2 = 6,
  kUnitSingleCell = 7,
  kUnitWholeGrid = 8, // every playing cell, stopping after GridWidth found
};

// Writes the open cells of unit n whose candidates hold v, in unit order, into out
// (at most out.size()) and returns their number.
int ListUnitCellsWithPoss(const GridGeometry &geo, int kind, int v, int n, const GridRecord &grid,
                          std::span<int> out);

// The only open cell of the first unit where v has exactly one place: rows, then
// columns, then blocks, then (on Diagonal or Extra Region grids) the regions that are
// on. -1 when there is none.
int FindHiddenSingle(const GridGeometry &geo, int v, const GridRecord &grid);

} // namespace quorbel
