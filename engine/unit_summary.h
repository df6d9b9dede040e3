// Unit summaries: the records after the playing cells, one per row, column, block,
// diagonal and extra region, whose ThePoss holds the values still free in the unit.
// Rebuilding them marks repeated values; an open cell's candidates are the AND of the
// summaries of its units. Givens of status 0 take no part in either.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/cell_record.h"
#include "engine/geometry.h"

namespace quorbel {

struct GridRecord;

inline bool IsOpenStatus(int32_t status) { return status == kStatusEmpty || status == kStatusPencilled; }

// What the rules' checks and filters ask of a cell: does it hold a value (given, placed, fixed or
// on trial), or wait for one.
inline bool IsFilled(const CellRecord &cell) { return cell.Status < kStatusConflict; }
// The rules mark the cells a clue finds wrong, all but the givens.
inline void MarkUnlessFixed(CellRecord &cell) {
  if (cell.Status != kStatusFixed)
    cell.Check = kCheckConflict;
}
inline bool IsOpen(const CellRecord &cell) { return cell.Status > kStatusConflict; }
// Statuses 1..5 hold a value that takes part in the units; givens (0) do not.
inline bool TakesPartInUnits(int32_t status) {
  return static_cast<uint32_t>(status - kStatusPlaced) <=
         static_cast<uint32_t>(kStatusConflict - kStatusPlaced);
}

// A pencilled cell excludes what its marks leave out, an empty one what its candidates do.
inline uint32_t ExcludedOfOpenCell(const GridGeometry &geo, const CellRecord &cell) {
  return (cell.Status == kStatusPencilled ? cell.Marks : cell.ThePoss) ^ geo.FullMask;
}

// What the unit checks read of a playing cell. Gathered once per propagation, it lets
// the 3 x W unit passes run over a small array instead of the cells' large records.
struct CellDigest {
  uint32_t Taken; // the hole of Excluded (the value's bit) for a cell of status 1..5, else 0
  uint32_t Open;  // 1 for an open cell (status 6 or 7)
};
inline CellDigest DigestOf(const GridGeometry &geo, const CellRecord &cell) {
  const uint32_t takesPart = TakesPartInUnits(cell.Status) ? geo.FullMask : 0u;
  return {~cell.Excluded & takesPart, IsOpenStatus(cell.Status) ? 1u : 0u};
}

// The free values of every row, column and block.
struct UnitFreeMasks {
  std::array<uint32_t, kMaxWidth> Row{};
  std::array<uint32_t, kMaxWidth> Col{};
  std::array<uint32_t, kMaxWidth> Block{};
};

// The value of a filled cell (status 1..5) leaves the unit: 5 when it was already gone
// (the unit's Check becomes 5), else 3. An open cell makes the unit open (Check 8).
int RemoveFromUnit(const GridGeometry &geo, CellRecord &unit, const CellRecord &cell);

// Rebuild one summary from its cells; a repeated value marks every equal cell up to
// the repeat (fixed cells excepted) with Check 5. Each returns 5 on a repeat, else 3.
int CheckRowUnit(const GridGeometry &geo, int row, GridRecord &grid);
int CheckColUnit(const GridGeometry &geo, int col, GridRecord &grid);
int CheckBlockUnit(const GridGeometry &geo, int block, GridRecord &grid);
// CheckRowUnit, CheckColUnit and CheckBlockUnit for every unit, from the digest of the
// playing cells (whose Check must be reset beforehand). Returns 5 when any unit repeats
// a value, else 3; `free` receives the summaries' free values.
int CheckGridUnits(const GridGeometry &geo, GridRecord &grid, std::span<const CellDigest> digest,
                   UnitFreeMasks &free);
// The diagonals and extra regions in use.
int CheckRegionUnits(const GridGeometry &geo, GridRecord &grid);

// Region k (diagonal 1, diagonal 2, extra region 1, extra region 2) is a unit of the grid
// when its flag is on and the grid holds the Diagonal or Extra Region rule. A flag alone
// is not enough: its summary would not be kept up to date.
bool RegionUnitInUse(const GridRecord &grid, int region);
// True when the cell lies on region k and region k is a unit of the grid.
bool CellInRegionUnit(const GridRecord &grid, int region, int cell);

// A cell's candidates from `freeInUnits`, the AND of its units' free values (used by
// open cells only). Returns 0 when the cell is in conflict or has no candidate left.
// Inline: propagation runs it for every playing cell.
inline int ComputeCellPoss(const GridGeometry &geo, CellRecord &cell, uint32_t freeInUnits) {
  switch (cell.Status) {
  case kStatusEmpty:
  case kStatusPencilled:
    cell.ThePoss = freeInUnits & geo.FullMask;
    cell.Excluded = ExcludedOfOpenCell(geo, cell);
    cell.NPoss = CountValues(cell.ThePoss, geo.GridWidth);
    if (cell.ThePoss == 0) {
      cell.Check = kCheckConflict;
      return 0;
    }
    return 1;
  case kStatusPlaced:
  case kStatusPlacedLastStep:
  case kStatusFixed:
    if (cell.Check == kCheckConflict)
      return 0;
    if (cell.Marks != 0)
      cell.ThePoss = cell.Marks;
    cell.NPoss = 1;
    return 1;
  case kStatusHypothesis:
    cell.NPoss = 1;
    cell.ThePoss = ValueBit(cell.Value);
    return cell.Check == kCheckConflict ? 0 : 1;
  case kStatusConflict:
    return 0;
  default:
    return 1;
  }
}

// Narrows an open cell's candidates to `mask`: 1 when they changed (an empty mask marks
// the cell in conflict). A filled cell keeps its value's bit and reports 0.
int RestrictPoss(const GridGeometry &geo, CellRecord &cell, uint32_t mask);

// ANDs `keep` into an open cell's candidates and nothing more (the filters that narrow
// `ThePoss` directly, leaving the counts to the next pass): 1 when one went.
inline int AndPoss(CellRecord &cell, uint32_t keep) {
  if (!IsOpen(cell) || (cell.ThePoss & ~keep) == 0)
    return 0;
  cell.ThePoss &= keep;
  return 1;
}

} // namespace quorbel
