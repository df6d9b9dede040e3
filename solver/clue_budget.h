// The clue budget of a carving: how many givens the clue kinds of a grid may replace, and
// how that budget is shared among the kinds the grid holds (AllocateClueCounts).
#pragma once

#include "engine/variant_bits.h"
#include "platform/random.h"

namespace quorbel {

struct GridGeometry;
struct GenerationRun;

// trunc((depth x 0.009 + 0.1) x kept), with 0.009 taken in single precision as the stored
// tables were tuned with it.
int ClueBudget(int depth, int kept);

// Shares `budget` (negative counts as 0) among the clue kinds that meet `gridWords` by
// random weights, lowers each kind whose density would pass its limit, and corrects the
// total when the smallest minimum of the kinds chosen does not fit beside the givens and
// the `blanks`. Writes run.Clues.Allocated and DepthIsMax; returns the total (0 when none,
// every count then 0).
int AllocateClueCounts(Random15 &random, const GridGeometry &geo, VariantWords gridWords, GenerationRun &run,
                       int depthIsMax, int budget, int blanks);

} // namespace quorbel
