// Our small drawing layer over QPainter, in the board's terms: rectangles whose right and bottom
// edges are exclusive, COLORREF colours, frames of a given width drawn inward, text centred on
// one line. Each call makes its own pen or brush.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

#include "app/colours.h"
#include "view/cell_rect.h"

namespace quorbel {

inline QRect ToQRect(const CellRect &rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

void FillSolidRect(QPainter &dc, const CellRect &rect, ColorRef colour);
// `width` nested one-pixel outlines, from the rectangle's edge inward.
void FrameRect(QPainter &dc, const CellRect &rect, int width, ColorRef colour);
// One line, centred both ways, clipped to the rectangle.
void DrawTextCentred(QPainter &dc, const QString &text, const CellRect &rect, const QFont &font,
                     ColorRef colour);

} // namespace quorbel
