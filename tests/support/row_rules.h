// The rules the tests generate a catalogue row with: the row's own, and for Kimo and All
// Indicated, which only change the clues of other rules, one rule whose clues they change.
#pragma once

#include "engine/variant_bits.h"
#include "engine/variant_catalog.h"

namespace quorbel::test {

inline VariantWords RowRules(int row) {
  VariantWords words = VariantCatalog[static_cast<size_t>(row)].VarMasks;
  if (Meets(RulesWithoutTheirClues(words), kVarKimo))
    words |= kVarKillerSum;
  if (Meets(RulesWithoutTheirClues(words), kVarAllIndicated))
    words |= kVarXV;
  return words;
}

} // namespace quorbel::test
