// The colour of one pixel as pictures store and exchange it: blue in the low byte, then
// green, red and alpha. A type of its own, so that it never mixes with the board's colours.
#pragma once

#include <cstdint>

namespace quorbel {

struct PixelColour {
  uint32_t Value = 0;

  constexpr uint8_t Blue() const { return static_cast<uint8_t>(Value); }
  constexpr uint8_t Green() const { return static_cast<uint8_t>(Value >> 8); }
  constexpr uint8_t Red() const { return static_cast<uint8_t>(Value >> 16); }
  constexpr uint8_t Alpha() const { return static_cast<uint8_t>(Value >> 24); }
  constexpr bool operator==(const PixelColour &) const = default;
};

constexpr PixelColour RgbPixel(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0) {
  return PixelColour{static_cast<uint32_t>(blue) | static_cast<uint32_t>(green) << 8 |
                     static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(alpha) << 24};
}

} // namespace quorbel
