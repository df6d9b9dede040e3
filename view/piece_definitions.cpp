// The expert's definitions of the pieces: Puzzle pieces cut from the selection, the boats of
// Battle Ship with their counts, the Tiled marked corners, the pieces' parity and rotation.
#include <algorithm>

#include "engine/boat_marks.h"
#include "engine/grid_cells.h"
#include "engine/puzzle_pieces.h"
#include "engine/undo_services.h"
#include "view/clue_definitions.h"

namespace quorbel {

namespace {

// The places where the cells, shifted together, each land on a cell of the same value.
int Translations(const GridGeometry &geo, const std::vector<int> &cells, const std::vector<int> &values) {
  int places = 0;
  const int firstRow = cells[0] / geo.NCols;
  const int firstCol = cells[0] % geo.NCols;
  for (int origin = 0; origin < geo.NCells; ++origin) {
    bool same = true;
    for (size_t k = 0; k < cells.size() && same; ++k) {
      const int row = origin / geo.NCols + cells[k] / geo.NCols - firstRow;
      const int col = origin % geo.NCols + cells[k] % geo.NCols - firstCol;
      same = row >= 0 && col >= 0 && row < geo.NRows && col < geo.NCols &&
             values[static_cast<size_t>(row * geo.NCols + col)] == values[static_cast<size_t>(cells[k])];
    }
    places += same ? 1 : 0;
  }
  return places;
}

} // namespace

void ClueDefinitions::PuzzlePiece() {
  if (!expert_)
    return;
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  auto &pieces = grid.Lists.Pieces;
  std::vector<int> cells = Cells(true);
  Snapshot();
  if (cells.empty()) {
    SetRuleBit(grid, kVarPuzzle | kVarTiled, false);
    pieces.Clear();
    Post("Remove full Puzzle");
    ResetRegionTables(geo, grid);
    Finish(true);
    return;
  }
  if (pieces.Full()) {
    Post("Two many Puzzle: Not selected");
    return;
  }
  if (cells.size() > static_cast<size_t>(kMaxPieceDigits)) {
    Post("Two many selection for Puzzle: truncation");
    cells.resize(kMaxPieceDigits);
  }
  for (int i = 0; i < pieces.Size(); ++i) {
    const quorbel::PuzzlePiece &piece = pieces.Items[static_cast<size_t>(i)];
    std::vector<int> its(piece.Cells.begin(), piece.Cells.begin() + std::clamp<int>(piece.NCells, 0, 10));
    std::sort(its.begin(), its.end());
    if (its != cells)
      continue;
    RemovePuzzlePiece(grid, i);
    if (pieces.Size() > 0) {
      Post("Puzzle piece Removed");
    } else {
      SetRuleBit(grid, kVarPieceRules, false);
      Post("Remove full Puzzle");
    }
    ResetRegionTables(geo, grid);
    ShowPuzzlePieces(ctx_, grid);
    Finish(true);
    return;
  }
  if (!CanAddPuzzlePiece(geo, grid.Lists, static_cast<int>(cells.size()))) {
    Post("Two many Puzzle: Not selected");
    return;
  }
  quorbel::PuzzlePiece piece;
  piece.Cells.fill(-1);
  for (const int cell : cells) {
    piece.Cells[static_cast<size_t>(piece.NCells)] = static_cast<CellRef>(cell);
    piece.Digits[static_cast<size_t>(piece.NCells)] = static_cast<int16_t>(ReferenceValue(cell));
    ++piece.NCells;
  }
  pieces.Append(piece);
  if (!Meets(grid.GridVar, kVarTiled))
    SetRuleBit(grid, kVarPuzzle, true);
  SetRuleBit(grid, kVarBattleShip, false);
  ResetRegionTables(geo, grid);
  NormalisePuzzlePieces(ctx_, grid);
  // Where else the solution shows the same digits in the same shape.
  std::vector<int> values(static_cast<size_t>(geo.NCells));
  for (int c = 0; c < geo.NCells; ++c)
    values[static_cast<size_t>(c)] = ReferenceValue(c);
  Post(Translations(geo, cells, values) == 1
           ? "Puzzle piece Added"
           : "Puzzle piece Added: WARNING more than 1 possible position - better to remove");
  Finish(true);
}

void ClueDefinitions::NavalFlight() {
  if (!expert_)
    return;
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  if (grid.Lists.Pieces.Size() == 0) {
    Post("Please define Puzzle Pieces first");
    return;
  }
  const std::vector<int> cells = Cells(true);
  if (cells.size() == 1) {
    Post("Please select more than 1 cell in line or column to avoid ambiguity");
    return;
  }
  Snapshot();
  VariantLists &lists = grid.Lists;
  if (cells.empty() && Meets(grid.GridVar, kVarBattleShip)) {
    SetRuleBit(grid, kVarBattleShip, false);
    SetRuleBit(grid, kVarPuzzle, true);
    Post("Naval Fight Removed");
    feedback_.RedrawViewNow();
    return;
  }
  if (cells.empty()) {
    SetBoatClues(geo, grid);
  } else {
    // Cells of one row give the counts of their columns; of one column, of their rows.
    const bool row = cells.back() - cells.front() < geo.GridWidth;
    for (const int cell : cells) {
      const int value = std::clamp(KnownValue(cell), 0, kMaxWidth);
      if (row)
        lists.BoatClueCol[static_cast<size_t>(cell % geo.NCols)] = static_cast<int8_t>(value);
      else
        lists.BoatClueRow[static_cast<size_t>(cell / geo.NCols)] = static_cast<int8_t>(value);
    }
  }
  SetRuleBit(grid, kVarBattleShip, true);
  SetRuleBit(grid, kVarPuzzle, false);
  Post("Naval Fight defined");
  feedback_.RedrawViewNow();
}

void ClueDefinitions::Tiled() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  auto &pieces = grid.Lists.Pieces;
  const std::vector<int> cells = Cells(false);
  Snapshot();
  if (cells.empty()) {
    for (quorbel::PuzzlePiece &piece : pieces.Used())
      piece.MarkedCell = -1;
    SetRuleBit(grid, kVarTiled, false);
    SetRuleBit(grid, kVarPuzzle, pieces.Size() > 0);
    Post("All Tiled cancelled");
    NormalisePuzzlePieces(ctx_, grid);
    Finish();
    return;
  }
  if (cells.size() > 4) {
    UndoLastState(ctx_);
    Post("Please select 1 to 4 cells to be set as Edge of Tiled");
    return;
  }
  // Each selected cell must be a cell of a piece.
  std::vector<std::pair<int, int>> marks;
  for (const int cell : cells)
    for (int i = 0; i < pieces.Size(); ++i) {
      const quorbel::PuzzlePiece &piece = pieces.Items[static_cast<size_t>(i)];
      for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k)
        if (piece.Cells[static_cast<size_t>(k)] == cell)
          marks.emplace_back(i, k);
    }
  if (pieces.Size() == 0 || marks.size() != cells.size()) {
    UndoLastState(ctx_);
    Post("Tiled: You must first define Puzzle pieces");
    return;
  }
  for (quorbel::PuzzlePiece &piece : pieces.Used())
    piece.MarkedCell = -1;
  for (const auto &[i, k] : marks)
    pieces.Items[static_cast<size_t>(i)].MarkedCell = static_cast<int16_t>(k);
  SetRuleBit(grid, kVarTiled, true);
  SetRuleBit(grid, kVarPuzzle, false);
  NormalisePuzzlePieces(ctx_, grid); // the tiles take the turns their digits allow
  Post("Tiled cells added to Puzzle");
  Finish();
}

void ClueDefinitions::BattleshipOdd() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  if (!Meets(grid.GridVar, kVarBattleShip) && !Meets(grid.GridVar, kVarPuzzle) &&
      !Meets(grid.GridVar, kVarTiled)) {
    Post("Battleship Odd: You must define BattleShip or Puzzle first");
    return;
  }
  VariantLists &lists = grid.Lists;
  lists.PieceParity = static_cast<int16_t>(lists.PieceParity == 1 ? 0 : 1);
  for (const quorbel::PuzzlePiece &piece : lists.Pieces.Used())
    for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k) {
      const int cell = piece.Cells[static_cast<size_t>(k)];
      const int digit = piece.Digits[static_cast<size_t>(k)];
      if (cell >= 0 && cell < ctx_.Geo.NCells)
        grid.Cells[static_cast<size_t>(cell)].OddEven =
            static_cast<int8_t>(lists.PieceParity == 1 && digit > 0 ? digit % 2 : -1);
    }
  Post(lists.PieceParity == 1 ? "Battleship Odd Added" : "Battleship Odd Removed");
  Finish();
}

void ClueDefinitions::PuzzleRotate() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  grid.Lists.PuzzleRotation = static_cast<int16_t>(grid.Lists.PuzzleRotation == 1 ? 0 : 1);
  Post(grid.Lists.PuzzleRotation == 1 ? "Puzzle Rotation Added" : "Puzzle Rotation Removed");
  feedback_.RedrawViewNow();
}

} // namespace quorbel
