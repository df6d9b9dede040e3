// The application's run-time flags (shutdown, the grid in play, the pause, the challenge,
// who drives the commands, the macro waiting at start-up) and the only moves between them. Parts
// read the flags freely; they change them through the moves, so that what goes together changes
// together.
#pragma once

#include <optional>
#include <string>

namespace quorbel {

// Who drives the commands; a grid file and the status pane carry its number.
enum class RunMode : int { Player = 0, Macro = 1, BatchTest = 2 };

class AppState {
public:
  bool Closing() const { return closing_; }
  // False until the first grid was opened or made: the board ignores clicks until then.
  bool GridInPlay() const { return gridInPlay_; }
  bool Paused() const { return paused_; }
  bool ChallengeRunning() const { return challenge_; }
  // On from a new grid until its game ends; the game clock and its timed helps run only then.
  bool NewGrid() const { return newGrid_; }
  RunMode Mode() const { return mode_; }
  bool MacroPlaying() const { return mode_ == RunMode::Macro; }
  bool MacroPending() const { return pendingMacro_.has_value(); }

  // Start-up begins with no grid in play.
  void BeginStartUp() { gridInPlay_ = false; }
  // Shutdown is one way.
  void BeginClosing() { closing_ = true; }

  void ShowGrid() { gridInPlay_ = true; }
  // A game starts: no pause and no challenge carried over; `newGrid` when it is a fresh grid.
  void StartGame(bool newGrid);
  void StartNewGrid() { newGrid_ = true; }
  void EndGame() { newGrid_ = false; }

  void SetPaused(bool paused) { paused_ = paused; }
  void TogglePause() { paused_ = !paused_; }
  void StartChallenge() { challenge_ = true; }
  void EndChallenge() { challenge_ = false; }

  // A macro's play; ended while a batch test runs, the test gives the commands back to the player.
  void StartMacro();
  void EndMacro();
  // The expert's batch tests nest; leaving the outermost gives back the mode of before.
  void EnterBatchTest();
  void LeaveBatchTest();

  // The macro named on the command line waits until the frame is up; taking it clears it.
  void QueueStartupMacro(std::string path) { pendingMacro_ = std::move(path); }
  std::optional<std::string> TakeStartupMacro();

private:
  bool closing_ = false;
  bool gridInPlay_ = false;
  bool paused_ = false;
  bool challenge_ = false;
  bool newGrid_ = false;
  RunMode mode_ = RunMode::Player;
  RunMode beforeBatch_ = RunMode::Player;
  int batchDepth_ = 0;
  std::optional<std::string> pendingMacro_;
};

} // namespace quorbel
