#include <gtest/gtest.h>

#include "engine/cell_actions.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class Hypothesis : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{5, host};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &grid = s.Main();
  static constexpr int kCell = 40;
  CellRecord &cell = grid.Cells[kCell];

  // What the search does between two trials: the saved candidates come back.
  void RestoreSaved() {
    cell.ThePoss = cell.SavedPoss;
    cell.NPoss = cell.SavedNPoss;
  }
};

TEST_F(Hypothesis, EnteringSavesTheCandidatesAndEmptiesTheCell) {
  MakeOpenCell(geo, cell, {1, 4, 6});
  cell.Marks = MaskOf({4});
  cell.ValueScores[2] = 9;
  EXPECT_EQ(EnterHypothesis(s.Ctx, grid, kCell), 1);
  EXPECT_EQ(cell.SavedPoss, MaskOf({1, 4, 6}));
  EXPECT_EQ(cell.SavedNPoss, 3);
  EXPECT_EQ(cell.SavedStatus, kStatusEmpty);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.ThePoss, 0u);
  EXPECT_EQ(cell.Marks, MaskOf({4}));
  EXPECT_EQ(cell.HypIndex, 0);
  EXPECT_EQ(cell.ValueScores[2], 0);
}

TEST_F(Hypothesis, CellsHoldingAValueAreRefused) {
  for (int status : {kStatusGiven, kStatusPlaced, kStatusPlacedLastStep, kStatusFixed}) {
    cell.Status = status;
    cell.Value = 2;
    EXPECT_EQ(EnterHypothesis(s.Ctx, grid, kCell), 0);
    EXPECT_EQ(cell.Value, 2);
    EXPECT_EQ(NextHypothesisValue(s.Ctx, grid, kCell), 0);
    EXPECT_EQ(cell.Value, 2);
  }
}

TEST_F(Hypothesis, TrialsRunThroughTheSavedCandidatesAndWrap) {
  MakeOpenCell(geo, cell, {1, 4, 6});
  EnterHypothesis(s.Ctx, grid, kCell);
  std::vector<int> tried;
  for (int i = 0; i < 3; ++i) {
    RestoreSaved();
    EXPECT_EQ(NextHypothesisValue(s.Ctx, grid, kCell), 1);
    EXPECT_EQ(cell.Status, kStatusHypothesis);
    tried.push_back(cell.Value);
  }
  EXPECT_EQ(tried, (std::vector<int>{1, 4, 6}));
  RestoreSaved();
  EXPECT_EQ(NextHypothesisValue(s.Ctx, grid, kCell), 0);
  EXPECT_EQ(cell.HypIndex, 1);
  EXPECT_EQ(cell.Value, 1);
  EXPECT_TRUE(host.Moves.empty());
}

// A value named first is tried before the others, which keep their order; one that is not a
// candidate changes nothing.
TEST_F(Hypothesis, AValueNamedFirstIsTriedBeforeTheOthers) {
  const std::vector<std::pair<int, std::vector<int>>> cases = {
      {1, {1, 4, 6}}, {4, {4, 1, 6}}, {6, {6, 1, 4}}, {5, {1, 4, 6}}, {99, {1, 4, 6}}};
  for (const auto &[first, order] : cases) {
    MakeOpenCell(geo, cell, {1, 4, 6});
    EnterHypothesis(s.Ctx, grid, kCell);
    std::vector<int> tried;
    for (int i = 0; i < 3; ++i) {
      RestoreSaved();
      EXPECT_EQ(NextHypothesisValue(s.Ctx, grid, kCell, first), 1);
      tried.push_back(cell.Value);
    }
    EXPECT_EQ(tried, order) << "first " << first;
    RestoreSaved();
    EXPECT_EQ(NextHypothesisValue(s.Ctx, grid, kCell, first), 0);
    LeaveHypothesis(s.Ctx, grid, kCell);
  }
}

TEST_F(Hypothesis, LeavingRestoresTheSavedStatus) {
  MakeOpenCell(geo, cell, {3, 5});
  cell.Status = kStatusPencilled;
  cell.Marks = MaskOf({3});
  EnterHypothesis(s.Ctx, grid, kCell);
  RestoreSaved();
  NextHypothesisValue(s.Ctx, grid, kCell);
  EXPECT_EQ(cell.Value, 3);
  EXPECT_EQ(LeaveHypothesis(s.Ctx, grid, kCell), 1);
  EXPECT_EQ(cell.Status, kStatusPencilled);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.Marks, MaskOf({3}));
  EXPECT_EQ(cell.HypIndex, 0);
  // Only trial cells are touched.
  cell.Status = kStatusPlaced;
  cell.Value = 5;
  EXPECT_EQ(LeaveHypothesis(s.Ctx, grid, kCell), 1);
  EXPECT_EQ(cell.Value, 5);
}
