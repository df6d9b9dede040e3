// The six pattern checks. Each walks the solution for sets of cells whose values can be
// exchanged while every unit keeps its values; the exchange is tested on every unit the
// set touches (rows, columns, the grid's own blocks, diagonals and extra regions), so a set
// found is unavoidable whatever the block shape.
#include "solver/carving_patterns.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "engine/engine_context.h"
#include "platform/random.h"
#include "solver/carving_trace.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kNone = -1;
constexpr int kRegionUnits = 4; // diagonal 1, diagonal 2, extra 1, extra 2
constexpr int kMaxUnits = 3 * kMaxWidth + kRegionUnits;
constexpr int kSixCells = 6;

using PositionTable = std::array<std::array<int16_t, kMaxWidth + 1>, kMaxWidth>;

class PatternFinder {
public:
  PatternFinder(EngineContext &ctx, GridRecord &grid, bool rows, int &kept, CarvingTrace &trace)
      : ctx_(ctx), geo_(ctx.Geo), grid_(grid), rows_(rows), width_(ctx.Geo.GridWidth), kept_(kept),
        trace_(trace) {
    for (auto *table : {&linePos_, &crossCell_, &blockCell_})
      for (auto &row : *table)
        row.fill(kNone);
    for (int cell = 0; cell < geo_.NCells; ++cell) {
      const int v = Value(cell);
      if (v < 1 || v > width_)
        continue;
      linePos_[LineOf(cell)][v] = static_cast<int16_t>(CrossOf(cell));
      crossCell_[CrossOf(cell)][v] = static_cast<int16_t>(cell);
      const int block = Block(cell);
      if (block >= 0 && block < width_)
        blockCell_[block][v] = static_cast<int16_t>(cell);
    }
  }

  int Groups();
  void ThreeLineGroups(int a, int b);
  int ThreeValues();
  int TwoValues();

private:
  int LineCell(int line, int k) const { return rows_ ? geo_.RowCells[line][k] : geo_.ColCells[line][k]; }
  int LineOf(int cell) const { return rows_ ? geo_.RowOfCell[cell] : geo_.ColOfCell[cell]; }
  int CrossOf(int cell) const { return rows_ ? geo_.ColOfCell[cell] : geo_.RowOfCell[cell]; }
  int Value(int cell) const { return grid_.Cells[cell].Value; }
  int Block(int cell) const { return grid_.BlockOfCell[cell]; }
  const char *Side() const { return rows_ ? "H" : "V"; }

  bool AllUndecided(const std::vector<int> &cells) const {
    return std::all_of(cells.begin(), cells.end(),
                       [&](int cell) { return grid_.Cells[cell].Status == kCarveUndecided; });
  }
  int DistinctBlocks(const std::vector<int> &cells) const {
    uint32_t seen = 0;
    for (int cell : cells)
      seen |= 1u << Block(cell);
    return std::popcount(seen);
  }
  bool ExchangeKeepsUnits(const std::vector<int> &cells, const std::vector<int> &newValues) const;

  // A cycle of values between two lines: position k of the first takes the second's value
  // there, which the first holds at the next position. Its cells go in pairs (first line,
  // second line) position by position, with the values the exchange gives them.
  struct LineCycle {
    std::vector<int> Positions;
    std::vector<int> Cells;
    std::vector<int> Exchanged;
    // Blocks the cycle's cells of the first line lie in.
    int FirstLineBlocks(const PatternFinder &finder) const {
      std::vector<int> first;
      for (size_t i = 0; i < Cells.size(); i += 2)
        first.push_back(Cells[i]);
      return finder.DistinctBlocks(first);
    }
  };
  // Calls found(cycle) for every cycle between lines a and b.
  template <typename Found> void ForEachCycle(int a, int b, Found found);
  // The smallest set of positions around k0 where lines a, b and c hold the same values.
  std::vector<int> ThreeLineClosure(int a, int b, int c, int k0) const;

  // While the budget lasts, cells[pick] becomes kept. Returns the cell kept last.
  int KeepOne(const std::vector<int> &cells, int pick) {
    if (kept_ > 0) {
      grid_.Cells[cells[pick]].Status = kCarveKept;
      --kept_;
      lastKept_ = cells[pick];
    }
    return lastKept_;
  }
  void TraceChain(const char *name, int keptCell, const std::vector<int> &cells) {
    trace_.Write("Find %s%s (%d):c=%d (", name, Side(), kept_, keptCell);
    for (int cell : cells)
      trace_.Write("%d-", cell);
    trace_.Write(")\n");
  }
  void TraceSix(const char *name, int keptCell, const std::vector<int> &c) {
    trace_.Write("Find %s%s (%d):c=%d (%d-%d-%d-%d-%d-%d)\n", name, Side(), kept_, keptCell, c[0], c[1], c[2],
                 c[3], c[4], c[5]);
  }

  EngineContext &ctx_;
  const GridGeometry &geo_;
  GridRecord &grid_;
  bool rows_;
  int width_;
  int &kept_;
  CarvingTrace &trace_;
  int lastKept_ = kNone;
  PositionTable linePos_;   // [line][v]: the position of v along the line
  PositionTable crossCell_; // [cross line][v]: the cell holding v
  PositionTable blockCell_; // [block][v]: the cell holding v
};

bool PatternFinder::ExchangeKeepsUnits(const std::vector<int> &cells,
                                       const std::vector<int> &newValues) const {
  std::array<uint32_t, kMaxUnits> lost{};
  std::array<uint32_t, kMaxUnits> gained{};
  std::array<int, kMaxUnits> count{};
  const auto touch = [&](int unit, uint32_t before, uint32_t after) {
    lost[unit] |= before;
    gained[unit] |= after;
    ++count[unit];
  };
  for (size_t i = 0; i < cells.size(); ++i) {
    const int cell = cells[i];
    const uint32_t before = ValueBit(Value(cell));
    const uint32_t after = ValueBit(newValues[i]);
    touch(geo_.RowOfCell[cell], before, after);
    touch(width_ + geo_.ColOfCell[cell], before, after);
    touch(2 * width_ + Block(cell), before, after);
    for (int k = 0; k < kRegionUnits; ++k)
      if (grid_.RegionMark[k][cell] == k)
        touch(3 * width_ + k, before, after);
  }
  for (int unit = 0; unit < 3 * width_ + kRegionUnits; ++unit)
    if (count[unit] > 0 && (lost[unit] != gained[unit] || std::popcount(gained[unit]) != count[unit]))
      return false;
  return true;
}

template <typename Found> void PatternFinder::ForEachCycle(int a, int b, Found found) {
  std::array<bool, kMaxWidth> seen{};
  LineCycle cycle;
  for (int k0 = 0; k0 < width_; ++k0) {
    if (seen[k0])
      continue;
    cycle.Positions.clear();
    int k = k0;
    bool closed = false;
    while (!seen[k]) {
      seen[k] = true;
      cycle.Positions.push_back(k);
      const int next = linePos_[a][Value(LineCell(b, k))];
      if (next == kNone)
        break;
      if (next == k0) {
        closed = true;
        break;
      }
      k = next;
    }
    if (!closed)
      continue;
    cycle.Cells.clear();
    cycle.Exchanged.clear();
    for (int p : cycle.Positions) {
      cycle.Cells.insert(cycle.Cells.end(), {LineCell(a, p), LineCell(b, p)});
      cycle.Exchanged.insert(cycle.Exchanged.end(), {Value(LineCell(b, p)), Value(LineCell(a, p))});
    }
    found(cycle);
  }
}

std::vector<int> PatternFinder::ThreeLineClosure(int a, int b, int c, int k0) const {
  std::vector<int> positions = {k0};
  std::array<bool, kMaxWidth> in{};
  in[k0] = true;
  const std::array<int, 3> lines = {a, b, c};
  for (bool grown = true; grown;) {
    grown = false;
    std::array<uint32_t, 3> held{};
    for (int k : positions)
      for (int i = 0; i < 3; ++i)
        held[i] |= ValueBit(Value(LineCell(lines[i], k)));
    for (int i = 0; i < 3; ++i) {
      const uint32_t missing = (held[(i + 1) % 3] | held[(i + 2) % 3]) & ~held[i];
      for (int v = 1; v <= width_; ++v) {
        const int k = (missing & ValueBit(v)) != 0 ? linePos_[lines[i]][v] : kNone;
        if (k != kNone && !in[k]) {
          in[k] = true;
          positions.push_back(k);
          grown = true;
        }
      }
    }
  }
  return positions;
}

// The T form: three lines holding the same values at a few positions, in at most three
// blocks per line, the values rotated among the lines.
void PatternFinder::ThreeLineGroups(int a, int b) {
  std::vector<int> cells;
  for (int c = b + 1; c < width_; ++c) {
    std::array<bool, kMaxWidth> covered{};
    for (int k0 = 0; k0 < width_; ++k0) {
      if (covered[k0])
        continue;
      const std::vector<int> positions = ThreeLineClosure(a, b, c, k0);
      for (int k : positions)
        covered[k] = true;
      if (static_cast<int>(positions.size()) >= width_)
        continue;
      cells.clear();
      std::vector<int> forward, backward, lineA;
      for (int k : positions) {
        const int ca = LineCell(a, k), cb = LineCell(b, k), cc = LineCell(c, k);
        cells.insert(cells.end(), {ca, cb, cc});
        forward.insert(forward.end(), {Value(cb), Value(cc), Value(ca)});
        backward.insert(backward.end(), {Value(cc), Value(ca), Value(cb)});
        lineA.push_back(ca);
      }
      if (!AllUndecided(cells) || DistinctBlocks(lineA) > 3 ||
          (!ExchangeKeepsUnits(cells, forward) && !ExchangeKeepsUnits(cells, backward)))
        continue;
      const int position = RandomBelow(ctx_.Random, static_cast<int>(positions.size()));
      const int line = RandomBelow(ctx_.Random, 3);
      TraceChain("TGroup", KeepOne(cells, 3 * position + line), cells);
    }
  }
}

// Two lines whose values along a cycle of positions lie in at most two blocks per line; and
// the T form.
int PatternFinder::Groups() {
  for (int a = 0; a < width_; ++a) {
    if (ctx_.Host->PollUserAbort())
      return kSolveCancelled;
    for (int b = a + 1; b < width_; ++b) {
      ForEachCycle(a, b, [&](const LineCycle &cycle) {
        if (!AllUndecided(cycle.Cells) || cycle.FirstLineBlocks(*this) > 2 ||
            !ExchangeKeepsUnits(cycle.Cells, cycle.Exchanged))
          return;
        const int position = RandomBelow(ctx_.Random, static_cast<int>(cycle.Positions.size()));
        const int line = RandomBelow(ctx_.Random, 2);
        TraceChain("Group", KeepOne(cycle.Cells, 2 * position + line), cycle.Cells);
      });
      ThreeLineGroups(a, b);
    }
  }
  return 1;
}

// Two lines exchanging three values at three positions in three different blocks.
int PatternFinder::ThreeValues() {
  for (int a = 0; a < width_; ++a) {
    if (ctx_.Host->PollUserAbort())
      return kSolveCancelled;
    for (int b = a + 1; b < width_; ++b) {
      ForEachCycle(a, b, [&](const LineCycle &cycle) {
        if (cycle.Positions.size() != 3 || !AllUndecided(cycle.Cells) || cycle.FirstLineBlocks(*this) != 3 ||
            !ExchangeKeepsUnits(cycle.Cells, cycle.Exchanged))
          return;
        const int member = RandomBelow(ctx_.Random, 2);
        const int pair = RandomBelow(ctx_.Random, 3);
        TraceSix("2Vin3", KeepOne(cycle.Cells, 2 * pair + member), cycle.Cells);
      });
    }
  }
  return 1;
}

// Two values x and y, paired on one line inside each of three blocks, the pairs chained
// through the crossing lines: exchanging x and y keeps every unit.
int PatternFinder::TwoValues() {
  std::vector<int> cells;
  std::vector<int> swapped;
  for (int u = 0; u < width_; ++u) {
    if (ctx_.Host->PollUserAbort())
      return kSolveCancelled;
    for (int x = 1; x <= width_; ++x) {
      for (int y = x + 1; y <= width_; ++y) {
        int xCell = blockCell_[u][x];
        int yCell = blockCell_[u][y];
        if (xCell == kNone || yCell == kNone || LineOf(xCell) != LineOf(yCell))
          continue;
        cells = {xCell, yCell};
        bool chained = true;
        for (int pair = 1; pair < 3 && chained; ++pair) {
          xCell = crossCell_[CrossOf(yCell)][x];
          const int line = xCell == kNone ? kNone : LineOf(xCell);
          const int k = line == kNone ? kNone : linePos_[line][y];
          yCell = k == kNone ? kNone : LineCell(line, k);
          chained = yCell != kNone && Block(yCell) == Block(xCell);
          if (chained)
            cells.insert(cells.end(), {xCell, yCell});
        }
        chained = chained && CrossOf(yCell) == CrossOf(cells[0]);
        if (!chained || cells.size() != kSixCells)
          continue;
        const std::vector<int> pairCells = {cells[0], cells[2], cells[4]};
        if (DistinctBlocks(pairCells) != 3 ||
            std::min({Block(cells[0]), Block(cells[2]), Block(cells[4])}) != u)
          continue;
        swapped.clear();
        for (int cell : cells)
          swapped.push_back(Value(cell) == x ? y : x);
        if (!AllUndecided(cells) || !ExchangeKeepsUnits(cells, swapped))
          continue;
        const int member = RandomBelow(ctx_.Random, 2);
        const int pair = RandomBelow(ctx_.Random, 3);
        TraceSix("3Vin2", KeepOne(cells, 2 * pair + member), cells);
      }
    }
  }
  return 1;
}

} // namespace

std::string_view PatternCheckStage(PatternCheck check) {
  switch (check) {
  case PatternCheck::LineGroups:
    return "check with line form N values, in 2 blocks or in T blocks";
  case PatternCheck::ColumnGroups:
    return "check with column form N values, in 2 blocks or in T blocks";
  case PatternCheck::LineThreeValues:
    return "check with line form 3 values in 2 column 3 blocks";
  case PatternCheck::ColumnThreeValues:
    return "check with column form 3 values in 2 lines 3 blocks";
  case PatternCheck::LineTwoValues:
    return "check with line form 2 values in 3 blocks";
  case PatternCheck::ColumnTwoValues:
    return "check with column form 2 values in 3 blocks";
  }
  return {};
}

int RunPatternCheck(EngineContext &ctx, GridRecord &grid, PatternCheck check, int &kept,
                    CarvingTrace &trace) {
  const bool rows = check == PatternCheck::LineGroups || check == PatternCheck::LineThreeValues ||
                    check == PatternCheck::LineTwoValues;
  PatternFinder finder(ctx, grid, rows, kept, trace);
  switch (check) {
  case PatternCheck::LineGroups:
  case PatternCheck::ColumnGroups:
    return finder.Groups();
  case PatternCheck::LineThreeValues:
  case PatternCheck::ColumnThreeValues:
    return finder.ThreeValues();
  case PatternCheck::LineTwoValues:
  case PatternCheck::ColumnTwoValues:
    return finder.TwoValues();
  }
  return 1;
}

} // namespace quorbel
