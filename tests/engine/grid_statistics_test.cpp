#include <gtest/gtest.h>

#include "engine/grid_statistics.h"
#include "engine/reference_grids.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "engine_test_support.h"
#include "platform/random.h"
#include "tests/french_locale.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr int kShape9 = 5;
constexpr std::string_view kSolution4 = "1234341221434321";
constexpr std::string_view kSolution9 = "534678912672195348198342567859761423426853791"
                                        "713924856961537284287419635345286179";
constexpr int kGridDifficulty = 3;
constexpr int kSolveDifficulty = 2;

class GridStatistics : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{kShape4, host};
  GridRecord &grid = s.Main();

  // The solution becomes the reference; then only `kept` cells of it stay on the grid.
  void SolvedThenKeep(std::string_view solution, std::string_view kept) {
    LoadPuzzleLine(s.Ctx, grid, solution);
    SetRefTabFromCurrent(s.Ctx);
    LoadPuzzleLine(s.Ctx, grid, kept);
    UpdatePossibles(s.Ctx, -1, -1, -1, 1);
    host.MacroSteps.clear();
  }
  std::string Line() { return BuildGridStatistics(s.Ctx, grid, kGridDifficulty, kSolveDifficulty); }
};

TEST_F(GridStatistics, AFullConsistentGridIsPerfectlyBalanced) {
  SetGridShape(s.Ctx, kShape9, 1, 0);
  SolvedThenKeep(kSolution9, kSolution9);
  EXPECT_EQ(Line(), "I= 0 N= 9 Full= 100.00% V1= 0 V2 = 0 smoy= 0.000000 sline= 0 scol= 0 sblk= 0 "
                    "GridDif= 3 SolveDiff= 2 RefOK status= 3");
}

TEST_F(GridStatistics, AnUnevenGridShowsItsSpreadPerUnitKind) {
  // Row 0 and half of row 1: rows 4,2,0,0, columns 2,2,1,1, blocks 4,2,0,0 around a mean of 1.5.
  SolvedThenKeep(kSolution4, "1234340000000000");
  s.Ctx.Grids.FocusCell = 6;
  EXPECT_EQ(Line(), "I= 6 N= 4 Full= 37.50% V1= 0 V2 = 0 smoy= 0.777778 sline= 37 scol= 12 sblk= 37 "
                    "GridDif= 3 SolveDiff= 2 RefOK status= 8");
}

TEST_F(GridStatistics, ASingleVariantIsNamed) {
  grid.GridVar = kVarKillerSum;
  SolvedThenKeep(kSolution4, kSolution4);
  const int row = FindVariantRow(kVarKillerSum);
  ASSERT_GE(row, 0);
  EXPECT_EQ(Line(), "I= 0 N= 4 Full= 100.00% V1= " + std::to_string(row) +
                        " V= Killer Sum smoy= 0.000000 sline= 0 scol= 0 sblk= 0 GridDif= 3 SolveDiff= 2 "
                        "RefOK status= 3");
}

TEST_F(GridStatistics, SeveralVariantsAreShownAsTheirWords) {
  grid.GridVar = kVarKillerSum | kVarArrow;
  SolvedThenKeep(kSolution4, kSolution4);
  EXPECT_EQ(Line(), "I= 0 N= 4 Full= 100.00% V1= 4 V2 = 8 smoy= 0.000000 sline= 0 scol= 0 sblk= 0 "
                    "GridDif= 3 SolveDiff= 2 RefOK status= 3");
}

TEST_F(GridStatistics, TheReferenceIsJudged) {
  SolvedThenKeep("1234341221434312", "1200000000000000");
  EXPECT_NE(Line().find(" RefNotOK status= 8"), std::string::npos);
  SolvedThenKeep("1234341221434320", "1200000000000000");
  EXPECT_NE(Line().find(" RefEmpty status= 8"), std::string::npos);
}

TEST_F(GridStatistics, TheGridComesBackUntouchedWithoutAnUndoStep) {
  SolvedThenKeep(kSolution4, "1234340000000000");
  Line();
  EXPECT_EQ(grid.Cells[5].Value, 4);
  EXPECT_EQ(grid.Cells[6].Status, kStatusEmpty);
  EXPECT_EQ(grid.State, kGridOpen);
  EXPECT_EQ(grid.SudMissing, 10);
  EXPECT_EQ(grid.Cells[7].ThePoss, MaskOf({1, 2}));
  EXPECT_TRUE(host.MacroSteps.empty());
}

TEST_F(GridStatistics, NumbersKeepTheirPointInAFrenchLocale) {
  SolvedThenKeep(kSolution4, "1234340000000000");
  FrenchLocale french;
  if (!french.CLibraryIsFrench())
    GTEST_SKIP() << "no French locale";
  EXPECT_NE(Line().find("Full= 37.50% "), std::string::npos);
}

class SymmetryPattern : public ::testing::Test {
protected:
  RecordingHost host;
  ShapedContext s{kShape4, host};
  GridRecord &grid = s.Main();

  std::string Values() {
    std::string out;
    for (const CellRecord &cell : grid.PlayingCells(s.Ctx.Geo))
      out += static_cast<char>('0' + cell.Value);
    return out;
  }
};

TEST_F(SymmetryPattern, EachIndexReflectsTheValues) {
  const std::string start = "1200003000000004";
  const std::array<std::string, 5> expected = {"", "4000003000020001", "0004000000301200", "1000200003000004",
                                               "0021030000004000"};
  for (int index = 1; index <= 4; ++index) {
    LoadPuzzleLine(s.Ctx, grid, start);
    ASSERT_EQ(PickSymmetryPattern(s.Ctx, grid, index), 4);
    EXPECT_EQ(Values(), expected[index]) << index;
  }
}

TEST_F(SymmetryPattern, TheMainDiagonalTwiceRestoresTheGrid) {
  LoadPuzzleLine(s.Ctx, grid, "1200003000000004");
  SetCellValue(s.Ctx, grid, 2, 4, kActionPlace);
  host.Moves.clear();
  PickSymmetryPattern(s.Ctx, grid, 3);
  EXPECT_EQ(grid.Cells[8].Status, kStatusPlaced);
  PickSymmetryPattern(s.Ctx, grid, 3);
  EXPECT_EQ(Values(), "1240003000000004");
  EXPECT_EQ(grid.Cells[2].Status, kStatusPlaced);
  EXPECT_EQ(grid.Cells[0].Status, kStatusFixed);
  EXPECT_EQ(grid.Cells[7].ThePoss, MaskOf({1, 2}));
  EXPECT_TRUE(host.Moves.empty());
}

TEST_F(SymmetryPattern, IndexZeroOrADrawOfZeroChangesNothing) {
  LoadPuzzleLine(s.Ctx, grid, "1200003000000004");
  EXPECT_EQ(PickSymmetryPattern(s.Ctx, grid, 0), -1);
  EXPECT_EQ(PickSymmetryPattern(s.Ctx, grid, 5), -1);
  int unchanged = 0;
  int reflected = 0;
  s.Ctx.Random.Seed(5);
  for (int draw = 0; draw < 40; ++draw) {
    LoadPuzzleLine(s.Ctx, grid, "1200003000000004");
    const int result = PickSymmetryPattern(s.Ctx, grid, -1);
    if (result == 0) {
      ++unchanged;
      EXPECT_EQ(Values(), "1200003000000004");
    } else {
      EXPECT_EQ(result, 4);
      ++reflected;
    }
  }
  EXPECT_GT(unchanged, 0);
  EXPECT_GT(reflected, 0);
}

TEST(TwinsZoneCells, CountsOwnLinksAndTheLinksPointingHere) {
  ShapedContext s(kShape4);
  ResetGridSet(s.Ctx, 3);
  s.Main(0).Lists.TwinsZone.Append({.Block = 0, .OtherBlock = 1, .OtherGrid = 1});
  s.Main(0).Lists.TwinsZone.Append({.Block = 2, .OtherBlock = 2, .OtherGrid = 2});
  s.Main(2).Lists.TwinsZone.Append({.Block = 1, .OtherBlock = 3, .OtherGrid = 1});
  EXPECT_EQ(CountTwinsZoneCells(s.Ctx.Grids, s.Main(0)), 2);
  EXPECT_EQ(CountTwinsZoneCells(s.Ctx.Grids, s.Main(1)), 2);
  EXPECT_EQ(CountTwinsZoneCells(s.Ctx.Grids, s.Main(2)), 2);
}

} // namespace
