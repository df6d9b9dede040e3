// A frame of a picture set drawn with a QPainter: fitted into a box, with its entry effect, the
// picture's transparent colour and what the effect leaves empty showing what lay beneath.
#pragma once

#include <QPainter>

#include "media/picture_set.h"

namespace quorbel {

// Frame `frame` of `set` into `box` at `countdown` of its entry effect `kind` (below 0: none).
void DrawPictureFrame(QPainter &dc, const CBitMapGif &set, int frame, int kind, int countdown, int length,
                      const SurfaceRect &box);

} // namespace quorbel
