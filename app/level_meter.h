// A level meter's value and its falling peak, and where the painting puts them; times come from
// the caller so that tests can step a clock.
#pragma once

#include <cstdint>

namespace quorbel {

class LevelMeter {
public:
  static constexpr int kRange = 100;
  static constexpr int kLedHeight = 1;
  static constexpr int kLedGap = 1;
  static constexpr uint32_t kDecayMs = 100;

  // Takes a value (at most the range) at time `nowMs`; true when the meter must be drawn again.
  bool SetValue(int value, uint32_t nowMs);
  void Reset();
  int Value() const { return value_; }
  int Peak() const { return peak_; }

  // For a meter `height` pixels high: the unlit band from the top, and the peak LED's row.
  int UnlitBand(int height) const;
  int PeakRow(int height) const;

private:
  static int Cells(int height) { return (height - kLedHeight) / (kLedHeight + kLedGap) + 1; }

  int value_ = 0;
  int peak_ = 0;
  int drawnValue_ = -1;
  int drawnPeak_ = -1;
  uint32_t lastDecay_ = 0;
};

// The music bar's curve from a player's level 0..105 to a meter value: i x i / 100.
int MeterCurve(int level);

} // namespace quorbel
