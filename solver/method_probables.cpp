// ApplyProbables over the grid's own block table (regular or irregular): a block's
// places for a value that all lie on one line hold the line's only places for it too.
// Propagation runs it at every filter pass when asked, so each block is read once, with
// all values at a time: per value, how many places the block holds (counters kept as
// bit masks, one bit per value) and on how many of its rows and columns they lie.
#include "solver/method_probables.h"

#include <array>

#include "engine/engine_context.h"
#include "engine/unit_summary.h"
#include "solver/method_record.h"
#include "solver/search.h"

namespace quorbel {

namespace {

// Per value bit: seen once, twice, three times, or more, among a block's open cells.
struct PlaceCounts {
  uint32_t Once = 0, Twice = 0, Thrice = 0, More = 0;
  void Add(uint32_t values) {
    const uint32_t once = Once, twice = Twice, thrice = Thrice;
    More |= thrice & values;
    Thrice = (thrice & ~values) | (twice & values);
    Twice = (twice & ~values) | (once & values);
    Once = (once & ~values) | (values & ~(once | twice | thrice | More));
  }
};

// The values of `lines` (one union per line) that lie on one line only.
uint32_t OnOneLineOnly(const std::array<uint32_t, kMaxWidth> &lines, int width) {
  uint32_t seen = 0, again = 0;
  for (int line = 0; line < width; ++line) {
    again |= seen & lines[line];
    seen |= lines[line];
  }
  return seen & ~again;
}

// Removes `values` from the open cells of a line that lie outside the block.
bool RemoveOutsideBlock(const GridGeometry &geo, GridRecord &grid, const std::array<int16_t, kMaxWidth> &line,
                        int block, uint32_t values) {
  bool removed = false;
  for (int k = 0; k < geo.GridWidth; ++k) {
    CellRecord &cell = grid.Cells[line[k]];
    if (grid.BlockOfCell[line[k]] == block || !IsOpenStatus(cell.Status) || (cell.ThePoss & values) == 0)
      continue;
    RestrictPoss(geo, cell, cell.ThePoss & ~values);
    removed = true;
  }
  return removed;
}

} // namespace

int ApplyProbables(const EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  const int width = geo.GridWidth;
  bool removed = false;
  for (int block = 0; block < width; ++block) {
    const auto &cells = grid.BlockCells[block];
    PlaceCounts counts;
    std::array<uint32_t, kMaxWidth> rows{}, cols{};
    for (int k = 0; k < width; ++k) {
      const CellRecord &cell = grid.Cells[cells[k]];
      if (!IsOpenStatus(cell.Status))
        continue;
      const uint32_t values = cell.ThePoss & geo.FullMask;
      counts.Add(values);
      rows[geo.RowOfCell[cells[k]]] |= values;
      cols[geo.ColOfCell[cells[k]]] |= values;
    }
    // One or two places make the value probable there.
    const uint32_t probable = counts.Once | counts.Twice;
    for (int k = 0; k < width; ++k) {
      CellRecord &cell = grid.Cells[cells[k]];
      if (IsOpenStatus(cell.Status))
        cell.ProbableMask |= cell.ThePoss & probable;
    }
    // Two or three places on one line: the block takes the line's value.
    const uint32_t few = counts.Twice | counts.Thrice;
    const uint32_t oneRow = OnOneLineOnly(rows, width) & few;
    const uint32_t oneCol = OnOneLineOnly(cols, width) & few;
    for (int line = 0; line < width; ++line) {
      if ((rows[line] & oneRow) != 0)
        removed |= RemoveOutsideBlock(geo, grid, geo.RowCells[line], block, rows[line] & oneRow);
      if ((cols[line] & oneCol) != 0)
        removed |= RemoveOutsideBlock(geo, grid, geo.ColCells[line], block, cols[line] & oneCol);
    }
  }
  return removed ? kCandidatesRemoved : kSolveStopped;
}

void ClearProbableMasks(const EngineContext &ctx, GridRecord &grid) {
  for (CellRecord &cell : grid.PlayingCells(ctx.Geo))
    cell.ProbableMask = 0;
}

} // namespace quorbel
