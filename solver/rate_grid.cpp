// Rating on a scratch copy, so that neither the grid nor the levels the player's solving
// commands recorded are touched.
#include "solver/rate_grid.h"

#include <algorithm>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "solver/search.h"
#include "solver/solve_with_methods.h"

namespace quorbel {

int SolveAtLevel(EngineContext &ctx, GridRecord &scratch, int level) {
  const MethodRecord saved = ctx.Methods;
  const int result = SolveRepeatedly(ctx, scratch, kRatingMasks[std::clamp(level, 1, 4) - 1]);
  ctx.Methods = saved;
  return result;
}

int RateGridDifficulty(EngineContext &ctx, const GridRecord &grid, GridRecord *stuck, int stuckLevel) {
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(ctx, *scratch, &grid, 0);
  for (int level = kLevelEasy; level <= kLevelTerrible; ++level) {
    if (SolveAtLevel(ctx, *scratch, level) == kSolveCancelled)
      return kSolveCancelled;
    if (scratch->SudMissing == 0) {
      // Solved below the level asked: the methods left nothing open, and that is what it gets.
      if (stuck != nullptr && level < stuckLevel)
        CopyGrid(ctx, *stuck, scratch.get(), 0);
      return level;
    }
    if (level == stuckLevel && stuck != nullptr)
      CopyGrid(ctx, *stuck, scratch.get(), 0);
  }
  return kLevelBeyondMethods;
}

} // namespace quorbel
