#include "solver/chess_links.h"

#include <algorithm>

#include "engine/grid_record.h"
#include "engine/value_mask.h"
#include "engine/variant_bits.h"

namespace quorbel {

namespace {

bool IsWhite(int figure) { return figure >= kChessKinds; }

uint16_t Bit(int digit) { return static_cast<uint16_t>(ValueBit(digit)); }

// The lists of `figure` from every cell: the cells it attacks, and the cells it attacks each from.
void BuildAttacks(const GridGeometry &geo, int figure, auto &attacks, auto &attackers) {
  std::vector<std::vector<uint8_t>> from(static_cast<size_t>(geo.NCells));
  attacks.start.assign(static_cast<size_t>(geo.NCells) + 1, 0);
  attacks.cells.clear();
  for (int c = 0; c < geo.NCells; ++c) {
    attacks.start[c] = static_cast<uint16_t>(attacks.cells.size());
    for (const int target : ChessAttackedCells(geo, c, figure)) {
      attacks.cells.push_back(static_cast<uint8_t>(target));
      from[target].push_back(static_cast<uint8_t>(c));
    }
  }
  attacks.start[geo.NCells] = static_cast<uint16_t>(attacks.cells.size());
  attackers.start.assign(static_cast<size_t>(geo.NCells) + 1, 0);
  attackers.cells.clear();
  for (int c = 0; c < geo.NCells; ++c) {
    attackers.start[c] = static_cast<uint16_t>(attackers.cells.size());
    attackers.cells.insert(attackers.cells.end(), from[c].begin(), from[c].end());
  }
  attackers.start[geo.NCells] = static_cast<uint16_t>(attackers.cells.size());
}

} // namespace

bool ChessLinksRead(const GridGeometry &geo, const GridRecord &grid) {
  if (!Meets(grid.GridVar, kVarChess))
    return true;
  std::array<bool, kMaxCells> taken{};
  for (const ChessPiece &piece : grid.Lists.Chess.Used()) {
    if (piece.Cell < 0 || piece.Cell >= geo.NCells || piece.Kind < 0 || piece.Kind >= kChessKinds ||
        piece.Colour < 0 || piece.Colour > 1 || taken[piece.Cell])
      return false;
    taken[piece.Cell] = true;
  }
  return true;
}

bool ChessLinks::Build(const GridGeometry &geo, const GridRecord &grid, bool read) {
  std::span<const ChessPiece> listed;
  if (read && Meets(grid.GridVar, kVarChess) && ChessLinksRead(geo, grid))
    listed = grid.Lists.Chess.Used();
  if (nCells_ == geo.NCells && width_ == geo.GridWidth && std::ranges::equal(listed, pieces_))
    return true;
  nCells_ = geo.NCells;
  width_ = geo.GridWidth;
  pieces_.assign(listed.begin(), listed.end());
  std::fill_n(figureOnCell_.begin(), geo.NCells, int8_t{-1});
  uint16_t figures = 0;
  for (const ChessPiece &piece : pieces_) {
    const int figure = piece.Kind + kChessKinds * piece.Colour;
    figureOnCell_[piece.Cell] = static_cast<int8_t>(figure);
    figures |= static_cast<uint16_t>(1u << figure);
  }
  for (int figure = 0; figure < kChessFigures; ++figure)
    if ((figures & (1u << figure)) != 0)
      BuildAttacks(geo, figure, attacks_[figure], attackers_[figure]);
  figures_ = figures;
  return false;
}

// Two figures never share a digit, and the pieces of one figure hold one digit.
bool ChessLinks::ReadDigits(std::span<const uint8_t> value, Digits &d) const {
  d.digit.fill(-1);
  d.figureOf.fill(-1);
  d.white = d.known = 0;
  for (const ChessPiece &piece : pieces_) {
    const int v = value[piece.Cell];
    if (v == 0)
      continue;
    const int figure = figureOnCell_[piece.Cell];
    if (d.digit[figure] < 0) {
      if (d.figureOf[v] >= 0)
        return false;
      d.digit[figure] = static_cast<int8_t>(v);
      d.figureOf[v] = static_cast<int8_t>(figure);
      d.known |= Bit(v);
      if (IsWhite(figure))
        d.white |= Bit(v);
    } else if (d.digit[figure] != v) {
      return false;
    }
  }
  d.blackKnown = true;
  for (int figure = 0; figure < kChessKinds; ++figure)
    d.blackKnown = d.blackKnown && ((figures_ & (1u << figure)) == 0 || d.digit[figure] >= 0);
  return true;
}

// The figure standing on a cell: its piece's, or its digit's once decided (-1 none).
int ChessLinks::FigureAt(std::span<const uint8_t> value, const Digits &d, int cell) const {
  if (figureOnCell_[cell] >= 0)
    return figureOnCell_[cell];
  return value[cell] != 0 ? d.figureOf[value[cell]] : -1;
}

bool ChessLinks::Around(std::span<const uint8_t> value, std::span<uint16_t> cand, int cell,
                        NarrowedRef narrowed) const {
  Digits d;
  if (!ReadDigits(value, d))
    return false;
  // A piece decided may have given its figure a digit: every cell is read again.
  if (cell >= 0 && figureOnCell_[cell] < 0) {
    const int figure = FigureAt(value, d, cell);
    return (figure < 0 || !IsWhite(figure) || NarrowWhite(value, cand, d, cell, figure, narrowed)) &&
           (!d.blackKnown || DefendAround(value, cand, d, cell, narrowed));
  }
  // An open piece takes its figure's digit when known, and never another figure's.
  for (const ChessPiece &piece : pieces_) {
    const int c = piece.Cell;
    const int digit = d.digit[figureOnCell_[c]];
    const auto keep = static_cast<uint16_t>(cand[c] & (digit > 0 ? Bit(digit) : ~d.known));
    if (value[c] != 0 || keep == cand[c])
      continue;
    cand[c] = keep;
    if (!narrowed(c))
      return false;
  }
  for (int c = 0; c < nCells_; ++c) {
    const int figure = FigureAt(value, d, c);
    if (figure >= 0 && IsWhite(figure) && !NarrowWhite(value, cand, d, c, figure, narrowed))
      return false;
  }
  if (!d.blackKnown)
    return true;
  for (int c = 0; c < nCells_; ++c) {
    const int figure = FigureAt(value, d, c);
    if (value[c] != 0 && figure >= 0 && !IsWhite(figure) && !Defend(value, cand, d, c, narrowed))
      return false;
  }
  return true;
}

// A white figure on `cell`: no cell it attacks may hold a white figure, and no known white
// figure may attack it.
bool ChessLinks::NarrowWhite(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d,
                             int cell, int figure, NarrowedRef narrowed) const {
  auto take = [&](int c, uint16_t lose) {
    if (value[c] != 0 || (cand[c] & lose) == 0)
      return true;
    cand[c] = static_cast<uint16_t>(cand[c] & ~lose);
    return narrowed(c);
  };
  for (const int target : attacks_[figure].Of(cell)) {
    const int other = FigureAt(value, d, target);
    if ((other >= 0 && IsWhite(other)) || !take(target, d.white))
      return false;
  }
  for (int attacker = kChessKinds; attacker < kChessFigures; ++attacker) {
    const int digit = d.digit[attacker];
    if (digit < 0)
      continue;
    for (const int from : attackers_[attacker].Of(cell))
      if (value[from] == digit || !take(from, Bit(digit)))
        return false;
  }
  return true;
}

// A black figure on the decided `cell` needs a black figure that attacks it: false when none
// can any more, and the only cell left to do it must.
bool ChessLinks::Defend(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d, int cell,
                        NarrowedRef narrowed) const {
  int options = 0;
  int only = -1;
  int onlyDigit = 0;
  for (int defender = 0; defender < kChessKinds; ++defender) {
    const int digit = d.digit[defender];
    if (digit < 0)
      continue;
    for (const int from : attackers_[defender].Of(cell)) {
      if (value[from] == digit)
        return true;
      if (value[from] == 0 && (cand[from] & Bit(digit)) != 0) {
        ++options;
        only = from;
        onlyDigit = digit;
      }
    }
  }
  if (options != 1)
    return options > 0;
  if (cand[only] == Bit(onlyDigit))
    return true;
  cand[only] = Bit(onlyDigit);
  return narrowed(only);
}

// The decided `cell` and the black figures it could have defended.
bool ChessLinks::DefendAround(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d,
                              int cell, NarrowedRef narrowed) const {
  const int figure = FigureAt(value, d, cell);
  if (figure >= 0 && !IsWhite(figure) && !Defend(value, cand, d, cell, narrowed))
    return false;
  for (int defender = 0; defender < kChessKinds; ++defender) {
    if (d.digit[defender] < 0)
      continue;
    for (const int target : attacks_[defender].Of(cell)) {
      const int other = FigureAt(value, d, target);
      if (value[target] != 0 && other >= 0 && !IsWhite(other) && !Defend(value, cand, d, target, narrowed))
        return false;
    }
  }
  return true;
}

bool ChessLinks::HoldOnFull(std::span<const uint8_t> value) const {
  Digits d;
  if (!ReadDigits(value, d))
    return false;
  for (int c = 0; c < nCells_; ++c) {
    const int figure = d.figureOf[value[c]];
    if (figure < 0)
      continue;
    if (IsWhite(figure)) {
      for (const int target : attacks_[figure].Of(c))
        if (const int other = d.figureOf[value[target]]; other >= 0 && IsWhite(other))
          return false;
      continue;
    }
    bool defended = false;
    for (int defender = 0; defender < kChessKinds && !defended; ++defender)
      if (const int digit = d.digit[defender]; digit >= 0)
        for (const int from : attackers_[defender].Of(c))
          defended = defended || value[from] == digit;
    if (!defended)
      return false;
  }
  return true;
}

} // namespace quorbel
