#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "engine/cell_actions.h"
#include "engine/undo_stack.h"
#include "undo_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class UndoStackTest : public ::testing::Test {
protected:
  UndoHost host;
  ShapedContext s{5, host};
  EngineContext &ctx = s.Ctx;
  UndoStack &stack = ctx.Undo;
  GridRecord &grid = s.Main();

  void Place(int cell, int value) { SetCellValue(ctx, grid, cell, value, kActionPlace); }
};

TEST_F(UndoStackTest, UndoAfterThreeSavesKeepsTheNewestStateForRedo) {
  std::vector<GridRecord> states;
  for (int step = 0; step < 3; ++step) {
    states.push_back(Keep(ctx, grid));
    ASSERT_EQ(SaveDo(ctx), 1);
    Place(step, step + 1);
  }
  states.push_back(Keep(ctx, grid));
  EXPECT_EQ(stack.ptUndo, 3);
  EXPECT_EQ(stack.maxPtUndo, 2);

  EXPECT_EQ(UnDo(ctx), 1);
  EXPECT_EQ(stack.ptUndo, 2);
  EXPECT_EQ(stack.maxPtUndo, 3);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, states[2]));

  EXPECT_EQ(ReDo(ctx), 1);
  EXPECT_EQ(stack.ptUndo, 3);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, states[3]));
  EXPECT_FALSE(CanRedo(stack));
}

TEST_F(UndoStackTest, UndoWalksBackToTheFirstStateAndRedoForward) {
  std::vector<GridRecord> states;
  for (int step = 0; step < 4; ++step) {
    states.push_back(Keep(ctx, grid));
    SaveDo(ctx);
    Place(10 + step, 9 - step);
  }
  states.push_back(Keep(ctx, grid));

  for (int step = 3; step >= 0; --step) {
    ASSERT_TRUE(CanUndo(stack));
    UnDo(ctx);
    EXPECT_TRUE(SameGrid(ctx.Geo, grid, states[step])) << "undo to " << step;
  }
  EXPECT_FALSE(CanUndo(stack));
  UnDo(ctx); // nothing left: the grid stays, the attempt still counts
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, states[0]));
  EXPECT_EQ(stack.UndoCount, 5);

  for (int step = 1; step <= 4; ++step) {
    ASSERT_TRUE(CanRedo(stack));
    ReDo(ctx);
    EXPECT_TRUE(SameGrid(ctx.Geo, grid, states[step])) << "redo to " << step;
  }
  ReDo(ctx);
  EXPECT_EQ(stack.RedoCount, 4);
}

TEST_F(UndoStackTest, ASaveAfterUndoDropsTheRedoSteps) {
  for (int step = 0; step < 3; ++step) {
    SaveDo(ctx);
    Place(step, 1 + step);
  }
  UnDo(ctx);
  UnDo(ctx);
  const GridRecord beforeEdit = Keep(ctx, grid);
  SaveDo(ctx);
  Place(40, 7);
  EXPECT_EQ(stack.maxPtUndo, stack.ptUndo - 1);
  EXPECT_FALSE(CanRedo(stack));
  EXPECT_EQ(stack.Steps.Rows.size(), static_cast<size_t>(stack.ptUndo));

  UnDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, beforeEdit));
}

TEST_F(UndoStackTest, TheSaveAfterRow2995IsRefusedAndUndoStillStepsBackOnce) {
  GridRecord beforeLastSave;
  for (int step = 0; step < 2996; ++step) {
    if (step == 2995)
      beforeLastSave = Keep(ctx, grid);
    ASSERT_EQ(SaveDo(ctx), 1) << "save " << step;
    Place(step % 81, 1 + step % 9);
  }
  EXPECT_EQ(SaveDo(ctx), 0);
  EXPECT_EQ(stack.ptUndo, 2996);
  EXPECT_EQ(stack.maxPtUndo, 2995);

  // The edit goes on without its undo step; undoing from the full stack must not skip row 2995.
  Place(80, 9);
  const GridRecord newest = Keep(ctx, grid);
  UnDo(ctx);
  EXPECT_EQ(stack.ptUndo, 2995);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, beforeLastSave));
  ReDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, grid, newest));
}

TEST_F(UndoStackTest, CleanLastDoDropsTheNewestRowAndNeverTakesTheCountBelowZero) {
  CleanLastDo(ctx);
  EXPECT_EQ(stack.ptUndo, 0);
  EXPECT_EQ(stack.maxPtUndo, -1);
  EXPECT_EQ(stack.UndoCount, 0);

  SaveDo(ctx);
  CleanLastDo(ctx);
  EXPECT_FALSE(CanUndo(stack));
  EXPECT_EQ(stack.maxPtUndo, -1);
  EXPECT_EQ(stack.UndoCount, 0);

  UnDo(ctx);
  EXPECT_EQ(stack.UndoCount, 1);
  CleanLastDo(ctx);
  CleanLastDo(ctx);
  EXPECT_EQ(stack.UndoCount, 0);
}

TEST_F(UndoStackTest, ResetDoFreesEverySnapshotOfEveryGrid) {
  ctx.Grids.MainCount = 3;
  Random15 noise(7);
  for (int step = 0; step < 40; ++step) {
    SaveDo(ctx);
    Scribble(ctx.Geo, ctx.Grids.Main[step % 3], noise);
  }
  UnDo(ctx);
  std::vector<std::weak_ptr<const GridSnapshot>> stored;
  for (const SnapshotRow &row : stack.Steps.Rows)
    for (int slot = 0; slot < 3; ++slot) {
      ASSERT_NE(row[slot], nullptr);
      stored.push_back(row[slot]);
      stored.push_back(row[slot]->Keyframe);
    }

  const GridRecord current = Keep(ctx, ctx.Grids.Main[1]);
  ResetDo(ctx);
  for (const auto &snapshot : stored)
    EXPECT_TRUE(snapshot.expired());
  EXPECT_EQ(stack.ptUndo, 0);
  EXPECT_EQ(stack.maxPtUndo, -1);
  UnDo(ctx);
  EXPECT_TRUE(SameGrid(ctx.Geo, ctx.Grids.Main[1], current));
}

TEST_F(UndoStackTest, AnUndoLeavesTheSearchStateAndTheIdentityOfEachGrid) {
  SaveDo(ctx);
  Place(3, 4);
  grid.Cells[3].SavedStatus = kStatusHypothesis;
  grid.TheMinPoss = 3;
  const int id = grid.Id;
  UnDo(ctx);
  EXPECT_EQ(grid.Cells[3].Value, 0);
  EXPECT_EQ(grid.Cells[3].SavedStatus, kStatusHypothesis);
  EXPECT_EQ(grid.TheMinPoss, 3);
  EXPECT_EQ(grid.Id, id);
}

TEST_F(UndoStackTest, EachOperationTracesThePointersWhenDebugUndoIsOn) {
  SaveDo(ctx);
  EXPECT_TRUE(host.Lines.empty());

  ctx.Settings.DebugUndo = 1;
  ResetDo(ctx);
  SaveDo(ctx);
  Place(0, 5);
  UnDo(ctx);
  ReDo(ctx);
  CleanLastDo(ctx);
  const std::vector<std::string> expected = {
      "ResetDo:Tab=# ptUndo=0  maxPtUndo=-1\n", "SaveDo:Tab=# ptUndo=1  maxPtUndo=0\n",
      "SaveDo:Tab=# ptUndo=2  maxPtUndo=1\n",   "UnDo:Tab=# ptUndo=0  maxPtUndo=1\n",
      "ReDo:Tab=# ptUndo=1  maxPtUndo=1\n",     "CleanLastDo:Tab=# ptUndo=0  maxPtUndo=0\n",
  };
  ASSERT_EQ(host.Lines.size(), expected.size());
  const std::regex address("Tab=[0-9a-f]+ ");
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(std::regex_replace(host.Lines[i], address, "Tab=# "), expected[i]);
}
