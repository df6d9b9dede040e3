#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "media/picture.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "tests/media/gif_fixture.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

const PixelColour kBlack = RgbPixel(0, 0, 0);
const PixelColour kWhite = RgbPixel(255, 255, 255);
const PixelColour kRed = RgbPixel(255, 0, 0);

bool Decode(const std::vector<uint8_t> &bytes, CPicture &picture, int frame = 0) {
  CPictureMemFile file(bytes);
  picture.Info().FrameIndex = frame;
  return picture.Decode(file, kPictureGif);
}

// Screen row `y` from the top, as pictures keep rows from the bottom.
PixelColour At(const CPicture &picture, int x, int y) {
  return picture.GetPixelColor(x, picture.Height() - 1 - y);
}

} // namespace

TEST(Gif, AFramePartlyOffTheScreenIsNeitherCountedNorShown) {
  GifLayout gif{.Width = 2, .Height = 2, .Global = {kBlack, kWhite}};
  gif.Frames.push_back({.Width = 2, .Height = 2, .Pixels = {1, 0, 0, 0}});
  gif.Frames.push_back({.Left = 1, .Width = 2, .Height = 1, .Pixels = {1, 1}});
  gif.Frames.push_back({.Width = 1, .Height = 1, .Pixels = {0}, .Delay = 7});
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture, 1));
  EXPECT_EQ(picture.Info().FrameCount, 2);
  EXPECT_EQ(picture.Info().FrameDelay, 7);
  EXPECT_EQ(At(picture, 0, 0), kBlack); // the third frame, over the first
  EXPECT_EQ(At(picture, 1, 0), kBlack);
  EXPECT_FALSE(Decode(MakeGif(gif), picture, 2));
  EXPECT_EQ(picture.Info().FrameCount, 2);
}

TEST(Gif, ManyFramesAreCountedAndEachKeepsItsDelay) {
  GifLayout gif{.Width = 1, .Height = 1, .Global = {kBlack, kWhite}};
  for (int k = 0; k < 60; ++k)
    gif.Frames.push_back({.Pixels = {static_cast<uint8_t>(k % 2)}, .Delay = k});
  const std::vector<uint8_t> file = MakeGif(gif);
  CPicture picture;
  ASSERT_TRUE(Decode(file, picture, 59));
  EXPECT_EQ(picture.Info().FrameCount, 60);
  EXPECT_EQ(picture.Info().FrameDelay, 59);
  EXPECT_EQ(At(picture, 0, 0), kWhite);
  EXPECT_EQ(picture.Bits(), 8); // several frames: an 8-bit canvas
}

TEST(Gif, DisposalTransparencyAndInterlaceComposeTheScreen) {
  GifLayout gif{.Width = 1, .Height = 5, .Global = {kBlack, kWhite, kRed, kBlack}};
  // Interlaced rows come as 0, 4, 2, 1, 3.
  gif.Frames.push_back(
      {.Height = 5, .Pixels = {1, 2, 1, 1, 2}, .Interlaced = true, .Transparent = 3, .Disposal = 2});
  gif.Frames.push_back({.Height = 2, .Pixels = {3, 2}, .Transparent = 3});
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture, 0));
  EXPECT_EQ(At(picture, 0, 0), kWhite);
  EXPECT_EQ(At(picture, 0, 4), kRed);
  EXPECT_EQ(At(picture, 0, 2), kWhite);
  EXPECT_EQ(At(picture, 0, 1), kWhite);
  EXPECT_EQ(At(picture, 0, 3), kRed);
  ASSERT_TRUE(Decode(MakeGif(gif), picture, 1));
  // The first frame was disposed of: the screen holds the transparent index but where the
  // second frame painted.
  EXPECT_EQ(picture.ReadPixelIndex(0, 4), 3);
  EXPECT_EQ(At(picture, 0, 1), kRed);
  EXPECT_EQ(picture.Info().TransparentIndex, 3);
}

TEST(Gif, LaterFramesKeepTheirColoursOnTheCanvasOfATwoColourFirstFrame) {
  GifLayout gif{.Width = 1, .Height = 1, .Global = {kBlack, kWhite}};
  std::vector<PixelColour> many(256, kBlack);
  many[200] = kRed;
  gif.Frames.push_back({.Pixels = {1}});
  gif.Frames.push_back({.Pixels = {200}, .Local = many});
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture, 1));
  EXPECT_EQ(At(picture, 0, 0), kRed);
  GifLayout single{.Width = 1, .Height = 1, .Global = {kBlack, kWhite}};
  single.Frames.push_back({.Pixels = {1}});
  ASSERT_TRUE(Decode(MakeGif(single), picture, 0));
  EXPECT_EQ(picture.Bits(), 1); // one frame keeps its own depth
}

TEST(Gif, WithoutGlobalColoursASmallFirstFrameComposesInTrueColour) {
  GifLayout gif{.Width = 3, .Height = 3};
  gif.Frames.push_back({.Width = 1, .Height = 1, .Pixels = {1}, .Local = {kBlack, kRed}, .Transparent = 0});
  gif.Frames.push_back(
      {.Left = 2, .Top = 2, .Width = 1, .Height = 1, .Pixels = {1}, .Local = {kBlack, kWhite}});
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture, 1));
  EXPECT_EQ(picture.Bits(), 24);
  EXPECT_EQ(At(picture, 0, 0), kRed);
  EXPECT_EQ(At(picture, 2, 2), kWhite);
  EXPECT_EQ(picture.TransparentColour(), kBlack);
}

TEST(Gif, LongRunsAndRepeatsComeBackThroughTheCodeTable) {
  // Runs and repeats make strings of the table, its "code not yet known" case and wider codes.
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 40 * 30; ++i)
    pixels.push_back(static_cast<uint8_t>((i / 7) % 3 == 0 ? 0 : (i * i) % 5));
  GifLayout gif{
      .Width = 40, .Height = 30, .Global = {kBlack, kWhite, kRed, RgbPixel(0, 255, 0), RgbPixel(0, 0, 255)}};
  gif.Frames.push_back({.Width = 40, .Height = 30, .Pixels = pixels});
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture));
  for (int i = 0; i < 40 * 30; ++i)
    ASSERT_EQ(picture.ReadPixelIndex(i % 40, 29 - i / 40), pixels[static_cast<size_t>(i)]) << i;
}

TEST(Gif, TheCodesWidenExactlyWhenTheTableFillsEachWidth) {
  // Scattered bytes find few repeats: some 1,700 codes take the table past 512 and 1,024
  // entries, so the codes go from 9 to 11 bits within the picture.
  constexpr int kWidth = 48;
  constexpr int kHeight = 40;
  std::vector<PixelColour> colours;
  for (int c = 0; c < 256; ++c)
    colours.push_back(RgbPixel(c, 255 - c, c / 2));
  std::vector<uint8_t> pixels;
  std::minstd_rand scatter(5);
  for (int i = 0; i < kWidth * kHeight; ++i)
    pixels.push_back(static_cast<uint8_t>(scatter() % 256));
  GifLayout gif{.Width = kWidth, .Height = kHeight, .Global = colours};
  gif.Frames.push_back({.Width = kWidth, .Height = kHeight, .Pixels = pixels});
  const std::vector<uint8_t> lzw = LzwEncode(pixels, 8);
  ASSERT_GT(lzw.size() * 8, size_t{(512 - 258) * 9 + (1024 - 512) * 10}); // both widths crossed
  CPicture picture;
  ASSERT_TRUE(Decode(MakeGif(gif), picture));
  for (int i = 0; i < kWidth * kHeight; ++i)
    ASSERT_EQ(picture.ReadPixelIndex(i % kWidth, kHeight - 1 - i / kWidth), pixels[static_cast<size_t>(i)])
        << i;
}

TEST(Gif, AllFramesInOnePassAreTheFramesDecodedOneByOne) {
  GifLayout gif{.Width = 3, .Height = 2, .Global = {kBlack, kWhite, kRed, kBlack}};
  gif.Frames.push_back({.Width = 3, .Height = 2, .Pixels = {1, 2, 1, 2, 1, 2}, .Transparent = 3, .Delay = 4});
  gif.Frames.push_back(
      {.Left = 1, .Width = 2, .Height = 1, .Pixels = {3, 0}, .Transparent = 3, .Disposal = 2});
  gif.Frames.push_back({.Width = 1, .Height = 2, .Pixels = {2, 2}, .Interlaced = true, .Delay = 9});
  const std::vector<uint8_t> file = MakeGif(gif);
  CPictureMemFile all(file);
  const std::vector<CPicture> frames = DecodeGifFrames(all, 44);
  ASSERT_EQ(frames.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    CPicture one;
    ASSERT_TRUE(Decode(file, one, i));
    const CPicture &fast = frames[static_cast<size_t>(i)];
    EXPECT_TRUE(std::ranges::equal(fast.Rows(), one.Rows())) << i;
    EXPECT_TRUE(std::ranges::equal(fast.Palette(), one.Palette())) << i;
    EXPECT_EQ(fast.Info().FrameDelay, one.Info().FrameDelay) << i;
    EXPECT_EQ(fast.Info().TransparentIndex, one.Info().TransparentIndex) << i;
    EXPECT_EQ(fast.Info().FrameCount, 3);
  }
}

TEST(Gif, EveryPrefixAndSeededFlipGivesAPictureOrNothingInBoundedTime) {
  GifLayout gif{.Width = 4, .Height = 3, .Global = {kBlack, kWhite, kRed, kBlack}};
  gif.Frames.push_back({.Width = 4, .Height = 3, .Pixels = std::vector<uint8_t>(12, 2), .Interlaced = true});
  gif.Frames.push_back(
      {.Left = 1, .Width = 2, .Height = 2, .Pixels = {1, 0, 3, 1}, .Transparent = 3, .Disposal = 2});
  const std::vector<uint8_t> file = MakeGif(gif);
  std::mt19937 random(1209);
  for (size_t n = 0; n <= file.size(); ++n) {
    CPicture picture;
    if (!Decode(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<ptrdiff_t>(n)), picture, 1)) {
      EXPECT_FALSE(picture.LastError().empty());
    }
  }
  for (int flip = 0; flip < 2000; ++flip) {
    std::vector<uint8_t> damaged = file;
    damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
    CPicture picture;
    if (Decode(damaged, picture, flip % 2)) {
      EXPECT_TRUE(picture.IsValid());
    }
  }
}
