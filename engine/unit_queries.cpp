// Places of a value inside the units of a grid.
#include "engine/unit_queries.h"

#include <array>

#include "engine/grid_record.h"

namespace quorbel {

namespace {

bool IsOpenWith(const GridRecord &grid, int cell, uint32_t bit) {
  if (cell < 0 || static_cast<size_t>(cell) >= grid.Cells.size())
    return false;
  const CellRecord &c = grid.Cells[cell];
  return c.Status > kStatusConflict && (c.ThePoss & bit) != 0;
}

// The cells of a unit of W entries; entries outside the grid are skipped by the caller.
template <typename Row>
int CollectFrom(const GridRecord &grid, const Row &cells, int width, uint32_t bit, std::span<int> out) {
  int found = 0;
  for (int k = 0; k < width && static_cast<size_t>(found) < out.size(); ++k)
    if (IsOpenWith(grid, cells[k], bit))
      out[found++] = cells[k];
  return found;
}

} // namespace

int ListUnitCellsWithPoss(const GridGeometry &geo, int kind, int v, int n, const GridRecord &grid,
                          std::span<int> out) {
  const uint32_t bit = ValueBit(v) & geo.FullMask;
  const int width = geo.GridWidth;
  const bool inUnitRange = n >= 0 && n < width;
  switch (kind) {
  case kUnitRow:
    return inUnitRange ? CollectFrom(grid, geo.RowCells[n], width, bit, out) : 0;
  case kUnitColumn:
    return inUnitRange ? CollectFrom(grid, geo.ColCells[n], width, bit, out) : 0;
  case kUnitBlock:
    return inUnitRange ? CollectFrom(grid, grid.BlockCells[n], width, bit, out) : 0;
  case kUnitDiag1:
  case kUnitDiag2:
  case kUnitExtra1:
  case kUnitExtra2:
    return CollectFrom(grid, grid.RegionCells[kind - kUnitDiag1], width, bit, out);
  case kUnitSingleCell:
    if (n >= 0 && n < geo.NCells && !out.empty() && IsOpenWith(grid, n, bit)) {
      out[0] = n;
      return 1;
    }
    return 0;
  case kUnitWholeGrid: {
    int found = 0;
    for (int cell = 0; cell < geo.NCells && found < width && static_cast<size_t>(found) < out.size(); ++cell)
      if (IsOpenWith(grid, cell, bit))
        out[found++] = cell;
    return found;
  }
  default:
    return 0;
  }
}

int FindHiddenSingle(const GridGeometry &geo, int v, const GridRecord &grid) {
  std::array<int, kMaxWidth> cells{};
  for (int kind : {kUnitRow, kUnitColumn, kUnitBlock})
    for (int n = 0; n < geo.GridWidth; ++n)
      if (ListUnitCellsWithPoss(geo, kind, v, n, grid, cells) == 1)
        return cells[0];
  if (Meets(grid.GridVar, kVarDiagonal | kVarExtraRegion)) {
    for (int region = 0; region < 4; ++region)
      if (grid.Lists.RegionOn[region] != 0 &&
          ListUnitCellsWithPoss(geo, kUnitDiag1 + region, v, 0, grid, cells) == 1)
        return cells[0];
  }
  return -1;
}

} // namespace quorbel
