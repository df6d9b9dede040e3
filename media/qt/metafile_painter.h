// A metafile's drawing played with a QPainter: each operation with its pen, brush, font,
// mapping and clip, onto a white picture of the drawing's size.
#pragma once

#include <QImage>

#include "media/metafile_drawing.h"

namespace quorbel {

// The drawing on a white image of its size; a null image when that cannot be had.
QImage PaintMetafile(const MetafileDrawing &drawing);
// Into a 24-bit picture (type WMF); false with "Cancelled" when there is no room.
bool PlayMetafile(const MetafileDrawing &drawing, CPicture &picture);
// Every picture reader of the program draws metafiles from then on.
void InstallMetafilePlayer();

} // namespace quorbel
