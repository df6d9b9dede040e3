#include "platform/random.h"

namespace quorbel {

namespace {
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
} // namespace

int Random15::Next() {
  state_ = state_ * kMultiplier + kIncrement;
  return static_cast<int>((state_ >> 16) & kRandomMax);
}

int RandomBelow(Random15 &random, int n) {
  const int draw = random.Next();
  const int value = static_cast<int>(static_cast<int64_t>(n) * draw / kRandomMax);
  return value == n ? n - 1 : value;
}

} // namespace quorbel
