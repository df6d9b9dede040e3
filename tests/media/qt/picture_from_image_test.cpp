// A clipboard's image as a picture: its colours, its rows turned bottom-up, its alpha.
#include <QImage>
#include <QtTest>

#include "media/picture.h"
#include "media/qt/picture_from_image.h"

using namespace quorbel;

class PictureFromImageTest : public QObject {
  Q_OBJECT

private slots:
  void AnImageBecomesATwentyFourBitPicture() {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(0, 0, 255, 255));
    image.setPixel(0, 0, qRgba(255, 0, 0, 100)); // top-left
    CPicture picture;
    QVERIFY(PictureFromImage(image, picture));
    QCOMPARE(picture.Bits(), 24);
    QVERIFY(picture.GetPixelColor(0, 1) == RgbPixel(255, 0, 0));
    QVERIFY(picture.GetPixelColor(0, 0) == RgbPixel(0, 0, 255));
    QCOMPARE(picture.GetAlpha(0, 1), uint8_t{100});
    QVERIFY(!PictureFromImage(QImage(), picture));
    QVERIFY(!picture.IsValid());
  }
};

QTEST_GUILESS_MAIN(PictureFromImageTest)
#include "picture_from_image_test.moc"
