// The sound volume scale: a slider position 0..100 as hundredths of a decibel (0 loudest, about
// -80 dB at position 0), and back.
#pragma once

#include <cstdint>

namespace quorbel {

inline constexpr int kVolumePositions = 101;

// trunc(34.4 / log10((101 - position) / 102) + 17.1); positions outside 0..100 are clamped.
int32_t VolumeTable(int position);
// The position whose entry a stored volume is: trunc(101 - 102 x 10^(34.4 / (volume - 17.1))),
// within 0..100.
int VolumePosition(int32_t volume);

} // namespace quorbel
