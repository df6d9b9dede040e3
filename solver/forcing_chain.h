// The Forcing Chain method: each candidate of one cell is tried on a scratch grid and
// propagated; a cell that every branch without a contradiction fills with the same value
// takes that value.
#pragma once

#include <span>

#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
class PlainBoard;
class TrialGrid;

// What the branches left in a cell: untouched, or filled differently (or not at all).
constexpr int kForcingUntouched = -1;
constexpr int kForcingDiffers = -2;

// values (one per playing cell) receives, for each open cell of the grid, the value every
// branch without a contradiction put there, or kForcingDiffers; the cells no branch
// reached keep kForcingUntouched. Returns a cell with a common value, -1 when there is
// none, when the cell has fewer than 2 candidates or when the last branch ends in a
// contradiction, and -10 when the player cancelled. The filter mode comes from the mask;
// the branches always run the probables. With the grid's plain board (solver/plain_board.h)
// the branches run on it rather than on the trial grid.
int ApplyForcingChain(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int cell,
                      std::span<int> values, const PlainBoard *plain = nullptr);

} // namespace quorbel
