#include "app/empty_grid_choices.h"

namespace quorbel {

namespace {

// The shapes whose values run past 9 by the width of their blocks' rows.
constexpr int kTwelveWide = 7;
constexpr int kSixteen = 8;

} // namespace

int EmptyGridPictureShape(int shape) {
  switch (shape) {
  case 0:
    return 0;
  case 1:
  case 2:
    return 2;
  case 3:
  case 4:
    return 4;
  case 5:
    return 5;
  case 6:
  case 7:
    return 7;
  case 8:
    return 8;
  default:
    return -1;
  }
}

DisplayChoices UpdateDisplayChoices(int shape, SymbolMode display) {
  DisplayChoices choices;
  const bool wide = shape == kTwelveWide || shape == kSixteen;
  choices.DigitsEnabled = !wide;
  choices.MixedEnabled = wide;
  choices.Display = display;
  if (display == kSymbolMixed && !choices.MixedEnabled)
    choices.Display = kSymbolDigits;
  else if (display == kSymbolDigits && !choices.DigitsEnabled)
    choices.Display = kSymbolLetters;
  return choices;
}

} // namespace quorbel
