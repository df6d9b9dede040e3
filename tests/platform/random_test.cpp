#include <gtest/gtest.h>

#include "platform/random.h"

using namespace quorbel;

TEST(Random15, SeedOneGivesTheClassicSequence) {
  Random15 r(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169};
  for (int e : expected)
    EXPECT_EQ(r.Next(), e);
}

TEST(Random15, ReseedingRepeatsTheSequence) {
  Random15 a(12345), b(0);
  b.Seed(12345);
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(a.Next(), b.Next());
}

TEST(RandomBelow, StaysInRangeAndReachesBothEnds) {
  Random15 random(7);
  bool sawZero = false, sawTop = false;
  for (int i = 0; i < 20000; ++i) {
    const int v = RandomBelow(random, 9);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 8);
    sawZero |= v == 0;
    sawTop |= v == 8;
  }
  EXPECT_TRUE(sawZero);
  EXPECT_TRUE(sawTop);
}

TEST(RandomBelow, OneIsAlwaysZeroAndZeroIsMinusOne) {
  Random15 random(3);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_EQ(RandomBelow(random, 1), 0);
    EXPECT_EQ(RandomBelow(random, 0), -1);
  }
}
