// The expert's definitions of the rules between two cells.
#include <algorithm>
#include <array>
#include <string>

#include "engine/comparison_editors.h"
#include "engine/grid_services.h"
#include "engine/undo_services.h"
#include "view/clue_definitions.h"

namespace quorbel {

namespace {

constexpr int kXParityMark = 10;
constexpr int kXPair = 2;
// The list holds 240 marks for what files and the generator bring; the commands stop at 80.
constexpr int kComparisonCommandLimit = 80;

bool ComparisonsFull(const GridRecord &grid) {
  return grid.Lists.Comparisons.Size() >= kComparisonCommandLimit || grid.Lists.Comparisons.Full();
}

} // namespace

void ClueDefinitions::FollowComparisonBits() {
  GridRecord &grid = Grid();
  bool xv = false, dot = false, less = false;
  for (const ComparisonMark &mark : grid.Lists.Comparisons.Used()) {
    xv |= mark.Kind == kCompareX || mark.Kind == kCompareV;
    dot |= mark.Kind >= kCompareConsecutive && mark.Kind <= kCompareDifferenceN;
    less |= mark.Kind == kCompareGreater || mark.Kind == kCompareLess;
  }
  SetRuleBit(grid, kVarXV, xv);
  SetRuleBit(grid, kVarDot, dot);
  SetRuleBit(grid, kVarLess, less);
}

void ClueDefinitions::SumMark(int kind) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    Snapshot();
    grid.Lists.Comparisons.Clear();
    FollowComparisonBits();
    Post("Comparison: All removed");
    Finish();
    return;
  }
  if (ComparisonsFull(grid)) {
    Post("Two many Comparison: Not selected");
    return;
  }
  if (cells.size() != 2) {
    Post("Comparison: Bad selection - must be 2 cells");
    return;
  }
  if (!SideBySide(ctx_.Geo, cells[0], cells[1])) {
    Post("Comparison: Bad selection - cells must be in same line or col and contigous");
    return;
  }
  const int a = ReferenceValue(cells[0]);
  const int b = ReferenceValue(cells[1]);
  const int sum = kind == kCompareV ? 5 : 10;
  if (a == 0 || b == 0 || a + b != sum) {
    Post(kind == kCompareV ? "Comparison: Bad cells. Not a sommme of 5"
                           : "Comparison: Bad cells. Not a sommme of 10");
    return;
  }
  Snapshot();
  const bool added = ToggleComparisonMark(ctx_.Geo, cells[0], grid, cells[1], kind) == 1;
  Post(!added ? "Comparison: removed" : kind == kCompareV ? "Comparison: V added" : "Comparison: X added");
  FollowComparisonBits();
  Finish();
}

void ClueDefinitions::LessChain() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    SumMark(kCompareV); // the empty selection clears every comparison alike
    return;
  }
  if (ComparisonsFull(grid)) {
    Post("Two many Comparison: Not selected");
    return;
  }
  bool alongRow = false;
  if (!CellRun(ctx_.Geo, cells, alongRow)) {
    Post("Comparison: Bad selection - must be at minimum 2 cells");
    return;
  }
  Snapshot();
  for (size_t k = 1; k < cells.size(); ++k) {
    const int a = ReferenceValue(cells[k - 1]);
    const int b = ReferenceValue(cells[k]);
    const int kind = a == 0 || b == 0 || a - b < 1 ? kCompareLess : kCompareGreater;
    ToggleComparisonMark(ctx_.Geo, cells[k - 1], grid, cells[k], kind);
  }
  Post("Comparison: > added or removed");
  FollowComparisonBits();
  Finish();
}

void ClueDefinitions::GreaterPair() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    SumMark(kCompareV);
    return;
  }
  if (ComparisonsFull(grid)) {
    Post("Two many Comparison: Not selected");
    return;
  }
  if (cells.size() != 2) {
    Post("Comparison: Bad selection - must be 2 cells");
    return;
  }
  if (!SideBySide(ctx_.Geo, cells[0], cells[1])) {
    Post("Comparison: Bad selection - cells must be in same line or col and contigous");
    return;
  }
  // A value the solution does not know counts as the larger.
  const int a = ReferenceValue(cells[0]);
  const int b = ReferenceValue(cells[1]);
  const int kind = a != 0 && (b == 0 || a < b) ? kCompareLess : kCompareGreater;
  Snapshot();
  const bool added = ToggleComparisonMark(ctx_.Geo, cells[0], grid, cells[1], kind) == 1;
  Post(!added                    ? "Comparison: removed"
       : kind == kCompareGreater ? "Comparison: > added"
                                 : "Comparison: < added");
  FollowComparisonBits();
  Finish();
  Post("Cell status exchange done (value from ref).");
}

void ClueDefinitions::Dot(int &dotKind) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  auto &marks = grid.Lists.Comparisons;
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    SumMark(kCompareV);
    return;
  }
  if (ComparisonsFull(grid)) {
    Post("Two many Comparison: Not selected");
    return;
  }
  bool alongRow = false;
  if (!CellRun(ctx_.Geo, cells, alongRow)) {
    Post("Comparison: Bad selection - must be minimum 2 cells");
    return;
  }
  if (dotKind < kCompareConsecutive || dotKind > kCompareDifferenceN)
    dotKind = kCompareConsecutive;
  Snapshot();
  for (size_t k = 1; k < cells.size(); ++k) {
    const int a = cells[k - 1];
    const int b = cells[k];
    int existing = -1;
    for (int i = 0; i < marks.Size(); ++i)
      if ((marks.Items[i].CellA == a && marks.Items[i].CellB == b) ||
          (marks.Items[i].CellA == b && marks.Items[i].CellB == a))
        existing = i;
    if (existing < 0) {
      Post(ToggleComparisonMark(ctx_.Geo, a, grid, b, dotKind) == 1 ? "Comparison: - added"
                                                                    : "Comparison: removed");
      continue;
    }
    if (marks.Items[existing].Kind == dotKind) {
      ++dotKind;
      if (dotKind == kCompareSumN || dotKind == kCompareDifferenceN) {
        // The dot's N: the first cell's value, or the two cells' values as tens and units.
        const int first = ReferenceValue(a);
        const int second = ReferenceValue(b);
        if (first == 0 && grid.Lists.ComparisonTotal < 0) {
          Post("Comparison Removed (for DOT3-4 Dot Val to be defined in first cell)");
          marks.RemoveAt(existing);
          dotKind = kCompareConsecutive;
          break;
        }
        if (first != 0)
          grid.Lists.ComparisonTotal = second != 0 ? 10 * first + second : first;
      }
    }
    if (dotKind <= kCompareDifferenceN) {
      marks.Items[existing].Kind = static_cast<int16_t>(dotKind);
      Post("Comparison: - Updated");
    } else {
      marks.RemoveAt(existing);
      dotKind = kCompareConsecutive;
      Post("Comparison: removed");
    }
  }
  FollowComparisonBits();
  Finish();
}

void ClueDefinitions::Distance() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    grid.Lists.Distance.Clear();
    grid.GridVar &= ~kVarDistance;
    Post("Distance: All removed");
    Finish();
    return;
  }
  if (grid.Lists.Distance.Full()) {
    Post("Two many Distance: Not selected");
    return;
  }
  if (cells.size() != 2) {
    Post("Distance: Bad selection - must be 2 cells");
    return;
  }
  const GridGeometry &geo = ctx_.Geo;
  const bool row = geo.RowOfCell[cells[0]] == geo.RowOfCell[cells[1]];
  if (!row && geo.ColOfCell[cells[0]] != geo.ColOfCell[cells[1]]) {
    Post("Distance: Bad selection - cells must be in same line or col");
    return;
  }
  Snapshot();
  const bool added = ToggleDistanceClue(geo, cells[0], cells[1], grid, row ? 1 : 0, Reference()) == 1;
  Post(row ? (added ? "Distance: Line added" : "Distance: Line removed")
           : (added ? "Distance: Column added" : "Distance: Column removed"));
  SetRuleBit(grid, kVarDistance, grid.Lists.Distance.Size() > 0);
  Finish();
}

namespace {

void ClearOddEvenMarks(const GridGeometry &geo, GridRecord &grid) {
  grid.Lists.OddEven.Clear();
  for (int c = 0; c < geo.NCells; ++c)
    grid.Cells[c].OddEven = -1;
  grid.GridVar &= ~kVarOdd;
}

} // namespace

void ClueDefinitions::OddEven(int unknownParity) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    ClearOddEvenMarks(ctx_.Geo, grid);
    Post("Odd/Even: All selection removed");
    Finish(true);
    return;
  }
  if (grid.Lists.OddEven.Full()) {
    Post("Two many Odd/Even: Not selected");
    return;
  }
  Snapshot();
  for (int c : cells) {
    const int value = ReferenceValue(c);
    const int parity = value == 0 ? unknownParity : value & 1;
    if (ToggleOddEvenCell(ctx_.Geo, grid, c, parity) == 0)
      Post("Odd/Even removed");
    else if (unknownParity == 0)
      Post(parity == 1 ? "Odd added (RefTab)" : "Even added");
    else
      Post(parity == 1 ? "Odd added" : "Even added (RefTab)");
  }
  SetRuleBit(grid, kVarOdd, grid.Lists.OddEven.Size() > 0);
  Finish(true);
}

void ClueDefinitions::OddXxx() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    OddEven(0);
    return;
  }
  if (grid.Lists.OddEven.Full()) {
    Post("Two many Odd/Even: Not selected");
    return;
  }
  const int shared = ctx_.XParity;
  if (shared != kXParityMark && (ReferenceValue(cells[0]) & 1) != shared) {
    Post(std::string("Odd: Bad selection - all XXX must be ") + (shared == 1 ? "ODD" : "EVEN"));
    return;
  }
  Snapshot();
  for (int c : cells)
    Post(ToggleOddEvenCell(ctx_.Geo, grid, c, kXParityMark) == 1 ? "XXX Odd added" : "Odd/Even removed");
  SetRuleBit(grid, kVarOdd, grid.Lists.OddEven.Size() > 0);
  Finish(true);
}

void ClueDefinitions::OddPair() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    Snapshot();
    grid.Lists.OddPairs.Clear();
    grid.GridVar &= ~kVarOddPair;
    Post("Odd/Even Pair: All selection removed");
    Finish(true);
    return;
  }
  if (grid.Lists.OddPairs.Full()) {
    Post("Two many Odd/Even Pair: Not selected");
    return;
  }
  if (cells.size() != 2) {
    Post("Odd Pair: Bad selection - must be 2 cells");
    return;
  }
  if (!SideBySide(ctx_.Geo, cells[0], cells[1])) {
    Post("Odd Pair: Bad selection - must be 2 contiguous cells");
    return;
  }
  const int a = ReferenceValue(cells[0]);
  const int b = ReferenceValue(cells[1]);
  const int parity = a == 0 || b == 0 ? 0 : (a + b) & 1;
  Snapshot();
  if (ToggleOddPairMark(ctx_.Geo, grid, cells[0], cells[1], parity) == 1)
    Post(parity == 1 ? "Odd Pair added" : "Even Pair added (RefTab)");
  else
    Post("Odd/Even Pair removed");
  SetRuleBit(grid, kVarOddPair, grid.Lists.OddPairs.Size() > 0);
  Finish(true);
}

void ClueDefinitions::XxxPair() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    OddPair();
    return;
  }
  if (grid.Lists.OddPairs.Full()) {
    Post("Two many Odd/Even Pair: Not selected");
    return;
  }
  if (cells.size() != 2) {
    Post("Odd Pair: Bad selection - must be 2 cells");
    return;
  }
  if (!SideBySide(ctx_.Geo, cells[0], cells[1])) {
    Post("Odd Pair: Bad selection - must be 2 contiguous cells");
    return;
  }
  // The pair's sum carries the shared parity, once it is known.
  const int shared = ctx_.XParity;
  const int sum = ReferenceValue(cells[0]) + ReferenceValue(cells[1]);
  if (shared != kXParityMark && (sum & 1) != shared) {
    Post(std::string("Odd Pair: Bad selection - all XXX must be ") + (shared == 1 ? "ODD" : "EVEN"));
    return;
  }
  Snapshot();
  Post(ToggleOddPairMark(ctx_.Geo, grid, cells[0], cells[1], kXPair) == 1 ? "XXX Pair added"
                                                                          : "Odd/Even Pair removed");
  SetRuleBit(grid, kVarOddPair, grid.Lists.OddPairs.Size() > 0);
  Finish(true);
}

void ClueDefinitions::Quad(int mode) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const GridGeometry &geo = ctx_.Geo;
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    Snapshot();
    grid.Lists.Quads.Clear();
    grid.GridVar &= ~kVarQuadMax;
    Post("Quad: All selection removed");
    Finish();
    return;
  }
  if (grid.Lists.Quads.Full()) {
    Post("Two many Quad: Not selected");
    return;
  }
  if (cells.size() != 4) {
    Post("Quad: Bad selection - must be 4 cells");
    return;
  }
  const int w = geo.GridWidth;
  if (cells[1] != cells[0] + 1 || cells[2] != cells[0] + w || cells[3] != cells[0] + w + 1 ||
      geo.RowOfCell[cells[1]] != geo.RowOfCell[cells[0]]) {
    Post("Quad: Bad selection - must be 4 contiguous cells");
    return;
  }
  int chosen = cells[0];
  for (int c : cells) {
    const int v = ReferenceValue(c);
    const int best = ReferenceValue(chosen);
    if (mode == 1 ? v < best : v > best)
      chosen = c;
  }
  Snapshot();
  const std::array<int, 4> square = {cells[0], cells[1], cells[2], cells[3]};
  Post(ToggleQuadClue(geo, square, grid, chosen, mode) == 1 ? "Quad added" : "Quad removed");
  SetRuleBit(grid, kVarQuadMax, grid.Lists.Quads.Size() > 0);
  Finish();
}

void ClueDefinitions::AllSignificant() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  grid.GridVar = Meets(grid.GridVar, kVarAllIndicated) ? grid.GridVar & ~kVarAllIndicated
                                                       : grid.GridVar | kVarAllIndicated;
}

} // namespace quorbel
