#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>
#include <string_view>

#include "engine/variant_catalog.h"

using namespace quorbel;

namespace {

int Row(std::string_view englishName) {
  for (int row = 0; row < kVariantRowCount; ++row)
    if (VariantCatalog[row].VarNameEn == englishName)
      return row;
  ADD_FAILURE() << "no row named " << englishName;
  return -1;
}

int SizeClassOfWidth(int width) {
  const auto *found = std::find(kSizeClassWidth.begin(), kSizeClassWidth.end(), width);
  return static_cast<int>(found - kSizeClassWidth.begin());
}

VariantWords Bit(std::string_view englishName) {
  const int row = Row(englishName);
  return row < 0 ? VariantWords{} : VariantCatalog[row].VarMasks;
}

int BitCount(VariantWords words) { return std::popcount(words.word1) + std::popcount(words.word2); }

} // namespace

TEST(VariantCatalogRows, EveryRowHasBothNamesAndBothRuleSentences) {
  for (int row = 0; row < kVariantRowCount; ++row) {
    const VariantRow &v = VariantCatalog[row];
    SCOPED_TRACE(row);
    EXPECT_FALSE(v.VarNameEn.empty());
    EXPECT_FALSE(v.VarNameFr.empty());
    ASSERT_FALSE(v.VarRuleEn.empty());
    ASSERT_FALSE(v.VarRuleFr.empty());
    EXPECT_EQ(v.VarRuleEn.back(), '.');
    EXPECT_EQ(v.VarRuleFr.back(), '.');
    EXPECT_NE(v.VarRuleEn, v.VarRuleFr);
  }
}

TEST(VariantCatalogRows, KeepsTheNamesPlayersAlreadyKnow) {
  EXPECT_EQ(VariantCatalog[0].VarNameFr, "Un seul Aléatoire");
  EXPECT_EQ(VariantCatalog[2].VarNameEn, "---------");
  EXPECT_EQ(VariantCatalog[4].VarNameFr, "Irregulier");
  EXPECT_EQ(VariantCatalog[32].VarNameEn, "SkyScrapper");
  EXPECT_EQ(VariantCatalog[40].VarNameFr, "Lettre");
  EXPECT_EQ(VariantCatalog[43].VarNameFr, "Egualité");
  EXPECT_EQ(VariantCatalog[48].VarNameFr, "Carré Magique");
  EXPECT_EQ(VariantCatalog[60].VarNameEn, "Twins Differents");
  EXPECT_EQ(VariantCatalog[62].VarNameEn, "Twins Varient Masked");
  EXPECT_EQ(VariantCatalog[62].VarNameFr, "Twins Variante Masquée");
  EXPECT_EQ(VariantCatalog[63].VarNameEn, "Twins Total");
}

TEST(VariantCatalogRows, QuotedRuleSentencesStandAsWritten) {
  EXPECT_EQ(VariantCatalog[2].VarRuleEn, "Lines, columns and blocks contain digits 1 through 9.");
  EXPECT_EQ(VariantCatalog[14].VarRuleEn,
            "The Sum of digits within each dotted subarea equals the number indicated.");
  EXPECT_EQ(VariantCatalog[17].VarRuleEn,
            "Each digit touches vertically or horizontally, at least one consecutive digit.");
}

TEST(VariantCatalogRows, RandomRowsNameTheProgram) {
  for (int row : {kRandomSingleRow, kRandomMultipleRow}) {
    EXPECT_NE(VariantCatalog[row].VarRuleEn.find("Quorbel"), std::string_view::npos);
    EXPECT_NE(VariantCatalog[row].VarRuleFr.find("Quorbel"), std::string_view::npos);
  }
}

TEST(VariantCatalogRows, EachRuleRowOwnsOneBitOfItsOwn) {
  VariantWords all;
  for (int row = 0; row < kVariantRowCount; ++row) {
    const VariantWords bit = VariantCatalog[row].VarMasks;
    SCOPED_TRACE(row);
    if (row < kFirstRuleRow) {
      EXPECT_FALSE(bit.Any());
      continue;
    }
    EXPECT_EQ(BitCount(bit), 1);
    EXPECT_FALSE(Meets(all, bit)) << "bit shared with an earlier row";
    all |= bit;
  }
  // Every bit of word 1 is a row; word 2 leaves its top two bits and the neighbour score.
  EXPECT_EQ(all.word1, 0xFFFFFFFFu);
  EXPECT_EQ(all.word2, 0x3FFFFFFFu & ~kVarNeighbourScore.word2);
}

TEST(VariantCatalogRows, SizesMatchTheRowsKinds) {
  const int size9 = SizeClassOfWidth(9), size12 = SizeClassOfWidth(12), size16 = SizeClassOfWidth(16);
  for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass) {
    EXPECT_EQ(VariantAvailability(sizeClass, kRandomSingleRow), 1);
    EXPECT_EQ(VariantAvailability(sizeClass, kRandomMultipleRow), 1);
    EXPECT_EQ(VariantAvailability(sizeClass, kSeparatorRow), 0);
  }
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    SCOPED_TRACE(VariantCatalog[row].VarNameEn);
    EXPECT_EQ(VariantAvailability(size9, row), 1) << "every rule is offered on the classic grid";
    EXPECT_EQ(VariantAvailability(size12, row), VariantAvailability(size16, row));
  }
  EXPECT_EQ(VariantAvailability(size12, Row("Irregular")), 0);
  EXPECT_EQ(VariantAvailability(SizeClassOfWidth(4), Row("No Consecutive")), 0);
  EXPECT_EQ(VariantAvailability(SizeClassOfWidth(6), Row("No Consecutive")), 1);
}

TEST(VariantCatalogRows, BadArgumentsAreNeitherAvailableNorCompatible) {
  EXPECT_EQ(VariantAvailability(-1, 3), 0);
  EXPECT_EQ(VariantAvailability(kSizeClassCount, 3), 0);
  EXPECT_EQ(VariantAvailability(3, kVariantRowCount), 0);
  EXPECT_EQ(VariantCompatibilityMatrix(-1, 3), 0);
  EXPECT_EQ(VariantCompatibilityMatrix(3, kVariantRowCount), 0);
  EXPECT_FALSE(IsVariantOffered(-1, 3, {}));
}

TEST(VariantCatalogRows, FindsTheRowOfASingleBit) {
  EXPECT_EQ(FindVariantRow(kVarTouchy), 17);
  EXPECT_EQ(FindVariantRow(kVarIrregular), Row("Irregular"));
  EXPECT_EQ(FindVariantRow(kVarKiller), -1) << "two rules are no row";
  EXPECT_EQ(FindVariantRow({}), -1);
  EXPECT_EQ(FindVariantRow(kVarNeighbourScore), -1);
}

TEST(VariantBits, NamedRulesSitWhereTheOtherSubsystemsTestThem) {
  EXPECT_EQ(kVarKiller, (VariantWords{0x40004, 0}));
  EXPECT_EQ(kVarLinkedGridRules, (VariantWords{0x1C000C00, 0x01C10000}));
  EXPECT_EQ(kVarLittleKiller | kVarKiller | kVarOddPair, (VariantWords{0x840006, 0}));
  EXPECT_EQ(kVarLess | kVarXV | kVarDot, (VariantWords{0xA8, 0}));
  EXPECT_EQ(kVarDiagonal | kVarExtraRegion, (VariantWords{0x4200, 0}));
  EXPECT_EQ(kVarNoTouch | kVarPirate | kVarNoKnightStep | kVarTouchy | kVarNo3OddEven | kVarNoAverage |
                kVarGiveMe5 | kVarDiagonal | kVarNoConsecutive,
            (VariantWords{0x40000200, 0x3E048000}));
  EXPECT_EQ(Bit("Killer Sum"), kVarKillerSum);
  EXPECT_EQ(Bit("SkyScrapper"), kVarSkyScraper);
  EXPECT_EQ(Bit("Twins Varient Masked"), kVarTwinsVariantMasked);
}

TEST(VariantBits, MeetsLooksAtBothWords) {
  EXPECT_TRUE(Meets(kVarKimo | kVarDiagonal, kVarKimo));
  EXPECT_TRUE(Meets(kVarKimo | kVarDiagonal, kVarDiagonal));
  // The same raw bit in the other word is another rule.
  EXPECT_FALSE(Meets(InWord1(0x4), InWord2(0x4)));
  EXPECT_EQ((kVarKiller & ~kVarKillerSum), kVarKillerProduct);
}

TEST(CompatibilityMatrix, HasFortyThreeOneSidedPairs) {
  int asymmetric = 0;
  for (int a = 0; a < kVariantRowCount; ++a)
    for (int b = a + 1; b < kVariantRowCount; ++b)
      if (VariantCompatibilityMatrix(a, b) != VariantCompatibilityMatrix(b, a))
        ++asymmetric;
  EXPECT_EQ(asymmetric, 43);
}

TEST(CompatibilityMatrix, SeparatorRowAndColumnAreAllZero) {
  for (int other = 0; other < kVariantRowCount; ++other) {
    EXPECT_EQ(VariantCompatibilityMatrix(kSeparatorRow, other), 0) << other;
    EXPECT_EQ(VariantCompatibilityMatrix(other, kSeparatorRow), 0) << other;
  }
}

TEST(CompatibilityMatrix, EveryRuleGoesWithItself) {
  for (int row = 0; row < kVariantRowCount; ++row) {
    if (row != kSeparatorRow) {
      EXPECT_EQ(VariantCompatibilityMatrix(row, row), 1) << row;
    }
  }
}

TEST(CompatibilityMatrix, OneSidedPairsGoTheDocumentedWay) {
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Diagonal"), Row("Touchy")), 1);
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Touchy"), Row("Diagonal")), 0);
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Creasing Lines"), Row("Magic Sentence")), 0);
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Magic Sentence"), Row("Creasing Lines")), 1);
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Twins Relation"), Row("Twins Relation Multiple")), 1);
  EXPECT_EQ(VariantCompatibilityMatrix(Row("Twins Relation Multiple"), Row("Twins Relation")), 0);
}

TEST(CompatibilityMatrix, MaskedTwinsGoOnlyWithTheRulesItCanHide) {
  const int masked = Row("Twins Varient Masked");
  std::set<int> compatible;
  for (int row = 0; row < kVariantRowCount; ++row)
    if (VariantCompatibilityMatrix(masked, row))
      compatible.insert(row);
  EXPECT_EQ(compatible, (std::set<int>{0, 1, 3, 10, 17, 18, 19, 20, 21, 22, 24, 62}));
}

class VariantOffering : public ::testing::Test {
protected:
  const int size4 = SizeClassOfWidth(4);
  const int size9 = SizeClassOfWidth(9);
};

TEST_F(VariantOffering, PirateAndMagicSquareOnlyOnTheClassicGrid) {
  for (const char *name : {"Pirate", "Magic Square"}) {
    EXPECT_TRUE(IsVariantOffered(Row(name), size9, {})) << name;
    EXPECT_FALSE(IsVariantOffered(Row(name), size4, {})) << name;
  }
  for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass)
    EXPECT_TRUE(IsVariantOffered(Row("Battle Ship"), sizeClass, {}));
}

TEST_F(VariantOffering, DiagonalKeepsTouchyButTouchyWithdrawsDiagonal) {
  EXPECT_TRUE(IsVariantOffered(Row("Touchy"), size9, kVarDiagonal));
  EXPECT_FALSE(IsVariantOffered(Row("Diagonal"), size9, kVarTouchy));
}

TEST_F(VariantOffering, EveryPresentRuleWithdrawsItsOwnCandidates) {
  const VariantWords present = kVarDiagonal | kVarTwinsRelation;
  EXPECT_FALSE(IsVariantOffered(Row("Irregular"), size9, present));          // by Diagonal
  EXPECT_FALSE(IsVariantOffered(Row("Twins Substitution"), size9, present)); // by Twins Relation
  EXPECT_TRUE(IsVariantOffered(Row("Killer Sum"), size9, present));
  EXPECT_TRUE(IsVariantOffered(Row("Diagonal"), size9, present)) << "a present rule stays offered";
}

TEST_F(VariantOffering, RandomRowsAndSeparator) {
  EXPECT_TRUE(IsVariantOffered(kRandomSingleRow, size4, {}));
  EXPECT_TRUE(IsVariantOffered(kRandomMultipleRow, size4, kVarKillerSum));
  EXPECT_FALSE(IsVariantOffered(kRandomSingleRow, size9, kVarMagicSquare));
  EXPECT_FALSE(IsVariantOffered(kSeparatorRow, size9, {}));
}

TEST(SymbolRules, NumeralAndMagicSentenceForceLetters) {
  for (VariantWords rule : {kVarNumeral, kVarMagicSentence}) {
    EXPECT_EQ(VariantCatalog[FindVariantRow(rule)].VarSymbolRule, SymbolRule::Letters);
    EXPECT_EQ(SymbolModeForVariants(rule, kSymbolDigits, 9), kSymbolLetters);
    EXPECT_EQ(SymbolModeForVariants(rule, kSymbolPictures, 16), kSymbolLetters);
  }
}

TEST(SymbolRules, TrioRefusesPicturesAndNothingElse) {
  EXPECT_EQ(VariantCatalog[FindVariantRow(kVarTrio)].VarSymbolRule, SymbolRule::NoPictures);
  EXPECT_EQ(SymbolModeForVariants(kVarTrio, kSymbolPictures, 9), kSymbolDigits);
  EXPECT_EQ(SymbolModeForVariants(kVarTrio, kSymbolPictures, 16), kSymbolMixed);
  EXPECT_EQ(SymbolModeForVariants(kVarTrio, kSymbolLetters, 9), kSymbolLetters);
}

TEST(SymbolRules, NumberRulesShowDigitsUpToNineAndMixedAbove) {
  EXPECT_EQ(SymbolModeForVariants(kVarLess, kSymbolLetters, 9), kSymbolDigits);
  EXPECT_EQ(SymbolModeForVariants(kVarLess, kSymbolDigits, 16), kSymbolMixed);
}

TEST(SymbolRules, WalkGoesOnPastARuleThatOnlyRefusesPictures) {
  EXPECT_EQ(SymbolModeForVariants(kVarTrio | kVarNumeral, kSymbolPictures, 9), kSymbolLetters);
  EXPECT_EQ(SymbolModeForVariants(kVarDiagonal, kSymbolPictures, 9), kSymbolPictures);
  EXPECT_EQ(SymbolModeForVariants({}, kSymbolMixed, 9), kSymbolMixed);
}
