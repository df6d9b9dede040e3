#include "view/context_menus.h"

#include <array>

#include "app/message_table.h"
#include "engine/cell_record.h"
#include "engine/message_numbers.h"
#include "view/board_layout.h"

namespace quorbel {

namespace {

MenuChoice Item(int item, int message, Language language, bool checked = false) {
  return {item, std::string(LookupMessage(message, language)), checked};
}

MenuChoice CommentAreaItem(bool shown, Language language) {
  return Item(kItemCommentArea, shown ? kMsgHideComments : kMsgShowComments, language);
}

} // namespace

std::vector<MenuChoice> GridTabMenu(bool expert) {
  if (!expert)
    return {};
  return {{kItemAddEmptyGrid, "Add Empty Grid"},
          {kItemAddGridFromFile, "Add Grid using File"},
          {kItemAddGridFromClipboard, "Add Grid using Clipboard"},
          {kItemDeleteGrid, "Delete Grid"}};
}

std::vector<MenuChoice> PlayingCellMenu(const CellMenuInputs &in, Language language) {
  std::vector<MenuChoice> menu;
  const bool pictures = in.Symbols == kSymbolPictures;
  if (in.Status != kStatusEmpty && in.Expert)
    menu.push_back(Item(kItemClearCell, kMsgClearCell, language));
  if (!pictures && in.Status == kStatusEmpty && in.ProbType != 0)
    menu.push_back(Item(kItemShowPossibles, kMsgPossible, language));
  if (in.Status > kStatusFixed)
    menu.push_back(Item(kItemPropose, kMsgPropose, language));
  menu.push_back(Item(kItemScanZone, kMsgScanZone, language));
  if (!pictures)
    menu.push_back(Item(kItemMultipleEntry, kMsgMultipleEntry, language, in.SequentialEntry));
  if (in.BattleShipGrid) {
    constexpr int kSetBoatMessage = 93; // "Met un Bateau", "Met aucun Bateau", "Efface Bateau"
    constexpr int kClearBoatsMessage = 96;
    constexpr std::array<int, 3> kMarks = {1, 2, 0}; // boat, water, none
    for (size_t k = 0; k < kMarks.size(); ++k)
      if (in.Boat != kMarks[k])
        menu.push_back(
            Item(kItemSetBoat + static_cast<int>(k), kSetBoatMessage + static_cast<int>(k), language));
    menu.push_back(Item(kItemClearGridBoats, kClearBoatsMessage, language));
  }
  if (in.ChessGrid) {
    constexpr int kFirstPieceMessage = 112; // "Met Cheval Noir" .. "Met Pion Blanc"
    if (in.PieceOnCell)
      menu.push_back(Item(kItemClearChessPiece, kFirstPieceMessage - 1, language));
    for (int k = 0; k < 12; ++k)
      menu.push_back(Item(kItemFirstChessPiece + k, kFirstPieceMessage + k, language));
  }
  return menu;
}

std::vector<MenuChoice> ClueCellMenu(Language language) {
  return {Item(kItemShowPossibles, kMsgPossible, language)};
}

std::vector<MenuChoice> PieceMenu(bool found, bool boats, Language language) {
  // "Puzzle trouvé", "Puzzle non trouvé", "Tous les Puzzles non trouvés", and the boats' own.
  const int first = boats ? 97 : 80;
  std::vector<MenuChoice> menu;
  menu.push_back(found ? Item(kItemPieceNotFound, first + 1, language)
                       : Item(kItemPieceFound, first, language));
  menu.push_back(Item(kItemNoPieceFound, first + 2, language));
  return menu;
}

std::vector<MenuChoice> MessagePanelMenu(bool commentsShown, Language language) {
  if (!commentsShown)
    return {CommentAreaItem(false, language)};
  return {CommentAreaItem(true, language), Item(kItemClearComments, kMsgClearComments, language),
          Item(kItemCopyComments, kMsgCopyComments, language)};
}

std::vector<MenuChoice> BoardMenu(const BoardMenuInputs &in, Language language) {
  std::vector<MenuChoice> menu;
  const bool pictures = in.Symbols == kSymbolPictures;
  if (!pictures)
    menu.push_back(
        Item(kItemLineColPossibles, in.LineColShown ? kMsgHideLineCol : kMsgShowLineCol, language));
  if (in.ProbType != 0)
    menu.push_back(Item(kItemCellSingleValue, kMsgSingleValue, language));
  if (in.ProbType != 1)
    menu.push_back(Item(kItemCellLine, kMsgLine, language));
  if (in.ProbType != 2)
    menu.push_back(Item(kItemCellMatrix, kMsgMatrix, language));
  if (in.ProbType != 3)
    menu.push_back(Item(kItemCellProbables, kMsgProbables, language));
  if (in.ProbType == 3)
    menu.push_back(Item(kItemClearProbables, kMsgClearProbables, language));
  menu.push_back(CommentAreaItem(in.CommentsShown, language));
  if (!pictures) {
    const bool barShown = in.NumberBarShown || in.GameMode == kGameModeQuick || in.GameMode == kGameModeDefi;
    menu.push_back(Item(kItemImageBar, barShown ? kMsgHideBar : kMsgShowBar, language));
  }
  if (in.GameMode != kGameModeQuick) {
    menu.push_back(Item(kItemChangeBackground, kMsgChangeBackground, language));
    menu.push_back(Item(kItemNoBackground, kMsgNoBackground, language));
  }
  return menu;
}

std::vector<MenuChoice> PictureSetMenu(const std::vector<std::string> &lists, Language language) {
  std::vector<MenuChoice> menu{Item(kItemResetImages, kMsgResetImages, language),
                               Item(kItemShuffleImages, kMsgShuffleImages, language)};
  for (size_t i = 0; i < lists.size(); ++i)
    menu.push_back({kItemFirstPictureList + static_cast<int>(i), lists[i]});
  return menu;
}

} // namespace quorbel
