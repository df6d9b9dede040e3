#include "engine/neighbour_rules.h"

#include <algorithm>
#include <array>
#include <bit>

#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr uint32_t kOddValues = 0x5555;
constexpr uint32_t kEvenValues = 0xAAAA;

// Every three consecutive cells of a row, then of a column.
template <typename Visit> void ForEachTriple(const GridGeometry &geo, Visit visit) {
  const int w = geo.GridWidth;
  for (int r = 0; r < w; ++r)
    for (int k = 0; k + 2 < w; ++k)
      visit(geo.RowCells[r][k], geo.RowCells[r][k + 1], geo.RowCells[r][k + 2]);
  for (int c = 0; c < w; ++c)
    for (int k = 0; k + 2 < w; ++k)
      visit(geo.ColCells[c][k], geo.ColCells[c][k + 1], geo.ColCells[c][k + 2]);
}

// The orthogonal neighbours inside the grid (up, down, left, right), -1 off the grid.
std::array<int, 4> Neighbours(const GridGeometry &geo, int cell) {
  const int w = geo.GridWidth;
  const int r = geo.RowOfCell[cell];
  const int c = geo.ColOfCell[cell];
  return {r > 0 ? cell - w : -1, r + 1 < w ? cell + w : -1, c > 0 ? cell - 1 : -1, c + 1 < w ? cell + 1 : -1};
}

void Mark(GridRecord &grid, std::initializer_list<int> cells) {
  for (int c : cells)
    grid.Cells[c].Check = kCheckConflict;
}

int Restrict(const GridGeometry &geo, CellRecord &cell, uint32_t keep) {
  return IsOpen(cell) ? RestrictPoss(geo, cell, cell.ThePoss & keep) : 0;
}

uint32_t Around(int v) { return ValueBit(v - 1) | ValueBit(v) | ValueBit(v + 1); }

} // namespace

// ---- No Consecutive ----

void CheckNoConsecutive(const GridGeometry &geo, GridRecord &grid) {
  ForEachAdjacentPair(geo, [&](int a, int b) {
    const CellRecord &x = grid.Cells[a];
    const CellRecord &y = grid.Cells[b];
    if (IsFilled(x) && IsFilled(y) && std::abs(x.Value - y.Value) == 1)
      Mark(grid, {a, b});
  });
}

int FilterNoConsecutive(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  ForEachAdjacentPair(geo, [&](int a, int b) {
    CellRecord &x = grid.Cells[a];
    CellRecord &y = grid.Cells[b];
    if (IsOpen(x) && IsFilled(y)) {
      changed |= Restrict(geo, x, ~Around(y.Value));
    } else if (IsFilled(x) && IsOpen(y)) {
      changed |= Restrict(geo, y, ~Around(x.Value));
    } else if (IsOpen(x) && IsOpen(y)) {
      const uint32_t both = (x.ThePoss | y.ThePoss) & geo.FullMask;
      // Three consecutive values between them: neither can take the middle one. Not reported.
      if (CountBits16(both) != 3)
        return;
      const int low = std::countr_zero(both) + 1;
      if (both == Around(low + 1)) {
        Restrict(geo, x, ~ValueBit(low + 1));
        Restrict(geo, y, ~ValueBit(low + 1));
      }
    }
  });
  return changed;
}

// ---- No Touch ----

namespace {

template <typename Visit> void ForEachSquare(const GridGeometry &geo, Visit visit) {
  const int w = geo.GridWidth;
  for (int c = 0; c < geo.NCells; ++c)
    if (geo.RowOfCell[c] + 1 < w && geo.ColOfCell[c] + 1 < w)
      visit(c, c + 1, c + w, c + w + 1);
}

} // namespace

void CheckNoTouch(const GridGeometry &geo, GridRecord &grid) {
  ForEachSquare(geo, [&](int a, int b, int c, int d) {
    for (auto [p, q] : {std::pair{a, d}, std::pair{b, c}})
      if (IsFilled(grid.Cells[p]) && IsFilled(grid.Cells[q]) && grid.Cells[p].Value == grid.Cells[q].Value)
        Mark(grid, {p, q});
  });
}

int FilterNoTouch(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  ForEachSquare(geo, [&](int a, int b, int c, int d) {
    const std::array<std::array<int, 4>, 2> diagonals = {{{a, d, b, c}, {b, c, a, d}}};
    for (const auto &[p, q, o1, o2] : diagonals) {
      CellRecord &x = grid.Cells[p];
      CellRecord &y = grid.Cells[q];
      if (IsFilled(y))
        changed |= Restrict(geo, x, ~ValueBit(y.Value));
      if (IsFilled(x))
        changed |= Restrict(geo, y, ~ValueBit(x.Value));
      const uint32_t both = (x.ThePoss | y.ThePoss) & geo.FullMask;
      // Two diagonal cells sharing two values between them take both: the other two cannot.
      if (IsOpen(x) && IsOpen(y) && CountValues(both, geo.GridWidth) == 2) {
        changed |= Restrict(geo, grid.Cells[o1], ~both);
        changed |= Restrict(geo, grid.Cells[o2], ~both);
      }
    }
  });
  return changed;
}

// ---- Touchy ----

void CheckTouchy(const GridGeometry &geo, GridRecord &grid) {
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell))
      continue;
    bool allFilled = true;
    bool touched = false;
    for (int n : Neighbours(geo, c)) {
      if (n < 0)
        continue;
      allFilled &= IsFilled(grid.Cells[n]);
      touched |= IsFilled(grid.Cells[n]) && std::abs(grid.Cells[n].Value - cell.Value) == 1;
    }
    if (!allFilled || touched)
      continue;
    grid.Cells[c].Check = kCheckConflict;
    for (int n : Neighbours(geo, c))
      if (n >= 0)
        grid.Cells[n].Check = kCheckConflict;
  }
}

int FilterTouchy(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell))
      continue;
    const uint32_t next = ValueBit(cell.Value - 1) | ValueBit(cell.Value + 1);
    int open = 0;
    int only = -1;
    bool satisfied = false;
    for (int n : Neighbours(geo, c)) {
      if (n < 0 || (grid.Cells[n].ThePoss & next) == 0)
        continue;
      if (IsFilled(grid.Cells[n])) {
        satisfied = true;
        break;
      }
      only = n;
      if (++open == 2)
        break;
    }
    if (!satisfied && open == 1)
      changed |= Restrict(geo, grid.Cells[only], next);
  }
  return changed;
}

// ---- No 3 Odd Even ----

void CheckNo3OddEven(const GridGeometry &geo, GridRecord &grid) {
  ForEachTriple(geo, [&](int a, int b, int c) {
    const CellRecord &x = grid.Cells[a];
    const CellRecord &y = grid.Cells[b];
    const CellRecord &z = grid.Cells[c];
    if (IsFilled(x) && IsFilled(y) && IsFilled(z) && (x.Value & 1) == (y.Value & 1) &&
        (y.Value & 1) == (z.Value & 1))
      Mark(grid, {a, b, c});
  });
}

namespace {

// 1: both cells can only be odd (the third must be even); 2: both only even; 0: either.
int ParityClassOfPair(uint32_t a, uint32_t b) {
  if ((a & kEvenValues) == 0 && (b & kEvenValues) == 0)
    return 1;
  if ((a & kOddValues) == 0 && (b & kOddValues) == 0 && ((a | b) & kEvenValues) != 0)
    return 2;
  return 0;
}

} // namespace

int FilterNo3OddEven(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  ForEachTriple(geo, [&](int a, int b, int c) {
    for (auto [third, p, q] : {std::array{a, b, c}, std::array{b, c, a}, std::array{c, a, b}}) {
      const int cls =
          ParityClassOfPair(grid.Cells[p].ThePoss & geo.FullMask, grid.Cells[q].ThePoss & geo.FullMask);
      if (cls != 0)
        changed |= Restrict(geo, grid.Cells[third], cls == 1 ? kEvenValues : kOddValues);
    }
  });
  return changed;
}

// ---- No Average ----

void CheckNoAverage(const GridGeometry &geo, GridRecord &grid) {
  ForEachTriple(geo, [&](int a, int b, int c) {
    const CellRecord &x = grid.Cells[a];
    const CellRecord &y = grid.Cells[b];
    const CellRecord &z = grid.Cells[c];
    if (IsFilled(x) && IsFilled(y) && IsFilled(z) && x.Value + z.Value == 2 * y.Value)
      Mark(grid, {a, b, c});
  });
}

int FilterNoAverage(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  ForEachTriple(geo, [&](int a, int b, int c) {
    CellRecord &x = grid.Cells[a];
    CellRecord &y = grid.Cells[b];
    CellRecord &z = grid.Cells[c];
    if (IsOpen(y) && IsFilled(x) && IsFilled(z) && (x.Value + z.Value) % 2 == 0)
      changed |= Restrict(geo, y, ~ValueBit((x.Value + z.Value) / 2));
    else if (IsOpen(x) && IsFilled(y) && IsFilled(z))
      changed |= Restrict(geo, x, ~ValueBit(2 * y.Value - z.Value));
    else if (IsOpen(z) && IsFilled(x) && IsFilled(y))
      changed |= Restrict(geo, z, ~ValueBit(2 * y.Value - x.Value));
  });
  return changed;
}

// ---- Give Me 5 ----

namespace {

// For each value u, the values five apart from it: 5 - u, u + 5 and u - 5.
constexpr std::array<uint32_t, kMaxWidth> kFiveApartOf = [] {
  std::array<uint32_t, kMaxWidth> apart{};
  for (int u = 1; u <= kMaxWidth; ++u)
    apart[u - 1] = ValueBit(5 - u) | ValueBit(u + 5) | ValueBit(u - 5);
  return apart;
}();

bool FiveApart(int a, int b) { return ValueBit(a) != 0 && (kFiveApartOf[a - 1] & ValueBit(b)) != 0; }

// The values of one cell that some value of its partner allows: a value goes only when every
// value of the partner lies five apart from it.
uint32_t FiveFree(uint32_t mine, uint32_t partner, const GridGeometry &geo) {
  partner &= geo.FullMask;
  if (partner == 0)
    return 0;
  uint32_t apartFromAll = geo.FullMask;
  for (uint32_t left = partner; left != 0 && apartFromAll != 0; left &= left - 1)
    apartFromAll &= kFiveApartOf[std::countr_zero(left)];
  return mine & geo.FullMask & ~apartFromAll;
}

} // namespace

void CheckGiveMe5(const GridGeometry &geo, GridRecord &grid) {
  ForEachAdjacentPair(geo, [&](int a, int b) {
    if (IsFilled(grid.Cells[a]) && IsFilled(grid.Cells[b]) &&
        FiveApart(grid.Cells[a].Value, grid.Cells[b].Value))
      Mark(grid, {a, b});
  });
}

int FilterGiveMe5(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  ForEachAdjacentPair(geo, [&](int a, int b) {
    CellRecord &x = grid.Cells[a];
    CellRecord &y = grid.Cells[b];
    changed |= Restrict(geo, x, FiveFree(x.ThePoss, y.ThePoss, geo));
    changed |= Restrict(geo, y, FiveFree(y.ThePoss, x.ThePoss, geo));
  });
  return changed;
}

// ---- No Knight Step ----

void CheckNoKnightStep(const GridGeometry &geo, GridRecord &grid) {
  for (int c = 0; c < geo.NCells; ++c) {
    if (!IsFilled(grid.Cells[c]))
      continue;
    ForEachKnightMove(geo, c, [&](int other) {
      if (IsFilled(grid.Cells[other]) && grid.Cells[other].Value == grid.Cells[c].Value)
        Mark(grid, {c, other});
    });
  }
}

int FilterNoKnightStep(const GridGeometry &geo, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < geo.NCells; ++c) {
    if (!IsFilled(grid.Cells[c]))
      continue;
    const uint32_t bit = ValueBit(grid.Cells[c].Value);
    ForEachKnightMove(geo, c, [&](int other) { changed |= AndPoss(grid.Cells[other], ~bit); });
  }
  return changed;
}

// ---- Pirate ----

namespace {

constexpr int kPirateWidth = 9;
constexpr int kTreasure = 5;
constexpr uint32_t kPirates = 0xF;     // 1 to 4
constexpr uint32_t kCommoners = 0x1E0; // 6 to 9

// Whether the neighbours can all be pirates at once, two neighbours in one row, column or block
// holding different ones.
bool PiratesFit(const GridGeometry &geo, const GridRecord &grid, const std::array<int, 4> &around) {
  std::array<int, 4> cells{};
  int n = 0;
  for (int c : around)
    if (c >= 0)
      cells[n++] = c;
  std::array<int, 4> value{};
  auto place = [&](auto &&self, int k) -> bool {
    if (k == n)
      return true;
    const uint32_t poss = grid.Cells[cells[k]].ThePoss & kPirates;
    for (int v = 1; v <= 4; ++v) {
      if ((poss & ValueBit(v)) == 0)
        continue;
      bool clash = false;
      for (int j = 0; j < k && !clash; ++j)
        clash = value[j] == v && (geo.RowOfCell[cells[j]] == geo.RowOfCell[cells[k]] ||
                                  geo.ColOfCell[cells[j]] == geo.ColOfCell[cells[k]] ||
                                  grid.BlockOfCell[cells[j]] == grid.BlockOfCell[cells[k]]);
      if (clash)
        continue;
      value[k] = v;
      if (self(self, k + 1))
        return true;
    }
    return false;
  };
  return place(place, 0);
}

} // namespace

void CheckPirate(const GridGeometry &geo, GridRecord &grid) {
  if (geo.GridWidth != kPirateWidth)
    return;
  for (int c = 0; c < geo.NCells; ++c) {
    if (!IsFilled(grid.Cells[c]) || grid.Cells[c].Value != kTreasure)
      continue;
    for (int n : Neighbours(geo, c))
      if (n >= 0 && IsFilled(grid.Cells[n]) && grid.Cells[n].Value > kTreasure) {
        Mark(grid, {c, n});
        grid.Work.PirateConflict = 1;
      }
  }
}

int FilterPirate(const GridGeometry &geo, GridRecord &grid) {
  if (geo.GridWidth != kPirateWidth)
    return 0;
  int changed = 0;
  for (int c = 0; c < geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[c];
    const std::array<int, 4> around = Neighbours(geo, c);
    const uint32_t poss = cell.ThePoss & geo.FullMask;
    if (IsFilled(cell) && cell.Value == kTreasure) {
      for (int n : around)
        if (n >= 0)
          changed |= Restrict(geo, grid.Cells[n], kPirates);
    } else if ((IsFilled(cell) && (ValueBit(cell.Value) & kCommoners) != 0) ||
               (IsOpen(cell) && (poss & kPirates) == 0)) {
      // No pirate here: the treasure cannot lie next to it.
      for (int n : around)
        if (n >= 0)
          changed |= Restrict(geo, grid.Cells[n], ~ValueBit(kTreasure));
    } else if (IsOpen(cell) && (poss & ValueBit(kTreasure)) != 0 && !PiratesFit(geo, grid, around)) {
      changed |= Restrict(geo, cell, ~ValueBit(kTreasure));
    }
  }
  return changed;
}

// ---- Neighbour score ----

void AddNeighbourScore(const EngineContext &ctx, GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (!IsFilled(cell) || cell.Value < 1)
      continue;
    for (int other : Neighbours(geo, c)) {
      if (other < 0 || !IsFilled(grid.Cells[other]))
        continue;
      const int u = grid.Cells[other].Value;
      if (u >= 1 && cell.Value % u == 0 && cell.Value / u > 1)
        grid.Work.NeighbourScore += static_cast<int32_t>(ctx.PointsOf(cell.Value / u));
    }
  }
}

void GivePointsWhenNone(EngineContext &ctx) {
  for (int q = 2; q <= ctx.Geo.GridWidth; ++q)
    if (ctx.PointsOf(q) != 0)
      return;
  for (int q = 2; q - 2 < static_cast<int>(ctx.Points.size()); ++q)
    ctx.Points[static_cast<size_t>(q - 2)] = static_cast<uint32_t>(q);
}

} // namespace quorbel
