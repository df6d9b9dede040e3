// Lookups in the clue kinds' table.
#include "solver/hidden_variant_table.h"

namespace quorbel {

int HiddenVariantIndexOfStem(std::string_view stem) {
  for (int i = 0; i < kHiddenVariantKinds; ++i)
    if (HiddenVariantTable[i].Stem == stem)
      return i;
  return -1;
}

VariantWords ClueKindWords() {
  VariantWords words;
  for (const HiddenVariantEntry &entry : HiddenVariantTable)
    words |= entry.Words;
  return words;
}

} // namespace quorbel
