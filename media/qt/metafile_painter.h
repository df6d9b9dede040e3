// A metafile's drawing played with a QPainter: each operation with its pen, brush, font,
// mapping and clip, onto a white picture of the drawing's size.
#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "media/metafile_drawing.h"

namespace quorbel {

// The drawing on a white image of its size; a null image when that cannot be had.
QImage PaintMetafile(const MetafileDrawing &drawing);
// Into a 24-bit picture (type WMF); false with "Cancelled" when there is no room.
bool PlayMetafile(const MetafileDrawing &drawing, CPicture &picture);
// The metafile at `path` painted straight into an image, with no picture between (a picture of
// 4000 x 4000 pixels costs a second to make and turn into an image): none when the file holds
// no metafile, a null image when it holds one that cannot be drawn.
std::optional<QImage> PaintMetafileFile(const std::string &path);
// Every picture reader of the program draws metafiles from then on.
void InstallMetafilePlayer();

} // namespace quorbel
