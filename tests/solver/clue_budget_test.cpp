#include "solver/clue_budget.h"

#include <gtest/gtest.h>

#include <numeric>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "platform/random.h"
#include "solver/generation_run.h"

namespace quorbel {
namespace {

class ClueBudgetTest : public ::testing::Test {
protected:
  void SetUp() override { SetGridShape(*ctx, kDefaultShape, 1, 0); }

  int Allocated(int kind) const { return run.Clues.Allocated[kind]; }
  int AllocatedTotal() const {
    return std::accumulate(run.Clues.Allocated.begin(), run.Clues.Allocated.end(), 0);
  }

  std::unique_ptr<EngineContext> ctx = std::make_unique<EngineContext>();
  GenerationRun run;
  const int killer = HiddenVariantIndexOfStem("KILLS");
  const int xv = HiddenVariantIndexOfStem("XV");
};

TEST_F(ClueBudgetTest, TheBudgetGrowsWithTheDepth) {
  EXPECT_EQ(ClueBudget(0, 50), 5);
  EXPECT_EQ(ClueBudget(33, 60), 23);
  EXPECT_LT(ClueBudget(50, 60), ClueBudget(100, 60));
}

TEST_F(ClueBudgetTest, AGridWithoutClueKindsGetsNothing) {
  EXPECT_EQ(AllocateClueCounts(ctx->Random, ctx->Geo, kVarDiagonal | kVarIrregular, run, 0, 40, 30), 0);
  EXPECT_EQ(AllocatedTotal(), 0);
}

TEST_F(ClueBudgetTest, ANegativeBudgetAllocatesNothing) {
  EXPECT_EQ(AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum, run, 0, -5, 30), 0);
  EXPECT_EQ(AllocatedTotal(), 0);
}

TEST_F(ClueBudgetTest, TheBudgetIsSharedAmongTheKindsOfTheGrid) {
  ctx->Random.Seed(11);
  run.Clues.Allocated[HiddenVariantIndexOfStem("DOT")] = 7; // left from an earlier grid
  const int total = AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum | kVarXV, run, 1, 40, 30);
  EXPECT_EQ(total, AllocatedTotal());
  EXPECT_GE(total, 38) << "each share is truncated";
  EXPECT_LE(total, 40);
  EXPECT_EQ(Allocated(killer) + Allocated(xv), total);
  EXPECT_EQ(run.Clues.DepthIsMax, 1);

  GenerationRun again;
  ctx->Random.Seed(11);
  AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum | kVarXV, again, 1, 40, 30);
  EXPECT_EQ(again.Clues.Allocated, run.Clues.Allocated);
}

TEST_F(ClueBudgetTest, AKindIsHeldToItsDensityLimit) {
  run.Settings.Clues.Limit[killer] = 9; // 9 cages per 81 cells at factor 1
  const int total = AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum, run, 0, 40, 20);
  EXPECT_GE(Allocated(killer), 1);
  EXPECT_LE(Allocated(killer), 9);
  EXPECT_EQ(total, Allocated(killer));
}

TEST_F(ClueBudgetTest, AMinimumThatDoesNotFitLowersTheTotal) {
  run.Settings.Clues.Minimum[killer] = 20;
  // About 10 counted, 60 blanks: 81 - 10 - 60 = 11 cells of room for a minimum of 20.
  const int total = AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum, run, 0, 10, 60);
  EXPECT_EQ(total, 1);
  run.Settings.Clues.Minimum[killer] = 5;
  EXPECT_GE(AllocateClueCounts(ctx->Random, ctx->Geo, kVarKillerSum, run, 0, 10, 60), 9);
}

} // namespace
} // namespace quorbel
