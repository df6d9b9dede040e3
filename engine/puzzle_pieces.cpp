#include "engine/puzzle_pieces.h"

#include <algorithm>
#include <array>

#include "engine/cell_actions.h"
#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "platform/random.h"

namespace quorbel {

namespace {

constexpr unsigned kUpsideDownDigits = 0x1B3; // 1, 2, 5, 6, 8, 9
constexpr unsigned kMirrorDigits = 0x93;      // 1, 2, 5, 8
constexpr int kFirstGrow = 5;
constexpr double kScaleStep = 1.3;
constexpr double kMostScale = 4.0;

int CellCount(const PuzzlePiece &piece) { return std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); }

// Every digit of the piece is 0 or one of `digits` (bit d - 1 for digit d).
bool DigitsAmong(const PuzzlePiece &piece, unsigned digits) {
  for (int k = 0; k < CellCount(piece); ++k) {
    const int d = piece.Digits[static_cast<size_t>(k)];
    if (d != 0 && (d < 1 || d > 16 || (digits & (1u << (d - 1))) == 0))
      return false;
  }
  return true;
}

// Calls `each(rotation, mirror)` for every turn the piece may take; stops when it returns true.
template <typename Each> bool ForEachTurn(const PieceTurns &turns, Each each) {
  for (int mirror = 0; mirror <= (turns.Mirror ? 1 : 0); ++mirror)
    for (int rotation = 0; rotation < 4; ++rotation)
      if ((turns.Rotations & (1u << rotation)) != 0 && each(rotation, mirror == 1))
        return true;
  return false;
}

// The piece laid with its turned shape's top-left at (row, col): each cell's grid cell and the
// digit it shows, false when a cell falls outside the grid.
bool Lay(const GridGeometry &geo, const GridRecord &grid, const PuzzlePiece &piece, int row, int col,
         int rotation, bool mirror, std::array<int, kMaxPieceDigits> &cells,
         std::array<int, kMaxPieceDigits> &digits) {
  for (int k = 0; k < CellCount(piece); ++k) {
    const auto [dc, dr] = PieceCellOffset(geo, piece, k, rotation, mirror);
    const int r = row + dr;
    const int c = col + dc;
    if (r < 0 || c < 0 || r >= geo.NRows || c >= geo.NCols)
      return false;
    cells[static_cast<size_t>(k)] = r * geo.NCols + c;
    digits[static_cast<size_t>(k)] =
        TurnedDigit(grid, piece.Digits[static_cast<size_t>(k)], rotation, mirror);
  }
  return true;
}

// Calls `fits(cells, digits)` for every placement of the piece; counts those it accepts, stopping
// once `enough` are counted.
template <typename Fits>
int CountPlacements(const GridGeometry &geo, const GridRecord &grid, const PuzzlePiece &piece, int enough,
                    Fits fits, std::array<int, kMaxPieceDigits> *onlyCells = nullptr,
                    std::array<int, kMaxPieceDigits> *onlyDigits = nullptr) {
  int count = 0;
  std::array<int, kMaxPieceDigits> cells{};
  std::array<int, kMaxPieceDigits> digits{};
  ForEachTurn(AllowedPieceTurns(grid, piece), [&](int rotation, bool mirror) {
    for (int row = 0; row < geo.NRows; ++row)
      for (int col = 0; col < geo.NCols; ++col)
        if (Lay(geo, grid, piece, row, col, rotation, mirror, cells, digits) && fits(cells, digits)) {
          if (count == 0 && onlyCells) {
            *onlyCells = cells;
            *onlyDigits = digits;
          }
          if (++count >= enough)
            return true;
        }
    return false;
  });
  return count;
}

} // namespace

std::pair<int, int> RotateCoords(int type, int x, int y) {
  switch (type) {
  case 1:
    return {-y, x};
  case 2:
    return {-x, -y};
  case 3:
    return {y, -x};
  default:
    return {x, y};
  }
}

std::pair<int, int> RotateCoordsInBox(int type, int x, int y, int width, int height) {
  switch (type) {
  case 1:
    return {width - y, x};
  case 2:
    return {height - x, width - y};
  case 3:
    return {y, width - x};
  default:
    return {x, y};
  }
}

PieceTurns AllowedPieceTurns(const GridRecord &grid, const PuzzlePiece &piece) {
  if (Meets(grid.GridVar, kVarTiled))
    return {DigitsAmong(piece, kUpsideDownDigits) ? 0b101u : 0b1u, DigitsAmong(piece, kMirrorDigits)};
  if (Meets(grid.GridVar, kVarBattleShip) || grid.Lists.PuzzleRotation != 0)
    return {0b1111u, false};
  return {0b1u, false};
}

int TurnedDigit(const GridRecord &grid, int digit, int rotation, bool mirror) {
  if (digit == 0 || !Meets(grid.GridVar, kVarTiled))
    return digit;
  if (rotation == 2)
    digit = DigitUpsideDown(digit);
  if (mirror && digit > 0)
    digit = DigitMirror(digit);
  return digit;
}

std::pair<int, int> PieceCellOffset(const GridGeometry &geo, const PuzzlePiece &piece, int k, int rotation,
                                    bool mirror) {
  const int n = CellCount(piece);
  if (n == 0 || k < 0 || k >= n || geo.NCols <= 0)
    return {0, 0};
  auto turned = [&](int j) {
    const int cell = piece.Cells[static_cast<size_t>(j)];
    const int first = piece.Cells[0];
    int x = cell % geo.NCols - first % geo.NCols;
    const int y = cell / geo.NCols - first / geo.NCols;
    if (mirror)
      x = NegateCoord(x);
    return RotateCoords(rotation, x, y);
  };
  int left = 0;
  int top = 0;
  for (int j = 0; j < n; ++j) {
    const auto [x, y] = turned(j);
    left = j == 0 ? x : std::min(left, x);
    top = j == 0 ? y : std::min(top, y);
  }
  const auto [x, y] = turned(k);
  return {x - left, y - top};
}

void CheckPuzzlePiece(const GridGeometry &geo, GridRecord &grid, int i) {
  if (grid.SudMissing != 0 || i < 0 || i >= grid.Lists.Pieces.Size())
    return;
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
  const int n = CellCount(piece);
  const int found = CountPlacements(geo, grid, piece, 1, [&](const auto &cells, const auto &digits) {
    for (int k = 0; k < n; ++k) {
      const int d = digits[static_cast<size_t>(k)];
      if (d != 0 && grid.Cells[static_cast<size_t>(cells[static_cast<size_t>(k)])].Value != d)
        return false;
    }
    return true;
  });
  if (found == 0) {
    grid.Work.PieceConflict[static_cast<size_t>(i)] = 1;
    grid.State = kGridContradiction;
  }
}

int FilterPuzzlePieces(const GridGeometry &geo, GridRecord &grid, int i, bool narrow) {
  if (i < 0 || i >= grid.Lists.Pieces.Size())
    return 0;
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
  const int n = CellCount(piece);
  std::array<int, kMaxPieceDigits> onlyCells{};
  std::array<int, kMaxPieceDigits> onlyDigits{};
  const int found = CountPlacements(
      geo, grid, piece, 2,
      [&](const auto &cells, const auto &digits) {
        for (int k = 0; k < n; ++k) {
          const int d = digits[static_cast<size_t>(k)];
          if (d == 0)
            continue;
          const CellRecord &cell = grid.Cells[static_cast<size_t>(cells[static_cast<size_t>(k)])];
          if (IsOpenStatus(cell.Status) ? (cell.ThePoss & ValueBit(d)) == 0 : cell.Value != d)
            return false;
        }
        return true;
      },
      &onlyCells, &onlyDigits);
  if (found != 1 || !narrow)
    return 0;
  int changed = 0;
  for (int k = 0; k < n; ++k)
    if (const int d = onlyDigits[static_cast<size_t>(k)]; d != 0)
      changed |=
          RestrictPoss(geo, grid.Cells[static_cast<size_t>(onlyCells[static_cast<size_t>(k)])], ValueBit(d));
  return changed;
}

bool PlacePuzzlePieces(const GridGeometry &geo, GridRecord &grid, int columns, int rows) {
  columns = std::clamp(columns, 0, kLayoutBoardSide);
  rows = std::clamp(rows, 0, kLayoutBoardSide);
  auto &board = grid.Work.PieceLayoutBoard;
  for (auto &line : board)
    line.fill(kLayoutFree);
  auto freeSquare = [&](int r, int c) {
    return r >= 0 && c >= 0 && r < rows && c < columns &&
           board[static_cast<size_t>(r)][static_cast<size_t>(c)] == kLayoutFree;
  };
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i) {
    const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
    const int n = CellCount(piece);
    std::array<std::pair<int, int>, kMaxPieceDigits> offsets{};
    for (int k = 0; k < n; ++k)
      offsets[static_cast<size_t>(k)] = PieceCellOffset(geo, piece, k, piece.Rotation, piece.Mirror != 0);
    bool placed = false;
    for (int row = 0; row < rows && !placed; ++row)
      for (int col = 0; col < columns && !placed; ++col) {
        placed = true;
        for (int k = 0; k < n && placed; ++k) {
          const int r = row + 2 * offsets[static_cast<size_t>(k)].second;
          const int c = col + 2 * offsets[static_cast<size_t>(k)].first;
          placed =
              freeSquare(r, c) && freeSquare(r, c + 1) && freeSquare(r + 1, c) && freeSquare(r + 1, c + 1);
        }
        if (!placed)
          continue;
        for (int k = 0; k < n; ++k) {
          const int r = row + 2 * offsets[static_cast<size_t>(k)].second;
          const int c = col + 2 * offsets[static_cast<size_t>(k)].first;
          board[static_cast<size_t>(r)][static_cast<size_t>(c)] =
              static_cast<int16_t>(piece.Identities[static_cast<size_t>(k)]);
          grid.Work.PieceLayoutCol[static_cast<size_t>(i)][static_cast<size_t>(k)] = static_cast<int16_t>(c);
          grid.Work.PieceLayoutRow[static_cast<size_t>(i)][static_cast<size_t>(k)] = static_cast<int16_t>(r);
          // Its own squares and a ring of one square are kept from the next pieces.
          for (int rr = r - 1; rr <= r + 2; ++rr)
            for (int cc = c - 1; cc <= c + 2; ++cc)
              if (freeSquare(rr, cc))
                board[static_cast<size_t>(rr)][static_cast<size_t>(cc)] = kLayoutMargin;
        }
      }
    if (!placed)
      return false;
  }
  return true;
}

bool FitPuzzlePieces(const GridGeometry &geo, GridRecord &grid, int &rows, int &columns, bool growRows,
                     double &scale) {
  scale = 1.0;
  if (grid.Lists.Pieces.Size() == 0) {
    rows = columns = 0;
    return true;
  }
  const int startRows = rows;
  const int startColumns = columns;
  int other = growRows ? columns : rows;
  int grow = kFirstGrow;
  while (true) {
    const int r = growRows ? grow : other;
    const int c = growRows ? other : grow;
    if (PlacePuzzlePieces(geo, grid, c, r)) {
      rows = r;
      columns = c;
      return true;
    }
    ++grow;
    // Past the grown side's starting size (scaled): both sides grow by the scale and start again.
    if (grow > std::max(kFirstGrow, static_cast<int>((growRows ? startRows : startColumns) * scale))) {
      scale *= kScaleStep;
      if (scale > kMostScale)
        return false;
      other = static_cast<int>((growRows ? startColumns : startRows) * scale);
      grow = kFirstGrow;
    }
  }
}

void NormalisePuzzlePieces(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  auto &pieces = grid.Lists.Pieces;
  const int count = pieces.Size();
  if (count == 0)
    return;
  for (PuzzlePiece &piece : pieces.Used()) {
    const int n = CellCount(piece);
    std::array<std::pair<int, int>, kMaxPieceDigits> cells{};
    for (int k = 0; k < n; ++k)
      cells[static_cast<size_t>(k)] = {piece.Cells[static_cast<size_t>(k)],
                                       piece.Digits[static_cast<size_t>(k)]};
    std::sort(cells.begin(), cells.begin() + n);
    for (int k = 0; k < n; ++k) {
      piece.Cells[static_cast<size_t>(k)] = static_cast<CellRef>(cells[static_cast<size_t>(k)].first);
      piece.Digits[static_cast<size_t>(k)] = static_cast<int16_t>(cells[static_cast<size_t>(k)].second);
    }
  }
  for (int k = 0; k < count; ++k)
    std::swap(pieces.Items[static_cast<size_t>(RandomBelow(count))],
              pieces.Items[static_cast<size_t>(RandomBelow(count))]);
  int record = geo.NCellRecs;
  for (PuzzlePiece &piece : pieces.Used()) {
    const int n = CellCount(piece);
    const PieceTurns turns = AllowedPieceTurns(grid, piece);
    piece.Mirror = 0;
    if (Meets(grid.GridVar, kVarBattleShip)) {
      piece.Rotation = static_cast<int16_t>(
          n > 1 && geo.NCols > 0 && piece.Cells[0] / geo.NCols != piece.Cells[1] / geo.NCols ? 1 : 0);
    } else if (Meets(grid.GridVar, kVarTiled)) {
      piece.Rotation = static_cast<int16_t>((turns.Rotations & 0b100u) != 0 ? 2 * RandomBelow(2) : 0);
      piece.Mirror = static_cast<int16_t>(turns.Mirror ? RandomBelow(2) : 0);
    } else {
      piece.Rotation = static_cast<int16_t>(turns.Rotations == 0b1111u ? RandomBelow(4) : 0);
    }
    for (int k = 0; k < n && record < geo.AllocatedRecords(); ++k, ++record) {
      piece.Identities[static_cast<size_t>(k)] = static_cast<CellRef>(record);
      const int digit =
          TurnedDigit(grid, piece.Digits[static_cast<size_t>(k)], piece.Rotation, piece.Mirror != 0);
      SetCellValue(ctx, grid, record, std::max(digit, 0), kActionPlaceFixed);
    }
    if (n > 0 && geo.NCols > 0) {
      piece.AnchorRow = static_cast<int16_t>(piece.Cells[0] / geo.NCols);
      piece.AnchorCol = static_cast<int16_t>(piece.Cells[0] % geo.NCols);
    }
  }
}

int FindPuzzlePieceOfCell(const GridRecord &grid, int identity) {
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i) {
    const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
    for (int k = 0; k < CellCount(piece); ++k)
      if (piece.Identities[static_cast<size_t>(k)] == identity)
        return i;
  }
  return -1;
}

void RemovePuzzlePiece(GridRecord &grid, int n) {
  auto &pieces = grid.Lists.Pieces;
  if (n < 0 || n >= pieces.Size())
    return;
  pieces.RemoveAt(n);
  auto &work = grid.Work;
  for (int i = n; i < pieces.Size(); ++i) {
    work.PieceConflict[static_cast<size_t>(i)] = work.PieceConflict[static_cast<size_t>(i + 1)];
    work.PieceLayoutCol[static_cast<size_t>(i)] = work.PieceLayoutCol[static_cast<size_t>(i + 1)];
    work.PieceLayoutRow[static_cast<size_t>(i)] = work.PieceLayoutRow[static_cast<size_t>(i + 1)];
  }
}

} // namespace quorbel
