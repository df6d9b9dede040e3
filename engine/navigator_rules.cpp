// Cells are numbered row by row on a square grid, so every walk and far side is a straight
// run of cell numbers. The filters run at every pass: each grid keeps its arrows' runs,
// checked against the arrow and the width at each use rather than worked out again.
// Every cell of a run lies in the grid; a run of Count 0 is never read.
#include "engine/navigator_rules.h"

#include <algorithm>
#include <array>

#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

bool HasDirection(const NavigatorArrow &arrow) {
  return arrow.Direction >= 0 && arrow.Direction < kNavigatorDirections;
}

CellRun RunOf(int first, int step, int count) {
  return {static_cast<int16_t>(first), static_cast<int16_t>(step), static_cast<int16_t>(count)};
}

} // namespace

NavigatorPath NavigatorPathOf(const GridGeometry &geo, int cell, int direction) {
  NavigatorPath path;
  const int w = geo.GridWidth;
  if (direction < 0 || direction >= kNavigatorDirections || cell < 0 || cell >= geo.NCells)
    return path;
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  if (direction < 4) {
    static constexpr std::array<std::array<int, 2>, 4> kDiagonals = {{{-1, 1}, {1, 1}, {1, -1}, {-1, -1}}};
    const auto [dr, dc] = kDiagonals[static_cast<size_t>(direction)];
    const int count = std::min(dr > 0 ? w - 1 - r : r, dc > 0 ? w - 1 - c : c);
    path.Walk = RunOf(cell + dr * w + dc, dr * w + dc, count);
    return path;
  }
  // The neighbouring line: the row above, the column to the right, the row below, the column
  // to the left; odd directions walk it forwards (rightwards or downwards).
  const int line = (direction - 4) / 2;
  const int sense = direction % 2 == 1 ? 1 : -1;
  const bool row = line % 2 == 0;
  const int fixed = line == 0 ? r - 1 : line == 1 ? c + 1 : line == 2 ? r + 1 : c - 1;
  if (fixed < 0 || fixed >= w)
    return path;
  const int beside = row ? c : r; // the arrow's place along the line
  const int step = sense * (row ? 1 : w);
  const int besideCell = row ? fixed * w + c : r * w + fixed;
  path.Walk = RunOf(besideCell + step, step, sense > 0 ? w - 1 - beside : beside);
  path.Far = RunOf(besideCell, -step, sense > 0 ? beside + 1 : w - beside);
  return path;
}

namespace {

// Called with an arrow on a playing cell and with a direction.
const NavigatorPath &ArrowPath(const GridGeometry &geo, GridRecord &grid, int i) {
  const NavigatorArrow &arrow = grid.Lists.Navigator.Items[static_cast<size_t>(i)];
  NavigatorPathMemo::Entry &entry = grid.NavigatorPaths.Entries[static_cast<size_t>(i)];
  if (entry.Cell != arrow.Cell || entry.Direction != arrow.Direction || entry.Width != geo.GridWidth)
    entry = {arrow.Cell, static_cast<int8_t>(arrow.Direction), static_cast<int8_t>(geo.GridWidth),
             NavigatorPathOf(geo, arrow.Cell, arrow.Direction)};
  return entry.Path;
}

} // namespace

void CheckNavigator(const GridGeometry &geo, GridRecord &grid, int i) {
  const NavigatorArrow &arrow = grid.Lists.Navigator.Items[static_cast<size_t>(i)];
  if (arrow.Cell < 0 || arrow.Cell >= geo.NCells || !IsFilled(grid.Cells[arrow.Cell]))
    return;
  if (!HasDirection(arrow))
    return; // an arrow without a direction harms nothing
  const NavigatorPath path = ArrowPath(geo, grid, i);
  const CellRecord *cells = grid.Cells.data();
  const int t = cells[arrow.Cell].Value;
  const uint32_t bit = ValueBit(t);
  // The value may stand anywhere along the walk, beyond open cells too: a filled t settles the
  // arrow, and without one some open cell must still allow it.
  bool allowed = false;
  for (int k = 0, at = path.Walk.First; k < path.Walk.Count; ++k, at += path.Walk.Step) {
    const CellRecord &cell = cells[at];
    if (IsFilled(cell) && cell.Value == t)
      return;
    allowed = allowed || (IsOpen(cell) && (cell.ThePoss & bit) != 0);
  }
  auto conflict = [&](int cell) {
    grid.Cells[cell].Check = kCheckConflict;
    grid.Work.NavigatorConflict[static_cast<size_t>(i)] = 1;
  };
  if (!allowed) {
    conflict(arrow.Cell);
    return;
  }
  for (int k = 1; k < path.Far.Count; ++k) {
    const int far = path.Far[static_cast<size_t>(k)];
    if (IsFilled(cells[far]) && cells[far].Value == t)
      conflict(far);
  }
}

int FilterNavigator(const GridGeometry &geo, GridRecord &grid, int i) {
  const NavigatorArrow &arrow = grid.Lists.Navigator.Items[static_cast<size_t>(i)];
  if (arrow.Cell < 0 || arrow.Cell >= geo.NCells || !HasDirection(arrow))
    return 0;
  const NavigatorPath path = ArrowPath(geo, grid, i);
  CellRecord *cells = grid.Cells.data();
  CellRecord &self = cells[arrow.Cell];
  if (IsOpen(self)) {
    uint32_t seen = 0;
    for (int k = 0, at = path.Walk.First; k < path.Walk.Count; ++k, at += path.Walk.Step) {
      const CellRecord &cell = cells[at];
      seen |= IsFilled(cell) ? ValueBit(cell.Value) : cell.ThePoss;
      if ((self.ThePoss & ~seen) == 0)
        return 0; // the walk already offers every candidate of the cell
    }
    return AndPoss(self, seen);
  }
  if (!IsFilled(self) || arrow.Direction < 4)
    return 0;
  const int t = self.Value;
  const uint32_t bit = ValueBit(t);
  int allowing = 0;
  int only = -1;
  for (int k = 0, at = path.Walk.First; k < path.Walk.Count; ++k, at += path.Walk.Step) {
    const CellRecord &cell = cells[at];
    if (IsFilled(cell)) {
      if (cell.Value == t)
        return 0;
      continue;
    }
    if ((cell.ThePoss & bit) != 0) {
      ++allowing;
      only = at;
    }
  }
  int changed = allowing == 1 ? AndPoss(cells[only], bit) : 0;
  for (int k = 0, at = path.Far.First; k < path.Far.Count; ++k, at += path.Far.Step)
    changed |= AndPoss(cells[at], ~bit);
  return changed;
}

} // namespace quorbel
