// The chess figures as a search that decides one cell at a time reads them. A figure's digit is
// the value of its piece's cell once that is decided; from then on every cell holding the digit
// is the figure. No white figure may stand where a white figure attacks, two figures never share
// a digit, and on a full board every black figure must be attacked (defended) by a black one.
//
// Every narrowing here follows from decided cells and the pieces' cells alone, so it never loses
// a solution; a full board is still checked whole (`HoldOnFull`) before it counts. A link of the
// fast search (solver/search_link.h).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "engine/chess_rules.h"
#include "engine/geometry.h"
#include "engine/variant_lists.h"
#include "solver/search_link.h"

namespace quorbel {

struct GridRecord;

// Whether the grid's pieces can be read here: each on the grid, of a known kind and colour, one
// to a cell. True with no piece, or when the grid plays no chess.
bool ChessLinksRead(const GridGeometry &geo, const GridRecord &grid);

class ChessLinks {
public:
  static constexpr SearchLinkKind kKind = SearchLinkKind::ChessFigures;
  static constexpr bool kWeighsCandidates = false;
  static constexpr bool kSettlesAgain = false;
  static constexpr bool kSettlesWithProbables = false;
  static constexpr bool kCheckedWholeToo = true; // the figures' own check passes each full board too
  using Marks = FreshMark;

  static bool Reads(const GridGeometry &geo, const GridRecord &grid) { return ChessLinksRead(geo, grid); }
  // Built from the grid's pieces when `read` and the grid plays chess, empty (`Any()` false)
  // otherwise. False when it reads other pieces than the last build did.
  bool Build(const GridGeometry &geo, const GridRecord &grid, bool read);
  bool Any() const { return !pieces_.empty(); }
  Marks Fresh() const { return {true}; }
  void Touch(Marks &, int) const {} // it reads decided cells

  // After `cells` were decided: takes from open cells what the figures now forbid.
  template <typename Narrowed>
  bool NarrowAround(LinkBoard board, Marks &, std::span<const uint8_t> cells, Narrowed narrowed) const {
    for (const int c : cells)
      if (!Around(board.value, board.cand, c, NarrowedRef(narrowed)))
        return false;
    return true;
  }
  // On a fresh board, the same from every decided cell and every piece; nothing more later.
  template <typename Narrowed> bool NarrowEvery(LinkBoard board, Marks &marks, Narrowed narrowed) const {
    return !std::exchange(marks.fresh, false) || Around(board.value, board.cand, -1, NarrowedRef(narrowed));
  }
  bool HoldOnFull(std::span<const uint8_t> value) const;
  int BranchCell(LinkBoard) const { return -1; }

private:
  // The figures' digits as the decided piece cells give them.
  struct Digits {
    std::array<int8_t, kChessFigures> digit; // -1 unknown
    std::array<int8_t, kMaxWidth + 1> figureOf;
    uint16_t white = 0;      // the known white digits
    uint16_t known = 0;      // every known digit
    bool blackKnown = false; // every black figure's digit is known
  };
  // Cells in a flat list, one run per cell.
  struct CellLists {
    std::vector<uint16_t> start;
    std::vector<uint8_t> cells;
    std::span<const uint8_t> Of(int cell) const {
      return std::span(cells).subspan(start[cell], start[cell + 1] - start[cell]);
    }
  };

  bool ReadDigits(std::span<const uint8_t> value, Digits &d) const;
  int FigureAt(std::span<const uint8_t> value, const Digits &d, int cell) const;
  bool Around(std::span<const uint8_t> value, std::span<uint16_t> cand, int cell, NarrowedRef narrowed) const;
  bool NarrowWhite(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d, int cell,
                   int figure, NarrowedRef narrowed) const;
  bool Defend(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d, int cell,
              NarrowedRef narrowed) const;
  bool DefendAround(std::span<const uint8_t> value, std::span<uint16_t> cand, const Digits &d, int cell,
                    NarrowedRef narrowed) const;

  int nCells_ = 0;
  int width_ = 0;
  std::vector<ChessPiece> pieces_;
  uint16_t figures_ = 0;                           // a bit per figure listed
  std::array<int8_t, kMaxCells> figureOnCell_{};   // the listed piece's figure, -1 none
  std::array<CellLists, kChessFigures> attacks_;   // the cells each figure attacks from a cell
  std::array<CellLists, kChessFigures> attackers_; // the cells it attacks a cell from
};

} // namespace quorbel
