// The clipboard's text of a block of cells: rows of symbols separated by TABs and ended by CR LF,
// and the table a pasted text gives, up to 16 x 16 places.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "engine/variant_catalog.h"

namespace quorbel {

struct CellRecord;
struct GridGeometry;
struct GridRecord;

inline constexpr int kPasteSide = 16;

// A cell gives its value to a copied block when its value is the grid's: placed or given, not
// in conflict, empty or pencilled.
bool HoldsCopiedValue(const CellRecord &cell);

// The symbol of a value as the clipboard writes it: digits "1".."9", letters "A".."P", mixed
// digits then "A".. for 10; empty for 0.
std::string ClipboardSymbol(int value, SymbolMode mode);

// The block from the first of `cells` (the lowest index) to the farthest row and column they
// reach; a cell holds its value when its status is below 5 (placed or given), else nothing.
std::string CellBlockText(const GridRecord &grid, const GridGeometry &geo, std::span<const int> cells,
                          SymbolMode mode);

struct PasteTable {
  std::array<std::array<int, kPasteSide>, kPasteSide> Values; // -1: no value
  int LastRow = -1;
  int LastColumn = -1;
  int Count = 0;
  PasteTable() {
    for (auto &row : Values)
      row.fill(-1);
  }
};

// TAB or blank: the next column; LF: the next row; CR ignored; "1".."9" and "A".."P" (or their
// lower case) read in the symbol mode, kept when they give 1..width; anything else leaves no
// value at its place.
PasteTable ParsePasteText(std::string_view text, SymbolMode mode, int width);

} // namespace quorbel
