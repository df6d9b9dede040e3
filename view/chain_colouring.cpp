#include "view/chain_colouring.h"

#include <algorithm>
#include <array>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/colouring.h"
#include "solver/method_trial_grid.h"

namespace quorbel {

int ChainStartCells(const EngineContext &ctx, const GridRecord &grid, const SelectionList &selection,
                    int slot, int value, std::span<int> starts) {
  const GridGeometry &geo = ctx.Geo;
  if (value < 1 || value > geo.GridWidth || starts.empty())
    return 0;
  const uint32_t bit = ValueBit(value);
  int count = 0;
  for (int i = 0; i < std::min(selection.Count, kMaxSelection); ++i) {
    const SelectionPair &pair = selection.Pairs[static_cast<size_t>(i)];
    if (pair.Grid != slot || pair.Cell < 0 || pair.Cell >= geo.NCells ||
        static_cast<size_t>(count) >= starts.size())
      continue;
    const CellRecord &cell = grid.Cells[static_cast<size_t>(pair.Cell)];
    if (IsOpenStatus(cell.Status) && (cell.ThePoss & bit) != 0)
      starts[static_cast<size_t>(count++)] = pair.Cell;
  }
  if (count > 0)
    return count;
  // Two places make a strong pair: one of them holds the value, so each chain tells something.
  std::array<int, kMaxWidth> cells{};
  for (int kind : {kUnitRow, kUnitColumn, kUnitBlock})
    for (int unit = 0; unit < geo.GridWidth; ++unit) {
      const int places = ListUnitCellsWithPoss(geo, kind, value, unit, grid, cells);
      if (places >= 2 && (count == 0 || places < count) && static_cast<size_t>(places) <= starts.size()) {
        std::copy_n(cells.begin(), places, starts.begin());
        count = places;
      }
    }
  return count;
}

int ColourValueChains(EngineContext &ctx, const SelectionList &selection, int value, MethodMask mask) {
  GridSet &set = ctx.Grids;
  for (int g = 0; g < set.MainCount; ++g)
    ResetCellColours(set.Main[static_cast<size_t>(g)], -1);
  TrialGrid trial;
  int chains = 0;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || slot >= UsedMainCount(set))
      continue;
    GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    std::array<int, kMaxSelection> starts{};
    const int count = ChainStartCells(ctx, grid, selection, slot, value, starts);
    if (count > 0)
      chains += ColourDigitChains(ctx, grid, trial, mask, value,
                                  std::span(starts).first(static_cast<size_t>(count)));
  }
  return chains;
}

} // namespace quorbel
