// Naked subsets by enumeration, in increasing member order, of the other open cells of
// each unit. A union of more values than the largest enabled size can only grow, so such
// a branch is not followed: nothing deeper could qualify.
#include "solver/method_group.h"

#include <span>

#include "engine/engine_context.h"
#include "engine/method_record.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/method_units.h"

namespace quorbel {

namespace {

struct UnitSubsets {
  const EngineContext &Ctx;
  GroupSearch &Search;
  int Kind;
  std::span<const int16_t> Members; // the unit's other cells of status 6
  std::span<const uint32_t> Poss;
  std::array<int16_t, kMaxWidth> Chosen{};
  uint32_t Removal = 0;

  void Find(int depth, int from, uint32_t unionSoFar) {
    const int width = Ctx.Geo.GridWidth;
    for (int m = from; m < static_cast<int>(Members.size()); ++m) {
      const uint32_t u = unionSoFar | Poss[m];
      Chosen[depth] = Members[m];
      const int values = CandidateCount(u, width);
      if (values == depth + 1 && Search.SizeFlags[depth] != 0) {
        Removal |= u;
        if (depth + 1 > Search.Largest.Size) {
          Search.Largest.Size = depth + 1;
          Search.Largest.Kind = Kind;
          Search.Largest.Cells = Chosen;
        }
      }
      if (depth < Search.DepthLimit && values <= Search.DepthLimit + 1)
        Find(depth + 1, m + 1, u);
    }
  }
};

// The values of the enabled naked subsets among the other open cells of one unit.
uint32_t SubsetValuesOfUnit(const EngineContext &ctx, const GridRecord &grid, int cell, int kind,
                            std::span<const int16_t> unit, GroupSearch &search) {
  std::array<int16_t, kMaxWidth> members{};
  std::array<uint32_t, kMaxWidth> poss{};
  int count = 0;
  for (int other : unit) {
    if (other == cell || other < 0 || other >= ctx.Geo.NCells || grid.Cells[other].Status != kStatusEmpty)
      continue;
    members[count] = static_cast<int16_t>(other);
    poss[count++] = grid.Cells[other].ThePoss;
  }
  UnitSubsets subsets{ctx, search, kind, std::span(members).first(count), std::span(poss).first(count)};
  subsets.Find(0, 0, 0);
  return subsets.Removal;
}

// Every enabled naked subset of a unit's open cells, in the order Find meets them.
struct SubsetLister {
  const EngineContext &Ctx;
  const GroupSearch &Search;
  std::span<const int16_t> Members;
  std::span<const uint32_t> Poss;
  std::vector<UnitSubsetMemo::Subset> &Out;
  UnitSubsetMemo::Subset Chosen{};

  void Find(int depth, int from, uint32_t unionSoFar) {
    const int width = Ctx.Geo.GridWidth;
    for (int m = from; m < static_cast<int>(Members.size()); ++m) {
      const uint32_t u = unionSoFar | Poss[m];
      const uint32_t members = Chosen.Members;
      Chosen.Members |= 1u << m;
      Chosen.Cells[depth] = Members[m];
      const int values = CandidateCount(u, width);
      if (values == depth + 1 && Search.SizeFlags[depth] != 0) {
        Chosen.Values = u;
        Chosen.Size = depth + 1;
        Out.push_back(Chosen);
      }
      if (depth < Search.DepthLimit && values <= Search.DepthLimit + 1)
        Find(depth + 1, m + 1, u);
      Chosen.Members = members;
    }
  }
};

} // namespace

void UnitSubsetMemo::Reset(const GroupSearch &search) {
  search_ = search;
  for (Unit &unit : units_)
    unit.Known = false;
}

UnitSubsetMemo::Unit &UnitSubsetMemo::UnitOf(const EngineContext &ctx, const GridRecord &grid, int kind,
                                             int index) {
  const GridGeometry &geo = ctx.Geo;
  Unit &unit = units_[kind <= kUnitBlock ? kind * kMaxWidth + index : 3 * kMaxWidth + kind - kUnitDiag1];
  if (unit.Known)
    return unit;
  unit.Known = true;
  unit.Count = 0;
  std::array<uint32_t, kMaxWidth> poss{};
  for (int other : UnitCells(geo, grid, kind, index)) {
    if (other < 0 || other >= geo.NCells || grid.Cells[other].Status != kStatusEmpty)
      continue;
    unit.Members[unit.Count] = static_cast<int16_t>(other);
    poss[unit.Count++] = grid.Cells[other].ThePoss;
  }
  unit.Subsets.clear();
  SubsetLister lister{ctx, search_, std::span(unit.Members).first(unit.Count),
                      std::span(poss).first(unit.Count), unit.Subsets};
  lister.Find(0, 0, 0);
  return unit;
}

uint32_t UnitSubsetMemo::Reduce(const EngineContext &ctx, const GridRecord &grid, int cell,
                                GroupSearch &search) {
  const GridGeometry &geo = ctx.Geo;
  search.Largest = NakedSubset{};
  uint32_t removal = 0;
  for (int kind = kUnitRow; kind <= kUnitExtra2; ++kind) {
    const int region = kind - kUnitDiag1;
    if (kind > kUnitBlock && !CellInRegionUnit(grid, region, cell))
      continue;
    const Unit &unit = UnitOf(ctx, grid, kind, UnitIndexOfCell(geo, grid, kind, cell));
    // The subsets of the other cells: those without the cell's own place among the members.
    uint32_t own = 0;
    for (int m = 0; m < unit.Count; ++m)
      if (unit.Members[m] == cell)
        own |= 1u << m;
    for (const Subset &subset : unit.Subsets) {
      if ((subset.Members & own) != 0)
        continue;
      removal |= subset.Values;
      if (subset.Size > search.Largest.Size) {
        search.Largest.Size = subset.Size;
        search.Largest.Kind = kind;
        search.Largest.Cells = subset.Cells;
      }
    }
  }
  return (geo.FullMask ^ (removal & geo.FullMask)) & grid.Cells[cell].ThePoss;
}

void UnitSubsetMemo::Forget(const EngineContext &ctx, const GridRecord &grid, int cell) {
  const GridGeometry &geo = ctx.Geo;
  for (int kind = kUnitRow; kind <= kUnitBlock; ++kind)
    units_[kind * kMaxWidth + UnitIndexOfCell(geo, grid, kind, cell)].Known = false;
  for (int region = 0; region < 4; ++region)
    units_[3 * kMaxWidth + region].Known = false;
}

GroupSearch MakeGroupSearch(MethodMask mask, int width) {
  GroupSearch search;
  constexpr int kSevenOrMore = 6;
  for (int n = 1; n < width && n < kMaxWidth; ++n) {
    const int size = n + 1;
    search.SizeFlags[n] =
        n <= kSevenOrMore ? ((mask & GroupSizeBit(size)) != 0 ? 1 : 0) : search.SizeFlags[kSevenOrMore];
    if (search.SizeFlags[n] != 0)
      search.DepthLimit = n;
  }
  return search;
}

uint32_t ReduceByNakedSubsets(const EngineContext &ctx, const GridRecord &grid, int cell,
                              GroupSearch &search) {
  const GridGeometry &geo = ctx.Geo;
  search.Largest = NakedSubset{};
  uint32_t removal = 0;
  for (int kind = kUnitRow; kind <= kUnitExtra2; ++kind) {
    const int region = kind - kUnitDiag1;
    if (kind <= kUnitBlock || CellInRegionUnit(grid, region, cell))
      removal |= SubsetValuesOfUnit(
          ctx, grid, cell, kind, UnitCells(geo, grid, kind, UnitIndexOfCell(geo, grid, kind, cell)), search);
  }
  return (geo.FullMask ^ (removal & geo.FullMask)) & grid.Cells[cell].ThePoss;
}

} // namespace quorbel
