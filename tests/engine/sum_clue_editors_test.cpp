#include "engine/sum_clue_editors.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/little_killer_line.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape9 = 5;

class SumClueEditors : public ::testing::Test {
protected:
  SumClueEditors() {
    for (int c = 0; c < geo.NCells; ++c)
      solution.Cells[c].Value = c % 9 + 1;
  }
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  GridRecord &solution = s.Ctx.Grids.RefTab[0];
  const GridGeometry &geo = s.Ctx.Geo;
};

TEST_F(SumClueEditors, EachToggleGivenTwiceRestoresItsList) {
  const VariantLists before = grid.Lists;
  const std::array<int, 3> cells = {10, 11, 12};
  EXPECT_EQ(ToggleLittleKillerClue(geo, -1, 4, grid, 0, solution), 1);
  EXPECT_EQ(ToggleLittleKillerClue(geo, -1, 4, grid, 0, solution), 0);
  EXPECT_EQ(ToggleKillerCage(geo, grid, cells, 0, solution), 1);
  EXPECT_EQ(ToggleKillerCage(geo, grid, std::array{12}, 0, solution), 0); // any cell of it
  EXPECT_EQ(ToggleArrow(grid, cells), 1);
  EXPECT_EQ(ToggleArrow(grid, std::array{12, 10, 11}), 0);
  EXPECT_EQ(ToggleMagicSquare(grid, std::array{0, 1, 9, 10}), 1);
  EXPECT_EQ(grid.Cells[9].MarkerState, -2);
  EXPECT_EQ(ToggleMagicSquare(grid, std::array{0, 1, 9, 10}), 0);
  EXPECT_TRUE(grid.Lists == before);
}

TEST_F(SumClueEditors, ACreasingLineStepsThroughItsKindsThenGoes) {
  const std::array<int, 3> cells = {0, 1, 2};
  EXPECT_EQ(ToggleCreasingLine(grid, cells, 1), 1);
  EXPECT_EQ(ToggleCreasingLine(grid, cells, 1), 1);
  EXPECT_EQ(grid.Lists.Creasing.Items[0].Kind, 2);
  EXPECT_EQ(ToggleCreasingLine(grid, cells, 0), 1);
  EXPECT_EQ(grid.Lists.Creasing.Items[0].Kind, 0);
  ToggleCreasingLine(grid, cells, 3);
  EXPECT_EQ(ToggleCreasingLine(grid, cells, 3), 0);
  EXPECT_EQ(grid.Lists.Creasing.Size(), 0);
  ToggleCreasingLine(grid, cells, 0);
  EXPECT_EQ(ToggleCreasingLine(grid, std::array{2, 3}, 0), 0); // shares a cell: removes the line
  EXPECT_EQ(grid.Lists.Creasing.Size(), 0);
}

TEST_F(SumClueEditors, AFullListOrAnOversizedItemIsRefusedAndNothingChanges) {
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(ToggleKillerCage(geo, grid, std::array{i * 2}, 0, solution), 1);
  const VariantLists full = grid.Lists;
  EXPECT_EQ(ToggleKillerCage(geo, grid, std::array{79}, 0, solution), 0);
  EXPECT_TRUE(grid.Lists == full);
  std::array<int, 11> eleven{};
  for (int k = 0; k < 11; ++k)
    eleven[k] = 81 - 11 + k;
  grid.Lists.Killer.Clear();
  EXPECT_EQ(ToggleKillerCage(geo, grid, eleven, 0, solution), 0);
  EXPECT_EQ(ToggleArrow(grid, eleven), 0);
  EXPECT_EQ(ToggleCreasingLine(grid, eleven, 0), 0);
  EXPECT_EQ(ToggleMagicSquare(grid, std::array{0, 1, 2}), 0);
  EXPECT_TRUE(grid.Lists.Killer.Size() == 0 && grid.Lists.Arrows.Size() == 0 &&
              grid.Lists.Creasing.Size() == 0);
}

TEST_F(SumClueEditors, ACageTakesItsSortedCellsAndTheirSolutionTotal) {
  ToggleKillerCage(geo, grid, std::array{3, 1, 2}, 0, solution);
  ToggleKillerCage(geo, grid, std::array{20, 21}, 1, solution);
  const KillerCage &sum = grid.Lists.Killer.Items[0];
  EXPECT_EQ(sum.Target, 2 + 3 + 4);
  EXPECT_EQ(sum.Cells[0], 1);
  EXPECT_EQ(sum.Cells[2], 3);
  EXPECT_EQ(grid.Lists.Killer.Items[1].Target, 3 * 4);
  EXPECT_EQ(CageOfCell(grid, 21), 1);
  EXPECT_EQ(CageOfCell(grid, 22), -1);
}

TEST_F(SumClueEditors, LittleKillerLinesFollowOneDiagonalFromEdgeToEdge) {
  // A pair off one diagonal, even one whose index difference is a multiple of a step, is refused.
  EXPECT_EQ(ToggleLittleKillerClue(geo, 8, 18, grid, 0, solution), 0); // 10 apart, but round a row end
  EXPECT_EQ(ToggleLittleKillerClue(geo, 0, 5, grid, 0, solution), 0);
  // Every side and position gives its own clue: 4 x 9 clues, none a repeat.
  std::set<std::pair<int, int>> seen;
  for (int side = 0; side < 4; ++side)
    for (int position = 0; position < 9; ++position) {
      const DiagonalEnds ends = LittleKillerClueOfSide(geo, side, position);
      ASSERT_GE(ends.First, 0);
      EXPECT_TRUE(seen.insert({ends.First, ends.Last}).second) << side << " " << position;
      EXPECT_EQ(ToggleLittleKillerClue(geo, ends.First, ends.Last, grid, 0, solution), 1);
    }
  EXPECT_EQ(grid.Lists.LittleKiller.Size(), 36);
  // The top side's corner clue runs the whole anti-diagonal, down to the bottom-left corner.
  const DiagonalEnds corner = LittleKillerClueOfSide(geo, 0, 8);
  EXPECT_EQ(corner.First, 72);
  EXPECT_EQ(corner.Last, 8);
  EXPECT_EQ(LittleKillerClueOfEdgeCell(geo, 8).First, 72);
  EXPECT_EQ(LittleKillerClueOfEdgeCell(geo, 40).First, -1); // not on an edge
}

TEST_F(SumClueEditors, ALittleKillerTargetComesFromTheSolutionReducedByKimo) {
  ToggleLittleKillerClue(geo, 72, 8, grid, 0, solution); // values 1..9 on the anti-diagonal
  EXPECT_EQ(grid.Lists.LittleKiller.Items[0].Target, 45);
  EXPECT_EQ(grid.Lists.LittleKiller.Items[0].NCells, 9);
  grid.GridVar |= kVarKimo;
  grid.Lists.KimoModulus = 10;
  ToggleLittleKillerClue(geo, 0, 80, grid, 0, solution);
  EXPECT_EQ(grid.Lists.LittleKiller.Items[1].Target, 45 % 10);
  ToggleLittleKillerClue(geo, 9, 17, grid, 12, solution); // not a diagonal: refused
  EXPECT_EQ(grid.Lists.LittleKiller.Size(), 2);
}

} // namespace
