// The Random method. The reference grid is the solution the program computed for a main
// grid; a scratch grid has none of its own, and another grid's would be wrong for it.
#include "solver/method_random.h"

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/unit_summary.h"
#include "platform/random.h"

namespace quorbel {

namespace {

bool HasReferenceValue(const GridRecord &reference, const GridRecord &grid, int cell) {
  return reference.Cells[cell].Status < kStatusConflict && IsOpenStatus(grid.Cells[cell].Status);
}

// A cell whose reference holds a value while the grid's is open: the asked cell, or one
// drawn at random among those of the range; -1 when none.
int PickReferenceCell(const GridRecord &reference, const GridRecord &grid, int cell, int rangeStart,
                      int rangeEnd) {
  if (cell >= 0)
    return HasReferenceValue(reference, grid, cell) ? cell : -1;
  int count = 0;
  for (int i = rangeStart; i < rangeEnd; ++i)
    count += HasReferenceValue(reference, grid, i) ? 1 : 0;
  if (count == 0)
    return -1;
  int draw = count * GlobalRandom().Next() / kRandomMax;
  for (int i = rangeStart; i < rangeEnd; ++i)
    if (HasReferenceValue(reference, grid, i) && --draw < 0)
      return i;
  return -1;
}

} // namespace

int PlaceRandomValue(EngineContext &ctx, GridRecord &grid, int cell, int rangeStart, int rangeEnd) {
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (slot < 0 || rangeStart >= rangeEnd)
    return -1;
  const GridRecord &reference = ctx.Grids.RefTab[slot];
  if (reference.Cells.size() < grid.Cells.size())
    return -1;
  const int picked = PickReferenceCell(reference, grid, cell, rangeStart, rangeEnd);
  if (picked >= 0) {
    const int value = reference.Cells[picked].Value;
    if (value >= 1 && value <= ctx.Geo.GridWidth) {
      SetCellValue(ctx, grid, picked, value, kActionPlaceFixed);
      return picked;
    }
  }
  return -1;
}

} // namespace quorbel
