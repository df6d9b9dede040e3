// Files of a few bytes that claim enormous pictures: each codec refuses them before it makes
// the rows, and a picture at the bound still decodes.
#include <gtest/gtest.h>

#include "media/picture.h"
#include "media/picture_file.h"
#include "tests/media/bmp_fixture.h"
#include "tests/media/gif_fixture.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

// A PCX header of one 1-bit plane and a few bytes of runs.
std::vector<uint8_t> PcxHeader(uint16_t width, uint16_t height, uint16_t lineBytes) {
  std::vector<uint8_t> file(128, 0);
  file[0] = 10;
  file[1] = 5;
  file[2] = 1;
  file[3] = 1;
  file[8] = static_cast<uint8_t>(width - 1);
  file[9] = static_cast<uint8_t>((width - 1) >> 8);
  file[10] = static_cast<uint8_t>(height - 1);
  file[11] = static_cast<uint8_t>((height - 1) >> 8);
  file[65] = 1;
  file[66] = static_cast<uint8_t>(lineBytes);
  file[67] = static_cast<uint8_t>(lineBytes >> 8);
  for (int run = 0; run < 3; ++run) { // three runs of 63 zeros
    file.push_back(0xFF);
    file.push_back(0);
  }
  return file;
}

std::vector<uint8_t> RunLengthBmp(int32_t width, int32_t height, uint16_t bits) {
  return MakeBmp({.Width = width,
                  .Height = height,
                  .Bits = bits,
                  .Compression = bits == 8 ? 1u : 2u,
                  .Palette = std::vector<uint8_t>((size_t{4} << bits), 0),
                  .Pixels = {0, 1}}); // the end of the bitmap at once
}

struct Claim {
  const char *Name;
  std::vector<uint8_t> File;
  int32_t Type;
  uint64_t MostBytes; // what the caller allows the rows
  const char *Refusal;
};

TEST(PictureBounds, FilesClaimingHugePicturesAreRefusedBeforeTheirRowsAreMade) {
  GifLayout bomb{.Width = 9000, .Height = 9000, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 255, 255)}};
  bomb.Frames.push_back({.Width = 9000, .Height = 9000, .Pixels = {1, 1, 1, 1}});
  constexpr uint64_t kAnyRows = ~uint64_t{0};
  const Claim claims[] = {
      {"RLE8 BMP of 16384 x 16384 in 1 KB", RunLengthBmp(16384, 16384, 8), kPictureBmp, kAnyRows,
       "CPicture::Create can't allocate memory"},
      {"RLE4 BMP of 16000 x 16000 in 120 bytes", RunLengthBmp(16000, 16000, 4), kPictureBmp, kAnyRows,
       "CPicture::Create can't allocate memory"},
      {"GIF of 9000 x 9000", MakeGif(bomb), kPictureGif, kAnyRows, "GIF screen too large"},
      // Lines too short for the width: nothing would fill the pixels, and every one is visited.
      {"PCX of 4096 x 4096 with empty lines", PcxHeader(4096, 4096, 0), kPicturePcx, kAnyRows,
       "corrupted PCX"},
      // Its data cannot fill its lines: refused before a picture the caller would not allow.
      {"PCX of 4096 x 4096 in 134 bytes", PcxHeader(4096, 4096, 512), kPicturePcx, 1024, "corrupted PCX"},
  };
  for (const Claim &claim : claims) {
    SCOPED_TRACE(claim.Name);
    CPictureMemFile file(claim.File);
    CPicture picture;
    picture.Info().MostBytes = claim.MostBytes;
    EXPECT_FALSE(picture.Decode(file, claim.Type));
    EXPECT_EQ(picture.LastError(), claim.Refusal);
    EXPECT_FALSE(picture.IsValid());
  }
}

TEST(PictureBounds, APictureAtTheBoundDecodesAndOnePixelMoreIsRefused) {
  CPictureMemFile file(RunLengthBmp(4096, 4096, 8));
  CPicture picture;
  ASSERT_TRUE(picture.Decode(file, kPictureBmp)) << picture.LastError();
  EXPECT_EQ(picture.Width(), 4096);
  // Rows of one bit that would take little memory, but more pixels than a picture holds.
  EXPECT_EQ(picture.Create(4097, 4096, 1, kPictureBmp), nullptr);
  EXPECT_NE(picture.Create(4096, 4096, 1, kPictureBmp), nullptr);
}

} // namespace
