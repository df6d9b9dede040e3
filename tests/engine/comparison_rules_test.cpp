#include "engine/comparison_rules.h"

#include <gtest/gtest.h>

#include "engine/propagate.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape9 = 5;

class ComparisonRules9 : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  void Clear(int cell) { SetCellValue(s.Ctx, grid, cell, 0, kActionClear); }
  void Run() { Propagate(s.Ctx, grid, kFilterAlways, 0); }
  uint32_t Poss(int cell) const { return grid.Cells[cell].ThePoss; }
  int Mark(int a, int b, int kind, VariantWords rule) {
    grid.Lists.Comparisons.Append(
        {static_cast<CellRef>(a), static_cast<CellRef>(b), static_cast<int16_t>(kind)});
    grid.GridVar |= rule;
    return grid.Lists.Comparisons.Size() - 1;
  }
};

TEST_F(ComparisonRules9, MarksJudgePlacedPairsByTheirKind) {
  const int v = Mark(0, 1, 3, kVarXV);
  const int ratio = Mark(9, 10, 5, kVarDot);
  Place(0, 1);
  Place(1, 4);
  Place(9, 6);
  Place(10, 3);
  Run();
  EXPECT_EQ(grid.Work.ComparisonConflict[v], 0);
  EXPECT_EQ(grid.Work.ComparisonConflict[ratio], 0);
  Clear(0);
  Place(0, 2);
  Clear(10);
  Place(10, 5);
  Run();
  EXPECT_EQ(grid.Work.ComparisonConflict[v], 1);
  EXPECT_EQ(grid.Work.ComparisonConflict[ratio], 1);
  EXPECT_EQ(grid.State, kGridContradiction);
}

TEST_F(ComparisonRules9, MarksNarrowBothCells) {
  Mark(0, 1, 2, kVarXV);    // X: a sum of 10
  Mark(9, 10, 8, kVarLess); // 9 > 10
  Mark(18, 19, 4, kVarDot); // consecutive
  Place(19, 5);
  Place(1, 3);
  Run();
  EXPECT_EQ(Poss(0), MaskOf({7}));
  EXPECT_EQ(Poss(9) & MaskOf({1}), 0u);
  EXPECT_EQ(Poss(10) & MaskOf({9}), 0u);
  EXPECT_EQ(Poss(18), MaskOf({4, 6}));
}

TEST_F(ComparisonRules9, AllIndicatedForbidsTheUnmarkedSumsOnceASignStands) {
  grid.GridVar |= kVarXV | kVarAllIndicated;
  Place(40, 3);
  Run();
  EXPECT_NE(Poss(41) & MaskOf({2, 7}), 0u); // no sign yet: nothing is indicated
  Mark(0, 1, 2, kVarXV);
  Run();
  EXPECT_EQ(Poss(41) & MaskOf({2, 7}), 0u); // 3 + 2 and 3 + 7 would need a V or an X
  EXPECT_NE(Poss(41) & MaskOf({1, 4}), 0u);
}

TEST_F(ComparisonRules9, ADifferenceOfNSettlesOrStopsWithinItsRounds) {
  grid.Lists.ComparisonTotal = 8;
  Mark(0, 1, 7, kVarDot);
  Mark(1, 2, 7, kVarDot);
  Run();
  for (int c : {0, 1, 2})
    EXPECT_EQ(Poss(c), MaskOf({1, 9})) << c;
  // An N no two values reach empties the pair instead of going round for ever.
  grid.Lists.ComparisonTotal = 9;
  Run();
  EXPECT_EQ(grid.State, kGridContradiction);
}

TEST_F(ComparisonRules9, AnXCellWaitsForTheSharedParity) {
  grid.GridVar |= kVarOdd;
  grid.Cells[0].OddEven = 10;
  grid.Cells[1].OddEven = 10;
  Place(40, 3); // an unmarked cell tells nothing
  Run();
  EXPECT_EQ(s.Ctx.XParity, kXParityUnknown);
  EXPECT_NE(Poss(0) & MaskOf({2, 4}), 0u);
  EXPECT_NE(Poss(0) & MaskOf({1, 5}), 0u);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConsistent);
  Place(0, 4); // even: every X cell is even now
  Run();
  EXPECT_EQ(s.Ctx.XParity, 0);
  EXPECT_EQ(Poss(1) & MaskOf({1, 3, 5, 7, 9}), 0u);
  Place(1, 3);
  Run();
  EXPECT_EQ(grid.Cells[1].Check, kCheckConflict);
}

TEST_F(ComparisonRules9, ADistanceWithOnePlaceLeftFixesBothValues) {
  grid.GridVar |= kVarDistance;
  grid.Lists.Distance.Append({2, 7, 8, 1, 0}); // row 0: 7 stands 8 cells after 2
  Run();
  EXPECT_EQ(Poss(0), MaskOf({2}));
  EXPECT_EQ(Poss(8), MaskOf({7}));
  Place(3, 2);
  Run();
  EXPECT_EQ(grid.Work.DistanceConflict[0], 0); // 7 not placed yet
}

TEST_F(ComparisonRules9, OddPairsKeepTheParityOfTheirSum) {
  grid.GridVar |= kVarOddPair;
  grid.Lists.OddPairs.Append({0, 1, 1}); // odd sum
  Place(0, 4);
  Run();
  EXPECT_EQ(Poss(1) & MaskOf({2, 4, 6, 8}), 0u);
  Place(1, 6);
  Run();
  EXPECT_EQ(grid.Work.OddPairConflict[0], 1);
}

TEST_F(ComparisonRules9, AQuadMaxAcrossBlocksNeedsOnlyTheSecondLowest) {
  // Cells 2, 3, 11, 12: 2 and 12 diagonal, in blocks 0 and 1.
  grid.GridVar |= kVarQuadMax;
  QuadClue quad;
  quad.Cells = {2, 3, 11, 12};
  quad.Kind = 0;
  quad.MaxCell = 2;
  grid.Lists.Quads.Append(quad);
  for (int c : {3, 11, 12})
    MakeOpenCell(geo, grid.Cells[c], {1, 2, 3});
  grid.Cells[2].ThePoss = geo.FullMask;
  grid.Cells[2].Status = kStatusEmpty;
  FilterQuad(geo, grid, 0);
  EXPECT_EQ(Poss(2), MaskOf({3, 4, 5, 6, 7, 8, 9}));
  Place(3, 9);
  Place(2, 5);
  Run();
  EXPECT_EQ(grid.Work.QuadMaxConflict[0], 1);
}

// The filter keeps the other cells strictly below the largest, so a tie is no solution either.
TEST_F(ComparisonRules9, AQuadMaxTiedByItsDiagonalPartnerIsAConflict) {
  grid.GridVar |= kVarQuadMax;
  QuadClue quad;
  quad.Cells = {2, 3, 11, 12}; // 2 and 12 diagonal, in blocks 0 and 1
  quad.Kind = 2;
  quad.MaxCell = 2;
  quad.MinCell = 3;
  grid.Lists.Quads.Append(quad);
  Place(2, 5);
  Place(3, 1);
  Place(11, 3);
  Place(12, 4);
  Run();
  EXPECT_EQ(grid.Work.QuadMaxConflict[0], 0);
  Clear(12);
  Clear(11);
  Place(12, 5);
  Place(11, 1);
  Run();
  EXPECT_EQ(grid.Work.QuadMaxConflict[0], 1);
  EXPECT_EQ(grid.Work.QuadMinConflict[0], 1);
}

} // namespace
