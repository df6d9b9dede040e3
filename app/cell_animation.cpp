#include "app/cell_animation.h"

#include <algorithm>
#include <cmath>

#include "app/app_random.h"

namespace quorbel {

namespace {

constexpr int kStartSpread = 1000; // ms: cells started together wait apart
constexpr float kPulseStartMs = 600;
constexpr float kPulseStepMs = 300;
constexpr int kPulseRepeat = 10;
constexpr int kEffectKinds = 5;

const CBitMapGif *SetOf(const CAnimGif &anim, const PictureLibrary &pictures) {
  const int set = DrawnSet(anim, pictures);
  return set < 0 ? nullptr : &pictures.Sets[static_cast<size_t>(set)];
}

float DelayOfFrame(const CAnimGif &anim, const PictureLibrary &pictures) {
  const CBitMapGif *set = SetOf(anim, pictures);
  if (!set || anim.Frame < 0 || anim.Frame >= set->FrameCount)
    return 0;
  return static_cast<float>(set->Delays[static_cast<size_t>(anim.Frame)]);
}

// The next frame when frames advance; true when the picture changed.
bool AdvanceFrame(CAnimGif &anim, const AnimStepContext &ctx) {
  const CBitMapGif *set = SetOf(anim, ctx.Pictures);
  if (!ctx.FramesAdvance || !set)
    return false;
  const int before = anim.Frame;
  anim.Frame = static_cast<int8_t>((anim.Frame + 1) % set->FrameCount);
  return anim.Frame != before;
}

// Effects and rings run down one step per tick, not per paint: a repaint the window system
// asks for must not hurry them.
int StepCountdown(int8_t &countdown) {
  if (countdown < 0)
    return kAnimNoChange;
  if (countdown == 0) {
    countdown = -1;
    return kAnimFinished;
  }
  --countdown;
  return kAnimRedraw;
}

} // namespace

void ResetAnim(CAnimGif &anim) { anim = CAnimGif{}; }

void SelectAnimSet(CAnimGif &anim, int set, const PictureOrderTable &pictureOrder) {
  if (set >= kNoPictureSet) {
    anim.RequestedSet = static_cast<int16_t>(set);
    anim.ResolvedSet = static_cast<int16_t>(set);
    if (set >= 0 && set < static_cast<int>(pictureOrder.size()))
      anim.ResolvedSet = pictureOrder[set];
  }
  anim.Mode = kAnimStopped;
  anim.Frame = 0;
  anim.TimeToNextFrameMs = 0;
  anim.RepeatCount = 0;
}

int DrawnSet(const CAnimGif &anim, const PictureLibrary &pictures) {
  return pictures.HasFrames(anim.ResolvedSet) ? anim.ResolvedSet : kNoPictureSet;
}

void SetAnimMode(CAnimGif &anim, int mode, int count, const PictureLibrary &pictures) {
  anim.Mode = static_cast<int8_t>(mode);
  anim.RepeatCount = count;
  const int wait = RandomBelow(kStartSpread);
  const float delay = DelayOfFrame(anim, pictures);
  switch (mode) {
  case kAnimOnce:
    anim.RepeatCount = 1;
    anim.TimeToNextFrameMs = delay;
    break;
  case kAnimCountedLoops: {
    const CBitMapGif *set = SetOf(anim, pictures);
    const int frames = set ? set->FrameCount * set->LoopFactor : 0;
    // At least one step: a count of 0 or less would never end.
    anim.RepeatCount = std::max(1, frames * count - anim.Frame);
    anim.TimeToNextFrameMs = static_cast<float>(wait) + delay;
    break;
  }
  case kAnimPulse:
    anim.RepeatCount = kPulseRepeat;
    anim.TimeToNextFrameMs = kPulseStartMs;
    break;
  case kAnimEndless:
    anim.RepeatCount = -1;
    anim.TimeToNextFrameMs = static_cast<float>(wait) + delay;
    break;
  default:
    anim.Mode = kAnimStopped;
    anim.EffectCountdown = -1;
    anim.RingCountdown = -1;
    break;
  }
}

void StartAnimEffect(CAnimGif &anim, bool animated) {
  if (!animated) {
    anim.EffectCountdown = -1;
    return;
  }
  anim.EffectKind = static_cast<int8_t>(RandomBelow(kEffectKinds) + 1);
  anim.EffectCountdown = anim.EffectLength;
}

void StartRingPulse(CAnimGif &anim) { anim.RingCountdown = anim.RingLength; }

int AnimGifStep(CAnimGif &anim, double elapsedMs, const AnimStepContext &ctx) {
  const int result = StepCountdown(anim.EffectCountdown);
  if (anim.Mode == kAnimPulse) {
    if (ctx.PicturesShown) {
      anim.Mode = kAnimStopped;
      anim.RingCountdown = -1;
      return kAnimFinished;
    }
    anim.TimeToNextFrameMs -= static_cast<float>(elapsedMs);
    if (anim.TimeToNextFrameMs < 0) {
      AdvanceFrame(anim, ctx);
      anim.TimeToNextFrameMs = kPulseStepMs;
    }
    const int ring = StepCountdown(anim.RingCountdown);
    if (ring == kAnimFinished)
      anim.Mode = kAnimStopped; // nothing shows a pulse once its rings are gone
    return std::max(result, ring);
  }
  if (anim.Mode < kAnimOnce || anim.Mode > kAnimEndless)
    return result;
  anim.TimeToNextFrameMs -= static_cast<float>(elapsedMs);
  if (anim.TimeToNextFrameMs >= 0)
    return result;
  const bool changed = AdvanceFrame(anim, ctx);
  if (anim.RepeatCount-- == 1) {
    anim.Mode = kAnimStopped;
    return kAnimFinished;
  }
  anim.TimeToNextFrameMs = DelayOfFrame(anim, ctx.Pictures);
  return changed ? std::max(result, static_cast<int>(kAnimRedraw)) : result;
}

void ClearMovePath(CMoveGif &move) {
  move.PointCount = 0;
  move.State = kMoveFinished;
}

void AddMovePoint(CMoveGif &move, float x, float y, float scale) {
  if (move.PointCount >= kMostMovePoints)
    return;
  const auto at = static_cast<size_t>(move.PointCount++);
  move.X[at] = x;
  move.Y[at] = y;
  move.Scales[at] = scale;
}

void ResetMove(CMoveGif &move, uint32_t now) {
  move.State = kMoveReady;
  move.SegmentStart = 0;
  move.SegmentEnd = 1;
  move.Progress = 0;
  move.Speed = 0;
  move.LastTime = now;
}

void StartMove(CMoveGif &move, float speed) {
  move.State = kMoveMoving;
  move.Speed = speed;
}

void StepMove(CMoveGif &move, const SurfaceRect &area, uint32_t now, const AnimStepContext &ctx) {
  if (move.State != kMoveMoving || move.PointCount == 0)
    return;
  const uint32_t elapsed = now - move.LastTime;
  move.LastTime = now;
  move.Progress += move.Speed * static_cast<float>(elapsed);
  if (move.PointCount < 2)
    move.State = kMoveFinished;
  while (move.Progress > 1 && move.State != kMoveFinished) {
    ++move.SegmentStart;
    move.Progress -= 1;
    move.SegmentEnd = move.SegmentStart + 1;
    if (move.SegmentEnd >= move.PointCount)
      move.State = kMoveFinished;
  }
  if (move.State == kMoveFinished) {
    move.Rect = kNoMoveRect;
    return;
  }
  const float f = move.Progress;
  const auto s = static_cast<size_t>(move.SegmentStart);
  const auto e = static_cast<size_t>(move.SegmentEnd);
  move.CurrentX = f * move.X[e] + (1 - f) * move.X[s];
  move.CurrentY = f * move.Y[e] + (1 - f) * move.Y[s];
  move.Scale = f * move.Scales[e] + (1 - f) * move.Scales[s];
  const CBitMapGif *set = SetOf(move, ctx.Pictures);
  const auto width = static_cast<int32_t>(move.Scale * static_cast<float>(set ? set->Width : 0));
  const auto height = static_cast<int32_t>(move.Scale * static_cast<float>(set ? set->Height : 0));
  const auto cx = static_cast<int32_t>((1 - move.CurrentX) * static_cast<float>(area.Left) +
                                       move.CurrentX * static_cast<float>(area.Right));
  const auto cy = static_cast<int32_t>((1 - move.CurrentY) * static_cast<float>(area.Top) +
                                       move.CurrentY * static_cast<float>(area.Bottom));
  move.Rect = {cx - width / 2, cy - height / 2, cx - width / 2 + width, cy - height / 2 + height};
  AnimGifStep(move, elapsed, ctx);
}

} // namespace quorbel
