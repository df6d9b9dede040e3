// A grid's irregular blocks and extra regions taken from the irregular block file, the
// grid's blocks appended to it, and the merge of another file's layouts into it.
// Nothing read from a file reaches a grid unless the whole layout was read and checked.
#pragma once

#include <optional>
#include <string_view>

#include "engine/irregular_block_file.h"
#include "engine/variant_lists.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Reads layout `layout` (from 0; -1 draws one) of the current width from `fileName` (""
// means "IRGBlk.dat" beside the program). With extraCount 0 the layout becomes the grid's
// blocks; with extraCount 1..4 as many of its regions, drawn at random, become the grid's
// extra regions instead (flags 1..extraCount on, the others off). Returns 1 when loaded;
// 0 with the reason on the message panel, the grid unchanged, when not.
int LoadIrregularBlocks(EngineContext &ctx, GridRecord &grid, int layout, std::string_view fileName,
                        int extraCount);

// The layouts of the current width in the file; 0 when it cannot be read.
int CountIrregularBlocks(const EngineContext &ctx, std::string_view fileName = {});

// Appends the irregular blocks of the grid to the file (saved through a temporary file).
// Returns 1; 0 with a message when the grid has no complete irregular blocks or the file
// cannot be written.
int AppendIrregularBlocks(EngineContext &ctx, const GridRecord &grid, std::string_view fileName = {});

// Appends the layouts of `file` to the irregular block file, width by width (4, 6, 8, 9,
// 12, 16), each width up to its first refused layout; the grids and the geometry are left
// alone. Posts "Irregular definition <file> Added" and returns the number of layouts added, or
// kIrregularMergeStopped (nothing added) when the player stopped it.
inline constexpr int kIrregularMergeStopped = -10;
int AddIrregularDefinitions(EngineContext &ctx, std::string_view file, std::string_view target = {});

// The grid's block and region tables rebuilt after its layout or region flags changed; a
// main grid's also reach the geometry's shared copies.
void RebuildGridRegions(EngineContext &ctx, GridRecord &grid);

// The blocks a grid reads from a layout: row b lists the cells of region b in reading order.
BlockLayout BlockLayoutOf(const RegionLayout &layout);
// The grid's irregular blocks as region numbers; none when its layout is not a complete
// partition of the cells into GridWidth blocks of GridWidth cells.
std::optional<RegionLayout> RegionLayoutOf(const GridGeometry &geo, const GridRecord &grid);

} // namespace quorbel
