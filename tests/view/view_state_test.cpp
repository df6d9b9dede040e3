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

TEST_F(SelectionListTest, CtrlClicksToggleCellsAndTheFocusFollowsTheFirstPair) {
  EXPECT_EQ(AddCellToSelection(selection_, Set(), 10, 0), 1);
  EXPECT_EQ(Set().FocusCell, 10);
  EXPECT_EQ(AddCellToSelection(selection_, Set(), 20, 0), 2);
  EXPECT_EQ(AddCellToSelection(selection_, Set(), 30, 1), 3);
  EXPECT_EQ(selection_.Multi, 1);
  EXPECT_EQ(selection_.Anchor, (SelectionPair{30, 1}));
  EXPECT_EQ(Set().FocusCell, 10); // a later pair does not take the focus

  // Removing the focus pair hands the focus to the next one; the anchor stays elsewhere.
  EXPECT_EQ(AddCellToSelection(selection_, Set(), 10, 0), 2);
  EXPECT_EQ(FindSelection(selection_, 10, 0), -1);
  EXPECT_EQ(Set().FocusCell, 20);
  EXPECT_EQ(selection_.Anchor, (SelectionPair{30, 1}));
  // Removing the anchor pair forgets the anchor; the last pair gone leaves no focus.
  EXPECT_EQ(RemoveFromSelection(selection_, Set(), 30, 1), 1);
  EXPECT_EQ(selection_.Anchor.Cell, kNoFocusCell);
  EXPECT_EQ(selection_.Multi, 0);
  EXPECT_EQ(RemoveFromSelection(selection_, Set(), 30, 1), 0);
  EXPECT_EQ(RemoveFromSelection(selection_, Set(), 20, 0), 1);
  EXPECT_EQ(selection_.Count, 0);
  EXPECT_EQ(Set().FocusCell, kNoFocusCell);
}

TEST_F(SelectionListTest, TheSelectionHoldsAtMost256Pairs) {
  for (int i = 0; i < 300; ++i)
    AddCellToSelection(selection_, Set(), i % 81, i / 81);
  EXPECT_EQ(selection_.Count, kMaxSelection);
  EXPECT_EQ(FindSelection(selection_, 255 % 81, 255 / 81), 255);
  EXPECT_EQ(FindSelection(selection_, 256 % 81, 256 / 81), -1);
}

TEST_F(SelectionListTest, ShiftClickAddsTheRectangleFromTheAnchor) {
  const GridGeometry &geo = shaped_.Ctx.Geo;
  SetFocusCell(selection_, Set(), geo, 40, 0);        // row 4, column 4
  AddRangeToSelection(selection_, Set(), geo, 30, 0); // row 3, column 3
  EXPECT_EQ(selection_.Count, 4);
  for (int cell : {30, 31, 39, 40})
    EXPECT_GE(FindSelection(selection_, cell, 0), 0) << cell;
  EXPECT_EQ(selection_.Anchor, (SelectionPair{30, 0}));
  EXPECT_EQ(Set().FocusCell, 40);
  // The range never toggles a cell off; it runs from the new anchor.
  AddRangeToSelection(selection_, Set(), geo, 32, 0);
  EXPECT_EQ(selection_.Count, 5);
  EXPECT_GE(FindSelection(selection_, 31, 0), 0);
}

TEST_F(SelectionListTest, ShiftClickWithoutAnchorTogglesTheCell) {
  const GridGeometry &geo = shaped_.Ctx.Geo;
  AddRangeToSelection(selection_, Set(), geo, 12, 0);
  EXPECT_EQ(selection_.Count, 1);
  AddRangeToSelection(selection_, Set(), geo, 12, 0); // the anchor itself: toggled off
  EXPECT_EQ(selection_.Count, 0);
  // A clue cell outside the playing cells is toggled alone.
  SetFocusCell(selection_, Set(), geo, 0, 0);
  AddRangeToSelection(selection_, Set(), geo, geo.RowUnitBase + 2, 0);
  EXPECT_EQ(selection_.Count, 2);
}

TEST_F(SelectionListTest, SortingOrdersCellsWithinTheEarlierGrids) {
  AddCellToSelection(selection_, Set(), 5, 1);
  AddCellToSelection(selection_, Set(), 3, 0);
  AddCellToSelection(selection_, Set(), 7, 0);
  SortSelection(selection_);
  EXPECT_EQ(selection_.Pairs[0], (SelectionPair{3, 0}));
  EXPECT_EQ(selection_.Pairs[1], (SelectionPair{5, 1}));
  EXPECT_EQ(selection_.Pairs[2], (SelectionPair{7, 0}));
}

TEST_F(SelectionListTest, SortingByTheSolutionKeepsEqualValuesInOrder) {
  GridRecord &reference = Set().RefTab[0];
  reference.Cells[4].Value = 9;
  reference.Cells[6].Value = 2;
  reference.Cells[8].Value = 2;
  reference.Cells[9].Value = 1;
  for (int cell : {4, 8, 6, 9})
    AddCellToSelection(selection_, Set(), cell, 0);
  SortSelectionByReference(selection_, Set());
  EXPECT_EQ(selection_.Pairs[0].Cell, 9);
  EXPECT_EQ(selection_.Pairs[1].Cell, 8);
  EXPECT_EQ(selection_.Pairs[2].Cell, 6);
  EXPECT_EQ(selection_.Pairs[3].Cell, 4);
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
