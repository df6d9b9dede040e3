// How the application ends a game: the mark of the running game from its counters, the
// congratulation dialog filled and shown when the board ends the game, the best score of the
// level kept, and what the player picks in the dialog started. Also carries the game's counters
// and usage stopwatches to and from grid files.
#pragma once

#include <array>

#include "app/end_of_game.h"

class CQuorbelApp;
class CBravo;

// What the mark of the running game is computed from, read from the application and the board.
quorbel::ScoreInputs GatherScoreInputs(CQuorbelApp &app);
// Recomputes the running game's score (the board's status pane shows it) and returns it.
float ComputeGameScore(CQuorbelApp &app);

// Ends the game into the dialog: the mark, the report, the stopwatches stopped, the best score
// of the level, the catalogue's and the web challenge's part, the picture and the sound.
void EndOfGameEvaluate(CQuorbelApp &app, CBravo &bravo);
// The board ended the game (solved, or out of time): the dialog, then what the player chose in
// it (a new grid, a new game, the same grid again).
void ShowEndOfGame(CQuorbelApp &app);
// A help left every grid solved: the cells' animations and, unless the game is paused, the
// board's end of game (once per game).
void GridSetSolved(CQuorbelApp &app);

// A new game's score and counts: the board's score state, the help values, right clicks and
// undo steps back to 0, and the usage stopwatches started again, running for the helps shown.
// The new-game paths set GameLevel, StartMissing and StartSudMissing themselves.
void ResetGameScore(CQuorbelApp &app);
// The engine's host: the reference grids hold a new solution.
void SetTripleMaxScoreFromGameScore(CQuorbelApp &app);

// The best-score command. Call before start-up, once the board view is installed: the board's
// end of game and the grid files' game state take their part from here.
void AttachEndOfGame(CQuorbelApp &app);

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
