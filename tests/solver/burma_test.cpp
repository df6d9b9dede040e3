// Burma, the fish search, on an empty 9x9 grid whose candidates for 1 are set by hand.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/method_record.h"
#include "method_test_support.h"
#include "solver/burma.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

constexpr uint32_t kOne = 1u;

class FishPosition : public ::testing::Test {
protected:
  // Row `row` keeps 1 only in `cols`.
  void KeepOneOnlyIn(int row, std::initializer_list<int> cols) {
    for (int col = 0; col < 9; ++col)
      if (std::find(cols.begin(), cols.end(), col) == cols.end())
        p.SetCandidates(CellAt(row, col), p.Cell(CellAt(row, col)).ThePoss & ~kOne);
  }
  // The cells that lost 1, against a grid that was never touched.
  std::vector<int> CellsWithoutOne() {
    std::vector<int> cells;
    for (int cell = 0; cell < 81; ++cell)
      if ((p.Cell(cell).ThePoss & kOne) == 0)
        cells.push_back(cell);
    return cells;
  }
  // The cells already without 1, and the cover columns outside the base rows.
  std::vector<int> Expected(std::initializer_list<int> baseRows, std::initializer_list<int> cols) {
    std::vector<int> cells;
    for (int row = 0; row < 9; ++row)
      for (int col = 0; col < 9; ++col) {
        const bool baseRow = std::find(baseRows.begin(), baseRows.end(), row) != baseRows.end();
        const bool coverCol = std::find(cols.begin(), cols.end(), col) != cols.end();
        if ((p.Cell(CellAt(row, col)).ThePoss & kOne) == 0 || (coverCol && !baseRow))
          cells.push_back(CellAt(row, col));
      }
    return cells;
  }
  PuzzleContext p{std::string(81, '0')};
};

TEST_F(FishPosition, TwoRowsSharingTwoColumnsClearThoseColumns) {
  KeepOneOnlyIn(1, {2, 6});
  KeepOneOnlyIn(5, {2, 6});
  const std::vector<int> expected = Expected({1, 5}, {2, 6});
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), BurmaSizesOfMask(BurmaSizeBit(2))), 1);
  EXPECT_EQ(CellsWithoutOne(), expected);
  for (int col : {2, 6}) {
    EXPECT_NE(p.Cell(CellAt(1, col)).ThePoss & kOne, 0u); // the base rows keep their places
    EXPECT_NE(p.Cell(CellAt(5, col)).ThePoss & kOne, 0u);
  }
  EXPECT_EQ(p.Cell(CellAt(0, 2)).NPoss, 8);
}

TEST_F(FishPosition, ThreeRowsNeedSizeThree) {
  KeepOneOnlyIn(1, {0, 4});
  KeepOneOnlyIn(4, {4, 8});
  KeepOneOnlyIn(7, {0, 8});
  const std::vector<int> before = CellsWithoutOne();
  const std::vector<int> expected = Expected({1, 4, 7}, {0, 4, 8});
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), BurmaSizesOfMask(BurmaSizeBit(2))), 0);
  EXPECT_EQ(CellsWithoutOne(), before);
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), BurmaSizesOfMask(BurmaSizeBit(3))), 1);
  EXPECT_EQ(CellsWithoutOne(), expected);
}

// Blocks 0 and 3 keep 1 in two cells each, all in columns 0 and 1: only the pattern of blocks
// covered by columns sees that those columns take 1 nowhere else.
TEST_F(FishPosition, TwoBlocksWithinTwoColumnsClearThoseColumnsBelow) {
  const std::vector<int> keep = {CellAt(0, 0), CellAt(1, 1), CellAt(3, 0), CellAt(4, 1)};
  std::vector<int> expected;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 3; ++col) {
      const int cell = CellAt(row, col);
      const bool inBaseBlock = row < 6;
      if (std::find(keep.begin(), keep.end(), cell) != keep.end())
        continue;
      if (inBaseBlock)
        p.SetCandidates(cell, p.Cell(cell).ThePoss & ~kOne);
      if (inBaseBlock || col < 2)
        expected.push_back(cell);
    }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), BurmaSizesOfMask(BurmaSizeBit(2))), 1);
  EXPECT_EQ(CellsWithoutOne(), expected);
}

TEST_F(FishPosition, NoSizeNoSearch) {
  KeepOneOnlyIn(1, {2, 6});
  KeepOneOnlyIn(5, {2, 6});
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), 0), 0);
}

TEST_F(FishPosition, TheDriverRecordsBurmaAndGoesOn) {
  KeepOneOnlyIn(1, {2, 6});
  KeepOneOnlyIn(5, {2, 6});
  const std::vector<int> expected = Expected({1, 5}, {2, 6});
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskBurma | BurmaSizeBit(2), p.Grid(), 1, 0, -1, 0), kSolveStopped);
  EXPECT_EQ(p.Ctx->Methods.MethodsUsed, kMethodBurma);
  EXPECT_EQ(CellsWithoutOne(), expected);
}

// The pattern is complete before the search first polls.
TEST_F(FishPosition, ThePlayersAbortStopsTheSearchAndKeepsWhatWasRemoved) {
  KeepOneOnlyIn(1, {2, 6});
  KeepOneOnlyIn(5, {2, 6});
  const std::vector<int> expected = Expected({1, 5}, {2, 6});
  p.Host.Polls = 0;
  p.Host.Abort = true;
  EXPECT_EQ(ApplyBurma(*p.Ctx, p.Grid(), BurmaSizesOfMask(kMaskBurmaSizes)), 1);
  EXPECT_EQ(p.Host.Polls, 1);
  EXPECT_EQ(CellsWithoutOne(), expected);
}

} // namespace
} // namespace quorbel::test
