#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "media/picture.h"
#include "media/picture_bmp.h"
#include "media/picture_file.h"
#include "tests/media/bmp_fixture.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

bool Decode(const std::vector<uint8_t> &bytes, CPicture &picture) {
  CPictureMemFile file(bytes);
  return picture.Decode(file, kPictureBmp);
}

// Two grey entries, black and white.
std::vector<uint8_t> BlackWhite() { return {0, 0, 0, 0, 255, 255, 255, 0}; }

// A 3 x 2 picture at each depth whose bottom-left pixel is white and the rest black.
std::vector<std::vector<uint8_t>> EveryDepth() {
  std::vector<std::vector<uint8_t>> files;
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 1,
                           .PaletteCount = 2,
                           .Palette = BlackWhite(),
                           .Pixels = {0x80, 0, 0, 0, 0, 0, 0, 0}}));
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 4,
                           .PaletteCount = 2,
                           .Palette = BlackWhite(),
                           .Pixels = {0x10, 0, 0, 0, 0, 0, 0, 0}}));
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 8,
                           .PaletteCount = 2,
                           .Palette = BlackWhite(),
                           .Pixels = {1, 0, 0, 0, 0, 0, 0, 0}}));
  std::vector<uint8_t> rows24(24, 0);
  rows24[0] = rows24[1] = rows24[2] = 255;
  files.push_back(MakeBmp({.Width = 3, .Height = 2, .Bits = 24, .Pixels = rows24}));
  std::vector<uint8_t> rows16(16, 0);
  rows16[0] = 0xFF;
  rows16[1] = 0x7F; // 5-5-5 white
  files.push_back(MakeBmp({.Width = 3, .Height = 2, .Bits = 16, .Pixels = rows16}));
  rows16[1] = 0xFF; // 5-6-5 white
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 16,
                           .Compression = 3,
                           .Masks = {0xF800, 0x07E0, 0x001F},
                           .Pixels = rows16}));
  std::vector<uint8_t> rows32(24, 0);
  rows32[0] = rows32[1] = rows32[2] = 255;
  files.push_back(MakeBmp({.Width = 3, .Height = 2, .Bits = 32, .Pixels = rows32}));
  // RLE8: a white pixel, two black, end of line, three black, end of bitmap.
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 8,
                           .Compression = 1,
                           .PaletteCount = 2,
                           .Palette = BlackWhite(),
                           .Pixels = {1, 1, 2, 0, 0, 0, 3, 0, 0, 1}}));
  // RLE4: an absolute run of three (white, black, black), end of line, end of bitmap.
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 4,
                           .Compression = 2,
                           .PaletteCount = 2,
                           .Palette = BlackWhite(),
                           .Pixels = {0, 3, 0x10, 0x00, 0, 0, 0, 1}}));
  // A core header with three-byte palette entries.
  files.push_back(MakeBmp({.Width = 3,
                           .Height = 2,
                           .Bits = 8,
                           .HeaderSize = 12,
                           .Palette = std::vector<uint8_t>(768, 0),
                           .Pixels = {1, 0, 0, 0, 0, 0, 0, 0}}));
  files.back()[26 + 3] = files.back()[26 + 4] = files.back()[26 + 5] = 255; // entry 1 white
  // A 124-byte header: the rows are where the file header says.
  files.push_back(MakeBmp({.Width = 3, .Height = 2, .Bits = 24, .HeaderSize = 124, .Pixels = rows24}));
  return files;
}

} // namespace

TEST(BmpCodec, EveryDepthAndCompressionReadsTheSamePicture) {
  const std::vector<std::vector<uint8_t>> files = EveryDepth();
  for (size_t i = 0; i < files.size(); ++i) {
    CPicture picture;
    ASSERT_TRUE(Decode(files[i], picture)) << i << ": " << picture.LastError();
    EXPECT_EQ(picture.Type(), kPictureBmp);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.GetPixelGray(0, 0), 255) << i;
    EXPECT_EQ(picture.GetPixelGray(1, 0), 0) << i;
    EXPECT_EQ(picture.GetPixelGray(0, 1), 0) << i;
  }
  CPicture thirtyTwo;
  ASSERT_TRUE(Decode(files[6], thirtyTwo));
  EXPECT_EQ(thirtyTwo.Bits(), 24);
  EXPECT_EQ(thirtyTwo.Info().XDpi, 96); // 3780 pixels a metre
}

TEST(BmpCodec, SixteenBitChannelsAreScaledToTheirFullRange) {
  // 5-5-5: red 31, green 16, blue 1; 5-6-5: red 1, green 63, blue 30.
  const std::vector<uint8_t> rows = {0x01, 0x7E, 0xFE, 0x0F, 0, 0, 0, 0};
  CPicture picture;
  ASSERT_TRUE(Decode(MakeBmp({.Width = 2, .Height = 1, .Bits = 16, .Pixels = rows}), picture));
  EXPECT_EQ(picture.GetPixelColor(0, 0), RgbPixel(255, 131, 8));
  ASSERT_TRUE(Decode(MakeBmp({.Width = 2,
                              .Height = 1,
                              .Bits = 16,
                              .Compression = 3,
                              .Masks = {0xF800, 0x07E0, 0x001F},
                              .Pixels = rows}),
                     picture));
  EXPECT_EQ(picture.GetPixelColor(1, 0), RgbPixel(8, 255, 246));
}

TEST(BmpCodec, TopDownRowsAreTurnedTheRightWayUp) {
  CPicture picture;
  ASSERT_TRUE(Decode(MakeBmp({.Width = 1,
                              .Height = -2,
                              .Bits = 8,
                              .PaletteCount = 2,
                              .Palette = BlackWhite(),
                              .Pixels = {1, 0, 0, 0, 0, 0, 0, 0}}),
                     picture));
  EXPECT_EQ(picture.Height(), 2);
  EXPECT_EQ(picture.ReadPixelIndex(0, 1), 1); // the first row stored is the top one
}

TEST(BmpCodec, HostileCountsAndRunsStayInsideThePicture) {
  // More palette entries than 8 bits hold: read as 256.
  std::vector<uint8_t> palette(1024 * 4, 7);
  CPicture picture;
  EXPECT_TRUE(Decode(MakeBmp({.Width = 1,
                              .Height = 1,
                              .Bits = 8,
                              .PaletteCount = 1000,
                              .Palette = palette,
                              .Pixels = {0, 0, 0, 0}}),
                     picture));
  // Deltas and runs far past the last row and column are dropped.
  EXPECT_TRUE(Decode(MakeBmp({.Width = 2,
                              .Height = 2,
                              .Bits = 8,
                              .Compression = 1,
                              .PaletteCount = 2,
                              .Palette = BlackWhite(),
                              .Pixels = {200, 1, 0, 2, 255, 255, 50, 1, 0, 1}}),
                     picture));
  EXPECT_EQ(picture.ReadPixelIndex(1, 0), 1);
  // Rows that end early are refused, not half read.
  std::vector<uint8_t> shortRows =
      MakeBmp({.Width = 4, .Height = 4, .Bits = 24, .Pixels = std::vector<uint8_t>(48)});
  shortRows.resize(shortRows.size() - 1);
  EXPECT_FALSE(Decode(shortRows, picture));
  EXPECT_EQ(picture.LastError(), "Error reading BMP info");
  // Rows whose claimed size is past what 64 bits count.
  EXPECT_FALSE(Decode(MakeBmp({.Width = INT32_MAX, .Height = INT32_MAX, .Bits = 32}), picture));
  EXPECT_EQ(picture.LastError(), "Error reading BMP info");
  EXPECT_FALSE(Decode(
      MakeBmp({.Width = 1, .Height = 1, .Bits = 24, .Compression = 1, .Pixels = {0, 0, 0, 0}}), picture));
  EXPECT_EQ(picture.LastError(), "unknown compression");
}

TEST(BmpCodec, EveryPrefixAndSeededFlipGivesAPictureOrAText) {
  std::mt19937 random(20261209);
  for (const std::vector<uint8_t> &file : EveryDepth()) {
    for (size_t n = 0; n < file.size(); ++n) {
      CPicture picture;
      if (!Decode(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<ptrdiff_t>(n)), picture)) {
        EXPECT_FALSE(picture.LastError().empty());
      }
    }
    for (int flip = 0; flip < 300; ++flip) {
      std::vector<uint8_t> damaged = file;
      damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
      CPicture picture;
      if (Decode(damaged, picture)) {
        EXPECT_TRUE(picture.IsValid());
      } else {
        EXPECT_FALSE(picture.LastError().empty());
      }
    }
  }
}

TEST(BmpCodec, AFileOfAnotherNameLoadsThroughEveryCodec) {
  quorbel::testing::TempDir dir;
  const std::string path = (dir.Path() / "looks.gif").string();
  const std::vector<uint8_t> bmp = EveryDepth()[3];
  quorbel::testing::WriteBytes(path, std::string(bmp.begin(), bmp.end()));
  CPicture picture;
  EXPECT_TRUE(picture.Load(path, kPictureGif));
  EXPECT_EQ(picture.Type(), kPictureBmp);
  const std::string junk = (dir.Path() / "junk.bmp").string();
  quorbel::testing::WriteBytes(junk, "not a picture at all");
  EXPECT_FALSE(picture.Load(junk, kPictureBmp));
  EXPECT_EQ(picture.LastError(), "Error reading BMP info"); // the codec asked for names the failure
  EXPECT_FALSE(picture.Load((dir.Path() / "missing.bmp").string(), kPictureBmp));
}

TEST(PackedBitmap, TheClipboardsBlockIsABitmapWithoutItsFileHeader) {
  std::vector<uint8_t> file = EveryDepth()[7]; // RLE8
  const std::vector<uint8_t> block(file.begin() + 14, file.end());
  CPicture picture;
  ASSERT_TRUE(CreateFromPackedBitmap(block, picture));
  EXPECT_EQ(picture.GetPixelGray(0, 0), 255);
  EXPECT_FALSE(CreateFromPackedBitmap(std::vector<uint8_t>{}, picture));
  EXPECT_FALSE(picture.IsValid());
  // A palette count of 1000 and deltas past the last row stay inside the picture.
  std::vector<uint8_t> hostile = MakeBmp({.Width = 2,
                                          .Height = 2,
                                          .Bits = 8,
                                          .Compression = 1,
                                          .PaletteCount = 1000,
                                          .Palette = std::vector<uint8_t>(256 * 4, 9),
                                          .Pixels = {0, 2, 200, 200, 3, 1, 0, 1}});
  EXPECT_TRUE(CreateFromPackedBitmap(std::vector<uint8_t>(hostile.begin() + 14, hostile.end()), picture));
  EXPECT_EQ(picture.PaletteSize(), 256);
}

TEST(BmpCodec, AnOddAbsoluteRunSkipsItsPadByte) {
  // Bottom row: an absolute run of three (white, black, white) and its pad byte, end of line;
  // top row: an encoded run of three whites, end of bitmap. A missed pad byte shifts the top row.
  CPicture eight;
  ASSERT_TRUE(Decode(MakeBmp({.Width = 3,
                              .Height = 2,
                              .Bits = 8,
                              .Compression = 1,
                              .PaletteCount = 2,
                              .Palette = BlackWhite(),
                              .Pixels = {0, 3, 1, 0, 1, 0, 0, 0, 3, 1, 0, 1}}),
                     eight));
  // RLE4: five pixels (white, black, white, black, white) take three bytes and a pad byte.
  CPicture four;
  ASSERT_TRUE(Decode(MakeBmp({.Width = 5,
                              .Height = 2,
                              .Bits = 4,
                              .Compression = 2,
                              .PaletteCount = 2,
                              .Palette = BlackWhite(),
                              .Pixels = {0, 5, 0x10, 0x10, 0x10, 0, 0, 0, 5, 0x11, 0, 1}}),
                     four));
  for (CPicture *picture : {&eight, &four}) {
    const int width = picture->Width();
    for (int x = 0; x < width; ++x) {
      EXPECT_EQ(picture->ReadPixelIndex(x, 0), (x + 1) % 2) << "bottom row, x " << x;
      EXPECT_EQ(picture->ReadPixelIndex(x, 1), 1) << "top row, x " << x;
    }
  }
}
