#include <gtest/gtest.h>

#include <array>

#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr std::string_view kSolution4 = "1234341221434321";

class GridSetUpdate : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  GridSet &set = s.Ctx.Grids;

  void UseGrids(int n) { ResetGridSet(s.Ctx, n); }
};

TEST_F(GridSetUpdate, StateAndOpenCellsCoverEveryMainGrid) {
  UseGrids(2);
  LoadPuzzleLine(s.Ctx, set.Main[0], kSolution4);
  LoadPuzzleLine(s.Ctx, set.Main[1], "1230000000000000");
  UpdatePossibles(s.Ctx, -1, kFilterDefault, -1, 1);
  EXPECT_EQ(set.Main[0].State, kGridConsistent);
  EXPECT_EQ(set.Main[1].State, kGridOpen);
  EXPECT_EQ(set.Main[1].Cells[3].ThePoss, ValueBit(4));
  EXPECT_EQ(s.Ctx.GridSetState, kGridOpen);
  EXPECT_EQ(s.Ctx.TotalOpenCells, 13);
}

TEST_F(GridSetUpdate, AContradictionInAnyGridIsTheSetsState) {
  UseGrids(2);
  LoadPuzzleLine(s.Ctx, set.Main[0], "1100000000000000");
  UpdatePossibles(s.Ctx, -1, kFilterDefault, -1, 1);
  EXPECT_EQ(s.Ctx.GridSetState, kGridContradiction);
}

TEST_F(GridSetUpdate, OneSlotLeavesTheOtherGridsAsTheyWere) {
  UseGrids(2);
  LoadPuzzleLine(s.Ctx, set.Main[0], kSolution4);
  UpdatePossibles(s.Ctx, 1, kFilterDefault, -1, 1);
  EXPECT_EQ(set.Main[0].State, kGridReset);
  EXPECT_EQ(set.Main[1].State, kGridOpen);
  EXPECT_EQ(s.Ctx.GridSetState, kGridOpen);
}

TEST_F(GridSetUpdate, WithoutInitTheCandidatesAreNotRebuilt) {
  LoadPuzzleLine(s.Ctx, set.Main[0], "1230000000000000");
  const uint32_t before = set.Main[0].Cells[3].ThePoss;
  UpdatePossibles(s.Ctx, -1, kFilterDefault, -1, 0);
  EXPECT_EQ(set.Main[0].Cells[3].ThePoss, before);
  EXPECT_NE(before, ValueBit(4));
  UpdatePossibles(s.Ctx, -1, kFilterDefault, -1, 1);
  EXPECT_EQ(set.Main[0].Cells[3].ThePoss, ValueBit(4));
}

// Row 0 is a chain of "less than" marks listed from its start: each later mark narrows a cell
// an earlier one reads, so the filters run pass after pass until the chain is settled, and one
// more pass changes nothing.
TEST_F(GridSetUpdate, TheFiltersRunUntilEveryClueIsSettled) {
  GridRecord &grid = set.Main[0];
  LoadPuzzleLine(s.Ctx, grid, "0000000000000000");
  grid.GridVar = kVarLess;
  for (int cell = 0; cell < 3; ++cell)
    grid.Lists.Comparisons.Append(ComparisonMark{
        .CellA = static_cast<CellRef>(cell), .CellB = static_cast<CellRef>(cell + 1), .Kind = 9});
  UpdatePossibles(s.Ctx, -1, kFilterAlways, -1, 1);
  for (int cell = 0; cell < 4; ++cell)
    EXPECT_EQ(grid.Cells[cell].ThePoss, ValueBit(cell + 1)) << "cell " << cell;
  std::array<uint32_t, 16> settled{};
  for (int cell = 0; cell < 16; ++cell)
    settled[cell] = grid.Cells[cell].ThePoss;
  UpdatePossibles(s.Ctx, -1, kFilterAlways, -1, 0);
  for (int cell = 0; cell < 16; ++cell)
    EXPECT_EQ(grid.Cells[cell].ThePoss, settled[cell]) << "cell " << cell;
}

TEST_F(GridSetUpdate, NothingHappensBeforeAnyGeometry) {
  EngineContext fresh;
  fresh.Grids.Main[0].State = kGridReset;
  fresh.GridSetState = kGridOpen;
  UpdatePossibles(fresh, -1, kFilterAlways, 0, 1);
  EXPECT_EQ(fresh.GridSetState, kGridOpen);
}

class TwinsFilterGate : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  void UseGrids(int n) {
    ResetGridSet(s.Ctx, n);
    for (int slot = 0; slot < n; ++slot)
      s.Main(slot).GridVar = kVarTwinsEqual;
  }
};

TEST_F(TwinsFilterGate, NeverWithOneMainGrid) {
  UseGrids(1);
  s.Ctx.Settings.VariantFilterSwitch = 1;
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterAlways));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterDefault));
}

TEST_F(TwinsFilterGate, NeverForASingleSlot) {
  UseGrids(2);
  s.Ctx.Settings.VariantFilterSwitch = 1;
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, 1, kFilterAlways));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, 0, kFilterIfSwitchOn));
}

TEST_F(TwinsFilterGate, TheSearchModeRunsThemWhateverTheSwitch) {
  UseGrids(2);
  s.Ctx.Settings.VariantFilterSwitch = 0;
  EXPECT_TRUE(TwinsFiltersApply(s.Ctx, -1, kFilterAlways));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterIfSwitchOn));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterDefault));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterNone));
  s.Ctx.Settings.VariantFilterSwitch = 1;
  EXPECT_TRUE(TwinsFiltersApply(s.Ctx, -1, kFilterIfSwitchOn));
  EXPECT_TRUE(TwinsFiltersApply(s.Ctx, -1, kFilterDefault));
  EXPECT_FALSE(TwinsFiltersApply(s.Ctx, -1, kFilterNone));
}

} // namespace
