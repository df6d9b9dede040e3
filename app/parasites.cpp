#include "app/parasites.h"

#include <algorithm>

#include "app/app_random.h"
#include "app/game_clock.h"

namespace quorbel {

namespace {

constexpr int32_t kModeKid = 1;
constexpr int32_t kModeQuick = 2;
constexpr int kSpriteSets = 31;
constexpr float kSpriteSpeed = 0.0001f; // segments per millisecond

// The settings come from a file: a divisor below 1 counts as 1, and a bound below 1 draws 0.
int32_t Divided(int32_t value, int32_t divisor) { return value / std::max<int32_t>(1, divisor); }
int Draw(int bound) { return bound < 1 ? 0 : RandomBelow(bound); }
float Fraction() { return static_cast<float>(Draw(10000)) / 10000.0f; }

int32_t Base(const GameParasiteSettings &s, int32_t level) {
  if (level < s.moveIndex1)
    return s.moveCte1 - Divided(level, s.moveFac1);
  if (level < s.moveIndex2)
    return s.moveCte2 - Divided(level, s.moveFac2);
  if (level < s.moveIndex3)
    return s.moveCte3 - Divided(level, s.moveFac3);
  if (level < s.moveIndex4)
    return s.moveCte4 - Divided(level, s.moveFac4);
  return s.moveCte5;
}

} // namespace

void ResetParasiteSlots(ParasiteState &state, ParasiteSlots &slots) {
  for (CMoveGif &slot : slots) {
    slot.State = kMoveFinished;
    slot.Rect = kNoMoveRect;
    slot.OldRect = kNoMoveRect;
  }
  state = ParasiteState{};
}

int FindFreeParasiteSlot(const ParasiteSlots &slots) {
  for (int i = 0; i < kParasiteSlots; ++i)
    if (slots[static_cast<size_t>(i)].State == kMoveFinished)
      return i;
  return -1;
}

int SpawnParasite(ParasiteState &state, ParasiteSlots &slots, const GameParasiteSettings &settings,
                  int32_t mode, bool active, const PictureLibrary &pictures, uint32_t now) {
  if (!active || --state.Countdown > 0)
    return -1;
  state.Level = std::min(state.Level + 1, settings.moveIndexMax);
  int32_t base = Base(settings, state.Level);
  const int slot = FindFreeParasiteSlot(slots);
  if (slot < 0)
    return -1;
  CMoveGif &sprite = slots[static_cast<size_t>(slot)];
  ClearMovePath(sprite);
  int segments = 0;
  if (mode == kModeKid) {
    segments = Draw(state.Level / 40 + 4);
    base *= 2;
    state.Countdown = Draw(settings.parFacKid * base) + settings.parOffKid * base;
  } else if (mode == kModeQuick) {
    segments = Draw(state.Level / 20 + 4);
    state.Countdown = Draw(base * settings.parFacQuick) + settings.parOffQuick * base;
  } else {
    state.Countdown = settings.parCte;
    return -1;
  }
  if (state.Level < settings.moveIndexStart)
    return -1;
  // The sprite comes in by the top, the right or the bottom, never the left.
  const int edge = Draw(3);
  const float r = Fraction();
  const float startX = edge == 1 ? 1.0f : r;
  const float startY = edge == 0 ? 0.0f : edge == 1 ? r : 1.0f;
  const float firstX = edge == 1 ? 0.95f : r;
  const float firstY = edge == 0 ? 0.05f : edge == 1 ? r : 0.95f;
  AddMovePoint(sprite, startX, startY, 0);
  float x = firstX;
  float y = firstY;
  for (int i = 0; i <= segments; ++i) {
    AddMovePoint(sprite, x, y, static_cast<float>(Draw(10000)) / 3000.0f + 0.2f);
    x = Fraction();
    y = Fraction();
  }
  ResetMove(sprite, now);
  sprite.RequestedSet = static_cast<int16_t>(Draw(kSpriteSets));
  sprite.ResolvedSet = sprite.RequestedSet;
  StartMove(sprite, kSpriteSpeed);
  SetAnimMode(sprite, kAnimEndless, 0, pictures);
  return slot;
}

int StepBoardFade(double &level, double &step) {
  if (step != 0)
    level = std::clamp(level + step, 0.0, 1.0);
  if (level <= 0 || level >= 1) {
    step = 0;
    return 0;
  }
  return 1;
}

} // namespace quorbel
