// The variant block's layout as one walk, and the three visitors that run it: the writer,
// the checking reader and the layout listing. Lists are stored as a count followed by one
// parallel array per item field, each at full capacity; the order is that of the lists in
// the grid record, with the words whose place is not tied to a list after them.
#include "files/variant_block.h"

#include <algorithm>
#include <memory>

#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "files/clue_shapes.h"
#include "files/sud_file_words.h"

namespace quorbel {

namespace {

using Range = WordRange;
using At = WordAt;
constexpr Range kAny = kAnyWord;

struct Ranges {
  Range Cell, OptionalCell, Record, BoardSquare, Block, OptionalBlock, GridSlot, OptionalGridSlot;
  Range Digit = {0, kMaxWidth};
  Range SavedValue = {-1, kMaxWidth};
  Range Flag = {0, 1};
};

Ranges RangesOf(const VariantBlockLimits &limits) {
  Ranges r;
  r.Cell = {0, limits.NCells - 1};
  r.OptionalCell = {-1, limits.NCells - 1};
  r.Record = {-1, limits.Records - 1};
  r.BoardSquare = {-2, limits.Records - 1}; // -2 free, -1 margin, else a record
  r.Block = {0, limits.GridWidth - 1};
  r.OptionalBlock = {-1, limits.GridWidth - 1};
  r.GridSlot = {0, kMaxGrids - 1};
  r.OptionalGridSlot = {-1, kMaxGrids - 1};
  return r;
}

template <class V, class T> void One(V &v, const char *name, T &ref, Range range = kAny) {
  v.Word(At{name}, ref, true, range);
}

template <class V, class T, size_t N>
void Array(V &v, const char *name, std::array<T, N> &values, int used, Range range = kAny) {
  for (int i = 0; i < static_cast<int>(N); ++i)
    v.Word(At{name, i}, values[i], i < used, range);
}

template <class V, class T, size_t N, size_t M>
void Array2(V &v, const char *name, std::array<std::array<T, M>, N> &values, int usedRows, int usedCols,
            Range range = kAny) {
  for (int i = 0; i < static_cast<int>(N); ++i)
    for (int k = 0; k < static_cast<int>(M); ++k)
      v.Word(At{name, i, k}, values[i][k], i < usedRows && k < usedCols, range);
}

// One field of every item of a list, at full capacity; only counted items are checked.
template <class V, class List, class Get>
void Items(V &v, const char *name, List &list, Get get, Range range) {
  const int used = list.Size();
  for (int i = 0; i < List::kCapacity; ++i)
    v.Word(At{name, i}, get(list.Items[i]), i < used, range);
}

// An array field of every item; position k of item i is checked when the item is counted
// and k is below the item's own count.
template <class V, class List, class Get, class Count>
void ItemArrays(V &v, const char *name, List &list, Get get, Count count, Range range) {
  const int used = list.Size();
  for (int i = 0; i < List::kCapacity; ++i) {
    auto &values = get(list.Items[i]);
    const int n = static_cast<int>(values.size());
    const int usedPositions = i < used ? std::clamp<int>(count(list.Items[i]), 0, n) : 0;
    for (int k = 0; k < n; ++k)
      v.Word(At{name, i, k}, values[k], k < usedPositions, range);
  }
}

template <class V, class List> void ListCount(V &v, const char *name, List &list) {
  v.Count(At{name}, list.Count, List::kCapacity);
}

#define QRB_FIELD(member)                                                                                    \
  [](auto &item) -> auto & { return item.member; }

template <class V> void WalkBlock(V &v, VariantBlockContent &b, const Ranges &x) {
  VariantLists &l = b.Lists;
  VariantWork &w = b.Work;
  VariantBlockReserved &r = b.Reserved;
  const Range rowLength{0, kMaxWidth};

  // The irregular block layout, or the diagonal and extra-region cells.
  One(v, "layout: row count", l.Layout.RowCount, rowLength);
  Array(v, "layout: row lengths", l.Layout.RowLength, kMaxWidth, rowLength);
  Array2(v, "layout: cells", l.Layout.Cells, 0, 0);

  ListCount(v, "Little Killer: count", l.LittleKiller);
  Items(v, "Little Killer: first cell", l.LittleKiller, QRB_FIELD(FirstCell), x.Cell);
  Items(v, "Little Killer: last cell", l.LittleKiller, QRB_FIELD(LastCell), x.Cell);
  Items(v, "Little Killer: step", l.LittleKiller, QRB_FIELD(Step), Range{-(kMaxWidth + 1), kMaxWidth + 1});
  Items(v, "Little Killer: cell count", l.LittleKiller, QRB_FIELD(NCells), Range{0, 16});
  ItemArrays(v, "Little Killer: cells", l.LittleKiller, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);
  Items(v, "Little Killer: target", l.LittleKiller, QRB_FIELD(Target), kAny);
  Array(v, "Little Killer: conflict", w.LittleKillerConflict, 0);

  ListCount(v, "Killer: count", l.Killer);
  Items(v, "Killer: cell count", l.Killer, QRB_FIELD(NCells), Range{0, 10});
  ItemArrays(v, "Killer: cells", l.Killer, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);
  Items(v, "Killer: target", l.Killer, QRB_FIELD(Target), kAny);
  Array(v, "Killer: conflict", w.KillerConflict, 0);
  Items(v, "Killer: product flag", l.Killer, QRB_FIELD(IsProduct), x.Flag);

  ListCount(v, "Odd/even marks: count", l.OddEven);
  Items(v, "Odd/even marks: cell", l.OddEven, QRB_FIELD(Cell), x.Cell);
  Items(v, "Odd/even marks: mark", l.OddEven, QRB_FIELD(Mark), Range{-1, 10});

  ListCount(v, "Comparison marks: count", l.Comparisons);
  Items(v, "Comparison marks: cell A", l.Comparisons, QRB_FIELD(CellA), x.Cell);
  Items(v, "Comparison marks: cell B", l.Comparisons, QRB_FIELD(CellB), x.Cell);
  Items(v, "Comparison marks: kind", l.Comparisons, QRB_FIELD(Kind), Range{2, 9});
  Array(v, "Comparison marks: conflict", w.ComparisonConflict, 0);

  ListCount(v, "Distance: count", l.Distance);
  Items(v, "Distance: value A", l.Distance, QRB_FIELD(ValueA), x.Digit);
  Items(v, "Distance: value B", l.Distance, QRB_FIELD(ValueB), x.Digit);
  Items(v, "Distance: distance", l.Distance, QRB_FIELD(Distance), Range{-kMaxWidth, kMaxWidth});
  Items(v, "Distance: orientation", l.Distance, QRB_FIELD(Orientation), x.Flag);
  Items(v, "Distance: line", l.Distance, QRB_FIELD(Line), x.Block);
  Array(v, "Distance: conflict", w.DistanceConflict, 0);

  // Puzzle pieces: one record of 54 words per piece.
  ListCount(v, "Puzzle pieces: count", l.Pieces);
  const int pieces = l.Pieces.Size();
  for (int i = 0; i < decltype(l.Pieces)::kCapacity; ++i) {
    PuzzlePiece &piece = l.Pieces.Items[i];
    const bool used = i < pieces;
    v.Word(At{"Puzzle pieces: cell count", i}, piece.NCells, used, Range{0, 10});
    const int n = used ? std::clamp<int>(piece.NCells, 0, 10) : 0;
    for (int k = 0; k < 10; ++k)
      v.Word(At{"Puzzle pieces: cells", i, k}, piece.Cells[k], k < n, x.Cell);
    for (int k = 0; k < 10; ++k)
      v.Word(At{"Puzzle pieces: digits", i, k}, piece.Digits[k], k < n, x.Digit);
    for (int k = 0; k < 10; ++k)
      v.Word(At{"Puzzle pieces: identities", i, k}, piece.Identities[k], k < n, x.Record);
    for (int k = 0; k < 10; ++k)
      v.Word(At{"Puzzle pieces: layout column", i, k}, w.PieceLayoutCol[i][k], false, kAny);
    for (int k = 0; k < 10; ++k)
      v.Word(At{"Puzzle pieces: layout row", i, k}, w.PieceLayoutRow[i][k], false, kAny);
    v.Word(At{"Puzzle pieces: rotation", i}, piece.Rotation, used, Range{0, 3});
    v.Word(At{"Puzzle pieces: anchor row", i}, piece.AnchorRow, false, kAny);
    v.Word(At{"Puzzle pieces: anchor column", i}, piece.AnchorCol, false, kAny);
  }
  One(v, "puzzle rotation flag", l.PuzzleRotation);
  Array(v, "Puzzle pieces: conflict", w.PieceConflict, 0);

  ListCount(v, "Twins Relation: count", l.TwinsRelation);
  Items(v, "Twins Relation: cell", l.TwinsRelation, QRB_FIELD(Cell), x.Cell);
  Array(v, "Twins Relation: conflict", w.TwinsRelationConflict, 0);

  ListCount(v, "Odd Pair: count", l.OddPairs);
  Items(v, "Odd Pair: cell A", l.OddPairs, QRB_FIELD(CellA), x.Cell);
  Items(v, "Odd Pair: cell B", l.OddPairs, QRB_FIELD(CellB), x.Cell);
  Items(v, "Odd Pair: kind", l.OddPairs, QRB_FIELD(Kind), Range{0, 2});
  Array(v, "Odd Pair: conflict", w.OddPairConflict, 0);

  ListCount(v, "Quad: count", l.Quads);
  ItemArrays(
      v, "Quad: cells", l.Quads, QRB_FIELD(Cells), [](auto &) { return 4; }, x.Cell);
  Items(v, "Quad: kind", l.Quads, QRB_FIELD(Kind), Range{0, 2});
  Items(v, "Quad: min cell", l.Quads, QRB_FIELD(MinCell), x.OptionalCell);
  Items(v, "Quad: max cell", l.Quads, QRB_FIELD(MaxCell), x.OptionalCell);
  Array(v, "Quad: min conflict", w.QuadMinConflict, 0);
  Array(v, "Quad: max conflict", w.QuadMaxConflict, 0);

  ListCount(v, "Twins Zone: count", l.TwinsZone);
  Items(v, "Twins Zone: block", l.TwinsZone, QRB_FIELD(Block), x.Block);
  Items(v, "Twins Zone: other block", l.TwinsZone, QRB_FIELD(OtherBlock), x.Block);
  Array(v, "Twins Zone: conflict", w.TwinsZoneConflict, 0);

  MagicSentenceClue &sentence = l.MagicSentence;
  One(v, "Magic Sentence: cell count", sentence.NCells, Range{0, 26});
  const int sentenceCells = std::clamp<int>(sentence.NCells, 0, 26);
  Array(v, "Magic Sentence: cells", sentence.Cells, sentenceCells, x.Cell);
  Array(v, "Magic Sentence: saved values", sentence.SavedValues, sentenceCells, x.SavedValue);
  One(v, "Magic Sentence: state", w.MagicSentenceState, Range{0, 2});

  ListCount(v, "Arrows: count", l.Arrows);
  Items(v, "Arrows: cell count", l.Arrows, QRB_FIELD(NCells), Range{0, 10});
  ItemArrays(v, "Arrows: cells", l.Arrows, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);
  Array(v, "Arrows: conflict", w.ArrowConflict, 0);

  ListCount(v, "Creasing lines: count", l.Creasing);
  Items(v, "Creasing lines: kind", l.Creasing, QRB_FIELD(Kind), Range{0, 3});
  Items(v, "Creasing lines: cell count", l.Creasing, QRB_FIELD(NCells), Range{0, 10});
  ItemArrays(v, "Creasing lines: cells", l.Creasing, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);
  Array(v, "Creasing lines: conflict", w.CreasingConflict, 0);
  Array(v, "Creasing lines: direction", w.CreasingDirection, l.Creasing.Size(), Range{-2, 1});

  DanGroup &dan = l.Dan;
  One(v, "Dan: cell count", dan.NCells, Range{0, 80});
  One(v, "Dan: most distinct values", dan.MaxDistinct);
  Array(v, "Dan: cells", dan.Cells, std::clamp<int>(dan.NCells, 0, 80), x.Cell);
  One(v, "Dan: conflict", w.DanConflict);

  ListCount(v, "Equality: count", l.Equality);
  Items(v, "Equality: cell count", l.Equality, QRB_FIELD(NCells), Range{0, 16});
  Array(v, "Equality: conflict", w.EqualityConflict, 0);
  ItemArrays(v, "Equality: cells", l.Equality, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);

  ListCount(v, "Wheels: count", l.Wheels);
  Items(v, "Wheels: centre", l.Wheels, QRB_FIELD(Centre), x.Cell);
  ItemArrays(
      v, "Wheels: values", l.Wheels, QRB_FIELD(Values), [](auto &) { return 4; }, x.Digit);
  Items(v, "Wheels: rotation", l.Wheels, QRB_FIELD(Rotation), Range{0, 3});
  Array(v, "Wheels: conflict", w.WheelConflict, 0);

  ListCount(v, "PanDigital: count", l.Pan);
  ItemArrays(
      v, "PanDigital: blocks", l.Pan, QRB_FIELD(Blocks), [](auto &) { return 4; }, x.OptionalBlock);
  Items(v, "PanDigital: position", l.Pan, QRB_FIELD(Position), x.OptionalBlock);
  ItemArrays(
      v, "PanDigital: operators", l.Pan, QRB_FIELD(Operators), [](auto &) { return 3; }, Range{0, 9});
  Array(v, "PanDigital: conflict", w.PanConflict, 0);
  const int pan = l.Pan.Size();
  Array(v, "PanDigital: number count", w.PanNumberCount, pan, Range{0, 4});
  Array(v, "PanDigital: digit count", w.PanDigitCount, pan, Range{-1, 4});
  for (int i = 0; i < static_cast<int>(w.PanDigitCells.size()); ++i) {
    const bool built = i < pan && w.PanDigitCount[i] >= 0;
    for (int n = 0; n < 4; ++n)
      for (int d = 0; d < 4; ++d)
        v.Word(At{"PanDigital: digit cells", i, n, d}, w.PanDigitCells[i][n][d],
               built && n < w.PanNumberCount[i] && d < w.PanDigitCount[i], x.Cell);
  }

  ListCount(v, "Navigator: count", l.Navigator);
  Items(v, "Navigator: cell", l.Navigator, QRB_FIELD(Cell), x.Cell);
  Items(v, "Navigator: direction", l.Navigator, QRB_FIELD(Direction), Range{0, 11});
  Array(v, "Navigator: conflict", w.NavigatorConflict, 0);

  ListCount(v, "Chess: count", l.Chess);
  Items(v, "Chess: cell", l.Chess, QRB_FIELD(Cell), x.Cell);
  Items(v, "Chess: kind", l.Chess, QRB_FIELD(Kind), Range{0, 5});
  Items(v, "Chess: colour", l.Chess, QRB_FIELD(Colour), x.Flag);
  Array(v, "Chess: figure values", w.FigureValue, static_cast<int>(w.FigureValue.size()), x.SavedValue);
  Array(v, "Chess: conflict", w.ChessConflict, 0);

  ListCount(v, "Magic Squares: count", l.MagicSquares);
  Items(v, "Magic Squares: cell count", l.MagicSquares, QRB_FIELD(NCells), Range{0, 16});
  ItemArrays(v, "Magic Squares: cells", l.MagicSquares, QRB_FIELD(Cells), QRB_FIELD(NCells), x.Cell);
  Array(v, "Magic Squares: conflict", w.MagicSquareConflict, 0);
  Array(v, "Magic Squares: side", w.MagicSide, 0);
  Array(v, "Magic Squares: magic sum", w.MagicSum, 0);

  ListCount(v, "Transfer: count", l.Transfer);
  Items(v, "Transfer: cell", l.Transfer, QRB_FIELD(Cell), x.Cell);
  Array(v, "Transfer: conflict", w.TransferConflict, 0);

  One(v, "twins partner", l.TwinsPartner, x.OptionalGridSlot);

  ListCount(v, "Mult Table: count", l.MultTable);
  for (int k = 0; k < 4; ++k) {
    static constexpr const char *kNames[] = {"Mult Table: cell a", "Mult Table: cell b", "Mult Table: cell c",
                                             "Mult Table: cell d"};
    Items(
        v, kNames[k], l.MultTable, [k](auto &item) -> auto & { return item.Cells[k]; }, x.Cell);
  }
  Array(v, "Mult Table: conflict", w.MultTableConflict, 0);

  MasterMindClue &mind = l.MasterMind;
  ListCount(v, "MasterMind: line count", mind.Lines);
  One(v, "MasterMind: code length", mind.CodeLength, Range{0, 16});
  Array(v, "MasterMind: code", mind.Code, std::clamp<int>(mind.CodeLength, 0, 16), x.Digit);
  Items(v, "MasterMind: row", mind.Lines, QRB_FIELD(Row), kAny);
  Items(v, "MasterMind: black count", mind.Lines, QRB_FIELD(Black), kAny);
  Items(v, "MasterMind: white count", mind.Lines, QRB_FIELD(White), kAny);
  ItemArrays(
      v, "MasterMind: marked columns", mind.Lines, QRB_FIELD(Columns), [](auto &) { return 0; }, kAny);
  Array(v, "MasterMind: conflict", w.MasterMindConflict, 0);

  One(v, "substitution owner", l.SubstitutionOwner, x.Flag);

  ListCount(v, "Twins Relation Multiple: count", l.TwinsMultiple);
  Items(v, "Twins Relation Multiple: cell count", l.TwinsMultiple, QRB_FIELD(NCells), Range{0, 16});
  Array(v, "Twins Relation Multiple: conflict", w.TwinsMultipleConflict, 0);
  Items(v, "Twins Relation Multiple: other grid", l.TwinsMultiple, QRB_FIELD(OtherGrid), x.OptionalGridSlot);
  ItemArrays(v, "Twins Relation Multiple: cells", l.TwinsMultiple, QRB_FIELD(Cells), QRB_FIELD(NCells),
             x.Cell);
  ItemArrays(v, "Twins Relation Multiple: other cells", l.TwinsMultiple, QRB_FIELD(OtherCells),
             QRB_FIELD(NCells), x.Cell);

  // Words whose place is not tied to a list.
  Items(v, "Twins Relation: other cell", l.TwinsRelation, QRB_FIELD(OtherCell), x.Cell);
  Items(v, "Twins Relation: other grid", l.TwinsRelation, QRB_FIELD(OtherGrid), x.GridSlot);
  Items(v, "Twins Zone: other grid", l.TwinsZone, QRB_FIELD(OtherGrid), x.GridSlot);
  Items(v, "Puzzle pieces: mirror flag", l.Pieces, QRB_FIELD(Mirror), x.Flag);
  Array2(v, "Puzzle pieces: layout board", w.PieceLayoutBoard, 80, 80, x.BoardSquare);

  const int sides = 4;
  Array2(v, "frame clues: values", l.Frame.Value, 0, 0);
  Array2(v, "frame clues: kinds", l.Frame.Kind, sides, kMaxWidth, Range{0, 6});
  Array2(v, "frame clues: conflict", w.FrameConflict, 0, 0);

  OutsideClues &outside = l.Outside;
  Array2(v, "outside clues: value counts", outside.Count, sides, kMaxWidth, Range{0, kMaxWidth});
  for (int s = 0; s < sides; ++s)
    for (int line = 0; line < kMaxWidth; ++line) {
      const int n = std::clamp<int>(outside.Count[s][line], 0, kMaxWidth);
      for (int k = 0; k < kMaxWidth; ++k)
        v.Word(At{"outside clues: values", s, line, k}, outside.Values[s][line][k], k < n, x.Digit);
    }
  Array2(v, "outside clues: kinds", outside.Kind, sides, kMaxWidth, Range{0, 3});
  Array2(v, "outside clues: conflict", w.OutsideConflict, 0, 0);

  Array(v, "region flags", l.RegionOn, 4, x.Flag);
  Array(v, "region flags: spare", r.RegionFlagSpare, 0);
  One(v, "comparison total N", l.ComparisonTotal);
  Array(v, "All Indicated flags", w.AllIndicated, 0);
  One(v, "Kimo modulus", l.KimoModulus);
  One(v, "Zero flag", l.ZeroFlag);
  Array(v, "Battle Ship: boats per row", w.BoatsPerRow, kMaxWidth, Range{0, kMaxWidth});
  Array(v, "Battle Ship: boats per column", w.BoatsPerCol, kMaxWidth, Range{0, kMaxWidth});
  One(v, "neighbour score", w.NeighbourScore);
  Array(v, "Twins Substitution: map", w.SubstitutionMap, kMaxWidth, Range{-1, kMaxWidth - 1});
  Array(v, "value permutation", l.ValuePermutation, 0);
  Array2(v, "reserved: link tables", r.LinkTables, 0, 0);
  Array2(v, "reserved: block tables", r.BlockTables, 0, 0);
  One(v, "Pirate: conflict", w.PirateConflict);
  One(v, "Twins Same in Line: partner grid", l.SameInLine.PartnerGrid, x.OptionalGridSlot);
  Array(v, "Twins Same in Line: row clues", l.SameInLine.RowClue, kMaxWidth, Range{-1, kMaxWidth});
  Array(v, "Twins Same in Line: conflict", w.SameInLineConflict, 0);
  Array(v, "Magic Sentence: letter table", l.MagicSentence.LetterTable, 0);
  One(v, "Magic Sentence: shown", l.MagicSentence.Shown);
  Items(v, "Puzzle pieces: marked cell", l.Pieces, QRB_FIELD(MarkedCell), Range{-1, 9});
  Items(v, "Puzzle pieces: placed", l.Pieces, QRB_FIELD(Placed), x.Flag);
  Items(v, "Puzzle pieces: found", l.Pieces, QRB_FIELD(Found), x.Flag);
  Array(v, "Battle Ship: clue per row", l.BoatClueRow, kMaxWidth, Range{0, kMaxWidth});
  Array(v, "Battle Ship: clue per column", l.BoatClueCol, kMaxWidth, Range{0, kMaxWidth});
  One(v, "Puzzle pieces: parity flag", l.PieceParity, x.Flag);
  One(v, "hidden rule: word 1", l.HiddenRule.word1);
  One(v, "hidden rule: word 2", l.HiddenRule.word2);
  Array(v, "reserved: tail", r.Tail, 0);
}

#undef QRB_FIELD

} // namespace

VariantBlockLimits VariantBlockLimitsOf(const GridGeometry &geo) {
  return {geo.NCells, geo.AllocatedRecords(), geo.GridWidth};
}

void WriteVariantBlock(ArchiveWriter &out, const VariantBlockContent &block) {
  WordWriter writer(out);
  // The walk takes references for the reader's sake; the writer only reads through them.
  WalkBlock(writer, const_cast<VariantBlockContent &>(block), Ranges{});
}

bool ReadVariantBlock(ArchiveReader &in, size_t byteCount, const VariantBlockLimits &limits,
                      std::string_view gridName, VariantBlockContent &block) {
  const size_t start = in.Offset();
  WordReader reader(in, byteCount / kFileWordBytes, std::string(gridName) + ", variant block");
  WalkBlock(reader, block, RangesOf(limits));
  if (in.Ok())
    if (const std::string problem = CheckClueShapes(limits.GridWidth, block.Lists); !problem.empty())
      in.FailWith(std::string(gridName) + ", variant block, " + problem);
  // An older block may end inside a word: its last bytes are skipped with it.
  const size_t consumed = in.Offset() - start;
  if (in.Ok() && consumed < byteCount)
    in.ReadRaw(byteCount - consumed, "variant block");
  return in.Ok();
}

std::vector<LayoutField> VariantBlockLayout() {
  LayoutLister lister;
  auto block = std::make_unique<VariantBlockContent>();
  WalkBlock(lister, *block, Ranges{});
  return lister.Take();
}

} // namespace quorbel
