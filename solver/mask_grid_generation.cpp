// Mask-grid generation over the random solution maker and the uniqueness count.
#include "solver/mask_grid_generation.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "solver/random_solution.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

namespace {

constexpr int kProgressRange = 1000;
constexpr int kClearCellsOnly = 2;

} // namespace

int GenerateFromMaskGrid(EngineContext &ctx, int slot, const MaskGridSettings &settings) {
  GridSet &set = ctx.Grids;
  const GridRecord &mask = set.RefTab[kMaxGrids];
  GridRecord &grid = set.Main[slot];
  GridRecord &solution = set.RefTab[slot];
  if (!FitsGeometry(ctx.Geo, mask))
    return 0; // no mask grid of this shape
  ctx.Host->StartWaitProgress(ctx.Settings.Language == kLanguageFrench
                                  ? "Génération Grille en cours.\nMerci de patienter..."
                                  : "Grid Generation running.\nPlease Wait...",
                              kProgressRange, true);
  grid.GridVar = mask.GridVar;
  ctx.Settings.CurrentVariant = mask.GridVar;

  const bool adapt = settings.AdaptSeedCount == 1;
  const int most = adapt ? RandomSeedCount(ctx, grid, kSeedsComputed, 0) : kSeedsComputed;
  int seeds = most;
  int count = 0;
  for (int t = 0; t < settings.Tries && count != 1; ++t) {
    const int made = MakeRandomSolution(ctx, grid, seeds, -1, 1, kClearCellsOnly);
    if (made == kSolveCancelled) {
      count = kSolveCancelled;
      break;
    }
    if (made == kSolveTimeOut && adapt)
      seeds = std::min(seeds + 1, most);
    if (made == 0 && adapt)
      seeds = std::max(seeds - 1, 0);
    if (made == kSolveFound) {
      for (int c = 0; c < ctx.Geo.NCells; ++c) {
        const int value = grid.Cells[c].Value;
        SetCellValue(ctx, solution, c, value, kActionPlaceFixed);
        if (mask.Cells[c].Status < kStatusConflict) {
          SetCellValue(ctx, grid, c, value, kActionPlaceFixed);
        } else {
          solution.Cells[c].Status = kStatusHypothesis;
          SetCellValue(ctx, grid, c, 0, kActionClear);
        }
      }
      count = CountGridSolutions(ctx, grid, 0, kUniqueLimit, 0);
      if (count == kSolveCancelled)
        break;
      if (settings.RepaintEachTry == 1)
        ctx.Host->RedrawViewNow();
    }
    ctx.Host->StepWaitProgress(-1);
  }
  ctx.Host->StopWaitProgress();
  return count == kSolveCancelled ? kSolveCancelled : count == 1 ? 1 : 0;
}

} // namespace quorbel
