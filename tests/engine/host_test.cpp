#include <gtest/gtest.h>

#include "engine/grid_cells.h"
#include "engine_test_support.h"
#include "platform/random.h"

using namespace quorbel;
using namespace quorbel::test;

TEST(OutOfMemory, TheHostShowsTheMessageAndTheProcessStops) {
  EngineContext ctx;
  ctx.Settings.Language = kLanguageEnglish;
  EXPECT_EXIT(AbortOutOfMemory(ctx), ::testing::ExitedWithCode(255), "Not Enough Memory. Program Abort");
  ctx.Settings.Language = kLanguageFrench;
  EXPECT_EXIT(AbortOutOfMemory(ctx), ::testing::ExitedWithCode(255), "Arrêt programme.");
}

class CellAnimations : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{5, host};
};

TEST_F(CellAnimations, SolvedGridsAnimateEveryPlayingCell) {
  s.Ctx.Random.Seed(1);
  StartCellAnimations(s.Ctx, s.Main());
  ASSERT_EQ(host.Animations.size(), 81u);
  for (size_t i = 0; i < host.Animations.size(); ++i) {
    EXPECT_EQ(host.Animations[i].Anim, &s.Main().Cells[i].ValueImage);
    EXPECT_EQ(host.Animations[i].Mode, kAnimCountedLoops);
    EXPECT_GE(host.Animations[i].Count, 1);
    EXPECT_LE(host.Animations[i].Count, 5);
  }
  // The generator seeded with 1 draws 41 first: 5 * 41 / 32767 = 0, so one loop.
  EXPECT_EQ(host.Animations[0].Count, 1);
}

TEST_F(CellAnimations, NothingMovesWhenAnimatedPicturesAreOff) {
  s.Ctx.Settings.AnimatedImages = 0;
  StartCellAnimations(s.Ctx, s.Main());
  EXPECT_TRUE(host.Animations.empty());
}
