#include "engine/rule_registry.h"

#include <algorithm>

#include "engine/engine_context.h"

namespace quorbel {

namespace {

using enum RuleFamily;

constexpr int kFrench = 0;

// Double and Triple has a bit of its own and no catalogue row.
constexpr std::string_view kDoubleTripleName = "Double and Triple";
constexpr std::string_view kDoubleTripleNameFr = "Double et Triple";

} // namespace

const std::array<RuleEntry, kVariantRowCount> RuleRegistry = {{
    {"Random Single", None, "", "", true},
    {"Random Multiple", None, "", "", true},
    {"---------", None, "", "", true},
    {"Diagonal", Regions, "", "", true},
    {"Irregular", Regions, "", "", true},
    {"Less", Comparison, "CheckCompLess", "FilterCompLess", true},
    {"Odd", Comparison, "CheckOddEvenCell", "FilterOddEvenCell", true},
    {"XV", Comparison, "CheckCompX", "FilterCompX", true},
    {"Dot", Comparison, "CheckCompConsecutive", "FilterCompConsecutive", true},
    {"All Indicated", Comparison, "CheckAllIndicated", "FilterAllIndicated", true},
    {"Pirate", Neighbourhood, "CheckPirate", "FilterPirate", true},
    {"Trio", CellSet, "CheckCellClass", "FilterCellClass", true},
    {"Navigator", Neighbourhood, "CheckNavigator", "FilterNavigator", true},
    {"Little Killer", SumProduct, "CheckLittleKiller", "FilterLittleKiller", true},
    {"Killer Sum", SumProduct, "CheckKiller", "FilterKiller", true},
    {"Killer Product", SumProduct, "CheckKiller", "FilterKiller", true},
    {"Kimo", SumProduct, "CheckKiller", "FilterKiller", true},
    {"Touchy", Neighbourhood, "CheckTouchy", "FilterTouchy", true},
    {"No 3 Odd Even", Neighbourhood, "CheckNo3OddEven", "FilterNo3OddEven", true},
    {"No Average", Neighbourhood, "CheckNoAverage", "FilterNoAverage", true},
    {"No Consecutive", Neighbourhood, "CheckNoConsecutive", "FilterNoConsecutive", true},
    {"No Touch", Neighbourhood, "CheckNoTouch", "FilterNoTouch", true},
    {"Give Me 5", Neighbourhood, "CheckGiveMe5", "FilterGiveMe5", true},
    {"Odd Pair", Comparison, "CheckOddPair", "FilterOddPair", true},
    {"No Knight Step", Neighbourhood, "CheckNoKnightStep", "FilterNoKnightStep", true},
    {"Arrow", SumProduct, "CheckArrow", "FilterArrow", true},
    {"Creasing Lines", SumProduct, "CheckCreasing", "FilterCreasing", true},
    {"Outside", SumProduct, "CheckOutsideClue", "FilterOutsideClue", true},
    {"Frame Sum", SumProduct, "CheckFrameClue", "FilterFrameClue", true},
    {"Frame Product", SumProduct, "CheckFrameClue", "FilterFrameClue", true},
    {"Frame Max", SumProduct, "CheckFrameClue", "FilterFrameClue", true},
    {"Oddview", SumProduct, "CheckOutsideClue", "FilterOutsideClue", true},
    {"SkyScrapper", SumProduct, "CheckFrameClue", "FilterFrameClue", true},
    {"Last Number", SumProduct, "CheckFrameClue", "FilterFrameClue", true},
    {"Transfer", SumProduct, "CheckOutsideClue", "FilterOutsideClue", true},
    {"MasterMind", CellSet, "CheckMasterMind", "FilterMasterMind", true},
    {"Domino", CellSet, "CheckPipSet", "FilterPipSet", true},
    {"Pencil Mark", CellSet, "CheckPencilMarkSet", "FilterPencilMarkSet", true},
    {"Digital Clock", CellSet, "CheckSegmentSet", "FilterSegmentSet", true},
    {"Romain", CellSet, "CheckTableSet", "FilterTableSet", true},
    {"Numeral", CellSet, "CheckNumeral", "FilterNumeral", true},
    {"Distance", Comparison, "CheckDistance", "FilterDistance", true},
    {"Dan", CellSet, "CheckDan", "", true},
    {"Equality", CellSet, "CheckEquality", "FilterEquality", true},
    {"Quad Max", Comparison, "CheckQuad", "FilterQuad", true},
    {"Wheel", CellSet, "CheckWheel", "FilterWheel", true},
    {"Mult Table", SumProduct, "CheckMultTable", "FilterMultTable", true},
    {"Chess", Neighbourhood, "CheckChess", "FilterChess", true},
    {"Magic Square", SumProduct, "CheckMagicSquare", "FilterMagicSquare", true},
    {"Magic Sentence", CellSet, "CheckMagicSentence", "", true},
    {"Extra Region", Regions, "", "", true},
    {"PanDigital", CellSet, "CheckPanDigital", "", true},
    {"Puzzle", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece", true},
    {"Tiled", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece", true},
    {"Battle Ship", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece", true},
    {"Twins Relation", Twins, "CheckTwinsRelation", "FilterTwinsRelationCell", false},
    {"Twins Relation Multiple", Twins, "CheckTwinsRelationMultiple", "FilterTwinsRelationMultiple", false},
    {"Twins Substitution", Twins, "CheckTwinsSubstitution", "FilterTwinsSubstitution", false},
    {"Twins Equal", Twins, "CheckTwinsEqual", "FilterTwinsEqual", false},
    {"Twins Zone", Twins, "CheckTwinsZone", "FilterTwinsZone", false},
    {"Twins Differents", Twins, "CheckTwinsDifferent", "FilterTwinsDifferent", false},
    {"Twins Same in Line", Twins, "CheckTwinsSameInLine", "FilterTwinsSameInLine", false},
    {"Twins Varient Masked", Twins, "", "", false},
    {"Twins Total", Twins, "CheckTwinsTotal", "FilterTwinsTotal", false},
}};

std::string UnbuiltRuleName(VariantWords words, int language) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &variant = VariantCatalog[static_cast<size_t>(row)];
    if (!RuleRegistry[static_cast<size_t>(row)].Built && Meets(words, variant.VarMasks))
      return std::string(language == kFrench ? variant.VarNameFr : variant.VarNameEn);
  }
  if (Meets(words, kVarNeighbourScore))
    return std::string(language == kFrench ? kDoubleTripleNameFr : kDoubleTripleName);
  return {};
}

VariantWords BuiltRuleWords() {
  VariantWords built;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (RuleRegistry[static_cast<size_t>(row)].Built)
      built |= VariantCatalog[static_cast<size_t>(row)].VarMasks;
  return built | kVarNeighbourScore; // Double and Triple, which has no row of its own
}

std::string UnbuiltRuleMessage(VariantWords words, int language) {
  const std::string name = UnbuiltRuleName(words, language);
  if (name.empty())
    return {};
  return language == kFrench
             ? "Cette grille utilise la règle " + name + ", que cette version ne sait pas encore vérifier."
             : "This grid uses the " + name + " rule, which this version cannot check yet.";
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

bool RulesBuilt(EngineContext &ctx) {
  const std::string message = UnbuiltRuleMessage(GridSetRules(ctx), ctx.Settings.Language);
  if (message.empty())
    return true;
  ctx.Host->AddInfoMessage(message);
  return false;
}

} // namespace quorbel
