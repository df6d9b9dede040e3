// The explanation marks of the method driver.
#include "solver/method_highlights.h"

#include <array>
#include <span>

#include "engine/grid_record.h"
#include "engine/highlights.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"

namespace quorbel {

namespace {

constexpr int kCellUnitKinds = 7;

struct CellUnit {
  bool OnIt = false; // the cell lies on this unit
  int Index = 0;
  std::span<const int16_t> Cells;
  uint32_t Placed = 0; // values the unit's filled cells hold
};

} // namespace

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

void ExplainLinColBlk(const GridGeometry &geo, GridRecord &grid, int cell) {
  std::array<CellUnit, kCellUnitKinds> units{};
  const std::array<int, 3> summaries = {geo.RowUnitBase + geo.RowOfCell[cell],
                                        geo.ColUnitBase + geo.ColOfCell[cell],
                                        geo.BlockUnitBase + grid.BlockOfCell[cell]};
  const std::array<std::span<const int16_t>, 3> lines = {geo.RowCells[geo.RowOfCell[cell]],
                                                         geo.ColCells[geo.ColOfCell[cell]],
                                                         grid.BlockCells[grid.BlockOfCell[cell]]};
  for (int kind = kUnitRow; kind <= kUnitBlock; ++kind)
    units[kind] = {true, UnitIndexOfCell(geo, grid, kind, cell), lines[kind],
                   geo.FullMask ^ (grid.Cells[summaries[kind]].ThePoss & geo.FullMask)};
  for (int region = 0; region < 4; ++region)
    if (RegionUnitInUse(grid, region) && grid.RegionMark[region][cell] >= 0)
      units[kUnitDiag1 + region] = {true, 0, grid.RegionCells[region],
                                    geo.FullMask ^
                                        (grid.Cells[geo.Diag1Unit + region].ThePoss & geo.FullMask)};

  uint32_t needed = geo.FullMask ^ (grid.Cells[cell].ThePoss & geo.FullMask);
  std::array<bool, kCellUnitKinds> chosen{};
  for (int round = 0; round < kCellUnitKinds && needed != 0; ++round) {
    int best = -1;
    int bestCount = 0;
    for (int kind = 0; kind < kCellUnitKinds; ++kind) {
      const int count = CountValues(units[kind].Placed & needed, geo.GridWidth);
      if (units[kind].OnIt && !chosen[kind] && count > bestCount) {
        best = kind;
        bestCount = count;
      }
    }
    if (best < 0)
      break;
    chosen[best] = true;
    needed &= ~units[best].Placed;
    HighlightUnit(geo, best, units[best].Index, grid);
  }

  uint32_t explained = 0;
  for (int kind : {kUnitBlock, kUnitRow, kUnitColumn, kUnitDiag1, kUnitDiag2, kUnitExtra1, kUnitExtra2}) {
    if (!chosen[kind])
      continue;
    for (int16_t member : units[kind].Cells.first(geo.GridWidth)) {
      if (member < 0 || member >= geo.NCells)
        continue;
      CellRecord &c = grid.Cells[member];
      const uint32_t bit = ValueBit(c.Value) & geo.FullMask;
      if (c.Status < kStatusEmpty && bit != 0 && (explained & bit) == 0) {
        c.CellHighlight = kMarkExplains;
        explained |= bit;
      }
    }
  }
  grid.Cells[cell].CellHighlight = kMarkFound;
}

} // namespace quorbel
