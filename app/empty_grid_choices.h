// The empty-grid dialog's rules, apart from its window: which size picture a shape code selects,
// and which ways of showing values a shape offers.
#pragma once

#include "engine/variant_catalog.h"

namespace quorbel {

// The shape of the size picture that `shape` selects (both 6 x 6 shapes the 6 x 6 picture, and
// so on); -1 for a code that selects none.
int EmptyGridPictureShape(int shape);

struct DisplayChoices {
  bool DigitsEnabled = true;
  bool MixedEnabled = false;
  SymbolMode Display = kSymbolDigits; // the choice, moved to one the shape offers
};
// 12 x 12 with blocks of 3 x 4 and 16 x 16 offer the mixed symbols instead of digits alone;
// the other shapes the reverse. Letters and pictures are always offered.
DisplayChoices UpdateDisplayChoices(int shape, SymbolMode display);

} // namespace quorbel
