#include <gtest/gtest.h>

#include "engine/undo_services.h"
#include "engine/undo_stack.h"
#include "undo_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class UndoServicesTest : public ::testing::Test {
protected:
  UndoHost host;
  ShapedContext s{5, host};
  EngineContext &ctx = s.Ctx;
};

TEST_F(UndoServicesTest, SavingMarksTheDocumentModifiedEvenWhenTheStackIsFull) {
  EXPECT_EQ(SaveUndoState(ctx), 1);
  EXPECT_EQ(host.Marked, std::vector<std::string>{""});
  ctx.Undo.ptUndo = kLastSaveRow + 1;
  EXPECT_EQ(SaveUndoState(ctx), 0);
  EXPECT_EQ(host.Marked.size(), 2u);
}

TEST_F(UndoServicesTest, UndoingEveryStepMakesTheDocumentUnmodified) {
  SaveUndoState(ctx);
  SaveUndoState(ctx);
  UndoLastState(ctx);
  EXPECT_EQ(ctx.Undo.ptUndo, 1);
  EXPECT_EQ(host.ModifiedClears, 0);
  EXPECT_EQ(host.PendingClears, 1);
  UndoLastState(ctx);
  EXPECT_EQ(ctx.Undo.ptUndo, 0);
  EXPECT_EQ(host.ModifiedClears, 1);
  EXPECT_EQ(host.PendingClears, 2);
}

TEST_F(UndoServicesTest, ClearingTheHistoryLeavesNothingToUndoOrRedo) {
  SaveUndoState(ctx);
  SaveUndoState(ctx);
  UndoLastState(ctx);
  ClearUndoHistory(ctx);
  EXPECT_FALSE(CanUndo(ctx.Undo));
  EXPECT_FALSE(CanRedo(ctx.Undo));
}
