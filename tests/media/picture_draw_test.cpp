#include <gtest/gtest.h>

#include <vector>

#include "media/picture.h"

using namespace quorbel;

namespace {

struct Surface {
  explicit Surface(int32_t w, int32_t h, uint32_t fill) : pixels(static_cast<size_t>(w * h), fill) {
    surface = {pixels.data(), w, w, h};
  }
  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * surface.Stride + x)]; }
  std::vector<uint32_t> pixels;
  PixelSurface surface;
};

} // namespace

TEST(PictureDraw, AStretchedColumnComesFromItsProportionalSourceColumn) {
  CPicture picture(3, 1, 8, 0);
  for (int i = 0; i < 3; ++i) {
    picture.SetPaletteColour(i, static_cast<uint8_t>(10 * (i + 1)), 0, 0);
    picture.WritePixelIndex(i, 0, static_cast<uint8_t>(i));
  }
  Surface s(7, 2, 0);
  ASSERT_EQ(picture.Draw(s.surface, 0, 0, 7, 2), 1);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(s.At(i, 1), RgbPixel(static_cast<uint8_t>(10 * (i * 3 / 7 + 1)), 0, 0).Value) << i;
  EXPECT_EQ(picture.Draw(s.surface, 0, 0, 0, 2), 0);
}

TEST(PictureDraw, TransparencyClipAndAlphaDecideWhatIsWritten) {
  CPicture picture(2, 1, 24, 0);
  picture.SetPixelColor(0, 0, RgbPixel(1, 2, 3));
  picture.SetPixelColor(1, 0, RgbPixel(255, 255, 255));
  picture.Info().TransparentIndex = 0;
  picture.Info().TransparentColour = RgbPixel(1, 2, 3);
  Surface s(2, 1, 0x00404040u);
  picture.Draw(s.surface, 0, 0, 2, 1);
  EXPECT_EQ(s.At(0, 0), 0x00404040u); // the transparent colour leaves the surface
  EXPECT_EQ(s.At(1, 0), 0x00FFFFFFu);

  picture.Info().TransparentIndex = -1;
  picture.CreateAlpha();
  picture.SetAlpha(0, 0, 0);
  picture.SetAlpha(1, 0, 128);
  Surface blend(2, 1, 0);
  picture.Draw(blend.surface, 0, 0, 2, 1);
  EXPECT_EQ(blend.At(0, 0), 0u);          // alpha 0: skipped
  EXPECT_EQ(blend.At(1, 0), 0x00808080u); // (255 x 128 + 127) / 255 = 128

  const SurfaceRect clip{1, 0, 2, 1};
  Surface clipped(2, 1, 7);
  picture.Info().TransparentIndex = -1;
  picture.DeleteAlpha();
  picture.Draw(clipped.surface, 0, 0, 2, 1, &clip);
  EXPECT_EQ(clipped.At(0, 0), 7u);
  EXPECT_EQ(clipped.At(1, 0), 0x00FFFFFFu);
}
