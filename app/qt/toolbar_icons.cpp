#include "app/qt/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "platform/qt/colour_ref.h"

using quorbel::PictureShape;
using quorbel::ShapeKind;

namespace {

void DrawShape(QPainter &painter, const PictureShape &shape) {
  const QColor colour = quorbel::ToQColor(shape.colour);
  const auto &p = shape.p;
  const QRectF box(p[0], p[1], p[2], p[3]);
  painter.setBrush(Qt::NoBrush);
  switch (shape.kind) {
  case ShapeKind::FillRect:
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    break;
  case ShapeKind::Rect:
    painter.setPen(QPen(colour, 1));
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    break;
  case ShapeKind::Line:
    painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(p[0], p[1]), QPointF(p[2], p[3]));
    break;
  case ShapeKind::FillEllipse:
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
    break;
  case ShapeKind::Arc:
    painter.setPen(QPen(colour, 2));
    painter.drawArc(box, p[4] * 16, p[5] * 16);
    break;
  case ShapeKind::Triangle: {
    QPainterPath path;
    path.moveTo(p[0], p[1]);
    path.lineTo(p[2], p[3]);
    path.lineTo(p[4], p[5]);
    path.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawPath(path);
    break;
  }
  case ShapeKind::Text: {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(p[4]);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter,
                     QString::fromUtf8(shape.text.data(), static_cast<qsizetype>(shape.text.size())));
    break;
  }
  }
}

} // namespace

QImage DrawToolbarPicture(const quorbel::ToolbarEntry &entry, int scale) {
  QImage image(quorbel::kToolbarPictureWidth * scale, quorbel::kToolbarPictureHeight * scale,
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.scale(scale, scale);
  for (const PictureShape &shape : entry.under)
    DrawShape(painter, shape);
  for (const PictureShape &shape : entry.picture)
    DrawShape(painter, shape);
  return image;
}

QIcon ToolbarIcon(const quorbel::ToolbarEntry &entry) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap = QPixmap::fromImage(DrawToolbarPicture(entry, scale));
    pixmap.setDevicePixelRatio(scale);
    icon.addPixmap(pixmap);
  }
  return icon;
}
