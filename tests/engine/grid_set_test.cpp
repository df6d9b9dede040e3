#include <gtest/gtest.h>

#include <type_traits>

#include "engine/grid_set.h"
#include "engine_test_support.h"
#include "platform/random.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;

class GridSetLookups : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  GridSet &set = s.Ctx.Grids;

  void UseGrids(int n) { ResetGridSet(s.Ctx, n); }
  void SetStates(std::initializer_list<int> states) {
    UseGrids(static_cast<int>(states.size()));
    int slot = 0;
    for (int state : states)
      set.Main[slot++].State = state;
  }
};

TEST_F(GridSetLookups, CombinedStateLetsAContradictionWinOverOpenGrids) {
  SetStates({kGridConsistent, kGridOpen, kGridContradiction});
  EXPECT_EQ(CombinedGridState(s.Ctx, -1), kGridContradiction);
  EXPECT_EQ(s.Ctx.GridSetState, kGridContradiction);
  SetStates({kGridConsistent, kGridOpen});
  EXPECT_EQ(CombinedGridState(s.Ctx, -1), kGridOpen);
  SetStates({kGridConsistent, kGridConsistent});
  EXPECT_EQ(CombinedGridState(s.Ctx, -1), kGridConsistent);
}

TEST_F(GridSetLookups, CombinedStateStopsAtAResetGrid) {
  SetStates({kGridContradiction, kGridReset, kGridOpen});
  EXPECT_EQ(CombinedGridState(s.Ctx, -1), kGridReset);
  EXPECT_EQ(CombinedGridState(s.Ctx, 2), kGridOpen);
  EXPECT_EQ(s.Ctx.GridSetState, kGridOpen);
}

TEST_F(GridSetLookups, ResetAndAddKeepCountsAndOrderInStep) {
  set.Order = {3, 2, 1, 0};
  set.FocusGrid = 2;
  set.RefTab[1].GridVar = kVarKiller;
  UseGrids(2);
  EXPECT_EQ(set.MainCount, 2);
  EXPECT_EQ(set.AllCount, 2);
  EXPECT_EQ(set.OrderCount, 2);
  EXPECT_EQ(set.Order[0], 0);
  EXPECT_EQ(set.FocusGrid, 0);
  EXPECT_FALSE(set.RefTab[1].GridVar.Any());

  set.Main[2].GridVar = kVarDiagonal;
  EXPECT_EQ(AddGridToSet(s.Ctx), 2);
  EXPECT_EQ(set.MainCount, 3);
  EXPECT_EQ(set.OrderCount, 3);
  EXPECT_FALSE(set.Main[2].GridVar.Any());

  UseGrids(40); // clamped
  EXPECT_EQ(set.MainCount, kMaxGrids);
  EXPECT_EQ(AddGridToSet(s.Ctx), -1);
  EXPECT_EQ(set.MainCount, kMaxGrids);
}

TEST_F(GridSetLookups, EveryGridOutsideTheSetReadsReferenceGridZero) {
  UseGrids(2);
  GridRecord stranger;
  EXPECT_EQ(&GetRefTab(set, stranger), &set.RefTab[0]);
  EXPECT_EQ(&RefTabOfGrid(set, set.Main[1]), &set.RefTab[1]);
  EXPECT_EQ(&RefTabOfGrid(set, set.Main[5]), &set.RefTab[0]); // slot not in use
  EXPECT_EQ(&RefTabOfGridDraw(set, 7), &set.RefTab[0]);
  EXPECT_EQ(&GridOfGridDraw(set, 1), &set.Main[1]);
  static_assert(std::is_const_v<std::remove_reference_t<decltype(GetRefTab(set, stranger))>>,
                "a fallback reference grid must not be writable");
}

TEST_F(GridSetLookups, SlotsAndOrderPositionsOfGrids) {
  UseGrids(3);
  set.AllCount = 4;
  set.OrderCount = 2;
  set.Order[0] = 3;
  set.Order[1] = 1;
  EXPECT_EQ(GridIndexOf(set, set.RefTab[2]), 2);
  EXPECT_EQ(GridIndexOf(set, set.Main[3]), 3);
  EXPECT_EQ(MainGridSlot(set, set.Main[3]), -1);
  EXPECT_EQ(OrderPosOfGrid(set, set.RefTab[1]), 1);
  EXPECT_EQ(OrderPosOfGrid(set, set.Main[2]), -1);
  EXPECT_EQ(FindInGridOrder(set, 3), 0);
  EXPECT_EQ(CountShownMainGrids(set), 1);
  set.FocusGrid = 1;
  EXPECT_EQ(CurrentGridSlot(set), 1);
  set.OrderCount = 1;
  EXPECT_EQ(CurrentGridSlot(set), 3);
}

TEST_F(GridSetLookups, CombinedVariantWordsOverMainOrShownGrids) {
  UseGrids(3);
  set.Main[0].GridVar = kVarDiagonal;
  set.Main[2].GridVar = kVarChess;
  set.OrderCount = 1;
  EXPECT_EQ(CombinedGridVar(set, 1), (uint64_t{kVarChess.word2} << 32) | kVarDiagonal.word1);
  EXPECT_EQ(CombinedGridVar(set, 0), uint64_t{kVarDiagonal.word1});
}

TEST_F(GridSetLookups, OpenCellsAreSummedOverTheMainGrids) {
  UseGrids(2);
  set.Main[0].SudMissing = 5;
  set.Main[1].SudMissing = 7;
  set.Main[2].SudMissing = 100; // not in use
  EXPECT_EQ(TotalSudMissing(set), 12);
}

TEST_F(GridSetLookups, KimoModulusComesOnlyFromAnEarlierGrid) {
  UseGrids(3);
  set.Main[1].GridVar = kVarKimo;
  set.Main[1].Lists.KimoModulus = 7;
  set.Main[2].GridVar = kVarKimo;
  set.Main[2].Lists.KimoModulus = 5;
  EXPECT_EQ(EarlierKimoModulus(set, set.Main[1]), 0);
  EXPECT_EQ(EarlierKimoModulus(set, set.Main[2]), 7);
  EXPECT_EQ(EarlierKimoModulus(set, set.Main[0]), 0);
}

TEST_F(GridSetLookups, EarlierGridsAreDrawnBelowTheGridsOwnSlot) {
  UseGrids(4);
  Random15 random(11);
  EXPECT_EQ(RandomEarlierGrid(random, set, set.Main[0]), 0);
  for (int i = 0; i < 50; ++i) {
    const int slot = RandomEarlierGrid(random, set, set.Main[3]);
    EXPECT_GE(slot, 0);
    EXPECT_LT(slot, 3);
  }
}

} // namespace
