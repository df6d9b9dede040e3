#include "app/qt/trio_symbol.h"

#include <QPolygon>
#include <array>

void DrawTrioSymbol(QPainter &dc, int cellClass, const QRect &box, bool red) {
  static const std::array<QColor, 4> kColours = {QColor(255, 102, 0), QColor(128, 0, 128), QColor(0, 128, 0),
                                                 QColor(51, 102, 255)};
  if (cellClass < 1 || cellClass > 4)
    return;
  const QRect r = box.adjusted(5, 5, -5, -5);
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing);
  dc.setBrush(Qt::NoBrush);
  dc.setPen(QPen(red ? QColor(255, 0, 0) : kColours[static_cast<size_t>(cellClass - 1)], 5));
  const QPoint c = r.center();
  switch (cellClass) {
  case 1:
    dc.drawRect(r);
    break;
  case 2:
    dc.drawEllipse(r);
    break;
  case 3:
    dc.drawPolygon(QPolygon({QPoint(c.x(), r.top()), r.bottomRight(), r.bottomLeft()}));
    break;
  default:
    dc.drawPolygon(QPolygon({QPoint(c.x(), r.top()), QPoint(r.right(), c.y()), QPoint(c.x(), r.bottom()),
                             QPoint(r.left(), c.y())}));
    break;
  }
  dc.restore();
}
