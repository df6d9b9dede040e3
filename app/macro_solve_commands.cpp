// The script's solving commands: search, hint, full solve and optimisation, the reference grid,
// and the stored search solutions shown.
#include <algorithm>

#include "app/macro_commands.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "engine/grid_copy.h"
#include "engine/grid_services.h"
#include "engine/reference_grids.h"
#include "engine/search_history.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"

namespace quorbel {

namespace {

constexpr int kMsgReferenceShown = 1;

int Search(MacroCommandContext &c, const MacroCall &call) {
  const int found = c.Services.Solver.Search(std::max(1, call.Number(1)), call.IsY(2));
  if (found == kComputationStopped)
    return kMacroStepStopped;
  c.Services.Messages.Show(FormatPanelText(OwnText("Search Done with result: %d"), {found}));
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int Prop1(MacroCommandContext &c, const MacroCall &) {
  return c.Services.Solver.Propose() == kComputationStopped ? kMacroStepStopped : kMacroStepDone;
}

int Solve(MacroCommandContext &c, const MacroCall &) {
  return c.Services.Solver.SolveFull() == kComputationStopped ? kMacroStepStopped : kMacroStepDone;
}

int Optimise(MacroCommandContext &c, const MacroCall &) {
  const int result = c.Services.Solver.Optimise();
  UpdatePossibles(c.Engine(), -1, -1, -1, 1);
  c.Services.Board.Redraw();
  return result == -1 && c.Services.Playback.AbortRequested() ? kMacroStepStopped : kMacroStepDone;
}

int DispRef(MacroCommandContext &c, const MacroCall &) {
  EngineContext &ctx = c.Engine();
  const auto slot = static_cast<size_t>(c.CurrentGrid());
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  CopyGrid(ctx, ctx.Grids.Main[slot], &ctx.Grids.RefTab[slot], 0);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  c.Services.Messages.Show(
      FormatPanelText(MessageFormat(kMsgReferenceShown, c.Services.Messages.CurrentLanguage()),
                      {static_cast<int>(slot) + 1}));
  c.Services.Board.Redraw();
  c.Say("Display Reference Grid");
  return kMacroStepDone;
}

int RefGrid(MacroCommandContext &c, const MacroCall &call) {
  if (call.Text(1) == "I") {
    SetRefTabFromCurrent(c.Engine());
    c.Say("Reference Grid updated with current");
    return kMacroStepDone;
  }
  switch (c.Services.Solver.SolveToReference()) {
  case 1:
    c.Say("Generate Reference Grid with first solution");
    return kMacroStepDone;
  case 0:
    c.Say("No Search solution - can not update Reference Grid");
    return kMacroStepDone;
  case kComputationStopped:
    return kMacroStepStopped;
  default:
    return kMacroStepDone;
  }
}

// DISPS moves from the solution shown; DISPN shows solution n (below 0: none, and the board's
// input state back to placing values, as the Enter it records).
int DispSolution(MacroCommandContext &c, const MacroCall &call) {
  EngineContext &ctx = c.Engine();
  const int n = call.Number(1);
  ReinitGrids(ctx, 0, 1, 1, 1); // the search's solutions stay
  if (call.Code() == kMacroDispN && n < 0) {
    c.Services.Board.ResetInputState();
    c.Services.Board.Redraw();
    return kMacroStepDone;
  }
  const int level = call.Code() == kMacroDispS ? ctx.Solutions.ShownLevel + n : n - 1;
  if (ShowSearchSolution(ctx, level) < 0)
    return kMacroStepFailed;
  UpdatePossibles(ctx, -1, -1, -1, 1);
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

constexpr MacroCommandRow kRows[] = {
    {kMacroSearch, Search},      {kMacroProp1, Prop1},        {kMacroSolve, Solve},
    {kMacroOptimise, Optimise},  {kMacroDispRef, DispRef},    {kMacroRefGrid, RefGrid},
    {kMacroDispS, DispSolution}, {kMacroDispN, DispSolution},
};

} // namespace

std::span<const MacroCommandRow> MacroSolveCommands() { return kRows; }

} // namespace quorbel
