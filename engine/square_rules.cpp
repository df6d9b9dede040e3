// Magic Squares, Multiplication Tables and Twins Total: sums and products over fixed shapes.
#include <algorithm>
#include <array>
#include <bit>
#include <bitset>
#include <span>

#include "engine/combo_search.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/sum_rules.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int kGroupLimit = 40;

// The square's rows, columns and two diagonals, each as the indexes of its cells in the item.
template <typename Visit> void ForEachSquareLine(int side, Visit visit) {
  std::array<int, 4> line{};
  for (int r = 0; r < side; ++r) {
    for (int k = 0; k < side; ++k)
      line[k] = r * side + k;
    visit(std::span<const int>(line.data(), side));
  }
  for (int c = 0; c < side; ++c) {
    for (int k = 0; k < side; ++k)
      line[k] = k * side + c;
    visit(std::span<const int>(line.data(), side));
  }
  for (int k = 0; k < side; ++k)
    line[k] = k * side + k;
  visit(std::span<const int>(line.data(), side));
  for (int k = 0; k < side; ++k)
    line[k] = k * side + side - 1 - k;
  visit(std::span<const int>(line.data(), side));
}

bool SquareInGrid(const GridGeometry &geo, const MagicSquareClue &square, int side) {
  for (int k = 0; k < side * side; ++k)
    if (square.Cells[k] < 0 || square.Cells[k] >= geo.NCells)
      return false;
  return true;
}

} // namespace

void PrepareMagicSquare(int i, GridRecord &grid) {
  const int n = grid.Lists.MagicSquares.Items[i].NCells;
  const int side = n == 4 ? 2 : n == 9 ? 3 : n == 16 ? 4 : 0;
  grid.Work.MagicSide[i] = static_cast<int8_t>(side);
  grid.Work.MagicSum[i] = static_cast<int16_t>(side == 0 ? 0 : (n * (n + 1) / side) / 2);
}

void CheckMagicSquare(const GridGeometry &geo, GridRecord &grid, int i) {
  const MagicSquareClue &square = grid.Lists.MagicSquares.Items[i];
  const int side = grid.Work.MagicSide[i];
  if (side == 0 || !SquareInGrid(geo, square, side))
    return;
  bool conflict = false;
  ForEachSquareLine(side, [&](std::span<const int> line) {
    int sum = 0;
    for (int k : line) {
      const CellRecord &cell = grid.Cells[square.Cells[k]];
      if (!IsFilled(cell))
        return;
      sum += cell.Value;
    }
    conflict |= sum != grid.Work.MagicSum[i];
  });
  if (!conflict)
    return;
  grid.Work.MagicSquareConflict[i] = 1;
  for (int k = 0; k < side * side; ++k)
    if (IsFilled(grid.Cells[square.Cells[k]]))
      grid.Cells[square.Cells[k]].Check = kCheckConflict;
}

int FilterMagicSquare(const GridGeometry &geo, GridRecord &grid, int i) {
  constexpr int kLoShuSide = 3;
  constexpr int kLoShuSum = 15;
  constexpr uint32_t kEven = 0xAA;        // 2, 4, 6, 8
  constexpr uint32_t kOdd = 0x155;        // 1, 3, 5, 7, 9
  constexpr uint32_t kEdgeValues = 0x145; // 1, 3, 7, 9
  constexpr std::array<int, 4> kEdges = {1, 3, 5, 7};
  constexpr std::array<int, 4> kCorners = {0, 2, 6, 8};
  const MagicSquareClue &square = grid.Lists.MagicSquares.Items[i];
  if (grid.Work.MagicSide[i] != kLoShuSide || !SquareInGrid(geo, square, kLoShuSide))
    return 0;
  CellRecord &centre = grid.Cells[square.Cells[4]];
  if (IsOpen(centre))
    RestrictPoss(geo, centre, ValueBit(5));
  for (int k : kEdges) {
    CellRecord &cell = grid.Cells[square.Cells[k]];
    if (IsOpen(cell) && (cell.ThePoss & kEven) != 0)
      RestrictPoss(geo, cell, cell.ThePoss & kEdgeValues);
  }
  for (int k : kCorners) {
    CellRecord &cell = grid.Cells[square.Cells[k]];
    if (IsOpen(cell) && (cell.ThePoss & kOdd) != 0)
      RestrictPoss(geo, cell, cell.ThePoss & kEven);
  }
  ForEachSquareLine(kLoShuSide, [&](std::span<const int> line) {
    ComboSearch search;
    search.GroupSize = kLoShuSide;
    for (int k = 0; k < kLoShuSide; ++k)
      search.Candidates[k] = grid.Cells[square.Cells[line[k]]].ThePoss & geo.FullMask;
    search.Target = kLoShuSum;
    search.ChainDistinct = 1;
    EnumerateCombinations(search);
    for (int k = 0; k < kLoShuSide; ++k) {
      CellRecord &cell = grid.Cells[square.Cells[line[k]]];
      if (IsOpen(cell))
        RestrictPoss(geo, cell, search.Allowed[k]);
    }
  });
  // Its narrowing alone never asks for another pass.
  return 0;
}

void CheckMultTable(const GridGeometry &geo, GridRecord &grid, int i) {
  const MultTableItem &item = grid.Lists.MultTable.Items[i];
  for (int16_t c : item.Cells)
    if (c < 0 || c >= geo.NCells)
      return;
  auto value = [&](int k) {
    return IsFilled(grid.Cells[item.Cells[k]]) ? grid.Cells[item.Cells[k]].Value : 0;
  };
  const int product = value(0) * value(1);
  const int number = value(2) != 0 && value(3) != 0 ? 10 * value(2) + value(3) : 0;
  if (product == 0 || number == 0 || product == number)
    return;
  grid.Work.MultTableConflict[i] = 1;
  for (int16_t c : item.Cells)
    grid.Cells[c].Check = kCheckConflict;
}

int FilterMultTable(const GridGeometry &geo, GridRecord &grid, int i) {
  const MultTableItem &item = grid.Lists.MultTable.Items[i];
  for (int16_t c : item.Cells)
    if (c < 0 || c >= geo.NCells)
      return 0;
  std::array<uint32_t, 4> poss{};
  for (int k = 0; k < 4; ++k)
    poss[k] = grid.Cells[item.Cells[k]].ThePoss & geo.FullMask;
  std::array<uint32_t, 4> kept{};
  const int w = geo.GridWidth;
  for (int a = 1; a <= w; ++a) {
    if ((poss[0] & ValueBit(a)) == 0)
      continue;
    for (int b = 1; b <= w; ++b) {
      if ((poss[1] & ValueBit(b)) == 0)
        continue;
      // From 10 up the last place may hold two digits: 4 x 5 = 10 x 1 + 10.
      const int product = a * b;
      for (int c = 1; c <= w && 10 * c < product; ++c) {
        const int d = product - 10 * c;
        if ((poss[2] & ValueBit(c)) == 0 || (poss[3] & ValueBit(d)) == 0)
          continue;
        kept[0] |= ValueBit(a);
        kept[1] |= ValueBit(b);
        kept[2] |= ValueBit(c);
        kept[3] |= ValueBit(d);
      }
    }
  }
  int changed = 0;
  for (int k = 0; k < 4; ++k) {
    CellRecord &cell = grid.Cells[item.Cells[k]];
    if (IsOpen(cell)) {
      changed |= RestrictPoss(geo, cell, kept[k]);
    } else if (kept[k] == 0) {
      cell.Check = kCheckConflict;
      grid.Work.MultTableConflict[i] = 1;
    }
  }
  return changed;
}

namespace {

// The values of each position that take part in a choice of one candidate per position adding
// up to `target`, as the combination search finds them, in time linear in the positions: the
// sums reachable before a position, and those from which the positions after it reach the target.
// `Sums` is a set of totals as bits, wide enough for the target.
template <typename Sums>
std::array<uint32_t, kMaxGrids> ValuesReachingTotal(std::span<const uint32_t> candidates, int target) {
  const auto shifted = [](const Sums &sums, uint32_t values, bool up) {
    Sums out{};
    for (; values != 0; values &= values - 1) {
      const int v = std::countr_zero(values) + 1;
      out |= up ? sums << v : sums >> v;
    }
    return out;
  };
  const size_t n = candidates.size();
  std::array<Sums, kMaxGrids + 1> before{};
  before[0] = Sums{1};
  for (size_t g = 0; g < n; ++g)
    before[g + 1] = shifted(before[g], candidates[g], true);
  std::array<uint32_t, kMaxGrids> allowed{};
  Sums toReach = Sums{1} << target;
  for (size_t g = n; g-- > 0;) {
    for (uint32_t values = candidates[g]; values != 0; values &= values - 1) {
      const int v = std::countr_zero(values);
      if (((before[g] << (v + 1)) & toReach) != Sums{})
        allowed[g] |= 1u << v;
    }
    toReach = shifted(toReach, candidates[g], false);
  }
  return allowed;
}

// Totals below 128, as every 9x9 set makes, fit one machine word pair.
std::array<uint32_t, kMaxGrids> ValuesReachingTotal(std::span<const uint32_t> candidates, int target) {
  constexpr int kNarrowTotals = 128;
  constexpr int kMostTotal = kMaxGrids * kMaxWidth;
  if (target < kNarrowTotals)
    return ValuesReachingTotal<unsigned __int128>(candidates, target);
  if (target > kMostTotal)
    return {}; // out of reach of any choice
  return ValuesReachingTotal<std::bitset<kMostTotal + 1>>(candidates, target);
}

// The grid after the main grids, which holds the totals; null when the set has none.
GridRecord *TotalsGrid(EngineContext &ctx, const GridRecord &grid) {
  GridSet &set = ctx.Grids;
  if (GridIndexOf(set, grid) != 0)
    return nullptr;
  const int slot = UsedMainCount(set);
  if (slot >= UsedAllCount(set) || slot >= kMaxGrids)
    return nullptr;
  GridRecord &totals = set.Main[slot];
  return FitsGeometry(ctx.Geo, totals) ? &totals : nullptr;
}

} // namespace

void CheckTwinsTotal(EngineContext &ctx, GridRecord &grid) {
  GridRecord *totals = TotalsGrid(ctx, grid);
  if (totals == nullptr)
    return;
  const GridGeometry &geo = ctx.Geo;
  const int mains = UsedMainCount(ctx.Grids);
  for (int c = 0; c < geo.NCells; ++c)
    totals->Cells[c].Check = kCheckConsistent;
  for (int c = 0; c < geo.NCells; ++c) {
    int sum = 0;
    bool filled = true;
    for (int g = 0; g < mains && filled; ++g) {
      const CellRecord &cell = ctx.Grids.Main[g].Cells[c];
      filled = IsFilled(cell);
      sum += cell.Value;
    }
    if (!filled || sum <= 0 || sum == totals->Cells[c].Value)
      continue;
    for (int g = 0; g < mains; ++g)
      ctx.Grids.Main[g].Cells[c].Check = kCheckConflict;
    totals->Cells[c].Check = kCheckConflict;
  }
}

int FilterTwinsTotal(EngineContext &ctx, GridRecord &grid) {
  GridRecord *totals = TotalsGrid(ctx, grid);
  if (totals == nullptr)
    return 0;
  const GridGeometry &geo = ctx.Geo;
  const int mains = std::min(UsedMainCount(ctx.Grids), kMaxGrids);
  // The candidate limit stands for the player's candidates; a count for the generator reads
  // every cell, since without it a set of five grids or more is searched nearly blind.
  const bool everyCell = ctx.Settings.UniquenessOnly != 0;
  int changed = 0;
  std::array<uint32_t, kMaxGrids> candidates{};
  for (int c = 0; c < geo.NCells; ++c) {
    if (totals->Cells[c].Value <= 0)
      continue; // no total to reach: nothing is known of the cell
    int count = 0;
    for (int g = 0; g < mains; ++g) {
      candidates[g] = ctx.Grids.Main[g].Cells[c].ThePoss & geo.FullMask;
      count += everyCell ? 0 : CountValues(candidates[g], geo.GridWidth);
    }
    if (count > kGroupLimit)
      return changed;
    const std::array<uint32_t, kMaxGrids> allowed =
        ValuesReachingTotal(std::span(candidates).first(mains), totals->Cells[c].Value);
    for (int g = 0; g < mains; ++g) {
      CellRecord &cell = ctx.Grids.Main[g].Cells[c];
      if (IsOpen(cell))
        changed |= RestrictPoss(geo, cell, allowed[g]);
    }
  }
  return changed;
}

} // namespace quorbel
