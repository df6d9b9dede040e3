// The clipboard's block of cells: written in each symbol mode, and read back from texts of other
// programs (blanks, lower case, strangers, too many rows).
#include "view/clipboard_text.h"

#include <gtest/gtest.h>

#include "engine/geometry.h"
#include "engine/grid_record.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

TEST(ClipboardText, ABlockIsWrittenRowByRowFromItsFirstCell) {
  test::ShapedContext shaped(ShapeCodeOfSize(9));
  test::LoadPuzzleLine(shaped.Ctx, shaped.Main(),
                       "400000085000008003087093010000002004305001070000000000600000000070109200102607000");
  // Cells 7, 8 (row 0) and 16, 17 (row 1): 8 5 / "" 3.
  const std::vector<int> cells{17, 7, 16, 8};
  EXPECT_EQ(CellBlockText(shaped.Main(), shaped.Ctx.Geo, cells, kSymbolDigits), "8\t5\r\n\t3\r\n");
  EXPECT_EQ(CellBlockText(shaped.Main(), shaped.Ctx.Geo, cells, kSymbolLetters), "H\tE\r\n\tC\r\n");
  EXPECT_EQ(ClipboardSymbol(12, kSymbolMixed), "C");
  EXPECT_EQ(ClipboardSymbol(0, kSymbolDigits), "");
}

TEST(ClipboardText, PastedTextsAreReadInTheSymbolMode) {
  const PasteTable digits = ParsePasteText("8\t5\r\n\t3 x 9\r\n", kSymbolDigits, 9);
  EXPECT_EQ(digits.Values[0][0], 8);
  EXPECT_EQ(digits.Values[0][1], 5);
  EXPECT_EQ(digits.Values[1][1], 3);
  EXPECT_EQ(digits.Values[1][2], -1); // a stranger leaves nothing
  EXPECT_EQ(digits.Values[1][3], 9);
  EXPECT_EQ(digits.Count, 4);
  EXPECT_EQ(digits.LastRow, 1);
  EXPECT_EQ(digits.LastColumn, 3);

  EXPECT_EQ(ParsePasteText("a\tp", kSymbolLetters, 16).Values[0][1], 16);
  EXPECT_EQ(ParsePasteText("a", kSymbolMixed, 16).Values[0][0], 10);
  EXPECT_EQ(ParsePasteText("9", kSymbolDigits, 4).Count, 0); // beyond the grid's width
  EXPECT_EQ(ParsePasteText("12", kSymbolPictures, 9).Count, 0);

  std::string tall;
  for (int row = 0; row < 20; ++row)
    tall += "1\n";
  EXPECT_EQ(ParsePasteText(tall, kSymbolDigits, 9).Count, kPasteSide);
  EXPECT_EQ(ParsePasteText(std::string(40, '\t') + "7", kSymbolDigits, 9).Values[0][kPasteSide - 1], 7);
}

} // namespace
} // namespace quorbel
