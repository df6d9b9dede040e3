// The view's selection: up to 256 (cell, grid slot) pairs in the order chosen, and an anchor for
// range selection. Its first pair is always the grid set's focus cell. The painter asks it which
// cells to draw selected.
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

} // namespace quorbel
