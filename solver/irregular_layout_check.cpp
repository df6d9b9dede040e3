// Checking a layout of irregular blocks: shape first, then one solution searched.
#include "solver/irregular_layout_check.h"

#include <array>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_shape.h"
#include "engine/irregular_blocks.h"
#include "solver/random_solution.h"
#include "solver/search.h"
#include "solver/solution_count.h"

namespace quorbel {

int FirstDisconnectedRegion(const RegionLayout &layout) {
  const int width = layout.Width;
  const int cells = width * width;
  std::array<bool, kMaxCells> reached{};
  std::array<int, kMaxCells> pending{};
  for (int start = 0; start < cells; ++start) {
    if (reached[start])
      continue;
    // The piece of `start`'s region around it; any cell of that region left out of it
    // lies in another piece.
    const int region = layout.Region[start];
    int count = 0;
    reached[start] = true;
    pending[count++] = start;
    while (count > 0) {
      const int cell = pending[--count];
      const int row = cell / width;
      const int column = cell % width;
      const int neighbours[] = {row > 0 ? cell - width : -1, row < width - 1 ? cell + width : -1,
                                column > 0 ? cell - 1 : -1, column < width - 1 ? cell + 1 : -1};
      for (const int next : neighbours) {
        if (next >= 0 && !reached[next] && layout.Region[next] == region) {
          reached[next] = true;
          pending[count++] = next;
        }
      }
    }
    for (int cell = start + 1; cell < cells; ++cell)
      if (layout.Region[cell] == region && !reached[cell])
        return region;
  }
  return -1;
}

namespace {

// Every row, column and region of the layout holds every value once: the proof that the
// layout has a solution, read from the values alone.
bool SolvesLayout(const EngineContext &ctx, const GridRecord &grid, const RegionLayout &layout) {
  const int width = layout.Width;
  std::array<uint32_t, kMaxWidth> rows{}, columns{}, regions{};
  for (int cell = 0; cell < width * width; ++cell) {
    const uint32_t bit = ValueBit(grid.Cells[cell].Value);
    rows[cell / width] |= bit;
    columns[cell % width] |= bit;
    regions[layout.Region[cell]] |= bit;
  }
  for (int u = 0; u < width; ++u)
    if (rows[u] != ctx.Geo.FullMask || columns[u] != ctx.Geo.FullMask || regions[u] != ctx.Geo.FullMask)
      return false;
  return true;
}

} // namespace

LayoutVerdict CheckIrregularLayout(EngineContext &ctx, const RegionLayout &layout, int seededTries) {
  LayoutVerdict verdict;
  if (CheckRegionSizes(layout, &verdict.Region) != BlockFileProblem::None) {
    verdict.Fault = LayoutFault::RegionSize;
    return verdict;
  }
  verdict.Region = FirstDisconnectedRegion(layout);
  if (verdict.Region >= 0) {
    verdict.Fault = LayoutFault::Disconnected;
    return verdict;
  }
  SetGridSize(ctx, layout.Width, 1);
  auto grid = std::make_unique<GridRecord>();
  grid->GridVar = kVarIrregular;
  AllocGridCells(ctx, *grid, 1, 0);
  grid->Lists.Layout = BlockLayoutOf(layout);
  ResetRegionTables(ctx.Geo, *grid);
  // The whole search proves either answer; when it is stopped, a solution from random
  // seeds still proves one exists.
  const int count = CountGridSolutions(ctx, *grid, 0, 1, 0);
  if (count == 0) {
    verdict.Fault = LayoutFault::NoSolution;
    return verdict;
  }
  bool found = count == 1;
  if (!found && seededTries > 0)
    found = MakeRandomSolution(ctx, *grid, kSeedsComputed, kLayoutOfGrid, seededTries, 1) == kSolveFound &&
            SolvesLayout(ctx, *grid, layout);
  verdict.Fault = found ? LayoutFault::None : LayoutFault::Undecided;
  return verdict;
}

std::string DescribeLayoutVerdict(const LayoutVerdict &verdict) {
  const std::string region = std::to_string(verdict.Region);
  switch (verdict.Fault) {
  case LayoutFault::None:
    return "usable";
  case LayoutFault::RegionSize:
    return "region " + region + " does not have as many cells as the grid is wide";
  case LayoutFault::Disconnected:
    return "region " + region + " is in more than one piece";
  case LayoutFault::NoSolution:
    return "no grid with these blocks has a solution";
  case LayoutFault::Undecided:
    return "the searches stopped before they found a solution";
  }
  return {};
}

} // namespace quorbel
