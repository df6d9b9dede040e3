// The pieces of the Puzzle, Tiled and Battle Ship rules: small groups of cells with digits that
// must fit somewhere on the solution, turned or mirrored as the rule allows. Their coordinates
// turned about the origin or in a box, the check and filter of one piece, and their layout on
// the board beside the grid (each piece cell covers 2 x 2 squares of an 80 x 80 board).
#pragma once

#include <utility>

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;
struct PuzzlePiece;
struct VariantLists;

constexpr int kMaxPieceDigits = 10;
constexpr int kLayoutBoardSide = 80;
constexpr int kLayoutFree = -2;   // a square nothing covers
constexpr int kLayoutMargin = -1; // a square beside a placed piece

// Quarter turns about the origin: 1 (x, y) -> (-y, x), 2 -> (-x, -y), 3 -> (y, -x), else unchanged.
std::pair<int, int> RotateCoords(int type, int x, int y);
constexpr int NegateCoord(int x) { return -x; }
// The same turns inside a width x height box.
std::pair<int, int> RotateCoordsInBox(int type, int x, int y, int width, int height);

// The turns a piece may take under the grid's rules: the quarter turns (bit r for r turns) and
// whether it may be mirrored.
struct PieceTurns {
  unsigned Rotations = 1; // bit 0: unturned
  bool Mirror = false;
};
PieceTurns AllowedPieceTurns(const GridRecord &grid, const PuzzlePiece &piece);
// The digit a cell of the piece shows when turned (Tiled digits read upside down or mirrored).
int TurnedDigit(const GridRecord &grid, int digit, int rotation, bool mirror);

// Cell k of the piece, turned and mirrored: its (column, row) from the smallest column and row
// over the piece's turned cells.
std::pair<int, int> PieceCellOffset(const GridGeometry &geo, const PuzzlePiece &piece, int k, int rotation,
                                    bool mirror);

// On a grid with no open cell: a piece that fits nowhere is a conflict (its flag, State 5).
void CheckPuzzlePiece(const GridGeometry &geo, GridRecord &grid, int i);
// When the piece fits in one place only, its digits narrow the open cells there (`narrow`).
// 1 when a cell changed.
int FilterPuzzlePieces(const GridGeometry &geo, GridRecord &grid, int i, bool narrow);
// Every piece in turn, as FilterPuzzlePieces narrows; a piece that the candidates leave no place
// is a conflict at once, since no way of filling the grid could give it one. 1 when a cell changed.
int FilterAllPuzzlePieces(const GridGeometry &geo, GridRecord &grid);

// Lays every piece on the layout board of at most 80 x 80 squares; false when one finds no place.
bool PlacePuzzlePieces(const GridGeometry &geo, GridRecord &grid, int columns, int rows);
// Grows the board (rows when `growRows`, else columns) from 5 (or less in a smaller room) up to
// the room given, then scales both by 1.3 up to 4 times, until every piece has a place; false
// when none was found. The board found never passes the room, scaled.
bool FitPuzzlePieces(const GridGeometry &geo, GridRecord &grid, int &rows, int &columns, bool growRows,
                     double &scale);

// Readies the pieces for play: each piece's cells in index order, the pieces shuffled, their turns
// drawn as the rule allows (a Battle Ship boat standing upright takes a quarter turn), each cell
// given the record after the grid's own that shows it, holding its digit as a clue, and each
// piece's anchor (its first cell's row and column) noted.
void NormalisePuzzlePieces(EngineContext &ctx, GridRecord &grid);
// The same without the shuffle and the drawn turns: the pieces as they stand, in their order and
// turns, get their records and anchors (a grid read from text, a piece turned by the player).
void ShowPuzzlePieces(EngineContext &ctx, GridRecord &grid);

// The corner of the grid a cell stands in: 0 top left, 1 top right, 2 bottom right, 3 bottom
// left; -1 for any other cell.
int GridCornerOf(const GridGeometry &geo, int cell);
// Each piece that holds a corner of the grid marks that cell (the Tiled tiles' marked corners).
void MarkPieceCorners(const GridGeometry &geo, VariantLists &lists);

// The piece whose cells carry the identity, -1 when none.
int FindPuzzlePieceOfCell(const GridRecord &grid, int identity);
// Removes piece n; the later pieces move down.
void RemovePuzzlePiece(GridRecord &grid, int n);

} // namespace quorbel
