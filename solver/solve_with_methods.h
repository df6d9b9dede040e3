// The method driver: applies the solving methods a MethodMask selects, in one fixed
// order, to one grid; places values, removes candidates, records in ctx.Methods the
// hardest method needed, and can mark the cells and units that explain a placement.
// Every solving command, the difficulty rating and the batch tests go through it.
#pragma once

#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Returns a SolveResult (solver/search.h): kSolvePlaced (-3) when values were placed,
// kSolveStopped (-1) when nothing was, kSolveCancelled (-10). stepMode 1: MethodPlacements starts at 0 and
// the call returns after the first placement. highlight 1: the found cell and its explanation get marks. cell
// -1: any cell may be placed; a cell index: only that cell (units and removals still use the whole grid); any
// other value places nothing. messages 1: the newest panel line names each method as it starts. A grid
// outside the grid set is recomputed on its own, and gets no Random step from another grid's reference. The
// caller brings the candidates up to date first (UpdatePossibles, or Propagate for a grid outside the set).
int SolveWithMethods(EngineContext &ctx, MethodMask mask, GridRecord &grid, int stepMode, int highlight,
                     int cell, int messages);

// SolveWithMethods until it places nothing, the candidates rebuilt after each call with
// the mask's modes; GameMaxMethodLevel follows MaxMethodLevel. Returns -1 when solved or
// stuck, another driver result otherwise (-10 cancelled). The undo stack is left alone.
int SolveRepeatedly(EngineContext &ctx, GridRecord &grid, MethodMask mask);

// The candidate update of the driver: UpdatePossibles over the main grids when the grid
// is one of them, else the same steps on the grid alone. init 1 rebuilds from the cells;
// init 0 keeps the removals the methods made.
void RefreshCandidates(EngineContext &ctx, GridRecord &grid, int mode, int probables, int init);

} // namespace quorbel
