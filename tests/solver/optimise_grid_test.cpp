#include "solver/optimise_grid.h"

#include <gtest/gtest.h>

#include "engine/cell_actions.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "solver/optimise_to_level.h"
#include "solver/rate_grid.h"
#include "solver/solution_count.h"
#include "tests/solver/generator_test_support.h"
#include "tests/support/count_limit.h"

namespace quorbel::test {
namespace {

class OptimiseTestHost : public PollingHost {
public:
  void AddInfoMessage(std::string_view text) override { Lines.emplace_back(text); }
  std::vector<std::string> Lines;
};

class OptimiseGridTest : public ::testing::Test {
protected:
  // `puzzle` in main grid 0 and `solution` in its reference grid.
  GridRecord &Load(const std::string &puzzle, const std::string &solution = kSolvedNine) {
    LoadGrid(*ctx, solution);
    CopyGrid(*ctx, ctx->Grids.RefTab[0], &ctx->Grids.Main[0], 0);
    return LoadGrid(*ctx, puzzle);
  }
  int Count() { return CountGridSolutions(*ctx, ctx->Grids.Main[0], 0, 2, 0); }
  long Givens() {
    const auto cells = ctx->Grids.Main[0].PlayingCells(ctx->Geo);
    return std::count_if(cells.begin(), cells.end(), [](const CellRecord &c) { return c.Value > 0; });
  }
  const std::string &LastLine() const { return host.Lines.back(); }

  OptimiseTestHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
};

std::string WithOpen(std::string line, std::initializer_list<int> cells) {
  for (int cell : cells)
    line[cell] = '0';
  return line;
}

TEST_F(OptimiseGridTest, StepThreeLeavesOnlyNeededGivens) {
  ctx->Random.Seed(4);
  GridRecord &grid = Load(kSolvedNine);
  const int removed = OptimiseGrid(*ctx, 0, 0, 1, 0, 0);
  EXPECT_GT(removed, 50);
  EXPECT_EQ(CountStatus(*ctx, grid, kStatusEmpty), removed);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(LastLine(), "Optimisation: Step1 0 cells suppressed, Step2 0 cells added, Step3 " +
                            std::to_string(removed) + " cells suppressed.");
  // Each given left is needed: without it the grid has two solutions.
  const std::string puzzle = OneLineOfGrid(*ctx, grid);
  for (int c = 0; c < 81; c += 7) {
    if (puzzle[c] == '0')
      continue;
    LoadGrid(*ctx, WithOpen(puzzle, {c}));
    EXPECT_EQ(Count(), 2) << c;
  }
}

TEST_F(OptimiseGridTest, StepTwoCopiesGivensFromTheSolutionUntilUnique) {
  GridRecord &grid = Load(WithOpen(kSolvedNine, {1, 7, 19, 25}));
  ASSERT_EQ(Count(), 2);
  EXPECT_EQ(OptimiseGrid(*ctx, 0, 1, 0, 0, 1), 0);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(CountStatus(*ctx, grid, kStatusEmpty), 3);
  EXPECT_EQ(LastLine(),
            "Optimisation: Step1 0 cells suppressed, Step2 1 cells added, Step3 0 cells suppressed.");
}

// On a machine too slow for any count to end (a limit of 1 ms, 2 ms at every poll), a grid with
// its solution known still ends unique: its givens come from the solution until counts end.
TEST_F(OptimiseGridTest, StepTwoOutOfTimeGoesOnFromTheSolution) {
  ctx->Random.Seed(7);
  std::string puzzle(81, '0');
  for (int c = 0; c < 81; c += 9)
    puzzle[c] = kSolvedNine[c];
  GridRecord &grid = Load(puzzle);
  host.OnPoll = [this] {
    ctx->Settings.TimeOver = 1;
    SleepMs(2);
  };
  int added = 0;
  const int count = AddGivensUntilUnique(*ctx, RangeOfGrids(*ctx, 0), 1, added);
  host.OnPoll = nullptr;
  ctx->Settings.TimeOver = test::kTestCountLimitMs;
  EXPECT_EQ(count, 1);
  EXPECT_GT(added, 0);
  EXPECT_EQ(Count(), 1);
  for (int c = 0; c < 81; ++c)
    if (grid.Cells[c].Value != 0) {
      EXPECT_EQ(grid.Cells[c].Value, kSolvedNine[c] - '0') << c;
    }
}

TEST_F(OptimiseGridTest, WithoutStepTwoSeveralSolutionsGiveUp) {
  Load(WithOpen(kSolvedNine, {1, 7, 19, 25}));
  EXPECT_EQ(OptimiseGrid(*ctx, 0, 0, 1, 0, 0), -1);
  EXPECT_EQ(LastLine(), "Unique solution not found. Optimisation cancelled.");
}

TEST_F(OptimiseGridTest, StepOneRemovesAValueThatContradicts) {
  // A placed 4 in cell 1 where the solution holds 1: the grid has no solution left.
  GridRecord &grid = Load(WithOpen(kSolvedNine, {1, 2, 3, 30, 31, 32, 50, 60, 70}));
  SetCellValue(*ctx, grid, 2, 1, kActionPlace);
  UpdatePossibles(*ctx, -1, kFilterDefault, -1, 1);
  ASSERT_EQ(Count(), 0);
  EXPECT_EQ(OptimiseGrid(*ctx, 1, 1, 0, 0, 1), 0);
  EXPECT_EQ(Count(), 1);
  EXPECT_EQ(grid.Cells[2].Value, 0);
  EXPECT_EQ(LastLine().rfind("Optimisation: Step1 1 cells suppressed", 0), 0u);
}

TEST_F(OptimiseGridTest, StepOneOnASolvableGridRemovesNothing) {
  Load(WithOpen(kSolvedNine, {0, 1, 2}));
  EXPECT_EQ(OptimiseGrid(*ctx, 1, 0, 0, 0, 0), 0);
  EXPECT_EQ(LastLine(),
            "Optimisation: Step1 0 cells suppressed, Step2 0 cells added, Step3 0 cells suppressed.");
}

TEST_F(OptimiseGridTest, ACancelBeforeStepThreeGivesMinusOne) {
  Load(WithOpen(kSolvedNine, {1, 7, 19, 25}));
  host.AbortAfter = 0;
  EXPECT_EQ(OptimiseGrid(*ctx, 0, 1, 1, 0, 1), -1);
  EXPECT_EQ(LastLine(), "Optimisation cancelled by user");
}

TEST_F(OptimiseGridTest, ATooHardGridGetsGivensUntilItsLevelIsReached) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("../../bench/data/terrible-9.txt");
  for (size_t i = 0; i < 3; ++i) {
    LoadGrid(*ctx, puzzles[i]);
    ASSERT_EQ(SolveToRefTab(*ctx), 1);
    ctx->Random.Seed(static_cast<uint32_t>(i));
    EXPECT_EQ(OptimiseGridToLevel(*ctx, 0, kLevelEasy), kLevelEasy) << i;
    EXPECT_EQ(RateGridDifficulty(*ctx, ctx->Grids.Main[0]), kLevelEasy);
    EXPECT_EQ(Count(), 1);
  }
}

TEST_F(OptimiseGridTest, ALevelTheRatingHasNoMethodsForLeavesTheGridAsItWas) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("../../bench/data/terrible-9.txt");
  LoadGrid(*ctx, puzzles[0]);
  ASSERT_EQ(SolveToRefTab(*ctx), 1);
  const auto before = Givens();
  const int rating = RateGridDifficulty(*ctx, ctx->Grids.Main[0]);
  ASSERT_GT(rating, kLevelEasy);
  EXPECT_EQ(OptimiseGridToLevel(*ctx, 0, 0), rating);
  EXPECT_EQ(Givens(), before);
}

// The machine turns slow: every poll of a count takes 10 ms, so the dig's share of 15 ms is
// spent after its first counts, where an untimed dig would take the givens down to a minimal
// puzzle of some 25. What it leaves is still unique, and of its solution.
TEST_F(OptimiseGridTest, ADigOutOfTimeStopsWithItsGridUnique) {
  ctx->Settings.TimeOver = 30;
  host.OnPoll = [] { SleepMs(10); };
  ctx->Random.Seed(3);
  Load(kSolvedNine);
  OptimiseGridToLevel(*ctx, 0, kLevelMedium);
  host.OnPoll = nullptr;
  EXPECT_EQ(ctx->Settings.TimeOver, 30);
  const std::string timed = OneLineOfGrid(*ctx, ctx->Grids.Main[0]);
  const auto left = Givens();
  ctx->Settings.TimeOver = -1;
  EXPECT_EQ(Count(), 1);
  for (size_t c = 0; c < timed.size(); ++c)
    EXPECT_TRUE(timed[c] == '0' || timed[c] == kSolvedNine[c]) << c;
  EXPECT_GT(left, 60) << timed;
}

TEST_F(OptimiseGridTest, ATooEasyGridLosesGivensUntilItsLevelIsReached) {
  ctx->Random.Seed(9);
  Load(WithOpen(kSolvedNine, {0, 10, 20}));
  EXPECT_EQ(OptimiseGridToLevel(*ctx, 0, kLevelMedium), kLevelMedium);
  EXPECT_EQ(RateGridDifficulty(*ctx, ctx->Grids.Main[0]), kLevelMedium);
  EXPECT_EQ(Count(), 1);
}

} // namespace
} // namespace quorbel::test
