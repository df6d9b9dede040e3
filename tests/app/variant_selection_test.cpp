#include "app/variant_selection.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

constexpr int kNine = 5;
constexpr int kFour = 0;
constexpr int kSixteen = 8;

int RowOf(VariantWords words) { return FindVariantRow(words); }

VariantSelection Tick(VariantSelection s, VariantWords rule) {
  const int row = RowOf(rule);
  s.Rows[row].Ticked = !s.Rows[row].Ticked;
  OnVariantListChange(s, row, Language::English);
  return s;
}

TEST(VariantSelection, ARuleGivesItsBitAndBringsItsPartners) {
  VariantSelection s;
  s.GenShape = kNine;
  UpdateGenerationControls(s);
  EXPECT_FALSE(s.Rows[RowOf(kVarKimo)].Enabled);
  // Odd Pair marks make no total for Kimo to take modulo its number.
  EXPECT_FALSE(Tick(s, kVarOddPair).Rows[RowOf(kVarKimo)].Enabled);
  s = Tick(s, kVarKillerSum);
  EXPECT_EQ(s.Words, kVarKillerSum);
  EXPECT_TRUE(s.Rows[RowOf(kVarKimo)].Enabled);
  EXPECT_FALSE(s.GridCountEnabled);
  s = Tick(s, kVarTwinsEqual);
  EXPECT_TRUE(s.GridCountEnabled);
}

TEST(VariantSelection, TheRandomRowsAndTheRulesExcludeEachOther) {
  VariantSelection s;
  s.GenShape = kNine;
  s = Tick(s, kVarDiagonal);
  s.Rows[kRandomSingleRow].Ticked = true;
  OnVariantListChange(s, kRandomSingleRow, Language::English);
  EXPECT_EQ(s.GenVarMult, 1);
  EXPECT_FALSE(s.Words.Any());
  EXPECT_FALSE(s.Rows[RowOf(kVarDiagonal)].Ticked);
  EXPECT_FALSE(s.Rows[RowOf(kVarDiagonal)].Enabled);
  // Ticking a rule again needs the list enabled: clear the random choice first.
  ClearAllVariants(s);
  s = Tick(s, kVarDiagonal);
  EXPECT_FALSE(s.Rows[kRandomSingleRow].Ticked);
  EXPECT_EQ(s.GenVarMult, 0);
  EXPECT_EQ(s.Words, kVarDiagonal);
}

TEST(VariantSelection, SomeRowsNeverTickAndASizeDropsWhatItDoesNotOffer) {
  VariantSelection s;
  s.GenShape = kNine;
  SetAllVariants(s);
  EXPECT_FALSE(s.Rows[RowOf(kVarMagicSquare)].Enabled);
  EXPECT_FALSE(Meets(s.Words, kVarMagicSquare));
  ClearAllVariants(s);
  s = Tick(s, kVarPirate);
  EXPECT_EQ(s.Words, kVarPirate);
  s.GenShape = kFour;
  UpdateGenerationControls(s);
  EXPECT_FALSE(Meets(s.Words, kVarPirate)) << "only ticked rows that are offered reach the words";
}

TEST(VariantSelection, TheRulesAndTheSizeDecideHowValuesAreShown) {
  VariantSelection s;
  s.GenShape = kSixteen;
  s.GenDisplay = kSymbolDigits;
  UpdateGenerationControls(s);
  EXPECT_FALSE(s.DisplayEnabled[kSymbolDigits]);
  EXPECT_EQ(s.GenDisplay, kSymbolLetters);
  s.GenShape = kNine;
  s = Tick(s, kVarMagicSentence);
  EXPECT_FALSE(s.DisplayEnabled[kSymbolDigits]);
  EXPECT_TRUE(s.DisplayEnabled[kSymbolLetters]);
  EXPECT_EQ(s.GenDisplay, kSymbolLetters);
  s.GenDifficulty = 9;
  UpdateGenerationControls(s);
  EXPECT_EQ(s.GenDifficulty, 1);
}

TEST(VariantSelection, TheCommentNamesWhatTheRuleCannotJoin) {
  VariantSelection s;
  s.GenShape = kNine;
  const int row = RowOf(kVarPirate);
  s.Rows[row].Ticked = true;
  const std::string comment = OnVariantListChange(s, row, Language::English);
  EXPECT_EQ(comment.rfind(std::string(VariantCatalog[row].VarRuleEn), 0), 0u);
  EXPECT_NE(comment.find("\nIncompatible: 4x4"), std::string::npos) << comment;
}

TEST(VariantSelection, RulesForceTheirWayOfShowingValues) {
  EXPECT_EQ(ApplySymbolConstraint(kVarLess, kNine, kSymbolPictures), kSymbolDigits);
  EXPECT_EQ(ApplySymbolConstraint(kVarLess, kSixteen, kSymbolLetters), kSymbolMixed);
  EXPECT_EQ(ApplySymbolConstraint(kVarNumeral, kNine, kSymbolDigits), kSymbolLetters);
  EXPECT_EQ(ApplySymbolConstraint({}, kNine, kSymbolPictures), kSymbolPictures);
}

TEST(VariantSelection, TheRulesAreNamedInTheLanguage) {
  EXPECT_EQ(VariantNamesText(kVarDiagonal | kVarKillerSum, Language::English),
            "Variants: Diagonal, Killer Sum");
  EXPECT_EQ(VariantNamesText(kVarKillerSum, Language::French), "Varientes: Killer Somme");
  EXPECT_EQ(VariantNamesText({}, Language::English), "");
}

} // namespace
} // namespace quorbel
