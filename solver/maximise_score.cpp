#include "solver/maximise_score.h"

#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/neighbour_rules.h"
#include "solver/search.h"

namespace quorbel {

int NeighbourScoreOf(EngineContext &ctx, GridRecord &grid) {
  grid.Work.NeighbourScore = 0;
  AddNeighbourScore(ctx, grid);
  return grid.Work.NeighbourScore;
}

int MaximiseScore(EngineContext &ctx, GridRecord &grid) {
  if (RunGridSearch(ctx, grid, 1) != 1)
    return 0;
  auto best = std::make_unique<GridRecord>();
  CopyGrid(ctx, *best, &grid, 0);
  int bestScore = NeighbourScoreOf(ctx, grid);
  int last = 1;
  while (true) {
    if (ctx.Host->PollUserAbort()) {
      last = kSolveCancelled;
      break;
    }
    last = RunGridSearch(ctx, grid, 0);
    if (last != 1)
      break;
    if (const int score = NeighbourScoreOf(ctx, grid); score > bestScore) {
      CopyGrid(ctx, *best, &grid, 0);
      bestScore = score;
    }
  }
  CopyGrid(ctx, grid, best.get(), 0);
  return last < 0 ? -bestScore : bestScore;
}

int BestScoreOfSolutions(EngineContext &ctx, const GridRecord &grid, GridRecord &bestSolution) {
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(ctx, *scratch, &grid, 0);
  const int best = MaximiseScore(ctx, *scratch);
  if (best != 0)
    CopyGrid(ctx, bestSolution, scratch.get(), 0);
  return best;
}

} // namespace quorbel
