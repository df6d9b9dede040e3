#include <gtest/gtest.h>

#include "engine/grid_cells.h"
#include "engine/variant_bits.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

// A 4 x 4 layout whose blocks are the four rows.
void SetRowBlocks(GridRecord &grid) {
  for (int b = 0; b < 4; ++b) {
    grid.Lists.Layout.RowLength[b] = 4;
    for (int k = 0; k < 4; ++k)
      grid.Lists.Layout.Cells[b][k] = static_cast<CellRef>(b * 4 + k);
  }
  grid.Lists.Layout.RowCount = 4;
}

PuzzlePiece PieceOf(int n) {
  PuzzlePiece piece;
  piece.NCells = static_cast<int16_t>(n);
  return piece;
}

} // namespace

class RegionTables : public ::testing::Test {
protected:
  ShapedContext s{0};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &grid = s.Main();
};

TEST_F(RegionTables, DiagonalsMarkTheirCells) {
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.RegionCells[kRegionDiag1][2], 10);
  EXPECT_EQ(grid.RegionCells[kRegionDiag2][0], 3);
  EXPECT_EQ(grid.RegionCells[kRegionDiag2][3], 12);
  EXPECT_EQ(grid.RegionCells[kRegionExtra1][0], -1);
  EXPECT_EQ(grid.RegionMark[kRegionDiag1][5], kRegionDiag1);
  EXPECT_EQ(grid.RegionMark[kRegionDiag2][6], kRegionDiag2);
  EXPECT_EQ(grid.RegionMark[kRegionDiag1][1], -1);
  EXPECT_EQ(grid.RegionMark[kRegionExtra1][0], -1);
}

TEST_F(RegionTables, ExtraRegionsComeFromTheLayout) {
  SetRowBlocks(grid);
  grid.Lists.Layout.Cells[3][1] = 99; // outside the grid: listed but never marked
  grid.GridVar = kVarExtraRegion;
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.RegionCells[kRegionExtra1][1], 9);
  EXPECT_EQ(grid.RegionMark[kRegionExtra1][9], kRegionExtra1);
  EXPECT_EQ(grid.RegionMark[kRegionDiag1][0], kRegionDiag1);
  EXPECT_EQ(grid.RegionMark[kRegionDiag1][5], -1);
  EXPECT_EQ(grid.RegionCells[kRegionExtra2][1], 99);
}

TEST_F(RegionTables, ACompleteIrregularLayoutReplacesTheBlocks) {
  SetRowBlocks(grid);
  grid.GridVar = kVarIrregular;
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.BlockCells[1][0], 4);
  EXPECT_EQ(grid.BlockOfCell[7], 1);
  // The cell below lies in another block now, the one beside it does not.
  EXPECT_EQ(grid.Cells[5].BlockBorders, (std::array<int8_t, 4>{0, 0, 1, 1}));
}

TEST_F(RegionTables, AFaultyLayoutLeavesTheBlocksRegular) {
  grid.GridVar = kVarIrregular;
  SetRowBlocks(grid);
  grid.Lists.Layout.Cells[2][2] = 5; // cell 5 twice, cell 10 nowhere
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.BlockCells[1][0], 2);
  SetRowBlocks(grid);
  grid.Lists.Layout.Cells[3][3] = -1; // a block still undefined
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.BlockOfCell[15], 3);
  EXPECT_EQ(grid.BlockCells[3][3], 15);
  EXPECT_EQ(grid.BlockOfCell[4], 0);
  SetRowBlocks(grid);
  grid.Lists.Layout.Cells[0][0] = -1; // no layout at all
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.BlockCells[0][2], 4);
}

TEST_F(RegionTables, RegularBlockBordersFollowTheBlockEdges) {
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.Cells[0].BlockBorders, (std::array<int8_t, 4>{1, 0, 1, 0}));
  EXPECT_EQ(grid.Cells[5].BlockBorders, (std::array<int8_t, 4>{0, 1, 0, 1}));
  EXPECT_EQ(grid.Cells[10].BlockBorders, (std::array<int8_t, 4>{1, 0, 1, 0}));
  EXPECT_EQ(grid.Cells[15].BlockBorders, (std::array<int8_t, 4>{0, 1, 0, 1}));
  EXPECT_EQ(grid.Cells[geo.NCells].BlockBorders, (std::array<int8_t, 4>{0, 0, 0, 0}));
}

TEST_F(RegionTables, OddEvenMarksReachTheirCellsOnlyUnderTheOddVariant) {
  grid.Lists.OddEven.Append({3, 1});
  grid.Lists.OddEven.Append({7, 0});
  grid.Lists.OddEven.Append({300, 1}); // outside the grid: ignored
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.Cells[3].OddEven, -1);
  grid.GridVar = kVarOdd;
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.Cells[3].OddEven, 1);
  EXPECT_EQ(grid.Cells[7].OddEven, 0);
  EXPECT_EQ(grid.Cells[8].OddEven, -1);
}

TEST_F(RegionTables, PuzzlePiecesTakeRecordsWithinTheirBudget) {
  grid.Lists.Pieces.Append(PieceOf(5));
  grid.Lists.Pieces.Append(PieceOf(6));
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.NRecords, geo.NCellRecs);
  grid.GridVar = kVarPuzzle;
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.NRecords, geo.NCellRecs + 11);
  // 16 spare records: a third piece of 6 would not fit and takes none.
  EXPECT_FALSE(CanAddPuzzlePiece(geo, grid.Lists, 6));
  EXPECT_TRUE(CanAddPuzzlePiece(geo, grid.Lists, 5));
  grid.Lists.Pieces.Append(PieceOf(6));
  grid.Lists.Pieces.Append(PieceOf(5));
  ResetRegionTables(geo, grid);
  EXPECT_EQ(grid.NRecords, geo.NCellRecs + 11);
  EXPECT_LE(static_cast<size_t>(grid.NRecords), grid.Cells.size());
}

TEST_F(RegionTables, HostilePieceCountsNeverPassTheAllocation) {
  grid.GridVar = kVarTiled;
  grid.Lists.Pieces.Count = 100000;
  for (PuzzlePiece &piece : grid.Lists.Pieces.Items)
    piece.NCells = 30000;
  ResetRegionTables(geo, grid);
  EXPECT_GE(grid.NRecords, geo.NCellRecs);
  EXPECT_LE(static_cast<size_t>(grid.NRecords), grid.Cells.size());
}

TEST_F(RegionTables, ReallocationDropsTheIrregularLayout) {
  SetRowBlocks(grid);
  grid.GridVar = kVarIrregular;
  grid.AllocRecords = -1;
  AllocGridCells(s.Ctx, grid, 0, 0);
  EXPECT_FALSE(grid.Lists.Layout.Defined());
  EXPECT_EQ(grid.BlockCells[1][0], 2);
  EXPECT_EQ(grid.Cells[20].Index, 20);
}

TEST_F(RegionTables, AllocationCanTakeTheVariantSetting) {
  s.Ctx.Settings.CurrentVariant = kVarDiagonal | kVarChess;
  AllocGridCells(s.Ctx, grid, 0, 1);
  EXPECT_EQ(grid.GridVar, kVarDiagonal | kVarChess);
}

TEST_F(RegionTables, AllocationWithResetEmptiesTheGrid) {
  grid.Cells[2].Value = 3;
  grid.Lists.Killer.Append(KillerCage{});
  grid.State = kGridOpen;
  AllocGridCells(s.Ctx, grid, 0, 0);
  EXPECT_EQ(grid.Cells[2].Value, 3);
  AllocGridCells(s.Ctx, grid, 1, 0);
  EXPECT_EQ(grid.Cells[2].Value, 0);
  EXPECT_EQ(grid.Lists.Killer.Size(), 0);
  EXPECT_EQ(grid.State, kGridReset);
}

TEST_F(RegionTables, AResetGridKeepsTheBlockBordersOfItsLayout) {
  AllocGridCells(s.Ctx, grid, 1, 0);
  EXPECT_EQ(grid.Cells[0].BlockBorders, (std::array<int8_t, 4>{1, 0, 1, 0}));
  EXPECT_EQ(grid.Cells[5].BlockBorders, (std::array<int8_t, 4>{0, 1, 0, 1}));
  // An irregular layout outlives the reset, and so do its borders.
  SetRowBlocks(grid);
  grid.GridVar = kVarIrregular;
  AllocGridCells(s.Ctx, grid, 1, 0);
  EXPECT_EQ(grid.BlockCells[1][0], 4);
  EXPECT_EQ(grid.Cells[1].BlockBorders, (std::array<int8_t, 4>{0, 0, 1, 1}));
  EXPECT_EQ(grid.Cells[7].BlockBorders, (std::array<int8_t, 4>{0, 1, 1, 1}));
}
