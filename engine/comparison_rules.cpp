#include "engine/comparison_rules.h"

#include <algorithm>
#include <array>

#include "engine/engine_context.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr uint32_t kOddValues = 0x5555;  // 1, 3, 5 ...
constexpr uint32_t kEvenValues = 0xAAAA; // 2, 4, 6 ...
constexpr int kMostRepeats = 20;

// Each value of the mask sent to value `to(v)`; values outside 1..16 are dropped.
template <typename Map> uint32_t MapValues(uint32_t mask, const GridGeometry &geo, Map to) {
  uint32_t out = 0;
  for (int v = 1; v <= geo.GridWidth; ++v)
    if ((mask & ValueBit(v)) != 0)
      out |= ValueBit(to(v));
  return out & geo.FullMask;
}

int Restrict(const GridGeometry &geo, CellRecord &cell, uint32_t mask) {
  return IsOpen(cell) ? RestrictPoss(geo, cell, cell.ThePoss & mask) : 0;
}

} // namespace

uint32_t MaskSum10(uint32_t mask, const GridGeometry &geo) {
  return MapValues(mask, geo, [](int v) { return v < 10 ? 10 - v : 0; });
}
uint32_t MaskSum5(uint32_t mask, const GridGeometry &geo) {
  return MapValues(mask, geo, [](int v) { return v < 5 ? 5 - v : 0; });
}
uint32_t MaskNeighbours(uint32_t mask, const GridGeometry &geo) {
  return ((mask >> 1) | (mask << 1)) & geo.FullMask;
}
uint32_t MaskDoubles(uint32_t mask, const GridGeometry &geo) {
  return MapValues(mask, geo, [](int v) { return 2 * v; });
}
uint32_t MaskHalves(uint32_t mask, const GridGeometry &geo) {
  return MapValues(mask, geo, [](int v) { return v % 2 == 0 ? v / 2 : 0; });
}
uint32_t MaskSumN(uint32_t mask, int n, const GridGeometry &geo) {
  return MapValues(mask, geo, [n](int v) { return v < n ? n - v : 0; });
}
uint32_t MaskAboveLowest(uint32_t mask, const GridGeometry &geo) {
  const int lowest = LowestValue(mask, geo.GridWidth);
  return lowest == 0 ? 0 : geo.FullMask & ~WidthMask(lowest);
}
uint32_t MaskBelowHighest(uint32_t mask, const GridGeometry &geo) {
  const int highest = HighestValue(mask, geo.GridWidth);
  return highest <= 1 ? 0 : WidthMask(highest - 1) & geo.FullMask;
}
// With fewer than n values the last one counts: what lies beyond it is still out of reach.
uint32_t MaskBelowNthHighest(uint32_t mask, int n, const GridGeometry &geo) {
  mask &= geo.FullMask;
  for (int k = 1; k < n && CountValues(mask, geo.GridWidth) > 1; ++k)
    mask &= ~ValueBit(HighestValue(mask, geo.GridWidth));
  return MaskBelowHighest(mask, geo);
}
uint32_t MaskAboveNthLowest(int n, uint32_t mask, const GridGeometry &geo) {
  mask &= geo.FullMask;
  for (int k = 1; k < n && CountValues(mask, geo.GridWidth) > 1; ++k)
    mask &= ~ValueBit(LowestValue(mask, geo.GridWidth));
  return MaskAboveLowest(mask, geo);
}

// ---- X parity and odd/even cells ----

void ResolveXParity(EngineContext &ctx) {
  const GridGeometry &geo = ctx.Geo;
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    const GridRecord &grid = ctx.Grids.Main[g];
    if (grid.Cells.size() < static_cast<size_t>(geo.NCells))
      continue;
    if (Meets(grid.GridVar, kVarOdd))
      for (int c = 0; c < geo.NCells; ++c) {
        const CellRecord &cell = grid.Cells[c];
        if (cell.OddEven == kXParityUnknown && IsFilled(cell) && cell.Value > 0) {
          ctx.XParity = cell.Value & 1;
          return;
        }
      }
    if (Meets(grid.GridVar, kVarOddPair))
      for (const OddPairMark &mark : grid.Lists.OddPairs.Used()) {
        if (mark.Kind != 2 || !IsPlayingCell(geo, mark.CellA) || !IsPlayingCell(geo, mark.CellB))
          continue;
        const CellRecord &a = grid.Cells[mark.CellA];
        const CellRecord &b = grid.Cells[mark.CellB];
        if (IsFilled(a) && IsFilled(b)) {
          ctx.XParity = (a.Value + b.Value) & 1;
          return;
        }
      }
  }
  ctx.XParity = kXParityUnknown;
}

namespace {

// The parity a cell's mark asks for: 0 even, 1 odd; -1 none (or an X cell while the shared
// parity is not known).
int ParityOfMark(const EngineContext &ctx, const CellRecord &cell) {
  if (cell.OddEven == 0 || cell.OddEven == 1)
    return cell.OddEven;
  if (cell.OddEven == kXParityUnknown && ctx.XParity != kXParityUnknown)
    return ctx.XParity;
  return -1;
}

} // namespace

void CheckOddEvenCell(const EngineContext &ctx, GridRecord &grid, int c) {
  CellRecord &cell = grid.Cells[c];
  const int parity = ParityOfMark(ctx, cell);
  if (parity < 0 || !IsFilled(cell) || (cell.Value & 1) == parity)
    return;
  cell.Check = kCheckConflict;
  cell.OddEvenError = 1;
  grid.State = kGridContradiction;
}

int FilterOddEvenCell(const EngineContext &ctx, GridRecord &grid, int c) {
  CellRecord &cell = grid.Cells[c];
  const int parity = ParityOfMark(ctx, cell);
  if (parity < 0)
    return 0;
  return Restrict(ctx.Geo, cell, parity == 1 ? kOddValues : kEvenValues);
}

// ---- Comparison marks ----

namespace {

bool ComparisonHolds(int kind, int a, int b, int n) {
  switch (kind) {
  case kCompareX:
    return a + b == 10;
  case kCompareV:
    return a + b == 5;
  case kCompareConsecutive:
    return std::abs(a - b) == 1;
  case kCompareRatio:
    return a == 2 * b || b == 2 * a;
  case kCompareSumN:
    return n < 0 || a + b == n;
  case kCompareDifferenceN:
    return n < 0 || std::abs(a - b) == n;
  case kCompareGreater:
    return a >= b;
  case kCompareLess:
    return a <= b;
  default:
    return true;
  }
}

// What cell A may hold given B's candidates (and B given A's for the symmetric kinds).
uint32_t PartnerValues(int kind, uint32_t other, int n, const GridGeometry &geo, bool forA) {
  switch (kind) {
  case kCompareX:
    return MaskSum10(other, geo);
  case kCompareV:
    return MaskSum5(other, geo);
  case kCompareConsecutive:
    return MaskNeighbours(other, geo);
  case kCompareRatio:
    return MaskDoubles(other, geo) | MaskHalves(other, geo);
  case kCompareSumN:
    return MaskSumN(other, n, geo);
  case kCompareDifferenceN:
    return n < 0 || n > kMaxWidth ? geo.FullMask : ((other << n) | (other >> n)) & geo.FullMask;
  case kCompareGreater: // A > B
    return forA ? MaskAboveLowest(other, geo) : MaskBelowHighest(other, geo);
  case kCompareLess:
    return forA ? MaskBelowHighest(other, geo) : MaskAboveLowest(other, geo);
  default:
    return geo.FullMask;
  }
}

} // namespace

void CheckComparison(const GridGeometry &geo, GridRecord &grid, int i) {
  const ComparisonMark &mark = grid.Lists.Comparisons.Items[i];
  if (!IsPlayingCell(geo, mark.CellA) || !IsPlayingCell(geo, mark.CellB))
    return;
  CellRecord &a = grid.Cells[mark.CellA];
  CellRecord &b = grid.Cells[mark.CellB];
  if (!IsFilled(a) || !IsFilled(b) ||
      ComparisonHolds(mark.Kind, a.Value, b.Value, grid.Lists.ComparisonTotal))
    return;
  MarkUnlessFixed(a);
  MarkUnlessFixed(b);
  grid.Work.ComparisonConflict[i] = 1;
  grid.State = kGridContradiction;
}

int FilterComparison(const GridGeometry &geo, GridRecord &grid, int i) {
  const ComparisonMark &mark = grid.Lists.Comparisons.Items[i];
  if (!IsPlayingCell(geo, mark.CellA) || !IsPlayingCell(geo, mark.CellB) || mark.Kind < kCompareX ||
      mark.Kind > kCompareLess)
    return 0;
  CellRecord &a = grid.Cells[mark.CellA];
  CellRecord &b = grid.Cells[mark.CellB];
  if (!IsOpen(a) && !IsOpen(b))
    return 0;
  const int n = grid.Lists.ComparisonTotal;
  if ((mark.Kind == kCompareSumN || mark.Kind == kCompareDifferenceN) && n < 0)
    return 0;
  // The sums and differences of N settle over several rounds; the others in one.
  const int rounds = mark.Kind == kCompareSumN || mark.Kind == kCompareDifferenceN ? kMostRepeats : 1;
  int changed = 0;
  for (int round = 0; round < rounds; ++round) {
    int now = Restrict(geo, a, PartnerValues(mark.Kind, b.ThePoss, n, geo, true));
    now |= Restrict(geo, b, PartnerValues(mark.Kind, a.ThePoss, n, geo, false));
    changed |= now;
    if (now == 0)
      break;
  }
  return changed;
}

// ---- All Indicated ----

namespace {

// The relations no unmarked pair of neighbours may hold.
struct Forbidden {
  bool Sums = false;        // 10 and 5
  bool Consecutive = false; // a difference of 1
  bool Ratio = false;       // one twice the other
  bool Holds(int a, int b) const {
    return (Sums && (a + b == 10 || a + b == 5)) || (Consecutive && std::abs(a - b) == 1) ||
           (Ratio && (a == 2 * b || b == 2 * a));
  }
  bool Any() const { return Sums || Consecutive || Ratio; }
};

Forbidden ForbiddenOf(const GridRecord &grid) {
  const auto &flags = grid.Work.AllIndicated;
  return {flags[0] == 1, flags[3] == 1, flags[4] == 1};
}

// Until a grid holds a sign nothing is indicated yet: a solution being made for its clues, or a
// grid whose signs the expert has still to place, is not held to them.
bool Active(const GridRecord &grid) {
  const auto &flags = grid.Work.AllIndicated;
  return (flags[0] == 1 || flags[1] == 1 || flags[2] == 1) && grid.Lists.Comparisons.Size() > 0;
}

bool Marked(const GridRecord &grid, int a, int b) {
  for (const ComparisonMark &mark : grid.Lists.Comparisons.Used())
    if ((mark.CellA == a && mark.CellB == b) || (mark.CellA == b && mark.CellB == a))
      return true;
  return false;
}

// Each cell with its right and its lower neighbour, that no mark links.
template <typename Visit>
void ForEachUnmarkedPair(const GridGeometry &geo, const GridRecord &grid, Visit visit) {
  ForEachAdjacentPair(geo, [&](int a, int b) {
    if (!Marked(grid, a, b))
      visit(a, b);
  });
}

} // namespace

void CheckAllIndicated(const GridGeometry &geo, GridRecord &grid) {
  if (!Active(grid))
    return;
  const Forbidden forbidden = ForbiddenOf(grid);
  if (!forbidden.Any())
    return;
  ForEachUnmarkedPair(geo, grid, [&](int a, int b) {
    CellRecord &x = grid.Cells[a];
    CellRecord &y = grid.Cells[b];
    if (IsFilled(x) && IsFilled(y) && forbidden.Holds(x.Value, y.Value)) {
      x.Check = kCheckConflict;
      y.Check = kCheckConflict;
      grid.State = kGridContradiction;
    }
  });
}

int FilterAllIndicated(const GridGeometry &geo, GridRecord &grid) {
  if (!Active(grid))
    return 0;
  const Forbidden forbidden = ForbiddenOf(grid);
  if (!forbidden.Any())
    return 0;
  int changed = 0;
  ForEachUnmarkedPair(geo, grid, [&](int a, int b) {
    CellRecord &x = grid.Cells[a];
    CellRecord &y = grid.Cells[b];
    if (IsFilled(x) == IsFilled(y))
      return;
    CellRecord &open = IsFilled(x) ? y : x;
    const int value = IsFilled(x) ? x.Value : y.Value;
    uint32_t keep = 0;
    for (int v = 1; v <= geo.GridWidth; ++v)
      if (!forbidden.Holds(v, value))
        keep |= ValueBit(v);
    changed |= Restrict(geo, open, keep);
  });
  return changed;
}

// ---- Distance ----

namespace {

int LineCell(const GridGeometry &geo, const DistanceClue &clue, int position) {
  return clue.Orientation == 1 ? geo.RowCells[clue.Line][position] : geo.ColCells[clue.Line][position];
}

bool ValidDistance(const GridGeometry &geo, const DistanceClue &clue) {
  return clue.Line >= 0 && clue.Line < geo.GridWidth && clue.Distance >= 1 && clue.Distance < geo.GridWidth;
}

} // namespace

void CheckDistance(const GridGeometry &geo, GridRecord &grid, int i) {
  const DistanceClue &clue = grid.Lists.Distance.Items[i];
  if (!ValidDistance(geo, clue))
    return;
  int at = -1;
  int bt = -1;
  for (int p = 0; p < geo.GridWidth; ++p) {
    const CellRecord &cell = grid.Cells[LineCell(geo, clue, p)];
    if (cell.Status > kStatusConflict)
      continue;
    if (cell.Value == clue.ValueA && at < 0)
      at = p;
    else if (cell.Value == clue.ValueB && bt < 0)
      bt = p;
  }
  if (at < 0 || bt < 0 || bt - at == clue.Distance)
    return;
  MarkUnlessFixed(grid.Cells[LineCell(geo, clue, at)]);
  MarkUnlessFixed(grid.Cells[LineCell(geo, clue, bt)]);
  grid.Work.DistanceConflict[i] = 1;
  grid.State = kGridContradiction;
}

int FilterDistance(const GridGeometry &geo, GridRecord &grid, int i) {
  const DistanceClue &clue = grid.Lists.Distance.Items[i];
  if (!ValidDistance(geo, clue))
    return 0;
  const int w = geo.GridWidth;
  const int d = clue.Distance;
  const uint32_t a = ValueBit(clue.ValueA);
  const uint32_t b = ValueBit(clue.ValueB);
  auto cell = [&](int p) -> CellRecord & { return grid.Cells[LineCell(geo, clue, p)]; };
  auto single = [&](const CellRecord &c) { return CountValues(c.ThePoss, w) == 1; };
  int starts = 0;
  int onlyStart = -1;
  for (int j = 0; j + d < w; ++j) {
    CellRecord &first = cell(j);
    CellRecord &second = cell(j + d);
    if ((first.ThePoss & a) == 0 || (second.ThePoss & b) == 0)
      continue;
    ++starts;
    onlyStart = j;
    if (single(first))
      return single(second) ? 0 : Restrict(geo, second, b);
    if (single(second))
      return Restrict(geo, first, a);
  }
  int changed = 0;
  // B stands d cells after A: not in the first d places, and A not in the last d.
  for (int p = 0; p < d; ++p) {
    changed |= Restrict(geo, cell(p), ~b);
    changed |= Restrict(geo, cell(w - 1 - p), ~a);
  }
  if (starts == 1) {
    changed |= Restrict(geo, cell(onlyStart), a);
    changed |= Restrict(geo, cell(onlyStart + d), b);
  }
  return changed;
}

// ---- Odd Pair ----

namespace {

int PairParity(const EngineContext &ctx, const OddPairMark &mark) {
  return mark.Kind == 2 ? ctx.XParity : mark.Kind;
}

bool AllEven(uint32_t mask) { return (mask & kOddValues) == 0; }
bool AllOdd(uint32_t mask) { return (mask & kEvenValues) == 0; }

} // namespace

void CheckOddPair(const EngineContext &ctx, GridRecord &grid, int i) {
  const OddPairMark &mark = grid.Lists.OddPairs.Items[i];
  grid.Work.OddPairConflict[i] = 0;
  const int p = PairParity(ctx, mark);
  if (p == kXParityUnknown || !IsPlayingCell(ctx.Geo, mark.CellA) || !IsPlayingCell(ctx.Geo, mark.CellB))
    return;
  CellRecord &a = grid.Cells[mark.CellA];
  CellRecord &b = grid.Cells[mark.CellB];
  if (!IsFilled(a) || !IsFilled(b) || ((a.Value + b.Value) & 1) == p)
    return;
  grid.Work.OddPairConflict[i] = 1;
  MarkUnlessFixed(a);
  MarkUnlessFixed(b);
}

int FilterOddPair(EngineContext &ctx, GridRecord &grid, int i) {
  const OddPairMark &mark = grid.Lists.OddPairs.Items[i];
  if (!IsPlayingCell(ctx.Geo, mark.CellA) || !IsPlayingCell(ctx.Geo, mark.CellB))
    return 0;
  CellRecord &a = grid.Cells[mark.CellA];
  CellRecord &b = grid.Cells[mark.CellB];
  const uint32_t ma = a.ThePoss & ctx.Geo.FullMask;
  const uint32_t mb = b.ThePoss & ctx.Geo.FullMask;
  const int p = PairParity(ctx, mark);
  if (p == kXParityUnknown) {
    // The two cells' masks may tell the shared parity before any X pair is filled.
    if ((AllEven(ma) && AllOdd(mb)) || (AllOdd(ma) && AllEven(mb)))
      ctx.XParity = 1;
    else if ((AllOdd(ma) && AllOdd(mb)) || (AllEven(ma) && AllEven(mb)))
      ctx.XParity = 0;
    else
      return 0;
    return 1;
  }
  const uint32_t same = p == 1 ? kOddValues : kEvenValues;
  const uint32_t other = p == 1 ? kEvenValues : kOddValues;
  int changed = 0;
  auto apply = [&](CellRecord &cell, uint32_t entry, uint32_t keep) {
    if (IsOpen(cell) && (entry & ~keep) != 0) {
      cell.ThePoss &= keep;
      changed = 1;
    }
  };
  if (AllEven(ma))
    apply(b, mb, same);
  if (AllEven(mb))
    apply(a, ma, same);
  if (AllOdd(ma))
    apply(b, mb, other);
  if (AllOdd(mb))
    apply(a, ma, other);
  return changed;
}

// ---- Quad ----

namespace {

// The clue's cell diagonal to `cell` inside the 2 x 2; -1 when none is.
int DiagonalPartner(const GridGeometry &geo, const QuadClue &quad, int cell) {
  const int w = geo.GridWidth;
  for (int step : {w + 1, w - 1, 1 - w, -w - 1})
    for (CellRef other : quad.Cells)
      if (other == cell + step && std::abs(geo.ColOfCell[other] - geo.ColOfCell[cell]) == 1)
        return other;
  return -1;
}

bool QuadInGrid(const GridGeometry &geo, const QuadClue &quad) {
  return std::all_of(quad.Cells.begin(), quad.Cells.end(), [&](CellRef c) { return IsPlayingCell(geo, c); });
}

bool HoldsMax(int kind) { return kind == 0 || kind == 2; }
bool HoldsMin(int kind) { return kind == 1 || kind == 2; }

} // namespace

void CheckQuad(const GridGeometry &geo, GridRecord &grid, int i) {
  const QuadClue &quad = grid.Lists.Quads.Items[i];
  if (!QuadInGrid(geo, quad))
    return;
  auto judge = [&](int mark, bool max, int8_t &flag) {
    if (!IsPlayingCell(geo, mark) || !IsFilled(grid.Cells[mark]))
      return;
    const int value = grid.Cells[mark].Value;
    for (CellRef c : quad.Cells) {
      const CellRecord &cell = grid.Cells[c];
      if (c == mark || !IsFilled(cell) || (max ? cell.Value < value : cell.Value > value))
        continue;
      flag = 1;
      for (CellRef k : quad.Cells)
        if (IsFilled(grid.Cells[k]))
          grid.Cells[k].Check = kCheckConflict;
      return;
    }
  };
  if (HoldsMax(quad.Kind))
    judge(quad.MaxCell, true, grid.Work.QuadMaxConflict[i]);
  if (HoldsMin(quad.Kind))
    judge(quad.MinCell, false, grid.Work.QuadMinConflict[i]);
}

int FilterQuad(const GridGeometry &geo, GridRecord &grid, int i) {
  const QuadClue &quad = grid.Lists.Quads.Items[i];
  if (!QuadInGrid(geo, quad))
    return 0;
  int changed = 0;
  auto narrow = [&](int mark, bool max) {
    if (!IsPlayingCell(geo, mark) ||
        std::find(quad.Cells.begin(), quad.Cells.end(), mark) == quad.Cells.end())
      return;
    CellRecord &m = grid.Cells[mark];
    const int partner = DiagonalPartner(geo, quad, mark);
    const int k = partner >= 0 && grid.BlockOfCell[partner] == grid.BlockOfCell[mark] ? 3 : 2;
    uint32_t others = 0;
    for (CellRef c : quad.Cells) {
      if (c == mark)
        continue;
      CellRecord &cell = grid.Cells[c];
      changed |=
          Restrict(geo, cell, max ? MaskBelowHighest(m.ThePoss, geo) : MaskAboveLowest(m.ThePoss, geo));
      changed |=
          Restrict(geo, m, max ? MaskAboveLowest(cell.ThePoss, geo) : MaskBelowHighest(cell.ThePoss, geo));
      others |= cell.ThePoss;
    }
    changed |=
        Restrict(geo, m, max ? MaskAboveNthLowest(k, others, geo) : MaskBelowNthHighest(others, k, geo));
  };
  if (HoldsMax(quad.Kind))
    narrow(quad.MaxCell, true);
  if (HoldsMin(quad.Kind))
    narrow(quad.MinCell, false);
  return changed;
}

} // namespace quorbel
