// Paints the board's background pictures (soft gradients crossed by light geometric motifs, saved
// as JPEG files in data/BackGround/) and the pale pictures under the dialogs (data/). The pictures are ours
// and can be made again:
//
//     make_backgrounds [background folder] [folder of the dialogs' pictures]
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kJpegQuality = 80;

void Gradient(QPainter &p, QColor from, QColor to) {
  QLinearGradient g(0, 0, kWidth, kHeight);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  p.fillRect(0, 0, kWidth, kHeight, g);
}

// Overlapping translucent squares, tilted a little more each ring.
void Squares(QPainter &p, QColor colour) {
  p.setPen(Qt::NoPen);
  for (int ring = 0; ring < 9; ++ring) {
    p.save();
    p.translate(kWidth / 2.0, kHeight / 2.0);
    p.rotate(ring * 10.0);
    colour.setAlpha(18 + ring * 3);
    p.setBrush(colour);
    const double side = 700 - ring * 70;
    p.drawRect(QRectF(-side / 2, -side / 2, side, side));
    p.restore();
  }
}

// A field of soft discs along a sine wave.
void Bubbles(QPainter &p, QColor colour) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 60; ++i) {
    const double x = i * kWidth / 60.0;
    const double y = kHeight / 2.0 + std::sin(i / 5.0) * kHeight / 3.0;
    const double r = 30 + 25 * std::sin(i / 3.0 + 1) + 25;
    QRadialGradient g(x, y, r);
    QColor inner = colour;
    inner.setAlpha(70);
    QColor outer = colour;
    outer.setAlpha(0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setBrush(g);
    p.drawEllipse(QPointF(x, y), r, r);
  }
}

// A nine by nine lattice of thin lines, thicker every third, faded towards the edges.
void Lattice(QPainter &p, QColor colour) {
  const double cell = kHeight / 9.0;
  const double left = (kWidth - kHeight) / 2.0;
  for (int k = 0; k <= 9; ++k) {
    colour.setAlpha(k % 3 == 0 ? 70 : 35);
    p.setPen(QPen(colour, k % 3 == 0 ? 5 : 2));
    p.drawLine(QPointF(left + k * cell, 0), QPointF(left + k * cell, kHeight));
    p.drawLine(QPointF(left, k * cell), QPointF(left + kHeight, k * cell));
  }
}

// Rays from a corner, alternating light and dark.
void Rays(QPainter &p, QColor colour) {
  p.setPen(Qt::NoPen);
  const int rays = 24;
  for (int i = 0; i < rays; i += 2) {
    const double a0 = i * std::numbers::pi / 2 / rays;
    const double a1 = (i + 1) * std::numbers::pi / 2 / rays;
    const double r = 2000;
    colour.setAlpha(30);
    p.setBrush(colour);
    const QPointF points[3] = {
        {0, 0}, {r * std::cos(a0), r * std::sin(a0)}, {r * std::cos(a1), r * std::sin(a1)}};
    p.drawPolygon(points, 3);
  }
}

bool Save(const QImage &image, const QString &folder, const char *name) {
  const QString path = folder + QLatin1Char('/') + QLatin1String(name);
  if (image.save(path, "JPG", kJpegQuality))
    return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

} // namespace

// The pale pictures the dialogs and the start screen paint under their controls: light enough for
// black text to stay readable over them.
bool DialogPictures(const QString &folder) {
  struct Picture {
    const char *name;
    QColor from, to, motif;
    void (*draw)(QPainter &, QColor);
  };
  const Picture pictures[] = {
      {"Artist.jpg", QColor(250, 247, 238), QColor(232, 226, 212), QColor(200, 190, 170), Lattice},
      {"Artist1.jpg", QColor(246, 242, 250), QColor(226, 220, 238), QColor(210, 200, 230), Squares},
      {"Kids.jpg", QColor(252, 246, 228), QColor(240, 226, 200), QColor(255, 220, 160), Bubbles},
  };
  bool ok = true;
  for (const Picture &picture : pictures) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Gradient(painter, picture.from, picture.to);
    picture.draw(painter, picture.motif);
    painter.end();
    ok = Save(image, folder, picture.name) && ok;
  }
  return ok;
}

int main(int argc, char **argv) {
  // With a second folder, the dialogs' pictures go there.
  if (argc > 2 && !DialogPictures(QString::fromLocal8Bit(argv[2])))
    return 1;
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/BackGround");
  QDir().mkpath(folder);
  struct Picture {
    const char *name;
    QColor from, to, motif;
    void (*draw)(QPainter &, QColor);
  };
  const Picture pictures[] = {
      {"Lagoon.jpg", QColor(190, 225, 235), QColor(60, 120, 160), QColor(255, 255, 255), Bubbles},
      {"Meadow.jpg", QColor(220, 235, 190), QColor(90, 140, 70), QColor(250, 250, 220), Squares},
      {"Paper.jpg", QColor(245, 238, 220), QColor(210, 195, 160), QColor(120, 90, 60), Lattice},
      {"Sunset.jpg", QColor(250, 210, 150), QColor(190, 80, 90), QColor(255, 240, 200), Rays},
  };
  bool ok = true;
  for (const Picture &picture : pictures) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Gradient(painter, picture.from, picture.to);
    picture.draw(painter, picture.motif);
    painter.end();
    ok = Save(image, folder, picture.name) && ok;
  }
  return ok ? 0 : 1;
}
