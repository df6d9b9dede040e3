// Level targeting. Adding a given never makes a puzzle harder and taking one away never
// makes it easier, so each phase moves the rating one way only and both end.
#include "solver/optimise_to_level.h"

#include <memory>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "platform/random.h"
#include "solver/optimise_grid.h"
#include "solver/rate_grid.h"
#include "solver/search.h"

namespace quorbel {

namespace {

// An open cell, drawn at random, of the grid where the level's methods get stuck; -1 when
// they solve it, -10 when cancelled.
int CellWhereMethodsStop(EngineContext &ctx, const GridRecord &grid, int level) {
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(ctx, *scratch, &grid, 0);
  if (SolveAtLevel(ctx, *scratch, level) == kSolveCancelled)
    return kSolveCancelled;
  std::vector<int> open;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (scratch->Cells[c].Status > kStatusConflict)
      open.push_back(c);
  return open.empty() ? -1 : open[RandomBelow(static_cast<int>(open.size()))];
}

} // namespace

int OptimiseGridToLevel(EngineContext &ctx, int slot, int level) {
  GridRecord &grid = ctx.Grids.Main[slot];
  const GridRecord &solution = ctx.Grids.RefTab[slot];
  int rating = RateGridDifficulty(ctx, grid);
  while (rating != kSolveCancelled && rating > level) {
    const int cell = CellWhereMethodsStop(ctx, grid, level);
    if (cell == kSolveCancelled)
      return kSolveCancelled;
    if (cell < 0)
      break;
    SetCellValue(ctx, grid, cell, solution.Cells[cell].Value, kActionPlaceFixed);
    rating = RateGridDifficulty(ctx, grid);
  }
  if (rating == kSolveCancelled || rating >= level)
    return rating;

  const auto harderWithinLevel = [&]() -> int {
    const int r = RateGridDifficulty(ctx, grid);
    if (r == kSolveCancelled)
      return kSolveCancelled;
    if (r > level)
      return 0;
    rating = r;
    return 1;
  };
  const int removed = RemoveNeedlessGivens(ctx, RangeOfGrids(ctx, slot), harderWithinLevel,
                                           [&] { return rating == level; });
  return removed == kSolveCancelled ? kSolveCancelled : rating;
}

} // namespace quorbel
