#include <gtest/gtest.h>

#include <limits>

#include "app/stopwatch.h"

using namespace quorbel;

namespace {

Stopwatch Stopped() {
  Stopwatch sw;
  InitStopwatch(sw);
  return sw;
}

} // namespace

TEST(Stopwatch, EachStopKeepsOnlyTheWholeSecondsOfItsPeriod) {
  Stopwatch sw = Stopped();
  StartStopwatch(sw, 10'000);
  StopStopwatch(sw, 11'900);
  StartStopwatch(sw, 20'000);
  StopStopwatch(sw, 21'900);
  EXPECT_EQ(sw.Seconds, 2); // 1.9 s twice: 2, not 3
  EXPECT_EQ(sw.StartTick, -1);
  EXPECT_DOUBLE_EQ(StopwatchSeconds(sw, 99'999), 2.0);

  // A grid file may hold any total; the stop holds it at the most seconds there are.
  sw.Seconds = std::numeric_limits<int32_t>::max() - 1;
  StartStopwatch(sw, 0);
  StopStopwatch(sw, 5'000);
  EXPECT_EQ(sw.Seconds, std::numeric_limits<int32_t>::max());
}

TEST(Stopwatch, StartingOrStoppingTwiceActsOnce) {
  Stopwatch sw = Stopped();
  StartStopwatch(sw, 1'000);
  StartStopwatch(sw, 5'000); // the first start stands
  StopStopwatch(sw, 8'000);
  StopStopwatch(sw, 60'000); // already stopped: nothing more
  EXPECT_EQ(sw.Seconds, 7);
}

TEST(Stopwatch, ARunningReadingIncludesTheFractionOfItsPeriod) {
  Stopwatch sw = Stopped();
  sw.Seconds = 4;
  StartStopwatch(sw, 1'000);
  EXPECT_DOUBLE_EQ(StopwatchSeconds(sw, 3'500), 6.5);
  EXPECT_TRUE(StopwatchRunning(sw));
}

TEST(Stopwatch, RunsAcrossTheWrapOfTheClock) {
  Stopwatch sw = Stopped();
  StartStopwatch(sw, 0xFFFFF000u);
  StopStopwatch(sw, 0x00001000u); // 8192 ms later
  EXPECT_EQ(sw.Seconds, 8);
}

TEST(Stopwatch, AStartAtTheTickThatMeansStoppedStillRuns) {
  Stopwatch sw = Stopped();
  StartStopwatch(sw, 0xFFFFFFFFu);
  EXPECT_TRUE(StopwatchRunning(sw));
  StopStopwatch(sw, 2'000);
  EXPECT_EQ(sw.Seconds, 2);
}

TEST(Stopwatch, ResetZeroesAndRunsOnlyWhenAsked) {
  Stopwatch sw = Stopped();
  sw.Seconds = 30;
  ResetStopwatch(sw, 1, 7'000);
  EXPECT_EQ(sw.Seconds, 0);
  EXPECT_EQ(sw.StartTick, 7'000);
  ResetStopwatch(sw, 0, 9'000);
  EXPECT_FALSE(StopwatchRunning(sw));
}

TEST(Stopwatch, RebaseKeepsTheLengthOfTheRunningPeriod) {
  Stopwatch running = Stopped();
  StartStopwatch(running, 10'000);
  // Saved at 13 s, loaded when the machine's clock reads 500 s.
  RebaseStopwatch(running, 13'000, 500'000);
  EXPECT_DOUBLE_EQ(StopwatchSeconds(running, 500'000), 3.0);

  Stopwatch stopped = Stopped();
  stopped.Seconds = 12;
  RebaseStopwatch(stopped, 13'000, 500'000);
  EXPECT_EQ(stopped.StartTick, -1);
  EXPECT_EQ(stopped.Seconds, 12);
}
