#include "app/qt/usage_timers.h"

namespace quorbel {

void TimeUsage(GameTally &game, int timer, bool running) {
  Stopwatch &watch = game.UsageTimers.at(static_cast<size_t>(timer));
  if (running)
    StartStopwatch(watch);
  else
    StopStopwatch(watch);
}

bool UsageRunning(const GameTally &game, int timer) {
  return StopwatchRunning(game.UsageTimers.at(static_cast<size_t>(timer)));
}

} // namespace quorbel
