#include "solver/carving_blank_counts.h"

#include <gtest/gtest.h>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "platform/random.h"
#include "solver/generation_run.h"

namespace quorbel {
namespace {

class BlankCountTest : public ::testing::Test {
protected:
  void SetUp() override { SetGridShape(*ctx, kDefaultShape, 1, 0); }

  std::unique_ptr<EngineContext> ctx = std::make_unique<EngineContext>();
  GenerationRun run;
};

TEST_F(BlankCountTest, NineByNineTerribleBlanksFiftySixToSixtyOne) {
  for (uint32_t seed = 0; seed < 300; ++seed) {
    Random15 random(seed);
    const BlankPlan plan = DrawBlankPlan(random, 9, 4);
    ASSERT_GE(plan.Blanks, 56);
    ASSERT_LE(plan.Blanks, 61);
    ASSERT_EQ(plan.Extra, 5);
  }
}

TEST_F(BlankCountTest, ALevelOutsideOneToFourCountsAsEasy) {
  Random15 random;
  for (int level : {0, 5, -3}) {
    random.Seed(3);
    const BlankPlan plan = DrawBlankPlan(random, 16, level);
    random.Seed(3);
    const BlankPlan easy = DrawBlankPlan(random, 16, 1);
    EXPECT_EQ(plan.Blanks, easy.Blanks);
    EXPECT_EQ(plan.Extra, 1);
  }
  EXPECT_EQ(DrawBlankPlan(random, 10, 2).Blanks, 0) << "no table for that width";
}

TEST_F(BlankCountTest, RulesThatAddInformationLetMoreCellsGo) {
  GridRecord &grid = ctx->Grids.Main[0];
  EXPECT_EQ(CorrectBlanksForRules(*ctx, grid, run, 40), 40);
  grid.GridVar = kVarDiagonal | kVarExtraRegion; // one more unit, counted once
  EXPECT_EQ(CorrectBlanksForRules(*ctx, grid, run, 40), 49);
  grid.GridVar = kVarTransfer;
  run.Settings.Clues.Minimum[kClueTransfer] = 18;
  EXPECT_EQ(CorrectBlanksForRules(*ctx, grid, run, 40), 58);
  grid.GridVar = {};
  run.CurrentWords = kVarNoConsecutive | kVarNoTouch; // 1.55 x 9 and 0.4 x 9, truncated
  EXPECT_EQ(CorrectBlanksForRules(*ctx, grid, run, 40), 40 + 13 + 3);
}

TEST_F(BlankCountTest, TwinsEqualKeepsFewerGivensPerGrid) {
  GridRecord &grid = ctx->Grids.Main[0];
  run.CurrentWords = kVarTwinsEqual;
  run.GridCount = 2;
  // 41 kept: (41 x 0.522580622 + 0.064515887) x 1.22 = 26.22...
  EXPECT_EQ(CorrectBlanksForRules(*ctx, grid, run, 40), 81 - 26);
}

} // namespace
} // namespace quorbel
