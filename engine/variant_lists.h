// The clue lists of a grid's variant rules, as fixed-capacity typed arrays, and the
// work state that the rules' checks and filters derive from them at every propagation.
// The split matters: VariantLists changes only when clues are edited, generated or
// read, so snapshots of unchanged grids can share one copy (compare with ==), while
// VariantWork (conflict flags and the like) is rewritten by every propagation.
// A count read from outside may be anything: loops go through Used(), never Count.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "engine/variant_bits.h"

namespace quorbel {

using CellRef = int16_t; // index into the grid's cell array, -1 none

template <typename Item, int Capacity> struct FixedList {
  static constexpr int kCapacity = Capacity;
  int32_t Count = 0;
  std::array<Item, Capacity> Items{};

  int Size() const { return std::clamp<int>(Count, 0, Capacity); }
  bool Full() const { return Size() >= Capacity; }
  std::span<Item> Used() { return {Items.data(), static_cast<size_t>(Size())}; }
  std::span<const Item> Used() const { return {Items.data(), static_cast<size_t>(Size())}; }
  // Refused (false, nothing written) when the list is full.
  bool Append(const Item &item) {
    if (Full())
      return false;
    const int at = Size();
    Items[at] = item;
    Count = at + 1;
    return true;
  }
  // Later items move down one place.
  void RemoveAt(int index) {
    const int size = Size();
    if (index < 0 || index >= size)
      return;
    std::move(Items.begin() + index + 1, Items.begin() + size, Items.begin() + index);
    Items[size - 1] = Item{};
    Count = size - 1;
  }
  void Clear() { *this = FixedList{}; }
  bool operator==(const FixedList &) const = default;
};

// The irregular block layout: row b lists the cells of block b (or, on an Extra Region
// grid, rows 0..3 list the cells of diagonal 1, diagonal 2, extra region 1 and 2).
// A first entry below 0 means no layout.
struct BlockLayout {
  using Rows = std::array<std::array<CellRef, 16>, 16>;
  int16_t RowCount = 0;
  std::array<int16_t, 16> RowLength{};
  Rows Cells = Undefined();
  bool Defined() const { return Cells[0][0] >= 0; }
  bool operator==(const BlockLayout &) const = default;

  static constexpr Rows Undefined() {
    Rows rows{};
    rows[0][0] = -1;
    return rows;
  }
};

struct LittleKillerClue {
  CellRef FirstCell = -1; // where the diagonal walk starts
  CellRef LastCell = -1;
  int16_t Step = 0; // cell-index step along the diagonal
  int16_t NCells = 0;
  std::array<CellRef, 16> Cells{};
  int32_t Target = 0;
  bool operator==(const LittleKillerClue &) const = default;
};

struct KillerCage {
  int16_t NCells = 0;
  std::array<CellRef, 10> Cells{};
  int32_t Target = 0;
  int16_t IsProduct = 0;
  bool operator==(const KillerCage &) const = default;
};

struct OddEvenMark {
  CellRef Cell = -1;
  int16_t Mark = -1; // 0 even, 1 odd, 10 the shared parity
  bool operator==(const OddEvenMark &) const = default;
};

// A comparison mark's kind.
enum ComparisonKind : int {
  kCompareX = 2,
  kCompareV = 3,
  kCompareConsecutive = 4,
  kCompareRatio = 5,
  kCompareSumN = 6,
  kCompareDifferenceN = 7,
  kCompareGreater = 8, // A > B
  kCompareLess = 9,    // A < B
};

struct ComparisonMark {
  CellRef CellA = -1;
  CellRef CellB = -1;
  int16_t Kind = 0; // ComparisonKind
  bool operator==(const ComparisonMark &) const = default;
};

struct DistanceClue {
  int16_t ValueA = 0;
  int16_t ValueB = 0;
  int16_t Distance = 0;    // B stands this many cells after A
  int16_t Orientation = 0; // 1 a row, 0 a column
  int16_t Line = 0;
  bool operator==(const DistanceClue &) const = default;
};

struct PuzzlePiece {
  int16_t NCells = 0;
  std::array<CellRef, 10> Cells{};      // grid cells giving the shape
  std::array<int16_t, 10> Digits{};     // 0 none
  std::array<CellRef, 10> Identities{}; // the records that show the piece's cells
  int16_t Rotation = 0;                 // quarter turns
  int16_t Mirror = 0;
  int16_t AnchorRow = 0;
  int16_t AnchorCol = 0;
  int16_t MarkedCell = -1; // Tiled: the position of the cell the board marks (a grid corner)
  int16_t Placed = 0;      // the player laid every cell of it on the grid
  int16_t Found = 0;       // the player marked it found
  bool operator==(const PuzzlePiece &) const = default;
};

struct TwinsRelationLink {
  CellRef Cell = -1;
  CellRef OtherCell = -1;
  int16_t OtherGrid = -1;
  bool operator==(const TwinsRelationLink &) const = default;
};

struct OddPairMark {
  CellRef CellA = -1;
  CellRef CellB = -1;
  int16_t Kind = 0; // 0 even sum, 1 odd sum, 2 the shared parity
  bool operator==(const OddPairMark &) const = default;
};

struct QuadClue {
  std::array<CellRef, 4> Cells{};
  int16_t Kind = 0; // 0 max cell given, 1 min cell given, 2 both
  CellRef MinCell = -1;
  CellRef MaxCell = -1;
  bool operator==(const QuadClue &) const = default;
};

struct TwinsZoneLink {
  int16_t Block = 0;
  int16_t OtherBlock = 0;
  int16_t OtherGrid = -1;
  bool operator==(const TwinsZoneLink &) const = default;
};

struct MagicSentenceClue {
  int16_t NCells = 0; // the first cell is the reference cell
  std::array<CellRef, 26> Cells{};
  std::array<int16_t, 26> SavedValues = MakeUnsaved(); // first -1: nothing saved
  // The value (1..16; anything else none) each letter A..Z stands for, so that the letters come
  // back with the grid; and 1 once the completed sentence has been shown. Whole words, kept as
  // read: files written before these words had a meaning may hold anything there.
  std::array<int32_t, 26> LetterTable{};
  int32_t Shown = 0;
  bool operator==(const MagicSentenceClue &) const = default;

  static constexpr std::array<int16_t, 26> MakeUnsaved() {
    std::array<int16_t, 26> values{};
    values[0] = -1;
    return values;
  }
};

struct ArrowClue {
  int16_t NCells = 0; // the first is the circle
  std::array<CellRef, 10> Cells{};
  bool operator==(const ArrowClue &) const = default;
};

struct CreasingLine {
  int16_t Kind = 0; // 0 monotone, 1 alternating, 2 consecutive, 3 one cell the sum of the others
  int16_t NCells = 0;
  std::array<CellRef, 10> Cells{};
  bool operator==(const CreasingLine &) const = default;
};

struct DanGroup {
  int16_t NCells = 0;
  int16_t MaxDistinct = 0;
  std::array<CellRef, 80> Cells{};
  bool operator==(const DanGroup &) const = default;
};

struct EqualityGroup {
  int16_t NCells = 0;
  std::array<CellRef, 16> Cells{};
  bool operator==(const EqualityGroup &) const = default;
};

struct WheelClue {
  CellRef Centre = -1;
  std::array<int16_t, 4> Values{}; // clockwise
  int16_t Rotation = 0;            // the neighbour (0 up .. 3 left) that takes the first value
  bool operator==(const WheelClue &) const = default;
};

struct PanExpression {
  std::array<int16_t, 4> Blocks{-1, -1, -1, -1};
  int16_t Position = 0;
  std::array<int16_t, 3> Operators{}; // 1 + 2 - 3 * 4 / 5 %, 6 = 7 != 8 > 9 <
  bool operator==(const PanExpression &) const = default;
};

struct NavigatorArrow {
  CellRef Cell = -1;
  int16_t Direction = 0; // 0..11
  bool operator==(const NavigatorArrow &) const = default;
};

struct ChessPiece {
  CellRef Cell = -1;
  int16_t Kind = 0;   // 0 knight, 1 queen, 2 king, 3 bishop, 4 rook, 5 pawn
  int16_t Colour = 0; // 0 black, 1 white
  bool operator==(const ChessPiece &) const = default;
};

struct MagicSquareClue {
  int16_t NCells = 0; // side squared
  std::array<CellRef, 16> Cells{};
  bool operator==(const MagicSquareClue &) const = default;
};

struct TransferCell {
  CellRef Cell = -1;
  bool operator==(const TransferCell &) const = default;
};

struct MultTableItem {
  std::array<CellRef, 4> Cells{}; // a * b = 10 c + d
  bool operator==(const MultTableItem &) const = default;
};

struct MasterMindGuess {
  int16_t Row = 0;
  int16_t Black = 0;
  int16_t White = 0;
  std::array<int16_t, 16> Columns{};
  bool operator==(const MasterMindGuess &) const = default;
};

struct MasterMindClue {
  int16_t CodeLength = 0;
  std::array<int16_t, 16> Code{};
  FixedList<MasterMindGuess, 16> Lines;
  bool operator==(const MasterMindClue &) const = default;
};

struct TwinsMultipleGroup {
  int16_t NCells = 0;
  int16_t OtherGrid = -1;
  std::array<CellRef, 16> Cells{};
  std::array<CellRef, 16> OtherCells{}; // the k-th faces the k-th of Cells
  bool operator==(const TwinsMultipleGroup &) const = default;
};

template <typename T> using SideTable = std::array<std::array<T, 16>, 4>; // [side][line]

// A clue's kind beside the grid: a frame clue's, and an outside clue's.
enum FrameKind : int {
  kFrameNone = 0,
  kFrameSum,
  kFrameProduct,
  kFrameSkyScraper,
  kFrameLastRising, // Last Number, both ways
  kFrameLastFalling,
  kFrameMax,
};
enum OutsideKind : int { kOutsideNone = 0, kOutsideValues, kOutsideOddview, kOutsideTransfer };

struct FrameClues {
  SideTable<int32_t> Value{};
  SideTable<int16_t> Kind{}; // FrameKind
  bool operator==(const FrameClues &) const = default;
};

struct OutsideClues {
  SideTable<int16_t> Count{};
  std::array<std::array<std::array<int16_t, 16>, 16>, 4> Values{};
  SideTable<int16_t> Kind{}; // OutsideKind
  bool operator==(const OutsideClues &) const = default;
};

struct SameInLineClues {
  int16_t PartnerGrid = -1;
  std::array<int16_t, 16> RowClue = MakeNoClues(); // -1 no clue for the row
  bool operator==(const SameInLineClues &) const = default;

  static constexpr std::array<int16_t, 16> MakeNoClues() {
    std::array<int16_t, 16> clues{};
    clues.fill(-1);
    return clues;
  }
};

enum RegionIndex : int { kRegionDiag1 = 0, kRegionDiag2 = 1, kRegionExtra1 = 2, kRegionExtra2 = 3 };

constexpr std::array<int16_t, 16> IdentityValues() {
  std::array<int16_t, 16> values{};
  for (int v = 0; v < 16; ++v)
    values[v] = static_cast<int16_t>(v + 1);
  return values;
}

struct VariantLists {
  BlockLayout Layout;
  FixedList<LittleKillerClue, 64> LittleKiller;
  FixedList<KillerCage, 40> Killer;
  FixedList<OddEvenMark, 80> OddEven;
  FixedList<ComparisonMark, 240> Comparisons;
  FixedList<DistanceClue, 80> Distance;
  FixedList<PuzzlePiece, 40> Pieces;
  int16_t PuzzleRotation = 0; // pieces may rotate
  int16_t PieceParity = 0;    // a dropped piece leaves the parity of its digits, not the digits
  // Battle Ship: the boat cells of the solution in each row and column.
  std::array<int8_t, 16> BoatClueRow{};
  std::array<int8_t, 16> BoatClueCol{};
  FixedList<TwinsRelationLink, 80> TwinsRelation;
  FixedList<OddPairMark, 80> OddPairs;
  FixedList<QuadClue, 80> Quads;
  FixedList<TwinsZoneLink, 80> TwinsZone;
  MagicSentenceClue MagicSentence;
  FixedList<ArrowClue, 80> Arrows;
  FixedList<CreasingLine, 80> Creasing;
  DanGroup Dan;
  FixedList<EqualityGroup, 80> Equality;
  FixedList<WheelClue, 80> Wheels;
  FixedList<PanExpression, 80> Pan;
  FixedList<NavigatorArrow, 160> Navigator;
  FixedList<ChessPiece, 80> Chess;
  FixedList<MagicSquareClue, 80> MagicSquares;
  FixedList<TransferCell, 80> Transfer;
  int16_t TwinsPartner = -1; // slot of the linked grid
  FixedList<MultTableItem, 80> MultTable;
  MasterMindClue MasterMind;
  int16_t SubstitutionOwner = 0; // 1 on the Twins Substitution grid that holds the map
  FixedList<TwinsMultipleGroup, 10> TwinsMultiple;
  FrameClues Frame;
  OutsideClues Outside;
  SameInLineClues SameInLine;
  std::array<int16_t, 4> RegionOn{}; // diagonal 1, diagonal 2, extra region 1, extra region 2
  int32_t ComparisonTotal = -1;      // N of the sum and difference marks, -1 not set
  int32_t KimoModulus = 0;
  int16_t ZeroFlag = 0; // consecutive cells of a cage differ
  std::array<int16_t, 16> ValuePermutation = IdentityValues();
  // A hidden-variant set: the rule this grid was made under, which the player must find.
  VariantWords HiddenRule;

  bool operator==(const VariantLists &) const = default;
};

// What the checks and filters derive; recomputed by propagation, never part of a puzzle.
struct VariantWork {
  template <int N> using Flags = std::array<int8_t, N>;

  Flags<64> LittleKillerConflict{};
  Flags<40> KillerConflict{};
  Flags<240> ComparisonConflict{};
  Flags<80> DistanceConflict{};
  Flags<40> PieceConflict{};
  Flags<80> TwinsRelationConflict{};
  Flags<80> OddPairConflict{};
  Flags<80> QuadMinConflict{};
  Flags<80> QuadMaxConflict{};
  Flags<80> TwinsZoneConflict{};
  int8_t MagicSentenceState = 0; // 0 incomplete, 1 complete and right, 2 a cell differs
  Flags<80> ArrowConflict{};
  Flags<80> CreasingConflict{};
  std::array<int8_t, 80> CreasingDirection = Filled<80>(-1);
  int8_t DanConflict = 0;
  Flags<80> EqualityConflict{};
  Flags<80> WheelConflict{};
  Flags<80> PanConflict{};
  std::array<int8_t, 80> PanNumberCount{};
  std::array<int8_t, 80> PanDigitCount = Filled<80>(-1); // -1: digit cells not built
  std::array<std::array<std::array<CellRef, 4>, 4>, 80> PanDigitCells{};
  Flags<160> NavigatorConflict{};
  Flags<80> ChessConflict{};
  std::array<int8_t, 12> FigureValue = Filled<12>(-1);
  Flags<80> MagicSquareConflict{};
  std::array<int8_t, 80> MagicSide{};
  std::array<int16_t, 80> MagicSum{};
  Flags<80> TransferConflict{};
  Flags<80> MultTableConflict{};
  Flags<16> MasterMindConflict{};
  Flags<10> TwinsMultipleConflict{};
  SideTable<int8_t> FrameConflict{};
  SideTable<int8_t> OutsideConflict{};
  Flags<5> AllIndicated{};
  std::array<int8_t, 16> BoatsPerRow{};
  std::array<int8_t, 16> BoatsPerCol{};
  int32_t NeighbourScore = 0;
  std::array<int8_t, 16> SubstitutionMap = Filled<16>(-1);
  Flags<16> SameInLineConflict{};
  int8_t PirateConflict = 0;
  // Where the board lays the puzzle pieces out beside the grid.
  std::array<std::array<int16_t, 10>, 40> PieceLayoutCol{};
  std::array<std::array<int16_t, 10>, 40> PieceLayoutRow{};
  std::array<std::array<int16_t, 80>, 80> PieceLayoutBoard{};

  bool operator==(const VariantWork &) const = default;

  template <int N> static constexpr std::array<int8_t, N> Filled(int8_t value) {
    std::array<int8_t, N> flags{};
    flags.fill(value);
    return flags;
  }
};

// The candidates a diagonal's or a cage's filter last left, as digests. On the same candidates
// the filter would change nothing, whichever grid they stand in, so it is skipped while its
// digest matches; a digest neither travels with a grid nor needs to.
struct FilterDigests {
  std::array<uint64_t, 64> LittleKiller{};
  std::array<uint64_t, 40> Killer{};
};

} // namespace quorbel
