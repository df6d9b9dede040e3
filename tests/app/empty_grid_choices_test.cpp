#include "app/empty_grid_choices.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(EmptyGridChoices, EachShapeSelectsThePictureOfItsSize) {
  EXPECT_EQ(EmptyGridPictureShape(0), 0);
  EXPECT_EQ(EmptyGridPictureShape(1), 2);
  EXPECT_EQ(EmptyGridPictureShape(3), 4);
  EXPECT_EQ(EmptyGridPictureShape(6), 7); // 12 x 12 with blocks of 4 x 3
  EXPECT_EQ(EmptyGridPictureShape(8), 8);
  EXPECT_EQ(EmptyGridPictureShape(9), -1);
  EXPECT_EQ(EmptyGridPictureShape(-1), -1);
}

TEST(EmptyGridChoices, WideGridsOfferMixedSymbolsInsteadOfDigits) {
  DisplayChoices sixteen = UpdateDisplayChoices(8, kSymbolDigits);
  EXPECT_FALSE(sixteen.DigitsEnabled);
  EXPECT_TRUE(sixteen.MixedEnabled);
  EXPECT_EQ(sixteen.Display, kSymbolLetters);
  const DisplayChoices nine = UpdateDisplayChoices(5, kSymbolMixed);
  EXPECT_TRUE(nine.DigitsEnabled);
  EXPECT_FALSE(nine.MixedEnabled);
  EXPECT_EQ(nine.Display, kSymbolDigits);
  EXPECT_EQ(UpdateDisplayChoices(7, kSymbolPictures).Display, kSymbolPictures);
}

} // namespace
} // namespace quorbel
