#include "media/qt/picture_painter.h"

#include <QImage>

namespace quorbel {

namespace {

constexpr uint32_t kKey = 0xFFFE00FEu; // a colour no picture of ours draws

} // namespace

void DrawPictureFrame(QPainter &dc, const CBitMapGif &set, int frame, int kind, int countdown, int length,
                      const SurfaceRect &box) {
  const int width = box.Right - box.Left;
  const int height = box.Bottom - box.Top;
  if (width <= 0 || height <= 0)
    return;
  // Drawn on a keyed image of the box, then laid over the painter's target.
  QImage part(width, height, QImage::Format_ARGB32);
  part.fill(kKey);
  PixelSurface surface{reinterpret_cast<uint32_t *>(part.bits()), static_cast<int32_t>(part.bytesPerLine() / 4),
                       width, height};
  GifDrawFitted(set, frame, surface, kind, countdown, length, {0, 0, width, height});
  for (int y = 0; y < height; ++y) {
    auto *row = reinterpret_cast<uint32_t *>(part.scanLine(y));
    for (int x = 0; x < width; ++x)
      row[x] = row[x] == kKey ? 0u : (row[x] | 0xFF000000u);
  }
  dc.drawImage(box.Left, box.Top, part);
}

} // namespace quorbel
