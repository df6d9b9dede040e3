#include "engine/comparison_editors.h"

#include <algorithm>

#include "engine/grid_record.h"

namespace quorbel {

namespace {

bool SamePair(int a1, int b1, int a2, int b2) { return (a1 == a2 && b1 == b2) || (a1 == b2 && b1 == a2); }

} // namespace

int ToggleComparisonMark(const GridGeometry &geo, int cellA, GridRecord &grid, int cellB, int kind) {
  auto &marks = grid.Lists.Comparisons;
  if (!IsPlayingCell(geo, cellA) || !IsPlayingCell(geo, cellB) || cellA == cellB)
    return 0;
  for (int i = 0; i < marks.Size(); ++i) {
    ComparisonMark &mark = marks.Items[i];
    if (!SamePair(mark.CellA, mark.CellB, cellA, cellB))
      continue;
    if (mark.Kind == kind) {
      marks.RemoveAt(i);
      return 0;
    }
    mark = {static_cast<CellRef>(cellA), static_cast<CellRef>(cellB), static_cast<int16_t>(kind)};
    return 1;
  }
  return marks.Append({static_cast<CellRef>(cellA), static_cast<CellRef>(cellB), static_cast<int16_t>(kind)})
             ? 1
             : 0;
}

int GetComparisonType(const GridRecord &grid, int cellA, int cellB) {
  for (const ComparisonMark &mark : grid.Lists.Comparisons.Used())
    if (mark.CellA == cellA && mark.CellB == cellB)
      return mark.Kind;
  return -1;
}

int FindComparison(const GridRecord &grid, int cellA, int cellB) {
  const auto marks = grid.Lists.Comparisons.Used();
  for (size_t i = 0; i < marks.size(); ++i)
    if (marks[i].CellA == cellB && marks[i].CellB == cellA)
      return static_cast<int>(i);
  return -1;
}

int FindComparisonItem(const GridRecord &grid, int cellA, int cellB) {
  const auto marks = grid.Lists.Comparisons.Used();
  for (size_t i = 0; i < marks.size(); ++i)
    if ((marks[i].Kind == kCompareGreater || marks[i].Kind == kCompareLess) &&
        SamePair(marks[i].CellA, marks[i].CellB, cellA, cellB))
      return static_cast<int>(i);
  return -1;
}

int ToggleOddEvenCell(const GridGeometry &geo, GridRecord &grid, int cell, int parity) {
  auto &marks = grid.Lists.OddEven;
  if (!IsPlayingCell(geo, cell))
    return 0;
  for (int i = 0; i < marks.Size(); ++i) {
    OddEvenMark &mark = marks.Items[i];
    if (mark.Cell != cell)
      continue;
    if (mark.Mark == parity) {
      marks.RemoveAt(i);
      grid.Cells[cell].OddEven = -1;
      return 0;
    }
    mark.Mark = static_cast<int16_t>(parity);
    grid.Cells[cell].OddEven = static_cast<int16_t>(parity);
    return 1;
  }
  if (!marks.Append({static_cast<CellRef>(cell), static_cast<int16_t>(parity)}))
    return 0;
  grid.Cells[cell].OddEven = static_cast<int16_t>(parity);
  return 1;
}

int ToggleOddPairMark(const GridGeometry &geo, GridRecord &grid, int cellA, int cellB, int kind) {
  auto &pairs = grid.Lists.OddPairs;
  if (!IsPlayingCell(geo, cellA) || !IsPlayingCell(geo, cellB) || cellA == cellB)
    return 0;
  for (int i = 0; i < pairs.Size(); ++i) {
    OddPairMark &mark = pairs.Items[i];
    if (!SamePair(mark.CellA, mark.CellB, cellA, cellB))
      continue;
    if (mark.Kind == kind) {
      pairs.RemoveAt(i);
      return 0;
    }
    mark.Kind = static_cast<int16_t>(kind);
    return 1;
  }
  // A pair sharing one cell with the new one gives way to it.
  for (int i = 0; i < pairs.Size(); ++i) {
    const OddPairMark &mark = pairs.Items[i];
    const int shared = (mark.CellA == cellA || mark.CellA == cellB ? 1 : 0) +
                       (mark.CellB == cellA || mark.CellB == cellB ? 1 : 0);
    if (shared == 1) {
      pairs.RemoveAt(i);
      break;
    }
  }
  return pairs.Append({static_cast<CellRef>(std::min(cellA, cellB)),
                       static_cast<CellRef>(std::max(cellA, cellB)), static_cast<int16_t>(kind)})
             ? 1
             : 0;
}

int ToggleQuadClue(const GridGeometry &geo, const std::array<int, 4> &cells, GridRecord &grid, int cell,
                   int mode) {
  constexpr int kMax = 0;
  constexpr int kMin = 1;
  constexpr int kBoth = 2;
  auto &quads = grid.Lists.Quads;
  if (std::any_of(cells.begin(), cells.end(), [&](int c) { return !IsPlayingCell(geo, c); }) ||
      std::find(cells.begin(), cells.end(), cell) == cells.end())
    return 0;
  for (int i = 0; i < quads.Size(); ++i) {
    QuadClue &quad = quads.Items[i];
    if (!std::is_permutation(quad.Cells.begin(), quad.Cells.end(), cells.begin(), cells.end()))
      continue;
    CellRef &asked = mode == kMin ? quad.MinCell : quad.MaxCell;
    CellRef &other = mode == kMin ? quad.MaxCell : quad.MinCell;
    const bool hasAsked = quad.Kind == kBoth || quad.Kind == mode;
    if (hasAsked && asked == cell) {
      // The same indication again takes it away.
      asked = -1;
      if (quad.Kind != kBoth) {
        quads.RemoveAt(i);
        return 0;
      }
      quad.Kind = static_cast<int16_t>(mode == kMin ? kMax : kMin);
      return 0;
    }
    if (!hasAsked && other == cell) {
      // The other mode on the same cell moves the indication over.
      other = -1;
      asked = static_cast<CellRef>(cell);
      quad.Kind = static_cast<int16_t>(mode);
      return 1;
    }
    asked = static_cast<CellRef>(cell);
    if (!hasAsked)
      quad.Kind = kBoth;
    return 1;
  }
  QuadClue quad;
  for (int k = 0; k < 4; ++k)
    quad.Cells[k] = static_cast<CellRef>(cells[k]);
  quad.Kind = static_cast<int16_t>(mode == kMin ? kMin : kMax);
  (mode == kMin ? quad.MinCell : quad.MaxCell) = static_cast<CellRef>(cell);
  return quads.Append(quad) ? 1 : 0;
}

int QuadMaxState(const GridRecord &grid, int cell) {
  for (const QuadClue &quad : grid.Lists.Quads.Used())
    if (quad.Cells[0] == cell)
      return quad.Kind == 0 ? 1 : quad.Kind == 1 ? 0 : -1;
  return 2;
}

namespace {

int LineOf(const GridGeometry &geo, int cell, int orientation) {
  return orientation == 1 ? geo.RowOfCell[cell] : geo.ColOfCell[cell];
}
int PlaceOf(const GridGeometry &geo, int cell, int orientation) {
  return orientation == 1 ? geo.ColOfCell[cell] : geo.RowOfCell[cell];
}

} // namespace

int ToggleDistanceClue(const GridGeometry &geo, int cell1, int cell2, GridRecord &grid, int orientation,
                       const GridRecord &solution) {
  auto &clues = grid.Lists.Distance;
  orientation = orientation == 1 ? 1 : 0;
  if (!IsPlayingCell(geo, cell1) || !IsPlayingCell(geo, cell2) || cell1 == cell2 ||
      LineOf(geo, cell1, orientation) != LineOf(geo, cell2, orientation))
    return 0;
  const int line = LineOf(geo, cell1, orientation);
  for (int i = 0; i < clues.Size(); ++i)
    if (clues.Items[i].Orientation == orientation && clues.Items[i].Line == line) {
      clues.RemoveAt(i);
      return 0;
    }
  int first = cell1;
  int second = cell2;
  if (PlaceOf(geo, second, orientation) < PlaceOf(geo, first, orientation))
    std::swap(first, second);
  DistanceClue clue;
  clue.ValueA = static_cast<int16_t>(solution.Cells[first].Value);
  clue.ValueB = static_cast<int16_t>(solution.Cells[second].Value);
  clue.Distance = static_cast<int16_t>(PlaceOf(geo, second, orientation) - PlaceOf(geo, first, orientation));
  clue.Orientation = static_cast<int16_t>(orientation);
  clue.Line = static_cast<int16_t>(line);
  return clues.Append(clue) ? 1 : 0;
}

void ComputeDistanceClue(const GridGeometry &geo, GridRecord &grid, int i, const GridRecord &solution) {
  DistanceClue &clue = grid.Lists.Distance.Items[i];
  if (clue.Line < 0 || clue.Line >= geo.GridWidth)
    return;
  int at = -1;
  int bt = -1;
  for (int p = 0; p < geo.GridWidth; ++p) {
    const int cell = clue.Orientation == 1 ? geo.RowCells[clue.Line][p] : geo.ColCells[clue.Line][p];
    if (solution.Cells[cell].Value == clue.ValueA)
      at = p;
    if (solution.Cells[cell].Value == clue.ValueB)
      bt = p;
  }
  if (at < 0 || bt < 0)
    return;
  int distance = bt - at;
  if (distance < 0) {
    std::swap(clue.ValueA, clue.ValueB);
    distance = -distance;
  }
  clue.Distance = static_cast<int16_t>(distance);
}

bool IsLineClueListed(const GridGeometry &geo, int cell, const GridRecord &grid, int direction) {
  if (!IsPlayingCell(geo, cell))
    return false;
  const int orientation = direction == 1 ? 1 : 0;
  const int line = LineOf(geo, cell, orientation);
  for (const DistanceClue &clue : grid.Lists.Distance.Used())
    if (clue.Orientation == orientation && clue.Line == line)
      return true;
  return false;
}

} // namespace quorbel
