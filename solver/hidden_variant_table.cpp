// The clue kinds in the order of their working tables.
#include "solver/hidden_variant_table.h"

namespace quorbel {

const std::array<HiddenVariantEntry, kHiddenVariantKinds> HiddenVariantTable = {{
    {kVarTwinsRelation, "TREL"},
    {kVarLittleKiller, "LKILL"},
    {kVarKillerSum, "KILLS"},
    {kVarLess, "LESS"},
    {kVarOdd, "ODD"},
    {kVarXV, "XV"},
    {kVarDistance, "DIST"},
    {kVarPuzzle, "PUZZLE"},
    {kVarDot, "DOT"},
    {kVarTiled, "TILED"},
    {kVarTrio, "TRIO"},
    {kVarOutside, "OUTS"},
    {kVarFrameSum, "FRAMS"},
    {kVarFrameProduct, "FRAMP"},
    {kVarKillerProduct, "KILLP"},
    {kVarDomino, "DOM"},
    {kVarPencilMark, "PENC"},
    {kVarNumeral, "NUM"},
    {kVarOddPair, "ODDP"},
    {kVarOddview, "ODDV"},
    {kVarQuadMax, "QUAD"},
    {kVarDigitalClock, "DIGIT"},
    {kVarRomain, "ROM"},
    {kVarSkyScraper, "SKY"},
    {kVarArrow, "ARROW"},
    {kVarCreasingLines, "CREAS"},
    {kVarEquality, "EQU"},
    {kVarWheel, "WHEEL"},
    {kVarNavigator, "NAV"},
    {kVarLastNumber, "LAST"},
    {kVarChess, "CHESS"},
    {kVarFrameMax, "FRAMEMAX"},
    {kVarMasterMind, "MASTERMIND"},
    {kVarPirate, "PIRATE"},
    {kVarTwinsRelationMultiple, "TRELMULT"},
    {kVarTwinsSameInLine, "SAMEROW"},
    {kVarBattleShip, "BATNAV"},
    {kVarMagicSentence, "MSENT"},
    {kVarDan, "DAN"},
    {kVarTransfer, "TRANSFER"},
}};

int HiddenVariantIndexOfStem(std::string_view stem) {
  for (int i = 0; i < kHiddenVariantKinds; ++i)
    if (HiddenVariantTable[i].Stem == stem)
      return i;
  return -1;
}

VariantWords ClueKindWords() {
  VariantWords words;
  for (const HiddenVariantEntry &entry : HiddenVariantTable)
    words |= entry.Words;
  return words;
}

} // namespace quorbel
