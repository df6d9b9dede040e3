// The places of every value in one block at once, as the Probables method reads them: how
// many open cells hold each value (counters kept as bit masks, one bit per value) and on
// which rows and columns they lie. The method and the classic search share this reading.
#pragma once

#include <array>
#include <cstdint>

#include "engine/value_mask.h"

namespace quorbel {

struct BlockPlaces {
  // Per value bit: seen at least once, twice, three times, four times.
  uint32_t AtLeast1 = 0, AtLeast2 = 0, AtLeast3 = 0, AtLeast4 = 0;
  // Per row and per column (numbered by the caller from 0): the values of the block's open
  // cells there.
  std::array<uint32_t, kMaxWidth> Rows{}, Cols{};

  // One open cell of the block, with its candidates.
  void Add(uint32_t values, int row, int col) {
    AtLeast4 |= AtLeast3 & values;
    AtLeast3 |= AtLeast2 & values;
    AtLeast2 |= AtLeast1 & values;
    AtLeast1 |= values;
    Rows[row] |= values;
    Cols[col] |= values;
  }

  // One or two places make a value probable there.
  uint32_t Probable() const { return AtLeast1 & ~AtLeast3; }
  // Values whose two or three places lie on one row (column) of the first `lines`: the
  // block takes the line's value, so it leaves the line's cells outside the block.
  uint32_t OnOneRow(int lines) const { return OnOneLineOnly(Rows, lines) & TwoOrThree(); }
  uint32_t OnOneCol(int lines) const { return OnOneLineOnly(Cols, lines) & TwoOrThree(); }

private:
  uint32_t TwoOrThree() const { return AtLeast2 & ~AtLeast4; }
  static uint32_t OnOneLineOnly(const std::array<uint32_t, kMaxWidth> &lines, int count) {
    uint32_t seen = 0, again = 0;
    for (int line = 0; line < count; ++line) {
      again |= seen & lines[line];
      seen |= lines[line];
    }
    return seen & ~again;
  }
};

} // namespace quorbel
