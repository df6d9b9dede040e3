#include "app/qt/usage_timers.h"

#include "app/qt/quorbel_app.h"
#include "platform/clock.h"

namespace quorbel {

namespace {
constexpr uint32_t kMillisecondsPerSecond = 1000;
}

void TimeUsage(CQuorbelApp &app, int timer, bool running) {
  UsageStopwatch &watch = app.UsageTimers.at(static_cast<size_t>(timer));
  const uint32_t now = TimeGetTime();
  if (running && watch.StartTick < 0) {
    // The tick is stored as a signed word; the clock's top bit must not read as "stopped".
    watch.StartTick = static_cast<int32_t>(now & 0x7FFFFFFFu);
  } else if (!running && watch.StartTick >= 0) {
    const uint32_t elapsed = ((now & 0x7FFFFFFFu) - static_cast<uint32_t>(watch.StartTick)) & 0x7FFFFFFFu;
    watch.Seconds += static_cast<int32_t>(elapsed / kMillisecondsPerSecond);
    watch.StartTick = -1;
  }
}

bool UsageRunning(CQuorbelApp &app, int timer) {
  return app.UsageTimers.at(static_cast<size_t>(timer)).StartTick >= 0;
}

} // namespace quorbel
