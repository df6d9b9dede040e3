#include <gtest/gtest.h>

#include <string>

#include "engine/engine_settings.h"
#include "engine/irregular_block_file.h"

using namespace quorbel;

namespace {

// A 4 x 4 layout whose regions are not the 2 x 2 blocks.
constexpr int kJigsaw4[16] = {0, 0, 0, 1, 2, 0, 1, 1, 2, 2, 3, 1, 2, 3, 3, 3};

RegionLayout Jigsaw4() {
  RegionLayout layout;
  layout.Width = 4;
  for (int i = 0; i < 16; ++i)
    layout.Region[i] = static_cast<int8_t>(kJigsaw4[i]);
  return layout;
}

// Blocks of blockRows x blockCols as region numbers.
RegionLayout Blocks(int width, int blockRows, int blockCols) {
  RegionLayout layout;
  layout.Width = width;
  for (int r = 0; r < width; ++r)
    for (int c = 0; c < width; ++c)
      layout.Region[r * width + c] =
          static_cast<int8_t>((r / blockRows) * (width / blockCols) + c / blockCols);
  return layout;
}

// A 9 x 9 layout under `header` whose last row is `lastRow`.
std::string NineRows(const std::string &lastRow, const std::string &header = "G;9;") {
  std::string text = header + "\n";
  const RegionLayout blocks = Blocks(9, 3, 3);
  for (int r = 0; r < 8; ++r) {
    text += "B;";
    for (int c = 0; c < 9; ++c)
      text += std::to_string(blocks.At(r, c)) + ";";
    text += "\n";
  }
  return text + lastRow + "\n";
}

} // namespace

TEST(IrregularBlockText, WrittenLayoutsReadBackTheSameAtEveryWidth) {
  const RegionLayout layouts[] = {Jigsaw4(),       Blocks(6, 2, 3),  Blocks(8, 4, 2),
                                  Blocks(9, 3, 3), Blocks(12, 3, 4), Blocks(16, 4, 4)};
  std::string file = "; a remark line\r\n";
  for (const RegionLayout &layout : layouts)
    file += FormatLayout(layout);
  for (const RegionLayout &layout : layouts) {
    ASSERT_EQ(CountLayouts(file, layout.Width), 1) << layout.Width;
    const BlockFileRead read = ReadLayout(file, layout.Width, 0);
    ASSERT_TRUE(read.Ok()) << DescribeBlockFileProblem(read, "f", layout.Width, kLanguageEnglish);
    EXPECT_EQ(read.Layout, layout);
  }
}

TEST(IrregularBlockText, TheWriterFramesEachLayoutWithEmptyLinesAndEndsRowsWithCrLf) {
  EXPECT_EQ(FormatLayout(Jigsaw4()),
            "\r\nG;4;\r\nB;0;0;0;1;\r\nB;2;0;1;1;\r\nB;2;2;3;1;\r\nB;2;3;3;3;\r\n\r\n");
}

TEST(IrregularBlockText, CountsLayoutsPerWidthAndTellsThemApartByHeader) {
  const std::string file = FormatLayout(Blocks(9, 3, 3)) + FormatLayout(Blocks(6, 3, 2)) +
                           FormatLayout(Blocks(9, 3, 3)) + NineRows("B;6;6;6;7;7;7;8;8;8;", "G;12;");
  EXPECT_EQ(CountLayouts(file, 9), 2);
  EXPECT_EQ(CountLayouts(file, 6), 1);
  EXPECT_EQ(CountLayouts(file, 4), 0);
  // The 12 header's rows are a 9 x 9 layout: read as size 12 they are refused, and they
  // are never one of the size 9 layouts.
  EXPECT_EQ(CountLayouts(file, 12), 1);
  EXPECT_EQ(ReadLayout(file, 12, 0).Problem, BlockFileProblem::FieldCount);
  EXPECT_EQ(ReadLayout(file, 9, 2).Problem, BlockFileProblem::NoLayout);
  EXPECT_TRUE(ReadLayout(file, 9, 1).Ok());
}

TEST(IrregularBlockText, AcceptsLinesWithoutCarriageReturnsAndWithoutTheLastSemicolon) {
  const BlockFileRead read = ReadLayout("G;4;\nB;0;0;0;1\nB;2;0;1;1;\nB;2;2;3;1\nB;2;3;3;3;", 4, 0);
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.Layout, Jigsaw4());
}

class IrregularBlockRefusal : public ::testing::Test {
protected:
  static BlockFileRead Read(const std::string &text) { return ReadLayout(text, 9, 0); }
};

TEST_F(IrregularBlockRefusal, AFileEndingInsideALayoutIsRefusedAtItsHeader) {
  std::string text = std::string("\n").append(NineRows("B;6;6;6;7;7;7;8;8;8;"));
  text.erase(text.find("B;3;3;3"));
  const BlockFileRead read = Read(text);
  EXPECT_EQ(read.Problem, BlockFileProblem::Truncated);
  EXPECT_EQ(read.Line, 2);
  EXPECT_EQ(read.Layout, RegionLayout{});
}

TEST_F(IrregularBlockRefusal, RegionNumbersOutsideTheWidthAreRefusedWithTheirLine) {
  for (const std::string row : {"B;6;6;6;7;7;7;8;8;9;", "B;6;6;6;7;7;7;8;8;-1;", "B;6;6;6;7;7;7;8;8;300;"}) {
    const BlockFileRead read = Read(NineRows(row));
    EXPECT_EQ(read.Problem, BlockFileProblem::OutOfRange) << row;
    EXPECT_EQ(read.Line, 10) << row;
    EXPECT_EQ(read.Layout, RegionLayout{}) << row;
  }
}

TEST_F(IrregularBlockRefusal, MalformedRowsAreRefused) {
  EXPECT_EQ(Read(NineRows("B;6;6;6;7;7;7;8;8;")).Problem, BlockFileProblem::FieldCount);
  EXPECT_EQ(Read(NineRows("B;6;6;6;7;7;7;8;8;8;8;")).Problem, BlockFileProblem::FieldCount);
  EXPECT_EQ(Read(NineRows("B;6;6;6;7;7;;8;8;8;")).Problem, BlockFileProblem::NotANumber);
  EXPECT_EQ(Read(NineRows("B;6;6;6;7;7;x;8;8;8;")).Problem, BlockFileProblem::NotANumber);
  EXPECT_EQ(Read(NineRows("")).Problem, BlockFileProblem::NotARow);
  EXPECT_EQ(Read(NineRows("G;9;")).Problem, BlockFileProblem::NotARow);
}

TEST_F(IrregularBlockRefusal, RegionsOfTheWrongSizeAreRefused) {
  // Region 7 takes a cell of region 8.
  const BlockFileRead read = Read(NineRows("B;6;6;6;7;7;7;7;8;8;"));
  EXPECT_EQ(read.Problem, BlockFileProblem::RegionSize);
  EXPECT_EQ(read.Value, 7);
}

TEST_F(IrregularBlockRefusal, TheMessageSaysWhatAndWhereInBothLanguages) {
  const BlockFileRead read = Read(NineRows("B;6;6;6;7;7;7;8;8;12;"));
  EXPECT_EQ(DescribeBlockFileProblem(read, "IRGBlk.dat", 9, kLanguageEnglish),
            "Irregular blocks: IRGBlk.dat line 10: region number 12 is outside 0..8");
  EXPECT_EQ(DescribeBlockFileProblem(read, "IRGBlk.dat", 9, kLanguageFrench),
            "Blocs irréguliers : IRGBlk.dat ligne 10 : le numéro de région 12 sort de 0..8");
}
