// The view's selection record and its status-pane texts.
#include <gtest/gtest.h>

#include "tests/engine/engine_test_support.h"
#include "view/selection_list.h"
#include "view/status_texts.h"

namespace quorbel {
namespace {

class SelectionListTest : public ::testing::Test {
protected:
  test::ShapedContext shaped_{5};
  SelectionList selection_;
  GridSet &Set() { return shaped_.Ctx.Grids; }
};

TEST_F(SelectionListTest, FocusCellIsTheOneSelectedPair) {
  SetFocusCell(selection_, Set(), shaped_.Ctx.Geo, 40, 0);
  EXPECT_EQ(selection_.Count, 1);
  EXPECT_EQ(FindSelection(selection_, 40, 0), 0);
  EXPECT_EQ(FindSelection(selection_, 40, 1), -1);
  EXPECT_EQ(Set().FocusCell, 40);
  EXPECT_EQ(selection_.Anchor, (SelectionPair{40, 0}));
}

TEST_F(SelectionListTest, ACellOutsideTheRecordsEmptiesTheSelection) {
  SetFocusCell(selection_, Set(), shaped_.Ctx.Geo, 40, 0);
  SetFocusCell(selection_, Set(), shaped_.Ctx.Geo, shaped_.Ctx.Geo.CellLimit, 0);
  EXPECT_EQ(selection_.Count, 0);
  EXPECT_EQ(Set().FocusCell, kNoFocusCell);
  SetFocusCell(selection_, Set(), shaped_.Ctx.Geo, kFocusMessagePanel, 3);
  EXPECT_EQ(Set().FocusCell, kFocusMessagePanel);
  EXPECT_EQ(Set().FocusGrid, 0);
  EXPECT_EQ(FindSelection(selection_, kFocusMessagePanel, 3), -1);
}

TEST_F(SelectionListTest, ClearingForgetsPairsAnchorAndFocus) {
  SetFocusCell(selection_, Set(), shaped_.Ctx.Geo, 12, 0);
  ClearSelection(selection_, Set());
  EXPECT_EQ(selection_.Count, 0);
  EXPECT_EQ(selection_.Anchor.Cell, kNoFocusCell);
  EXPECT_EQ(Set().FocusCell, kNoFocusCell);
}

TEST(StatusTextsTest, SymbolRangeOfEachMode) {
  EXPECT_EQ(SymbolRangeText(9, kSymbolDigits), "1...9");
  EXPECT_EQ(SymbolRangeText(16, kSymbolLetters), "A...P");
  EXPECT_EQ(SymbolRangeText(12, kSymbolMixed), "1...C");
  EXPECT_EQ(SymbolRangeText(6, kSymbolMixed), "1...6");
  EXPECT_EQ(SymbolRangeText(9, kSymbolPictures), "Image");
  EXPECT_EQ(SymbolRangeText(0, kSymbolDigits), "");
}

} // namespace
} // namespace quorbel
