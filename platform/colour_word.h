// Colours as the program stores them: 32-bit words 0x00BBGGRR (red in the low byte), as the
// Windows colour words were, and the channel arithmetic on them. The conversion to QColor lives
// in platform/qt/colour_ref.h.
#pragma once

#include <cstdint>

namespace quorbel {

using ColorRef = uint32_t;

inline constexpr int kChannelBits = 8;
inline constexpr ColorRef kChannelMax = 0xFF;
inline constexpr int kGreenShift = kChannelBits;
inline constexpr int kBlueShift = 2 * kChannelBits;

constexpr ColorRef MakeColorRef(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << kGreenShift) |
         (static_cast<ColorRef>(blue) << kBlueShift);
}
constexpr uint8_t RedOf(ColorRef colour) { return static_cast<uint8_t>(colour & kChannelMax); }
constexpr uint8_t GreenOf(ColorRef colour) {
  return static_cast<uint8_t>((colour >> kGreenShift) & kChannelMax);
}
constexpr uint8_t BlueOf(ColorRef colour) {
  return static_cast<uint8_t>((colour >> kBlueShift) & kChannelMax);
}

// Each channel times `factor`, truncated toward zero and held at 255.
constexpr ColorRef ScaleColour(ColorRef colour, double factor) {
  ColorRef scaled = 0;
  for (int shift = 0; shift < 3 * kChannelBits; shift += kChannelBits) {
    const double channel = static_cast<double>((colour >> shift) & kChannelMax) * factor;
    const double held = !(channel > 0) ? 0 : channel > kChannelMax ? kChannelMax : channel; // NaN: 0
    scaled |= static_cast<ColorRef>(held) << shift;
  }
  return scaled;
}

// The channels added one by one, each held at 255.
constexpr ColorRef AddColours(ColorRef a, ColorRef b) {
  ColorRef sum = 0;
  for (int shift = 0; shift < 3 * kChannelBits; shift += kChannelBits) {
    const ColorRef channel = ((a >> shift) & kChannelMax) + ((b >> shift) & kChannelMax);
    sum |= (channel > kChannelMax ? kChannelMax : channel) << shift;
  }
  return sum;
}

} // namespace quorbel
