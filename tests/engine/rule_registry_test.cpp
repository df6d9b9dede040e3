#include "engine/rule_registry.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(RuleRegistry, HasOneEntryPerCatalogueRowUnderItsName) {
  for (int row = 0; row < kVariantRowCount; ++row)
    EXPECT_EQ(RuleRegistry[static_cast<size_t>(row)].Name, VariantCatalog[static_cast<size_t>(row)].VarNameEn)
        << row;
}

TEST(RuleRegistry, EveryRuleOfAFamilyNamesItsCheckUnlessTheUnitsDoTheWork) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const RuleEntry &rule = RuleRegistry[static_cast<size_t>(row)];
    EXPECT_NE(rule.Family, RuleFamily::None) << rule.Name;
    if (rule.Family == RuleFamily::Regions) {
      EXPECT_TRUE(rule.Built) << rule.Name;
    } else {
      EXPECT_FALSE(rule.Check.empty() && rule.Filter.empty() && rule.Name != "Twins Varient Masked")
          << rule.Name;
    }
  }
}

TEST(RuleRegistry, NamesTheFirstRuleNotBuiltInThePlayersLanguage) {
  EXPECT_EQ(UnbuiltRuleMessage({}, 1), "");
  EXPECT_EQ(UnbuiltRuleMessage(kVarDiagonal | kVarIrregular, 0), "");
  EXPECT_EQ(UnbuiltRuleMessage(kVarDiagonal | kVarTwinsEqual, 1),
            "This grid uses the Twins Equal rule, which this version cannot check yet.");
  EXPECT_EQ(UnbuiltRuleMessage(kVarTwinsEqual, 0),
            "Cette grille utilise la règle Twins Egales, que cette version ne sait pas encore vérifier.");
  // A rule with no catalogue row of its own is named too.
  EXPECT_EQ(UnbuiltRuleName(kVarNeighbourScore, 1), "Double and Triple");
}

} // namespace
} // namespace quorbel
