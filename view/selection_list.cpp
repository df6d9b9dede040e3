#include "view/selection_list.h"

#include <algorithm>
#include <utility>

#include "engine/geometry.h"
#include "engine/grid_set.h"

namespace quorbel {

namespace {

int UsedCount(const SelectionList &selection) { return std::clamp(selection.Count, 0, kMaxSelection); }

// The focus is the first pair, or no cell when the selection is empty.
void FollowFirstPair(const SelectionList &selection, GridSet &set) {
  const SelectionPair first = selection.Count > 0 ? selection.Pairs[0] : SelectionPair{kNoFocusCell, 0};
  set.FocusCell = first.Cell;
  set.FocusGrid = first.Grid;
}

} // namespace

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
  const int count = UsedCount(selection);
  for (int i = 0; i < count; ++i)
    if (selection.Pairs[i].Cell == cell && selection.Pairs[i].Grid == grid)
      return i;
  return -1;
}

int RemoveFromSelection(SelectionList &selection, GridSet &set, int cell, int grid) {
  const int at = FindSelection(selection, cell, grid);
  if (at < 0)
    return 0;
  const int count = UsedCount(selection);
  std::move(selection.Pairs.begin() + at + 1, selection.Pairs.begin() + count, selection.Pairs.begin() + at);
  selection.Count = count - 1;
  selection.Multi = selection.Count > 1 ? 1 : 0;
  if (selection.Anchor == SelectionPair{cell, grid})
    selection.Anchor = {};
  FollowFirstPair(selection, set);
  return 1;
}

int AddCellToSelection(SelectionList &selection, GridSet &set, int cell, int grid) {
  if (RemoveFromSelection(selection, set, cell, grid) == 0) {
    selection.Anchor = {cell, grid};
    const int count = UsedCount(selection);
    if (count < kMaxSelection) {
      selection.Pairs[static_cast<size_t>(count)] = {cell, grid};
      selection.Count = count + 1;
    }
    if (count == 0)
      FollowFirstPair(selection, set);
  }
  selection.Multi = selection.Count > 1 ? 1 : 0;
  return selection.Count;
}

void AddRangeToSelection(SelectionList &selection, GridSet &set, const GridGeometry &geo, int cell,
                         int grid) {
  const SelectionPair anchor = selection.Anchor;
  if (anchor.Cell < 0 || anchor == SelectionPair{cell, grid} || !IsPlayingCell(geo, anchor.Cell) ||
      !IsPlayingCell(geo, cell)) {
    AddCellToSelection(selection, set, cell, grid);
    return;
  }
  const int fromRow = geo.RowOfCell[anchor.Cell];
  const int fromCol = geo.ColOfCell[anchor.Cell];
  const int toRow = geo.RowOfCell[cell];
  const int toCol = geo.ColOfCell[cell];
  const int rowStep = toRow >= fromRow ? 1 : -1;
  const int colStep = toCol >= fromCol ? 1 : -1;
  for (int row = fromRow;; row += rowStep) {
    for (int col = fromCol;; col += colStep) {
      const int rangeCell = geo.RowCells[row][col];
      if (FindSelection(selection, rangeCell, grid) < 0)
        AddCellToSelection(selection, set, rangeCell, grid);
      if (col == toCol)
        break;
    }
    if (row == toRow)
      break;
  }
  selection.Anchor = {cell, grid};
}

void SortSelection(SelectionList &selection) {
  const int count = UsedCount(selection);
  for (int i = 0; i + 1 < count; ++i) {
    // Cell 256 and grid 12 lie beyond every pair, so the first pair compared becomes the best.
    SelectionPair best{kMaxSelection, kMaxGrids};
    int bestAt = i;
    for (int j = i; j < count; ++j) {
      const SelectionPair &pair = selection.Pairs[static_cast<size_t>(j)];
      if (pair.Grid <= best.Grid && pair.Cell < best.Cell) {
        best = pair;
        bestAt = j;
      }
    }
    std::swap(selection.Pairs[static_cast<size_t>(i)], selection.Pairs[static_cast<size_t>(bestAt)]);
  }
}

void SortSelectionByReference(SelectionList &selection, const GridSet &set) {
  auto referenceValue = [&](const SelectionPair &pair) {
    if (pair.Grid < 0 || pair.Grid >= kMaxGrids)
      return 0;
    const GridRecord &reference = set.RefTab[static_cast<size_t>(pair.Grid)];
    return pair.Cell >= 0 && static_cast<size_t>(pair.Cell) < reference.Cells.size()
               ? reference.Cells[static_cast<size_t>(pair.Cell)].Value
               : 0;
  };
  const int count = UsedCount(selection);
  std::stable_sort(
      selection.Pairs.begin(), selection.Pairs.begin() + count,
      [&](const SelectionPair &a, const SelectionPair &b) { return referenceValue(a) < referenceValue(b); });
}

} // namespace quorbel
