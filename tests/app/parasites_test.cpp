// The moving parasites and the fade: when sprites come, where they enter, how many points their
// paths hold, and settings read from a file that hold zeros.
#include "app/parasites.h"

#include <gtest/gtest.h>

#include "app/app_random.h"

namespace quorbel {
namespace {

constexpr int32_t kKid = 1;
constexpr int32_t kChampion = 0;

GameParasiteSettings Settings() {
  GameParasiteSettings s;
  s.parFacKid = 3;
  s.parOffKid = 2;
  s.parFacQuick = 2;
  s.parOffQuick = 1;
  s.parCte = 77;
  s.moveIndexMax = 2000;
  s.moveIndex1 = 10;
  s.moveIndex2 = 20;
  s.moveIndex3 = 30;
  s.moveIndex4 = 40;
  s.moveFac1 = s.moveFac2 = s.moveFac3 = s.moveFac4 = 2;
  s.moveCte1 = s.moveCte2 = s.moveCte3 = s.moveCte4 = s.moveCte5 = 30;
  return s;
}

struct Board {
  PictureLibrary pictures;
  ParasiteSlots slots;
  ParasiteState state;
  Board() { ResetParasiteSlots(state, slots); }
  int Spawn(const GameParasiteSettings &s, int32_t mode) {
    return SpawnParasite(state, slots, s, mode, true, pictures, 0);
  }
};

TEST(Parasites, TheFirstComesAfterTenSecondsAndAFullBoardOnlyRaisesTheLevel) {
  SeedRandom(7);
  Board b;
  b.state.Countdown = kFirstParasiteCountdown;
  int tick = 1;
  while (b.Spawn(Settings(), kKid) < 0)
    ++tick;
  EXPECT_EQ(tick, kFirstParasiteCountdown);
  EXPECT_EQ(SpawnParasite(b.state, b.slots, Settings(), kKid, false, b.pictures, 0), -1); // paused

  for (CMoveGif &slot : b.slots)
    slot.State = kMoveMoving;
  b.state.Countdown = 0;
  const int32_t level = b.state.Level;
  EXPECT_EQ(b.Spawn(Settings(), kKid), -1);
  EXPECT_EQ(b.state.Level, level + 1);
  EXPECT_LE(b.state.Countdown, 0); // the next tick tries again
  b.slots[3].State = kMoveFinished;
  EXPECT_EQ(b.Spawn(Settings(), kKid), 3);

  Board champion;
  EXPECT_EQ(champion.Spawn(Settings(), kChampion), -1);
  EXPECT_EQ(champion.state.Countdown, 77);
}

TEST(Parasites, SpritesNeverEnterByTheLeftAndTheirPathsStayShort) {
  SeedRandom(11);
  Board b;
  for (int spawn = 0; spawn < 1000; ++spawn) {
    b.state.Countdown = 0;
    const int slot = b.Spawn(Settings(), spawn % 2 == 0 ? kKid : 2);
    ASSERT_GE(slot, 0);
    CMoveGif &sprite = b.slots[static_cast<size_t>(slot)];
    EXPECT_TRUE(sprite.Y[0] == 0.0f || sprite.Y[0] == 1.0f || sprite.X[0] == 1.0f);
    EXPECT_LE(sprite.PointCount, kMostMovePoints);
    EXPECT_GE(sprite.PointCount, 2);
    sprite.State = kMoveFinished;
  }

  GameParasiteSettings zeros; // a file of zeros: no division by zero, no bound of 0
  zeros.moveIndex1 = 1000;    // the level divided by MOVEFAC1, which is 0
  zeros.moveIndexMax = 10;
  Board z;
  for (int i = 0; i < 10; ++i) {
    z.Spawn(zeros, kKid);
    z.Spawn(zeros, 2);
  }
}

TEST(BoardFade, AFadeRunsItsCourseThenStops) {
  double level = 1.0;
  double step = -0.07;
  for (int i = 0; i < 14; ++i)
    EXPECT_EQ(StepBoardFade(level, step), 1) << i;
  EXPECT_EQ(StepBoardFade(level, step), 0);
  EXPECT_EQ(level, 0.0);
  EXPECT_EQ(step, 0.0);
  EXPECT_EQ(StepBoardFade(level, step), 0);
}

} // namespace
} // namespace quorbel
