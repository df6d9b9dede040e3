// The explanation marks of the method driver.
#include "solver/method_highlights.h"

#include <array>
#include <span>

#include "engine/grid_record.h"
#include "engine/highlights.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/method_units.h"

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

void ExplainLinColBlk(const GridGeometry &geo, GridRecord &grid, int cell) {
  // The summary record of each unit kind, in UnitKind order.
  const std::array<int, kCellUnitKinds> summaries = {geo.RowUnitBase + geo.RowOfCell[cell],
                                                     geo.ColUnitBase + geo.ColOfCell[cell],
                                                     geo.BlockUnitBase + grid.BlockOfCell[cell],
                                                     geo.Diag1Unit,
                                                     geo.Diag2Unit,
                                                     geo.Extra1Unit,
                                                     geo.Extra2Unit};
  std::array<CellUnit, kCellUnitKinds> units{};
  for (int kind = 0; kind < kCellUnitKinds; ++kind) {
    const int region = kind - kUnitDiag1;
    if (kind > kUnitBlock && !CellInRegionUnit(grid, region, cell))
      continue;
    const int index = UnitIndexOfCell(geo, grid, kind, cell);
    units[kind] = {true, index, UnitCells(geo, grid, kind, index),
                   geo.FullMask ^ (grid.Cells[summaries[kind]].ThePoss & geo.FullMask)};
  }

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
    for (int16_t member : units[kind].Cells) {
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
