#include "app/app_random.h"

namespace quorbel {

Random15 &AppRandom() {
  static Random15 generator;
  return generator;
}

void SeedRandom(uint32_t seed) { AppRandom().Seed(seed); }

int RandomBelow(int n) { return RandomBelow(AppRandom(), n); }

} // namespace quorbel
