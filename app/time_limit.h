// The game's time limit, from the GAMEDURATION settings for the grid size and level and the
// time factor of the game mode.
#pragma once

#include <cstdint>

#include "app/app_settings.h"

namespace quorbel {

// A week: the callers count the limit in milliseconds, in 32 bits.
inline constexpr double kMostTimeLimitSeconds = 7 * 24 * 60 * 60;

// Seconds: twice the stored duration divided by the mode's factor, at most a week either way;
// 1 below width 4, 0 for a width without durations.
int32_t ComputeTimeLimit(const GameDurationSettings &durations, int gridWidth, int gameLevel, int gameMode);

} // namespace quorbel
