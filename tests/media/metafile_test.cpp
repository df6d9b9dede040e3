#include <gtest/gtest.h>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "tests/media/bmp_fixture.h"

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

TEST(Metafile, ASoundMetafileIsRefusedInItsOwnWords) {
  const std::vector<uint8_t> emf = Emf(0, 0, 8000, 2000);
  for (const int32_t type : {int32_t{kPictureWmf}, int32_t{kPictureUnknown}}) {
    CPictureMemFile file(emf);
    CPicture picture;
    EXPECT_FALSE(picture.Decode(file, type));
    EXPECT_EQ(picture.LastError(), kMetafileNotDrawn);
  }
}
