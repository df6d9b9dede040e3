// The catalogue of the 64 variant rows: names and rule sentences in French and English,
// each row's bit in the variant words, the grid sizes it is offered for, its symbol rule,
// and which rows may join a grid that already holds another (the compatibility matrix).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/variant_bits.h"

namespace quorbel {

constexpr int kVariantRowCount = 64;
constexpr int kRandomSingleRow = 0;
constexpr int kRandomMultipleRow = 1;
// Separates the two random rows from the rules in the list; it is never combined.
constexpr int kSeparatorRow = 2;
constexpr int kFirstRuleRow = 3;

// Size classes index the availability columns; this is the grid width of each.
constexpr int kSizeClassCount = 6;
constexpr std::array<int, kSizeClassCount> kSizeClassWidth = {4, 6, 8, 9, 12, 16};

// What a row demands of the symbol mode.
enum class SymbolRule : int32_t {
  None = -1,
  Numbers = 0,    // digits, or the mixed mode on grids wider than 9
  Letters = 1,    // forces letters
  NoPictures = 2, // refuses pictures
};

// The symbol modes of the board.
enum SymbolMode : int32_t { kSymbolDigits = 0, kSymbolLetters = 1, kSymbolMixed = 2, kSymbolPictures = 3 };

// Texts are UTF-8; whatever writes them to a Latin-1 file converts them there.
struct VariantRow {
  std::string_view VarNameEn;
  std::string_view VarNameFr;
  std::string_view VarRuleEn;
  std::string_view VarRuleFr;
  VariantWords VarMasks; // the row's bit; none for the random rows and the separator
  uint8_t SizeClasses;   // bit k set: offered for size class k
  SymbolRule VarSymbolRule;
};

extern const std::array<VariantRow, kVariantRowCount> VariantCatalog;

// 1 when the row is offered for grids of the size class, else 0 (also for bad arguments).
int VariantAvailability(int sizeClass, int row);

// 1 when `candidate` may be added to a grid that already holds `present`, else 0 (also for
// bad arguments). Not symmetric.
int VariantCompatibilityMatrix(int present, int candidate);

// A row is offered when it is available for the size class and no row already present in
// `words` withdraws it.
bool IsVariantOffered(int row, int sizeClass, VariantWords words);

// The row whose bit is exactly `words`, -1 when there is none.
int FindVariantRow(VariantWords words);

// The symbol mode a grid of `gridWidth` with these rules must show, starting from `mode`:
// walking the rows in order, the first present row that needs numbers or letters decides;
// rows that refuse pictures turn pictures into numbers and let the walk go on.
SymbolMode SymbolModeForVariants(VariantWords words, SymbolMode mode, int gridWidth);

} // namespace quorbel
