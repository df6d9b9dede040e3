// UpdatePossibles: the grid-set level of propagation. Filters run grid after grid until
// a whole pass over the range changes nothing, so that a candidate removed in one linked
// grid can narrow the others.
#include "engine/update_possibles.h"

#include "engine/method_probables.h"

#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"
#include "engine/twins_rules.h"

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

// A set of main grids by slot.
using SlotSet = uint32_t;
static_assert(kMaxGrids <= 32, "a slot set holds every main grid");
constexpr SlotSet SlotBit(int slot) { return SlotSet{1} << slot; }
constexpr bool Holds(SlotSet slots, int slot) { return (slots & SlotBit(slot)) != 0; }

// The grids of the set reach one another only through the filled cells that Same in Line
// compares: no other rule between grids, no clue of one, and no rule whose preparation writes
// beyond its own grid (the shared parity, the chess attacks) or reads other records.
constexpr VariantWords kReachingBeyondFilledCells = (kVarLinkedGridRules & ~kVarTwinsSameInLine) | kVarOdd |
                                                    kVarOddPair | kVarChess | kVarDiagonal | kVarExtraRegion;

bool ReachedThroughFilledCellsAlone(const GridSet &set, int count) {
  for (int s = 0; s < count; ++s) {
    const GridRecord &grid = set.Main[s];
    if (Meets(grid.GridVar, kReachingBeyondFilledCells) || grid.Lists.TwinsRelation.Size() > 0 ||
        grid.Lists.TwinsZone.Size() > 0)
      return false;
  }
  return true;
}

constexpr RuleStep kSameInLineFilter = FilterOf(RuleRow::TwinsSameInLine);
constexpr RuleStep kSameInLineCheck = CheckOf(RuleRow::TwinsSameInLine);

// One update of the main grids from `first` to `last`: the `rebuilt` ones take every step; the
// `partnersOnly` ones, which the update leaves as they were, take only the Same in Line steps
// that narrow and mark their rebuilt partners, where a whole update would take them; the others
// are only read for the set's state. Each grid meets its steps in a whole update's order. The
// grid in `searched` (-1 none) changes at every node: its rebuild is neither looked for in the
// memo nor kept there.
void UpdateSlots(EngineContext &ctx, int first, int last, SlotSet rebuilt, SlotSet partnersOnly, int searched,
                 int mode, int probables, int init, bool twins) {
  const GridGeometry &geo = ctx.Geo;
  GridSet &set = ctx.Grids;
  mode = ResolveMode(ctx, mode);
  if (probables == -1)
    probables = ctx.Settings.ProbType == kProbablesDisplay && ctx.Settings.ProbablesSwitch != 0 ? 1 : 0;

  std::array<LastPassFindings, kMaxGrids> findings{};
  if (init == 1) {
    for (int s = first; s <= last; ++s) {
      if (s == searched)
        InitPossibles(ctx, set.Main[s], findings[s]);
      else if (Holds(rebuilt, s))
        InitPossiblesOfSlot(ctx, s, set.Main[s], findings[s]);
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
      if (Holds(partnersOnly, s)) {
        changed |= RuleFiltersApply(ctx, grid, mode) && kSameInLineFilter(ctx, grid) != 0;
        continue;
      }
      if (!Holds(rebuilt, s))
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
    if (Holds(rebuilt, s)) {
      // Without a fresh InitPossibles the findings say nothing: settle the long way.
      SettleGrid(ctx, grid, findings[s], anyChange || init != 1);
    } else if (Holds(partnersOnly, s) && FitsGeometry(geo, grid) && HasVariantRules(grid)) {
      kSameInLineCheck(ctx, grid);
    }
    if (grid.State == kGridContradiction)
      ctx.GridSetState = kGridContradiction;
    else if (grid.State != kGridConsistent && ctx.GridSetState != kGridContradiction)
      ctx.GridSetState = kGridOpen;
  }
  ctx.TotalOpenCells = TotalSudMissing(set);
}

} // namespace

bool TwinsFiltersApply(const EngineContext &ctx, int slot, int mode) {
  return UsedMainCount(ctx.Grids) > 1 && slot == -1 && FilterModeRuns(ctx, ResolveMode(ctx, mode));
}

void UpdatePossibles(EngineContext &ctx, int slot, int mode, int probables, int init) {
  if (ctx.Geo.CellLimit < 1 || slot >= kMaxGrids)
    return;
  const bool one = slot >= 0;
  const int first = one ? slot : 0;
  const int last = one ? slot : UsedMainCount(ctx.Grids) - 1;
  const SlotSet every = last >= first ? (SlotBit(last - first + 1) - 1) << first : 0;
  UpdateSlots(ctx, first, last, every, 0, -1, mode, probables, init,
              TwinsFiltersApply(ctx, one ? slot : -1, mode));
}

void UpdatePossiblesAround(EngineContext &ctx, int slot, int mode, int probables) {
  const GridSet &set = ctx.Grids;
  const int count = UsedMainCount(set);
  if (ctx.Geo.CellLimit < 1 || slot < 0 || slot >= count || !ReachedThroughFilledCellsAlone(set, count)) {
    UpdatePossibles(ctx, -1, mode, probables, 1);
    return;
  }
  std::array<int, kMaxGrids> partner{};
  for (int s = 0; s < count; ++s)
    partner[s] = SameInLinePartnerSlot(ctx, ctx.Grids.Main[s]);
  // What the changed grid's cells can narrow: itself, the grid it compares with, and the grids
  // that compare with it. The partners of those keep what they are, but narrow them again.
  SlotSet rebuilt = SlotBit(slot);
  for (int s = 0; s < count; ++s)
    if (partner[s] == slot || (s == slot && partner[s] >= 0))
      rebuilt |= SlotBit(s) | SlotBit(partner[s]);
  SlotSet partnersOnly = 0;
  for (int s = 0; s < count; ++s)
    if (!Holds(rebuilt, s) && partner[s] >= 0 && Holds(rebuilt, partner[s]))
      partnersOnly |= SlotBit(s);
  UpdateSlots(ctx, 0, count - 1, rebuilt, partnersOnly, slot, mode, probables, 1,
              TwinsFiltersApply(ctx, -1, mode));
}

} // namespace quorbel
