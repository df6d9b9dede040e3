#include "app/qt/usage_timers.h"

#include "app/qt/quorbel_app.h"

namespace quorbel {

void TimeUsage(CQuorbelApp &app, int timer, bool running) {
  Stopwatch &watch = app.Game().UsageTimers.at(static_cast<size_t>(timer));
  if (running)
    StartStopwatch(watch);
  else
    StopStopwatch(watch);
}

bool UsageRunning(CQuorbelApp &app, int timer) {
  return StopwatchRunning(app.Game().UsageTimers.at(static_cast<size_t>(timer)));
}

} // namespace quorbel
