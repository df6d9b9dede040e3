#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "engine/unit_queries.h"
#include "engine/variant_bits.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class UnitQueries : public ::testing::Test {
protected:
  ShapedContext s{5};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &grid = s.Main();

  void SetUp() override {
    // Every playing cell open with the single candidate 1, unless changed below.
    for (CellRecord &cell : grid.PlayingCells(geo))
      MakeOpenCell(geo, cell, {1});
  }
  std::vector<int> List(int kind, int v, int n) {
    std::array<int, kMaxCells> out{};
    const int count = ListUnitCellsWithPoss(geo, kind, v, n, grid, out);
    return {out.begin(), out.begin() + count};
  }
};

TEST_F(UnitQueries, ListsTheOpenCellsOfAUnitThatAllowTheValue) {
  MakeOpenCell(geo, grid.Cells[19], {1, 5});
  MakeOpenCell(geo, grid.Cells[23], {5});
  MakeOpenCell(geo, grid.Cells[25], {5});
  grid.Cells[25].Status = kStatusPlaced; // filled cells do not count
  EXPECT_EQ(List(kUnitRow, 5, 2), (std::vector<int>{19, 23}));
  EXPECT_EQ(List(kUnitColumn, 5, 5), (std::vector<int>{23}));
  EXPECT_EQ(List(kUnitBlock, 5, 0), (std::vector<int>{19}));
  EXPECT_EQ(List(kUnitSingleCell, 5, 23), (std::vector<int>{23}));
  EXPECT_EQ(List(kUnitSingleCell, 5, 25), (std::vector<int>{}));
  EXPECT_EQ(List(kUnitRow, 5, 9), (std::vector<int>{}));
}

TEST_F(UnitQueries, TheWholeGridStopsAfterGridWidthCells) {
  EXPECT_EQ(List(kUnitWholeGrid, 1, 0).size(), 9u);
  EXPECT_EQ(List(kUnitWholeGrid, 1, 0).back(), 8);
}

TEST_F(UnitQueries, RegionsSkipCellsOutsideTheGrid) {
  MakeOpenCell(geo, grid.Cells[40], {7});
  EXPECT_EQ(List(kUnitDiag1, 7, 0), (std::vector<int>{40}));
  EXPECT_EQ(List(kUnitDiag2, 7, 0), (std::vector<int>{40}));
  EXPECT_EQ(List(kUnitExtra1, 7, 0), (std::vector<int>{}));
}

TEST_F(UnitQueries, HiddenSingleLooksAtRowsThenColumnsThenBlocks) {
  auto place6 = [&](std::initializer_list<int> cells) {
    for (int cell : cells)
      MakeOpenCell(geo, grid.Cells[cell], {6});
  };
  // (r0,c4), (r0,c5), (r1,c5), (r1,c6), (r2,c5): only row 2 holds 6 once.
  place6({4, 5, 14, 15, 23});
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), 23);
  // Without cell 23 column 4 holds it once (cell 4), before block 2 (cell 15).
  grid.Cells[23].Status = kStatusPlaced;
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), 4);
}

TEST_F(UnitQueries, HiddenSingleFallsBackToBlocks) {
  // (r0,c0), (r0,c3), (r3,c0), (r3,c3): two places in each row and column.
  for (int cell : {0, 3, 27, 30})
    MakeOpenCell(geo, grid.Cells[cell], {6});
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), 0);
  EXPECT_EQ(FindHiddenSingle(geo, 2, grid), -1);
}

TEST_F(UnitQueries, HiddenSingleUsesTheRegionsThatAreOn) {
  // The 2 x 2 square (r0..1, c1..2): two places per row, column and the block; one on diagonal 1.
  for (int cell : {1, 2, 10, 11})
    MakeOpenCell(geo, grid.Cells[cell], {6});
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), -1);
  grid.GridVar = kVarDiagonal;
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), -1); // the diagonal's flag is still off
  grid.Lists.RegionOn[kRegionDiag1] = 1;
  EXPECT_EQ(FindHiddenSingle(geo, 6, grid), 10);
}
