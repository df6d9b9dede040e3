#include "app/time_limit.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/settings_schema.h"

namespace quorbel {

namespace {
constexpr std::array<int, kDurationSizes> kDurationWidths = {4, 6, 8, 9, 12, 16};
} // namespace

int32_t ComputeTimeLimit(const GameDurationSettings &durations, int gridWidth, int gameLevel, int gameMode) {
  if (gridWidth < 4)
    return 1;
  const auto size = std::find(kDurationWidths.begin(), kDurationWidths.end(), gridWidth);
  if (size == kDurationWidths.end())
    return 0;
  const auto sizeIndex = static_cast<size_t>(size - kDurationWidths.begin());
  const auto level = static_cast<size_t>(std::clamp(gameLevel - 1, 0, kDurationLevels - 1));
  const double factor = TimeFactorOfMode(durations, gameMode);
  const double seconds = 2 * std::trunc(durations.duration[sizeIndex][level] / factor);
  return static_cast<int32_t>(std::clamp(seconds, -kMostTimeLimitSeconds, kMostTimeLimitSeconds));
}

} // namespace quorbel
