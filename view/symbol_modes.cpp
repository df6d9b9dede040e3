#include "view/symbol_modes.h"

#include "engine/cell_record.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int kDigitsBelowWidth = 12;
constexpr int kMixedAboveWidth = 9;
constexpr int kMixedFirstLetterValue = 10;

bool IsDigitKey(char key) { return key >= '1' && key <= '9'; }
bool IsLetterKey(char key) { return key >= 'A' && key <= 'Z'; }

} // namespace

int ValueOfSymbolKey(char key, SymbolMode mode) {
  switch (mode) {
  case kSymbolDigits:
    return IsDigitKey(key) ? key - '0' : 0;
  case kSymbolLetters:
    return IsLetterKey(key) ? key - 'A' + 1 : 0;
  case kSymbolMixed:
    if (IsDigitKey(key))
      return key - '0';
    return IsLetterKey(key) ? key - 'A' + kMixedFirstLetterValue : 0;
  case kSymbolPictures:
    break;
  }
  return 0;
}

int PlaceableValue(char key, SymbolMode mode, int width) {
  const int value = ValueOfSymbolKey(key, mode);
  return value >= 1 && value <= width && value <= kMaxWidth ? value : 0;
}

SymbolMode NextSymbolMode(int stored, int width) {
  switch (stored) {
  case kSymbolDigits:
    return width > kMaxWidth ? kSymbolMixed : kSymbolLetters;
  case kSymbolLetters:
    return width > kMixedAboveWidth ? kSymbolMixed : kSymbolPictures;
  case kSymbolMixed:
    return kSymbolPictures;
  case kSymbolPictures:
    if (width < kDigitsBelowWidth)
      return kSymbolDigits;
    return width > kMaxWidth ? kSymbolMixed : kSymbolLetters;
  default:
    return kSymbolDigits;
  }
}

SymbolMode ChooseSymbolMode(int requested, int stored, int width) {
  if (requested >= 0)
    stored = requested == kSymbolDigits ? kSymbolPictures : requested - 1;
  return NextSymbolMode(stored, width);
}

std::string_view SymbolModeWord(SymbolMode mode) {
  switch (mode) {
  case kSymbolDigits:
    return "NUMBER";
  case kSymbolLetters:
    return "LETTER";
  case kSymbolMixed:
    return "MIXED";
  case kSymbolPictures:
    return "CARTOON";
  }
  return "NUMBER";
}

FontTarget ChooseFontTarget(const FontTargetInputs &in) {
  if (in.FocusCell == -1)
    return FontTarget::All;
  if (in.FocusCell == -2)
    return FontTarget::Comment;
  if (in.ProbableMarkClicked)
    return FontTarget::Probable;
  if (in.FocusCell >= in.NCells)
    return FontTarget::LineCol;
  if (in.ProbType == 3 && in.FocusStatus >= kStatusEmpty)
    return FontTarget::LineCol;
  if (in.ProbType == 2 && in.FocusStatus > kStatusConflict)
    return FontTarget::Matrix;
  return FontTarget::Cell;
}

std::string_view FontTargetWord(FontTarget target) {
  switch (target) {
  case FontTarget::Comment:
    return "COMMENT";
  case FontTarget::Matrix:
    return "MAT";
  case FontTarget::Probable:
    return "PROB";
  case FontTarget::LineCol:
    return "LINECOL";
  case FontTarget::All:
    return "ALL";
  case FontTarget::Cell:
    break;
  }
  return "CELL";
}

int32_t &FontOffset(GeneralSettings &general, FontTarget target) {
  switch (target) {
  case FontTarget::Comment:
    return general.deltaFontCom;
  case FontTarget::Matrix:
    return general.deltaFontMatrix;
  case FontTarget::Probable:
    return general.deltaFontProb;
  case FontTarget::LineCol:
    return general.deltaFontLc;
  case FontTarget::All:
  case FontTarget::Cell:
    break;
  }
  return general.deltaFontCell;
}

} // namespace quorbel
