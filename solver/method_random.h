// The Random method, the last resort: a value from the grid's reference solution, or,
// without one, the value that the fewest solutions of a bounded count give a cell.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;
class TrialGrid;

// At most this many solutions are counted to choose a value.
constexpr int kRandomCountLimit = 200;

// Places one value in a cell of [rangeStart, rangeEnd) (status 1 or 3; the driver marks
// it as placed by the step) and returns the cell; -1 when nothing was placed, -10 when
// the player cancelled. `cell` is the one cell asked for, or -1 for any cell of the
// range. Only a main grid of the grid set has a reference to read; the count runs on the
// trial grid, and its per-value scores come back into the grid's cells.
int PlaceRandomValue(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, int cell, int rangeStart,
                     int rangeEnd);

} // namespace quorbel
