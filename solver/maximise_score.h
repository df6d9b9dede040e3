// Double and Triple: the solution of highest neighbour score, by walking every solution the
// timed search finds.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;

// The grid's neighbour score as it stands.
int NeighbourScoreOf(EngineContext &ctx, GridRecord &grid);

// Leaves the grid holding its best solution and returns its score; 0 when there is none. A
// search that timed out or was cancelled, or the player's abort, returns minus the best found.
int MaximiseScore(EngineContext &ctx, GridRecord &grid);

// MaximiseScore on a copy, so the grid stays as the player has it; the best solution goes to
// `bestSolution` when one was found. Results as MaximiseScore.
int BestScoreOfSolutions(EngineContext &ctx, const GridRecord &grid, GridRecord &bestSolution);

} // namespace quorbel
