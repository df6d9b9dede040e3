#include "engine/navigator_rules.h"

#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

NavigatorPath NavigatorPathOf(const GridGeometry &geo, int cell, int direction) {
  NavigatorPath path;
  const int w = geo.GridWidth;
  if (direction < 0 || direction >= kNavigatorDirections || cell < 0 || cell >= geo.NCells)
    return path;
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  auto inside = [w](int rr, int cc) { return rr >= 0 && rr < w && cc >= 0 && cc < w; };
  if (direction < 4) {
    static constexpr std::array<std::array<int, 2>, 4> kDiagonals = {{{-1, 1}, {1, 1}, {1, -1}, {-1, -1}}};
    const auto [dr, dc] = kDiagonals[static_cast<size_t>(direction)];
    for (int rr = r + dr, cc = c + dc; inside(rr, cc); rr += dr, cc += dc)
      path.Walk[static_cast<size_t>(path.WalkCount++)] = rr * w + cc;
    return path;
  }
  // The neighbouring line: the row above, the column to the right, the row below, the column
  // to the left; odd directions walk it forwards (rightwards or downwards).
  const int line = (direction - 4) / 2;
  const int sense = direction % 2 == 1 ? 1 : -1;
  const bool row = line % 2 == 0;
  const int lineRow = line == 0 ? r - 1 : line == 2 ? r + 1 : 0;
  const int lineCol = line == 1 ? c + 1 : line == 3 ? c - 1 : 0;
  auto at = [&](int k) { return row ? std::array<int, 2>{lineRow, k} : std::array<int, 2>{k, lineCol}; };
  if (!(row ? lineRow >= 0 && lineRow < w : lineCol >= 0 && lineCol < w))
    return path;
  const int beside = row ? c : r;
  for (int k = beside + sense; k >= 0 && k < w; k += sense) {
    const auto [rr, cc] = at(k);
    path.Walk[static_cast<size_t>(path.WalkCount++)] = rr * w + cc;
  }
  for (int k = beside; k >= 0 && k < w; k -= sense) {
    const auto [rr, cc] = at(k);
    path.Far[static_cast<size_t>(path.FarCount++)] = rr * w + cc;
  }
  return path;
}

void CheckNavigator(const GridGeometry &geo, GridRecord &grid, int i) {
  const NavigatorArrow &arrow = grid.Lists.Navigator.Items[static_cast<size_t>(i)];
  if (arrow.Cell < 0 || arrow.Cell >= geo.NCells || !IsFilled(grid.Cells[arrow.Cell]))
    return;
  const NavigatorPath path = NavigatorPathOf(geo, arrow.Cell, arrow.Direction);
  if (path.WalkCount == 0 && (arrow.Direction < 0 || arrow.Direction >= kNavigatorDirections))
    return; // an arrow without a direction harms nothing
  const int t = grid.Cells[arrow.Cell].Value;
  const uint32_t bit = ValueBit(t);
  // The value may stand anywhere along the walk, beyond open cells too: a filled t settles the
  // arrow, and without one some open cell must still allow it.
  bool allowed = false;
  for (int k = 0; k < path.WalkCount; ++k) {
    const CellRecord &cell = grid.Cells[path.Walk[static_cast<size_t>(k)]];
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
  for (int k = 1; k < path.FarCount; ++k) {
    const int far = path.Far[static_cast<size_t>(k)];
    if (IsFilled(grid.Cells[far]) && grid.Cells[far].Value == t)
      conflict(far);
  }
}

int FilterNavigator(const GridGeometry &geo, GridRecord &grid, int i) {
  const NavigatorArrow &arrow = grid.Lists.Navigator.Items[static_cast<size_t>(i)];
  if (arrow.Cell < 0 || arrow.Cell >= geo.NCells || arrow.Direction < 0 ||
      arrow.Direction >= kNavigatorDirections)
    return 0;
  const NavigatorPath path = NavigatorPathOf(geo, arrow.Cell, arrow.Direction);
  CellRecord &self = grid.Cells[arrow.Cell];
  int changed = 0;
  auto narrow = [&](CellRecord &cell, uint32_t keep) { changed |= AndPoss(cell, keep); };
  if (IsOpen(self)) {
    uint32_t seen = 0;
    for (int k = 0; k < path.WalkCount; ++k) {
      const CellRecord &cell = grid.Cells[path.Walk[static_cast<size_t>(k)]];
      seen |= IsFilled(cell) ? ValueBit(cell.Value) : cell.ThePoss;
    }
    narrow(self, seen);
    return changed;
  }
  if (!IsFilled(self) || arrow.Direction < 4)
    return 0;
  const int t = self.Value;
  const uint32_t bit = ValueBit(t);
  int allowing = 0;
  int only = -1;
  for (int k = 0; k < path.WalkCount; ++k) {
    const int at = path.Walk[static_cast<size_t>(k)];
    const CellRecord &cell = grid.Cells[at];
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
  if (allowing == 1)
    narrow(grid.Cells[only], bit);
  for (int k = 0; k < path.FarCount; ++k)
    narrow(grid.Cells[path.Far[static_cast<size_t>(k)]], ~bit);
  return changed;
}

} // namespace quorbel
