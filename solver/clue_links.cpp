#include "solver/clue_links.h"

#include <algorithm>

#include "engine/grid_record.h"
#include "engine/propagate.h"
#include "engine/sum_rules.h"

namespace quorbel {

namespace {

// The clue's cells as its check reads them; empty when one lies off the grid, which the check
// then passes over.
std::span<const CellRef> CellsRead(const GridGeometry &geo, const LittleKillerClue &clue, bool &offGrid) {
  const auto cells = std::span(clue.Cells).first(static_cast<size_t>(std::clamp<int>(clue.NCells, 0, 16)));
  offGrid = std::any_of(cells.begin(), cells.end(), [&](CellRef c) { return c < 0 || c >= geo.NCells; });
  return cells;
}

enum LineKind : int { kSkyScraper = 3, kLastRising = 4, kLastFalling = 5 };

bool ReadBeside(int kind) {
  return kind == 0 || kind == kSkyScraper || kind == kLastRising || kind == kLastFalling;
}

} // namespace

bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid) {
  const VariantLists &lists = grid.Lists;
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < kMaxWidth; ++line)
      if (lists.Outside.Count[side][line] > 0 ||
          (line < geo.GridWidth && !ReadBeside(lists.Frame.Kind[side][line])))
        return false;
  if (lists.LittleKiller.Size() == 0)
    return true;
  if (KimoModulusOf(grid) != 0 || lists.ZeroFlag == 1)
    return false;
  std::array<uint8_t, kMaxCells> through{};
  for (const LittleKillerClue &clue : lists.LittleKiller.Used()) {
    bool offGrid = false;
    const auto cells = CellsRead(geo, clue, offGrid);
    if (offGrid)
      continue;
    for (const CellRef c : cells)
      if (++through[c] > 8)
        return false;
  }
  return true;
}

bool ClueLinks::Build(const GridGeometry &geo, const GridRecord &grid, bool read) {
  std::array<Clue, kMaxClues> clues{};
  int count = 0;
  if (read)
    for (const LittleKillerClue &clue : grid.Lists.LittleKiller.Used()) {
      bool offGrid = false;
      const auto cells = CellsRead(geo, clue, offGrid);
      if (offGrid)
        continue;
      Clue &built = clues[count++];
      built.target = clue.Target;
      built.size = static_cast<int>(cells.size());
      std::copy(cells.begin(), cells.end(), built.cells.begin());
    }
  std::array<Line, kMaxLines> lines{};
  int lineCount = 0;
  const int w = geo.GridWidth;
  const bool beside = read && (grid.GridVar & kSideClueRules).Any(); // as propagation's checks
  for (int side = 0; beside && side < 4; ++side)
    for (int l = 0; l < w; ++l) {
      const int kind = grid.Lists.Frame.Kind[side][l];
      if (kind == 0 || !ReadBeside(kind))
        continue;
      Line &line = lines[lineCount++];
      line.kind = kind;
      line.clue = grid.Lists.Frame.Value[side][l];
      for (int i = 0; i < w; ++i)
        line.cells[i] = static_cast<uint8_t>(PerimeterCell(geo, side, l, i));
    }
  if (count == count_ && std::equal(clues.begin(), clues.begin() + count, clues_.begin()) && w == width_ &&
      lineCount == lineCount_ && std::equal(lines.begin(), lines.begin() + lineCount, lines_.begin()))
    return true;
  width_ = w;
  lineCount_ = lineCount;
  lines_ = lines;
  linesOfCellCount_.fill(0);
  for (int i = 0; i < lineCount_; ++i)
    for (int k = 0; k < w; ++k) {
      const int c = lines_[i].cells[k];
      if (linesOfCellCount_[c] < kMaxLinesOfCell)
        linesOfCell_[c][linesOfCellCount_[c]++] = static_cast<uint8_t>(i);
    }
  count_ = count;
  clues_ = clues;
  cluesOfCellCount_.fill(0);
  for (int i = 0; i < count_; ++i)
    for (int k = 0; k < clues_[i].size; ++k) {
      const int c = clues_[i].cells[k];
      auto &listed = cluesOfCell_[c];
      const auto end = listed.begin() + cluesOfCellCount_[c];
      if (std::find(listed.begin(), end, i) == end && cluesOfCellCount_[c] < kMaxCluesOfCell)
        listed[cluesOfCellCount_[c]++] = static_cast<uint8_t>(i);
    }
  return false;
}

bool ClueLinks::LineHolds(std::span<const uint8_t> value, const Line &line) const {
  const auto cells = std::span(line.cells).first(static_cast<size_t>(width_));
  if (line.kind == kSkyScraper) {
    // Seen before the first open cell: seen at the end. Seen among the decided ones, or open:
    // at most that many at the end. Nothing behind the tallest is seen.
    int seenBeforeOpen = 0;
    int seen = 0;
    int open = 0;
    int highest = 0;
    for (const uint8_t c : cells) {
      const int v = value[c];
      if (v == 0) {
        ++open;
        continue;
      }
      if (v > highest) {
        highest = v;
        ++seen;
        seenBeforeOpen += open == 0 ? 1 : 0;
      }
      if (v == width_)
        break;
    }
    return open == 0 ? seen == line.clue : line.clue >= seenBeforeOpen && line.clue <= seen + open;
  }
  // Last Number: the decided cells before the clue's value (or before the first open cell, when
  // the value is not placed yet) keep rising, or falling, towards it.
  const bool rising = line.kind == kLastRising;
  int previous = rising ? 0 : kMaxWidth + 1;
  for (const uint8_t c : cells) {
    const int v = value[c];
    if (v == 0 || v == line.clue)
      return true;
    if (rising ? v <= previous || v >= line.clue : v >= previous || v <= line.clue)
      return false;
    previous = v;
  }
  return true;
}

bool ClueLinks::HoldOnFull(std::span<const uint8_t> value) const {
  for (int i = 0; i < lineCount_; ++i)
    if (!LineHolds(value, lines_[i]))
      return false;
  for (int i = 0; i < count_; ++i) {
    int total = 0;
    for (int k = 0; k < clues_[i].size; ++k)
      total += value[clues_[i].cells[k]];
    if (total != clues_[i].target)
      return false;
  }
  return true;
}

} // namespace quorbel
