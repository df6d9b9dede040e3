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
// from it within the call while `take` says so. `walk` says which tree it may walk.
int RunClassicSearch(EngineContext &ctx, GridRecord &grid, SearchPacer &pacer, const SolutionTaker &take,
                     const CountWalk &walk);

// True when naked and hidden singles over the grid's rows, columns, blocks and regions in
// use, from the candidates its cells hold now, meet a contradiction: no solution lies
// below, whatever other rules the grid has. False when they do not, or when the grid's
// cells or tables are not plain enough to judge.
bool PlainUnitsRuleOut(EngineContext &ctx, const GridRecord &grid);

} // namespace quorbel
