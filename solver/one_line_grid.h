// Grids written on one line, as the one-line catalogues hold them: one character per cell
// in reading order, "0" or "." for an empty cell, "1".."9" then ":" ";" "<" "=" ">" "?" "@"
// for 10..16 (the character minus '0'). The length gives the size, with its default blocks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorbel {

struct EngineContext;
struct GridRecord;

// The first line of a one-line catalogue file, which holds no grid.
constexpr std::string_view kOneLineHeader = "Quorbel Mode MiniS";
bool IsOneLineHeader(std::string_view line);

// The width of a grid of `cells` cells (16, 36, 64, 81, 144 or 256), 0 for any other count.
int OneLineGridWidth(size_t cells);

// Checks the whole line (a trailing line end is allowed), then lays the context out for its
// size when the size differs and fills main grid `slot`: each value a clue (status 3),
// every other cell empty. An empty string when done, else what is wrong and where.
std::string LoadOneLineGrid(EngineContext &ctx, std::string_view line, int slot);

// The grid's values on one line ("0" for a cell without a value).
std::string OneLineOfGrid(const EngineContext &ctx, const GridRecord &grid);

} // namespace quorbel
