#include "view/clue_definitions.h"

#include <algorithm>
#include <string>

#include "engine/grid_services.h"
#include "engine/grid_shape.h"
#include "engine/little_killer_line.h"
#include "engine/sum_clue_editors.h"
#include "engine/sum_rules.h"
#include "engine/undo_services.h"
#include "engine/unit_summary.h"
#include "engine/update_possibles.h"

namespace quorbel {

namespace {

constexpr int kSides = 4;
constexpr int kMultTableItems = 16;
constexpr int kMaxCageCells = 10;

} // namespace

bool SideBySide(const GridGeometry &geo, int a, int b) {
  const int dr = std::abs(geo.RowOfCell[a] - geo.RowOfCell[b]);
  const int dc = std::abs(geo.ColOfCell[a] - geo.ColOfCell[b]);
  return dr + dc == 1;
}

bool CellRun(const GridGeometry &geo, std::span<const int> cells, bool &row) {
  if (cells.size() < 2)
    return false;
  row = geo.RowOfCell[cells[0]] == geo.RowOfCell[cells[1]];
  const int step = row ? 1 : geo.GridWidth;
  for (size_t k = 1; k < cells.size(); ++k)
    if (cells[k] - cells[k - 1] != step || (row && geo.RowOfCell[cells[k]] != geo.RowOfCell[cells[0]]))
      return false;
  return true;
}

void SetRuleBit(GridRecord &grid, VariantWords bit, bool on) {
  if (on)
    grid.GridVar |= bit;
  else
    grid.GridVar &= ~bit;
}

PerimeterRun FindPerimeterRun(const GridGeometry &geo, std::span<const int> cells) {
  bool row = false;
  if (!CellRun(geo, cells, row))
    return {};
  const int w = geo.GridWidth;
  const int first = cells.front();
  const int last = cells.back();
  if (row) {
    if (geo.ColOfCell[first] == 0)
      return {3, geo.RowOfCell[first]};
    if (geo.ColOfCell[last] == w - 1)
      return {1, geo.RowOfCell[first]};
  } else {
    if (geo.RowOfCell[first] == 0)
      return {0, geo.ColOfCell[first]};
    if (geo.RowOfCell[last] == w - 1)
      return {2, geo.ColOfCell[first]};
  }
  return {};
}

GridRecord &ClueDefinitions::Grid() { return ctx_.Grids.Main[CurrentGridSlot(ctx_.Grids)]; }
const GridRecord &ClueDefinitions::Reference() { return ctx_.Grids.RefTab[CurrentGridSlot(ctx_.Grids)]; }

std::vector<int> ClueDefinitions::Cells(bool sorted) const {
  std::vector<int> cells;
  for (int k = 0; k < std::clamp(selection_.Count, 0, kMaxSelection); ++k) {
    const int cell = selection_.Pairs[k].Cell;
    if (cell >= 0 && cell < ctx_.Geo.NCells)
      cells.push_back(cell);
  }
  if (sorted)
    std::sort(cells.begin(), cells.end());
  return cells;
}

// The solution's value of a cell, 0 when the solution does not know it.
int ClueDefinitions::ReferenceValue(int cell) {
  const CellRecord &ref = Reference().Cells[cell];
  return ref.Status < kStatusConflict ? ref.Value : 0;
}

int ClueDefinitions::KnownValue(int cell) {
  const CellRecord &record = Grid().Cells[cell];
  return IsOpenStatus(record.Status) ? ReferenceValue(cell) : record.Value;
}

void ClueDefinitions::Post(std::string_view line) const { ctx_.Host->AddInfoMessage(line); }

void ClueDefinitions::Snapshot() {
  ReinitGrids(ctx_, 1, 1, 1, 1);
  SaveUndoState(ctx_);
}

void ClueDefinitions::Finish(bool tables) {
  if (tables)
    BuildGridTables(ctx_, 0, 0, -1);
  UpdatePossibles(ctx_, -1, -1, -1, 1);
  feedback_.RedrawViewNow();
}

void ClueDefinitions::Define(const ClueListFrame &frame,
                             const std::function<bool(GridRecord &, const std::vector<int> &)> &define) {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(frame.SortedCells);
  if (cells.empty()) {
    Snapshot();
    frame.Clear(ctx_.Geo, grid);
    if (!frame.AllRemoved.empty())
      Post(frame.AllRemoved);
  } else if (!define(grid, cells)) {
    return;
  }
  frame.FollowBits(grid);
  Finish(frame.Tables);
}

bool ClueDefinitions::Refuse(std::string_view line) const {
  Post(line);
  return false;
}

bool ClueDefinitions::NeighbourPair(const std::vector<int> &cells, const NeighbourPairLines &lines) const {
  if (cells.size() != 2)
    return Refuse(lines.NotTwo);
  if (!SideBySide(ctx_.Geo, cells[0], cells[1]))
    return Refuse(lines.NotSideBySide);
  return true;
}

namespace {

void FollowSideClueBits(GridRecord &grid) {
  bool kinds[7] = {};
  bool outside[4] = {};
  for (int side = 0; side < kSides; ++side)
    for (int line = 0; line < kMaxWidth; ++line) {
      kinds[std::clamp<int>(grid.Lists.Frame.Kind[side][line], 0, 6)] = true;
      if (grid.Lists.Outside.Count[side][line] > 0)
        outside[std::clamp<int>(grid.Lists.Outside.Kind[side][line], 0, 3)] = true;
    }
  SetRuleBit(grid, kVarFrameSum, kinds[kFrameSum]);
  SetRuleBit(grid, kVarFrameProduct, kinds[kFrameProduct]);
  SetRuleBit(grid, kVarSkyScraper, kinds[kFrameSkyScraper]);
  SetRuleBit(grid, kVarLastNumber, kinds[kFrameLastRising] || kinds[kFrameLastFalling]);
  SetRuleBit(grid, kVarFrameMax, kinds[kFrameMax]);
  SetRuleBit(grid, kVarOutside, outside[kOutsideValues]);
  SetRuleBit(grid, kVarOddview, outside[kOutsideOddview]);
  SetRuleBit(grid, kVarTransfer, outside[kOutsideTransfer] || grid.Lists.Transfer.Size() > 0);
}

// The frame clues whose kind `kinds` picks go, on every side.
template <typename Kinds> void ClearFrameKinds(GridRecord &grid, Kinds kinds) {
  for (auto &side : grid.Lists.Frame.Kind)
    for (int16_t &kind : side)
      if (kinds(kind))
        kind = 0;
}

void ClearOutsideKind(GridRecord &grid, int outsideKind) {
  OutsideClues &outside = grid.Lists.Outside;
  for (int side = 0; side < kSides; ++side)
    for (int line = 0; line < kMaxWidth; ++line)
      if (outside.Kind[side][line] == outsideKind) {
        outside.Kind[side][line] = 0;
        outside.Count[side][line] = 0;
      }
}

const ClueListFrame kKillerFrame = {true, "",
                                    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Killer.Clear(); },
                                    [](GridRecord &grid) {
                                      if (grid.Lists.Killer.Size() == 0)
                                        grid.GridVar &= ~kVarKiller;
                                    }};
const ClueListFrame kArrowFrame = {
    false, "Arrow: all selection removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Arrows.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarArrow, grid.Lists.Arrows.Size() > 0); }};
const ClueListFrame kCreasingFrame = {
    false, "Creasing: all selection removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.Creasing.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarCreasingLines, grid.Lists.Creasing.Size() > 0); }};
const ClueListFrame kMultTableFrame = {
    false, "Multiplication Table: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { grid.Lists.MultTable.Clear(); },
    [](GridRecord &grid) { SetRuleBit(grid, kVarMultTable, grid.Lists.MultTable.Size() > 0); }};
const ClueListFrame kFrameFrame = {true, "Frame: All selection removed",
                                   [](const GridGeometry &, GridRecord &grid) {
                                     ClearFrameKinds(grid, [](int kind) {
                                       return kind == kFrameSum || kind == kFrameProduct || kind == kFrameMax;
                                     });
                                   },
                                   FollowSideClueBits};
const ClueListFrame kLastNumberFrame = {
    true, "Last Number: All selection removed",
    [](const GridGeometry &, GridRecord &grid) {
      ClearFrameKinds(grid, [](int kind) { return kind == kFrameLastRising || kind == kFrameLastFalling; });
    },
    FollowSideClueBits};
const ClueListFrame kSkyScraperFrame = {true, "SkyScraper: All selection removed",
                                        [](const GridGeometry &, GridRecord &grid) {
                                          ClearFrameKinds(grid,
                                                          [](int kind) { return kind == kFrameSkyScraper; });
                                        },
                                        FollowSideClueBits};
const ClueListFrame kOutsideFrame = {
    true, "Outside: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { ClearOutsideKind(grid, kOutsideValues); },
    FollowSideClueBits};
const ClueListFrame kOddviewFrame = {
    true, "Oddview: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { ClearOutsideKind(grid, kOutsideOddview); },
    FollowSideClueBits};
const ClueListFrame kTransferFrame = {
    true, "Transfer: All selection removed",
    [](const GridGeometry &, GridRecord &grid) { ClearOutsideKind(grid, kOutsideTransfer); },
    FollowSideClueBits};

} // namespace

// ---- Cages and Little Killer diagonals ----

void ClueDefinitions::Killer(int product) {
  Define(kKillerFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.Killer.Full())
      return Refuse("Two many Killer Area: Not selected");
    for (int c : cells)
      if (std::none_of(cells.begin(), cells.end(),
                       [&](int other) { return SideBySide(ctx_.Geo, c, other); }) &&
          cells.size() > 1)
        return Refuse("Killer: All cells must touch - Not selected");
    const bool removes =
        std::any_of(cells.begin(), cells.end(), [&](int c) { return CageOfCell(grid, c) >= 0; });
    if (!removes && static_cast<int>(cells.size()) > kMaxCageCells)
      return Refuse("Killer: A cage holds at most 10 cells - Not selected");
    Snapshot();
    if (ToggleKillerCage(ctx_.Geo, grid, cells, product, Reference()) == 1) {
      grid.GridVar |= product == 1 ? kVarKillerProduct : kVarKillerSum;
      Post(product == 1 ? "Killer Product Area Added" : "Killer Somme Area Added");
    } else {
      Post("Killer Area removed");
    }
    return true;
  });
}

namespace {

bool HoldsLittleKillerClue(const GridRecord &grid, DiagonalEnds ends) {
  const auto used = grid.Lists.LittleKiller.Used();
  return std::any_of(used.begin(), used.end(), [&](const LittleKillerClue &clue) {
    return clue.FirstCell == ends.First && clue.LastCell == ends.Last;
  });
}

// The diagonals a command toggles that it would add: a full list refuses only those, so a
// clue can always be taken away.
int LittleKillerAdditions(const GridRecord &grid, std::span<const DiagonalEnds> diagonals) {
  return static_cast<int>(std::count_if(diagonals.begin(), diagonals.end(), [&](DiagonalEnds ends) {
    return ends.First >= 0 && !HoldsLittleKillerClue(grid, ends);
  }));
}

bool LittleKillerRoomFor(const GridRecord &grid, std::span<const DiagonalEnds> diagonals) {
  const auto &list = grid.Lists.LittleKiller;
  return list.Size() + LittleKillerAdditions(grid, diagonals) <= list.kCapacity;
}

} // namespace

void ClueDefinitions::LittleKiller() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const GridGeometry &geo = ctx_.Geo;
  const int w = geo.GridWidth;
  const std::vector<int> cells = Cells(false);
  Snapshot();
  auto refuse = [&](std::string_view line) {
    Post(line);
    UndoLastState(ctx_);
  };
  constexpr std::string_view kListFull = "Two many Little-Killer: Not selected";
  const GridRecord &ref = Reference();
  auto toggleAll = [&](std::span<const DiagonalEnds> diagonals) {
    for (const DiagonalEnds ends : diagonals)
      if (ends.First >= 0)
        ToggleLittleKillerClue(geo, ends.First, ends.Last, grid, 0, ref);
  };
  if (cells.empty()) {
    std::vector<DiagonalEnds> diagonals;
    for (int side = 0; side < kSides; ++side)
      for (int position = 0; position < w; ++position)
        diagonals.push_back(LittleKillerClueOfSide(geo, side, position));
    // Any clue of the four sides present: they all go; otherwise they all come.
    const bool removing =
        LittleKillerAdditions(grid, diagonals) <
        static_cast<int>(std::count_if(
            diagonals.begin(), diagonals.end(), [](DiagonalEnds ends) { return ends.First >= 0; }));
    if (removing) {
      grid.Lists.LittleKiller.Clear();
    } else if (!LittleKillerRoomFor(grid, diagonals)) {
      refuse(kListFull);
      return;
    } else {
      toggleAll(diagonals);
    }
    Post(removing ? "Littel-Killer on 4 sides removed" : "Littel-Killer on 4 sides added");
  } else if (cells.size() == 1) {
    const int cell = cells[0];
    const int row = geo.RowOfCell[cell];
    const int col = geo.ColOfCell[cell];
    if (row != 0 && row != w - 1 && col != 0 && col != w - 1) {
      refuse("Littel-Killer : Selection not understood-must be in Grid Angle");
      return;
    }
    const DiagonalEnds ends = LittleKillerClueOfEdgeCell(geo, cell);
    if (!LittleKillerRoomFor(grid, std::span(&ends, 1))) {
      refuse(kListFull);
      return;
    }
    Post(ToggleLittleKillerClue(geo, -1, cell, grid, 0, ref) == 1 ? "Littel-Killer : Cell added"
                                                                  : "Littel-Killer : Cell removed");
  } else if (cells.size() == 2) {
    const int dr = geo.RowOfCell[cells[1]] - geo.RowOfCell[cells[0]];
    const int dc = geo.ColOfCell[cells[1]] - geo.ColOfCell[cells[0]];
    if (dc == 0 || std::abs(dr) != std::abs(dc)) {
      refuse("Littel-Killer : Selection not understood-must be in diagonal");
      return;
    }
    const DiagonalEnds ends{cells[0], cells[1]};
    if (!LittleKillerRoomFor(grid, std::span(&ends, 1))) {
      refuse(kListFull);
      return;
    }
    ToggleLittleKillerClue(geo, cells[0], cells[1], grid, 0, ref);
  } else {
    const int first = cells.front();
    const int last = cells.back();
    int side = -1;
    std::string_view done;
    if (geo.RowOfCell[first] == 0 && geo.RowOfCell[last] == 0) {
      side = 0;
      done = "Littel-Killer: Top Line modified";
    } else if (geo.RowOfCell[first] == w - 1 && geo.RowOfCell[last] == w - 1) {
      side = 2;
      done = "Littel-Killer: Bottom Line modified";
    } else if (geo.ColOfCell[first] == w - 1 && geo.ColOfCell[last] == w - 1) {
      side = 1;
      done = "Littel-Killer: Right Column modified";
    } else if (geo.ColOfCell[first] == 0 && geo.ColOfCell[last] == 0) {
      side = 3;
      done = "Littel-Killer: Left Colomn modified";
    }
    if (side < 0) {
      refuse("Little-Killer: Selection not understood-must be in perimeter");
      return;
    }
    std::vector<DiagonalEnds> diagonals;
    for (int position = 1; position < w; ++position)
      diagonals.push_back(LittleKillerClueOfSide(geo, side, position));
    if (!LittleKillerRoomFor(grid, diagonals)) {
      refuse(kListFull);
      return;
    }
    toggleAll(diagonals);
    Post(done);
  }
  SetRuleBit(grid, kVarLittleKiller, grid.Lists.LittleKiller.Size() > 0);
  Finish();
}

// ---- Groups of cells ----

void ClueDefinitions::MagicSquare() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  std::vector<int> cells = Cells(true);
  Snapshot();
  if (cells.empty()) {
    for (const MagicSquareClue &square : grid.Lists.MagicSquares.Used())
      for (int k = 0; k < std::clamp<int>(square.NCells, 0, 16); ++k)
        if (square.Cells[k] >= 0 && square.Cells[k] < ctx_.Geo.NCells)
          grid.Cells[square.Cells[k]].MarkerState = 0;
    grid.Lists.MagicSquares.Clear();
    grid.GridVar &= ~kVarMagicSquare;
    Post("Magic Square: All selection removed");
    Finish();
    return;
  }
  if (grid.Lists.MagicSquares.Full()) {
    Post("Magic Square: Not selected");
    return;
  }
  const int n = static_cast<int>(cells.size());
  const int side = n == 4 ? 2 : n == 9 ? 3 : n == 16 ? 4 : 0;
  if (side == 0) {
    Post("Magic Square: Must be Square 2x2, 3x3 or 4x4");
    return;
  }
  for (int k = 0; k < n; ++k) {
    const int r = k / side;
    const int c = k % side;
    if (ctx_.Geo.RowOfCell[cells[k]] != ctx_.Geo.RowOfCell[cells[r * side]] ||
        ctx_.Geo.ColOfCell[cells[k]] != ctx_.Geo.ColOfCell[cells[c]] ||
        (c > 0 && cells[k] != cells[k - 1] + 1) ||
        (r > 0 && cells[k] != cells[k - side] + ctx_.Geo.GridWidth)) {
      Post("Magic Square: Cells must form a square");
      return;
    }
  }
  Post(ToggleMagicSquare(grid, cells) == 1 ? "Magic Square Added" : "Magic Square Removed");
  SetRuleBit(grid, kVarMagicSquare, grid.Lists.MagicSquares.Size() > 0);
  Finish();
}

void ClueDefinitions::Arrow() {
  Define(kArrowFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.Arrows.Size() >= 79)
      return Refuse("Arrow: Two much area - Not selected");
    if (cells.size() == 1)
      return Refuse("Arrow: Select more than one cell");
    if (cells.size() > kMaxCageCells)
      return Refuse("Arrow: Select at most 10 cells");
    Snapshot();
    Post(ToggleArrow(grid, cells) == 1 ? "Arrow Added" : "Arrow Removed");
    return true;
  });
}

void ClueDefinitions::Creasing() {
  Define(kCreasingFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    if (grid.Lists.Creasing.Full())
      return Refuse("Creasing: Two much area - Not selected");
    if (cells.size() == 1)
      return Refuse("Creasing: Select more than one cell");
    if (cells.size() > kMaxCageCells)
      return Refuse("Creasing: Select at most 10 cells");
    Snapshot();
    Post(ToggleCreasingLine(grid, cells, 0) == 1 ? "Creasing Added" : "Creasing Removed");
    return true;
  });
}

void ClueDefinitions::Kimo() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    grid.GridVar &= ~kVarKimo;
    Post("Kimo removed");
    Finish();
    return;
  }
  if (cells.size() != 2) {
    Post("Kimo: Select 2 cells containing Modulo value(X-X)");
    return;
  }
  Snapshot();
  auto value = [&](int cell) {
    const CellRecord &record = grid.Cells[cell];
    return record.Status < kStatusConflict ? record.Value : 0;
  };
  grid.Lists.KimoModulus = 10 * value(cells[0]) + value(cells[1]);
  if (grid.Lists.KimoModulus >= 2) {
    grid.GridVar |= kVarKimo;
    Post("Kimo Added");
  } else {
    Post("Kimo: Value as to be higher or equal than 2");
  }
  Finish();
}

void ClueDefinitions::ZeroKiller() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  grid.Lists.ZeroFlag = grid.Lists.ZeroFlag == 1 ? 0 : 1;
  Post(grid.Lists.ZeroFlag == 1 ? "Zero Killer Added" : "Zero Killer Removed");
  Finish();
}

void ClueDefinitions::MultiplicationTable() {
  Define(kMultTableFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    auto &items = grid.Lists.MultTable;
    const bool square = cells.size() == 4 && cells[1] == cells[0] + 1 &&
                        cells[2] == cells[0] + geo.GridWidth && cells[3] == cells[2] + 1 &&
                        geo.RowOfCell[cells[1]] == geo.RowOfCell[cells[0]];
    if (!square)
      return Refuse("Multiplication Table: You must select 4 cells adjacents");
    for (int i = 0; i < items.Size(); ++i)
      if (std::find(cells.begin(), cells.end(), items.Items[i].Cells[0]) != cells.end()) {
        Snapshot();
        items.RemoveAt(i);
        Post("Multiplication Table: Selection removed");
        return true;
      }
    if (items.Size() >= kMultTableItems)
      return Refuse("Two many Multiplication Table: Not selected");
    Snapshot();
    items.Append({{static_cast<CellRef>(cells[0]), static_cast<CellRef>(cells[1]),
                   static_cast<CellRef>(cells[2]), static_cast<CellRef>(cells[3])}});
    Post("Multiplication Table: Selection added");
    return true;
  });
}

// ---- The clues beside the grid ----

void ClueDefinitions::Frame(int &frameMode) {
  Define(kFrameFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    FrameClues &frame = grid.Lists.Frame;
    if (cells.size() < 3)
      return Refuse("Frame: Bad selection - select at minimum 3 contiguous cells");
    const PerimeterRun run = FindPerimeterRun(ctx_.Geo, cells);
    if (run.Side < 0)
      return Refuse("Frame: Bad selection - select at minimum 3 Continguous cells in perimeter");
    Snapshot();
    int16_t &kind = frame.Kind[run.Side][run.Line];
    if (frameMode != kFrameSum && frameMode != kFrameProduct && frameMode != kFrameMax)
      frameMode = kFrameSum;
    if (kind == frameMode) {
      frameMode = frameMode == kFrameSum ? kFrameProduct : frameMode == kFrameProduct ? kFrameMax : 0;
      if (frameMode == 0) {
        frameMode = kFrameSum;
        kind = 0;
        return true;
      }
    }
    // The frame: the first cells seen from the side, as deep as the block.
    const int depth = std::min(FrameDepth(ctx_.Geo, run.Side), ctx_.Geo.GridWidth);
    int64_t total = frameMode == kFrameProduct ? 1 : 0;
    int largest = 0;
    int largestValue = -1;
    for (int p = 0; p < depth; ++p) {
      const int v = ReferenceValue(PerimeterCell(ctx_.Geo, run.Side, run.Line, p));
      total = frameMode == kFrameProduct ? total * v : total + v;
      if (v > largestValue) {
        largestValue = v;
        largest = p;
      }
    }
    kind = static_cast<int16_t>(frameMode);
    frame.Value[run.Side][run.Line] = static_cast<int32_t>(frameMode == kFrameMax ? largest + 1 : total);
    return true;
  });
}

void ClueDefinitions::LastNumber() {
  Define(kLastNumberFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    FrameClues &frame = grid.Lists.Frame;
    if (cells.size() != 3)
      return Refuse("Last Number: Bad selection - select 3 cells - First includes value");
    const PerimeterRun run = FindPerimeterRun(ctx_.Geo, cells);
    if (run.Side < 0)
      return Refuse("Last Number: Bad selection - select 3 Continguous cells in perimeter");
    const CellRecord &edge = grid.Cells[PerimeterCell(ctx_.Geo, run.Side, run.Line, 0)];
    if (edge.Status > kStatusConflict || edge.Value <= 0)
      return Refuse("Last Number: Put Value to be set near Perimeter");
    Snapshot();
    int16_t &kind = frame.Kind[run.Side][run.Line];
    kind = static_cast<int16_t>(kind == 0                  ? kFrameLastRising
                                : kind == kFrameLastRising ? kFrameLastFalling
                                                           : 0);
    if (kind != 0)
      frame.Value[run.Side][run.Line] = edge.Value;
    return true;
  });
}

void ClueDefinitions::SkyScraper() {
  Define(kSkyScraperFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    const int w = geo.GridWidth;
    FrameClues &frame = grid.Lists.Frame;
    // The buildings seen from the side, when the solution knows the whole line; else -1.
    auto seen = [&](int side, int line) {
      int visible = 0;
      int highest = 0;
      for (int p = 0; p < w; ++p) {
        const int v = ReferenceValue(PerimeterCell(geo, side, line, p));
        if (v == 0)
          return -1;
        if (v > highest) {
          highest = v;
          ++visible;
        }
      }
      return visible;
    };
    const int n = static_cast<int>(cells.size());
    bool wholeRow = false;
    if (n == w && CellRun(geo, cells, wholeRow)) {
      // A whole side: each of its places is toggled; a cell's value gives its clue when the
      // solution cannot.
      const int side = wholeRow ? (cells[0] == 0 ? 0 : 2) : (cells[0] == 0 ? 3 : 1);
      Snapshot();
      for (int line = 0; line < w; ++line) {
        int16_t &kind = frame.Kind[side][line];
        if (kind == kFrameSkyScraper) {
          kind = 0;
          continue;
        }
        const int known = seen(side, line);
        const CellRecord &cell = grid.Cells[cells[line]];
        kind = kFrameSkyScraper;
        frame.Value[side][line] = known > 0 ? known : cell.Status < kStatusConflict ? cell.Value : 0;
      }
      return true;
    }
    if (n != 3)
      return Refuse(
          "SkyScraper: Bad selection - select 3 cells or all in one side - one in perimeter includes value");
    const PerimeterRun run = FindPerimeterRun(geo, cells);
    if (run.Side < 0)
      return Refuse("Last Number: Bad selection - select 3 Continguous cells in perimeter");
    int16_t &kind = frame.Kind[run.Side][run.Line];
    if (kind == kFrameSkyScraper) {
      Snapshot();
      kind = 0;
    } else {
      int clue = seen(run.Side, run.Line);
      if (clue <= 0) {
        const CellRecord &edge = grid.Cells[PerimeterCell(geo, run.Side, run.Line, 0)];
        if (edge.Status > kStatusConflict || edge.Value <= 0)
          return Refuse("SkyScraper: First selection must include Skyscraper value");
        clue = edge.Value;
      }
      Snapshot();
      kind = kFrameSkyScraper;
      frame.Value[run.Side][run.Line] = clue;
    }
    return true;
  });
}

void ClueDefinitions::Outside() {
  Define(kOutsideFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    const int w = geo.GridWidth;
    OutsideClues &outside = grid.Lists.Outside;
    auto clear = [&](int side, int line) {
      outside.Kind[side][line] = 0;
      outside.Count[side][line] = 0;
    };
    int side = -1;
    int line = -1;
    const int first = cells.front();
    const int row = geo.RowOfCell[first];
    const int col = geo.ColOfCell[first];
    bool alongRow = false;
    if (cells.size() == 1) {
      if (row < geo.BlockRows)
        side = 0, line = col;
      else if (row >= w - geo.BlockRows)
        side = 2, line = col;
      else if (col < geo.BlockCols)
        side = 3, line = row;
      else if (col >= w - geo.BlockCols)
        side = 1, line = row;
      if (side < 0)
        return Refuse("Outside: Bad selection - select Contiguous cells in perimeter");
    } else if (CellRun(geo, cells, alongRow)) {
      const int band = alongRow ? geo.BlockCols : geo.BlockRows;
      const int lastRow = geo.RowOfCell[cells.back()];
      const int lastCol = geo.ColOfCell[cells.back()];
      if (alongRow && lastCol < band)
        side = 3, line = row;
      else if (alongRow && col >= w - band)
        side = 1, line = row;
      else if (!alongRow && lastRow < band)
        side = 0, line = col;
      else if (!alongRow && row >= w - band)
        side = 2, line = col;
    }
    if (side < 0) {
      const int band = geo.BlockRows;
      return Refuse("Outside: Bad selection - select 2 to " + std::to_string(band) +
                    " Contiguous cells in perimeter");
    }
    Snapshot();
    const int band = FrameDepth(geo, side);
    if (outside.Kind[side][line] == kOutsideValues && outside.Count[side][line] > 0) {
      const int stored = outside.Count[side][line];
      if (band == static_cast<int>(cells.size()) + 1 && band == stored + 1) {
        // One value left: the band's cell that is not selected.
        for (int p = 0; p < band; ++p) {
          const int cell = PerimeterCell(geo, side, line, p);
          if (std::find(cells.begin(), cells.end(), cell) == cells.end()) {
            outside.Values[side][line][0] = static_cast<int16_t>(ReferenceValue(cell));
            outside.Count[side][line] = 1;
            break;
          }
        }
      } else {
        clear(side, line);
      }
    } else if (outside.Kind[side][line] == 0 || outside.Count[side][line] == 0) {
      outside.Kind[side][line] = kOutsideValues;
      outside.Count[side][line] = static_cast<int16_t>(cells.size());
      for (size_t k = 0; k < cells.size(); ++k)
        outside.Values[side][line][k] = static_cast<int16_t>(ReferenceValue(cells[k]));
    }
    return true;
  });
}

void ClueDefinitions::Oddview() {
  Define(kOddviewFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    OutsideClues &outside = grid.Lists.Outside;
    if (cells.size() != 3)
      return Refuse("Oddview: Bad selection - select 3 cells");
    const PerimeterRun run = FindPerimeterRun(geo, cells);
    if (run.Side < 0)
      return Refuse("Oddview: Bad selection - select 3 Continguous cells in perimeter");
    Snapshot();
    auto &values = outside.Values[run.Side][run.Line];
    if (outside.Kind[run.Side][run.Line] != kOutsideOddview || outside.Count[run.Side][run.Line] == 0) {
      int even = -1;
      int odd = -1;
      for (int p = 0; p < geo.GridWidth; ++p) {
        const int v = ReferenceValue(PerimeterCell(geo, run.Side, run.Line, p));
        if (v > 0 && (v % 2 == 0 ? even : odd) < 0)
          (v % 2 == 0 ? even : odd) = v;
      }
      outside.Kind[run.Side][run.Line] = kOutsideOddview;
      outside.Count[run.Side][run.Line] = 2;
      values[0] = static_cast<int16_t>(even);
      values[1] = static_cast<int16_t>(odd);
    } else if (values[1] == -1) {
      outside.Kind[run.Side][run.Line] = 0;
      outside.Count[run.Side][run.Line] = 0;
    } else if (values[0] == -1) {
      values[0] = values[2];
      values[1] = -1;
    } else {
      values[2] = values[0];
      values[0] = -1;
    }
    return true;
  });
}

void ClueDefinitions::TransferFrame() {
  Define(kTransferFrame, [&](GridRecord &grid, const std::vector<int> &cells) {
    const GridGeometry &geo = ctx_.Geo;
    OutsideClues &outside = grid.Lists.Outside;
    if (cells.size() < 2)
      return Refuse("Transfer: Bad selection - select more than one cell");
    const bool oneRow = std::all_of(cells.begin(), cells.end(),
                                    [&](int c) { return geo.RowOfCell[c] == geo.RowOfCell[cells[0]]; });
    const bool oneCol = std::all_of(cells.begin(), cells.end(),
                                    [&](int c) { return geo.ColOfCell[c] == geo.ColOfCell[cells[0]]; });
    if (!oneRow && !oneCol)
      return Refuse("Transfer: Bad selection - select cells in line or column");
    Snapshot();
    const int side = oneRow ? 3 : 0;
    const int line = oneRow ? geo.RowOfCell[cells[0]] : geo.ColOfCell[cells[0]];
    if (outside.Kind[side][line] == kOutsideTransfer) {
      outside.Kind[side][line] = 0;
      outside.Count[side][line] = 0;
    } else {
      outside.Kind[side][line] = kOutsideTransfer;
      outside.Count[side][line] = static_cast<int16_t>(std::min<size_t>(cells.size(), kMaxWidth));
      for (size_t k = 0; k < cells.size() && k < kMaxWidth; ++k)
        outside.Values[side][line][k] = static_cast<int16_t>(ReferenceValue(cells[k]));
    }
    return true;
  });
}

void ClueDefinitions::TransferHighlight() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  Snapshot();
  for (int c = 0; c < ctx_.Geo.NCells; ++c)
    grid.Cells[c].CrossedOut = 0;
  grid.Lists.Transfer.Clear();
  for (int c : cells)
    if (grid.Lists.Transfer.Append({static_cast<CellRef>(c)}))
      grid.Cells[c].CrossedOut = 1;
  if (cells.empty())
    Post("Transfer: All selection removed");
  FollowSideClueBits(grid);
  Finish();
}

} // namespace quorbel
