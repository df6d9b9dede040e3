// Each line kind's writing beside its reading, then the table that orders them. Reading checks
// every count and index against the grid; a line that only cannot be placed (a full list) is
// left out with a warning.
#include "files/text_grid_lines.h"

#include <algorithm>

#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/little_killer_line.h"
#include "engine/puzzle_pieces.h"
#include "files/latin1_text.h"

namespace quorbel {

namespace {

using namespace text_grid;

constexpr int kSentenceLetters = 26;
constexpr int kLowestNumeral = 33;
constexpr int kHighestNumeral = 255;
constexpr int kMaxCageCells = 10;
constexpr int kHighestLevel = 4;

using Row = TextLineKind;
using Out = TextLineWriter;
using Source = TextLineSource;
using In = TextLineReader;
using Line = std::string;

std::string Prefix(char kind) { return std::string(1, kind); }
std::string Prefix(char kind, char letter) { return {kind, letter}; }
// A kind with a letter that a ";" separates from the numbers.
std::string LetterPrefix(char kind, char letter) { return {kind, letter, ';'}; }
char SecondLetter(const Line &line) { return line.size() > 1 ? line[1] : '\0'; }

const VariantLists &ListsOf(const Source &src) { return src.Grid().Lists; }
bool Holds(const Source &src, VariantWords rules) { return Meets(src.Grid().GridVar, rules); }

// Text from the program as one Latin-1 line: line breaks would start a new line kind.
std::string OneLine(std::string_view utf8) {
  std::string latin1 = Utf8ToLatin1(utf8);
  std::replace_if(
      latin1.begin(), latin1.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return latin1;
}

// ---- a rule that is its line alone ----

void WriteFlag(const Row &row, Out &out, const Source &) { out.Text(Prefix(row.Letter())); }
void ReadFlag(const Row &row, In &in, char, const Line &) { in.Flag(row.Rules); }

// ---- Little Killer: a diagonal from its first to its last cell, and its total ----

void WriteLittleKiller(const Row &row, Out &out, const Source &src) {
  for (const LittleKillerClue &c : ListsOf(src).LittleKiller.Used())
    out.Row(Prefix(row.Letter()), {c.FirstCell, c.LastCell, c.Target});
}

void ReadLittleKiller(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 3, "a Little Killer clue") || !in.IsCell(n[0]) ||
      !in.IsCell(n[1]) || !in.Room(l.LittleKiller, "Little Killer clues"))
    return;
  const int first = n[0];
  const int last = n[1];
  const std::optional<DiagonalRun> run = LittleKillerRun(in.Geo().GridWidth, first, last);
  if (!run) {
    in.Fail("cells " + std::to_string(first) + " and " + std::to_string(last) + " are not on one diagonal");
    return;
  }
  LittleKillerClue clue;
  clue.FirstCell = static_cast<CellRef>(first);
  clue.LastCell = static_cast<CellRef>(last);
  clue.Step = static_cast<int16_t>(run->Step);
  clue.NCells = static_cast<int16_t>(run->Count);
  for (int k = 0; k < run->Count; ++k)
    clue.Cells[k] = static_cast<CellRef>(first + k * run->Step);
  clue.Target = n[2]; // a total left unset is the solution's, once the grid is read (FillUnsetTotals)
  l.LittleKiller.Append(clue);
  in.Flag(row.Rules);
}

// ---- Diagonal: which of the two diagonals, 1 + 2 ----

// A hidden-variant grid that hides the rule keeps its diagonals too, with a mark that leaves the
// rule hidden when the grid is read.
constexpr int kDiagonalsHidden = 4;

void WriteDiagonal(const Row &row, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  const int hidden = Holds(src, kVarDiagonal) ? 0 : kDiagonalsHidden;
  out.Row(Prefix(row.Letter()), {l.RegionOn[kRegionDiag1] + 2 * l.RegionOn[kRegionDiag2] + hidden});
}

void ReadDiagonal(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a diagonal line")) {
    VariantLists &l = in.Lists();
    l.RegionOn[kRegionDiag1] = static_cast<int16_t>(n[0] & 1);
    l.RegionOn[kRegionDiag2] = static_cast<int16_t>((n[0] >> 1) & 1);
    if ((n[0] & kDiagonalsHidden) == 0)
      in.Flag(row.Rules);
  }
}

// ---- Distance: "L" along a row, "C" along a column ----

void WriteDistance(const Row &row, Out &out, const Source &src) {
  for (const DistanceClue &c : ListsOf(src).Distance.Used())
    out.Row(Prefix(row.Letter(), c.Orientation == 1 ? 'L' : 'C'), {c.ValueA, c.ValueB, c.Distance, c.Line});
}

void ReadDistance(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 2, n) && in.AtLeast(n, 4, "a Distance clue") &&
      in.InRange(n[0], 0, kMaxWidth, "value") && in.InRange(n[1], 0, kMaxWidth, "value") &&
      in.InRange(n[2], -kMaxWidth, kMaxWidth, "distance") &&
      in.InRange(n[3], 0, in.Geo().GridWidth - 1, "line") && in.Room(l.Distance, "Distance clues")) {
    const char letter = SecondLetter(line);
    const bool alongRow = letter == 'L' || letter == 'l';
    l.Distance.Append({static_cast<int16_t>(n[0]), static_cast<int16_t>(n[1]), static_cast<int16_t>(n[2]),
                       static_cast<int16_t>(alongRow ? 1 : 0), static_cast<int16_t>(n[3])});
    in.Flag(row.Rules);
  }
}

// ---- Odd: a mark per cell, even, odd or shared ----

void WriteOddEven(const Row &, Out &out, const Source &src) {
  for (const OddEvenMark &m : ListsOf(src).OddEven.Used())
    out.Row(Prefix(m.Mark == 0 ? kEven : m.Mark == 1 ? kOdd : kSharedParity), {m.Cell});
}

void ReadOddEven(const Row &row, In &in, char kind, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "an odd/even mark")) {
    // A mark off the grid or beyond the list is skipped, as it always was.
    if (n[0] < 0 || n[0] >= in.Geo().NCells || l.OddEven.Full())
      return in.Warn("the odd/even mark is left out");
    l.OddEven.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(kind == kEven  ? 0
                                                                       : kind == kOdd ? 1
                                                                                      : 10)});
    in.Flag(row.Rules);
  }
}

// ---- Less, XV and Dot: a mark between two cells, its kind by its letter ----

constexpr std::pair<char, int16_t> kComparisonKinds[] = {{kCompX, kCompareX},
                                                         {kCompV, kCompareV},
                                                         {kCompConsecutive, kCompareConsecutive},
                                                         {kCompRatio, kCompareRatio},
                                                         {kCompSumN, kCompareSumN},
                                                         {kCompDiffN, kCompareDifferenceN},
                                                         {kCompLess, kCompareLess},
                                                         {kCompGreater, kCompareGreater}};
// The sum and difference marks carry the grid's one total.
bool HasTotal(int kind) { return kind == kCompareSumN || kind == kCompareDifferenceN; }

char ComparisonLetter(int kind) {
  for (const auto &[letter, code] : kComparisonKinds)
    if (code == kind)
      return letter;
  return kCompGreater;
}

void WriteComparisons(const Row &, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  for (const ComparisonMark &m : l.Comparisons.Used()) {
    std::vector<int> numbers = {m.CellA, m.CellB};
    if (HasTotal(m.Kind))
      numbers.push_back(l.ComparisonTotal);
    out.Row(Prefix(ComparisonLetter(m.Kind)), numbers);
  }
}

void ReadComparison(const Row &, In &in, char kind, const Line &line) {
  int16_t markKind = kCompareGreater;
  for (const auto &[letter, code] : kComparisonKinds)
    if (kind == letter)
      markKind = code;
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 2, "a comparison mark") || !in.AreCells(n, 0, 2) ||
      !in.Room(l.Comparisons, "Comparison marks"))
    return;
  if (HasTotal(markKind) && !in.AtLeast(n, 3, "a sum or difference mark"))
    return;
  l.Comparisons.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), markKind});
  if (HasTotal(markKind))
    l.ComparisonTotal = n[2];
  in.Flag(markKind <= kCompareV ? kVarXV : markKind <= kCompareDifferenceN ? kVarDot : kVarLess);
}

// ---- Killer Sum and Product: a cage per line, then the flag of cages that may total 0 ----

void WriteCages(const Row &, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  for (const KillerCage &c : l.Killer.Used())
    out.Row(Prefix(c.IsProduct == 1 ? kProductCage : kSumCage), ListNumbers(c.Target, c.Cells, c.NCells));
  if (l.ZeroFlag == 1)
    out.Text(Prefix(kZeroCages));
}

// A cage: its total, then at most ten cells of the grid; -1 ends the list. A cage whose cells
// the grid cannot hold is refused: loaded short, it would ask for a total its cells cannot make.
void ReadCage(const Row &, In &in, char kind, const Line &line) {
  VariantLists &l = in.Lists();
  if (kind == kZeroCages) {
    l.ZeroFlag = 1;
    return;
  }
  const bool product = kind == kProductCage;
  std::vector<int32_t> n;
  if (!in.Numbers(line, 1, n, true) || !in.AtLeast(n, 1, "a cage") || !in.Room(l.Killer, "Killer cages"))
    return;
  KillerCage cage;
  cage.IsProduct = product ? 1 : 0;
  for (size_t k = 1; k < n.size() && n[k] != -1; ++k) {
    if (!in.IsCell(n[k]))
      return;
    if (cage.NCells == kMaxCageCells) {
      in.Fail("a cage holds at most " + std::to_string(kMaxCageCells) + " cells");
      return;
    }
    cage.Cells[cage.NCells++] = static_cast<CellRef>(n[k]);
  }
  cage.Target = n[0]; // 0: the solution's total, once the grid is read (FillUnsetTotals)
  l.Killer.Append(cage);
  in.Flag(product ? kVarKillerProduct : kVarKillerSum);
}

// ---- Irregular: the block layout, one region row per line (shared with Extra Region) ----

void WriteRegionRows(Out &out, const BlockLayout &layout) {
  const int rows = std::clamp<int>(layout.RowCount, 0, 16);
  for (int b = 0; b < rows; ++b)
    out.Row(Prefix(kRegionRow), ListNumbers(b, layout.Cells[b], layout.RowLength[b]));
}

void WriteIrregular(const Row &, Out &out, const Source &src) { WriteRegionRows(out, ListsOf(src).Layout); }

// Region rows make the grid irregular unless a region count says they are extra regions.
void ReadRegionRow(const Row &, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a region line") && in.InRange(n[0], 0, 15, "region row") &&
      in.InRange(static_cast<int64_t>(n.size()) - 1, 0, kMaxWidth, "cells of a region row") &&
      in.AreCells(n, 1, n.size() - 1)) {
    BlockLayout &layout = in.Lists().Layout;
    const int row = n[0];
    CopyCells(layout.Cells[row], layout.RowLength[row], n, 1);
    layout.RowCount = std::max<int16_t>(layout.RowCount, static_cast<int16_t>(row + 1));
    in.Grid().RegionLines = true;
  }
}

// ---- Tiled: the digits of the pieces' marked cells ----

// They say no position, so reading keeps only the flag: the marks are found again at the
// grid's corners once the pieces are read.
void WriteTiled(const Row &row, Out &out, const Source &src) {
  std::vector<int> marked;
  for (const PuzzlePiece &p : ListsOf(src).Pieces.Used())
    if (p.MarkedCell >= 0 && p.MarkedCell < std::clamp<int>(p.NCells, 0, 10))
      marked.push_back(p.Digits[static_cast<size_t>(p.MarkedCell)]);
  out.Row(Prefix(row.Letter()), marked, true);
}

// ---- Puzzle, Tiled and Battle Ship: a piece per line, their turns, then the pieces' two options ----

// A piece's digits as they lie on its cells, however a Tiled piece is turned: the cells say
// where it lies, not how it shows (files written before held a turned piece's shown digits:
// the reader finds them again).
void WritePieces(const Row &, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  for (const PuzzlePiece &p : l.Pieces.Used()) {
    std::vector<int> pairs;
    for (int k = 0; k < std::clamp<int>(p.NCells, 0, 10); ++k) {
      pairs.push_back(p.Cells[k]);
      pairs.push_back(p.Digits[k]);
    }
    out.Row(Prefix(kPiece), pairs, true);
  }
  // How each piece is turned, only when one is: files of unturned pieces stay as they were.
  const auto pieces = l.Pieces.Used();
  if (std::any_of(pieces.begin(), pieces.end(),
                  [](const PuzzlePiece &p) { return p.Rotation != 0 || p.Mirror != 0; })) {
    std::vector<int> turns;
    for (const PuzzlePiece &p : pieces) {
      turns.push_back(p.Rotation);
      turns.push_back(p.Mirror);
    }
    out.Row(Prefix(kPieceTurns), turns, true);
  }
  if (l.PuzzleRotation == 1)
    out.Text(Prefix(kPieceRotation));
  if (l.PieceParity == 1)
    out.Text(Prefix(kPieceOption));
}

// The turns of the pieces read before it; the reader keeps only those the grid's rule allows.
void ReadPieceTurns(In &in, const Line &line) {
  std::vector<int32_t> n;
  auto pieces = in.Lists().Pieces.Used();
  if (!in.Numbers(line, 1, n))
    return;
  if (n.size() % 2 != 0) {
    in.Fail("a piece turns line holds two numbers per piece");
    return;
  }
  for (size_t k = 0; k < n.size(); k += 2)
    if (!in.InRange(n[k], 0, 3, "quarter turns") || !in.InRange(n[k + 1], 0, 1, "mirror"))
      return;
  if (n.size() > 2 * pieces.size()) {
    in.Warn("turns for " + std::to_string(n.size() / 2) + " pieces after " + std::to_string(pieces.size()) +
            " pieces; the line is left out");
    return;
  }
  for (size_t k = 0; k < n.size(); k += 2) {
    pieces[k / 2].Rotation = static_cast<int16_t>(n[k]);
    pieces[k / 2].Mirror = static_cast<int16_t>(n[k + 1]);
  }
}

// A piece sets no rule of its own: a grid with pieces and neither Tiled nor Battle Ship is a
// Puzzle once the grid is read whole.
void ReadPiece(const Row &, In &in, char kind, const Line &line) {
  VariantLists &l = in.Lists();
  if (kind == kPieceRotation) {
    l.PuzzleRotation = 1;
    return;
  }
  if (kind == kPieceOption) {
    l.PieceParity = 1;
    return;
  }
  if (kind == kPieceTurns) {
    ReadPieceTurns(in, line);
    return;
  }
  std::vector<int32_t> n;
  if (!in.Numbers(line, 1, n) || !in.Room(l.Pieces, "Puzzle pieces"))
    return;
  if (n.size() % 2 != 0 || n.size() > 2 * kMaxPieceDigits) {
    in.Fail("a piece is at most " + std::to_string(kMaxPieceDigits) + " pairs of a cell and its digit");
    return;
  }
  PuzzlePiece piece;
  for (size_t k = 0; k < n.size(); k += 2) {
    if (!in.IsCell(n[k]) || !in.InRange(n[k + 1], 0, kMaxWidth, "digit"))
      return;
    piece.Cells[piece.NCells] = static_cast<CellRef>(n[k]);
    piece.Digits[piece.NCells] = static_cast<int16_t>(n[k + 1]);
    ++piece.NCells;
  }
  l.Pieces.Append(piece);
}

// ---- Battle Ship: the boat counts of every row, then of every column ----

void WriteBoatCounts(const Row &row, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  const int width = src.Ctx.Geo.GridWidth;
  std::vector<int> counts(l.BoatClueRow.begin(), l.BoatClueRow.begin() + width);
  counts.insert(counts.end(), l.BoatClueCol.begin(), l.BoatClueCol.begin() + width);
  out.Row(Prefix(row.Letter()), counts, true);
}

void ReadBoatCounts(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  const int width = in.Geo().GridWidth;
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 2 * static_cast<size_t>(width), "the boat counts"))
    return;
  for (int i = 0; i < width; ++i)
    if (!in.InRange(n[i], 0, kMaxWidth, "boat count") ||
        !in.InRange(n[width + i], 0, kMaxWidth, "boat count"))
      return;
  VariantLists &l = in.Lists();
  for (int i = 0; i < width; ++i) {
    l.BoatClueRow[i] = static_cast<int8_t>(n[i]);
    l.BoatClueCol[i] = static_cast<int8_t>(n[width + i]);
  }
  in.Flag(row.Rules);
}

// ---- Trio: the set's class of each value as one digit each, then each classed cell ----

void WriteClasses(const Row &, Out &out, const Source &src) {
  std::string table = Prefix(kClassTable);
  for (int32_t entry : src.Info.NumeralTable2)
    table.push_back(static_cast<char>('0' + std::clamp(entry, 0, 0xFF - '0')));
  out.Text(table);
  const auto cells = src.Cells();
  for (int i = 0; i < static_cast<int>(cells.size()); ++i)
    if (cells[i].CellClass != 0)
      out.Row(Prefix(kCellClass), {i, cells[i].CellClass});
}

void ReadClass(const Row &row, In &in, char kind, const Line &line) {
  if (kind == kClassTable) {
    if (line.size() < 17)
      return (void)in.Fail("the class table needs 16 characters");
    for (int i = 0; i < 16; ++i)
      in.Stage().Info.NumeralTable2[i] = static_cast<uint8_t>(line[1 + i]) - '0';
    return;
  }
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a class line") && in.IsCell(n[0]) &&
      in.InRange(n[1], 0, kMaxWidth, "class")) {
    in.Grid().Cells[n[0]].Class = static_cast<int16_t>(n[1]);
    in.Flag(row.Rules);
  }
}

// ---- Extra Region: the region rows, then how many of the four regions are on ----

void WriteExtraRegions(const Row &row, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  WriteRegionRows(out, l.Layout);
  out.Row(Prefix(row.Letter()), {l.RegionOn[0] + l.RegionOn[1] + l.RegionOn[2] + l.RegionOn[3]});
}

void ReadRegionCount(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a region count") &&
      in.InRange(n[0], 0, 4, "region count")) {
    for (int k = 0; k < 4; ++k)
      in.Lists().RegionOn[k] = static_cast<int16_t>(k < n[0] ? 1 : 0);
    in.Grid().RegionCount = true;
    in.Flag(row.Rules);
  }
}

// ---- Outside, Oddview and Transfer: a value beside a line of the grid, side by side ----

void WriteOutsideClues(const Row &row, Out &out, const Source &src) {
  const OutsideClues &outside = ListsOf(src).Outside;
  for (int s = 0; s < 4; ++s)
    for (int line = 0; line < kMaxWidth; ++line) {
      const int kind = outside.Kind[s][line];
      const std::string prefix = LetterPrefix(row.Letter(), kind == kOutsideValues    ? 'S'
                                                            : kind == kOutsideOddview ? 'O'
                                                                                      : 'T');
      for (int k = 0; k < std::clamp<int>(outside.Count[s][line], 0, kMaxWidth); ++k)
        out.Row(prefix, {s, line, outside.Values[s][line][k]});
    }
}

void ReadOutsideClue(const Row &, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (!in.Numbers(line, 3, n) || !in.AtLeast(n, 3, "an outside clue") || !in.InRange(n[0], 0, 3, "side") ||
      !in.InRange(n[1], 0, in.Geo().GridWidth - 1, "line") || !in.InRange(n[2], 0, kMaxWidth, "value"))
    return;
  const char letter = SecondLetter(line);
  const int16_t kind = letter == 'S' ? kOutsideValues : letter == 'O' ? kOutsideOddview : kOutsideTransfer;
  OutsideClues &outside = in.Lists().Outside;
  int16_t &count = outside.Count[n[0]][n[1]];
  if (count >= kMaxWidth)
    return in.Warn("the outside clue already holds 16 values; the line is left out");
  outside.Values[n[0]][n[1]][count++] = static_cast<int16_t>(n[2]);
  outside.Kind[n[0]][n[1]] = kind;
  in.Flag(kind == kOutsideValues ? kVarOutside : kind == kOutsideOddview ? kVarOddview : kVarTransfer);
}

// ---- Transfer: the crossed-out cells ----

void WriteTransfer(const Row &row, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  if (l.Transfer.Size() == 0)
    return;
  std::vector<int> crossed;
  for (const TransferCell &t : l.Transfer.Used())
    crossed.push_back(t.Cell);
  out.Row(Prefix(row.Letter()), crossed);
}

void ReadTransfer(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (!in.Numbers(line, 1, n) || !in.AreCells(n, 0, n.size()))
    return;
  VariantLists &l = in.Lists();
  for (int32_t cell : n) {
    if (!in.Room(l.Transfer, "Transfer cells"))
      break;
    l.Transfer.Append({static_cast<CellRef>(cell)});
    in.Grid().Cells[cell].CrossedOut = true;
    in.Flag(row.Rules);
  }
}

// ---- Frame Sum, Frame Product, SkyScrapper, Last Number and Frame Max: a clue per line ----

constexpr std::pair<char, int16_t> kFrameKinds[] = {{'S', kFrameSum},
                                                    {'P', kFrameProduct},
                                                    {'Y', kFrameSkyScraper},
                                                    {'M', kFrameMax},
                                                    {'U', kFrameLastRising}};
constexpr char kOtherFrameLetter = 'D';

void WriteFrameClues(const Row &row, Out &out, const Source &src) {
  const FrameClues &frame = ListsOf(src).Frame;
  for (int s = 0; s < 4; ++s)
    for (int line = 0; line < kMaxWidth; ++line) {
      const int kind = frame.Kind[s][line];
      if (kind == kFrameNone)
        continue;
      char letter = kOtherFrameLetter;
      for (const auto &[kindLetter, code] : kFrameKinds)
        if (code == kind)
          letter = kindLetter;
      out.Row(LetterPrefix(row.Letter(), letter), {s, line, frame.Value[s][line]});
    }
}

void ReadFrameClue(const Row &, In &in, char, const Line &line) {
  const char letter = SecondLetter(line);
  int16_t kind = kFrameLastFalling;
  for (const auto &[kindLetter, code] : kFrameKinds)
    if (letter == kindLetter)
      kind = code;
  std::vector<int32_t> n;
  if (!in.Numbers(line, 3, n) || !in.AtLeast(n, 3, "a frame clue") || !in.InRange(n[0], 0, 3, "side") ||
      !in.InRange(n[1], 0, in.Geo().GridWidth - 1, "line"))
    return;
  FrameClues &frame = in.Lists().Frame;
  frame.Kind[n[0]][n[1]] = kind;
  frame.Value[n[0]][n[1]] = n[2];
  in.Flag(kind == kFrameSum          ? kVarFrameSum
          : kind == kFrameProduct    ? kVarFrameProduct
          : kind == kFrameSkyScraper ? kVarSkyScraper
          : kind == kFrameMax        ? kVarFrameMax
                                     : kVarLastNumber);
}

// ---- Numeral: the character each cell shows ----

void WriteNumerals(const Row &row, Out &out, const Source &src) {
  const auto cells = src.Cells();
  for (int i = 0; i < static_cast<int>(cells.size()); ++i)
    if (cells[i].Numeral != -1)
      out.Row(Prefix(row.Letter()), {i, cells[i].Numeral});
}

void ReadNumeral(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a numeral line")) {
    if (n[0] < 0 || n[0] >= in.Geo().NCells)
      return in.Warn("the numeral of a cell off the grid is left out");
    if (n[1] >= kLowestNumeral && n[1] <= kHighestNumeral)
      in.Grid().Cells[n[0]].Numeral = static_cast<int16_t>(n[1]);
    in.Flag(row.Rules);
  }
}

// ---- Odd Pair: "O" odd, "E" even, "X" neither ----

void WriteOddPairs(const Row &row, Out &out, const Source &src) {
  for (const OddPairMark &m : ListsOf(src).OddPairs.Used())
    out.Row(LetterPrefix(row.Letter(), m.Kind == 0 ? 'O' : m.Kind == 1 ? 'E' : 'X'), {m.CellA, m.CellB});
}

void ReadOddPair(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 3, n) && in.AtLeast(n, 2, "an Odd Pair mark") && in.AreCells(n, 0, 2) &&
      in.Room(l.OddPairs, "Odd Pair marks")) {
    const char letter = SecondLetter(line);
    const int16_t pairKind = letter == 'O' ? 0 : letter == 'E' ? 1 : 2;
    l.OddPairs.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), pairKind});
    in.Flag(row.Rules);
  }
}

// ---- Quad Max: four cells, and the cells of the largest and smallest ----

void WriteQuads(const Row &row, Out &out, const Source &src) {
  for (const QuadClue &q : ListsOf(src).Quads.Used())
    out.Row(LetterPrefix(row.Letter(), q.Kind == 0   ? '>'
                                       : q.Kind == 1 ? '<'
                                                     : '='),
            {q.Cells[0], q.Cells[1], q.Cells[2], q.Cells[3], q.MinCell, q.MaxCell});
}

void ReadQuad(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  const int lastCell = in.Geo().NCells - 1;
  if (in.Numbers(line, 3, n) && in.AtLeast(n, 6, "a Quad clue") && in.AreCells(n, 0, 4) &&
      in.InRange(n[4], -1, lastCell, "min cell") && in.InRange(n[5], -1, lastCell, "max cell") &&
      in.Room(l.Quads, "Quad clues")) {
    const char letter = SecondLetter(line);
    QuadClue quad;
    for (int k = 0; k < 4; ++k)
      quad.Cells[k] = static_cast<CellRef>(n[k]);
    quad.Kind = static_cast<int16_t>(letter == '>' ? 0 : letter == '<' ? 1 : 2);
    quad.MinCell = static_cast<CellRef>(n[4]);
    quad.MaxCell = static_cast<CellRef>(n[5]);
    l.Quads.Append(quad);
    in.Flag(row.Rules);
  }
}

// ---- Domino, Pencil Mark, Digital Clock and Romain: a cell's allowed set, its type by letter ----

constexpr std::pair<char, int32_t> kAllowedTypes[] = {
    {'P', kAllowedTypeMask}, {'C', kAllowedTypeSegments}, {'D', kAllowedTypePips}};
constexpr char kOtherAllowedLetter = 'R';

void WriteAllowedSets(const Row &row, Out &out, const Source &src) {
  const auto cells = src.Cells();
  for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
    if (cells[i].AllowedType == kAllowedTypeNone)
      continue;
    char letter = kOtherAllowedLetter;
    for (const auto &[typeLetter, type] : kAllowedTypes)
      if (type == cells[i].AllowedType)
        letter = typeLetter;
    out.Row(LetterPrefix(row.Letter(), letter), {i, cells[i].AllowedIndex});
  }
}

void ReadAllowedSet(const Row &, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (!in.Numbers(line, 3, n) || !in.AtLeast(n, 2, "an allowed-set line") || !in.IsCell(n[0]))
    return;
  const char letter = SecondLetter(line);
  int32_t type = kAllowedTypeTable;
  for (const auto &[typeLetter, typeCode] : kAllowedTypes)
    if (letter == typeLetter)
      type = typeCode;
  in.Grid().Cells[n[0]].AllowedType = type;
  in.Grid().Cells[n[0]].AllowedIndex = n[1];
  in.Flag(type == kAllowedTypeMask       ? kVarPencilMark
          : type == kAllowedTypeSegments ? kVarDigitalClock
          : type == kAllowedTypePips     ? kVarDomino
                                         : kVarRomain);
}

// ---- Kimo: the modulus ----

void WriteKimo(const Row &row, Out &out, const Source &src) {
  out.Row(Prefix(row.Letter()), {ListsOf(src).KimoModulus});
}

void ReadKimo(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a Kimo line")) {
    in.Lists().KimoModulus = n[0];
    in.Flag(row.Rules);
  }
}

// ---- PanDigital: four blocks, a position and three operators ----

void WritePanDigital(const Row &row, Out &out, const Source &src) {
  for (const PanExpression &p : ListsOf(src).Pan.Used())
    out.Row(Prefix(row.Letter()), {p.Blocks[0], p.Blocks[1], p.Blocks[2], p.Blocks[3], p.Position,
                                   p.Operators[0], p.Operators[1], p.Operators[2]});
}

void ReadPanDigital(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 8, "a PanDigital clue") ||
      !in.Room(l.Pan, "PanDigital clues"))
    return;
  for (int k = 0; k < 5; ++k)
    if (!in.InRange(n[k], -1, in.Geo().GridWidth - 1, "block"))
      return;
  for (int k = 0; k < 3; ++k)
    if (!in.InRange(n[5 + k], 0, 9, "operator"))
      return;
  PanExpression pan;
  for (int k = 0; k < 4; ++k)
    pan.Blocks[k] = static_cast<int16_t>(n[k]);
  pan.Position = static_cast<int16_t>(n[4]);
  for (int k = 0; k < 3; ++k)
    pan.Operators[k] = static_cast<int16_t>(n[5 + k]);
  l.Pan.Append(pan);
  in.Flag(row.Rules);
}

// ---- Dan: the most distinct values, then the cells ----

void WriteDan(const Row &row, Out &out, const Source &src) {
  const DanGroup &dan = ListsOf(src).Dan;
  out.Row(Prefix(row.Letter()), ListNumbers(dan.MaxDistinct, dan.Cells, dan.NCells));
}

void ReadDan(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a Dan line") && in.AreCells(n, 1, n.size() - 1)) {
    DanGroup &dan = in.Lists().Dan;
    dan.MaxDistinct = static_cast<int16_t>(std::clamp(n[0], 0, kMaxWidth));
    CopyCells(dan.Cells, dan.NCells, n, 1);
    in.Flag(row.Rules);
  }
}

// ---- Arrow, Equality and Magic Square: a group of cells per line ----

template <auto Member> void WriteCellGroups(const Row &row, Out &out, const Source &src) {
  for (const auto &group : (ListsOf(src).*Member).Used())
    out.Row(Prefix(row.Letter()), ListNumbers(std::nullopt, group.Cells, group.NCells));
}

// `needsOne` names the group in the refusal of a line without a cell; null when one may be empty.
template <auto Member> bool ReadCellGroup(In &in, const Line &line, const char *name, const char *needsOne) {
  std::vector<int32_t> n;
  auto &list = in.Lists().*Member;
  if (!in.Numbers(line, 1, n) || (needsOne != nullptr && !in.AtLeast(n, 1, needsOne)) ||
      !in.AreCells(n, 0, n.size()) || !in.Room(list, name))
    return false;
  std::remove_cvref_t<decltype(list.Items[0])> group;
  CopyCells(group.Cells, group.NCells, n, 0);
  list.Append(group);
  return true;
}

void ReadArrow(const Row &row, In &in, char, const Line &line) {
  if (ReadCellGroup<&VariantLists::Arrows>(in, line, "Arrows", "an arrow"))
    in.Flag(row.Rules);
}

// ---- Magic Sentence: its cells, then a line of the value each letter A..Z stands for ----

void WriteMagicSentence(const Row &row, Out &out, const Source &src) {
  const MagicSentenceClue &m = ListsOf(src).MagicSentence;
  out.Row(Prefix(row.Letter()), ListNumbers(std::nullopt, m.Cells, m.NCells));
  // Per letter A..Z, 'A' + the value it stands for.
  std::string letters;
  for (int32_t value : m.LetterTable)
    letters.push_back(value >= 1 && value <= kMaxWidth ? static_cast<char>('A' + value) : kNoSentenceLetter);
  out.Text(letters);
}

void ReadSentenceLetters(In &in, const std::string &line) {
  MagicSentenceClue &sentence = in.Lists().MagicSentence;
  for (int k = 0; k < kSentenceLetters; ++k) {
    const char c = k < static_cast<int>(line.size()) ? line[k] : kNoSentenceLetter;
    sentence.LetterTable[k] = c > 'A' && c <= 'A' + kMaxWidth ? c - 'A' : 0;
  }
}

void ReadMagicSentence(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AreCells(n, 0, n.size())) {
    MagicSentenceClue &sentence = in.Lists().MagicSentence;
    CopyCells(sentence.Cells, sentence.NCells, n, 0);
    in.ExpectNextLine(ReadSentenceLetters);
    in.Flag(row.Rules);
  }
}

// ---- Wheel: the centre, four values and the rotation ----

void WriteWheels(const Row &row, Out &out, const Source &src) {
  for (const WheelClue &c : ListsOf(src).Wheels.Used())
    out.Row(Prefix(row.Letter()), {c.Centre, c.Values[0], c.Values[1], c.Values[2], c.Values[3], c.Rotation});
}

void ReadWheel(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 6, "a wheel") || !in.IsCell(n[0]) ||
      !in.InRange(n[5], 0, 3, "rotation") || !in.Room(l.Wheels, "Wheels"))
    return;
  WheelClue wheel;
  wheel.Centre = static_cast<CellRef>(n[0]);
  for (int k = 0; k < 4; ++k) {
    if (!in.InRange(n[1 + k], 0, kMaxWidth, "wheel value"))
      return;
    wheel.Values[k] = static_cast<int16_t>(n[1 + k]);
  }
  wheel.Rotation = static_cast<int16_t>(n[5]);
  l.Wheels.Append(wheel);
  in.Flag(row.Rules);
}

void ReadEquality(const Row &row, In &in, char, const Line &line) {
  if (ReadCellGroup<&VariantLists::Equality>(in, line, "Equality groups", nullptr))
    in.Flag(row.Rules);
}

// ---- Creasing Lines: the line's kind, then its cells ----

void WriteCreasing(const Row &row, Out &out, const Source &src) {
  for (const CreasingLine &c : ListsOf(src).Creasing.Used())
    out.Row(Prefix(row.Letter()), ListNumbers(c.Kind, c.Cells, c.NCells));
}

void ReadCreasing(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a creasing line") && in.InRange(n[0], 0, 3, "kind") &&
      in.AreCells(n, 1, n.size() - 1) && in.Room(l.Creasing, "Creasing lines")) {
    CreasingLine crease;
    crease.Kind = static_cast<int16_t>(n[0]);
    CopyCells(crease.Cells, crease.NCells, n, 1);
    l.Creasing.Append(crease);
    in.Flag(row.Rules);
  }
}

// ---- Navigator: a cell and its arrow's direction ----

void WriteNavigator(const Row &row, Out &out, const Source &src) {
  for (const NavigatorArrow &a : ListsOf(src).Navigator.Used())
    out.Row(Prefix(row.Letter()), {a.Cell, a.Direction});
}

void ReadNavigator(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a Navigator arrow") && in.IsCell(n[0]) &&
      in.InRange(n[1], 0, 11, "direction") && in.Room(l.Navigator, "Navigator arrows")) {
    l.Navigator.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(n[1])});
    in.Flag(row.Rules);
  }
}

// ---- Chess: a cell, the piece and its colour ----

void WriteChess(const Row &row, Out &out, const Source &src) {
  for (const ChessPiece &c : ListsOf(src).Chess.Used())
    out.Row(Prefix(row.Letter()), {c.Cell, c.Kind, c.Colour});
}

void ReadChess(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 3, "a chess piece") && in.IsCell(n[0]) &&
      in.InRange(n[1], 0, 5, "piece") && in.InRange(n[2], 0, 1, "colour") &&
      in.Room(l.Chess, "Chess pieces")) {
    l.Chess.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(n[1]), static_cast<int16_t>(n[2])});
    in.Flag(row.Rules);
  }
}

void ReadMagicSquare(const Row &row, In &in, char, const Line &line) {
  if (ReadCellGroup<&VariantLists::MagicSquares>(in, line, "Magic Squares", nullptr))
    in.Flag(row.Rules);
}

// ---- The twins rows: the grid of a pair that holds no link of its own (its partner holds them)
// keeps its rule with the row's letter alone ----

void WriteRuleAlone(const Row &row, Out &out) { out.Text(Prefix(row.Letter())); }

// True when the line is the row's letter alone, which sets the rule and nothing else.
bool ReadRuleAlone(const Row &row, In &in, const Line &line) {
  if (!TrimTextField(std::string_view(line).substr(1)).empty())
    return false;
  in.Flag(row.Rules);
  return true;
}

// ---- Twins Relation and Twins Zone: two cells (blocks), this grid + 1, the partner + 1 ----

void WriteTwinsRelation(const Row &row, Out &out, const Source &src) {
  if (ListsOf(src).TwinsRelation.Size() == 0)
    WriteRuleAlone(row, out);
  for (const TwinsRelationLink &t : ListsOf(src).TwinsRelation.Used())
    out.Row(Prefix(row.Letter()), {t.Cell, t.OtherCell, src.Slot + 1, t.OtherGrid + 1});
}

void ReadTwinsRelation(const Row &row, In &in, char, const Line &line) {
  if (ReadRuleAlone(row, in, line))
    return;
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  int16_t partner = -1;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 4, "a Twins Relation link") && in.AreCells(n, 0, 2) &&
      in.PartnerSlot(n[2], n[3], partner) && in.Room(l.TwinsRelation, "Twins Relation links")) {
    l.TwinsRelation.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), partner});
    in.Flag(row.Rules);
  }
}

void WriteTwinsZone(const Row &row, Out &out, const Source &src) {
  if (ListsOf(src).TwinsZone.Size() == 0)
    WriteRuleAlone(row, out);
  for (const TwinsZoneLink &z : ListsOf(src).TwinsZone.Used())
    out.Row(Prefix(row.Letter()), {z.Block, z.OtherBlock, src.Slot + 1, z.OtherGrid + 1});
}

void ReadTwinsZone(const Row &row, In &in, char, const Line &line) {
  if (ReadRuleAlone(row, in, line))
    return;
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  const int lastBlock = in.Geo().GridWidth - 1;
  int16_t partner = -1;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 4, "a Twins Zone link") &&
      in.InRange(n[0], 0, lastBlock, "block") && in.InRange(n[1], 0, lastBlock, "block") &&
      in.PartnerSlot(n[2], n[3], partner) && in.Room(l.TwinsZone, "Twins Zone links")) {
    l.TwinsZone.Append({static_cast<int16_t>(n[0]), static_cast<int16_t>(n[1]), partner});
    in.Flag(row.Rules);
  }
}

// ---- Twins Differents and Twins Equal: this grid + 1 and the partner + 1 ----

// The grid of a pair that names no partner is the one the other names.
void WritePartner(const Row &row, Out &out, const Source &src) {
  const int partner = ListsOf(src).TwinsPartner;
  if (partner >= 0)
    out.Row(Prefix(row.Letter()), {src.Slot + 1, partner + 1});
  else
    WriteRuleAlone(row, out);
}

void ReadPartner(const Row &row, In &in, char, const Line &line) {
  if (ReadRuleAlone(row, in, line))
    return;
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a twins line") &&
      in.PartnerSlot(n[0], n[1], in.Lists().TwinsPartner))
    in.Flag(row.Rules);
}

// ---- Twins Substitution: the value table, this grid + 1 and the partner + 1 ----

// The grid of the pair without the map is the one whose values the map gives.
void WriteSubstitution(const Row &row, Out &out, const Source &src) {
  const VariantLists &l = ListsOf(src);
  if (l.TwinsPartner < 0 || l.SubstitutionOwner != 1) {
    WriteRuleAlone(row, out);
    return;
  }
  const auto &map = src.Grid().Work.SubstitutionMap;
  std::vector<int> numbers(map.begin(), map.begin() + src.Ctx.Geo.GridWidth);
  numbers.push_back(src.Slot + 1);
  numbers.push_back(l.TwinsPartner + 1);
  out.Row(Prefix(row.Letter()), numbers);
}

void ReadSubstitution(const Row &row, In &in, char, const Line &line) {
  const size_t width = static_cast<size_t>(in.Geo().GridWidth);
  if (ReadRuleAlone(row, in, line))
    return;
  std::vector<int32_t> n;
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, width + 2, "a substitution table"))
    return;
  for (size_t v = 0; v < width; ++v)
    if (!in.InRange(n[v], -1, kMaxWidth - 1, "substitute"))
      return;
  VariantLists &l = in.Lists();
  if (!in.PartnerSlot(n[width], n[width + 1], l.TwinsPartner))
    return;
  for (size_t v = 0; v < width; ++v)
    in.Grid().SubstitutionMap[v] = static_cast<int8_t>(n[v]);
  l.SubstitutionOwner = 1;
  in.Flag(row.Rules);
}

// ---- Mult Table: four cells per item ----

void WriteMultTable(const Row &row, Out &out, const Source &src) {
  for (const MultTableItem &m : ListsOf(src).MultTable.Used())
    out.Row(Prefix(row.Letter()), {m.Cells[0], m.Cells[1], m.Cells[2], m.Cells[3]});
}

void ReadMultTable(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 4, "a Mult Table item") && in.AreCells(n, 0, 4) &&
      in.Room(l.MultTable, "Mult Table items")) {
    MultTableItem item;
    for (int k = 0; k < 4; ++k)
      item.Cells[k] = static_cast<CellRef>(n[k]);
    l.MultTable.Append(item);
    in.Flag(row.Rules);
  }
}

// ---- MasterMind: the code, then a guess line: its row + 1, a column + 1 per code value, and
// the black and white counts ----

void WriteMasterMind(const Row &row, Out &out, const Source &src) {
  // The code as one character per value ('0' + value), then the guess line's numbers.
  const MasterMindClue &m = ListsOf(src).MasterMind;
  const int length = std::clamp<int>(m.CodeLength, 0, 16);
  std::string prefix = Prefix(row.Letter());
  for (int k = 0; k < length; ++k)
    prefix.push_back(static_cast<char>('0' + std::clamp<int>(m.Code[k], 0, kMaxWidth)));
  prefix.push_back(';');
  for (const MasterMindGuess &g : m.Lines.Used()) {
    std::vector<int> numbers = {g.Row + 1};
    for (int k = 0; k < length; ++k)
      numbers.push_back(g.Columns[k] + 1);
    numbers.push_back(g.Black);
    numbers.push_back(g.White);
    out.Row(prefix, numbers);
  }
}

void ReadMasterMind(const Row &row, In &in, char, const Line &line) {
  MasterMindClue &mind = in.Lists().MasterMind;
  // The code's characters run from '0' to '0' + 16, so value 11 is written ';' too: the code
  // ends at the ';' after which the guess line's count of numbers fits the code's length.
  size_t separator = line.find(';');
  if (separator == std::string::npos)
    return (void)in.Fail("a MasterMind line needs its code and \";\"");
  const auto fieldsAfter = [&](size_t at) {
    return static_cast<size_t>(std::count(line.begin() + static_cast<std::ptrdiff_t>(at), line.end(), ';'));
  };
  for (size_t next = separator; next != std::string::npos; next = line.find(';', next + 1))
    if (fieldsAfter(next) == next - 1 + 3) {
      separator = next;
      break;
    }
  const std::string_view code = std::string_view(line).substr(1, separator - 1);
  if (code.size() > 16)
    return (void)in.Fail("a MasterMind code holds at most 16 values");
  for (char c : code)
    if (!in.InRange(c - '0', 0, kMaxWidth, "code value"))
      return;
  std::vector<int32_t> n;
  if (!in.Numbers(line, separator + 1, n) || !in.AtLeast(n, code.size() + 3, "a MasterMind line") ||
      !in.Room(mind.Lines, "MasterMind lines"))
    return;
  mind.CodeLength = static_cast<int16_t>(code.size());
  for (size_t k = 0; k < code.size(); ++k)
    mind.Code[k] = static_cast<int16_t>(code[k] - '0');
  // Stored less one, in 64 bits: the most negative number must not wrap round onto the board.
  const auto place = [](int32_t number) {
    return static_cast<int16_t>(std::clamp<int64_t>(int64_t{number} - 1, -1, kMaxWidth));
  };
  MasterMindGuess guess;
  guess.Row = place(n[0]);
  for (size_t k = 0; k < code.size(); ++k)
    guess.Columns[k] = place(n[1 + k]);
  guess.Black = static_cast<int16_t>(std::clamp(n[1 + code.size()], -1, kMaxWidth));
  guess.White = static_cast<int16_t>(std::clamp(n[2 + code.size()], -1, kMaxWidth));
  mind.Lines.Append(guess);
  in.Flag(row.Rules);
}

// ---- Twins Relation Multiple: the pair count and the other grid, then the pairs ----

void WriteTwinsMultiple(const Row &row, Out &out, const Source &src) {
  if (ListsOf(src).TwinsMultiple.Size() == 0)
    WriteRuleAlone(row, out);
  for (const TwinsMultipleGroup &t : ListsOf(src).TwinsMultiple.Used()) {
    std::vector<int> numbers = {t.NCells, t.OtherGrid};
    for (int k = 0; k < std::clamp<int>(t.NCells, 0, 16); ++k) {
      numbers.push_back(t.Cells[k]);
      numbers.push_back(t.OtherCells[k]);
    }
    out.Row(Prefix(row.Letter()), numbers);
  }
}

void ReadTwinsMultiple(const Row &row, In &in, char, const Line &line) {
  if (ReadRuleAlone(row, in, line))
    return;
  std::vector<int32_t> n;
  VariantLists &l = in.Lists();
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a Twins Relation Multiple group") &&
      in.InRange(n[0], 0, 16, "pair count") && in.InRange(n[1], -1, kMaxGrids - 1, "grid") &&
      in.AtLeast(n, 2 + 2 * static_cast<size_t>(n[0]), "a Twins Relation Multiple group") &&
      in.AreCells(n, 2, 2 * static_cast<size_t>(n[0])) &&
      in.Room(l.TwinsMultiple, "Twins Relation Multiple groups")) {
    TwinsMultipleGroup group;
    group.NCells = static_cast<int16_t>(n[0]);
    group.OtherGrid = static_cast<int16_t>(n[1]);
    for (int k = 0; k < group.NCells; ++k) {
      group.Cells[k] = static_cast<CellRef>(n[2 + 2 * k]);
      group.OtherCells[k] = static_cast<CellRef>(n[3 + 2 * k]);
    }
    l.TwinsMultiple.Append(group);
    in.Flag(row.Rules);
  }
}

// ---- Twins Same in Line: the partner grid, then a clue per row ----

void WriteSameInLine(const Row &row, Out &out, const Source &src) {
  const auto &same = ListsOf(src).SameInLine;
  out.Row(Prefix(row.Letter()), ListNumbers(same.PartnerGrid, same.RowClue, kMaxWidth));
}

void ReadSameInLine(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (!in.Numbers(line, 1, n) || !in.AtLeast(n, 17, "a Twins Same in Line line") ||
      !in.InRange(n[0], -1, kMaxGrids - 1, "grid"))
    return;
  for (int k = 0; k < 16; ++k)
    if (!in.InRange(n[1 + k], -1, kMaxWidth, "row clue"))
      return;
  auto &same = in.Lists().SameInLine;
  same.PartnerGrid = static_cast<int16_t>(n[0]);
  for (int k = 0; k < 16; ++k)
    same.RowClue[k] = static_cast<int16_t>(n[1 + k]);
  in.Flag(row.Rules);
}

// ---- a hidden-variant grid: the words of the rule it hides ----

void WriteHiddenRule(const Row &row, Out &out, const Source &src) {
  const VariantWords hidden = ListsOf(src).HiddenRule;
  out.Row(Prefix(row.Letter()),
          {static_cast<int>(hidden.word1 & 0x7FFFFFFF), static_cast<int>(hidden.word2 & 0x7FFFFFFF)});
}

void ReadHiddenRule(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 2, "a hidden rule") &&
      in.InRange(n[0], 0, 0x7FFFFFFF, "rule word") && in.InRange(n[1], 0, 0x7FFFFFFF, "rule word")) {
    in.Lists().HiddenRule = {static_cast<uint32_t>(n[0]), static_cast<uint32_t>(n[1])};
    in.Flag(row.Rules);
  }
}

// ---- the set's spare word, written with every grid ----

void WriteSpareWord(const Row &row, Out &out, const Source &src) {
  if (src.Ctx.Grids.SpareWord == 1)
    out.Text(Prefix(row.Letter()));
}

void ReadSpareWord(const Row &, In &in, char, const Line &) { in.Stage().SpareWord = true; }

// ---- surprises: a cell, its kind, amount and word ----

void WriteSurprises(const Row &row, Out &out, const Source &src) {
  const auto cells = src.Cells();
  for (int i = 0; i < static_cast<int>(cells.size()); ++i)
    if (cells[i].SurpriseKind > 0)
      out.Row(Prefix(row.Letter()),
              {i, cells[i].SurpriseKind, cells[i].SurpriseAmount, cells[i].SurpriseWords[0]});
}

void ReadSurprise(const Row &, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 4, "a surprise") && in.IsCell(n[0])) {
    StagedCell &cell = in.Grid().Cells[n[0]];
    cell.SurpriseKind = n[1];
    cell.SurpriseAmount = n[2];
    cell.SurpriseWord = n[3];
  }
}

// ---- the set's lines after its grids: comments, points table, numeral strings, level ----

void WriteEnglishComment(const Row &row, Out &out, const Source &src) {
  if (!src.Info.CommentEnglish.empty())
    out.Text(Prefix(row.Letter()) + OneLine(src.Info.CommentEnglish));
}

void ReadEnglishComment(const Row &, In &in, char, const Line &line) {
  in.Stage().Info.CommentEnglish = Latin1ToUtf8(std::string_view(line).substr(1));
}

void WriteFrenchComment(const Row &row, Out &out, const Source &src) {
  if (!src.Info.CommentFrench.empty())
    out.Text(Prefix(row.Letter()) + OneLine(src.Info.CommentFrench));
}

void ReadFrenchComment(const Row &, In &in, char, const Line &line) {
  in.Stage().Info.CommentFrench = Latin1ToUtf8(std::string_view(line).substr(1));
}

void WritePointsTable(const Row &row, Out &out, const Source &src) {
  out.Row(Prefix(row.Letter()),
          std::vector<int>(src.Info.NumeralTable1.begin(), src.Info.NumeralTable1.end()));
}

void ReadPointsTable(const Row &row, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 16, "the points table")) {
    std::copy_n(n.begin(), 16, in.Stage().Info.NumeralTable1.begin());
    in.Flag(row.Rules);
  }
}

void WriteNumeralStrings(const Row &row, Out &out, const Source &src) {
  for (int i = 0; i < 16; ++i)
    out.Text(Prefix(row.Letter()) + std::to_string(i) + ";" + OneLine(src.Info.NumeralStrings[i]));
}

void ReadNumeralString(const Row &, In &in, char, const Line &line) {
  const size_t separator = line.find(';');
  const auto index = ParseTextInt(std::string_view(line).substr(1, separator - 1));
  if (separator == std::string::npos || !index)
    return (void)in.Fail("a numeral line is \"H\", an index, \";\" and the text");
  if (in.InRange(*index, 0, 15, "numeral"))
    in.Stage().Info.NumeralStrings[*index] = Latin1ToUtf8(std::string_view(line).substr(separator + 1));
}

void WriteLevel(const Row &row, Out &out, const Source &src) {
  if (src.Info.Level >= 1 && src.Info.Level <= kHighestLevel)
    out.Row(Prefix(row.Letter()), {src.Info.Level});
}

void ReadLevel(const Row &, In &in, char, const Line &line) {
  std::vector<int32_t> n;
  if (in.Numbers(line, 1, n) && in.AtLeast(n, 1, "a level line"))
    in.Stage().Info.Level = n[0];
}

// A profile is named, never located: a name that leaves the profile folder is refused.
void ReadProfile(const Row &, In &in, char, const Line &line) {
  const std::string name = Latin1ToUtf8(TrimTextField(std::string_view(line).substr(1)));
  const bool plain = !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." &&
                     name.find("..") == std::string::npos;
  if (plain)
    in.Stage().Info.ProfileName = name;
  else
    in.Warn("the profile \"" + name + "\" is not a plain name in the profile folder and is ignored");
}

using enum TextLinePlace;
constexpr VariantWords kEveryTime{};

// In the order a grid body writes them, then the set's lines in theirs.
constexpr TextLineKind kLineKinds[] = {
    {{kLittleKiller}, kVarLittleKiller, Grid, WriteLittleKiller, ReadLittleKiller},
    {{kDiagonal}, kVarDiagonal, Grid, WriteDiagonal, ReadDiagonal},
    {{kDistance}, kVarDistance, Grid, WriteDistance, ReadDistance},
    {{kEven, kOdd, kSharedParity}, kVarOdd, Grid, WriteOddEven, ReadOddEven},
    {{kCompX, kCompV, kCompConsecutive, kCompRatio, kCompSumN, kCompDiffN, kCompLess, kCompGreater},
     kVarLess | kVarXV | kVarDot,
     Grid,
     WriteComparisons,
     ReadComparison},
    {{kAllIndicated}, kVarAllIndicated, Grid, WriteFlag, ReadFlag},
    {{kSumCage, kProductCage, kZeroCages}, kVarKiller, Grid, WriteCages, ReadCage},
    {{kRegionRow}, kVarIrregular, Grid, WriteIrregular, ReadRegionRow},
    {{kTiled}, kVarTiled, Grid, WriteTiled, ReadFlag},
    {{kPiece, kPieceTurns, kPieceRotation, kPieceOption}, kVarPieceRules, Grid, WritePieces, ReadPiece},
    {{kBoatCounts}, kVarBattleShip, Grid, WriteBoatCounts, ReadBoatCounts},
    {{kClassTable, kCellClass}, kVarTrio, Grid, WriteClasses, ReadClass},
    {{kRegionCount}, kVarExtraRegion, Grid, WriteExtraRegions, ReadRegionCount},
    {{kOutsideClue}, kVarOutside | kVarOddview | kVarTransfer, Grid, WriteOutsideClues, ReadOutsideClue},
    {{kTransfer}, kVarTransfer, Grid, WriteTransfer, ReadTransfer},
    {{kFrameClue},
     kVarFrameSum | kVarFrameProduct | kVarSkyScraper | kVarLastNumber | kVarFrameMax,
     Grid,
     WriteFrameClues,
     ReadFrameClue},
    {{kNumeral}, kVarNumeral, Grid, WriteNumerals, ReadNumeral},
    {{kOddPair}, kVarOddPair, Grid, WriteOddPairs, ReadOddPair},
    {{kQuad}, kVarQuadMax, Grid, WriteQuads, ReadQuad},
    {{kAllowedSet},
     kVarDomino | kVarPencilMark | kVarDigitalClock | kVarRomain,
     Grid,
     WriteAllowedSets,
     ReadAllowedSet},
    {{kKimo}, kVarKimo, Grid, WriteKimo, ReadKimo},
    {{kPanDigital}, kVarPanDigital, Grid, WritePanDigital, ReadPanDigital},
    {{kDan}, kVarDan, Grid, WriteDan, ReadDan},
    {{kArrow}, kVarArrow, Grid, WriteCellGroups<&VariantLists::Arrows>, ReadArrow},
    {{kMagicSentence}, kVarMagicSentence, Grid, WriteMagicSentence, ReadMagicSentence},
    {{kNoConsecutive}, kVarNoConsecutive, Grid, WriteFlag, ReadFlag},
    {{kNoTouch}, kVarNoTouch, Grid, WriteFlag, ReadFlag},
    {{kWheel}, kVarWheel, Grid, WriteWheels, ReadWheel},
    {{kEquality}, kVarEquality, Grid, WriteCellGroups<&VariantLists::Equality>, ReadEquality},
    {{kCreasing}, kVarCreasingLines, Grid, WriteCreasing, ReadCreasing},
    {{kNavigator}, kVarNavigator, Grid, WriteNavigator, ReadNavigator},
    {{kChess}, kVarChess, Grid, WriteChess, ReadChess},
    {{kMagicSquare}, kVarMagicSquare, Grid, WriteCellGroups<&VariantLists::MagicSquares>, ReadMagicSquare},
    {{kTwinsRelation}, kVarTwinsRelation, Grid, WriteTwinsRelation, ReadTwinsRelation},
    {{kTwinsZone}, kVarTwinsZone, Grid, WriteTwinsZone, ReadTwinsZone},
    {{kTwinsDifferent}, kVarTwinsDifferent, Grid, WritePartner, ReadPartner},
    {{kTwinsEqual}, kVarTwinsEqual, Grid, WritePartner, ReadPartner},
    {{kTwinsSubstitution}, kVarTwinsSubstitution, Grid, WriteSubstitution, ReadSubstitution},
    {{kTwinsTotal}, kVarTwinsTotal, Grid, WriteFlag, ReadFlag},
    {{kMultTable}, kVarMultTable, Grid, WriteMultTable, ReadMultTable},
    {{kPirate}, kVarPirate, Grid, WriteFlag, ReadFlag},
    {{kMasterMind}, kVarMasterMind, Grid, WriteMasterMind, ReadMasterMind},
    {{kTwinsMultiple}, kVarTwinsRelationMultiple, Grid, WriteTwinsMultiple, ReadTwinsMultiple},
    {{kTwinsSameInLine}, kVarTwinsSameInLine, Grid, WriteSameInLine, ReadSameInLine},
    {{kHiddenRule}, kVarTwinsVariantMasked, Grid, WriteHiddenRule, ReadHiddenRule},
    {{kSpareWordSet}, kEveryTime, Grid, WriteSpareWord, ReadSpareWord},
    {{kNoKnightStep}, kVarNoKnightStep, Grid, WriteFlag, ReadFlag},
    {{kTouchy}, kVarTouchy, Grid, WriteFlag, ReadFlag},
    {{kNo3OddEven}, kVarNo3OddEven, Grid, WriteFlag, ReadFlag},
    {{kNoAverage}, kVarNoAverage, Grid, WriteFlag, ReadFlag},
    {{kGiveMe5}, kVarGiveMe5, Grid, WriteFlag, ReadFlag},
    {{kSurprise}, kEveryTime, Grid, WriteSurprises, ReadSurprise},
    {{kEnglishComment}, kEveryTime, Set, WriteEnglishComment, ReadEnglishComment},
    {{kFrenchComment}, kEveryTime, Set, WriteFrenchComment, ReadFrenchComment},
    {{kPointsTable}, kVarNeighbourScore, Set, WritePointsTable, ReadPointsTable},
    {{kNumeralString}, kVarNumeral, Set, WriteNumeralStrings, ReadNumeralString},
    {{kLevel}, kEveryTime, Set, WriteLevel, ReadLevel},
    // Named by hand to apply a preference profile; no save writes it.
    {{kProfile}, kEveryTime, Set, nullptr, ReadProfile},
};

constexpr size_t kNoRow = std::size(kLineKinds);

// The row of each first character. A letter read by two rows, or one the body's structure or
// the upper-casing of the reader takes, does not build.
constexpr std::array<uint8_t, 256> kRowOfLetter = [] {
  std::array<uint8_t, 256> rows{};
  rows.fill(static_cast<uint8_t>(kNoRow));
  for (size_t r = 0; r < std::size(kLineKinds); ++r)
    for (const char letter : kLineKinds[r].Letters) {
      if (letter == '\0')
        continue;
      const auto at = static_cast<uint8_t>(letter);
      const bool structural = letter == kNextGrid || letter == kNextLinkedGrid || letter == kCommentLine;
      if (rows[at] != kNoRow || structural || (letter >= 'a' && letter <= 'z'))
        throw "a line letter is taken twice";
      rows[at] = static_cast<uint8_t>(r);
    }
  return rows;
}();

} // namespace

// A total of 0 (of a Little Killer, below 1) is the sum (or product) of the solution values of
// its cells, for a grid read without Kimo: under Kimo a total is a remainder, and 0 is one.
void FillUnsetTotals(StagedTextGrid &grid) {
  if (Meets(grid.Var, kVarKimo))
    return;
  const auto refValue = [&](int cell) -> int64_t { return grid.Cells[static_cast<size_t>(cell)].RefValue; };
  for (LittleKillerClue &clue : grid.Lists->LittleKiller.Used())
    if (clue.Target <= 0) {
      int32_t sum = 0;
      for (int k = 0; k < clue.NCells; ++k)
        sum += static_cast<int32_t>(refValue(clue.Cells[k]));
      clue.Target = sum;
    }
  for (KillerCage &cage : grid.Lists->Killer.Used()) {
    if (cage.Target != 0 || cage.NCells == 0)
      continue;
    // A product held just past the largest total cannot overflow, and still clamps to it.
    constexpr int64_t kPastEveryTotal = int64_t{INT32_MAX} + 1;
    const bool product = cage.IsProduct == 1;
    int64_t total = product ? 1 : 0;
    for (int k = 0; k < cage.NCells; ++k)
      total = product ? std::min(total * refValue(cage.Cells[k]), kPastEveryTotal)
                      : total + refValue(cage.Cells[k]);
    cage.Target = static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
  }
}

std::span<const TextLineKind> TextLineKinds() { return kLineKinds; }

const TextLineKind *FindTextLineKind(char kind) {
  const uint8_t row = kRowOfLetter[static_cast<uint8_t>(kind)];
  return row == kNoRow ? nullptr : &kLineKinds[row];
}

std::string TextLineLetters(VariantWords rules) {
  std::string letters;
  for (const TextLineKind &row : kLineKinds)
    if (Meets(row.Rules, rules))
      for (const char letter : row.Letters)
        if (letter != '\0')
          letters.push_back(letter);
  return letters;
}

} // namespace quorbel
