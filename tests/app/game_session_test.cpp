// The game in play without a window: the timed game's surprises before its limit, the values it
// takes back after it, the end that comes once, the errors and the notes of each placement.
#include "app/game_session.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "engine/variant_bits.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

constexpr int32_t kLimitMs = 60000;

class TimedGame : public ::testing::Test {
protected:
  void SetUp() override {
    session_.Random.Seed(7);
    SetGridShape(ctx_, 0, 1, 0); // 4 x 4
    StartSessionClock(session_, kLimitMs, 0);
  }
  TimedStep At(int32_t elapsedMs, SymbolMode shown = kSymbolDigits, bool destroy = true) {
    session_.Clock.Elapsed = elapsedMs;
    return NextTimedStep(session_, ctx_, animations_, shown, destroy);
  }
  void Place(int cell, int value) { SetCellValue(ctx_, ctx_.Grids.Main[0], cell, value, kActionPlace); }

  EngineContext ctx_;
  BoardAnimations animations_;
  GameSession session_;
};

TEST_F(TimedGame, SurprisesComeEveryFiveSecondsAndNeverTheSymbolsShown) {
  EXPECT_EQ(At(0).Action, TimedAction::None); // the first stamp is the start's
  int surprises = 0;
  for (int32_t ms = 0; ms < kLimitMs; ms += 1000) {
    const TimedStep step = At(ms, kSymbolDigits);
    if (step.Action == TimedAction::Surprise) {
      ++surprises;
      EXPECT_NE(step.Trick, kTrickDigits);
    } else {
      EXPECT_EQ(step.Action, TimedAction::None);
    }
  }
  EXPECT_EQ(surprises, kLimitMs / 5000 - 1);
  // The limit itself is still play time.
  EXPECT_EQ(At(kLimitMs).Action, TimedAction::None);
}

TEST_F(TimedGame, PastTheLimitThePlayersValuesGoOneASecondThenTheTimeIsUp) {
  Place(0, 1);
  Place(5, 2);
  SetCellValue(ctx_, ctx_.Grids.Main[0], 10, 3, kActionPlaceFixed); // any value goes, givens too
  std::vector<int> taken;
  for (int32_t ms = kLimitMs + 1; ms < kLimitMs + 20000 && taken.size() < 10; ms += 250) {
    const TimedStep step = At(ms);
    if (step.Action == TimedAction::TimeUp)
      break;
    if (step.Action == TimedAction::DestroyCell) {
      taken.push_back(step.Cell);
      ResetCellState(ctx_.Geo, ctx_.Grids.Main[0].Cells[static_cast<size_t>(step.Cell)]);
    }
  }
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(taken, (std::vector<int>{0, 5, 10}));
  EXPECT_EQ(session_.Counters.PlacedAtLimit, 2);
  EXPECT_EQ(At(kLimitMs + 30000).Action, TimedAction::TimeUp);
}

TEST_F(TimedGame, WithoutDestructionOrPlacedValuesTheTimeIsUpAtOnce) {
  EXPECT_EQ(At(kLimitMs + 1).Action, TimedAction::TimeUp); // nothing placed
  Place(0, 1);
  session_.Counters.PlacedAtLimit = -1;
  EXPECT_EQ(At(kLimitMs + 1, kSymbolDigits, false).Action, TimedAction::TimeUp);
}

TEST_F(TimedGame, TheGameEndsOnceAndItsClockStops) {
  session_.Clock.Phase = ClockPhase::Running;
  EXPECT_TRUE(EndSession(session_));
  EXPECT_EQ(session_.Clock.Phase, ClockPhase::Stopped);
  EXPECT_FALSE(EndSession(session_));
  EXPECT_EQ(At(kLimitMs + 1).Action, TimedAction::None); // a finished game takes nothing
}

TEST(GameSessionClock, RunsOnlyWhileAGridIsInPlayAndNotPaused) {
  GameSession session;
  StartSessionClock(session, kLimitMs, 1000);
  TickSession(session, 4000, 1, 0, kModeChampion);
  EXPECT_EQ(session.Clock.Elapsed, 3000);
  TickSession(session, 9000, 1, 1, kModeChampion); // paused
  TickSession(session, 9000, 0, 0, kModeChampion); // no grid in play
  EXPECT_EQ(session.Clock.Elapsed, 3000);
  ResetSessionScore(session, 9000);
  TickSession(session, 9500, 1, 0, kModeChampion);
  EXPECT_EQ(session.Clock.Elapsed, 500);
}

TEST(GameSessionClock, APauseStopsTheClockAndEveryStopwatchTheMarkCharges) {
  GameSession session;
  StartSessionClock(session, kLimitMs, 1000);
  ResetStopwatch(session.Tally.UsageTimers[kTimerPossLevel1], 1, 1000); // candidates shown
  for (int second = 0; second < 13; ++second)
    HoldForPause(session, 1000);
  TickSession(session, 14000, 1, 0, kModeChampion);
  EXPECT_EQ(session.Clock.Elapsed, 0);
  EXPECT_DOUBLE_EQ(StopwatchSeconds(session.Tally.UsageTimers[kTimerPossLevel1], 14000), 0.0);
  EXPECT_FALSE(StopwatchRunning(session.Tally.UsageTimers[kTimerWarning])); // a stopped one stays so
  EXPECT_DOUBLE_EQ(StopwatchSeconds(session.Tally.UsageTimers[kTimerPossLevel1], 16500), 2.5);
}

constexpr std::string_view kSolution = "1234341221434321";
constexpr std::string_view kEmpty = "0000000000000000";

class PlayedGame : public ::testing::Test {
protected:
  void SetUp() override {
    SetGridShape(ctx_, 0, 1, 0);
    test::LoadPuzzleLine(ctx_, ctx_.Grids.RefTab[0], kSolution);
    Load(kEmpty);
  }
  void Load(std::string_view puzzle) {
    test::LoadPuzzleLine(ctx_, ctx_.Grids.Main[0], puzzle);
    RecomputeAllCandidates(ctx_);
  }
  PlacementNote Place(int cell, int value, bool warned = true) {
    SetCellValue(ctx_, ctx_.Grids.Main[0], cell, value, kActionPlace);
    RecomputeAllCandidates(ctx_);
    return NotePlacement(session_, ctx_, 0, cell, warned);
  }

  EngineContext ctx_;
  GameSession session_;
};

TEST_F(PlayedGame, AWrongValueIsAnErrorOnlyWhenThePlayerIsWarned) {
  EXPECT_EQ(Place(0, 2, false), PlacementNote::Placed);
  EXPECT_EQ(session_.Counters.ErrorCount, 0);
  EXPECT_TRUE(IsWrongValue(ctx_, 0, 0));
  EXPECT_EQ(Place(0, 2), PlacementNote::WrongValue);
  EXPECT_EQ(session_.Counters.ErrorCount, 1);
  EXPECT_EQ(Place(0, 1), PlacementNote::Placed);
  EXPECT_FALSE(IsWrongValue(ctx_, 0, 0));
  EXPECT_EQ(session_.Counters.ErrorCount, 1);
  EXPECT_EQ(NotePlacement(session_, ctx_, 0, 1, true), PlacementNote::None); // an empty cell

  // A file may bring a count at the top: it holds there.
  session_.Counters.ErrorCount = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(Place(0, 2), PlacementNote::WrongValue);
  EXPECT_EQ(session_.Counters.ErrorCount, std::numeric_limits<int32_t>::max());
}

TEST_F(PlayedGame, OnADoubleTripleGridOnlyAValueThatBreaksARuleIsAnError) {
  ctx_.Grids.Main[0].GridVar = kVarNeighbourScore;
  EXPECT_EQ(Place(0, 2), PlacementNote::Placed); // right in another fill than the reference's
  EXPECT_EQ(session_.Counters.ErrorCount, 0);
  EXPECT_EQ(Place(1, 2), PlacementNote::WrongValue); // twice in its row
  EXPECT_TRUE(IsWrongValue(ctx_, 0, 1));
  EXPECT_EQ(session_.Counters.ErrorCount, 1);
}

TEST_F(PlayedGame, TheLastOfAValueCompletesItAndTheLastCellSolvesTheGridWhichEndsTheGameOnce) {
  for (const int cell : {0, 6, 9})
    EXPECT_EQ(Place(cell, 1), PlacementNote::Placed);
  EXPECT_EQ(Place(15, 1), PlacementNote::ValueCompleted);

  Load("1234341221434320");
  EXPECT_FALSE(EndSessionOnSolvedGrid(session_, ctx_));
  EXPECT_EQ(Place(15, 1), PlacementNote::GridSolved);
  EXPECT_TRUE(EndSessionOnSolvedGrid(session_, ctx_));
  EXPECT_EQ(session_.Counters.GameFinished, 1);
  EXPECT_FALSE(EndSessionOnSolvedGrid(session_, ctx_));
  EXPECT_EQ(session_.Counters.TimeOverFlag, 0);
}

TEST_F(PlayedGame, ASolvedGameOpenedAgainIsFinishedWithItsSavedScore) {
  Load("1234341221434320");
  EXPECT_FALSE(FinishLoadedGame(session_, ctx_, 2.13f)); // a cell still open
  EXPECT_EQ(session_.Counters.GameFinished, 0);
  Place(15, 1);
  session_.Clock.Phase = ClockPhase::Running;
  EXPECT_TRUE(FinishLoadedGame(session_, ctx_, 2.13f));
  EXPECT_EQ(session_.Counters.GameFinished, 1);
  EXPECT_FLOAT_EQ(session_.Counters.GameScore, 2.13f);
  EXPECT_EQ(session_.Clock.Phase, ClockPhase::Stopped);
  EXPECT_FALSE(ClockRuns(session_.Counters, 1, 0));
}

TEST_F(PlayedGame, PastTheLimitTheDestroyedValuesEmptyAndTheLastEndsTheGameOnTime) {
  StartSessionClock(session_, kLimitMs, 5000);
  TickSession(session_, 5000 + kLimitMs, 1, 0, kModeTimed);
  EXPECT_FALSE(TimeIsUp(session_, kModeTimed, 1)); // the limit itself is still play time
  TickSession(session_, 5001 + kLimitMs, 1, 0, kModeTimed);
  EXPECT_TRUE(TimeIsUp(session_, kModeTimed, 1));
  EXPECT_FALSE(TimeIsUp(session_, kModeChampion, 1));
  EXPECT_FALSE(TimeIsUp(session_, kModeTimed, 0)); // no grid in play

  Place(0, 1);
  Place(5, 4);
  EXPECT_FALSE(EmptyDestroyedCell(session_, ctx_, 0, 0, true));
  EXPECT_EQ(ctx_.Grids.Main[0].Cells[0].Value, 0);
  EXPECT_NE(ctx_.Grids.Main[0].Cells[0].ThePoss, 0u);            // its candidates are back
  EXPECT_FALSE(EmptyDestroyedCell(session_, ctx_, 0, 5, false)); // a grid shown after it is left
  Place(5, 4);
  EXPECT_TRUE(EmptyDestroyedCell(session_, ctx_, 0, 5, true));
  EXPECT_EQ(session_.Counters.TimeOverFlag, 1);
  EXPECT_EQ(session_.Clock.Phase, ClockPhase::Stopped);
  EXPECT_FALSE(EndSessionOnTime(session_));
}

} // namespace
} // namespace quorbel
