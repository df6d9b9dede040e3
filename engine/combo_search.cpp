#include "engine/combo_search.h"

#include <algorithm>
#include <bit>

#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

// Above any target an int32 clue can hold: a running product is capped here, so that it
// never overflows and still compares as too large.
constexpr int64_t kTotalCap = int64_t{1} << 40;

int64_t CappedProduct(int64_t a, int64_t b) {
  return a > kTotalCap / std::max<int64_t>(b, 1) ? kTotalCap : a * b;
}

class Enumerator {
public:
  explicit Enumerator(ComboSearch &s) : s_(s) {
    n_ = std::clamp<int>(s.GroupSize, 0, ComboSearch::kMaxPositions);
    modulo_ = s.ModOn == 1 && s.Modulus >= 2;
    for (int k = 0; k < n_; ++k) {
      s.Candidates[k] &= WidthMask(kMaxWidth);
      differFrom_[k] = s.ChainDistinct == 1 && k > 0 ? 1u << (k - 1) : 0u;
    }
    for (int p = 0; p < std::clamp<int>(s.NPairs, 0, ComboSearch::kMaxPairs); ++p) {
      const int a = s.Pairs[p][0];
      const int b = s.Pairs[p][1];
      if (a < 0 || b < 0 || a >= n_ || b >= n_ || a == b)
        continue;
      differFrom_[std::max(a, b)] |= 1u << std::min(a, b);
    }
    // The least and the most the positions from k on can add up to (sums only).
    for (int k = n_ - 1; k >= 0; --k) {
      const uint32_t c = s.Candidates[k];
      minRest_[k] = minRest_[k + 1] + LowestValue(c, kMaxWidth);
      maxRest_[k] = maxRest_[k + 1] + HighestValue(c, kMaxWidth);
    }
  }

  void Run() {
    for (int k = 0; k < n_; ++k)
      s_.Allowed[k] = 0;
    if (n_ == 0)
      return;
    const int64_t start = s_.Product == 1 ? 1 : 0;
    Visit(0, start);
  }

private:
  bool Complete() const {
    for (int k = 0; k < n_; ++k)
      if (s_.Allowed[k] != s_.Candidates[k])
        return false;
    return true;
  }

  // Returns true once nothing more can be allowed.
  bool Visit(int depth, int64_t total) {
    if (!modulo_ && s_.Product != 1 &&
        (total + minRest_[depth] > s_.Target || total + maxRest_[depth] < s_.Target))
      return false;
    uint32_t forbidden = 0;
    for (uint32_t earlier = differFrom_[depth]; earlier != 0; earlier &= earlier - 1)
      forbidden |= chosen_[std::countr_zero(earlier)];
    for (uint32_t left = s_.Candidates[depth] & ~forbidden; left != 0; left &= left - 1) {
      const uint32_t bit = left & (~left + 1);
      const int value = std::countr_zero(bit) + 1;
      int64_t next = s_.Product == 1 ? CappedProduct(total, value) : total + value;
      if (modulo_)
        next %= s_.Modulus;
      chosen_[depth] = bit;
      if (depth + 1 == n_) {
        if (next == s_.Target) {
          for (int k = 0; k < n_; ++k)
            s_.Allowed[k] |= chosen_[k];
          if (Complete())
            return true;
        }
      } else if (!(s_.Product == 1 && !modulo_ && next > s_.Target && s_.Target > 0) &&
                 Visit(depth + 1, next)) {
        return true;
      }
    }
    return false;
  }

  ComboSearch &s_;
  int n_ = 0;
  bool modulo_ = false;
  std::array<uint32_t, ComboSearch::kMaxPositions> differFrom_{};
  std::array<uint32_t, ComboSearch::kMaxPositions> chosen_{};
  std::array<int64_t, ComboSearch::kMaxPositions + 1> minRest_{};
  std::array<int64_t, ComboSearch::kMaxPositions + 1> maxRest_{};
};

} // namespace

void ComboSearch::AddPair(int a, int b) {
  if (NPairs < 0 || NPairs >= kMaxPairs)
    return;
  Pairs[NPairs] = {static_cast<int8_t>(a), static_cast<int8_t>(b)};
  ++NPairs;
}

void EnumerateCombinations(ComboSearch &search) { Enumerator(search).Run(); }

bool LoadGroup(const GridGeometry &geo, const GridRecord &grid, std::span<const int16_t> cells,
               ComboSearch &search) {
  const int n = static_cast<int>(cells.size());
  if (n > ComboSearch::kMaxPositions)
    return false;
  for (int16_t cell : cells)
    if (cell < 0 || cell >= geo.NCells)
      return false;
  search.GroupSize = n;
  search.NPairs = 0;
  for (int k = 0; k < n; ++k) {
    search.Candidates[k] = grid.Cells[cells[k]].ThePoss & geo.FullMask;
    for (int j = 0; j < k; ++j) {
      const int a = cells[j];
      const int b = cells[k];
      if (geo.RowOfCell[a] == geo.RowOfCell[b] || geo.ColOfCell[a] == geo.ColOfCell[b] ||
          grid.BlockOfCell[a] == grid.BlockOfCell[b])
        search.AddPair(j, k);
    }
  }
  return true;
}

int CandidateCountOfGroup(const ComboSearch &search) {
  int count = 0;
  for (int k = 0; k < std::clamp<int>(search.GroupSize, 0, ComboSearch::kMaxPositions); ++k)
    count += CountBits16(search.Candidates[k]);
  return count;
}

int FilterGroupTotal(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells,
                     const GroupTotal &total) {
  ComboSearch search;
  if (cells.empty() || !LoadGroup(geo, grid, cells, search) || CandidateCountOfGroup(search) > total.Limit)
    return 0;
  search.Product = total.Product;
  search.ModOn = total.Modulus >= 2 ? 1 : 0;
  search.Modulus = total.Modulus;
  search.Target =
      search.ModOn == 1 ? ((total.Target % total.Modulus) + total.Modulus) % total.Modulus : total.Target;
  search.ChainDistinct = total.ChainDistinct;
  EnumerateCombinations(search);
  int changed = 0;
  for (size_t k = 0; k < cells.size(); ++k) {
    CellRecord &cell = grid.Cells[cells[k]];
    if (cell.Status > kStatusConflict)
      changed |= RestrictPoss(geo, cell, search.Allowed[k]);
  }
  return changed;
}

} // namespace quorbel
