#include "app/variant_parameters.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(VariantParameters, CharProbabilityCountsOnlyTheCharactersTheRuleReads) {
  NumeralCharCounts counts{};
  std::array<std::string, 16> words{};
  words[0] = "ONE";
  words[1] = "two\x7F"; // lower case and a control character are left out
  words[9] = "TEN";     // beyond the width
  EXPECT_EQ(CharProbabilityText(words, 9, counts), "Char: Prob\nE   :  1\nN   :  1\nO   :  1\n");
  EXPECT_EQ(counts['O' - 32], 1);
  EXPECT_EQ(counts['T' - 32], 0);
}

TEST(VariantParameters, AMagicLetterPlacedAgainMovesAndLeavesADashBehind) {
  MagicTablePlaces places = IdentityMagicTable(4);
  places.Current = 2;
  PlaceMagicLetter(places, 1, 4); // A, at position 0, moves to position 2
  EXPECT_EQ(MagicTableLabel(places, 0), "A\n-\n ");
  EXPECT_EQ(MagicTableLabel(places, 2), "C\nA\n ");
  EXPECT_EQ(places.Current, 3);
  PlaceMagicLetter(places, 26, 4); // wraps round the width
  EXPECT_EQ(places.Current, 0);

  const std::array<int32_t, 26> table = StoreMagicTable(places);
  EXPECT_EQ(table[0], 3);  // A at position 3 (1-based)
  EXPECT_EQ(table[2], 0);  // C placed nowhere
  EXPECT_EQ(table[25], 4); // Z
  EXPECT_EQ(StoreMagicTable(LoadMagicTable(table)), table);
}

TEST(VariantParameters, PanRelationsEndWithAComparison) {
  EXPECT_EQ(PanOperators(2, {0, 3, 3}), (std::array<int, 3>{6, 0, 0}));
  EXPECT_EQ(PanOperators(3, {0, 3, 0}), (std::array<int, 3>{1, 9, 0}));
  EXPECT_EQ(PanOperators(4, {2, 4, 1}), (std::array<int, 3>{3, 5, 7}));
}

} // namespace
} // namespace quorbel
