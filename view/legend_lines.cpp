#include "view/legend_lines.h"

#include <array>
#include <string_view>

#include "app/message_table.h"
#include "app/value_symbol.h"
#include "engine/message_numbers.h"
#include "engine/rule_registry.h"
#include "engine/variant_catalog.h"

namespace quorbel {

namespace {

// The message-table entry that names irregular blocks.

enum class Label {
  Text,         // the entry's own words
  Catalogue,    // the rule's catalogue name
  Irregular,    // from the message table
  LittleKiller, // with the Kimo modulus when Kimo is shown too
  Killer,       // "Zero Killer" when the cage cells must differ
  Kimo,
  Dots,       // with the total of the sum and difference marks when it is set
  Puzzle,     // "Puzzle Rotation" when pieces may turn
  OddPair,    // the catalogue name, with the Kimo modulus when Kimo is shown too
  DanMaximum, // with the zone's maximum of distinct values
};

struct LegendEntry {
  VariantWords bits;
  Label label;
  std::string_view french;
  std::string_view english;
};

constexpr auto kLegendEntries = std::to_array<LegendEntry>({
    {kVarIrregular, Label::Irregular, "", ""},
    {kVarDiagonal, Label::Text, "Diagonal", "Diagonal"},
    {kVarLittleKiller, Label::LittleKiller, "Little Killer", "Little Killer"},
    {kVarDistance, Label::Text, "Distance", "Distance"},
    {kVarKiller, Label::Killer, "Killer", "Killer"},
    {kVarKimo, Label::Kimo, "Kimo", "Kimo"},
    {kVarOdd, Label::Catalogue, "", ""},
    {kVarLess, Label::Catalogue, "", ""},
    {kVarXV, Label::Text, "X(10) - V(5)", "X(10) - V(5)"},
    {kVarDot, Label::Dots, "Dots", "Dots"},
    {kVarPuzzle, Label::Puzzle, "Puzzle", "Puzzle"},
    {kVarBattleShip, Label::Catalogue, "", ""},
    {kVarTrio, Label::Text, "Trio", "Trio"},
    {kVarExtraRegion, Label::Text, "Extra-Region", "Extra-Region"},
    {kVarOutside, Label::Text, "OutSide", "OutSide"},
    {kVarOddview, Label::Text, "OddView", "OddView"},
    {kVarTransfer, Label::Text, "Transfer", "Transfer"},
    {kVarFrameSum | kVarFrameProduct, Label::Text, "Frame", "Frame"},
    {kVarSkyScraper, Label::Text, "SkyScraper", "SkyScraper"},
    {kVarLastNumber, Label::Text, "Last Number", "Last Number"},
    {kVarTiled, Label::Text, "Tiled", "Tiled"},
    {kVarPencilMark, Label::Text, "PencilMark", "PencilMark"},
    {kVarDigitalClock, Label::Text, "Digital Clock", "Digital Clock"},
    {kVarDomino, Label::Text, "Domino", "Domino"},
    {kVarRomain, Label::Text, "Romain", "Romain"},
    {kVarNumeral, Label::Text, "Numeral", "Numeral"},
    {kVarOddPair, Label::OddPair, "", ""},
    {kVarQuadMax, Label::Text, "Quad", "Quad"},
    {kVarMagicSquare, Label::Text, "Magic Square", "Magic Square"},
    {kVarNeighbourScore, Label::Text, "Double and Triple", "Double and Triple"},
    {kVarChess, Label::Text, "Chess", "Chess"},
    {kVarNavigator, Label::Text, "Navigator", "Navigator"},
    {kVarCreasingLines, Label::Text, "Creasing Lines", "Creasing Lines"},
    {kVarEquality, Label::Text, "Equality", "Equality"},
    {kVarWheel, Label::Text, "Wheels", "Wheels"},
    {kVarNoConsecutive, Label::Text, "Non Consecutive", "Non Consecutive"},
    {kVarNoTouch, Label::Text, "Pas Touche", "Dont Touch"},
    {kVarMagicSentence, Label::Text, "Magic Sentence", "Magic Sentence"},
    {kVarPanDigital, Label::Text, "Pan Digital", "Pan Digital"},
    {kVarDan, Label::DanMaximum, "Dan Zone Max", "Dan Zone Max"},
    {kVarArrow, Label::Text, "Arrow", "Arrow"},
    {kVarMasterMind, Label::Text, "MasterMind", "MasterMind"},
    {kVarTwinsRelation, Label::Text, "Twins Relation", "Twins Relation"},
    {kVarTwinsSubstitution, Label::Text, "Twins Subs", "Twins Subs"},
    {kVarTwinsEqual, Label::Text, "Twins Equal", "Twins Equal"},
    {kVarTwinsZone, Label::Text, "Twins Zone", "Twins Zone"},
    {kVarTwinsDifferent, Label::Text, "Twins Diff", "Twins Diff"},
    {kVarTwinsTotal, Label::Text, "Twins Total", "Twins Total"},
    {kVarMultTable, Label::Text, "Mult Table", "Mult Table"},
    {kVarPirate, Label::Text, "Pirate", "Pirate"},
    {kVarFrameMax, Label::Text, "Frame Max", "Frame Max"},
    {kVarTwinsRelationMultiple, Label::Text, "Rel Multiple", "Rel Multiple"},
    {kVarTwinsSameInLine, Label::Text, "Même en Ligne", "Same In Row"},
    {kVarNoKnightStep, Label::Text, "NoKnightStep", "NoKnightStep"},
    {kVarTouchy, Label::Text, "Touchy", "Touchy"},
    {kVarNo3OddEven, Label::Text, "3PairImpair", "No3OddEven"},
    {kVarNoAverage, Label::Text, "Pas Moyenne", "No Average"},
    {kVarGiveMe5, Label::Text, "Give me 5", "Give me 5"},
    {kVarAllIndicated, Label::Text, "Tous Signifiant", "All Significant"},
    {kVarTwinsVariantMasked, Label::Text, "Variante Masquée", "Variant Masked"},
});

// A legend line for every rule row, and one only.
constexpr bool EveryRuleHasOneLine() {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    int lines = 0;
    for (const LegendEntry &entry : kLegendEntries)
      lines += Meets(entry.bits, RuleRegistry[static_cast<size_t>(row)].Bit) ? 1 : 0;
    if (lines != 1)
      return false;
  }
  return true;
}
static_assert(EveryRuleHasOneLine(), "a rule row has no legend line, or several");

std::string CatalogueName(VariantWords bits, Language language) {
  const int row = FindVariantRow(bits);
  if (row < 0)
    return {};
  const VariantRow &entry = VariantCatalog[static_cast<size_t>(row)];
  return std::string(IsEnglish(language) ? entry.VarNameEn : entry.VarNameFr);
}

std::string ModulusSuffix(const GridRecord *grid) {
  return " Mod" + std::to_string(grid ? grid->Lists.KimoModulus : 0);
}

std::string LabelText(const LegendEntry &entry, VariantWords shown, const GridRecord *grid,
                      Language language) {
  const std::string words(IsEnglish(language) ? entry.english : entry.french);
  const bool kimoShown = Meets(shown, kVarKimo);
  const bool zero = grid && grid->Lists.ZeroFlag != 0;
  switch (entry.label) {
  case Label::Text:
    return words;
  case Label::Catalogue:
    return CatalogueName(entry.bits, language);
  case Label::Irregular:
    return std::string(LookupMessage(kMsgIrregular, language));
  case Label::LittleKiller:
    return kimoShown ? words + ModulusSuffix(grid) : words;
  case Label::Killer:
    return zero ? "Zero " + words : words;
  case Label::Kimo:
    return (zero ? "Zero " : "") + words + ModulusSuffix(grid);
  case Label::Dots:
    return grid && grid->Lists.ComparisonTotal >= 0
               ? words + "(N=" + std::to_string(grid->Lists.ComparisonTotal) + ")"
               : words;
  case Label::Puzzle: {
    const bool rotation = grid && grid->Lists.PuzzleRotation != 0;
    const bool odd = grid && grid->Lists.PieceParity != 0;
    return odd ? words + (rotation ? " Rot Odd" : " Odd") : rotation ? words + " Rotation" : words;
  }
  case Label::OddPair:
    return kimoShown ? CatalogueName(entry.bits, language) + ModulusSuffix(grid)
                     : CatalogueName(entry.bits, language);
  case Label::DanMaximum:
    return words + std::to_string(grid ? grid->Lists.Dan.MaxDistinct : 0);
  }
  return words;
}

} // namespace

std::vector<LegendLine> BuildLegendLines(VariantWords shown, VariantWords current,
                                         const GridRecord *currentGrid, Language language) {
  std::vector<LegendLine> lines;
  for (const LegendEntry &entry : kLegendEntries) {
    if (!Meets(shown, entry.bits))
      continue;
    std::string text = Meets(current, entry.bits) ? std::string(kCurrentGridMark) : std::string();
    text += LabelText(entry, shown, currentGrid, language);
    lines.push_back({std::move(text), entry.bits});
  }
  return lines;
}

std::string DoubleTripleLine(const std::array<uint32_t, 16> &points, int width) {
  std::string line = "Double and Triple -->";
  for (int q = 2; q <= width && q - 2 < static_cast<int>(points.size()); ++q)
    if (const uint32_t worth = points[static_cast<size_t>(q - 2)]; worth > 0)
      line += "  x" + std::to_string(q) + "=" + std::to_string(worth) + "pt";
  return line;
}

std::string NumeralLine(const std::array<std::string, 16> &words, int width, SymbolMode symbols) {
  std::string line = "Numeral -->";
  for (int v = 1; v <= width && v <= static_cast<int>(words.size()); ++v)
    if (const std::string &word = words[static_cast<size_t>(v - 1)]; !word.empty())
      line += "  " + ValueSymbolText(v, symbols) + "-" + word;
  return line;
}

} // namespace quorbel
