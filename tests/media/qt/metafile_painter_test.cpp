// Metafiles played with a QPainter: shapes, text and bitmaps land on the pixels their records
// name, and a metafile opens as a picture set's frame.
#include <QImage>
#include <QtTest>
#include <memory>

#include "media/metafile_drawing.h"
#include "media/picture_file.h"
#include "media/picture_set.h"
#include "media/qt/metafile_painter.h"
#include "tests/media/metafile_writer.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr uint32_t kNullPen = 0x80000008u;
constexpr uint32_t kSourceCopy = 0x00CC0020;

QImage Painted(const std::vector<uint8_t> &bytes) {
  const MetafileDrawing drawing = ReadMetafile(bytes);
  return drawing.Error.empty() ? PaintMetafile(drawing) : QImage();
}

bool Is(const QImage &image, int x, int y, QRgb colour) {
  return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
}

// A brush of `colour` at index 1, selected, and no pen.
EmfWriter &Brush(EmfWriter &emf, uint32_t colour) {
  return emf.Record(39, {1, 0, static_cast<int32_t>(colour), 0})
      .Record(37, {1})
      .Record(37, {static_cast<int32_t>(kNullPen)});
}

// A green square of 1440 units (96 pixels) whose window of 1000 units holds a rectangle.
std::vector<uint8_t> MappedWmf() {
  return WmfWriter(1440, 1440, 1440)
      .Record(0x020C, {1000, 1000})
      .Raw(0x02FC, {0, 0, 0, 0xC8, 0, 0, 0, 0}) // a solid brush of green 200
      .Record(0x012D, {0})
      .Record(0x041B, {600, 500, 200, 100})
      .Bytes();
}

} // namespace

class MetafilePainterTest : public QObject {
  Q_OBJECT

private slots:
  void ShapesFillTheirBoxes() {
    EmfWriter emf(100, 100);
    Brush(emf, ColourRef(255, 0, 0)).Record(43, {10, 10, 30, 20});
    emf.Record(40, {1});
    Brush(emf, ColourRef(0, 0, 255)).Record(42, {40, 40, 80, 80});
    const QImage image = Painted(emf.Bytes());
    QCOMPARE(image.size(), QSize(100, 100));
    QVERIFY(Is(image, 10, 10, qRgb(255, 0, 0)));
    QVERIFY(Is(image, 29, 19, qRgb(255, 0, 0)));
    QVERIFY(Is(image, 9, 15, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 30, 15, qRgb(255, 255, 255))); // right and bottom stay outside
    QVERIFY(Is(image, 20, 20, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 60, 60, qRgb(0, 0, 255)));
    QVERIFY(Is(image, 42, 42, qRgb(255, 255, 255))); // the ellipse's box corner
    QVERIFY(Is(image, 41, 60, qRgb(0, 0, 255)));

    // Through the window's mapping: units 100..500 of 1000 are pixels 9.6..48 of 96.
    const QImage wmf = Painted(MappedWmf());
    QCOMPARE(wmf.size(), QSize(96, 96));
    QVERIFY(Is(wmf, 30, 40, qRgb(0, 200, 0)));
    QVERIFY(Is(wmf, 44, 54, qRgb(0, 200, 0)));
    QVERIFY(Is(wmf, 5, 5, qRgb(255, 255, 255)));
    QVERIFY(Is(wmf, 49, 40, qRgb(255, 255, 255)));
  }

  void TextHangsBelowAndRightOfItsPoint() {
    std::vector<uint8_t> font;
    for (const int32_t v : {2, -30, 0, 0, 0, 700})
      Put32(font, static_cast<uint32_t>(v));
    font.resize(4 + 92, 0); // the face left empty: the usual one
    std::vector<uint8_t> text;
    for (const int32_t v : {0, 0, 0, 0, 1, 0, 0, 20, 30, 2, 76, 0, 0, 0, 0, 0, 0})
      Put32(text, static_cast<uint32_t>(v));
    for (const char c : {'H', 'H'})
      Put16(text, static_cast<uint32_t>(c));
    const QImage image = Painted(EmfWriter(100, 100)
                                     .Raw(82, font)
                                     .Record(37, {2})
                                     .Record(18, {1}) // transparent
                                     .Record(22, {0}) // left, top
                                     .Raw(84, text)
                                     .Bytes());
    QVERIFY(!image.isNull());
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x)
        if (qGray(image.pixel(x, y)) < 128)
          ++(x >= 19 && y >= 29 && x < 90 && y < 65 ? inside : outside);
    QVERIFY(inside > 50);
    QCOMPARE(outside, 0);
  }

  void ABitmapKeepsItsRowsTheRightWayUp() {
    std::vector<uint8_t> record;
    for (const int32_t v :
         {0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 80, 40, 120, 16, 0, static_cast<int32_t>(kSourceCopy), 40, 40})
      Put32(record, static_cast<uint32_t>(v));
    for (const uint32_t v : {40u, 2u, 2u})
      Put32(record, v);
    Put16(record, 1);
    Put16(record, 24);
    for (int k = 0; k < 6; ++k)
      Put32(record, 0);
    // The bottom row first: blue, green; then red, white.
    for (const uint8_t b : {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0})
      record.push_back(b);
    const QImage image = Painted(EmfWriter(100, 100).Raw(81, record).Bytes());
    QVERIFY(!image.isNull());
    QVERIFY(Is(image, 10, 10, qRgb(255, 0, 0)));
    QVERIFY(Is(image, 30, 10, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 10, 30, qRgb(0, 0, 255)));
    QVERIFY(Is(image, 30, 30, qRgb(0, 255, 0)));
    QVERIFY(Is(image, 50, 50, qRgb(255, 255, 255)));
  }

  void AHostileDrawingStopsOnceItHasCoveredItsPictureEnough() {
    // About 1,900 coverings of a 100 x 100 picture are the budget: what comes after is not drawn.
    EmfWriter emf(100, 100);
    Brush(emf, ColourRef(255, 0, 0));
    for (int k = 0; k < 2000; ++k)
      emf.Record(43, {0, 0, 100, 100});
    Brush(emf, ColourRef(0, 0, 255)).Record(43, {0, 0, 100, 100});
    const QImage image = Painted(emf.Bytes());
    QVERIFY(Is(image, 50, 50, qRgb(255, 0, 0)));
  }

  void AMetafileOpensAsAPictureSetsFrame() {
    InstallMetafilePlayer();
    testing::TempDir dir;
    EmfWriter emf(100, 50);
    Brush(emf, ColourRef(0, 200, 0)).Record(43, {0, 0, 100, 50});
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {{"drawn.wmf", MappedWmf()},
                                                                             {"drawn.emf", emf.Bytes()}};
    for (const auto &[name, bytes] : files) {
      testing::WriteBytes(dir.File(name), std::string(bytes.begin(), bytes.end()));
      auto set = std::make_unique<CBitMapGif>();
      std::string failure;
      QCOMPARE(GifLoadImage(*set, dir.File(name), &failure), 1);
      const CPicture &frame = set->Frames[0];
      QCOMPARE(frame.Type(), int32_t{kPictureWmf});
      QCOMPARE(frame.Bits(), 24);
      QCOMPARE(frame.Width(), name == "drawn.wmf" ? 96 : 100);
      QVERIFY(frame.GetPixelColor(40, frame.Height() - 1 - 40) ==
              RgbPixel(0, 200, 0)); // rows from the bottom
    }
    std::vector<uint8_t> corrupt = MappedWmf();
    corrupt[20] ^= 1; // the checksum
    CPictureMemFile file(corrupt);
    CPicture picture;
    QVERIFY(!picture.Decode(file, kPictureWmf));
    QCOMPARE(QString::fromStdString(picture.LastError()), QStringLiteral("corrupted WMF"));
    SetMetafilePlayer(nullptr);
  }
};

QTEST_MAIN(MetafilePainterTest)
#include "metafile_painter_test.moc"
