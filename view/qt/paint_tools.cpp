#include "view/qt/paint_tools.h"

#include <algorithm>

#include "platform/qt/colour_ref.h"

namespace quorbel {

void FillSolidRect(QPainter &dc, const CellRect &rect, ColorRef colour) {
  if (!rect.IsEmpty())
    dc.fillRect(ToQRect(rect), ToQColor(colour));
}

void FrameRect(QPainter &dc, const CellRect &rect, int width, ColorRef colour) {
  if (rect.IsEmpty() || width <= 0)
    return;
  const int w = std::min({width, (rect.Width() + 1) / 2, (rect.Height() + 1) / 2});
  const QColor qcolour = ToQColor(colour);
  dc.fillRect(QRect(rect.left, rect.top, rect.Width(), w), qcolour);
  dc.fillRect(QRect(rect.left, rect.bottom - w, rect.Width(), w), qcolour);
  dc.fillRect(QRect(rect.left, rect.top + w, w, rect.Height() - 2 * w), qcolour);
  dc.fillRect(QRect(rect.right - w, rect.top + w, w, rect.Height() - 2 * w), qcolour);
}

void DrawTextCentred(QPainter &dc, const QString &text, const CellRect &rect, const QFont &font,
                     ColorRef colour) {
  if (rect.IsEmpty() || text.isEmpty())
    return;
  dc.save();
  dc.setClipRect(ToQRect(rect));
  dc.setFont(font);
  dc.setPen(ToQColor(colour));
  dc.drawText(ToQRect(rect), Qt::AlignCenter | Qt::TextSingleLine, text);
  dc.restore();
}

} // namespace quorbel
