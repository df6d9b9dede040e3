// The right-button menus: each item offered under its condition, in its language.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/cell_record.h"
#include "view/context_menus.h"

namespace quorbel {
namespace {

std::vector<int> Items(const std::vector<MenuChoice> &menu) {
  std::vector<int> items;
  for (const MenuChoice &choice : menu)
    items.push_back(choice.Item);
  return items;
}

TEST(ContextMenus, OnlyTheExpertGetsTheGridTabMenu) {
  EXPECT_TRUE(GridTabMenu(false).empty());
  EXPECT_EQ(Items(GridTabMenu(true)), (std::vector<int>{kItemAddEmptyGrid, kItemAddGridFromFile,
                                                        kItemAddGridFromClipboard, kItemDeleteGrid}));
}

TEST(ContextMenus, ACellsMenuFollowsItsStateAndTheDisplay) {
  CellMenuInputs in;
  const std::vector<MenuChoice> open = PlayingCellMenu(in, Language::English);
  EXPECT_EQ(Items(open),
            (std::vector<int>{kItemShowPossibles, kItemPropose, kItemScanZone, kItemMultipleEntry}));
  EXPECT_EQ(open[1].Text, "Propose (F9)");
  in.Status = kStatusPlaced;
  in.Expert = true;
  in.SequentialEntry = true;
  const std::vector<MenuChoice> expert = PlayingCellMenu(in, Language::English);
  EXPECT_EQ(Items(expert), (std::vector<int>{kItemClearCell, kItemScanZone, kItemMultipleEntry}));
  EXPECT_EQ(expert[0].Text, "Clear cell");
  EXPECT_EQ(expert[1].Text, "Scan Area (SHIFT+ALT+3)");
  EXPECT_TRUE(expert[2].Checked);
  in.Symbols = kSymbolPictures;
  EXPECT_EQ(Items(PlayingCellMenu(in, Language::French)), (std::vector<int>{kItemClearCell, kItemScanZone}));
  EXPECT_EQ(PlayingCellMenu(in, Language::French)[0].Text, "Efface case");
}

TEST(ContextMenus, AChessGridOffersTheTwelvePiecesAndTheRemovalOfOne) {
  CellMenuInputs in{.Status = kStatusPlaced, .ChessGrid = true};
  std::vector<MenuChoice> menu = PlayingCellMenu(in, Language::English);
  ASSERT_EQ(menu.size(), 14u); // Scan Zone, Multiple Entry, then the pieces
  EXPECT_EQ(menu[2].Item, kItemFirstChessPiece);
  EXPECT_EQ(menu[2].Text, "Set Black Knight");
  EXPECT_EQ(menu.back().Text, "Set White Pawn");
  in.PieceOnCell = true;
  menu = PlayingCellMenu(in, Language::French);
  EXPECT_EQ(menu[2].Item, kItemClearChessPiece);
  EXPECT_EQ(menu[2].Text, "Efface Piece Echec");
}

TEST(ContextMenus, ABattleShipCellOffersTheMarksItHasNotAndAPieceItsFoundMark) {
  const auto boat = PlayingCellMenu({.BattleShipGrid = true, .Boat = 1}, Language::English);
  const std::vector<int> items = Items(boat);
  EXPECT_EQ(std::count(items.begin(), items.end(), kItemSetBoat), 0);
  EXPECT_EQ(std::count(items.begin(), items.end(), kItemSetWater), 1);
  EXPECT_EQ(std::count(items.begin(), items.end(), kItemClearBoat), 1);
  EXPECT_EQ(boat.back().Text, "Clear All Grid Boats");
  EXPECT_EQ(Items(PieceMenu(false, false, Language::English)),
            (std::vector<int>{kItemPieceFound, kItemNoPieceFound}));
  EXPECT_EQ(PieceMenu(true, true, Language::French).front().Text, "Bateau non trouvé");
}

TEST(ContextMenus, TheBoardMenuOffersEveryOtherCellDisplay) {
  BoardMenuInputs in;
  in.ProbType = 3;
  const std::vector<int> items = Items(BoardMenu(in, Language::English));
  for (int item : {kItemCellSingleValue, kItemCellLine, kItemCellMatrix, kItemClearProbables})
    EXPECT_NE(std::find(items.begin(), items.end(), item), items.end()) << item;
  EXPECT_EQ(std::find(items.begin(), items.end(), kItemCellProbables), items.end());
  in.ProbType = 0;
  in.GameMode = 2; // the quick game keeps its background
  const std::vector<int> quick = Items(BoardMenu(in, Language::English));
  EXPECT_EQ(std::find(quick.begin(), quick.end(), kItemCellSingleValue), quick.end());
  EXPECT_EQ(std::find(quick.begin(), quick.end(), kItemChangeBackground), quick.end());
  EXPECT_EQ(BoardMenu(in, Language::English).back().Text, "Hide Image Bar Area");
}

TEST(ContextMenus, TheMessagePanelsMenuHidesOrShowsTheComments) {
  EXPECT_EQ(Items(MessagePanelMenu(true, Language::English)),
            (std::vector<int>{kItemCommentArea, kItemClearComments, kItemCopyComments}));
  const std::vector<MenuChoice> hidden = MessagePanelMenu(false, Language::English);
  ASSERT_EQ(hidden.size(), 1u);
  EXPECT_EQ(hidden[0].Text, "Show Comment Area");
}

} // namespace
} // namespace quorbel
