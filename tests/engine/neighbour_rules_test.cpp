#include "engine/neighbour_rules.h"

#include <gtest/gtest.h>

#include "engine/propagate.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

class NeighbourRules : public ::testing::Test {
protected:
  explicit NeighbourRules(int shape = 5) : s(shape) {}
  ShapedContext s;
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  void Run(VariantWords rule) {
    grid.GridVar = rule;
    Propagate(s.Ctx, grid, kFilterAlways, 0);
  }
  uint32_t Poss(int cell) const { return grid.Cells[cell].ThePoss; }
  bool Marked(int cell) const { return grid.Cells[cell].Check == kCheckConflict; }
};

TEST_F(NeighbourRules, NoConsecutiveKeepsNeighboursApart) {
  Run(kVarNoConsecutive);
  MakeOpenCell(geo, grid.Cells[0], {3, 4, 5});
  MakeOpenCell(geo, grid.Cells[1], {3, 5});
  FilterNoConsecutive(geo, grid);
  EXPECT_EQ(Poss(0), MaskOf({3, 5}));
  Place(40, 6);
  Run(kVarNoConsecutive);
  EXPECT_EQ(Poss(41) & MaskOf({5, 6, 7}), 0u);
  Place(41, 7);
  Run(kVarNoConsecutive);
  EXPECT_TRUE(Marked(40) && Marked(41));
}

TEST_F(NeighbourRules, NoTouchAndNoKnightStepKeepEqualValuesApart) {
  Place(0, 4);
  Run(kVarNoTouch);
  EXPECT_EQ(Poss(10) & MaskOf({4}), 0u);
  Place(11, 7);
  Place(21, 7); // diagonal to 11, not a knight's move
  Run(kVarNoKnightStep);
  EXPECT_FALSE(Marked(11));
  Place(28, 7); // 11 and 28: two rows down, one column right
  Run(kVarNoKnightStep);
  EXPECT_TRUE(Marked(11) && Marked(28));
}

TEST_F(NeighbourRules, TouchyNeedsAConsecutiveNeighbour) {
  Place(40, 5);
  for (int n : {31, 39, 41})
    Place(n, n == 31 ? 1 : n == 39 ? 2 : 8);
  Run(kVarTouchy);
  EXPECT_EQ(Poss(49), MaskOf({4, 6})); // the last neighbour must touch 5
  Place(49, 9);
  Run(kVarTouchy);
  EXPECT_TRUE(Marked(40) && Marked(49));
}

TEST_F(NeighbourRules, ThreeInALineAndAveragesAreRefused) {
  Place(0, 1);
  Place(1, 3);
  Run(kVarNo3OddEven);
  EXPECT_EQ(Poss(2) & MaskOf({5, 7, 9}), 0u);
  Run(kVarNoAverage);
  EXPECT_EQ(Poss(2) & MaskOf({5}), 0u); // 1, 3, 5
  Place(2, 5);
  Run(kVarNoAverage);
  EXPECT_TRUE(Marked(0) && Marked(1) && Marked(2));
}

class NeighbourRules16 : public NeighbourRules {
protected:
  NeighbourRules16() : NeighbourRules(8) {}
};

TEST_F(NeighbourRules16, GiveMe5RefusesSumsAndDifferencesOfFive) {
  Place(0, 12);
  Place(17, 1);
  Run(kVarGiveMe5);
  EXPECT_EQ(Poss(1) & MaskOf({7}), 0u);
  EXPECT_EQ(Poss(18) & MaskOf({4, 6}), 0u);
  EXPECT_NE(Poss(18) & MaskOf({5}), 0u);
}

TEST_F(NeighbourRules, PirateKeepsTheTreasureAmongPirates) {
  Place(40, 5);
  Run(kVarPirate);
  for (int n : {31, 39, 41, 49})
    EXPECT_EQ(Poss(n) & ~MaskOf({1, 2, 3, 4}), 0u) << n;
  Place(41, 7);
  Run(kVarPirate);
  EXPECT_TRUE(Marked(40) && Marked(41));
  EXPECT_EQ(grid.Work.PirateConflict, 1);
  Place(41, 3);
  Run(kVarPirate);
  EXPECT_EQ(grid.Work.PirateConflict, 0) << "the flag goes with its cause";
}

class NeighbourRules8 : public NeighbourRules {
protected:
  NeighbourRules8() : NeighbourRules(4) {}
};

TEST_F(NeighbourRules8, PirateDoesNothingOffNineByNine) {
  Place(9, 5);
  Place(10, 7);
  Run(kVarPirate);
  EXPECT_FALSE(Marked(9));
  EXPECT_EQ(FilterPirate(geo, grid), 0);
}

} // namespace
