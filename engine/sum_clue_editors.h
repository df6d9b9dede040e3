// The list editors of the sum and product rules, and the lookups that find the item under a
// cell. Every toggle removes an item with the same key or appends a new one; an append to a
// full list, or an item the list cannot hold, is refused and writes nothing. Toggles return 1
// when an item was added or changed, 0 when one was removed or nothing was written.
#pragma once

#include <cstdint>
#include <span>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// The diagonal from `first` to `last` (first -1: the clue whose last cell is that edge cell)
// becomes a clue, or stops being one. A new clue's target is `target` when positive, else the
// sum of `solution`'s values along it (modulo the Kimo modulus on a Kimo grid).
int ToggleLittleKillerClue(const GridGeometry &geo, int first, int last, GridRecord &grid, int target,
                           const GridRecord &solution);
// Walks clue i's line from its first to its last cell: its step, -1 (and no cell) when the two
// are not on one diagonal.
int BuildLittleKillerLine(const GridGeometry &geo, int i, GridRecord &grid);
int SumLittleKillerLine(const GridGeometry &geo, const GridRecord &grid, int i, const GridRecord &solution);

// The first cage holding any of `cells` is removed; otherwise they become a cage (sorted)
// whose target is their sum or product in `solution`. Refused: more than 10 cells, a full list.
int ToggleKillerCage(const GridGeometry &geo, GridRecord &grid, std::span<const int> cells, int product,
                     const GridRecord &solution);

int ToggleArrow(GridRecord &grid, std::span<const int> cells);
int ToggleCreasingLine(GridRecord &grid, std::span<const int> cells, int kind);
int ToggleMagicSquare(GridRecord &grid, std::span<const int> cells);

// The item under a cell, -1 when none.
int FindKillerCageOfCell(const GridRecord &grid, int cell);
int CageOfCell(const GridRecord &grid, int cell);
int FindArrowOfCell(const GridRecord &grid, int cell);
int FindCreasingOfCell(const GridRecord &grid, int cell);
int FindTransferCell(const GridRecord &grid, int cell);
int FindMagicSquareOfCell(const GridRecord &grid, int cell);
// The cell's place (0 a .. 3 d) in Mult Table item n.
int FindMultTableSlot(const GridRecord &grid, int n, int cell);

} // namespace quorbel
