// The program's random generator: a 15-bit linear congruential generator.
// Every draw formula of the program assumes values 0..32767, and tests need the
// sequence to be reproducible from a seed, so the C library's rand() is not used.
// Each owner keeps its own generator (the engine one per context), so that two
// computations never draw from one stream.
#pragma once

#include <cstdint>

namespace quorbel {

constexpr int kRandomMax = 0x7FFF;

class Random15 {
public:
  explicit Random15(uint32_t seed = 1) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  // Next value in 0..kRandomMax.
  int Next();

private:
  uint32_t state_;
};

// n * draw / 32767 in integer arithmetic, with n itself folded to n - 1, so the result
// lies in 0..n-1. RandomBelow(random, 0) is -1: callers that index with it must guard.
int RandomBelow(Random15 &random, int n);

} // namespace quorbel
