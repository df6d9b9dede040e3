#include "engine/twins_rules.h"

#include <algorithm>
#include <array>
#include <span>

#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

// The main grid in a slot, none when the slot holds no grid in use.
GridRecord *MainGrid(EngineContext &ctx, int slot) {
  if (slot < 0 || slot >= UsedMainCount(ctx.Grids))
    return nullptr;
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  return FitsGeometry(ctx.Geo, grid) ? &grid : nullptr;
}

GridRecord *Partner(EngineContext &ctx, const GridRecord &grid) {
  return MainGrid(ctx, grid.Lists.TwinsPartner);
}

void Mark(CellRecord &cell) { cell.Check = kCheckConflict; }

bool Differ(const CellRecord &a, const CellRecord &b) {
  return IsFilled(a) && IsFilled(b) && a.Value != b.Value;
}

// Both open cells keep the candidates they share.
int ShareCandidates(CellRecord &a, CellRecord &b) {
  const uint32_t both = a.ThePoss & b.ThePoss;
  return AndPoss(a, both) | AndPoss(b, both);
}

} // namespace

bool MainGridsLinked(const GridSet &set) {
  const int count = UsedMainCount(set);
  if (count < 2)
    return false;
  for (int slot = 0; slot < count; ++slot) {
    const GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    if (Meets(grid.GridVar, kVarLinkedGridRules) || grid.Lists.TwinsRelation.Size() > 0 ||
        grid.Lists.TwinsZone.Size() > 0)
      return true;
  }
  return false;
}

void CheckTwinsRelation(EngineContext &ctx, GridRecord &grid, int item) {
  const GridGeometry &geo = ctx.Geo;
  if (item < 0 || item >= grid.Lists.TwinsRelation.Size())
    return;
  const TwinsRelationLink &link = grid.Lists.TwinsRelation.Items[static_cast<size_t>(item)];
  GridRecord *other = MainGrid(ctx, link.OtherGrid);
  if (!other || !IsPlayingCell(geo, link.Cell) || !IsPlayingCell(geo, link.OtherCell))
    return;
  CellRecord &a = grid.Cells[static_cast<size_t>(link.Cell)];
  CellRecord &b = other->Cells[static_cast<size_t>(link.OtherCell)];
  if (!Differ(a, b))
    return;
  grid.Work.TwinsRelationConflict[static_cast<size_t>(item)] = 1;
  grid.State = kGridContradiction;
  MarkUnlessFixed(a);
  MarkUnlessFixed(b);
}

int FilterTwinsRelationCell(EngineContext &ctx, GridRecord &grid, int item) {
  const GridGeometry &geo = ctx.Geo;
  if (item < 0 || item >= grid.Lists.TwinsRelation.Size())
    return 0;
  const TwinsRelationLink &link = grid.Lists.TwinsRelation.Items[static_cast<size_t>(item)];
  GridRecord *other = MainGrid(ctx, link.OtherGrid);
  if (!other || !IsPlayingCell(geo, link.Cell) || !IsPlayingCell(geo, link.OtherCell))
    return 0;
  CellRecord &a = grid.Cells[static_cast<size_t>(link.Cell)];
  CellRecord &b = other->Cells[static_cast<size_t>(link.OtherCell)];
  const uint32_t both = a.ThePoss & b.ThePoss;
  return RestrictPoss(geo, a, both) | RestrictPoss(geo, b, both);
}

void CheckTwinsEqual(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = Partner(ctx, grid);
  if (!other || other == &grid || !Meets(grid.GridVar, kVarTwinsEqual))
    return;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (Differ(grid.Cells[static_cast<size_t>(c)], other->Cells[static_cast<size_t>(c)])) {
      Mark(grid.Cells[static_cast<size_t>(c)]);
      Mark(other->Cells[static_cast<size_t>(c)]);
    }
}

int FilterTwinsEqual(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = Partner(ctx, grid);
  if (!other || other == &grid || !Meets(grid.GridVar, kVarTwinsEqual))
    return 0;
  int changed = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    changed |= ShareCandidates(grid.Cells[static_cast<size_t>(c)], other->Cells[static_cast<size_t>(c)]);
  return changed;
}

void CheckTwinsZone(EngineContext &ctx, GridRecord &grid, int item) {
  if (item < 0 || item >= grid.Lists.TwinsZone.Size())
    return;
  const TwinsZoneLink &link = grid.Lists.TwinsZone.Items[static_cast<size_t>(item)];
  grid.Work.TwinsZoneConflict[static_cast<size_t>(item)] = 0;
  GridRecord *other = MainGrid(ctx, link.OtherGrid);
  const int w = ctx.Geo.GridWidth;
  if (!other || link.Block < 0 || link.Block >= w || link.OtherBlock < 0 || link.OtherBlock >= w)
    return;
  for (int k = 0; k < w; ++k) {
    CellRecord &a = grid.Cells[static_cast<size_t>(grid.BlockCells[link.Block][k])];
    CellRecord &b = other->Cells[static_cast<size_t>(other->BlockCells[link.OtherBlock][k])];
    if (Differ(a, b)) {
      Mark(a);
      Mark(b);
      grid.Work.TwinsZoneConflict[static_cast<size_t>(item)] = 1;
    }
  }
}

int FilterTwinsZone(EngineContext &ctx, GridRecord &grid, int item) {
  if (item < 0 || item >= grid.Lists.TwinsZone.Size())
    return 0;
  const TwinsZoneLink &link = grid.Lists.TwinsZone.Items[static_cast<size_t>(item)];
  GridRecord *other = MainGrid(ctx, link.OtherGrid);
  const int w = ctx.Geo.GridWidth;
  if (!other || link.Block < 0 || link.Block >= w || link.OtherBlock < 0 || link.OtherBlock >= w)
    return 0;
  int changed = 0;
  for (int k = 0; k < w; ++k)
    changed |= ShareCandidates(grid.Cells[static_cast<size_t>(grid.BlockCells[link.Block][k])],
                               other->Cells[static_cast<size_t>(other->BlockCells[link.OtherBlock][k])]);
  return changed;
}

namespace {

// A few grids or cells, on the stack: the filters run at every node of a search.
template <typename T, size_t N> struct SmallList {
  std::array<T, N> Items{};
  size_t Count = 0;
  void push_back(T item) { Items[Count++] = item; }
  size_t size() const { return Count; }
  T operator[](size_t k) const { return Items[k]; }
  const T *begin() const { return Items.data(); }
  const T *end() const { return Items.data() + Count; }
};

// The grids Differents compares with: the partner, or with All Indicated every main grid from
// the partner to the last.
SmallList<GridRecord *, kMaxGrids> ComparedGrids(EngineContext &ctx, GridRecord &grid) {
  SmallList<GridRecord *, kMaxGrids> grids;
  if (!Meets(grid.GridVar, kVarTwinsDifferent))
    return grids;
  const int partner = grid.Lists.TwinsPartner;
  const int last = Meets(grid.GridVar, kVarAllIndicated) ? UsedMainCount(ctx.Grids) - 1 : partner;
  for (int slot = partner; slot >= 0 && slot <= last; ++slot)
    if (GridRecord *other = MainGrid(ctx, slot); other && other != &grid)
      grids.push_back(other);
  return grids;
}

} // namespace

void CheckTwinsDifferent(EngineContext &ctx, GridRecord &grid) {
  for (GridRecord *other : ComparedGrids(ctx, grid))
    for (int c = 0; c < ctx.Geo.NCells; ++c) {
      CellRecord &a = grid.Cells[static_cast<size_t>(c)];
      CellRecord &b = other->Cells[static_cast<size_t>(c)];
      if (IsFilled(a) && IsFilled(b) && a.Value == b.Value) {
        Mark(a);
        Mark(b);
      }
    }
}

int FilterTwinsDifferent(EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (GridRecord *other : ComparedGrids(ctx, grid))
    for (int c = 0; c < ctx.Geo.NCells; ++c) {
      CellRecord &a = grid.Cells[static_cast<size_t>(c)];
      CellRecord &b = other->Cells[static_cast<size_t>(c)];
      if (IsFilled(a))
        changed |= AndPoss(b, ~ValueBit(a.Value));
      if (IsFilled(b))
        changed |= AndPoss(a, ~ValueBit(b.Value));
    }
  return changed;
}

GridRecord *SubstitutionPartner(EngineContext &ctx, GridRecord &grid) {
  if (!Meets(grid.GridVar, kVarTwinsSubstitution) || grid.Lists.SubstitutionOwner != 1)
    return nullptr;
  GridRecord *other = Partner(ctx, grid);
  return other == &grid ? nullptr : other;
}

namespace {

using SubstitutionValues = std::array<int8_t, kMaxWidth>;

int FindSubstitute(const SubstitutionValues &map, int v) {
  for (int u = 0; u < kMaxWidth; ++u)
    if (map[static_cast<size_t>(u)] == v)
      return u;
  return -1;
}

// The map as the two grids stand: for each value of this grid, the partner's value (0-based) it
// first faces in cell order. `clash` gets each later pair that faces another value.
template <typename Clash>
SubstitutionValues MapOfFilledCells(const GridGeometry &geo, GridRecord &grid, GridRecord &other,
                                    Clash clash) {
  SubstitutionValues map;
  map.fill(-1);
  for (int c = 0; c < geo.NCells; ++c) {
    CellRecord &a = grid.Cells[static_cast<size_t>(c)];
    CellRecord &b = other.Cells[static_cast<size_t>(c)];
    if (!IsFilled(a) || !IsFilled(b) || a.Value < 1 || a.Value > geo.GridWidth)
      continue;
    int8_t &entry = map[static_cast<size_t>(a.Value - 1)];
    if (entry == -1)
      entry = static_cast<int8_t>(b.Value - 1);
    else if (entry != b.Value - 1)
      clash(a, b);
  }
  return map;
}

} // namespace

int FindSubstitute(const GridRecord &grid, int v) { return FindSubstitute(grid.Work.SubstitutionMap, v); }

void CheckTwinsSubstitution(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = SubstitutionPartner(ctx, grid);
  if (!other)
    return;
  const SubstitutionValues map = MapOfFilledCells(ctx.Geo, grid, *other, [](CellRecord &a, CellRecord &b) {
    Mark(a);
    Mark(b);
  });
  // The entries past the width are kept as they were.
  std::copy_n(map.begin(), std::clamp(ctx.Geo.GridWidth, 0, kMaxWidth), grid.Work.SubstitutionMap.begin());
}

int FilterTwinsSubstitution(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = SubstitutionPartner(ctx, grid);
  if (!other)
    return 0;
  const GridGeometry &geo = ctx.Geo;
  // The map of the cells as they stand now: a search reaches this filter before the check of
  // its node, and a map left by another branch would hold values that are no longer there.
  const SubstitutionValues map = MapOfFilledCells(geo, grid, *other, [](CellRecord &, CellRecord &) {});
  // Each value's cells on either side are read before any is narrowed, and no cell faces two
  // values, so one pass reads what every value needs and a second narrows.
  const int width = std::clamp(geo.GridWidth, 0, kMaxWidth);
  auto inRange = [&](const CellRecord &cell) {
    return IsFilled(cell) && cell.Value >= 1 && cell.Value <= width;
  };
  std::array<uint32_t, kMaxWidth + 1> mine, theirs; // by the value faced on the other side
  mine.fill(0xFFFF);
  theirs.fill(0xFFFF);
  for (int cell = 0; cell < geo.NCells; ++cell) {
    const CellRecord &a = grid.Cells[static_cast<size_t>(cell)];
    const CellRecord &b = other->Cells[static_cast<size_t>(cell)];
    if (inRange(b))
      mine[static_cast<size_t>(b.Value)] &= a.ThePoss;
    if (inRange(a))
      theirs[static_cast<size_t>(a.Value)] &= b.ThePoss;
  }
  for (int c = 1; c <= width; ++c) {
    // This grid's cells facing a partner c take the value that stands for c, and the partner's
    // cells facing this grid's c what c stands for.
    if (const int u = FindSubstitute(map, c - 1); u >= 0)
      mine[static_cast<size_t>(c)] = ValueBit(u + 1);
    if (const int s = map[static_cast<size_t>(c - 1)]; s >= 0)
      theirs[static_cast<size_t>(c)] = ValueBit(s + 1);
  }
  int changed = 0;
  for (int cell = 0; cell < geo.NCells; ++cell) {
    CellRecord &a = grid.Cells[static_cast<size_t>(cell)];
    CellRecord &b = other->Cells[static_cast<size_t>(cell)];
    if (inRange(b))
      changed |= AndPoss(a, mine[static_cast<size_t>(b.Value)]);
    if (inRange(a))
      changed |= AndPoss(b, theirs[static_cast<size_t>(a.Value)]);
  }
  return changed;
}

namespace {

constexpr size_t kMaxGroupCells = 16;

struct GroupSides {
  SmallList<CellRecord *, kMaxGroupCells> Mine;
  SmallList<CellRecord *, kMaxGroupCells> Theirs;
};

bool GroupCells(EngineContext &ctx, GridRecord &grid, int group, GroupSides &sides) {
  if (group < 0 || group >= grid.Lists.TwinsMultiple.Size())
    return false;
  const TwinsMultipleGroup &g = grid.Lists.TwinsMultiple.Items[static_cast<size_t>(group)];
  GridRecord *other = MainGrid(ctx, g.OtherGrid);
  if (!other)
    return false;
  for (int k = 0; k < std::clamp<int>(g.NCells, 0, 16); ++k) {
    if (!IsPlayingCell(ctx.Geo, g.Cells[static_cast<size_t>(k)]) ||
        !IsPlayingCell(ctx.Geo, g.OtherCells[static_cast<size_t>(k)]))
      return false;
    sides.Mine.push_back(&grid.Cells[static_cast<size_t>(g.Cells[static_cast<size_t>(k)])]);
    sides.Theirs.push_back(&other->Cells[static_cast<size_t>(g.OtherCells[static_cast<size_t>(k)])]);
  }
  return true;
}

// The OR of the masks of `from`, leaving out each filled cell that pairs, one to one and in
// order, with a filled cell of `with` holding its value.
uint32_t UnpairedMasks(std::span<const uint32_t> from, std::span<const int> fromValues,
                       std::span<const int> withValues) {
  std::array<bool, kMaxGroupCells> taken{};
  uint32_t mask = 0;
  for (size_t k = 0; k < from.size(); ++k) {
    bool paired = false;
    if (fromValues[k] > 0)
      for (size_t j = 0; j < withValues.size() && !paired; ++j)
        if (!taken[j] && withValues[j] == fromValues[k])
          taken[j] = paired = true;
    if (!paired)
      mask |= from[k];
  }
  return mask;
}

} // namespace

void CheckTwinsRelationMultiple(EngineContext &ctx, GridRecord &grid, int group) {
  GroupSides sides;
  if (!GroupCells(ctx, grid, group, sides))
    return;
  SmallList<int, kMaxGroupCells> mine;
  for (const CellRecord *cell : sides.Mine)
    if (IsFilled(*cell))
      mine.push_back(cell->Value);
  std::array<bool, kMaxGroupCells> consumed{};
  int needed = static_cast<int>(mine.size());
  for (const CellRecord *cell : sides.Theirs) {
    if (!IsFilled(*cell))
      continue;
    bool found = false;
    for (size_t k = 0; k < mine.size() && !found; ++k)
      if (!consumed[k] && mine[k] == cell->Value)
        consumed[k] = found = true;
    needed += found ? 0 : 1;
  }
  int8_t &conflict = grid.Work.TwinsMultipleConflict[static_cast<size_t>(group)];
  conflict = 0;
  if (needed <= static_cast<int>(sides.Mine.size()))
    return;
  conflict = 1;
  for (auto *side : {&sides.Mine, &sides.Theirs})
    for (CellRecord *cell : *side)
      if (IsFilled(*cell))
        Mark(*cell);
}

int FilterTwinsRelationMultiple(EngineContext &ctx, GridRecord &grid, int group) {
  GroupSides sides;
  if (!GroupCells(ctx, grid, group, sides))
    return 0;
  const size_t n = sides.Mine.size();
  std::array<uint32_t, kMaxGroupCells> mineMasks{}, theirMasks{};
  std::array<int, kMaxGroupCells> mineValues{}, theirValues{};
  for (size_t k = 0; k < n; ++k) {
    mineMasks[k] = sides.Mine[k]->ThePoss;
    theirMasks[k] = sides.Theirs[k]->ThePoss;
    mineValues[k] = IsFilled(*sides.Mine[k]) ? sides.Mine[k]->Value : 0;
    theirValues[k] = IsFilled(*sides.Theirs[k]) ? sides.Theirs[k]->Value : 0;
  }
  const uint32_t toTheirs = UnpairedMasks(std::span(mineMasks).first(n), std::span(mineValues).first(n),
                                          std::span(theirValues).first(n));
  const uint32_t toMine = UnpairedMasks(std::span(theirMasks).first(n), std::span(theirValues).first(n),
                                        std::span(mineValues).first(n));
  int changed = 0;
  for (size_t k = 0; k < n; ++k) {
    changed |= AndPoss(*sides.Theirs[k], toTheirs);
    changed |= AndPoss(*sides.Mine[k], toMine);
  }
  return changed;
}

namespace {

struct RowCount {
  int Filled = 0; // positions filled in both grids
  int Equal = 0;  // of those, holding the same value
};

RowCount CountRow(const GridGeometry &geo, const GridRecord &a, const GridRecord &b, int row) {
  RowCount count;
  for (int col = 0; col < geo.NCols; ++col) {
    const CellRecord &x = a.Cells[static_cast<size_t>(row * geo.NCols + col)];
    const CellRecord &y = b.Cells[static_cast<size_t>(row * geo.NCols + col)];
    if (IsFilled(x) && IsFilled(y)) {
      ++count.Filled;
      count.Equal += x.Value == y.Value ? 1 : 0;
    }
  }
  return count;
}

GridRecord *SameInLinePartner(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = MainGrid(ctx, grid.Lists.SameInLine.PartnerGrid);
  return other == &grid ? nullptr : other;
}

} // namespace

void CheckTwinsSameInLine(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = SameInLinePartner(ctx, grid);
  if (!other)
    return;
  const GridGeometry &geo = ctx.Geo;
  for (int row = 0; row < std::min(geo.NRows, kMaxWidth); ++row) {
    const int clue = grid.Lists.SameInLine.RowClue[static_cast<size_t>(row)];
    if (clue < 0)
      continue;
    const RowCount count = CountRow(geo, grid, *other, row);
    int8_t &conflict = grid.Work.SameInLineConflict[static_cast<size_t>(row)];
    conflict = 0;
    if ((count.Filled == geo.GridWidth && count.Equal != clue) || count.Equal > clue) {
      conflict = 1;
      for (int col = 0; col < geo.NCols; ++col) {
        CellRecord &x = grid.Cells[static_cast<size_t>(row * geo.NCols + col)];
        CellRecord &y = other->Cells[static_cast<size_t>(row * geo.NCols + col)];
        if (IsFilled(x) && IsFilled(y)) {
          Mark(x);
          Mark(y);
        }
      }
    }
  }
}

int SameInLinePartnerSlot(EngineContext &ctx, GridRecord &grid) {
  return Meets(grid.GridVar, kVarTwinsSameInLine) && SameInLinePartner(ctx, grid) != nullptr
             ? grid.Lists.SameInLine.PartnerGrid
             : -1;
}

int FilterTwinsSameInLine(EngineContext &ctx, GridRecord &grid) {
  GridRecord *other = SameInLinePartner(ctx, grid);
  if (!other)
    return 0;
  const GridGeometry &geo = ctx.Geo;
  int changed = 0;
  for (int row = 0; row < std::min(geo.NRows, kMaxWidth); ++row) {
    const int clue = grid.Lists.SameInLine.RowClue[static_cast<size_t>(row)];
    if (clue < 0 || CountRow(geo, grid, *other, row).Equal != clue)
      continue;
    // The count is reached: no other position of the row may hold the same value in both.
    for (auto [from, to] : {std::pair{&grid, other}, std::pair{other, &grid}})
      for (int col = 0; col < geo.NCols; ++col) {
        const CellRecord &x = from->Cells[static_cast<size_t>(row * geo.NCols + col)];
        CellRecord &y = to->Cells[static_cast<size_t>(row * geo.NCols + col)];
        if (IsFilled(x) && !(IsFilled(y) && x.Value == y.Value))
          changed |= AndPoss(y, ~ValueBit(x.Value));
      }
  }
  return changed;
}

void AllowedByFilledPartners(EngineContext &ctx, GridRecord &grid, std::span<uint32_t> allowed) {
  const GridGeometry &geo = ctx.Geo;
  const int n = std::min(geo.NCells, static_cast<int>(allowed.size()));
  // What a cell may hold to equal a filled cell: a value out of range equals nothing.
  auto keepEqual = [&](int c, const CellRecord &b) {
    if (c >= 0 && c < n && IsFilled(b))
      allowed[static_cast<size_t>(c)] &= b.Value >= 1 && b.Value <= geo.GridWidth ? ValueBit(b.Value) : 0;
  };
  if (Meets(grid.GridVar, kVarTwinsRelation))
    for (const TwinsRelationLink &link : grid.Lists.TwinsRelation.Used())
      if (const GridRecord *other = MainGrid(ctx, link.OtherGrid);
          other && IsPlayingCell(geo, link.Cell) && IsPlayingCell(geo, link.OtherCell))
        keepEqual(link.Cell, other->Cells[static_cast<size_t>(link.OtherCell)]);
  if (const GridRecord *other = Partner(ctx, grid);
      other && other != &grid && Meets(grid.GridVar, kVarTwinsEqual))
    for (int c = 0; c < n; ++c)
      keepEqual(c, other->Cells[static_cast<size_t>(c)]);
  const int w = geo.GridWidth;
  if (Meets(grid.GridVar, kVarTwinsZone))
    for (const TwinsZoneLink &link : grid.Lists.TwinsZone.Used())
      if (const GridRecord *other = MainGrid(ctx, link.OtherGrid);
          other && link.Block >= 0 && link.Block < w && link.OtherBlock >= 0 && link.OtherBlock < w)
        for (int k = 0; k < w; ++k)
          keepEqual(grid.BlockCells[link.Block][k],
                    other->Cells[static_cast<size_t>(other->BlockCells[link.OtherBlock][k])]);
  for (const GridRecord *other : ComparedGrids(ctx, grid))
    for (int c = 0; c < n; ++c)
      if (const CellRecord &b = other->Cells[static_cast<size_t>(c)];
          IsFilled(b) && b.Value >= 1 && b.Value <= geo.GridWidth)
        allowed[static_cast<size_t>(c)] &= ~ValueBit(b.Value);
}

} // namespace quorbel
