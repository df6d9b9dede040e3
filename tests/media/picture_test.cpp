#include "media/picture.h"

#include <gtest/gtest.h>

using namespace quorbel;

TEST(Picture, CreateNormalisesTheDepthAndPadsRowsToFourBytes) {
  CPicture picture;
  ASSERT_NE(picture.Create(10, 10, 16, kPictureGif), nullptr);
  EXPECT_EQ(picture.Bits(), 24);
  EXPECT_EQ(picture.Stride(), 32);
  EXPECT_EQ(picture.PaletteSize(), 0);
  ASSERT_NE(picture.Create(3, 1, 1, kPictureBmp), nullptr);
  EXPECT_EQ(picture.Stride(), 4);
  EXPECT_EQ(picture.PaletteSize(), 2);
  EXPECT_EQ(CPicture(5, 5, 3, 0).Bits(), 4);
  EXPECT_EQ(CPicture(5, 5, 7, 0).PaletteSize(), 256);
}

TEST(Picture, CreateRefusesEmptyAndHugePicturesWithAText) {
  CPicture picture;
  EXPECT_EQ(picture.Create(0, 10, 8, 0), nullptr);
  EXPECT_EQ(picture.LastError(), "CPicture::Create : width and height must be greater than zero");
  EXPECT_EQ(picture.Create(kMaxPictureSide + 1, 1, 1, 0), nullptr);
  EXPECT_EQ(picture.LastError(), "CPicture::Create can't allocate memory");
  // Each side within bounds, but far more rows than any picture of ours.
  EXPECT_EQ(picture.Create(kMaxPictureSide, kMaxPictureSide, 24, 0), nullptr);
  EXPECT_FALSE(picture.IsValid());
}

TEST(Picture, PixelsReadBackAsWrittenAtEveryDepth) {
  for (const int bits : {1, 4, 8, 24}) {
    CPicture picture(9, 3, bits, 0);
    picture.MakeGreyPalette();
    const PixelColour white = RgbPixel(255, 255, 255);
    picture.SetPixelColor(8, 2, white);
    picture.SetPixelColor(0, 0, RgbPixel(0, 0, 0));
    EXPECT_EQ(picture.GetPixelColor(8, 2), white) << bits;
    EXPECT_EQ(picture.GetPixelGray(8, 2), 255) << bits;
    EXPECT_EQ(picture.GetPixelColor(7, 2), RgbPixel(0, 0, 0)) << bits; // its neighbour untouched
  }
  CPicture colour(2, 2, 24, 0);
  colour.SetPixelColor(0, 0, RgbPixel(255, 0, 0));
  EXPECT_EQ(colour.GetPixelGray(0, 0), 76);
  // Outside, without transparency: pixel (0, 0); with a transparent colour: that colour.
  EXPECT_EQ(colour.GetPixelColor(-1, 0), RgbPixel(255, 0, 0));
  colour.Info().TransparentIndex = 0;
  colour.Info().TransparentColour = RgbPixel(1, 2, 3);
  EXPECT_EQ(colour.GetPixelColor(5, 5), RgbPixel(1, 2, 3));
}

TEST(Picture, TheNearestPaletteEntryWinsAndTheFirstOfEqualOnes) {
  CPicture picture(1, 1, 4, 0);
  picture.SetPaletteColour(3, 200, 0, 0);
  picture.SetPaletteColour(5, 200, 0, 0);
  EXPECT_EQ(picture.NearestPaletteIndex(RgbPixel(190, 10, 0)), 3);
  EXPECT_EQ(picture.NearestPaletteIndex(RgbPixel(0, 0, 0)), 0);
}

TEST(Picture, FlipMirrorAndInvertKeepTheMeaningOfEachPixel) {
  CPicture picture(3, 2, 4, 0);
  picture.MakeGreyPalette();
  picture.WritePixelIndex(0, 0, 7);
  picture.FlipRows();
  picture.MirrorColumns();
  EXPECT_EQ(picture.ReadPixelIndex(2, 1), 7);
  EXPECT_EQ(picture.ReadPixelIndex(0, 0), 0);
  // Not a grey palette of the (i, i, i) kind: the palette is inverted, not the pixels.
  picture.InvertColours();
  EXPECT_EQ(picture.ReadPixelIndex(2, 1), 7);
  EXPECT_EQ(picture.GetPixelColor(2, 1), RgbPixel(255 - 7 * 17, 255 - 7 * 17, 255 - 7 * 17));
}

TEST(Picture, RotationMakesTheBoundingBoxPlusTwo) {
  CPicture picture(10, 6, 24, 0);
  picture.SetPixelColor(5, 3, RgbPixel(9, 9, 9));
  picture.CreateAlpha();
  CPicture turned;
  ASSERT_TRUE(picture.Rotate(90, &turned));
  EXPECT_EQ(turned.Width(), 8);
  EXPECT_EQ(turned.Height(), 12);
  EXPECT_TRUE(turned.HasAlpha());
  ASSERT_TRUE(picture.Rotate(0));
  EXPECT_EQ(picture.Width(), 12);
  EXPECT_EQ(picture.Height(), 8);
  EXPECT_EQ(picture.GetPixelColor(6, 4), RgbPixel(9, 9, 9));
  EXPECT_EQ(picture.GetAlpha(0, 0), 0); // outside the source: transparent
}

TEST(Picture, BitFieldsScaleEachChannelAndAZeroMaskReadsZero) {
  CPicture picture(1, 1, 24, 0);
  const uint8_t white555[] = {0xFF, 0x7F, 0, 0};
  picture.BitfieldsToBgr(white555, 0x7C00, 0x03E0, 0x001F, 16);
  EXPECT_EQ(picture.GetPixelColor(0, 0), RgbPixel(0xFF, 0xFF, 0xFF));
  picture.BitfieldsToBgr(white555, 0x7C00, 0, 0x001F, 16);
  EXPECT_EQ(picture.GetPixelColor(0, 0), RgbPixel(0xFF, 0, 0xFF));
}
