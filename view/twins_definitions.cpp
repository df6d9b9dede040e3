// The expert's links between grids: Twins Relation pairs of cells, taken from the selection in
// the order it was made.
#include <string>

#include "engine/grid_set.h"
#include "engine/twins_editors.h"
#include "engine/unit_summary.h"
#include "view/clue_definitions.h"

namespace quorbel {

void ClueDefinitions::TwinsRelation() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const int mains = UsedMainCount(set);
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (count == 0) {
    Snapshot();
    for (int g = 0; g < mains; ++g) {
      SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsRelation, false);
      set.Main[static_cast<size_t>(g)].Lists.TwinsRelation.Clear();
    }
    Post("Relation: All removed");
    Finish();
    return;
  }
  if (count < 2) {
    Post("Relations: Please select a minimum of 2 cells indifferent grids");
    return;
  }
  auto pairAt = [&](int k) { return selection_.Pairs[static_cast<size_t>(k)]; };
  const SelectionPair first = pairAt(0);
  if (first.Grid < 0 || first.Grid >= mains)
    return;
  if (set.Main[static_cast<size_t>(first.Grid)].Lists.TwinsRelation.Full()) {
    Post("Two many Relations: Not selected");
    return;
  }
  // Two cells that already hold different values cannot be linked.
  for (int k = 0; k + 1 < count; ++k) {
    const SelectionPair a = pairAt(k);
    const SelectionPair b = pairAt(k + 1);
    if (a.Grid < 0 || a.Grid >= mains || b.Grid < 0 || b.Grid >= mains || a.Cell < 0 ||
        a.Cell >= ctx_.Geo.NCells || b.Cell < 0 || b.Cell >= ctx_.Geo.NCells)
      return;
    const CellRecord &x = set.Main[static_cast<size_t>(a.Grid)].Cells[static_cast<size_t>(a.Cell)];
    const CellRecord &y = set.Main[static_cast<size_t>(b.Grid)].Cells[static_cast<size_t>(b.Cell)];
    if (x.Status < kStatusEmpty && y.Status < kStatusEmpty && x.Value != y.Value) {
      Post("Relation: Selection not possible -> different values(" + std::to_string(x.Value) + "-" +
           std::to_string(y.Value) + ")");
      return;
    }
  }
  Snapshot();
  constexpr VariantWords kOtherTwins =
      kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsZone | kVarTwinsDifferent;
  for (int k = 0; k + 1 < count; ++k) {
    const SelectionPair a = pairAt(k);
    const SelectionPair b = pairAt(k + 1);
    ToggleTwinsRelation(set.Main[static_cast<size_t>(a.Grid)], b.Cell, a.Cell, b.Grid);
    for (const int g : {a.Grid, b.Grid}) {
      GridRecord &grid = set.Main[static_cast<size_t>(g)];
      SetRuleBit(grid, kVarTwinsRelation, true);
      SetRuleBit(grid, kOtherTwins, false);
    }
  }
  set.Main[static_cast<size_t>(first.Grid)].Lists.TwinsPartner = 0;
  Post("Relation: modified");
  Finish();
}

} // namespace quorbel
