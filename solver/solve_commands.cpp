#include "solver/solve_commands.h"

#include <array>
#include <bit>
#include <string>

#include "engine/engine_context.h"
#include "engine/grid_services.h"
#include "engine/group_rules.h"
#include "engine/message_numbers.h"
#include "engine/propagate.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "platform/clock.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "solver/solve_with_methods.h"

namespace quorbel {

namespace {

// Message table entries of the commands (French numbering).

// Command keywords of the script language (their indexes are the macro step codes).
constexpr int32_t kStepSearch = 11;
constexpr int32_t kStepPropose = 16;
constexpr int32_t kStepSolve = 17;

constexpr uint32_t kMillisPerSecond = 1000;
constexpr int kMethodNameCount = 8;

ReportPiece Message(int32_t number, std::vector<int32_t> args = {}) {
  return ReportPiece{ReportPiece::Kind::Message, number, std::move(args)};
}
ReportPiece Piece(ReportPiece::Kind kind) { return ReportPiece{kind, 0, {}}; }
ReportPiece MethodName(int index, int size) {
  return ReportPiece{ReportPiece::Kind::MethodName, index, {size}};
}

int32_t SecondsSince(uint32_t start) {
  return static_cast<int32_t>(ElapsedMillis(start, TimeGetTime()) / kMillisPerSecond);
}

// The candidate update after a command, with the default modes.
void RefreshAllGrids(EngineContext &ctx) { UpdatePossibles(ctx, -1, kFilterDefault, -1, 1); }

void ReinitAll(EngineContext &ctx) { ResetTransientState(ctx); }

bool HasCells(const EngineContext &ctx) { return ctx.Geo.NCells > 0; }

// A finished grid set and a set in contradiction have nothing to solve.
bool Refused(EngineContext &ctx, SolveCommandHost &host) {
  int32_t message = 0;
  if (ctx.TotalOpenCells == 0)
    message = kMsgGridAlreadyFinalised;
  else if (CombinedGridState(ctx, -1) == kGridContradiction)
    message = kMsgGridInError;
  else
    return false;
  host.AddReport({Message(message)});
  ctx.Host->RedrawViewNow();
  return true;
}

bool GridSetSolved(EngineContext &ctx) { return CombinedGridState(ctx, -1) == kGridConsistent; }

// A cancelled command keeps its undo step only for the values it had already placed, so that
// the player can still take them back.
// `overLastLine`: the command's own progress line is there to be written over.
int Cancelled(EngineContext &ctx, SolveCommandHost &host, int placed, int32_t link, bool overLastLine) {
  if (placed == 0)
    CleanLastDo(ctx);
  host.AddHelpValues(placed);
  const SolveReport text = {Message(kMsgSolveAborted, {link})};
  if (overLastLine)
    host.ReplaceReport(text);
  else
    host.AddReport(text);
  ctx.Host->RedrawViewNow();
  return kSolveCancelled;
}

void RecordStep(EngineContext &ctx, int32_t code) { ctx.Host->RecordMacroStep(RecordedAction{.Code = code}); }

} // namespace

int LowestBitIndex(uint32_t mask) { return mask == 0 ? 0 : std::countr_zero(mask) + 1; }

int ProposeAtCurrentCell(EngineContext &ctx, SolveCommandHost &host) {
  const GridSet &set = ctx.Grids;
  int cell = set.FocusCell;
  const bool focusGridInUse = set.FocusGrid >= 0 && set.FocusGrid < UsedMainCount(set);
  if (!focusGridInUse || cell < 0 || cell >= ctx.Geo.NCells ||
      set.Main[set.FocusGrid].Cells[cell].Status < kStatusEmpty)
    cell = -1;
  ProposeHint(ctx, host, cell);
  return 1;
}

int ProposeHint(EngineContext &ctx, SolveCommandHost &host, int cell) {
  if (!HasCells(ctx) || Refused(ctx, host))
    return 0;
  const int current = CurrentGridSlot(ctx.Grids);
  const bool oneCell = cell >= 0 && cell < ctx.Geo.NCells;
  if (oneCell && ctx.Grids.Main[current].Cells[cell].Status < kStatusConflict) {
    host.AddReport({Message(kMsgCellAlreadyFound)});
    ctx.Host->RedrawViewNow();
    return 0;
  }

  ReinitAll(ctx);
  SaveUndoState(ctx);
  const MethodMask mask = host.ReadMethodMask();
  MethodRecord &record = ctx.Methods;
  record.MaxMethodLevel = -1;
  host.AddReport({Piece(ReportPiece::Kind::StartSolve)});
  UpdatePossibles(ctx, -1, MaskFilterMode(mask), 0, 1);

  // A hint for one cell looks in the grid that cell belongs to, and nowhere else.
  const int first = oneCell ? current : 0;
  const int last = oneCell ? current : UsedMainCount(ctx.Grids) - 1;
  SolveReport text;
  for (int slot = first; slot <= last && text.empty(); ++slot) {
    if (SolveWithMethods(ctx, mask, ctx.Grids.Main[slot], 1, 1, cell, 1) == kSolveCancelled)
      return Cancelled(ctx, host, record.MethodPlacements, kHelpPropose, true);
    if (record.MethodPlacements == 1) {
      text = {Message(kMsgCellFoundWith, {kHelpPropose}),
              MethodName(LowestBitIndex(static_cast<uint32_t>(record.LastMethodBit)), record.LastMethodSize)};
      RefreshAllGrids(ctx);
    }
  }
  const bool placed = !text.empty();
  if (!placed) {
    CleanLastDo(ctx);
    text = {Message(oneCell ? kMsgNoProposalInCell : kMsgNoProposal, {kHelpPropose})};
  }
  if (record.MethodsUsed != 0) {
    text.push_back(Piece(ReportPiece::Kind::FiltersActivated));
    bool firstName = true;
    for (int index = 1; index <= kMethodNameCount; ++index) {
      if ((record.MethodsUsed & (1 << (index - 1))) == 0)
        continue;
      if (!firstName)
        text.push_back(Piece(ReportPiece::Kind::Separator));
      text.push_back(MethodName(index, record.MaxGroupSize));
      firstName = false;
    }
  }
  host.ReplaceReport(text);
  ctx.Host->RedrawViewNow();
  if (placed)
    host.AddHelpValues(1);
  AnimateMagicSentences(ctx);
  if (GridSetSolved(ctx))
    host.GridSetSolved();
  RecordStep(ctx, kStepPropose);
  return 1;
}

int SolveOneLoop(EngineContext &ctx, SolveCommandHost &host) {
  if (!HasCells(ctx) || Refused(ctx, host))
    return 0;
  ReinitAll(ctx);
  SaveUndoState(ctx);
  const MethodMask mask = host.ReadMethodMask();
  MethodRecord &record = ctx.Methods;
  record.MaxMethodLevel = -1;
  UpdatePossibles(ctx, -1, MaskFilterMode(mask), MaskProbableMode(mask), 1);

  // The values every grid took: the step stays when any grid took one.
  int total = 0;
  for (int slot = 0; slot < UsedMainCount(ctx.Grids); ++slot) {
    record.MethodPlacements = 0;
    const int r = SolveWithMethods(ctx, mask, ctx.Grids.Main[slot], 0, 0, -1, 0);
    total += record.MethodPlacements;
    if (r == kSolveCancelled)
      return Cancelled(ctx, host, total, kHelpOneLoop, false);
  }
  RefreshAllGrids(ctx);
  host.AddReport({Message(kMsgNextIteration, {kHelpOneLoop, total})});
  if (total == 0)
    CleanLastDo(ctx);
  ctx.Host->RedrawViewNow();
  host.AddHelpValues(total);
  AnimateMagicSentences(ctx);
  if (GridSetSolved(ctx))
    host.GridSetSolved();
  return 1;
}

int SolveFull(EngineContext &ctx, SolveCommandHost &host) {
  if (!HasCells(ctx) || Refused(ctx, host))
    return 0;
  host.AddReport({Message(kMsgSolveLaunched, {kHelpFullSolve})});
  ctx.Host->RedrawViewNow();
  ReinitAll(ctx);
  SaveUndoState(ctx);
  const MethodMask mask = host.ReadMethodMask();
  MethodRecord &record = ctx.Methods;
  record.MaxMethodLevel = -1;
  const int filterMode = MaskFilterMode(mask);
  UpdatePossibles(ctx, -1, filterMode, 0, 1);

  const int grids = UsedMainCount(ctx.Grids);
  std::array<bool, kMaxGrids> done{};
  int total = 0;
  int misses = 0;
  int slot = 0;
  for (;;) {
    int r = kSolveStopped;
    if (!done[slot]) {
      GridRecord &grid = ctx.Grids.Main[slot];
      record.MethodPlacements = 0;
      r = SolveWithMethods(ctx, mask, grid, 1, 0, -1, 0);
      total += record.MethodPlacements;
      if (r == kSolveCancelled)
        return Cancelled(ctx, host, total, kHelpFullSolve, true);
      if (r == kSolvePlaced)
        misses = 0;
      UpdatePossibles(ctx, -1, filterMode, 0, 1);
      done[slot] = grid.State == kGridConsistent;
    }
    // A grid that took a value goes on; the others pass the turn.
    if (r != kSolvePlaced) {
      ++misses;
      slot = (slot + 1) % grids;
    }
    ctx.Host->RedrawViewNow();
    if (ctx.TotalOpenCells == 0) {
      for (int s = 0; s < grids; ++s) {
        record.MethodPlacements = 0;
        const int last = SolveWithMethods(ctx, mask, ctx.Grids.Main[s], 0, 0, -1, 0);
        total += record.MethodPlacements;
        if (last == kSolveCancelled)
          return Cancelled(ctx, host, total, kHelpFullSolve, true);
      }
      break;
    }
    if (misses >= grids)
      break;
  }

  SolveReport text = {ctx.TotalOpenCells == 0
                          ? Message(kMsgSolveSucceeded, {kHelpFullSolve, total})
                          : Message(kMsgSolveJammed, {kHelpFullSolve, total, ctx.TotalOpenCells})};
  if (total == 0)
    CleanLastDo(ctx);
  host.ReplaceReport(text);
  ctx.Host->RedrawViewNow();
  host.AddHelpValues(total);
  AnimateMagicSentences(ctx);
  if (GridSetSolved(ctx))
    host.GridSetSolved();
  RecordStep(ctx, kStepSolve);
  return 1;
}

int SearchSolutions(EngineContext &ctx, SolveCommandHost &host) {
  if (!HasCells(ctx))
    return 0;
  const int current = CurrentGridSlot(ctx.Grids);
  ReinitAll(ctx);
  RefreshAllGrids(ctx);
  if (ctx.TotalOpenCells == 0) {
    host.AddReport({Message(kMsgGridAlreadyFinalised)});
    return 0;
  }
  host.ReadMethodMask();
  host.AddReport({Message(kMsgSearchLaunched, {kHelpSearchLaunch})});
  host.StartSearchProgress();
  const uint32_t start = TimeGetTime();
  const int limit = ctx.Settings.MaxSearchGrid;
  const int r = SearchLinkedSolutions(ctx, -1, 1, limit, 1);
  ctx.Host->StopWaitProgress();
  if (r == kSolveCancelled) {
    host.ReplaceReport({Message(kMsgSearchCancelled, {kHelpSearch})});
    return kSolveCancelled;
  }
  const int32_t seconds = SecondsSince(start);
  ReportPiece text;
  if (r >= limit) {
    text = Message(kMsgSearchLimitReached,
                   {ctx.SolutionCount, kHelpSearch, kHelpSearchLaunch, kHelpSolutionPages});
  } else if (r == 0) {
    text = Message(kMsgNoGridFound, {kHelpSearch});
    EndGridSearch(ctx, ctx.Grids.Main[current]);
  } else if (r == kSolveTimeOut) {
    text = Message(kMsgSearchTimedOut, {kHelpSearchLaunch});
  } else if (r == 1) {
    text = Message(kMsgOneGridFound, {kHelpSearch, seconds});
  } else {
    text = Message(kMsgGridsFound, {ctx.SolutionCount, kHelpSearch, seconds});
  }
  host.ReplaceReport({text});
  // Only the first ones are kept to be stepped through: the walk numbers those.
  if (r >= limit && ctx.Solutions.StoredCount < ctx.SolutionCount) {
    const std::string kept = std::to_string(ctx.Solutions.StoredCount);
    ctx.Host->AddInfoMessage(ctx.Settings.Language == kLanguageFrench
                                 ? "Les " + kept + " premières sont gardées pour être vues."
                                 : "The first " + kept + " are kept to be seen.");
  }
  ctx.Host->RedrawViewNow();
  ctx.Host->RecordMacroStep(RecordedAction{.Code = kStepSearch, .Strings = {"", "Y"}, .Ints = {limit}});
  return 1;
}

int BackToGoodSolution(EngineContext &ctx, SolveCommandHost &host) {
  if (!HasCells(ctx))
    return 0;
  ReinitAll(ctx);
  host.ReadMethodMask();
  if (!CanUndo(ctx.Undo)) {
    host.AddReport({Message(kMsgNothingToUndo)});
    return 0;
  }
  host.AddReport({Message(kMsgBackSearchLaunched, {kHelpBackToGood})});
  ctx.Host->RedrawViewNow();
  const uint32_t start = TimeGetTime();

  const auto hasSolution = [&] { return SearchLinkedSolutions(ctx, -1, 0, 1, 0); };
  int r = hasSolution();
  const bool fineAsItWas = r > 0;
  bool outOfSteps = false;
  while (r == 0) {
    if (!CanUndo(ctx.Undo)) {
      outOfSteps = true;
      break;
    }
    UndoLastState(ctx);
    RefreshAllGrids(ctx);
    r = hasSolution();
  }

  ReportPiece text;
  if (r == kSolveCancelled)
    text = Message(kMsgSearchCancelled, {kHelpBackToGood});
  else if (r == kSolveTimeOut)
    text = Message(kMsgSearchTimedOut, {kHelpBackToGood});
  else if (outOfSteps)
    text = Message(kMsgNoGoodGrid, {kHelpBackToGood});
  else if (fineAsItWas)
    text = Message(kMsgGridOk, {kHelpBackToGood});
  else
    text = Message(kMsgGoodGridFound, {kHelpBackToGood, SecondsSince(start)});
  host.ReplaceReport({text});
  ReinitAll(ctx);
  RefreshAllGrids(ctx);
  ctx.Host->RedrawViewNow();
  return r == kSolveCancelled ? kSolveCancelled : 1;
}

} // namespace quorbel
