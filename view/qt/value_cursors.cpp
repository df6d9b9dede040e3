#include "view/qt/value_cursors.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace quorbel {

namespace {

constexpr int kTip = 7; // pixels with x + y up to this are the black tip

} // namespace

CursorImage MakeTextCursor(const QString &text, const QFont &font) {
  QImage ink(kCursorSide, kCursorSide, QImage::Format_RGB32);
  ink.fill(Qt::white);
  if (!text.isEmpty()) {
    QPainter dc(&ink);
    dc.setFont(font);
    dc.setPen(Qt::black);
    dc.drawText(QRect(0, 0, kCursorSide, kCursorSide), Qt::AlignCenter, text.left(1));
  }
  CursorImage cursor;
  for (int y = 0; y < kCursorSide; ++y)
    for (int x = 0; x < kCursorSide; ++x) {
      const auto at = static_cast<size_t>(y * kCursorSide + x);
      // What the glyph darkened shows; the rest of the white ground lets the board through.
      cursor.Opaque[at] = x + y <= kTip || qGray(ink.pixel(x, y)) < 128;
    }
  return cursor;
}

QCursor ToQCursor(const CursorImage &image) {
  QImage picture(kCursorSide, kCursorSide, QImage::Format_ARGB32);
  for (int y = 0; y < kCursorSide; ++y)
    for (int x = 0; x < kCursorSide; ++x) {
      const auto at = static_cast<size_t>(y * kCursorSide + x);
      picture.setPixel(x, y, image.Opaque[at] ? (image.Colour[at].Value | 0xFF000000u) : 0u);
    }
  return QCursor(QPixmap::fromImage(picture), 0, 0);
}

} // namespace quorbel
