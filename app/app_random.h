// The application's own random generator, for the draws that are not engine work: cell
// animations and sprites, pictures and backgrounds, the end of game's remarks, the timed game's
// surprises and the challenge's draws. The engine draws through its context instead, so what
// moves on the screen never shifts the stream a grid is generated from.
#pragma once

#include <cstdint>

#include "platform/random.h"

namespace quorbel {

Random15 &AppRandom();
void SeedRandom(uint32_t seed);
// RandomBelow over AppRandom().
int RandomBelow(int n);

} // namespace quorbel
