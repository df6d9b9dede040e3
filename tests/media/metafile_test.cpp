#include <gtest/gtest.h>

#include "media/metafile_context.h"
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
  const MetafileSize wide = SizeOf(Emf(0, 0, 8000, 2000));
  EXPECT_EQ(wide.Width, 4000);
  EXPECT_EQ(wide.Height, 1000);
  EXPECT_TRUE(wide.Error.empty());
  const MetafileSize inches = SizeOf(Placeable(1440, 720, 1440, true));
  EXPECT_EQ(inches.Width, 96); // an inch at the screen's 96 dots
  EXPECT_EQ(inches.Height, 48);
}

TEST(Metafile, BadHeadersAreCorruptedAndEmptyOnesEmpty) {
  EXPECT_EQ(SizeOf(Placeable(1440, 720, 1440, false)).Error, "corrupted WMF");
  EXPECT_EQ(SizeOf(Placeable(1440, 720, 0, true)).Error, "corrupted WMF");
  EXPECT_EQ(SizeOf(Emf(5, 5, 5, 90)).Error, "empty WMF");
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
