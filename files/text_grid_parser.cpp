// The text grid's line kinds, one case each, read into the stage with every count and index
// checked; a line that only cannot be placed (a full list) is left out with a warning.
#include "files/text_grid_parser.h"
#include "files/sud_file_cells.h"

#include <algorithm>
#include <charconv>

#include "engine/digit_tables.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "engine/puzzle_pieces.h"
#include "files/clue_shapes.h"
#include "files/latin1_text.h"

namespace quorbel {

namespace {

using namespace text_grid;

constexpr int kSentenceLetters = 26;
constexpr int kLowestNumeral = 33;
constexpr int kHighestNumeral = 255;
constexpr int kMaxCageCells = 10;

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

} // namespace

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::optional<int32_t> ParseTextInt(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

namespace {

// Reads one text grid body after another; the first failure stops it with its line.
class Parser {
public:
  Parser(const GridGeometry &geo, int firstSlot, TextGridStage &stage)
      : geo_(geo), slot_(firstSlot), stage_(stage) {
    StartGrid(false);
  }

  bool Parse(const std::vector<std::string> &lines, size_t firstLine) {
    if (!error_.empty())
      return false;
    for (size_t i = firstLine; i < lines.size() && error_.empty(); ++i) {
      lineNumber_ = static_cast<int>(i) + 1;
      ParseLine(lines[i]);
    }
    if (error_.empty() && Grid().CellLines < geo_.NCells)
      error_ = "the text ends after " + std::to_string(Grid().CellLines) + " of the " +
               std::to_string(geo_.NCells) + " cell lines of grid " + std::to_string(slot_ + 1);
    if (error_.empty())
      FinishGrid();
    return error_.empty();
  }

  const std::string &Error() const { return error_; }

private:
  StagedTextGrid &Grid() { return stage_.Grids.back(); }
  VariantLists &Lists() { return *Grid().Lists; }

  bool Fail(const std::string &what) {
    if (error_.empty())
      error_ = "line " + std::to_string(lineNumber_) + ": " + what;
    return false;
  }
  void Warn(const std::string &what) {
    stage_.Warnings.push_back("line " + std::to_string(lineNumber_) + ": " + what);
  }

  void StartGrid(bool linked) {
    if (slot_ + static_cast<int>(stage_.Grids.size()) >= kMaxGrids) {
      Fail("a set holds at most " + std::to_string(kMaxGrids) + " grids");
      return;
    }
    StagedTextGrid &grid = stage_.Grids.emplace_back();
    grid.Linked = linked;
    grid.Cells.resize(static_cast<size_t>(geo_.NCells));
  }

  int CurrentSlot() const { return slot_ + static_cast<int>(stage_.Grids.size()) - 1; }

  // The rules whose clues a grid's lines imply without a line of their own.
  void FinishGrid() {
    StagedTextGrid &grid = Grid();
    // The same shapes a grid file must hold, so that a text grid read here saves and reopens.
    if (const std::string problem = CheckClueShapes(geo_.GridWidth, *grid.Lists); !problem.empty()) {
      Fail(problem);
      return;
    }
    if (grid.RegionLines && !grid.RegionCount)
      grid.Var |= kVarIrregular;
    if (grid.Lists->Pieces.Size() > 0 && !Meets(grid.Var, kVarTiled | kVarBattleShip))
      grid.Var |= kVarPuzzle;
    if (Meets(grid.Var, kVarTiled))
      MarkPieceCorners(geo_, *grid.Lists);
  }

  // ---- numbers ----

  // The numbers after `skip` characters, separated by ";" (or "," where allowed); an empty
  // last field (a line ending in ";") is no number.
  bool Numbers(std::string_view line, size_t skip, std::vector<int32_t> &out, bool commas = false) {
    out.clear();
    std::string_view rest = skip <= line.size() ? line.substr(skip) : std::string_view{};
    while (!Trim(rest).empty()) {
      size_t end = rest.find_first_of(commas ? ";," : ";");
      const std::string_view field = rest.substr(0, end);
      const auto value = ParseTextInt(field);
      if (!value)
        return Fail(std::string("\"").append(Latin1ToUtf8(Trim(field))).append("\" is not a number"));
      out.push_back(*value);
      if (end == std::string_view::npos)
        break;
      rest.remove_prefix(end + 1);
    }
    return true;
  }
  bool AtLeast(const std::vector<int32_t> &numbers, size_t count, const char *kind) {
    if (numbers.size() >= count)
      return true;
    return Fail(std::string(kind) + " needs " + std::to_string(count) + " numbers");
  }
  bool InRange(int64_t value, int64_t lo, int64_t hi, const char *what) {
    if (value >= lo && value <= hi)
      return true;
    return Fail(std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(lo) + ".." +
                std::to_string(hi));
  }
  bool IsCell(int64_t value) { return InRange(value, 0, geo_.NCells - 1, "cell"); }
  bool AreCells(const std::vector<int32_t> &numbers, size_t from, size_t count) {
    for (size_t k = from; k < from + count && k < numbers.size(); ++k)
      if (!IsCell(numbers[k]))
        return false;
    return true;
  }
  // The grid a link names, given as "this grid + 1" and "partner + 1": kept relative, so that
  // grids imported after others still find their partners.
  bool PartnerSlot(int32_t thisNumber, int32_t partnerNumber, int16_t &slot) {
    const int partner = CurrentSlot() + partnerNumber - thisNumber;
    if (!InRange(partner, 0, kMaxGrids - 1, "partner grid"))
      return false;
    slot = static_cast<int16_t>(partner);
    return true;
  }
  template <class List> bool Room(List &list, const char *name) {
    if (!list.Full())
      return true;
    Warn(std::string(name) + " are full (" + std::to_string(List::kCapacity) + "); the line is left out");
    return false;
  }
  template <class T, size_t N>
  void CopyCells(std::array<T, N> &cells, int16_t &count, const std::vector<int32_t> &numbers, size_t from) {
    const size_t n = std::min(N, numbers.size() - std::min(from, numbers.size()));
    for (size_t k = 0; k < n; ++k)
      cells[k] = static_cast<T>(numbers[from + k]);
    count = static_cast<int16_t>(n);
  }

  // ---- lines ----

  void ParseLine(const std::string &line) {
    if (Trim(line).empty())
      return;
    if (awaitingSentenceLetters_) {
      awaitingSentenceLetters_ = false;
      SentenceLetters(line);
      return;
    }
    char kind = line[0];
    if (kind >= 'a' && kind <= 'z')
      kind = static_cast<char>(kind - 'a' + 'A');
    if (kind == kCommentLine)
      return;
    if (Grid().CellLines < geo_.NCells) {
      CellLine(line);
      return;
    }
    VariantLine(kind, line);
  }

  void CellLine(const std::string &line) {
    std::string_view text = line;
    const bool reference = text[0] == kReferenceValue || text[0] == 'r';
    if (reference)
      text.remove_prefix(1);
    const auto value = ParseTextInt(text);
    if (!value) {
      Fail("a cell line holds a number, after \"R\" for a solution value");
      return;
    }
    StagedCell &cell = Grid().Cells[Grid().CellLines++];
    // A grid after the main grids holds the Twins Total sums, which run past the symbols.
    const int ceiling = Grid().Linked ? SumsGridCeiling(geo_) : geo_.GridWidth;
    const int32_t v = *value >= 1 && *value <= ceiling ? static_cast<int32_t>(*value) : 0;
    if (v == 0)
      return;
    cell.RefValue = v;
    cell.RefStatus = reference ? kStatusHypothesis : kStatusFixed;
    if (!reference)
      cell.Value = v;
  }

  void SentenceLetters(const std::string &line) {
    MagicSentenceClue &sentence = Lists().MagicSentence;
    for (int k = 0; k < kSentenceLetters; ++k) {
      const char c = k < static_cast<int>(line.size()) ? line[k] : kNoSentenceLetter;
      sentence.LetterTable[k] = c > 'A' && c <= 'A' + kMaxWidth ? c - 'A' : 0;
    }
  }

  void VariantLine(char kind, const std::string &line) {
    VariantLists &l = Lists();
    StagedTextGrid &grid = Grid();
    std::vector<int32_t> n;
    const char letter = line.size() > 1 ? line[1] : '\0';
    auto flag = [&](VariantWords rule) { grid.Var |= rule; };

    switch (kind) {
    case kNextGrid:
    case kNextLinkedGrid:
      FinishGrid();
      StartGrid(kind == kNextLinkedGrid);
      return;
    case kEnglishComment:
      stage_.Info.CommentEnglish = Latin1ToUtf8(std::string_view(line).substr(1));
      return;
    case kFrenchComment:
      stage_.Info.CommentFrench = Latin1ToUtf8(std::string_view(line).substr(1));
      return;
    case kProfile:
      return Profile(Latin1ToUtf8(Trim(std::string_view(line).substr(1))));
    case kNumeralString: {
      const size_t separator = line.find(';');
      const auto index = ParseTextInt(std::string_view(line).substr(1, separator - 1));
      if (separator == std::string::npos || !index)
        return (void)Fail("a numeral line is \"H\", an index, \";\" and the text");
      if (InRange(*index, 0, 15, "numeral"))
        stage_.Info.NumeralStrings[*index] = Latin1ToUtf8(std::string_view(line).substr(separator + 1));
      return;
    }
    case kLevel:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a level line"))
        stage_.Info.Level = n[0];
      return;
    case kPointsTable:
      if (Numbers(line, 1, n) && AtLeast(n, 16, "the points table")) {
        std::copy_n(n.begin(), 16, stage_.Info.NumeralTable1.begin());
        flag(kVarNeighbourScore);
      }
      return;
    case kLittleKiller:
      if (Numbers(line, 1, n) && AtLeast(n, 3, "a Little Killer clue") && IsCell(n[0]) && IsCell(n[1]) &&
          Room(l.LittleKiller, "Little Killer clues"))
        LittleKiller(n[0], n[1], n[2]);
      return;
    case kDiagonal:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a diagonal line")) {
        l.RegionOn[kRegionDiag1] = static_cast<int16_t>(n[0] & 1);
        l.RegionOn[kRegionDiag2] = static_cast<int16_t>((n[0] >> 1) & 1);
        flag(kVarDiagonal);
      }
      return;
    case kDistance:
      if (Numbers(line, 2, n) && AtLeast(n, 4, "a Distance clue") && InRange(n[0], 0, kMaxWidth, "value") &&
          InRange(n[1], 0, kMaxWidth, "value") && InRange(n[2], -kMaxWidth, kMaxWidth, "distance") &&
          InRange(n[3], 0, geo_.GridWidth - 1, "line") && Room(l.Distance, "Distance clues")) {
        const bool row = letter == 'L' || letter == 'l';
        l.Distance.Append({static_cast<int16_t>(n[0]), static_cast<int16_t>(n[1]), static_cast<int16_t>(n[2]),
                           static_cast<int16_t>(row ? 1 : 0), static_cast<int16_t>(n[3])});
        flag(kVarDistance);
      }
      return;
    case kEven:
    case kOdd:
    case kSharedParity:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "an odd/even mark")) {
        // A mark off the grid or beyond the list is skipped, as it always was.
        if (n[0] < 0 || n[0] >= geo_.NCells || l.OddEven.Full())
          return Warn("the odd/even mark is left out");
        l.OddEven.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(kind == kEven  ? 0
                                                                           : kind == kOdd ? 1
                                                                                          : 10)});
        flag(kVarOdd);
      }
      return;
    case kCompX:
    case kCompV:
    case kCompConsecutive:
    case kCompRatio:
    case kCompSumN:
    case kCompDiffN:
    case kCompGreater:
    case kCompLess:
      return Comparison(kind, line);
    case kAllIndicated:
      return flag(kVarAllIndicated);
    case kSumCage:
    case kProductCage:
      return Cage(kind == kProductCage, line);
    case kZeroCages:
      l.ZeroFlag = 1;
      return;
    case kRegionRow:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a region line") && InRange(n[0], 0, 15, "region row") &&
          InRange(static_cast<int64_t>(n.size()) - 1, 0, kMaxWidth, "cells of a region row") &&
          AreCells(n, 1, n.size() - 1)) {
        BlockLayout &layout = l.Layout;
        const int row = n[0];
        CopyCells(layout.Cells[row], layout.RowLength[row], n, 1);
        layout.RowCount = std::max<int16_t>(layout.RowCount, static_cast<int16_t>(row + 1));
        grid.RegionLines = true;
      }
      return;
    case kTiled:
      // The digits of the marked cells say no position: the marks are found again at the grid's
      // corners once the pieces are read.
      return flag(kVarTiled);
    case kPiece:
      return Piece(line);
    case kPieceRotation:
      l.PuzzleRotation = 1;
      return;
    case kPieceOption:
      l.PieceParity = 1;
      return;
    case kBoatCounts:
      if (Numbers(line, 1, n) && AtLeast(n, 2 * static_cast<size_t>(geo_.GridWidth), "the boat counts")) {
        for (int i = 0; i < geo_.GridWidth; ++i)
          if (!InRange(n[i], 0, kMaxWidth, "boat count") ||
              !InRange(n[geo_.GridWidth + i], 0, kMaxWidth, "boat count"))
            return;
        for (int i = 0; i < geo_.GridWidth; ++i) {
          l.BoatClueRow[i] = static_cast<int8_t>(n[i]);
          l.BoatClueCol[i] = static_cast<int8_t>(n[geo_.GridWidth + i]);
        }
        flag(kVarBattleShip);
      }
      return;
    case kClassTable:
      if (line.size() < 17)
        return (void)Fail("the class table needs 16 characters");
      for (int i = 0; i < 16; ++i)
        stage_.Info.NumeralTable2[i] = static_cast<uint8_t>(line[1 + i]) - '0';
      return;
    case kCellClass:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a class line") && IsCell(n[0]) &&
          InRange(n[1], 0, kMaxWidth, "class")) {
        grid.Cells[n[0]].Class = static_cast<int16_t>(n[1]);
        flag(kVarTrio);
      }
      return;
    case kRegionCount:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a region count") && InRange(n[0], 0, 4, "region count")) {
        for (int k = 0; k < 4; ++k)
          l.RegionOn[k] = static_cast<int16_t>(k < n[0] ? 1 : 0);
        grid.RegionCount = true;
        flag(kVarExtraRegion);
      }
      return;
    case kOutsideClue:
      return OutsideClue(letter, line);
    case kTransfer:
      if (Numbers(line, 1, n) && AreCells(n, 0, n.size()))
        for (int32_t cell : n) {
          if (!Room(l.Transfer, "Transfer cells"))
            break;
          l.Transfer.Append({static_cast<CellRef>(cell)});
          grid.Cells[cell].CrossedOut = true;
          flag(kVarTransfer);
        }
      return;
    case kFrameClue:
      return FrameClue(letter, line);
    case kNumeral:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a numeral line")) {
        if (n[0] < 0 || n[0] >= geo_.NCells)
          return Warn("the numeral of a cell off the grid is left out");
        if (n[1] >= kLowestNumeral && n[1] <= kHighestNumeral)
          grid.Cells[n[0]].Numeral = static_cast<int16_t>(n[1]);
        flag(kVarNumeral);
      }
      return;
    case kOddPair:
      if (Numbers(line, 3, n) && AtLeast(n, 2, "an Odd Pair mark") && AreCells(n, 0, 2) &&
          Room(l.OddPairs, "Odd Pair marks")) {
        const int16_t pairKind = letter == 'O' ? 0 : letter == 'E' ? 1 : 2;
        l.OddPairs.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), pairKind});
        flag(kVarOddPair);
      }
      return;
    case kQuad:
      if (Numbers(line, 3, n) && AtLeast(n, 6, "a Quad clue") && AreCells(n, 0, 4) &&
          InRange(n[4], -1, geo_.NCells - 1, "min cell") && InRange(n[5], -1, geo_.NCells - 1, "max cell") &&
          Room(l.Quads, "Quad clues")) {
        QuadClue quad;
        for (int k = 0; k < 4; ++k)
          quad.Cells[k] = static_cast<CellRef>(n[k]);
        quad.Kind = static_cast<int16_t>(letter == '>' ? 0 : letter == '<' ? 1 : 2);
        quad.MinCell = static_cast<CellRef>(n[4]);
        quad.MaxCell = static_cast<CellRef>(n[5]);
        l.Quads.Append(quad);
        flag(kVarQuadMax);
      }
      return;
    case kAllowedSet:
      if (Numbers(line, 3, n) && AtLeast(n, 2, "an allowed-set line") && IsCell(n[0])) {
        static constexpr std::pair<char, int32_t> kTypes[] = {
            {'P', kAllowedTypeMask}, {'C', kAllowedTypeSegments}, {'D', kAllowedTypePips}};
        int32_t type = kAllowedTypeTable;
        for (const auto &[typeLetter, typeCode] : kTypes)
          if (letter == typeLetter)
            type = typeCode;
        grid.Cells[n[0]].AllowedType = type;
        grid.Cells[n[0]].AllowedIndex = n[1];
        flag(type == kAllowedTypeMask       ? kVarPencilMark
             : type == kAllowedTypeSegments ? kVarDigitalClock
             : type == kAllowedTypePips     ? kVarDomino
                                            : kVarRomain);
      }
      return;
    case kKimo:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a Kimo line")) {
        l.KimoModulus = n[0];
        flag(kVarKimo);
      }
      return;
    case kPanDigital:
      if (Numbers(line, 1, n) && AtLeast(n, 8, "a PanDigital clue") && Room(l.Pan, "PanDigital clues")) {
        PanExpression pan;
        for (int k = 0; k < 5; ++k)
          if (!InRange(n[k], -1, geo_.GridWidth - 1, "block"))
            return;
        for (int k = 0; k < 3; ++k)
          if (!InRange(n[5 + k], 0, 9, "operator"))
            return;
        for (int k = 0; k < 4; ++k)
          pan.Blocks[k] = static_cast<int16_t>(n[k]);
        pan.Position = static_cast<int16_t>(n[4]);
        for (int k = 0; k < 3; ++k)
          pan.Operators[k] = static_cast<int16_t>(n[5 + k]);
        l.Pan.Append(pan);
        flag(kVarPanDigital);
      }
      return;
    case kDan:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a Dan line") && AreCells(n, 1, n.size() - 1)) {
        l.Dan.MaxDistinct = static_cast<int16_t>(std::clamp(n[0], 0, kMaxWidth));
        CopyCells(l.Dan.Cells, l.Dan.NCells, n, 1);
        flag(kVarDan);
      }
      return;
    case kArrow:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "an arrow") && AreCells(n, 0, n.size()) &&
          Room(l.Arrows, "Arrows")) {
        ArrowClue arrow;
        CopyCells(arrow.Cells, arrow.NCells, n, 0);
        l.Arrows.Append(arrow);
        flag(kVarArrow);
      }
      return;
    case kMagicSentence:
      if (Numbers(line, 1, n) && AreCells(n, 0, n.size())) {
        CopyCells(l.MagicSentence.Cells, l.MagicSentence.NCells, n, 0);
        awaitingSentenceLetters_ = true;
        flag(kVarMagicSentence);
      }
      return;
    case kNoConsecutive:
      return flag(kVarNoConsecutive);
    case kNoTouch:
      return flag(kVarNoTouch);
    case kWheel:
      if (Numbers(line, 1, n) && AtLeast(n, 6, "a wheel") && IsCell(n[0]) &&
          InRange(n[5], 0, 3, "rotation") && Room(l.Wheels, "Wheels")) {
        WheelClue wheel;
        wheel.Centre = static_cast<CellRef>(n[0]);
        for (int k = 0; k < 4; ++k) {
          if (!InRange(n[1 + k], 0, kMaxWidth, "wheel value"))
            return;
          wheel.Values[k] = static_cast<int16_t>(n[1 + k]);
        }
        wheel.Rotation = static_cast<int16_t>(n[5]);
        l.Wheels.Append(wheel);
        flag(kVarWheel);
      }
      return;
    case kEquality:
      if (Numbers(line, 1, n) && AreCells(n, 0, n.size()) && Room(l.Equality, "Equality groups")) {
        EqualityGroup group;
        CopyCells(group.Cells, group.NCells, n, 0);
        l.Equality.Append(group);
        flag(kVarEquality);
      }
      return;
    case kCreasing:
      if (Numbers(line, 1, n) && AtLeast(n, 1, "a creasing line") && InRange(n[0], 0, 3, "kind") &&
          AreCells(n, 1, n.size() - 1) && Room(l.Creasing, "Creasing lines")) {
        CreasingLine crease;
        crease.Kind = static_cast<int16_t>(n[0]);
        CopyCells(crease.Cells, crease.NCells, n, 1);
        l.Creasing.Append(crease);
        flag(kVarCreasingLines);
      }
      return;
    case kNavigator:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a Navigator arrow") && IsCell(n[0]) &&
          InRange(n[1], 0, 11, "direction") && Room(l.Navigator, "Navigator arrows")) {
        l.Navigator.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(n[1])});
        flag(kVarNavigator);
      }
      return;
    case kChess:
      if (Numbers(line, 1, n) && AtLeast(n, 3, "a chess piece") && IsCell(n[0]) &&
          InRange(n[1], 0, 5, "piece") && InRange(n[2], 0, 1, "colour") && Room(l.Chess, "Chess pieces")) {
        l.Chess.Append({static_cast<CellRef>(n[0]), static_cast<int16_t>(n[1]), static_cast<int16_t>(n[2])});
        flag(kVarChess);
      }
      return;
    case kMagicSquare:
      if (Numbers(line, 1, n) && AreCells(n, 0, n.size()) && Room(l.MagicSquares, "Magic Squares")) {
        MagicSquareClue square;
        CopyCells(square.Cells, square.NCells, n, 0);
        l.MagicSquares.Append(square);
        flag(kVarMagicSquare);
      }
      return;
    case kTwinsRelation: {
      int16_t partner = -1;
      if (Numbers(line, 1, n) && AtLeast(n, 4, "a Twins Relation link") && AreCells(n, 0, 2) &&
          PartnerSlot(n[2], n[3], partner) && Room(l.TwinsRelation, "Twins Relation links")) {
        l.TwinsRelation.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), partner});
        flag(kVarTwinsRelation);
      }
      return;
    }
    case kTwinsZone: {
      int16_t partner = -1;
      if (Numbers(line, 1, n) && AtLeast(n, 4, "a Twins Zone link") &&
          InRange(n[0], 0, geo_.GridWidth - 1, "block") && InRange(n[1], 0, geo_.GridWidth - 1, "block") &&
          PartnerSlot(n[2], n[3], partner) && Room(l.TwinsZone, "Twins Zone links")) {
        l.TwinsZone.Append({static_cast<int16_t>(n[0]), static_cast<int16_t>(n[1]), partner});
        flag(kVarTwinsZone);
      }
      return;
    }
    case kTwinsDifferent:
    case kTwinsEqual:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a twins line") && PartnerSlot(n[0], n[1], l.TwinsPartner))
        flag(kind == kTwinsEqual ? kVarTwinsEqual : kVarTwinsDifferent);
      return;
    case kTwinsSubstitution: {
      const size_t width = static_cast<size_t>(geo_.GridWidth);
      if (!Numbers(line, 1, n) || !AtLeast(n, width + 2, "a substitution table"))
        return;
      for (size_t v = 0; v < width; ++v)
        if (!InRange(n[v], -1, kMaxWidth - 1, "substitute"))
          return;
      if (!PartnerSlot(n[width], n[width + 1], l.TwinsPartner))
        return;
      for (size_t v = 0; v < width; ++v)
        grid.SubstitutionMap[v] = static_cast<int8_t>(n[v]);
      l.SubstitutionOwner = 1;
      return flag(kVarTwinsSubstitution);
    }
    case kTwinsTotal:
      return flag(kVarTwinsTotal);
    case kHiddenRule:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a hidden rule") &&
          InRange(n[0], 0, 0x7FFFFFFF, "rule word") && InRange(n[1], 0, 0x7FFFFFFF, "rule word")) {
        l.HiddenRule = {static_cast<uint32_t>(n[0]), static_cast<uint32_t>(n[1])};
        flag(kVarTwinsVariantMasked);
      }
      return;
    case kMultTable:
      if (Numbers(line, 1, n) && AtLeast(n, 4, "a Mult Table item") && AreCells(n, 0, 4) &&
          Room(l.MultTable, "Mult Table items")) {
        MultTableItem item;
        for (int k = 0; k < 4; ++k)
          item.Cells[k] = static_cast<CellRef>(n[k]);
        l.MultTable.Append(item);
        flag(kVarMultTable);
      }
      return;
    case kPirate:
      return flag(kVarPirate);
    case kMasterMind:
      return MasterMind(line);
    case kTwinsMultiple:
      if (Numbers(line, 1, n) && AtLeast(n, 2, "a Twins Relation Multiple group") &&
          InRange(n[0], 0, 16, "pair count") && InRange(n[1], -1, kMaxGrids - 1, "grid") &&
          AtLeast(n, 2 + 2 * static_cast<size_t>(n[0]), "a Twins Relation Multiple group") &&
          AreCells(n, 2, 2 * static_cast<size_t>(n[0])) &&
          Room(l.TwinsMultiple, "Twins Relation Multiple groups")) {
        TwinsMultipleGroup group;
        group.NCells = static_cast<int16_t>(n[0]);
        group.OtherGrid = static_cast<int16_t>(n[1]);
        for (int k = 0; k < group.NCells; ++k) {
          group.Cells[k] = static_cast<CellRef>(n[2 + 2 * k]);
          group.OtherCells[k] = static_cast<CellRef>(n[3 + 2 * k]);
        }
        l.TwinsMultiple.Append(group);
        flag(kVarTwinsRelationMultiple);
      }
      return;
    case kTwinsSameInLine:
      if (Numbers(line, 1, n) && AtLeast(n, 17, "a Twins Same in Line line") &&
          InRange(n[0], -1, kMaxGrids - 1, "grid")) {
        for (int k = 0; k < 16; ++k)
          if (!InRange(n[1 + k], -1, kMaxWidth, "row clue"))
            return;
        l.SameInLine.PartnerGrid = static_cast<int16_t>(n[0]);
        for (int k = 0; k < 16; ++k)
          l.SameInLine.RowClue[k] = static_cast<int16_t>(n[1 + k]);
        flag(kVarTwinsSameInLine);
      }
      return;
    case kSpareWordSet:
      stage_.SpareWord = true;
      return;
    case kNoKnightStep:
      return flag(kVarNoKnightStep);
    case kTouchy:
      return flag(kVarTouchy);
    case kNo3OddEven:
      return flag(kVarNo3OddEven);
    case kNoAverage:
      return flag(kVarNoAverage);
    case kGiveMe5:
      return flag(kVarGiveMe5);
    case kSurprise:
      if (Numbers(line, 1, n) && AtLeast(n, 4, "a surprise") && IsCell(n[0])) {
        StagedCell &cell = grid.Cells[n[0]];
        cell.SurpriseKind = n[1];
        cell.SurpriseAmount = n[2];
        cell.SurpriseWord = n[3];
      }
      return;
    default:
      Warn("a line beginning \"" + Latin1ToUtf8(line.substr(0, 1)) + "\" means nothing here and is left out");
    }
  }

  // A profile is named, never located: a name that leaves the profile folder is refused.
  void Profile(const std::string &name) {
    const bool plain = !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." &&
                       name.find("..") == std::string::npos;
    if (plain)
      stage_.Info.ProfileName = name;
    else
      Warn("the profile \"" + name + "\" is not a plain name in the profile folder and is ignored");
  }

  void Comparison(char kind, const std::string &line) {
    static constexpr std::pair<char, int16_t> kKinds[] = {
        {kCompX, 2},    {kCompV, 3},     {kCompConsecutive, 4}, {kCompRatio, 5},
        {kCompSumN, 6}, {kCompDiffN, 7}, {kCompLess, 9},        {kCompGreater, 8}};
    int16_t markKind = 8;
    for (const auto &[letter, code] : kKinds)
      if (kind == letter)
        markKind = code;
    std::vector<int32_t> n;
    VariantLists &l = Lists();
    if (!Numbers(line, 1, n) || !AtLeast(n, 2, "a comparison mark") || !AreCells(n, 0, 2) ||
        !Room(l.Comparisons, "Comparison marks"))
      return;
    const bool needsTotal = markKind == 6 || markKind == 7;
    if (needsTotal && !AtLeast(n, 3, "a sum or difference mark"))
      return;
    l.Comparisons.Append({static_cast<CellRef>(n[0]), static_cast<CellRef>(n[1]), markKind});
    if (needsTotal)
      l.ComparisonTotal = n[2];
    Grid().Var |= markKind <= 3 ? kVarXV : markKind <= 7 ? kVarDot : kVarLess;
  }

  // A cage: its total, then at most ten cells; a cell off the grid is not stored and -1 ends
  // the list. A total of 0 is the sum (or product) of the solution values of its cells.
  void Cage(bool product, const std::string &line) {
    std::vector<int32_t> n;
    VariantLists &l = Lists();
    if (!Numbers(line, 1, n, true) || !AtLeast(n, 1, "a cage") || !Room(l.Killer, "Killer cages"))
      return;
    KillerCage cage;
    cage.IsProduct = product ? 1 : 0;
    for (size_t k = 1; k < n.size() && n[k] != -1 && cage.NCells < kMaxCageCells; ++k)
      if (n[k] >= 0 && n[k] < geo_.NCells)
        cage.Cells[cage.NCells++] = static_cast<CellRef>(n[k]);
    cage.Target = n[0];
    if (cage.Target == 0 && cage.NCells > 0) {
      int64_t total = product ? 1 : 0;
      for (int k = 0; k < cage.NCells; ++k) {
        const int64_t value = Grid().Cells[cage.Cells[k]].RefValue;
        total = product ? total * value : total + value;
      }
      cage.Target = static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
    }
    l.Killer.Append(cage);
    Grid().Var |= product ? kVarKillerProduct : kVarKillerSum;
  }

  // A diagonal from its first to its last cell (LittleKillerRun).
  void LittleKiller(int first, int last, int32_t target) {
    LittleKillerClue clue;
    clue.FirstCell = static_cast<CellRef>(first);
    clue.LastCell = static_cast<CellRef>(last);
    const std::optional<DiagonalRun> run = LittleKillerRun(geo_.GridWidth, first, last);
    if (!run) {
      Fail("cells " + std::to_string(first) + " and " + std::to_string(last) + " are not on one diagonal");
      return;
    }
    const int step = run->Step;
    const int count = run->Count;
    clue.Step = static_cast<int16_t>(step);
    clue.NCells = static_cast<int16_t>(count);
    int32_t sum = 0;
    for (int k = 0; k < count; ++k) {
      clue.Cells[k] = static_cast<CellRef>(first + k * step);
      sum += Grid().Cells[clue.Cells[k]].RefValue;
    }
    clue.Target = target > 0 ? target : sum;
    Lists().LittleKiller.Append(clue);
    Grid().Var |= kVarLittleKiller;
  }

  void Piece(const std::string &line) {
    std::vector<int32_t> n;
    VariantLists &l = Lists();
    if (!Numbers(line, 1, n) || !Room(l.Pieces, "Puzzle pieces"))
      return;
    if (n.size() % 2 != 0 || n.size() > 2 * kMaxPieceDigits) {
      Fail("a piece is at most " + std::to_string(kMaxPieceDigits) + " pairs of a cell and its digit");
      return;
    }
    PuzzlePiece piece;
    for (size_t k = 0; k < n.size(); k += 2) {
      if (!IsCell(n[k]) || !InRange(n[k + 1], 0, kMaxWidth, "digit"))
        return;
      piece.Cells[piece.NCells] = static_cast<CellRef>(n[k]);
      piece.Digits[piece.NCells] = static_cast<int16_t>(n[k + 1]);
      ++piece.NCells;
    }
    l.Pieces.Append(piece);
  }

  void OutsideClue(char letter, const std::string &line) {
    std::vector<int32_t> n;
    VariantLists &l = Lists();
    if (!Numbers(line, 3, n) || !AtLeast(n, 3, "an outside clue") || !InRange(n[0], 0, 3, "side") ||
        !InRange(n[1], 0, geo_.GridWidth - 1, "line") || !InRange(n[2], 0, kMaxWidth, "value"))
      return;
    const int16_t kind = letter == 'S' ? 1 : letter == 'O' ? 2 : 3;
    int16_t &count = l.Outside.Count[n[0]][n[1]];
    if (count >= kMaxWidth)
      return Warn("the outside clue already holds 16 values; the line is left out");
    l.Outside.Values[n[0]][n[1]][count++] = static_cast<int16_t>(n[2]);
    l.Outside.Kind[n[0]][n[1]] = kind;
    Grid().Var |= kind == 1 ? kVarOutside : kind == 2 ? kVarOddview : kVarTransfer;
  }

  void FrameClue(char letter, const std::string &line) {
    static constexpr std::pair<char, int16_t> kKinds[] = {{'S', 1}, {'P', 2}, {'Y', 3}, {'M', 6}, {'U', 4}};
    int16_t kind = 5;
    for (const auto &[kindLetter, code] : kKinds)
      if (letter == kindLetter)
        kind = code;
    std::vector<int32_t> n;
    if (!Numbers(line, 3, n) || !AtLeast(n, 3, "a frame clue") || !InRange(n[0], 0, 3, "side") ||
        !InRange(n[1], 0, geo_.GridWidth - 1, "line"))
      return;
    FrameClues &frame = Lists().Frame;
    frame.Kind[n[0]][n[1]] = kind;
    frame.Value[n[0]][n[1]] = n[2];
    Grid().Var |= kind == 1   ? kVarFrameSum
                  : kind == 2 ? kVarFrameProduct
                  : kind == 3 ? kVarSkyScraper
                  : kind == 6 ? kVarFrameMax
                              : kVarLastNumber;
  }

  // The code, one character per value, then the guess line: its row + 1, one column + 1 per
  // code value, and the black and white counts.
  void MasterMind(const std::string &line) {
    MasterMindClue &mind = Lists().MasterMind;
    // The code's characters run from '0' to '0' + 16, so value 11 is written ';' too: the code
    // ends at the ';' after which the guess line's count of numbers fits the code's length.
    size_t separator = line.find(';');
    if (separator == std::string::npos)
      return (void)Fail("a MasterMind line needs its code and \";\"");
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
      return (void)Fail("a MasterMind code holds at most 16 values");
    for (char c : code)
      if (!InRange(c - '0', 0, kMaxWidth, "code value"))
        return;
    std::vector<int32_t> n;
    if (!Numbers(line, separator + 1, n) || !AtLeast(n, code.size() + 3, "a MasterMind line") ||
        !Room(mind.Lines, "MasterMind lines"))
      return;
    mind.CodeLength = static_cast<int16_t>(code.size());
    for (size_t k = 0; k < code.size(); ++k)
      mind.Code[k] = static_cast<int16_t>(code[k] - '0');
    MasterMindGuess guess;
    guess.Row = static_cast<int16_t>(std::clamp(n[0] - 1, -1, kMaxWidth));
    for (size_t k = 0; k < code.size(); ++k)
      guess.Columns[k] = static_cast<int16_t>(std::clamp(n[1 + k] - 1, -1, kMaxWidth));
    guess.Black = static_cast<int16_t>(std::clamp(n[1 + code.size()], -1, kMaxWidth));
    guess.White = static_cast<int16_t>(std::clamp(n[2 + code.size()], -1, kMaxWidth));
    mind.Lines.Append(guess);
    Grid().Var |= kVarMasterMind;
  }

  const GridGeometry &geo_;
  int slot_;
  TextGridStage &stage_;
  int lineNumber_ = 0;
  bool awaitingSentenceLetters_ = false;
  std::string error_;
};

} // namespace

std::string ParseTextGrid(const std::vector<std::string> &lines, size_t firstLine, const GridGeometry &geo,
                          int firstSlot, TextGridStage &stage) {
  Parser parser(geo, firstSlot, stage);
  parser.Parse(lines, firstLine);
  return parser.Error();
}

} // namespace quorbel
