// The text grid's body: its cell lines and the order of its grids; each other line is read by
// the row of its kind (text_grid_lines).
#include "files/text_grid_parser.h"

#include <charconv>

#include "engine/grid_set.h"
#include "engine/puzzle_pieces.h"
#include "files/clue_shapes.h"
#include "files/latin1_text.h"
#include "files/sud_file_cells.h"
#include "files/text_grid_lines.h"

namespace quorbel {

std::string_view TrimTextField(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

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
  text = TrimTextField(text);
  if (!text.empty() && text.front() == '+')
    text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

namespace {

using namespace text_grid;

// Reads one text grid body after another: the cell lines and the grids' order here, every
// other line through the row of its kind; the first failure stops it with its line.
class Parser {
public:
  Parser(const GridGeometry &geo, int firstSlot, TextGridStage &stage)
      : geo_(geo), in_(geo, firstSlot, stage) {
    StartGrid(false);
  }

  std::string Parse(const std::vector<std::string> &lines, size_t firstLine) {
    for (size_t i = firstLine; i < lines.size() && in_.Error().empty(); ++i) {
      in_.StartLine(static_cast<int>(i) + 1);
      ParseLine(lines[i]);
    }
    if (!in_.Error().empty())
      return in_.Error();
    if (in_.Grid().CellLines < geo_.NCells) {
      // The grid cut short is the last one begun.
      const int number = in_.FirstSlot() + static_cast<int>(in_.Stage().Grids.size());
      return "the text ends after " + std::to_string(in_.Grid().CellLines) + " of the " +
             std::to_string(geo_.NCells) + " cell lines of grid " + std::to_string(number);
    }
    FinishGrid();
    return in_.Error();
  }

private:
  void StartGrid(bool linked) {
    TextGridStage &stage = in_.Stage();
    if (in_.FirstSlot() + static_cast<int>(stage.Grids.size()) >= kMaxGrids) {
      in_.Fail("a set holds at most " + std::to_string(kMaxGrids) + " grids");
      return;
    }
    StagedTextGrid &grid = stage.Grids.emplace_back();
    grid.Linked = linked;
    grid.Cells.resize(static_cast<size_t>(geo_.NCells));
  }

  // The rules whose clues a grid's lines imply without a line of their own.
  void FinishGrid() {
    StagedTextGrid &grid = in_.Grid();
    // The same shapes a grid file must hold, so that a text grid read here saves and reopens.
    if (const std::string problem = CheckClueShapes(geo_.GridWidth, *grid.Lists); !problem.empty()) {
      in_.Fail(problem);
      return;
    }
    FillUnsetTotals(grid);
    if (grid.RegionLines && !grid.RegionCount)
      grid.Var |= kVarIrregular;
    if (grid.Lists->Pieces.Size() > 0 && !Meets(grid.Var, kVarTiled | kVarBattleShip))
      grid.Var |= kVarPuzzle;
    if (Meets(grid.Var, kVarTiled))
      MarkPieceCorners(geo_, *grid.Lists);
  }

  void ParseLine(const std::string &line) {
    if (TrimTextField(line).empty())
      return;
    if (const TextLineReader::NextLine next = in_.TakeNextLine()) {
      next(in_, line);
      return;
    }
    char kind = line[0];
    if (kind >= 'a' && kind <= 'z')
      kind = static_cast<char>(kind - 'a' + 'A');
    if (kind == kCommentLine)
      return;
    if (in_.Grid().CellLines < geo_.NCells) {
      CellLine(line);
      return;
    }
    if (kind == kNextGrid || kind == kNextLinkedGrid) {
      FinishGrid();
      StartGrid(kind == kNextLinkedGrid);
      return;
    }
    if (const TextLineKind *row = FindTextLineKind(kind))
      row->Read(*row, in_, kind, line);
    else
      in_.Warn("a line beginning \"" + Latin1ToUtf8(line.substr(0, 1)) +
               "\" means nothing here and is left out");
  }

  void CellLine(const std::string &line) {
    std::string_view text = line;
    const bool reference = text[0] == kReferenceValue || text[0] == 'r';
    if (reference)
      text.remove_prefix(1);
    const auto value = ParseTextInt(text);
    if (!value) {
      in_.Fail("a cell line holds a number, after \"R\" for a solution value");
      return;
    }
    StagedTextGrid &grid = in_.Grid();
    StagedCell &cell = grid.Cells[grid.CellLines++];
    // A grid after the main grids holds the Twins Total sums, which run past the symbols.
    const int ceiling = grid.Linked ? SumsGridCeiling(geo_) : geo_.GridWidth;
    const int32_t v = *value >= 1 && *value <= ceiling ? static_cast<int32_t>(*value) : 0;
    if (v == 0)
      return;
    cell.RefValue = v;
    cell.RefStatus = reference ? kStatusHypothesis : kStatusFixed;
    if (!reference)
      cell.Value = v;
  }

  const GridGeometry &geo_;
  TextLineReader in_;
};

} // namespace

std::string ParseTextGrid(const std::vector<std::string> &lines, size_t firstLine, const GridGeometry &geo,
                          int firstSlot, TextGridStage &stage) {
  return Parser(geo, firstSlot, stage).Parse(lines, firstLine);
}

} // namespace quorbel
