// The challenge strip's boxes: one a player and one for all, within half the strip, and the
// box found under a point.
#include "view/defi_strip.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(DefiStrip, BoxesThenTheChatAndTheirHits) {
  const DefiStripLayout strip = LayOutDefiStrip({0, 600, 800, 640}, 3);
  ASSERT_EQ(strip.Boxes.size(), 4u);
  EXPECT_LE(strip.Boxes.back().right, 400);
  EXPECT_GT(strip.ChatEdit.left, strip.Boxes.back().right);
  EXPECT_EQ(HitTestPlayerBox(strip, strip.Boxes[1].left + 1, 620), 1);
  EXPECT_EQ(HitTestPlayerBox(strip, strip.Boxes[3].left + 1, 620), 3); // the "all" box
  EXPECT_EQ(HitTestPlayerBox(strip, strip.ChatEdit.left + 1, 620), -1);
  EXPECT_TRUE(LayOutDefiStrip({}, 3).Boxes.empty());
}

} // namespace
} // namespace quorbel
