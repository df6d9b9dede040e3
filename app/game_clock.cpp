#include "app/game_clock.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "engine/grid_record.h"

namespace quorbel {

namespace {

constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 3600;
constexpr int32_t kBaseUrgency = 2;
constexpr int32_t kLastFrameCycle = 2;

} // namespace

int32_t LoadedCount(int32_t word) { return std::max(word, 0); }

void AddToCount(int32_t &count, int32_t more) {
  const int64_t sum = int64_t{count} + more;
  count = static_cast<int32_t>(std::clamp<int64_t>(sum, 0, std::numeric_limits<int32_t>::max()));
}

void StartGameClock(GameClock &clock, int32_t limitMs, uint32_t now) {
  clock.Phase = ClockPhase::Opening;
  clock.Countdown = 1;
  clock.Frame = 1;
  clock.Start = now;
  clock.Limit = limitMs;
  clock.Elapsed = 0;
  clock.FrameCycle = 0;
  clock.Stamp = 0;
  clock.Urgency = 0;
}

void StopGameClock(GameClock &clock) {
  clock.Phase = ClockPhase::Stopped;
  clock.Frame = 0;
}

bool ClockRuns(const GameCounters &counters, int newGridFlag, int paused) {
  return counters.GameFinished == 0 && newGridFlag == 1 && paused == 0;
}

void UpdateElapsed(GameClock &clock, uint32_t now) {
  // The start moves on while the game is paused and may then lie just ahead of the clock, and a
  // game longer than 24 days no longer fits: the time played stays as it was in both cases.
  const auto elapsed = static_cast<int32_t>(now - clock.Start);
  if (elapsed >= 0)
    clock.Elapsed = elapsed;
}

int32_t RunningClockFrame(int64_t elapsedMs, int32_t limitMs, int32_t cycle) {
  // Without a limit the clock stays in its first stage; past the limit, in its last.
  const int64_t stage =
      limitMs > 0 ? std::clamp<int64_t>(elapsedMs * kUrgencyStages / limitMs, 0, kUrgencyStages - 1) : 0;
  return static_cast<int32_t>(stage * kFramesPerStage + cycle + kClockOpeningFrames);
}

int StepClockPicture(GameClock &clock, int32_t gameMode) {
  if (clock.Phase == ClockPhase::Stopped)
    return 0;
  if (--clock.Countdown > 0)
    return 0;
  clock.Countdown = 1;
  if (clock.Phase == ClockPhase::Opening) {
    if (++clock.Frame >= kClockOpeningFrames)
      clock.Phase = ClockPhase::Running;
    return 1;
  }
  if (++clock.FrameCycle > kLastFrameCycle)
    clock.FrameCycle = 0;
  if (clock.Limit > 0 && clock.Elapsed > clock.Limit && gameMode != kModeChampion)
    StopGameClock(clock);
  else
    clock.Frame = RunningClockFrame(clock.Elapsed, clock.Limit, clock.FrameCycle);
  return 1;
}

int32_t UrgencyLevel(int64_t elapsedMs, int32_t limitMs) {
  if (limitMs <= 0)
    return kBaseUrgency;
  // (elapsed / limit - 0.5) x -10, truncated toward zero, in whole tenths.
  const int64_t tenths = elapsedMs * 10 / limitMs;
  const int64_t r = -(tenths - 5);
  const int64_t level = kBaseUrgency - r;
  return static_cast<int32_t>(std::clamp<int64_t>(level, kBaseUrgency, 100));
}

int32_t TickPeriodMs(int32_t urgency) {
  constexpr int32_t kSlow = 4000, kMedium = 2000, kFast = 1000;
  if (urgency == 4)
    return kSlow;
  if (urgency == 5)
    return kMedium;
  return urgency > 5 ? kFast : 0;
}

std::string ClockText(int64_t milliseconds) {
  const int64_t seconds = std::max<int64_t>(0, milliseconds) / kMsPerSecond;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / kSecondsPerHour),
                static_cast<long long>(seconds / kSecondsPerMinute % kSecondsPerMinute),
                static_cast<long long>(seconds % kSecondsPerMinute));
  return text;
}

std::string ClockPanelText(int64_t milliseconds) {
  constexpr long long kMostMinutes = 99;
  const int64_t seconds = std::max<int64_t>(0, milliseconds) / kMsPerSecond;
  long long minutes = seconds / kSecondsPerMinute;
  long long rest = seconds % kSecondsPerMinute;
  if (minutes > kMostMinutes)
    minutes = rest = kMostMinutes;
  char text[16];
  std::snprintf(text, sizeof text, "%02lld:%02lld", minutes, rest);
  return text;
}

int64_t RemainingMs(const GameClock &clock) {
  return std::max<int64_t>(0, static_cast<int64_t>(clock.Limit) - clock.Elapsed);
}

int FindCellToDestroy(const GridGeometry &geo, const GridRecord &grid, int slot,
                      const BoardAnimations &animations, int start) {
  const int n = std::min(geo.NCells, static_cast<int>(grid.Cells.size()));
  if (n <= 0)
    return -1;
  start = ((start % n) + n) % n;
  for (int k = 0; k < n; ++k) {
    const int cell = (start + k) % n;
    const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
    const CellAnimations *pictures = animations.Find(slot, cell);
    if (record.Status < kStatusConflict && (!pictures || (*pictures)[kValuePicture].EffectCountdown < 0))
      return cell;
  }
  return -1;
}

int CountPlacedCells(const GridGeometry &geo, const GridRecord &grid) {
  const auto cells = grid.PlayingCells(geo);
  return static_cast<int>(std::count_if(cells.begin(), cells.end(),
                                        [](const CellRecord &c) { return c.Status == kStatusPlaced; }));
}

} // namespace quorbel
