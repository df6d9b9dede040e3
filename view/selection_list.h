// The view's selection: up to 256 (cell, grid slot) pairs in the order chosen, and an anchor for
// range selection. Its first pair is always the grid set's focus cell. The painter asks it which
// cells to draw selected; the commands that work on several cells read it in order.
#pragma once

#include <array>
#include <cstdint>

namespace quorbel {

struct GridGeometry;
struct GridSet;

inline constexpr int kMaxSelection = 256;
inline constexpr int32_t kNoFocusCell = -1;
inline constexpr int32_t kFocusMessagePanel = -2;

struct SelectionPair {
  int32_t Cell = kNoFocusCell;
  int32_t Grid = 0;
  bool operator==(const SelectionPair &) const = default;
};

struct SelectionList {
  int32_t Multi = 0; // 1 when more than one pair is selected
  int32_t Count = 0;
  std::array<SelectionPair, kMaxSelection> Pairs{};
  SelectionPair Anchor; // cell -1: none
};

// No pair, no anchor, focus on no cell.
void ClearSelection(SelectionList &selection, GridSet &set);
// The one selected cell and the focus; a cell outside the grid's records empties the selection,
// the focus then being the message panel for -2 and no cell otherwise.
void SetFocusCell(SelectionList &selection, GridSet &set, const GridGeometry &geo, int cell, int grid);
// Position of the pair in the selection, -1 when absent.
int FindSelection(const SelectionList &selection, int cell, int grid);

// Takes the pair out (later pairs move down); the focus follows the first pair left. 0 when the
// pair was not selected, else 1.
int RemoveFromSelection(SelectionList &selection, GridSet &set, int cell, int grid);
// Toggles the pair: a selected pair is removed; another one is appended (up to 256 pairs),
// becomes the anchor, and the focus when it is the only one. Returns the count.
int AddCellToSelection(SelectionList &selection, GridSet &set, int cell, int grid);
// Adds every playing cell of the rectangle from the anchor to the cell, in the cell's grid, and
// makes the cell the anchor. Without an anchor, or from or to a cell outside the playing cells,
// it toggles the one cell.
void AddRangeToSelection(SelectionList &selection, GridSet &set, const GridGeometry &geo, int cell, int grid);
// Orders the pairs by cell index; a pair of a later grid never moves before the pairs of an
// earlier one it is compared with (one grid: ascending cells).
void SortSelection(SelectionList &selection);
// Orders the pairs by the value the solution grid holds at each, ascending; equal values keep
// their order.
void SortSelectionByReference(SelectionList &selection, const GridSet &set);

} // namespace quorbel
