// Colouring chains. A conclusion needs every start cell of the unit chained: with one
// start left out, the right one may be missing, and "every chain removed it" proves
// nothing. Every unit fits in kMaxColourChains, so no start is ever left out.
#include "solver/colouring.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/method_record.h"
#include "engine/propagate.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/method_trial_grid.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kNotColoured = -1;
constexpr int kHeldButNotColoured = -2;
constexpr int kRemovedByEveryChain = 0;
constexpr int kKeptBySomeChain = -1;

constexpr int kLineKinds = 3;
constexpr int kAllKinds = 7;

void MarkChainColour(CellRecord &cell, int chain) {
  if (cell.ColourSet < 0)
    cell.ColourSet = 0;
  cell.ColourSet |= 1 << chain;
}

void PlaceInChain(EngineContext &ctx, GridRecord &grid, GridRecord &trial, int cell, int value, int chain,
                  MethodMask mask) {
  SetCellValue(ctx, trial, cell, value, kActionPlace);
  MarkChainColour(grid.Cells[cell], chain);
  Propagate(ctx, trial, MaskFilterMode(mask), MaskProbableMode(mask));
}

bool IsOpenWith(const CellRecord &cell, uint32_t bit) {
  return IsOpenStatus(cell.Status) && (cell.ThePoss & bit) != 0;
}

uint32_t AllChains(int chains) { return (1u << chains) - 1u; }

} // namespace

int FindColourUnitCells(const EngineContext &ctx, int kind, int value, int unit, const GridRecord &grid,
                        std::span<int> cellsOut) {
  if (kind >= kUnitDiag1 && !RegionUnitInUse(grid, kind - kUnitDiag1))
    return 0;
  return ListUnitCellsWithPoss(ctx.Geo, kind, value, unit, grid, cellsOut);
}

int ColourDigitChains(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                      std::span<const int> startCells) {
  const GridGeometry &geo = ctx.Geo;
  const uint32_t bit = ValueBit(value) & geo.FullMask;
  ResetCellColours(grid, value);
  int chains = 0;
  for (int start : startCells) {
    if (chains == kMaxColourChains)
      break;
    if (start < 0 || start >= geo.NCells || !IsOpenWith(grid.Cells[start], bit))
      continue;
    GridRecord &scratch = trial.Load(ctx, grid);
    PlaceInChain(ctx, grid, scratch, start, value, chains, mask);
    for (int single = FindHiddenSingle(geo, value, scratch); single >= 0;
         single = FindHiddenSingle(geo, value, scratch))
      PlaceInChain(ctx, grid, scratch, single, value, chains, mask);
    for (int cell = 0; cell < geo.NCells; ++cell)
      if ((scratch.Cells[cell].ThePoss & bit) == 0)
        grid.Cells[cell].EliminationSet |= 1 << chains;
    ++chains;
  }
  for (CellRecord &cell : grid.PlayingCells(geo)) {
    const bool held = IsOpenWith(cell, bit);
    if (held && cell.ColourSet == kNotColoured)
      cell.ColourSet = kHeldButNotColoured;
    const bool removedByAll =
        held && chains > 0 && static_cast<uint32_t>(cell.EliminationSet) == AllChains(chains);
    cell.EliminationSet = removedByAll ? kRemovedByEveryChain : kKeptBySomeChain;
  }
  return chains;
}

int ApplyColouring(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int valueIn,
                   int rangeStart, int rangeEnd, ColouringOutcome &outcome) {
  const GridGeometry &geo = ctx.Geo;
  const int kinds =
      Meets(ctx.Settings.CurrentVariant, kVarDiagonal | kVarExtraRegion) ? kAllKinds : kLineKinds;
  const int firstValue = valueIn >= 1 ? valueIn : 1;
  const int lastValue = valueIn >= 1 ? valueIn : geo.GridWidth;
  bool removed = false;
  for (int v = firstValue; v <= lastValue; ++v) {
    const uint32_t bit = ValueBit(v);
    for (int kind = 0; kind < kinds; ++kind) {
      // A diagonal or region is one unit whatever the index.
      const int units = kind < kLineKinds ? geo.GridWidth : 1;
      for (int unit = 0; unit < units; ++unit) {
        ResetCellColours(grid, v);
        std::array<int, kMaxWidth> starts{};
        const int count = FindColourUnitCells(ctx, kind, v, unit, grid, starts);
        if (count >= 1) {
          const int chains = ColourDigitChains(ctx, grid, trial, mask, v, std::span(starts).first(count));
          outcome.Value = v;
          outcome.Count = count;
          std::copy_n(starts.begin(), count, outcome.Cells.begin());
          if (chains == count) {
            const int everyChain = static_cast<int>(AllChains(count) & geo.FullMask);
            for (int cell = std::max(rangeStart, 0); cell < rangeEnd && cell < geo.NCells; ++cell)
              if (grid.Cells[cell].ColourSet == everyChain)
                return cell;
            for (CellRecord &cell : grid.PlayingCells(geo)) {
              if (cell.EliminationSet == kRemovedByEveryChain && IsOpenWith(cell, bit)) {
                RestrictPoss(geo, cell, cell.ThePoss & ~bit);
                removed = true;
              }
            }
          }
        }
        if (ctx.Host->PollUserAbort())
          return kSolveCancelled;
      }
    }
  }
  return removed ? kCandidatesRemoved : kSolveStopped;
}

} // namespace quorbel
