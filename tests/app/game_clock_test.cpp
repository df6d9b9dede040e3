// The game clock: elapsed time and pauses, the clock picture's frames, the timed game's urgency
// and ticks, the pane texts, and the cells the timed game destroys after its limit.
#include <gtest/gtest.h>

#include "app/game_clock.h"
#include "engine/cell_actions.h"
#include "tests/engine/engine_test_support.h"
#include "view/status_texts.h"

namespace quorbel {
namespace {

TEST(GameClockTest, TheClockOpensInSevenTicksThenRunsThroughSixStages) {
  GameClock clock;
  StartGameClock(clock, 60000, 1000);
  int ticks = 0;
  while (clock.Phase == ClockPhase::Opening && ticks < 20) {
    EXPECT_EQ(StepClockPicture(clock, kModeTimed), 1);
    ++ticks;
  }
  EXPECT_EQ(ticks, 7);
  clock.Elapsed = 30000;
  StepClockPicture(clock, kModeTimed);
  EXPECT_EQ(clock.Frame, 3 * 3 + 1 + kClockOpeningFrames);
  // The limit itself is still play time; the millisecond after it, the timed clock stops.
  clock.Elapsed = 60000;
  StepClockPicture(clock, kModeTimed);
  EXPECT_EQ(clock.Phase, ClockPhase::Running);
  EXPECT_EQ(RemainingMs(clock), 0);
  clock.Elapsed = 60001;
  StepClockPicture(clock, kModeTimed);
  EXPECT_EQ(clock.Phase, ClockPhase::Stopped);
  EXPECT_EQ(StepClockPicture(clock, kModeTimed), 0);
}

TEST(GameClockTest, NoLimitAndLongGamesNeitherDivideByZeroNorOverflow) {
  EXPECT_EQ(RunningClockFrame(5000, 0, 1), kClockOpeningFrames + 1);
  // 400 hours in milliseconds times six does not fit in 32 bits.
  EXPECT_EQ(RunningClockFrame(int64_t{400} * 3600 * 1000, 3600 * 1000, 0),
            (kUrgencyStages - 1) * kFramesPerStage + kClockOpeningFrames);
  EXPECT_EQ(UrgencyLevel(90000, 0), 2);
  GameClock clock;
  StartGameClock(clock, 0, 0);
  clock.Phase = ClockPhase::Running;
  clock.Elapsed = 1000;
  EXPECT_EQ(StepClockPicture(clock, kModeChampion), 1);
  EXPECT_EQ(clock.Phase, ClockPhase::Running);
}

TEST(GameClockTest, PausedSecondsMoveTheStartSoTheTimeResumesWhereItStopped) {
  GameClock clock;
  StartGameClock(clock, 60000, 0xFFFFF000u); // across the wrap of the millisecond clock
  UpdateElapsed(clock, 0xFFFFF000u + 5000);
  EXPECT_EQ(clock.Elapsed, 5000);
  clock.Start += 3000; // three paused seconds
  UpdateElapsed(clock, 0xFFFFF000u + 8000);
  EXPECT_EQ(clock.Elapsed, 5000);
  UpdateElapsed(clock, clock.Start - 100); // the start just ahead of the clock: the time stays
  EXPECT_EQ(clock.Elapsed, 5000);
  GameCounters counters;
  EXPECT_TRUE(ClockRuns(counters, 1, 0));
  EXPECT_FALSE(ClockRuns(counters, 1, 1));
  EXPECT_FALSE(ClockRuns(counters, 0, 0));
  counters.GameFinished = 1;
  EXPECT_FALSE(ClockRuns(counters, 1, 0));
}

TEST(GameClockTest, UrgencyClimbsFromHalfTimeAndSetsTheTickPeriod) {
  EXPECT_EQ(UrgencyLevel(20000, 100000), 2);
  EXPECT_EQ(UrgencyLevel(50000, 100000), 2);
  EXPECT_EQ(UrgencyLevel(60000, 100000), 3);
  EXPECT_EQ(UrgencyLevel(100000, 100000), 7);
  EXPECT_EQ(TickPeriodMs(3), 0);
  EXPECT_EQ(TickPeriodMs(4), 4000);
  EXPECT_EQ(TickPeriodMs(5), 2000);
  EXPECT_EQ(TickPeriodMs(7), 1000);
}

TEST(GameClockTest, PaneTextsUseTheirFormats) {
  EXPECT_EQ(ClockText(3723000), "01:02:03");
  EXPECT_EQ(ClockText(-5), "00:00:00");
  EXPECT_EQ(ScorePaneText(19.45f, false), "Score:19.45");
  EXPECT_EQ(ScorePaneText(5.5f, false), "Score:05.50");
  EXPECT_EQ(ScorePaneText(19.0f, true), "Score:00019");
  EXPECT_EQ(ModePaneText(2, false, Language::English), "Quick     ");
  EXPECT_EQ(ModePaneText(6, true, Language::English), "Challenge-Run");
  EXPECT_EQ(MacroPaneText(true, 0), "MACRO");
  EXPECT_EQ(MacroPaneText(false, 1), "MACRO");
  EXPECT_EQ(MacroPaneText(false, 2), "EXPER");
  EXPECT_EQ(MacroPaneText(false, 0), " ");
}

TEST(GameClockTest, TheTimedGameDestroysValuesGoingRoundTheGrid) {
  test::ShapedContext shaped(0);
  GridRecord &grid = shaped.Main();
  BoardAnimations animations;
  for (int cell = 0; cell < 16; ++cell)
    SetCellValue(shaped.Ctx, grid, cell, 0, kActionClear);
  EXPECT_EQ(FindCellToDestroy(shaped.Ctx.Geo, grid, 0, animations, 3), -1);
  SetCellValue(shaped.Ctx, grid, 2, 1, kActionPlaceFixed);
  SetCellValue(shaped.Ctx, grid, 9, 3, kActionPlace);
  EXPECT_EQ(FindCellToDestroy(shaped.Ctx.Geo, grid, 0, animations, 3), 9);
  EXPECT_EQ(FindCellToDestroy(shaped.Ctx.Geo, grid, 0, animations, 12), 2);
  (*animations.Of(shaped.Ctx, 0, 9))[kValuePicture].EffectCountdown = 5; // already going
  EXPECT_EQ(FindCellToDestroy(shaped.Ctx.Geo, grid, 0, animations, 3), 2);
  EXPECT_EQ(CountPlacedCells(shaped.Ctx.Geo, grid), 1);
}

} // namespace
} // namespace quorbel
