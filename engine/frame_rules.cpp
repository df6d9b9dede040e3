// The clues beside the grid: frame sums, products and maxima, SkyScrapers and Last Numbers
// (one number per side and line), Outside values, Oddview parities and Transfer sequences.
// Positions count from the clue's side (PerimeterCell).
#include <algorithm>
#include <array>

#include "engine/combo_search.h"
#include "engine/grid_record.h"
#include "engine/sum_rules.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int kGroupLimit = 40;

bool ValidLine(const GridGeometry &geo, int side, int line) {
  return side >= 0 && side < 4 && line >= 0 && line < geo.GridWidth;
}

struct LineCells {
  std::array<int16_t, 16> Cells{};
  int Count = 0;
  std::span<const int16_t> First(int n) const {
    return {Cells.data(), static_cast<size_t>(std::clamp(n, 0, Count))};
  }
};

// The line's cells from the side inwards (PerimeterCell's order), walked by one step.
LineCells CellsFromSide(const GridGeometry &geo, int side, int line) {
  LineCells cells;
  const int first = PerimeterCell(geo, side, line, 0);
  if (first < 0)
    return cells;
  const int step = side == 0 ? geo.NCols : side == 1 ? -1 : side == 2 ? -geo.NCols : 1;
  cells.Count = std::min(geo.GridWidth, kMaxWidth);
  for (int i = 0; i < cells.Count; ++i)
    cells.Cells[i] = static_cast<int16_t>(first + i * step);
  return cells;
}

uint32_t ValuesUpTo(int v) { return v <= 0 ? 0u : WidthMask(std::min(v, kMaxWidth)); }
uint32_t ValuesAbove(int v, const GridGeometry &geo) { return geo.FullMask & ~ValuesUpTo(v); }

// ---- SkyScraper ----

bool SkyScraperHolds(const GridGeometry &geo, const GridRecord &grid, const LineCells &line, int clue) {
  int visibleBeforeOpen = 0;
  int visibleFilled = 0;
  int open = 0;
  int highest = 0;
  for (int p = 0; p < line.Count; ++p) {
    const CellRecord &cell = grid.Cells[line.Cells[p]];
    if (!IsFilled(cell)) {
      ++open;
      continue;
    }
    if (cell.Value > highest) {
      highest = cell.Value;
      ++visibleFilled;
      if (open == 0)
        ++visibleBeforeOpen;
    }
    if (cell.Value == geo.GridWidth)
      break; // nothing behind the tallest is seen
  }
  if (open == 0)
    return visibleFilled == clue;
  return clue >= visibleBeforeOpen && clue <= visibleFilled + open;
}

int FilterSkyScraper(const GridGeometry &geo, GridRecord &grid, const LineCells &line, int clue) {
  const int w = geo.GridWidth;
  int changed = 0;
  auto restrict = [&](int p, uint32_t mask) {
    CellRecord &cell = grid.Cells[line.Cells[p]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, cell.ThePoss & mask);
  };
  if (clue == w) {
    for (int p = 0; p < line.Count; ++p)
      restrict(p, ValueBit(p + 1));
  } else if (clue == 1) {
    restrict(0, ValueBit(w));
  } else if (clue >= 2 && clue < w) {
    for (int j = 0; j < clue - 1; ++j)
      restrict(j, ValuesUpTo(w - (clue - 1 - j)));
  }
  return changed;
}

// ---- Last Number ----

// The clue value's position: the first filled cell holding it; else the first open cell (that
// still has it as a candidate, for the filter). The line's length when there is none.
int LastNumberPosition(const GridRecord &grid, const LineCells &line, int clue, bool needCandidate) {
  for (int p = 0; p < line.Count; ++p) {
    const CellRecord &cell = grid.Cells[line.Cells[p]];
    if (IsFilled(cell) && cell.Value == clue)
      return p;
  }
  for (int p = 0; p < line.Count; ++p) {
    const CellRecord &cell = grid.Cells[line.Cells[p]];
    if (IsOpen(cell) && (!needCandidate || (cell.ThePoss & ValueBit(clue)) != 0))
      return p;
  }
  return line.Count;
}

bool LastNumberHolds(const GridRecord &grid, const LineCells &line, int clue, bool rising, int &position) {
  position = LastNumberPosition(grid, line, clue, false);
  int previous = rising ? 0 : kMaxWidth + 1;
  for (int p = 0; p < std::min(position, line.Count); ++p) {
    const CellRecord &cell = grid.Cells[line.Cells[p]];
    if (!IsFilled(cell))
      continue;
    const bool ordered =
        rising ? cell.Value > previous && cell.Value < clue : cell.Value < previous && cell.Value > clue;
    if (!ordered)
      return false;
    previous = cell.Value;
  }
  return true;
}

int FilterLastNumber(const GridGeometry &geo, GridRecord &grid, const LineCells &line, int clue,
                     bool rising) {
  const int w = geo.GridWidth;
  if (clue < 1 || clue > w)
    return 0;
  int n = LastNumberPosition(grid, line, clue, true);
  if (n >= line.Count)
    return 0;
  n = std::min(n, rising ? clue - 1 : w - clue);
  int changed = 0;
  auto restrict = [&](int p, uint32_t mask) {
    CellRecord &cell = grid.Cells[line.Cells[p]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, cell.ThePoss & mask);
  };
  for (int j = 0; j < n; ++j)
    restrict(j, rising ? ValueRangeMask(j, clue + j - n - 1) : ValueRangeMask(clue + n - j - 1, w - j - 1));
  for (int j = 0; j + 1 < n; ++j) {
    const uint32_t here = grid.Cells[line.Cells[j]].ThePoss;
    const uint32_t next = grid.Cells[line.Cells[j + 1]].ThePoss;
    if (rising) {
      restrict(j, ValuesUpTo(HighestValue(next, w) - 1));
      restrict(j + 1, ValuesAbove(LowestValue(here, w), geo));
    } else {
      restrict(j, ValuesAbove(LowestValue(next, w), geo));
      restrict(j + 1, ValuesUpTo(HighestValue(here, w) - 1));
    }
  }
  for (int p = rising ? clue : w - clue + 1; p < line.Count; ++p)
    restrict(p, ~ValueBit(clue));
  return changed;
}

// ---- Frame Max ----

bool FrameMaxHolds(const GridRecord &grid, std::span<const int16_t> frame, int clue) {
  if (clue < 1 || clue > static_cast<int>(frame.size()) || !IsFilled(grid.Cells[frame[clue - 1]]))
    return true;
  int best = -1;
  for (size_t p = 0; p < frame.size(); ++p) {
    const CellRecord &cell = grid.Cells[frame[p]];
    if (IsFilled(cell) && (best < 0 || cell.Value > grid.Cells[frame[best]].Value))
      best = static_cast<int>(p);
  }
  return best == clue - 1;
}

int FilterFrameMax(const GridGeometry &geo, GridRecord &grid, std::span<const int16_t> frame, int clue) {
  const int w = geo.GridWidth;
  if (clue < 1 || clue > static_cast<int>(frame.size()))
    return 0;
  CellRecord &top = grid.Cells[frame[clue - 1]];
  const int m = IsFilled(top) ? top.Value : HighestValue(top.ThePoss, w);
  int changed = 0;
  int largestOther = 0;
  for (size_t p = 0; p < frame.size(); ++p) {
    if (static_cast<int>(p) == clue - 1)
      continue;
    CellRecord &cell = grid.Cells[frame[p]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, cell.ThePoss & ValuesUpTo(m - 1));
    largestOther = std::max(largestOther, IsFilled(cell) ? cell.Value : LowestValue(cell.ThePoss, w));
  }
  if (IsOpen(top))
    changed |= RestrictPoss(geo, top, top.ThePoss & ValuesAbove(largestOther, geo));
  return changed;
}

void MarkFilled(GridRecord &grid, std::span<const int16_t> cells) {
  for (int16_t c : cells)
    if (IsFilled(grid.Cells[c]))
      grid.Cells[c].Check = kCheckConflict;
}

} // namespace

int FrameDepth(const GridGeometry &geo, int side) {
  return std::clamp(side == 0 || side == 2 ? geo.BlockRows : geo.BlockCols, 1, geo.GridWidth);
}

void CheckFrameClue(int side, int line, const GridGeometry &geo, GridRecord &grid) {
  if (!ValidLine(geo, side, line) || grid.Lists.Frame.Kind[side][line] == kFrameNone)
    return;
  const int kind = grid.Lists.Frame.Kind[side][line];
  const int clue = grid.Lists.Frame.Value[side][line];
  const LineCells cells = CellsFromSide(geo, side, line);
  const auto frame = cells.First(FrameDepth(geo, side));
  bool holds = true;
  std::span<const int16_t> marked = frame;
  switch (kind) {
  case kFrameSum:
  case kFrameProduct: {
    int64_t total = kind == kFrameProduct ? 1 : 0;
    for (int16_t c : frame) {
      if (!IsFilled(grid.Cells[c]))
        return;
      total = kind == kFrameProduct ? total * grid.Cells[c].Value : total + grid.Cells[c].Value;
    }
    holds = total == clue;
    break;
  }
  case kFrameSkyScraper:
    holds = SkyScraperHolds(geo, grid, cells, clue);
    marked = cells.First(cells.Count);
    break;
  case kFrameLastRising:
  case kFrameLastFalling: {
    int position = 0;
    holds = LastNumberHolds(grid, cells, clue, kind == kFrameLastRising, position);
    marked = cells.First(position + 1);
    break;
  }
  case kFrameMax:
    holds = FrameMaxHolds(grid, frame, clue);
    if (!holds) {
      grid.Work.FrameConflict[side][line] = 1;
      for (int16_t c : frame)
        MarkUnlessFixed(grid.Cells[c]);
    }
    return;
  default:
    return;
  }
  if (holds)
    return;
  grid.Work.FrameConflict[side][line] = 1;
  MarkFilled(grid, marked);
}

int FilterFrameClue(const GridGeometry &geo, GridRecord &grid, int side, int line) {
  if (!ValidLine(geo, side, line) || grid.Lists.Frame.Kind[side][line] == kFrameNone)
    return 0;
  const int kind = grid.Lists.Frame.Kind[side][line];
  const int clue = grid.Lists.Frame.Value[side][line];
  const LineCells cells = CellsFromSide(geo, side, line);
  const auto frame = cells.First(FrameDepth(geo, side));
  switch (kind) {
  case kFrameSum:
  case kFrameProduct:
    return FilterGroupTotal(geo, grid, frame, {kind == kFrameProduct ? 1 : 0, clue, 0, 0, kGroupLimit});
  case kFrameSkyScraper:
    return FilterSkyScraper(geo, grid, cells, clue);
  case kFrameLastRising:
  case kFrameLastFalling:
    return FilterLastNumber(geo, grid, cells, clue, kind == kFrameLastRising);
  case kFrameMax:
    return FilterFrameMax(geo, grid, frame, clue);
  default:
    return 0;
  }
}

// ---- Outside, Oddview, Transfer ----

CrossingClue NextBoxClue(const GridGeometry &geo, int position, int line, int side) {
  const int w = geo.GridWidth;
  const int cell = PerimeterCell(geo, side, line, position);
  if (cell < 0)
    return {};
  const int row = geo.RowOfCell[cell];
  const int col = geo.ColOfCell[cell];
  const bool top = row < geo.BlockRows;
  const bool bottom = row >= w - geo.BlockRows;
  const bool left = col < geo.BlockCols;
  const bool right = col >= w - geo.BlockCols;
  switch (side) {
  case 0:
    if (left && top)
      return {cell, 3, row, col};
    if (right && top)
      return {cell, 1, row, w - 1 - col};
    break;
  case 1:
    if (top && right)
      return {cell, 0, col, row};
    if (bottom && right)
      return {cell, 2, col, w - 1 - row};
    break;
  case 2:
    if (right && bottom)
      return {cell, 1, row, w - 1 - col};
    if (left && bottom)
      return {cell, 3, row, col};
    break;
  case 3:
    if (top && left)
      return {cell, 0, col, row};
    if (bottom && left)
      return {cell, 2, col, w - 1 - row};
    break;
  default:
    break;
  }
  return {};
}

namespace {

std::span<const int16_t> OutsideValues(const GridRecord &grid, int side, int line) {
  const OutsideClues &outside = grid.Lists.Outside;
  return {outside.Values[side][line].data(),
          static_cast<size_t>(std::clamp<int>(outside.Count[side][line], 0, 16))};
}

bool Lists(std::span<const int16_t> values, int v) {
  return std::find(values.begin(), values.end(), v) != values.end();
}

bool OutsideValuesHold(const GridRecord &grid, std::span<const int16_t> frame,
                       std::span<const int16_t> values) {
  int count = 0;
  for (int16_t c : frame)
    if (!IsFilled(grid.Cells[c]))
      ++count;
  for (int16_t v : values)
    for (int16_t c : frame)
      if (IsFilled(grid.Cells[c]) && grid.Cells[c].Value == v)
        ++count;
  return count >= static_cast<int>(values.size());
}

int FilterOutsideValues(const GridGeometry &geo, GridRecord &grid, int side, int line,
                        const LineCells &cells) {
  const int depth = FrameDepth(geo, side);
  const auto frame = cells.First(depth);
  const auto values = OutsideValues(grid, side, line);
  int changed = 0;
  uint32_t listed = 0;
  for (int16_t v : values) {
    listed |= ValueBit(v);
    int holders = 0;
    bool placed = false;
    std::array<int16_t, 2> holder{};
    for (int16_t c : frame) {
      const CellRecord &cell = grid.Cells[c];
      if (IsFilled(cell) && cell.Value == v)
        placed = true;
      else if ((cell.ThePoss & ValueBit(v)) != 0 && holders++ < 2)
        holder[holders - 1] = c;
    }
    if (placed)
      continue;
    if (holders == 1 && IsOpen(grid.Cells[holder[0]])) {
      changed |= RestrictPoss(geo, grid.Cells[holder[0]], ValueBit(v));
    } else if (holders == 2) {
      for (int16_t c : holder) {
        CellRecord &cell = grid.Cells[c];
        if (IsOpen(cell) && (cell.ProbableMask & ValueBit(v)) == 0) {
          cell.ProbableMask |= ValueBit(v);
          changed = 1;
        }
      }
    }
  }
  for (int p = depth; p < cells.Count; ++p) {
    CellRecord &cell = grid.Cells[cells.Cells[p]];
    if (IsOpen(cell))
      changed |= RestrictPoss(geo, cell, cell.ThePoss & ~listed);
  }
  // Inside a corner block, a value both crossing clues list can only stand where they cross.
  for (int p = 0; p < depth; ++p) {
    const CrossingClue crossing = NextBoxClue(geo, p, line, side);
    if (crossing.Cell < 0 || grid.Lists.Outside.Kind[crossing.Side][crossing.Line] != kOutsideValues)
      continue;
    const auto others = OutsideValues(grid, crossing.Side, crossing.Line);
    CellRecord &cell = grid.Cells[crossing.Cell];
    for (int16_t v : values)
      if (Lists(others, v) && IsOpen(cell))
        changed |= RestrictPoss(geo, cell, cell.ThePoss & ValueBit(v));
  }
  return changed;
}

// The clue's even and odd value (0 when absent).
std::pair<int, int> OddviewValues(const GridRecord &grid, int side, int line) {
  int even = 0;
  int odd = 0;
  const auto values = OutsideValues(grid, side, line);
  for (size_t k = 0; k < std::min<size_t>(2, values.size()); ++k)
    if (values[k] > 0)
      (values[k] % 2 == 0 ? even : odd) = values[k];
  return {even, odd};
}

uint32_t ParityMask(const GridGeometry &geo, int parity) {
  uint32_t mask = 0;
  for (int v = 1; v <= geo.GridWidth; ++v)
    if (v % 2 == parity)
      mask |= ValueBit(v);
  return mask;
}

// One value's walk from the side: the first value of its parity seen from there.
// Returns true when the walk ends the whole filter (the odd value was found placed).
bool OddviewWalk(const GridGeometry &geo, GridRecord &grid, const LineCells &cells, int v, int &changed) {
  const int w = geo.GridWidth;
  const uint32_t same = ParityMask(geo, v % 2);
  const uint32_t bit = ValueBit(v);
  const int lastPosition = v % 2 == 0 ? w - w / 2 : w / 2;
  auto andMask = [&](CellRecord &cell, uint32_t mask) { changed |= AndPoss(cell, mask); };
  int counted = 0;
  int countedCell = -1;
  for (int p = 0; p < cells.Count; ++p) {
    CellRecord &cell = grid.Cells[cells.Cells[p]];
    if (p == 0 && IsOpen(cell) && (cell.ThePoss & same & ~bit) != 0)
      andMask(cell, bit | (geo.FullMask & ~same));
    if (IsFilled(cell) && cell.Value == v) {
      for (int q = 0; q < p; ++q)
        andMask(grid.Cells[cells.Cells[q]], ~same);
      return v % 2 == 1;
    }
    if ((IsFilled(cell) && (ValueBit(cell.Value) & same) != 0) || p > lastPosition) {
      for (int q = p; q < cells.Count; ++q)
        andMask(grid.Cells[cells.Cells[q]], ~bit);
      break;
    }
    if ((cell.ThePoss & bit) != 0) {
      ++counted;
      countedCell = cells.Cells[p];
    }
  }
  if (counted == 1) {
    CellRecord &cell = grid.Cells[countedCell];
    if (IsOpen(cell) && cell.ThePoss != bit)
      andMask(cell, bit);
  }
  return false;
}

int FilterOddview(const GridGeometry &geo, GridRecord &grid, int side, int line, const LineCells &cells) {
  const auto [even, odd] = OddviewValues(grid, side, line);
  int changed = 0;
  if (even > 0 && OddviewWalk(geo, grid, cells, even, changed))
    return changed;
  if (odd > 0)
    OddviewWalk(geo, grid, cells, odd, changed);
  return changed;
}

// Whether the cells of the line not crossed out number at least `before` ahead of position p
// and `after` behind it.
struct CrossingCounts {
  std::array<int, 16> Before{};
  std::array<int, 16> After{};
};
CrossingCounts CountOpenPlaces(const GridRecord &grid, const LineCells &cells) {
  CrossingCounts counts;
  int seen = 0;
  for (int p = 0; p < cells.Count; ++p) {
    counts.Before[p] = seen;
    seen += grid.Cells[cells.Cells[p]].CrossedOut == 1 ? 0 : 1;
  }
  for (int p = 0; p < cells.Count; ++p)
    counts.After[p] = seen - counts.Before[p] - (grid.Cells[cells.Cells[p]].CrossedOut == 1 ? 0 : 1);
  return counts;
}

void CheckTransfer(GridRecord &grid, int side, int line, const LineCells &cells) {
  const auto values = OutsideValues(grid, side, line);
  const int n = static_cast<int>(values.size());
  const CrossingCounts counts = CountOpenPlaces(grid, cells);
  bool conflict = false;
  int start = 0;
  int lastFound = -1;
  for (int i = 0; i < n; ++i) {
    int found = -1;
    for (int p = 0; p < cells.Count && found < 0; ++p) {
      CellRecord &cell = grid.Cells[cells.Cells[p]];
      if (cell.Status > kStatusFixed || cell.Value != values[i])
        continue;
      if (cell.CrossedOut == 1) {
        cell.Check = kCheckConflict;
        const auto entries = grid.Lists.Transfer.Used();
        for (size_t k = 0; k < entries.size(); ++k)
          if (entries[k].Cell == cells.Cells[p])
            grid.Work.TransferConflict[k] = 1;
        conflict = true;
      } else if (p >= start && counts.Before[p] >= i && counts.After[p] >= n - 1 - i) {
        found = p;
      } else {
        cell.Check = kCheckConflict;
        if (p < start && lastFound >= 0)
          grid.Cells[cells.Cells[lastFound]].Check = kCheckConflict;
        conflict = true;
      }
    }
    if (found >= 0)
      lastFound = found;
    start = found >= 0 ? found + 1 : start + 1;
  }
  if (conflict)
    grid.Work.OutsideConflict[side][line] = 1;
}

int FilterTransfer(GridRecord &grid, int side, int line, const LineCells &cells) {
  const auto values = OutsideValues(grid, side, line);
  const int n = static_cast<int>(values.size());
  constexpr uint32_t kAll = 0xFFFF;
  uint32_t listed = 0;
  for (int16_t v : values)
    listed ^= ValueBit(v);
  const uint32_t none = kAll & ~listed;
  int changed = 0;
  auto andMask = [&](CellRecord &cell, uint32_t mask) { changed |= AndPoss(cell, mask); };
  for (int p = 0; p < cells.Count; ++p)
    if (grid.Cells[cells.Cells[p]].CrossedOut == 1)
      andMask(grid.Cells[cells.Cells[p]], none);
  // A listed value can reach a cell only after every earlier value found a cell before it,
  // and only before every later one finds a cell after it.
  uint32_t allowed = none;
  for (int p = 0, k = 0; p < cells.Count; ++p) {
    CellRecord &cell = grid.Cells[cells.Cells[p]];
    if (cell.CrossedOut == 1)
      continue;
    if (k < n && (cell.ThePoss & ValueBit(values[k])) != 0) {
      allowed |= ValueBit(values[k]);
      ++k;
    }
    if (allowed == kAll)
      break;
    andMask(cell, allowed);
  }
  allowed = none;
  for (int p = cells.Count - 1, k = n - 1; p >= 0; --p) {
    CellRecord &cell = grid.Cells[cells.Cells[p]];
    if (cell.CrossedOut == 1)
      continue;
    if (k >= 0 && (cell.ThePoss & ValueBit(values[k])) != 0) {
      allowed |= ValueBit(values[k]);
      --k;
    }
    if (allowed == kAll)
      break;
    andMask(cell, allowed);
  }
  return changed;
}

} // namespace

void CheckOutsideClue(const GridGeometry &geo, GridRecord &grid, int side, int line) {
  if (!ValidLine(geo, side, line) || grid.Lists.Outside.Count[side][line] <= 0)
    return;
  const LineCells cells = CellsFromSide(geo, side, line);
  switch (grid.Lists.Outside.Kind[side][line]) {
  case kOutsideValues:
    if (!OutsideValuesHold(grid, cells.First(FrameDepth(geo, side)), OutsideValues(grid, side, line))) {
      grid.Work.OutsideConflict[side][line] = 1;
      grid.State = kGridContradiction;
    }
    return;
  case kOutsideOddview: {
    const auto [even, odd] = OddviewValues(grid, side, line);
    bool evenSeen = false;
    bool oddSeen = false;
    for (int p = 0; p < cells.Count; ++p) {
      CellRecord &cell = grid.Cells[cells.Cells[p]];
      if (!IsFilled(cell))
        break;
      const bool isOdd = cell.Value % 2 == 1;
      bool &seen = isOdd ? oddSeen : evenSeen;
      const int expected = isOdd ? odd : even;
      if (seen)
        continue;
      seen = true;
      if (expected > 0 && cell.Value != expected) {
        cell.Check = kCheckConflict;
        grid.Work.OutsideConflict[side][line] = 1;
      }
    }
    return;
  }
  case kOutsideTransfer:
    CheckTransfer(grid, side, line, cells);
    return;
  default:
    return;
  }
}

int FilterOutsideClue(const GridGeometry &geo, GridRecord &grid, int side, int line) {
  if (!ValidLine(geo, side, line) || grid.Lists.Outside.Count[side][line] <= 0)
    return 0;
  const LineCells cells = CellsFromSide(geo, side, line);
  switch (grid.Lists.Outside.Kind[side][line]) {
  case kOutsideValues:
    return FilterOutsideValues(geo, grid, side, line, cells);
  case kOutsideOddview:
    return FilterOddview(geo, grid, side, line, cells);
  case kOutsideTransfer:
    return FilterTransfer(grid, side, line, cells);
  default:
    return 0;
  }
}

} // namespace quorbel
