// The board's right-button menus: what each one offers under the pointer (a grid tab, a playing
// cell, a clue cell, the message panel, the rest of the board), each item under its condition,
// with its text from the message table. The view shows the menu and carries out the choice.
#pragma once

#include <string>
#include <vector>

#include "app/value_symbol.h"
#include "platform/language.h"

namespace quorbel {

// The item numbers the menus hand back.
enum MenuItem : int {
  kItemAddEmptyGrid = 1,
  kItemAddGridFromFile = 2,
  kItemAddGridFromClipboard = 3,
  kItemDeleteGrid = 4,
  kItemClearCell = 8,
  kItemShowPossibles = 9,
  kItemPropose = 10,
  kItemMultipleEntry = 11,
  kItemCellProbables = 12,
  kItemLineColPossibles = 13,
  kItemCommentArea = 14,
  kItemClearComments = 15,
  kItemImageBar = 16,
  kItemClearProbables = 17,
  kItemCellSingleValue = 18,
  kItemCellLine = 19,
  kItemCellMatrix = 20,
  kItemSetBoat = 21,
  kItemSetWater = 22,
  kItemClearBoat = 23,
  kItemClearGridBoats = 24,
  kItemChangeBackground = 25,
  kItemNoBackground = 26,
  kItemClearChessPiece = 27,
  kItemFirstChessPiece = 28, // 28..33 the black knight .. pawn, 34..39 the white ones
  kItemCopyComments = 40,
  kItemScanZone = 41,
};

struct MenuChoice {
  int Item = 0;
  std::string Text;
  bool Checked = false;
  bool operator==(const MenuChoice &) const = default;
};

// The expert's menu on a grid tab.
std::vector<MenuChoice> GridTabMenu(bool expert);

struct CellMenuInputs {
  int Status = 6;
  bool Expert = false;
  SymbolMode Symbols = kSymbolDigits;
  int ProbType = 1;
  bool SequentialEntry = false;
  bool ChessGrid = false;   // the grid has the Chess rule
  bool PieceOnCell = false; // a chess piece stands on the cell
  bool BattleShipGrid = false;
  int Boat = 0; // the cell's boat mark
};
std::vector<MenuChoice> PlayingCellMenu(const CellMenuInputs &in, Language language);
std::vector<MenuChoice> ClueCellMenu(Language language);
// On a piece beside the grid: mark it found, or not, or every piece not found; a Battle Ship
// grid names its pieces boats.
enum PieceMenuItem : int { kItemPieceFound = 18, kItemPieceNotFound = 19, kItemNoPieceFound = 20 };
std::vector<MenuChoice> PieceMenu(bool found, bool boats, Language language);
std::vector<MenuChoice> MessagePanelMenu(bool commentsShown, Language language);

struct BoardMenuInputs {
  SymbolMode Symbols = kSymbolDigits;
  int ProbType = 1;
  bool LineColShown = false;
  bool CommentsShown = true;
  bool NumberBarShown = true;
  int GameMode = 0;
};
std::vector<MenuChoice> BoardMenu(const BoardMenuInputs &in, Language language);

// The number bar's menu in pictures mode: the pictures in their own order, shuffled, then one
// item per picture list (kItemFirstPictureList + its index).
inline constexpr int kItemResetImages = 1;
inline constexpr int kItemShuffleImages = 2;
inline constexpr int kItemFirstPictureList = 3;
std::vector<MenuChoice> PictureSetMenu(const std::vector<std::string> &lists, Language language);

} // namespace quorbel
