// The Burma method, a fish search: when the places of a value in n base units of one
// kind (rows, columns or blocks) all lie in n cover units of another kind, those cover
// units take the value inside the base units only, so it leaves their other cells.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;

// sizes: bit k enables base sets of k + 1 units (the MethodMask's Burma sizes, see
// BurmaSizesOfMask); sets of one unit are never patterns. Every value is studied.
// Returns 1 when a candidate was removed, else 0; the player's abort stops the search
// and keeps what was removed.
int ApplyBurma(EngineContext &ctx, GridRecord &grid, int sizes);

} // namespace quorbel
