// The grids the program shows and solves: up to 12 main grids, each with a reference
// (solution) grid, the order in which they are shown and the focus; and every lookup
// that maps a grid to its slot, its reference grid or its place in the order.
#pragma once

#include <array>
#include <cstdint>

#include "engine/grid_record.h"
#include "platform/random.h"

namespace quorbel {

struct EngineContext;

constexpr int kMaxGrids = 12;

struct GridSet {
  std::array<GridRecord, kMaxGrids> Main;
  std::array<GridRecord, kMaxGrids + 1> RefTab; // RefTab[i] is the solution of Main[i]; the last is spare
  int32_t MainCount = 1;                        // main grids in use, 1..12
  int32_t AllCount = 1;                         // grid slots in use
  int32_t OrderCount = 1;
  int32_t FocusCell = 0;
  int32_t FocusGrid = 0;
  std::array<int32_t, kMaxGrids> Order = IdentityOrder();
  int32_t SpareWord = 0;

  static constexpr std::array<int32_t, kMaxGrids> IdentityOrder() {
    std::array<int32_t, kMaxGrids> order{};
    for (int i = 0; i < kMaxGrids; ++i)
      order[i] = i;
    return order;
  }
};

// The counts clamped to the arrays, for loops that must not trust a stored count.
int UsedMainCount(const GridSet &set);
int UsedAllCount(const GridSet &set);
int UsedOrderCount(const GridSet &set);

// The slot of a main grid in use, -1 for any other grid (reference, snapshot, scratch).
int MainGridSlot(const GridSet &set, const GridRecord &grid);
// The slot of a main or reference grid among the slots in use, -1 when none.
int GridIndexOf(const GridSet &set, const GridRecord &grid);
// The grid the player works on: Order[0] with one grid shown, else the focus grid.
int CurrentGridSlot(const GridSet &set);

// n main grids (clamped to 1..12) shown in slot order, focus on the first; the undo
// stack is emptied first and the reference grids lose their variant words.
int ResetGridSet(EngineContext &ctx, int n);
// One more main grid, with no variant words, shown after the others; returns its slot,
// or -1 with 12 grids already (nothing changes then).
int AddGridToSet(EngineContext &ctx);
void ClearRefTabGridVar(GridSet &set);

// The OR of the variant words, word 1 in the low half: mode 1 over every main grid,
// otherwise over the grids shown.
uint64_t CombinedGridVar(const GridSet &set, int mode);
int TotalSudMissing(const GridSet &set);
// 9 as soon as a grid is reset, else 5 when any is in contradiction, 8 when any is open,
// 3 when all are solved; over one slot, or every main grid for a slot < 0. Also stored as
// the context's GridSetState.
int CombinedGridState(EngineContext &ctx, int slot);

// The main grid of a painter's slot (main grid 0 for a slot outside the set).
GridRecord &GridOfGridDraw(GridSet &set, int drawSlot);
// The reference grid of a main grid or of a painter's slot. A grid outside the set gets
// reference grid 0 to read, never to write: it is another grid's solution.
const GridRecord &RefTabOfGridDraw(const GridSet &set, int drawSlot);
const GridRecord &GetRefTab(const GridSet &set, const GridRecord &grid);
const GridRecord &RefTabOfGrid(const GridSet &set, const GridRecord &grid);

// The position of a slot (or of a main or reference grid) in the order, -1 when absent.
int FindInGridOrder(const GridSet &set, int slot);
int OrderPosOfGrid(const GridSet &set, const GridRecord &grid);
// Order entries that are main grids.
int CountShownMainGrids(const GridSet &set);

// A random slot below the grid's own (0 for the first grid or a grid outside the set).
int RandomEarlierGrid(Random15 &random, const GridSet &set, const GridRecord &grid);
// The Kimo modulus of the first grid holding Kimo, when that grid comes before `grid`;
// else 0.
int EarlierKimoModulus(const GridSet &set, const GridRecord &grid);
// 1 when any main grid lets its puzzle pieces rotate.
int AnyPuzzleRotation(const GridSet &set);

} // namespace quorbel
