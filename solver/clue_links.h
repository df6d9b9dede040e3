// The Little Killer diagonals as a search that decides one cell at a time reads them: the sum of
// a diagonal's decided cells leaves a rest of its total, and each open cell keeps the
// candidates that the others' candidates can complete to that rest. A diagonal may repeat a
// value, but not within a block: its cells of one block are read together.
//
// Every narrowing here follows from the candidates alone, so it never loses a solution; a full
// board is still checked whole (`HoldOnFull`) before it counts. A link of the fast search
// (solver/search_link.h).
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "engine/geometry.h"
#include "solver/search_link.h"

namespace quorbel {

struct GridRecord;

// Whether the grid's diagonals can be read here: their totals taken whole (no modulus, no call
// for consecutive cells to differ), at most a few through each cell. True with no diagonal.
bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid);

constexpr int kMaxClueCells = 16;

// After a clue was read: its open cells, and the candidates each keeps. Only the first `count`
// are set.
struct ClueOpenCells {
  int count = 0;
  std::array<uint8_t, kMaxClueCells> cells;
  std::array<uint16_t, kMaxClueCells> keep;
};

class ClueLinks {
public:
  // The memo of block parts holds 2^memoBits entries, memoBits 1 to kPartMemoBits: a test makes
  // entries meet in a small one.
  static constexpr int kPartMemoBits = 12;
  explicit ClueLinks(int memoBits = kPartMemoBits)
      : memoShift_(64 - std::clamp(memoBits, 1, kPartMemoBits)) {}

  static constexpr SearchLinkKind kKind = SearchLinkKind::ClueDiagonals;
  static constexpr bool kWeighsCandidates = true;
  static constexpr bool kSettlesAgain = true;
  static constexpr bool kSettlesWithProbables = true; // the grids of its counts are sparse
  static constexpr bool kCheckedWholeToo = false;
  // The diagonals a board leaves to read (bit i for diagonal i): those through a cell that
  // changed since they were last read. The others would narrow nothing.
  using Marks = uint64_t;

  static bool Reads(const GridGeometry &geo, const GridRecord &grid) { return ClueLinksRead(geo, grid); }
  // Built from the grid's diagonals when `read`, empty (`Any()` false) otherwise. False when it
  // reads other clues than the last build did.
  bool Build(const GridGeometry &geo, const GridRecord &grid, bool read);
  bool Any() const { return count_ > 0; }
  Marks Fresh() const { return AllClues(); }
  void Touch(Marks &toRead, int cell) const { toRead |= cluesThrough_[cell]; }

  // After `cells` were decided: the diagonals through them that are to be read, till none is.
  template <typename Narrowed>
  bool NarrowAround(LinkBoard board, Marks &toRead, std::span<const uint8_t> cells, Narrowed narrowed) const {
    uint64_t among = 0;
    for (const int c : cells)
      among |= cluesThrough_[c];
    return ReadDiagonals(board.value, board.cand, toRead, among, narrowed);
  }
  // Every diagonal that is to be read, till none is: their cells' candidates shrink as their
  // peers are decided.
  template <typename Narrowed> bool NarrowEvery(LinkBoard board, Marks &toRead, Narrowed narrowed) const {
    return ReadDiagonals(board.value, board.cand, toRead, AllClues(), narrowed);
  }
  int BranchCell(LinkBoard board) const { return TightestCell(board.value, board.cand); }

  // The diagonals through a cell (bit i for diagonal i), and all of them.
  uint64_t Through(int cell) const { return cluesThrough_[cell]; }
  uint64_t AllClues() const { return count_ >= kMaxClues ? ~uint64_t{0} : (uint64_t{1} << count_) - 1; }

  // Reads the diagonals of `among` that are to be read (`toRead`, bit i for diagonal i) till
  // none is left: each open cell keeps the candidates the others can complete the total with.
  // A diagonal read is taken out of `toRead`, and the diagonals through a cell it narrows
  // come in. `narrowed(cell)` hears of each narrowed cell and returns false to stop (a cell
  // left without candidates, or a value it cannot take); it may decide the cell, and change
  // no other. False when a diagonal cannot be completed or `narrowed` stops.
  template <typename Narrowed>
  bool ReadDiagonals(std::span<const uint8_t> value, std::span<uint16_t> cand, uint64_t &toRead,
                     uint64_t among, Narrowed narrowed) const {
    for (uint64_t next = toRead & among; next != 0; next = toRead & among) {
      const int i = std::countr_zero(next);
      const uint64_t bit = uint64_t{1} << i;
      ClueOpenCells open;
      if (!KeepToTotal(value, cand, i, open))
        return false;
      toRead &= ~bit;
      for (int k = 0; k < open.count; ++k) {
        const int c = open.cells[k];
        if (open.keep[k] == cand[c])
          continue;
        cand[c] = open.keep[k];
        // The diagonal just read reads the same with the cell decided.
        toRead |= cluesThrough_[c] & ~bit;
        if (!narrowed(c))
          return false;
      }
    }
    return true;
  }

  bool HoldOnFull(std::span<const uint8_t> value) const;

  // Where a search that may take any order branches best: in the diagonal with the fewest
  // choices left (its open cells' candidates beyond one each), the open cell with the fewest
  // candidates. A decided diagonal prunes at once, so the trees of the counts stay small.
  // -1 when every diagonal is decided.
  int TightestCell(std::span<const uint8_t> value, std::span<const uint16_t> cand) const;

  // What a block's open cells of a diagonal reach, and keep for a set of totals, by their
  // candidates (bit t for total t; 16 bits of candidates a cell).
  struct PartMemo {
    uint64_t key = 0; // no cells: never looked up
    uint64_t reach = 0;
    uint64_t keptFor = 0; // none
    std::array<uint16_t, 4> kept{};
  };

private:
  static constexpr int kMaxClues = 64;

  struct Clue {
    int target = 0;
    int size = 0;
    std::array<uint8_t, kMaxClueCells> cells{};
    int parts = 0;
    std::array<uint8_t, kMaxClueCells> part{}; // cells of one block share a part
    bool operator==(const Clue &) const = default;
  };

  // What the clue's open cells keep: the candidates that some choice of the others completes to
  // the rest of the total, cells of one block taking different values. False when none does.
  bool KeepToTotal(std::span<const uint8_t> value, std::span<const uint16_t> cand, int i,
                   ClueOpenCells &open) const;

  int count_ = 0;
  std::array<Clue, kMaxClues> clues_{};
  std::array<uint64_t, kMaxCells> cluesThrough_{}; // bit i: diagonal i holds the cell
  // A pure cache: an entry stands for its key alone, and is checked against it where it is read.
  // A key's slot is the top bits of its hash, as many as the memo's size asks.
  int memoShift_;
  mutable std::array<PartMemo, size_t{1} << kPartMemoBits> partMemo_{};
};

} // namespace quorbel
