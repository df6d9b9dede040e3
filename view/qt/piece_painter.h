// The pieces beside the board (Puzzle, Tiled and Battle Ship) and the boats the player marks.
#pragma once

#include "view/grid_draw.h"
#include "view/qt/paint_context.h"

namespace quorbel {

// Every cell of every piece in the piece area, in its state's colours, and the marked corner of
// each Tiled piece.
void PaintPieceCells(const PaintContext &ctx, const CGridDraw &painter);
// On a Tiled grid, the circle of a cell that is one of the grid's four corners.
void DrawGridCornerCircle(const PaintContext &ctx, const CGridDraw &painter, int cell);
// A boat cell as a single boat, a bow, a stern or a middle piece by its marked neighbours; a
// water cell as a wave.
void DrawBoat(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect);

} // namespace quorbel
