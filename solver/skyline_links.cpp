#include "solver/skyline_links.h"

#include <algorithm>
#include <bit>

#include "engine/grid_record.h"
#include "engine/propagate.h"
#include "engine/value_mask.h"

namespace quorbel {

bool SkylineLinks::Build(const GridGeometry &geo, const GridRecord &grid, bool read) {
  const int width = geo.GridWidth;
  const bool reads = read && width >= 1 && width <= kMaxWidth && Meets(grid.GridVar, kSideClueRules);
  // Most grids have no side clues: nothing to build then.
  if (!reads && count_ == 0)
    return true;
  std::array<Line, kMaxLines> lines{};
  int count = 0;
  if (reads) {
    const FrameClues &frame = grid.Lists.Frame;
    for (int side = 0; side < 4; ++side)
      for (int line = 0; line < width; ++line) {
        const int clue = frame.Value[side][line];
        if (frame.Kind[side][line] != kFrameSkyScraper || clue < 1 || clue > width)
          continue;
        Line &out = lines[count];
        bool inGrid = true;
        for (int i = 0; i < width && inGrid; ++i) {
          const int cell = PerimeterCell(geo, side, line, i);
          inGrid = cell >= 0 && cell < geo.NCells;
          out.cells[i] = static_cast<uint8_t>(inGrid ? cell : 0);
        }
        if (inGrid) {
          out.clue = clue;
          ++count;
        }
      }
  }
  if (width == width_ && count == count_ && std::equal(lines.begin(), lines.begin() + count, lines_.begin()))
    return true;
  width_ = width;
  count_ = count;
  lines_ = lines;
  return false;
}

bool SkylineLinks::HoldOnFull(std::span<const uint8_t> value) const {
  std::array<uint16_t, kMaxCells> none{}; // a full board has no candidates
  const auto narrowed = [](int) { return true; };
  for (int k = 0; k < count_; ++k)
    if (!NarrowLine(lines_[k], value, none, NarrowedRef(narrowed)))
      return false;
  return true;
}

// A walk along the line is in state (highest so far, how many seen), the seen counts of each
// highest held as bits. Forward: the states each prefix can reach; backward: the states from
// which the rest can end with the tallest seen and the clue met. A value stays where it links a
// state of each.
bool SkylineLinks::NarrowLine(const Line &line, std::span<const uint8_t> value, std::span<uint16_t> cand,
                              NarrowedRef narrowed) const {
  const int w = width_;
  using States = std::array<uint32_t, kMaxWidth + 1>; // by highest (0: none yet), seen counts as bits
  std::array<States, kMaxWidth + 1> ahead{};
  std::array<States, kMaxWidth + 1> behind{};
  std::array<uint32_t, kMaxWidth> allowed{};
  for (int p = 0; p < w; ++p) {
    const int c = line.cells[p];
    allowed[p] = value[c] != 0 ? ValueBit(value[c]) : cand[c];
  }
  ahead[0][0] = 1; // nothing seen
  for (int p = 0; p < w; ++p) {
    const States &from = ahead[p];
    States &to = ahead[p + 1];
    for (int m = 0; m <= w; ++m) {
      if (from[m] == 0)
        continue;
      for (uint32_t bits = allowed[p]; bits != 0; bits &= bits - 1) {
        const int v = std::countr_zero(bits) + 1;
        if (v > m)
          to[v] |= from[m] << 1;
        else if (v < m)
          to[m] |= from[m];
      }
    }
  }
  behind[w][w] = 1u << line.clue; // the tallest seen, and `clue` values seen in all
  if ((ahead[w][w] & behind[w][w]) == 0)
    return false;
  for (int p = w - 1; p >= 0; --p) {
    const States &next = behind[p + 1];
    States &here = behind[p];
    uint32_t kept = 0;
    for (int m = 0; m <= w; ++m) {
      const uint32_t reach = ahead[p][m];
      for (uint32_t bits = allowed[p]; bits != 0; bits &= bits - 1) {
        const int v = std::countr_zero(bits) + 1;
        const uint32_t onward = v > m ? next[v] >> 1 : v < m ? next[m] : 0;
        here[m] |= onward;
        if ((reach & onward) != 0)
          kept |= ValueBit(v);
      }
    }
    const int c = line.cells[p];
    if (value[c] != 0)
      continue; // its one value links the two walks, or the check above failed
    if (kept == 0)
      return false;
    if ((cand[c] & ~kept) != 0) {
      cand[c] = static_cast<uint16_t>(cand[c] & kept);
      if (!narrowed(c))
        return false;
    }
  }
  return true;
}

} // namespace quorbel
