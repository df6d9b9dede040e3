// What the grid set and the grid services need of the undo stack, which lives in its own
// files. Until those files are merged, undo_history_access.cpp does nothing.
#pragma once

namespace quorbel {

struct EngineContext;

// Empties the undo stack (ClearUndoHistory): a change of the grid count makes every
// stored row the wrong shape.
void EmptyUndoHistory(EngineContext &ctx);

// Takes the last undo step back (UndoLastState).
void UndoLastStep(EngineContext &ctx);

} // namespace quorbel
