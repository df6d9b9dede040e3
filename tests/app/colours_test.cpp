#include <gtest/gtest.h>

#include "app/colours.h"
#include "platform/memory_profile_store.h"

using namespace quorbel;

TEST(Colours, ChannelsSitRedLowBlueHigh) {
  constexpr ColorRef colour = MakeColorRef(251, 2, 146);
  EXPECT_EQ(colour, 9569019u);
  EXPECT_EQ(RedOf(colour), 251);
  EXPECT_EQ(GreenOf(colour), 2);
  EXPECT_EQ(BlueOf(colour), 146);
}

TEST(Colours, ScalingTruncatesAndHoldsEachChannel) {
  EXPECT_EQ(ScaleColour(0xFFFFFF, 1.4), 0xFFFFFFu);
  EXPECT_EQ(ScaleColour(0x3E7AF7, 0.5), 0x1F3D7Bu);
  EXPECT_EQ(ScaleColour(0x3E7AF7, 1.4), 0x56AAFFu);
  EXPECT_EQ(ScaleColour(0x123456, 0.0), 0u);
  EXPECT_EQ(ScaleColour(0x123456, -1.0), 0u);
  // The top byte never survives.
  EXPECT_EQ(ScaleColour(0xAB010203, 1.0), 0x010203u);
}

TEST(Colours, AddingHoldsEachChannelAt255) {
  EXPECT_EQ(AddColours(0x10F080, 0x202090), 0x30FFFFu);
  EXPECT_EQ(AddColours(0, 0x0A0B0C), 0x0A0B0Cu);
}

TEST(Colours, AnEmptySectionLoadsTheDefaultsWhateverTheBackgroundHolds) {
  MemoryProfileStore store;
  store.WriteInt("COLOR", "COLBGECRAN", 0x00FF00);
  BoardColours colours;
  LoadColors(store, colours);
  EXPECT_EQ(colours.ColBgEcran, 0x00FF00u);
  EXPECT_EQ(colours.ColBgSeparation, 5679871u);
  EXPECT_EQ(colours.ColBgHighlight, 2047355u);
  EXPECT_EQ(colours.ColInit, 0u);
  EXPECT_EQ(colours.ColInput, 12255232u);
  EXPECT_EQ(colours.ColPossible, 32768u);
  EXPECT_EQ(colours.ColFind, 9569019u);
  EXPECT_EQ(colours.ColSearch, 24768u);
  EXPECT_EQ(colours.ColBad, 255u);
  EXPECT_EQ(colours.ColBgCase, 12109779u);
  EXPECT_EQ(colours.ColBgSingle, 13012864u);
  EXPECT_EQ(colours.ColBgBad, 2237047u);
  EXPECT_EQ(colours.ColBgComment, 10072266u);
  EXPECT_EQ(colours.ColBorder, 0u);
  EXPECT_EQ(DefaultColours().ColBgEcran, 4094711u);
}

TEST(Colours, SaveThenLoadGivesTheSameColoursUnchecked) {
  BoardColours colours = DefaultColours();
  colours.ColBorder = 0xFF123456; // a top byte from a colour file is kept as it is
  colours.ColBgCase = 0x00ABCDEF;
  MemoryProfileStore store;
  SaveColors(store, colours);
  EXPECT_EQ(store.KeyCount(), static_cast<size_t>(kBoardColourCount));
  BoardColours loaded;
  LoadColors(store, loaded);
  EXPECT_EQ(loaded.ColBorder, 0xFF123456u);
  EXPECT_EQ(loaded.ColBgCase, 0x00ABCDEFu);
  EXPECT_EQ(loaded.ColBgHighlight, colours.ColBgHighlight);
}
