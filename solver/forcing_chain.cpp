// Forcing Chain: the branches of one cell intersected cell by cell. A branch that ends
// in a contradiction is impossible and is left out of the intersection.
#include "solver/forcing_chain.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/unit_summary.h"
#include "solver/method_trial_grid.h"
#include "solver/plain_board.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kWithProbables = 1;

// Folds one branch into the intersection; returns the last cell that kept a value.
int IntersectForcingBranch(const GridGeometry &geo, const GridRecord &grid, const GridRecord &branch,
                           std::span<int> values) {
  int kept = -1;
  for (int i = 0; i < geo.NCells; ++i) {
    if (!IsOpenStatus(grid.Cells[i].Status))
      continue;
    const CellRecord &tried = branch.Cells[i];
    const int value = FirstPossValue(geo, tried);
    if (tried.Status > kStatusHypothesis || values[i] == kForcingDiffers ||
        (values[i] >= 0 && values[i] != value)) {
      values[i] = kForcingDiffers;
    } else {
      values[i] = value;
      kept = i;
    }
  }
  return kept;
}

// IntersectForcingBranch for a branch on a plain board, where propagation filled no cell but
// the one tried.
int IntersectPlainBranch(const GridGeometry &geo, const GridRecord &grid, int tried, int value,
                         std::span<int> values) {
  int kept = -1;
  for (int i = 0; i < geo.NCells; ++i) {
    if (!IsOpenStatus(grid.Cells[i].Status))
      continue;
    if (i != tried || values[i] == kForcingDiffers || (values[i] >= 0 && values[i] != value)) {
      values[i] = kForcingDiffers;
    } else {
      values[i] = value;
      kept = i;
    }
  }
  return kept;
}

// One branch on the plain board: the k-th candidate of the cell placed and propagated. False
// when the value is not free there.
bool RunPlainBranch(const GridGeometry &geo, const GridRecord &grid, PlainBoard board, int cell, int k,
                    std::span<int> values, int &result) {
  const int value = NthPossValue(grid.Cells[cell].ThePoss, k, geo.GridWidth);
  if (value == 0 || !board.Allows(cell, ValueBit(value)))
    return false;
  board.Place(cell, value);
  board.Propagate(kWithProbables == 1);
  result = board.Contradicted() ? -1 : IntersectPlainBranch(geo, grid, cell, value, values);
  return true;
}

} // namespace

int ApplyForcingChain(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int cell,
                      std::span<int> values, const PlainBoard *plain) {
  const GridGeometry &geo = ctx.Geo;
  if (cell < 0 || cell >= geo.NCells || static_cast<int>(values.size()) < geo.NCells)
    return -1;
  const int branches = CountValues(grid.Cells[cell].ThePoss, geo.GridWidth);
  if (branches < 2)
    return -1;
  std::fill_n(values.begin(), geo.NCells, kForcingUntouched);
  int result = -1;
  for (int k = 1; k <= branches; ++k) {
    if (plain != nullptr && RunPlainBranch(geo, grid, *plain, cell, k, values, result)) {
      if (ctx.Host->PollUserAbort())
        return kSolveCancelled;
      continue;
    }
    GridRecord &branch = trial.Load(ctx, grid);
    SetCellValue(ctx, branch, cell, k, kActionPlaceNth);
    Propagate(ctx, branch, MaskFilterMode(mask), kWithProbables);
    result = branch.State == kGridContradiction ? -1 : IntersectForcingBranch(geo, grid, branch, values);
    if (ctx.Host->PollUserAbort())
      return kSolveCancelled;
  }
  return result;
}

} // namespace quorbel
