// The places of every value in one block at once, as the Probables method reads them: how
// many open cells hold each value (counters kept as bit masks, one bit per value) and on
// which rows and columns they lie. The method and the classic search share this reading.
#pragma once

#include <array>
#include <cstdint>

#include "engine/value_mask.h"

namespace quorbel {

struct BlockPlaces {
  // Per value bit: seen once, twice, three times, or more.
  uint32_t Once = 0, Twice = 0, Thrice = 0, More = 0;
  // Per row and per column (numbered by the caller from 0): the values of the block's open
  // cells there.
  std::array<uint32_t, kMaxWidth> Rows{}, Cols{};

  // One open cell of the block, with its candidates.
  void Add(uint32_t values, int row, int col) {
    const uint32_t once = Once, twice = Twice, thrice = Thrice;
    More |= thrice & values;
    Thrice = (thrice & ~values) | (twice & values);
    Twice = (twice & ~values) | (once & values);
    Once = (once & ~values) | (values & ~(once | twice | thrice | More));
    Rows[row] |= values;
    Cols[col] |= values;
  }

  // One or two places make a value probable there.
  uint32_t Probable() const { return Once | Twice; }
  // Values whose two or three places lie on one row (column) of the first `lines`: the
  // block takes the line's value, so it leaves the line's cells outside the block.
  uint32_t OnOneRow(int lines) const { return OnOneLineOnly(Rows, lines) & (Twice | Thrice); }
  uint32_t OnOneCol(int lines) const { return OnOneLineOnly(Cols, lines) & (Twice | Thrice); }

private:
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
