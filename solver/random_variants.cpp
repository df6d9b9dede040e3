#include "solver/random_variants.h"

#include <array>
#include <bit>

#include "engine/rule_registry.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"
#include "solver/generate_grid.h"

namespace quorbel {

namespace {

constexpr int kDominoRow = RowIndex(RuleRow::Domino);
constexpr int kRomainRow = RowIndex(RuleRow::Romain);
constexpr int kLastRowOfSeveral = RowIndex(RuleRow::TwinsSubstitution);

VariantWords RowWords(int row) { return VariantCatalog[static_cast<size_t>(row)].VarMasks; }

// A row of 3..last at random that the size class offers and the generator makes.
int DrawRow(Random15 &random, int sizeClass, int last) {
  for (;;) {
    int row = RandomBelow(random, last - kFirstRuleRow + 1) + kFirstRuleRow;
    if (row == kRomainRow)
      row = kRomainRow - 1;
    else if (row == kDominoRow)
      row = kDominoRow - 1;
    const VariantWords words = RowWords(row);
    if (VariantAvailability(sizeClass, row) == 1 && (words & ~GeneratedRuleWords()) == VariantWords{})
      return row;
  }
}

// A grid's one rule: never Kimo nor All Indicated, which change only the clues of other rules.
int DrawRuleRow(Random15 &random, int sizeClass) {
  for (;;)
    if (const int row = DrawRow(random, sizeClass, kVariantRowCount - 1);
        !RulesWithoutTheirClues(RowWords(row)).Any())
      return row;
}

VariantWords MaybeKimo(Random15 &random, VariantWords words) {
  if (Meets(words, kVarKiller) && RandomBelow(random, 20) >= 15)
    words |= kVarKimo;
  return words;
}

} // namespace

VariantWords DrawOneRandomRule(Random15 &random, int sizeClass) {
  return MaybeKimo(random, RowWords(DrawRuleRow(random, sizeClass)));
}

VariantWords DrawRandomLinkedRule(Random15 &random) {
  static constexpr std::array<VariantWords, 10> kByDraw = {
      kVarTwinsZone,       kVarTwinsZone,         kVarTwinsRelation, kVarTwinsSubstitution,
      kVarTwinsEqual,      kVarTwinsDifferent,    kVarTwinsTotal,    kVarTwinsRelationMultiple,
      kVarTwinsSameInLine, kVarTwinsVariantMasked};
  constexpr int kFirst = 14;
  const int r = RandomBelow(random, 25) - kFirst;
  return r >= 0 && r < static_cast<int>(kByDraw.size()) ? kByDraw[static_cast<size_t>(r)] : VariantWords{};
}

VariantWords AddRandomRules(Random15 &random, VariantWords words, int sizeClass, int draws) {
  for (int d = 0; d < draws; ++d) {
    const int row = DrawRow(random, sizeClass, kLastRowOfSeveral);
    bool accepted = !Meets(RulesWithoutTheirClues(words | RowWords(row)), RowWords(row));
    for (int present = kFirstRuleRow; present < kVariantRowCount && accepted; ++present)
      if (Meets(RowWords(present), words))
        accepted = VariantCompatibilityMatrix(present, row) == 1;
    if (accepted)
      words |= RowWords(row);
  }
  return MaybeKimo(random, words);
}

uint64_t PickRandomVariantBit(Random15 &random, uint32_t word1, uint32_t word2, uint32_t mask1,
                              uint32_t mask2) {
  const uint32_t masked = kVarTwinsVariantMasked.word2;
  word2 &= ~masked;
  mask2 &= ~masked;
  uint64_t pool = (static_cast<uint64_t>(word2) << 32) | word1;
  if (pool == 0)
    pool = (static_cast<uint64_t>(mask2) << 32) | mask1;
  if (pool == 0)
    return 0;
  for (int r = RandomBelow(random, std::popcount(pool)); r > 0; --r)
    pool &= pool - 1;
  return pool & (~pool + 1);
}

VariantWords HiddenVariantDefaults(int sizeClass) {
  VariantWords offered;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (VariantAvailability(sizeClass, row) == 1)
      offered |= RowWords(row);
  return RuleBitsWith(kHideable) & offered;
}

} // namespace quorbel
