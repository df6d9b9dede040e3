// Loading the methods' scratch grid.
#include "solver/method_trial_grid.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"

namespace quorbel {

TrialGrid::TrialGrid() = default;
TrialGrid::~TrialGrid() = default;

GridRecord &TrialGrid::Load(EngineContext &ctx, const GridRecord &source) {
  if (!grid_)
    grid_ = std::make_unique<GridRecord>();
  GridRecord &grid = *grid_;
  if (source_ != &source || grid.Cells.size() != source.Cells.size()) {
    CopyGrid(ctx, grid, &source, 0);
    source_ = &source;
    return grid;
  }
  const size_t records = std::min(static_cast<size_t>(std::max(source.NRecords, 0)), grid.Cells.size());
  for (size_t i = 0; i < records; ++i)
    CopyCellFields(ctx.Geo, grid.Cells[i], source.Cells[i], kCopyValuePart);
  if (HasVariantRules(source))
    grid.Work = source.Work;
  grid.State = source.State;
  grid.SudMissing = source.SudMissing;
  grid.TheMinPoss = source.TheMinPoss;
  return grid;
}

} // namespace quorbel
