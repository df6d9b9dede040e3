#include "app/cell_animation.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/app_random.h"

using namespace quorbel;

namespace {

constexpr double kTick = 40;

// A library whose sets have frames, delays and sizes but no pixels: the steps read no more.
class CellAnimation : public ::testing::Test {
protected:
  void SetUp() override {
    SeedRandom(3);
    for (int set : {0, 9, kPraiseSet})
      Give(set, 4, 100);
  }
  void Give(int set, int frames, double delayMs, int loopFactor = 1) {
    CBitMapGif &s = pictures_->Sets[static_cast<size_t>(set)];
    s.FrameCount = frames;
    s.LoopFactor = loopFactor;
    s.Width = 40;
    s.Height = 20;
    for (int i = 0; i < frames; ++i)
      s.Delays[static_cast<size_t>(i)] = delayMs;
  }
  AnimStepContext Step(bool pictures = true) const {
    return {.Pictures = *pictures_, .PicturesShown = pictures};
  }

  std::unique_ptr<PictureLibrary> pictures_ = std::make_unique<PictureLibrary>();
};

} // namespace

TEST_F(CellAnimation, AValueIndexGoesThroughThePictureOrderAndKeepsItsValue) {
  PictureOrderTable order{};
  order[3] = 9;
  CAnimGif anim;
  SelectAnimSet(anim, 3, order);
  EXPECT_EQ(anim.ResolvedSet, 9);
  EXPECT_EQ(anim.RequestedSet + 1, 4); // the text path writes value 4
  EXPECT_EQ(DrawnSet(anim, *pictures_), 9);
  SelectAnimSet(anim, kPraiseSet, order); // past the values: a set of its own
  EXPECT_EQ(DrawnSet(anim, *pictures_), kPraiseSet);
  SelectAnimSet(anim, 5, order); // order[5] is 0
  EXPECT_EQ(anim.ResolvedSet, 0);
}

// Moved from the cell record's tests with the picture state.
TEST(CellPictures, PicturesFollowThePlayersPictureOrder) {
  PictureOrderTable order{};
  order[3] = 9;
  CAnimGif picture;
  SelectAnimSet(picture, 3, order);
  EXPECT_EQ(picture.RequestedSet, 3);
  EXPECT_EQ(picture.ResolvedSet, 9);
  SelectAnimSet(picture, 29, order);
  EXPECT_EQ(picture.ResolvedSet, 29);
  SelectAnimSet(picture, -5, order); // keeps the set
  EXPECT_EQ(picture.ResolvedSet, 29);
}

TEST_F(CellAnimation, OneStepEndsAfterTheFramesDelayAndCountedLoopsAfterTheirSteps) {
  CAnimGif once;
  SelectAnimSet(once, 0, PictureOrderTable{});
  SetAnimMode(once, kAnimOnce, 0, *pictures_);
  EXPECT_EQ(AnimGifStep(once, kTick, Step()), kAnimNoChange);
  EXPECT_EQ(AnimGifStep(once, kTick, Step()), kAnimNoChange);
  EXPECT_EQ(AnimGifStep(once, kTick, Step()), kAnimFinished); // 120 ms > 100 ms
  EXPECT_EQ(once.Mode, kAnimStopped);
  EXPECT_EQ(AnimGifStep(once, kTick, Step()), kAnimNoChange);

  Give(0, 4, 100, 2);
  CAnimGif loops;
  SelectAnimSet(loops, 0, PictureOrderTable{});
  SetAnimMode(loops, kAnimCountedLoops, 1, *pictures_);
  int steps = 0;
  int result = kAnimNoChange;
  for (int t = 0; t < 1000 && result != kAnimFinished; ++t)
    if ((result = AnimGifStep(loops, 1000, Step())) != kAnimNoChange)
      ++steps;
  EXPECT_EQ(steps, 8); // 4 frames x loop factor 2, the last one finishing
  EXPECT_EQ(loops.Frame, 0);
}

TEST_F(CellAnimation, WithoutFramesOrWithFramesHeldNothingDividesAndCountsStillRunDown) {
  CAnimGif none; // no set at all
  SetAnimMode(none, kAnimOnce, 0, *pictures_);
  EXPECT_EQ(AnimGifStep(none, kTick, Step()), kAnimFinished);
  EXPECT_EQ(none.Frame, 0);

  CAnimGif held;
  SelectAnimSet(held, 0, PictureOrderTable{});
  SetAnimMode(held, kAnimEndless, 0, *pictures_);
  AnimStepContext still = Step();
  still.FramesAdvance = false;
  for (int t = 0; t < 10; ++t)
    EXPECT_NE(AnimGifStep(held, 1000, still), kAnimFinished);
  EXPECT_EQ(held.Frame, 0);
  EXPECT_EQ(held.RepeatCount, -11);

  CAnimGif empty; // a loop factor of 0 would have played for ever
  Give(0, 4, 100, 0);
  SelectAnimSet(empty, 0, PictureOrderTable{});
  SetAnimMode(empty, kAnimCountedLoops, 1, *pictures_);
  EXPECT_EQ(AnimGifStep(empty, 2000, Step()), kAnimFinished);
}

TEST_F(CellAnimation, TheRingPulseRunsOneStepATickAndEndsThePulse) {
  CAnimGif pulse;
  SelectAnimSet(pulse, 0, PictureOrderTable{});
  SetAnimMode(pulse, kAnimPulse, 1, *pictures_);
  StartRingPulse(pulse);
  for (int t = 0; t < kEffectLength; ++t)
    ASSERT_EQ(AnimGifStep(pulse, kTick, Step(false)), kAnimRedraw) << t;
  EXPECT_EQ(pulse.RingCountdown, 0);
  EXPECT_EQ(AnimGifStep(pulse, kTick, Step(false)), kAnimFinished);
  EXPECT_EQ(pulse.RingCountdown, -1);
  EXPECT_EQ(pulse.Mode, kAnimStopped);

  SetAnimMode(pulse, kAnimPulse, 1, *pictures_);
  EXPECT_EQ(AnimGifStep(pulse, kTick, Step(true)), kAnimFinished); // pictures show no pulse
}

TEST_F(CellAnimation, AnEntryEffectPlaysWhatEverTheModeAndOnlyWhenAnimated) {
  CAnimGif anim;
  StartAnimEffect(anim, false);
  EXPECT_EQ(anim.EffectCountdown, -1);
  StartAnimEffect(anim, true);
  EXPECT_GE(anim.EffectKind, 1);
  EXPECT_LE(anim.EffectKind, 5);
  for (int t = 0; t < kEffectLength; ++t)
    ASSERT_EQ(AnimGifStep(anim, kTick, Step()), kAnimRedraw);
  EXPECT_EQ(AnimGifStep(anim, kTick, Step()), kAnimFinished);
  EXPECT_EQ(AnimGifStep(anim, kTick, Step()), kAnimNoChange);
}

TEST_F(CellAnimation, ASpriteFliesItsPathAndHasNoRectangleOnceThrough) {
  CMoveGif move;
  SelectAnimSet(move, kPraiseSet, PictureOrderTable{});
  for (int k = 0; k < kMostMovePoints + 1; ++k)
    AddMovePoint(move, 0, 0, 1);
  EXPECT_EQ(move.PointCount, kMostMovePoints);

  ClearMovePath(move);
  AddMovePoint(move, 0, 0, 1);
  AddMovePoint(move, 1, 1, 2);
  ResetMove(move, 1000);
  const SurfaceRect area{0, 0, 1000, 500};
  StepMove(move, area, 2000, Step()); // ready, not moving: nothing
  EXPECT_EQ(move.Rect.Bottom, -1);
  ResetMove(move, 0);
  StartMove(move, 0.0001f);
  StepMove(move, area, 5000, Step()); // half way: the centre and 1.5 x the set's size
  EXPECT_EQ(move.Rect.Left, 500 - 30);
  EXPECT_EQ(move.Rect.Right - move.Rect.Left, 60);
  EXPECT_EQ(move.Rect.Bottom - move.Rect.Top, 30);
  StepMove(move, area, 9960, Step());
  EXPECT_EQ(move.State, kMoveMoving);
  StepMove(move, area, 10040, Step());
  EXPECT_EQ(move.State, kMoveFinished);
  EXPECT_EQ(move.Rect.Bottom, -1);
}
