// The combination search of the sum and product rules: every choice of one candidate per
// position whose total (sum or product, optionally modulo) reaches a target, with some
// positions bound to differ; the union of the values each position took in an accepted
// choice. It works on fixed arrays and allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

struct ComboSearch {
  static constexpr int kMaxPositions = 16; // a Little Killer diagonal of a 16 x 16 grid
  static constexpr int kMaxPairs = kMaxPositions * (kMaxPositions - 1) / 2;

  int32_t GroupSize = 0;
  std::array<uint32_t, kMaxPositions> Candidates{}; // value bits of each position
  int32_t Product = 0;                              // 0 the total is a sum, 1 a product
  int64_t Target = 0;
  int32_t ModOn = 0; // the total is taken modulo Modulus (2 or more) before the comparison
  int32_t Modulus = 0;
  int32_t ChainDistinct = 0; // positions k-1 and k hold different values
  int32_t NPairs = 0;
  std::array<std::array<int8_t, 2>, kMaxPairs> Pairs{}; // positions that hold different values
  std::array<uint32_t, kMaxPositions> Allowed{};        // written by the search

  // Records that positions a and b must differ; further pairs past the capacity are dropped.
  void AddPair(int a, int b);
};

// Fills Allowed. The result is the same as visiting every combination: the search only skips
// branches that cannot be accepted (a pair already equal, a sum out of reach) and stops once
// every candidate of every position is allowed.
void EnumerateCombinations(ComboSearch &search);

// The positions of `cells` as a search group: their candidates, and a pair for every two cells
// sharing a row, a column or a block of the grid. False when a cell lies outside the grid or
// the group is larger than the search holds.
bool LoadGroup(const GridGeometry &geo, const GridRecord &grid, std::span<const int16_t> cells,
               ComboSearch &search);

// The candidates of the group added up; what the callers bound the search by.
int CandidateCountOfGroup(const ComboSearch &search);

// The common filter of the sum and product rules: search `cells` for the target and narrow each
// open cell to the values it took. A group whose candidate counts add up to more than `limit` is
// left alone. Returns 1 when a candidate mask changed.
struct GroupTotal {
  int32_t Product = 0;
  int64_t Target = 0;
  int32_t Modulus = 0; // 2 or more: totals are compared modulo it
  int32_t ChainDistinct = 0;
  int32_t Limit = 40;
};
int FilterGroupTotal(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells,
                     const GroupTotal &total);

} // namespace quorbel
