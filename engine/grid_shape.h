// Changing the shape every grid shares: the geometry values and tables, and the cell
// arrays of the grid set's grids re-sized to match.
#pragma once

namespace quorbel {

struct EngineContext;

// The shape of a code 0..8 (any other code changes nothing). `resetGrids` 1 resets
// every grid; `takeVariant` 1 gives every grid the variant words of the setting.
int SetGridShape(EngineContext &ctx, int shape, int resetGrids, int takeVariant);
// The default shape of a size; the grids keep their variant words.
int SetGridSize(EngineContext &ctx, int size, int resetGrids);
// Refused (0, nothing changed) unless IsValidGeometry holds; then the board's selection
// is cleared because its cell numbers may no longer exist.
int SetGridDimensions(EngineContext &ctx, int rows, int cols, int blockRows, int blockCols, int width,
                      int resetGrids, int takeVariant);
// Rebuilds the tables and re-sizes the main and reference grid of `slot` (-1: every
// slot); 0 and no change while a block side is 0.
int BuildGridTables(EngineContext &ctx, int resetGrids, int takeVariant, int slot);
// Writes the shape code of the current geometry into the GRIDCURRSIZE setting (a size
// without a code leaves it) and returns the setting.
int StoreGridCurrSize(EngineContext &ctx);

} // namespace quorbel
