// The plain board against the grid's own refresh: on thinned corpus puzzles of every block
// shape, its candidates after the Probables passes are the grid's, cell for cell.
#include "solver/plain_board.h"

#include <gtest/gtest.h>

#include <string>

#include "method_test_support.h"

namespace quorbel::test {
namespace {

TEST(PlainBoard, TheProbablesPassesLeaveWhatTheGridsRefreshLeaves) {
  int narrowedByProbables = 0; // cells where the passes took a candidate the units left
  for (const char *file : {"puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt", "puzzles-12.txt"}) {
    const auto puzzles = ReadPuzzleFile(file);
    ASSERT_FALSE(puzzles.empty()) << file;
    for (size_t i = 0; i < puzzles.size() && i < 4; ++i)
      for (const int keep : {1, 2, 3}) {
        const std::string puzzle = Thinned(puzzles[i], keep);
        PuzzleContext p(puzzle);
        UpdatePossibles(*p.Ctx, -1, kFilterNone, 1, 1);
        PlainValues values{};
        ASSERT_TRUE(ReadPlainValues(p.Ctx->Geo, p.Grid(), values)) << puzzle;
        PlainBoard units(p.Ctx->Geo, p.Grid(), values);
        units.Propagate(false);
        PlainBoard board(p.Ctx->Geo, p.Grid(), values);
        board.Propagate(true);
        for (int c = 0; c < p.Ctx->Geo.NCells; ++c) {
          ASSERT_EQ(board.Poss(c), p.Cell(c).ThePoss) << puzzle << " cell " << c;
          narrowedByProbables += board.Poss(c) != units.Poss(c) ? 1 : 0;
        }
      }
  }
  EXPECT_GT(narrowedByProbables, 40);
}

} // namespace
} // namespace quorbel::test
