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
#include "solver/plain_board.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kNotColoured = -1;
constexpr int kHeldButNotColoured = -2;
constexpr int kRemovedByEveryChain = 0;
constexpr int kKeptBySomeChain = -1;

constexpr int kLineKinds = 3;
constexpr int kAllKinds = 7;

void MarkChainColour(int32_t &colourSet, int chain) {
  if (colourSet < 0)
    colourSet = 0;
  colourSet |= 1 << chain;
}

void PlaceInChain(EngineContext &ctx, GridRecord &trial, int cell, int value, MethodMask mask) {
  SetCellValue(ctx, trial, cell, value, kActionPlace);
  Propagate(ctx, trial, MaskFilterMode(mask), MaskProbableMode(mask));
}

bool IsOpenWith(const CellRecord &cell, uint32_t bit) {
  return IsOpenStatus(cell.Status) && (cell.ThePoss & bit) != 0;
}

uint32_t AllChains(int chains) { return (1u << chains) - 1u; }

// The chain from `start`: the cells it fills with the value, and those it leaves without it.
ChainCells RunChain(EngineContext &ctx, const GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                    int start) {
  const GridGeometry &geo = ctx.Geo;
  const uint32_t bit = ValueBit(value) & geo.FullMask;
  ChainCells chain;
  GridRecord &scratch = trial.Load(ctx, grid);
  PlaceInChain(ctx, scratch, start, value, mask);
  chain.Filled.set(static_cast<size_t>(start));
  for (int single = FindHiddenSingle(geo, value, scratch); single >= 0;
       single = FindHiddenSingle(geo, value, scratch)) {
    PlaceInChain(ctx, scratch, single, value, mask);
    chain.Filled.set(static_cast<size_t>(single));
  }
  for (int cell = 0; cell < geo.NCells; ++cell)
    if ((scratch.Cells[cell].ThePoss & bit) == 0)
      chain.Emptied.set(static_cast<size_t>(cell));
  return chain;
}

// The chain from `start` on a plain board: the same placements as on a scratch grid. False
// when the value is not free there.
bool RunPlainChain(const GridGeometry &geo, PlainBoard board, bool probables, int value, int start,
                   ChainCells &chain) {
  const uint32_t bit = ValueBit(value) & geo.FullMask;
  if (!board.Allows(start, bit))
    return false;
  for (int cell = start; cell >= 0; cell = board.HiddenSingle(bit)) {
    board.Place(cell, value);
    chain.Filled.set(static_cast<size_t>(cell));
    board.Propagate(probables);
  }
  for (int c = 0; c < geo.NCells; ++c)
    if ((board.Poss(c) & bit) == 0)
      chain.Emptied.set(static_cast<size_t>(c));
  return true;
}

} // namespace

const ChainCells &ChainMemo::Chain(EngineContext &ctx, const GridRecord &grid, TrialGrid &trial,
                                   MethodMask mask, int value, int start) {
  int16_t &slot = slotOfCell_[static_cast<size_t>(value)][static_cast<size_t>(start)];
  if (slot < 0) {
    slot = static_cast<int16_t>(chains_.size());
    ChainCells chain;
    if (!plain_ || !RunPlainChain(ctx.Geo, *plain_, MaskProbableMode(mask) == 1, value, start, chain))
      chain = RunChain(ctx, grid, trial, mask, value, start);
    chains_.push_back(chain);
  }
  return chains_[static_cast<size_t>(slot)];
}

ChainMemo::CellKey ChainMemo::KeyOf(const CellRecord &cell) {
  // An empty cell's candidates and exclusions are rebuilt from its units.
  if (cell.Status == kStatusEmpty)
    return {cell.Status, cell.Value, cell.Marks, 0, 0};
  return {cell.Status, cell.Value, cell.Marks, cell.ThePoss, cell.Excluded};
}

void ChainMemo::Follow(const GridGeometry &geo, const GridRecord &grid, MethodMask mask) {
  const auto cells = std::span(grid.Cells).first(static_cast<size_t>(geo.NCells));
  // The plain board reads the grid's blocks: another grid starts afresh.
  const bool same = mask == mask_ && &grid == grid_ && board_.size() == cells.size() &&
                    std::equal(cells.begin(), cells.end(), board_.begin(),
                               [](const CellRecord &cell, const CellKey &key) { return KeyOf(cell) == key; });
  if (same)
    return;
  Forget();
  mask_ = mask;
  grid_ = &grid;
  for (const CellRecord &cell : cells)
    board_.push_back(KeyOf(cell));
  PlainValues values;
  if (ReadPlainValues(geo, grid, values))
    plain_.emplace(geo, grid, values);
}

void ChainMemo::Forget() {
  for (auto &slots : slotOfCell_)
    slots.fill(-1);
  chains_.clear();
  board_.clear();
  plain_.reset();
}

int FindColourUnitCells(const EngineContext &ctx, int kind, int value, int unit, const GridRecord &grid,
                        std::span<int> cellsOut) {
  if (kind >= kUnitDiag1 && !RegionUnitInUse(grid, kind - kUnitDiag1))
    return 0;
  return ListUnitCellsWithPoss(ctx.Geo, kind, value, unit, grid, cellsOut);
}

namespace {

// What the chains of one unit leave in the playing cells. ApplyColouring keeps it here and
// writes only the last unit's into the grid: nothing reads the cells' colours meanwhile.
struct UnitColours {
  int Chains = 0;
  std::array<int32_t, kMaxCells> ColourSet{};
  std::bitset<kMaxCells> RemovedByEveryChain;
};

void ColourUnit(EngineContext &ctx, const GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                std::span<const int> startCells, ChainMemo *memo, UnitColours &out) {
  const GridGeometry &geo = ctx.Geo;
  const uint32_t bit = ValueBit(value) & geo.FullMask;
  std::fill_n(out.ColourSet.begin(), geo.NCells, kNotColoured);
  std::bitset<kMaxCells> emptiedByAll;
  emptiedByAll.set();
  int chains = 0;
  ChainCells fresh;
  for (int start : startCells) {
    if (chains == kMaxColourChains)
      break;
    if (start < 0 || start >= geo.NCells || !IsOpenWith(grid.Cells[start], bit))
      continue;
    const ChainCells &chain = memo != nullptr ? memo->Chain(ctx, grid, trial, mask, value, start)
                                              : (fresh = RunChain(ctx, grid, trial, mask, value, start));
    for (int cell = 0; cell < geo.NCells; ++cell)
      if (chain.Filled.test(static_cast<size_t>(cell)))
        MarkChainColour(out.ColourSet[cell], chains);
    emptiedByAll &= chain.Emptied;
    ++chains;
  }
  for (int cell = 0; cell < geo.NCells; ++cell) {
    const bool held = IsOpenWith(grid.Cells[cell], bit);
    if (held && out.ColourSet[cell] == kNotColoured)
      out.ColourSet[cell] = kHeldButNotColoured;
    out.RemovedByEveryChain[static_cast<size_t>(cell)] =
        held && chains > 0 && emptiedByAll.test(static_cast<size_t>(cell));
  }
  out.Chains = chains;
}

void WriteUnitColours(const GridGeometry &geo, GridRecord &grid, int value, const UnitColours &colours) {
  ResetCellColours(grid, value);
  for (int cell = 0; cell < geo.NCells; ++cell) {
    grid.Cells[cell].ColourSet = colours.ColourSet[cell];
    grid.Cells[cell].EliminationSet =
        colours.RemovedByEveryChain.test(static_cast<size_t>(cell)) ? kRemovedByEveryChain : kKeptBySomeChain;
  }
}

} // namespace

int ColourDigitChains(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                      std::span<const int> startCells, ChainMemo *memo) {
  UnitColours colours;
  ColourUnit(ctx, grid, trial, mask, value, startCells, memo, colours);
  WriteUnitColours(ctx.Geo, grid, value, colours);
  return colours.Chains;
}

int ApplyColouring(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int valueIn,
                   int rangeStart, int rangeEnd, ColouringOutcome &outcome, ChainMemo *kept) {
  const GridGeometry &geo = ctx.Geo;
  const int kinds =
      Meets(ctx.Settings.CurrentVariant, kVarDiagonal | kVarExtraRegion) ? kAllKinds : kLineKinds;
  const int firstValue = valueIn >= 1 ? valueIn : 1;
  const int lastValue = valueIn >= 1 ? valueIn : geo.GridWidth;
  bool removed = false;
  // A start cell lies in a row, a column and a block: its chain is run once while the grid
  // stands still. A rule's work may read the candidates, so a grid with rules runs its
  // chains afresh after any removal.
  const bool rules = HasVariantRules(grid);
  ChainMemo unkept;
  ChainMemo &memo = kept != nullptr ? *kept : unkept;
  if (rules)
    memo.Forget();
  else
    memo.Follow(geo, grid, mask);
  // The cells keep the colours of the last unit read: a unit without places leaves them
  // cleared for its value.
  UnitColours colours;
  int shownValue = 0; // the last unit's value, 0 before any
  bool shownChains = false;
  const auto show = [&](int result) {
    if (shownChains)
      WriteUnitColours(geo, grid, shownValue, colours);
    else if (shownValue != 0)
      ResetCellColours(grid, shownValue);
    return result;
  };
  for (int v = firstValue; v <= lastValue; ++v) {
    const uint32_t bit = ValueBit(v);
    for (int kind = 0; kind < kinds; ++kind) {
      // A diagonal or region is one unit whatever the index.
      const int units = kind < kLineKinds ? geo.GridWidth : 1;
      for (int unit = 0; unit < units; ++unit) {
        std::array<int, kMaxWidth> starts{};
        const int count = FindColourUnitCells(ctx, kind, v, unit, grid, starts);
        shownValue = v;
        shownChains = count >= 1;
        if (count >= 1) {
          ColourUnit(ctx, grid, trial, mask, v, std::span(starts).first(count), &memo, colours);
          outcome.Value = v;
          outcome.Count = count;
          std::copy_n(starts.begin(), count, outcome.Cells.begin());
          if (colours.Chains == count) {
            const int everyChain = static_cast<int>(AllChains(count) & geo.FullMask);
            for (int cell = std::max(rangeStart, 0); cell < rangeEnd && cell < geo.NCells; ++cell)
              if (colours.ColourSet[cell] == everyChain)
                return show(cell);
            for (int c = 0; c < geo.NCells; ++c) {
              CellRecord &cell = grid.Cells[c];
              if (colours.RemovedByEveryChain.test(static_cast<size_t>(c)) && IsOpenWith(cell, bit)) {
                RestrictPoss(geo, cell, cell.ThePoss & ~bit);
                removed = true;
                if (rules)
                  memo.Forget();
              }
            }
          }
        }
        if (ctx.Host->PollUserAbort())
          return show(kSolveCancelled);
      }
    }
  }
  return show(removed ? kCandidatesRemoved : kSolveStopped);
}

} // namespace quorbel
