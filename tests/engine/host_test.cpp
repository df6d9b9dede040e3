#include <gtest/gtest.h>

#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

TEST(OutOfMemory, TheHostShowsTheMessageAndTheProcessStops) {
  EngineContext ctx;
  ctx.Settings.Language = kLanguageEnglish;
  EXPECT_EXIT(AbortOutOfMemory(ctx), ::testing::ExitedWithCode(255), "Not Enough Memory. Program Abort");
  ctx.Settings.Language = kLanguageFrench;
  EXPECT_EXIT(AbortOutOfMemory(ctx), ::testing::ExitedWithCode(255), "Arrêt programme.");
}
