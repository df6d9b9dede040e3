#include "app/variant_selection.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/geometry.h"
#include "engine/rule_registry.h"

namespace quorbel {

namespace {

constexpr int kMagicSquareRow = RowIndex(RuleRow::MagicSquare);
constexpr int kPanDigitalRow = RowIndex(RuleRow::PanDigital);
constexpr int kKimoRow = RowIndex(RuleRow::Kimo);
constexpr int kAllIndicatedRow = RowIndex(RuleRow::AllIndicated);
// The rules that need digits, in each word.
constexpr uint32_t kDigitRulesWord1 = 0xA75F80BE;
constexpr uint32_t kDigitRulesWord2 = 0x8251D;
constexpr int kFirstWideShape = 6; // 12 x 12 and 16 x 16 show no digits alone
constexpr int kLevels = 4;

constexpr std::array<std::string_view, kSizeClassCount> kSizeNames = {"4x4", "6x6",   "8x8",
                                                                      "9x9", "12x12", "16x16"};

bool IsRandomRow(int row) { return row == kRandomSingleRow || row == kRandomMultipleRow; }

} // namespace

void ReadVariantChecks(VariantSelection &s) {
  s.GenVarMult = 0;
  const auto chosen = [&](int row) { return s.Rows[row].Ticked && s.Rows[row].Enabled; };
  if (chosen(kRandomSingleRow)) {
    s.GenVarMult = 1;
    s.Words = {};
    return;
  }
  s.Words = {};
  if (chosen(kRandomMultipleRow)) {
    s.GenVarMult = 2;
    return;
  }
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (chosen(row))
      s.Words |= VariantCatalog[static_cast<size_t>(row)].VarMasks;
}

int SyncVariantList(VariantSelection &s) {
  if (s.GenVarMult == 1 || s.GenVarMult == 2) {
    const int on = s.GenVarMult == 1 ? kRandomSingleRow : kRandomMultipleRow;
    const int off = s.GenVarMult == 1 ? kRandomMultipleRow : kRandomSingleRow;
    s.Rows[off].Enabled = false;
    s.Rows[on] = {true, true};
    for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
      s.Rows[row].Enabled = false;
    return 0;
  }
  for (VariantRowState &row : s.Rows)
    row.Enabled = true;
  const int sizeClass = SizeClassOfShape(s.GenShape);
  int first = -1;
  for (int i = 0; i < kVariantRowCount; ++i) {
    if (Meets(VariantCatalog[static_cast<size_t>(i)].VarMasks, s.Words)) {
      s.Rows[i].Ticked = true;
      if (first < 0)
        first = i;
      for (int j = 0; j < kVariantRowCount; ++j)
        if (VariantCompatibilityMatrix(i, j) == 0)
          s.Rows[j].Enabled = false;
    } else {
      s.Rows[i].Ticked = false;
    }
    if (VariantAvailability(sizeClass, i) == 0)
      s.Rows[i].Enabled = false;
  }
  s.Rows[kMagicSquareRow].Enabled = false;
  s.Rows[kPanDigitalRow].Enabled = false;
  // Kimo needs a sum rule to take its modulus of; All Indicated a comparison rule.
  if (!Meets(s.Words, kVarKimoSums))
    s.Rows[kKimoRow].Enabled = false;
  if (!Meets(s.Words, kVarIndicatedMarks))
    s.Rows[kAllIndicatedRow].Enabled = false;
  if (Meets(s.Words, kVarTwinsVariantMasked))
    for (int i = kFirstRuleRow; i < kVariantRowCount; ++i)
      if (Meets(VariantCatalog[static_cast<size_t>(i)].VarMasks, RuleBitsWith(kHideable)))
        s.Rows[i].Enabled = true;
  s.GridCountEnabled = Meets(s.Words, kVarLinkedGridRules);
  return first;
}

void UpdateGenerationControls(VariantSelection &s) {
  // Read again after the list follows: a row the sync withdrew (a size that does not offer it, a
  // rule it cannot join) leaves the words, and the list follows those words in turn.
  constexpr int kMaxRounds = 4;
  for (int round = 0; round < kMaxRounds; ++round) {
    const VariantWords before = s.Words;
    const int32_t mode = s.GenVarMult;
    ReadVariantChecks(s);
    SyncVariantList(s);
    if (round > 0 && s.Words == before && s.GenVarMult == mode)
      break;
  }
  const bool sentence = Meets(s.Words, kVarMagicSentence);
  const bool digitsAllowed = s.GenShape < kFirstWideShape && !sentence;
  const bool noDigitRule = (s.Words.word1 & kDigitRulesWord1) == 0 && (s.Words.word2 & kDigitRulesWord2) == 0;
  const bool mixedAllowed = noDigitRule && !sentence;
  s.DisplayEnabled = {digitsAllowed, sentence || noDigitRule, mixedAllowed,
                      mixedAllowed && !Meets(s.Words, kVarDistance)};
  switch (s.GenDisplay) {
  case kSymbolLetters:
  case kSymbolMixed:
  case kSymbolPictures:
    if (!s.DisplayEnabled[static_cast<size_t>(s.GenDisplay)])
      s.GenDisplay = kSymbolDigits;
    break;
  default:
    s.GenDisplay = digitsAllowed ? kSymbolDigits : kSymbolLetters;
    break;
  }
  if (s.GenDifficulty < 1 || s.GenDifficulty > kLevels)
    s.GenDifficulty = 1;
}

std::string OnVariantListChange(VariantSelection &s, int row, Language language) {
  if (row < 0 || row >= kVariantRowCount)
    return {};
  const VariantRow &variant = VariantCatalog[static_cast<size_t>(row)];
  std::string comment(IsEnglish(language) ? variant.VarRuleEn : variant.VarRuleFr);
  if (row == kSeparatorRow) {
    s.Rows[kRandomSingleRow].Ticked = s.Rows[kRandomMultipleRow].Ticked = false;
  } else {
    bool first = true;
    const auto incompatible = [&](std::string_view name) {
      comment += first ? "\nIncompatible: " : ", ";
      comment += name;
      first = false;
    };
    for (int size = 0; size < kSizeClassCount; ++size)
      if (VariantAvailability(size, row) == 0)
        incompatible(kSizeNames[static_cast<size_t>(size)]);
    for (int j = 0; j < kVariantRowCount; ++j)
      if (j != kSeparatorRow && VariantCompatibilityMatrix(row, j) == 0) {
        const VariantRow &other = VariantCatalog[static_cast<size_t>(j)];
        incompatible(IsEnglish(language) ? other.VarNameEn : other.VarNameFr);
      }
    if (IsRandomRow(row)) {
      for (int j = kFirstRuleRow; j < kVariantRowCount; ++j)
        s.Rows[j].Ticked = false;
    } else {
      s.Rows[kRandomSingleRow].Ticked = s.Rows[kRandomMultipleRow].Ticked = false;
    }
  }
  UpdateGenerationControls(s);
  return comment;
}

void SetAllVariants(VariantSelection &s) {
  s.Rows[kRandomSingleRow].Ticked = false;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    s.Rows[row].Ticked = true;
  UpdateGenerationControls(s);
}

void ClearAllVariants(VariantSelection &s) {
  for (VariantRowState &row : s.Rows)
    row.Ticked = false;
  UpdateGenerationControls(s);
}

int ApplySymbolConstraint(VariantWords words, int shape, int display) {
  // A shape out of range counts as the nearest one, as it always did.
  const int width = kGridShapes[static_cast<size_t>(std::clamp(shape, 0, kShapeCount - 1))].Size;
  return SymbolModeForVariants(words, static_cast<SymbolMode>(display), width);
}

std::string VariantNamesText(VariantWords words, Language language) {
  std::string text;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &variant = VariantCatalog[static_cast<size_t>(row)];
    if (!Meets(variant.VarMasks, words))
      continue;
    text += text.empty() ? (IsEnglish(language) ? "Variants: " : "Varientes: ") : ", ";
    text += IsEnglish(language) ? variant.VarNameEn : variant.VarNameFr;
  }
  return text;
}

} // namespace quorbel
