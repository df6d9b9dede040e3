// The TGA, PCX, WBMP and ICO codecs on files the tests write, and on every prefix and
// seeded flip of them.
#include <gtest/gtest.h>

#include <random>

#include "media/picture.h"
#include "media/picture_file.h"
#include "tests/media/bmp_fixture.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

bool Decode(const std::vector<uint8_t> &bytes, CPicture &picture, int32_t type) {
  CPictureMemFile file(bytes);
  return picture.Decode(file, type);
}

// Width and height as multi-byte integers: seven bits a byte, the high bit on all but the last.
std::vector<uint8_t> Wbmp(uint8_t type, int width, int height) {
  std::vector<uint8_t> file = {type, 0};
  for (const int value : {width, height}) {
    if (value >= 128)
      file.push_back(static_cast<uint8_t>(0x80 | value >> 7));
    file.push_back(static_cast<uint8_t>(value & 0x7F));
  }
  const size_t header = file.size();
  file.resize(header + static_cast<size_t>((width + 7) / 8 * height), 0);
  if (width > 0 && height > 0)
    file[header] = 0x80; // the top row's first pixel white
  return file;
}

// A 2 x 2 TGA whose first pixel in file order is white, the others black.
std::vector<uint8_t> Tga(uint8_t imageType, uint8_t depth, uint8_t descriptor) {
  const bool mapped = (imageType & 7) == 1;
  const int bytes = (depth + 7) / 8;
  std::vector<uint8_t> file(18, 0);
  file[1] = mapped ? 1 : 0;
  file[2] = imageType;
  file[5] = mapped ? 2 : 0; // two map entries
  file[7] = 24;
  file[12] = file[14] = 2;
  file[16] = depth;
  file[17] = descriptor;
  if (mapped)
    file.insert(file.end(), {0, 0, 0, 255, 255, 255});
  std::vector<uint8_t> white(static_cast<size_t>(bytes), 0xFF);
  if (depth == 15 || depth == 16)
    white = {0xFF, 0x7F};
  if (mapped)
    white = {1};
  const std::vector<uint8_t> black(static_cast<size_t>(bytes), 0);
  if (imageType > 8) { // one literal pixel, then a run of three
    file.push_back(0);
    file.insert(file.end(), white.begin(), white.end());
    file.push_back(0x82);
    file.insert(file.end(), black.begin(), black.end());
  } else {
    file.insert(file.end(), white.begin(), white.end());
    for (int k = 0; k < 3; ++k)
      file.insert(file.end(), black.begin(), black.end());
  }
  return file;
}

// A PCX of 4 x 2 pixels with the top-left one lit: 8 bits in one plane (palette marker as
// given), 1 bit, or three colour planes.
std::vector<uint8_t> Pcx(uint8_t bits, uint8_t planes, bool marker) {
  std::vector<uint8_t> file(128, 0);
  file[0] = 10;
  file[1] = 5;
  file[2] = 1;
  file[3] = bits;
  file[8] = 3;  // xmax
  file[10] = 1; // ymax
  file[65] = planes;
  const uint8_t lineBytes = bits == 8 ? 4 : 2;
  file[66] = lineBytes;
  for (const int entry : {1, 15}) // what one lit bit and four lit planes show
    file[16 + 3 * entry] = file[17 + 3 * entry] = file[18 + 3 * entry] = 255;
  for (int y = 0; y < 2; ++y)
    for (int p = 0; p < planes; ++p)
      for (int k = 0; k < lineBytes; ++k) {
        const uint8_t value = y == 0 && k == 0 ? (bits == 8 ? 1 : 0x80) : 0;
        if (value >= 0xC0)
          file.push_back(0xC1);
        file.push_back(value);
      }
  if (bits == 8 && planes == 1) {
    file.push_back(marker ? 12 : 0);
    std::vector<uint8_t> palette(768, 0);
    palette[3] = palette[4] = palette[5] = 255;
    file.insert(file.end(), palette.begin(), palette.end());
  }
  return file;
}

// A 2 x 2 icon of 8 or 24 bits whose bottom-left pixel is masked.
std::vector<uint8_t> Ico(uint16_t bits, uint8_t maskRow0) {
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 1);
  file.insert(file.end(), {2, 2, 0, 0});
  Put16(file, 1);
  Put16(file, bits);
  Put32(file, 0);
  Put32(file, 22);
  Put32(file, 40);
  Put32(file, 2);
  Put32(file, 4);
  Put16(file, 1);
  Put16(file, bits);
  for (int k = 0; k < 6; ++k)
    Put32(file, 0);
  if (bits == 8) {
    Put32(file, 0x000000);
    Put32(file, 0xFFFFFF);
    Put32(file, 0x0000FF); // entry 2 used by nothing but the masked pixel
    for (int k = 3; k < 256; ++k)
      Put32(file, 0x000000);
    file.insert(file.end(), {2, 1, 0, 0, 1, 1, 0, 0});
  } else {
    file.insert(file.end(), {0, 0, 255, 255, 255, 255, 0, 0});
    file.insert(file.end(), {255, 255, 255, 255, 255, 255, 0, 0});
  }
  if (maskRow0 == 0xFF)
    file.insert(file.end(), 8, 0xFF);
  else
    file.insert(file.end(), {maskRow0, 0, 0, 0, 0, 0, 0, 0});
  return file;
}

} // namespace

TEST(Wbmp, AHundredByFiftyReadsAsOneBitAndOtherTypesAreRefused) {
  CPicture picture;
  ASSERT_TRUE(Decode(Wbmp(0, 100, 50), picture, kPictureWbmp));
  EXPECT_EQ(picture.Bits(), 1);
  EXPECT_EQ(picture.Width(), 100);
  EXPECT_EQ(picture.GetPixelGray(0, 49), 255); // the first row read is the top one
  EXPECT_EQ(picture.GetPixelGray(0, 0), 0);
  EXPECT_FALSE(Decode(Wbmp(1, 100, 50), picture, kPictureWbmp));
  EXPECT_EQ(picture.LastError(), "Unsupported WBMP type");
  EXPECT_FALSE(Decode(Wbmp(0, 0, 50), picture, kPictureWbmp));
  EXPECT_EQ(picture.LastError(), "Corrupted WBMP");
  EXPECT_FALSE(Decode({0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1}, picture, kPictureWbmp));
  EXPECT_EQ(picture.LastError(), "Corrupted WBMP");
}

TEST(Wbmp, WidthsAndHeightsOfSeveralBytesRead) {
  CPicture picture;
  ASSERT_TRUE(Decode(Wbmp(0, 200, 130), picture, kPictureWbmp)) << picture.LastError();
  EXPECT_EQ(picture.Width(), 200);
  EXPECT_EQ(picture.Height(), 130);
  EXPECT_EQ(picture.GetPixelGray(0, 129), 255);
  EXPECT_EQ(picture.GetPixelGray(1, 129), 0);
}

TEST(Tga, EveryTypeAndDepthReadsTheSamePictureWithItsOrigin) {
  struct Case {
    uint8_t type;
    uint8_t depth;
  };
  for (const Case c : {Case{1, 8}, Case{2, 15}, Case{2, 16}, Case{2, 24}, Case{2, 32}, Case{3, 8}, Case{9, 8},
                       Case{10, 16}, Case{10, 24}, Case{10, 32}, Case{11, 8}}) {
    SCOPED_TRACE(std::to_string(c.type) + "/" + std::to_string(c.depth));
    CPicture picture;
    ASSERT_TRUE(Decode(Tga(c.type, c.depth, 0), picture, kPictureTga)) << picture.LastError();
    EXPECT_GE(picture.GetPixelGray(0, 0), 248); // bottom-up: the first pixel is the bottom-left one
    EXPECT_EQ(picture.GetPixelGray(1, 1), 0);
    EXPECT_EQ(picture.HasAlpha(), c.depth == 32);
    ASSERT_TRUE(Decode(Tga(c.type, c.depth, 0x30), picture, kPictureTga));
    EXPECT_GE(picture.GetPixelGray(1, 1), 248); // top-down, right to left: the top-right one
    EXPECT_EQ(picture.GetPixelGray(0, 0), 0);
  }
  CPicture picture;
  EXPECT_FALSE(Decode(Tga(4, 8, 0), picture, kPictureTga));
  EXPECT_EQ(picture.LastError(), "Unknown TGA image type");
}

TEST(Pcx, PlanesAndPalettesBecomePixels) {
  for (const auto &[bits, planes] : {std::pair{8, 1}, {1, 1}, {1, 4}, {8, 3}}) {
    SCOPED_TRACE(std::to_string(bits) + "x" + std::to_string(planes));
    CPicture picture;
    ASSERT_TRUE(
        Decode(Pcx(static_cast<uint8_t>(bits), static_cast<uint8_t>(planes), true), picture, kPicturePcx))
        << picture.LastError();
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_NE(picture.GetPixelColor(0, 1), picture.GetPixelColor(1, 1)); // the top-left pixel is lit
    EXPECT_EQ(picture.GetPixelColor(1, 1), picture.GetPixelColor(0, 0));
  }
  CPicture picture;
  EXPECT_FALSE(Decode(Pcx(8, 1, false), picture, kPicturePcx));
  EXPECT_EQ(picture.LastError(), "bad color map signature");
}

TEST(Pcx, ARunMayEndOnThePicturesLastByte) {
  // 4 x 1 pixels of 8 bits coded as one run of four.
  std::vector<uint8_t> file = Pcx(8, 1, true);
  file.resize(128);
  file[10] = 0; // ymax
  file.insert(file.end(), {0xC4, 1, 12});
  std::vector<uint8_t> palette(768, 0);
  palette[3] = palette[4] = palette[5] = 255;
  file.insert(file.end(), palette.begin(), palette.end());
  CPicture picture;
  ASSERT_TRUE(Decode(file, picture, kPicturePcx)) << picture.LastError();
  EXPECT_EQ(picture.Height(), 1);
  for (int32_t x = 0; x < 4; ++x)
    EXPECT_EQ(picture.GetPixelColor(x, 0), RgbPixel(255, 255, 255));
}

TEST(Ico, TheMaskBecomesAFreeIndexATransparentColourOrAnInversion) {
  CPicture picture;
  ASSERT_TRUE(Decode(Ico(8, 0x80), picture, kPictureIco));
  EXPECT_EQ(picture.Info().TransparentIndex, 0); // the pixels left use 1 only
  EXPECT_EQ(picture.ReadPixelIndex(0, 0), 0);
  EXPECT_FALSE(picture.HasAlpha());
  ASSERT_TRUE(Decode(Ico(24, 0x80), picture, kPictureIco));
  EXPECT_EQ(picture.TransparentColour(), RgbPixel(255, 0, 0));
  ASSERT_TRUE(Decode(Ico(24, 0xFF), picture, kPictureIco));
  EXPECT_EQ(picture.Info().TransparentIndex, 0);
  EXPECT_EQ(picture.GetPixelColor(1, 0), RgbPixel(0, 0, 0)); // white, inverted
  // Not an icon at all: the format is unknown.
  EXPECT_FALSE(Decode({1, 0, 1, 0, 1, 0}, picture, kPictureIco));
  EXPECT_EQ(picture.LastError(), "Decode: Unknown or wrong format");
}

TEST(PictureCodecs, EveryPrefixAndSeededFlipGivesAPictureOrAText) {
  std::mt19937 random(91209);
  const std::vector<std::pair<std::vector<uint8_t>, int32_t>> fixtures = {
      {Wbmp(0, 20, 9), kPictureWbmp}, {Tga(10, 24, 0x30), kPictureTga}, {Tga(9, 8, 0), kPictureTga},
      {Pcx(8, 1, true), kPicturePcx}, {Pcx(8, 3, true), kPicturePcx},   {Ico(8, 0x80), kPictureIco},
      {Ico(24, 0x80), kPictureIco}};
  for (const auto &[file, type] : fixtures) {
    for (size_t n = 0; n <= file.size(); ++n) {
      CPicture picture;
      const std::vector<uint8_t> prefix(file.begin(), file.begin() + static_cast<ptrdiff_t>(n));
      for (const int32_t asked : {type, int32_t{kPictureUnknown}}) {
        if (!Decode(prefix, picture, asked)) {
          EXPECT_FALSE(picture.LastError().empty());
        }
      }
    }
    for (int flip = 0; flip < 300; ++flip) {
      std::vector<uint8_t> damaged = file;
      damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
      CPicture picture;
      if (Decode(damaged, picture, type)) {
        EXPECT_TRUE(picture.IsValid());
      } else {
        EXPECT_FALSE(picture.LastError().empty());
      }
    }
  }
}
