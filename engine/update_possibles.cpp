// UpdatePossibles: the grid-set level of propagation. Filters run grid after grid until
// a whole pass over the range changes nothing, so that a candidate removed in one linked
// grid can narrow the others.
#include "engine/update_possibles.h"

#include "engine/method_probables.h"

#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"

namespace quorbel {

namespace {

constexpr int kProbablesDisplay = 3; // PROBTYPE: candidates and probables are shown

// The filters between this grid and its linked grids, in their order.
constexpr RuleStep kBetweenGridsOrder[] = {
    FilterOf(RuleRow::TwinsSubstitution), FilterOf(RuleRow::TwinsZone),
    FilterOf(RuleRow::TwinsRelation),     FilterOf(RuleRow::TwinsEqual),
    FilterOf(RuleRow::TwinsDifferent),    FilterOf(RuleRow::TwinsRelationMultiple),
};
static_assert(ListsEveryRowStep(kBetweenGridsOrder, &RuleDef::Filter, kFilteredBetweenGrids,
                                kFilteredBetweenGrids),
              "a filter between grids is missing from the order");

bool RunTwinsFilters(EngineContext &ctx, GridRecord &grid) {
  return WalkSteps<kBetweenGridsOrder>(ctx, grid) != 0;
}

int ResolveMode(const EngineContext &ctx, int mode) {
  return mode == kFilterDefault ? ctx.Settings.VariantFilterSwitch : mode;
}

} // namespace

bool TwinsFiltersApply(const EngineContext &ctx, int slot, int mode) {
  return UsedMainCount(ctx.Grids) > 1 && slot == -1 && FilterModeRuns(ctx, ResolveMode(ctx, mode));
}

void UpdatePossibles(EngineContext &ctx, int slot, int mode, int probables, int init) {
  const GridGeometry &geo = ctx.Geo;
  if (geo.CellLimit < 1 || slot >= kMaxGrids)
    return;
  GridSet &set = ctx.Grids;
  const bool one = slot >= 0;
  const int first = one ? slot : 0;
  const int last = one ? slot : UsedMainCount(set) - 1;
  const bool twins = TwinsFiltersApply(ctx, one ? slot : -1, mode);
  mode = ResolveMode(ctx, mode);
  if (probables == -1)
    probables = ctx.Settings.ProbType == kProbablesDisplay && ctx.Settings.ProbablesSwitch != 0 ? 1 : 0;

  std::array<LastPassFindings, kMaxGrids> findings{};
  if (init == 1) {
    for (int s = first; s <= last; ++s) {
      GridRecord &grid = set.Main[s];
      InitPossiblesOfSlot(ctx, s, grid, findings[s]);
    }
  }

  const int cap = MaxFilterPasses(geo);
  bool anyChange = false;
  std::array<uint32_t, kMaxGrids> probablesToRead;
  probablesToRead.fill(kEveryBlock);
  for (int pass = 1;; ++pass) {
    bool changed = false;
    for (int s = first; s <= last; ++s) {
      GridRecord &grid = set.Main[s];
      if (!FitsGeometry(geo, grid))
        continue;
      if (FilterConstraints(ctx, grid, mode, probables, &probablesToRead[s], findings[s].MarkedCells) == 1)
        changed = true;
      // The twins filters narrow the grids on both sides of a link.
      if (twins && RunTwinsFilters(ctx, grid)) {
        changed = true;
        probablesToRead.fill(kEveryBlock);
      }
    }
    if (!changed)
      break;
    anyChange = true;
    if (pass >= cap) {
      ReportFilterPassCap(ctx, "UpdatePossibles", pass);
      break;
    }
  }

  ctx.GridSetState = kGridConsistent;
  for (int s = first; s <= last; ++s) {
    GridRecord &grid = set.Main[s];
    // Without a fresh InitPossibles the findings say nothing: settle the long way.
    SettleGrid(ctx, grid, findings[s], anyChange || init != 1);
    if (grid.State == kGridContradiction)
      ctx.GridSetState = kGridContradiction;
    else if (grid.State != kGridConsistent && ctx.GridSetState != kGridContradiction)
      ctx.GridSetState = kGridOpen;
  }
  ctx.TotalOpenCells = TotalSudMissing(set);
}

} // namespace quorbel
