// Undo rows to cells and back. A step's snapshot is unpacked over a copy of its grid, so
// only what the snapshot holds comes from it; the records a file's step does not give
// keep the grid's present ones.
#include "app/qt/undo_history.h"

#include <algorithm>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
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
  const int grids = MainGrids(ctx);
  history.Steps.assign(static_cast<size_t>(rows), std::vector<std::vector<CellRecord>>(grids));
  auto scratch = std::make_unique<GridRecord>();
  std::vector<uint32_t> words;
  for (int g = 0; g < grids; ++g) {
    const GridRecord &grid = ctx.Grids.Main[g];
    // Each snapshot of the slot unpacks over the last: one copy of the grid serves them all.
    CopyGrid(ctx, *scratch, &grid, 0);
    const GridSnapshot *unpacked = nullptr;
    for (int i = 0; i < rows; ++i) {
      const GridSnapshot *snapshot = stack.Steps.Rows[static_cast<size_t>(i)][g].get();
      // A grid untouched by a step shares the step before's snapshot: nothing to unpack.
      if (snapshot && snapshot != unpacked)
        RestoreSnapshot(ctx, *snapshot, *scratch, words);
      unpacked = snapshot;
      history.Steps[static_cast<size_t>(i)][g] = snapshot ? scratch->Cells : grid.Cells;
    }
  }
  return history;
}

void RestoreUndoHistory(EngineContext &ctx, const SudUndoHistory &history) {
  ResetDo(ctx);
  const int steps = static_cast<int>(history.Steps.size());
  // When the state as opened is not a step yet, Undo must find a free row to keep it in, or
  // Redo could never bring it back: the oldest steps give way.
  const bool newestUnsaved = history.PtUndo >= steps;
  const int rows = std::min(steps, newestUnsaved ? kUndoRows - 1 : kUndoRows);
  const int first = newestUnsaved ? steps - rows : 0;
  if (rows <= 0)
    return;
  const int grids = MainGrids(ctx);
  std::vector<std::vector<CellRecord>> present(static_cast<size_t>(grids));
  for (int g = 0; g < grids; ++g)
    present[g] = ctx.Grids.Main[g].Cells;
  for (int i = 0; i < rows; ++i) {
    const auto &step = history.Steps[static_cast<size_t>(first + i)];
    for (int g = 0; g < grids; ++g) {
      // A file holds the records in use, which may be fewer than the grid allocates: the
      // others keep their present state, which no step writes over.
      std::vector<CellRecord> &cells = ctx.Grids.Main[g].Cells;
      if (g < static_cast<int>(step.size()))
        std::copy_n(step[g].begin(), std::min(step[g].size(), cells.size()), cells.begin());
      else
        cells = present[g];
      // The marks the clue list gives, whatever the file's step says: undone to this step, the
      // grid must save as it reopens.
      ApplyOddEvenMarks(ctx.Geo, ctx.Grids.Main[g]);
    }
    // Not SaveDo: its limit keeps rows free for UnDo, and a file may hold those rows too.
    StoreRow(ctx, ctx.Undo.Steps, i);
  }
  for (int g = 0; g < grids; ++g)
    ctx.Grids.Main[g].Cells = std::move(present[g]);
  ctx.Undo.maxPtUndo = rows - 1;
  ctx.Undo.ptUndo = std::clamp(history.PtUndo - first, 0, rows);
}

} // namespace quorbel
