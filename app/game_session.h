// The game in play, apart from any window: its clock, the counters the board and the end of game
// keep, the tally the mark is computed from, and the rules of play: errors, the end on a solved
// grid or when the time is up, the wrong value taken back. Time is given, never read here. The
// board view asks it what to do and carries out what it decides; tests drive it without Qt.
#pragma once

#include <cstdint>

#include "app/end_of_game.h"
#include "app/game_clock.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"

namespace quorbel {

struct EngineContext;

// What the timed game does at a tick.
enum class TimedAction {
  None,
  Surprise,    // before the limit, every five seconds: `Trick` changes the board
  DestroyCell, // after the limit, every second: the value of `Slot`, `Cell` goes
  TimeUp,      // the time is up and nothing is left to take: the game ends
};
// The surprises of the timed game.
enum TimedTrick : int { kTrickBackground = 0, kTrickDigits = 1, kTrickLetters = 2, kTrickPictures = 3 };

struct TimedStep {
  TimedAction Action = TimedAction::None;
  int Trick = kTrickBackground;
  int Slot = -1;
  int Cell = -1;
  bool operator==(const TimedStep &) const = default;
};

struct GameSession {
  GameClock Clock;
  GameCounters Counters;
  GameTally Tally;
  // The rules' own draws (the timed game's surprises and the cells it takes), so that nothing
  // else that draws shifts a game replayed from a seed.
  Random15 Random;
};

// A new game's clock: `limitMs` is the mode's time limit (0: none).
void StartSessionClock(GameSession &session, int32_t limitMs, uint32_t now);
// A new game's score and counters; the clock's start moves to `now`.
void ResetSessionScore(GameSession &session, uint32_t now);
// A paused stretch of `ms`: the clock and every usage stopwatch the mark charges start that much
// later, so the pause costs neither time nor points.
void HoldForPause(GameSession &session, uint32_t ms);
// Moves the clock on to `now` while a grid is in play, not paused and not finished, and steps
// its picture. True when the clock panel must be repainted.
bool TickSession(GameSession &session, uint32_t now, int newGridFlag, int paused, int32_t mode);

// The timed game's step at the clock's present time: a surprise every five seconds before the
// limit (never the symbol mode already shown); past it, with `destroyCells`, one placed value of a
// shown grid every second, taken from a random cell on, until none is left; then, or at once
// without `destroyCells` or when the player had placed nothing, the time is up. Draws from the
// session's generator. The session's stamps and the count of values placed at the limit
// move on.
TimedStep NextTimedStep(GameSession &session, const EngineContext &ctx, const BoardAnimations &animations,
                        SymbolMode shown, bool destroyCells);

// Ends the game: finished, clock stopped. False when it had already ended, so an end is told once.
bool EndSession(GameSession &session);
// The grid set is solved: the game ends. False when it is not or the game had already ended.
bool EndSessionOnSolvedGrid(GameSession &session, const EngineContext &ctx);
// The time is up: the game ends with its time-over mark. False when it had already ended.
bool EndSessionOnTime(GameSession &session);

// A saved game opened again: when its grids are all solved it is a finished game, ended with its
// clock stopped and the score it was saved with. Reads the grids as loaded (their candidates are
// recomputed first). True when the game is finished.
bool FinishLoadedGame(GameSession &session, EngineContext &ctx, float savedScore);

// The timed game's grid in play has run past its limit.
bool TimeIsUp(const GameSession &session, int32_t mode, int newGridFlag);
// The cell whose destruction has played empties, and the candidates follow. Once the last shown
// grid holds no placed value the time is up: true when the game ended then.
bool EmptyDestroyedCell(GameSession &session, EngineContext &ctx, int slot, int cell, bool lastShownGrid);

// What a value just placed tells the player.
enum class PlacementNote {
  None,           // not a value, or a conflict the board already shows
  WrongValue,     // wrong (see IsWrongValue), and the player asked to be warned: an error
  GridSolved,     // the grid set is solved
  ValueCompleted, // the grid now holds the value in each of its units
  Placed,
};
// Judges the value at `slot`, `cell`; a wrong value counts as an error.
PlacementNote NotePlacement(GameSession &session, const EngineContext &ctx, int slot, int cell, bool warned);
// The cell holds a value other than its reference solution's; false when the reference has none.
// A Double-and-Triple grid has many right fills and its reference is only one of them: there a
// value is wrong only when it breaks a rule.
bool IsWrongValue(const EngineContext &ctx, int slot, int cell);

} // namespace quorbel
