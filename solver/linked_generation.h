// A set of 2 to 12 grids bound by the Twins rules, made together: the links between the
// grids, the fill order, the values each grid takes from the grids filled before it, the
// carving of each, the sums grid of Twins Total, and a count of the whole set.
#pragma once

#include <array>

#include "engine/grid_set.h"
#include "engine/variant_bits.h"

namespace quorbel {

struct EngineContext;
struct GenerationRun;

using GridWords = std::array<VariantWords, kMaxGrids>;

// The order the grids are filled in: by decreasing weight (the earlier grid first among
// equals), each grid starting at count - k and gaining `width` per Twins Zone link of its own
// and per hard rule it holds. A grid that copies its linked grid (Equal, Substitution) waits
// until that grid is filled, unless every grid left waits (a ring of links).
std::array<int, kMaxGrids> LinkedFillOrder(const GridSet &set, int count, int width);

// The Twins Zone links of one attempt: about (VARDEPTH / 30 + 1 or 2) x count / 4 block pairs
// between random grids, each block linked once at most.
void DrawTwinsZoneLinks(EngineContext &ctx, int count, int varDepth, int level);

// Makes the run's run.GridCount grids, grid k with words[k], on the grids of ctx (already
// reset to that count and shaped). Returns the last count of the set's solutions: 1 unique,
// 2 several, -9 timed out; 0 when no attempt made a whole set; -10 when cancelled.
int GenerateLinkedSet(EngineContext &ctx, GenerationRun &run, const GridWords &words);

} // namespace quorbel
