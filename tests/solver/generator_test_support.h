// Shared builders for the generator tests: solved grids made without the generator (a
// known 9x9 solution relabelled and shuffled within its bands and stacks), grids whose
// cells all wait for the carving, and the trace lines of the pattern checks.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "platform/random.h"
#include "solver/carving_patterns.h"
#include "tests/solver/search_test_support.h"

namespace quorbel::test {

// kSolvedNine with its digits relabelled, its rows and columns shuffled within their bands
// and stacks, its bands and stacks shuffled, and transposed on odd seeds: still a solution.
inline std::string ShuffledNine(uint32_t seed) {
  Random15 random(seed);
  const auto shuffle = [&](std::vector<int> &items) {
    for (int i = static_cast<int>(items.size()) - 1; i > 0; --i)
      std::swap(items[i], items[random.Next() % (i + 1)]);
  };
  const auto lineOrder = [&] {
    std::vector<int> bands = {0, 1, 2};
    shuffle(bands);
    std::vector<int> order;
    for (int band : bands) {
      std::vector<int> lines = {0, 1, 2};
      shuffle(lines);
      for (int line : lines)
        order.push_back(3 * band + line);
    }
    return order;
  };
  std::vector<int> digits(9);
  std::iota(digits.begin(), digits.end(), 1);
  shuffle(digits);
  const std::vector<int> rows = lineOrder();
  const std::vector<int> cols = lineOrder();
  const bool transpose = seed % 2 == 1;
  std::string out(81, '0');
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      const int from = transpose ? cols[c] * 9 + rows[r] : rows[r] * 9 + cols[c];
      out[r * 9 + c] = static_cast<char>('0' + digits[kSolvedNine[from] - '1']);
    }
  return out;
}

// Loads a complete line into main grid 0 and makes every cell undecided, as the carving
// does before its pattern stage.
inline GridRecord &LoadUndecided(EngineContext &ctx, const std::string &line) {
  GridRecord &grid = LoadGrid(ctx, line);
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    grid.Cells[c].Status = kCarveUndecided;
  return grid;
}

inline int CountStatus(const EngineContext &ctx, const GridRecord &grid, int status) {
  int n = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    n += grid.Cells[c].Status == status ? 1 : 0;
  return n;
}

// The cells of every "Find ..." line of a trace: the numbers between "(" and ")" after ":c=".
inline std::vector<std::vector<int>> TracedSets(const std::string &trace) {
  std::vector<std::vector<int>> sets;
  std::istringstream in(trace);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Find ", 0) != 0)
      continue;
    const size_t open = line.find('(', line.find(":c="));
    const size_t close = line.find(')', open);
    std::string cells = line.substr(open + 1, close - open - 1);
    std::replace(cells.begin(), cells.end(), '-', ' ');
    std::istringstream numbers(cells);
    std::vector<int> set;
    for (int cell; numbers >> cell;)
      set.push_back(cell);
    sets.push_back(set);
  }
  return sets;
}

} // namespace quorbel::test
