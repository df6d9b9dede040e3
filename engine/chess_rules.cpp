#include "engine/chess_rules.h"

#include <array>

#include "engine/geometry.h"
#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int8_t kConflictListed = 1;   // the piece's digit is not its figure's
constexpr int8_t kConflictAttacked = 5; // found by the check

// Every cell the figure of `kind` standing on `cell` attacks; never its own cell. Lines run
// through other figures.
template <typename Visit>
void ForEachAttack(const GridGeometry &geo, int cell, int kind, int colour, Visit visit) {
  const int w = geo.GridWidth;
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  auto at = [&](int rr, int cc) {
    if (rr >= 0 && rr < w && cc >= 0 && cc < w && (rr != r || cc != c))
      visit(rr * w + cc);
  };
  auto line = [&](int dr, int dc) {
    for (int rr = r + dr, cc = c + dc; rr >= 0 && rr < w && cc >= 0 && cc < w; rr += dr, cc += dc)
      at(rr, cc);
  };
  switch (kind) {
  case kKnight:
    ForEachKnightMove(geo, cell, visit);
    return;
  case kKing:
    for (int dr = -1; dr <= 1; ++dr)
      for (int dc = -1; dc <= 1; ++dc)
        at(r + dr, c + dc);
    return;
  case kPawn: {
    const int ahead = colour == 0 ? 1 : -1; // black moves down the grid, white up
    at(r + ahead, c - 1);
    at(r + ahead, c + 1);
    return;
  }
  default:
    break;
  }
  if (kind == kRook || kind == kQueen)
    for (const auto &[dr, dc] : std::array<std::array<int, 2>, 4>{{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}})
      line(dr, dc);
  if (kind == kBishop || kind == kQueen)
    for (const auto &[dr, dc] : std::array<std::array<int, 2>, 4>{{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}})
      line(dr, dc);
}

} // namespace

void ComputeChessAttacks(const GridGeometry &geo, GridRecord &grid) {
  for (int cell = 0; cell < geo.NCells; ++cell) {
    grid.Cells[cell].BlackAttacks = 0;
    grid.Cells[cell].WhiteAttacks = 0;
  }
  for (int cell = 0; cell < geo.NCells; ++cell) {
    const CellRecord &figure = grid.Cells[cell];
    if (figure.ImageIndex < 0 || figure.ImageIndex >= kChessFigures)
      continue;
    const int kind = figure.ImageIndex % kChessKinds;
    const int colour = figure.ImageIndex / kChessKinds;
    const int digit = grid.Work.FigureValue[static_cast<size_t>(kind * 2 + colour)];
    const auto bit = static_cast<uint16_t>(ValueBit(digit));
    if (bit == 0)
      continue;
    ForEachAttack(geo, cell, kind, colour, [&](int target) {
      if (colour == 0)
        grid.Cells[target].BlackAttacks |= bit;
      else
        grid.Cells[target].WhiteAttacks |= bit;
    });
  }
}

std::vector<int> ChessAttackedCells(const GridGeometry &geo, int cell, int figure) {
  std::vector<int> cells;
  ForEachAttack(geo, cell, figure % kChessKinds, figure / kChessKinds,
                [&](int target) { cells.push_back(target); });
  return cells;
}

void PrepareChessCells(const GridGeometry &geo, GridRecord &grid) {
  VariantWork &work = grid.Work;
  for (int cell = 0; cell < geo.NCells; ++cell) {
    grid.Cells[cell].ImageIndex = -1;
    grid.Cells[cell].FigureColour = 0;
  }
  work.FigureValue.fill(-1);
  const auto &pieces = grid.Lists.Chess;
  for (int i = 0; i < pieces.Size(); ++i) {
    const ChessPiece &piece = pieces.Items[static_cast<size_t>(i)];
    work.ChessConflict[static_cast<size_t>(i)] = 0;
    if (piece.Cell < 0 || piece.Cell >= geo.NCells || piece.Kind < 0 || piece.Kind >= kChessKinds ||
        piece.Colour < 0 || piece.Colour > 1)
      continue;
    CellRecord &cell = grid.Cells[piece.Cell];
    cell.ImageIndex = static_cast<int16_t>(piece.Kind + kChessKinds * piece.Colour);
    cell.FigureColour = piece.Colour;
    if (!IsFilled(cell))
      continue;
    const auto figure = static_cast<size_t>(piece.Kind * 2 + piece.Colour);
    if (work.FigureValue[figure] == -1)
      work.FigureValue[figure] = static_cast<int8_t>(cell.Value);
    bool conflict = work.FigureValue[figure] != cell.Value;
    for (size_t other = 0; other < work.FigureValue.size(); ++other)
      conflict = conflict || (other != figure && work.FigureValue[other] == work.FigureValue[figure]);
    if (conflict) {
      work.ChessConflict[static_cast<size_t>(i)] = kConflictListed;
      cell.Check = kCheckConflict;
    }
  }
  // Each digit's figure (the first when two share it), read once rather than at every cell: this
  // runs at every node of a search.
  std::array<int8_t, kMaxWidth + 1> figureOfValue;
  figureOfValue.fill(-1);
  for (int figure = kChessFigures - 1; figure >= 0; --figure) {
    const int v = work.FigureValue[static_cast<size_t>(figure)];
    if (v >= 1 && v <= kMaxWidth)
      figureOfValue[static_cast<size_t>(v)] = static_cast<int8_t>(figure);
  }
  for (int cell = 0; cell < geo.NCells; ++cell) {
    CellRecord &record = grid.Cells[cell];
    if (!IsFilled(record) || record.Value < 1 || record.Value > kMaxWidth)
      continue;
    const int figure = figureOfValue[static_cast<size_t>(record.Value)];
    if (figure >= 0) {
      record.ImageIndex = static_cast<int16_t>(figure / 2 + kChessKinds * (figure % 2));
      record.FigureColour = static_cast<int16_t>(figure % 2);
    }
  }
  ComputeChessAttacks(geo, grid);
}

void CheckChess(const GridGeometry &geo, GridRecord &grid) {
  const auto &pieces = grid.Lists.Chess;
  auto markPieces = [&](int cell) {
    grid.Cells[cell].Check = kCheckConflict;
    for (int i = 0; i < pieces.Size(); ++i)
      if (pieces.Items[static_cast<size_t>(i)].Cell == cell)
        grid.Work.ChessConflict[static_cast<size_t>(i)] = kConflictAttacked;
  };
  for (int i = 0; i < pieces.Size(); ++i) {
    const CellRef cell = pieces.Items[static_cast<size_t>(i)].Cell;
    if (grid.Work.ChessConflict[static_cast<size_t>(i)] == kConflictListed && cell >= 0 && cell < geo.NCells)
      grid.Cells[cell].Check = kCheckConflict;
  }
  const bool full = grid.SudMissing == 0;
  for (int cell = 0; cell < geo.NCells; ++cell) {
    const CellRecord &record = grid.Cells[cell];
    if (record.ImageIndex < 0 || record.ImageIndex >= kChessFigures)
      continue;
    const bool white = record.ImageIndex >= kChessKinds;
    if (white && record.WhiteAttacks != 0)
      markPieces(cell);
    else if (!white && full && record.BlackAttacks == 0)
      markPieces(cell);
  }
}

int FilterChess(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  for (int cell = 0; cell < geo.NCells; ++cell) {
    CellRecord &record = grid.Cells[cell];
    if (record.ImageIndex < 0)
      changed |= AndPoss(record, ~static_cast<uint32_t>(record.WhiteAttacks));
  }
  return changed;
}

} // namespace quorbel
