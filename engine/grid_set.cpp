// The grid set's counts, order and focus, and its lookups.
#include "engine/grid_set.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/undo_services.h"
#include "platform/random.h"

namespace quorbel {

int UsedMainCount(const GridSet &set) { return std::clamp<int>(set.MainCount, 0, kMaxGrids); }
int UsedAllCount(const GridSet &set) { return std::clamp<int>(set.AllCount, 0, kMaxGrids); }
int UsedOrderCount(const GridSet &set) { return std::clamp<int>(set.OrderCount, 0, kMaxGrids); }

int MainGridSlot(const GridSet &set, const GridRecord &grid) {
  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    if (&set.Main[slot] == &grid)
      return slot;
  return -1;
}

int GridIndexOf(const GridSet &set, const GridRecord &grid) {
  for (int slot = 0; slot < UsedAllCount(set); ++slot)
    if (&set.Main[slot] == &grid || &set.RefTab[slot] == &grid)
      return slot;
  return -1;
}

int CurrentGridSlot(const GridSet &set) {
  const int slot = set.OrderCount == 1 ? set.Order[0] : set.FocusGrid;
  return std::clamp(slot, 0, kMaxGrids - 1);
}

int ResetGridSet(EngineContext &ctx, int n) {
  ClearUndoHistory(ctx);
  ctx.Host->GridSetReset();
  GridSet &set = ctx.Grids;
  set.SpareWord = 0;
  const int count = std::clamp(n, 1, kMaxGrids);
  set.MainCount = set.AllCount = set.OrderCount = count;
  set.FocusCell = set.FocusGrid = 0;
  set.Order = GridSet::IdentityOrder();
  ClearRefTabGridVar(set);
  return 1;
}

int AddGridToSet(EngineContext &ctx) {
  GridSet &set = ctx.Grids;
  if (UsedMainCount(set) >= kMaxGrids || UsedAllCount(set) >= kMaxGrids)
    return -1;
  ClearUndoHistory(ctx);
  const int slot = UsedMainCount(set);
  set.MainCount = slot + 1;
  set.AllCount = UsedAllCount(set) + 1;
  set.OrderCount = set.MainCount;
  set.FocusCell = set.FocusGrid = 0;
  set.Order = GridSet::IdentityOrder();
  set.Main[slot].GridVar = {};
  set.RefTab[slot].GridVar = {};
  return slot;
}

void ClearRefTabGridVar(GridSet &set) {
  for (int slot = 0; slot < UsedAllCount(set); ++slot)
    set.RefTab[slot].GridVar = {};
}

uint64_t CombinedGridVar(const GridSet &set, int mode) {
  VariantWords words;
  if (mode == 1) {
    for (int slot = 0; slot < UsedMainCount(set); ++slot)
      words |= set.Main[slot].GridVar;
  } else {
    for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
      const int slot = set.Order[pos];
      if (slot >= 0 && slot < kMaxGrids)
        words |= set.Main[slot].GridVar;
    }
  }
  return (static_cast<uint64_t>(words.word2) << 32) | words.word1;
}

int TotalSudMissing(const GridSet &set) {
  int total = 0;
  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    total += set.Main[slot].SudMissing;
  return total;
}

int CombinedGridState(EngineContext &ctx, int slot) {
  const GridSet &set = ctx.Grids;
  const bool one = slot >= 0 && slot < kMaxGrids;
  const int first = one ? slot : 0;
  const int last = one ? slot : UsedMainCount(set) - 1;
  int state = kGridConsistent;
  for (int s = first; s <= last; ++s) {
    const int gridState = set.Main[s].State;
    if (gridState == kGridReset) {
      state = kGridReset;
      break;
    }
    if (gridState == kGridContradiction)
      state = kGridContradiction;
    else if (gridState == kGridOpen && state == kGridConsistent)
      state = kGridOpen;
  }
  ctx.GridSetState = state;
  return state;
}

GridRecord &GridOfGridDraw(GridSet &set, int drawSlot) {
  return drawSlot >= 0 && drawSlot < UsedAllCount(set) ? set.Main[drawSlot] : set.Main[0];
}

const GridRecord &RefTabOfGridDraw(const GridSet &set, int drawSlot) {
  return drawSlot >= 0 && drawSlot < UsedAllCount(set) ? set.RefTab[drawSlot] : set.RefTab[0];
}

const GridRecord &GetRefTab(const GridSet &set, const GridRecord &grid) {
  const int slot = MainGridSlot(set, grid);
  return set.RefTab[slot < 0 ? 0 : slot];
}

const GridRecord &RefTabOfGrid(const GridSet &set, const GridRecord &grid) { return GetRefTab(set, grid); }

int FindInGridOrder(const GridSet &set, int slot) {
  for (int pos = 0; pos < UsedOrderCount(set); ++pos)
    if (set.Order[pos] == slot)
      return pos;
  return -1;
}

int OrderPosOfGrid(const GridSet &set, const GridRecord &grid) {
  const int slot = GridIndexOf(set, grid);
  return slot < 0 ? -1 : FindInGridOrder(set, slot);
}

int CountShownMainGrids(const GridSet &set) {
  int shown = 0;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos)
    if (set.Order[pos] < set.MainCount)
      ++shown;
  return shown;
}

int RandomEarlierGrid(Random15 &random, const GridSet &set, const GridRecord &grid) {
  const int slot = GridIndexOf(set, grid);
  return slot <= 0 ? 0 : RandomBelow(random, slot);
}

int EarlierKimoModulus(const GridSet &set, const GridRecord &grid) {
  const int slot = GridIndexOf(set, grid);
  for (int s = 0; s < slot; ++s)
    if (Meets(set.Main[s].GridVar, kVarKimo))
      return set.Main[s].Lists.KimoModulus;
  return 0;
}

int AnyPuzzleRotation(const GridSet &set) {
  int rotation = 0;
  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    rotation |= set.Main[slot].Lists.PuzzleRotation;
  return rotation;
}

} // namespace quorbel
