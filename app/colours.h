// The board's fourteen colours with their section COLOR, in the program's 0x00BBGGRR colour
// words (platform/colour_word.h).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/abstract_profile_store.h"
#include "platform/colour_word.h"

namespace quorbel {

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
