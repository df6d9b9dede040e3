#include "solver/rate_grid.h"

#include <gtest/gtest.h>

#include "engine/engine_context.h"
#include "solver/search.h"
#include "tests/solver/generator_test_support.h"

namespace quorbel::test {
namespace {

class RateGridTest : public ::testing::Test {
protected:
  NullHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
};

TEST_F(RateGridTest, AGridThatSinglesSolveRatesEasy) {
  std::string puzzle = kSolvedNine;
  for (int cell : {0, 12, 40, 41, 66, 80})
    puzzle[cell] = '0';
  EXPECT_EQ(RateGridDifficulty(*ctx, LoadGrid(*ctx, puzzle)), kLevelEasy);
  // Asked for where a harder level would stop, the grid still gets a defined state: solved.
  auto stuck = std::make_unique<GridRecord>();
  EXPECT_EQ(RateGridDifficulty(*ctx, LoadGrid(*ctx, puzzle), stuck.get(), kLevelDifficult), kLevelEasy);
  ASSERT_EQ(stuck->Cells.size(), ctx->Grids.Main[0].Cells.size());
  EXPECT_EQ(stuck->SudMissing, 0);
  EXPECT_EQ(stuck->Cells[0].Value, kSolvedNine[0] - '0');
}

TEST_F(RateGridTest, AnEmptyGridIsBeyondTheMethods) {
  EXPECT_EQ(RateGridDifficulty(*ctx, LoadGrid(*ctx, EmptyLine(9))), kLevelBeyondMethods);
}

TEST_F(RateGridTest, TerriblePuzzlesNeedMoreThanSingles) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("../../bench/data/terrible-9.txt");
  ASSERT_GE(puzzles.size(), 10u);
  int hard = 0;
  for (size_t i = 0; i < 10; ++i) {
    const int level = RateGridDifficulty(*ctx, LoadGrid(*ctx, puzzles[i]));
    EXPECT_GE(level, kLevelMedium) << i;
    hard += level >= kLevelDifficult ? 1 : 0;
  }
  EXPECT_GT(hard, 0);
}

TEST_F(RateGridTest, RatingChangesNeitherTheGridNorTheGameLevels) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("puzzles-9.txt");
  GridRecord &grid = LoadGrid(*ctx, puzzles[0]);
  ctx->Methods.MaxMethodLevel = -1;
  ctx->Methods.GameMaxMethodLevel = -1;
  RateGridDifficulty(*ctx, grid);
  EXPECT_EQ(OneLineOfGrid(*ctx, grid), puzzles[0]);
  EXPECT_EQ(ctx->Methods.MaxMethodLevel, -1);
  EXPECT_EQ(ctx->Methods.GameMaxMethodLevel, -1);
}

TEST_F(RateGridTest, AnAbortEndsTheRating) {
  PollingHost aborting;
  aborting.AbortAfter = 0;
  auto other = MakeContext(aborting);
  const std::vector<std::string> puzzles = ReadPuzzleFile("puzzles-9.txt");
  EXPECT_EQ(RateGridDifficulty(*other, LoadGrid(*other, puzzles[0])), kSolveCancelled);
}

} // namespace
} // namespace quorbel::test
