#include <gtest/gtest.h>

#include "media/metafile_context.h"
#include "media/metafile_cost.h"
#include "media/metafile_drawing.h"
#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "tests/media/bmp_fixture.h"
#include "tests/media/metafile_writer.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::vector<uint8_t> Emf(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  std::vector<uint8_t> file;
  Put32(file, 1);
  Put32(file, 108);
  for (const int32_t v : {left, top, right, bottom})
    Put32(file, static_cast<uint32_t>(v));
  file.resize(40, 0);
  Put32(file, 0x464D4520);
  file.resize(108, 0);
  return file;
}

std::vector<uint8_t> Placeable(int16_t right, int16_t bottom, uint16_t unitsPerInch, bool goodSum) {
  std::vector<uint8_t> file;
  Put32(file, 0x9AC6CDD7);
  Put16(file, 0);
  for (const int16_t v : {int16_t{0}, int16_t{0}, right, bottom})
    Put16(file, static_cast<uint16_t>(v));
  Put16(file, unitsPerInch);
  Put32(file, 0);
  uint16_t sum = 0;
  for (size_t k = 0; k < 10; ++k)
    sum ^= static_cast<uint16_t>(file[2 * k] | file[2 * k + 1] << 8);
  Put16(file, goodSum ? sum : static_cast<uint16_t>(sum ^ 1));
  Put16(file, 1); // a memory metafile
  Put16(file, 9);
  Put16(file, 0x300);
  Put32(file, 12); // words
  file.resize(22 + 24, 0);
  return file;
}

MetafileSize SizeOf(const std::vector<uint8_t> &bytes) {
  CPictureMemFile file(bytes);
  return ReadMetafileSize(file);
}

} // namespace

TEST(Metafile, TheSizeIsCappedAtFourThousandKeepingTheRatio) {
  // An EMF's bounds hold their last pixels: 0 .. 7999 is 8000 wide.
  const MetafileSize wide = SizeOf(Emf(0, 0, 7999, 1999));
  EXPECT_EQ(wide.Width, 4000);
  EXPECT_EQ(wide.Height, 1000);
  EXPECT_TRUE(wide.Error.empty());
  const MetafileSize small = SizeOf(Emf(0, 0, 199, 149));
  EXPECT_EQ(small.Width, 200);
  EXPECT_EQ(small.Height, 150);
  const MetafileSize inches = SizeOf(Placeable(1440, 720, 1440, true));
  EXPECT_EQ(inches.Width, 96); // an inch at the screen's 96 dots
  EXPECT_EQ(inches.Height, 48);
}

TEST(Metafile, BadHeadersAreCorruptedAndEmptyOnesEmpty) {
  EXPECT_EQ(SizeOf(Placeable(1440, 720, 1440, false)).Error, "corrupted WMF");
  EXPECT_EQ(SizeOf(Placeable(1440, 720, 0, true)).Error, "corrupted WMF");
  EXPECT_EQ(SizeOf(Emf(5, 5, 4, 90)).Error, "empty WMF"); // its right pixel left of its left one
  EXPECT_EQ(SizeOf({'n', 'o', 't'}).Error, "corrupted WMF");
}

TEST(Metafile, WithoutAPainterADrawingIsRefusedInItsOwnWords) {
  ASSERT_EQ(CurrentMetafilePlayer(), nullptr);
  const std::vector<uint8_t> emf = EmfWriter(100, 100).Record(43, {10, 10, 50, 50}).Bytes();
  for (const int32_t type : {int32_t{kPictureWmf}, int32_t{kPictureUnknown}}) {
    CPictureMemFile file(emf);
    CPicture picture;
    EXPECT_FALSE(picture.Decode(file, type));
    EXPECT_EQ(picture.LastError(), kMetafileNotDrawn);
  }
  // A metafile that draws nothing is empty, whatever its size.
  CPictureMemFile file(Emf(0, 0, 8000, 2000));
  CPicture picture;
  EXPECT_FALSE(picture.Decode(file, kPictureWmf));
  EXPECT_EQ(picture.LastError(), "empty WMF");
}

namespace {

MetaPoint Mapped(const MetafileDrawing &d, size_t op, size_t point) {
  return Apply(d.Styles.at(d.Ops.at(op).Style).Transform, d.Ops.at(op).Points.at(point));
}

void ExpectAt(MetaPoint p, double x, double y) {
  EXPECT_NEAR(p.X, x, 1e-6);
  EXPECT_NEAR(p.Y, y, 1e-6);
}

} // namespace

// Window and viewport, the isotropic mode, saved states and a fixed mode with y upwards.
TEST(Metafile, MappingModesTakeLogicalUnitsToThePicture) {
  // An inch of 1440 units: 96 pixels a side, the window of 1000 units over all of it.
  const std::vector<uint8_t> wmf = WmfWriter(1440, 1440, 1440)
                                       .Record(0x020B, {0, 0})       // window origin
                                       .Record(0x020C, {1000, 1000}) // window extent
                                       .Record(0x041B, {600, 500, 200, 100})
                                       .Record(0x001E, {})  // save
                                       .Record(0x0103, {7}) // isotropic
                                       .Record(0x020C, {500, 2000})
                                       .Record(0x0418, {500, 2000, 0, 0})
                                       .Record(0x0127, {-1}) // restore
                                       .Record(0x041B, {600, 500, 200, 100})
                                       .Bytes();
  const MetafileDrawing d = ReadMetafile(wmf);
  ASSERT_EQ(d.Error, "");
  EXPECT_EQ(d.Width, 96);
  ASSERT_EQ(d.Ops.size(), 3u);
  ExpectAt(Mapped(d, 0, 0), 9.6, 19.2);
  ExpectAt(Mapped(d, 0, 1), 48, 57.6);
  ExpectAt(Mapped(d, 1, 1), 96, 24); // the smaller scale on both axes
  ExpectAt(Mapped(d, 2, 1), 48, 57.6);
  EXPECT_EQ(d.Skipped, 0u);

  // Tenths of a millimetre on a 96-dpi device, y upwards from the viewport's origin.
  const std::vector<uint8_t> emf = EmfWriter(100, 100)
                                       .Record(17, {2})     // map mode
                                       .Record(12, {0, 96}) // viewport origin
                                       .Record(43, {0, 0, 254, 127})
                                       .Bytes();
  const MetafileDrawing e = ReadMetafile(emf);
  ASSERT_EQ(e.Ops.size(), 1u);
  ExpectAt(Mapped(e, 0, 0), 0, 96);
  ExpectAt(Mapped(e, 0, 1), 96, 48);
}

TEST(Metafile, BadFilesAreRefusedAndHostileRecordsSkipped) {
  EXPECT_EQ(ReadMetafile(WmfWriter(100, 100, 96).Record(0x041B, {50, 50, 0, 0}).Bytes(false)).Error,
            "corrupted WMF");
  EXPECT_EQ(ReadMetafile(WmfWriter(100, 100, 96).Record(0x0103, {8}).Bytes()).Error, "empty WMF");

  // A record that claims more words than the file holds.
  std::vector<uint8_t> truncated = WmfWriter(100, 100, 96).Record(0x041B, {50, 50, 0, 0}).Bytes();
  truncated[40] = 0xF0;
  EXPECT_EQ(ReadMetafile(truncated).Error, "corrupted WMF");
  std::vector<uint8_t> emf = EmfWriter(100, 100).Record(43, {0, 0, 5, 5}).Bytes();
  emf[92] = 0xF0;
  EXPECT_EQ(ReadMetafile(emf).Error, "corrupted WMF");

  // Counts past their record, an object outside the table, a state never saved: each skipped.
  const MetafileDrawing w = ReadMetafile(WmfWriter(100, 100, 96)
                                             .Record(0x0324, {30000, 1, 2, 3, 4}) // polygon
                                             .Record(0x0538, {2, 1, 40000, 5, 5}) // poly-polygon
                                             .Record(0x012D, {999})               // select object
                                             .Record(0x0127, {-1})                // restore
                                             .Record(0x041B, {50, 50, 0, 0})
                                             .Bytes());
  EXPECT_EQ(w.Error, "");
  EXPECT_EQ(w.Ops.size(), 1u);
  EXPECT_EQ(w.Skipped, 4u);
  const MetafileDrawing e = ReadMetafile(
      EmfWriter(100, 100, 4)
          .Record(8, {0, 0, 0, 0, 2, 3, 1, 1, 0, 0, 9, 9, 5, 5})                  // 1 + 1 is not 3
          .Record(38, {20, 0, 1, 0, 0})                                           // pen at 20 of 4
          .Record(84, {0, 0, 0, 0, 1, 0, 0, 10, 10, 70000, 76, 0, 0, 0, 0, 0, 0}) // text past its end
          .Record(43, {0, 0, 5, 5})
          .Bytes());
  EXPECT_EQ(e.Error, "");
  EXPECT_EQ(e.Ops.size(), 1u);
  EXPECT_EQ(e.Skipped, 3u);
}

// Small files, each a record one past its bound: a state never saved, an object past the
// table, a header longer than its file.
TEST(Metafile, RecordsOnePastTheirBoundsAreSkippedOrRefused) {
  // One state saved, with the window of the file's box; a smaller window after it.
  const MetafileDrawing states = ReadMetafile(WmfWriter(100, 100, 96)
                                                  .Record(0x001E, {})             // save
                                                  .Record(0x020C, {50, 50})       // window extent
                                                  .Record(0x0127, {-2})           // two states back
                                                  .Record(0x0127, {2})            // the state of depth 2
                                                  .Record(0x0127, {0})            // none
                                                  .Record(0x041B, {10, 10, 0, 0}) // rectangle
                                                  .Record(0x0127, {1})
                                                  .Record(0x041B, {10, 10, 0, 0})
                                                  .Bytes());
  ASSERT_EQ(states.Ops.size(), 2u);
  EXPECT_EQ(states.Skipped, 3u);
  ExpectAt(Mapped(states, 0, 1), 20, 20);
  ExpectAt(Mapped(states, 1, 1), 10, 10);

  // A table of two: a third brush has no slot, and slot 2 holds nothing.
  const MetafileDrawing objects = ReadMetafile(WmfWriter(100, 100, 96, 2)
                                                   .Record(0x02FC, {0, 0x00FF, 0, 0}) // red
                                                   .Record(0x02FC, {0, 0xFF00, 0, 0}) // green
                                                   .Record(0x02FC, {0, 0, 0x00FF, 0}) // blue
                                                   .Record(0x012D, {1})
                                                   .Record(0x012D, {2})
                                                   .Record(0x041B, {10, 10, 0, 0})
                                                   .Bytes());
  ASSERT_EQ(objects.Ops.size(), 1u);
  EXPECT_EQ(objects.Skipped, 2u);
  EXPECT_EQ(objects.Styles.at(objects.Ops[0].Style).Brush.Colour, RgbPixel(0, 255, 0));

  // A header of the whole file reads, and draws nothing; one a word longer is corrupted.
  std::vector<uint8_t> header = Emf(0, 0, 99, 99);
  header.resize(100);
  for (const auto &[size, error] : {std::pair{100u, "empty WMF"}, {104u, "corrupted WMF"}}) {
    for (size_t k = 0; k < 4; ++k)
      header[4 + k] = static_cast<uint8_t>(size >> (8 * k));
    EXPECT_EQ(ReadMetafile(header).Error, error) << size;
  }
}

// SetROP2 in both kinds: the shapes after it take the mix, saved and restored with the rest;
// texts keep their own, and numbers outside 1 .. 16 are skipped.
TEST(Metafile, ShapesTakeTheMixInForce) {
  const MetafileDrawing wmf = ReadMetafile(WmfWriter(100, 100, 96)
                                               .Record(0x0104, {7}) // exclusive or
                                               .Record(0x041B, {10, 10, 0, 0})
                                               .Record(0x001E, {})
                                               .Record(0x0104, {6}) // the picture turned over
                                               .Record(0x0213, {20, 20})
                                               .Record(0x0127, {-1})
                                               .Record(0x0104, {0})
                                               .Record(0x0104, {17})
                                               .Record(0x0418, {10, 10, 0, 0})
                                               .Raw(0x0521, {1, 0, 'T', 0, 5, 0, 5, 0})
                                               .Bytes());
  ASSERT_EQ(wmf.Ops.size(), 4u);
  EXPECT_EQ(wmf.Ops[0].Rop, MetaRop::Xor);
  EXPECT_EQ(wmf.Ops[1].Rop, MetaRop::Invert);
  EXPECT_EQ(wmf.Ops[2].Rop, MetaRop::Xor);
  EXPECT_EQ(wmf.Ops[3].Shape, MetaShape::Text);
  EXPECT_EQ(wmf.Ops[3].Rop, MetaRop::Copy);
  EXPECT_EQ(wmf.Skipped, 2u);
  const MetafileDrawing emf = ReadMetafile(EmfWriter(100, 100)
                                               .Record(20, {1})
                                               .Record(42, {0, 0, 5, 5})
                                               .Record(20, {11})
                                               .Record(43, {0, 0, 5, 5})
                                               .Bytes());
  ASSERT_EQ(emf.Ops.size(), 2u);
  EXPECT_EQ(emf.Ops[0].Rop, MetaRop::Black);
  EXPECT_EQ(emf.Ops[1].Rop, MetaRop::Picture);
}

// A geometric pen of ExtCreatePen keeps its ends, corners and user style; a cosmetic one is
// a pixel wide, whatever its width says.
TEST(Metafile, ExtendedPensKeepTheirStyle) {
  constexpr int32_t kGeometricFlatMiterUser = 0x10000 | 0x0200 | 0x2000 | 7;
  const MetafileDrawing d =
      ReadMetafile(EmfWriter(100, 100)
                       .Record(95, {1, 0, 0, 0, 0, kGeometricFlatMiterUser, 8, 0, 0, 0, 3, 10, 5, 2})
                       .Record(37, {1})
                       .Record(54, {50, 50})
                       .Record(95, {2, 0, 0, 0, 0, 0x0100, 8, 0, 0, 0, 0})
                       .Record(37, {2})
                       .Record(54, {60, 60})
                       .Bytes());
  ASSERT_EQ(d.Ops.size(), 2u);
  const MetaPen &user = d.Styles.at(d.Ops[0].Style).Pen;
  EXPECT_EQ(user.Style, MetaPenStyle::User);
  EXPECT_EQ(user.Width, 8);
  EXPECT_EQ(user.Cap, MetaPenCap::Flat);
  EXPECT_EQ(user.Join, MetaPenJoin::Miter);
  ASSERT_EQ(user.DashCount, 3);
  EXPECT_EQ((std::vector<float>(user.Dashes.begin(), user.Dashes.begin() + 3)),
            (std::vector<float>{10, 5, 2}));
  const MetaPen &cosmetic = d.Styles.at(d.Ops[1].Style).Pen;
  EXPECT_EQ(cosmetic.Width, 0);
  EXPECT_EQ(cosmetic.Cap, MetaPenCap::Round); // its square ends are a wide pen's
  EXPECT_EQ(d.Skipped, 0u);
}

namespace {

// One record of 16-bit points zig-zagging across a 4000 x 4000 EMF: `count` of them, up and
// down `rows` rows.
std::vector<uint8_t> ZigZag(uint32_t type, int32_t count, int16_t rows, int32_t penWidth = 0) {
  std::vector<uint8_t> fields;
  for (const int32_t v : {0, 0, 4000, 4000, count})
    Put32(fields, static_cast<uint32_t>(v));
  for (int32_t k = 0; k < count; ++k)
    Put32(fields, static_cast<uint32_t>(Point16(static_cast<int16_t>(k * 4000 / count),
                                                static_cast<int16_t>(k % 2 ? rows - 1 : 0))));
  EmfWriter emf(4000, 4000);
  emf.Record(39, {1, 0, static_cast<int32_t>(ColourRef(255, 0, 0)), 0}).Record(37, {1});
  emf.Record(38, {2, 0, penWidth, 0, 0}).Record(37, {2});
  return emf.Raw(type, fields).Bytes();
}

} // namespace

// Painting a fill costs about its edges times the rows they cross, squared where they cross
// the same rows; a line the pixels it runs over, a wide one its outline's fill; and covering
// the whole picture again and again its pixels. What costs more than the budget is not kept.
TEST(Metafile, OperationsCostWhatPaintingThemTakes) {
  enum class Kept { Whole, Cut, Refused };
  constexpr uint32_t kPolygon16 = 86, kPolyline16 = 87;
  EmfWriter coverings(4000, 4000);
  coverings.Record(39, {1, 0, 0, 0}).Record(37, {1});
  for (int k = 0; k < 200; ++k)
    coverings.Record(43, {0, 0, 4000, 4000});
  std::vector<uint8_t> text;
  for (const int32_t v : {0, 0, 0, 0, 1, 0, 0, 0, 0, 2, 76, 0, 0, 0, 0, 0, 0})
    Put32(text, static_cast<uint32_t>(v));
  Put32(text, 'H' | 'H' << 16);
  const struct {
    const char *what;
    std::vector<uint8_t> bytes;
    Kept kept;
  } cases[] = {
      {"600 edges across every row", ZigZag(kPolygon16, 600, 4000), Kept::Refused},
      {"600 edges across two rows", ZigZag(kPolygon16, 600, 2), Kept::Whole},
      {"a line of 30,000 parts across every row", ZigZag(kPolyline16, 30000, 4000), Kept::Refused},
      {"a line of 30,000 parts across two rows", ZigZag(kPolyline16, 30000, 2), Kept::Whole},
      {"a wide pen's 200 parts across every row", ZigZag(kPolyline16, 200, 4000, 40), Kept::Refused},
      {"a thin pen's 200 parts across every row", ZigZag(kPolyline16, 200, 4000), Kept::Whole},
      {"200 fills of the whole picture", coverings.Bytes(), Kept::Cut},
      {"a text on a picture of one pixel", EmfWriter(1, 1).Raw(84, text).Bytes(), Kept::Whole},
  };
  for (const auto &c : cases) {
    const MetafileDrawing d = ReadMetafile(c.bytes);
    EXPECT_EQ(d.Error, c.kept == Kept::Refused ? kMetafileTooCostly : "") << c.what;
    EXPECT_EQ(d.Cut, c.kept != Kept::Whole) << c.what;
  }
  // More than a hundred fills of the whole picture are kept: about 0.4 ns a pixel.
  const MetafileDrawing covered = ReadMetafile(coverings.Bytes());
  EXPECT_GT(covered.Ops.size(), 100u);
  EXPECT_LT(covered.Ops.size(), 200u);
}

// The operations kept cost no more than the budget, and the records after the first one
// refused are not played.
TEST(Metafile, ADrawingStopsWhereItsBudgetIsSpent) {
  EmfWriter emf(100, 100);
  for (int k = 0; k < 1000; ++k)
    emf.Record(43, {k % 90, k % 80, k % 90 + 3, k % 80 + 3});
  emf.Record(42, {0, 0, 100, 100});
  const std::vector<uint8_t> bytes = emf.Bytes();
  const MetafileDrawing whole = ReadMetafile(bytes);
  ASSERT_EQ(whole.Ops.size(), 1001u);
  EXPECT_FALSE(whole.Cut);
  const double each = OperationCost(whole, whole.Ops[0]);
  const MetafileDrawing cut = ReadMetafile(bytes, 100.5 * each);
  EXPECT_EQ(cut.Ops.size(), 100u);
  EXPECT_TRUE(cut.Cut);
  EXPECT_EQ(cut.Skipped, 901u);
  EXPECT_EQ(ReadMetafile(bytes, each / 2).Error, kMetafileTooCostly);
}
