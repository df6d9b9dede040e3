#include <gtest/gtest.h>

#include "engine/grid_cells.h"
#include "engine/grid_shape.h"
#include "engine/undo_stack.h"
#include "undo_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

// Snapshots share what did not change; these tests check that sharing never lets an
// edit of one step show through in another.
class UndoSnapshotTest : public ::testing::Test {
protected:
  ShapedContext s{5};
  EngineContext &ctx = s.Ctx;
  UndoStack &stack = ctx.Undo;
  GridRecord &grid = s.Main();
};

TEST_F(UndoSnapshotTest, EveryStepComesBackWholeAfterManyEdits) {
  ctx.Grids.MainCount = 2;
  Random15 noise(3);
  std::vector<std::array<GridRecord, 2>> states;
  for (int step = 0; step < 300; ++step) {
    states.push_back({Keep(ctx, ctx.Grids.Main[0]), Keep(ctx, ctx.Grids.Main[1])});
    ASSERT_EQ(SaveDo(ctx), 1);
    Scribble(ctx.Geo, ctx.Grids.Main[0], noise);
    if (step % 7 == 0)
      Scribble(ctx.Geo, ctx.Grids.Main[1], noise);
  }
  states.push_back({Keep(ctx, ctx.Grids.Main[0]), Keep(ctx, ctx.Grids.Main[1])});

  for (int step = 299; step >= 0; --step) {
    UnDo(ctx);
    for (int slot = 0; slot < 2; ++slot)
      ASSERT_TRUE(SameGrid(ctx.Geo, ctx.Grids.Main[slot], states[step][slot])) << "step " << step;
  }
  for (int step = 1; step <= 300; ++step) {
    ReDo(ctx);
    for (int slot = 0; slot < 2; ++slot)
      ASSERT_TRUE(SameGrid(ctx.Geo, ctx.Grids.Main[slot], states[step][slot])) << "step " << step;
  }
}

TEST_F(UndoSnapshotTest, EditsAfterUndoAndANewSaveKeepTheOlderSteps) {
  Random15 noise(5);
  std::vector<GridRecord> states;
  for (int step = 0; step < 30; ++step) {
    states.push_back(Keep(ctx, grid));
    SaveDo(ctx);
    Scribble(ctx.Geo, grid, noise);
  }
  for (int k = 0; k < 12; ++k)
    UnDo(ctx);
  // A new branch from step 18, edited hard enough to need fresh keyframes.
  for (int step = 18; step < 40; ++step) {
    states.resize(step + 1);
    states[step] = Keep(ctx, grid);
    SaveDo(ctx);
    for (int k = 0; k < 4; ++k)
      Scribble(ctx.Geo, grid, noise);
  }
  for (int step = 39; step >= 0; --step) {
    UnDo(ctx);
    ASSERT_TRUE(SameGrid(ctx.Geo, grid, states[step])) << "step " << step;
  }
}

TEST_F(UndoSnapshotTest, AnUntouchedGridSharesTheSnapshotBeforeIt) {
  ctx.Grids.MainCount = 2;
  SaveDo(ctx);
  grid.Cells[5].Value = 2;
  SaveDo(ctx);
  EXPECT_NE(stack.Steps.Rows[1][0], stack.Steps.Rows[0][0]);
  EXPECT_EQ(stack.Steps.Rows[1][1], stack.Steps.Rows[0][1]);
  SaveDo(ctx);
  EXPECT_EQ(stack.Steps.Rows[2][0], stack.Steps.Rows[1][0]);
}

TEST_F(UndoSnapshotTest, CluesAreSharedUntilTheyChange) {
  grid.Lists.Killer.Append({2, {0, 1}, 7, 0});
  SaveDo(ctx);
  grid.Cells[20].ThePoss = 0x3;
  SaveDo(ctx);
  EXPECT_EQ(stack.Steps.Rows[1][0]->Lists, stack.Steps.Rows[0][0]->Lists);

  grid.Lists.Killer.Used()[0].Target = 8;
  SaveDo(ctx);
  EXPECT_NE(stack.Steps.Rows[2][0]->Lists, stack.Steps.Rows[1][0]->Lists);
  grid.Lists.Killer.Used()[0].Target = 9;
  UnDo(ctx);
  EXPECT_EQ(grid.Lists.Killer.Used()[0].Target, 8);
  UnDo(ctx);
  UnDo(ctx);
  EXPECT_EQ(grid.Lists.Killer.Used()[0].Target, 7);
}

TEST_F(UndoSnapshotTest, AStepThatChangesTheRecordsInUseComesBackWhole) {
  SaveDo(ctx);
  const GridRecord plain = Keep(ctx, grid);
  grid.GridVar = kVarPuzzle;
  grid.Lists.Pieces.Append({3, {0, 1, 2}, {}, {}, 0, 0, 0, 0});
  ResetRegionTables(ctx.Geo, grid);
  ASSERT_GT(grid.NRecords, plain.NRecords);
  grid.Cells[grid.NRecords - 1].Value = 4;
  const GridRecord withPieces = Keep(ctx, grid);

  UnDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, plain));
  ReDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, withPieces));
}

TEST_F(UndoSnapshotTest, UndoAcrossAShapeChangeStaysInsideTheCells) {
  grid.Cells[0].Value = 3;
  SaveDo(ctx);
  SetGridShape(ctx, 0, 1, 0); // 4 x 4: fewer records than the snapshot holds
  UnDo(ctx);
  EXPECT_LE(static_cast<size_t>(grid.NRecords), grid.Cells.size());
  EXPECT_EQ(grid.Cells.size(), static_cast<size_t>(ctx.Geo.AllocatedRecords()));
}

TEST_F(UndoSnapshotTest, RepeatingAnUndoneEditByHandStoresItAgain) {
  SaveDo(ctx);
  grid.Cells[1].Value = 1;
  SaveDo(ctx);
  grid.Cells[2].Value = 2;
  const GridRecord repeated = Keep(ctx, grid);
  UnDo(ctx);
  grid.Cells[2].Value = 2; // the same edit again, now without redo
  SaveDo(ctx);
  grid.Cells[3].Value = 3;
  UnDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, repeated));
}
