// The backtracking search: its start and end, the tally of solutions, its progress, and
// the propagating route that any grid can take. Classic grids take their own route
// (search_classic.cpp), which walks the same tree far more cheaply.
//
// The propagating route keeps its whole state in the grid: each level of the branch stack
// is a cell whose saved candidates are tried one by one as hypotheses (status 4), and the
// candidates of every other cell are recomputed by propagation at each node. A node whose
// candidates lead to a contradiction by singles alone is left at once: nothing lies below.
#include "solver/search.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/search_history.h"
#include "engine/update_possibles.h"
#include "solver/search_classic.h"
#include "solver/search_pacing.h"

namespace quorbel {

namespace {

constexpr int kBranchLevels = kMaxCells; // the size of the branch stack

int PlayingCellCount(const EngineContext &ctx, const GridRecord &grid) {
  return std::clamp(ctx.Geo.NCells, 0, static_cast<int>(grid.Cells.size()));
}

void RestoreSavedCandidates(CellRecord &cell) {
  cell.ThePoss = cell.SavedPoss;
  cell.NPoss = cell.SavedNPoss;
}

bool IsPlayingCell(const EngineContext &ctx, const GridRecord &grid, int cell) {
  return cell >= 0 && cell < PlayingCellCount(ctx, grid);
}

// The root, or a child of a cell with more than one candidate: where a dead end is worth
// looking for. Further down a chain of forced cells the look costs more than it saves.
bool ChainStart(const GridRecord &grid, int depth) {
  if (depth <= 0 || depth > kBranchLevels)
    return true;
  const int parent = grid.BranchStack[depth - 1];
  return parent < 0 || static_cast<size_t>(parent) >= grid.Cells.size() || grid.Cells[parent].SavedNPoss > 1;
}

// The mark after the last level: whether the node there was explored already.
void MarkTop(GridRecord &grid, int16_t top) {
  if (grid.SearchDepth >= 0 && grid.SearchDepth < kBranchLevels)
    grid.BranchStack[grid.SearchDepth] = top;
}

bool TopPending(const GridRecord &grid) {
  return grid.SearchDepth >= 0 && grid.SearchDepth < kBranchLevels &&
         grid.BranchStack[grid.SearchDepth] == kTopPending;
}

// A count told that the grid has one solution with the known value at the known cell takes that
// one as found and branches first on the cell, over its other values: the tree holds only the
// other solutions. True when the root was pushed so (`take` has had the known solution).
bool PushKnownRoot(const EngineContext &ctx, GridRecord &grid, const SolutionTaker &take,
                   const CountWalk &walk, bool &goOn) {
  const int cell = walk.knownCell;
  if (!walk.orderFree || !take || grid.SearchDepth != 0 || !IsPlayingCell(ctx, grid, cell) ||
      walk.knownValue < 1 || walk.knownValue > ctx.Geo.GridWidth)
    return false;
  CellRecord &known = grid.Cells[cell];
  const uint32_t bit = ValueBit(walk.knownValue);
  if (known.Status <= kStatusConflict || known.Value != 0 || (known.ThePoss & bit) == 0)
    return false;
  grid.BranchStack[0] = static_cast<int16_t>(cell);
  known.ThePoss = known.SavedPoss = known.ThePoss & ~bit;
  known.NPoss = known.SavedNPoss = CountValues(known.SavedPoss, ctx.Geo.GridWidth);
  goOn = take();
  return true;
}

// A count free of order tries first, in each cell, the value of the grid's reference solution:
// the solution it holds comes at once, and another mostly differs from it in a few cells.
int ReferenceValue(const EngineContext &ctx, const GridRecord &grid, int cell, const CountWalk &walk) {
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (!walk.orderFree || slot < 0 || !IsPlayingCell(ctx, grid, cell))
    return 0;
  const GridRecord &reference = ctx.Grids.RefTab[static_cast<size_t>(slot)];
  return static_cast<size_t>(cell) < reference.Cells.size() ? reference.Cells[static_cast<size_t>(cell)].Value
                                                            : 0;
}

// PropagateSearchGrid; with `onlyThisGridChanged`, the search's own last node was propagated
// and only this grid's cells have changed since, so that a main grid's set is updated around it.
void PropagateSearchNode(EngineContext &ctx, GridRecord &grid, bool onlyThisGridChanged) {
  constexpr int kAllMainGrids = -1;
  constexpr int kRebuild = 1;
  // The Probables narrowing only shapes the tree; a count for uniqueness alone does without it,
  // where it cost more than it pruned.
  const int probables = ctx.Settings.UniquenessOnly != 0 ? 0 : 1;
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (slot >= 0 && onlyThisGridChanged)
    UpdatePossiblesAround(ctx, slot, kFilterAlways, probables);
  else if (slot >= 0)
    UpdatePossibles(ctx, kAllMainGrids, kFilterAlways, probables, kRebuild);
  else
    Propagate(ctx, grid, kFilterAlways, probables);
}

// One RunGridSearch call on the propagating route. On the first pass a complete grid is a
// solution only when its node was never explored: a search resumed after a solution still
// holds the one it returned, one resumed after a time-out or an abort may hold a new one.
int RunPropagatingSearch(EngineContext &ctx, GridRecord &grid, SearchPacer &pacer, bool begunNow,
                         const SolutionTaker &take, const CountWalk &walk) {
  bool firstPass = true;
  for (;;) {
    if (pacer.MustStop([&] { return SearchProgress(grid); })) {
      if (!firstPass)
        MarkTop(grid, kTopPending);
      return kSolveTimeOut;
    }
    // Between two nodes of this loop the search changes this grid alone; whatever ran before
    // the call may have changed any grid.
    PropagateSearchNode(ctx, grid, !firstPass);
    if (grid.State != kGridContradiction && grid.SudMissing == 0 &&
        (!firstPass || begunNow || TopPending(grid))) {
      MarkTop(grid, kTopDone);
      return kSolveFound;
    }
    firstPass = false;

    int depth = grid.SearchDepth;
    bool goOn = true;
    if (grid.State == kGridContradiction || !IsPlayingCell(ctx, grid, grid.TheMinPoss) ||
        (ChainStart(grid, depth) && PlainUnitsRuleOut(ctx, grid))) {
      if (--depth < 0) {
        grid.SearchDepth = kSearchExhausted;
        return kSolveExhausted;
      }
      RestoreSavedCandidates(grid.Cells[grid.BranchStack[depth]]);
    } else if (begunNow && PushKnownRoot(ctx, grid, take, walk, goOn)) {
      if (!goOn) {
        grid.SearchDepth = kSearchExhausted;
        return kSolveExhausted;
      }
    } else {
      // The stack is checked before a push, so a search may use every one of its levels.
      if (depth >= kBranchLevels) {
        grid.SearchDepth = kSearchExhausted;
        return kSolveExhausted;
      }
      grid.BranchStack[depth] = static_cast<int16_t>(grid.TheMinPoss);
      CellRecord &cell = grid.Cells[grid.TheMinPoss];
      cell.SavedPoss = cell.ThePoss;
      cell.SavedNPoss = cell.NPoss;
    }
    while (NextHypothesisValue(ctx, grid, grid.BranchStack[depth],
                               ReferenceValue(ctx, grid, grid.BranchStack[depth], walk)) == 0) {
      if (grid.SearchStop != 0) {
        grid.SearchDepth = depth;
        return kSolveStopped;
      }
      LeaveHypothesis(ctx, grid, grid.BranchStack[depth]);
      if (--depth < 0) {
        grid.SearchDepth = kSearchExhausted;
        return kSolveExhausted;
      }
      RestoreSavedCandidates(grid.Cells[grid.BranchStack[depth]]);
    }
    grid.SearchDepth = depth + 1;
    if (pacer.Aborted()) {
      MarkTop(grid, kTopPending);
      return kSolveCancelled;
    }
  }
}

} // namespace

void PropagateSearchGrid(EngineContext &ctx, GridRecord &grid) { PropagateSearchNode(ctx, grid, false); }

int BeginGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory) {
  // What an unfinished search left is no clue: trial values would be saved as values.
  LeaveGridSearch(ctx, grid);
  const int n = PlayingCellCount(ctx, grid);
  for (int c = 0; c < n; ++c)
    EnterHypothesis(ctx, grid, c);
  grid.BestTally = grid.BestTallyCell = grid.BestTallyValue = -1;
  grid.SearchStarted = 1;
  grid.SearchDepth = 0;
  grid.BranchStack[0] = kTopPending;
  if (clearHistory == 1)
    InitSearchHistory(ctx.Solutions);
  return 1;
}

int RunGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory) {
  return RunGridSearch(ctx, grid, clearHistory, {}, {});
}

int RunGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory, const SolutionTaker &take,
                  const CountWalk &walk) {
  if (!FitsGeometry(ctx.Geo, grid))
    return kSolveExhausted;
  SearchPacer pacer(ctx, grid);
  const bool begunNow = grid.SearchStarted == 0;
  if (begunNow)
    BeginGridSearch(ctx, grid, clearHistory);
  if (grid.SearchDepth < 0)
    return kSolveExhausted;
  if (!ClassicSearchApplies(ctx, grid))
    return RunPropagatingSearch(ctx, grid, pacer, begunNow, take, walk);
  const int result = RunClassicSearch(ctx, grid, pacer, take, walk);
  // The propagating route returns a solution with its candidates recomputed: so does this one.
  if (result == kSolveFound)
    PropagateSearchGrid(ctx, grid);
  return result;
}

int EndGridSearch(EngineContext &ctx, GridRecord &grid) {
  LeaveGridSearch(ctx, grid);
  InitSearchHistory(ctx.Solutions);
  return 1;
}

double SearchProgress(const GridRecord &grid) {
  if (grid.SearchDepth < 0)
    return 1.0;
  auto cellAt = [&](int k) -> const CellRecord * {
    const int c = grid.BranchStack[k];
    return c >= 0 && static_cast<size_t>(c) < grid.Cells.size() ? &grid.Cells[c] : nullptr;
  };
  return BranchProgress(
      std::min(grid.SearchDepth, kBranchLevels),
      [&](int k) {
        const CellRecord *cell = cellAt(k);
        return cell != nullptr ? std::max(cell->SavedNPoss, 0) : 0;
      },
      [&](int k) {
        const CellRecord *cell = cellAt(k);
        return cell != nullptr ? std::max(cell->HypIndex, 0) : 0;
      });
}

int TallySolutionValues(const EngineContext &ctx, GridRecord &grid) {
  const int n = PlayingCellCount(ctx, grid);
  for (int c = 0; c < n; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (cell.Status == kStatusHypothesis && cell.Value >= 1 && cell.Value <= ctx.Geo.GridWidth)
      TallyCellValue(grid, c, cell.Value);
  }
  return 1;
}

void TallyCellValue(GridRecord &grid, int cell, int value) {
  const int score = ++grid.Cells[cell].ValueScores[value - 1];
  if (score > grid.BestTally) {
    grid.BestTally = score;
    grid.BestTallyCell = cell;
    grid.BestTallyValue = value;
  }
}

} // namespace quorbel
