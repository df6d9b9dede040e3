// Loading the methods' scratch grid.
#include "solver/method_trial_grid.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"

namespace quorbel {

namespace {

// The pieces' layout beside the grid closes the rules' work and makes most of its size; the
// board lays it out and no trial changes it, so a trial's reload leaves it as the first load
// copied it.
static_assert(std::is_trivially_copyable_v<VariantWork> && std::is_standard_layout_v<VariantWork>);
constexpr size_t kTrialWorkBytes = offsetof(VariantWork, PieceLayoutCol);
// Nothing else lies past it.
constexpr size_t kLayoutEnd = offsetof(VariantWork, PieceLayoutBoard) + sizeof(VariantWork::PieceLayoutBoard);
static_assert(offsetof(VariantWork, PieceLayoutRow) ==
                  kTrialWorkBytes + sizeof(VariantWork::PieceLayoutCol) &&
              offsetof(VariantWork, PieceLayoutBoard) ==
                  offsetof(VariantWork, PieceLayoutRow) + sizeof(VariantWork::PieceLayoutRow) &&
              sizeof(VariantWork) - kLayoutEnd < alignof(VariantWork));

void ReloadTrialWork(VariantWork &trial, const VariantWork &source) {
  std::memcpy(static_cast<void *>(&trial), &source, kTrialWorkBytes);
}

} // namespace

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
    ReloadTrialWork(grid.Work, source.Work);
  grid.State = source.State;
  grid.SudMissing = source.SudMissing;
  grid.TheMinPoss = source.TheMinPoss;
  return grid;
}

} // namespace quorbel
