// The undo steps as every command takes them: the snapshot before an edit marks the
// document modified, and undoing back to the first step makes it unmodified again.
#pragma once

namespace quorbel {

struct EngineContext;

// Empties the undo stack.
void ClearUndoHistory(EngineContext &ctx);
// Marks the document modified, then pushes a snapshot of every main grid; returns what
// SaveDo returns. Every command that changes a grid calls it first.
int SaveUndoState(EngineContext &ctx);
// One step back; the document is unmodified again once nothing is left to undo, and the
// view's undo-pending flag is cleared. The caller recomputes the candidates.
void UndoLastState(EngineContext &ctx);

} // namespace quorbel
