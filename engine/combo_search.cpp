#include "engine/combo_search.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <memory>

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

namespace {

// A sum over positions that fall into groups no pair links (a Little Killer diagonal crosses
// blocks that share no unit): each group is searched alone, and the groups' totals are joined by
// the sums they can reach. The same answer as one search over every position, at the cost of the
// largest group. False (nothing written) when it does not apply.
class SplitSum {
public:
  static constexpr int kMostTotal = 16 * 16; // the largest sum of 16 values

  // One instance per thread, reused: its tables are large, and each run leaves them clean.
  bool Run(ComboSearch &search) {
    s_ = &search;
    const bool done = Split();
    Reset();
    return done;
  }

private:
  bool Split() {
    ComboSearch &s = *s_;
    n_ = std::clamp<int>(s.GroupSize, 0, ComboSearch::kMaxPositions);
    modulo_ = s.ModOn == 1 && s.Modulus >= 2;
    if (s.Product == 1 || n_ < 4 || (modulo_ && s.Modulus > kMostTotal) || s.ChainDistinct == 1)
      return false;
    if (!FindGroups() || groups_ < 2)
      return false;
    for (int g = 0; g < groups_; ++g)
      SearchGroup(g);
    Join();
    return true;
  }

  void Reset() {
    for (int g = 0; g < groups_; ++g) {
      for (size_t total = reach_[g]._Find_first(); total < reach_[g].size();
           total = reach_[g]._Find_next(total))
        values_[g][total].fill(0);
      reach_[g].reset();
      low_[g] = 0;
      size_[g] = 0;
    }
    differ_.fill(0);
    groups_ = 0;
  }

  using Sums = std::bitset<kMostTotal + 1>;

  bool FindGroups() {
    std::array<int, ComboSearch::kMaxPositions> parent{};
    for (int k = 0; k < n_; ++k)
      parent[k] = k;
    auto root = [&](int k) {
      while (parent[k] != k)
        k = parent[k] = parent[parent[k]];
      return k;
    };
    for (int p = 0; p < std::clamp<int>(s_->NPairs, 0, ComboSearch::kMaxPairs); ++p) {
      const int a = s_->Pairs[p][0];
      const int b = s_->Pairs[p][1];
      if (a < 0 || b < 0 || a >= n_ || b >= n_)
        continue;
      parent[root(a)] = root(b);
      differ_[std::max(a, b)] |= 1u << std::min(a, b);
    }
    std::array<int, ComboSearch::kMaxPositions> groupOfRoot{};
    groupOfRoot.fill(-1);
    for (int k = 0; k < n_; ++k) {
      int &g = groupOfRoot[root(k)];
      if (g < 0)
        g = groups_++;
      members_[g][size_[g]++] = k;
    }
    return true;
  }

  // Every choice of the group's positions that keeps its pairs apart: the totals it reaches and,
  // per total, the values each position took.
  void SearchGroup(int g) {
    std::array<uint32_t, ComboSearch::kMaxPositions> chosen{};
    auto visit = [&](auto &&self, int at, int total) -> void {
      if (at == size_[g]) {
        const int key = Key(total);
        reach_[g].set(key);
        if (key < kWordTotals)
          low_[g] |= uint64_t{1} << key;
        for (int m = 0; m < size_[g]; ++m)
          values_[g][key][m] |= chosen[members_[g][m]];
        return;
      }
      const int k = members_[g][at];
      uint32_t forbidden = 0;
      for (uint32_t earlier = differ_[k]; earlier != 0; earlier &= earlier - 1)
        forbidden |= chosen[std::countr_zero(earlier)];
      for (uint32_t left = s_->Candidates[k] & WidthMask(kMaxWidth) & ~forbidden; left != 0;
           left &= left - 1) {
        const uint32_t bit = left & (~left + 1);
        chosen[k] = bit;
        self(self, at + 1, total + std::countr_zero(bit) + 1);
      }
      chosen[k] = 0;
    };
    visit(visit, 0, 0);
  }

  int Key(int total) const { return modulo_ ? total % s_->Modulus : total; }

  // All the sums of two reachable sets, taken modulo when the rule asks. Only the set sums of
  // `few` are visited: the callers pass a group's own sums there, the sparser side (counting
  // both would cost more than it saves).
  Sums Combine(const Sums &few, const Sums &many) const {
    Sums out;
    if (!modulo_) {
      for (size_t x = few._Find_first(); x < few.size(); x = few._Find_next(x))
        out |= many << x;
      return out;
    }
    const Sums &a = few;
    const Sums &b = many;
    const int m = s_->Modulus;
    Sums residues;
    for (int r = 0; r < m; ++r)
      residues.set(r);
    for (int x = 0; x < m; ++x)
      if (a.test(x))
        out |= ((b << x) | (b >> (m - x))) & residues;
    return out;
  }

  // Totals below this fit one machine word.
  static constexpr int kWordTotals = 64;

  // All the sums of two sets of totals below kWordTotals, those below it kept.
  static uint64_t CombineWords(uint64_t few, uint64_t many) {
    uint64_t out = 0;
    for (; few != 0; few &= few - 1)
      out |= many << std::countr_zero(few);
    return out;
  }

  // Join for a total below kWordTotals taken whole: a larger partial sum never comes back under
  // it, so every set of sums fits one word.
  void JoinWords() {
    std::array<uint64_t, ComboSearch::kMaxPositions + 1> before;
    std::array<uint64_t, ComboSearch::kMaxPositions + 1> after;
    before[0] = 1;
    for (int g = 0; g < groups_; ++g)
      before[g + 1] = CombineWords(low_[g], before[g]);
    after[groups_] = 1;
    for (int g = groups_ - 1; g >= 0; --g)
      after[g] = CombineWords(low_[g], after[g + 1]);
    for (int k = 0; k < n_; ++k)
      s_->Allowed[k] = 0;
    const auto target = static_cast<int>(s_->Target);
    for (int g = 0; g < groups_; ++g) {
      const uint64_t others = g == 0             ? after[1]
                              : g + 1 == groups_ ? before[g]
                                                 : CombineWords(before[g], after[g + 1]);
      for (uint64_t totals = low_[g]; totals != 0; totals &= totals - 1) {
        const int total = std::countr_zero(totals);
        if (total > target || ((others >> (target - total)) & 1) == 0)
          continue;
        for (int m = 0; m < size_[g]; ++m)
          s_->Allowed[members_[g][m]] |= values_[g][total][m];
      }
    }
  }

  void Join() {
    if (!modulo_ && s_->Target >= 0 && s_->Target < kWordTotals) {
      JoinWords();
      return;
    }
    std::array<Sums, ComboSearch::kMaxPositions + 1> before{};
    std::array<Sums, ComboSearch::kMaxPositions + 1> after{};
    before[0].set(0);
    for (int g = 0; g < groups_; ++g)
      before[g + 1] = Combine(reach_[g], before[g]);
    after[groups_].set(0);
    for (int g = groups_ - 1; g >= 0; --g)
      after[g] = Combine(reach_[g], after[g + 1]);
    for (int k = 0; k < n_; ++k)
      s_->Allowed[k] = 0;
    const int64_t target = s_->Target;
    for (int g = 0; g < groups_; ++g) {
      // The first group and the last have nothing on one side.
      const Sums others = g == 0 ? after[1] : g + 1 == groups_ ? before[g] : Combine(before[g], after[g + 1]);
      for (size_t total = reach_[g]._Find_first(); total < reach_[g].size();
           total = reach_[g]._Find_next(total)) {
        int64_t rest = target - static_cast<int64_t>(total);
        if (modulo_)
          rest = ((rest % s_->Modulus) + s_->Modulus) % s_->Modulus;
        if (rest < 0 || rest > kMostTotal || !others.test(static_cast<size_t>(rest)))
          continue;
        for (int m = 0; m < size_[g]; ++m)
          s_->Allowed[members_[g][m]] |= values_[g][total][m];
      }
    }
  }

  ComboSearch *s_ = nullptr;
  int n_ = 0;
  bool modulo_ = false;
  int groups_ = 0;
  std::array<uint32_t, ComboSearch::kMaxPositions> differ_{};
  std::array<std::array<int, ComboSearch::kMaxPositions>, ComboSearch::kMaxPositions> members_{};
  std::array<int, ComboSearch::kMaxPositions> size_{};
  std::array<Sums, ComboSearch::kMaxPositions> reach_{};
  std::array<uint64_t, ComboSearch::kMaxPositions> low_{}; // the totals of reach_ below kWordTotals
  std::array<std::array<std::array<uint32_t, ComboSearch::kMaxPositions>, kMostTotal + 1>,
             ComboSearch::kMaxPositions>
      values_{};
};

} // namespace

void EnumerateCombinations(ComboSearch &search) {
  thread_local std::unique_ptr<SplitSum> split = std::make_unique<SplitSum>();
  if (split->Run(search))
    return;
  Enumerator(search).Run();
}

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
