// Chess: figures stand on cells (knight, queen, king, bishop, rook, pawn; black or white) and
// every occurrence of a figure's digit in the grid is that figure. No white figure may be
// attacked by a white one, and once the grid is full every black figure must be defended by a
// black one. A cell's `ImageIndex` holds the figure standing on it (kind + 6 x colour, -1 none).
#pragma once

#include <vector>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

inline constexpr int kChessKinds = 6;
inline constexpr int kChessFigures = 12; // kind + 6 x colour
enum ChessKind : int { kKnight = 0, kQueen, kKing, kBishop, kRook, kPawn };

// The figures of the list on their cells, each figure's digit from its filled cells (a second
// digit, or a digit two figures share, marks the cell), the figures on every cell holding a
// figure's digit, then the attacks.
void PrepareChessCells(const GridGeometry &geo, GridRecord &grid);
// Every cell gets the digits of the black and of the white figures that attack it.
void ComputeChessAttacks(const GridGeometry &geo, GridRecord &grid);
// The cells that `figure` (kind + 6 x colour) standing on `cell` attacks.
std::vector<int> ChessAttackedCells(const GridGeometry &geo, int cell, int figure);

void CheckChess(const GridGeometry &geo, GridRecord &grid);
int FilterChess(const GridGeometry &geo, GridRecord &grid);

} // namespace quorbel
