// Unit summaries: the records after the playing cells, one per row, column, block,
// diagonal and extra region, whose ThePoss holds the values still free in the unit.
// Rebuilding them marks repeated values; an open cell's candidates are the AND of the
// summaries of its units. Givens of status 0 take no part in either.
#pragma once

#include <cstdint>

namespace quorbel {

struct CellRecord;
struct GridGeometry;
struct GridRecord;

// The value of a filled cell (status 1..5) leaves the unit: 5 when it was already gone
// (the unit's Check becomes 5), else 3. An open cell makes the unit open (Check 8).
int RemoveFromUnit(const GridGeometry &geo, CellRecord &unit, const CellRecord &cell);

// Rebuild one summary from its cells; a repeated value marks every equal cell up to
// the repeat (fixed cells excepted) with Check 5. Each returns 5 on a repeat, else 3.
int CheckRowUnit(const GridGeometry &geo, int row, GridRecord &grid);
int CheckColUnit(const GridGeometry &geo, int col, GridRecord &grid);
int CheckBlockUnit(const GridGeometry &geo, int block, GridRecord &grid);
// The diagonals and extra regions in use.
int CheckRegionUnits(const GridGeometry &geo, GridRecord &grid);

// Region k (diagonal 1, diagonal 2, extra region 1, extra region 2) is a unit of the grid
// when its flag is on and the grid holds the Diagonal or Extra Region rule. A flag alone
// is not enough: its summary would not be kept up to date.
bool RegionUnitInUse(const GridRecord &grid, int region);

// A cell's candidates from `freeInUnits`, the AND of its units' free values (used by
// open cells only). Returns 0 when the cell is in conflict or has no candidate left.
int ComputeCellPoss(const GridGeometry &geo, CellRecord &cell, uint32_t freeInUnits);

// Narrows an open cell's candidates to `mask`: 1 when they changed (an empty mask marks
// the cell in conflict). A filled cell keeps its value's bit and reports 0.
int RestrictPoss(const GridGeometry &geo, CellRecord &cell, uint32_t mask);

} // namespace quorbel
