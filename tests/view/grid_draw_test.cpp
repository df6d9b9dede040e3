// The painter record: cell rectangles, thick block sides, fonts, margins and the boxes of the
// small value symbols, over the nine grid shapes.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "engine/grid_cells.h"
#include "engine/grid_shape.h"
#include "tests/engine/engine_test_support.h"
#include "view/grid_draw.h"

namespace quorbel {
namespace {

class GridDrawTest : public ::testing::Test {
protected:
  void LayOut(int shape, CellRect board = {0, 0, 956, 758}) {
    SetGridShape(ctx_, shape, 1, 0);
    painter_.Slot = 0;
    AttachGrid(painter_, ctx_.Grids);
    painter_.BoardRect = board;
    const GridLayoutInputs in{ctx_.Geo, general_, symbols_, mask_};
    ComputeMargins(painter_, in);
    ComputeCellRects(painter_, in);
  }
  const GridGeometry &Geo() const { return ctx_.Geo; }
  GridRecord &Grid() { return ctx_.Grids.Main[0]; }

  EngineContext ctx_;
  GeneralSettings general_ = DefaultSettings().general;
  SymbolMode symbols_ = kSymbolDigits;
  VariantWords mask_ = kAllVariantsShown;
  CGridDraw painter_;
};

TEST_F(GridDrawTest, CellsOfEveryShapeLieInsideTheBoardWithoutOverlapInReadingOrder) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    SCOPED_TRACE(shape);
    LayOut(shape);
    for (int cell = 0; cell < Geo().NCells; ++cell) {
      const CellRect &box = painter_.OuterRect[cell];
      ASSERT_FALSE(box.IsEmpty());
      EXPECT_GE(box.left, 0);
      EXPECT_GE(box.top, 0);
      EXPECT_LE(box.right, 956);
      EXPECT_LE(box.bottom, 758);
      if (Geo().ColOfCell[cell] > 0) {
        EXPECT_LE(painter_.OuterRect[cell - 1].right, box.left);
      }
      if (Geo().RowOfCell[cell] > 0) {
        EXPECT_LE(painter_.OuterRect[cell - Geo().NCols].bottom, box.top);
      }
    }
  }
}

TEST_F(GridDrawTest, ScaledLayoutFollowsTheDesignUnitsAndCentresTheGrid) {
  // 9 x 9 in twice its design size (478 x 379 units): cells 100 x 78, block gaps 4, and ten
  // design units of slack on each side.
  LayOut(5);
  EXPECT_DOUBLE_EQ(painter_.CellW, 100);
  EXPECT_DOUBLE_EQ(painter_.CellH, 78);
  EXPECT_DOUBLE_EQ(painter_.BlockGapX, 4);
  EXPECT_DOUBLE_EQ(painter_.OffsetX, 20);
  EXPECT_EQ(painter_.OuterRect[0], (CellRect{24, 24, 124, 102}));
  // Column 3 starts a block: one more block gap.
  EXPECT_EQ(painter_.OuterRect[3].left, 3 * 100 + 20 + 4 + 4);
  EXPECT_EQ(painter_.OuterRect[2].right, 3 * 100 + 20 + 4);
}

TEST_F(GridDrawTest, BlockEdgesMakeTheInnerBoxSmallerOnThoseSidesOnly) {
  LayOut(5); // the grid has just been reset, as after every new grid
  const int thick = static_cast<int>(painter_.BorderBlock);
  const CellRect &outer = painter_.OuterRect[2]; // row 0, last column of the first block
  EXPECT_EQ(painter_.InnerRect[2],
            (CellRect{outer.left, outer.top + thick, outer.right - thick, outer.bottom}));
  EXPECT_EQ(painter_.HorzCode[2], 2);
  EXPECT_EQ(painter_.VertCode[2], 1);
  EXPECT_EQ(painter_.InnerRect[40], painter_.OuterRect[40]); // the centre of the centre block
  EXPECT_EQ(painter_.HorzCode[40], 0);
}

TEST_F(GridDrawTest, IrregularBlocksDecideTheThickSides) {
  SetGridShape(ctx_, 0, 1, 0);
  // Blocks as the rows of a 4 x 4 grid.
  BlockLayout &layout = Grid().Lists.Layout;
  for (int b = 0; b < 4; ++b) {
    layout.RowLength[b] = 4;
    for (int k = 0; k < 4; ++k)
      layout.Cells[b][k] = static_cast<CellRef>(b * 4 + k);
  }
  layout.RowCount = 4;
  Grid().GridVar = kVarIrregular;
  ResetRegionTables(ctx_.Geo, Grid());
  ASSERT_EQ(Grid().BlockOfCell[5], 1);
  painter_.Slot = 0;
  AttachGrid(painter_, ctx_.Grids);
  painter_.BoardRect = {0, 0, 400, 400};
  const GridLayoutInputs in{ctx_.Geo, general_, symbols_, mask_};
  ComputeMargins(painter_, in);
  ComputeCellRects(painter_, in);
  EXPECT_EQ(painter_.HorzCode[5], 0); // row 1, column 1: no block edge left or right
  EXPECT_EQ(painter_.VertCode[5], 3); // every row is a block
}

TEST_F(GridDrawTest, SquareCellsWhateverTheBoardShape) {
  general_.cellSquare = 1;
  for (const CellRect board : {CellRect{0, 0, 1200, 500}, CellRect{0, 0, 500, 1200}}) {
    LayOut(5, board);
    EXPECT_DOUBLE_EQ(painter_.CellW, painter_.CellH);
    EXPECT_EQ(painter_.OuterRect[10].Width(), painter_.OuterRect[10].Height());
  }
}

TEST_F(GridDrawTest, AbsoluteAndAutomaticMetrics) {
  general_.absolute = 1;
  LayOut(5);
  EXPECT_DOUBLE_EQ(painter_.CellW, 50);
  EXPECT_DOUBLE_EQ(painter_.CellH, 39);
  general_.autoSize = 1; // the automatic design wins over the absolute switch
  LayOut(5);
  EXPECT_DOUBLE_EQ(painter_.BorderBlock, 5);
  EXPECT_DOUBLE_EQ(painter_.BorderCell, 1);
  EXPECT_GT(painter_.CellW, 50);
}

TEST_F(GridDrawTest, FontSizesFollowTheCellAndSaturate) {
  LayOut(5);
  EXPECT_EQ(painter_.FontCell, 78 * 31 / 39 - 7);
  general_.deltaFontCell = 1000;
  LayOut(5);
  EXPECT_EQ(painter_.FontCell, 159);
  general_.deltaFontCell = -1000;
  LayOut(5);
  EXPECT_EQ(painter_.FontCell, 0);
}

TEST_F(GridDrawTest, LabelRecordsAreShownOnlyWithTheLineColumnArea) {
  LayOut(5);
  for (int record = Geo().NCells; record < Geo().CellLimit; ++record)
    EXPECT_FALSE(painter_.OuterRect[record].IsShown()) << record;
  general_.displayLines = 1;
  LayOut(5);
  const CellRect &rowLabel = painter_.OuterRect[Geo().RowUnitBase + 4];
  const CellRect &colLabel = painter_.OuterRect[Geo().ColUnitBase + 4];
  EXPECT_GT(rowLabel.left, painter_.OuterRect[8].right);  // right of the grid
  EXPECT_GT(rowLabel.top, painter_.OuterRect[4 * 9].top); // inside its row, less the small rows
  EXPECT_GT(colLabel.top, painter_.OuterRect[80].bottom); // under the grid
  EXPECT_EQ(colLabel.left, painter_.OuterRect[4].left);   // across its column
  EXPECT_LE(rowLabel.right, 956);
  symbols_ = kSymbolPictures;
  LayOut(5);
  EXPECT_FALSE(painter_.OuterRect[Geo().RowUnitBase].IsShown());
}

TEST_F(GridDrawTest, CandidateBoxesFormTheBlockShapedMatrixInsideTheCell) {
  LayOut(5);
  const CellRect &cell = painter_.InnerRect[40];
  const CellRect centre = SymbolRect(painter_, 40, 4, false);
  EXPECT_LT(cell.left + cell.Width() / 3, centre.right);
  EXPECT_GT(cell.left + cell.Width() * 2 / 3, centre.left);
  for (int v = 0; v < 9; ++v) {
    const CellRect box = SymbolRect(painter_, 40, v, false);
    EXPECT_GE(box.left, cell.left);
    EXPECT_LE(box.right, cell.right + 1);
    EXPECT_GE(box.top, cell.top);
    EXPECT_LE(box.bottom, cell.bottom + 1);
    for (int w = 0; w < v; ++w)
      EXPECT_FALSE(box.Intersects(SymbolRect(painter_, 40, w, false))) << v << " " << w;
  }
  EXPECT_FALSE(SymbolRect(painter_, 40, 9, false).IsShown()); // no tenth value on a 9-wide grid
  // Blocks three rows high and two wide: two values per matrix row.
  LayOut(1);
  EXPECT_EQ(SymbolRect(painter_, 14, 1, false).top, SymbolRect(painter_, 14, 0, false).top);
  EXPECT_GT(SymbolRect(painter_, 14, 2, false).top, SymbolRect(painter_, 14, 0, false).top);
}

TEST_F(GridDrawTest, ASelectedCellsBoxesMoveInsideItsThickFrame) {
  LayOut(5);
  const int thick = static_cast<int>(painter_.BorderBlock);
  EXPECT_EQ(SymbolRect(painter_, 40, 0, true).left, painter_.InnerRect[40].left + thick);
  EXPECT_LT(SymbolRect(painter_, 40, 8, true).right, SymbolRect(painter_, 40, 8, false).right);
}

TEST_F(GridDrawTest, SmallRowsSplitTheValuesInTwo) {
  LayOut(5);
  EXPECT_EQ(BarTopCount(9), 5);
  EXPECT_EQ(BarTopCount(4), 2);
  const CellRect &cell = painter_.OuterRect[40];
  for (int v = 0; v < 9; ++v) {
    const CellRect box = BarSymbolRect(painter_, Geo(), 40, v, false);
    if (v < 5)
      EXPECT_LT(box.bottom, cell.top + cell.Height() / 2) << v;
    else
      EXPECT_GT(box.top, cell.top + cell.Height() / 2) << v;
  }
}

TEST_F(GridDrawTest, TextRectanglesOfTheCellKinds) {
  general_.displayLines = 1;
  LayOut(5);
  const CellRect &outer = painter_.OuterRect[40];
  EXPECT_EQ(CellTextRect(painter_, Geo(), 40, 1, false, true),
            (CellRect{outer.left, outer.top, outer.right + 1, outer.bottom + 1}));
  const int small = static_cast<int>(painter_.SmallRowH);
  const CellRect probables = CellTextRect(painter_, Geo(), 40, 3, false, true);
  EXPECT_EQ(probables.top, outer.top + small);
  EXPECT_EQ(probables.bottom, outer.bottom + 1 - small);
  EXPECT_EQ(CellTextRect(painter_, Geo(), 40, 3, false, false).top, outer.top); // a filled cell
  EXPECT_EQ(CellTextRect(painter_, Geo(), Geo().NumberBar(), 1, false, true).Height(), 0);
  const int label = Geo().RowUnitBase;
  EXPECT_EQ(CellTextRect(painter_, Geo(), label, 1, false, true), painter_.InnerRect[label].Inset(1, 1));
  EXPECT_EQ(CellFrameRect(painter_, Geo(), label).bottom, painter_.InnerRect[label].bottom + 1);
}

TEST_F(GridDrawTest, RowBandsAlternateByRowOrByBlockRow) {
  LayOut(5); // odd block height: every other row
  EXPECT_EQ(painter_.RowBands[0].Parity, 0);
  EXPECT_EQ(painter_.RowBands[1].Parity, 1);
  EXPECT_EQ(painter_.RowBands[3].Parity, 1);
  EXPECT_EQ(painter_.RowBands[0].Box.bottom, painter_.RowBands[1].Box.top);
  LayOut(0); // blocks two rows high: the pattern turns at each block row
  EXPECT_EQ(painter_.RowBands[0].Parity, 0);
  EXPECT_EQ(painter_.RowBands[1].Parity, 1);
  EXPECT_EQ(painter_.RowBands[2].Parity, 1);
  EXPECT_EQ(painter_.RowBands[3].Parity, 0);
}

class ClueMarginsTest : public GridDrawTest {};

TEST_F(ClueMarginsTest, LittleKillerCluesMakeRoomOnTheirSides) {
  SetGridShape(ctx_, 5, 1, 0);
  LittleKillerClue upRight;
  upRight.LastCell = 8; // W - 1, going up and right
  upRight.Step = 1 - 9;
  Grid().Lists.LittleKiller.Append(upRight);
  LittleKillerClue downRight;
  downRight.LastCell = 80; // the last cell, going down and right
  downRight.Step = 10;
  Grid().Lists.LittleKiller.Append(downRight);
  GridMargins m = ClueMargins(Geo(), Grid(), kVarLittleKiller);
  EXPECT_DOUBLE_EQ(m.Top, 0.5);
  EXPECT_DOUBLE_EQ(m.Right, 0.7);
  EXPECT_DOUBLE_EQ(m.Bottom, 0.5);
  EXPECT_DOUBLE_EQ(m.Left, 0);
  LittleKillerClue downLeft;
  downLeft.LastCell = 63; // the first column, row 7: the diagonal leaves through the left side
  downLeft.Step = 9 - 1;
  Grid().Lists.LittleKiller.Append(downLeft);
  m = ClueMargins(Geo(), Grid(), kVarLittleKiller);
  EXPECT_DOUBLE_EQ(m.Left, 0.7);
  EXPECT_DOUBLE_EQ(ClueMargins(Geo(), Grid(), {}).Top, 0); // a rule not held adds nothing
}

TEST_F(ClueMarginsTest, OutsideCluesWidenTheSidesByTheirCount) {
  SetGridShape(ctx_, 5, 1, 0);
  Grid().Lists.Outside.Count[kSideLeft][3] = 3;
  Grid().Lists.Outside.Count[kSideTop][0] = 2;
  const GridMargins m = ClueMargins(Geo(), Grid(), kVarOutside);
  EXPECT_NEAR(m.Left, 0.9, 1e-9);
  EXPECT_DOUBLE_EQ(m.Top, 0.4);
}

TEST_F(ClueMarginsTest, BattleShipAndMasterMind) {
  SetGridShape(ctx_, 5, 1, 0);
  const GridMargins m = ClueMargins(Geo(), Grid(), kVarBattleShip | kVarMasterMind);
  EXPECT_DOUBLE_EQ(m.Left, 0.5);
  EXPECT_DOUBLE_EQ(m.Top, 0.5);
  EXPECT_DOUBLE_EQ(m.Right, 1.1);
}

TEST_F(ClueMarginsTest, HiddenRulesTakeNoRoom) {
  Grid().GridVar = kVarBattleShip;
  mask_ = {0x1, 0}; // only irregular blocks show
  LayOut(5);
  EXPECT_DOUBLE_EQ(painter_.Margins.Left, 0);
  mask_ = kAllVariantsShown;
  SetGridShape(ctx_, 5, 1, 0);
  Grid().GridVar = kVarBattleShip;
  painter_.BoardRect = {0, 0, 956, 758};
  const GridLayoutInputs in{ctx_.Geo, general_, symbols_, mask_};
  ComputeMargins(painter_, in);
  EXPECT_DOUBLE_EQ(painter_.Margins.Left, 0.5);
}

} // namespace
} // namespace quorbel
