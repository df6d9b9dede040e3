#include "engine/neighbour_editors.h"

#include <cstdlib>

#include "engine/chess_rules.h"
#include "engine/grid_record.h"
#include "engine/navigator_rules.h"

namespace quorbel {

namespace {

constexpr int kNavigatorKept = 159;

void ShowFigure(GridRecord &grid, int cell, int figure) {
  CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
  record.ImageIndex = static_cast<int16_t>(figure);
}

} // namespace

int ToggleChessPiece(const GridGeometry &geo, GridRecord &grid, int kind, int cell, int colour) {
  if (cell < 0 || cell >= geo.NCells || kind < -2 || kind >= kChessKinds ||
      (kind >= 0 && (colour < 0 || colour > 1)))
    return 0;
  auto &pieces = grid.Lists.Chess;
  int found = -1;
  for (int i = 0; i < pieces.Size() && found < 0; ++i)
    if (pieces.Items[static_cast<size_t>(i)].Cell == cell)
      found = i;
  int result = 1;
  if (found >= 0) {
    ChessPiece &piece = pieces.Items[static_cast<size_t>(found)];
    bool remove = kind == -2;
    if (kind == -1) {
      if (piece.Colour == 0) {
        piece.Colour = 1;
      } else {
        piece.Colour = 0;
        remove = ++piece.Kind >= kChessKinds;
      }
    } else if (!remove) {
      remove = piece.Kind == kind && piece.Colour == colour;
      piece.Kind = static_cast<int16_t>(kind);
      piece.Colour = static_cast<int16_t>(colour);
    }
    if (remove) {
      pieces.RemoveAt(found);
      result = 0;
    }
  } else {
    if (kind == -2)
      return 0;
    const ChessPiece piece{static_cast<CellRef>(cell), static_cast<int16_t>(kind == -1 ? 0 : kind),
                           static_cast<int16_t>(kind == -1 ? 0 : colour)};
    if (!pieces.Append(piece))
      return 0;
  }
  int figure = -1;
  for (const ChessPiece &piece : pieces.Used())
    if (piece.Cell == cell)
      figure = piece.Kind + kChessKinds * piece.Colour;
  ShowFigure(grid, cell, figure);
  PrepareChessCells(geo, grid);
  return result;
}

int ToggleNavigatorItem(GridRecord &grid, int cell, int direction) {
  auto &arrows = grid.Lists.Navigator;
  for (int i = 0; i < arrows.Size(); ++i) {
    const NavigatorArrow &arrow = arrows.Items[static_cast<size_t>(i)];
    if (arrow.Cell == cell && arrow.Direction == direction) {
      arrows.RemoveAt(i);
      return 0;
    }
  }
  if (cell < 0 || arrows.Size() >= kNavigatorKept)
    return 0;
  return arrows.Append({static_cast<CellRef>(cell), static_cast<int16_t>(direction)}) ? 1 : 0;
}

int FindNavigatorItem(const GridGeometry &geo, const GridRecord &grid, int cell, int second) {
  const auto &arrows = grid.Lists.Navigator;
  for (int i = 0; i < arrows.Size(); ++i) {
    const NavigatorArrow &arrow = arrows.Items[static_cast<size_t>(i)];
    if (arrow.Cell != cell)
      continue;
    if (second < 0)
      return i;
    const NavigatorPath path = NavigatorPathOf(geo, arrow.Cell, arrow.Direction);
    for (int k = 0; k < path.Walk.Count; ++k)
      if (path.Walk[static_cast<size_t>(k)] == second)
        return i;
  }
  return -1;
}

int NavigatorDirectionTowards(const GridGeometry &geo, int reference, int target) {
  if (reference < 0 || reference >= geo.NCells || target < 0 || target >= geo.NCells)
    return -1;
  const int dr = geo.RowOfCell[target] - geo.RowOfCell[reference];
  const int dc = geo.ColOfCell[target] - geo.ColOfCell[reference];
  if (std::abs(dr) == std::abs(dc) && std::abs(dr) > 1)
    return dr > 0 ? (dc > 0 ? 1 : 2) : (dc > 0 ? 0 : 3);
  if (dr == 1)
    return dc > 0 ? 9 : 8;
  if (dr == -1)
    return dc > 0 ? 5 : 4;
  if (dr == 0 && dc == 1)
    return 6;
  if (dr == 0 && dc == -1)
    return 10;
  return -1;
}

} // namespace quorbel
