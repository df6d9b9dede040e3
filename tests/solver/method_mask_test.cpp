// The MethodMask values and the methods panel's edits of them.
#include <gtest/gtest.h>

#include "solver/method_group.h"
#include "solver/method_mask.h"

namespace quorbel {
namespace {

TEST(MethodMask, ThePanelDefaultLeavesOutTheStrongMethodsAndRandom) {
  EXPECT_EQ(kMaskPanelDefault, 4093u);
  constexpr MethodMask kExpected =
      kMaskLinColBlk | kMaskProbables | kMaskVariant | kMaskSingle | kMaskGroup | kMaskGroupSizes;
  EXPECT_EQ(kMaskPanelDefault, kExpected);
  EXPECT_EQ(kMaskAllButRandom, kMaskAllMethods & ~kMaskRandom);
}

TEST(MethodMask, SizeBitsLieWhereThePanelPutsThem) {
  EXPECT_EQ(GroupSizeBit(2), 0x40u);
  EXPECT_EQ(GroupSizeBit(7), 0x800u);
  EXPECT_EQ(BurmaSizeBit(2), 0x2000u);
  EXPECT_EQ(BurmaSizeBit(7), 0x40000u);
  EXPECT_EQ(GroupSizeBit(8), 0u);
  EXPECT_EQ(BurmaSizesOfMask(BurmaSizeBit(2) | BurmaSizeBit(7)), 0x2 | 0x40);
}

TEST(MethodMask, TheVariantAndProbablesBitsGiveTheCallersModes) {
  EXPECT_EQ(MaskFilterMode(kMaskVariant), 2);
  EXPECT_EQ(MaskFilterMode(kMaskProbables), 0);
  EXPECT_EQ(MaskProbableMode(kMaskProbables), 1);
  EXPECT_EQ(MaskProbableMode(kMaskVariant), 0);
}

TEST(ToggleMethodBit, GroupFollowsItsSizes) {
  MethodMask mask = ToggleMethodBit(0, GroupSizeBit(3));
  EXPECT_EQ(mask, GroupSizeBit(3) | kMaskGroup);
  mask = ToggleMethodBit(mask, GroupSizeBit(5));
  mask = ToggleMethodBit(mask, GroupSizeBit(3));
  EXPECT_NE(mask & kMaskGroup, 0u);
  mask = ToggleMethodBit(mask, GroupSizeBit(5));
  EXPECT_EQ(mask, 0u);
}

TEST(ToggleMethodBit, BurmaFollowsItsSizesAndOtherBoxesOnlyFlip) {
  EXPECT_EQ(ToggleMethodBit(kMaskLinColBlk, BurmaSizeBit(4)), kMaskLinColBlk | kMaskBurma | BurmaSizeBit(4));
  EXPECT_EQ(ToggleMethodBit(kMaskBurma | BurmaSizeBit(4), BurmaSizeBit(4)), 0u);
  EXPECT_EQ(ToggleMethodBit(kMaskGroup | GroupSizeBit(2), kMaskGroup), GroupSizeBit(2));
}

TEST(EnabledSizeBits, SmallGridsOfferOnlyTheSizesThatFit) {
  EXPECT_EQ(EnabledSizeBits(4), GroupSizeBit(2) | BurmaSizeBit(2) | BurmaSizeBit(3));
  MethodMask eight = 0;
  for (int size = 2; size <= 6; ++size)
    eight |= GroupSizeBit(size);
  EXPECT_EQ(EnabledSizeBits(8), eight | kMaskBurmaSizes);
  EXPECT_EQ(EnabledSizeBits(9), kMaskGroupSizes | kMaskBurmaSizes);
  EXPECT_EQ(EnabledSizeBits(16), kMaskGroupSizes | kMaskBurmaSizes);
}

TEST(GroupSizes, SizesAboveSevenAreOnExactlyWhenSevenIs) {
  const GroupSearch withSeven = MakeGroupSearch(kMaskGroup | GroupSizeBit(2) | GroupSizeBit(7), 16);
  EXPECT_EQ(withSeven.SizeFlags[0], 0);
  EXPECT_EQ(withSeven.SizeFlags[1], 1);
  EXPECT_EQ(withSeven.SizeFlags[2], 0);
  for (int n = 6; n < 16; ++n)
    EXPECT_EQ(withSeven.SizeFlags[n], 1) << n;
  EXPECT_EQ(withSeven.DepthLimit, 15);

  const GroupSearch withoutSeven = MakeGroupSearch(kMaskGroup | GroupSizeBit(2) | GroupSizeBit(6), 16);
  for (int n = 6; n < 16; ++n)
    EXPECT_EQ(withoutSeven.SizeFlags[n], 0) << n;
  EXPECT_EQ(withoutSeven.DepthLimit, 5);
}

} // namespace
} // namespace quorbel
