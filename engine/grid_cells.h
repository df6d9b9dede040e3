// A grid's cells against the current geometry: the cell array's size, the block and
// region tables, the puzzle-piece records, and whole-grid display switches.
#pragma once

#include "engine/geometry.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct VariantLists;

// Re-allocates the cells when the geometry's record count changed (every record then
// cleared and numbered, the irregular layout dropped) and rebuilds the region tables.
// `takeVariant` 1 first gives the grid the variant words of the setting; `resetGrid` 1
// resets the grid fully before the tables are rebuilt. Running out of memory stops the
// program.
void AllocGridCells(EngineContext &ctx, GridRecord &grid, int resetGrid, int takeVariant);

// Each playing cell's odd/even mark from the grid's list (none unless the grid has the rule).
void ApplyOddEvenMarks(const GridGeometry &geo, GridRecord &grid);

// Recomputes NRecords, the block, diagonal and extra-region tables, the cells' odd/even
// marks from their list and every cell's block borders. An irregular layout is used only
// when it gives every playing cell to exactly one block; otherwise blocks stay regular.
void ResetRegionTables(const GridGeometry &geo, GridRecord &grid);

// Puzzle pieces take the spare records after the unit summaries: NCells of them. Pieces
// are counted in list order while they fit; the rest take no records.
int PuzzlePieceRecords(const GridGeometry &geo, const VariantLists &lists);
// Whether one more piece of nCells cells still fits in the spare records.
bool CanAddPuzzlePiece(const GridGeometry &geo, const VariantLists &lists, int nCells);

void HideGridContents(const GridGeometry &geo, int flag, GridRecord &grid);

} // namespace quorbel
