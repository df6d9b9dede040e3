#include "app/level_meter.h"

#include <algorithm>

namespace quorbel {

bool LevelMeter::SetValue(int value, uint32_t nowMs) {
  value_ = std::min(value, kRange);
  if (value_ >= peak_) {
    peak_ = value_;
  } else if (nowMs - lastDecay_ > kDecayMs) {
    peak_ -= 1;
    lastDecay_ = nowMs;
    peak_ = std::max(peak_, value_);
  }
  if (value_ == 0)
    peak_ = peak_ > 3 ? peak_ - 3 : 0;
  const bool changed = value_ != drawnValue_ || peak_ != drawnPeak_;
  drawnValue_ = value_;
  drawnPeak_ = peak_;
  return changed;
}

void LevelMeter::Reset() {
  value_ = 0;
  peak_ = 0;
  drawnValue_ = drawnPeak_ = -1;
}

int LevelMeter::UnlitBand(int height) const {
  if (value_ >= kRange)
    return 0;
  return std::max(0, Cells(height) * (kRange - value_) / kRange * (kLedHeight + kLedGap) - 1);
}

int LevelMeter::PeakRow(int height) const {
  if (peak_ >= kRange)
    return 0;
  return (kRange - peak_) * Cells(height) / kRange * (kLedHeight + kLedGap);
}

int MeterCurve(int level) {
  const int i = std::clamp(level, 0, 99);
  return i * i / 100;
}

} // namespace quorbel
