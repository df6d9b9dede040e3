// A cell's pictures as the engine names them: the picture sets, the value-to-set order, which
// picture of a cell and the animation modes. Their animation states live beside the board
// (app/board_animations.h), never in the cell records; the engine only asks the host to start one.
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

} // namespace quorbel
