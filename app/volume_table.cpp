#include "app/volume_table.h"

#include <algorithm>
#include <cmath>

namespace quorbel {

namespace {

constexpr double kScale = 34.4;
constexpr double kOffset = 17.1;
constexpr double kSpan = 102.0;
constexpr int kTop = kVolumePositions - 1;
constexpr int kMusicVolumeTop = 100;
constexpr int kMusicVolumePerStep = kMusicVolumeTop / kMusicVolumeSteps;

} // namespace

int32_t VolumeTable(int position) {
  const int p = std::clamp(position, 0, kTop);
  return static_cast<int32_t>(kScale / std::log10((kVolumePositions - p) / kSpan) + kOffset);
}

int VolumePosition(int32_t volume) {
  const double raw = kVolumePositions - kSpan * std::pow(10.0, kScale / (volume - kOffset));
  return std::clamp(static_cast<int>(raw), 0, kTop);
}

int MusicVolumeOfStep(int step) { return std::clamp(step, 0, kMusicVolumeSteps) * kMusicVolumePerStep; }

int MusicStepOfVolume(int volume) {
  return (std::clamp(volume, 0, kMusicVolumeTop) + kMusicVolumePerStep / 2) / kMusicVolumePerStep;
}

} // namespace quorbel
