// Undo rows to cells and back. A step's snapshot is unpacked over a copy of its grid, so
// only what the snapshot holds comes from it; the records a file's step does not give
// keep the grid's present ones.
#include "app/qt/undo_history.h"

#include <algorithm>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"

namespace quorbel {

namespace {

int MainGrids(const EngineContext &ctx) { return std::clamp<int>(ctx.Grids.MainCount, 0, kMaxGrids); }

} // namespace

SudUndoHistory CaptureUndoHistory(EngineContext &ctx) {
  SudUndoHistory history;
  const UndoStack &stack = ctx.Undo;
  const int rows = std::min<int>(stack.maxPtUndo + 1, static_cast<int>(stack.Steps.Rows.size()));
  if (rows <= 0)
    return history;
  history.PtUndo = std::clamp(stack.ptUndo, 0, rows);
  history.Steps.resize(static_cast<size_t>(rows));
  const int grids = MainGrids(ctx);
  auto scratch = std::make_unique<GridRecord>();
  std::vector<uint32_t> words;
  for (int i = 0; i < rows; ++i) {
    auto &step = history.Steps[static_cast<size_t>(i)];
    step.resize(static_cast<size_t>(grids));
    for (int g = 0; g < grids; ++g) {
      const GridRecord &grid = ctx.Grids.Main[g];
      const SnapshotPtr &snapshot = stack.Steps.Rows[static_cast<size_t>(i)][g];
      if (!snapshot) {
        step[g] = grid.Cells;
        continue;
      }
      CopyGrid(ctx, *scratch, &grid, 0);
      RestoreSnapshot(ctx, *snapshot, *scratch, words);
      step[g] = scratch->Cells;
    }
  }
  return history;
}

void RestoreUndoHistory(EngineContext &ctx, const SudUndoHistory &history) {
  ResetDo(ctx);
  const int rows = std::min<int>(static_cast<int>(history.Steps.size()), kUndoRows);
  if (rows == 0)
    return;
  const int grids = MainGrids(ctx);
  std::vector<std::vector<CellRecord>> present(static_cast<size_t>(grids));
  for (int g = 0; g < grids; ++g)
    present[g] = ctx.Grids.Main[g].Cells;
  for (int i = 0; i < rows; ++i) {
    const auto &step = history.Steps[static_cast<size_t>(i)];
    for (int g = 0; g < grids; ++g) {
      // A file holds the records in use, which may be fewer than the grid allocates.
      std::vector<CellRecord> &cells = ctx.Grids.Main[g].Cells;
      cells = present[g];
      if (g < static_cast<int>(step.size()))
        std::copy_n(step[g].begin(), std::min(step[g].size(), cells.size()), cells.begin());
    }
    // Not SaveDo: its limit keeps rows free for UnDo, and a file may hold those rows too.
    StoreRow(ctx, ctx.Undo.Steps, i);
  }
  for (int g = 0; g < grids; ++g)
    ctx.Grids.Main[g].Cells = std::move(present[g]);
  ctx.Undo.maxPtUndo = rows - 1;
  ctx.Undo.ptUndo = std::clamp(history.PtUndo, 0, rows);
}

} // namespace quorbel
