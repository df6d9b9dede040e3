// The Little Killer diagonals as a search that decides one cell at a time reads them: the sum of
// a diagonal's decided cells and the smallest and largest candidates of its open ones bound
// what each open cell may still hold.
//
// Every narrowing here follows from the candidates alone, so it never loses a solution; a full
// board is still checked whole (`HoldOnFull`) before it counts.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "engine/geometry.h"

namespace quorbel {

struct GridRecord;

// Whether the grid's diagonals can be read here: their totals taken whole (no modulus, no call
// for consecutive cells to differ), at most a few through each cell. True with no diagonal.
bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid);

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

private:
  static constexpr int kMaxClues = 64;
  static constexpr int kMaxClueCells = 16;
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

// An open cell's candidates give its slot of the total a range; the decided cells a fixed part.
// What the other slots can add at least and at most leaves each open slot a narrower range.
template <typename Narrowed>
bool ClueLinks::NarrowClue(std::span<const uint8_t> value, std::span<uint16_t> cand, int i,
                           Narrowed narrowed) const {
  const Clue &clue = clues_[i];
  int fixed = 0;
  int least = 0;
  int most = 0;
  for (int k = 0; k < clue.size; ++k) {
    const int c = clue.cells[k];
    if (value[c] != 0) {
      fixed += value[c];
    } else if (cand[c] == 0) {
      return false;
    } else {
      least += std::countr_zero(cand[c]) + 1;
      most += std::bit_width(cand[c]);
    }
  }
  const int rest = clue.target - fixed;
  if (rest < least || rest > most)
    return false;
  for (int k = 0; k < clue.size; ++k) {
    const int c = clue.cells[k];
    // A cell decided meanwhile by a narrowing below took a value from its range.
    if (value[c] != 0)
      continue;
    const int low = std::countr_zero(cand[c]) + 1;
    const int high = std::bit_width(cand[c]);
    const int from = rest - (most - high);
    const int to = rest - (least - low);
    if (from <= low && to >= high)
      continue;
    uint32_t keep = to >= 1 ? (1u << std::min(to, 16)) - 1 : 0;
    if (from > 1)
      keep &= ~((1u << std::min(from - 1, 16)) - 1);
    const auto now = static_cast<uint16_t>(cand[c] & keep);
    if (now == cand[c])
      continue;
    cand[c] = now;
    if (!narrowed(c))
      return false;
  }
  return true;
}

} // namespace quorbel
