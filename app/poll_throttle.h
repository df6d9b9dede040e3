// The throttle of the abort poll: long computations ask often whether the player wants to stop,
// but pending window messages are pumped at most once a second. The clock wraps (32-bit
// milliseconds), so times are compared by their difference.
#pragma once

#include <cstdint>

namespace quorbel {

class PollThrottle {
public:
  static constexpr uint32_t kIntervalMs = 1000;

  // True when the deadline has passed (always on the first call); the next deadline is then
  // now + kIntervalMs. False means "do not pump yet".
  bool Due(uint32_t now);
  // The deadline moves to now + kIntervalMs whatever it was (the unthrottled poll).
  void Restart(uint32_t now);

private:
  uint32_t deadline_ = 0;
  bool started_ = false;
};

} // namespace quorbel
