// The two variant flag words of a grid and the bit of every variant rule in them.
// A rule lives in exactly one of the two words; each constant below is a word pair with
// that one bit set, so a test names the rule and never the word or the raw bit.
#pragma once

#include <cstdint>

namespace quorbel {

// A pair of 32-bit variant words (word 1, word 2): a grid's rules, a catalogue row's bit,
// or a mask of several rules.
struct VariantWords {
  uint32_t word1 = 0;
  uint32_t word2 = 0;

  constexpr bool operator==(const VariantWords &) const = default;
  constexpr bool Any() const { return (word1 | word2) != 0; }
};

// The two words from one 64-bit value, word 1 in the low half (as settings and CombinedGridVar
// hold them).
constexpr VariantWords SplitVariantWords(uint64_t words) {
  return {static_cast<uint32_t>(words), static_cast<uint32_t>(words >> 32)};
}

constexpr VariantWords operator|(VariantWords a, VariantWords b) {
  return {a.word1 | b.word1, a.word2 | b.word2};
}
constexpr VariantWords operator&(VariantWords a, VariantWords b) {
  return {a.word1 & b.word1, a.word2 & b.word2};
}
constexpr VariantWords operator^(VariantWords a, VariantWords b) {
  return {a.word1 ^ b.word1, a.word2 ^ b.word2};
}
constexpr VariantWords operator~(VariantWords a) { return {~a.word1, ~a.word2}; }
constexpr VariantWords &operator|=(VariantWords &a, VariantWords b) { return a = a | b; }
constexpr VariantWords &operator&=(VariantWords &a, VariantWords b) { return a = a & b; }

// True when the two pairs share a bit (a grid "holds" a rule, a row "meets" the words).
constexpr bool Meets(VariantWords a, VariantWords b) { return (a & b).Any(); }

constexpr VariantWords InWord1(uint32_t bit) { return {bit, 0}; }
constexpr VariantWords InWord2(uint32_t bit) { return {0, bit}; }

// Word 1: every bit is a rule.
constexpr VariantWords kVarIrregular = InWord1(0x1);
constexpr VariantWords kVarLittleKiller = InWord1(0x2);
constexpr VariantWords kVarKillerSum = InWord1(0x4);
constexpr VariantWords kVarLess = InWord1(0x8);
constexpr VariantWords kVarOdd = InWord1(0x10);
constexpr VariantWords kVarXV = InWord1(0x20);
constexpr VariantWords kVarDistance = InWord1(0x40);
constexpr VariantWords kVarDot = InWord1(0x80);
constexpr VariantWords kVarPuzzle = InWord1(0x100);
constexpr VariantWords kVarDiagonal = InWord1(0x200);
constexpr VariantWords kVarTwinsRelation = InWord1(0x400);
constexpr VariantWords kVarTwinsSubstitution = InWord1(0x800);
constexpr VariantWords kVarBattleShip = InWord1(0x1000);
constexpr VariantWords kVarTrio = InWord1(0x2000);
constexpr VariantWords kVarExtraRegion = InWord1(0x4000);
constexpr VariantWords kVarOutside = InWord1(0x8000);
constexpr VariantWords kVarFrameSum = InWord1(0x10000);
constexpr VariantWords kVarFrameProduct = InWord1(0x20000);
constexpr VariantWords kVarKillerProduct = InWord1(0x40000);
constexpr VariantWords kVarTiled = InWord1(0x80000);
constexpr VariantWords kVarDomino = InWord1(0x100000);
constexpr VariantWords kVarPencilMark = InWord1(0x200000);
constexpr VariantWords kVarNumeral = InWord1(0x400000);
constexpr VariantWords kVarOddPair = InWord1(0x800000);
constexpr VariantWords kVarOddview = InWord1(0x1000000);
constexpr VariantWords kVarQuadMax = InWord1(0x2000000);
constexpr VariantWords kVarTwinsEqual = InWord1(0x4000000);
constexpr VariantWords kVarTwinsZone = InWord1(0x8000000);
constexpr VariantWords kVarTwinsDifferent = InWord1(0x10000000);
constexpr VariantWords kVarDigitalClock = InWord1(0x20000000);
constexpr VariantWords kVarNoConsecutive = InWord1(0x40000000);
constexpr VariantWords kVarRomain = InWord1(0x80000000);

// Word 2: the two top bits are free.
constexpr VariantWords kVarSkyScraper = InWord2(0x1);
constexpr VariantWords kVarMagicSentence = InWord2(0x2);
constexpr VariantWords kVarKimo = InWord2(0x4);
constexpr VariantWords kVarArrow = InWord2(0x8);
constexpr VariantWords kVarCreasingLines = InWord2(0x10);
constexpr VariantWords kVarDan = InWord2(0x20);
constexpr VariantWords kVarEquality = InWord2(0x40);
constexpr VariantWords kVarWheel = InWord2(0x80);
constexpr VariantWords kVarPanDigital = InWord2(0x100);
constexpr VariantWords kVarNavigator = InWord2(0x200);
constexpr VariantWords kVarLastNumber = InWord2(0x400);
constexpr VariantWords kVarChess = InWord2(0x800);
// The Double-and-Triple neighbour score: a rule of the engine with no catalogue row.
constexpr VariantWords kVarNeighbourScore = InWord2(0x1000);
constexpr VariantWords kVarMagicSquare = InWord2(0x2000);
constexpr VariantWords kVarTransfer = InWord2(0x4000);
constexpr VariantWords kVarNoTouch = InWord2(0x8000);
constexpr VariantWords kVarTwinsTotal = InWord2(0x10000);
constexpr VariantWords kVarMultTable = InWord2(0x20000);
constexpr VariantWords kVarPirate = InWord2(0x40000);
constexpr VariantWords kVarFrameMax = InWord2(0x80000);
constexpr VariantWords kVarMasterMind = InWord2(0x100000);
constexpr VariantWords kVarAllIndicated = InWord2(0x200000);
constexpr VariantWords kVarTwinsRelationMultiple = InWord2(0x400000);
constexpr VariantWords kVarTwinsSameInLine = InWord2(0x800000);
constexpr VariantWords kVarTwinsVariantMasked = InWord2(0x1000000);
constexpr VariantWords kVarNoKnightStep = InWord2(0x2000000);
constexpr VariantWords kVarTouchy = InWord2(0x4000000);
constexpr VariantWords kVarNo3OddEven = InWord2(0x8000000);
constexpr VariantWords kVarNoAverage = InWord2(0x10000000);
constexpr VariantWords kVarGiveMe5 = InWord2(0x20000000);

// Both Killer kinds share the cage list and are often tested together.
constexpr VariantWords kVarKiller = kVarKillerSum | kVarKillerProduct;
// Two rules only change what others' clues say: Kimo takes the totals of the sum rules modulo its
// number, All Indicated says that the comparison marks are all there. Without one of those
// rules they say nothing.
constexpr VariantWords kVarKimoSums = kVarLittleKiller | kVarKiller;
constexpr VariantWords kVarIndicatedMarks = kVarLess | kVarXV | kVarDot;
// The rules of `words` that lack every rule they change.
constexpr VariantWords RulesWithoutTheirClues(VariantWords words) {
  VariantWords alone;
  if (Meets(words, kVarKimo) && !Meets(words, kVarKimoSums))
    alone |= kVarKimo;
  if (Meets(words, kVarAllIndicated) && !Meets(words, kVarIndicatedMarks))
    alone |= kVarAllIndicated;
  return alone;
}
// The rules whose clues are pieces laid beside the grid.
constexpr VariantWords kVarPieceRules = kVarPuzzle | kVarTiled | kVarBattleShip;
// The rules that link the grids of a set: they decide how many grids a game has.
constexpr VariantWords kVarLinkedGridRules =
    kVarTwinsRelation | kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsZone | kVarTwinsDifferent |
    kVarTwinsTotal | kVarTwinsRelationMultiple | kVarTwinsSameInLine | kVarTwinsVariantMasked;

} // namespace quorbel
