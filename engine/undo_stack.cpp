// The undo stack's operations and their trace lines.
#include "engine/undo_stack.h"

#include <cinttypes>
#include <cstdio>

#include "engine/engine_context.h"

namespace quorbel {

namespace {

// With the DEBUGUNDO switch on, each operation shows where the two pointers now stand.
void TraceUndo(const EngineContext &ctx, const char *operation) {
  if (ctx.Settings.DebugUndo != 1)
    return;
  const UndoStack &stack = ctx.Undo;
  char line[96];
  std::snprintf(line, sizeof line, "%s:Tab=%" PRIxPTR " ptUndo=%d  maxPtUndo=%d\n", operation,
                reinterpret_cast<uintptr_t>(&stack), stack.ptUndo, stack.maxPtUndo);
  ctx.Host->AddInfoMessage(line);
}

// Stores the main grids at row ptUndo, unless it lies beyond `lastRow`.
int SaveRow(EngineContext &ctx, int lastRow) {
  UndoStack &stack = ctx.Undo;
  if (stack.ptUndo < 0)
    stack.ptUndo = 0;
  if (stack.ptUndo > lastRow)
    return 0;
  StoreRow(ctx, stack.Steps, stack.ptUndo);
  stack.maxPtUndo = stack.ptUndo;
  stack.ptUndo += 1;
  TraceUndo(ctx, "SaveDo");
  return 1;
}

} // namespace

int SaveDo(EngineContext &ctx) { return SaveRow(ctx, kLastSaveRow); }

int UnDo(EngineContext &ctx) {
  UndoStack &stack = ctx.Undo;
  if (stack.ptUndo > 0) {
    // The newest state goes into the row after the last one, which may be one of the
    // rows kept beyond SaveDo's limit: undoing from a full stack must not skip a step.
    if (stack.ptUndo == stack.maxPtUndo + 1 && SaveRow(ctx, kUndoRows - 1) == 1)
      stack.ptUndo -= 1;
    stack.ptUndo -= 1;
    RestoreRow(ctx, stack.Steps, stack.ptUndo);
  }
  stack.UndoCount += 1;
  TraceUndo(ctx, "UnDo");
  return 1;
}

int ReDo(EngineContext &ctx) {
  UndoStack &stack = ctx.Undo;
  if (stack.ptUndo < stack.maxPtUndo) {
    stack.ptUndo += 1;
    RestoreRow(ctx, stack.Steps, stack.ptUndo);
    stack.RedoCount += 1;
  }
  TraceUndo(ctx, "ReDo");
  return 1;
}

int CleanLastDo(EngineContext &ctx) {
  UndoStack &stack = ctx.Undo;
  if (stack.maxPtUndo >= 0)
    stack.maxPtUndo -= 1;
  if (stack.ptUndo > 0)
    stack.ptUndo -= 1;
  KeepRows(stack.Steps, stack.maxPtUndo + 1);
  // The score reads the counter: a dropped step must not turn into a bonus.
  if (stack.UndoCount > 0)
    stack.UndoCount -= 1;
  TraceUndo(ctx, "CleanLastDo");
  return 1;
}

int ResetDo(EngineContext &ctx) {
  UndoStack &stack = ctx.Undo;
  ClearRows(stack.Steps);
  stack.ptUndo = 0;
  stack.maxPtUndo = -1;
  TraceUndo(ctx, "ResetDo");
  return 1;
}

bool CanUndo(const UndoStack &stack) { return stack.ptUndo > 0; }

bool CanRedo(const UndoStack &stack) { return stack.ptUndo < stack.maxPtUndo; }

} // namespace quorbel
