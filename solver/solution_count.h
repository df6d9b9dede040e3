// Counting solutions: of one grid, of a set of linked grids searched together (each
// grid's own search is one level of a search over the grids), and the reference grids
// filled from the first solution. Every count starts SolutionCount at 0.
#pragma once
#include "engine/message_numbers.h"
#include "platform/help_contexts.h"
#include "solver/search.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// The limit of a count that asks whether a grid has one solution: it stops at the second.
constexpr int kUniqueLimit = 2;

// Message and help link of each solution a verbose count reports.
constexpr int kHelpSearch = HelpContext("search count");

// The number of solutions found, at most `limit` (a limit of 2 tests uniqueness), or -9
// (time-out) or -10 (the player's abort), which keep the solutions stored so far. Each
// solution adds to the per-value scores of the grid's cells; with store 1 the solutions up
// to MAXSEARCHSAVE go into the SearchHistory, which is emptied first, while store 0 leaves
// the player's history alone. verbose 1 repaints first and reports each solution. Every
// cell is put back as it was and the candidates of the main grids are recomputed.
// A silent count for uniqueness that stores nothing (UniquenessOnly, limit 2 or less) walks
// free of order; `walk` may free any other count too, and name a solution already known.
int CountGridSolutions(EngineContext &ctx, GridRecord &grid, int verbose, int limit, int store,
                       const CountWalk &walk = {});
// A silent count that stores nothing, read for its tally alone: the time limit holds for the
// whole count rather than for each solution, and a count out of time that met two solutions or
// more returns them, their values in the cells' scores, as a count at its limit would.
int TallyGridSolutions(EngineContext &ctx, GridRecord &grid, int limit, const CountWalk &walk);

// gridIndex >= 0, or a single main grid: CountGridSolutions of that main grid. With
// gridIndex < 0 and several main grids, the solutions of all of them together, each grid
// searching with the values the earlier ones hold; a grid complete from the start counts
// as its one solution. Results as CountGridSolutions.
int SearchLinkedSolutions(EngineContext &ctx, int gridIndex, int verbose, int limit, int store);
int SearchLinkedSolutions(EngineContext &ctx, int gridIndex, int verbose, int limit, int store,
                          const CountWalk &walk);

// The first solution of all the main grids (silent, limit 1, stored) becomes their
// reference grids: 1 done, 0 no solution, -9 time-out, -10 the player's abort.
int SolveToRefTab(EngineContext &ctx);

} // namespace quorbel
