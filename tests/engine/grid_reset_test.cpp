#include <gtest/gtest.h>

#include "engine/grid_record.h"
#include "engine/variant_bits.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class GridReset : public ::testing::Test {
protected:
  ShapedContext s{5};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &grid = s.Main();

  void SetUp() override {
    grid.Cells[0].Value = 4;
    grid.Cells[0].Status = kStatusPlaced;
    grid.Cells[1].Value = 7;
    grid.Cells[1].Status = kStatusPlacedLastStep;
    for (CellRecord &cell : grid.Cells) {
      cell.CellHighlight = 1;
      cell.CellClass = 2;
      cell.AllowedIndex = 5;
      cell.AllowedType = 1;
      cell.OddEven = 1;
      cell.CrossedOut = 1;
      cell.MasterMindLine = 3;
      cell.ColourSet = 6;
    }
    grid.Lists.Killer.Append(KillerCage{});
    grid.Lists.TwinsZone.Append({1, 2, 1});
    grid.Lists.TwinsPartner = 1;
    grid.Lists.SameInLine.PartnerGrid = 1;
    grid.Lists.Frame.Kind[0][0] = 1;
    grid.Lists.ComparisonTotal = 12;
    grid.Lists.RegionOn[0] = 1;
    grid.Lists.KimoModulus = 10;
    grid.Lists.Layout.Cells[0][0] = 3;
    grid.Work.KillerConflict[0] = 1;
    grid.SearchStarted = 1;
    grid.TrialWord = 1;
  }
};

TEST_F(GridReset, LevelZeroKeepsTheLastStepAndTheTwinsLinks) {
  EXPECT_EQ(ResetGrid(geo, grid, kResetKeepLastStep), 1);
  EXPECT_EQ(grid.Cells[0].Value, 0);
  EXPECT_EQ(grid.Cells[1].Value, 7);
  EXPECT_EQ(grid.Cells[1].Status, kStatusPlacedLastStep);
  EXPECT_EQ(grid.Lists.Killer.Size(), 0);
  EXPECT_EQ(grid.Lists.TwinsZone.Size(), 1);
  EXPECT_EQ(grid.Lists.TwinsPartner, 1);
  EXPECT_EQ(grid.Lists.SameInLine.PartnerGrid, -1);
  EXPECT_EQ(grid.Cells[5].AllowedIndex, 5);
  EXPECT_EQ(grid.Cells[5].AllowedType, 1);
  EXPECT_EQ(grid.Cells[5].CellClass, 0);
  EXPECT_EQ(grid.Cells[5].OddEven, -1);
}

TEST_F(GridReset, LevelOneClearsEverything) {
  ResetGrid(geo, grid, kResetAll);
  EXPECT_EQ(grid.Cells[1].Value, 0);
  EXPECT_EQ(grid.Cells[1].Status, kStatusEmpty);
  EXPECT_EQ(grid.Lists.TwinsZone.Size(), 0);
  EXPECT_EQ(grid.Lists.TwinsPartner, -1);
  EXPECT_EQ(grid.Lists.Frame.Kind[0][0], 0);
  EXPECT_EQ(grid.Lists.ComparisonTotal, -1);
  EXPECT_EQ(grid.Lists.RegionOn[0], 0);
  EXPECT_EQ(grid.Work.KillerConflict[0], 0);
  for (const CellRecord &cell : grid.Cells) {
    ASSERT_EQ(cell.AllowedIndex, 0);
    ASSERT_EQ(cell.AllowedType, 0);
    ASSERT_EQ(cell.CellClass, 0);
    ASSERT_EQ(cell.Numeral, -1);
    ASSERT_EQ(cell.CrossedOut, 0);
    ASSERT_EQ(cell.MasterMindLine, -1);
    ASSERT_EQ(cell.CellHighlight, 0);
    ASSERT_EQ(cell.ColourSet, -1);
    ASSERT_EQ(cell.ColourValue, -1);
  }
  EXPECT_EQ(grid.SearchStarted, 0);
  EXPECT_EQ(grid.TrialWord, 0);
}

TEST_F(GridReset, ShapeDataSurvivesEveryLevel) {
  for (int level : {0, 1, 2}) {
    ResetGrid(geo, grid, level);
    EXPECT_EQ(grid.Lists.KimoModulus, 10);
    EXPECT_EQ(grid.Lists.Layout.Cells[0][0], 3);
  }
}

TEST_F(GridReset, LevelTwoKeepsTheVariantLists) {
  ResetGrid(geo, grid, kResetKeepVariants);
  EXPECT_EQ(grid.Cells[0].Value, 0);
  EXPECT_EQ(grid.Cells[1].Value, 0);
  EXPECT_EQ(grid.Lists.Killer.Size(), 1);
  EXPECT_EQ(grid.Lists.Frame.Kind[0][0], 1);
  EXPECT_EQ(grid.Lists.SameInLine.PartnerGrid, 1);
  EXPECT_EQ(grid.Cells[5].OddEven, 1);
  EXPECT_EQ(grid.Cells[5].CellClass, 2);
  EXPECT_EQ(grid.Cells[5].CellHighlight, 0);
}

TEST_F(GridReset, ClearGridLetsPiecesRotateWhenThePlayerAllowsIt) {
  s.Ctx.Settings.PuzzleRotation = 1;
  ClearGrid(s.Ctx, grid, kResetAll);
  EXPECT_EQ(grid.Lists.PuzzleRotation, 1);
  s.Ctx.Settings.PuzzleRotation = 0;
  ClearGrid(s.Ctx, grid, kResetAll);
  EXPECT_EQ(grid.Lists.PuzzleRotation, 0);
}

TEST(GridRecordIdentity, EveryConstructionTakesANewSerialNumber) {
  GridRecord a;
  GridRecord b;
  EXPECT_EQ(b.Id, a.Id + 1);
  EXPECT_EQ(a.Magic, kGridMagic);
  EXPECT_EQ(a.AllocRecords, 0);
  EXPECT_TRUE(a.Comment.empty());
}
