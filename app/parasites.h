// The moving parasites: up to five sprites that fly over the board in the Kid and Quick games to
// distract the player, one spawn attempt a tick of the animation timer; and the board's fade,
// which the challenge drives between turns.
#pragma once

#include <array>
#include <cstdint>

#include "app/app_settings.h"
#include "app/cell_animation.h"

namespace quorbel {

inline constexpr int kParasiteSlots = 5;
inline constexpr int32_t kFirstParasiteCountdown = 250; // ticks of 40 ms: ten seconds
using ParasiteSlots = std::array<CMoveGif, kParasiteSlots>;

struct ParasiteState {
  int32_t Countdown = 0;
  int32_t Level = 0;
};

// Every slot free and without rectangles; level and countdown 0.
void ResetParasiteSlots(ParasiteState &state, ParasiteSlots &slots);
// The first free slot, or -1.
int FindFreeParasiteSlot(const ParasiteSlots &slots);
// One attempt, when `active` (the option on, a game under way, not paused): the slot that took a
// new sprite, or -1. Random draws come from RandomBelow.
int SpawnParasite(ParasiteState &state, ParasiteSlots &slots, const GameParasiteSettings &settings,
                  int32_t mode, bool active, const PictureLibrary &pictures, uint32_t now);

// One step of a fade: the level moves by the step within 0..1; 1 while the fade goes on, 0 once
// it has reached an end (the step is then 0).
int StepBoardFade(double &level, double &step);

} // namespace quorbel
