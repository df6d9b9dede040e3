// What painting a metafile's operations costs, so that no metafile, however large or made,
// paints for more than about a second: each operation is charged for what the painter's work
// on it grows with, in nanoseconds of a common machine (measured with Qt's raster painter).
#pragma once

#include "media/metafile_drawing.h"

namespace quorbel {

// A pen narrower than this on the picture draws lines one pixel wide.
inline constexpr double kWidePenPixels = 1.5;

// How wide a pen draws on the picture, in pixels, at most `largest`.
double PenPixels(const MetaPen &pen, const MetaTransform &transform, double largest);
// The widest pen and the largest text a drawing is painted with.
double LargestPixels(const MetafileDrawing &drawing);

// What painting `op` of `drawing` costs: its base, the pixels it fills, the rows its edges
// cross (the painter walks every edge of a fill across every row, and meets the edges of one
// row with each other), the pixels its lines run over, its text and its bitmap.
double OperationCost(const MetafileDrawing &drawing, const MetaOp &op);

} // namespace quorbel
