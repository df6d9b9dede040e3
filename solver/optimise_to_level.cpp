// Level targeting. Adding a given never makes a puzzle harder and taking one away never
// makes it easier, so each phase moves the rating one way only and every phase ends.
#include "solver/optimise_to_level.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "platform/random.h"
#include "solver/count_time_share.h"
#include "solver/optimise_grid.h"
#include "solver/rate_grid.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

namespace {

constexpr int kFirstBatch = 8;
// The counts of one dig share this part of one count's time limit.
constexpr int kDigTimeShare = 2;

// Takes away, in random order, every given the one solution does not need. Givens go in
// batches while the solution stays unique; a batch that breaks it comes back and is tried
// again in halves, and a single given that breaks it is needed. On a full grid that takes
// half the counts of one given at a time. Once the givens in place are known to have one
// solution, a single given's count searches only the solutions that differ from it there.
// The counts share half of one count's time: near its sparse end a dig's counts can run for
// seconds each (a second solution that the walk meets late, or none), and the digs that follow,
// in other orders, reach the level sooner than such a dig ends. Past it the givens not yet tried
// stay, and the puzzle, unique all along, is only less sparse. 1 done, -10 cancelled.
int DigToMinimal(EngineContext &ctx, int slot) {
  GridRecord &grid = ctx.Grids.Main[slot];
  std::vector<int> queue;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (grid.Cells[c].Status == kStatusFixed)
      queue.push_back(c);
  for (int i = static_cast<int>(queue.size()) - 1; i > 0; --i)
    std::swap(queue[static_cast<size_t>(i)], queue[static_cast<size_t>(RandomBelow(ctx.Random, i + 1))]);

  std::vector<int> values;
  int batch = kFirstBatch;
  bool unique = false; // the givens in place have one solution
  CountTimeShare share(ctx, ctx.Settings.TimeOver / kDigTimeShare);
  for (size_t next = 0; next < queue.size() && !share.Spent();) {
    const size_t take = std::min(static_cast<size_t>(batch), queue.size() - next);
    values.clear();
    for (size_t i = next; i < next + take; ++i) {
      values.push_back(grid.Cells[queue[i]].Value);
      SetCellValue(ctx, grid, queue[i], 0, kActionClear);
    }
    // The givens in place have one solution, the reference: without one of them, a second
    // solution would hold another value there.
    CountWalk walk;
    if (take == 1 && unique) {
      walk.knownCell = queue[next];
      walk.knownValue = values[0];
    }
    const int count = share.Run([&] { return CountGridSolutions(ctx, grid, 0, kUniqueLimit, 0, walk); });
    if (count == 1) {
      next += take;
      unique = true;
      continue;
    }
    for (size_t i = 0; i < take; ++i)
      SetCellValue(ctx, grid, queue[next + i], values[i], kActionPlaceFixed);
    if (count == kSolveCancelled)
      return kSolveCancelled;
    if (take == 1)
      ++next; // needed
    else
      batch = static_cast<int>(take / 2);
  }
  return 1;
}

// `stuck` is the grid as the methods of the level left it. An open cell of it, drawn at
// random, gets its solution value in the grid and in `stuck`, and the methods go on from
// there, until `stuck` is solved: the grid then rates at the level or below. Going on from
// where they stopped spares solving again from the start, since a given only adds to what
// the methods find. 1 done, -10 cancelled.
int GiveUntilSolvedAtLevel(EngineContext &ctx, GridRecord &grid, GridRecord &stuck,
                           const GridRecord &solution, int level) {
  std::vector<int> open;
  for (bool first = true;; first = false) {
    if (!first && SolveAtLevel(ctx, stuck, level) == kSolveCancelled)
      return kSolveCancelled;
    open.clear();
    for (int c = 0; c < ctx.Geo.NCells; ++c)
      if (stuck.Cells[c].Status > kStatusConflict)
        open.push_back(c);
    if (open.empty())
      return 1;
    const int cell = open[RandomBelow(ctx.Random, static_cast<int>(open.size()))];
    const int value = solution.Cells[cell].Value;
    SetCellValue(ctx, grid, cell, value, kActionPlaceFixed);
    SetCellValue(ctx, stuck, cell, value, kActionPlaceFixed);
  }
}

} // namespace

int OptimiseGridToLevel(EngineContext &ctx, int slot, int level) {
  GridRecord &grid = ctx.Grids.Main[slot];
  const GridRecord &solution = ctx.Grids.RefTab[slot];
  const GridRange range = RangeOfGrids(ctx, slot);
  auto stuck = std::make_unique<GridRecord>();
  int rating = RateGridDifficulty(ctx, grid, stuck.get(), level);
  if (rating != kSolveCancelled && rating < level) {
    // Down to a minimal puzzle first: many are harder than the level or at it, and one
    // below it cannot lose another given.
    if (DigToMinimal(ctx, slot) == kSolveCancelled)
      return kSolveCancelled;
    rating = RateGridDifficulty(ctx, grid, stuck.get(), level);
    if (rating != kSolveCancelled && rating < level)
      return rating;
  }
  if (rating != kSolveCancelled && rating > level) {
    // The rating leaves a copy where the methods stopped only for a level it has: without one
    // there is nothing to give from, and the grid stays as it is.
    if (stuck->Cells.size() < static_cast<size_t>(ctx.Geo.NCells))
      return rating;
    if (GiveUntilSolvedAtLevel(ctx, grid, *stuck, solution, level) == kSolveCancelled)
      return kSolveCancelled;
    rating = RateGridDifficulty(ctx, grid);
  }
  if (rating == kSolveCancelled || rating >= level)
    return rating;
  // A classic puzzle that the givens took below the top level seldom climbs back to it as they
  // go again one at a time (about one in twenty): the generator's next dig finds one sooner.
  if (level == kLevelTerrible && !HasVariantRules(grid))
    return rating;

  // The givens just added may have made it too easy: take away what the level allows.
  const auto withinLevel = [&]() -> int {
    const int r = RateGridDifficulty(ctx, grid);
    if (r == kSolveCancelled)
      return kSolveCancelled;
    if (r > level)
      return 0;
    rating = r;
    return 1;
  };
  const int removed = RemoveNeedlessGivens(ctx, range, withinLevel, [&] { return rating == level; });
  return removed == kSolveCancelled ? kSolveCancelled : rating;
}

} // namespace quorbel
