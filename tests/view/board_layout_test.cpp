// The division of the view: tiling of the shown grids, the side panel and its rows, the strips,
// and the grid tabs.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "view/board_layout.h"

namespace quorbel {
namespace {

TEST(GridTilingTest, FiveGridsInAWideAreaTileThreeByTwoWithTheLastRowCentred) {
  const CellRect area{0, 0, 900, 600};
  const GridTiling tiling = ChooseTiling(5, 900, 600);
  EXPECT_EQ(tiling.Columns, 3);
  EXPECT_EQ(tiling.Rows, 2);
  EXPECT_EQ(TileRect(tiling, 0, 5, area), (CellRect{0, 0, 300, 300}));
  EXPECT_EQ(TileRect(tiling, 3, 5, area), (CellRect{150, 300, 450, 600}));
  EXPECT_EQ(TileRect(tiling, 4, 5, area), (CellRect{450, 300, 750, 600}));
}

TEST(GridTilingTest, AColumnCountThatOnlyTiesDoesNotWin) {
  // Two and three columns both give tiles of side 200 in a square area: two columns stay.
  const CellRect area{0, 0, 600, 600};
  const GridTiling tiling = ChooseTiling(5, 600, 600);
  EXPECT_EQ(tiling.Columns, 2);
  EXPECT_EQ(tiling.Rows, 3);
  EXPECT_EQ(TileRect(tiling, 4, 5, area), (CellRect{150, 400, 450, 600}));
}

TEST(GridTilingTest, OneGridTakesTheWholeAreaAndTwelveDoNotOverlap) {
  const CellRect area{30, 10, 830, 610};
  const GridTiling one = ChooseTiling(1, area.Width(), area.Height());
  EXPECT_EQ(TileRect(one, 0, 1, area), area);
  const GridTiling twelve = ChooseTiling(12, area.Width(), area.Height());
  for (int i = 0; i < 12; ++i) {
    const CellRect tile = TileRect(twelve, i, 12, area);
    EXPECT_GE(tile.left, area.left);
    EXPECT_LE(tile.right, area.right);
    EXPECT_LE(tile.bottom, area.bottom);
    for (int j = 0; j < i; ++j)
      EXPECT_FALSE(tile.Intersects(TileRect(twelve, j, 12, area))) << i << " " << j;
  }
}

TEST(GridTilingTest, AFadedTileShrinksAboutItsCentre) {
  EXPECT_EQ(ScaledTile({100, 100, 300, 200}, 0.5), (CellRect{150, 125, 250, 175}));
  EXPECT_EQ(ScaledTile({100, 100, 300, 200}, 1.0), (CellRect{100, 100, 300, 200}));
}

class ViewLayoutTest : public ::testing::Test {
protected:
  ViewLayout LayOut(int gameMode = 0, int gridCount = 1, int legend = 0, VariantWords shown = {}) {
    return LayOutView(ViewLayoutInputs{.ClientW = 1000,
                                       .ClientH = 700,
                                       .General = general_,
                                       .GameMode = gameMode,
                                       .GridCount = gridCount,
                                       .GridWidth = 9,
                                       .LegendLines = legend,
                                       .ShownWords = shown});
  }
  GeneralSettings general_ = DefaultSettings().general;
};

TEST_F(ViewLayoutTest, TheSidePanelHoldsTheBarThenTheLegendWithTheMessagesAtItsFoot) {
  const ViewLayout layout = LayOut(0, 1, 2);
  EXPECT_EQ(layout.Side.right, 1000);
  EXPECT_EQ(layout.Board.right, layout.Side.left - kPanelSeparation);
  EXPECT_EQ(layout.Comment.bottom, 700);
  EXPECT_EQ(layout.Side.bottom, layout.Comment.top);
  EXPECT_EQ(layout.Message.bottom, layout.Side.bottom);
  EXPECT_EQ(layout.ValueSlots, 10); // nine values and the undo button
  EXPECT_EQ(layout.Slots[0].top, layout.Clock.bottom);
  EXPECT_EQ(layout.Slots[1].top, layout.Slots[0].bottom);
  EXPECT_EQ(layout.Legend[0].top, layout.Slots[9].bottom);
  EXPECT_LE(layout.Legend[1].bottom, layout.Message.top);
  EXPECT_EQ(layout.Slots[0].left, layout.Side.left + kSlotInset);
}

TEST_F(ViewLayoutTest, WithoutTheBarTheLegendStartsAtTheTop) {
  general_.displayBarArea = 0;
  const ViewLayout layout = LayOut(0, 1, 3);
  EXPECT_FALSE(layout.NumberBarShown);
  EXPECT_EQ(layout.ValueSlots, 0);
  EXPECT_EQ(layout.Legend[0].top, layout.Side.top);
  // The timed game always shows the bar, with a fifth of the panel for its score.
  const ViewLayout timed = LayOut(kGameModeQuick);
  EXPECT_TRUE(timed.NumberBarShown);
  EXPECT_EQ(timed.Clock.Height(), timed.Side.Height() / 5);
}

TEST_F(ViewLayoutTest, PicturesAddTheReloadButton) {
  const ViewLayout layout = LayOutView(ViewLayoutInputs{
      .ClientW = 1000, .ClientH = 700, .General = general_, .Symbols = kSymbolPictures, .GridWidth = 9});
  EXPECT_EQ(layout.ValueSlots, 11);
}

TEST_F(ViewLayoutTest, StripsForTheTabsAndTheRulesWithALineOfTheirOwn) {
  const ViewLayout one = LayOut();
  EXPECT_FALSE(one.TabStrip.IsShown());
  const ViewLayout several = LayOut(0, 3, 0, kVarNumeral | kVarDomino);
  EXPECT_EQ(several.TabStrip.Width(), kTabStripWidth);
  EXPECT_EQ(several.Board.left, several.TabStrip.right);
  EXPECT_EQ(several.NumeralStrip.Height(), 15);
  EXPECT_EQ(several.DominoStrip.Height(), 25);
  EXPECT_EQ(several.DominoStrip.bottom, several.NumeralStrip.top);
  EXPECT_EQ(several.Board.bottom, several.DominoStrip.top);
  EXPECT_FALSE(several.DoubleStrip.IsShown());
  // The Double and Triple points are read like a clue: their strip grows with the board.
  const ViewLayout points = LayOut(0, 1, 0, kVarNeighbourScore);
  EXPECT_GE(points.DoubleStrip.Height(), 25);
  EXPECT_EQ(points.Board.bottom, points.DoubleStrip.top);
}

TEST_F(ViewLayoutTest, NoCommentStripWhenSwitchedOff) {
  general_.displayComment = 0;
  const ViewLayout layout = LayOut();
  EXPECT_FALSE(layout.Comment.IsShown());
  EXPECT_EQ(layout.Board.bottom, 700);
}

TEST(GridTabsTest, WithEveryGridShownOnlyTheWholeSetTabIsShown) {
  const std::vector<GridTab> tabs = LayOutGridTabs({0, 0, 20, 500}, 3, {true, true, true});
  ASSERT_EQ(tabs.size(), 4u);
  EXPECT_TRUE(tabs[0].Shown);
  EXPECT_FALSE(tabs[1].Shown);
  // Five places (three grids + 2): full height 200, the others half of it.
  EXPECT_EQ(tabs[0].Box.Height(), 200);
  EXPECT_EQ(tabs[1].Box.Height(), 100);
  EXPECT_EQ(tabs[1].Box.top, tabs[0].Box.bottom);
  EXPECT_EQ(tabs[3].Box.bottom, 500);
}

TEST(GridTabsTest, ShownGridsGetFullTabs) {
  const std::vector<GridTab> tabs = LayOutGridTabs({0, 0, 20, 300}, 3, {false, true, false});
  EXPECT_FALSE(tabs[0].Shown);
  EXPECT_TRUE(tabs[2].Shown);
  EXPECT_EQ(tabs[2].Box.Height(), 2 * tabs[1].Box.Height());
  EXPECT_TRUE(LayOutGridTabs({0, 0, 20, 300}, 1, {true}).empty());
}

} // namespace
} // namespace quorbel
