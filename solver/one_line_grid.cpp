// Reading and writing grids on one line.
#include "solver/one_line_grid.h"

#include <algorithm>
#include <array>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"

namespace quorbel {

namespace {

constexpr std::array<int, 6> kWidths = {4, 6, 8, 9, 12, 16};

bool IsEmptyMark(char c) { return c == '0' || c == '.'; }

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
    line.remove_suffix(1);
  return line;
}

} // namespace

bool IsOneLineHeader(std::string_view line) {
  return line.substr(0, kOneLineHeader.size()) == kOneLineHeader;
}

int OneLineGridWidth(size_t cells) {
  for (const int w : kWidths)
    if (cells == static_cast<size_t>(w * w))
      return w;
  return 0;
}

std::string LoadOneLineGrid(EngineContext &ctx, std::string_view line, int slot) {
  line = WithoutLineEnd(line);
  const int width = OneLineGridWidth(line.size());
  if (width == 0)
    return "a grid line holds 16, 36, 64, 81, 144 or 256 cells, not " + std::to_string(line.size());
  if (slot < 0 || slot >= kMaxGrids)
    return "no grid slot " + std::to_string(slot);
  for (size_t i = 0; i < line.size(); ++i) {
    const int value = line[i] - '0';
    if (!IsEmptyMark(line[i]) && (value < 1 || value > width))
      return "cell " + std::to_string(i + 1) + ": '" + std::string(1, line[i]) + "' is no value of a " +
             std::to_string(width) + "-wide grid";
  }
  if (ctx.Geo.GridWidth != width || ctx.Geo.NCells != width * width)
    SetGridSize(ctx, width, 1);
  // Stored directly: loading a grid is no move to report to a challenge peer.
  GridRecord &grid = ctx.Grids.Main[slot];
  for (int i = 0; i < ctx.Geo.NCells; ++i) {
    CellRecord &cell = grid.Cells[i];
    if (IsEmptyMark(line[i]))
      ResetCellState(ctx.Geo, cell);
    else
      StoreCellValue(ctx.Geo, cell, line[i] - '0', kStatusFixed);
  }
  ResetGridState(grid);
  return {};
}

std::string OneLineOfGrid(const EngineContext &ctx, const GridRecord &grid) {
  std::string line;
  const int n = std::min(ctx.Geo.NCells, static_cast<int>(grid.Cells.size()));
  line.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const int value = grid.Cells[i].Value;
    line.push_back(value >= 1 && value <= ctx.Geo.GridWidth ? static_cast<char>('0' + value) : '0');
  }
  return line;
}

} // namespace quorbel
