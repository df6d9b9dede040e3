#include "view/qt/value_cursors.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "app/colours.h"
#include "platform/qt/colour_ref.h"

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

QCursor MakePieceCursor(const PieceCursorCells &cells, int held, QSize cell, const QFont &font,
                        const BoardColours &colours) {
  if (cells.empty() || held < 0 || held >= static_cast<int>(cells.size()))
    return QCursor(Qt::CrossCursor);
  int columns = 0;
  int rows = 0;
  for (const PieceCursorCell &c : cells) {
    columns = std::max(columns, c.Col + 1);
    rows = std::max(rows, c.Row + 1);
  }
  QPixmap picture(columns * cell.width(), rows * cell.height());
  picture.fill(Qt::transparent);
  QPainter dc(&picture);
  dc.setFont(font);
  for (const PieceCursorCell &c : cells) {
    const QRect box(c.Col * cell.width(), c.Row * cell.height(), cell.width() - 1, cell.height() - 1);
    dc.fillRect(box, ToQColor(colours.ColBgSingle));
    dc.setPen(ToQColor(colours.ColBorder));
    dc.drawRect(box);
    dc.setPen(ToQColor(colours.ColInit));
    dc.drawText(box, Qt::AlignCenter, c.Text);
    if (c.Marked) {
      const int d = std::max(4, cell.width() / 6);
      dc.setBrush(Qt::black);
      dc.drawEllipse(box.left() + d / 2, box.top() + d / 2, d, d);
      dc.setBrush(Qt::NoBrush);
    }
  }
  dc.end();
  const PieceCursorCell &h = cells[static_cast<size_t>(held)];
  return QCursor(picture, h.Col * cell.width() + cell.width() / 2, h.Row * cell.height() + cell.height() / 2);
}

} // namespace quorbel
