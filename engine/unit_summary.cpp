// Unit summaries and the candidates they leave to each cell. This is the inner loop of
// every propagation, so it reads only the first cache line of each cell record.
#include "engine/unit_summary.h"

#include "engine/grid_record.h"

namespace quorbel {

namespace {

using UnitCells = std::array<int16_t, kMaxWidth>;

void ResetSummary(const GridGeometry &geo, CellRecord &unit) {
  if (unit.Status != kStatusPencilled)
    unit.Status = kStatusEmpty;
  unit.ThePoss = geo.FullMask;
  unit.Excluded = 0;
  unit.Check = kCheckConsistent;
  unit.NPoss = 0;
}

bool IsPlayingCell(const GridGeometry &geo, int cell) { return cell >= 0 && cell < geo.NCells; }

// Every cell of the unit up to position `last` that holds `value` is in conflict; fixed
// cells are clues and stay clean.
void MarkRepeats(const GridGeometry &geo, GridRecord &grid, const UnitCells &cells, int last, int value) {
  for (int k = last; k >= 0; --k) {
    if (!IsPlayingCell(geo, cells[k]))
      continue;
    CellRecord &cell = grid.Cells[cells[k]];
    if (cell.Value == value && cell.Status != kStatusFixed)
      cell.Check = kCheckConflict;
  }
}

// Region lists may hold -1 (an extra region shorter than a row, a hostile file): those
// entries are skipped. Row, column and block tables always hold playing cells.
template <bool kMayHaveHoles>
int CheckUnit(const GridGeometry &geo, GridRecord &grid, CellRecord &unit, const UnitCells &cells) {
  ResetSummary(geo, unit);
  int result = kCheckConsistent;
  for (int k = 0; k < geo.GridWidth; ++k) {
    if (kMayHaveHoles && !IsPlayingCell(geo, cells[k]))
      continue;
    const CellRecord &cell = grid.Cells[cells[k]];
    if (RemoveFromUnit(geo, unit, cell) == kCheckConflict) {
      result = kCheckConflict;
      MarkRepeats(geo, grid, cells, k, cell.Value);
    }
  }
  unit.NPoss = CountValues(unit.ThePoss, geo.GridWidth);
  return result;
}

} // namespace

int RemoveFromUnit(const GridGeometry &geo, CellRecord &unit, const CellRecord &cell) {
  const int32_t status = cell.Status;
  if (status == kStatusEmpty || status == kStatusPencilled) {
    if (unit.Check != kCheckConflict)
      unit.Check = kCheckUnitOpen;
    return kCheckConsistent;
  }
  if (status < kStatusPlaced || status > kStatusConflict)
    return kCheckConsistent;
  int result = kCheckConsistent;
  // The value's bit is the one hole of Excluded: if the unit lacks it too, it was taken.
  if (((unit.ThePoss | cell.Excluded) & geo.FullMask) != geo.FullMask) {
    unit.Check = kCheckConflict;
    result = kCheckConflict;
  }
  unit.ThePoss &= cell.Excluded;
  unit.Excluded = unit.ThePoss ^ geo.FullMask;
  unit.NPoss = CountValues(unit.ThePoss, geo.GridWidth);
  return result;
}

int CheckRowUnit(const GridGeometry &geo, int row, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.RowUnitBase + row], geo.RowCells[row]);
}

int CheckColUnit(const GridGeometry &geo, int col, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.ColUnitBase + col], geo.ColCells[col]);
}

int CheckBlockUnit(const GridGeometry &geo, int block, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.BlockUnitBase + block], grid.BlockCells[block]);
}

bool RegionUnitInUse(const GridRecord &grid, int region) {
  return Meets(grid.GridVar, kVarDiagonal | kVarExtraRegion) && grid.Lists.RegionOn[region] != 0;
}

int CheckRegionUnits(const GridGeometry &geo, GridRecord &grid) {
  int result = kCheckConsistent;
  for (int region = 0; region < 4; ++region) {
    if (RegionUnitInUse(grid, region) && CheckUnit<true>(geo, grid, grid.Cells[geo.Diag1Unit + region],
                                                         grid.RegionCells[region]) == kCheckConflict)
      result = kCheckConflict;
  }
  return result;
}

int ComputeCellPoss(const GridGeometry &geo, CellRecord &cell, uint32_t freeInUnits) {
  switch (cell.Status) {
  case kStatusPlaced:
  case kStatusPlacedLastStep:
  case kStatusFixed:
    if (cell.Check == kCheckConflict)
      return 0;
    if (cell.Marks != 0)
      cell.ThePoss = cell.Marks;
    cell.NPoss = 1;
    return 1;
  case kStatusConflict:
    return 0;
  case kStatusHypothesis:
    cell.NPoss = 1;
    cell.ThePoss = ValueBit(cell.Value);
    return cell.Check == kCheckConflict ? 0 : 1;
  case kStatusEmpty:
  case kStatusPencilled:
    cell.ThePoss = freeInUnits & geo.FullMask;
    cell.Excluded = cell.ThePoss ^ geo.FullMask;
    cell.NPoss = CountValues(cell.ThePoss, geo.GridWidth);
    if (cell.ThePoss == 0) {
      cell.Check = kCheckConflict;
      return 0;
    }
    return 1;
  default:
    return 1;
  }
}

int RestrictPoss(const GridGeometry &geo, CellRecord &cell, uint32_t mask) {
  mask &= geo.FullMask;
  if (mask == cell.ThePoss)
    return 0;
  switch (cell.Status) {
  case kStatusEmpty:
  case kStatusPencilled:
    cell.ThePoss = mask;
    cell.Excluded = mask ^ geo.FullMask;
    cell.NPoss = CountValues(mask, geo.GridWidth);
    if (mask == 0)
      cell.Check = kCheckConflict;
    return 1;
  case kStatusPlaced:
  case kStatusPlacedLastStep:
  case kStatusConflict:
    cell.ThePoss = cell.Marks;
    cell.NPoss = 1;
    return 0;
  default: // fixed cells, trial values, givens and unknown statuses are not narrowed
    return 0;
  }
}

} // namespace quorbel
