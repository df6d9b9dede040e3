#include "view/clipboard_text.h"

#include <algorithm>
#include <cctype>

#include "engine/cell_record.h"
#include "engine/geometry.h"
#include "engine/grid_record.h"

namespace quorbel {

namespace {

int PastedValue(char symbol, SymbolMode mode) {
  const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(symbol)));
  const bool digit = c >= '1' && c <= '9';
  const bool letter = c >= 'A' && c <= 'P';
  switch (mode) {
  case kSymbolDigits:
    return digit ? c - '0' : -1;
  case kSymbolLetters:
    return letter ? c - 'A' + 1 : -1;
  case kSymbolMixed:
    return digit ? c - '0' : letter ? c - 'A' + 10 : -1;
  default:
    return -1; // pictures have no symbol to paste
  }
}

} // namespace

bool HoldsCopiedValue(const CellRecord &cell) { return cell.Status < kStatusConflict; }

std::string ClipboardSymbol(int value, SymbolMode mode) {
  if (value < 1)
    return {};
  if (mode == kSymbolLetters)
    return std::string(1, static_cast<char>('A' + value - 1));
  if (value < 10)
    return std::string(1, static_cast<char>('0' + value));
  return std::string(1, static_cast<char>('A' + value - 10));
}

std::string CellBlockText(const GridRecord &grid, const GridGeometry &geo, std::span<const int> cells,
                          SymbolMode mode) {
  const int width = geo.GridWidth;
  std::array<std::array<int, kPasteSide>, kPasteSide> block{};
  int origin = geo.NCells;
  for (const int cell : cells)
    if (cell >= 0 && cell < geo.NCells)
      origin = std::min(origin, cell);
  if (origin >= geo.NCells || width < 1)
    return {};
  const int originRow = origin / width;
  const int originColumn = origin % width;
  int lastRow = 0;
  int lastColumn = 0;
  for (const int cell : cells) {
    if (cell < 0 || cell >= geo.NCells)
      continue;
    const int row = cell / width - originRow;
    const int column = cell % width - originColumn;
    if (row < 0 || column < 0 || row >= kPasteSide || column >= kPasteSide)
      continue;
    const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
    if (HoldsCopiedValue(record))
      block[static_cast<size_t>(row)][static_cast<size_t>(column)] = record.Value;
    lastRow = std::max(lastRow, row);
    lastColumn = std::max(lastColumn, column);
  }
  std::string text;
  for (int row = 0; row <= lastRow; ++row)
    for (int column = 0; column <= lastColumn; ++column) {
      text += ClipboardSymbol(block[static_cast<size_t>(row)][static_cast<size_t>(column)], mode);
      text += column < lastColumn ? "\t" : "\r\n";
    }
  return text;
}

PasteTable ParsePasteText(std::string_view text, SymbolMode mode, int width) {
  PasteTable table;
  int row = 0;
  int column = 0;
  for (const char c : text) {
    if (c == '\t' || c == ' ') {
      column = std::min(column + 1, kPasteSide - 1);
    } else if (c == '\n') {
      if (++row >= kPasteSide)
        break;
      column = 0;
    } else if (c != '\r') {
      const int value = PastedValue(c, mode);
      const bool kept = value >= 1 && value <= width;
      table.Values[static_cast<size_t>(row)][static_cast<size_t>(column)] = kept ? value : -1;
      if (kept) {
        table.LastRow = std::max(table.LastRow, row);
        table.LastColumn = std::max(table.LastColumn, column);
        ++table.Count;
      }
    }
  }
  return table;
}

} // namespace quorbel
