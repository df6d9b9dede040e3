// The search route of grids whose units are plain "all different" sets (rows, columns,
// regular or irregular blocks, diagonals, extra regions): the same tree as the propagating
// route, walked on a compact board of candidate masks instead of whole grid records.
#pragma once

#include "solver/search.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
class SearchPacer;

// Grids with no variant rule but irregular blocks, diagonals and extra regions, not linked to
// other main grids, whose cells are plain (values in range, no status-0 givens, no conflict
// marks) and whose block and region tables agree.
// Decided on a grid in search (after BeginGridSearch), and stable while it lasts.
bool ClassicSearchApplies(const EngineContext &ctx, const GridRecord &grid);

// One RunGridSearch call on the classic route: resumes from the grid's branch stack and
// returns at the next solution, as RunGridSearch does.
// With `take`, each solution is tallied and offered to it first, and the search goes on
// from it within the call while `take` says so.
int RunClassicSearch(EngineContext &ctx, GridRecord &grid, SearchPacer &pacer, const SolutionTaker &take);

// While it lives, the classic route may walk any tree: for a count that reads only how many
// solutions there are up to two, where the order they come in cannot show, or a tally that
// any set of solutions serves. A count within it stays free of order.
class OrderFreeCount {
public:
  OrderFreeCount(EngineContext &ctx, bool orderFree);
  ~OrderFreeCount();
  OrderFreeCount(const OrderFreeCount &) = delete;
  OrderFreeCount &operator=(const OrderFreeCount &) = delete;

private:
  EngineContext &ctx_;
  bool saved_;
};

// While it lives, a count for uniqueness of a main grid whose reference solution is known to
// be its one solution with `value` at `cell` (the grid with that given had one solution) takes
// the reference as found and looks for another only where `cell` holds another value. A count
// on the propagating route, or of a grid the reference does not solve, goes on as without it:
// either way the count is the same.
class KnownSolutionAt {
public:
  KnownSolutionAt(EngineContext &ctx, int cell, int value);
  ~KnownSolutionAt();
  KnownSolutionAt(const KnownSolutionAt &) = delete;
  KnownSolutionAt &operator=(const KnownSolutionAt &) = delete;

private:
  EngineContext &ctx_;
};

// True when naked and hidden singles over the grid's rows, columns, blocks and regions in
// use, from the candidates its cells hold now, meet a contradiction: no solution lies
// below, whatever other rules the grid has. False when they do not, or when the grid's
// cells or tables are not plain enough to judge.
bool PlainUnitsRuleOut(EngineContext &ctx, const GridRecord &grid);

} // namespace quorbel
