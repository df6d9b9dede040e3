// Colouring chains. A conclusion needs every start cell of the unit chained: with one
// start left out, the right one may be missing, and "every chain removed it" proves
// nothing. Every unit fits in kMaxColourChains, so no start is ever left out.
#include "solver/colouring.h"

#include <algorithm>

#include "engine/block_places.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/method_probables.h"
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

// ---- Chains on the values alone ----
// On a grid without rules the scratch grid of a chain follows from the values only:
// propagation rebuilds every open cell's candidates from its units, then the Probables rule
// narrows them block after block, pass after pass, and the chain's hidden singles go in,
// the first unit's first. The same steps in the same order on a value and a candidate mask
// per cell leave the same cells, without copying records or rebuilding unit summaries.

using PlainValues = std::array<uint8_t, kMaxCells>;

// Whether the grid's chains may run on its values alone: no rule, and every playing cell
// open or holding its value plainly (placed or fixed, the value's bit its only candidate and
// mark, no repeat in a unit, no picture that a placed value starts). Its values (0 open)
// into `values`.
bool ReadPlainValues(const GridGeometry &geo, const GridRecord &grid, PlainValues &values) {
  if (HasVariantRules(grid) || !FitsGeometry(geo, grid) || geo.NCells > kMaxCells)
    return false;
  std::array<uint32_t, kMaxWidth> rows{};
  std::array<uint32_t, kMaxWidth> cols{};
  std::array<uint32_t, kMaxWidth> blocks{};
  for (int c = 0; c < geo.NCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    if (cell.ImageIndex >= 0 || cell.ImageFlag == 1 || cell.MarkerState == 1)
      return false;
    values[c] = 0;
    if (IsOpenStatus(cell.Status))
      continue;
    const bool plainStatus =
        cell.Status == kStatusPlaced || cell.Status == kStatusPlacedLastStep || cell.Status == kStatusFixed;
    const uint32_t bit = ValueBit(cell.Value) & geo.FullMask;
    // Propagation leaves a filled cell its marks as candidates, or its candidates without marks.
    const uint32_t kept = cell.Marks != 0 ? cell.Marks : cell.ThePoss;
    const int block = grid.BlockOfCell[c];
    if (!plainStatus || bit == 0 || kept != bit || (~cell.Excluded & geo.FullMask) != bit || block < 0 ||
        block >= geo.GridWidth)
      return false;
    uint32_t &row = rows[geo.RowOfCell[c]];
    uint32_t &col = cols[geo.ColOfCell[c]];
    if (((row | col | blocks[block]) & bit) != 0)
      return false;
    row |= bit;
    col |= bit;
    blocks[block] |= bit;
    values[c] = static_cast<uint8_t>(cell.Value);
  }
  return true;
}

class PlainChain {
public:
  PlainChain(const GridGeometry &geo, const GridRecord &grid, const PlainValues &values, bool probables)
      : geo_(geo), grid_(grid), probables_(probables) {
    std::copy_n(values.begin(), geo.NCells, values_.begin());
    rowFree_.fill(geo.FullMask);
    colFree_.fill(geo.FullMask);
    blockFree_.fill(geo.FullMask);
    for (int c = 0; c < geo.NCells; ++c)
      if (values_[c] != 0)
        Take(c, ValueBit(values_[c]));
  }

  // The chain from `start`; false when the value is not free there, where the scratch grid
  // would hold a repeat, which only the scratch grid itself reads right.
  bool Run(int value, int start, ChainCells &chain) {
    const uint32_t bit = ValueBit(value) & geo_.FullMask;
    if (values_[start] != 0 || (FreeAt(start) & bit) == 0)
      return false;
    for (int cell = start; cell >= 0; cell = HiddenSingle(bit)) {
      values_[cell] = static_cast<uint8_t>(value);
      Take(cell, bit);
      chain.Filled.set(static_cast<size_t>(cell));
      Propagate();
    }
    for (int c = 0; c < geo_.NCells; ++c)
      if ((poss_[c] & bit) == 0)
        chain.Emptied.set(static_cast<size_t>(c));
    return true;
  }

private:
  uint32_t FreeAt(int c) const {
    return rowFree_[geo_.RowOfCell[c]] & colFree_[geo_.ColOfCell[c]] & blockFree_[grid_.BlockOfCell[c]];
  }
  void Take(int c, uint32_t bit) {
    rowFree_[geo_.RowOfCell[c]] &= ~bit;
    colFree_[geo_.ColOfCell[c]] &= ~bit;
    blockFree_[grid_.BlockOfCell[c]] &= ~bit;
  }

  // InitPossibles, then the Probables passes until one removes nothing.
  void Propagate() {
    for (int c = 0; c < geo_.NCells; ++c)
      poss_[c] = values_[c] != 0 ? ValueBit(values_[c]) : FreeAt(c);
    if (!probables_)
      return;
    uint32_t blocksToRead = kEveryBlock;
    while (ProbablesPass(blocksToRead)) {
    }
  }

  // ApplyProbables' pass: the values whose two or three places in a block share a line leave
  // the rest of the line.
  bool ProbablesPass(uint32_t &blocksToRead) {
    const int width = geo_.GridWidth;
    bool removed = false;
    for (int block = 0; block < width; ++block) {
      if ((blocksToRead & (1u << block)) == 0)
        continue;
      blocksToRead &= ~(1u << block);
      BlockPlaces places;
      for (int k = 0; k < width; ++k) {
        const int c = grid_.BlockCells[block][k];
        if (values_[c] == 0)
          places.Add(poss_[c], geo_.RowOfCell[c], geo_.ColOfCell[c]);
      }
      const uint32_t oneRow = places.OnOneRow(width);
      const uint32_t oneCol = places.OnOneCol(width);
      for (int line = 0; line < width; ++line) {
        if ((places.Rows[line] & oneRow) != 0)
          removed |= RemoveOutsideBlock(geo_.RowCells[line], block, places.Rows[line] & oneRow, blocksToRead);
        if ((places.Cols[line] & oneCol) != 0)
          removed |= RemoveOutsideBlock(geo_.ColCells[line], block, places.Cols[line] & oneCol, blocksToRead);
      }
    }
    return removed;
  }

  bool RemoveOutsideBlock(const std::array<int16_t, kMaxWidth> &line, int block, uint32_t values,
                          uint32_t &blocksToRead) {
    bool removed = false;
    for (int k = 0; k < geo_.GridWidth; ++k) {
      const int c = line[k];
      const int cellBlock = grid_.BlockOfCell[c];
      if (cellBlock == block || values_[c] != 0 || (poss_[c] & values) == 0)
        continue;
      poss_[c] &= ~values;
      blocksToRead |= 1u << cellBlock;
      removed = true;
    }
    return removed;
  }

  // FindHiddenSingle: the only place of the value in a row, else a column, else a block.
  int HiddenSingle(uint32_t bit) const {
    const auto onlyPlace = [&](const std::array<int16_t, kMaxWidth> &unit) {
      int place = -1;
      for (int k = 0; k < geo_.GridWidth; ++k) {
        const int c = unit[k];
        if (values_[c] != 0 || (poss_[c] & bit) == 0)
          continue;
        if (place >= 0)
          return -1;
        place = c;
      }
      return place;
    };
    for (const UnitTable *units : {&geo_.RowCells, &geo_.ColCells, &grid_.BlockCells})
      for (int n = 0; n < geo_.GridWidth; ++n)
        if (const int place = onlyPlace((*units)[n]); place >= 0)
          return place;
    return -1;
  }

  const GridGeometry &geo_;
  const GridRecord &grid_;
  bool probables_;
  PlainValues values_;
  std::array<uint32_t, kMaxCells> poss_;
  std::array<uint32_t, kMaxWidth> rowFree_, colFree_, blockFree_;
};

} // namespace

const ChainCells &ChainMemo::Chain(EngineContext &ctx, const GridRecord &grid, TrialGrid &trial,
                                   MethodMask mask, int value, int start) {
  int16_t &slot = slotOfCell_[static_cast<size_t>(value)][static_cast<size_t>(start)];
  if (slot < 0) {
    slot = static_cast<int16_t>(chains_.size());
    ChainCells chain;
    if (!plain_ ||
        !PlainChain(ctx.Geo, grid, plainValues_, MaskProbableMode(mask) == 1).Run(value, start, chain))
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
  const bool same = mask == mask_ && board_.size() == cells.size() &&
                    std::equal(cells.begin(), cells.end(), board_.begin(),
                               [](const CellRecord &cell, const CellKey &key) { return KeyOf(cell) == key; });
  if (same)
    return;
  Forget();
  mask_ = mask;
  for (const CellRecord &cell : cells)
    board_.push_back(KeyOf(cell));
  plain_ = ReadPlainValues(geo, grid, plainValues_);
}

void ChainMemo::Forget() {
  for (auto &slots : slotOfCell_)
    slots.fill(-1);
  chains_.clear();
  board_.clear();
  plain_ = false;
}

int FindColourUnitCells(const EngineContext &ctx, int kind, int value, int unit, const GridRecord &grid,
                        std::span<int> cellsOut) {
  if (kind >= kUnitDiag1 && !RegionUnitInUse(grid, kind - kUnitDiag1))
    return 0;
  return ListUnitCellsWithPoss(ctx.Geo, kind, value, unit, grid, cellsOut);
}

int ColourDigitChains(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                      std::span<const int> startCells, ChainMemo *memo) {
  const GridGeometry &geo = ctx.Geo;
  const uint32_t bit = ValueBit(value) & geo.FullMask;
  ResetCellColours(grid, value);
  int chains = 0;
  ChainCells fresh;
  for (int start : startCells) {
    if (chains == kMaxColourChains)
      break;
    if (start < 0 || start >= geo.NCells || !IsOpenWith(grid.Cells[start], bit))
      continue;
    const ChainCells &chain = memo != nullptr ? memo->Chain(ctx, grid, trial, mask, value, start)
                                              : (fresh = RunChain(ctx, grid, trial, mask, value, start));
    for (int cell = 0; cell < geo.NCells; ++cell) {
      if (chain.Filled.test(static_cast<size_t>(cell)))
        MarkChainColour(grid.Cells[cell], chains);
      if (chain.Emptied.test(static_cast<size_t>(cell)))
        grid.Cells[cell].EliminationSet |= 1 << chains;
    }
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
          const int chains =
              ColourDigitChains(ctx, grid, trial, mask, v, std::span(starts).first(count), &memo);
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
                if (rules)
                  memo.Forget();
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
