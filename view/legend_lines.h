// The legend of the side panel: one line per rule of the shown grids, in a fixed order, marked
// ">>" when the current grid holds the rule. Each line keeps its rule bits for the side panel's
// hit test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/grid_record.h"
#include "engine/variant_catalog.h"
#include "platform/language.h"

namespace quorbel {

struct LegendLine {
  std::string Text; // UTF-8
  VariantWords Bits;
};

inline constexpr std::string_view kCurrentGridMark = ">>";

// `shown`: the rules of the shown grids; `current`: those of the current grid, whose lists give
// the numbers some labels carry (Kimo modulus, Dots total, Dan maximum). No current grid: none.
std::vector<LegendLine> BuildLegendLines(VariantWords shown, VariantWords current,
                                         const GridRecord *currentGrid, Language language);

// The Double and Triple points: "Double and Triple -->" and "  x<q>=<points>pt" for every
// quotient 2..width that is worth points (entry q - 2).
std::string DoubleTripleLine(const std::array<uint32_t, 16> &points, int width);
// "Numeral -->" and, for each value with a number word, its label and the word.
std::string NumeralLine(const std::array<std::string, 16> &words, int width, SymbolMode symbols);

} // namespace quorbel
