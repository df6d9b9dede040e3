// Unit lookups of the solving methods.
#include "solver/method_units.h"

#include "engine/grid_record.h"
#include "engine/unit_queries.h"

namespace quorbel {

int UnitIndexOfCell(const GridGeometry &geo, const GridRecord &grid, int kind, int cell) {
  switch (kind) {
  case kUnitRow:
    return geo.RowOfCell[cell];
  case kUnitColumn:
    return geo.ColOfCell[cell];
  case kUnitBlock:
    return grid.BlockOfCell[cell];
  default:
    return 0;
  }
}

std::span<const int16_t> UnitCells(const GridGeometry &geo, const GridRecord &grid, int kind, int unit) {
  const size_t width = static_cast<size_t>(geo.GridWidth);
  switch (kind) {
  case kUnitRow:
    return std::span<const int16_t>(geo.RowCells[unit]).first(width);
  case kUnitColumn:
    return std::span<const int16_t>(geo.ColCells[unit]).first(width);
  case kUnitBlock:
    return std::span<const int16_t>(grid.BlockCells[unit]).first(width);
  default:
    return std::span<const int16_t>(grid.RegionCells[kind - kUnitDiag1]).first(width);
  }
}

} // namespace quorbel
