// The game's clock and counters: the elapsed and remaining time, the clock picture's frames and
// the urgency of the timed game, the end-of-game flags and the counts the placement feedback
// keeps. Plain arithmetic over a 32-bit millisecond clock; the view ticks it from its timers.
#pragma once

#include <cstdint>
#include <string>

#include "app/board_animations.h"

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// The game modes the clock treats apart.
inline constexpr int32_t kModeChampion = 0;
inline constexpr int32_t kModeTimed = 2; // the quick game: the time runs down
inline constexpr int32_t kModeScore = 3; // the clock panel shows the score

enum class ClockPhase : int32_t { Stopped = 0, Opening = 1, Running = 2 };

inline constexpr int32_t kClockOpeningFrames = 8; // the picture opens on frames 1..7
inline constexpr int32_t kUrgencyStages = 6;
inline constexpr int32_t kFramesPerStage = 3;

struct GameClock {
  ClockPhase Phase = ClockPhase::Stopped;
  int32_t Countdown = 1;  // ticks before the next picture step
  int32_t Frame = 0;      // the clock picture's frame
  int32_t FrameCycle = 0; // 0..2 within an urgency stage
  int32_t Stamp = 0;      // the last second (or five seconds) the timed game acted on
  uint32_t Start = 0;     // the millisecond clock at the start, moved on by every paused second
  int32_t Limit = 0;      // milliseconds; 0 or less: no limit
  int32_t Elapsed = 0;    // milliseconds played
  int32_t Urgency = 0;    // the last urgency level drawn
};

// What the end of game and the placement feedback count in a game.
struct GameCounters {
  int32_t GameFinished = 0; // 1 once the game has ended: the clock stops, no second end of game
  float GameScore = 20.0f;  // out of 20
  int32_t ErrorCount = 0;
  int32_t TimeOverFlag = 0;
  int32_t PlacedAtLimit = -1; // cells the player had placed when the time ran out; -1 not counted
  bool ScoreWasZero = false;  // the score pane showed 0 at its last update
};

// The error, help and right-click counts. A saved game may bring any word back, so a loaded count
// is never below 0 and an addition holds at the top rather than wrapping round.
int32_t LoadedCount(int32_t word);
void AddToCount(int32_t &count, int32_t more);

void StartGameClock(GameClock &clock, int32_t limitMs, uint32_t now);
void StopGameClock(GameClock &clock);
// The clock's time runs while a grid is in play, the game is not over and not paused.
bool ClockRuns(const GameCounters &counters, int newGridFlag, int paused);
// Elapsed = now - start, held within int32.
void UpdateElapsed(GameClock &clock, uint32_t now);

// Steps the clock picture once: opening frames, then three frames per sixth of the limit. In a
// mode other than the champion one the clock stops once the limit has passed. Returns 1 when the
// clock panel must be repainted.
int StepClockPicture(GameClock &clock, int32_t gameMode);
// The frame of the running clock: 8 + 3 x the sixth of the limit reached + the cycle; with no
// limit, the first stage.
int32_t RunningClockFrame(int64_t elapsedMs, int32_t limitMs, int32_t cycle);

// The timed game's urgency: 2 at half time, one more per tenth after; 2 before half time or
// with no limit.
int32_t UrgencyLevel(int64_t elapsedMs, int32_t limitMs);
// How often the timed game ticks at an urgency level: 4000, 2000 or 1000 ms; 0 for none.
int32_t TickPeriodMs(int32_t urgency);

// "hh:mm:ss"; a negative time shows as 0.
std::string ClockText(int64_t milliseconds);
// "mm:ss" for the clock panel; from 100 minutes on "99:99".
std::string ClockPanelText(int64_t milliseconds);
// The remaining time of the timed game, never below 0.
int64_t RemainingMs(const GameClock &clock);

// The first cell of main grid `slot` holding a value (status below 5) whose picture is not
// already going, at or after `start`, going round the playing cells; -1 when none does. The
// timed game destroys them one by one after the limit.
int FindCellToDestroy(const GridGeometry &geo, const GridRecord &grid, int slot,
                      const BoardAnimations &animations, int start);
// Cells of status 1 (placed by the player) over the given grids.
int CountPlacedCells(const GridGeometry &geo, const GridRecord &grid);

} // namespace quorbel
