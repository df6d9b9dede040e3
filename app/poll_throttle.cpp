#include "app/poll_throttle.h"

namespace quorbel {

bool PollThrottle::Due(uint32_t now) {
  // The signed difference stays right across the wrap of the 32-bit clock.
  if (started_ && static_cast<int32_t>(now - deadline_) < 0)
    return false;
  Restart(now);
  return true;
}

void PollThrottle::Restart(uint32_t now) {
  deadline_ = now + kIntervalMs;
  started_ = true;
}

} // namespace quorbel
