// Trial values of the search: a cell's candidates are saved, then tried one by one.
#include <algorithm>
#include <bit>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"

namespace quorbel {

namespace {
constexpr int kEmptyTheCell = 0; // n = 0 empties the cell without reporting anything
}

int EnterHypothesis(EngineContext &ctx, GridRecord &grid, int cell) {
  if (cell < 0 || static_cast<size_t>(cell) >= grid.Cells.size())
    return 0;
  CellRecord &c = grid.Cells[cell];
  if (c.Status < kStatusHypothesis)
    return 0;
  c.SavedPoss = c.ThePoss;
  c.SavedNPoss = c.NPoss;
  c.SavedStatus = c.Status;
  const uint32_t marks = c.Marks;
  SetCellValue(ctx, grid, cell, kEmptyTheCell, kActionClear);
  c.Marks = marks;
  c.HypIndex = 0;
  std::fill_n(c.ValueScores.begin(), std::clamp(ctx.Geo.GridWidth, 0, kMaxWidth), 0);
  return 1;
}

int NextHypothesisValue(EngineContext &ctx, GridRecord &grid, int cell, int first) {
  if (cell < 0 || static_cast<size_t>(cell) >= grid.Cells.size())
    return 0;
  CellRecord &c = grid.Cells[cell];
  if (c.Status <= kStatusFixed)
    return 0;
  if (c.HypIndex < c.SavedNPoss) {
    c.HypIndex += 1;
    // The value `first` (its place p among the candidates) comes first, the others after it
    // in their order: trial h takes candidate p, then 1 .. p - 1, then p + 1 on.
    const uint32_t firstBit = first >= 1 && first <= ctx.Geo.GridWidth ? ValueBit(first) : 0;
    const int p = (c.SavedPoss & firstBit) != 0 ? std::popcount(c.SavedPoss & (firstBit - 1)) + 1 : 0;
    const int h = c.HypIndex;
    SetCellValue(ctx, grid, cell, p == 0 || h > p ? h : (h == 1 ? p : h - 1), kActionHypothesis);
    return 1;
  }
  c.HypIndex = 0;
  if (c.SavedNPoss > 0) {
    c.HypIndex = 1;
    SetCellValue(ctx, grid, cell, 1, kActionHypothesis);
  }
  return 0;
}

int LeaveHypothesis(EngineContext &ctx, GridRecord &grid, int cell) {
  if (cell < 0 || static_cast<size_t>(cell) >= grid.Cells.size())
    return 1;
  CellRecord &c = grid.Cells[cell];
  if (c.Status == kStatusHypothesis) {
    const uint32_t marks = c.Marks;
    SetCellValue(ctx, grid, cell, kEmptyTheCell, kActionClear);
    c.Marks = marks;
    c.Status = c.SavedStatus;
    c.HypIndex = 0;
  }
  return 1;
}

void LeaveGridSearch(EngineContext &ctx, GridRecord &grid) {
  const int n = std::clamp(ctx.Geo.NCells, 0, static_cast<int>(grid.Cells.size()));
  for (int c = 0; c < n; ++c) {
    CellRecord &cell = grid.Cells[c];
    if (cell.Status == kStatusHypothesis) {
      LeaveHypothesis(ctx, grid, c);
    } else if (grid.SearchStarted != 0 && cell.Status == kStatusEmpty && cell.SavedStatus > kStatusConflict) {
      // A cell the search emptied but never tried: its pencil marks come back too.
      cell.Status = cell.SavedStatus;
    }
  }
  grid.SearchStarted = 0;
}

} // namespace quorbel
