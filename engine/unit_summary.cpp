// Unit summaries and the candidates they leave to each cell. This is the inner loop of
// every propagation, so it reads only the first cache line of each cell record.
#include "engine/unit_summary.h"

#include "engine/grid_record.h"

namespace quorbel {

namespace {

using UnitCells = std::array<int16_t, kMaxWidth>;

// The value's bit is the one hole of a filled cell's Excluded: when the unit lacks it
// too, the value was already taken there.
bool AlreadyTaken(const GridGeometry &geo, uint32_t free, uint32_t excluded) {
  return ((free | excluded) & geo.FullMask) != geo.FullMask;
}

// What a unit check reads of a cell: from its record, or from a digest of the grid.
struct ReadRecords {
  const GridGeometry &geo;
  const GridRecord &grid;
  CellDigest operator()(int cell) const { return DigestOf(geo, grid.Cells[cell]); }
};
struct ReadDigest {
  std::span<const CellDigest> digest;
  const CellDigest &operator()(int cell) const { return digest[cell]; }
};

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

void WriteSummary(const GridGeometry &geo, CellRecord &unit, uint32_t free, bool open, bool repeat) {
  if (unit.Status != kStatusPencilled)
    unit.Status = kStatusEmpty;
  unit.ThePoss = free;
  unit.Excluded = free ^ geo.FullMask;
  unit.Check = repeat ? kCheckConflict : open ? kCheckUnitOpen : kCheckConsistent;
  unit.NPoss = CountValues(free, geo.GridWidth);
}

// RemoveFromUnit over the unit's cells from a fresh summary, kept in registers until the
// end. The loop has no branch on the cells' statuses, which the search makes random; only
// a repeat, which is rare, branches. Region lists may hold -1 (an extra region shorter
// than a row, a hostile file): those entries are skipped. Row, column and block tables
// always hold playing cells.
template <bool kMayHaveHoles, typename Read>
int CheckUnit(const GridGeometry &geo, GridRecord &grid, CellRecord &unit, const UnitCells &cells,
              const Read &read) {
  uint32_t free = geo.FullMask;
  uint32_t open = 0;
  bool repeat = false;
  for (int k = 0; k < geo.GridWidth; ++k) {
    if (kMayHaveHoles && !IsPlayingCell(geo, cells[k]))
      continue;
    const CellDigest cell = read(cells[k]);
    open |= cell.Open;
    if ((cell.Taken & ~free) != 0) {
      repeat = true;
      MarkRepeats(geo, grid, cells, k, grid.Cells[cells[k]].Value);
    }
    free &= ~cell.Taken;
  }
  WriteSummary(geo, unit, free, open != 0, repeat);
  return repeat ? kCheckConflict : kCheckConsistent;
}

} // namespace

int RemoveFromUnit(const GridGeometry &geo, CellRecord &unit, const CellRecord &cell) {
  if (IsOpenStatus(cell.Status)) {
    if (unit.Check != kCheckConflict)
      unit.Check = kCheckUnitOpen;
    return kCheckConsistent;
  }
  if (!TakesPartInUnits(cell.Status))
    return kCheckConsistent;
  int result = kCheckConsistent;
  if (AlreadyTaken(geo, unit.ThePoss, cell.Excluded)) {
    unit.Check = kCheckConflict;
    result = kCheckConflict;
  }
  unit.ThePoss &= cell.Excluded;
  unit.Excluded = unit.ThePoss ^ geo.FullMask;
  unit.NPoss = CountValues(unit.ThePoss, geo.GridWidth);
  return result;
}

int CheckRowUnit(const GridGeometry &geo, int row, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.RowUnitBase + row], geo.RowCells[row],
                          ReadRecords{geo, grid});
}

int CheckColUnit(const GridGeometry &geo, int col, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.ColUnitBase + col], geo.ColCells[col],
                          ReadRecords{geo, grid});
}

int CheckBlockUnit(const GridGeometry &geo, int block, GridRecord &grid) {
  return CheckUnit<false>(geo, grid, grid.Cells[geo.BlockUnitBase + block], grid.BlockCells[block],
                          ReadRecords{geo, grid});
}

int CheckGridUnits(const GridGeometry &geo, GridRecord &grid, std::span<const CellDigest> digest,
                   UnitFreeMasks &free) {
  // One pass over the cells gathers every unit's taken values. Without a value taken
  // twice anywhere, which is the rule and not the exception, that is the whole answer.
  std::array<uint32_t, kMaxWidth> rowTaken{}, colTaken{}, blockTaken{};
  std::array<uint32_t, kMaxWidth> rowOpen{}, colOpen{}, blockOpen{};
  uint32_t clash = 0;
  for (int i = 0; i < geo.NCells; ++i) {
    const CellDigest cell = digest[i];
    const int r = geo.RowOfCell[i];
    const int c = geo.ColOfCell[i];
    const int b = grid.BlockOfCell[i];
    clash |= (rowTaken[r] | colTaken[c] | blockTaken[b]) & cell.Taken;
    rowTaken[r] |= cell.Taken;
    colTaken[c] |= cell.Taken;
    blockTaken[b] |= cell.Taken;
    rowOpen[r] |= cell.Open;
    colOpen[c] |= cell.Open;
    blockOpen[b] |= cell.Open;
  }
  if (clash == 0) {
    for (int u = 0; u < geo.GridWidth; ++u) {
      free.Row[u] = geo.FullMask & ~rowTaken[u];
      free.Col[u] = geo.FullMask & ~colTaken[u];
      free.Block[u] = geo.FullMask & ~blockTaken[u];
      WriteSummary(geo, grid.Cells[geo.RowUnitBase + u], free.Row[u], rowOpen[u] != 0, false);
      WriteSummary(geo, grid.Cells[geo.ColUnitBase + u], free.Col[u], colOpen[u] != 0, false);
      WriteSummary(geo, grid.Cells[geo.BlockUnitBase + u], free.Block[u], blockOpen[u] != 0, false);
    }
    return kCheckConsistent;
  }

  // A repeat: each unit in turn, so that the repeats are marked as the unit meets them.
  const ReadDigest read{digest};
  int result = kCheckConsistent;
  for (int u = 0; u < geo.GridWidth; ++u) {
    CellRecord &row = grid.Cells[geo.RowUnitBase + u];
    CellRecord &col = grid.Cells[geo.ColUnitBase + u];
    CellRecord &block = grid.Cells[geo.BlockUnitBase + u];
    if (CheckUnit<false>(geo, grid, row, geo.RowCells[u], read) == kCheckConflict)
      result = kCheckConflict;
    if (CheckUnit<false>(geo, grid, col, geo.ColCells[u], read) == kCheckConflict)
      result = kCheckConflict;
    if (CheckUnit<false>(geo, grid, block, grid.BlockCells[u], read) == kCheckConflict)
      result = kCheckConflict;
    free.Row[u] = row.ThePoss;
    free.Col[u] = col.ThePoss;
    free.Block[u] = block.ThePoss;
  }
  return result;
}

bool RegionUnitInUse(const GridRecord &grid, int region) {
  return Meets(grid.GridVar, kVarDiagonal | kVarExtraRegion) && grid.Lists.RegionOn[region] != 0;
}

bool CellInRegionUnit(const GridRecord &grid, int region, int cell) {
  return RegionUnitInUse(grid, region) && grid.RegionMark[region][cell] >= 0;
}

int CheckRegionUnits(const GridGeometry &geo, GridRecord &grid) {
  int result = kCheckConsistent;
  for (int region = 0; region < 4; ++region) {
    if (RegionUnitInUse(grid, region) &&
        CheckUnit<true>(geo, grid, grid.Cells[geo.Diag1Unit + region], grid.RegionCells[region],
                        ReadRecords{geo, grid}) == kCheckConflict)
      result = kCheckConflict;
  }
  return result;
}

int RestrictPoss(const GridGeometry &geo, CellRecord &cell, uint32_t mask) {
  mask &= geo.FullMask;
  if (mask == cell.ThePoss)
    return 0;
  switch (cell.Status) {
  case kStatusEmpty:
  case kStatusPencilled:
    cell.ThePoss = mask;
    cell.Excluded = ExcludedOfOpenCell(geo, cell);
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
