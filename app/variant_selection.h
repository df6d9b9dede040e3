// The generation dialog's choices apart from its window: the 64 rows of the variant list (ticked,
// enabled), the two rule words they give, the random mode, the shape, the way values are shown
// and the level, with the rules that keep them consistent: a random row excludes the rules, a
// rule withdraws the rows it cannot join, a size withdraws the rows it does not offer, and only
// ticked rows that are enabled reach the words.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/variant_bits.h"
#include "engine/variant_catalog.h"
#include "platform/language.h"

namespace quorbel {

struct VariantRowState {
  bool Ticked = false;
  bool Enabled = true;
};

struct VariantSelection {
  std::array<VariantRowState, kVariantRowCount> Rows{};
  VariantWords Words;            // GRIDCURRVARIENT, both words
  int32_t GenVarMult = 0;        // 0 the rules ticked, 1 one at random, 2 several at random
  int32_t GenShape = 5;          // GRIDCURRSIZE
  int32_t GenDisplay = 0;        // GRIDCURRDISP
  int32_t GenDifficulty = 1;     // GRIDCURRDIFFICULTY
  bool GridCountEnabled = false; // the linked grids' count applies only to twin rules
  std::array<bool, 4> DisplayEnabled{true, true, true, true}; // digits, letters, mixed, pictures
};

// The words from the list: a ticked random row sets the random mode and clears the words;
// otherwise every ticked and enabled row adds its bits and any other row takes its bits away.
void ReadVariantChecks(VariantSelection &selection);
// The list from the words and the shape; returns the first ticked row (0 in a random mode).
int SyncVariantList(VariantSelection &selection);
// Both of the above, then which ways of showing values the rules and the shape allow, and the
// display and level brought into what is allowed.
void UpdateGenerationControls(VariantSelection &selection);

// The player ticked or unticked `row`: the random rows and the rules exclude each other, then
// everything follows. Returns the row's comment: its rule, and what it is incompatible with.
std::string OnVariantListChange(VariantSelection &selection, int row, Language language);
void SetAllVariants(VariantSelection &selection);
void ClearAllVariants(VariantSelection &selection);

// The way of showing values that rules demand, walking the catalogue's rows in order: the first
// rule needing numbers gives digits (mixed symbols on 12 x 12 and 16 x 16) and ends the walk, one
// forcing letters gives letters, one refusing pictures turns pictures into numbers.
int ApplySymbolConstraint(VariantWords words, int shape, int display);
// "Variants: Diagonal, Killer Sum" (French "Varientes: ..."), the rows of `words` by name in the
// language; empty when there are none.
std::string VariantNamesText(VariantWords words, Language language);

} // namespace quorbel
