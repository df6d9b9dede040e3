#include <gtest/gtest.h>

#include "engine/variant_lists.h"

using namespace quorbel;

TEST(FixedList, AnAppendToAFullListIsRefused) {
  FixedList<ArrowClue, 3> arrows;
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(arrows.Append({static_cast<int16_t>(i + 1)}));
  const auto before = arrows;
  EXPECT_FALSE(arrows.Append({9}));
  EXPECT_TRUE(arrows == before);
  EXPECT_TRUE(arrows.Full());
}

TEST(FixedList, RemovingMovesLaterItemsDown) {
  FixedList<NavigatorArrow, 160> arrows;
  for (int i = 0; i < 4; ++i)
    arrows.Append({static_cast<CellRef>(i * 10), static_cast<int16_t>(i)});
  arrows.RemoveAt(1);
  ASSERT_EQ(arrows.Size(), 3);
  EXPECT_EQ(arrows.Used()[0].Cell, 0);
  EXPECT_EQ(arrows.Used()[1].Cell, 20);
  EXPECT_EQ(arrows.Used()[2].Cell, 30);
  EXPECT_EQ(arrows.Items[3], NavigatorArrow{});
  arrows.RemoveAt(7); // nothing there
  EXPECT_EQ(arrows.Size(), 3);
}

TEST(FixedList, AHostileCountNeverReachesPastTheArray) {
  FixedList<OddEvenMark, 80> marks;
  marks.Count = 5000;
  EXPECT_EQ(marks.Used().size(), 80u);
  marks.Count = -7;
  EXPECT_TRUE(marks.Used().empty());
  EXPECT_TRUE(marks.Append({4, 1}));
  EXPECT_EQ(marks.Count, 1);
}
