// The expert's links between grids: Twins Relation pairs of cells, taken from the selection in
// the order it was made; grids paired whole (Equal, Differents), by blocks (Zone), by a value
// map (Substitution), by groups (Relation Multiple) or by rows (Same in Row); a main grid made a
// reference grid.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/twins_editors.h"
#include "engine/undo_services.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "view/clue_definitions.h"

namespace quorbel {

namespace {

constexpr VariantWords kWholeGridTwins =
    kVarTwinsRelation | kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsZone | kVarTwinsDifferent;

} // namespace

std::vector<int> ClueDefinitions::SelectedGrids() const {
  std::vector<int> grids;
  for (int k = 0; k < std::clamp(selection_.Count, 0, kMaxSelection); ++k)
    if (const int g = selection_.Pairs[static_cast<size_t>(k)].Grid;
        g >= 0 && g < UsedMainCount(ctx_.Grids) && std::find(grids.begin(), grids.end(), g) == grids.end())
      grids.push_back(g);
  return grids;
}

void ClueDefinitions::TwinsWhole(bool differents) {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const VariantWords bit = differents ? kVarTwinsDifferent : kVarTwinsEqual;
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (differents && count == 0) {
    Snapshot();
    for (int g = 0; g < UsedMainCount(set); ++g) {
      set.Main[static_cast<size_t>(g)].Lists.TwinsPartner = -1;
      SetRuleBit(set.Main[static_cast<size_t>(g)], bit, false);
    }
    Post("Twin Diff: All removed");
    Finish();
    return;
  }
  const std::vector<int> grids = SelectedGrids();
  int first = 0;
  int second = -1;
  if (count == 2 && grids.size() == 2) {
    first = grids[0];
    second = grids[1];
  } else if (count == 2) {
    Post("Twin Equal: You must select 2 different grids which are equal");
    return;
  } else if (UsedMainCount(set) == 2) {
    second = 1;
  } else if (UsedMainCount(set) == 1 && !differents) {
    second = AddGridToSet(ctx_); // a new grid starts the undo history afresh
    if (second < 0)
      return;
    BuildGridTables(ctx_, 1, 0, second);
  } else {
    Post("Twin Equal: You must select 2 grids which are equal");
    return;
  }
  Snapshot();
  set.Main[static_cast<size_t>(first)].Lists.TwinsPartner = static_cast<int16_t>(second);
  for (const int g : {first, second}) {
    SetRuleBit(set.Main[static_cast<size_t>(g)], kWholeGridTwins, false);
    SetRuleBit(set.Main[static_cast<size_t>(g)], bit, true);
  }
  Post(differents ? "Twin Diff: Selection added" : "Twin Equal done");
  Finish();
}

void ClueDefinitions::TwinsZone() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const std::vector<int> grids = SelectedGrids();
  if (selection_.Count != 2 || grids.size() != 2) {
    Post("Twin Zone: Select 2 cells in different grids");
    return;
  }
  const SelectionPair a = selection_.Pairs[0];
  const SelectionPair b = selection_.Pairs[1];
  if (a.Cell < 0 || a.Cell >= ctx_.Geo.NCells || b.Cell < 0 || b.Cell >= ctx_.Geo.NCells)
    return;
  GridRecord &first = set.Main[static_cast<size_t>(a.Grid)];
  GridRecord &second = set.Main[static_cast<size_t>(b.Grid)];
  const int16_t blockA = first.BlockOfCell[static_cast<size_t>(a.Cell)];
  const int16_t blockB = second.BlockOfCell[static_cast<size_t>(b.Cell)];
  // The pair is taken away from whichever grid holds it.
  auto removeFrom = [](GridRecord &grid, int block, int otherBlock, int otherGrid) {
    auto &links = grid.Lists.TwinsZone;
    for (int i = 0; i < links.Size(); ++i) {
      const TwinsZoneLink &link = links.Items[static_cast<size_t>(i)];
      if (link.Block == block && link.OtherBlock == otherBlock && link.OtherGrid == otherGrid) {
        links.RemoveAt(i);
        return true;
      }
    }
    return false;
  };
  Snapshot();
  // Both grids lose the link, whichever held it.
  const bool fromFirst = removeFrom(first, blockA, blockB, b.Grid);
  const bool fromSecond = removeFrom(second, blockB, blockA, a.Grid);
  const bool removed = fromFirst || fromSecond;
  if (!removed) {
    if (first.Lists.TwinsZone.Full()) {
      UndoLastState(ctx_);
      Post("Two many Twin Zone: Two much area - Not selected");
      return;
    }
    first.Lists.TwinsZone.Append({blockA, blockB, static_cast<int16_t>(b.Grid)});
  }
  // The rule stays on every grid that a zone link touches.
  for (int g = 0; g < UsedMainCount(set); ++g) {
    bool linked = set.Main[static_cast<size_t>(g)].Lists.TwinsZone.Size() > 0;
    for (int h = 0; h < UsedMainCount(set) && !linked; ++h)
      for (const TwinsZoneLink &link : set.Main[static_cast<size_t>(h)].Lists.TwinsZone.Used())
        linked = linked || link.OtherGrid == g;
    SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsZone, linked);
  }
  Post(removed ? "Twin Zone Removed"
               : "Twin Zone Added " + std::to_string(blockA) + "-" + std::to_string(blockB));
  Finish();
}

void ClueDefinitions::TwinsGroupRelation() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (count == 0) {
    Snapshot();
    for (int g = 0; g < UsedMainCount(set); ++g) {
      SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsRelationMultiple, false);
      set.Main[static_cast<size_t>(g)].Lists.TwinsMultiple.Clear();
    }
    Post("Twin Multiple Relation Removed");
    Finish();
    return;
  }
  const std::vector<int> grids = SelectedGrids();
  if (grids.size() != 2) {
    Post("Twin Multiple Relation: You must select at minimum 2 cells in 2 different grids");
    return;
  }
  TwinsMultipleGroup group;
  group.OtherGrid = static_cast<int16_t>(grids[1]);
  int others = 0;
  for (int k = 0; k < count; ++k) {
    const SelectionPair pair = selection_.Pairs[static_cast<size_t>(k)];
    if (pair.Grid == grids[0] && group.NCells < 16)
      group.Cells[static_cast<size_t>(group.NCells++)] = static_cast<CellRef>(pair.Cell);
    else if (pair.Grid == grids[1] && others < 16)
      group.OtherCells[static_cast<size_t>(others++)] = static_cast<CellRef>(pair.Cell);
  }
  if (others != group.NCells) {
    Post("Twin Multiple Relation: You must select the same number of cells in the 2 grids");
    return;
  }
  GridRecord &first = set.Main[static_cast<size_t>(grids[0])];
  if (first.Lists.TwinsMultiple.Full()) {
    Post("Twin Multiple Relation: at most 10 groups - Not selected");
    return;
  }
  Snapshot();
  first.Lists.TwinsMultiple.Append(group);
  for (const int g : grids)
    SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsRelationMultiple, true);
  Post("Twin Multiple Relation Added");
  Finish();
}

void ClueDefinitions::TwinsSameInRow() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (count == 0) {
    Snapshot();
    for (int g = 0; g < UsedMainCount(set); ++g) {
      GridRecord &grid = set.Main[static_cast<size_t>(g)];
      SetRuleBit(grid, kVarTwinsSameInLine, false);
      grid.Lists.SameInLine.RowClue = SameInLineClues::MakeNoClues();
    }
    Post("Twin Same In Row Removed");
    Finish();
    return;
  }
  const std::vector<int> grids = SelectedGrids();
  if (grids.size() != 2) {
    Post("Twin Same In Row: You must select at minimum 2 cells in 2 different grids");
    return;
  }
  // The counts are read from the grid holding more of the selection, the first cell's on a tie.
  std::array<int, 2> held{};
  for (int k = 0; k < count; ++k)
    ++held[selection_.Pairs[static_cast<size_t>(k)].Grid == grids[0] ? 0 : 1];
  const int from = held[0] >= held[1] ? grids[0] : grids[1];
  GridRecord &owner = set.Main[static_cast<size_t>(std::max(grids[0], grids[1]))];
  Snapshot();
  SameInLineClues &clues = owner.Lists.SameInLine;
  clues.PartnerGrid = static_cast<int16_t>(std::min(grids[0], grids[1]));
  clues.RowClue = SameInLineClues::MakeNoClues();
  bool written = false;
  for (int k = 0; k < count; ++k) {
    const SelectionPair pair = selection_.Pairs[static_cast<size_t>(k)];
    if (pair.Grid != from || pair.Cell < 0 || pair.Cell >= ctx_.Geo.NCells)
      continue;
    const CellRecord &cell = set.Main[static_cast<size_t>(from)].Cells[static_cast<size_t>(pair.Cell)];
    if (cell.Status < kStatusEmpty && cell.Value > 0) {
      clues.RowClue[static_cast<size_t>(pair.Cell / ctx_.Geo.NCols)] = static_cast<int16_t>(cell.Value);
      written = true;
    }
  }
  if (!written) {
    UndoLastState(ctx_);
    Post("Twin Same In Row: You must enter a value in cells to define Number of identical values");
    return;
  }
  for (const int g : grids)
    SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsSameInLine, true);
  Post("Twin Same In Row Added");
  Finish();
}

void ClueDefinitions::TwinsRefGrid() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  if (selection_.Count == 0) {
    set.AllCount = set.MainCount;
    Post("TWINS REF GRID: All Reference grids removed");
    Finish();
    return;
  }
  const int last = UsedMainCount(set) - 1;
  if (selection_.Pairs[0].Grid != last) {
    Post("TWINS REF GRID: Please select last active grid to become a REFERENCE Grid");
    return;
  }
  if (last < 1) {
    Post("TWINS REF GRID: Not possible. No more active grid");
    return;
  }
  set.MainCount = last;
  set.OrderCount = std::min(set.OrderCount, set.MainCount);
  set.FocusGrid = std::min(set.FocusGrid, set.MainCount - 1);
  Post("TWINS REF GRID: one gird added");
  Finish();
}

void ClueDefinitions::TwinsSubstitution() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const GridGeometry &geo = ctx_.Geo;
  const int w = geo.GridWidth;
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (count == 0) {
    Snapshot();
    for (int g = 0; g < UsedMainCount(set); ++g) {
      GridRecord &grid = set.Main[static_cast<size_t>(g)];
      SetRuleBit(grid, kVarTwinsSubstitution, false);
      grid.Lists.SubstitutionOwner = 0;
    }
    Post("Twin Zone: All selection removed");
    Finish();
    return;
  }
  // W cells of the first grid give the map, the last cell names the other grid.
  const SelectionPair last = selection_.Pairs[static_cast<size_t>(count - 1)];
  const int first = selection_.Pairs[0].Grid;
  bool shaped = count == w + 1 && last.Grid != first && last.Grid >= 0 && last.Grid < UsedMainCount(set);
  for (int k = 0; k < w && shaped; ++k)
    shaped = selection_.Pairs[static_cast<size_t>(k)].Grid == first;
  if (!shaped) {
    Post("Twin Zone: Select " + std::to_string(w) +
         " cells in first grid (subs data) and 1 cell of second grid");
    return;
  }
  GridRecord &grid = set.Main[static_cast<size_t>(first)];
  std::array<int, kMaxWidth> stands{}; // the value of the other grid that v stands for, at v - 1
  uint32_t seen = 0;
  for (int k = 0; k < w; ++k) {
    const int cell = selection_.Pairs[static_cast<size_t>(k)].Cell;
    int value = 0;
    if (cell >= 0 && cell < geo.NCells) {
      const CellRecord &played = grid.Cells[static_cast<size_t>(cell)];
      const CellRecord &solved = set.RefTab[static_cast<size_t>(first)].Cells[static_cast<size_t>(cell)];
      value =
          IsOpenStatus(played.Status) ? (solved.Status < kStatusConflict ? solved.Value : 0) : played.Value;
    }
    if (value >= 1 && value <= w)
      seen |= ValueBit(value);
    stands[static_cast<size_t>(k)] = value;
  }
  if (seen != geo.FullMask) {
    Post("Twins: Must Select " + std::to_string(w) + " different values");
    return;
  }
  Snapshot();
  GridRecord &other = set.Main[static_cast<size_t>(last.Grid)];
  constexpr VariantWords kOtherTwins =
      kVarTwinsRelation | kVarTwinsEqual | kVarTwinsZone | kVarTwinsDifferent;
  for (GridRecord *g : {&grid, &other}) {
    SetRuleBit(*g, kOtherTwins, false);
    SetRuleBit(*g, kVarTwinsSubstitution, true);
  }
  grid.Lists.TwinsPartner = static_cast<int16_t>(last.Grid);
  grid.Lists.SubstitutionOwner = 1;
  other.Lists.SubstitutionOwner = 0;
  // The other grid's solution is this one's, each value replaced by what it stands for.
  GridRecord &reference = set.RefTab[static_cast<size_t>(first)];
  GridRecord &otherReference = set.RefTab[static_cast<size_t>(last.Grid)];
  for (int c = 0; c < geo.NCells; ++c) {
    const int v = reference.Cells[static_cast<size_t>(c)].Value;
    if (v < 1 || v > w)
      continue;
    const int substitute = stands[static_cast<size_t>(v - 1)];
    otherReference.Cells[static_cast<size_t>(c)].Value = substitute;
    if (CellRecord &played = other.Cells[static_cast<size_t>(c)]; played.Status == kStatusFixed)
      SetCellValue(ctx_, other, c, substitute, kActionPlaceFixed);
  }
  Post("Twins: Substitution values taken into account and Ref Table2 updated");
  Finish();
}

void ClueDefinitions::TwinsRelation() {
  if (!expert_)
    return;
  GridSet &set = ctx_.Grids;
  const int mains = UsedMainCount(set);
  const int count = std::clamp(selection_.Count, 0, kMaxSelection);
  if (count == 0) {
    Snapshot();
    for (int g = 0; g < mains; ++g) {
      SetRuleBit(set.Main[static_cast<size_t>(g)], kVarTwinsRelation, false);
      set.Main[static_cast<size_t>(g)].Lists.TwinsRelation.Clear();
    }
    Post("Relation: All removed");
    Finish();
    return;
  }
  if (count < 2) {
    Post("Relations: Please select a minimum of 2 cells indifferent grids");
    return;
  }
  auto pairAt = [&](int k) { return selection_.Pairs[static_cast<size_t>(k)]; };
  const SelectionPair first = pairAt(0);
  if (first.Grid < 0 || first.Grid >= mains)
    return;
  if (set.Main[static_cast<size_t>(first.Grid)].Lists.TwinsRelation.Full()) {
    Post("Two many Relations: Not selected");
    return;
  }
  // Two cells that already hold different values cannot be linked.
  for (int k = 0; k + 1 < count; ++k) {
    const SelectionPair a = pairAt(k);
    const SelectionPair b = pairAt(k + 1);
    if (a.Grid < 0 || a.Grid >= mains || b.Grid < 0 || b.Grid >= mains || a.Cell < 0 ||
        a.Cell >= ctx_.Geo.NCells || b.Cell < 0 || b.Cell >= ctx_.Geo.NCells)
      return;
    const CellRecord &x = set.Main[static_cast<size_t>(a.Grid)].Cells[static_cast<size_t>(a.Cell)];
    const CellRecord &y = set.Main[static_cast<size_t>(b.Grid)].Cells[static_cast<size_t>(b.Cell)];
    if (x.Status < kStatusEmpty && y.Status < kStatusEmpty && x.Value != y.Value) {
      Post("Relation: Selection not possible -> different values(" + std::to_string(x.Value) + "-" +
           std::to_string(y.Value) + ")");
      return;
    }
  }
  Snapshot();
  constexpr VariantWords kOtherTwins =
      kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsZone | kVarTwinsDifferent;
  for (int k = 0; k + 1 < count; ++k) {
    const SelectionPair a = pairAt(k);
    const SelectionPair b = pairAt(k + 1);
    ToggleTwinsRelation(set.Main[static_cast<size_t>(a.Grid)], b.Cell, a.Cell, b.Grid);
    for (const int g : {a.Grid, b.Grid}) {
      GridRecord &grid = set.Main[static_cast<size_t>(g)];
      SetRuleBit(grid, kVarTwinsRelation, true);
      SetRuleBit(grid, kOtherTwins, false);
    }
  }
  set.Main[static_cast<size_t>(first.Grid)].Lists.TwinsPartner = 0;
  Post("Relation: modified");
  Finish();
}

void ClueDefinitions::TwinTotal() {
  if (!expert_)
    return;
  Snapshot();
  switch (ToggleTwinsTotal(ctx_)) {
  case 1:
    Post("Twin Total added");
    break;
  case 0:
    Post("Twin Total removed");
    break;
  default:
    Post("Twin Total: no room for the sums beside twelve grids");
    return;
  }
  ctx_.Host->GridSetReset();
  Finish();
}

} // namespace quorbel
