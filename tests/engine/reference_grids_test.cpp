#include <gtest/gtest.h>

#include "engine/reference_grids.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;

class ReferenceGrids : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{kShape4, host};
  GridSet &set = s.Ctx.Grids;

  void SetStatuses(GridRecord &grid, std::initializer_list<int> statuses) {
    int cell = 0;
    for (int status : statuses)
      grid.Cells[cell++].Status = status;
  }
  std::vector<int> RefStatuses(int slot, int n) {
    std::vector<int> out;
    for (int cell = 0; cell < n; ++cell)
      out.push_back(set.RefTab[slot].Cells[cell].Status);
    return out;
  }
};

TEST_F(ReferenceGrids, KeepingOpenCellsLeavesThemOpenAndTheFirstReferenceUnsolved) {
  SetStatuses(set.Main[0], {kStatusFixed, kStatusPlaced, kStatusEmpty, kStatusPencilled});
  MarkRefTabStates(s.Ctx, -1, 1);
  EXPECT_EQ(RefStatuses(0, 4), (std::vector<int>{3, 4, 6, 6}));
  EXPECT_EQ(set.RefTab[0].State, kGridOpen);
}

TEST_F(ReferenceGrids, OtherwiseEveryNonFixedCellCountsAsFound) {
  SetStatuses(set.Main[0], {kStatusFixed, kStatusPlaced, kStatusEmpty, kStatusPencilled});
  MarkRefTabStates(s.Ctx, -1, 0);
  EXPECT_EQ(RefStatuses(0, 4), (std::vector<int>{3, 4, 4, 4}));
  EXPECT_EQ(set.RefTab[0].State, kGridConsistent);
}

TEST_F(ReferenceGrids, AnOpenCellOfAnotherGridStillMarksTheFirstReference) {
  ResetGridSet(s.Ctx, 2);
  SetStatuses(set.Main[1], {kStatusEmpty});
  MarkRefTabStates(s.Ctx, 1, 1);
  EXPECT_EQ(set.RefTab[1].Cells[0].Status, kStatusEmpty);
  EXPECT_EQ(set.RefTab[0].State, kGridOpen);
}

TEST_F(ReferenceGrids, TheCurrentGridsBecomeTheirReferencesLikeAPlayersCommand) {
  ResetGridSet(s.Ctx, 2);
  SetCellValue(s.Ctx, set.Main[1], 5, 3, kActionPlaceFixed);
  SetCellValue(s.Ctx, set.Main[1], 6, 2, kActionPlace);
  ASSERT_EQ(SetRefTabFromCurrent(s.Ctx), 1);
  EXPECT_EQ(set.RefTab[1].Cells[5].Value, 3);
  EXPECT_EQ(set.RefTab[1].Cells[5].Status, kStatusFixed);
  EXPECT_EQ(set.RefTab[1].Cells[6].Status, kStatusHypothesis);
  EXPECT_EQ(set.RefTab[1].Cells[7].Status, kStatusEmpty);
  EXPECT_EQ(host.TripleMaxUpdates, 1);
  ASSERT_EQ(host.MacroSteps.size(), 1u);
  EXPECT_EQ(host.MacroSteps[0].Code, 13);
  EXPECT_FALSE(host.MacroSteps[0].Ints[0].has_value());
}

TEST_F(ReferenceGrids, ASearchThatStoredNothingChangesNoReference) {
  SetCellValue(s.Ctx, set.RefTab[0], 0, 4, kActionPlaceFixed);
  EXPECT_EQ(SetRefTabFromSearch(s.Ctx, -1), 0);
  EXPECT_EQ(SetRefTabFromSearch(s.Ctx, 0), 0);
  EXPECT_EQ(set.RefTab[0].Cells[0].Value, 4);
  EXPECT_TRUE(host.MacroSteps.empty());
  EXPECT_EQ(host.TripleMaxUpdates, 0);
}

} // namespace
