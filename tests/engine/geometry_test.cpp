#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/grid_shape.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::vector<int> BlockOf(const GridRecord &grid, const GridGeometry &geo, int block) {
  return {grid.BlockCells[block].begin(), grid.BlockCells[block].begin() + geo.GridWidth};
}

} // namespace

TEST(GridGeometry, NineByNineNumbersItsRecords) {
  ShapedContext s(5);
  const GridGeometry &geo = s.Ctx.Geo;
  EXPECT_EQ(geo.GridWidth, 9);
  EXPECT_EQ(geo.NCells, 81);
  EXPECT_EQ(geo.CellLimit, 100);
  EXPECT_EQ(geo.RowUnitBase, 81);
  EXPECT_EQ(geo.RowUnitBase + 8, 89);
  EXPECT_EQ(geo.ColUnitBase, 90);
  EXPECT_EQ(geo.ColUnitBase + 8, 98);
  EXPECT_EQ(geo.NumberBar(), 99);
  EXPECT_EQ(geo.BlockUnitBase, 100);
  EXPECT_EQ(geo.BlockUnitBase + 8, 108);
  EXPECT_EQ(geo.Diag1Unit, 109);
  EXPECT_EQ(geo.Extra2Unit, 112);
  EXPECT_EQ(geo.NCellRecs, 113);
  EXPECT_EQ(geo.NUnits, 113);
  EXPECT_EQ(geo.FullMask, 511u);
  EXPECT_EQ(geo.NBlockRows, 3);
  EXPECT_EQ(geo.NBlockCols, 3);
}

TEST(GridGeometry, SixteenBySixteenAllocatesRoomForPieces) {
  ShapedContext s(8);
  EXPECT_EQ(s.Ctx.Geo.NCellRecs, 289 + 20);
  EXPECT_EQ(s.Ctx.Geo.FullMask, 0xFFFFu);
  EXPECT_EQ(s.Main().Cells.size(), 309u + 256u);
  EXPECT_EQ(s.Main().NRecords, 309);
  EXPECT_EQ(s.Main().AllocRecords, 309);
}

TEST(GridGeometry, RowAndColumnTablesFollowReadingOrder) {
  ShapedContext s(5);
  const GridGeometry &geo = s.Ctx.Geo;
  EXPECT_EQ(geo.RowOfCell[40], 4);
  EXPECT_EQ(geo.ColOfCell[40], 4);
  EXPECT_EQ(geo.RowOfCell[80], 8);
  EXPECT_EQ(geo.ColOfCell[17], 8);
  EXPECT_EQ(geo.RowCells[2][3], 21);
  EXPECT_EQ(geo.ColCells[3][2], 21);
  // Square blocks: the position inside the block in reading order.
  EXPECT_EQ(geo.PosInBlock[0], 0);
  EXPECT_EQ(geo.PosInBlock[10], 4);
  EXPECT_EQ(geo.PosInBlock[80], 8);
}

TEST(GridShapes, ShapeOneHasTallBlocksAndShapeTwoWideOnes) {
  ShapedContext tall(1);
  EXPECT_EQ(tall.Ctx.Geo.BlockRows, 3);
  EXPECT_EQ(tall.Ctx.Geo.BlockCols, 2);
  EXPECT_EQ(BlockOf(tall.Main(), tall.Ctx.Geo, 0), (std::vector<int>{0, 1, 6, 7, 12, 13}));

  ShapedContext wide(2);
  EXPECT_EQ(wide.Ctx.Geo.BlockRows, 2);
  EXPECT_EQ(wide.Ctx.Geo.BlockCols, 3);
  EXPECT_EQ(BlockOf(wide.Main(), wide.Ctx.Geo, 0), (std::vector<int>{0, 1, 2, 6, 7, 8}));
  EXPECT_EQ(BlockOf(wide.Main(), wide.Ctx.Geo, 1), (std::vector<int>{3, 4, 5, 9, 10, 11}));
  EXPECT_EQ(BlockOf(wide.Main(), wide.Ctx.Geo, 5), (std::vector<int>{27, 28, 29, 33, 34, 35}));
  EXPECT_EQ(wide.Main().BlockOfCell[7], 0);
}

TEST(GridShapes, EveryShapeGivesEachCellToExactlyOneBlock) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    ShapedContext s(shape);
    const GridGeometry &geo = s.Ctx.Geo;
    std::vector<int> seen(geo.NCells, 0);
    for (int b = 0; b < geo.GridWidth; ++b)
      for (int k = 0; k < geo.GridWidth; ++k) {
        const int cell = s.Main().BlockCells[b][k];
        ASSERT_GE(cell, 0);
        ASSERT_LT(cell, geo.NCells);
        ++seen[cell];
        EXPECT_EQ(s.Main().BlockOfCell[cell], b);
      }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), geo.NCells) << "shape " << shape;
  }
}

TEST(GridShapes, DefaultShapesAndSizeClasses) {
  EXPECT_EQ(ShapeCodeOfSize(4), 0);
  EXPECT_EQ(ShapeCodeOfSize(6), 2);
  EXPECT_EQ(ShapeCodeOfSize(8), 4);
  EXPECT_EQ(ShapeCodeOfSize(12), 7);
  EXPECT_EQ(ShapeCodeOfSize(16), 8);
  EXPECT_EQ(ShapeCodeOfSize(9), 5);
  EXPECT_EQ(ShapeCodeOfSize(7), 5);
  // What a grid of each shape is read back as from its size alone.
  const int readBack[] = {0, 2, 2, 4, 4, 5, 7, 7, 8};
  for (int shape = 0; shape < kShapeCount; ++shape)
    EXPECT_EQ(ShapeReadBackAs(shape), readBack[shape]) << shape;
  const int shapeClasses[] = {0, 1, 1, 2, 2, 3, 4, 4, 5};
  for (int shape = 0; shape < kShapeCount; ++shape) {
    EXPECT_EQ(SizeClassOfShape(shape), shapeClasses[shape]);
    ShapedContext s(shape);
    EXPECT_EQ(SizeClassOfGrid(s.Ctx.Geo), shapeClasses[shape]);
  }
  EXPECT_EQ(SizeClassOfShape(42), 3);
}

TEST(GridShapes, SetGridSizeTakesTheDefaultShapeAndKeepsVariantWords) {
  ShapedContext s(5);
  s.Ctx.Settings.CurrentVariant = kVarDiagonal;
  s.Main().GridVar = kVarOdd;
  SetGridSize(s.Ctx, 6, 0);
  EXPECT_EQ(s.Ctx.Geo.BlockCols, 3);
  EXPECT_EQ(s.Main().GridVar, kVarOdd);
  SetGridShape(s.Ctx, 5, 0, 1);
  EXPECT_EQ(s.Main().GridVar, kVarDiagonal);
}

TEST(GridShapes, StoreGridCurrSizeWritesTheShapeCode) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    ShapedContext s(shape);
    s.Ctx.Settings.GridCurrSize = -7;
    EXPECT_EQ(StoreGridCurrSize(s.Ctx), shape);
    EXPECT_EQ(s.Ctx.Settings.GridCurrSize, shape);
  }
}

TEST(GridShapes, UnknownShapeCodeChangesNothing) {
  ShapedContext s(5);
  EXPECT_EQ(SetGridShape(s.Ctx, 9, 1, 0), 1);
  EXPECT_EQ(SetGridShape(s.Ctx, -1, 1, 0), 1);
  EXPECT_EQ(s.Ctx.Geo.GridWidth, 9);
}

TEST(GridShapes, ZeroBlockSideChangesNothing) {
  RecordingHost host;
  ShapedContext s(5, host);
  const int clears = host.SelectionClears;
  s.Main().Cells[0].Value = 4;
  EXPECT_EQ(SetGridDimensions(s.Ctx, 9, 9, 0, 3, 9, 1, 0), 0);
  EXPECT_EQ(SetGridDimensions(s.Ctx, 9, 9, 3, 0, 9, 1, 0), 0);
  EXPECT_EQ(s.Ctx.Geo.BlockRows, 3);
  EXPECT_EQ(s.Ctx.Geo.BlockCols, 3);
  EXPECT_EQ(s.Ctx.Geo.NCellRecs, 113);
  EXPECT_EQ(s.Main().Cells.size(), 113u + 81u);
  EXPECT_EQ(s.Main().Cells[0].Value, 4);
  EXPECT_EQ(host.SelectionClears, clears);

  // A context whose geometry was never set refuses to build tables.
  EngineContext fresh;
  EXPECT_EQ(BuildGridTables(fresh, 1, 0, -1), 0);
  EXPECT_TRUE(fresh.Grids.Main[0].Cells.empty());
}

TEST(GridShapes, HostileDimensionsAreRefused) {
  ShapedContext s(5);
  EXPECT_EQ(SetGridDimensions(s.Ctx, 17, 17, 1, 17, 17, 1, 0), 0);
  EXPECT_EQ(SetGridDimensions(s.Ctx, 9, 9, 2, 3, 9, 1, 0), 0);
  EXPECT_EQ(SetGridDimensions(s.Ctx, 9, 8, 3, 3, 9, 1, 0), 0);
  EXPECT_EQ(SetGridDimensions(s.Ctx, -4, -4, -2, 2, -4, 1, 0), 0);
  // 0x7FFFFFFF x 0x7FFFFFF7 wraps to 9 in 32 bits.
  EXPECT_EQ(SetGridDimensions(s.Ctx, 9, 9, 0x7FFFFFFF, 0x7FFFFFF7, 9, 1, 0), 0);
  EXPECT_EQ(SetGridDimensions(s.Ctx, 10, 10, 5, 2, 10, 1, 0), 0);
  EXPECT_EQ(s.Ctx.Geo.GridWidth, 9);
}

TEST(GridShapes, ChangingTheShapeResizesEveryGridAndClearsTheSelection) {
  RecordingHost host;
  ShapedContext s(5, host);
  const int clears = host.SelectionClears;
  SetGridShape(s.Ctx, 0, 1, 0);
  EXPECT_EQ(host.SelectionClears, clears + 1);
  for (int slot = 0; slot < kMaxGrids; ++slot) {
    EXPECT_EQ(s.Ctx.Grids.Main[slot].Cells.size(), static_cast<size_t>(s.Ctx.Geo.AllocatedRecords()));
    EXPECT_EQ(s.Ctx.Grids.RefTab[slot].Cells.size(), static_cast<size_t>(s.Ctx.Geo.AllocatedRecords()));
  }
  // Fresh cells are cleared for the new width, not the old one.
  EXPECT_EQ(s.Main().Cells[0].ThePoss, 0xFu);
  EXPECT_EQ(s.Main().Cells[30].Index, 30);
}

TEST(GridShapes, OneSlotCanBeRebuiltAlone) {
  ShapedContext s(5);
  s.Ctx.Grids.Main[3].AllocRecords = -1;
  s.Ctx.Grids.Main[3].Cells[5].Value = 7;
  s.Ctx.Grids.Main[4].AllocRecords = -1;
  EXPECT_EQ(BuildGridTables(s.Ctx, 0, 0, 3), 1);
  EXPECT_EQ(s.Ctx.Grids.Main[3].AllocRecords, 113);
  EXPECT_EQ(s.Ctx.Grids.Main[3].Cells[5].Value, 0);
  EXPECT_EQ(s.Ctx.Grids.Main[4].AllocRecords, -1);
}

TEST(PerimeterCell, WalksEachLineFromItsSide) {
  ShapedContext s(0);
  const GridGeometry &geo = s.Ctx.Geo;
  // Column 1 from the top, row 2 from the right, column 3 from the bottom, row 0 from the left.
  EXPECT_EQ(PerimeterCell(geo, kSideTop, 1, 0), 1);
  EXPECT_EQ(PerimeterCell(geo, kSideTop, 1, 3), 13);
  EXPECT_EQ(PerimeterCell(geo, kSideRight, 2, 0), 11);
  EXPECT_EQ(PerimeterCell(geo, kSideRight, 2, 3), 8);
  EXPECT_EQ(PerimeterCell(geo, kSideBottom, 3, 0), 15);
  EXPECT_EQ(PerimeterCell(geo, kSideBottom, 3, 3), 3);
  EXPECT_EQ(PerimeterCell(geo, kSideLeft, 0, 2), 2);
  EXPECT_EQ(PerimeterCell(geo, 4, 0, 0), -1);
  EXPECT_EQ(PerimeterCell(geo, kSideTop, 4, 0), -1);
  EXPECT_EQ(PerimeterCell(geo, kSideTop, 0, -1), -1);
}
