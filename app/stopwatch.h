// The pausable stopwatches that time how long each help of a game stays shown (the UsageTimers),
// charged by the end-of-game mark and kept in grid files. A stopwatch is the grid file's record:
// a start tick (-1 while stopped) and the whole seconds of its finished periods.
#pragma once

#include <array>
#include <cstdint>

#include "files/sud_file_state.h"
#include "platform/clock.h"

namespace quorbel {

using Stopwatch = UsageStopwatch;

// The helps the UsageTimers time, in their order.
enum UsageTimer : int {
  kTimerPossLevel1 = 0, // 0..4: candidates shown up to levels 1..5
  kTimerPossLevel5 = 4,
  kTimerLineColumn = 5,
  kTimerProbables = 6,
  kTimerFound = 7,
  kTimerVariantFilter = 8,
  kTimerColouring = 9,
  kTimerWarning = 10,
};
inline constexpr int kPossLevelTimers = 5;

using UsageTimerSet = std::array<Stopwatch, kUsageTimerCount>;

void InitStopwatch(Stopwatch &sw);
// Zero seconds; running from `now` when `run` is 1, else stopped.
void ResetStopwatch(Stopwatch &sw, int run, uint32_t now = TimeGetTime());
// A running stopwatch keeps its first start.
void StartStopwatch(Stopwatch &sw, uint32_t now = TimeGetTime());
// Adds the whole seconds of the running period (its milliseconds are dropped) and stops.
void StopStopwatch(Stopwatch &sw, uint32_t now = TimeGetTime());
// The seconds so far, with the fraction of a running period.
double StopwatchSeconds(const Stopwatch &sw, uint32_t now = TimeGetTime());
// After a saved game was loaded: the running period keeps the length it had at `savedNow`.
void RebaseStopwatch(Stopwatch &sw, uint32_t savedNow, uint32_t now = TimeGetTime());

// A running stopwatch's start moves `ms` later: time that must not count (a pause).
void DelayStopwatch(Stopwatch &sw, uint32_t ms);

bool StopwatchRunning(const Stopwatch &sw);

} // namespace quorbel
