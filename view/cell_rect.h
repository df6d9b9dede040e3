// The board's rectangles: device pixels, left and top inclusive, right and bottom exclusive
// (a rectangle of width right - left). A rectangle of -1000 on all four sides is a record the
// layout does not show; every painter and hit test skips it.
#pragma once

#include <array>
#include <cstdint>

namespace quorbel {

inline constexpr int32_t kNotShownSide = -1000;

struct CellRect {
  int32_t left = kNotShownSide;
  int32_t top = kNotShownSide;
  int32_t right = kNotShownSide;
  int32_t bottom = kNotShownSide;

  constexpr int32_t Width() const { return right - left; }
  constexpr int32_t Height() const { return bottom - top; }
  constexpr bool IsShown() const { return left != kNotShownSide || right != kNotShownSide; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int32_t x, int32_t y) const {
    return IsShown() && x >= left && x < right && y >= top && y < bottom;
  }
  constexpr bool Intersects(const CellRect &other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
  // Positive values move the sides inward.
  constexpr CellRect Inset(int32_t dx, int32_t dy) const {
    return {left + dx, top + dy, right - dx, bottom - dy};
  }
  constexpr bool operator==(const CellRect &) const = default;
};

inline constexpr CellRect kNotShownRect{};

// 16 value boxes relative to a cell's top-left corner (index: value - 1).
using CandidateLayout = std::array<CellRect, 16>;

} // namespace quorbel
