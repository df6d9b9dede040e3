#include "view/selection_list.h"

#include <algorithm>

#include "engine/geometry.h"
#include "engine/grid_set.h"

namespace quorbel {

void ClearSelection(SelectionList &selection, GridSet &set) {
  selection.Multi = 0;
  selection.Count = 0;
  selection.Anchor = {};
  set.FocusCell = kNoFocusCell;
  set.FocusGrid = 0;
}

void SetFocusCell(SelectionList &selection, GridSet &set, const GridGeometry &geo, int cell, int grid) {
  selection.Multi = 0;
  if (cell >= 0 && cell < geo.CellLimit) {
    selection.Count = 1;
    selection.Pairs[0] = selection.Anchor = {cell, grid};
    set.FocusCell = cell;
    set.FocusGrid = grid;
    return;
  }
  selection.Count = 0;
  selection.Anchor = {};
  set.FocusCell = cell == kFocusMessagePanel ? kFocusMessagePanel : kNoFocusCell;
  set.FocusGrid = 0;
}

int FindSelection(const SelectionList &selection, int cell, int grid) {
  const int count = std::clamp(selection.Count, 0, kMaxSelection);
  for (int i = 0; i < count; ++i)
    if (selection.Pairs[i].Cell == cell && selection.Pairs[i].Grid == grid)
      return i;
  return -1;
}

} // namespace quorbel
