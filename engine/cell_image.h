// A cell's pictures as the engine names them (the picture sets, the value-to-set order, which
// picture of a cell, the animation modes) and the animation state of one picture (CAnimGif):
// which set, which frame, when the next frame is due and the effect counters. The states live
// beside the board, never in the cell records; the engine only asks the host to start one.
#pragma once

#include <array>
#include <cstdint>

namespace quorbel {

constexpr int kNoPictureSet = -1;
constexpr int kFirstChessPictureSet = 16;    // the figures' sets follow the values', kind + 6 x colour
constexpr int kMagicSentencePictureSet = 28; // on the cells of the Magic Sentence
constexpr int kMagicSquareMarkerSet = 29;    // the black star on the cells of a Magic Square
constexpr int kEffectLength = 20;

// Value index (0..15) -> picture set, the player's choice of pictures for the values.
using PictureOrderTable = std::array<int16_t, 16>;

// The pictures of a cell, which the board animates: the value's, the chess figure's, the
// Magic Sentence's and the Magic Square's three markers.
enum CellPicture : int {
  kValuePicture = 0,
  kFigurePicture = 1,
  kSentencePicture = 2,
  kFirstMarkerPicture = 3,
  kCellPictures = 6
};
inline constexpr int kMarkerPictures = kCellPictures - kFirstMarkerPicture;

enum AnimMode : int8_t {
  kAnimStopped = 0,
  kAnimOnce = 1,
  kAnimCountedLoops = 2,
  kAnimPulse = 3,
  kAnimEndless = 4
};

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

} // namespace quorbel
