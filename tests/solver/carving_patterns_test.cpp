#include "solver/carving_patterns.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "engine/cell_actions.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/carving_trace.h"
#include "solver/random_solution.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/solver/generator_test_support.h"
#include "tests/support/temp_dir.h"

namespace quorbel::test {
namespace {

std::string Transposed(const std::string &line) {
  std::string out(line.size(), '0');
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c)
      out[c * 9 + r] = line[r * 9 + c];
  return out;
}

class PatternCheckTest : public ::testing::Test {
protected:
  // Runs one check on a fresh undecided copy of `solution` and returns the sets it traced.
  std::vector<std::vector<int>> TraceCheck(const std::string &solution, PatternCheck check, int &kept,
                                           int *result = nullptr) {
    LoadUndecided(*ctx, solution);
    const std::string path = dir.File("MaskData.txt");
    {
      CarvingTrace trace(path);
      const int r = RunPatternCheck(*ctx, ctx->Grids.Main[0], check, kept, trace);
      if (result != nullptr)
        *result = r;
    }
    return TracedSets(quorbel::testing::ReadBytes(path));
  }

  // Every cell given but the set's: an unavoidable set leaves two solutions at least.
  int SolutionsWithSetOpen(const std::string &solution, const std::vector<int> &set) {
    std::string puzzle = solution;
    for (int cell : set)
      puzzle[cell] = '0';
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    return CountGridSolutions(*ctx, grid, 0, 2, 0);
  }

  void TearDown() override { SetStartDirectory(previousStart); }

  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
  quorbel::testing::TempDir dir;
  std::string previousStart = StartDirectory();
};

TEST_F(PatternCheckTest, ADeadlyRectangleGetsOneGiven) {
  GridRecord &grid = LoadUndecided(*ctx, kSolvedNine);
  int kept = 81;
  CarvingTrace off;
  EXPECT_EQ(RunPatternCheck(*ctx, grid, PatternCheck::LineGroups, kept, off), 1);
  int given = 0;
  for (int cell : kDeadlyRectangle)
    given += grid.Cells[cell].Status == kCarveKept ? 1 : 0;
  EXPECT_EQ(given, 1);
  EXPECT_EQ(81 - kept, CountStatus(*ctx, grid, kCarveKept));
}

TEST_F(PatternCheckTest, EverySetFoundLeavesTwoSolutionsWhenOpen) {
  std::map<PatternCheck, int> found;
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    const std::string solution = ShuffledNine(seed);
    for (PatternCheck check : kPatternChecks) {
      int kept = 0;
      const auto sets = TraceCheck(solution, check, kept);
      found[check] += static_cast<int>(sets.size());
      for (size_t i = 0; i < sets.size() && i < 12; ++i)
        EXPECT_EQ(SolutionsWithSetOpen(solution, sets[i]), 2) << "seed " << seed << " set " << i;
    }
  }
  EXPECT_GT(found[PatternCheck::LineGroups], 0);
  EXPECT_GT(found[PatternCheck::ColumnGroups], 0);
}

// Random solutions of every shape, irregular blocks too: each set a check finds is one that
// the solution cannot do without, whatever the blocks.
TEST_F(PatternCheckTest, SetsFoundOnEveryShapeLeaveTwoSolutionsWhenOpen) {
  SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  std::map<PatternCheck, int> found;
  const auto check = [&](int shape, VariantWords words, uint32_t seed) {
    SetGridShape(*ctx, shape, 1, 0);
    GridRecord &grid = ctx->Grids.Main[0];
    grid.GridVar = words;
    ctx->Random.Seed(seed);
    ASSERT_EQ(MakeRandomSolution(*ctx, grid, kSeedsComputed, -1, 10, 1), 1) << shape;
    auto solution = std::make_unique<GridRecord>();
    CopyGrid(*ctx, *solution, &grid, 0);
    for (PatternCheck pattern : kPatternChecks) {
      CopyGrid(*ctx, grid, solution.get(), 0);
      for (int c = 0; c < ctx->Geo.NCells; ++c)
        grid.Cells[c].Status = kCarveUndecided;
      int kept = 0;
      const std::string path = dir.File("MaskData.txt");
      {
        CarvingTrace trace(path);
        RunPatternCheck(*ctx, grid, pattern, kept, trace);
      }
      const auto sets = TracedSets(quorbel::testing::ReadBytes(path));
      found[pattern] += static_cast<int>(sets.size());
      for (size_t i = 0; i < sets.size() && i < 4; ++i) {
        auto open = std::make_unique<GridRecord>();
        CopyGrid(*ctx, *open, solution.get(), 0);
        for (int cell : sets[i])
          SetCellValue(*ctx, *open, cell, 0, kActionClear);
        Propagate(*ctx, *open, kFilterAlways, 0);
        EXPECT_EQ(CountGridSolutions(*ctx, *open, 0, 2, 0), 2) << "shape " << shape << " set " << i;
      }
    }
  };
  for (int shape = 0; shape < kShapeCount; ++shape)
    check(shape, {}, 30 + static_cast<uint32_t>(shape));
  check(kDefaultShape, kVarIrregular, 5);
  check(2, kVarIrregular, 6);
  for (PatternCheck pattern : kPatternChecks)
    EXPECT_GT(found[pattern], 0) << static_cast<int>(pattern);
}

TEST_F(PatternCheckTest, TheBudgetFallsByOneForEachGivenKept) {
  int kept = 3;
  const auto sets = TraceCheck(kSolvedNine, PatternCheck::LineGroups, kept);
  EXPECT_EQ(kept, 0);
  EXPECT_EQ(CountStatus(*ctx, ctx->Grids.Main[0], kCarveKept), 3);
  EXPECT_GT(sets.size(), 3u) << "sets found once the budget is spent are still traced";
}

TEST_F(PatternCheckTest, WithoutBudgetNothingIsKept) {
  int kept = 0;
  const auto sets = TraceCheck(kSolvedNine, PatternCheck::ColumnGroups, kept);
  EXPECT_FALSE(sets.empty());
  EXPECT_EQ(CountStatus(*ctx, ctx->Grids.Main[0], kCarveKept), 0);
  EXPECT_EQ(kept, 0);
}

TEST_F(PatternCheckTest, ASetWithAGivenAlreadyIsNotFoundAgain) {
  int kept = 81;
  TraceCheck(kSolvedNine, PatternCheck::LineGroups, kept);
  // The grid keeps its kept cells; a second pass over it finds nothing left open.
  const int keptBefore = kept;
  CarvingTrace off;
  EXPECT_EQ(RunPatternCheck(*ctx, ctx->Grids.Main[0], PatternCheck::LineGroups, kept, off), 1);
  EXPECT_EQ(kept, keptBefore);
}

TEST_F(PatternCheckTest, ColumnChecksFindTheSetsOfTheTransposedGrid) {
  const std::string solution = ShuffledNine(7);
  int kept = 0;
  const auto rows = TraceCheck(solution, PatternCheck::LineGroups, kept);
  const auto cols = TraceCheck(Transposed(solution), PatternCheck::ColumnGroups, kept);
  const auto asSets = [](const std::vector<std::vector<int>> &sets, bool transpose) {
    std::set<std::set<int>> out;
    for (const auto &set : sets) {
      std::set<int> cells;
      for (int cell : set)
        cells.insert(transpose ? (cell % 9) * 9 + cell / 9 : cell);
      out.insert(cells);
    }
    return out;
  };
  EXPECT_FALSE(rows.empty());
  EXPECT_EQ(asSets(rows, false), asSets(cols, true));
}

TEST_F(PatternCheckTest, AnAbortEndsTheCheck) {
  host.AbortAfter = 0;
  for (PatternCheck check : kPatternChecks) {
    int kept = 81;
    int result = 0;
    TraceCheck(kSolvedNine, check, kept, &result);
    EXPECT_EQ(result, kSolveCancelled);
  }
}

} // namespace
} // namespace quorbel::test
