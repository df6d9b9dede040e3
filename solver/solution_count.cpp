// The solution counters over the backtracking search.
#include "solver/solution_count.h"
#include "engine/message_numbers.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "engine/candidate_memo.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/reference_grids.h"
#include "engine/search_history.h"
#include "engine/update_possibles.h"
#include "platform/clock.h"
#include "solver/count_time_share.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kAllMainGrids = -1;
constexpr int kProbablesDefault = -1; // the methods panel's switch, when PROBTYPE is 3

// After a count every main grid's candidates are rebuilt with the default modes.
void RefreshMainGrids(EngineContext &ctx) {
  UpdatePossibles(ctx, kAllMainGrids, kFilterDefault, kProbablesDefault, 1);
}

// What a search result means to a counter: a stop while backtracking leaves the count
// unfinished, like a time-out.
bool EndsTheCount(int result) {
  return result == kSolveTimeOut || result == kSolveCancelled || result == kSolveStopped;
}
int CountResultOf(int result) { return result == kSolveStopped ? kSolveTimeOut : result; }

// A solution found: stored while fewer than MAXSEARCHSAVE are (the one that reaches the limit
// too), the most the player can step through. True when it reaches the limit; otherwise a
// verbose count reports it.
bool TakeSolution(EngineContext &ctx, int verbose, int limit, int store) {
  if (store == 1 && ctx.SolutionCount < ctx.Settings.MaxSearchSave)
    StoreSearchSolution(ctx);
  if (ctx.SolutionCount >= limit - 1) {
    ++ctx.SolutionCount;
    return true;
  }
  if (verbose == 1) {
    const std::array<MessageArg, 2> args = {kHelpSearch, ctx.SolutionCount + 1};
    ctx.Host->ReplaceMessage(kMsgSolutionFound, args);
    UpdatePossibles(ctx, kAllMainGrids, kFilterDefault, kProbablesDefault, 0);
  }
  ++ctx.SolutionCount;
  return false;
}

// With `wholeTime` the time limit holds for the whole count, and a count out of time that met
// two solutions or more returns them; otherwise it holds for each solution.
int CountLoop(EngineContext &ctx, GridRecord &grid, int verbose, int limit, int store, const CountWalk &walk,
              bool wholeTime) {
  const bool timed = wholeTime && ctx.Settings.TimeOver >= 0;
  CountTimeShare share(ctx, timed ? ctx.Settings.TimeOver : -1);
  const auto outOfTime = [&] { return share.Spent(); };
  // Without a solution to store or report, the classic route tallies them where it finds them.
  bool ended = false;
  bool aborted = false;
  SolutionTaker take;
  if (verbose == 0 && store == 0)
    take = [&] {
      ended = TakeSolution(ctx, verbose, limit, store) || outOfTime();
      aborted = !ended && ctx.Host->PollUserAbort();
      return !ended && !aborted;
    };
  for (;;) {
    if (ctx.Host->PollUserAbort())
      return kSolveCancelled;
    // Each search is given what is left of the count's time.
    const int result = share.Run([&] { return RunGridSearch(ctx, grid, 0, take, walk); });
    if (aborted)
      return kSolveCancelled;
    if (ended)
      return ctx.SolutionCount;
    if (EndsTheCount(result))
      return timed && CountResultOf(result) == kSolveTimeOut && ctx.SolutionCount >= 2
                 ? ctx.SolutionCount
                 : CountResultOf(result);
    if (result != kSolveFound)
      return ctx.SolutionCount;
    TallySolutionValues(ctx, grid);
    if (TakeSolution(ctx, verbose, limit, store) || outOfTime())
      return ctx.SolutionCount;
  }
}

// The generator's test for one solution shows nothing of the solutions it meets: any order will do.
CountWalk OrderFreeWhenCountOnly(const EngineContext &ctx, int verbose, int limit, int store,
                                 CountWalk walk) {
  walk.orderFree = walk.orderFree ||
                   (ctx.Settings.UniquenessOnly != 0 && limit <= kUniqueLimit && store == 0 && verbose == 0);
  return walk;
}

// The linked search: grid i's search is level i. Going forward a grid starts a new search
// with the earlier grids' values in place; going back it resumes with its next solution.
// A grid complete from the start yields itself once. The time limit holds for the whole
// count: each grid's search restarts its own clock, and the earlier grids' solutions can be
// many.
int LinkedLoop(EngineContext &ctx, int verbose, int limit, int store, const CountWalk &walk) {
  const uint32_t start = TimeGetTime();
  const int32_t timeOver = ctx.Settings.TimeOver;
  GridSet &set = ctx.Grids;
  const int count = UsedMainCount(set);
  std::array<bool, kMaxGrids> complete{};
  std::array<bool, kMaxGrids> yielded{};
  for (int i = 0; i < count; ++i)
    complete[i] = set.Main[i].SudMissing == 0;
  int i = 0;
  while (i >= 0) {
    if (ctx.Host->PollUserAbort())
      return kSolveCancelled;
    if (timeOver >= 0 && ElapsedMillis(start, TimeGetTime()) > static_cast<uint32_t>(timeOver))
      return kSolveTimeOut;
    GridRecord &grid = set.Main[i];
    bool found = false;
    if (complete[i]) {
      found = !yielded[i];
      yielded[i] = found;
      grid.SearchStarted = 0;
    } else {
      const int result = RunGridSearch(ctx, grid, 0, {}, walk);
      if (EndsTheCount(result))
        return CountResultOf(result);
      found = result == kSolveFound;
      if (!found)
        LeaveGridSearch(ctx, grid); // the next visit starts a new search
    }
    if (!found) {
      --i;
      continue;
    }
    if (i < count - 1) {
      ++i;
      continue;
    }
    if (TakeSolution(ctx, verbose, limit, store))
      return ctx.SolutionCount;
  }
  return ctx.SolutionCount;
}

int CountSolutions(EngineContext &ctx, GridRecord &grid, int verbose, int limit, int store,
                   const CountWalk &walk, bool wholeTime) {
  const CountWalk counted = OrderFreeWhenCountOnly(ctx, verbose, limit, store, walk);
  ctx.SolutionCount = 0;
  LeaveGridSearch(ctx, grid); // a fresh search
  if (verbose == 1)
    ctx.Host->RedrawViewNow();
  int result = kSolveCancelled;
  if (!ctx.Host->PollUserAbort()) {
    if (store == 1)
      InitSearchHistory(ctx.Solutions);
    // A main grid's search rebuilds the other grids of its set too, at every node.
    std::optional<CandidateMemoScope> memo;
    if (MainGridSlot(ctx.Grids, grid) >= 0 && UsedMainCount(ctx.Grids) > 1)
      memo.emplace(ctx);
    result = CountLoop(ctx, grid, verbose, limit, store, counted, wholeTime);
  }
  LeaveGridSearch(ctx, grid);
  RefreshMainGrids(ctx);
  return result;
}

} // namespace

int CountGridSolutions(EngineContext &ctx, GridRecord &grid, int verbose, int limit, int store,
                       const CountWalk &walk) {
  return CountSolutions(ctx, grid, verbose, limit, store, walk, false);
}

int TallyGridSolutions(EngineContext &ctx, GridRecord &grid, int limit, const CountWalk &walk) {
  return CountSolutions(ctx, grid, 0, limit, 0, walk, true);
}

int SearchLinkedSolutions(EngineContext &ctx, int gridIndex, int verbose, int limit, int store) {
  return SearchLinkedSolutions(ctx, gridIndex, verbose, limit, store, {});
}

int SearchLinkedSolutions(EngineContext &ctx, int gridIndex, int verbose, int limit, int store,
                          const CountWalk &walk) {
  GridSet &set = ctx.Grids;
  const int count = UsedMainCount(set);
  if (gridIndex >= 0 || count == 1) {
    const int slot = gridIndex >= 0 && gridIndex < count ? gridIndex : 0;
    return CountGridSolutions(ctx, set.Main[slot], verbose, limit, store, walk);
  }
  ctx.SolutionCount = 0;
  for (int i = 0; i < count; ++i)
    LeaveGridSearch(ctx, set.Main[i]);
  if (verbose == 1)
    ctx.Host->RedrawViewNow();
  int result = kSolveCancelled;
  if (!ctx.Host->PollUserAbort()) {
    // Emptied here rather than by the first grid's search, which a complete grid skips.
    if (store == 1)
      InitSearchHistory(ctx.Solutions);
    // Each node rebuilds every grid, whose values but the searched grid's stay as they were.
    const CandidateMemoScope memo(ctx);
    result = LinkedLoop(ctx, verbose, limit, store, OrderFreeWhenCountOnly(ctx, verbose, limit, store, walk));
  }
  for (int i = 0; i < count; ++i)
    LeaveGridSearch(ctx, set.Main[i]);
  RefreshMainGrids(ctx);
  return result;
}

int SolveToRefTab(EngineContext &ctx) {
  constexpr int kSilent = 0;
  constexpr int kFirstSolution = 1;
  constexpr int kStore = 1;
  const int result = SearchLinkedSolutions(ctx, kAllMainGrids, kSilent, kFirstSolution, kStore);
  if (result < 0)
    return result; // a time-out is no solution to copy
  if (result == 0)
    return 0;
  return SetRefTabFromSearch(ctx, kAllMainGrids);
}

} // namespace quorbel
