// Stand-in for the undo services until their own files are merged: there is no stack.
// Once merged, the bodies are ClearUndoHistory(ctx) and UndoLastState(ctx).
#include "engine/undo_history_access.h"

namespace quorbel {

void EmptyUndoHistory(EngineContext & /*ctx*/) {}

void UndoLastStep(EngineContext & /*ctx*/) {}

} // namespace quorbel
