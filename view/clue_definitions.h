// The expert's clue definitions of the sum and product rules: a selection of cells becomes a
// clue of the current grid, or takes one away; an empty selection clears the rule. Every
// definition tests the expert flag first, takes an undo step before it changes a list, keeps
// the rule's bits in step with its clues, recomputes the candidates and repaints. Its lines go
// to the message panel, in English in both languages.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_context.h"
#include "view/board_input.h"
#include "view/selection_list.h"

namespace quorbel {

// What a definition command of a clue list has of its own around its tests and its change.
struct ClueListFrame {
  bool SortedCells = true;     // the selection in cell order, else in the order chosen
  std::string_view AllRemoved; // posted when an empty selection has cleared the list ("" nothing)
  void (*Clear)(const GridGeometry &geo, GridRecord &grid) = nullptr; // what an empty selection takes away
  void (*FollowBits)(GridRecord &grid) = nullptr; // the rule's bits from the clues the grid holds
  bool Tables = false;                            // the block tables are built again after a change
};

// The two lines a command posts when its selection is not two cells side by side.
struct NeighbourPairLines {
  std::string_view NotTwo;
  std::string_view NotSideBySide;
};

class ClueDefinitions {
public:
  ClueDefinitions(EngineContext &ctx, SelectionList &selection, BoardFeedback &feedback, bool expert)
      : ctx_(ctx), selection_(selection), feedback_(feedback), expert_(expert) {}

  void Killer(int product);
  void LittleKiller();
  void MagicSquare();
  void Arrow();
  void Creasing();
  void Kimo();
  void ZeroKiller();
  void MultiplicationTable();
  // The clues beside the grid; `frameMode` is the view's Frame mode (1 sum, 2 product, 6 max),
  // stepped by the Frame definition.
  void Frame(int &frameMode);
  void LastNumber();
  void SkyScraper();
  void Outside();
  void Oddview();
  void TransferFrame();
  void TransferHighlight();

  // The rules between two cells (view/comparison_definitions.cpp). `dotKind` is the view's Dot
  // kind (4 to 7), stepped by the Dot definition.
  void SumMark(int kind); // 3 V, 2 X
  void LessChain();
  void GreaterPair();
  void Dot(int &dotKind);
  void Distance();
  void OddEven(int unknownParity); // Even (0) and Odd (1): a cell the solution does not know
  void OddXxx();
  void OddPair();
  void XxxPair();
  void Quad(int mode); // 1 min, 0 max
  void AllSignificant();

  // The neighbourhood rules (view/neighbour_definitions.cpp).
  void RuleSwitch(VariantWords bit, std::string_view added, std::string_view removed);
  void Chess();     // each selected cell's piece cycles
  void Navigator(); // two cells: the reference, then where its arrow points
  // Flips the neighbour score's bit; true when it is now set (the points are asked then).
  bool DoubleTriple();

  // The cell-set and group rules (view/cell_set_definitions.cpp).
  void Diagonal(); // cycles both, the first, the second, none
  // 1 to 4 extra regions from the first blocks of the block table, then the irregular blocks.
  void ExtraRegion();
  void Trio();
  // Pencil marks (1), segments (2), pips (3) or Roman numerals (4) on the selected cells.
  void AllowedSet(int type);
  void Dan();
  void Equality();
  void Wheel();
  void MagicSentence();
  void MasterMind();
  // True when the next keys type the focus cell's Numeral letter (one cell selected).
  bool Numeral();
  // Stores a typed letter as the cell's Numeral; returns the cell that takes the next one.
  int TypeNumeral(int cell, char key);

  // The pieces (view/piece_definitions.cpp).
  void PuzzlePiece(); // the selection (at most 10 cells) becomes a piece, or stops being one
  void NavalFlight(); // the pieces become boats, with their counts per row and column
  void Tiled();       // 1 to 4 piece cells are the tiles' marked corners
  void BattleshipOdd();
  void PuzzleRotate();
  // Each consecutive pair of the selection, usually across two grids, linked or unlinked
  // (view/twins_definitions.cpp).
  void TwinsRelation();
  void TwinsWhole(bool differents); // Twins Equal, or Twins Differents
  void TwinsZone();                 // two cells: their blocks linked
  void TwinsGroupRelation();        // the same values in a group of each of two grids
  void TwinsSameInRow();            // the selected values count the equal pairs of their rows
  void TwinsRefGrid();              // the last main grid becomes a reference grid
  void TwinTotal();                 // the sums grid of the main grids, on or off
  void TwinsSubstitution();         // W cells give the value map, a last cell the other grid

  // The definitions whose parameters a dialog asks. Each `...Selection` checks the selection and
  // says what is wrong (false), the next call applies the dialog's answer.
  bool BlockSelection();
  void Block(int number); // 1..W the selection becomes that block, 0 clears every block
  void TrioData(const std::array<int8_t, 16> &classes);
  void NumeralStrings(const std::array<std::string, 16> &words);
  void MagicTable(const std::array<int32_t, 26> &table, bool allGrids);
  struct PanChoice {
    std::array<int, 4> Blocks{-1, -1, -1, -1};
    int Position = -1; // the line (or column) inside the blocks, -1 when the cells disagree
    int Lines = 0;     // how many the dialog offers
  };
  // True with the blocks to ask about; false when the selection was cleared or refused.
  bool PanSelection(PanChoice &choice);
  void Pan(const PanChoice &choice, int position, const std::array<int, 3> &operators);

private:
  // The frame every definition of a clue list shares: nothing without the expert flag; an empty
  // selection clears the list; otherwise `define` makes its tests and its change on the selected
  // cells, taking the undo step first, and returns false when it refused (its reason posted,
  // nothing changed). After a change the rule's bits follow the list, the candidates are
  // recomputed and the board repainted.
  void Define(const ClueListFrame &frame,
              const std::function<bool(GridRecord &, const std::vector<int> &)> &define);
  // Posts why a definition refuses; false.
  bool Refuse(std::string_view line) const;
  // Two cells side by side, else posts what is wrong.
  bool NeighbourPair(const std::vector<int> &cells, const NeighbourPairLines &lines) const;
  void PromptNumeral(int cell);
  // The main grids of the selection, in the order they first appear.
  std::vector<int> SelectedGrids() const;
  GridRecord &Grid();
  const GridRecord &Reference();
  // The selected cells in the order chosen, or sorted by index.
  std::vector<int> Cells(bool sorted) const;
  int ReferenceValue(int cell);
  // The cell's value in the grid, else the solution's; 0 when neither knows it.
  int KnownValue(int cell);
  void Post(std::string_view line) const;
  void Snapshot();
  void Finish(bool tables = false);

  EngineContext &ctx_;
  SelectionList &selection_;
  BoardFeedback &feedback_;
  bool expert_;
};

// A run of selected cells from the edge inwards: the side (0 top, 1 right, 2 bottom, 3 left) and
// the line it stands beside. Side -1 when the cells (sorted) are not consecutive cells of one row
// or column touching the edge.
struct PerimeterRun {
  int Side = -1;
  int Line = -1;
};
PerimeterRun FindPerimeterRun(const GridGeometry &geo, std::span<const int> sortedCells);

// The rule's bit on the grid, set or cleared.
void SetRuleBit(GridRecord &grid, VariantWords bit, bool on);
// Two cells side by side in a row or a column.
bool SideBySide(const GridGeometry &geo, int a, int b);
// Sorted cells, each next to the one before, along one row (`row` true) or one column.
bool CellRun(const GridGeometry &geo, std::span<const int> cells, bool &row);

} // namespace quorbel
