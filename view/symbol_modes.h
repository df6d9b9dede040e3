// How the player's symbols map to values and how the symbol mode and the character sizes change:
// the value of a typed key, the next allowed symbol mode for a grid width, the script words of
// the modes, and which character size the size commands change.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/app_settings.h"
#include "app/value_symbol.h"

namespace quorbel {

// The value a typed character stands for ('1'..'9' and 'A'..'Z'), 0 when none. The result may
// lie beyond the grid's width (or 16): the caller refuses it.
int ValueOfSymbolKey(char key, SymbolMode mode);
// The value the key may place in a grid of `width` values, 0 when none: never above 16.
int PlaceableValue(char key, SymbolMode mode, int width);

// The mode after `stored` for a grid of `width` values: digits need a width below 12, mixed a
// width above 9, letters at most 16; pictures are always allowed. A stored value outside the
// modes gives digits.
SymbolMode NextSymbolMode(int stored, int width);
// `requested` >= 0 asks for that mode (the next allowed one when it is not); -1 the mode after
// `stored`.
SymbolMode ChooseSymbolMode(int requested, int stored, int width);
// The script's word for a mode: NUMBER, LETTER, MIXED, CARTOON.
std::string_view SymbolModeWord(SymbolMode mode);

// The character sizes the size commands change, each an offset setting.
enum class FontTarget : int32_t { Cell = 0, Comment = 1, Matrix = 2, Probable = 3, All = 4, LineCol = 5 };

struct FontTargetInputs {
  int FocusCell = -1;
  bool ProbableMarkClicked = false; // the last click toggled a probable mark
  int NCells = 0;
  int ProbType = 1;
  int FocusStatus = 0; // the focus cell's status
};
FontTarget ChooseFontTarget(const FontTargetInputs &in);

// The single targets in the order "all" changes and records them.
inline constexpr std::array<FontTarget, 5> kEveryFontTarget = {
    FontTarget::Cell, FontTarget::Probable, FontTarget::LineCol, FontTarget::Matrix, FontTarget::Comment};
// The script's keyword of a single target: CELL, COMMENT, MAT, PROB, LINECOL.
std::string_view FontTargetWord(FontTarget target);
// The offset setting of a single target.
int32_t &FontOffset(GeneralSettings &general, FontTarget target);
// An offset beyond the font table's size only moves the size further past its largest font.
inline constexpr int32_t kMaxFontOffset = 160;

} // namespace quorbel
