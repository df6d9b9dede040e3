// Typed symbols as values, the symbol modes a grid width allows, and the target of the
// character-size commands.
#include <gtest/gtest.h>

#include "engine/cell_record.h"
#include "view/symbol_modes.h"

namespace quorbel {
namespace {

TEST(SymbolKeys, EachModeReadsItsOwnSymbols) {
  EXPECT_EQ(ValueOfSymbolKey('7', kSymbolDigits), 7);
  EXPECT_EQ(ValueOfSymbolKey('0', kSymbolDigits), 0);
  EXPECT_EQ(ValueOfSymbolKey('B', kSymbolDigits), 0);
  EXPECT_EQ(ValueOfSymbolKey('B', kSymbolLetters), 2);
  EXPECT_EQ(ValueOfSymbolKey('3', kSymbolLetters), 0);
  EXPECT_EQ(ValueOfSymbolKey('9', kSymbolMixed), 9);
  EXPECT_EQ(ValueOfSymbolKey('A', kSymbolMixed), 10);
  EXPECT_EQ(ValueOfSymbolKey('1', kSymbolPictures), 0);
}

TEST(SymbolKeys, NoKeyPlacesAValueBeyondTheGridOrSixteen) {
  EXPECT_EQ(PlaceableValue('Q', kSymbolLetters, 16), 0); // the 17th letter
  EXPECT_EQ(PlaceableValue('P', kSymbolLetters, 16), 16);
  EXPECT_EQ(PlaceableValue('Z', kSymbolMixed, 16), 0);
  EXPECT_EQ(PlaceableValue('5', kSymbolDigits, 4), 0);
  EXPECT_EQ(PlaceableValue('Z', kSymbolLetters, 40), 0);
}

TEST(SymbolModes, ARequestedModeStaysWhenTheWidthAllowsIt) {
  EXPECT_EQ(ChooseSymbolMode(kSymbolDigits, kSymbolLetters, 9), kSymbolDigits);
  EXPECT_EQ(ChooseSymbolMode(kSymbolLetters, kSymbolDigits, 9), kSymbolLetters);
  EXPECT_EQ(ChooseSymbolMode(kSymbolMixed, kSymbolDigits, 12), kSymbolMixed);
  EXPECT_EQ(ChooseSymbolMode(kSymbolPictures, kSymbolDigits, 16), kSymbolPictures);
}

TEST(SymbolModes, AModeTheWidthForbidsGivesTheNextAllowedOne) {
  EXPECT_EQ(ChooseSymbolMode(kSymbolDigits, kSymbolDigits, 12), kSymbolLetters);
  EXPECT_EQ(ChooseSymbolMode(kSymbolMixed, kSymbolDigits, 9), kSymbolPictures);
  EXPECT_EQ(ChooseSymbolMode(-1, kSymbolPictures, 16), kSymbolLetters);
  EXPECT_EQ(ChooseSymbolMode(-1, kSymbolPictures, 9), kSymbolDigits);
  EXPECT_EQ(ChooseSymbolMode(-1, kSymbolLetters, 12), kSymbolMixed);
  EXPECT_EQ(ChooseSymbolMode(-1, 7, 9), kSymbolDigits);
  EXPECT_EQ(SymbolModeWord(kSymbolPictures), "CARTOON");
}

TEST(FontTargets, TheFocusAndTheLastClickChooseTheSize) {
  FontTargetInputs in{.FocusCell = -1, .NCells = 81, .ProbType = 1, .FocusStatus = kStatusEmpty};
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::All);
  in.FocusCell = -2;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::Comment);
  in.FocusCell = 85;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::LineCol);
  in.ProbableMarkClicked = true;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::Probable);
  in.ProbableMarkClicked = false;
  in.FocusCell = 3;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::Cell);
  in.ProbType = 3;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::LineCol);
  in.ProbType = 2;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::Matrix);
  in.FocusStatus = kStatusPlaced;
  EXPECT_EQ(ChooseFontTarget(in), FontTarget::Cell);
}

} // namespace
} // namespace quorbel
