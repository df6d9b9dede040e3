#include "app/stopwatch.h"

#include <algorithm>
#include <limits>

namespace quorbel {

namespace {

constexpr int32_t kStopped = -1;
constexpr uint32_t kMillisPerSecond = 1000;

// A start tick that reads as "stopped" is moved by one millisecond.
int32_t StartTickOf(uint32_t now) {
  const auto tick = static_cast<int32_t>(now);
  return tick == kStopped ? kStopped - 1 : tick;
}

uint32_t RunningMillis(const Stopwatch &sw, uint32_t now) {
  return ElapsedMillis(static_cast<uint32_t>(sw.StartTick), now);
}

} // namespace

bool StopwatchRunning(const Stopwatch &sw) { return sw.StartTick != kStopped; }

void InitStopwatch(Stopwatch &sw) {
  sw.StartTick = kStopped;
  sw.Seconds = 0;
}

void ResetStopwatch(Stopwatch &sw, int run, uint32_t now) {
  sw.Seconds = 0;
  sw.StartTick = run == 1 ? StartTickOf(now) : kStopped;
}

void StartStopwatch(Stopwatch &sw, uint32_t now) {
  if (!StopwatchRunning(sw))
    sw.StartTick = StartTickOf(now);
}

void StopStopwatch(Stopwatch &sw, uint32_t now) {
  if (!StopwatchRunning(sw))
    return;
  // The total may come from a grid file, as high as it likes.
  const int64_t seconds = int64_t{sw.Seconds} + RunningMillis(sw, now) / kMillisPerSecond;
  sw.Seconds = static_cast<int32_t>(std::min<int64_t>(seconds, std::numeric_limits<int32_t>::max()));
  sw.StartTick = kStopped;
}

double StopwatchSeconds(const Stopwatch &sw, uint32_t now) {
  if (!StopwatchRunning(sw))
    return sw.Seconds;
  return RunningMillis(sw, now) / static_cast<double>(kMillisPerSecond) + sw.Seconds;
}

void DelayStopwatch(Stopwatch &sw, uint32_t ms) {
  if (StopwatchRunning(sw))
    sw.StartTick = StartTickOf(static_cast<uint32_t>(sw.StartTick) + ms);
}

void RebaseStopwatch(Stopwatch &sw, uint32_t savedNow, uint32_t now) {
  if (StopwatchRunning(sw))
    sw.StartTick = StartTickOf(static_cast<uint32_t>(sw.StartTick) + (now - savedNow));
}

} // namespace quorbel
