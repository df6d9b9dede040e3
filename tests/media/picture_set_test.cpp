#include "media/picture_set.h"

#include <gtest/gtest.h>

#include "tests/media/gif_fixture.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::string Bytes(const std::vector<uint8_t> &v) { return std::string(v.begin(), v.end()); }

} // namespace

TEST(PictureSet, AnimatedFilesGiveAtMostFortyFourFramesWithTheirDelays) {
  quorbel::testing::TempDir dir;
  GifSpec spec{.Width = 2, .Height = 1, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 255, 255)}};
  for (int k = 0; k < 60; ++k)
    spec.Frames.push_back({.Width = 2, .Height = 1, .Pixels = {static_cast<uint8_t>(k % 2), 0}, .Delay = k});
  const std::string gif = (dir.Path() / "A.GIF").string();
  quorbel::testing::WriteBytes(gif, Bytes(MakeGif(spec)));
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
