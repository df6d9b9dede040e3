// ApplyProbables over the grid's own block table (regular or irregular): a block's
// places for a value that all lie on one line hold the line's only places for it too.
#include "solver/method_probables.h"

#include <array>
#include <span>

#include "engine/engine_context.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/method_record.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kMaxProbablePlaces = 2; // places that make the value probable
constexpr int kMaxLinePlaces = 3;     // places that can all share one line of a block

bool RemoveFromLineOutsideBlock(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> line,
                                int block, uint32_t bit) {
  bool removed = false;
  for (int k = 0; k < geo.GridWidth; ++k) {
    CellRecord &cell = grid.Cells[line[k]];
    if (grid.BlockOfCell[line[k]] == block || !IsOpenStatus(cell.Status) || (cell.ThePoss & bit) == 0)
      continue;
    RestrictPoss(geo, cell, cell.ThePoss & ~bit);
    removed = true;
  }
  return removed;
}

} // namespace

int ApplyProbables(const EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  bool removed = false;
  std::array<int, kMaxWidth> places{};
  for (int block = 0; block < geo.GridWidth; ++block) {
    for (int v = 1; v <= geo.GridWidth; ++v) {
      const int count = ListUnitCellsWithPoss(geo, kUnitBlock, v, block, grid, places);
      const uint32_t bit = ValueBit(v);
      if (count >= 1 && count <= kMaxProbablePlaces)
        for (int k = 0; k < count; ++k)
          grid.Cells[places[k]].ProbableMask |= bit;
      if (count < 2 || count > kMaxLinePlaces)
        continue;
      bool sameRow = true;
      bool sameCol = true;
      for (int k = 1; k < count; ++k) {
        sameRow &= geo.RowOfCell[places[k]] == geo.RowOfCell[places[0]];
        sameCol &= geo.ColOfCell[places[k]] == geo.ColOfCell[places[0]];
      }
      if (sameRow)
        removed |= RemoveFromLineOutsideBlock(geo, grid, geo.RowCells[geo.RowOfCell[places[0]]], block, bit);
      if (sameCol)
        removed |= RemoveFromLineOutsideBlock(geo, grid, geo.ColCells[geo.ColOfCell[places[0]]], block, bit);
    }
  }
  return removed ? kCandidatesRemoved : kSolveStopped;
}

void ClearProbableMasks(const EngineContext &ctx, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(ctx.Geo))
    cell.ProbableMask = 0;
}

} // namespace quorbel
