// The undo wrappers around the document's modified flag.
#include "engine/undo_services.h"

#include "engine/engine_context.h"

namespace quorbel {

void ClearUndoHistory(EngineContext &ctx) { ResetDo(ctx); }

int SaveUndoState(EngineContext &ctx) {
  ctx.Host->MarkDocumentModified("");
  return SaveDo(ctx);
}

void UndoLastState(EngineContext &ctx) {
  UnDo(ctx);
  if (ctx.Undo.ptUndo == 0)
    ctx.Host->ClearDocumentModified();
  ctx.Host->ClearUndoPending();
}

} // namespace quorbel
