#include "solver/clue_links.h"

#include <algorithm>
#include <bit>
#include <bitset>
#include <climits>

#include "engine/grid_record.h"
#include "engine/sum_rules.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

// The clue's cells as its check reads them; empty when one lies off the grid, which the check
// then passes over.
std::span<const CellRef> CellsRead(const GridGeometry &geo, const LittleKillerClue &clue, bool &offGrid) {
  const auto cells = std::span(clue.Cells).first(static_cast<size_t>(std::clamp<int>(clue.NCells, 0, 16)));
  offGrid = std::any_of(cells.begin(), cells.end(), [&](CellRef c) { return c < 0 || c >= geo.NCells; });
  return cells;
}

// Cells of one block read together, at most this many: enough for any block a diagonal of a
// regular grid crosses. A larger group is read in parts, which only loses some narrowing.
constexpr int kMostTogether = 4;
static_assert(std::tuple_size_v<decltype(ClueLinks::PartMemo::kept)> == kMostTogether);

// Open cells of one block on a diagonal: their candidates, and the totals their different
// values reach (bit t for total t; four different values of 16 make at most 58).
struct Part {
  int size;
  std::array<uint8_t, kMostTogether> members; // indexes into the clue's open cells
  std::array<uint16_t, kMostTogether> cand;
  uint64_t reach;
  uint64_t key;              // several cells: their candidates, which name their memo entry
  ClueLinks::PartMemo *memo; // and the entry, which another part of the read may take since
};

// Each cell has as many candidates as the part has cells: any candidate then takes part in some
// choice of different values, so a part that keeps every total it reaches keeps them all.
bool Roomy(const Part &part) {
  for (int m = 0; m < part.size; ++m)
    if (std::popcount(part.cand[m]) < part.size)
      return false;
  return true;
}

uint64_t MemoKey(const Part &part) {
  uint64_t key = 0;
  for (int m = 0; m < part.size; ++m)
    key |= uint64_t{part.cand[m]} << (16 * m);
  return key;
}

uint32_t LowestBit(uint32_t mask) { return mask & (~mask + 1); }
int ValueOfBit(uint32_t bit) { return std::countr_zero(bit) + 1; }

// The totals (bit t for total t) of cells taking different values from their candidates:
// one, two, three, or any number of cells.
uint64_t TotalsOf(uint32_t a) { return uint64_t{a & 0xFFFFu} << 1; }
uint64_t TotalsOf(uint32_t a, uint32_t b) {
  uint64_t totals = 0;
  for (uint32_t left = a; left != 0; left &= left - 1) {
    const uint32_t bit = LowestBit(left);
    totals |= TotalsOf(b & ~bit) << ValueOfBit(bit);
  }
  return totals;
}
uint64_t TotalsOf(uint32_t a, uint32_t b, uint32_t c) {
  uint64_t totals = 0;
  for (uint32_t left = a; left != 0; left &= left - 1) {
    const uint32_t bit = LowestBit(left);
    totals |= TotalsOf(b & ~bit, c & ~bit) << ValueOfBit(bit);
  }
  return totals;
}
uint64_t TotalsOf(std::span<const uint16_t> cand, uint32_t used) {
  switch (cand.size()) {
  case 1:
    return TotalsOf(cand[0] & ~used);
  case 2:
    return TotalsOf(cand[0] & ~used, cand[1] & ~used);
  case 3:
    return TotalsOf(cand[0] & ~used, cand[1] & ~used, cand[2] & ~used);
  default:
    break;
  }
  uint64_t totals = 0;
  for (uint32_t left = cand[0] & ~used; left != 0; left &= left - 1) {
    const uint32_t bit = LowestBit(left);
    totals |= TotalsOf(cand.subspan(1), used | bit) << ValueOfBit(bit);
  }
  return totals;
}

// Every choice of different values for the part's cells from `at` on, none in `used`, whose
// total with `sum` is one of `totals`: the values each cell took join `keep`. The last cell
// takes at once every value that completes such a total.
void KeepDifferent(const Part &part, int at, uint32_t used, int sum, uint64_t totals,
                   std::array<uint16_t, kMostTogether> &chosen, std::array<uint16_t, kMostTogether> &keep) {
  const int last = part.size - 1;
  if (at >= last) {
    const auto completing = static_cast<uint16_t>(part.cand[last] & ~used & (totals >> (sum + 1)));
    if (completing == 0)
      return;
    keep[last] |= completing;
    for (int k = 0; k < last; ++k)
      keep[k] |= chosen[k];
    return;
  }
  for (uint32_t left = part.cand[at] & ~used; left != 0; left &= left - 1) {
    const uint32_t bit = LowestBit(left);
    chosen[at] = static_cast<uint16_t>(bit);
    KeepDifferent(part, at + 1, used | bit, sum + ValueOfBit(bit), totals, chosen, keep);
  }
}

// Sets of sums, bit t for sum t: one machine word for the sums below 64, where most rests
// lie, a bitset for the others.
using WordSums = uint64_t;
constexpr size_t kWordSums = 64;
using WideSums = std::bitset<kMaxClueCells * kMaxWidth + 1>; // up to every cell at the largest value

bool None(WordSums sums) { return sums == 0; }
bool None(const WideSums &sums) { return sums.none(); }

// The sums the parts make taken one after another: a set per prefix of the parts, and going
// back from the end, the sums each prefix must make for the rest to reach the total. A total
// of a part stays when some choice of the other parts completes the rest with it, and so do
// the values that make it.
template <typename Sums> bool KeepToSums(std::span<const Part> parts, int rest, std::span<uint16_t> keep) {
  const size_t n = parts.size();
  std::array<Sums, kMaxClueCells> before;
  before[0] = Sums{1};
  for (size_t k = 0; k + 1 < n; ++k) {
    before[k + 1] = Sums{};
    for (uint64_t totals = parts[k].reach; totals != 0; totals &= totals - 1)
      before[k + 1] |= before[k] << std::countr_zero(totals);
  }
  // The last part keeps a total when the others can make the rest of it: none when the rest is
  // out of reach.
  Sums need = Sums{1} << rest;
  for (size_t k = n; k-- > 0;) {
    const Part &part = parts[k];
    Sums needBefore{};
    uint64_t keptTotals = 0;
    for (uint64_t totals = part.reach; totals != 0; totals &= totals - 1) {
      const Sums left = need >> std::countr_zero(totals);
      if (None(left & before[k]))
        continue;
      keptTotals |= totals & (~totals + 1);
      needBefore |= left;
    }
    if (keptTotals == 0)
      return false;
    if (part.size == 1) {
      keep[part.members[0]] = static_cast<uint16_t>(part.cand[0] & (keptTotals >> 1));
    } else if (keptTotals == part.reach && Roomy(part)) {
      for (int m = 0; m < part.size; ++m)
        keep[part.members[m]] = part.cand[m];
    } else {
      // The entry holds what it says only for its own key: a part of the same read whose key
      // fell on the same slot may have taken it since.
      ClueLinks::PartMemo &memo = *part.memo;
      if (memo.key != part.key) {
        memo.key = part.key;
        memo.reach = part.reach;
        memo.keptFor = 0;
      }
      if (memo.keptFor != keptTotals) {
        std::array<uint16_t, kMostTogether> chosen{};
        memo.kept = {};
        KeepDifferent(part, 0, 0, 0, keptTotals, chosen, memo.kept);
        memo.keptFor = keptTotals;
      }
      for (int m = 0; m < part.size; ++m)
        keep[part.members[m]] = memo.kept[m];
    }
    need = needBefore;
  }
  return true;
}

} // namespace

bool ClueLinks::KeepToTotal(std::span<const uint8_t> value, std::span<const uint16_t> cand, int i,
                            ClueOpenCells &open) const {
  const Clue &clue = clues_[i];
  std::array<Part, kMaxClueCells> parts; // only those with an open cell are set
  std::array<int8_t, kMaxClueCells> partRead;
  std::fill_n(partRead.begin(), clue.parts, int8_t{-1});
  int nParts = 0;
  int rest = clue.target;
  int least = 0;
  int most = 0;
  open.count = 0;
  for (int k = 0; k < clue.size; ++k) {
    const int c = clue.cells[k];
    if (value[c] != 0) {
      rest -= value[c];
      continue;
    }
    if (cand[c] == 0)
      return false;
    least += std::countr_zero(cand[c]) + 1;
    most += std::bit_width(cand[c]);
    const int o = open.count++;
    open.cells[o] = static_cast<uint8_t>(c);
    int8_t &p = partRead[clue.part[k]];
    if (p < 0) {
      p = static_cast<int8_t>(nParts++);
      parts[p].size = 0;
    }
    Part &part = parts[p];
    part.members[part.size] = static_cast<uint8_t>(o);
    part.cand[part.size++] = cand[c];
  }
  // A rest outside what the smallest and largest candidates reach ends the branch before the
  // sums are read.
  if (rest < least || rest > most)
    return false;
  if (open.count == 0)
    return true;
  // One open cell takes the rest, the bounds above having checked that it can.
  if (open.count == 1) {
    open.keep[0] = static_cast<uint16_t>(cand[open.cells[0]] & ValueBit(rest));
    return open.keep[0] != 0;
  }
  for (int p = 0; p < nParts; ++p) {
    Part &part = parts[p];
    if (part.size == 1) {
      part.reach = TotalsOf(part.cand[0]);
      continue;
    }
    // Cells whose candidates come back as they were reach the same totals and keep the same.
    const uint64_t key = MemoKey(part);
    PartMemo &memo = partMemo_[(key * 0x9E3779B97F4A7C15ull) >> memoShift_];
    if (memo.key != key) {
      memo.key = key;
      memo.reach = TotalsOf(std::span(part.cand).first(static_cast<size_t>(part.size)), 0);
      memo.keptFor = 0;
    }
    part.reach = memo.reach;
    part.key = key;
    part.memo = &memo;
  }
  const auto partsRead = std::span<const Part>(parts).first(static_cast<size_t>(nParts));
  const auto keep = std::span(open.keep).first(static_cast<size_t>(open.count));
  if (rest < static_cast<int>(kWordSums))
    return KeepToSums<WordSums>(partsRead, rest, keep);
  return KeepToSums<WideSums>(partsRead, rest, keep);
}

bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid) {
  const VariantLists &lists = grid.Lists;
  if (lists.LittleKiller.Size() == 0)
    return true;
  if (KimoModulusOf(grid) != 0 || lists.ZeroFlag == 1)
    return false;
  std::array<uint8_t, kMaxCells> through{};
  for (const LittleKillerClue &clue : lists.LittleKiller.Used()) {
    bool offGrid = false;
    const auto cells = CellsRead(geo, clue, offGrid);
    if (offGrid)
      continue;
    for (const CellRef c : cells)
      if (++through[c] > 8)
        return false;
  }
  return true;
}

bool ClueLinks::Build(const GridGeometry &geo, const GridRecord &grid, bool read) {
  // Most searches read no diagonal: nothing to build then.
  if ((!read || grid.Lists.LittleKiller.Size() == 0) && count_ == 0)
    return true;
  std::array<Clue, kMaxClues> clues{};
  int count = 0;
  if (read)
    for (const LittleKillerClue &clue : grid.Lists.LittleKiller.Used()) {
      bool offGrid = false;
      const auto cells = CellsRead(geo, clue, offGrid);
      if (offGrid)
        continue;
      Clue &built = clues[count++];
      built.target = clue.Target;
      built.size = static_cast<int>(cells.size());
      std::copy(cells.begin(), cells.end(), built.cells.begin());
      // Cells of one block share a part, a few at most; a cell with a broken block table
      // stands alone.
      std::array<int, kMaxClueCells> blockOfPart{};
      std::array<int, kMaxClueCells> sizeOfPart{};
      for (size_t k = 0; k < cells.size(); ++k) {
        const int block = grid.BlockOfCell[cells[k]];
        const bool known = block >= 0 && block < kMaxWidth;
        int p = 0;
        while (p < built.parts && (!known || blockOfPart[p] != block || sizeOfPart[p] == kMostTogether))
          ++p;
        if (p == built.parts) {
          blockOfPart[p] = known ? block : -1;
          sizeOfPart[p] = 0;
          ++built.parts;
        }
        ++sizeOfPart[p];
        built.part[k] = static_cast<uint8_t>(p);
      }
    }
  if (count == count_ && std::equal(clues.begin(), clues.begin() + count, clues_.begin()))
    return true;
  count_ = count;
  clues_ = clues;
  cluesThrough_.fill(0);
  for (int i = 0; i < count_; ++i)
    for (int k = 0; k < clues_[i].size; ++k)
      cluesThrough_[clues_[i].cells[k]] |= uint64_t{1} << i;
  return false;
}

bool ClueLinks::HoldOnFull(std::span<const uint8_t> value) const {
  for (int i = 0; i < count_; ++i) {
    int total = 0;
    for (int k = 0; k < clues_[i].size; ++k)
      total += value[clues_[i].cells[k]];
    if (total != clues_[i].target)
      return false;
  }
  return true;
}

int ClueLinks::TightestCell(std::span<const uint8_t> value, std::span<const uint16_t> cand) const {
  int best = INT_MAX;
  int chosen = -1;
  for (int i = 0; i < count_; ++i) {
    int choices = 0;
    int fewest = INT_MAX;
    int cell = -1;
    for (int k = 0; k < clues_[i].size; ++k) {
      const int c = clues_[i].cells[k];
      if (value[c] != 0)
        continue;
      const int n = CountBits16(cand[c]);
      choices += n - 1;
      if (n < fewest) {
        fewest = n;
        cell = c;
      }
    }
    // The choices first; between diagonals as free, the one whose cell has fewer candidates.
    constexpr int kCandidateWeight = 100;
    if (cell >= 0 && choices * kCandidateWeight + fewest < best) {
      best = choices * kCandidateWeight + fewest;
      chosen = cell;
    }
  }
  return chosen;
}

} // namespace quorbel
