// The sound volume scale: a slider position 0..100 as hundredths of a decibel (0 loudest, about
// -80 dB at position 0), and back; and the music's 0..100 volume on the sliders' steps.
#pragma once

#include <cstdint>

namespace quorbel {

inline constexpr int kVolumePositions = 101;

// trunc(34.4 / log10((101 - position) / 102) + 17.1); positions outside 0..100 are clamped.
int32_t VolumeTable(int position);
// The position whose entry a stored volume is: trunc(101 - 102 x 10^(34.4 / (volume - 17.1))),
// within 0..100.
int VolumePosition(int32_t volume);

// The music sliders have 21 steps; each step is 5 of the player's 0..100, so the top step plays
// at full volume. A volume between two steps shows at the nearer one.
inline constexpr int kMusicVolumeSteps = 20;
int MusicVolumeOfStep(int step);
int MusicStepOfVolume(int volume);

} // namespace quorbel
