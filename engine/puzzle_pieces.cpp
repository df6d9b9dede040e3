#include "engine/puzzle_pieces.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>

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

using CellBits = std::bitset<kMaxCells>;
// Per digit 1..16, the cells that may show it.
using DigitCells = std::array<CellBits, 17>;

// The piece's cells turned and mirrored, from the smallest column and row over them.
struct TurnedShape {
  std::array<std::pair<int, int>, kMaxPieceDigits> Offsets{};
  int Width = 0;
  int Height = 0;
};

TurnedShape TurnShape(const GridGeometry &geo, const PuzzlePiece &piece, int rotation, bool mirror) {
  TurnedShape shape;
  const int n = CellCount(piece);
  if (n == 0 || geo.NCols <= 0)
    return shape;
  const int first = piece.Cells[0];
  int left = 0;
  int top = 0;
  for (int k = 0; k < n; ++k) {
    const int cell = piece.Cells[static_cast<size_t>(k)];
    int x = cell % geo.NCols - first % geo.NCols;
    const int y = cell / geo.NCols - first / geo.NCols;
    if (mirror)
      x = NegateCoord(x);
    const auto turned = RotateCoords(rotation, x, y);
    shape.Offsets[static_cast<size_t>(k)] = turned;
    left = k == 0 ? turned.first : std::min(left, turned.first);
    top = k == 0 ? turned.second : std::min(top, turned.second);
  }
  for (int k = 0; k < n; ++k) {
    auto &[x, y] = shape.Offsets[static_cast<size_t>(k)];
    x -= left;
    y -= top;
    shape.Width = std::max(shape.Width, x + 1);
    shape.Height = std::max(shape.Height, y + 1);
  }
  return shape;
}

// The cells from which a shape of this extent, laid by its top-left, stays inside the grid.
// Kept per extent, since the filters ask for the same few at every pass.
const CellBits &Origins(const GridGeometry &geo, int width, int height) {
  constexpr int kSides = kMaxWidth + 1;
  thread_local int cols = -1;
  thread_local int rows = -1;
  thread_local std::array<CellBits, kSides * kSides> origins{};
  thread_local std::array<bool, kSides * kSides> known{};
  if (cols != geo.NCols || rows != geo.NRows) {
    cols = geo.NCols;
    rows = geo.NRows;
    known.fill(false);
  }
  const size_t key =
      static_cast<size_t>(std::clamp(width, 0, kMaxWidth) * kSides + std::clamp(height, 0, kMaxWidth));
  if (!known[key]) {
    CellBits row;
    for (int col = 0; col + width <= geo.NCols; ++col)
      row.set(static_cast<size_t>(col));
    CellBits all;
    for (int r = 0; r + height <= geo.NRows; ++r)
      all |= row << static_cast<size_t>(r * geo.NCols);
    origins[key] = all;
    known[key] = true;
  }
  return origins[key];
}

// Counts the placements of the piece, over every turn it may take, in which each digit lands on
// a cell that `may` shows it, stopping once `enough` are counted. The first one's cells and
// digits are handed back.
int CountPlacements(const GridGeometry &geo, const GridRecord &grid, const PuzzlePiece &piece, int enough,
                    const DigitCells &may, std::array<int, kMaxPieceDigits> *onlyCells = nullptr,
                    std::array<int, kMaxPieceDigits> *onlyDigits = nullptr) {
  const int n = CellCount(piece);
  int count = 0;
  ForEachTurn(AllowedPieceTurns(grid, piece), [&](int rotation, bool mirror) {
    const TurnedShape shape = TurnShape(geo, piece, rotation, mirror);
    if (n > 0 && (shape.Width > geo.NCols || shape.Height > geo.NRows))
      return false;
    CellBits fits = Origins(geo, shape.Width, shape.Height);
    std::array<int, kMaxPieceDigits> shift{};
    std::array<int, kMaxPieceDigits> digits{};
    for (int k = 0; k < n && fits.any(); ++k) {
      const auto [dc, dr] = shape.Offsets[static_cast<size_t>(k)];
      shift[static_cast<size_t>(k)] = dr * geo.NCols + dc;
      digits[static_cast<size_t>(k)] =
          TurnedDigit(grid, piece.Digits[static_cast<size_t>(k)], rotation, mirror);
      const int d = digits[static_cast<size_t>(k)];
      if (d < 0 || d > 16)
        fits.reset();
      else if (d != 0)
        fits &= may[static_cast<size_t>(d)] >> static_cast<size_t>(shift[static_cast<size_t>(k)]);
    }
    // Only none, one or several matter: the count stops at `enough`.
    const size_t first = fits._Find_first();
    if (first >= fits.size())
      return false;
    const int here = fits._Find_next(first) < fits.size() ? 2 : 1;
    if (count == 0 && onlyCells) {
      for (int k = 0; k < n; ++k)
        (*onlyCells)[static_cast<size_t>(k)] = static_cast<int>(first) + shift[static_cast<size_t>(k)];
      *onlyDigits = digits;
    }
    count += here;
    return count >= enough;
  });
  return std::min(count, std::max(enough, 1));
}

// The cells holding each digit (placed or given), and with `open`, the open cells that still
// have it as a candidate.
DigitCells CellsThatMayShow(const GridGeometry &geo, const GridRecord &grid, bool open) {
  DigitCells may{};
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
    if (IsOpenStatus(cell.Status)) {
      if (open)
        for (uint32_t poss = cell.ThePoss & geo.FullMask; poss != 0; poss &= poss - 1)
          may[static_cast<size_t>(std::countr_zero(poss) + 1)].set(static_cast<size_t>(c));
    } else if (cell.Value >= 1 && cell.Value <= 16) {
      may[static_cast<size_t>(cell.Value)].set(static_cast<size_t>(c));
    }
  }
  return may;
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
  if (k < 0 || k >= CellCount(piece))
    return {0, 0};
  return TurnShape(geo, piece, rotation, mirror).Offsets[static_cast<size_t>(k)];
}

void CheckPuzzlePiece(const GridGeometry &geo, GridRecord &grid, int i) {
  if (grid.SudMissing != 0 || i < 0 || i >= grid.Lists.Pieces.Size())
    return;
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
  if (CountPlacements(geo, grid, piece, 1, CellsThatMayShow(geo, grid, false)) == 0) {
    grid.Work.PieceConflict[static_cast<size_t>(i)] = 1;
    grid.State = kGridContradiction;
  }
}

namespace {

int NarrowToPlace(const GridGeometry &geo, GridRecord &grid, const PuzzlePiece &piece,
                  const std::array<int, kMaxPieceDigits> &cells,
                  const std::array<int, kMaxPieceDigits> &digits) {
  int changed = 0;
  for (int k = 0; k < CellCount(piece); ++k)
    if (const int d = digits[static_cast<size_t>(k)]; d != 0)
      changed |=
          RestrictPoss(geo, grid.Cells[static_cast<size_t>(cells[static_cast<size_t>(k)])], ValueBit(d));
  return changed;
}

} // namespace

int FilterPuzzlePieces(const GridGeometry &geo, GridRecord &grid, int i, bool narrow) {
  if (i < 0 || i >= grid.Lists.Pieces.Size())
    return 0;
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
  std::array<int, kMaxPieceDigits> onlyCells{};
  std::array<int, kMaxPieceDigits> onlyDigits{};
  if (CountPlacements(geo, grid, piece, 2, CellsThatMayShow(geo, grid, true), &onlyCells, &onlyDigits) != 1 ||
      !narrow)
    return 0;
  return NarrowToPlace(geo, grid, piece, onlyCells, onlyDigits);
}

int FilterAllPuzzlePieces(const GridGeometry &geo, GridRecord &grid) {
  DigitCells may = CellsThatMayShow(geo, grid, true);
  int changed = 0;
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i) {
    const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(i)];
    std::array<int, kMaxPieceDigits> onlyCells{};
    std::array<int, kMaxPieceDigits> onlyDigits{};
    const int places = CountPlacements(geo, grid, piece, 2, may, &onlyCells, &onlyDigits);
    if (places == 0) {
      grid.Work.PieceConflict[static_cast<size_t>(i)] = 1;
      grid.State = kGridContradiction;
    } else if (places == 1 && NarrowToPlace(geo, grid, piece, onlyCells, onlyDigits) != 0) {
      changed = 1;
      // The narrowed cells may now show their piece digit only.
      for (int k = 0; k < CellCount(piece); ++k)
        if (const int d = onlyDigits[static_cast<size_t>(k)]; d != 0)
          for (int e = 1; e <= 16; ++e)
            if (e != d)
              may[static_cast<size_t>(e)].reset(static_cast<size_t>(onlyCells[static_cast<size_t>(k)]));
    }
  }
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
    const TurnedShape shape = TurnShape(geo, piece, piece.Rotation, piece.Mirror != 0);
    const auto &offsets = shape.Offsets;
    bool placed = n == 0;
    // Only where the whole shape stays on the board.
    for (int row = 0; row + 2 * shape.Height <= rows && !placed; ++row)
      for (int col = 0; col + 2 * shape.Width <= columns && !placed; ++col) {
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
  const int grownRoom = growRows ? rows : columns;
  const int otherRoom = growRows ? columns : rows;
  // The grown side never passes the room it has: pieces laid beyond it would cover what lies
  // next to the area. Drawn smaller (by the scale), the pieces find more squares in the same room.
  for (; scale <= kMostScale; scale *= kScaleStep) {
    const int limit = static_cast<int>(grownRoom * scale);
    const int other = static_cast<int>(otherRoom * scale);
    for (int grow = std::min(kFirstGrow, limit); grow <= limit; ++grow) {
      const int r = growRows ? grow : other;
      const int c = growRows ? other : grow;
      if (PlacePuzzlePieces(geo, grid, c, r)) {
        rows = r;
        columns = c;
        return true;
      }
    }
  }
  return false;
}

namespace {

void SortPieceCells(PuzzlePiece &piece) {
  const int n = CellCount(piece);
  // The marked cell is a position in the piece: it follows its cell through the sort.
  const int marked =
      piece.MarkedCell >= 0 && piece.MarkedCell < n ? piece.Cells[static_cast<size_t>(piece.MarkedCell)] : -1;
  std::array<std::pair<int, int>, kMaxPieceDigits> cells{};
  for (int k = 0; k < n; ++k)
    cells[static_cast<size_t>(k)] = {piece.Cells[static_cast<size_t>(k)],
                                     piece.Digits[static_cast<size_t>(k)]};
  std::sort(cells.begin(), cells.begin() + n);
  for (int k = 0; k < n; ++k) {
    piece.Cells[static_cast<size_t>(k)] = static_cast<CellRef>(cells[static_cast<size_t>(k)].first);
    piece.Digits[static_cast<size_t>(k)] = static_cast<int16_t>(cells[static_cast<size_t>(k)].second);
    if (cells[static_cast<size_t>(k)].first == marked)
      piece.MarkedCell = static_cast<int16_t>(k);
  }
}

} // namespace

void ShowPuzzlePieces(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  int record = geo.NCellRecs;
  for (PuzzlePiece &piece : grid.Lists.Pieces.Used()) {
    SortPieceCells(piece);
    const int n = CellCount(piece);
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

void NormalisePuzzlePieces(EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  auto &pieces = grid.Lists.Pieces;
  const int count = pieces.Size();
  if (count == 0)
    return;
  for (PuzzlePiece &piece : pieces.Used())
    SortPieceCells(piece);
  for (int k = 0; k < count; ++k)
    std::swap(pieces.Items[static_cast<size_t>(RandomBelow(ctx.Random, count))],
              pieces.Items[static_cast<size_t>(RandomBelow(ctx.Random, count))]);
  for (PuzzlePiece &piece : pieces.Used()) {
    const int n = CellCount(piece);
    const PieceTurns turns = AllowedPieceTurns(grid, piece);
    piece.Mirror = 0;
    if (Meets(grid.GridVar, kVarBattleShip)) {
      piece.Rotation = static_cast<int16_t>(
          n > 1 && geo.NCols > 0 && piece.Cells[0] / geo.NCols != piece.Cells[1] / geo.NCols ? 1 : 0);
    } else if (Meets(grid.GridVar, kVarTiled)) {
      piece.Rotation =
          static_cast<int16_t>((turns.Rotations & 0b100u) != 0 ? 2 * RandomBelow(ctx.Random, 2) : 0);
      piece.Mirror = static_cast<int16_t>(turns.Mirror ? RandomBelow(ctx.Random, 2) : 0);
    } else {
      piece.Rotation = static_cast<int16_t>(turns.Rotations == 0b1111u ? RandomBelow(ctx.Random, 4) : 0);
    }
  }
  ShowPuzzlePieces(ctx, grid);
}

int GridCornerOf(const GridGeometry &geo, int cell) {
  if (cell == 0)
    return 0;
  if (cell == geo.NCols - 1)
    return 1;
  if (cell == geo.NCells - 1)
    return 2;
  if (cell == geo.NCells - geo.NCols)
    return 3;
  return -1;
}

void MarkPieceCorners(const GridGeometry &geo, VariantLists &lists) {
  // A piece on two corners is marked on the later cell of the grid, whatever order its cells
  // were listed in, so that a piece read, saved and read again keeps its mark.
  for (PuzzlePiece &piece : lists.Pieces.Used())
    for (int k = 0; k < CellCount(piece); ++k) {
      const int cell = piece.Cells[static_cast<size_t>(k)];
      const bool later = piece.MarkedCell < 0 || piece.MarkedCell >= CellCount(piece) ||
                         cell > piece.Cells[static_cast<size_t>(piece.MarkedCell)];
      if (GridCornerOf(geo, cell) >= 0 && later)
        piece.MarkedCell = static_cast<int16_t>(k);
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
