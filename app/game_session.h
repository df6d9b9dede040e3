// The game in play, apart from any window: its clock, the counters the board and the end of game
// keep, the tally the mark is computed from, and the rules of the timed game. The board view asks
// it what to show and carries out what it decides; tests drive it without Qt.
#pragma once

#include <cstdint>

#include "app/end_of_game.h"
#include "app/game_clock.h"
#include "engine/variant_catalog.h"

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
};

// A new game's clock: `limitMs` is the mode's time limit (0: none).
void StartSessionClock(GameSession &session, int32_t limitMs, uint32_t now);
// A new game's score and counters; the clock's start moves to `now`.
void ResetSessionScore(GameSession &session, uint32_t now);
// Moves the clock on to `now` while a grid is in play, not paused and not finished, and steps
// its picture. True when the clock panel must be repainted.
bool TickSession(GameSession &session, uint32_t now, int newGridFlag, int paused, int32_t mode);

// The timed game's step at the clock's present time: a surprise every five seconds before the
// limit (never the symbol mode already shown); past it, with `destroyCells`, one placed value of a
// shown grid every second, taken from a random cell on, until none is left; then, or at once
// without `destroyCells` or when the player had placed nothing, the time is up. Draws from
// RandomBelow. The session's stamps and the count of values placed at the limit move on.
TimedStep NextTimedStep(GameSession &session, const EngineContext &ctx, SymbolMode shown, bool destroyCells);

// Ends the game: finished, clock stopped. False when it had already ended, so an end is told once.
bool EndSession(GameSession &session);

} // namespace quorbel
