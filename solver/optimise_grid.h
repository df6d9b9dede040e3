// Repairing and trimming a puzzle: remove givens until it has a solution again, add givens
// until the solution is unique, then take away every given the uniqueness does not need.
// The board's "Optimise 1 Sol" command runs all three; the generator runs the last two
// on its own grids, without the command's undo step, wait dialog and report.
#pragma once

#include <functional>

namespace quorbel {

struct EngineContext;

// The grids a step works on: one main grid, or every main grid for gridIndex -1.
struct GridRange {
  int GridIndex = -1;
  int First = 0;
  int Last = 0;
};
GridRange RangeOfGrids(const EngineContext &ctx, int gridIndex);

// Runs the steps asked (1 each) over the range, as one undo step, with the wait dialog and
// a report line. Step 2 copies added givens from the reference grid with fromSolution 1,
// else takes one of the values the solutions gave the cell. Returns the givens removed by
// step 3 (0 without it), or -1 when step 1 or 2 gave up or the player cancelled before
// step 3; a cancel during step 3 ends that step only. After a step 3 the caller rates the
// game as Terrible.
int OptimiseGrid(EngineContext &ctx, int step1, int step2, int step3, int gridIndex, int fromSolution);

// Step 2 alone: while the grids have several solutions (counted up to 10), the open cell
// whose values differ most among them gets a value. Returns the last count (1 unique; 0 no
// solution, or no cell to add), -9 on a time-out, -10 when cancelled. `added` counts the
// cells given. One grid given from its solution does not stop at a time-out: open cells drawn
// at random get their solution values, more at each time-out in a row, until a count ends.
int AddGivensUntilUnique(EngineContext &ctx, const GridRange &range, int fromSolution, int &added);

// What a removal that keeps the solution unique is checked against: 1 keep it, 0 put the
// given back, -10 cancel.
using RemovalCheck = std::function<int()>;

// Step 3 alone: the givens (status 3) of the range, in random order, each taken away for
// good when the grids keep exactly one solution and `check` agrees; stops as soon as
// `enough` says so. Returns the number taken away, -10 when cancelled (the given under
// test is back then).
int RemoveNeedlessGivens(EngineContext &ctx, const GridRange &range, const RemovalCheck &check,
                         const std::function<bool()> &enough);

} // namespace quorbel
