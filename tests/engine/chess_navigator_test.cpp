#include <gtest/gtest.h>

#include "engine/chess_rules.h"
#include "engine/navigator_rules.h"
#include "engine/neighbour_editors.h"
#include "engine/neighbour_rules.h"
#include "engine/propagate.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

class ChessNavigator : public ::testing::Test {
protected:
  ShapedContext s{5}; // 9 x 9
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  static int At(int r, int c) { return r * 9 + c; }
  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  void Run(VariantWords rule) {
    grid.GridVar = rule;
    Propagate(s.Ctx, grid, kFilterAlways, 0);
  }
  bool Marked(int cell) const { return grid.Cells[cell].Check == kCheckConflict; }
  int Piece(int cell, int kind, int colour) { return ToggleChessPiece(geo, grid, kind, cell, colour); }
};

} // namespace

TEST_F(ChessNavigator, ANavigatorWalksItsNeighbouringLineAndHasTheRestAsFarSide) {
  const NavigatorPath rowAbove = NavigatorPathOf(geo, At(4, 4), 4); // leftwards
  ASSERT_EQ(rowAbove.Walk.Count, 4);
  EXPECT_EQ(rowAbove.Walk[0], At(3, 3));
  EXPECT_EQ(rowAbove.Walk[3], At(3, 0));
  ASSERT_EQ(rowAbove.Far.Count, 5);
  EXPECT_EQ(rowAbove.Far[0], At(3, 4)); // beside the arrow's cell
  EXPECT_EQ(rowAbove.Far[4], At(3, 8));
  const NavigatorPath columnRightDown = NavigatorPathOf(geo, At(4, 4), 7);
  EXPECT_EQ(columnRightDown.Walk[0], At(5, 5));
  EXPECT_EQ(columnRightDown.Far[0], At(4, 5));
  EXPECT_EQ(NavigatorPathOf(geo, At(4, 4), 1).Walk.Count, 4); // the diagonal to the corner
  EXPECT_EQ(NavigatorPathOf(geo, At(0, 4), 5).Walk.Count, 0); // no row above
  EXPECT_EQ(NavigatorPathOf(geo, At(4, 4), -1).Walk.Count, 0);
  EXPECT_EQ(NavigatorDirectionTowards(geo, At(4, 4), At(3, 3)), 4);
  EXPECT_EQ(NavigatorDirectionTowards(geo, At(4, 4), At(6, 6)), 1);
  EXPECT_EQ(NavigatorDirectionTowards(geo, At(4, 4), At(6, 4)), -1); // two rows apart: no walk
}

TEST_F(ChessNavigator, ANavigatorArrowFindsItsValueOnItsWalkAndNotOnTheFarSide) {
  EXPECT_EQ(ToggleNavigatorItem(grid, At(4, 3), 4), 1);
  Place(At(4, 3), 7);
  Place(At(3, 0), 1);
  Place(At(3, 1), 2); // only (3, 2) of the walk is left for the 7
  Run(kVarNavigator);
  EXPECT_EQ(grid.Cells[At(3, 2)].ThePoss, MaskOf({7}));
  EXPECT_EQ(grid.Cells[At(3, 7)].ThePoss & MaskOf({7}), 0u); // the far side cannot hold it
  Place(At(3, 2), 5);
  Run(kVarNavigator);
  EXPECT_TRUE(Marked(At(4, 3)));
  EXPECT_EQ(FindNavigatorItem(geo, grid, At(4, 3), At(3, 1)), 0);
  EXPECT_EQ(FindNavigatorItem(geo, grid, At(4, 3), At(3, 5)), -1);
  EXPECT_EQ(ToggleNavigatorItem(grid, At(4, 3), 4), 0);
  EXPECT_EQ(grid.Lists.Navigator.Size(), 0);
}

// A file read or an undo rewrites the list in place: the arrow's new direction is walked.
TEST_F(ChessNavigator, AnArrowRewrittenInItsListIsWalkedAnew) {
  ToggleNavigatorItem(grid, At(4, 3), 4);
  Place(At(4, 3), 7);
  for (int c = 4; c < 8; ++c)
    Place(At(3, c), c - 1); // rightwards only (3, 8) is left for the 7
  Run(kVarNavigator);
  grid.Lists.Navigator.Items[0].Direction = 5;
  Run(kVarNavigator);
  EXPECT_EQ(grid.Cells[At(3, 8)].ThePoss, MaskOf({7}));
  EXPECT_EQ(grid.Cells[At(3, 2)].ThePoss & MaskOf({7}), 0u); // now on the far side
}

// The value may stand at the far end of the walk, past open cells: the arrow holds.
TEST_F(ChessNavigator, AnArrowIsSatisfiedByItsValueBeyondOpenCellsOfItsWalk) {
  ToggleNavigatorItem(grid, At(4, 3), 4); // walks (3, 2), (3, 1), (3, 0)
  ToggleNavigatorItem(grid, At(8, 8), 3); // up the main diagonal
  Place(At(4, 3), 7);
  Place(At(3, 0), 7);
  Place(At(8, 8), 2);
  Place(At(1, 1), 2);
  Run(kVarNavigator);
  EXPECT_FALSE(Marked(At(4, 3)));
  EXPECT_FALSE(Marked(At(8, 8)));
  EXPECT_NE(grid.State, kGridContradiction);
}

TEST_F(ChessNavigator, AnOpenArrowCellHoldsOnlyWhatItsWalkCanAndAnArrowWithoutDirectionNothing) {
  ToggleNavigatorItem(grid, At(8, 8), 3); // up the main diagonal
  for (int k = 0; k < 8; ++k)
    Place(At(k, k), k + 1);
  ToggleNavigatorItem(grid, At(6, 0), -1);
  Place(At(6, 0), 9);
  Run(kVarNavigator);
  EXPECT_EQ(grid.Cells[At(8, 8)].ThePoss & MaskOf({9}), 0u);
  EXPECT_NE(grid.Cells[At(8, 8)].ThePoss, 0u);
  EXPECT_FALSE(Marked(At(6, 0)));
}

TEST_F(ChessNavigator, ChessPiecesCycleAndShowTheirFigure) {
  const int cell = At(2, 2);
  std::vector<std::pair<int, int>> seen;
  for (int step = 0; step < 13; ++step) {
    Piece(cell, -1, 0);
    if (grid.Lists.Chess.Size() == 1)
      seen.emplace_back(grid.Lists.Chess.Items[0].Kind, grid.Lists.Chess.Items[0].Colour);
  }
  ASSERT_EQ(seen.size(), 12u);
  EXPECT_EQ(seen[1], std::make_pair(0, 1));
  EXPECT_EQ(seen[2], std::make_pair(1, 0));
  EXPECT_EQ(seen[11], std::make_pair(5, 1));
  EXPECT_EQ(grid.Lists.Chess.Size(), 0); // the thirteenth step removed it
  EXPECT_EQ(Piece(cell, kRook, 1), 1);
  EXPECT_EQ(grid.Cells[cell].ImageIndex, kRook + 6);
  EXPECT_EQ(Piece(cell, kRook, 1), 0); // the same piece again removes it
  EXPECT_EQ(grid.Cells[cell].ImageIndex, -1);
  EXPECT_EQ(Piece(cell, 9, 0), 0);
}

TEST_F(ChessNavigator, AFigureNeverAttacksItselfAndBlackFiguresNeedDefenders) {
  Place(At(0, 0), 4);
  Piece(At(0, 0), kRook, 1);
  Run(kVarChess);
  EXPECT_FALSE(Marked(At(0, 0))); // a lone white rook
  EXPECT_EQ(grid.Cells[At(0, 5)].WhiteAttacks, MaskOf({4}));
  EXPECT_EQ(grid.Cells[At(0, 0)].WhiteAttacks, 0u);
  EXPECT_EQ(grid.Cells[At(1, 1)].WhiteAttacks, 0u);
  // No other white rook (no other 4) may stand in its lines.
  EXPECT_EQ(grid.Cells[At(0, 5)].ThePoss & MaskOf({4}), 0u);

  // A black knight defended by nothing is wrong only once the grid is full.
  Place(At(5, 5), 2);
  Piece(At(5, 5), kKnight, 0);
  Run(kVarChess);
  EXPECT_FALSE(Marked(At(5, 5)));
  const std::string solution =
      "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
  ShapedContext full(5);
  for (int c = 0; c < 81; ++c)
    SetCellValue(full.Ctx, full.Main(), c, solution[static_cast<size_t>(c)] - '0', kActionPlace);
  ToggleChessPiece(full.Ctx.Geo, full.Main(), kKnight, 0, 0);
  full.Main().GridVar = kVarChess;
  Propagate(full.Ctx, full.Main(), kFilterAlways, 0);
  // Every 1 is the black knight: the one at (0, 0) has no 1 a knight's move away, the one at
  // (3, 1) has the 1 at (2, 3).
  const auto marked = [&](int cell) { return full.Main().Cells[cell].Check == kCheckConflict; };
  EXPECT_TRUE(marked(At(0, 0)));
  EXPECT_FALSE(marked(At(3, 1)));
}

TEST_F(ChessNavigator, TheNeighbourScoreCountsEachDividingPairOnce) {
  s.Ctx.Points[0] = 2; // quotient 2
  s.Ctx.Points[1] = 3; // quotient 3
  Place(At(0, 0), 2);
  Place(At(0, 1), 4);
  Place(At(1, 1), 8);
  Place(At(2, 1), 5);
  Run(kVarNeighbourScore);
  EXPECT_EQ(grid.Work.NeighbourScore, 4); // 4/2 and 8/4, each from its larger side
  Place(At(1, 0), 6);
  Run(kVarNeighbourScore);
  EXPECT_EQ(grid.Work.NeighbourScore, 4 + 3); // 6/2
}
