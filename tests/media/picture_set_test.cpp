#include "media/picture_set.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "tests/media/gif_fixture.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::string Bytes(const std::vector<uint8_t> &v) { return std::string(v.begin(), v.end()); }

// An icon file of 24-bit images, image i of width i + 1 and height 1 in the colour given (blue,
// green, red), none masked.
std::vector<uint8_t> IconFile(const std::vector<std::array<uint8_t, 3>> &colours) {
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, static_cast<uint32_t>(colours.size()));
  std::vector<std::vector<uint8_t>> images;
  for (size_t i = 0; i < colours.size(); ++i) {
    const auto width = static_cast<uint32_t>(i + 1);
    std::vector<uint8_t> image;
    for (const uint32_t field : {40u, width, 2u})
      Put32(image, field);
    Put16(image, 1);
    Put16(image, 24);
    image.resize(40, 0);
    for (uint32_t x = 0; x < width; ++x)
      image.insert(image.end(), colours[i].begin(), colours[i].end());
    image.resize(40 + (3 * width + 3) / 4 * 4 + 4, 0); // the row, then the mask's
    images.push_back(image);
  }
  auto offset = static_cast<uint32_t>(6 + 16 * colours.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file.insert(file.end(), {static_cast<uint8_t>(i + 1), 1, 0, 0});
    Put16(file, 1);
    Put16(file, 24);
    Put32(file, static_cast<uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::vector<uint8_t> &image : images)
    file.insert(file.end(), image.begin(), image.end());
  return file;
}

} // namespace

TEST(PictureSet, AnimatedFilesGiveAtMostFortyFourFramesWithTheirDelays) {
  quorbel::testing::TempDir dir;
  GifLayout frames{.Width = 2, .Height = 1, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 255, 255)}};
  for (int k = 0; k < 60; ++k)
    frames.Frames.push_back(
        {.Width = 2, .Height = 1, .Pixels = {static_cast<uint8_t>(k % 2), 0}, .Delay = k});
  const std::string gif = (dir.Path() / "A.GIF").string();
  quorbel::testing::WriteBytes(gif, Bytes(MakeGif(frames)));
  CBitMapGif set;
  ASSERT_EQ(GifLoadImage(set, gif), 1);
  EXPECT_EQ(set.FrameCount, kMostSetFrames);
  EXPECT_EQ(set.Delays[43], 430.0);
  EXPECT_EQ(set.Width, 2);
  EXPECT_EQ(set.Frames[1].GetPixelGray(0, 0), 255);
  EXPECT_EQ(set.Frames[2].GetPixelGray(0, 0), 0);

  const std::string bmp = (dir.Path() / "still.bmp").string();
  quorbel::testing::WriteBytes(bmp,
                               Bytes(MakeBmp({.Width = 1, .Height = 1, .Bits = 24, .Pixels = {1, 2, 3, 0}})));
  ASSERT_EQ(GifLoadImage(set, bmp), 1);
  EXPECT_EQ(set.FrameCount, 1);
  EXPECT_EQ(set.Delays[0], 0.0);

  const std::string icon = (dir.Path() / "three.ico").string();
  quorbel::testing::WriteBytes(icon, Bytes(IconFile({{0, 0, 255}, {255, 0, 0}, {0, 255, 0}})));
  ASSERT_EQ(GifLoadImage(set, icon), 1);
  ASSERT_EQ(set.FrameCount, 3);
  EXPECT_EQ(set.Frames[0].GetPixelColor(0, 0), RgbPixel(255, 0, 0));
  EXPECT_EQ(set.Frames[1].Width(), 2);
  EXPECT_EQ(set.Frames[1].GetPixelColor(1, 0), RgbPixel(0, 0, 255));
  EXPECT_EQ(set.Frames[2].GetPixelColor(2, 0), RgbPixel(0, 255, 0));
  EXPECT_EQ(set.Width, 1);
}

// Our reader keeps the first frame's transparent index for every frame: a shipped animation that
// named another one in a later frame would show that frame's drawn colour as a hole.
TEST(PictureSet, ShippedAnimationsNameOneTransparentIndex) {
  int checked = 0;
  for (const auto &entry : std::filesystem::recursive_directory_iterator(QUORBEL_TEST_DATA "/../../data")) {
    if (entry.path().extension() != ".gif")
      continue;
    const std::string bytes = quorbel::testing::ReadBytes(entry.path().string());
    const std::vector<int> indices = GifTransparentIndices({bytes.begin(), bytes.end()});
    ASSERT_FALSE(indices.empty()) << entry.path();
    checked += indices.size() > 1;
    for (size_t i = 1; i < indices.size(); ++i)
      EXPECT_EQ(indices[i], indices[0]) << entry.path() << " frame " << i;
  }
  EXPECT_GT(checked, 10);
}

// A tiny file may describe a huge screen with many one-pixel frames: a set keeps what its bound
// holds, and a screen beyond it is refused before anything is drawn.
TEST(PictureSet, AllFramesTogetherStayWithinTheSetsBound) {
  quorbel::testing::TempDir dir;
  for (const int side : {3000, 9000}) {
    SCOPED_TRACE(side);
    GifLayout layout{.Width = side, .Height = side, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 255, 255)}};
    for (int k = 0; k < kMostSetFrames; ++k)
      layout.Frames.push_back({.Left = k, .Pixels = {1}, .Delay = 1});
    const std::string gif = dir.File("huge" + std::to_string(side) + ".gif");
    quorbel::testing::WriteBytes(gif, Bytes(MakeGif(layout)));
    CBitMapGif set;
    std::string failure;
    const int loaded = GifLoadImage(set, gif, &failure);
    uint64_t total = 0;
    for (int i = 0; i < set.FrameCount; ++i)
      total += set.Frames[static_cast<size_t>(i)].Rows().size();
    EXPECT_LE(total, kMostSetBytes);
    if (side == 3000) {
      ASSERT_EQ(loaded, 1);
      EXPECT_GE(set.FrameCount, 1);
    } else {
      EXPECT_EQ(loaded, 0);
      EXPECT_EQ(failure, "Erreur GIF screen too large on Image : " + gif);
    }
  }
}

TEST(PictureSet, UnknownNamesAreSilentAndUnreadablePicturesSaySo) {
  quorbel::testing::TempDir dir;
  CBitMapGif set;
  std::string failure;
  EXPECT_EQ(GifLoadImage(set, (dir.Path() / "noext").string(), &failure), 0);
  EXPECT_TRUE(failure.empty());
  const std::string bad = (dir.Path() / "bad.tga").string();
  quorbel::testing::WriteBytes(bad, "junk");
  EXPECT_EQ(GifLoadImage(set, bad, &failure), 0);
  EXPECT_EQ(failure, "Erreur Not a TGA on Image : " + bad);
  EXPECT_FALSE(set.Frames[0].IsValid());
}

TEST(PictureSet, AWidePictureFillsTheMiddleRowsOfASquare) {
  const SurfaceRect fitted = FitPicture(100, 50, SurfaceRect{0, 0, 40, 40});
  EXPECT_EQ(fitted.Top, 10);
  EXPECT_EQ(fitted.Bottom, 30);
  EXPECT_EQ(fitted.Left, 0);
  EXPECT_EQ(fitted.Right, 40);
  const SurfaceRect tall = FitPicture(10, 40, SurfaceRect{0, 0, 40, 40});
  EXPECT_EQ(tall.Left, 15);
  EXPECT_EQ(tall.Right, 25);
}

TEST(PictureSet, TheBarSweepsDownPushingThePictureThenGoesBackAlone) {
  CBitMapGif set;
  set.Frames[0].Create(40, 40, 24, 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      set.Frames[0].SetPixelColor(x, y, RgbPixel(0, 0, 200));
  set.FrameCount = 1;
  const uint32_t ground = 0x00111111u;
  const uint32_t blue = RgbPixel(0, 0, 200).Value;
  const uint32_t red = RgbPixel(255, 0, 0).Value;
  const uint32_t green = RgbPixel(0, 128, 0).Value;
  auto paint = [&](int countdown) {
    std::vector<uint32_t> pixels(40 * 40, ground);
    PixelSurface surface{pixels.data(), 40, 40, 40};
    GifDrawFitted(set, 0, surface, kEffectFromTop, countdown, 20, SurfaceRect{0, 0, 40, 40});
    return pixels;
  };
  auto at = [](const std::vector<uint32_t> &p, int x, int y) { return p[static_cast<size_t>(y * 40 + x)]; };
  const std::vector<uint32_t> start = paint(20); // the picture in place, no bar yet
  EXPECT_EQ(at(start, 5, 0), blue);
  EXPECT_EQ(at(start, 5, 39), blue);
  const std::vector<uint32_t> half = paint(15); // the bar half-way down, the picture below it
  EXPECT_EQ(at(half, 5, 15), red);
  EXPECT_EQ(at(half, 20, 5), green);
  EXPECT_EQ(at(half, 5, 5), ground);
  EXPECT_EQ(at(half, 5, 25), blue);
  const std::vector<uint32_t> bottom = paint(10); // at the bottom: no picture
  EXPECT_EQ(at(bottom, 5, 35), red);
  EXPECT_EQ(at(bottom, 5, 20), ground);
  const std::vector<uint32_t> back = paint(5); // half-way back up, still no picture
  EXPECT_EQ(at(back, 5, 15), red);
  EXPECT_EQ(at(back, 5, 30), ground);
  const std::vector<uint32_t> done = paint(0); // the picture plainly
  EXPECT_EQ(at(done, 5, 15), blue);
  EXPECT_EQ(at(done, 20, 5), blue);
}

TEST(PictureSet, TheImageCursorHasABlackTipAndShowsThroughItsKeyColour) {
  CBitMapGif set;
  CPicture &frame = set.Frames[0];
  frame.Create(2, 2, 8, 0);
  frame.SetPaletteColour(0, 0, 255, 0); // the key
  frame.SetPaletteColour(1, 255, 0, 0);
  frame.WritePixelIndex(1, 1, 1); // top right red, the rest key
  frame.Info().TransparentIndex = 0;
  set.FrameCount = 1;
  const CursorImage cursor = MakeImageCursor(set);
  EXPECT_TRUE(cursor.At(3, 4)); // the tip
  EXPECT_EQ(cursor.Colour[4 * kCursorSide + 3], PixelColour{});
  EXPECT_FALSE(cursor.At(5, 30)); // bottom left: the key shows through
  EXPECT_TRUE(cursor.At(30, 5));  // top right: red
  EXPECT_EQ(cursor.Colour[5 * kCursorSide + 30], RgbPixel(255, 0, 0));
}
