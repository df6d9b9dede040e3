// Cell pictures drawn smaller than they are: shrunk as a whole, so that no small part of them (a
// domino's pips) falls between the pixels sampled.
#include <QtTest>

#include "media/picture_set.h"
#include "view/qt/anim_painter.h"

using namespace quorbel;

namespace {

constexpr int kDark = 160; // the tile's cream ground is near white, every pip well below

// Dark spots of the image: groups of touching dark pixels.
int DarkSpots(const QImage &image) {
  QImage seen(image.size(), QImage::Format_Mono);
  seen.fill(0);
  int spots = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (seen.pixelIndex(x, y) != 0 || qGray(image.pixel(x, y)) >= kDark || qAlpha(image.pixel(x, y)) < 128)
        continue;
      ++spots;
      std::vector<QPoint> todo{{x, y}};
      seen.setPixel(x, y, 1);
      while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
          const QPoint q = p + d;
          if (image.rect().contains(q) && seen.pixelIndex(q) == 0 && qGray(image.pixel(q)) < kDark &&
              qAlpha(image.pixel(q)) >= 128) {
            seen.setPixel(q, 1);
            todo.push_back(q);
          }
        }
      }
    }
  return spots;
}

} // namespace

class PictureFitTest : public QObject {
  Q_OBJECT

private slots:
  void AShrunkDominoKeepsEveryPip() {
    for (int pips : {3, 4, 5}) {
      CBitMapGif set;
      QCOMPARE(GifLoadImage(set, QUORBEL_DATA_DIR "/Domino/Domino" + std::to_string(pips) + ".gif"), 1);
      const int last = set.FrameCount - 1; // its lit pip is red, the others black
      for (int side = 10; side <= 40; ++side) {
        QImage cell(side, side, QImage::Format_ARGB32);
        cell.fill(Qt::white);
        QPainter dc(&cell);
        DrawPictureFrame(dc, set, last, 0, -1, 0, CellRect{0, 0, side, side});
        dc.end();
        // Inside the tile's outline, every pip a spot of its own.
        const int edge = side / 8 + 1;
        QVERIFY2(DarkSpots(cell.copy(edge, edge, side - 2 * edge, side - 2 * edge)) == pips,
                 qPrintable(QStringLiteral("%1 pips in %2 pixels").arg(pips).arg(side)));
      }
    }
  }
};

QTEST_MAIN(PictureFitTest)
#include "picture_fit_test.moc"
