// Whole-grid copies and comparisons.
#include "engine/grid_copy.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"

namespace quorbel {

void CopyGridCells(const GridGeometry &geo, int mode, GridRecord &dst, const GridRecord &src) {
  const size_t n =
      std::min({dst.Cells.size(), src.Cells.size(), static_cast<size_t>(std::max(geo.NCells, 0))});
  for (size_t i = 0; i < n; ++i)
    CopyCellFields(geo, dst.Cells[i], src.Cells[i], mode);
}

int CopyGrid(EngineContext &ctx, GridRecord &dst, const GridRecord *src, int mode) {
  if (src == nullptr)
    return 0;
  if (src == &dst)
    return 1;
  dst.Lists.Layout = src->Lists.Layout;
  if (dst.AllocRecords != src->AllocRecords)
    AllocGridCells(ctx, dst, 1 - mode, 1);
  dst.RegionCells = src->RegionCells;
  dst.BlockCells = src->BlockCells;
  dst.BlockOfCell = src->BlockOfCell;
  dst.RegionMark = src->RegionMark;

  // The source may come from a larger geometry: copy only what both arrays hold.
  const size_t records =
      std::min({static_cast<size_t>(std::max(src->NRecords, 0)), src->Cells.size(), dst.Cells.size()});
  dst.NRecords = static_cast<int32_t>(records);
  for (size_t i = 0; i < records; ++i)
    CopyCellFields(ctx.Geo, dst.Cells[i], src->Cells[i], mode);

  dst.Lists = src->Lists;
  dst.Work = src->Work;
  dst.DirectionSteps = src->DirectionSteps;
  dst.GridVar = src->GridVar;
  dst.Comment = src->Comment;
  dst.State = src->State;
  dst.SudMissing = src->SudMissing;
  return 1;
}

int SameValues(const GridGeometry &geo, const GridRecord &a, const GridRecord &b) {
  const auto cellsA = a.PlayingCells(geo);
  const auto cellsB = b.PlayingCells(geo);
  if (cellsA.size() != cellsB.size())
    return 0;
  for (size_t i = 0; i < cellsA.size(); ++i)
    if (cellsA[i].Value != cellsB[i].Value)
      return 0;
  return 1;
}

} // namespace quorbel
