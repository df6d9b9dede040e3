#include "files/clue_shapes.h"

#include <algorithm>
#include <cstdlib>

namespace quorbel {

std::string CheckClueShapes(int width, const VariantLists &lists) {
  const int cells = width * width;
  const int rows = std::min<int>(lists.Layout.RowCount, static_cast<int>(lists.Layout.Cells.size()));
  for (int r = 0; r < rows; ++r) {
    const int length =
        std::min<int>(lists.Layout.RowLength[r], static_cast<int>(lists.Layout.Cells[r].size()));
    for (int k = 0; k < length; ++k) {
      const int cell = lists.Layout.Cells[r][k];
      if (cell < 0 || cell >= cells)
        return "region row " + std::to_string(r) + ": cell " + std::to_string(cell) + " is outside 0.." +
               std::to_string(cells - 1);
    }
  }
  for (int side = 0; side < 4; ++side)
    for (int line = std::max(width, 0); line < kMaxWidth; ++line)
      if (lists.Frame.Kind[side][line] != 0 || lists.Outside.Count[side][line] != 0)
        return "a clue on side " + std::to_string(side) + " at line " + std::to_string(line) +
               " lies beyond the grid's " + std::to_string(width) + " lines";
  for (int i = 0; i < lists.Arrows.Size(); ++i)
    if (lists.Arrows.Items[i].NCells < 1)
      return "arrow " + std::to_string(i) + " has no cell";
  for (int i = 0; i < lists.LittleKiller.Size(); ++i) {
    const LittleKillerClue &clue = lists.LittleKiller.Items[i];
    const std::string name = "Little Killer clue " + std::to_string(i) + ": ";
    const std::optional<DiagonalRun> run = LittleKillerRun(width, clue.FirstCell, clue.LastCell);
    if (!run)
      return name + "cells " + std::to_string(clue.FirstCell) + " and " + std::to_string(clue.LastCell) +
             " are not on one diagonal";
    bool follows = clue.Step == run->Step && clue.NCells == run->Count;
    for (int k = 0; follows && k < run->Count; ++k)
      follows = clue.Cells[k] == clue.FirstCell + k * run->Step;
    if (!follows)
      return name + "its cells do not follow the diagonal from cell " + std::to_string(clue.FirstCell) +
             " to cell " + std::to_string(clue.LastCell);
  }
  return {};
}

} // namespace quorbel
