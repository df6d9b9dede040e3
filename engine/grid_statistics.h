// Whole-grid measures and transforms for the generator and the test reports: the one-line
// statistics of a grid, the reflection of its values, and the Twins Zone cell count.
#pragma once

#include <string>

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct GridSet;

// The statistics line of a grid: fill ratio, balance of the filled cells over rows,
// columns and blocks, the variant, the two difficulty figures given, whether the
// reference grid solves the rules ("RefOK", "RefNotOK", "RefEmpty") and the grid's state.
// The check of the reference works on a copy: no undo step, the grids come back as they were.
std::string BuildGridStatistics(EngineContext &ctx, GridRecord &grid, int gridDifficulty,
                                int solveDifficulty);

// Reflects the grid's values and statuses: 1 in the anti-diagonal, 2 top to bottom, 3 in
// the main diagonal, 4 left to right; a negative index draws 0..4 (0 changes nothing and
// returns 0). Any other index returns -1 and changes nothing. The cells are stored, not
// played: nothing reaches a challenge peer. Then the grid is propagated. Returns GridWidth.
int PickSymmetryPattern(EngineContext &ctx, GridRecord &grid, int index);

// The grid's own Twins Zone links plus the links of the other grids that point at it.
int CountTwinsZoneCells(const GridSet &set, const GridRecord &grid);

} // namespace quorbel
