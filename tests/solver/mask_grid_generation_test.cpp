#include "solver/mask_grid_generation.h"

#include <gtest/gtest.h>

#include "engine/grid_copy.h"
#include "platform/random.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/solver/generator_test_support.h"

namespace quorbel::test {
namespace {

class MaskGridGenerationTest : public ::testing::Test {
protected:
  // The mask grid holds a value wherever `pattern` has a non-zero character.
  void SetMask(const std::string &pattern) {
    GridRecord &grid = LoadGrid(*ctx, pattern);
    CopyGrid(*ctx, ctx->Grids.RefTab[kMaxGrids], &grid, 0);
  }

  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
  MaskGridSettings settings;
};

TEST_F(MaskGridGenerationTest, TheGivensFollowTheMaskAndTheSolutionIsUnique) {
  // Every third cell open: 54 givens leave most random solutions unique.
  std::string pattern = kSolvedNine;
  for (int c = 0; c < 81; c += 3)
    pattern[c] = '0';
  SetMask(pattern);
  ctx->Random.Seed(3);
  ASSERT_EQ(GenerateFromMaskGrid(*ctx, 0, settings), 1);
  const GridRecord &grid = ctx->Grids.Main[0];
  const GridRecord &solution = ctx->Grids.RefTab[0];
  for (int c = 0; c < 81; ++c) {
    EXPECT_EQ(grid.Cells[c].Value != 0, pattern[c] != '0') << c;
    EXPECT_EQ(solution.Cells[c].Status, pattern[c] != '0' ? kStatusFixed : kStatusHypothesis) << c;
    if (grid.Cells[c].Value != 0) {
      EXPECT_EQ(grid.Cells[c].Value, solution.Cells[c].Value) << c;
    }
  }
  auto copy = std::make_unique<GridRecord>();
  CopyGrid(*ctx, *copy, &grid, 0);
  EXPECT_EQ(CountGridSolutions(*ctx, *copy, 0, 2, 0), 1);
}

TEST_F(MaskGridGenerationTest, ATooSparseMaskGivesUpAfterItsTries) {
  std::string pattern(81, '0');
  pattern[0] = '1';
  SetMask(pattern);
  settings.Tries = 3;
  EXPECT_EQ(GenerateFromMaskGrid(*ctx, 0, settings), 0);
}

TEST_F(MaskGridGenerationTest, AnAbortGivesMinusTen) {
  SetMask(ReadPuzzleFile("puzzles-9.txt")[0]);
  host.AbortAfter = 0;
  EXPECT_EQ(GenerateFromMaskGrid(*ctx, 0, settings), kSolveCancelled);
}

} // namespace
} // namespace quorbel::test
