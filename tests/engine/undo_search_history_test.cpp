#include <gtest/gtest.h>

#include "engine/search_history.h"
#include "undo_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class SearchHistoryTest : public ::testing::Test {
protected:
  UndoHost host;
  ShapedContext s{5, host};
  EngineContext &ctx = s.Ctx;
  SearchHistory &history = ctx.Solutions;
  GridRecord &grid = s.Main();

  // Stores a grid whose first row reads first, first + 1, ...
  GridRecord StoreRow(int first) {
    for (int col = 0; col < 9; ++col)
      StoreCellValue(ctx.Geo, grid.Cells[col], 1 + (first + col) % 9, kStatusHypothesis);
    EXPECT_EQ(StoreSearchSolution(ctx), 1);
    return Keep(ctx, grid);
  }
};

TEST_F(SearchHistoryTest, StoredSolutionsAreCountedAndShownAgain) {
  const GridRecord first = StoreRow(0);
  const GridRecord second = StoreRow(4);
  EXPECT_EQ(history.StoredCount, 2);
  grid.Cells[0].Value = 0;

  EXPECT_EQ(ShowSearchSolution(ctx, 0), 1);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, first));
  EXPECT_EQ(history.ShownLevel, 0);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].Number, 18);
  const std::vector<MessageArg> args = {98332, 1, 2, std::string()};
  EXPECT_EQ(host.Messages[0].Args, args);
  ASSERT_EQ(host.Steps.size(), 1u);
  EXPECT_EQ(host.Steps[0].Code, 15); // DISPN 1: the first solution, wherever a replay stands
  EXPECT_EQ(host.Steps[0].Ints[0], 1);

  EXPECT_EQ(ShowSearchSolution(ctx, 1), 1);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, second));
  EXPECT_EQ(history.ShownLevel, 1);
}

TEST_F(SearchHistoryTest, ALevelNotStoredOrBeyondTheSettingIsRefusedAndChangesNothing) {
  StoreRow(0);
  StoreRow(2);
  grid.Cells[0].Value = 0;
  const GridRecord before = Keep(ctx, grid);
  EXPECT_EQ(ShowSearchSolution(ctx, 2), -1);
  EXPECT_EQ(ShowSearchSolution(ctx, -1), -1);
  ctx.Settings.MaxSearchSave = 1;
  EXPECT_EQ(ShowSearchSolution(ctx, 1), -1);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, before));
  EXPECT_EQ(history.ShownLevel, -1);
  EXPECT_TRUE(host.Messages.empty());
  EXPECT_TRUE(host.Steps.empty());
}

TEST_F(SearchHistoryTest, LevelsBeyond105AreRefused) {
  for (int level = 0; level <= 105; ++level)
    ASSERT_EQ(StoreSearchSolution(ctx), 1) << "level " << level;
  EXPECT_EQ(StoreSearchSolution(ctx), 0);
  EXPECT_EQ(history.StoredCount, 106);
}

TEST_F(SearchHistoryTest, AnEmptiedHistoryHandsOutNoOlderSolution) {
  StoreRow(0);
  InitSearchHistory(history);
  EXPECT_EQ(history.StoredCount, 0);
  EXPECT_EQ(history.ShownLevel, -1);
  EXPECT_EQ(StoredSolution(history, 0, 0), nullptr);
  GridRecord &ref = ctx.Grids.RefTab[0];
  const GridRecord before = Keep(ctx, ref);
  EXPECT_EQ(CopyStoredSolution(ctx, 0, 0, ref), 0);
  EXPECT_TRUE(SameGrid(ctx.Geo, ref, before));
  EXPECT_EQ(ShowSearchSolution(ctx, 0), -1);
}

TEST_F(SearchHistoryTest, TheFirstSolutionOfEachLinkedGridCopiesIntoItsReferenceGrid) {
  ctx.Grids.MainCount = 2;
  ctx.Grids.Main[1].Cells[7].Value = 6;
  const GridRecord first = StoreRow(0);
  const GridRecord linked = Keep(ctx, ctx.Grids.Main[1]);
  StoreRow(3);

  EXPECT_EQ(CopyStoredSolution(ctx, 0, 0, ctx.Grids.RefTab[0]), 1);
  EXPECT_EQ(CopyStoredSolution(ctx, 0, 1, ctx.Grids.RefTab[1]), 1);
  EXPECT_TRUE(SameGrid(ctx.Geo, ctx.Grids.RefTab[0], first));
  EXPECT_TRUE(SameGrid(ctx.Geo, ctx.Grids.RefTab[1], linked));
  EXPECT_EQ(StoredSolution(history, 0, 2), nullptr);
  EXPECT_EQ(StoredSolution(history, 0, 12), nullptr);
}
