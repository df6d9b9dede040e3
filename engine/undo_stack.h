// The player's undo and redo: before every change a snapshot of every main grid is
// pushed as one row. Rows 0..maxPtUndo hold snapshots; ptUndo is the next row to write,
// so rows below it are undo steps and rows from it up to maxPtUndo are redo steps.
#pragma once

#include <cstdint>

#include "engine/grid_snapshot.h"

namespace quorbel {

struct EngineContext;

constexpr int kUndoRows = 3000;
// SaveDo refuses rows beyond this one; the rows above are left for UnDo's own save.
constexpr int kLastSaveRow = 2995;

struct UndoStack {
  SnapshotRows Steps; // rows beyond maxPtUndo are freed as soon as they are dead
  int32_t ptUndo = 0;
  int32_t maxPtUndo = -1;
  // Undo and redo steps taken in this game, read by the score; the new-game reset zeroes them.
  int32_t UndoCount = 0;
  int32_t RedoCount = 0;
};

// Pushes a snapshot of every main grid; 0 and nothing stored when the stack is full.
int SaveDo(EngineContext &ctx);
// Takes the main grids one step back, saving the newest state first when it was never
// saved, so that ReDo can return to it. The caller recomputes the candidates. Counts an
// undo even when there was nothing to undo. Returns 1.
int UnDo(EngineContext &ctx);
// One step forward again; the caller recomputes the candidates. Returns 1.
int ReDo(EngineContext &ctx);
// Drops the newest row, pushed by a command that then changed nothing. Returns 1.
int CleanLastDo(EngineContext &ctx);
// Frees every snapshot. Returns 1.
int ResetDo(EngineContext &ctx);

bool CanUndo(const UndoStack &stack);
bool CanRedo(const UndoStack &stack);

} // namespace quorbel
