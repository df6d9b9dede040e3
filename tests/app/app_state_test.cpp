#include <gtest/gtest.h>

#include "app/app_state.h"

using namespace quorbel;

TEST(AppState, LeavingABatchTestGivesBackWhoDroveTheCommandsBefore) {
  AppState state;
  state.StartMacro();
  state.EnterBatchTest();
  EXPECT_EQ(state.Mode(), RunMode::BatchTest);
  EXPECT_FALSE(state.MacroPlaying()); // a macro's rules do not hold inside the test
  state.EnterBatchTest();
  state.LeaveBatchTest();
  EXPECT_EQ(state.Mode(), RunMode::BatchTest) << "an inner test leaves the outer one running";
  state.LeaveBatchTest();
  EXPECT_TRUE(state.MacroPlaying());

  // A macro that ends during a test hands the commands to the player once the test is over.
  state.EnterBatchTest();
  state.EndMacro();
  EXPECT_EQ(state.Mode(), RunMode::BatchTest);
  state.LeaveBatchTest();
  EXPECT_EQ(state.Mode(), RunMode::Player);
  state.LeaveBatchTest(); // one too many changes nothing
  EXPECT_EQ(state.Mode(), RunMode::Player);
}

TEST(AppState, AGameStartsUnpausedOutsideAnyChallengeAndOnlyANewGridArmsTheClock) {
  AppState state;
  state.SetPaused(true);
  state.StartChallenge();
  state.StartGame(false);
  EXPECT_FALSE(state.Paused());
  EXPECT_FALSE(state.ChallengeRunning());
  EXPECT_FALSE(state.NewGrid());
  state.StartGame(true);
  EXPECT_TRUE(state.NewGrid());
  state.EndGame();
  EXPECT_FALSE(state.NewGrid());
}

TEST(AppState, StartUpHidesTheGridAndItsMacroIsTakenOnce) {
  AppState state;
  state.ShowGrid();
  state.BeginStartUp();
  EXPECT_FALSE(state.GridInPlay());
  state.QueueStartupMacro("steps.macro");
  EXPECT_TRUE(state.MacroPending());
  EXPECT_EQ(state.TakeStartupMacro(), std::optional<std::string>("steps.macro"));
  EXPECT_FALSE(state.MacroPending());
  EXPECT_EQ(state.TakeStartupMacro(), std::nullopt);
}
