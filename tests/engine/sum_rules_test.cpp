#include <gtest/gtest.h>

#include <random>

#include "engine/combo_search.h"
#include "engine/geometry.h"
#include "engine/propagate.h"
#include "engine/sum_rules.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr int kShape9 = 5;

// The same question answered by visiting every combination.
std::array<uint32_t, ComboSearch::kMaxPositions> EveryCombination(const ComboSearch &s) {
  std::array<uint32_t, ComboSearch::kMaxPositions> allowed{};
  std::array<int, ComboSearch::kMaxPositions> values{};
  auto visit = [&](auto &&self, int depth) -> void {
    if (depth == s.GroupSize) {
      int64_t total = s.Product == 1 ? 1 : 0;
      for (int k = 0; k < depth; ++k)
        total = s.Product == 1 ? total * values[k] : total + values[k];
      if (s.ModOn == 1)
        total %= s.Modulus;
      if (total != s.Target)
        return;
      for (int k = 1; k < depth; ++k)
        if (s.ChainDistinct == 1 && values[k] == values[k - 1])
          return;
      for (int p = 0; p < s.NPairs; ++p)
        if (values[s.Pairs[p][0]] == values[s.Pairs[p][1]])
          return;
      for (int k = 0; k < depth; ++k)
        allowed[k] |= ValueBit(values[k]);
      return;
    }
    for (int v = 1; v <= 16; ++v)
      if ((s.Candidates[depth] & ValueBit(v)) != 0) {
        values[depth] = v;
        self(self, depth + 1);
      }
  };
  visit(visit, 0);
  return allowed;
}

TEST(ComboSearch, SkipsNothingThatAFullVisitWouldAccept) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    ComboSearch s;
    s.GroupSize = 1 + static_cast<int>(random() % 7);
    for (int k = 0; k < s.GroupSize; ++k)
      s.Candidates[k] = random() & 0x1FF;
    s.Product = round % 3 == 0 ? 1 : 0;
    s.ModOn = round % 4 == 1 ? 1 : 0;
    s.Modulus = 7;
    s.ChainDistinct = round % 5 == 2 ? 1 : 0;
    for (int k = 1; k < s.GroupSize; ++k)
      if (random() % 2 == 0)
        s.AddPair(static_cast<int>(random() % k), k);
    s.Target = s.ModOn == 1 ? random() % 7 : s.Product == 1 ? 1 + random() % 300 : random() % 40;
    const auto expected = EveryCombination(s);
    EnumerateCombinations(s);
    for (int k = 0; k < s.GroupSize; ++k)
      ASSERT_EQ(s.Allowed[k], expected[k]) << "round " << round << " position " << k;
  }
}

TEST(ComboSearch, AProductBeyondThirtyTwoBitsNeverWrapsOntoTheTarget) {
  // Sixteen 16s multiply to 2^64: a product kept in 32 or 64 bits would wrap to 0.
  ComboSearch s;
  s.GroupSize = 16;
  s.Candidates.fill(ValueBit(16));
  s.Product = 1;
  s.Target = 0;
  EnumerateCombinations(s);
  EXPECT_EQ(s.Allowed[0], 0u);
}

class SumRules9 : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  void Fix(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlaceFixed); }
  void Cage(std::initializer_list<int> cells, int target, int product = 0) {
    KillerCage cage;
    for (int c : cells)
      cage.Cells[cage.NCells++] = static_cast<CellRef>(c);
    cage.Target = target;
    cage.IsProduct = static_cast<int16_t>(product);
    grid.Lists.Killer.Append(cage);
    grid.GridVar |= kVarKillerSum;
  }
  void Run() { Propagate(s.Ctx, grid, kFilterAlways, 0); }
  uint32_t Poss(int cell) const { return grid.Cells[cell].ThePoss; }
};

TEST_F(SumRules9, ACageWithAnOpenCellIsNeverAConflict) {
  Cage({0, 1, 2}, 24);
  Place(0, 9);
  Place(1, 8);
  Run();
  EXPECT_EQ(grid.Work.KillerConflict[0], 0);
  EXPECT_NE(grid.State, kGridContradiction);
  EXPECT_EQ(Poss(2), MaskOf({7}));
  Place(2, 6);
  Run();
  EXPECT_EQ(grid.Work.KillerConflict[0], 1);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConflict);
  EXPECT_EQ(grid.State, kGridContradiction);
}

TEST_F(SumRules9, AFixedCellOfAWrongCageIsNotMarked) {
  Cage({0, 1}, 5);
  Fix(0, 1);
  Place(1, 2);
  Run();
  EXPECT_EQ(grid.Work.KillerConflict[0], 1);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConsistent);
  EXPECT_EQ(grid.Cells[1].Check, kCheckConflict);
}

TEST_F(SumRules9, KimoComparesTotalsModuloItsNumber) {
  Cage({0, 1, 2}, 3);
  grid.GridVar |= kVarKimo;
  grid.Lists.KimoModulus = 10;
  Place(0, 9);
  Place(1, 8);
  Place(2, 6); // 23
  Run();
  EXPECT_EQ(grid.Work.KillerConflict[0], 0);
  // A modulus below 2 divides nothing: Kimo is off and the plain total counts.
  grid.Lists.KimoModulus = 1;
  Run();
  EXPECT_EQ(grid.Work.KillerConflict[0], 1);
}

TEST_F(SumRules9, ACageNarrowsItsCellsToTheValuesOfItsSums) {
  Cage({0, 1}, 3);     // 1 + 2
  Cage({9, 10}, 6, 1); // 1 x 6 or 2 x 3
  Run();
  EXPECT_EQ(Poss(0), MaskOf({1, 2}));
  EXPECT_EQ(Poss(1), MaskOf({1, 2}));
  EXPECT_EQ(Poss(9), MaskOf({1, 2, 3, 6}));
}

TEST_F(SumRules9, ACageBeyondTheSearchLimitIsLeftAlone) {
  // Five cells of nine candidates each (45) and the limit is 40.
  Cage({0, 1, 2, 9, 10}, 12);
  Run();
  EXPECT_EQ(Poss(0), geo.FullMask);
  // Four cells (36) are searched: 12 in four different values goes up to 6.
  grid.Lists.Killer.Items[0].NCells = 4;
  Run();
  EXPECT_EQ(Poss(0), MaskOf({1, 2, 3, 4, 5, 6}));
}

TEST_F(SumRules9, TheZeroFlagKeepsSuccessiveCellsApartEvenAcrossUnits) {
  Cage({0, 40}, 4); // no unit in common: 2 + 2 would do
  Run();
  EXPECT_EQ(Poss(0), MaskOf({1, 2, 3}));
  grid.Lists.ZeroFlag = 1;
  Run();
  EXPECT_EQ(Poss(0), MaskOf({1, 3}));
}

TEST_F(SumRules9, ASixteenCellLineOrAnOutOfGridCellIsHandledSafely) {
  LittleKillerClue clue;
  clue.NCells = 16; // more cells than a 9 x 9 diagonal: read from a hostile file
  for (int k = 0; k < 16; ++k)
    clue.Cells[k] = static_cast<CellRef>(k * 10 % geo.NCells);
  clue.Target = 60;
  grid.Lists.LittleKiller.Append(clue);
  grid.GridVar |= kVarLittleKiller;
  Run(); // within the limit of 20 only once narrowed: here it is left alone
  clue.Cells[3] = 500;
  grid.Lists.LittleKiller.Append(clue);
  Run();
  EXPECT_EQ(grid.Work.LittleKillerConflict[1], 0);
}

TEST_F(SumRules9, AnArrowsCircleKeepsTheSumsItsShaftCanReach) {
  ArrowClue arrow;
  arrow.NCells = 3;
  arrow.Cells = {0, 1, 2};
  grid.Lists.Arrows.Append(arrow);
  grid.GridVar |= kVarArrow;
  Run();
  EXPECT_EQ(Poss(0), MaskOf({3, 4, 5, 6, 7, 8, 9})); // 1 + 2 at the least
  Place(1, 2);
  Place(2, 5);
  Place(0, 8);
  Run();
  EXPECT_EQ(grid.Work.ArrowConflict[0], 1);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConsistent); // the circle is not marked
  EXPECT_EQ(grid.Cells[1].Check, kCheckConflict);
}

TEST_F(SumRules9, CreasingLinesFollowTheirKind) {
  CreasingLine line;
  line.NCells = 3;
  line.Cells = {0, 1, 2};
  grid.GridVar |= kVarCreasingLines;
  grid.Lists.Creasing.Append(line); // monotone
  Place(1, 1);
  Run();
  // With 1 in the middle nothing lies below it: no direction fits.
  EXPECT_EQ(grid.Work.CreasingDirection[0], -2);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConflict);

  grid.Lists.Creasing.Items[0].Kind = 2; // consecutive
  Run();
  EXPECT_EQ(Poss(0), MaskOf({2}));
  EXPECT_EQ(Poss(2), MaskOf({2}));

  grid.Lists.Creasing.Items[0].Kind = 1; // alternating
  Place(0, 5);
  Place(2, 5);
  Run();
  EXPECT_EQ(grid.Work.CreasingConflict[0], 0);
  SetCellValue(s.Ctx, grid, 2, 0, kActionClear);
  Place(1, 6);
  Place(2, 7); // 5 < 6 < 7 rises twice
  Run();
  EXPECT_EQ(grid.Work.CreasingConflict[0], 1);
}

TEST_F(SumRules9, AFixedMagicSquareCentreKeepsItsValueAndAnOpenOneTakesFive) {
  MagicSquareClue square;
  square.NCells = 9;
  square.Cells = {0, 1, 2, 9, 10, 11, 18, 19, 20};
  grid.Lists.MagicSquares.Append(square);
  grid.GridVar |= kVarMagicSquare;
  Run();
  EXPECT_EQ(grid.Work.MagicSum[0], 15);
  EXPECT_EQ(Poss(10), MaskOf({5}));
  EXPECT_EQ(Poss(1), MaskOf({1, 3, 7, 9}));
  EXPECT_EQ(Poss(0), MaskOf({2, 4, 6, 8}));
  Fix(10, 4);
  Run();
  EXPECT_EQ(grid.Cells[10].Value, 4);
  EXPECT_EQ(Poss(10), MaskOf({4}));
  // A square of another size has no side and is skipped.
  grid.Lists.MagicSquares.Items[0].NCells = 7;
  Run();
  EXPECT_EQ(grid.Work.MagicSide[0], 0);
}

TEST_F(SumRules9, AMultiplicationTableWithAnOpenCellIsNoConflict) {
  grid.Lists.MultTable.Append({{0, 1, 9, 10}});
  grid.GridVar |= kVarMultTable;
  Place(0, 3);
  Place(1, 4);
  Place(9, 1);
  Run();
  EXPECT_EQ(grid.Work.MultTableConflict[0], 0);
  EXPECT_EQ(Poss(10), MaskOf({2}));
  Place(10, 3);
  Run();
  EXPECT_EQ(grid.Work.MultTableConflict[0], 1);
}

// 4 x 5 = 20 = 10 x 1 + 10: in a 16 x 16 grid the last place may hold 10.
TEST(MultTable, TheLastPlaceMayHoldTwoDigitsInTheWidestGrids) {
  ShapedContext s{ShapeCodeOfSize(16)};
  GridRecord &grid = s.Main();
  constexpr int kBelow = 16;
  grid.Lists.MultTable.Append({{0, 1, kBelow, kBelow + 1}});
  grid.GridVar |= kVarMultTable;
  for (const auto &[cell, value] : {std::pair{0, 4}, {1, 5}, {kBelow, 1}})
    SetCellValue(s.Ctx, grid, cell, value, kActionPlace);
  Propagate(s.Ctx, grid, kFilterAlways, 0);
  EXPECT_EQ(grid.Cells[kBelow + 1].ThePoss, MaskOf({10}));
  SetCellValue(s.Ctx, grid, kBelow + 1, 10, kActionPlace);
  Propagate(s.Ctx, grid, kFilterAlways, 0);
  EXPECT_EQ(grid.Work.MultTableConflict[0], 0);
  EXPECT_NE(grid.State, kGridContradiction);
}

TEST_F(SumRules9, FrameClues) {
  FrameClues &frame = grid.Lists.Frame;
  frame.Kind[0][0] = 1; // the top of column 0: three cells adding up to 6
  frame.Value[0][0] = 6;
  frame.Kind[3][2] = 3; // row 2 seen from the left: all nine seen
  frame.Value[3][2] = 9;
  frame.Kind[1][4] = 6; // row 4 from the right: the largest of the three is the second
  frame.Value[1][4] = 2;
  grid.GridVar |= kVarFrameSum | kVarSkyScraper | kVarFrameMax;
  Run();
  // Row 2 seen whole puts 1 in cell 18, the third cell of column 0's frame.
  EXPECT_EQ(Poss(0), MaskOf({2, 3}));
  EXPECT_EQ(Poss(9), MaskOf({2, 3}));
  for (int c = 0; c < 9; ++c)
    EXPECT_EQ(grid.Cells[18 + c].ThePoss & MaskOf({c + 1}), MaskOf({c + 1})) << c;
  EXPECT_EQ(Poss(18 + 4), MaskOf({5}));
  EXPECT_EQ(Poss(4 * 9 + 7), MaskOf({2, 3, 4, 5, 6, 7, 8, 9}) & ~MaskOf({1}));
  Place(4 * 9 + 8, 9);
  Run();
  EXPECT_EQ(grid.Work.FrameConflict[1][4], 0);
  Place(4 * 9 + 7, 8);
  Run();
  EXPECT_EQ(grid.Work.FrameConflict[1][4], 1);
}

TEST_F(SumRules9, LastNumberAndSkyScraperChecksSeeTheLineFromTheirSide) {
  FrameClues &frame = grid.Lists.Frame;
  frame.Kind[0][3] = 4; // column 3 from the top rises up to 6
  frame.Value[0][3] = 6;
  grid.GridVar |= kVarLastNumber;
  Place(3, 2);
  Place(12, 4);
  Place(21, 6);
  Run();
  EXPECT_EQ(grid.Work.FrameConflict[0][3], 0);
  SetCellValue(s.Ctx, grid, 12, 0, kActionClear);
  Place(12, 7);
  Run();
  EXPECT_EQ(grid.Work.FrameConflict[0][3], 1);
  EXPECT_EQ(grid.Cells[12].Check, kCheckConflict);
  EXPECT_EQ(grid.Cells[30].Check, kCheckConsistent);
}

TEST_F(SumRules9, OutsideValuesMeetWhereTwoCornerCluesCross) {
  OutsideClues &outside = grid.Lists.Outside;
  outside.Kind[0][1] = 1; // column 1 from the top lists 7
  outside.Count[0][1] = 1;
  outside.Values[0][1][0] = 7;
  outside.Kind[3][2] = 1; // row 2 from the left lists 7 and 3
  outside.Count[3][2] = 2;
  outside.Values[3][2][0] = 7;
  outside.Values[3][2][1] = 3;
  grid.GridVar |= kVarOutside;
  Run();
  EXPECT_EQ(Poss(2 * 9 + 1), MaskOf({7}));
  EXPECT_EQ(grid.Cells[5 * 9 + 1].ThePoss & MaskOf({7}), 0u); // below the frame of column 1
}

TEST_F(SumRules9, OddviewSeesTheFirstOddAndEvenFromItsSide) {
  OutsideClues &outside = grid.Lists.Outside;
  outside.Kind[3][0] = 2; // row 0 from the left: first even 4, first odd 7
  outside.Count[3][0] = 2;
  outside.Values[3][0][0] = 4;
  outside.Values[3][0][1] = 7;
  grid.GridVar |= kVarOddview;
  Place(2, 7);
  Run();
  EXPECT_EQ(Poss(0) & MaskOf({1, 3, 5, 9}), 0u); // before the 7 no other odd value
  EXPECT_EQ(Poss(0), MaskOf({2, 4, 6, 8}) & MaskOf({4}));
  SetCellValue(s.Ctx, grid, 2, 0, kActionClear);
  Place(0, 6);
  Run();
  EXPECT_EQ(grid.Cells[0].Check, kCheckConflict);
  EXPECT_EQ(grid.Work.OutsideConflict[3][0], 1);
}

TEST_F(SumRules9, TransferValuesStandInOrderOutsideTheCrossedOutCells) {
  OutsideClues &outside = grid.Lists.Outside;
  outside.Kind[3][0] = 3; // row 0 from the left: 5 then 6, cell 1 crossed out
  outside.Count[3][0] = 2;
  outside.Values[3][0][0] = 5;
  outside.Values[3][0][1] = 6;
  grid.Cells[1].CrossedOut = 1;
  grid.Lists.Transfer.Append({1});
  grid.GridVar |= kVarTransfer;
  Run();
  EXPECT_EQ(Poss(1) & MaskOf({5, 6}), 0u);
  EXPECT_EQ(Poss(0) & MaskOf({6}), 0u); // 5 comes first
  EXPECT_EQ(Poss(8) & MaskOf({5}), 0u); // 6 comes last
  Place(1, 5);
  Run();
  EXPECT_EQ(grid.Cells[1].Check, kCheckConflict);
  EXPECT_EQ(grid.Work.TransferConflict[0], 1);
  SetCellValue(s.Ctx, grid, 1, 0, kActionClear);
  Place(8, 5); // the first value with no room after it for the second
  Run();
  EXPECT_EQ(grid.Cells[8].Check, kCheckConflict);
}

TEST(TwinsTotal, TheMainGridsAddUpToTheGridAfterThem) {
  ShapedContext s{kShape4};
  EngineContext &ctx = s.Ctx;
  AddGridToSet(ctx);
  AddGridToSet(ctx); // slot 2 holds the totals
  ctx.Grids.MainCount = 2;
  for (int g = 0; g < 3; ++g)
    ctx.Grids.Main[g].GridVar = kVarTwinsTotal;
  SetCellValue(ctx, ctx.Grids.Main[2], 0, 3, kActionPlaceFixed);
  SetCellValue(ctx, ctx.Grids.Main[1], 0, 2, kActionPlace);
  Propagate(ctx, ctx.Grids.Main[0], kFilterAlways, 0);
  EXPECT_EQ(ctx.Grids.Main[0].Cells[0].ThePoss, MaskOf({1}));
  SetCellValue(ctx, ctx.Grids.Main[0], 0, 2, kActionPlace);
  Propagate(ctx, ctx.Grids.Main[0], kFilterAlways, 0);
  EXPECT_EQ(ctx.Grids.Main[2].Cells[0].Check, kCheckConflict);
  // Without a grid after the main ones nothing is read past them.
  ctx.Grids.AllCount = 2;
  Propagate(ctx, ctx.Grids.Main[0], kFilterAlways, 0);
  EXPECT_EQ(FilterTwinsTotal(ctx, ctx.Grids.Main[0]), 0);
}

} // namespace
