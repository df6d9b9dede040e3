// Window points to the board's parts: cells of the shown grids, the message panel, grid tabs,
// number-bar slots and their corners, legend lines and the small value boxes inside cells.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"
#include "view/hit_test.h"

namespace quorbel {
namespace {

int32_t CentreX(const CellRect &r) { return (r.left + r.right) / 2; }
int32_t CentreY(const CellRect &r) { return (r.top + r.bottom) / 2; }

class HitTestTest : public ::testing::Test {
protected:
  void LayOut(int grids) {
    SetGridShape(ctx_, 5, 1, 0);
    if (grids > 1)
      ResetGridSet(ctx_, grids);
    layout_ = LayOutView(
        {.ClientW = 1000, .ClientH = 700, .General = general_, .GridCount = grids, .GridWidth = 9});
    const GridTiling tiling = ChooseTiling(grids, layout_.Board.Width(), layout_.Board.Height());
    const GridLayoutInputs in{ctx_.Geo, general_, kSymbolDigits, kAllVariantsShown};
    for (int slot = 0; slot < grids; ++slot) {
      CGridDraw &painter = painters_[static_cast<size_t>(slot)];
      painter.Slot = slot;
      AttachGrid(painter, ctx_.Grids);
      painter.BoardRect = TileRect(tiling, slot, grids, layout_.Board);
      ComputeMargins(painter, in);
      ComputeCellRects(painter, in);
    }
  }
  CellHit At(int slot, int cell, bool clueNavigation = false) {
    const CellRect &box = painters_[static_cast<size_t>(slot)].OuterRect[static_cast<size_t>(cell)];
    return HitTestCell(layout_, painters_, ctx_.Grids, ctx_.Geo, clueNavigation, CentreX(box), CentreY(box));
  }

  EngineContext ctx_;
  GeneralSettings general_ = DefaultSettings().general;
  ViewLayout layout_;
  std::array<CGridDraw, kMaxGrids> painters_{};
};

TEST_F(HitTestTest, ACellCentreHitsThatCellOfItsGrid) {
  LayOut(2);
  EXPECT_EQ(At(0, 40), (CellHit{40, 0}));
  EXPECT_EQ(At(1, 80), (CellHit{80, 1}));
  EXPECT_EQ(HitTestCell(layout_, painters_, ctx_.Grids, ctx_.Geo, false, CentreX(layout_.Message),
                        CentreY(layout_.Message)),
            (CellHit{kFocusMessagePanel, -1}));
  EXPECT_EQ(HitTestCell(layout_, painters_, ctx_.Grids, ctx_.Geo, false, layout_.Side.left + 1,
                        layout_.Side.top + 1),
            CellHit{});
  // A grid taken out of the display order is not hit.
  ctx_.Grids.OrderCount = 1;
  EXPECT_EQ(At(1, 80), CellHit{});
}

TEST_F(HitTestTest, ACellsRightAndBottomEdgesBelongToTheNextCell) {
  LayOut(1);
  const CellRect box = painters_[0].OuterRect[40];
  const auto hit = [&](int32_t x, int32_t y) {
    return HitTestCell(layout_, painters_, ctx_.Grids, ctx_.Geo, false, x, y).Cell;
  };
  EXPECT_EQ(hit(box.right - 1, CentreY(box)), 40);
  EXPECT_NE(hit(box.right, CentreY(box)), 40);
  EXPECT_EQ(hit(CentreX(box), box.bottom - 1), 40);
  EXPECT_NE(hit(CentreX(box), box.bottom), 40);
  EXPECT_EQ(hit(box.left, box.top), 40);
}

TEST_F(HitTestTest, ClueCellsAndTheNumberBarRecordAreReachedOnlyWithClueNavigation) {
  general_.displayLines = 1;
  LayOut(1);
  for (int record : {ctx_.Geo.RowUnitBase, ctx_.Geo.ColUnitBase + 3, ctx_.Geo.NumberBar()}) {
    ASSERT_TRUE(painters_[0].OuterRect[static_cast<size_t>(record)].IsShown()) << record;
    EXPECT_EQ(At(0, record).Cell, -1) << record;
    EXPECT_EQ(At(0, record, true).Cell, record);
  }
  EXPECT_EQ(NavigableRecords(ctx_.Geo, true), ctx_.Geo.CellLimit);
  EXPECT_EQ(NavigableRecords(ctx_.Geo, false), ctx_.Geo.NCells);
}

TEST_F(HitTestTest, GridTabsAreFoundByTheirBoxes) {
  const std::vector<GridTab> tabs = LayOutGridTabs({0, 0, 20, 600}, 3, {true, false, false});
  EXPECT_EQ(HitTestGridTab(tabs, 10, CentreY(tabs[2].Box)), 2);
  EXPECT_EQ(HitTestGridTab(tabs, 10, tabs[3].Box.bottom + 5), -1);
  EXPECT_EQ(HitTestGridTab(tabs, 30, 5), -1);
}

TEST_F(HitTestTest, TheNumberBarNamesValuesButtonsAndTheGapsBetween) {
  LayOut(1);
  ASSERT_TRUE(layout_.NumberBarShown);
  const CellRect &three = layout_.Slots[2];
  EXPECT_EQ(HitTestNumberBar(layout_, 9, CentreX(three), CentreY(three)), 3);
  EXPECT_EQ(HitTestNumberBar(layout_, 9, CentreX(layout_.Slots[9]), CentreY(layout_.Slots[9])), 10); // undo
  EXPECT_EQ(HitTestNumberBar(layout_, 9, layout_.Side.left + 1, CentreY(three)), 0);
  EXPECT_EQ(HitTestNumberBar(layout_, 9, CentreX(layout_.Message), CentreY(layout_.Message)), -1);
  general_.displayBarArea = 0;
  LayOut(1);
  EXPECT_EQ(HitTestNumberBar(layout_, 9, CentreX(three), CentreY(three)), -1);
}

TEST_F(HitTestTest, TheSlotCornerIsItsUpperRightTriangle) {
  LayOut(1);
  const CellRect &slot = layout_.Slots[0];
  const int c = std::min(slot.Width(), slot.Height());
  EXPECT_EQ(HitTestSlotCorner(layout_, 1, slot.right - 2, slot.top + 1), 1);
  EXPECT_EQ(HitTestSlotCorner(layout_, 1, slot.right - c + 1, slot.bottom - 2), -1);
  EXPECT_EQ(HitTestSlotCorner(layout_, 1, slot.left + 1, slot.top + 1), -1);
  EXPECT_EQ(HitTestSlotCorner(layout_, 0, slot.right - 2, slot.top + 1), -1);
}

TEST_F(HitTestTest, LegendLinesToggleOnlyBesideTheNumberBar) {
  LayOut(1);
  layout_.Legend[1] = {800, 400, 990, 420};
  EXPECT_EQ(HitTestLegendToggle(layout_, 2, general_, kSymbolDigits, 0, 850, 410), 1);
  EXPECT_EQ(HitTestLegendToggle(layout_, 1, general_, kSymbolDigits, 0, 850, 410), -1);
  EXPECT_EQ(HitTestLegendToggle(layout_, 2, general_, kSymbolPictures, 0, 850, 410), -1);
  EXPECT_EQ(HitTestLegendToggle(layout_, 2, general_, kSymbolDigits, kGameModeQuick, 850, 410), -1);
}

TEST_F(HitTestTest, SmallValueBoxesAreFoundInOpenCellsOnly) {
  LayOut(1);
  UpdatePossibles(ctx_, -1, -1, -1, 1);
  const CGridDraw &painter = painters_[0];
  const CellRect four = SymbolRect(painter, 30, 3, false);
  EXPECT_EQ(HitTestCandidate(painter, ctx_.Geo, 30, 2, false, CentreX(four), CentreY(four)), 3);
  EXPECT_EQ(HitTestCandidate(painter, ctx_.Geo, 30, 1, false, CentreX(four), CentreY(four)), -1);
  const CellRect six = BarSymbolRect(painter, ctx_.Geo, 30, 5, false);
  EXPECT_EQ(HitTestValueSymbol(painter, ctx_.Geo, 30, false, CentreX(six), CentreY(six)), 5);
  SetCellValue(ctx_, ctx_.Grids.Main[0], 30, 2, kActionPlace);
  EXPECT_EQ(HitTestCandidate(painter, ctx_.Geo, 30, 2, false, CentreX(four), CentreY(four)), -1);
  EXPECT_EQ(HitTestValueSymbol(painter, ctx_.Geo, 30, false, CentreX(six), CentreY(six)), -1);
}

TEST_F(HitTestTest, PlayerBoxesAreFoundInOrder) {
  const std::vector<CellRect> boxes = {{0, 0, 10, 10}, {0, 10, 10, 20}};
  EXPECT_EQ(HitTestPlayerBox(boxes, 5, 15), 1);
  EXPECT_EQ(HitTestPlayerBox(boxes, 5, 25), -1);
}

} // namespace
} // namespace quorbel
