// Little Killer diagonals, Killer cages, Arrows and Creasing lines: the rules on a chain or a
// group of cells inside the grid.
#include <algorithm>
#include <span>

#include "engine/combo_search.h"
#include "engine/grid_record.h"
#include "engine/sum_rules.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int kLittleKillerLimit = 20;
constexpr int kGroupLimit = 40;

template <typename Item> std::span<const int16_t> CellsOf(const Item &item) {
  return {item.Cells.data(), static_cast<size_t>(std::clamp<int>(item.NCells, 0, item.Cells.size()))};
}

bool AllInGrid(const GridGeometry &geo, std::span<const int16_t> cells) {
  return std::all_of(cells.begin(), cells.end(), [&](int16_t c) { return c >= 0 && c < geo.NCells; });
}

// The total of the cells' values, or -1 when a cell is not filled.
int64_t FilledTotal(const GridRecord &grid, std::span<const int16_t> cells, bool product) {
  int64_t total = product ? 1 : 0;
  for (int16_t c : cells) {
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell))
      return -1;
    total = product ? total * cell.Value : total + cell.Value;
  }
  return total;
}

int64_t Reduced(int64_t value, int modulus) {
  return modulus >= 2 ? ((value % modulus) + modulus) % modulus : value;
}

void MarkUnfixed(GridRecord &grid, std::span<const int16_t> cells) {
  for (int16_t c : cells)
    MarkUnlessFixed(grid.Cells[c]);
}

uint32_t ValuesAbove(int v, const GridGeometry &geo) { return geo.FullMask & ~WidthMask(std::max(v, 0)); }

// What the group's filter reads: its cells, their candidates and whether they are open, and the
// total asked for. Never 0, so that a fresh digest always differs.
uint64_t GroupDigest(const GridRecord &grid, std::span<const int16_t> cells, const GroupTotal &total) {
  uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(total.Target) ^
               (static_cast<uint64_t>(total.Modulus) << 40) ^
               (static_cast<uint64_t>(total.ChainDistinct) << 56);
  for (int16_t c : cells) {
    const CellRecord &cell = grid.Cells[c];
    h = (h ^ ((static_cast<uint64_t>(c) << 32) | cell.ThePoss | (IsOpen(cell) ? 1ull << 31 : 0))) *
        0x100000001B3ull;
  }
  return h | 1;
}

// The filter of a group whose candidates changed since it last ran; 0 at once otherwise.
int FilterGroupOnce(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells,
                    const GroupTotal &total, uint64_t &seen) {
  if (!AllInGrid(geo, cells))
    return 0;
  if (GroupDigest(grid, cells, total) == seen)
    return 0;
  const int changed = FilterGroupTotal(geo, grid, cells, total);
  seen = GroupDigest(grid, cells, total);
  return changed;
}
uint32_t ValuesBelow(int v) { return v <= 1 ? 0u : WidthMask(v - 1); }

} // namespace

int KimoModulusOf(const GridRecord &grid) {
  const int modulus = grid.Lists.KimoModulus;
  return Meets(grid.GridVar, kVarKimo) && modulus >= 2 ? modulus : 0;
}

void CheckLittleKiller(const GridGeometry &geo, GridRecord &grid, int i) {
  const LittleKillerClue &clue = grid.Lists.LittleKiller.Items[i];
  const auto cells = CellsOf(clue);
  if (!AllInGrid(geo, cells))
    return;
  const int64_t sum = FilledTotal(grid, cells, false);
  if (sum < 0)
    return;
  const int modulus = KimoModulusOf(grid);
  if (Reduced(sum, modulus) == Reduced(clue.Target, modulus))
    return;
  MarkUnfixed(grid, cells);
  grid.Work.LittleKillerConflict[i] = 1;
  grid.State = kGridContradiction;
}

int FilterLittleKiller(const GridGeometry &geo, GridRecord &grid, int i) {
  const LittleKillerClue &clue = grid.Lists.LittleKiller.Items[i];
  const GroupTotal total{0, clue.Target, KimoModulusOf(grid), grid.Lists.ZeroFlag == 1 ? 1 : 0,
                         kLittleKillerLimit};
  return FilterGroupOnce(geo, grid, CellsOf(clue), total, grid.Digests.LittleKiller[i]);
}

void CheckKiller(const GridGeometry &geo, GridRecord &grid, int i) {
  const KillerCage &cage = grid.Lists.Killer.Items[i];
  const auto cells = CellsOf(cage);
  if (!AllInGrid(geo, cells))
    return;
  const int64_t total = FilledTotal(grid, cells, cage.IsProduct == 1);
  if (total < 0)
    return;
  const int modulus = KimoModulusOf(grid);
  if (Reduced(total, modulus) == Reduced(cage.Target, modulus))
    return;
  MarkUnfixed(grid, cells);
  grid.Work.KillerConflict[i] = 1;
  grid.State = kGridContradiction;
}

int FilterKiller(const GridGeometry &geo, GridRecord &grid, int i) {
  const KillerCage &cage = grid.Lists.Killer.Items[i];
  const GroupTotal total{cage.IsProduct == 1 ? 1 : 0, cage.Target, KimoModulusOf(grid),
                         grid.Lists.ZeroFlag == 1 ? 1 : 0, kGroupLimit};
  return FilterGroupOnce(geo, grid, CellsOf(cage), total, grid.Digests.Killer[i]);
}

void CheckArrow(const GridGeometry &geo, GridRecord &grid, int i) {
  const auto cells = CellsOf(grid.Lists.Arrows.Items[i]);
  if (cells.size() < 2 || !AllInGrid(geo, cells) || !IsFilled(grid.Cells[cells[0]]))
    return;
  const auto shaft = cells.subspan(1);
  const int64_t sum = FilledTotal(grid, shaft, false);
  if (sum < 0 || sum == grid.Cells[cells[0]].Value)
    return;
  grid.Work.ArrowConflict[i] = 1;
  for (int16_t c : shaft)
    grid.Cells[c].Check = kCheckConflict;
}

int FilterArrow(const GridGeometry &geo, GridRecord &grid, int i) {
  const auto cells = CellsOf(grid.Lists.Arrows.Items[i]);
  if (cells.size() < 2 || !AllInGrid(geo, cells))
    return 0;
  const auto shaft = cells.subspan(1);
  ComboSearch search;
  if (!LoadGroup(geo, grid, shaft, search) || CandidateCountOfGroup(search) > kGroupLimit)
    return 0;
  CellRecord &circle = grid.Cells[cells[0]];
  std::array<uint32_t, ComboSearch::kMaxPositions> reached{};
  uint32_t kept = 0;
  for (uint32_t left = circle.ThePoss & geo.FullMask; left != 0; left &= left - 1) {
    const int t = LowestValue(left, geo.GridWidth);
    search.Target = t;
    EnumerateCombinations(search);
    if (search.Allowed[0] == 0)
      continue;
    kept |= ValueBit(t);
    for (size_t k = 0; k < shaft.size(); ++k)
      reached[k] |= search.Allowed[k];
  }
  int changed = IsOpen(circle) ? RestrictPoss(geo, circle, kept) : 0;
  for (size_t k = 0; k < shaft.size(); ++k) {
    CellRecord &cell = grid.Cells[shaft[k]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, reached[k]);
  }
  return changed;
}

// ---- Creasing lines ----

namespace {

enum CreasingKind : int { kMonotone = 0, kAlternating = 1, kConsecutive = 2, kSumLine = 3 };

// Kind 0: the strict steps between successive filled values all go one way. Kind 1: the steps
// between filled neighbours alternate, up then down. Kind 2: filled neighbours differ by one.
// Kind 3: the largest value is the sum of the others. Equal neighbours break kinds 0 and 1.
bool CreasingHolds(const GridRecord &grid, std::span<const int16_t> cells, int kind) {
  const int n = static_cast<int>(cells.size());
  auto value = [&](int k) { return IsFilled(grid.Cells[cells[k]]) ? grid.Cells[cells[k]].Value : 0; };
  switch (kind) {
  case kMonotone: {
    int previous = 0;
    int direction = 0;
    for (int k = 0; k < n; ++k) {
      const int v = value(k);
      if (v == 0)
        continue;
      if (previous != 0) {
        if (v == previous)
          return false;
        const int step = v > previous ? 1 : -1;
        if (direction != 0 && step != direction)
          return false;
        direction = step;
      }
      previous = v;
    }
    return true;
  }
  case kAlternating: {
    int phase = 0; // the direction a step at an even position takes
    for (int k = 0; k + 1 < n; ++k) {
      const int a = value(k);
      const int b = value(k + 1);
      if (a == 0 || b == 0)
        continue;
      if (a == b)
        return false;
      const int step = (b > a ? 1 : -1) * (k % 2 == 0 ? 1 : -1);
      if (phase != 0 && step != phase)
        return false;
      phase = step;
    }
    return true;
  }
  case kConsecutive:
    for (int k = 0; k + 1 < n; ++k) {
      const int a = value(k);
      const int b = value(k + 1);
      if (a != 0 && b != 0 && std::abs(a - b) != 1)
        return false;
    }
    return true;
  case kSumLine: {
    int total = 0;
    int largest = 0;
    for (int k = 0; k < n; ++k) {
      if (value(k) == 0)
        return true;
      total += value(k);
      largest = std::max(largest, value(k));
    }
    return largest == total - largest;
  }
  default:
    return true;
  }
}

// One direction of a monotone line: each cell keeps what lies strictly between its neighbours'
// reach. False when a cell is left without a value.
bool MonotoneMasks(const GridGeometry &geo, const GridRecord &grid, std::span<const int16_t> cells,
                   bool rising, std::array<uint32_t, 10> &masks) {
  const int n = static_cast<int>(cells.size());
  const int w = geo.GridWidth;
  for (int k = 0; k < n; ++k)
    masks[k] = grid.Cells[cells[k]].ThePoss & geo.FullMask;
  for (int k = 1; k < n; ++k) {
    const uint32_t before = masks[k - 1];
    masks[k] &= rising ? ValuesAbove(LowestValue(before, w), geo) : ValuesBelow(HighestValue(before, w));
  }
  for (int k = n - 2; k >= 0; --k) {
    const uint32_t after = masks[k + 1];
    masks[k] &= rising ? ValuesBelow(HighestValue(after, w)) : ValuesAbove(LowestValue(after, w), geo);
  }
  return std::all_of(masks.begin(), masks.begin() + n, [](uint32_t m) { return m != 0; });
}

int FilterMonotone(const GridGeometry &geo, GridRecord &grid, int i, std::span<const int16_t> cells) {
  std::array<uint32_t, 10> rising{};
  std::array<uint32_t, 10> falling{};
  const bool up = MonotoneMasks(geo, grid, cells, true, rising);
  const bool down = MonotoneMasks(geo, grid, cells, false, falling);
  grid.Work.CreasingDirection[i] = static_cast<int8_t>(up && down ? -1 : up ? 1 : down ? 0 : -2);
  int changed = 0;
  for (size_t k = 0; k < cells.size(); ++k) {
    CellRecord &cell = grid.Cells[cells[k]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, (up ? rising[k] : 0) | (down ? falling[k] : 0));
  }
  return changed;
}

int FilterAlternating(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells) {
  const int n = static_cast<int>(cells.size());
  const int w = geo.GridWidth;
  int phase = 0; // the direction of a step at an even position
  for (int k = 0; k + 1 < n && phase == 0; ++k) {
    const CellRecord &a = grid.Cells[cells[k]];
    const CellRecord &b = grid.Cells[cells[k + 1]];
    if (IsFilled(a) && IsFilled(b) && a.Value != b.Value)
      phase = (b.Value > a.Value ? 1 : -1) * (k % 2 == 0 ? 1 : -1);
  }
  for (int k = 0; k + 1 < n && phase == 0; ++k) {
    const uint32_t a = grid.Cells[cells[k]].ThePoss;
    const uint32_t b = grid.Cells[cells[k + 1]].ThePoss;
    if (a == 0 || b == 0)
      continue;
    int step = 0;
    if (HighestValue(a, w) < LowestValue(b, w))
      step = 1;
    else if (LowestValue(a, w) > HighestValue(b, w))
      step = -1;
    phase = step * (k % 2 == 0 ? 1 : -1);
  }
  if (phase == 0)
    return 0;
  int changed = 0;
  for (int k = 0; k + 1 < n; ++k) {
    const bool up = (k % 2 == 0 ? phase : -phase) > 0;
    CellRecord &low = grid.Cells[cells[up ? k : k + 1]];
    CellRecord &high = grid.Cells[cells[up ? k + 1 : k]];
    if (IsOpen(low))
      changed |= RestrictPoss(geo, low, low.ThePoss & ValuesBelow(HighestValue(high.ThePoss, w)));
    if (IsOpen(high))
      changed |= RestrictPoss(geo, high, high.ThePoss & ValuesAbove(LowestValue(low.ThePoss, w), geo));
  }
  return changed;
}

uint32_t Neighbours(uint32_t mask, const GridGeometry &geo) {
  return ((mask << 1) | (mask >> 1)) & geo.FullMask;
}

int FilterConsecutive(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells) {
  int changed = 0;
  for (size_t k = 0; k + 1 < cells.size(); ++k) {
    CellRecord &a = grid.Cells[cells[k]];
    CellRecord &b = grid.Cells[cells[k + 1]];
    if (IsOpen(a))
      changed |= RestrictPoss(geo, a, a.ThePoss & Neighbours(b.ThePoss, geo));
    if (IsOpen(b))
      changed |= RestrictPoss(geo, b, b.ThePoss & Neighbours(a.ThePoss, geo));
  }
  return changed;
}

int FilterSumLine(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> cells) {
  const int n = static_cast<int>(cells.size());
  if (n < 2)
    return 0;
  std::array<uint32_t, 10> reached{};
  std::array<int16_t, 10> others{};
  for (int s = 0; s < n; ++s) {
    int m = 0;
    for (int k = 0; k < n; ++k)
      if (k != s)
        others[m++] = cells[k];
    ComboSearch search;
    if (!LoadGroup(geo, grid, std::span<const int16_t>(others.data(), m), search) ||
        CandidateCountOfGroup(search) > kGroupLimit)
      return 0;
    for (uint32_t left = grid.Cells[cells[s]].ThePoss & geo.FullMask; left != 0; left &= left - 1) {
      const int t = LowestValue(left, geo.GridWidth);
      search.Target = t;
      EnumerateCombinations(search);
      if (search.Allowed[0] == 0)
        continue;
      reached[s] |= ValueBit(t);
      for (int k = 0, j = 0; k < n; ++k)
        if (k != s)
          reached[k] |= search.Allowed[j++];
    }
  }
  int changed = 0;
  for (int k = 0; k < n; ++k) {
    CellRecord &cell = grid.Cells[cells[k]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, reached[k]);
  }
  return changed;
}

} // namespace

void CheckCreasing(const GridGeometry &geo, GridRecord &grid, int i) {
  const CreasingLine &line = grid.Lists.Creasing.Items[i];
  const auto cells = CellsOf(line);
  if (!AllInGrid(geo, cells) || CreasingHolds(grid, cells, line.Kind))
    return;
  grid.Work.CreasingConflict[i] = 1;
  for (int16_t c : cells)
    if (IsFilled(grid.Cells[c]))
      grid.Cells[c].Check = kCheckConflict;
}

int FilterCreasing(const GridGeometry &geo, GridRecord &grid, int i) {
  const CreasingLine &line = grid.Lists.Creasing.Items[i];
  const auto cells = CellsOf(line);
  if (cells.size() < 2 || !AllInGrid(geo, cells))
    return 0;
  switch (line.Kind) {
  case kMonotone:
    return FilterMonotone(geo, grid, i, cells);
  case kAlternating:
    return FilterAlternating(geo, grid, cells);
  case kConsecutive:
    return FilterConsecutive(geo, grid, cells);
  case kSumLine:
    return FilterSumLine(geo, grid, cells);
  default:
    return 0;
  }
}

} // namespace quorbel
