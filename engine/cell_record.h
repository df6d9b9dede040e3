// The cell record: one playing cell, or one unit summary after the playing cells.
// Invariants: ThePoss and Marks hold value bits (bit v-1 = value v); after any change of
// ThePoss or Marks, Excluded is ThePoss XOR FullMask (Marks XOR FullMask for a pencilled
// cell). A status below 5 means the cell holds a value, above 5 that it is open.
// The record is trivially copyable and its first 64 bytes are what propagation reads. The
// animations of the cell's pictures live beside the board, not here: every trial grid and undo
// snapshot copies the record.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

#include "engine/cell_image.h"
#include "engine/digit_tables.h"

namespace quorbel {

struct GridGeometry;

enum CellStatus : int32_t {
  kStatusGiven = 0,          // takes no part in candidates or unit summaries
  kStatusPlaced = 1,         // placed by the player or by a committed solving step
  kStatusPlacedLastStep = 2, // placed by the last solving step
  kStatusFixed = 3,          // a clue: drawn like a given, never changed by filters
  kStatusHypothesis = 4,     // a trial value of the search
  kStatusConflict = 5,       // a value marked as in conflict
  kStatusEmpty = 6,
  kStatusPencilled = 7, // empty, with pencil marks
};
// Statuses from here on are never overwritten by the closing step of SetCellValue.
constexpr int32_t kStatusSticky = 11;

enum CellCheck : int32_t { kCheckConsistent = 3, kCheckConflict = 5, kCheckUnitOpen = 8 };

// Room for every candidate of a 16-value cell and the closing -1.
constexpr int kMaxPossList = 17;

struct CellRecord {
  // Value part: what propagation reads and the value copy mode carries.
  int32_t Index = 0; // position of the record in its grid's cell array
  int32_t Value = 0; // 0 none, else 1..GridWidth
  int32_t Status = kStatusEmpty;
  int32_t Check = kCheckConsistent;
  uint32_t ThePoss = 0;   // candidates; on a unit summary the values still free in the unit
  uint32_t Marks = 0;     // the placed value's bit, or the pencil marks of status 7
  uint32_t SavedPoss = 0; // ThePoss when the hypothesis started
  uint32_t Excluded = 0;
  uint32_t WorkWord = 0;     // scratch of the solving methods
  uint32_t ProbableMask = 0; // the methods' probable values
  int32_t NPoss = 0;
  int32_t SavedNPoss = 0;
  int32_t SavedStatus = 0;
  int32_t HypIndex = 0; // which saved candidate is under trial, from 1
  int8_t CellHighlight = 0;
  int8_t UnitHighlight = 0;
  int8_t Boat = 0; // 0 none, 1 boat, 2 water
  int8_t NotDrawn = 0;

  std::array<int32_t, 16> ValueScores{}; // one score per value, index v-1
  std::array<int32_t, 4> ScoreWords{};   // the first three travel with the value part

  // Colouring of the solving methods: chains that placed or removed the coloured value.
  int32_t ColourSet = -1;
  int32_t EliminationSet = 0;
  int32_t ColourValue = -1;

  // Variant part: what the variant rules read and the variant copy mode carries.
  int16_t OddEven = -1; // -1 none, 0 even, 1 odd, 10 the shared parity
  int16_t OddEvenError = 0;
  int16_t CellClass = 0; // Trio class, 0 none
  int16_t ClassError = 0;
  int16_t Numeral = -1; // letter code of the Numeral rule, -1 none
  int16_t NumeralError = 0;
  int16_t AllowedError = 0;
  int32_t AllowedType = kAllowedTypeNone; // how AllowedIndex selects the allowed set (SetAllowedSet)
  int32_t AllowedIndex = 0;               // the mask or index that selects the allowed set
  uint32_t AllowedMaskWord = kAllowedMaskWordAll;
  uint32_t AllowedSet = 0;
  int16_t ImageIndex = -1; // the chess figure on the cell (kind + 6 x colour), -1 none
  int16_t ImageFlag = 0;   // 1: the third image is shown
  int16_t FigureColour = 0;
  uint16_t BlackAttacks = 0; // values of the black figures attacking the cell
  uint16_t WhiteAttacks = 0;
  int16_t CrossedOut = 0; // a crossed-out cell of the Transfer rule
  int16_t Partner1 = -1;  // cells linked to this one by a comparison mark
  int16_t Partner2 = -1;
  int16_t MasterMindLine = -1;
  std::array<int8_t, 4> BlockBorders{}; // left, right, top, bottom lie on a block edge
  int32_t SurpriseKind = 0;             // challenge surprises
  int32_t SurpriseAmount = 0;
  std::array<int32_t, 4> SurpriseWords{};
  int32_t MarkerState = 0; // 1: the marker images are shown
  int32_t MarkerWord = 0;
};
static_assert(std::is_trivially_copyable_v<CellRecord>);

// ---- Reset and store ----

// Empties the cell (status 6, every candidate) and keeps its variant fields.
void ResetCellState(const GridGeometry &geo, CellRecord &cell);
// ResetCellState; below level 2 the variant fields and block borders go too; every image is reset.
void ClearCell(const GridGeometry &geo, CellRecord &cell, int level);
// The construction state of a record: cleared at level 1.
CellRecord MakeClearedCell(const GridGeometry &geo);
// Stores value and status; a non-zero status also makes the masks the value's bit. Returns 1.
int StoreCellValue(const GridGeometry &geo, CellRecord &cell, int value, int status);

enum CellCopyMode : int { kCopyBoth = 0, kCopyVariantPart = 1, kCopyValuePart = 2 };
void CopyCellFields(const GridGeometry &geo, CellRecord &dst, const CellRecord &src, int mode);

// Status 2 (placed by the last step) becomes 1.
void CommitCellValue(CellRecord &cell);

// ---- Candidate queries (values ascending, 1..GridWidth) ----

int CountPoss(const GridGeometry &geo, CellRecord &cell); // recounts NPoss and returns it
int CountMarks(const GridGeometry &geo, const CellRecord &cell);
// The lowest candidate, from the pencil marks for status 7; 0 when none.
int FirstPossValue(const GridGeometry &geo, const CellRecord &cell);
// The n-th candidate counted from 0; 0 when there are fewer.
int PossValueAt(const GridGeometry &geo, const CellRecord &cell, int n);
// The first and the last candidate; (-1, -1) when none.
std::pair<int, int> FirstAndLastPossValue(const GridGeometry &geo, const CellRecord &cell);
// The first candidate above v (GridWidth + 1 when none), the last below v (-1 when none).
int NextPossValueAbove(const GridGeometry &geo, const CellRecord &cell, int v);
int PrevPossValueBelow(const GridGeometry &geo, const CellRecord &cell, int v);
// For status <= 5 returns Value; -1 when NPoss exceeds GridWidth; else writes the
// candidates followed by -1 into out and returns 0.
int ListPossValues(const GridGeometry &geo, const CellRecord &cell, std::span<int, kMaxPossList> out);

// score * 100 + v of the first value with the highest score; -1 when every score is negative.
int BestScoredValue(const GridGeometry &geo, const CellRecord &cell);
// The same for the lowest non-zero score; 99999 when every score is 0.
int LowestScoredValue(const GridGeometry &geo, const CellRecord &cell);
constexpr int kNoScoredValue = 99999;

} // namespace quorbel
