// The neighbour rules as a search that decides one cell at a time reads them: pairs of cells
// that may not hold some pairs of values (No Consecutive, Give Me 5 and Pirate side by side, No
// Touch corner to corner, No Knight Step a knight's move apart), lines of three cells (No 3 Odd
// Even, No Average) and Touchy's call for a consecutive value beside each one.
//
// Every narrowing here follows from decided cells alone, so it never loses a solution; it is
// not all the rules say, so a full board is checked whole (`HoldOnFull`) before it counts. A
// link of the fast search (solver/search_link.h).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <utility>

#include "engine/geometry.h"
#include "engine/variant_bits.h"
#include "solver/search_link.h"

namespace quorbel {

// The rules above, the ones a search may read through `NeighbourLinks`.
constexpr VariantWords kNeighbourLinkRules = kVarNoConsecutive | kVarNoTouch | kVarNoKnightStep |
                                             kVarGiveMe5 | kVarPirate | kVarTouchy | kVarNo3OddEven |
                                             kVarNoAverage;

class NeighbourLinks {
public:
  static constexpr SearchLinkKind kKind = SearchLinkKind::Neighbours;
  static constexpr bool kWeighsCandidates = false;
  static constexpr bool kSettlesAgain = true;
  static constexpr bool kSettlesWithProbables = false;
  static constexpr bool kCheckedWholeToo = false;
  using Marks = FreshMark;

  // The rules are the grid's words: every grid can be read.
  static bool Reads(const GridGeometry &, const GridRecord &) { return true; }
  // Built for the grid's shape and rules when `read`; empty (`Any()` false) when none of them
  // applies. False when it reads other rules than the last build did.
  bool Build(const GridGeometry &geo, const GridRecord &grid, bool read);
  bool Any() const { return any_; }
  Marks Fresh() const { return {true}; }
  void Touch(Marks &, int) const {} // it reads decided cells, and Touchy's needs whole

  // After `cells` were decided: false when a value breaks a rule with the cells decided, else
  // takes from their open partners what the rules now forbid.
  template <typename Narrowed>
  bool NarrowAround(LinkBoard board, Marks &, std::span<const uint8_t> cells, Narrowed narrowed) const {
    for (const int c : cells)
      if (!Allows(board.value, c, board.value[c]) || !Around(board.value, board.cand, c, narrowed))
        return false;
    return true;
  }
  // On a fresh board, around every decided cell. Then over the whole board, Touchy's needs as
  // `NarrowAround` reads them around one cell: what a cell's neighbours no longer allow goes,
  // wherever it was taken from.
  template <typename Narrowed> bool NarrowEvery(LinkBoard board, Marks &marks, Narrowed narrowed) const {
    if (!std::exchange(marks.fresh, false))
      return TouchyEvery(board.value, board.cand, narrowed);
    for (int c = 0; c < nCells_; ++c) {
      const auto decided = static_cast<uint8_t>(c);
      if (board.value[c] != 0 && !NarrowAround(board, marks, std::span(&decided, 1), narrowed))
        return false;
    }
    return true;
  }
  // Every rule on a board whose cells are all decided.
  bool HoldOnFull(std::span<const uint8_t> value) const;
  int BranchCell(LinkBoard) const { return -1; }

private:
  // False when `value` in `cell` breaks a rule with cells already decided (value != 0).
  bool Allows(std::span<const uint8_t> value, int cell, int v) const;
  // After `cell` was decided: takes from its open partners the values the rules now forbid.
  template <typename Narrowed>
  bool Around(std::span<const uint8_t> value, std::span<uint16_t> cand, int cell, Narrowed narrowed) const;
  template <typename Narrowed>
  bool TouchyEvery(std::span<const uint8_t> value, std::span<uint16_t> cand, Narrowed narrowed) const;

  static constexpr int kPairKinds = 3; // side by side, corner to corner, a knight's move
  static constexpr int kMaxPartners = 16;
  static constexpr int kMaxLines = 6; // a cell lies in at most three lines of three a row, three a column

  bool LineAllows(int a, int b, int c) const; // values of a line of three, middle b
  bool LineHolds(std::span<const uint8_t> value, const std::array<uint8_t, 3> &line) const;
  uint16_t LineLeaves(int known1, int known2, int slotOpen, int slotKnown1, int slotKnown2) const;
  int TouchySupport(std::span<const uint8_t> value, std::span<const uint16_t> cand, int cell,
                    int &onlyOpen) const;
  // The values an open cell may hold beside what its neighbours still can: one off from theirs.
  uint16_t TouchyKeeps(std::span<const uint8_t> value, std::span<const uint16_t> cand, int cell) const {
    uint32_t beside = 0;
    for (int k = 0; k < besideCount_[cell]; ++k) {
      const int n = beside_[cell][k];
      beside |= value[n] != 0 ? ValueBit(value[n]) : cand[n];
    }
    return static_cast<uint16_t>((beside << 1) | (beside >> 1));
  }

  bool any_ = false;
  VariantWords words_{};
  int width_ = 0;
  int nCells_ = 0;
  bool no3OddEven_ = false;
  bool noAverage_ = false;
  bool touchy_ = false;
  // forbidden_[kind][v]: what a partner of that kind may not hold beside v.
  std::array<std::array<uint16_t, kMaxWidth + 1>, kPairKinds> forbidden_{};
  std::array<std::array<uint8_t, kMaxPartners>, kMaxCells> partner_{};
  std::array<std::array<uint8_t, kMaxPartners>, kMaxCells> kind_{};
  std::array<uint8_t, kMaxCells> partnerCount_{};
  // The lines of three through a cell (cells in line order), and the cell's place in each.
  std::array<std::array<std::array<uint8_t, 3>, kMaxLines>, kMaxCells> lines_{};
  std::array<uint8_t, kMaxCells> lineCount_{};
  std::array<std::array<uint8_t, 4>, kMaxCells> beside_{}; // orthogonal neighbours
  std::array<uint8_t, kMaxCells> besideCount_{};
};

template <typename Narrowed>
bool NeighbourLinks::Around(std::span<const uint8_t> value, std::span<uint16_t> cand, int cell,
                            Narrowed narrowed) const {
  const int v = value[cell];
  auto take = [&](int other, uint16_t keep) {
    const uint16_t now = static_cast<uint16_t>(cand[other] & keep);
    if (value[other] != 0 || now == cand[other])
      return true;
    cand[other] = now;
    return narrowed(other);
  };
  for (int k = 0; k < partnerCount_[cell]; ++k)
    if (!take(partner_[cell][k], static_cast<uint16_t>(~forbidden_[kind_[cell][k]][v])))
      return false;
  // A line with two cells decided leaves its third only the values that keep the line right.
  for (int k = 0; k < lineCount_[cell]; ++k) {
    const auto &line = lines_[cell][k];
    int open = -1;
    int decided = 0;
    for (int s = 0; s < 3; ++s)
      if (value[line[s]] != 0)
        ++decided;
      else
        open = s;
    if (decided == 3 && !LineHolds(value, line))
      return false;
    if (decided == 2) {
      const int s1 = (open + 1) % 3;
      const int s2 = (open + 2) % 3;
      if (!take(line[open], LineLeaves(value[line[s1]], value[line[s2]], open, s1, s2)))
        return false;
    }
  }
  if (!touchy_)
    return true;
  // The cell and its decided neighbours each need a consecutive value beside them: with one
  // open cell left to give it, that cell must.
  for (int k = -1; k < besideCount_[cell]; ++k) {
    const int c = k < 0 ? cell : beside_[cell][k];
    if (value[c] == 0)
      continue;
    int onlyOpen = -1;
    const int support = TouchySupport(value, cand, c, onlyOpen);
    if (support == 0)
      return false;
    if (support == 1 && onlyOpen >= 0 &&
        !take(onlyOpen, static_cast<uint16_t>(ValueBit(value[c] - 1) | ValueBit(value[c] + 1))))
      return false;
  }
  // An open cell beside it keeps the values that a neighbour can still hold one off from.
  for (int k = 0; k < besideCount_[cell]; ++k) {
    const int open = beside_[cell][k];
    if (value[open] == 0 && !take(open, TouchyKeeps(value, cand, open)))
      return false;
  }
  return true;
}

template <typename Narrowed>
bool NeighbourLinks::TouchyEvery(std::span<const uint8_t> value, std::span<uint16_t> cand,
                                 Narrowed narrowed) const {
  if (!touchy_)
    return true;
  for (int c = 0; c < nCells_; ++c) {
    if (value[c] == 0) {
      const uint16_t keep = static_cast<uint16_t>(cand[c] & TouchyKeeps(value, cand, c));
      if (keep != cand[c]) {
        cand[c] = keep;
        if (!narrowed(c))
          return false;
      }
      continue;
    }
    int onlyOpen = -1;
    const int support = TouchySupport(value, cand, c, onlyOpen);
    if (support == 0)
      return false;
    if (support == 1 && onlyOpen >= 0 && value[onlyOpen] == 0) {
      const uint16_t keep =
          static_cast<uint16_t>(cand[onlyOpen] & (ValueBit(value[c] - 1) | ValueBit(value[c] + 1)));
      if (keep != cand[onlyOpen]) {
        cand[onlyOpen] = keep;
        if (!narrowed(onlyOpen))
          return false;
      }
    }
  }
  return true;
}

} // namespace quorbel
