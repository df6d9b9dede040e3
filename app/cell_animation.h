// How a cell picture moves: its frames step on the board's 40 ms tick, an entry effect or a ring
// pulse runs down one step per tick, and a sprite flies along a path of up to 20 points over
// the board. Plain state over the picture library; the Qt side draws it.
#pragma once

#include <array>
#include <cstdint>

#include "app/picture_library.h"
#include "engine/cell_image.h"

namespace quorbel {

// The animation state of one picture: which set, which frame, when the next frame is due and
// the effect counters.
struct CAnimGif {
  int16_t ResolvedSet = kNoPictureSet;  // the set drawn
  int16_t RequestedSet = kNoPictureSet; // the index asked for: 0..15 are the values 1..16
  int8_t Mode = kAnimStopped;
  int8_t Frame = 0;
  int8_t EffectKind = 0;
  int8_t EffectCountdown = -1;
  int8_t EffectLength = kEffectLength;
  int8_t RingCountdown = -1;
  int8_t RingLength = kEffectLength;
  int32_t RepeatCount = 0;
  float TimeToNextFrameMs = 0;

  bool operator==(const CAnimGif &) const = default;
};

// The state of construction: no set, stopped, counters off.
void ResetAnim(CAnimGif &anim);

// -1 selects no set, below -1 keeps the current one, 0..15 are value indexes mapped
// through the picture order, larger values are set indexes. Stops the animation.
void SelectAnimSet(CAnimGif &anim, int set, const PictureOrderTable &pictureOrder);

// What a step reads besides the animation: the pictures, whether pictures are shown, whether
// frames advance (GENERAL/ANIMGIF).
struct AnimStepContext {
  const PictureLibrary &Pictures;
  bool PicturesShown = false;
  bool FramesAdvance = true;
};

enum AnimStepResult : int { kAnimNoChange = 0, kAnimRedraw = 1, kAnimFinished = 2 };

// Starts playing: 0 stops (and the effect and ring), 1 one frame, 2 the set's frames
// `count` x its loop factor times, 3 a pulse, 4 endless. Starts after a random wait so that
// cells started together do not step together.
void SetAnimMode(CAnimGif &anim, int mode, int count, const PictureLibrary &pictures);
// An entry effect of a random kind when `animated` (GENERAL/ANIMACTION), else none.
void StartAnimEffect(CAnimGif &anim, bool animated);
void StartRingPulse(CAnimGif &anim);
// One tick of `elapsedMs`: kAnimRedraw when the picture changed, kAnimFinished when the
// animation stopped or its effect or ring ended.
int AnimGifStep(CAnimGif &anim, double elapsedMs, const AnimStepContext &ctx);
// The set an animation draws, or none (-1) when it has no frames to draw.
int DrawnSet(const CAnimGif &anim, const PictureLibrary &pictures);

// A picture flying over the board along up to 20 points, each a fraction of the area crossed
// (0 the left or top edge, 1 the right or bottom one) with a scale of the set's size.
inline constexpr int kMostMovePoints = 20;
inline constexpr SurfaceRect kNoMoveRect{0, 0, 0, -1}; // a bottom of -1: no rectangle
enum MoveState : int { kMoveFinished = 0, kMoveReady = 1, kMoveMoving = 2 };

struct CMoveGif : CAnimGif {
  float Scale = 1;
  int SegmentStart = 0;
  int SegmentEnd = 1;
  float Progress = 0;
  float Speed = 0; // segments per millisecond
  int PointCount = 0;
  std::array<float, kMostMovePoints> X{};
  std::array<float, kMostMovePoints> Y{};
  std::array<float, kMostMovePoints> Scales{};
  float CurrentX = 0;
  float CurrentY = 0;
  int State = kMoveReady;
  uint32_t LastTime = 0;
  SurfaceRect Rect = kNoMoveRect;
  SurfaceRect OldRect = kNoMoveRect;
};

void ClearMovePath(CMoveGif &move);
void AddMovePoint(CMoveGif &move, float x, float y, float scale);
void ResetMove(CMoveGif &move, uint32_t now);
void StartMove(CMoveGif &move, float speed);
// Moves the sprite to `now` over `area` and steps its frames; past the last point it finishes
// and has no rectangle.
void StepMove(CMoveGif &move, const SurfaceRect &area, uint32_t now, const AnimStepContext &ctx);
// After the sprite was shown: its rectangle becomes the one to clean at the next tick.
inline void MoveShown(CMoveGif &move) { move.OldRect = move.Rect; }

} // namespace quorbel
