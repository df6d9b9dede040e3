// The marks that explain a placement to the player: mark 7 on the cell found, mark 1 on
// the cells and units that justify it. The painter shows them until the next command
// clears them.
#pragma once

#include <cstdint>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

constexpr int8_t kMarkExplains = 1;
constexpr int8_t kMarkFound = 7;

// A cell whose units left it one candidate: the fewest of its units that rule out every
// other value (largest overlap first), and in them one cell per value that does it.
void ExplainLinColBlk(const GridGeometry &geo, GridRecord &grid, int cell);

} // namespace quorbel
