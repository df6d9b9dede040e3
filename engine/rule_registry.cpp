#include "engine/rule_registry.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/propagate.h"

namespace quorbel {

namespace {

constexpr int kFrench = 0;

// Double and Triple has a bit of its own and no catalogue row.
constexpr std::string_view kDoubleTripleName = "Double and Triple";
constexpr std::string_view kDoubleTripleNameFr = "Double et Triple";

// The masks propagation reads in its fast paths follow the rows' traits.
static_assert(RuleBitsWith(kActsThroughClues) == kCluedOnlyRules);
static_assert(RuleBitsWith(kCluesBesideGrid) == kSideClueRules);

constexpr int (*kNoCount)(const VariantLists &) = nullptr;

// A rule that acts through clues names its list: the searches read whether a grid holds any.
constexpr bool CluedRowsNameTheirLists() {
  for (const RuleDef &rule : RuleRegistry)
    if ((rule.Traits & kActsThroughClues) != 0 && SameFunction(rule.Clues.Count, kNoCount) == 1)
      return false;
  return true;
}
static_assert(CluedRowsNameTheirLists(), "a rule acting through clues has no clue list");

// Rows sharing a list leave it out of the same searches.
constexpr bool SharedListsLeftOutAlike() {
  constexpr uint8_t kLeavingOut = kCluesOnlyReject | kReadByFastRoute | kFilteredBetweenGrids;
  for (const RuleDef &a : RuleRegistry)
    for (const RuleDef &b : RuleRegistry)
      if (SameFunction(a.Clues.Count, kNoCount) == 0 && SameFunction(a.Clues.Count, b.Clues.Count) == 1 &&
          (a.Traits & kLeavingOut) != (b.Traits & kLeavingOut))
        return false;
  return true;
}
static_assert(SharedListsLeftOutAlike(), "rows sharing a clue list leave it out differently");

// Every rule whose filter runs in the grid's pass opens that pass, but All Indicated, which never
// comes without the comparison rules whose marks it completes.
constexpr bool FilteredVariantsFollowTheRows() {
  VariantWords bits;
  for (const RuleDef &rule : RuleRegistry) {
    const int none = SameStep(rule.Filter, nullptr);
    if (none == -1)
      return true; // not known while compiling: see SameStep
    if (none == 0 && (rule.Traits & kFilteredBetweenGrids) == 0)
      bits |= rule.Bit;
  }
  return (bits & ~kFilteredVariants) == kVarAllIndicated;
}
static_assert(FilteredVariantsFollowTheRows());

} // namespace

std::string RuleName(VariantWords words, int language) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const RuleDef &rule = RuleRegistry[static_cast<size_t>(row)];
    if (Meets(words, rule.Bit))
      return std::string(language == kFrench ? rule.NameFr : rule.NameEn);
  }
  if (Meets(words, kVarNeighbourScore))
    return std::string(language == kFrench ? kDoubleTripleNameFr : kDoubleTripleName);
  return {};
}

VariantWords AllRuleWords() {
  VariantWords all;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    all |= RuleRegistry[static_cast<size_t>(row)].Bit;
  return all | kVarNeighbourScore; // Double and Triple, which has no row of its own
}

VariantWords GridSetRules(const EngineContext &ctx) {
  VariantWords rules;
  const int grids = std::clamp(ctx.Grids.AllCount, 0, kMaxGrids);
  for (int g = 0; g < grids; ++g) {
    rules.word1 |= ctx.Grids.Main[static_cast<size_t>(g)].GridVar.word1;
    rules.word2 |= ctx.Grids.Main[static_cast<size_t>(g)].GridVar.word2;
  }
  return rules;
}

} // namespace quorbel
