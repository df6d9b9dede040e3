// Copying grids: the cell copy modes over whole grids, the full grid copy that undo,
// the search history and the solver's scratch grids rely on, and value comparison.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

// CopyCellFields (mode: 0 both parts, 1 variant part, 2 value part) over the playing cells.
void CopyGridCells(const GridGeometry &geo, int mode, GridRecord &dst, const GridRecord &src);

// Copies src into dst: block and region tables, the records in use, the variant words,
// lists and work state, comment, state and open-cell count. A destination allocated for
// another geometry is re-allocated first (and reset when mode is 0). Never copies more
// records than the destination holds. Returns 0 when src is null, else 1.
int CopyGrid(EngineContext &ctx, GridRecord &dst, const GridRecord *src, int mode);

// 1 when every playing cell holds the same value in both grids.
int SameValues(const GridGeometry &geo, const GridRecord &a, const GridRecord &b);

} // namespace quorbel
