// Metafiles played with a QPainter: shapes, text and bitmaps land on the pixels their records
// name, and a metafile opens as a picture set's frame.
#include <QImage>
#include <QtTest>
#include <memory>

#include "media/metafile_cost.h"
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

struct Pixel {
  int X, Y;
  QRgb Colour;
};

// The first of `pixels` the image does not hold, said; empty when it holds them all.
QString Mismatch(const QImage &image, std::initializer_list<Pixel> pixels) {
  for (const Pixel &p : pixels)
    if (!Is(image, p.X, p.Y, p.Colour))
      return QStringLiteral("%1, %2 is %3").arg(p.X).arg(p.Y).arg(image.pixel(p.X, p.Y) & 0xFFFFFF, 6, 16);
  return QString();
}

// A brush of `colour` at index 1, selected, and no pen.
EmfWriter &Brush(EmfWriter &emf, uint32_t colour) {
  return emf.Record(39, {1, 0, static_cast<int32_t>(colour), 0})
      .Record(37, {1})
      .Record(37, {static_cast<int32_t>(kNullPen)});
}

// An EMF record carrying a bitmap: its fields `before` the bitmap's offsets and sizes (of the
// header with its table, then of the rows), those `after`, then the bitmap.
std::vector<uint8_t> WithBitmap(std::initializer_list<int32_t> before, std::initializer_list<int32_t> after,
                                const BmpLayout &layout) {
  const std::vector<uint8_t> dib = PackedDib(layout);
  const auto info = static_cast<int32_t>(dib.size() - layout.Pixels.size());
  const auto at = static_cast<int32_t>(8 + 4 * (before.size() + 4 + after.size()));
  std::vector<uint8_t> fields;
  for (const auto &part : {before, {at, info, at + info, static_cast<int32_t>(layout.Pixels.size())}, after})
    for (const int32_t v : part)
      Put32(fields, static_cast<uint32_t>(v));
  fields.insert(fields.end(), dib.begin(), dib.end());
  return fields;
}

// Stretched bits of a whole bitmap onto (x, y, width, height) with a raster operation.
std::vector<uint8_t> StretchedBits(int32_t x, int32_t y, int32_t width, int32_t height,
                                   const BmpLayout &layout, uint32_t rop, int32_t usage = 0) {
  return WithBitmap({0, 0, 0, 0, x, y, 0, 0, layout.Width, layout.Height},
                    {usage, static_cast<int32_t>(rop), width, height}, layout);
}

// 24-bit rows of 2 pixels, bottom row first, each padded to 4 bytes.
BmpLayout TwoByTwo(QRgb bottomLeft, QRgb bottomRight, QRgb topLeft, QRgb topRight) {
  BmpLayout layout{.Width = 2, .Height = 2, .Bits = 24};
  for (const auto &row : {std::array{bottomLeft, bottomRight}, std::array{topLeft, topRight}}) {
    for (const QRgb c : row)
      layout.Pixels.insert(
          layout.Pixels.end(),
          {static_cast<uint8_t>(qBlue(c)), static_cast<uint8_t>(qGreen(c)), static_cast<uint8_t>(qRed(c))});
    layout.Pixels.insert(layout.Pixels.end(), {0, 0});
  }
  return layout;
}

// One polygon of a thousand edges crossing each of a 4000 x 4000 picture's rows: too costly to
// paint.
std::vector<uint8_t> ZigZagPolygon() {
  std::vector<uint8_t> fields;
  for (const int32_t v : {0, 0, 4000, 4000, 1000})
    Put32(fields, static_cast<uint32_t>(v));
  for (int16_t k = 0; k < 1000; ++k)
    Put32(fields, static_cast<uint32_t>(Point16(static_cast<int16_t>(4 * k), k % 2 ? 3999 : 0)));
  return EmfWriter(4000, 4000).Raw(86, fields).Bytes();
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

  void ABezierCurveBendsTowardsItsControlPoints() {
    // Halfway along, the curve is at (50, 27.5): the chord and the control points stay white.
    const QImage image = Painted(
        EmfWriter(100, 100)
            .Record(38, {1, 0, 3, 0, 0}) // a black pen 3 wide
            .Record(37, {1})
            .Record(85, {0, 0, 0, 0, 4, Point16(10, 80), Point16(10, 10), Point16(90, 10), Point16(90, 80)})
            .Bytes());
    QVERIFY(Is(image, 50, 28, qRgb(0, 0, 0)));
    QVERIFY(Is(image, 50, 80, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 50, 10, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 11, 70, qRgb(0, 0, 0))); // leaving its first point towards the first control
  }

  void AFilledPathKeepsItsHoleUnderAlternateFillOnly() {
    // An ellipse and a square inside it, turning the same way, filled as one path.
    for (const bool winding : {false, true}) {
      EmfWriter emf(100, 100);
      Brush(emf, ColourRef(255, 0, 0)).Record(19, {winding ? 2 : 1});
      emf.Record(59, {}).Record(42, {10, 10, 90, 90}).Record(43, {30, 30, 70, 70}).Record(60, {});
      emf.Record(62, {0, 0, 100, 100});
      const QImage image = Painted(emf.Bytes());
      QVERIFY(Is(image, 20, 50, qRgb(255, 0, 0)));
      QVERIFY(Is(image, 50, 50, winding ? qRgb(255, 0, 0) : qRgb(255, 255, 255)));
      QVERIFY(Is(image, 13, 13, qRgb(255, 255, 255))); // outside the ellipse
    }
  }

  void ClipRegionsAndClipPathsKeepDrawingInside() {
    // A region of two squares with a hole taken out of the first, then the picture filled.
    std::vector<uint8_t> region;
    for (const int32_t v : {64, 5, 32, 1, 2, 32, 0, 0, 100, 100, 0, 0, 40, 40, 60, 60, 100, 100})
      Put32(region, static_cast<uint32_t>(v));
    EmfWriter squares(100, 100);
    Brush(squares, ColourRef(0, 0, 255))
        .Raw(75, region)
        .Record(29, {10, 10, 20, 20})
        .Record(43, {0, 0, 100, 100});
    const QImage image = Painted(squares.Bytes());
    QVERIFY(Is(image, 5, 5, qRgb(0, 0, 255)));
    QVERIFY(Is(image, 15, 15, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 50, 50, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 80, 80, qRgb(0, 0, 255)));

    // An ellipse's path as the clip.
    EmfWriter ellipse(100, 100);
    Brush(ellipse, ColourRef(0, 0, 255)).Record(59, {}).Record(42, {0, 0, 100, 100}).Record(60, {});
    ellipse.Record(67, {5}).Record(43, {0, 0, 100, 100});
    const QImage clipped = Painted(ellipse.Bytes());
    QVERIFY(Is(clipped, 50, 50, qRgb(0, 0, 255)));
    QVERIFY(Is(clipped, 4, 4, qRgb(255, 255, 255)));
  }

  void APatternBrushTilesItsBitmap() {
    EmfWriter emf(100, 100);
    emf.Raw(94, WithBitmap({1, 0}, {},
                           TwoByTwo(qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(255, 255, 255))))
        .Record(37, {1})
        .Record(37, {static_cast<int32_t>(kNullPen)})
        .Record(43, {0, 0, 50, 100});
    // A two-colour tile: its 0 bits in the text colour, its 1 bits in the background colour.
    BmpLayout mono{.Width = 2, .Height = 1, .Bits = 1, .Palette = {0, 0, 0, 0, 255, 255, 255, 0}};
    mono.Pixels = {0x40, 0, 0, 0};
    emf.Raw(93, WithBitmap({2, 0}, {}, mono))
        .Record(37, {2})
        .Record(24, {static_cast<int32_t>(ColourRef(0, 255, 0))})
        .Record(25, {static_cast<int32_t>(ColourRef(0, 0, 255))})
        .Record(43, {50, 0, 100, 100});
    const QImage image = Painted(emf.Bytes());
    QVERIFY(Is(image, 0, 0, qRgb(255, 0, 0)));
    QVERIFY(Is(image, 1, 0, qRgb(255, 255, 255)));
    QVERIFY(Is(image, 0, 1, qRgb(0, 0, 255)));
    QVERIFY(Is(image, 11, 21, qRgb(0, 255, 0)));
    QVERIFY(Is(image, 50, 7, qRgb(0, 255, 0)));
    QVERIFY(Is(image, 51, 7, qRgb(0, 0, 255)));
  }

  void APaletteBitmapTakesItsColoursFromTheSelectedPalette() {
    // Its table names entries 2 and 1 of a palette of red, green, blue.
    BmpLayout indexed{.Width = 2, .Height = 1, .Bits = 8, .PaletteCount = 2, .Palette = {2, 0, 1, 0}};
    indexed.Pixels = {0, 1, 0, 0};
    std::vector<uint8_t> stretch;
    for (const int32_t v : {0x0020, 0x00CC, 1, 1, 2, 0, 0, 40, 80, 0, 0})
      Put16(stretch, static_cast<uint32_t>(v));
    const std::vector<uint8_t> dib = PackedDib(indexed);
    stretch.insert(stretch.end(), dib.begin(), dib.end());
    const QImage image = Painted(WmfWriter(96, 96, 96)
                                     .Record(0x00F7, {0x300, 3, 0xFF, 0, 0xFF00, 0, 0, 0xFF})
                                     .Record(0x0234, {0})
                                     .Raw(0x0F43, stretch)
                                     .Bytes());
    QVERIFY(Is(image, 20, 20, qRgb(0, 0, 255)));
    QVERIFY(Is(image, 60, 20, qRgb(0, 255, 0)));
  }

  void RasterOperationsMeetThePictureBeneath() {
    EmfWriter emf(100, 100);
    Brush(emf, ColourRef(255, 0, 0)).Record(43, {0, 0, 100, 100});
    const BmpLayout blue = TwoByTwo(qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(0, 0, 255), qRgb(0, 0, 255));
    emf.Raw(81, StretchedBits(0, 0, 40, 40, blue, 0x00EE0086))    // or
        .Raw(81, StretchedBits(50, 50, 40, 40, blue, 0x00330008)) // the source turned over
        .Record(76, {0, 0, 0, 0, 0, 50, 40, 40, 0x00550009, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QImage image = Painted(emf.Bytes());
    QVERIFY(Is(image, 20, 20, qRgb(255, 0, 255)));
    QVERIFY(Is(image, 70, 70, qRgb(255, 255, 0)));
    QVERIFY(Is(image, 20, 70, qRgb(0, 255, 255))); // the picture turned over
    QVERIFY(Is(image, 70, 20, qRgb(255, 0, 0)));
  }

  void PensAndBrushesDrawInTheMixInForce() {
    // Over red: a white pen's exclusive or is cyan, the picture turned over cyan too, black
    // black, nothing red; a blue fill or'ed is magenta.
    EmfWriter emf(100, 100);
    Brush(emf, ColourRef(255, 0, 0)).Record(43, {0, 0, 100, 100});
    emf.Record(38, {2, 0, 0, 0, static_cast<int32_t>(ColourRef(255, 255, 255))}).Record(37, {2});
    for (const auto &[mix, y] : {std::pair{7, 10}, {6, 20}, {1, 30}, {11, 40}})
      emf.Record(20, {mix}).Record(27, {0, y}).Record(54, {100, y});
    emf.Record(20, {15});
    Brush(emf, ColourRef(0, 0, 255)).Record(43, {0, 60, 100, 100});
    QCOMPARE(Mismatch(Painted(emf.Bytes()), {{50, 10, qRgb(0, 255, 255)},
                                             {50, 20, qRgb(0, 255, 255)},
                                             {50, 30, qRgb(0, 0, 0)},
                                             {50, 40, qRgb(255, 0, 0)},
                                             {50, 50, qRgb(255, 0, 0)},
                                             {50, 80, qRgb(255, 0, 255)}}),
             QString());
  }

  void AWidePenEndsAndDashesAsItsStyleSays() {
    // Lines 10 wide from x 20 to 80: round ends reach past them, flat ones stop there; a
    // user style of 10 on, 10 off.
    EmfWriter emf(100, 100);
    constexpr int32_t kGeometric = 0x10000, kFlat = 0x0200, kUser = 7;
    emf.Record(95, {1, 0, 0, 0, 0, kGeometric, 10, 0, 0, 0, 0}).Record(37, {1});
    emf.Record(27, {20, 20}).Record(54, {80, 20});
    emf.Record(95, {2, 0, 0, 0, 0, kGeometric | kFlat, 10, 0, 0, 0, 0}).Record(37, {2});
    emf.Record(27, {20, 50}).Record(54, {80, 50});
    emf.Record(95, {3, 0, 0, 0, 0, kGeometric | kFlat | kUser, 10, 0, 0, 0, 2, 10, 10}).Record(37, {3});
    emf.Record(27, {20, 80}).Record(54, {80, 80});
    QCOMPARE(Mismatch(Painted(emf.Bytes()), {{83, 20, qRgb(0, 0, 0)},
                                             {78, 50, qRgb(0, 0, 0)},
                                             {83, 50, qRgb(255, 255, 255)},
                                             {25, 80, qRgb(0, 0, 0)},
                                             {35, 80, qRgb(255, 255, 255)},
                                             {45, 80, qRgb(0, 0, 0)}}),
             QString());
  }

  void AHostileDrawingStopsOnceItHasSpentItsBudget() {
    // Each fill of the whole picture is paid for: with the budget of ten, the blue one after
    // twenty red ones is not drawn.
    EmfWriter emf(100, 100);
    Brush(emf, ColourRef(255, 0, 0));
    for (int k = 0; k < 20; ++k)
      emf.Record(43, {0, 0, 100, 100});
    Brush(emf, ColourRef(0, 0, 255)).Record(43, {0, 0, 100, 100});
    MetafileDrawing covered = ReadMetafile(emf.Bytes());
    covered.Budget = 10.5 * OperationCost(covered, covered.Ops[0]);
    QVERIFY(Is(PaintMetafile(covered), 50, 50, qRgb(255, 0, 0)));

    // A fill of a thousand edges, each crossing every row: meeting them row by row would take
    // seconds, so it is not drawn, while the square before it is.
    std::vector<uint8_t> zigzag;
    for (const int32_t v : {0, 0, 1000, 1000, 1000})
      Put32(zigzag, static_cast<uint32_t>(v));
    for (int16_t k = 0; k < 1000; ++k)
      Put32(zigzag, static_cast<uint32_t>(Point16(k, k % 2 ? 999 : 0)));
    EmfWriter edges(1000, 1000);
    Brush(edges, ColourRef(0, 200, 0)).Record(43, {0, 0, 10, 10});
    Brush(edges, ColourRef(255, 0, 0)).Raw(86, zigzag);
    MetafileDrawing many = ReadMetafile(edges.Bytes(), 1e15);
    QCOMPARE(many.Ops.size(), size_t{2});
    many.Budget = kMetafilePaintBudget;
    const QImage filled = PaintMetafile(many);
    QVERIFY(Is(filled, 5, 5, qRgb(0, 200, 0)));
    QVERIFY(Is(filled, 500, 500, qRgb(255, 255, 255)));

    // Rows of strips met with columns of strips make regions of thousands of rectangles: their
    // making is paid for too, and a few dozen of them spend a budget of a few milliseconds.
    EmfWriter regions(100, 100);
    Brush(regions, ColourRef(255, 0, 0));
    std::array<std::vector<uint8_t>, 2> strips;
    for (const bool rows : {false, true}) {
      for (const int32_t v : {32 + 16 * 50, 3, 32, 1, 50, 32, 0, 0, 100, 100})
        Put32(strips[rows], static_cast<uint32_t>(v));
      for (int32_t k = 0; k < 50; ++k)
        for (const int32_t v :
             rows ? std::array{0, 2 * k, 100, 2 * k + 1} : std::array{2 * k, 0, 2 * k + 1, 100})
          Put32(strips[rows], static_cast<uint32_t>(v));
    }
    for (int k = 0; k < 40; ++k)
      regions.Raw(75, strips[k % 2]).Record(43, {0, 0, 1, 1});
    regions.Record(75, {0, 5});
    Brush(regions, ColourRef(0, 0, 255)).Record(43, {0, 0, 100, 100});
    MetafileDrawing clipped = ReadMetafile(regions.Bytes());
    clipped.Budget = 7e6;
    QVERIFY(Is(PaintMetafile(clipped), 50, 51, qRgb(255, 255, 255)));
  }

  void AMetafileFilePaintsStraightIntoAnImage() {
    testing::TempDir dir;
    EmfWriter emf(100, 50);
    Brush(emf, ColourRef(0, 200, 0)).Record(43, {0, 0, 100, 50});
    const std::vector<std::pair<std::string, std::vector<uint8_t>>> files = {
        {"drawn.emf", emf.Bytes()}, {"costly.emf", ZigZagPolygon()}, {"plain.bmp", {'B', 'M', 0, 0}}};
    for (const auto &[name, bytes] : files)
      testing::WriteBytes(dir.File(name), std::string(bytes.begin(), bytes.end()));
    const std::optional<QImage> drawn = PaintMetafileFile(dir.File("drawn.emf"));
    QVERIFY(drawn && drawn->size() == QSize(100, 50));
    QVERIFY(Is(*drawn, 50, 25, qRgb(0, 200, 0)));
    const std::optional<QImage> refused = PaintMetafileFile(dir.File("costly.emf"));
    QVERIFY(refused && refused->isNull());
    QVERIFY(!PaintMetafileFile(dir.File("plain.bmp")));
    QVERIFY(!PaintMetafileFile(dir.File("missing.emf")));
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
