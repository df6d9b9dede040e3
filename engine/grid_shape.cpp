// Shape changes: geometry first, then every grid of the set follows it.
#include "engine/grid_shape.h"

#include "engine/engine_context.h"
#include "engine/grid_cells.h"

namespace quorbel {

int SetGridShape(EngineContext &ctx, int shape, int resetGrids, int takeVariant) {
  if (shape < 0 || shape >= kShapeCount)
    return 1;
  const GridShape &s = kGridShapes[shape];
  SetGridDimensions(ctx, s.Size, s.Size, s.BlockRows, s.BlockCols, s.Size, resetGrids, takeVariant);
  return 1;
}

int SetGridSize(EngineContext &ctx, int size, int resetGrids) {
  return SetGridShape(ctx, ShapeCodeOfSize(size), resetGrids, 0);
}

int SetGridDimensions(EngineContext &ctx, int rows, int cols, int blockRows, int blockCols, int width,
                      int resetGrids, int takeVariant) {
  if (!IsValidGeometry(rows, cols, blockRows, blockCols, width))
    return 0;
  GridGeometry &geo = ctx.Geo;
  geo.NRows = rows;
  geo.NCols = cols;
  geo.BlockRows = blockRows;
  geo.BlockCols = blockCols;
  geo.GridWidth = width;
  BuildGridTables(ctx, resetGrids, takeVariant, -1);
  ctx.Host->ClearSelection();
  return 1;
}

int BuildGridTables(EngineContext &ctx, int resetGrids, int takeVariant, int slot) {
  GridGeometry &geo = ctx.Geo;
  // Every value, the full mask included, is in place before the grids are re-sized,
  // so that their fresh cells are cleared for the new width.
  if (!ComputeGeometryTables(geo))
    return 0;
  const int first = slot < 0 ? 0 : slot;
  const int last = slot < 0 ? kMaxGrids - 1 : slot;
  for (int s = first; s <= last && s < kMaxGrids; ++s) {
    GridRecord &main = ctx.Grids.Main[s];
    AllocGridCells(ctx, main, resetGrids, takeVariant);
    AllocGridCells(ctx, ctx.Grids.RefTab[s], resetGrids, takeVariant);
    geo.SharedNRecords = main.NRecords;
    geo.SharedBlockCells = main.BlockCells;
    geo.SharedBlockOfCell = main.BlockOfCell;
  }
  return 1;
}

int StoreGridCurrSize(EngineContext &ctx) {
  const int code = ShapeCodeOfGeometry(ctx.Geo);
  if (code >= 0)
    ctx.Settings.GridCurrSize = code;
  return ctx.Settings.GridCurrSize;
}

} // namespace quorbel
