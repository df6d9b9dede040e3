#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "engine/chess_rules.h"
#include "engine/neighbour_editors.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

using Square = std::pair<int, int>; // row, column

// The squares a lone figure of `kind` and `colour` with digit 5 attacks from (row, col) of a 9 x 9.
std::set<Square> Attacked(int kind, int colour, int row, int col) {
  ShapedContext s(5);
  GridRecord &grid = s.Main();
  const int cell = row * 9 + col;
  SetCellValue(s.Ctx, grid, cell, 5, kActionPlace);
  ToggleChessPiece(s.Ctx.Geo, grid, kind, cell, colour);
  PrepareChessCells(s.Ctx.Geo, grid);
  std::set<Square> squares;
  for (int c = 0; c < 81; ++c) {
    const uint32_t mask = colour == 0 ? grid.Cells[c].BlackAttacks : grid.Cells[c].WhiteAttacks;
    if (mask != 0) {
      EXPECT_EQ(mask, MaskOf({5}));
      squares.insert({c / 9, c % 9});
    }
  }
  return squares;
}

// Every square reached from (row, col) by repeating one of `steps` until the edge.
std::set<Square> Lines(int row, int col, std::initializer_list<Square> steps) {
  std::set<Square> squares;
  for (auto [dr, dc] : steps)
    for (int r = row + dr, c = col + dc; r >= 0 && r < 9 && c >= 0 && c < 9; r += dr, c += dc)
      squares.insert({r, c});
  return squares;
}

const std::initializer_list<Square> kStraight = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
const std::initializer_list<Square> kDiagonal = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};

} // namespace

TEST(ChessAttacks, LongRangeFiguresSweepTheirWholeLinesUnblocked) {
  for (int colour : {0, 1}) {
    EXPECT_EQ(Attacked(kRook, colour, 4, 4), Lines(4, 4, kStraight));
    EXPECT_EQ(Attacked(kBishop, colour, 2, 6), Lines(2, 6, kDiagonal));
    std::set<Square> queen = Lines(4, 4, kStraight);
    queen.merge(Lines(4, 4, kDiagonal));
    EXPECT_EQ(Attacked(kQueen, colour, 4, 4), queen);
  }
}

TEST(ChessAttacks, ShortRangeFiguresStopAtTheEdge) {
  const std::set<Square> knight = {{2, 3}, {2, 5}, {3, 2}, {3, 6}, {5, 2}, {5, 6}, {6, 3}, {6, 5}};
  EXPECT_EQ(Attacked(kKnight, 0, 4, 4), knight);
  EXPECT_EQ(Attacked(kKnight, 1, 0, 0), (std::set<Square>{{1, 2}, {2, 1}}));
  const std::set<Square> king = {{3, 3}, {3, 4}, {3, 5}, {4, 3}, {4, 5}, {5, 3}, {5, 4}, {5, 5}};
  EXPECT_EQ(Attacked(kKing, 1, 4, 4), king);
  EXPECT_EQ(Attacked(kKing, 0, 8, 8), (std::set<Square>{{7, 7}, {7, 8}, {8, 7}}));
}

TEST(ChessAttacks, PawnsTakeDiagonallyForwardOnlyBlackDownWhiteUp) {
  EXPECT_EQ(Attacked(kPawn, 0, 4, 4), (std::set<Square>{{5, 3}, {5, 5}}));
  EXPECT_EQ(Attacked(kPawn, 1, 4, 4), (std::set<Square>{{3, 3}, {3, 5}}));
  EXPECT_EQ(Attacked(kPawn, 0, 0, 0), (std::set<Square>{{1, 1}}));
  EXPECT_TRUE(Attacked(kPawn, 1, 0, 3).empty()); // a white pawn on the top row attacks nothing
  EXPECT_TRUE(Attacked(kPawn, 0, 8, 3).empty());
}
