// The mask edits of the methods panel's check boxes.
#include "solver/method_mask.h"

namespace quorbel {

namespace {

MethodMask FollowSizes(MethodMask mask, MethodMask sizes, MethodMask method) {
  return (mask & sizes) != 0 ? mask | method : mask & ~method;
}

} // namespace

MethodMask ToggleMethodBit(MethodMask mask, MethodMask bit) {
  mask ^= bit;
  if ((bit & kMaskGroupSizes) != 0)
    mask = FollowSizes(mask, kMaskGroupSizes, kMaskGroup);
  if ((bit & kMaskBurmaSizes) != 0)
    mask = FollowSizes(mask, kMaskBurmaSizes, kMaskBurma);
  return mask;
}

MethodMask EnabledSizeBits(int width) {
  MethodMask bits = 0;
  for (int size = kMinSubsetSize; size <= kMaxSubsetSizeBit; ++size) {
    if (size <= width - 2)
      bits |= GroupSizeBit(size);
    if (size <= width - 1)
      bits |= BurmaSizeBit(size);
  }
  return bits;
}

} // namespace quorbel
