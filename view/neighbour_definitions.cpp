// The expert's definitions of the neighbourhood rules: the switches that need no selection, the
// chess pieces on the selected cells, the Navigator arrow between two cells and the Double and
// Triple bit.
#include <algorithm>
#include <cstdlib>

#include "engine/chess_rules.h"
#include "engine/neighbour_editors.h"
#include "view/clue_definitions.h"

namespace quorbel {

void ClueDefinitions::RuleSwitch(VariantWords bit, std::string_view added, std::string_view removed) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const bool on = !Meets(grid.GridVar, bit);
  SetRuleBit(grid, bit, on);
  Post(on ? added : removed);
  Finish();
}

void ClueDefinitions::Chess() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  auto &pieces = grid.Lists.Chess;
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    pieces.Clear();
    PrepareChessCells(ctx_.Geo, grid);
    Post("Chess: All selection removed");
  } else if (pieces.Full()) {
    Post("Two many Chess: Not selected");
    return;
  } else {
    Snapshot();
    for (int cell : cells)
      Post(ToggleChessPiece(ctx_.Geo, grid, -1, cell, 0) == 1 ? "Chess added" : "Chess removed");
    // The cells of one figure must agree on its digit.
    for (int kind = 0; kind < kChessKinds; ++kind)
      for (int colour = 0; colour <= 1; ++colour) {
        int digit = 0;
        bool agree = true;
        for (const ChessPiece &piece : pieces.Used()) {
          const int value = piece.Kind == kind && piece.Colour == colour ? ReferenceValue(piece.Cell) : 0;
          if (value != 0 && digit != 0 && value != digit)
            agree = false;
          if (value != 0)
            digit = value;
        }
        if (!agree)
          Post("Chess Warning - all cells not of same value");
      }
  }
  SetRuleBit(grid, kVarChess, pieces.Size() > 0);
  Finish(true);
}

void ClueDefinitions::Navigator() {
  if (!expert_)
    return;
  constexpr int kCommandCapacity = 80;
  GridRecord &grid = Grid();
  auto &arrows = grid.Lists.Navigator;
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    arrows.Clear();
    Post("Navigator: All selection removed");
  } else if (arrows.Size() >= kCommandCapacity) {
    Post("Two many Navigator: Not selected");
    return;
  } else if (cells.size() != 2) {
    Post("Navigator: Select two cells - first is the reference");
    return;
  } else {
    Snapshot();
    const GridGeometry &geo = ctx_.Geo;
    const int reference = cells[0];
    int direction = NavigatorDirectionTowards(geo, reference, cells[1]);
    const bool neighbours = std::abs(geo.RowOfCell[cells[1]] - geo.RowOfCell[reference]) == 1 &&
                            std::abs(geo.ColOfCell[cells[1]] - geo.ColOfCell[reference]) == 1;
    bool changed = false;
    if (neighbours) {
      // A diagonal neighbour again turns the reference's row arrow to its column, then takes
      // the column arrow away.
      const auto arrow = std::find_if(arrows.Used().begin(), arrows.Used().end(),
                                      [&](const NavigatorArrow &a) { return a.Cell == reference; });
      if (arrow != arrows.Used().end()) {
        switch (arrow->Direction) {
        case 4:
          arrow->Direction = 10;
          changed = true;
          break;
        case 5:
          arrow->Direction = 6;
          changed = true;
          break;
        case 8:
          arrow->Direction = 11;
          changed = true;
          break;
        case 9:
          arrow->Direction = 7;
          changed = true;
          break;
        case 6:
        case 7:
        case 10:
        case 11:
          direction = arrow->Direction;
          break;
        default:
          break;
        }
      }
    }
    if (!changed)
      Post(ToggleNavigatorItem(grid, reference, direction) == 1 ? "Navigator Added" : "Navigator Removed");
  }
  SetRuleBit(grid, kVarNavigator, arrows.Size() > 0);
  Finish();
}

bool ClueDefinitions::DoubleTriple() {
  if (!expert_)
    return false;
  GridRecord &grid = Grid();
  const bool on = !Meets(grid.GridVar, kVarNeighbourScore);
  SetRuleBit(grid, kVarNeighbourScore, on);
  Post(on ? "Double and Triple added" : "Double and Triple removed");
  Finish();
  return on;
}

} // namespace quorbel
