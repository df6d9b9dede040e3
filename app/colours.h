// Colours as the program stores them: 32-bit values 0x00BBGGRR (red in the low byte), the
// channel arithmetic on them, and the board's fourteen colours with their section COLOR.
// The conversion to QColor lives in platform/qt/colour_ref.h.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/abstract_profile_store.h"

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

// The board's colours, named as the painter and the colour page know them.
struct BoardColours {
  ColorRef ColInit{};         // text of given values
  ColorRef ColInput{};        // text of values entered by the player
  ColorRef ColPossible{};     // candidate text
  ColorRef ColFind{};         // text of values found by the solver
  ColorRef ColSearch{};       // text of values placed by the search
  ColorRef ColBad{};          // text of a wrong value
  ColorRef ColBgCase{};       // ordinary cell background
  ColorRef ColBgSingle{};     // background of a cell with a single candidate
  ColorRef ColBgBad{};        // background of a cell in conflict
  ColorRef ColBgComment{};    // background of the comment area
  ColorRef ColBgEcran{};      // background of the board area
  ColorRef ColBgSeparation{}; // between blocks and grids
  ColorRef ColBgHighlight{};  // highlighted cells
  ColorRef ColBorder{};       // cell and block border lines
};

inline constexpr int kBoardColourCount = 14;

// The colours' keys of section COLOR, in their stored order, with their defaults.
struct BoardColourKey {
  std::string_view key;
  ColorRef BoardColours::*field;
  ColorRef fallback;
};
extern const std::array<BoardColourKey, kBoardColourCount> BoardColourKeys;

BoardColours DefaultColours();
// No range check: a stored value is taken as it is.
void LoadColors(AbstractProfileStore &store, BoardColours &colours);
void SaveColors(AbstractProfileStore &store, const BoardColours &colours);

} // namespace quorbel
