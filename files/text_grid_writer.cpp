// The text grid writer: the header, then each grid's cell lines and variant lines in the
// format's fixed order, then the set's comments, numeral lines and level.
#include "files/text_grid_writer.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "files/latin1_text.h"
#include "files/sud_file_format.h"

namespace quorbel {

namespace {

using namespace text_grid;

// Builds Latin-1 lines; every line ends in CR LF.
class Lines {
public:
  // The prefix, then the numbers separated by ";" (each followed by one when `closed`).
  void Row(std::string_view prefix, std::initializer_list<int> numbers) {
    Row(prefix, std::vector<int>(numbers));
  }
  void Row(std::string_view prefix, const std::vector<int> &numbers, bool closed = false) {
    text_ += prefix;
    for (size_t i = 0; i < numbers.size(); ++i) {
      if (i > 0)
        text_.push_back(';');
      text_ += std::to_string(numbers[i]);
    }
    if (closed && !numbers.empty())
      text_.push_back(';');
    End();
  }
  void Text(std::string_view latin1) {
    text_ += latin1;
    End();
  }
  std::string Take() { return std::move(text_); }

private:
  void End() { text_ += "\r\n"; }
  std::string text_;
};

std::string Prefix(char kind) { return std::string(1, kind); }
std::string Prefix(char kind, char letter) { return {kind, letter}; }
// A kind with a letter that a ";" separates from the numbers.
std::string LetterPrefix(char kind, char letter) { return {kind, letter, ';'}; }

// The first `count` entries of a list of cells, after `first` when given.
template <class Cells> std::vector<int> Numbers(std::optional<int> first, const Cells &cells, int count) {
  std::vector<int> numbers;
  if (first)
    numbers.push_back(*first);
  for (int k = 0; k < std::clamp(count, 0, static_cast<int>(cells.size())); ++k)
    numbers.push_back(cells[k]);
  return numbers;
}

// Text from the program as one Latin-1 line: line breaks would start a new line kind.
std::string OneLine(std::string_view utf8) {
  std::string latin1 = Utf8ToLatin1(utf8);
  std::replace_if(
      latin1.begin(), latin1.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return latin1;
}

// Region lines: the rows of the layout table that hold cells.
void RegionLines(Lines &out, const BlockLayout &layout) {
  const int rows = std::clamp<int>(layout.RowCount, 0, 16);
  for (int b = 0; b < rows; ++b)
    out.Row(Prefix(kRegionRow), Numbers(b, layout.Cells[b], layout.RowLength[b]));
}

char ComparisonLetter(int kind) {
  switch (kind) {
  case 2:
    return kCompX;
  case 3:
    return kCompV;
  case 4:
    return kCompConsecutive;
  case 5:
    return kCompRatio;
  case 6:
    return kCompSumN;
  case 7:
    return kCompDiffN;
  case 9:
    return kCompLess;
  default:
    return kCompGreater;
  }
}

char FrameLetter(int kind) {
  switch (kind) {
  case 1:
    return 'S';
  case 2:
    return 'P';
  case 3:
    return 'Y';
  case 6:
    return 'M';
  case 4:
    return 'U';
  default:
    return 'D';
  }
}

char AllowedLetter(int type) {
  switch (type) {
  case kAllowedTypeMask:
    return 'P';
  case kAllowedTypeSegments:
    return 'C';
  case kAllowedTypePips:
    return 'D';
  default:
    return 'R';
  }
}

// A Tiled piece turned half round shows its digits upside down; a mirrored one, mirrored.
int ShownDigit(const PuzzlePiece &piece, int digit) {
  constexpr int kHalfTurn = 2;
  int shown = -1;
  if (piece.Rotation == kHalfTurn)
    shown = DigitUpsideDown(digit);
  else if (piece.Mirror == 1)
    shown = DigitMirror(digit);
  return shown == -1 ? digit : shown;
}

void WriteVariantLines(Lines &out, const EngineContext &ctx, int slot, const TextGridInfo &info) {
  const GridGeometry &geo = ctx.Geo;
  const GridRecord &grid = ctx.Grids.Main[slot];
  const VariantLists &l = grid.Lists;
  const VariantWork &w = grid.Work;
  auto has = [&](VariantWords rule) { return Meets(grid.GridVar, rule); };
  const auto cells = grid.PlayingCells(geo);
  const int cellCount = static_cast<int>(cells.size());
  const int thisGrid = slot + 1;
  const int partnerGrid = l.TwinsPartner + 1;

  if (has(kVarLittleKiller))
    for (const LittleKillerClue &c : l.LittleKiller.Used())
      out.Row(Prefix(kLittleKiller), {c.FirstCell, c.LastCell, c.Target});
  if (has(kVarDiagonal))
    out.Row(Prefix(kDiagonal), {l.RegionOn[kRegionDiag1] + 2 * l.RegionOn[kRegionDiag2]});
  if (has(kVarDistance))
    for (const DistanceClue &c : l.Distance.Used())
      out.Row(Prefix(kDistance, c.Orientation == 1 ? 'L' : 'C'), {c.ValueA, c.ValueB, c.Distance, c.Line});
  if (has(kVarOdd))
    for (const OddEvenMark &m : l.OddEven.Used())
      out.Row(Prefix(m.Mark == 0 ? kEven : m.Mark == 1 ? kOdd : kSharedParity), {m.Cell});
  if (has(kVarLess | kVarXV | kVarDot))
    for (const ComparisonMark &m : l.Comparisons.Used()) {
      std::vector<int> numbers = {m.CellA, m.CellB};
      if (m.Kind == 6 || m.Kind == 7)
        numbers.push_back(l.ComparisonTotal);
      out.Row(Prefix(ComparisonLetter(m.Kind)), numbers);
    }
  if (has(kVarAllIndicated))
    out.Text(Prefix(kAllIndicated));
  if (has(kVarKiller)) {
    for (const KillerCage &c : l.Killer.Used())
      out.Row(Prefix(c.IsProduct == 1 ? kProductCage : kSumCage), Numbers(c.Target, c.Cells, c.NCells));
    if (l.ZeroFlag == 1)
      out.Text(Prefix(kZeroCages));
  }
  if (has(kVarIrregular))
    RegionLines(out, l.Layout);
  // The digits of the Tiled pieces' marked cells; they say no position, so reading keeps the flag.
  if (has(kVarTiled)) {
    std::vector<int> marked;
    for (const PuzzlePiece &p : l.Pieces.Used())
      if (p.MarkedCell >= 0 && p.MarkedCell < std::clamp<int>(p.NCells, 0, 10))
        marked.push_back(p.Digits[static_cast<size_t>(p.MarkedCell)]);
    out.Row(Prefix(kTiled), marked, true);
  }
  if (has(kVarPieceRules)) {
    for (const PuzzlePiece &p : l.Pieces.Used()) {
      std::vector<int> pairs;
      for (int k = 0; k < std::clamp<int>(p.NCells, 0, 10); ++k) {
        pairs.push_back(p.Cells[k]);
        pairs.push_back(has(kVarTiled) ? ShownDigit(p, p.Digits[k]) : p.Digits[k]);
      }
      out.Row(Prefix(kPiece), pairs, true);
    }
    if (l.PuzzleRotation == 1)
      out.Text(Prefix(kPieceRotation));
    if (l.PieceParity == 1)
      out.Text(Prefix(kPieceOption));
  }
  if (has(kVarBattleShip)) {
    std::vector<int> counts(l.BoatClueRow.begin(), l.BoatClueRow.begin() + geo.GridWidth);
    counts.insert(counts.end(), l.BoatClueCol.begin(), l.BoatClueCol.begin() + geo.GridWidth);
    out.Row(Prefix(kBoatCounts), counts, true);
  }
  if (has(kVarTrio)) {
    std::string table = Prefix(kClassTable);
    for (int32_t entry : info.NumeralTable2)
      table.push_back(static_cast<char>('0' + std::clamp(entry, 0, 0xFF - '0')));
    out.Text(table);
    for (int i = 0; i < cellCount; ++i)
      if (cells[i].CellClass != 0)
        out.Row(Prefix(kCellClass), {i, cells[i].CellClass});
  }
  if (has(kVarExtraRegion)) {
    RegionLines(out, l.Layout);
    out.Row(Prefix(kRegionCount), {l.RegionOn[0] + l.RegionOn[1] + l.RegionOn[2] + l.RegionOn[3]});
  }
  if (has(kVarOutside | kVarOddview | kVarTransfer))
    for (int s = 0; s < 4; ++s)
      for (int line = 0; line < kMaxWidth; ++line) {
        const int kind = l.Outside.Kind[s][line];
        const std::string prefix = LetterPrefix(kOutsideClue, kind == 1 ? 'S' : kind == 2 ? 'O' : 'T');
        for (int k = 0; k < std::clamp<int>(l.Outside.Count[s][line], 0, kMaxWidth); ++k)
          out.Row(prefix, {s, line, l.Outside.Values[s][line][k]});
      }
  if (has(kVarTransfer) && l.Transfer.Size() > 0) {
    std::vector<int> crossed;
    for (const TransferCell &t : l.Transfer.Used())
      crossed.push_back(t.Cell);
    out.Row(Prefix(kTransfer), crossed);
  }
  if (has(kVarFrameSum | kVarFrameProduct | kVarSkyScraper | kVarLastNumber | kVarFrameMax))
    for (int s = 0; s < 4; ++s)
      for (int line = 0; line < kMaxWidth; ++line)
        if (l.Frame.Kind[s][line] != 0)
          out.Row(LetterPrefix(kFrameClue, FrameLetter(l.Frame.Kind[s][line])),
                  {s, line, l.Frame.Value[s][line]});
  if (has(kVarNumeral))
    for (int i = 0; i < cellCount; ++i)
      if (cells[i].Numeral != -1)
        out.Row(Prefix(kNumeral), {i, cells[i].Numeral});
  if (has(kVarOddPair))
    for (const OddPairMark &m : l.OddPairs.Used())
      out.Row(LetterPrefix(kOddPair, m.Kind == 0 ? 'O' : m.Kind == 1 ? 'E' : 'X'), {m.CellA, m.CellB});
  if (has(kVarQuadMax))
    for (const QuadClue &q : l.Quads.Used())
      out.Row(LetterPrefix(kQuad, q.Kind == 0   ? '>'
                                  : q.Kind == 1 ? '<'
                                                : '='),
              {q.Cells[0], q.Cells[1], q.Cells[2], q.Cells[3], q.MinCell, q.MaxCell});
  if (has(kVarDomino | kVarPencilMark | kVarDigitalClock | kVarRomain))
    for (int i = 0; i < cellCount; ++i)
      if (cells[i].AllowedType != kAllowedTypeNone)
        out.Row(LetterPrefix(kAllowedSet, AllowedLetter(cells[i].AllowedType)), {i, cells[i].AllowedIndex});
  if (has(kVarKimo))
    out.Row(Prefix(kKimo), {l.KimoModulus});
  if (has(kVarPanDigital))
    for (const PanExpression &p : l.Pan.Used())
      out.Row(Prefix(kPanDigital), {p.Blocks[0], p.Blocks[1], p.Blocks[2], p.Blocks[3], p.Position,
                                    p.Operators[0], p.Operators[1], p.Operators[2]});
  if (has(kVarDan))
    out.Row(Prefix(kDan), Numbers(l.Dan.MaxDistinct, l.Dan.Cells, l.Dan.NCells));
  if (has(kVarArrow))
    for (const ArrowClue &a : l.Arrows.Used())
      out.Row(Prefix(kArrow), Numbers(std::nullopt, a.Cells, a.NCells));
  if (has(kVarMagicSentence)) {
    const MagicSentenceClue &m = l.MagicSentence;
    out.Row(Prefix(kMagicSentence), Numbers(std::nullopt, m.Cells, m.NCells));
    // Per letter A..Z, 'A' + the value it stands for.
    std::string letters;
    for (int32_t value : m.LetterTable)
      letters.push_back(value >= 1 && value <= kMaxWidth ? static_cast<char>('A' + value)
                                                         : kNoSentenceLetter);
    out.Text(letters);
  }
  if (has(kVarNoConsecutive))
    out.Text(Prefix(kNoConsecutive));
  if (has(kVarNoTouch))
    out.Text(Prefix(kNoTouch));
  if (has(kVarWheel))
    for (const WheelClue &c : l.Wheels.Used())
      out.Row(Prefix(kWheel), {c.Centre, c.Values[0], c.Values[1], c.Values[2], c.Values[3], c.Rotation});
  if (has(kVarEquality))
    for (const EqualityGroup &e : l.Equality.Used())
      out.Row(Prefix(kEquality), Numbers(std::nullopt, e.Cells, e.NCells));
  if (has(kVarCreasingLines))
    for (const CreasingLine &c : l.Creasing.Used())
      out.Row(Prefix(kCreasing), Numbers(c.Kind, c.Cells, c.NCells));
  if (has(kVarNavigator))
    for (const NavigatorArrow &n : l.Navigator.Used())
      out.Row(Prefix(kNavigator), {n.Cell, n.Direction});
  if (has(kVarChess))
    for (const ChessPiece &c : l.Chess.Used())
      out.Row(Prefix(kChess), {c.Cell, c.Kind, c.Colour});
  if (has(kVarMagicSquare))
    for (const MagicSquareClue &m : l.MagicSquares.Used())
      out.Row(Prefix(kMagicSquare), Numbers(std::nullopt, m.Cells, m.NCells));
  if (has(kVarTwinsRelation))
    for (const TwinsRelationLink &t : l.TwinsRelation.Used())
      out.Row(Prefix(kTwinsRelation), {t.Cell, t.OtherCell, thisGrid, t.OtherGrid + 1});
  if (has(kVarTwinsZone))
    for (const TwinsZoneLink &z : l.TwinsZone.Used())
      out.Row(Prefix(kTwinsZone), {z.Block, z.OtherBlock, thisGrid, z.OtherGrid + 1});
  if (l.TwinsPartner >= 0) {
    if (has(kVarTwinsDifferent))
      out.Row(Prefix(kTwinsDifferent), {thisGrid, partnerGrid});
    if (has(kVarTwinsEqual))
      out.Row(Prefix(kTwinsEqual), {thisGrid, partnerGrid});
    if (has(kVarTwinsSubstitution) && l.SubstitutionOwner == 1) {
      std::vector<int> numbers(w.SubstitutionMap.begin(), w.SubstitutionMap.begin() + geo.GridWidth);
      numbers.push_back(thisGrid);
      numbers.push_back(partnerGrid);
      out.Row(Prefix(kTwinsSubstitution), numbers);
    }
  }
  if (has(kVarTwinsTotal))
    out.Text(Prefix(kTwinsTotal));
  if (has(kVarMultTable))
    for (const MultTableItem &m : l.MultTable.Used())
      out.Row(Prefix(kMultTable), {m.Cells[0], m.Cells[1], m.Cells[2], m.Cells[3]});
  if (has(kVarPirate))
    out.Text(Prefix(kPirate));
  if (has(kVarMasterMind)) {
    // The code as one character per value ('0' + value), then the guess line's numbers.
    const MasterMindClue &m = l.MasterMind;
    const int length = std::clamp<int>(m.CodeLength, 0, 16);
    std::string prefix = Prefix(kMasterMind);
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
  if (has(kVarTwinsRelationMultiple))
    for (const TwinsMultipleGroup &t : l.TwinsMultiple.Used()) {
      std::vector<int> numbers = {t.NCells, t.OtherGrid};
      for (int k = 0; k < std::clamp<int>(t.NCells, 0, 16); ++k) {
        numbers.push_back(t.Cells[k]);
        numbers.push_back(t.OtherCells[k]);
      }
      out.Row(Prefix(kTwinsMultiple), numbers);
    }
  if (has(kVarTwinsSameInLine))
    out.Row(Prefix(kTwinsSameInLine), Numbers(l.SameInLine.PartnerGrid, l.SameInLine.RowClue, kMaxWidth));
  if (has(kVarTwinsVariantMasked))
    out.Row(Prefix(kHiddenRule), {static_cast<int>(l.HiddenRule.word1 & 0x7FFFFFFF),
                                  static_cast<int>(l.HiddenRule.word2 & 0x7FFFFFFF)});
  if (ctx.Grids.SpareWord == 1)
    out.Text(Prefix(kSpareWordSet));
  const std::pair<VariantWords, char> flagLines[] = {{kVarNoKnightStep, kNoKnightStep},
                                                     {kVarTouchy, kTouchy},
                                                     {kVarNo3OddEven, kNo3OddEven},
                                                     {kVarNoAverage, kNoAverage},
                                                     {kVarGiveMe5, kGiveMe5}};
  for (const auto &[rule, letter] : flagLines)
    if (has(rule))
      out.Text(Prefix(letter));
  for (int i = 0; i < cellCount; ++i)
    if (cells[i].SurpriseKind > 0)
      out.Row(Prefix(kSurprise),
              {i, cells[i].SurpriseKind, cells[i].SurpriseAmount, cells[i].SurpriseWords[0]});
}

void WriteBody(Lines &out, const EngineContext &ctx, int slot, const TextGridInfo &info) {
  const auto cells = ctx.Grids.Main[slot].PlayingCells(ctx.Geo);
  const auto reference = ctx.Grids.RefTab[slot].PlayingCells(ctx.Geo);
  for (size_t i = 0; i < cells.size(); ++i) {
    const CellRecord &cell = cells[i];
    const bool solved = i < reference.size() &&
                        (reference[i].Status == kStatusFixed || reference[i].Status == kStatusHypothesis);
    if (cell.Status == kStatusGiven || cell.Status == kStatusFixed)
      out.Row("", {cell.Value});
    else if (solved)
      out.Row(Prefix(kReferenceValue), {reference[i].Value});
    else
      out.Row("", {0});
  }
  out.Text(";Start Save Varient");
  WriteVariantLines(out, ctx, slot, info);
}

} // namespace

std::string WriteTextGrid(const EngineContext &ctx, const TextGridInfo &info) {
  const GridSet &set = ctx.Grids;
  const int grids = std::clamp<int>(set.AllCount, 1, kMaxGrids);
  Lines out;
  out.Text(kTextGridHeader);
  out.Row("", {ctx.Geo.GridWidth});
  VariantWords combined;
  for (int g = 0; g < grids; ++g) {
    out.Row(";Start Save Grid", {g});
    if (g > 0)
      out.Text(Prefix(g < set.MainCount ? kNextGrid : kNextLinkedGrid));
    WriteBody(out, ctx, g, info);
    combined |= set.Main[g].GridVar;
  }
  if (!info.CommentEnglish.empty())
    out.Text(Prefix(kEnglishComment) + OneLine(info.CommentEnglish));
  if (!info.CommentFrench.empty())
    out.Text(Prefix(kFrenchComment) + OneLine(info.CommentFrench));
  if (Meets(combined, kVarNeighbourScore))
    out.Row(Prefix(kPointsTable), std::vector<int>(info.NumeralTable1.begin(), info.NumeralTable1.end()));
  if (Meets(combined, kVarNumeral))
    for (int i = 0; i < 16; ++i)
      out.Text(Prefix(kNumeralString) + std::to_string(i) + ";" + OneLine(info.NumeralStrings[i]));
  constexpr int kHighestLevel = 4;
  if (info.Level >= 1 && info.Level <= kHighestLevel)
    out.Row(Prefix(kLevel), {info.Level});
  return out.Take();
}

} // namespace quorbel
