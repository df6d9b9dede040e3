#include "solver/clue_links.h"

#include <algorithm>
#include <climits>

#include "engine/grid_record.h"
#include "engine/sum_rules.h"
#include "engine/value_mask.h"

namespace quorbel {

namespace {

// The clue's cells as its check reads them; empty when one lies off the grid, which the check
// then passes over.
std::span<const CellRef> CellsRead(const GridGeometry &geo, const LittleKillerClue &clue, bool &offGrid) {
  const auto cells = std::span(clue.Cells).first(static_cast<size_t>(std::clamp<int>(clue.NCells, 0, 16)));
  offGrid = std::any_of(cells.begin(), cells.end(), [&](CellRef c) { return c < 0 || c >= geo.NCells; });
  return cells;
}

} // namespace

bool ClueLinksRead(const GridGeometry &geo, const GridRecord &grid) {
  const VariantLists &lists = grid.Lists;
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
  if (count == count_ && std::equal(clues.begin(), clues.begin() + count, clues_.begin()))
    return true;
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

bool ClueLinks::HoldOnFull(std::span<const uint8_t> value) const {
  for (int i = 0; i < count_; ++i) {
    int total = 0;
    for (int k = 0; k < clues_[i].size; ++k)
      total += value[clues_[i].cells[k]];
    if (total != clues_[i].target)
      return false;
  }
  return true;
}

int ClueLinks::TightestCell(std::span<const uint8_t> value, std::span<const uint16_t> cand) const {
  int best = INT_MAX;
  int chosen = -1;
  for (int i = 0; i < count_; ++i) {
    int choices = 0;
    int fewest = INT_MAX;
    int cell = -1;
    for (int k = 0; k < clues_[i].size; ++k) {
      const int c = clues_[i].cells[k];
      if (value[c] != 0)
        continue;
      const int n = CountBits16(cand[c]);
      choices += n - 1;
      if (n < fewest) {
        fewest = n;
        cell = c;
      }
    }
    // The choices first; between diagonals as free, the one whose cell has fewer candidates.
    constexpr int kCandidateWeight = 100;
    if (cell >= 0 && choices * kCandidateWeight + fewest < best) {
      best = choices * kCandidateWeight + fewest;
      chosen = cell;
    }
  }
  return chosen;
}

} // namespace quorbel
