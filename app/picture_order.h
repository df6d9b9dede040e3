// PictureOrder: which of the 16 pictures of a cell picture set stands for each value. Settled
// whenever a picture set is loaded: kept, shuffled or reset, and always a permutation after.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/cell_image.h"

namespace quorbel {

inline constexpr int kPictureCount = 16;
using PictureOrder = std::array<int32_t, kPictureCount>;

enum class PictureOrderMode : int32_t {
  Keep = 0,     // the stored order, when it is a permutation of 0..15
  Shuffle = 1,  // a new random permutation
  Identity = 2, // value v shows picture v
};

// Settles `order` for the set of file title `setTitle` and returns the mode that was applied:
// the "Domino" set always takes the identity; a stored order that is not a permutation too.
PictureOrderMode SettlePictureOrder(PictureOrder &order, PictureOrderMode mode, std::string_view setTitle);

// The engine keeps the order in a table of its own; these copy it each way.
PictureOrder PictureOrderOf(const PictureOrderTable &table);
void StorePictureOrder(const PictureOrder &order, PictureOrderTable &table);

} // namespace quorbel
