// Painting one whole grid into the back buffer: the grid-wide layers (row bands, grid lines,
// highlighted units, the frame of an extra grid), then every cell record through PaintCell.
#pragma once

#include "view/grid_draw.h"
#include "view/qt/paint_context.h"

namespace quorbel {

void PaintAllCells(const PaintContext &ctx, const CGridDraw &painter);
void PaintBoard(const PaintContext &ctx, const CGridDraw &painter);
// The marks of one highlighted unit (kind: row, column or block) at its ends, outside its cells.
void DrawFrameLines(const PaintContext &ctx, const CGridDraw &painter, int kind, int unit);

} // namespace quorbel
