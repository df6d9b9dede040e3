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
    {"Random Single", None, "", ""},
    {"Random Multiple", None, "", ""},
    {"---------", None, "", ""},
    {"Diagonal", Regions, "", ""},
    {"Irregular", Regions, "", ""},
    {"Less", Comparison, "CheckCompLess", "FilterCompLess"},
    {"Odd", Comparison, "CheckOddEvenCell", "FilterOddEvenCell"},
    {"XV", Comparison, "CheckCompX", "FilterCompX"},
    {"Dot", Comparison, "CheckCompConsecutive", "FilterCompConsecutive"},
    {"All Indicated", Comparison, "CheckAllIndicated", "FilterAllIndicated"},
    {"Pirate", Neighbourhood, "CheckPirate", "FilterPirate"},
    {"Trio", CellSet, "CheckCellClass", "FilterCellClass"},
    {"Navigator", Neighbourhood, "CheckNavigator", "FilterNavigator"},
    {"Little Killer", SumProduct, "CheckLittleKiller", "FilterLittleKiller"},
    {"Killer Sum", SumProduct, "CheckKiller", "FilterKiller"},
    {"Killer Product", SumProduct, "CheckKiller", "FilterKiller"},
    {"Kimo", SumProduct, "CheckKiller", "FilterKiller"},
    {"Touchy", Neighbourhood, "CheckTouchy", "FilterTouchy"},
    {"No 3 Odd Even", Neighbourhood, "CheckNo3OddEven", "FilterNo3OddEven"},
    {"No Average", Neighbourhood, "CheckNoAverage", "FilterNoAverage"},
    {"No Consecutive", Neighbourhood, "CheckNoConsecutive", "FilterNoConsecutive"},
    {"No Touch", Neighbourhood, "CheckNoTouch", "FilterNoTouch"},
    {"Give Me 5", Neighbourhood, "CheckGiveMe5", "FilterGiveMe5"},
    {"Odd Pair", Comparison, "CheckOddPair", "FilterOddPair"},
    {"No Knight Step", Neighbourhood, "CheckNoKnightStep", "FilterNoKnightStep"},
    {"Arrow", SumProduct, "CheckArrow", "FilterArrow"},
    {"Creasing Lines", SumProduct, "CheckCreasing", "FilterCreasing"},
    {"Outside", SumProduct, "CheckOutsideClue", "FilterOutsideClue"},
    {"Frame Sum", SumProduct, "CheckFrameClue", "FilterFrameClue"},
    {"Frame Product", SumProduct, "CheckFrameClue", "FilterFrameClue"},
    {"Frame Max", SumProduct, "CheckFrameClue", "FilterFrameClue"},
    {"Oddview", SumProduct, "CheckOutsideClue", "FilterOutsideClue"},
    {"SkyScrapper", SumProduct, "CheckFrameClue", "FilterFrameClue"},
    {"Last Number", SumProduct, "CheckFrameClue", "FilterFrameClue"},
    {"Transfer", SumProduct, "CheckOutsideClue", "FilterOutsideClue"},
    {"MasterMind", CellSet, "CheckMasterMind", "FilterMasterMind"},
    {"Domino", CellSet, "CheckPipSet", "FilterPipSet"},
    {"Pencil Mark", CellSet, "CheckPencilMarkSet", "FilterPencilMarkSet"},
    {"Digital Clock", CellSet, "CheckSegmentSet", "FilterSegmentSet"},
    {"Romain", CellSet, "CheckTableSet", "FilterTableSet"},
    {"Numeral", CellSet, "CheckNumeral", "FilterNumeral"},
    {"Distance", Comparison, "CheckDistance", "FilterDistance"},
    {"Dan", CellSet, "CheckDan", ""},
    {"Equality", CellSet, "CheckEquality", "FilterEquality"},
    {"Quad Max", Comparison, "CheckQuad", "FilterQuad"},
    {"Wheel", CellSet, "CheckWheel", "FilterWheel"},
    {"Mult Table", SumProduct, "CheckMultTable", "FilterMultTable"},
    {"Chess", Neighbourhood, "CheckChess", "FilterChess"},
    {"Magic Square", SumProduct, "CheckMagicSquare", "FilterMagicSquare"},
    {"Magic Sentence", CellSet, "CheckMagicSentence", ""},
    {"Extra Region", Regions, "", ""},
    {"PanDigital", CellSet, "CheckPanDigital", ""},
    {"Puzzle", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece"},
    {"Tiled", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece"},
    {"Battle Ship", Pieces, "CheckPuzzlePiece", "FilterPuzzlePiece"},
    {"Twins Relation", Twins, "CheckTwinsRelation", "FilterTwinsRelationCell"},
    {"Twins Relation Multiple", Twins, "CheckTwinsRelationMultiple", "FilterTwinsRelationMultiple"},
    {"Twins Substitution", Twins, "CheckTwinsSubstitution", "FilterTwinsSubstitution"},
    {"Twins Equal", Twins, "CheckTwinsEqual", "FilterTwinsEqual"},
    {"Twins Zone", Twins, "CheckTwinsZone", "FilterTwinsZone"},
    {"Twins Differents", Twins, "CheckTwinsDifferent", "FilterTwinsDifferent"},
    {"Twins Same in Line", Twins, "CheckTwinsSameInLine", "FilterTwinsSameInLine"},
    {"Twins Varient Masked", Twins, "", ""},
    {"Twins Total", Twins, "CheckTwinsTotal", "FilterTwinsTotal"},
}};

std::string RuleName(VariantWords words, int language) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &variant = VariantCatalog[static_cast<size_t>(row)];
    if (Meets(words, variant.VarMasks))
      return std::string(language == kFrench ? variant.VarNameFr : variant.VarNameEn);
  }
  if (Meets(words, kVarNeighbourScore))
    return std::string(language == kFrench ? kDoubleTripleNameFr : kDoubleTripleName);
  return {};
}

VariantWords AllRuleWords() {
  VariantWords all;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    all |= VariantCatalog[static_cast<size_t>(row)].VarMasks;
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
