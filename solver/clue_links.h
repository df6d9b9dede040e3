// The Little Killer diagonals as a search that decides one cell at a time reads them: the sum of
// a diagonal's decided cells leaves a rest of its total, and each open cell keeps the
// candidates that the others' candidates can complete to that rest.
//
// Every narrowing here follows from the candidates alone, so it never loses a solution; a full
// board is still checked whole (`HoldOnFull`) before it counts.
#pragma once

#include <array>
#include <bit>
#include <bitset>
#include <cstdint>
#include <span>

#include "engine/geometry.h"

namespace quorbel {

struct GridRecord;

// Whether the grid's diagonals can be read here: their totals taken whole (no modulus, no call
// for consecutive cells to differ), at most a few through each cell. True with no diagonal.
bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid);

constexpr int kMaxClueCells = 16;
constexpr size_t kMaxClueSum = kMaxClueCells * kMaxWidth; // every cell at the largest value

class ClueLinks {
public:
  // Built from the grid's diagonals when `read`, empty (`Any()` false) otherwise. False when it
  // reads other clues than the last build did.
  bool Build(const GridGeometry &geo, const GridRecord &grid, bool read);
  bool Any() const { return count_ > 0; }

  // After `cell` was decided: narrows the open cells of its diagonals as `NeighbourLinks` does.
  template <typename Narrowed>
  bool NarrowAround(std::span<const uint8_t> value, std::span<uint16_t> cand, int cell,
                    Narrowed narrowed) const {
    for (int k = 0; k < cluesOfCellCount_[cell]; ++k)
      if (!NarrowClue(value, cand, cluesOfCell_[cell][k], narrowed))
        return false;
    return true;
  }
  // The same for every diagonal, decided cells or not.
  template <typename Narrowed>
  bool NarrowEvery(std::span<const uint8_t> value, std::span<uint16_t> cand, Narrowed narrowed) const {
    for (int i = 0; i < count_; ++i)
      if (!NarrowClue(value, cand, i, narrowed))
        return false;
    return true;
  }

  bool HoldOnFull(std::span<const uint8_t> value) const;

  // Where a search that may take any order branches best: in the diagonal with the fewest
  // choices left (its open cells' candidates beyond one each), the open cell with the fewest
  // candidates. A decided diagonal prunes at once, so the trees of the counts stay small.
  // -1 when every diagonal is decided.
  int TightestCell(std::span<const uint8_t> value, std::span<const uint16_t> cand) const;

private:
  static constexpr int kMaxClues = 64;
  static constexpr int kMaxCluesOfCell = 8;

  struct Clue {
    int target = 0;
    int size = 0;
    std::array<uint8_t, kMaxClueCells> cells{};
    bool operator==(const Clue &) const = default;
  };

  template <typename Narrowed>
  bool NarrowClue(std::span<const uint8_t> value, std::span<uint16_t> cand, int i, Narrowed narrowed) const;

  int count_ = 0;
  std::array<Clue, kMaxClues> clues_{};
  std::array<std::array<uint8_t, kMaxCluesOfCell>, kMaxCells> cluesOfCell_{};
  std::array<uint8_t, kMaxCells> cluesOfCellCount_{};
};

// A diagonal's cells may repeat a value, so what its open cells can add up to is the sums of
// their candidates taken one after another: a set of sums per prefix of the open cells, and
// going back from the end, the sums each prefix must make for the rest to reach the total. A
// candidate stays when some choice of the other cells completes the total with it.
template <size_t Bits, typename Narrowed>
bool NarrowToSums(std::span<uint16_t> cand, std::span<const uint8_t> open, int rest, Narrowed narrowed) {
  using Sums = std::bitset<Bits>;
  const size_t n = open.size();
  std::array<Sums, kMaxClueCells + 1> before;
  before[0].set(0);
  for (size_t k = 0; k < n; ++k)
    for (uint32_t vs = cand[open[k]]; vs != 0; vs &= vs - 1)
      before[k + 1] |= before[k] << (std::countr_zero(vs) + 1);
  if (!before[n].test(static_cast<size_t>(rest)))
    return false;
  Sums need;
  need.set(static_cast<size_t>(rest));
  for (size_t k = n; k-- > 0;) {
    const int c = open[k];
    uint16_t keep = 0;
    Sums needBefore;
    for (uint32_t vs = cand[c]; vs != 0; vs &= vs - 1) {
      const int v = std::countr_zero(vs) + 1;
      const Sums left = need >> v;
      if ((left & before[k]).none())
        continue;
      keep |= static_cast<uint16_t>(1u << (v - 1));
      needBefore |= left;
    }
    if (keep != cand[c]) {
      cand[c] = keep;
      if (!narrowed(c))
        return false;
    }
    need = needBefore;
  }
  return true;
}

// The decided cells leave the open ones a rest of the total to make; a rest outside what
// their smallest and largest candidates reach ends the branch before the sums are read.
template <typename Narrowed>
bool ClueLinks::NarrowClue(std::span<const uint8_t> value, std::span<uint16_t> cand, int i,
                           Narrowed narrowed) const {
  const Clue &clue = clues_[i];
  std::array<uint8_t, kMaxClueCells> open;
  size_t n = 0;
  int rest = clue.target;
  int least = 0;
  int most = 0;
  for (int k = 0; k < clue.size; ++k) {
    const int c = clue.cells[k];
    if (value[c] != 0) {
      rest -= value[c];
    } else if (cand[c] == 0) {
      return false;
    } else {
      least += std::countr_zero(cand[c]) + 1;
      most += std::bit_width(cand[c]);
      open[n++] = static_cast<uint8_t>(c);
    }
  }
  if (rest < least || rest > most)
    return false;
  if (n == 0)
    return true;
  const auto cells = std::span<const uint8_t>(open).first(n);
  // Most rests fit one machine word, where the sets shift in one step.
  constexpr size_t kWordSums = 64;
  if (rest < static_cast<int>(kWordSums))
    return NarrowToSums<kWordSums>(cand, cells, rest, narrowed);
  return NarrowToSums<kMaxClueSum + 1>(cand, cells, rest, narrowed);
}

} // namespace quorbel
