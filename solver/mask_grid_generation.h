// A puzzle whose givens follow the pattern of a mask grid: random solutions are laid under
// the mask until one leaves a unique puzzle.
#pragma once

#include <cstdint>

namespace quorbel {

struct EngineContext;

// EXPERT/DISPMASKTAB, NMASKTAB and DONCELLMASKTAB.
struct MaskGridSettings {
  int32_t RepaintEachTry = 0; // DISPMASKTAB
  int32_t Tries = 1000;       // NMASKTAB, 1..100000
  int32_t AdaptSeedCount = 1; // DONCELLMASKTAB: fewer seeds after a failure, more after a time-out
};

// The mask grid is the spare reference slot after the twelve reference grids; its variant
// words become those of main grid `slot` and the current words. Each try makes a random
// solution in the grid; the cells where the mask holds a value keep theirs as givens, the
// others are emptied, and the reference grid holds the whole solution. Returns 1 when the
// last try left a unique puzzle, 0 when none did (or there is no mask grid of the current
// shape), -10 when cancelled.
int GenerateFromMaskGrid(EngineContext &ctx, int slot, const MaskGridSettings &settings);

} // namespace quorbel
