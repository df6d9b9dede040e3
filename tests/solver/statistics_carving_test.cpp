#include "solver/statistics_carving.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>

#include "engine/grid_copy.h"
#include "platform/random.h"
#include "solver/generation_run.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/solver/generator_test_support.h"
#include "tests/support/temp_dir.h"

namespace quorbel::test {
namespace {

class StatisticsCarvingTest : public ::testing::Test {
protected:
  // A solved grid whose reference grid holds the same solution, as the carving gets it.
  GridRecord &Solved(const std::string &line) {
    GridRecord &grid = LoadGrid(*ctx, line);
    CopyGrid(*ctx, ctx->Grids.RefTab[0], &grid, 0);
    return grid;
  }
  CarvingOutcome Carve(GridRecord &grid, CarvingRequest request = {}) {
    request.Messages = 0;
    return FindGridWithStatistics(*ctx, grid, run, request);
  }
  void ExpectGivensFromSolution(const GridRecord &grid, const std::string &solution) {
    for (int c = 0; c < ctx->Geo.NCells; ++c) {
      const CellRecord &cell = grid.Cells[c];
      ASSERT_TRUE(cell.Status == kStatusFixed || cell.Status == kStatusEmpty) << c;
      EXPECT_EQ(cell.Value, cell.Status == kStatusFixed ? solution[c] - '0' : 0) << c;
    }
  }

  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
  GenerationRun run;
  quorbel::testing::TempDir dir;
};

TEST_F(StatisticsCarvingTest, NoBlankAndNoExtraKeepsEveryCell) {
  GridRecord &grid = Solved(kSolvedNine);
  CarvingRequest request;
  request.Blanks = 0;
  request.Extra = 0;
  const CarvingOutcome outcome = Carve(grid, request);
  EXPECT_EQ(outcome.Status, 1);
  EXPECT_EQ(outcome.ClueTotal, 1) << "a grid without rules";
  EXPECT_EQ(CountStatus(*ctx, grid, kStatusFixed), 81);
}

TEST_F(StatisticsCarvingTest, TheGivensAreSolutionValuesAndTheBlanksFollowTheTable) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    const std::string solution = ShuffledNine(seed);
    GridRecord &grid = Solved(solution);
    run.Level = 4;
    ctx->Random.Seed(seed);
    ASSERT_EQ(Carve(grid).Status, 1);
    ExpectGivensFromSolution(grid, solution);
    // 56 to 61 blanks plus 5 extra, of which the statistics buy some back.
    const int open = CountStatus(*ctx, grid, kStatusEmpty);
    EXPECT_GE(open, 56) << "seed " << seed;
    EXPECT_LE(open, 66) << "seed " << seed;
  }
}

TEST_F(StatisticsCarvingTest, TheStatisticsStageBuysBackGivensWhileSolutionsRemain) {
  GridRecord &grid = Solved(kSolvedNine);
  CarvingRequest request;
  request.Blanks = 40;
  request.Extra = 20;
  ctx->Random.Seed(5);
  ASSERT_EQ(Carve(grid, request).Status, 1);
  const int open = CountStatus(*ctx, grid, kStatusEmpty);
  EXPECT_LT(open, 60) << "some of the 60 blanks came back";
  EXPECT_GE(open, 40);
  ExpectGivensFromSolution(grid, kSolvedNine);
  // Each given bought back split the solutions; it stops once the grid is unique.
  EXPECT_GE(CountGridSolutions(*ctx, grid, 0, 2, 0), 1);
}

TEST_F(StatisticsCarvingTest, TheSameSeedCarvesTheSameGivens) {
  const auto carve = [&](uint32_t seed) {
    GridRecord &grid = Solved(kSolvedNine);
    ctx->Random.Seed(seed);
    Carve(grid);
    return OneLineOfGrid(*ctx, grid);
  };
  EXPECT_EQ(carve(21), carve(21));
  EXPECT_NE(carve(21), carve(22));
}

TEST_F(StatisticsCarvingTest, ClueKindsWithoutAClueGeneratorLeaveTheGrid) {
  GridRecord &grid = Solved(kSolvedNine);
  grid.GridVar = kVarKillerSum | kVarDiagonal;
  const CarvingOutcome outcome = Carve(grid);
  EXPECT_EQ(outcome.Status, 1);
  EXPECT_EQ(outcome.ClueTotal, 0);
  EXPECT_EQ(grid.GridVar, kVarDiagonal);
}

TEST_F(StatisticsCarvingTest, TheClueGeneratorGetsTheAllottedCounts) {
  GridRecord &grid = Solved(kSolvedNine);
  grid.GridVar = kVarKillerSum | kVarXV;
  int allotted = -1;
  run.MakeClues = [&](EngineContext &, GridRecord &carved, GenerationRun &r) {
    allotted = std::accumulate(r.Clues.Allocated.begin(), r.Clues.Allocated.end(), 0);
    EXPECT_EQ(&carved, &grid);
    return 17;
  };
  const CarvingOutcome outcome = Carve(grid);
  EXPECT_EQ(outcome.ClueTotal, 17);
  EXPECT_GT(allotted, 0);
  EXPECT_EQ(grid.GridVar, kVarKillerSum | kVarXV);
}

TEST_F(StatisticsCarvingTest, AnAbortEndsTheCarvingWithMinusTen) {
  GridRecord &grid = Solved(kSolvedNine);
  host.AbortAfter = 0;
  EXPECT_EQ(Carve(grid).Status, kSolveCancelled);
  EXPECT_GT(CountStatus(*ctx, grid, kCarveUndecided), 0) << "the provisional statuses stay";
}

TEST_F(StatisticsCarvingTest, OnlyStepDisplayWritesTheTrace) {
  run.Settings.TraceFile = dir.File("MaskData.txt");
  Carve(Solved(kSolvedNine));
  EXPECT_FALSE(std::filesystem::exists(run.Settings.TraceFile));

  CarvingRequest request;
  request.Steps = 1;
  Carve(Solved(kSolvedNine), request);
  const std::string trace = quorbel::testing::ReadBytes(run.Settings.TraceFile);
  EXPECT_EQ(trace.rfind("Full start:", 0), 0u);
  EXPECT_NE(trace.find("NCount:"), std::string::npos);
  EXPECT_NE(trace.find("Randomn(n=0): pos="), std::string::npos);
  EXPECT_NE(trace.find("Find Group"), std::string::npos);
}

TEST_F(StatisticsCarvingTest, ATraceThatCannotBeOpenedTurnsTheTraceOff) {
  run.Settings.TraceFile = dir.File("missing/dir/MaskData.txt");
  CarvingRequest request;
  request.Steps = 1;
  EXPECT_EQ(Carve(Solved(kSolvedNine), request).Status, 1);
  EXPECT_FALSE(std::filesystem::exists(run.Settings.TraceFile));
}

} // namespace
} // namespace quorbel::test
