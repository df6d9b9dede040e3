// FilterConstraints: the rule filters in the one order every rule relies on. A filter
// removes candidates and reports 1 when it changed a mask; no filter stops the pass.
// The twins filters between linked grids run from UpdatePossibles, not here.
#include "engine/engine_context.h"
#include "engine/method_probables.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"

namespace quorbel {

namespace {

// Some filters AND masks into open cells without recounting them: a cell they empty is
// marked here, so that the grid is seen in contradiction.
int MarkEmptiedCells(EngineContext &ctx, GridRecord &grid) {
  for (int i = 0; i < ctx.Geo.NCells; ++i) {
    CellRecord &cell = grid.Cells[i];
    if (cell.Status > kStatusConflict && (cell.ThePoss & ctx.Geo.FullMask) == 0)
      cell.Check = kCheckConflict;
  }
  return 0;
}

// The order of the filters; every one runs, none stops the pass. Rows sharing a clue list or a
// pass over the cells share one step, as in the checks. The puzzle pieces come last, once the
// emptied cells are marked.
constexpr RuleStep kFilterOrder[] = {
    FilterOf(RuleRow::Less), // the comparison marks with at least one open cell
    FilterOf(RuleRow::AllIndicated),
    FilterOf(RuleRow::Odd), // each marked cell
    FilterOf(RuleRow::LittleKiller),  FilterOf(RuleRow::KillerSum),
    FilterOf(RuleRow::Distance),      FilterOf(RuleRow::QuadMax),
    FilterOf(RuleRow::OddPair),       FilterOf(RuleRow::Arrow),
    FilterOf(RuleRow::CreasingLines),
    FilterOf(RuleRow::Dan), // its open cells keep to the values already there once they are all used
    FilterOf(RuleRow::Equality),      FilterOf(RuleRow::Wheel),
    FilterOf(RuleRow::Navigator),     FilterOf(RuleRow::Chess),
    FilterOf(RuleRow::MagicSquare),   FilterOf(RuleRow::NoTouch),
    FilterOf(RuleRow::NoConsecutive), FilterOf(RuleRow::Numeral),
    FilterOf(RuleRow::Trio),          FilterOf(RuleRow::PencilMark),
    FilterOf(RuleRow::Outside),       FilterOf(RuleRow::TwinsTotal),
    FilterOf(RuleRow::MultTable),     FilterOf(RuleRow::Pirate),
    FilterOf(RuleRow::MasterMind),    FilterOf(RuleRow::TwinsSameInLine),
    FilterOf(RuleRow::NoKnightStep),  FilterOf(RuleRow::Touchy),
    FilterOf(RuleRow::No3OddEven),    FilterOf(RuleRow::NoAverage),
    FilterOf(RuleRow::GiveMe5),       MarkEmptiedCells,
    FilterOf(RuleRow::Puzzle),
};
static_assert(ListsEveryRowStep(kFilterOrder, &RuleDef::Filter, kFilteredBetweenGrids, 0),
              "a rule's filter is missing from the order");
static_assert(EachStepOnce(kFilterOrder), "a filter runs twice");

// The order without the Odd rule's pass over the marked cells.
constexpr size_t kMarksStep = 2;
static_assert(SameStep(kFilterOrder[kMarksStep], FilterOf(RuleRow::Odd)) != 0,
              "the marked cells' step moved");
constexpr auto kFilterOrderButMarks = WithoutStep(kFilterOrder, kMarksStep);

} // namespace

bool FilterModeRuns(const EngineContext &ctx, int mode) {
  const int flag = mode == kFilterAlways ? 1 : ctx.Settings.VariantFilterSwitch;
  // (flag AND mode) never has bit 0 in mode 2: that mode is tested for itself.
  return flag == 1 && (mode == kFilterAlways || ((flag & mode) & 1) != 0);
}

bool RuleFiltersApply(const EngineContext &ctx, const GridRecord &grid, int mode) {
  return (grid.GridVar & kFilteredVariants).Any() && FilterModeRuns(ctx, mode);
}

int FilterConstraints(EngineContext &ctx, GridRecord &grid, int mode, int applyProbables,
                      uint32_t *probablesToRead, bool markedCells) {
  uint32_t everyBlock = kEveryBlock;
  uint32_t &blocksToRead = probablesToRead ? *probablesToRead : everyBlock;
  bool changed = false;
  if (RuleFiltersApply(ctx, grid, mode)) {
    changed =
        (markedCells ? WalkSteps<kFilterOrder>(ctx, grid) : WalkSteps<kFilterOrderButMarks>(ctx, grid)) != 0;
    if (changed)
      blocksToRead = kEveryBlock; // the filters do not say which cells they narrowed
  }
  if (applyProbables == 1 && ApplyProbables(ctx, grid, blocksToRead) == -2)
    changed = true;
  return changed ? 1 : 0;
}

} // namespace quorbel
