// Counts that share one time budget: each runs under what is left of it, never more than the
// time limit in force, which is put back after. With no time limit (-1) nothing is shared.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/engine_context.h"
#include "platform/clock.h"

namespace quorbel {

class CountTimeShare {
public:
  // A budget below 0 shares nothing: each count keeps the limit in force.
  CountTimeShare(EngineContext &ctx, int32_t budget)
      : ctx_(ctx), limit_(ctx.Settings.TimeOver), budget_(limit_ < 0 ? -1 : budget), start_(TimeGetTime()) {}

  int32_t Left() const {
    if (budget_ < 0)
      return limit_;
    return std::max<int32_t>(0, budget_ - static_cast<int32_t>(ElapsedMillis(start_, TimeGetTime())));
  }
  bool Spent() const { return budget_ >= 0 && Left() == 0; }

  // `count` under the budget's rest as its time limit.
  template <typename Count> int Run(Count count) {
    if (budget_ >= 0)
      ctx_.Settings.TimeOver = std::min(limit_, Left());
    const int result = count();
    ctx_.Settings.TimeOver = limit_;
    return result;
  }

private:
  EngineContext &ctx_;
  int32_t limit_;
  int32_t budget_;
  uint32_t start_;
};

} // namespace quorbel
