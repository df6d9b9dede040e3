#include "app/qt/start_button_pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kWidth = 45;
constexpr int kHeight = 55;

enum class Sign { Generate, Catalog, Load, New, Kids, Quick, Champion, Triple, Quellabo, Challenge, None };

struct Button {
  std::string_view Name;
  Sign Mark;
  QColor Colour;
};

constexpr std::array<Button, 10> kButtons{{
    {"BM_GENERE", Sign::Generate, QColor(70, 130, 200)},
    {"BM_CATALOG", Sign::Catalog, QColor(150, 100, 60)},
    {"BM_LOAD", Sign::Load, QColor(200, 160, 40)},
    {"BM_NEW", Sign::New, QColor(90, 160, 90)},
    {"BM_KIDS", Sign::Kids, QColor(240, 120, 160)},
    {"BM_QUICK", Sign::Quick, QColor(230, 110, 40)},
    {"BM_RAND", Sign::Champion, QColor(180, 60, 60)},
    {"BM_TRIP", Sign::Triple, QColor(120, 80, 170)},
    {"BM_QUEL", Sign::Quellabo, QColor(40, 150, 150)},
    {"BM_DEFI", Sign::Challenge, QColor(90, 90, 110)},
}};

// A small grid of `n` by `n` cells in the square.
void DrawMiniGrid(QPainter &p, const QRectF &square, int n) {
  p.setBrush(Qt::white);
  p.drawRect(square);
  const double step = square.width() / n;
  for (int i = 1; i < n; ++i) {
    p.drawLine(QPointF(square.left() + i * step, square.top()),
               QPointF(square.left() + i * step, square.bottom()));
    p.drawLine(QPointF(square.left(), square.top() + i * step),
               QPointF(square.right(), square.top() + i * step));
  }
}

QPolygonF Star(QPointF centre, double outer, double inner) {
  QPolygonF star;
  for (int k = 0; k < 10; ++k) {
    const double angle = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
    const double r = k % 2 == 0 ? outer : inner;
    star << QPointF(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
  }
  return star;
}

void DrawText(QPainter &p, const QRectF &box, const QString &text, int pixels) {
  QFont font = p.font();
  font.setPixelSize(pixels);
  font.setBold(true);
  p.setFont(font);
  p.drawText(box, Qt::AlignCenter, text);
}

// The sign of the game, white on the tile, in a 28-pixel box around (22, 26).
void DrawSign(QPainter &p, Sign sign) {
  const QPen ink(QColor(40, 40, 40), 1.2);
  p.setPen(ink);
  const QRectF box(8.5, 12.5, 28, 28);
  switch (sign) {
  case Sign::Generate:
    DrawMiniGrid(p, box.adjusted(2, 4, -4, -2), 3);
    p.setBrush(QColor(255, 230, 80));
    p.drawPolygon(Star(QPointF(31, 15), 7, 3));
    break;
  case Sign::Catalog:
    p.setBrush(QColor(250, 245, 230));
    for (int k = 2; k >= 0; --k)
      p.drawRect(QRectF(box.left() + 2 + 3 * k, box.top() + 2 + 3 * k, 18, 22));
    p.drawLine(QPointF(box.left() + 5, box.top() + 10), QPointF(box.left() + 17, box.top() + 10));
    p.drawLine(QPointF(box.left() + 5, box.top() + 15), QPointF(box.left() + 17, box.top() + 15));
    break;
  case Sign::Load: {
    p.setBrush(QColor(250, 215, 110));
    QPainterPath folder;
    folder.moveTo(box.left() + 1, box.top() + 6);
    folder.lineTo(box.left() + 10, box.top() + 6);
    folder.lineTo(box.left() + 13, box.top() + 9);
    folder.lineTo(box.right() - 1, box.top() + 9);
    folder.lineTo(box.right() - 1, box.bottom() - 3);
    folder.lineTo(box.left() + 1, box.bottom() - 3);
    folder.closeSubpath();
    p.drawPath(folder);
    p.setBrush(Qt::white);
    DrawMiniGrid(p, QRectF(box.left() + 8, box.top() + 12, 12, 12), 3);
    break;
  }
  case Sign::New:
    DrawMiniGrid(p, box.adjusted(2, 2, -2, -2), 4);
    p.setPen(QPen(QColor(30, 120, 30), 3));
    p.drawLine(QPointF(box.center().x(), box.top() + 7), QPointF(box.center().x(), box.bottom() - 7));
    p.drawLine(QPointF(box.left() + 7, box.center().y()), QPointF(box.right() - 7, box.center().y()));
    break;
  case Sign::Kids:
    p.setBrush(QColor(255, 225, 90));
    p.drawEllipse(box.adjusted(2, 2, -2, -2));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QPointF(box.left() + 10, box.top() + 11), 1.8, 2.4);
    p.drawEllipse(QPointF(box.right() - 10, box.top() + 11), 1.8, 2.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 40), 1.8));
    p.drawArc(box.adjusted(8, 8, -8, -7), 200 * 16, 140 * 16);
    break;
  case Sign::Quick: {
    p.setBrush(QColor(255, 235, 60));
    const QPolygonF bolt{{25, 10}, {13, 28}, {21, 28}, {17, 43}, {32, 22}, {24, 22}, {29, 10}};
    p.drawPolygon(bolt);
    break;
  }
  case Sign::Champion: {
    p.setBrush(QColor(250, 200, 40));
    QPainterPath cup;
    cup.moveTo(12, 13);
    cup.lineTo(33, 13);
    cup.cubicTo(33, 27, 28, 31, 22.5, 31);
    cup.cubicTo(17, 31, 12, 27, 12, 13);
    p.drawPath(cup);
    p.drawRect(QRectF(20.5, 31, 4, 5));
    p.drawRect(QRectF(15, 36, 15, 4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 15, 8, 9), 90 * 16, 180 * 16);
    p.drawArc(QRectF(30, 15, 8, 9), -90 * 16, 180 * 16);
    break;
  }
  case Sign::Triple:
    p.setPen(Qt::white);
    DrawText(p, QRectF(box.left(), box.top(), box.width(), 14), QStringLiteral("x2"), 13);
    DrawText(p, QRectF(box.left(), box.top() + 13, box.width(), 15), QStringLiteral("x3"), 15);
    break;
  case Sign::Quellabo:
    p.setBrush(QColor(150, 210, 250));
    p.drawEllipse(box.adjusted(2, 2, -2, -2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box.adjusted(9, 2, -9, -2));
    p.drawLine(QPointF(box.left() + 2, box.center().y()), QPointF(box.right() - 2, box.center().y()));
    p.drawLine(QPointF(box.left() + 5, box.top() + 8), QPointF(box.right() - 5, box.top() + 8));
    p.drawLine(QPointF(box.left() + 5, box.bottom() - 8), QPointF(box.right() - 5, box.bottom() - 8));
    break;
  case Sign::Challenge:
    p.setPen(QPen(QColor(230, 230, 240), 2.5));
    p.drawLine(QPointF(box.left() + 3, box.top() + 3), QPointF(box.right() - 3, box.bottom() - 3));
    p.drawLine(QPointF(box.right() - 3, box.top() + 3), QPointF(box.left() + 3, box.bottom() - 3));
    p.setPen(QPen(QColor(200, 160, 60), 3));
    p.drawLine(QPointF(box.left() + 6, box.bottom() - 12), QPointF(box.left() + 12, box.bottom() - 6));
    p.drawLine(QPointF(box.right() - 12, box.bottom() - 6), QPointF(box.right() - 6, box.bottom() - 12));
    break;
  case Sign::None:
    break;
  }
}

enum class State { Up, Down, Focus };

QPixmap DrawButton(const Button &button, State state) {
  QPixmap picture(kWidth, kHeight);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const bool down = state == State::Down;
  const QRectF tile(1.5, 1.5, kWidth - 3, kHeight - 3);
  QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
  const QColor colour = down ? button.Colour.darker(130) : button.Colour;
  shade.setColorAt(0, down ? colour : colour.lighter(140));
  shade.setColorAt(1, down ? colour.lighter(115) : colour.darker(115));
  p.setPen(QPen(colour.darker(170), 1));
  p.setBrush(shade);
  p.drawRoundedRect(tile, 7, 7);
  // The light falls from the top left on a raised tile and from the bottom right on a pressed one.
  p.setPen(QPen(down ? colour.darker(150) : QColor(255, 255, 255, 150), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(tile.adjusted(2, 2, -2, -2), 5, 5);
  if (down)
    p.translate(1, 1);
  DrawSign(p, button.Mark);
  if (state == State::Focus) {
    p.resetTransform();
    p.setPen(QPen(QColor(255, 220, 40), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
  }
  return picture;
}

} // namespace

ButtonPictures StartButtonPictures(std::string_view name) {
  Button button{name, Sign::None, QColor(150, 150, 150)};
  for (const Button &known : kButtons)
    if (known.Name == name)
      button = known;
  return ButtonPictures{DrawButton(button, State::Up), DrawButton(button, State::Down),
                        DrawButton(button, State::Focus)};
}
