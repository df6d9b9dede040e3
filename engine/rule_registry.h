// Where each rule of the catalogue stands: the family of rules it belongs to, and the check and
// the filter that propagation runs for it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/variant_bits.h"
#include "engine/variant_catalog.h"

namespace quorbel {

// The families of rules, each built as one piece of work.
enum class RuleFamily {
  None,          // the random rows and the separator
  Regions,       // diagonals, irregular blocks and extra regions: units of the grid
  SumProduct,    // sums, products and moduli of several cells, and the clues around the grid
  Comparison,    // two cells (or a corner of four) by parity, order, sum, difference or ratio
  Neighbourhood, // neighbours, knight steps and chess pieces
  CellSet,       // sets of values per cell and free groups of cells
  Pieces,        // puzzle pieces, tiles and the fleet
  Twins,         // rules between grids
};

struct RuleEntry {
  std::string_view Name; // the catalogue's English name
  RuleFamily Family;
  std::string_view Check;  // the check propagation runs, empty when the units do the work
  std::string_view Filter; // the filter propagation runs, empty when the units do the work
};

// One entry per catalogue row, in the catalogue's order.
extern const std::array<RuleEntry, kVariantRowCount> RuleRegistry;

// The first rule among `words`, by the catalogue's English or French name (`language` 0
// French, 1 English); Double and Triple, which has no row, last; empty for no rule.
std::string RuleName(VariantWords words, int language);

// The rule bits of every row, and Double and Triple.
VariantWords AllRuleWords();

struct EngineContext;

// The rules of every grid of the set together.
VariantWords GridSetRules(const EngineContext &ctx);

} // namespace quorbel
