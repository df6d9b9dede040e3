#include "engine/rule_registry.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(RuleRegistry, HasOneEntryPerCatalogueRowUnderItsName) {
  for (int row = 0; row < kVariantRowCount; ++row)
    EXPECT_EQ(RuleRegistry[static_cast<size_t>(row)].NameEn,
              VariantCatalog[static_cast<size_t>(row)].VarNameEn)
        << row;
}

TEST(RuleRegistry, EveryRuleOfAFamilyNamesItsCheckUnlessTheUnitsDoTheWork) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const RuleDef &rule = RuleRegistry[static_cast<size_t>(row)];
    EXPECT_NE(rule.Family, RuleFamily::None) << rule.NameEn;
    if (rule.Family != RuleFamily::Regions) {
      EXPECT_FALSE(rule.Check == nullptr && rule.Filter == nullptr && rule.Row != RuleRow::TwinsVariantMasked)
          << rule.NameEn;
    }
  }
}

TEST(RuleRegistry, NamesTheFirstRuleOfTheWordsInThePlayersLanguage) {
  EXPECT_EQ(RuleName({}, 1), "");
  EXPECT_EQ(RuleName(kVarDiagonal | kVarTwinsEqual, 1), "Diagonal");
  EXPECT_EQ(RuleName(kVarTwinsEqual, 0), "Twins Egales");
  // A rule with no catalogue row of its own is named too.
  EXPECT_EQ(RuleName(kVarNeighbourScore, 1), "Double and Triple");
}

} // namespace
} // namespace quorbel
