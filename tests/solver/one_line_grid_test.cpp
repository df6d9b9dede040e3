// Grids on one line: the size from the length, the characters of each value, and lines
// that are no grid.
#include "solver/one_line_grid.h"

#include <gtest/gtest.h>

#include "tests/solver/search_test_support.h"

namespace quorbel::test {
namespace {

class OneLineGrid : public ::testing::Test {
protected:
  EngineContext ctx;
};

TEST_F(OneLineGrid, TheLengthGivesTheSizeWithItsDefaultBlocks) {
  const std::pair<int, int> sizes[] = {{4, 2}, {6, 3}, {8, 4}, {9, 3}, {12, 4}, {16, 4}};
  for (const auto &[width, blockCols] : sizes) {
    EXPECT_EQ(LoadOneLineGrid(ctx, EmptyLine(width), 0), "");
    EXPECT_EQ(ctx.Geo.GridWidth, width);
    EXPECT_EQ(ctx.Geo.NCells, width * width);
    EXPECT_EQ(ctx.Geo.BlockCols, blockCols) << width;
  }
  EXPECT_EQ(OneLineGridWidth(80), 0);
}

TEST_F(OneLineGrid, ValuesAboveNineFollowTheDigits) {
  std::string line = EmptyLine(16);
  line[0] = ':';  // 10
  line[17] = '@'; // 16
  line[34] = '.';
  line[51] = '9';
  ASSERT_EQ(LoadOneLineGrid(ctx, line + "\r\n", 0), "");
  const GridRecord &grid = ctx.Grids.Main[0];
  EXPECT_EQ(grid.Cells[0].Value, 10);
  EXPECT_EQ(grid.Cells[0].Status, kStatusFixed);
  EXPECT_EQ(grid.Cells[17].Value, 16);
  EXPECT_EQ(grid.Cells[34].Status, kStatusEmpty);
  EXPECT_EQ(grid.Cells[51].Value, 9);
  line[34] = '0';
  EXPECT_EQ(OneLineOfGrid(ctx, grid), line);
}

TEST_F(OneLineGrid, ALineThatIsNoGridChangesNothing) {
  ASSERT_EQ(LoadOneLineGrid(ctx, kSolvedNine, 0), "");
  EXPECT_NE(LoadOneLineGrid(ctx, std::string(kSolvedNine).substr(1), 0), "");
  std::string wrong = EmptyLine(4);
  wrong[5] = '5'; // beyond a 4-wide grid
  const std::string error = LoadOneLineGrid(ctx, wrong, 0);
  EXPECT_NE(error.find("cell 6"), std::string::npos) << error;
  EXPECT_NE(LoadOneLineGrid(ctx, kSolvedNine, kMaxGrids), "");
  EXPECT_EQ(ctx.Geo.GridWidth, 9);
  EXPECT_EQ(OneLineOfGrid(ctx, ctx.Grids.Main[0]), kSolvedNine);
}

TEST_F(OneLineGrid, RecognisesTheCatalogueHeader) {
  EXPECT_TRUE(IsOneLineHeader("Quorbel Mode MiniS"));
  EXPECT_TRUE(IsOneLineHeader("Quorbel Mode MiniS v1\r"));
  EXPECT_FALSE(IsOneLineHeader("Quorbel Mode Texte"));
}

} // namespace
} // namespace quorbel::test
