#include "engine/comparison_editors.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape9 = 5;

class ComparisonEditors : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  GridRecord &solution = s.Ctx.Grids.RefTab[0];
  const GridGeometry &geo = s.Ctx.Geo;
};

TEST_F(ComparisonEditors, AMarkGivenTwiceGoesAndAnotherKindTakesItsPlace) {
  const VariantLists before = grid.Lists;
  EXPECT_EQ(ToggleComparisonMark(geo, 0, grid, 1, 8), 1);
  EXPECT_EQ(ToggleComparisonMark(geo, 1, grid, 0, 8), 0);
  EXPECT_TRUE(grid.Lists == before);
  ToggleComparisonMark(geo, 0, grid, 1, 8);
  ToggleComparisonMark(geo, 9, grid, 10, 2);
  EXPECT_EQ(ToggleComparisonMark(geo, 1, grid, 0, 4), 1); // changed where it stood
  EXPECT_EQ(grid.Lists.Comparisons.Size(), 2);
  EXPECT_EQ(grid.Lists.Comparisons.Items[0].Kind, 4);
  EXPECT_EQ(GetComparisonType(grid, 1, 0), 4);
  EXPECT_EQ(FindComparison(grid, 0, 1), 0);
  EXPECT_EQ(FindComparisonItem(grid, 0, 1), -1); // no longer a greater-or-less mark
}

TEST_F(ComparisonEditors, ADistanceEnteredRightToLeftIsStoredForward) {
  solution.Cells[2].Value = 7;
  solution.Cells[6].Value = 3;
  EXPECT_EQ(ToggleDistanceClue(geo, 6, 2, grid, 1, solution), 1);
  const DistanceClue &clue = grid.Lists.Distance.Items[0];
  EXPECT_EQ(clue.ValueA, 7);
  EXPECT_EQ(clue.ValueB, 3);
  EXPECT_EQ(clue.Distance, 4);
  EXPECT_TRUE(IsLineClueListed(geo, 5, grid, 1));
  EXPECT_FALSE(IsLineClueListed(geo, 5, grid, 0));
  EXPECT_EQ(ToggleDistanceClue(geo, 0, 8, grid, 1, solution), 0); // the row's clue goes
  EXPECT_EQ(grid.Lists.Distance.Size(), 0);
}

TEST_F(ComparisonEditors, AnOddPairSharingOneCellGivesWay) {
  ToggleOddPairMark(geo, grid, 0, 1, 1);
  EXPECT_EQ(ToggleOddPairMark(geo, grid, 1, 0, 0), 1); // the same pair, another kind
  EXPECT_EQ(grid.Lists.OddPairs.Items[0].Kind, 0);
  EXPECT_EQ(ToggleOddPairMark(geo, grid, 1, 2, 1), 1);
  ASSERT_EQ(grid.Lists.OddPairs.Size(), 1);
  EXPECT_EQ(grid.Lists.OddPairs.Items[0].CellA, 1);
}

TEST_F(ComparisonEditors, QuadIndicationsAddMoveAndFallBack) {
  const std::array<int, 4> cells = {0, 1, 9, 10};
  EXPECT_EQ(ToggleQuadClue(geo, cells, grid, 0, 0), 1); // max on 0
  EXPECT_EQ(QuadMaxState(grid, 0), 1);                  // its minimum is still open
  EXPECT_EQ(ToggleQuadClue(geo, cells, grid, 9, 1), 1); // min on 9: both
  EXPECT_EQ(grid.Lists.Quads.Items[0].Kind, 2);
  EXPECT_EQ(QuadMaxState(grid, 0), -1);
  EXPECT_EQ(ToggleQuadClue(geo, cells, grid, 0, 0), 0); // max asked again: only the min stays
  EXPECT_EQ(grid.Lists.Quads.Items[0].Kind, 1);
  EXPECT_EQ(ToggleQuadClue(geo, cells, grid, 9, 0), 1); // the other mode on 9 moves it
  EXPECT_EQ(grid.Lists.Quads.Items[0].Kind, 0);
  EXPECT_EQ(grid.Lists.Quads.Items[0].MaxCell, 9);
  EXPECT_EQ(ToggleQuadClue(geo, cells, grid, 9, 0), 0); // its only indication: the clue goes
  EXPECT_EQ(grid.Lists.Quads.Size(), 0);
  EXPECT_EQ(QuadMaxState(grid, 0), 2);
}

TEST_F(ComparisonEditors, AFullListRefusesAndAnOddEvenMarkFollowsItsCell) {
  for (int c = 0; c < 80; ++c)
    ASSERT_EQ(ToggleOddEvenCell(geo, grid, c, c % 2), 1);
  EXPECT_EQ(ToggleOddEvenCell(geo, grid, 80, 1), 0);
  EXPECT_EQ(grid.Cells[80].OddEven, -1);
  EXPECT_EQ(ToggleOddEvenCell(geo, grid, 3, 0), 1); // the other parity
  EXPECT_EQ(grid.Cells[3].OddEven, 0);
  EXPECT_EQ(ToggleOddEvenCell(geo, grid, 3, 0), 0);
  EXPECT_EQ(grid.Cells[3].OddEven, -1);
}

} // namespace
