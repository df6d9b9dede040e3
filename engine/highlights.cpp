// Highlight flags of the cell and unit records.
#include "engine/highlights.h"

#include "engine/grid_record.h"
#include "engine/unit_queries.h"

namespace quorbel {

namespace {

void Flag(GridRecord &grid, int record) {
  if (record >= 0 && static_cast<size_t>(record) < grid.Cells.size())
    grid.Cells[record].UnitHighlight = 1;
}

} // namespace

void ClearCellHighlights(GridRecord &grid) {
  for (CellRecord &cell : grid.Cells)
    cell.CellHighlight = 0;
}

void ClearUnitHighlights(GridRecord &grid) {
  for (CellRecord &cell : grid.Cells)
    cell.UnitHighlight = 0;
}

void HighlightUnit(const GridGeometry &geo, int kind, int n, GridRecord &grid) {
  const bool unitInRange = n >= 0 && n < geo.GridWidth;
  switch (kind) {
  case kUnitRow:
    if (unitInRange)
      Flag(grid, geo.RowUnitBase + n);
    break;
  case kUnitColumn:
    if (unitInRange)
      Flag(grid, geo.ColUnitBase + n);
    break;
  case kUnitBlock:
    if (unitInRange)
      Flag(grid, geo.BlockUnitBase + n);
    break;
  case kUnitDiag1:
  case kUnitDiag2:
  case kUnitExtra1:
  case kUnitExtra2:
    Flag(grid, geo.Diag1Unit + kind - kUnitDiag1);
    break;
  case kUnitSingleCell:
    Flag(grid, n);
    break;
  case kHighlightCellUnits:
    if (n < 0 || n >= geo.NCells)
      break;
    Flag(grid, geo.RowUnitBase + geo.RowOfCell[n]);
    Flag(grid, geo.ColUnitBase + geo.ColOfCell[n]);
    Flag(grid, geo.BlockUnitBase + grid.BlockOfCell[n]);
    Flag(grid, geo.Diag1Unit);
    Flag(grid, geo.Diag2Unit);
    break;
  default:
    break;
  }
}

} // namespace quorbel
