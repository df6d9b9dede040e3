// ApplyProbables over the grid's own block table (regular or irregular): a block's
// places for a value that all lie on one line hold the line's only places for it too.
// Propagation runs it at every filter pass when asked, so each block is read once, with
// all values at a time (BlockPlaces).
#include "engine/method_probables.h"

#include <array>

#include "engine/block_places.h"
#include "engine/engine_context.h"
#include "engine/method_record.h"
#include "engine/solve_result.h"
#include "engine/unit_summary.h"

namespace quorbel {

namespace {

// Removes `values` from the open cells of a line that lie outside the block; their blocks
// join `blocksToRead`.
bool RemoveOutsideBlock(const GridGeometry &geo, GridRecord &grid, const std::array<int16_t, kMaxWidth> &line,
                        int block, uint32_t values, uint32_t &blocksToRead) {
  bool removed = false;
  for (int k = 0; k < geo.GridWidth; ++k) {
    CellRecord &cell = grid.Cells[line[k]];
    const int cellBlock = grid.BlockOfCell[line[k]];
    if (cellBlock == block || !IsOpenStatus(cell.Status) || (cell.ThePoss & values) == 0)
      continue;
    RestrictPoss(geo, cell, cell.ThePoss & ~values);
    blocksToRead |= 1u << cellBlock;
    removed = true;
  }
  return removed;
}

} // namespace

int ApplyProbables(const EngineContext &ctx, GridRecord &grid) {
  uint32_t everyBlock = kEveryBlock;
  return ApplyProbables(ctx, grid, everyBlock);
}

int ApplyProbables(const EngineContext &ctx, GridRecord &grid, uint32_t &blocksToRead) {
  const GridGeometry &geo = ctx.Geo;
  const int width = geo.GridWidth;
  bool removed = false;
  for (int block = 0; block < width; ++block) {
    if ((blocksToRead & (1u << block)) == 0)
      continue;
    blocksToRead &= ~(1u << block);
    const auto &cells = grid.BlockCells[block];
    BlockPlaces places;
    for (int k = 0; k < width; ++k) {
      const CellRecord &cell = grid.Cells[cells[k]];
      if (IsOpenStatus(cell.Status))
        places.Add(cell.ThePoss & geo.FullMask, geo.RowOfCell[cells[k]], geo.ColOfCell[cells[k]]);
    }
    const uint32_t probable = places.Probable();
    for (int k = 0; k < width; ++k) {
      CellRecord &cell = grid.Cells[cells[k]];
      if (IsOpenStatus(cell.Status))
        cell.ProbableMask |= cell.ThePoss & probable;
    }
    const uint32_t oneRow = places.OnOneRow(width);
    const uint32_t oneCol = places.OnOneCol(width);
    for (int line = 0; line < width; ++line) {
      if ((places.Rows[line] & oneRow) != 0)
        removed |= RemoveOutsideBlock(geo, grid, geo.RowCells[line], block, places.Rows[line] & oneRow,
                                      blocksToRead);
      if ((places.Cols[line] & oneCol) != 0)
        removed |= RemoveOutsideBlock(geo, grid, geo.ColCells[line], block, places.Cols[line] & oneCol,
                                      blocksToRead);
    }
  }
  return removed ? kCandidatesRemoved : kSolveStopped;
}

void ClearProbableMasks(const EngineContext &ctx, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(ctx.Geo))
    cell.ProbableMask = 0;
}

} // namespace quorbel
