#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/variant_bits.h"
#include "engine_test_support.h"
#include "platform/random.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

// Every byte of a plain record drawn at random: every item of every list, every
// table entry and every single word differs from a fresh grid's.
template <typename T> void FillWithNoise(T &record, uint32_t seed) {
  static_assert(std::is_trivially_copyable_v<T>);
  Random15 noise(seed);
  auto *bytes = reinterpret_cast<unsigned char *>(&record);
  for (size_t i = 0; i < sizeof(T); ++i)
    bytes[i] = static_cast<unsigned char>(noise.Next());
}

} // namespace

class GridCopy : public ::testing::Test {
protected:
  ShapedContext s{5};
  const GridGeometry &geo = s.Ctx.Geo;
  GridRecord &src = s.Ctx.Grids.Main[0];
  GridRecord &dst = s.Ctx.Grids.Main[1];
};

TEST_F(GridCopy, ReproducesEveryVariantListItem) {
  FillWithNoise(src.Lists, 11);
  FillWithNoise(src.Work, 12);
  ASSERT_FALSE(dst.Lists == src.Lists);
  ASSERT_FALSE(dst.Work == src.Work);
  EXPECT_EQ(CopyGrid(s.Ctx, dst, &src, kCopyBoth), 1);
  EXPECT_TRUE(dst.Lists == src.Lists);
  EXPECT_TRUE(dst.Work == src.Work);
}

TEST_F(GridCopy, CarriesTheGridWordsTablesAndCells) {
  src.Lists.Killer.Append({2, {3, 4}, 9, 0});
  src.Lists.Comparisons.Append({5, 6, 8});
  src.GridVar = kVarKillerSum | kVarChess;
  src.Comment = "Killer of the week";
  src.State = kGridOpen;
  src.SudMissing = 77;
  src.BlockCells[8][8] = 3;
  src.RegionMark[2][5] = 2;
  src.DirectionSteps = {-9, 1, 9, -1, -9, 1, 9, -1};
  src.Cells[12].Value = 6;
  src.Cells[12].Status = kStatusFixed;
  src.Cells[100].ThePoss = 0x1F;
  src.TheMinPoss = 12; // search state stays with each grid

  CopyGrid(s.Ctx, dst, &src, kCopyBoth);
  EXPECT_EQ(dst.Lists.Killer.Used()[0].Target, 9);
  EXPECT_EQ(dst.Lists.Comparisons.Used()[0].Kind, 8);
  EXPECT_EQ(dst.GridVar, kVarKillerSum | kVarChess);
  EXPECT_EQ(dst.Comment, "Killer of the week");
  EXPECT_EQ(dst.State, kGridOpen);
  EXPECT_EQ(dst.SudMissing, 77);
  EXPECT_EQ(dst.BlockCells[8][8], 3);
  EXPECT_EQ(dst.RegionMark[2][5], 2);
  EXPECT_EQ(dst.DirectionSteps, src.DirectionSteps);
  EXPECT_EQ(dst.Cells[12].Value, 6);
  EXPECT_EQ(dst.Cells[12].Status, kStatusFixed);
  EXPECT_EQ(dst.Cells[100].ThePoss, 0x1Fu);
  EXPECT_EQ(dst.NRecords, src.NRecords);
  EXPECT_EQ(dst.TheMinPoss, -1);
  EXPECT_NE(dst.Id, src.Id);
}

TEST_F(GridCopy, CopyModesChooseTheCellParts) {
  src.Cells[3].Value = 5;
  src.Cells[3].OddEven = 0;
  CopyGrid(s.Ctx, dst, &src, kCopyValuePart);
  EXPECT_EQ(dst.Cells[3].Value, 5);
  EXPECT_EQ(dst.Cells[3].OddEven, -1);
  dst.Cells[3].Value = 0;
  CopyGrid(s.Ctx, dst, &src, kCopyVariantPart);
  EXPECT_EQ(dst.Cells[3].Value, 0);
  EXPECT_EQ(dst.Cells[3].OddEven, 0);
}

TEST_F(GridCopy, NoSourceChangesNothing) {
  dst.Cells[0].Value = 2;
  EXPECT_EQ(CopyGrid(s.Ctx, dst, nullptr, kCopyBoth), 0);
  EXPECT_EQ(dst.Cells[0].Value, 2);
  EXPECT_EQ(CopyGrid(s.Ctx, dst, &dst, kCopyBoth), 1);
  EXPECT_EQ(dst.Cells[0].Value, 2);
}

TEST_F(GridCopy, AFreshGridIsAllocatedForTheCurrentShape) {
  GridRecord scratch;
  src.Cells[80].Value = 9;
  src.Lists.Arrows.Append({3, {1, 2, 3}});
  EXPECT_EQ(CopyGrid(s.Ctx, scratch, &src, kCopyBoth), 1);
  EXPECT_EQ(scratch.AllocRecords, geo.NCellRecs);
  EXPECT_EQ(scratch.Cells.size(), static_cast<size_t>(geo.AllocatedRecords()));
  EXPECT_EQ(scratch.Cells[80].Value, 9);
  EXPECT_EQ(scratch.Cells[80].Index, 80);
  EXPECT_EQ(scratch.Lists.Arrows.Size(), 1);
  EXPECT_TRUE(SameValues(geo, scratch, src));
}

TEST_F(GridCopy, ASourceOfALargerShapeNeverOverrunsTheDestination) {
  ShapedContext large(8);
  GridRecord &big = large.Main();
  big.GridVar = kVarPuzzle;
  for (int i = 0; i < 20; ++i)
    big.Lists.Pieces.Append({10});
  ResetRegionTables(large.Ctx.Geo, big);
  ASSERT_GT(static_cast<size_t>(big.NRecords), dst.Cells.size());
  big.Cells[50].Value = 16;

  EXPECT_EQ(CopyGrid(s.Ctx, dst, &big, kCopyBoth), 1);
  EXPECT_EQ(dst.NRecords, static_cast<int>(dst.Cells.size()));
  EXPECT_EQ(dst.Cells.size(), static_cast<size_t>(geo.AllocatedRecords()));
  EXPECT_EQ(dst.Cells[50].Value, 16);
}

TEST_F(GridCopy, SameValuesComparesThePlayingCells) {
  EXPECT_EQ(SameValues(geo, src, dst), 1);
  src.Cells[40].Value = 3;
  EXPECT_EQ(SameValues(geo, src, dst), 0);
  dst.Cells[40].Value = 3;
  dst.Cells[90].Value = 8; // a unit summary, not a playing cell
  EXPECT_EQ(SameValues(geo, src, dst), 1);
  GridRecord empty;
  EXPECT_EQ(SameValues(geo, src, empty), 0);
}

TEST_F(GridCopy, CopyGridCellsCopiesOnlyThePlayingCells) {
  src.Cells[80].Value = 4;
  src.Cells[81].Value = 5;
  CopyGridCells(geo, kCopyBoth, dst, src);
  EXPECT_EQ(dst.Cells[80].Value, 4);
  EXPECT_EQ(dst.Cells[81].Value, 0);
}
