#include "platform/clock.h"

#include <chrono>

namespace quorbel {

uint32_t TimeGetTime() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms);
}

} // namespace quorbel
