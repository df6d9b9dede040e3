#include <gtest/gtest.h>

#include "engine/grid_services.h"
#include "engine/search_debug.h"
#include "engine/text_line.h"
#include "engine_test_support.h"
#include "platform/paths.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;

class GridReinit : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{kShape4, host};
  GridSet &set = s.Ctx.Grids;

  void SetUp() override {
    ResetGridSet(s.Ctx, 2);
    for (int slot = 0; slot < 2; ++slot) {
      GridRecord &grid = set.Main[slot];
      grid.Cells[1].CellHighlight = 1;
      grid.Cells[s.Ctx.Geo.RowUnitBase].UnitHighlight = 1;
      grid.TrialWord = 3;
      grid.Cells[2].ColourValue = 4;
      SetCellValue(s.Ctx, grid, 3, 2, kActionPlace);
      grid.Cells[3].Status = kStatusPlacedLastStep;
    }
  }
};

TEST_F(GridReinit, AlwaysClearsHighlightsAndTrialsOfEveryMainGrid) {
  ReinitGrids(s.Ctx, 0, 0, 0, 0);
  EXPECT_EQ(host.TrialMarkClears, 1);
  for (int slot = 0; slot < 2; ++slot) {
    const GridRecord &grid = set.Main[slot];
    EXPECT_EQ(grid.Cells[1].CellHighlight, 0);
    EXPECT_EQ(grid.Cells[s.Ctx.Geo.RowUnitBase].UnitHighlight, 0);
    EXPECT_EQ(grid.TrialWord, 0);
    EXPECT_EQ(grid.Cells[3].Status, kStatusPlacedLastStep);
    EXPECT_EQ(grid.Cells[2].ColourValue, 4);
  }
  EXPECT_EQ(host.UndoPendingReads, 0);
}

TEST_F(GridReinit, CommitsAndClearsColoursOnRequest) {
  ReinitGrids(s.Ctx, 0, 1, 1, 0);
  for (int slot = 0; slot < 2; ++slot) {
    EXPECT_EQ(set.Main[slot].Cells[3].Status, kStatusPlaced);
    EXPECT_EQ(set.Main[slot].Cells[2].ColourValue, -1);
  }
}

TEST_F(GridReinit, EndingTheSearchPutsTrialCellsBack) {
  GridRecord &grid = set.Main[1];
  MakeOpenCell(s.Ctx.Geo, grid.Cells[8], {1, 2});
  ASSERT_EQ(EnterHypothesis(s.Ctx, grid, 8), 1);
  grid.Cells[8].ThePoss = MaskOf({1, 2});
  NextHypothesisValue(s.Ctx, grid, 8);
  ASSERT_EQ(grid.Cells[8].Status, kStatusHypothesis);
  ReinitGrids(s.Ctx, 1, 0, 0, 0);
  EXPECT_EQ(grid.Cells[8].Status, kStatusEmpty);
  EXPECT_EQ(grid.Cells[8].Value, 0);
}

TEST_F(GridReinit, AsksForThePendingUndoOnlyWhenTold) {
  host.UndoPending = true;
  ReinitGrids(s.Ctx, 0, 0, 0, 0);
  EXPECT_TRUE(host.UndoPending);
  ReinitGrids(s.Ctx, 0, 0, 0, 1);
  EXPECT_EQ(host.UndoPendingReads, 1);
  EXPECT_FALSE(host.UndoPending);
}

class SearchTrace : public ::testing::Test {
protected:
  quorbel::testing::TempDir dir;
  std::string previousStart = StartDirectory();
  EngineContext ctx;

  void SetUp() override { SetStartDirectory(dir.Path().string()); }
  void TearDown() override { SetStartDirectory(previousStart); }
  std::string Trace() { return quorbel::testing::ReadBytes(dir.File("mydebug/debugSearch.txt")); }
};

TEST_F(SearchTrace, WritesNothingWhileTheSwitchIsOff) {
  EXPECT_EQ(WriteSearchDebug(ctx, "b 01\n", 1), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("mydebug")));
}

TEST_F(SearchTrace, StartsAFreshFileThenAppends) {
  ctx.Settings.DebugSearch = 1;
  ASSERT_EQ(WriteSearchDebug(ctx, "old\n", 1), 1);
  ASSERT_EQ(WriteSearchDebug(ctx, "b 01\n", 1), 1);
  ASSERT_EQ(WriteSearchDebug(ctx, "i 02\n", 0), 1);
  EXPECT_EQ(Trace(), "b 01\ni 02\n");
}

TEST(SmallOperations, ALineStopsAtItsEndOrItsComment) {
  EXPECT_EQ(CopyLineUntilComment("IRG 9;comment"), "IRG 9");
  EXPECT_EQ(CopyLineUntilComment("abc\r\nnext"), "abc");
  EXPECT_EQ(CopyLineUntilComment("plain"), "plain");
  EXPECT_EQ(CopyLineUntilComment(std::string(5000, 'x')).size(), kMaxCopiedLine);
}

TEST(SmallOperations, BitCounts) {
  EXPECT_EQ(CountBits64(0x8000000000000001ull), 2);
  EXPECT_EQ(CountBits16(0x1FFFF), 16);
  EXPECT_EQ(CountBits16(0x0101), 2);
}

} // namespace
