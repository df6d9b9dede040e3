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

void FollowComparisonBits(GridRecord &grid) {
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

// The mark between two cells, in either order; -1 none.
int ComparisonOf(const GridRecord &grid, int a, int b) {
  const auto marks = grid.Lists.Comparisons.Used();
  const auto found = std::find_if(marks.begin(), marks.end(), [&](const ComparisonMark &mark) {
    return (mark.CellA == a && mark.CellB == b) || (mark.CellA == b && mark.CellB == a);
  });
  return found == marks.end() ? -1 : static_cast<int>(found - marks.begin());
}

// Whether the list can take the marks that toggling each neighbouring pair of `cells` would
// add: a full list refuses only those, so that a mark can always be taken away.
bool RoomForComparisons(const GridRecord &grid, const std::vector<int> &cells) {
  int additions = 0;
  for (size_t k = 1; k < cells.size(); ++k)
    additions += ComparisonOf(grid, cells[k - 1], cells[k]) < 0 ? 1 : 0;
  const auto &marks = grid.Lists.Comparisons;
  return additions == 0 ||
         (marks.Size() + additions <= kComparisonCommandLimit && marks.Size() + additions <= marks.kCapacity);
}

constexpr std::string_view kComparisonsFull = "Two many Comparison: Not selected";

const ClueListFrame kComparisonFrame = {
    true, "Comparison: All removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Comparisons.Clear(); }, FollowComparisonBits};

const ClueListFrame kDistanceFrame = {
    false, "Distance: All removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Distance.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarDistance, grid.Lists.Distance.Size() > 0); }};

const ClueListFrame kOddEvenFrame = {
    false, "Odd/Even: All selection removed",
    [](const GridGeometry &geo, GridRecord &grid) {
      grid.Lists.OddEven.Clear();
      for (int c = 0; c < geo.NCells; ++c)
        grid.Cells[c].OddEven = -1;
    },
    [](GridRecord &grid) { SetRuleBit(grid, kVarOdd, grid.Lists.OddEven.Size() > 0); }, true};

const ClueListFrame kOddPairFrame = {
    true, "Odd/Even Pair: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.OddPairs.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarOddPair, grid.Lists.OddPairs.Size() > 0); }, true};

const ClueListFrame kQuadFrame = {
    true, "Quad: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Quads.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarQuadMax, grid.Lists.Quads.Size() > 0); }};

const NeighbourPairLines kComparisonPairLines = {
    "Comparison: Bad selection - must be 2 cells",
    "Comparison: Bad selection - cells must be in same line or col and contigous"};
const NeighbourPairLines kOddPairLines = {"Odd Pair: Bad selection - must be 2 cells",
                                          "Odd Pair: Bad selection - must be 2 contiguous cells"};

} // namespace

void ClueDefinitions::SumMark(int kind) {
  Define(kComparisonFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (!NeighbourPair(cells, kComparisonPairLines))
      return false;
    const int a = ReferenceValue(cells[0]);
    const int b = ReferenceValue(cells[1]);
    const int sum = kind == kCompareV ? 5 : 10;
    if (a == 0 || b == 0 || a + b != sum)
      return Refuse(kind == kCompareV ? "Comparison: Bad cells. Not a sommme of 5"
                                      : "Comparison: Bad cells. Not a sommme of 10");
    if (!RoomForComparisons(grid, cells))
      return Refuse(kComparisonsFull);
    Snapshot();
    const bool added = ToggleComparisonMark(ctx_.Geo, cells[0], grid, cells[1], kind) == 1;
    Post(!added ? "Comparison: removed" : kind == kCompareV ? "Comparison: V added" : "Comparison: X added");
    return true;
  });
}

void ClueDefinitions::LessChain() {
  Define(kComparisonFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    bool alongRow = false;
    if (!CellRun(ctx_.Geo, cells, alongRow))
      return Refuse("Comparison: Bad selection - must be at minimum 2 cells");
    if (!RoomForComparisons(grid, cells))
      return Refuse(kComparisonsFull);
    Snapshot();
    for (size_t k = 1; k < cells.size(); ++k) {
      const int a = ReferenceValue(cells[k - 1]);
      const int b = ReferenceValue(cells[k]);
      const int kind = a == 0 || b == 0 || a - b < 1 ? kCompareLess : kCompareGreater;
      ToggleComparisonMark(ctx_.Geo, cells[k - 1], grid, cells[k], kind);
    }
    Post("Comparison: > added or removed");
    return true;
  });
}

void ClueDefinitions::GreaterPair() {
  bool changed = false;
  Define(kComparisonFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (!NeighbourPair(cells, kComparisonPairLines))
      return false;
    if (!RoomForComparisons(grid, cells))
      return Refuse(kComparisonsFull);
    // A value the solution does not know counts as the larger.
    const int a = ReferenceValue(cells[0]);
    const int b = ReferenceValue(cells[1]);
    const int kind = a != 0 && (b == 0 || a < b) ? kCompareLess : kCompareGreater;
    Snapshot();
    const bool added = ToggleComparisonMark(ctx_.Geo, cells[0], grid, cells[1], kind) == 1;
    Post(!added                    ? "Comparison: removed"
         : kind == kCompareGreater ? "Comparison: > added"
                                   : "Comparison: < added");
    return changed = true;
  });
  if (changed)
    Post("Cell status exchange done (value from ref).");
}

void ClueDefinitions::Dot(int &dotKind) {
  Define(kComparisonFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    auto &marks = grid.Lists.Comparisons;
    bool alongRow = false;
    if (!CellRun(ctx_.Geo, cells, alongRow))
      return Refuse("Comparison: Bad selection - must be minimum 2 cells");
    if (!RoomForComparisons(grid, cells))
      return Refuse(kComparisonsFull);
    if (dotKind < kCompareConsecutive || dotKind > kCompareDifferenceN)
      dotKind = kCompareConsecutive;
    Snapshot();
    for (size_t k = 1; k < cells.size(); ++k) {
      const int a = cells[k - 1];
      const int b = cells[k];
      const int existing = ComparisonOf(grid, a, b);
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
    return true;
  });
}

void ClueDefinitions::Distance() {
  Define(kDistanceFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.Distance.Full())
      return Refuse("Two many Distance: Not selected");
    if (cells.size() != 2)
      return Refuse("Distance: Bad selection - must be 2 cells");
    const GridGeometry &geo = ctx_.Geo;
    const bool row = geo.RowOfCell[cells[0]] == geo.RowOfCell[cells[1]];
    if (!row && geo.ColOfCell[cells[0]] != geo.ColOfCell[cells[1]])
      return Refuse("Distance: Bad selection - cells must be in same line or col");
    Snapshot();
    const bool added = ToggleDistanceClue(geo, cells[0], cells[1], grid, row ? 1 : 0, Reference()) == 1;
    Post(row ? (added ? "Distance: Line added" : "Distance: Line removed")
             : (added ? "Distance: Column added" : "Distance: Column removed"));
    return true;
  });
}

void ClueDefinitions::OddEven(int unknownParity) {
  Define(kOddEvenFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.OddEven.Full())
      return Refuse("Two many Odd/Even: Not selected");
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
    return true;
  });
}

void ClueDefinitions::OddXxx() {
  Define(kOddEvenFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.OddEven.Full())
      return Refuse("Two many Odd/Even: Not selected");
    const int shared = ctx_.XParity;
    if (shared != kXParityMark && (ReferenceValue(cells[0]) & 1) != shared)
      return Refuse(std::string("Odd: Bad selection - all XXX must be ") + (shared == 1 ? "ODD" : "EVEN"));
    Snapshot();
    for (int c : cells)
      Post(ToggleOddEvenCell(ctx_.Geo, grid, c, kXParityMark) == 1 ? "XXX Odd added" : "Odd/Even removed");
    return true;
  });
}

void ClueDefinitions::OddPair() {
  Define(kOddPairFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.OddPairs.Full())
      return Refuse("Two many Odd/Even Pair: Not selected");
    if (!NeighbourPair(cells, kOddPairLines))
      return false;
    const int a = ReferenceValue(cells[0]);
    const int b = ReferenceValue(cells[1]);
    const int parity = a == 0 || b == 0 ? 0 : (a + b) & 1;
    Snapshot();
    if (ToggleOddPairMark(ctx_.Geo, grid, cells[0], cells[1], parity) == 1)
      Post(parity == 1 ? "Odd Pair added" : "Even Pair added (RefTab)");
    else
      Post("Odd/Even Pair removed");
    return true;
  });
}

void ClueDefinitions::XxxPair() {
  Define(kOddPairFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.OddPairs.Full())
      return Refuse("Two many Odd/Even Pair: Not selected");
    if (!NeighbourPair(cells, kOddPairLines))
      return false;
    // The pair's sum carries the shared parity, once it is known.
    const int shared = ctx_.XParity;
    const int sum = ReferenceValue(cells[0]) + ReferenceValue(cells[1]);
    if (shared != kXParityMark && (sum & 1) != shared)
      return Refuse(std::string("Odd Pair: Bad selection - all XXX must be ") +
                    (shared == 1 ? "ODD" : "EVEN"));
    Snapshot();
    Post(ToggleOddPairMark(ctx_.Geo, grid, cells[0], cells[1], kXPair) == 1 ? "XXX Pair added"
                                                                            : "Odd/Even Pair removed");
    return true;
  });
}

void ClueDefinitions::Quad(int mode) {
  Define(kQuadFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    if (grid.Lists.Quads.Full())
      return Refuse("Two many Quad: Not selected");
    if (cells.size() != 4)
      return Refuse("Quad: Bad selection - must be 4 cells");
    const int w = geo.GridWidth;
    if (cells[1] != cells[0] + 1 || cells[2] != cells[0] + w || cells[3] != cells[0] + w + 1 ||
        geo.RowOfCell[cells[1]] != geo.RowOfCell[cells[0]])
      return Refuse("Quad: Bad selection - must be 4 contiguous cells");
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
    return true;
  });
}

void ClueDefinitions::AllSignificant() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  grid.GridVar = Meets(grid.GridVar, kVarAllIndicated) ? grid.GridVar & ~kVarAllIndicated
                                                       : grid.GridVar | kVarAllIndicated;
}

} // namespace quorbel
