// How the application ends a game: the mark of the running game from its counters, the
// congratulation dialog filled and shown once per game, the best score of the level kept, and
// what the player picks in the dialog started. Also carries the game's counters, score and
// usage stopwatches to and from grid files.
#pragma once

#include "app/end_of_game.h"

class CQuorbelApp;
class CBravo;

// What the mark of the running game is computed from, read from the application.
quorbel::ScoreInputs GatherScoreInputs(CQuorbelApp &app);
// Recomputes the running game's score (the status pane shows it) and returns it.
float ComputeGameScore(CQuorbelApp &app);

// Ends the game into the dialog: the mark, the report, the stopwatches stopped, the best score
// of the level, the catalogue's and the web challenge's part, the picture and the sound.
void EndOfGameEvaluate(CQuorbelApp &app, CBravo &bravo);

// The congratulation dialog, unless the game has already ended; then what the player chose in
// it (a new grid, a new game, the same grid again).
void ShowEndOfGame(CQuorbelApp &app);
// A move or a help left every grid solved: the cells' animations on every shown grid, then the
// end of game unless the game is paused.
void GridSetSolved(CQuorbelApp &app);
// The game clock ran out.
void GameTimedOut(CQuorbelApp &app);

// Zeroes the counters for a game of `level` with `openCells` cells to find; the usage
// stopwatches start again, running for the helps that `shown` says are on.
void StartGameTally(CQuorbelApp &app, int level, int openCells,
                    const std::array<bool, quorbel::kUsageTimerCount> &shown = {});

// The best-score command, and the files' part of the game's counters.
void RegisterEndOfGame(CQuorbelApp &app);

// The grid files' seven game-state words: the level, then these counters in this order.
enum GameWord : int {
  kWordGameLevel = 0,
  kWordStartMissing,
  kWordStartSudMissing,
  kWordCellsFound,
  kWordSolverHelpCount,
  kWordRightClickUses,
  kWordErrorCount,
};
