// The switches that decide what the cell painter shows besides the values: the Display menu's
// toggles (kept with the methods panel), the view's own tools, and the variant masks of the
// hide-variants command. A plain record the view reads at every paint.
#pragma once

#include <cstdint>

#include "engine/variant_bits.h"

namespace quorbel {

// Every rule bit; word 2's two top bits name no rule.
inline constexpr VariantWords kAllVariantsShown{0xFFFFFFFFu, 0x3FFFFFFFu};

struct DisplaySwitches {
  // The Display menu.
  int32_t PossDisplayOn = 0;     // candidates drawn in the cells, by level
  int32_t PossDisplayLevel = -1; // level - 1: 0..3 show cells of up to level + 1 candidates, 4 every cell
  int32_t ShowPossLineCol = 0;   // candidates of the row and column labels
  int32_t ShowProbables = 0;     // an empty cell shows its best probable value
  int32_t ShowFound = 0;         // the number bar and marked pieces show their state
  int32_t ShowWarning = 0;       // cells and units in conflict are drawn as such
  int32_t ShowColouring = 0;     // colouring chains shown
  int32_t ColouredValue = 0;     // the value whose chains were coloured last, 0 none
  // The view's tools.
  int32_t ShowDiff = 0;        // a placed value that differs from the reference grid is green
  int32_t CellDisplayMode = 0; // 1: every cell shows its block number
  int32_t ShowSearchProb = 0;  // an empty cell shows how many candidates the search chooses among
  // Hide Variants: the variant layers of playing cells are left out, and only these rules show.
  int32_t HideVariantsOn = 0;
  VariantWords VarMask = kAllVariantsShown;
};

// The display level that stands for "every cell".
inline constexpr int32_t kPossLevelAll = 4;

} // namespace quorbel
