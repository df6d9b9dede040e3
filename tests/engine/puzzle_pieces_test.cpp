// Puzzle pieces: turning coordinates, the turns each rule allows, the check and the filter of a
// piece on the solution, and the layout of the pieces beside the grid.
#include "engine/puzzle_pieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/boat_marks.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

constexpr int kShapeOf4 = 0;
constexpr std::array<int, 16> kSolution = {1, 2, 3, 4, 3, 4, 1, 2, 2, 1, 4, 3, 4, 3, 2, 1};

class PuzzlePieces : public ::testing::Test {
protected:
  PuzzlePieces() {
    for (int c = 0; c < 16; ++c) {
      grid.Cells[c].Value = kSolution[c];
      grid.Cells[c].Status = kStatusFixed;
    }
    grid.SudMissing = 0;
  }
  // An L of three cells: (0, 0), (0, 1) and (1, 0).
  PuzzlePiece &AddL(std::array<int16_t, 3> digits) {
    PuzzlePiece piece;
    piece.NCells = 3;
    piece.Cells[0] = 0;
    piece.Cells[1] = 1;
    piece.Cells[2] = 4;
    for (int k = 0; k < 3; ++k) {
      piece.Digits[k] = digits[k];
      piece.Identities[k] = static_cast<CellRef>(100 + grid.Lists.Pieces.Size() * 3 + k);
    }
    grid.Lists.Pieces.Append(piece);
    return grid.Lists.Pieces.Items[grid.Lists.Pieces.Size() - 1];
  }
  test::ShapedContext s{kShapeOf4};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;
};

TEST(PieceCoordinates, FourQuarterTurnsComeBackAndTheBoxTurnStaysInside) {
  std::pair<int, int> p{2, -1};
  for (int k = 0; k < 4; ++k)
    p = RotateCoords(1, p.first, p.second);
  EXPECT_EQ(p, std::make_pair(2, -1));
  EXPECT_EQ(RotateCoords(2, 2, -1),
            RotateCoords(1, RotateCoords(1, 2, -1).first, RotateCoords(1, 2, -1).second));
  EXPECT_EQ(RotateCoordsInBox(1, 0, 0, 3, 2), std::make_pair(3, 0));
  EXPECT_EQ(RotateCoordsInBox(3, 1, 2, 3, 2), std::make_pair(2, 2));
}

TEST_F(PuzzlePieces, TiledPiecesTurnOnlyWhenEveryDigitReadsTurned) {
  grid.GridVar = kVarTiled;
  PuzzlePiece &piece = AddL({1, 6, 0});
  EXPECT_EQ(AllowedPieceTurns(grid, piece).Rotations, 0b101u); // 6 reads 9 upside down
  EXPECT_FALSE(AllowedPieceTurns(grid, piece).Mirror);         // 6 has no mirror form
  piece.Digits[1] = 3;
  EXPECT_EQ(AllowedPieceTurns(grid, piece).Rotations, 0b1u);
  EXPECT_EQ(TurnedDigit(grid, 6, 2, false), 9);
  grid.GridVar = kVarPuzzle;
  grid.Lists.PuzzleRotation = 1;
  EXPECT_EQ(AllowedPieceTurns(grid, piece).Rotations, 0b1111u);
}

TEST_F(PuzzlePieces, APieceThatFitsInOnePlaceNarrowsItsCellsAndOneThatFitsNowhereIsAConflict) {
  grid.GridVar = kVarPuzzle;
  AddL({1, 2, 3}); // only at the top left of the solution
  for (int c : {0, 1, 4}) {
    grid.Cells[c].Status = kStatusEmpty;
    grid.Cells[c].ThePoss = geo.FullMask;
  }
  EXPECT_EQ(FilterPuzzlePieces(geo, grid, 0, true), 1);
  EXPECT_EQ(grid.Cells[0].ThePoss, ValueBit(1));
  EXPECT_EQ(grid.Cells[4].ThePoss, ValueBit(3));

  for (int c : {0, 1, 4})
    grid.Cells[c].Status = kStatusFixed;
  CheckPuzzlePiece(geo, grid, 0);
  EXPECT_EQ(grid.Work.PieceConflict[0], 0);
  AddL({2, 2, 2});
  CheckPuzzlePiece(geo, grid, 1);
  EXPECT_EQ(grid.Work.PieceConflict[1], 1);
  EXPECT_EQ(grid.State, kGridContradiction);

  // With open cells, a piece the candidates leave no place is already a conflict.
  grid.State = kGridOpen;
  grid.Work.PieceConflict.fill(0);
  grid.Cells[15].Status = kStatusEmpty;
  grid.Cells[15].ThePoss = geo.FullMask;
  grid.SudMissing = 1;
  EXPECT_EQ(FilterAllPuzzlePieces(geo, grid), 0);
  EXPECT_EQ(grid.Work.PieceConflict[0], 0);
  EXPECT_EQ(grid.Work.PieceConflict[1], 1);
  EXPECT_EQ(grid.State, kGridContradiction);
}

// A narrow strip beside a big grid's cells: the pieces are drawn smaller rather than laid past
// its side, over what stands next to it.
TEST_F(PuzzlePieces, AFitNeverLaysThePiecesBeyondTheRoomItIsGiven) {
  AddL({1, 2, 3});
  AddL({0, 0, 0});
  for (const bool growRows : {false, true}) {
    const int roomRows = growRows ? 3 : 40;
    const int roomColumns = growRows ? 40 : 3;
    int rows = roomRows;
    int columns = roomColumns;
    double scale = 0;
    ASSERT_TRUE(FitPuzzlePieces(geo, grid, rows, columns, growRows, scale));
    EXPECT_GT(scale, 1.0);
    EXPECT_LE(rows, static_cast<int>(roomRows * scale));
    EXPECT_LE(columns, static_cast<int>(roomColumns * scale));
  }
}

TEST_F(PuzzlePieces, ThePiecesAreLaidApartAndAFitGrowsTheBoardUntilTheyAllHaveAPlace) {
  AddL({1, 2, 3});
  AddL({0, 0, 0});
  EXPECT_FALSE(PlacePuzzlePieces(geo, grid, 4, 4)); // one L takes a 4 x 4 corner
  int rows = 6;
  int columns = 6;
  double scale = 0;
  ASSERT_TRUE(FitPuzzlePieces(geo, grid, rows, columns, true, scale));
  EXPECT_TRUE(PlacePuzzlePieces(geo, grid, columns, rows));
  // Every piece cell is named once on the board, by the identity of its piece.
  int cells = 0;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      if (const int at = grid.Work.PieceLayoutBoard[r][c]; at >= 100) {
        ++cells;
        EXPECT_EQ(FindPuzzlePieceOfCell(grid, at), (at - 100) / 3);
      }
  EXPECT_EQ(cells, 6);

  RemovePuzzlePiece(grid, 0);
  EXPECT_EQ(grid.Lists.Pieces.Size(), 1);
  EXPECT_EQ(FindPuzzlePieceOfCell(grid, 103), 0);
  EXPECT_EQ(FindPuzzlePieceOfCell(grid, 100), -1);
}

TEST_F(PuzzlePieces, ReadiedPiecesKeepTheirCellsInOrderAndShowTheirDigitsInTheirOwnRecords) {
  grid.GridVar = kVarPuzzle; // no rotation word: the pieces stay unturned
  PuzzlePiece &first = AddL({1, 2, 3});
  std::swap(first.Cells[0], first.Cells[2]); // cells 4, 1, 0: sorted back with their digits
  std::swap(first.Digits[0], first.Digits[2]);
  AddL({0, 4, 0});
  NormalisePuzzlePieces(s.Ctx, grid);
  int shown = 0;
  std::set<int> identities;
  for (const PuzzlePiece &piece : grid.Lists.Pieces.Used()) {
    EXPECT_EQ(piece.Rotation, 0);
    EXPECT_TRUE(std::is_sorted(piece.Cells.begin(), piece.Cells.begin() + piece.NCells));
    for (int k = 0; k < piece.NCells; ++k) {
      const int record = piece.Identities[k];
      identities.insert(record);
      ASSERT_GE(record, geo.NCellRecs);
      ASSERT_LT(record, geo.AllocatedRecords());
      if (piece.Digits[k] != 0) {
        EXPECT_EQ(grid.Cells[record].Value, piece.Digits[k]);
        EXPECT_EQ(grid.Cells[record].Status, kStatusFixed);
        ++shown;
      }
    }
  }
  EXPECT_EQ(shown, 4);
  EXPECT_EQ(identities.size(), 6u);
  const int withOne = grid.Lists.Pieces.Items[0].Digits[0] == 1 ? 0 : 1;
  EXPECT_EQ(grid.Lists.Pieces.Items[withOne].Digits[1], 2);
  EXPECT_EQ(grid.Lists.Pieces.Items[withOne].Digits[2], 3);
}

TEST_F(PuzzlePieces, ATilesMarkedCornerFollowsItsCellThroughTheSort) {
  grid.GridVar = kVarTiled;
  PuzzlePiece &tile = AddL({1, 0, 2});
  std::swap(tile.Cells[0], tile.Cells[2]); // cells 4, 1, 0
  tile.MarkedCell = 2;                     // cell 0, the grid's corner
  NormalisePuzzlePieces(s.Ctx, grid);
  const PuzzlePiece &readied = grid.Lists.Pieces.Items[0];
  EXPECT_EQ(readied.Cells[readied.MarkedCell], 0);
}

TEST(BoatMarks, ABoatTurnsItsUnmarkedNeighboursToWaterOnlyWhenAsked) {
  test::ShapedContext s{kShapeOf4};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;
  grid.Cells[1].Boat = kBoatPart;
  SetBoatMark(geo, grid, 4, kBoatPart, false);
  EXPECT_EQ(grid.Cells[0].Boat, kBoatNone);
  SetBoatMark(geo, grid, 4, kBoatPart, true);
  // Its neighbours inside the grid, corners included; the boat beside it stays a boat.
  for (int c : {0, 5, 8, 9})
    EXPECT_EQ(grid.Cells[c].Boat, kBoatWater) << c;
  EXPECT_EQ(grid.Cells[1].Boat, kBoatPart);
  EXPECT_EQ(grid.Cells[2].Boat, kBoatNone);
  SetBoatMark(geo, grid, 4, kBoatNone, true);
  EXPECT_EQ(grid.Cells[4].Boat, kBoatNone);

  grid.GridVar = kVarBattleShip;
  PuzzlePiece boat;
  boat.NCells = 2;
  boat.Cells[0] = 14;
  boat.Cells[1] = 15;
  grid.Lists.Pieces.Append(boat);
  MarkBoatCells(geo, grid);
  EXPECT_EQ(grid.Cells[14].Boat, kBoatPart);
  EXPECT_EQ(grid.Cells[15].Boat, kBoatPart);
}

} // namespace
} // namespace quorbel
