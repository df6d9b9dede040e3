// Lookups of the grid set that the records and geometry need.
#include "engine/grid_set.h"

#include <algorithm>

namespace quorbel {

int MainGridSlot(const GridSet &set, const GridRecord &grid) {
  const int used = std::clamp<int>(set.MainCount, 0, kMaxGrids);
  for (int slot = 0; slot < used; ++slot)
    if (&set.Main[slot] == &grid)
      return slot;
  return -1;
}

} // namespace quorbel
