// The Random method. The reference grid is the solution the program computed for a main
// grid; a scratch grid has none of its own, and another grid's would be wrong for it.
// Without a reference value the count's scores decide: each solution found adds one to
// the value it gives each cell, and the rarest value of all is placed, so a grid with one
// solution gets that solution's value.
#include "solver/method_random.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/unit_summary.h"
#include "platform/random.h"
#include "solver/method_trial_grid.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

namespace {

constexpr int kScoreScale = 100; // LowestScoredValue gives score * 100 + value

bool HasReferenceValue(const GridRecord &reference, const GridRecord &grid, int cell) {
  return reference.Cells[cell].Status < kStatusConflict && IsOpenStatus(grid.Cells[cell].Status);
}

// A cell whose reference holds a value while the grid's is open: the asked cell, or one
// drawn at random among those of the range; -1 when none.
int PickReferenceCell(Random15 &random, const GridRecord &reference, const GridRecord &grid, int cell,
                      int rangeStart, int rangeEnd) {
  if (cell >= 0)
    return HasReferenceValue(reference, grid, cell) ? cell : -1;
  int count = 0;
  for (int i = rangeStart; i < rangeEnd; ++i)
    count += HasReferenceValue(reference, grid, i) ? 1 : 0;
  if (count == 0)
    return -1;
  int draw = count * random.Next() / kRandomMax;
  for (int i = rangeStart; i < rangeEnd; ++i)
    if (HasReferenceValue(reference, grid, i) && --draw < 0)
      return i;
  return -1;
}

int PlaceReferenceValue(EngineContext &ctx, GridRecord &grid, int cell, int rangeStart, int rangeEnd) {
  const int slot = MainGridSlot(ctx.Grids, grid);
  const GridRecord &reference = ctx.Grids.RefTab[slot];
  if (reference.Cells.size() < grid.Cells.size())
    return -1;
  const int picked = PickReferenceCell(ctx.Random, reference, grid, cell, rangeStart, rangeEnd);
  if (picked < 0)
    return -1;
  const int value = reference.Cells[picked].Value;
  if (value < 1 || value > ctx.Geo.GridWidth)
    return -1;
  SetCellValue(ctx, grid, picked, value, kActionPlaceFixed);
  return picked;
}

// Counts the solutions on the trial grid, brings the per-value scores back, and places
// the rarest value found. Nothing is placed when the count found no solution.
int PlaceRarestValue(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, int rangeStart, int rangeEnd) {
  const GridGeometry &geo = ctx.Geo;
  GridRecord &scratch = trial.Load(ctx, grid);
  Propagate(ctx, scratch, kFilterIfSwitchOn, 1);
  if (CountGridSolutions(ctx, scratch, 0, kRandomCountLimit, 0) == kSolveCancelled)
    return kSolveCancelled;
  const int width = std::clamp(geo.GridWidth, 0, kMaxWidth);
  for (int i = 0; i < geo.NCells; ++i)
    std::copy_n(scratch.Cells[i].ValueScores.begin(), width, grid.Cells[i].ValueScores.begin());
  int best = -1;
  int bestScore = kNoScoredValue;
  for (int i = rangeStart; i < rangeEnd; ++i) {
    if (!IsOpenStatus(grid.Cells[i].Status))
      continue;
    const int score = LowestScoredValue(geo, grid.Cells[i]);
    if (score < bestScore) {
      best = i;
      bestScore = score;
    }
  }
  if (best < 0)
    return -1;
  SetCellValue(ctx, grid, best, bestScore % kScoreScale, kActionPlace);
  return best;
}

} // namespace

int PlaceRandomValue(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, int cell, int rangeStart,
                     int rangeEnd) {
  if (MainGridSlot(ctx.Grids, grid) < 0 || rangeStart >= rangeEnd)
    return -1;
  const int placed = PlaceReferenceValue(ctx, grid, cell, rangeStart, rangeEnd);
  return placed >= 0 ? placed : PlaceRarestValue(ctx, grid, trial, rangeStart, rangeEnd);
}

} // namespace quorbel
