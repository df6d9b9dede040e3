// The timed backtracking search over one grid's candidates. It is resumable: the search
// state stays in the grid (hypothesis cells, branch stack), so each RunGridSearch call
// returns the next solution, in the same order whichever route the grid takes.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/cell_actions.h"
#include "engine/solve_result.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Every open cell becomes a trial cell (its candidates, count and status saved); the
// tally is cleared and the search starts at depth 0. clearHistory 1 empties the
// SearchHistory. Hypotheses left by an earlier search are left first. Returns 1.
int BeginGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory);

// Goes on with the search (begins it when it has not started) and returns at the next
// solution, which the grid's trial cells then hold: 1 found, 0 exhausted, -1 stopped while
// backtracking, -9 time-out (PARAMETER/TIMEOVER, per call) or stop flag, -10 the player's
// abort. A grid complete at the start counts as its own solution.
int RunGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory);

// For a count that reads only the tally of each solution: called at each solution, its trial
// cells tallied already, true to search on within the same call. The classic route then
// writes only the solution it returns on; the other route never calls it.
using SolutionTaker = std::function<bool()>;

// How a count lets the classic route walk its tree; the propagating route walks its own
// whatever it says, and either way a count comes to the same number.
struct CountWalk {
  // Any tree will do: the count reads only how many solutions there are up to two, where the
  // order they come in cannot show, or a tally that any set of solutions serves.
  bool orderFree = false;
  // With orderFree and a taker, a count for uniqueness of a main grid whose reference solution
  // is known to be its one solution with `knownValue` at `knownCell` (the grid with that given
  // had one solution) takes the reference as found and looks for another only where the cell
  // holds another value. -1: none.
  int knownCell = -1;
  int knownValue = 0;
};

// A resumed search is given the same walk as the call that began it.
int RunGridSearch(EngineContext &ctx, GridRecord &grid, int clearHistory, const SolutionTaker &take,
                  const CountWalk &walk);

// Every trial cell gets its saved state back; the search history is emptied and the grid
// is no longer in search. Returns 1.
int EndGridSearch(EngineContext &ctx, GridRecord &grid);
// LeaveGridSearch (engine/cell_actions.h) does the same without touching the search history.

// A fraction in [0, 1] of the search tree done, from the first levels of the branch stack.
double SearchProgress(const GridRecord &grid);

// Adds the grid's current solution to the per-value scores of its trial cells and keeps
// the highest score reached (BestTally, its cell and value). Returns 1.
int TallySolutionValues(const EngineContext &ctx, GridRecord &grid);

// One solution's value in a trial cell joins the tally.
void TallyCellValue(GridRecord &grid, int cell, int value);

} // namespace quorbel
