// Random solutions: complete and consistent for every shape, irregular blocks, diagonals
// and extra regions; the same seed, the same solution; the ready-made solutions used only
// where they fit; the seed counts; and the carving's helpers.
#include "solver/random_solution.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/irregular_blocks.h"
#include "engine/propagate.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "tests/solver/search_test_support.h"
#include "tests/support/temp_dir.h"

namespace quorbel::test {
namespace {

constexpr int kShape8Wide = 4; // 8 x 8, blocks of 2 rows and 4 columns
constexpr int kShape9 = 5;
constexpr int kTries = 10;
constexpr uint32_t kSeeds[] = {4099, 77777, 123457};

std::string DataFile(const std::string &name) { return std::string(QUORBEL_TEST_DATA) + "/../../data/" + name; }

std::vector<int> ValuesOf(const EngineContext &ctx, const GridRecord &grid) {
  std::vector<int> values;
  for (const CellRecord &cell : grid.PlayingCells(ctx.Geo))
    values.push_back(cell.Value);
  return values;
}

// Every row, column and block of the grid's own blocks, and every region switched on,
// holds every value once.
bool HoldsEveryValueOnce(const EngineContext &ctx, const GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  auto complete = [&](auto cellOf) {
    uint32_t seen = 0;
    for (int k = 0; k < geo.GridWidth; ++k)
      seen |= ValueBit(grid.Cells[cellOf(k)].Value);
    return seen == geo.FullMask;
  };
  for (int u = 0; u < geo.GridWidth; ++u) {
    if (!complete([&](int k) { return geo.RowCells[u][k]; }) || !complete([&](int k) { return geo.ColCells[u][k]; }) ||
        !complete([&](int k) { return grid.BlockCells[u][k]; }))
      return false;
  }
  for (int r = 0; r < 4; ++r)
    if (grid.Lists.RegionOn[r] != 0 && !complete([&](int k) { return grid.RegionCells[r][k]; }))
      return false;
  return true;
}

class RandomSolution : public ::testing::Test {
protected:
  void SetUp() override { previousStart = StartDirectory(); }
  void TearDown() override { SetStartDirectory(previousStart); }

  void Shape(int shape, VariantWords rules = {}) {
    SetGridShape(*ctx, shape, 1, 0);
    grid().GridVar = rules;
  }
  GridRecord &grid() { return ctx->Grids.Main[0]; }
  int Make(uint32_t seed, const RandomSolutionOptions &options = {}) {
    SeedRandom(seed);
    return MakeRandomSolution(*ctx, grid(), kSeedsComputed, -1, kTries, 1, options);
  }

  // The solution stands: complete, every unit whole, the propagation finds no conflict,
  // the reference grid holds it, and with one row emptied the search finds it alone.
  void ExpectSolved(const std::string &what) {
    SCOPED_TRACE(what);
    const GridGeometry &geo = ctx->Geo;
    ASSERT_TRUE(HoldsEveryValueOnce(*ctx, grid()));
    EXPECT_EQ(grid().SolutionMade, 1);
    EXPECT_EQ(ValuesOf(*ctx, ctx->Grids.RefTab[0]), ValuesOf(*ctx, grid()));

    auto check = std::make_unique<GridRecord>();
    CopyGrid(*ctx, *check, &grid(), 0);
    const int row = RandomBelow(geo.GridWidth);
    for (int cell = 0; cell < geo.NCells; ++cell) {
      const int value = grid().Cells[cell].Value;
      ResetCellState(geo, check->Cells[cell]);
      if (geo.RowOfCell[cell] != row)
        StoreCellValue(geo, ctx->Settings.PictureOrder, check->Cells[cell], value, kStatusFixed);
    }
    Propagate(*ctx, *check, kFilterAlways, 0);
    EXPECT_EQ(check->State, kGridOpen);
    EXPECT_EQ(check->SudMissing, geo.GridWidth);
    EXPECT_EQ(CountGridSolutions(*ctx, *check, 0, 2, 0), 1);
  }

  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
  std::string previousStart;
};

TEST_F(RandomSolution, EveryShapeGetsACompleteSolution) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    Shape(shape);
    ASSERT_EQ(Make(kSeeds[shape % 3]), kSolveFound) << "shape " << shape;
    ExpectSolved("shape " + std::to_string(shape));
  }
}

TEST_F(RandomSolution, TheSameSeedGivesTheSameSolutionAndAnotherSeedAnother) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    Shape(shape);
    ASSERT_EQ(Make(kSeeds[0]), kSolveFound);
    const std::vector<int> first = ValuesOf(*ctx, grid());
    ASSERT_EQ(Make(kSeeds[0]), kSolveFound);
    EXPECT_EQ(ValuesOf(*ctx, grid()), first) << "shape " << shape;
    ASSERT_EQ(Make(kSeeds[1]), kSolveFound);
    EXPECT_NE(ValuesOf(*ctx, grid()), first) << "shape " << shape;
  }
}

} // namespace
} // namespace quorbel::test
