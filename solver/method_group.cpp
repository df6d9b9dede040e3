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

} // namespace

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
    if (kind <= kUnitBlock || (RegionUnitInUse(grid, region) && grid.RegionMark[region][cell] >= 0))
      removal |= SubsetValuesOfUnit(
          ctx, grid, cell, kind, UnitCells(geo, grid, kind, UnitIndexOfCell(geo, grid, kind, cell)), search);
  }
  return (geo.FullMask ^ (removal & geo.FullMask)) & grid.Cells[cell].ThePoss;
}

} // namespace quorbel
