#include <gtest/gtest.h>

#include "engine/cell_actions.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class SetCellValueTest : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{5, host};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &grid = s.Main();
  static constexpr int kCell = 10;
  CellRecord &cell = grid.Cells[kCell];

  int Set(int n, int action) { return SetCellValue(s.Ctx, grid, kCell, n, action); }
};

TEST_F(SetCellValueTest, NthCandidateActionPlacesTheNthCandidate) {
  MakeOpenCell(geo, cell, {2, 5});
  EXPECT_EQ(Set(2, kActionPlaceNth), 1);
  EXPECT_EQ(cell.Value, 5);
  EXPECT_EQ(cell.Status, kStatusPlacedLastStep);
  EXPECT_EQ(cell.ThePoss, MaskOf({5}));
  EXPECT_EQ(cell.Marks, MaskOf({5}));
  EXPECT_EQ(cell.Excluded, geo.FullMask ^ MaskOf({5}));
}

TEST_F(SetCellValueTest, NthCandidateBeyondTheLastIsRefusedAndLeavesTheCellEmpty) {
  for (int action : {kActionPlaceNth, kActionHypothesis, kActionPlaceNthFixed, kActionToggleCandidate}) {
    MakeOpenCell(geo, cell, {2, 5});
    host.Moves.clear();
    EXPECT_EQ(Set(3, action), 0) << "action " << action;
    EXPECT_EQ(cell.Value, 0);
    EXPECT_EQ(cell.Status, kStatusEmpty);
    EXPECT_EQ(cell.ThePoss, MaskOf({2, 5}));
    EXPECT_TRUE(host.Moves.empty());
  }
  MakeOpenCell(geo, cell, {});
  EXPECT_EQ(Set(1, kActionPlaceNth), 0);
  EXPECT_EQ(cell.Value, 0);
}

TEST_F(SetCellValueTest, AValueOutOfRangeEmptiesTheCellSilently) {
  cell.Value = 3;
  cell.Status = kStatusPlaced;
  cell.Marks = MaskOf({3});
  EXPECT_EQ(Set(0, kActionPlace), 1);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.ThePoss, 0u);
  EXPECT_EQ(cell.Marks, 0u);
  EXPECT_EQ(cell.Excluded, geo.FullMask);
  EXPECT_EQ(Set(10, kActionPlace), 1);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_TRUE(host.Moves.empty());
}

TEST_F(SetCellValueTest, GivingSkipsTheRangeTest) {
  EXPECT_EQ(Set(0, kActionGive), 1);
  EXPECT_EQ(cell.Status, kStatusGiven);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.ThePoss, geo.FullMask);
  EXPECT_EQ(cell.Excluded, 0u);
  EXPECT_EQ(Set(7, kActionGive), 1);
  EXPECT_EQ(cell.Value, 7);
  EXPECT_EQ(Set(40, kActionGive), 1); // never a value the grid cannot hold
  EXPECT_EQ(cell.Value, 0);
  EXPECT_TRUE(host.Moves.empty());
}

TEST_F(SetCellValueTest, PlacingSetsValueMasksAndStatus) {
  EXPECT_EQ(Set(4, kActionPlace), 1);
  EXPECT_EQ(cell.Value, 4);
  EXPECT_EQ(cell.Status, kStatusPlaced);
  EXPECT_EQ(cell.Marks, MaskOf({4}));
  EXPECT_EQ(cell.ThePoss, MaskOf({4}));
  EXPECT_EQ(Set(9, kActionPlaceFixed), 1);
  EXPECT_EQ(cell.Status, kStatusFixed);
  EXPECT_EQ(cell.Value, 9);
}

TEST_F(SetCellValueTest, PlacingStartsTheCellsExtraPictures) {
  cell.ImageIndex = 2;
  cell.MarkerState = 1;
  Set(4, kActionPlace);
  ASSERT_EQ(host.Animations.size(), 4u);
  EXPECT_EQ(host.Animations[0].Grid, &grid);
  EXPECT_EQ(host.Animations[0].Cell, kCell);
  EXPECT_EQ(host.Animations[0].Picture, kFigurePicture);
  EXPECT_EQ(host.Animations[0].Mode, kAnimCountedLoops);
  EXPECT_EQ(host.Animations[1].Picture, kFirstMarkerPicture);
  EXPECT_EQ(host.Animations[3].Picture, kFirstMarkerPicture + 2);
  host.Animations.clear();
  cell.ImageIndex = -1;
  cell.MarkerState = 0;
  cell.ImageFlag = 1;
  Set(4, kActionPlaceFixed);
  ASSERT_EQ(host.Animations.size(), 1u);
  EXPECT_EQ(host.Animations[0].Picture, kSentencePicture);
}

TEST_F(SetCellValueTest, PlacingTheNthCandidateAsFixedIsNeverSent) {
  MakeOpenCell(geo, cell, {1, 6, 8});
  EXPECT_EQ(Set(2, kActionPlaceNthFixed), 1);
  EXPECT_EQ(cell.Value, 6);
  EXPECT_EQ(cell.Status, kStatusFixed);
  EXPECT_EQ(cell.ThePoss, MaskOf({6}));
  EXPECT_TRUE(host.Moves.empty());
}

TEST_F(SetCellValueTest, HypothesisKeepsThePencilMarks) {
  MakeOpenCell(geo, cell, {3, 7});
  cell.Marks = MaskOf({1, 2});
  EXPECT_EQ(Set(2, kActionHypothesis), 1);
  EXPECT_EQ(cell.Value, 7);
  EXPECT_EQ(cell.Status, kStatusHypothesis);
  EXPECT_EQ(cell.ThePoss, MaskOf({7}));
  EXPECT_EQ(cell.Marks, MaskOf({1, 2}));
}

TEST_F(SetCellValueTest, ClearingOpensEveryCandidate) {
  Set(5, kActionPlace);
  cell.AllowedMaskWord = 3;
  EXPECT_EQ(Set(5, kActionClear), 1);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.ThePoss, geo.FullMask);
  EXPECT_EQ(cell.Marks, 0u);
  EXPECT_EQ(cell.Excluded, 0u);
  EXPECT_EQ(cell.AllowedMaskWord, static_cast<uint32_t>(kAllowedMaskWordAll));
}

TEST_F(SetCellValueTest, PencilMarksToggle) {
  Set(3, kActionTogglePencil);
  Set(5, kActionTogglePencil);
  EXPECT_EQ(cell.Status, kStatusPencilled);
  EXPECT_EQ(cell.Marks, MaskOf({3, 5}));
  EXPECT_EQ(cell.Excluded, geo.FullMask ^ MaskOf({3, 5}));
  EXPECT_EQ(cell.AllowedMaskWord & MaskOf({3, 5}), 0u);
  Set(3, kActionTogglePencil);
  EXPECT_EQ(cell.Marks, MaskOf({5}));
  EXPECT_EQ(cell.Value, 0);
}

TEST_F(SetCellValueTest, RemovingAPencilMarkDecidesByTheCandidates) {
  MakeOpenCell(geo, cell, {8});
  cell.Status = kStatusPencilled;
  cell.Marks = MaskOf({2, 4, 8});
  EXPECT_EQ(Set(2, kActionRemovePencil), 1);
  EXPECT_EQ(cell.Marks, MaskOf({4, 8}));
  EXPECT_EQ(cell.Status, kStatusPlaced);
  EXPECT_EQ(cell.Value, 8);

  MakeOpenCell(geo, cell, {1, 4});
  cell.Marks = MaskOf({4});
  Set(4, kActionRemovePencil);
  EXPECT_EQ(cell.Status, kStatusPencilled);
  EXPECT_EQ(cell.Value, 0);

  MakeOpenCell(geo, cell, {});
  Set(4, kActionRemovePencil);
  EXPECT_EQ(cell.Status, kStatusEmpty);
}

TEST_F(SetCellValueTest, NextValueCyclesThroughEveryValueAndEmpty) {
  std::vector<int> seen;
  for (int i = 0; i < 11; ++i) {
    Set(1, kActionNextValue);
    seen.push_back(cell.Value);
    EXPECT_EQ(cell.Status, cell.Value == 0 ? kStatusEmpty : kStatusPlaced);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}));
  EXPECT_EQ(cell.Marks, MaskOf({1}));
}

TEST_F(SetCellValueTest, PreviousValueCyclesBackwards) {
  Set(1, kActionPreviousValue);
  EXPECT_EQ(cell.Value, 9);
  EXPECT_EQ(cell.Status, kStatusPlaced);
  EXPECT_EQ(cell.Excluded, geo.FullMask ^ MaskOf({9}));
  cell.Value = 1;
  Set(1, kActionPreviousValue);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.Excluded, geo.FullMask);
  // Without a value in range the cycle does not run.
  Set(0, kActionNextValue);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.Status, kStatusEmpty);
}

TEST_F(SetCellValueTest, ToggleCandidateFlipsOneCandidate) {
  MakeOpenCell(geo, cell, {2, 3, 9});
  EXPECT_EQ(Set(3, kActionToggleCandidate), 1);
  EXPECT_EQ(cell.ThePoss, MaskOf({2, 3}));
  EXPECT_EQ(cell.Excluded, geo.FullMask ^ MaskOf({2, 3}));
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.Value, 0);
}

TEST_F(SetCellValueTest, StatusActionsOnlySetTheStatus) {
  Set(6, kActionPlace);
  for (int action : {5, 8, 9, 10, 11}) {
    EXPECT_EQ(Set(6, action), 1);
    EXPECT_EQ(cell.Status, action);
  }
  EXPECT_EQ(cell.Value, 6);
}

TEST_F(SetCellValueTest, StatusElevenSurvivesMostActions) {
  for (int action : {1, 2, 3, 4, 5, 7, 8, 16}) {
    MakeOpenCell(geo, cell, {1, 2});
    cell.Status = 11;
    Set(1, action);
    EXPECT_EQ(cell.Status, 11) << "action " << action;
  }
  for (int action : {0, 6, 12, 13, 14, 15}) {
    MakeOpenCell(geo, cell, {1, 2});
    cell.Status = 11;
    Set(1, action);
    EXPECT_NE(cell.Status, 11) << "action " << action;
  }
}

TEST_F(SetCellValueTest, UnknownActionsAndCellsAreRefused) {
  MakeOpenCell(geo, cell, {1, 2});
  EXPECT_EQ(Set(1, 17), 0);
  EXPECT_EQ(Set(1, -3), 0);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(SetCellValue(s.Ctx, grid, -1, 1, kActionPlace), 0);
  EXPECT_EQ(SetCellValue(s.Ctx, grid, static_cast<int>(grid.Cells.size()), 1, kActionPlace), 0);
  EXPECT_TRUE(host.Moves.empty());
}

class ChallengeMoves : public SetCellValueTest {};

TEST_F(ChallengeMoves, RealMovesOnTheMainGridReachThePeer) {
  MakeOpenCell(geo, cell, {2, 5});
  Set(2, kActionPlaceNth);
  Set(3, kActionTogglePencil);
  Set(1, kActionClear);
  EXPECT_EQ(host.Moves,
            (std::vector<SentMove>{
                {kCell, 2, kActionPlaceNth}, {kCell, 3, kActionTogglePencil}, {kCell, 1, kActionClear}}));
}

TEST_F(ChallengeMoves, HypothesesAndOtherGridsStayLocal) {
  MakeOpenCell(geo, cell, {2, 5});
  Set(1, kActionHypothesis);
  // A main grid slot beyond the grids in use, a reference grid and a scratch grid.
  SetCellValue(s.Ctx, s.Ctx.Grids.Main[1], kCell, 3, kActionPlace);
  SetCellValue(s.Ctx, s.Ctx.Grids.RefTab[0], kCell, 3, kActionPlace);
  GridRecord scratch;
  scratch.Cells.assign(20, MakeClearedCell(geo));
  SetCellValue(s.Ctx, scratch, kCell, 3, kActionPlace);
  EXPECT_EQ(scratch.Cells[kCell].Value, 3);
  EXPECT_TRUE(host.Moves.empty());

  s.Ctx.Grids.MainCount = 2;
  SetCellValue(s.Ctx, s.Ctx.Grids.Main[1], kCell, 3, kActionPlace);
  EXPECT_EQ(host.Moves.size(), 1u);
}
