// The plain-unit route of the search, on a compact board: a candidate mask and a value per
// cell, the rows, columns, blocks (regular or irregular) and the diagonals or extra regions
// in use as lists of cells. Nothing is allocated per node.
//
// It walks the propagating route's tree node by node. There, each node's candidates are
// rebuilt from the units and then narrowed by the Probables rule, and the search branches
// on the open cell with the fewest candidates (lowest index first), values ascending. So
// here each level keeps its node's unit candidates, kept up to date as values are placed,
// and narrows a copy with the same rule in the same order (block after block, pass after
// pass): the narrowing depends on that order, and a value placed can give a removed
// candidate back, so it is never carried from node to node. Nodes are also pruned with
// naked and hidden singles on a scratch copy, on top of what the pruning above them found:
// when they meet a contradiction nothing lies below, and when they fill the grid exactly
// that one solution lies below. Pruning never
// changes which solution comes when, so both routes return the same solutions in the
// same order.
#include "solver/search_classic.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/block_places.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"
#include "engine/twins_rules.h"
#include "engine/unit_summary.h"
#include "solver/search.h"
#include "solver/search_links.h"
#include "solver/search_pacing.h"

namespace quorbel {

namespace {

// Each cell's units: its row, column and block, then the regions in use that hold it.
constexpr int kPlainUnits = 3;
constexpr int kRegions = 4;
constexpr int kMaxUnitsPerCell = kPlainUnits + kRegions;
constexpr int kMaxUnits = kPlainUnits * kMaxWidth + kRegions;
static_assert(kMaxUnits <= 64, "a unit set fits in 64 bits");
constexpr int kBlockOfCell = 2; // the block's place among a cell's units
// The rules besides the plain units that the route knows: they only add units.
constexpr VariantWords kUnitRules = kVarIrregular | kVarDiagonal | kVarExtraRegion;
// The links between grids whose filters run over the whole set alone: a grid outside the set
// (the generator's copy under carving) meets only their checks, against the grids as they
// stand. Those checks read filled cells, so each full board is held to them as propagation
// would hold it, and the solutions come as on the propagating route.
constexpr VariantWords kCheckedLinkRules = kVarTwinsRelation | kVarTwinsRelationMultiple |
                                           kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsZone |
                                           kVarTwinsDifferent;

// A cell's peers: the other cells of all its units.
constexpr int kMaxPeers = kMaxUnitsPerCell * (kMaxWidth - 1);

struct BlockLines {
  int count = 0;
  std::array<uint8_t, kMaxWidth> unit{}; // the line's unit
};

// The slot of `unit` among the block's lines, added when new.
uint8_t LineSlot(BlockLines &lines, int unit) {
  const auto end = lines.unit.begin() + lines.count;
  const auto found = std::find(lines.unit.begin(), end, unit);
  if (found == end)
    lines.unit[lines.count++] = static_cast<uint8_t>(unit);
  return static_cast<uint8_t>(found - lines.unit.begin());
}

struct Layout {
  int nCells = 0;
  int width = 0;
  uint32_t full = 0;
  int nUnits = 0;
  std::array<std::array<uint8_t, kMaxWidth>, kMaxUnits> unitCells{};
  std::array<uint8_t, kMaxUnits> unitSize{};
  // A unit of every value (all but a region with holes): a value with no place left in it is
  // a contradiction, and a value with one place goes there.
  std::array<bool, kMaxUnits> wholeUnit{};
  std::array<std::array<uint8_t, kMaxUnitsPerCell>, kMaxCells> cellUnits{};
  std::array<uint8_t, kMaxCells> cellUnitCount{};
  std::array<uint64_t, kMaxCells> cellUnitMask{}; // a bit per unit of the cell
  uint64_t wholeUnitMask = 0;
  std::array<std::array<uint8_t, kMaxPeers>, kMaxCells> peers{};
  std::array<uint8_t, kMaxCells> peerCount{};
  // The rows and the columns each block spans, and each cell's among its block's: the
  // Probables rule reads a block line by line.
  std::array<BlockLines, kMaxWidth> blockRows{}, blockCols{};
  std::array<uint8_t, kMaxCells> rowSlot{}, colSlot{};
  // What the layout was built from, to know when to rebuild it.
  CellTable blockOfCell{};
  std::array<std::array<CellRef, kMaxWidth>, kRegions> regionCells{};
  std::array<bool, kRegions> regionInUse{};
  // The rules a count for uniqueness reads here in their own way (none otherwise), and what the
  // node loop asks of them all, known once they are built: whether any is in play, whether one
  // asks an order-free settle to read again, and whether one asks it for the Probables rule too.
  SearchLinks links;
  bool anyLink = false;
  bool settlesAgain = false;
  bool settlesWithProbables = false;
  // A count that reads only whether a second solution exists walks a tree of its own.
  bool orderFree = false;
  // There each cell tries first the value of the grid's reference solution (0: none). A second
  // solution mostly differs from it in a few cells, so it comes soon after the first.
  std::array<uint8_t, kMaxCells> preferred{};
  int knownCell = -1; // the cell whose known value the root leaves out (-1 none)
};

// An open cell has value 0 and its candidates; a decided cell its value and no candidate.
// A level's board holds the candidates its units leave; a node's narrowed copy, fewer. The
// marks say what the links have still to read of it.
struct Board {
  std::array<uint16_t, kMaxCells> cand;
  std::array<uint8_t, kMaxCells> value;
  int open;
  LinkMarks marks;
};

LinkBoard LinksView(Board &board) { return {board.value, board.cand}; }

// One level of the tree: its node's values and unit candidates, and the cell it branches
// on (-1 none).
struct Level {
  Board board;
  int cell;
  uint16_t tried; // the cell's candidates when it was branched on
  int index;      // the candidate under trial, from 1
  // The singles' closure of the node, when it was pruned and left open: what every solution
  // below it holds. `closure` names the nearest level above or here that has one (-1 none).
  Board pruned;
  int closure = -1;
  // The node's board as the links of a grid under carving leave it, when it was read and stayed
  // open: what every board below it that passes their checks holds.
  Board linked;
  bool hasLinked = false;
};

// What the last call wrote into its grid: when the grid still holds exactly that, the levels
// it left are the ones a replay would rebuild, and the next call goes on from them.
struct LeftInGrid {
  const GridRecord *grid = nullptr; // none: the levels stand for no grid
  int depth = 0;
  std::array<int32_t, kMaxCells> status{};
  std::array<int32_t, kMaxCells> value{};
  std::array<int16_t, kMaxCells> stack{};
  std::array<uint32_t, kMaxCells> saved{};
  std::array<int32_t, kMaxCells> index{};
};

// Kept from call to call so that the search loop never allocates.
struct Scratch {
  Layout layout;
  Board known; // the known solution's board while a search reads it
  std::vector<Level> levels;
  Board narrowed;
  Board pruning;
  LeftInGrid left;
};

Scratch &ScratchOf(EngineContext &ctx) {
  if (!ctx.SearchScratch)
    ctx.SearchScratch = std::make_shared<Scratch>();
  return *static_cast<Scratch *>(ctx.SearchScratch.get());
}

bool IsSearchCell(const CellRecord &cell) {
  return cell.Status == kStatusHypothesis || cell.Status == kStatusEmpty || cell.Status == kStatusPencilled;
}

bool BlockTablesAgree(const GridGeometry &geo, const GridRecord &grid) {
  std::array<bool, kMaxCells> seen{};
  for (int b = 0; b < geo.GridWidth; ++b) {
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int cell = grid.BlockCells[b][k];
      if (cell < 0 || cell >= geo.NCells || seen[cell] || grid.BlockOfCell[cell] != b)
        return false;
      seen[cell] = true;
    }
  }
  return true;
}

bool OnGrid(const GridGeometry &geo, int cell) { return cell >= 0 && cell < geo.NCells; }

// The regions the propagating route reads as units: each in use lists distinct cells, and
// exactly those are marked as its own.
bool RegionTablesAgree(const GridGeometry &geo, const GridRecord &grid) {
  for (int region = 0; region < kRegions; ++region) {
    if (!RegionUnitInUse(grid, region))
      continue;
    std::array<bool, kMaxCells> listed{};
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int cell = grid.RegionCells[region][k];
      if (!OnGrid(geo, cell))
        continue;
      if (listed[cell])
        return false;
      listed[cell] = true;
    }
    for (int c = 0; c < geo.NCells; ++c)
      if (listed[c] != (grid.RegionMark[region][c] >= 0))
        return false;
  }
  return true;
}

void AddUnit(Layout &layout, const GridGeometry &geo, std::span<const CellRef> cells) {
  const int unit = layout.nUnits++;
  int size = 0;
  for (const CellRef cell : cells)
    if (OnGrid(geo, cell)) {
      layout.unitCells[unit][size++] = static_cast<uint8_t>(cell);
      layout.cellUnits[cell][layout.cellUnitCount[cell]++] = static_cast<uint8_t>(unit);
    }
  layout.unitSize[unit] = static_cast<uint8_t>(size);
  layout.wholeUnit[unit] = size == geo.GridWidth;
  for (int k = 0; k < size; ++k)
    layout.cellUnitMask[layout.unitCells[unit][k]] |= uint64_t{1} << unit;
  if (layout.wholeUnit[unit])
    layout.wholeUnitMask |= uint64_t{1} << unit;
}

// The units, rebuilt only when the shape, the blocks or the regions differ from the last
// search's. False when they were rebuilt.
bool BuildLayout(const GridGeometry &geo, const GridRecord &grid, Layout &layout) {
  const int w = geo.GridWidth;
  std::array<bool, kRegions> inUse{};
  for (int region = 0; region < kRegions; ++region)
    inUse[region] = RegionUnitInUse(grid, region);
  if (layout.width == w && layout.nCells == geo.NCells && layout.blockOfCell == grid.BlockOfCell &&
      layout.regionInUse == inUse && layout.regionCells == grid.RegionCells)
    return true;
  layout.nCells = geo.NCells;
  layout.width = w;
  layout.full = geo.FullMask;
  layout.nUnits = 0;
  layout.wholeUnitMask = 0;
  std::fill_n(layout.cellUnitCount.begin(), geo.NCells, uint8_t{0});
  std::fill_n(layout.cellUnitMask.begin(), geo.NCells, uint64_t{0});
  // Rows, columns and blocks first, so that a cell's block is its third unit.
  for (int u = 0; u < w; ++u)
    AddUnit(layout, geo, std::span(geo.RowCells[u]).first(w));
  for (int u = 0; u < w; ++u)
    AddUnit(layout, geo, std::span(geo.ColCells[u]).first(w));
  for (int u = 0; u < w; ++u)
    AddUnit(layout, geo, std::span(grid.BlockCells[u]).first(w));
  for (int region = 0; region < kRegions; ++region)
    if (inUse[region])
      AddUnit(layout, geo, std::span(grid.RegionCells[region]).first(w));
  for (int c = 0; c < geo.NCells; ++c) {
    int count = 0;
    for (int u = 0; u < layout.cellUnitCount[c]; ++u) {
      const uint8_t unit = layout.cellUnits[c][u];
      for (int k = 0; k < layout.unitSize[unit]; ++k) {
        const uint8_t peer = layout.unitCells[unit][k];
        const auto listed = layout.peers[c].begin() + count;
        if (peer != c && std::find(layout.peers[c].begin(), listed, peer) == listed)
          layout.peers[c][count++] = peer;
      }
    }
    layout.peerCount[c] = static_cast<uint8_t>(count);
  }
  for (int b = 0; b < w; ++b) {
    layout.blockRows[b].count = layout.blockCols[b].count = 0;
    for (int k = 0; k < w; ++k) {
      const int c = grid.BlockCells[b][k];
      layout.rowSlot[c] = LineSlot(layout.blockRows[b], layout.cellUnits[c][0]);
      layout.colSlot[c] = LineSlot(layout.blockCols[b], layout.cellUnits[c][1]);
    }
  }
  layout.blockOfCell = grid.BlockOfCell;
  layout.regionCells = grid.RegionCells;
  layout.regionInUse = inUse;
  return false;
}

// The links built from the grid, reading it where `read(kind)` says. False when one changed.
template <typename Read>
bool BuildLayoutLinks(const GridGeometry &geo, const GridRecord &grid, Read read, Layout &layout) {
  const bool same = BuildLinks(layout.links, geo, grid, read);
  layout.anyLink = AnyLink(layout.links);
  layout.settlesAgain = AnyLinkIn(layout.links, [](const auto &link) { return link.kSettlesAgain; });
  layout.settlesWithProbables =
      AnyLinkIn(layout.links, [](const auto &link) { return link.kSettlesWithProbables; });
  return same;
}

void CopyBoard(const Layout &layout, Board &dst, const Board &src) {
  std::memcpy(dst.cand.data(), src.cand.data(), static_cast<size_t>(layout.nCells) * sizeof(uint16_t));
  std::memcpy(dst.value.data(), src.value.data(), static_cast<size_t>(layout.nCells));
  dst.open = src.open;
  dst.marks = src.marks;
}

// Places one of the cell's candidates and takes it from the cell's open peers, then the links
// narrow around it. False when a peer loses its last candidate, or a link finds a contradiction.
bool PlaceValue(const Layout &layout, Board &board, int cell, int value) {
  const SearchLinks &links = layout.links;
  board.value[cell] = static_cast<uint8_t>(value);
  board.cand[cell] = 0;
  TouchLinks(links, board.marks, cell);
  --board.open;
  const uint16_t bit = static_cast<uint16_t>(1u << (value - 1));
  const auto &peers = layout.peers[cell];
  for (int k = 0; k < layout.peerCount[cell]; ++k) {
    uint16_t &cand = board.cand[peers[k]];
    if ((cand & bit) == 0)
      continue;
    TouchLinks(links, board.marks, peers[k]);
    if ((cand &= static_cast<uint16_t>(~bit)) == 0)
      return false;
  }
  const auto placed = static_cast<uint8_t>(cell);
  return !layout.anyLink ||
         NarrowAroundLinks<LinkReading::All>(links, LinksView(board), board.marks, std::span(&placed, 1),
                                             [&](int c) { return board.cand[c] != 0; });
}

// Places `value` in `cell`, then every cell left with a single candidate; the units of
// every cell that changed join `touched`. False on a contradiction: a cell without
// candidates, or a value twice in a unit.
bool PlaceForced(const Layout &layout, Board &board, int cell, int value, uint64_t &touched) {
  std::array<uint8_t, kMaxCells> queue; // each cell is decided once
  int head = 0;
  int tail = 0;
  // A cell decided takes its value from its open peers once its turn in the queue comes: till
  // then only a cell decided meanwhile can clash with it, which is when the clash is seen. The
  // links read it then too.
  const SearchLinks &links = layout.links;
  // Every cell whose candidates change is told to the links before it is decided.
  auto decide = [&](int c, int v) {
    for (int k = head; k < tail; ++k)
      if (board.value[queue[k]] == v && (layout.cellUnitMask[queue[k]] & layout.cellUnitMask[c]) != 0)
        return false;
    board.value[c] = static_cast<uint8_t>(v);
    board.cand[c] = 0;
    --board.open;
    queue[tail++] = static_cast<uint8_t>(c);
    touched |= layout.cellUnitMask[c];
    return true;
  };
  TouchLinks(links, board.marks, cell);
  if (!decide(cell, value))
    return false;
  const auto narrowed = [&](int other) {
    const uint16_t left = board.cand[other];
    touched |= layout.cellUnitMask[other];
    return left != 0 && ((left & (left - 1)) != 0 || decide(other, std::countr_zero(left) + 1));
  };
  // The links that weigh the candidates read around the cells decided once the queue runs dry:
  // a diagonal that several of them cross is read once for all.
  const LinkBoard view = LinksView(board);
  do {
    while (head < tail) {
      const int c = queue[head++];
      const uint16_t bit = static_cast<uint16_t>(1u << (board.value[c] - 1));
      const auto &peers = layout.peers[c];
      // Decided peers have no candidate left: only open ones can lose the value.
      for (int k = 0; k < layout.peerCount[c]; ++k) {
        const int peer = peers[k];
        uint16_t &cand = board.cand[peer];
        if ((cand & bit) == 0)
          continue;
        cand = static_cast<uint16_t>(cand & ~bit);
        touched |= layout.cellUnitMask[peer];
        TouchLinks(links, board.marks, peer);
        if (cand == 0 || ((cand & (cand - 1)) == 0 && !decide(peer, std::countr_zero(cand) + 1)))
          return false;
      }
      if (layout.anyLink &&
          !NarrowAroundLinks<LinkReading::DecidedCells>(
              links, view, board.marks, std::span(queue).subspan(static_cast<size_t>(head) - 1, 1), narrowed))
        return false;
    }
    if (layout.anyLink &&
        !NarrowAroundLinks<LinkReading::Candidates>(
            links, view, board.marks, std::span(queue).first(static_cast<size_t>(head)), narrowed))
      return false;
  } while (head < tail);
  return true;
}

// The grid's own values (statuses 1..3) fixed, every trial or open cell open with the
// candidates its units leave. False when that already contradicts itself.
bool BuildRoot(const Layout &layout, const GridRecord &grid, Board &root) {
  std::array<uint32_t, kMaxUnits> taken{};
  root.open = 0;
  for (int c = 0; c < layout.nCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    root.value[c] = 0;
    root.cand[c] = 0;
    if (IsSearchCell(cell)) {
      ++root.open;
      continue;
    }
    const uint32_t bit = ValueBit(cell.Value);
    for (int u = 0; u < layout.cellUnitCount[c]; ++u) {
      const uint8_t unit = layout.cellUnits[c][u];
      if ((taken[unit] & bit) != 0)
        return false;
      taken[unit] |= bit;
    }
    root.value[c] = static_cast<uint8_t>(cell.Value);
  }
  for (int c = 0; c < layout.nCells; ++c) {
    if (root.value[c] != 0 || !IsSearchCell(grid.Cells[c]))
      continue;
    uint32_t cand = layout.full;
    for (int u = 0; u < layout.cellUnitCount[c]; ++u)
      cand &= ~taken[layout.cellUnits[c][u]];
    root.cand[c] = static_cast<uint16_t>(cand);
    if (root.cand[c] == 0)
      return false;
  }
  // The links read the fresh board whole.
  root.marks = FreshMarks(layout.links);
  return NarrowEveryLink<LinkReading::All>(layout.links, LinksView(root), root.marks,
                                           [&](int other) { return root.cand[other] != 0; });
}

// Takes `values` from the open cells of a line that lie outside a block; the blocks of the
// cells that lost one are marked in `changed`. False when a cell loses its last candidate.
bool RemoveOutsideBlock(const Layout &layout, Board &board, int lineUnit, int blockUnit, uint32_t values,
                        uint32_t &changed) {
  const auto &cells = layout.unitCells[lineUnit];
  for (int k = 0; k < layout.width; ++k) {
    const int c = cells[k];
    uint16_t &cand = board.cand[c];
    const int block = layout.cellUnits[c][kBlockOfCell];
    if ((cand & values) == 0 || block == blockUnit)
      continue;
    changed |= 1u << (block - 2 * layout.width);
    if ((cand &= static_cast<uint16_t>(~values)) == 0)
      return false;
  }
  return true;
}

// Removes along the block's lines the values whose places all lie on one of them.
bool RemoveAlongLines(const Layout &layout, Board &board, const BlockLines &lines,
                      const std::array<uint32_t, kMaxWidth> &lineValues, uint32_t oneLine, int blockUnit,
                      uint32_t &changed) {
  for (int k = 0; oneLine != 0 && k < lines.count; ++k) {
    const uint32_t values = lineValues[k] & oneLine;
    if (values != 0 && !RemoveOutsideBlock(layout, board, lines.unit[k], blockUnit, values, changed))
      return false;
  }
  return true;
}

// The Probables rule as propagation applies it at every node: block after block, pass
// after pass until one removes nothing. A block none of whose cells changed since it was
// last read would remove nothing again, so it is skipped. False when a cell loses its
// last candidate.
bool NarrowWithProbables(const Layout &layout, Board &board, uint32_t changed) {
  const int w = layout.width;
  while (changed != 0) {
    for (int b = 0; b < w; ++b) {
      if ((changed & (1u << b)) == 0)
        continue;
      changed &= ~(1u << b);
      const int blockUnit = 2 * w + b;
      const auto &cells = layout.unitCells[blockUnit];
      BlockPlaces places;
      // A decided cell has no candidates, and adds nothing.
      for (int k = 0; k < w; ++k) {
        const int c = cells[k];
        places.Add(board.cand[c], layout.rowSlot[c], layout.colSlot[c]);
      }
      const BlockLines &rows = layout.blockRows[b];
      const BlockLines &cols = layout.blockCols[b];
      if (!RemoveAlongLines(layout, board, rows, places.Rows, places.OnOneRow(rows.count), blockUnit,
                            changed) ||
          !RemoveAlongLines(layout, board, cols, places.Cols, places.OnOneCol(cols.count), blockUnit,
                            changed))
        return false;
    }
  }
  return true;
}

// A node's narrowing. The Probables rule is read only to walk propagation's tree: a count that
// reads links, or only whether a second solution exists, walks a tree of its own, where the
// rule costs more than it prunes. The links that weigh the candidates are read again whole
// (the diagonals: their cells' candidates shrink as their peers are decided).
bool NarrowNode(const Layout &layout, Board &board) {
  if (layout.anyLink)
    return NarrowEveryLink<LinkReading::Candidates>(layout.links, LinksView(board), board.marks,
                                                    [&](int c) { return board.cand[c] != 0; });
  return layout.orderFree || NarrowWithProbables(layout, board, WidthMask(layout.width));
}

enum class Outcome { Dead, Solved, Open };

// A full board counts only when the links hold on it whole: what was read of them while it
// filled did not see every line, every Touchy cell and every black figure's defence.
Outcome Filled(const Layout &layout, const Board &board) {
  return LinksHoldOnFull(layout.links, board.value) ? Outcome::Solved : Outcome::Dead;
}

// The cells changed since a board's singles last settled, at most one pass of the board's
// cells (a cell may come twice); past that, every cell.
struct ChangedCells {
  std::array<uint8_t, kMaxCells> cells;
  int count = 0;
  bool all = false;
  uint64_t units = 0;
  bool Any() const { return all || count > 0; }
  static ChangedCells Every(const Layout &layout) {
    ChangedCells every;
    every.all = true;
    every.units = layout.wholeUnitMask;
    return every;
  }
  // The cells whose candidates differ between the boards.
  static ChangedCells Between(const Layout &layout, const Board &before, const Board &after) {
    ChangedCells changed;
    for (int c = 0; c < layout.nCells; ++c)
      if (before.cand[c] != after.cand[c])
        changed.Add(layout, c);
    return changed;
  }
  void Add(const Layout &layout, int c) {
    units |= layout.cellUnitMask[c];
    if (count < layout.nCells)
      cells[count++] = static_cast<uint8_t>(c);
    else
      all = true;
  }
};

// Naked singles among `changed`, then hidden singles on top of their closure in the units of
// the changed cells, until nothing more follows: a single appears only where a candidate went.
// A unit is read again only when one of its cells changed since: the closure is the same
// whatever the order it is reached in.
Outcome PruneWithSingles(const Layout &layout, Board &board, const ChangedCells &changed) {
  uint64_t toRead = changed.units; // only whole units: the others' peers keep their values apart
  const auto nakedSingle = [&](int c) {
    const uint16_t cand = board.cand[c];
    return board.value[c] == 0 && cand != 0 && (cand & (cand - 1)) == 0 &&
           !PlaceForced(layout, board, c, std::countr_zero(cand) + 1, toRead);
  };
  if (changed.all) {
    for (int c = 0; c < layout.nCells; ++c)
      if (nakedSingle(c))
        return Outcome::Dead;
  } else {
    for (int k = 0; k < changed.count; ++k)
      if (nakedSingle(changed.cells[k]))
        return Outcome::Dead;
  }
  for (toRead &= layout.wholeUnitMask; toRead != 0; toRead &= layout.wholeUnitMask) {
    if (board.open == 0)
      return Filled(layout, board);
    const int u = std::countr_zero(toRead);
    toRead &= toRead - 1;
    const auto &cells = layout.unitCells[u];
    uint32_t once = 0;
    uint32_t twice = 0;
    uint32_t taken = 0;
    // A decided cell has no candidates and an open one no value: no branch is needed.
    for (int k = 0; k < layout.width; ++k) {
      const int c = cells[k];
      const uint32_t cand = board.cand[c];
      twice |= once & cand;
      once |= cand;
      taken |= (1u << board.value[c]) >> 1;
    }
    if ((once | taken) != layout.full)
      return Outcome::Dead; // a value with no place left in this unit
    for (uint32_t hidden = once & ~twice & ~taken; hidden != 0; hidden &= hidden - 1) {
      const uint32_t bit = hidden & (~hidden + 1);
      for (int k = 0; k < layout.width; ++k) {
        const int c = cells[k];
        // A cell decided meanwhile leaves the unit to be read again.
        if (board.value[c] != 0 || (board.cand[c] & bit) == 0)
          continue;
        if (!PlaceForced(layout, board, c, std::countr_zero(bit) + 1, toRead))
          return Outcome::Dead;
        break;
      }
    }
  }
  return board.open == 0 ? Filled(layout, board) : Outcome::Open;
}

Outcome PruneWithSingles(const Layout &layout, Board &board) {
  return PruneWithSingles(layout, board, ChangedCells::Every(layout));
}

// The open cell with the fewest candidates, the lowest index first. No open cell of a
// live node is without candidates.
int ChooseBranchCell(const Layout &layout, const Board &board) {
  constexpr int kFewestPossible = 1;
  int best = kMaxWidth + 1;
  int chosen = -1;
  for (int c = 0; c < layout.nCells; ++c) {
    if (board.value[c] != 0)
      continue;
    const int n = CountBits16(board.cand[c]);
    if (n < best) {
      best = n;
      chosen = c;
      if (n <= kFewestPossible)
        break;
    }
  }
  return chosen;
}

// The node's narrowed board with a closure from above: a value the closure decided or took
// away holds for every solution below. False when the two disagree.
bool Combine(const Layout &layout, const Board &narrowed, const Board &closure, Board &out) {
  out.open = 0;
  out.marks = FreshMarks(layout.links);
  for (int c = 0; c < layout.nCells; ++c) {
    const int placed = narrowed.value[c];
    const int known = closure.value[c];
    if (placed != 0) {
      if (known != 0 ? known != placed : (closure.cand[c] & (1u << (placed - 1))) == 0)
        return false;
      out.value[c] = static_cast<uint8_t>(placed);
      out.cand[c] = 0;
    } else if (known != 0) {
      if ((narrowed.cand[c] & (1u << (known - 1))) == 0)
        return false;
      out.value[c] = static_cast<uint8_t>(known);
      out.cand[c] = 0;
    } else {
      out.value[c] = 0;
      out.cand[c] = static_cast<uint16_t>(narrowed.cand[c] & closure.cand[c]);
      if (out.cand[c] == 0)
        return false;
      ++out.open;
    }
  }
  return true;
}

// The blocks (bit b for block b) holding a cell whose candidates differ between the boards.
uint32_t BlocksChanged(const Layout &layout, const uint16_t *before, const Board &after) {
  uint32_t blocks = 0;
  for (int c = 0; c < layout.nCells; ++c)
    if (before[c] != after.cand[c])
      blocks |= 1u << (layout.cellUnits[c][kBlockOfCell] - 2 * layout.width); // after rows and columns
  return blocks;
}

// A count whose order cannot show settles a node on its own board: singles and the links (the
// diagonals' totals, Touchy's neighbours) in turn, until none takes anything away; with a link
// that asks for it, then the Probables rule too (the diagonals': it prunes their sparse grids'
// trees more than it costs). What they narrow is read again for singles. `parent`, when given,
// is a settled board this one differs from by a few cells: only what changed since is read again.
Outcome SettleOrderFree(const Layout &layout, Board &board, const Board *parent) {
  const SearchLinks &links = layout.links;
  const auto n = static_cast<size_t>(layout.nCells);
  Outcome outcome = PruneWithSingles(layout, board,
                                     parent != nullptr ? ChangedCells::Between(layout, *parent, board)
                                                       : ChangedCells::Every(layout));
  // The candidates the Probables rule last left as they were (none: every block is read).
  std::array<uint16_t, kMaxCells> settledByProbables;
  const uint16_t *probablesLeft = parent != nullptr ? parent->cand.data() : nullptr;
  for (;;) {
    if (outcome != Outcome::Open || !layout.settlesAgain)
      return outcome;
    ChangedCells changed;
    const auto live = [&](int c) { return (changed.Add(layout, c), board.cand[c] != 0); };
    if (!NarrowEveryLink<LinkReading::All>(links, LinksView(board), board.marks, live))
      return Outcome::Dead;
    if (!changed.Any() && layout.settlesWithProbables) {
      const uint32_t blocks =
          probablesLeft != nullptr ? BlocksChanged(layout, probablesLeft, board) : WidthMask(layout.width);
      std::array<uint16_t, kMaxCells> before;
      std::copy_n(board.cand.begin(), n, before.begin());
      if (blocks != 0 && !NarrowWithProbables(layout, board, blocks))
        return Outcome::Dead;
      // A cell the rule narrowed is read again by the links.
      for (size_t c = 0; c < n; ++c)
        if (before[c] != board.cand[c]) {
          TouchLinks(links, board.marks, static_cast<int>(c));
          live(static_cast<int>(c));
        }
      std::copy_n(board.cand.begin(), n, settledByProbables.begin());
      probablesLeft = settledByProbables.data();
    }
    if (!changed.Any())
      return outcome;
    outcome = PruneWithSingles(layout, board, changed);
  }
}

// A node of a count whose order cannot show: its own board takes every single at once, so a
// chain of forced cells is one node, and its closure needs no keeping. A link may say where it
// branches (the diagonals: where they are tightest, as a total decided early prunes more than
// the fewest candidates anywhere).
Outcome SettleOrderFreeNode(const Layout &layout, Level &level, const Board *parent, const Board *&solution) {
  const Outcome outcome = SettleOrderFree(layout, level.board, parent);
  if (outcome == Outcome::Solved)
    solution = &level.board;
  if (outcome != Outcome::Open)
    return outcome;
  level.cell = layout.anyLink ? LinkBranchCell(layout.links, LinksView(level.board)) : -1;
  if (level.cell < 0)
    level.cell = ChooseBranchCell(layout, level.board);
  level.tried = level.board.cand[level.cell];
  level.index = 0;
  return Outcome::Open;
}

// A fresh node: its candidates narrowed as propagation narrows them, then the cell it
// branches on (-1 when nothing lies below). The first node of a chain of forced cells (the
// root, or a child of a real branch) is pruned: further down the chain the pruning costs
// more than it saves. So is a node with one open cell left, which settles it: no level
// lies below a full grid, and the levels stay within the branch stack. Solved: `solution`
// points at the one solution below.
Outcome ExploreNode(const Layout &layout, std::vector<Level> &levels, int depth, bool chainStart,
                    Scratch &scratch, const Board *&solution) {
  Level &level = levels[depth];
  level.cell = -1;
  level.closure = depth > 0 ? levels[depth - 1].closure : -1;
  if (layout.orderFree)
    return SettleOrderFreeNode(layout, level, depth > 0 ? &levels[depth - 1].board : nullptr, solution);
  Board &narrowed = scratch.narrowed;
  CopyBoard(layout, narrowed, level.board);
  if (!NarrowNode(layout, narrowed))
    return Outcome::Dead;
  if (chainStart || narrowed.open <= 1) {
    // The pruning starts from what the closure above already knows, and keeps its own
    // closure for the nodes below when it stays open.
    Board &pruning = chainStart ? level.pruned : scratch.pruning;
    bool alive = true;
    if (level.closure >= 0)
      alive = Combine(layout, narrowed, levels[level.closure].pruned, pruning);
    else
      CopyBoard(layout, pruning, narrowed);
    const Outcome outcome = alive ? PruneWithSingles(layout, pruning) : Outcome::Dead;
    if (outcome == Outcome::Solved)
      solution = &pruning;
    if (outcome != Outcome::Open)
      return outcome;
    if (chainStart)
      level.closure = depth;
  }
  level.cell = ChooseBranchCell(layout, narrowed);
  level.tried = narrowed.cand[level.cell];
  level.index = 0;
  return Outcome::Open;
}

// The value a level tries at `index` (from 1): the cell's preferred value first when it is a
// candidate, then the others ascending.
int TrialValue(const Layout &layout, int cell, uint16_t tried, int index) {
  const int preferred = layout.preferred[cell];
  const uint32_t first = preferred != 0 ? tried & ValueBit(preferred) : 0;
  if (first == 0)
    return NthPossValue(tried, index, layout.width);
  return index == 1 ? preferred : NthPossValue(tried & ~first, index - 1, layout.width);
}

// Moves the level to its next candidate that leaves every cell a candidate; the board
// with it placed becomes the level below. False when every candidate was tried.
bool NextChild(const Layout &layout, std::vector<Level> &levels, int depth) {
  Level &level = levels[depth];
  // A child always leaves a cell open, so the levels never outgrow the branch stack; the
  // test only keeps the indexes in range.
  if (level.cell < 0 || depth + 1 >= kMaxCells)
    return false;
  const int count = CountBits16(level.tried);
  Board &child = levels[depth + 1].board;
  while (level.index < count) {
    ++level.index;
    CopyBoard(layout, child, level.board);
    if (PlaceValue(layout, child, level.cell, TrialValue(layout, level.cell, level.tried, level.index)))
      return true;
  }
  return false;
}

// A trial value as the propagating route leaves it: status 4, its bit as candidates. A
// cell that was never branched on shows itself as tried alone.
void WriteTrialValue(EngineContext &ctx, GridRecord &grid, int c, int value) {
  CellRecord &cell = grid.Cells[c];
  cell.ThePoss = ValueBit(value);
  SetCellValue(ctx, grid, c, 1, kActionHypothesis);
  cell.SavedPoss = ValueBit(value);
  cell.SavedNPoss = 1;
  cell.HypIndex = 1;
}

// An undecided search cell, as BeginGridSearch left it.
void WriteOpenCell(EngineContext &ctx, GridRecord &grid, int c) {
  CellRecord &cell = grid.Cells[c];
  if (cell.Status == kStatusEmpty && cell.Value == 0 && cell.HypIndex == 0)
    return;
  const uint32_t marks = cell.Marks;
  SetCellValue(ctx, grid, c, 0, kActionClear); // n = 0: empties the cell and reports nothing
  cell.Marks = marks;
  cell.HypIndex = 0;
}

// The search as it stands into the grid: the branch stack down to `depth`, the mark after
// it, and the search cells from `shown` (null: all open).
void WriteSearch(EngineContext &ctx, GridRecord &grid, const Layout &layout, const std::vector<Level> &levels,
                 int depth, int16_t top, const Board *shown) {
  for (int c = 0; c < layout.nCells; ++c) {
    if (!IsSearchCell(grid.Cells[c]))
      continue;
    if (shown != nullptr && shown->value[c] != 0)
      WriteTrialValue(ctx, grid, c, shown->value[c]);
    else
      WriteOpenCell(ctx, grid, c);
  }
  for (int k = 0; k < depth; ++k) {
    const Level &level = levels[k];
    CellRecord &cell = grid.Cells[level.cell];
    grid.BranchStack[k] = static_cast<int16_t>(level.cell);
    cell.SavedPoss = level.tried;
    cell.SavedNPoss = CountBits16(level.tried);
    cell.HypIndex = level.index;
  }
  grid.SearchDepth = depth;
  if (depth >= 0)
    grid.BranchStack[depth] = top;
}

// Rebuilds the levels along the stored branch stack. False when the grid no longer
// matches it (changed while the search was paused): such a search cannot go on.
bool Replay(const Layout &layout, const GridRecord &grid, std::vector<Level> &levels, int depth,
            Board &narrowed) {
  for (int k = 0; k <= depth; ++k)
    levels[k].closure = -1; // no closure is known on a replayed way down
  for (int k = 0; k < depth; ++k) {
    Level &level = levels[k];
    const int c = grid.BranchStack[k];
    if (layout.orderFree && SettleOrderFree(layout, level.board, nullptr) != Outcome::Open)
      return false;
    if (c < 0 || c >= layout.nCells || level.board.value[c] != 0)
      return false;
    const Board *read = &level.board;
    if (!layout.orderFree) {
      CopyBoard(layout, narrowed, level.board);
      if (!NarrowNode(layout, narrowed))
        return false;
      read = &narrowed;
    }
    const CellRecord &cell = grid.Cells[c];
    const uint32_t tried = read->cand[c];
    if (tried != (cell.SavedPoss & layout.full) || cell.HypIndex < 1 || cell.HypIndex > CountBits16(tried))
      return false;
    level.cell = c;
    level.tried = static_cast<uint16_t>(tried);
    level.index = cell.HypIndex;
    Board &child = levels[k + 1].board;
    CopyBoard(layout, child, level.board);
    if (!PlaceValue(layout, child, c, TrialValue(layout, c, level.tried, level.index)))
      return false;
  }
  return true;
}

// What the plain units make of a cell: a value that takes part in them (in range, and as its
// Excluded mask says, which propagation reads), an open cell, or neither (a given outside the
// units, a conflict mark, another status).
enum class PlainCell { Filled, Open, Other };
PlainCell PlainCellOf(const CellRecord &cell, int width, uint32_t full) {
  switch (cell.Status) {
  case kStatusPlaced:
  case kStatusPlacedLastStep:
  case kStatusFixed:
  case kStatusHypothesis:
    return cell.Value >= 1 && cell.Value <= width && (~cell.Excluded & full) == ValueBit(cell.Value)
               ? PlainCell::Filled
               : PlainCell::Other;
  case kStatusEmpty:
  case kStatusPencilled:
    return PlainCell::Open;
  default:
    return PlainCell::Other;
  }
}

// The shape the plain units can be read from: a square grid whose block and region tables agree.
bool PlainShape(const GridGeometry &geo, const GridRecord &grid) {
  const int w = geo.GridWidth;
  return FitsGeometry(geo, grid) && w >= 1 && w <= kMaxWidth && geo.NCells == w * w &&
         BlockTablesAgree(geo, grid) && RegionTablesAgree(geo, grid);
}

// The board of a grid in search as its cells stand: filled cells decided, open cells with
// their candidates. False when a cell is neither.
bool BoardOfCells(const Layout &layout, const GridRecord &grid, Board &board) {
  board.open = 0;
  board.marks = FreshMarks(layout.links);
  for (int c = 0; c < layout.nCells; ++c) {
    const CellRecord &cell = grid.Cells[c];
    board.value[c] = 0;
    board.cand[c] = 0;
    switch (PlainCellOf(cell, layout.width, layout.full)) {
    case PlainCell::Filled:
      board.value[c] = static_cast<uint8_t>(cell.Value);
      break;
    case PlainCell::Open:
      board.cand[c] = static_cast<uint16_t>(cell.ThePoss & layout.full);
      ++board.open;
      break;
    case PlainCell::Other:
      return false;
    }
  }
  return true;
}

void RememberLeft(const Layout &layout, const GridRecord &grid, int depth, LeftInGrid &left) {
  left.grid = &grid;
  left.depth = depth;
  for (int c = 0; c < layout.nCells; ++c) {
    left.status[c] = grid.Cells[c].Status;
    left.value[c] = grid.Cells[c].Value;
  }
  for (int k = 0; k < depth; ++k) {
    const CellRecord &cell = grid.Cells[grid.BranchStack[k]];
    left.stack[k] = grid.BranchStack[k];
    left.saved[k] = cell.SavedPoss;
    left.index[k] = cell.HypIndex;
  }
}

bool StillLeft(const Layout &layout, const GridRecord &grid, int depth, const LeftInGrid &left) {
  if (left.grid != &grid || left.depth != depth)
    return false;
  for (int c = 0; c < layout.nCells; ++c)
    if (left.status[c] != grid.Cells[c].Status || left.value[c] != grid.Cells[c].Value)
      return false;
  for (int k = 0; k < depth; ++k) {
    if (left.stack[k] != grid.BranchStack[k])
      return false;
    const CellRecord &cell = grid.Cells[grid.BranchStack[k]];
    if (left.saved[k] != cell.SavedPoss || left.index[k] != cell.HypIndex)
      return false;
  }
  return true;
}

// A full board written into the grid and propagated as the other route would at that node:
// false when the checks of the links find a conflict.
bool HoldsItsLinks(EngineContext &ctx, GridRecord &grid, const Layout &layout,
                   const std::vector<Level> &levels, int depth, const Board &solution) {
  WriteSearch(ctx, grid, layout, levels, depth, kTopDone, &solution);
  PropagateSearchGrid(ctx, grid);
  return grid.State != kGridContradiction;
}

// What the links of a grid under carving let each cell hold against the linked grids as they
// stand: the values the checks of Relation, Equal, Zone and Differents allow, and for a
// Substitution map the value each cell faces (0: an open cell there). Those checks read only
// full boards, so a node is left once its board can no longer pass them. Only such dead nodes
// are left, and no candidate of a live node is narrowed: the solutions still come in the same
// order.
struct LinkFaces {
  bool active = false;
  std::array<uint32_t, kMaxCells> allowed{};
  bool mapped = false;
  std::array<uint8_t, kMaxCells> faced{};
  uint32_t facedValues = 0;
};

LinkFaces FacesOfLinks(EngineContext &ctx, GridRecord &grid, const Layout &layout) {
  LinkFaces faces;
  std::fill_n(faces.allowed.begin(), layout.nCells, layout.full);
  AllowedByFilledPartners(ctx, grid, std::span(faces.allowed).first(static_cast<size_t>(layout.nCells)));
  faces.active = std::any_of(faces.allowed.begin(), faces.allowed.begin() + layout.nCells,
                             [&](uint32_t mask) { return mask != layout.full; });
  if (const GridRecord *partner = SubstitutionPartner(ctx, grid))
    for (int c = 0; c < layout.nCells; ++c)
      if (const CellRecord &b = partner->Cells[c]; IsFilled(b) && b.Value >= 1 && b.Value <= layout.width) {
        faces.faced[c] = static_cast<uint8_t>(b.Value);
        faces.facedValues |= ValueBit(b.Value);
        faces.mapped = faces.active = true;
      }
  return faces;
}

// Keeps each cell to what the links allow it: false when a cell holds, or is left, nothing
// they allow.
bool KeepAllowed(const Layout &layout, const LinkFaces &faces, Board &board) {
  for (int c = 0; c < layout.nCells; ++c) {
    const uint32_t allowed = faces.allowed[c];
    if (board.value[c] != 0) {
      if ((allowed & (1u << (board.value[c] - 1))) == 0)
        return false;
    } else if ((board.cand[c] &= static_cast<uint16_t>(allowed)) == 0) {
      return false;
    }
  }
  return true;
}

enum class MapNarrowing { Broken, Narrowed, Unchanged };

// By faced value, the values of this grid that may stand for it.
using Standing = std::array<uint16_t, kMaxWidth + 1>;

// The values the cells facing one value hold stand for it alone, and there is one at least: a
// value standing alone for a faced value stands for no other. Those cells share one value or hold
// two at least; when these least counts add up to every value, each faced value takes exactly its
// count (one: a value its cells share) and every value stands for one. False when a faced value is
// left nothing, or the counts need more values than there are.
bool PairFacedValues(const Layout &layout, const LinkFaces &faces, const Board &board, Standing &standing) {
  const int w = layout.width;
  Standing shared;
  shared.fill(static_cast<uint16_t>(layout.full));
  for (int c = 0; c < layout.nCells; ++c)
    if (const int f = faces.faced[c]; f != 0)
      shared[f] &= static_cast<uint16_t>(board.value[c] != 0 ? ValueBit(board.value[c]) : board.cand[c]);
  uint32_t alone = 0; // the faced values whose one value was taken from the others
  for (bool again = true; again;) {
    again = false;
    int least = 0;
    for (int f = 1; f <= w; ++f) {
      const uint16_t values = standing[f];
      if ((faces.facedValues & ValueBit(f)) == 0)
        continue;
      if (values == 0)
        return false;
      least += (values & shared[f]) != 0 ? 1 : 2;
      if ((values & (values - 1)) != 0 || (alone & ValueBit(f)) != 0)
        continue;
      alone |= ValueBit(f);
      for (int g = 1; g <= w; ++g)
        if (g != f && (standing[g] & values) != 0) {
          standing[g] &= static_cast<uint16_t>(~values);
          again = true;
        }
    }
    if (least > w)
      return false;
    if (again || least < w)
      continue;
    uint32_t once = 0;
    uint32_t twice = 0;
    for (int f = 1; f <= w; ++f) {
      if ((faces.facedValues & ValueBit(f)) == 0)
        continue;
      if (const uint16_t one = standing[f] & shared[f]; one != 0 && one != standing[f]) {
        standing[f] = one;
        again = true;
      }
      twice |= once & standing[f];
      once |= standing[f];
    }
    if (once != layout.full)
      return false;
    for (uint32_t hidden = once & ~twice; hidden != 0; hidden &= hidden - 1) {
      const auto bit = static_cast<uint16_t>(hidden & (~hidden + 1));
      for (int f = 1; f <= w; ++f)
        if ((standing[f] & bit) != 0 && (standing[f] & shared[f]) != 0 && standing[f] != bit) {
          standing[f] = bit;
          again = true;
        }
    }
  }
  return true;
}

// Takes from each open cell the values that cannot stand for the value it faces, adding it to
// `changed`. A value stands for what its decided cells face, and for one of the values its places
// face in each unit where every place faces one (it takes one of those places); the faced values
// then share the values out between them. Broken when a value is left nothing to stand for, or an
// open cell no candidate.
MapNarrowing NarrowByMap(const Layout &layout, const LinkFaces &faces, Board &board, ChangedCells &changed) {
  const int w = layout.width;
  std::array<uint16_t, kMaxWidth + 1> images; // by this grid's value, the faced values it may stand for
  images.fill(static_cast<uint16_t>(layout.full));
  for (int c = 0; c < layout.nCells; ++c)
    if (const int v = board.value[c]; v != 0 && faces.faced[c] != 0)
      images[v] &= static_cast<uint16_t>(ValueBit(faces.faced[c]));
  for (int u = 0; u < layout.nUnits; ++u) {
    if (!layout.wholeUnit[u])
      continue;
    uint16_t unfaced = 0;                         // the values with a place facing an open cell
    std::array<uint16_t, kMaxWidth + 1> placed{}; // by faced value, the values with a place facing it
    for (int k = 0; k < w; ++k) {
      const int c = layout.unitCells[u][k];
      const auto here = static_cast<uint16_t>(board.value[c] != 0 ? ValueBit(board.value[c]) : board.cand[c]);
      if (faces.faced[c] == 0)
        unfaced |= here;
      else
        placed[faces.faced[c]] |= here;
    }
    std::array<uint16_t, kMaxWidth + 1> facedHere{};
    for (int f = 1; f <= w; ++f)
      for (uint32_t values = placed[f] & ~unfaced; values != 0; values &= values - 1)
        facedHere[std::countr_zero(values) + 1] |= static_cast<uint16_t>(ValueBit(f));
    for (int v = 1; v <= w; ++v)
      if ((unfaced & ValueBit(v)) == 0)
        images[v] &= facedHere[v];
  }
  Standing standing{};
  for (int v = 1; v <= w; ++v) {
    if (images[v] == 0)
      return MapNarrowing::Broken;
    for (uint32_t image = images[v]; image != 0; image &= image - 1)
      standing[std::countr_zero(image) + 1] |= static_cast<uint16_t>(ValueBit(v));
  }
  if (!PairFacedValues(layout, faces, board, standing))
    return MapNarrowing::Broken;
  MapNarrowing result = MapNarrowing::Unchanged;
  for (int c = 0; c < layout.nCells; ++c) {
    const int faced = faces.faced[c];
    if (faced == 0 || board.value[c] != 0)
      continue;
    const uint16_t allowed = board.cand[c] & standing[faced];
    if (allowed == 0)
      return MapNarrowing::Broken;
    if (allowed != board.cand[c]) {
      board.cand[c] = allowed;
      changed.Add(layout, c);
      result = MapNarrowing::Narrowed;
    }
  }
  return result;
}

// Whether a board settled by singles, narrowed by the map and by singles in turn, breaks before
// both hold.
bool BrokenByMap(const Layout &layout, const LinkFaces &faces, Board &board) {
  while (faces.mapped) {
    ChangedCells changed;
    const MapNarrowing narrowing = NarrowByMap(layout, faces, board, changed);
    if (narrowing != MapNarrowing::Narrowed)
      return narrowing == MapNarrowing::Broken;
    if (PruneWithSingles(layout, board, changed) == Outcome::Dead)
      return true;
  }
  return false;
}

// Whether the node just explored is open yet holds no board the links' checks would pass: its
// board kept to what they allow, then narrowed by the map and by singles in turn, until one of
// them breaks or both hold.
// A node below one the links read starts from what they left there, and only the cells its
// own board narrowed further are read again for singles; the node's board is kept for its
// children when it stays open.
bool LinksLeaveNothing(const Layout &layout, const LinkFaces &faces, std::vector<Level> &levels, int depth,
                       Scratch &scratch) {
  Level &level = levels[depth];
  level.hasLinked = false;
  if (!faces.active || level.cell < 0)
    return false;
  const Board &known = level.closure == depth ? level.pruned
                       : layout.orderFree     ? level.board
                                              : scratch.narrowed;
  Board &board = level.linked;
  const Level *parent = depth > 0 && levels[depth - 1].hasLinked ? &levels[depth - 1] : nullptr;
  if (parent != nullptr) {
    if (!Combine(layout, known, parent->linked, board))
      return true;
  } else {
    CopyBoard(layout, board, known);
    board.marks = FreshMarks(layout.links); // the links narrow it in their own way
  }
  if (!KeepAllowed(layout, faces, board) ||
      PruneWithSingles(layout, board,
                       parent != nullptr ? ChangedCells::Between(layout, parent->linked, board)
                                         : ChangedCells::Every(layout)) == Outcome::Dead)
    return true;
  level.hasLinked = !BrokenByMap(layout, faces, board);
  return !level.hasLinked;
}

// A solution tallied where the grid's trial cells are, and offered to `take`.
bool TakeInPlace(const Layout &layout, GridRecord &grid, const Board &solution, const SolutionTaker &take) {
  for (int c = 0; c < layout.nCells; ++c)
    if (IsSearchCell(grid.Cells[c]))
      TallyCellValue(grid, c, solution.value[c]);
  return take();
}

// Whether the search may take the reference (the preferred values) as the one solution with the
// known value at the known cell: a count that only tallies, of a grid whose filled cells, units,
// diagonals and neighbour rules the reference fits, with the cell open. Its board into `known`.
bool ReadsKnownSolution(const Layout &layout, const GridRecord &grid, const CountWalk &walk, Board &known) {
  const int cell = walk.knownCell;
  if (!layout.orderFree || cell < 0 || cell >= layout.nCells || !IsSearchCell(grid.Cells[cell]) ||
      layout.preferred[cell] != walk.knownValue)
    return false;
  known.open = 0;
  for (int c = 0; c < layout.nCells; ++c) {
    const int v = layout.preferred[c];
    if (v == 0 || (!IsSearchCell(grid.Cells[c]) && grid.Cells[c].Value != v))
      return false;
    known.value[c] = static_cast<uint8_t>(v);
    known.cand[c] = 0;
  }
  for (int u = 0; u < layout.nUnits; ++u) {
    uint32_t seen = 0;
    for (int k = 0; k < layout.unitSize[u]; ++k) {
      const uint32_t bit = ValueBit(known.value[layout.unitCells[u][k]]);
      if ((seen & bit) != 0)
        return false;
      seen |= bit;
    }
  }
  return Filled(layout, known) == Outcome::Solved;
}

// The values a count whose order cannot show tries first: a main grid's reference solution,
// where it holds values in range. False when they change.
bool PreferReference(const EngineContext &ctx, const GridRecord &grid, bool orderFree, Layout &layout) {
  std::array<uint8_t, kMaxCells> preferred{};
  const int slot = MainGridSlot(ctx.Grids, grid);
  const int n = ctx.Geo.NCells;
  if (orderFree && slot >= 0 && n <= kMaxCells) {
    const GridRecord &reference = ctx.Grids.RefTab[slot];
    if (reference.Cells.size() >= static_cast<size_t>(n))
      for (int c = 0; c < n; ++c)
        if (const int v = reference.Cells[c].Value; v >= 1 && v <= ctx.Geo.GridWidth)
          preferred[c] = static_cast<uint8_t>(v);
  }
  if (preferred == layout.preferred)
    return true;
  layout.preferred = preferred;
  return false;
}

} // namespace

bool ClassicSearchApplies(const EngineContext &ctx, const GridRecord &grid) {
  const GridGeometry &geo = ctx.Geo;
  // A count for uniqueness alone may leave out the rules that only reject finished grids: the
  // Magic Sentence, and the pieces of Tiled and Battle Ship, which no filter reads. It reads
  // the rules that claim the fast route through their links, which finds the same solutions in
  // another order.
  const bool rejectingLeftOut = ctx.Settings.UniquenessOnly != 0;
  const bool outsideSet = MainGridSlot(ctx.Grids, grid) < 0;
  constexpr VariantWords kLinkedRules = RuleBitsWith(kReadByFastRoute);
  const VariantWords leftOut =
      kUnitRules | kCluedOnlyRules | (outsideSet ? kCheckedLinkRules : VariantWords{}) |
      (rejectingLeftOut ? kVarMagicSentence | kVarTiled | kVarBattleShip | kLinkedRules : VariantWords{});
  const uint8_t clueListsLeftOut =
      static_cast<uint8_t>((rejectingLeftOut ? kCluesOnlyReject | kReadByFastRoute : 0) |
                           (outsideSet ? kFilteredBetweenGrids : 0));
  if (ctx.Settings.SearchByPropagation != 0 || (grid.GridVar & ~leftOut).Any() ||
      HasClueItems(grid.Lists, clueListsLeftOut) || (rejectingLeftOut && !LinksRead(geo, grid)))
    return false;
  // Linked main grids are searched together, through the filters between them.
  if (MainGridSlot(ctx.Grids, grid) >= 0 && MainGridsLinked(ctx.Grids))
    return false;
  if (!PlainShape(geo, grid))
    return false;
  for (int c = 0; c < geo.NCells; ++c)
    if (PlainCellOf(grid.Cells[c], geo.GridWidth, geo.FullMask) == PlainCell::Other)
      return false;
  return true;
}

int RunClassicSearch(EngineContext &ctx, GridRecord &grid, SearchPacer &pacer, const SolutionTaker &take,
                     const CountWalk &walk) {
  Scratch &scratch = ScratchOf(ctx);
  Layout &layout = scratch.layout;
  const bool sameLinks = BuildLayoutLinks(ctx.Geo, grid, ReadEveryLink, layout);
  const bool samePreferred = PreferReference(ctx, grid, walk.orderFree, layout);
  const bool sameLayout =
      BuildLayout(ctx.Geo, grid, layout) && sameLinks && samePreferred && layout.orderFree == walk.orderFree;
  layout.orderFree = walk.orderFree;
  std::vector<Level> &levels = scratch.levels;
  if (levels.size() < static_cast<size_t>(layout.nCells) + 1)
    levels.resize(static_cast<size_t>(layout.nCells) + 1);

  // With a known solution the tree holds only the others: the known cell never takes its value.
  // Such a count is one call that starts at the root, where it takes the known solution; levels
  // left by one are never gone on from.
  const bool atRoot = grid.SearchDepth == 0 && grid.BranchStack[0] != kTopDone;
  const bool known = take && atRoot && ReadsKnownSolution(layout, grid, walk, scratch.known);
  const bool knownBefore = layout.knownCell >= 0;
  layout.knownCell = known ? walk.knownCell : -1;
  int depth = grid.SearchDepth;
  const bool resumed = sameLayout && !known && !knownBefore && depth >= 0 && depth < layout.nCells &&
                       StillLeft(layout, grid, depth, scratch.left);
  scratch.left.grid = nullptr; // the levels change from here on
  bool noOther = false;        // the known cell has no other value to take
  const auto buildRoot = [&] {
    Board &root = levels[0].board;
    if (!BuildRoot(layout, grid, root))
      return false;
    if (known) {
      noOther = (root.cand[walk.knownCell] &= static_cast<uint16_t>(~ValueBit(walk.knownValue))) == 0;
      TouchLinks(layout.links, root.marks, walk.knownCell);
    }
    return true;
  };
  if (!resumed && (depth < 0 || depth >= layout.nCells || !buildRoot() ||
                   !Replay(layout, grid, levels, depth, scratch.narrowed))) {
    WriteSearch(ctx, grid, layout, levels, kSearchExhausted, kTopDone, nullptr);
    return kSolveExhausted;
  }
  // The links' boards of a call before are not read: the linked grids may have changed since.
  for (int k = 0; k <= depth; ++k)
    levels[k].hasLinked = false;
  // Every return below leaves the search where the levels stand.
  auto leave = [&](int16_t top, const Board *shown, int result) {
    WriteSearch(ctx, grid, layout, levels, depth, top, shown);
    RememberLeft(layout, grid, depth, scratch.left);
    return result;
  };
  bool fresh = grid.BranchStack[depth] != kTopDone;
  if (known && !TakeInPlace(layout, grid, scratch.known, take))
    return leave(kTopDone, &scratch.known, kSolveFound);
  if (noOther) {
    WriteSearch(ctx, grid, layout, levels, kSearchExhausted, kTopDone, nullptr);
    return kSolveExhausted;
  }
  const bool checkedLinks = (grid.GridVar & kCheckedLinkRules).Any();
  const LinkFaces faces = checkedLinks ? FacesOfLinks(ctx, grid, layout) : LinkFaces{};
  // A link's own rule may check each full board too, after the quick read above (the chess figures').
  const bool checkedWhole =
      checkedLinks || AnyLinkIn(layout.links, [](const auto &link) { return link.kCheckedWholeToo; });
  levels[depth].cell = -1;
  auto progress = [&] {
    return BranchProgress(
        depth, [&](int k) { return CountBits16(levels[k].tried); }, [&](int k) { return levels[k].index; });
  };

  for (;;) {
    if (fresh) {
      if (pacer.MustStop(progress))
        return leave(kTopPending, &levels[depth].board, kSolveTimeOut);
      const Board *solution = nullptr;
      const bool chainStart = depth == 0 || CountBits16(levels[depth - 1].tried) > 1;
      const Outcome outcome = ExploreNode(layout, levels, depth, chainStart, scratch, solution);
      if (outcome == Outcome::Open && LinksLeaveNothing(layout, faces, levels, depth, scratch))
        levels[depth].cell = -1; // no child to try
      if (outcome == Outcome::Solved &&
          (!checkedWhole || HoldsItsLinks(ctx, grid, layout, levels, depth, *solution))) {
        if (!take || !TakeInPlace(layout, grid, *solution, take))
          return leave(kTopDone, solution, kSolveFound);
        pacer.Restart(); // as a new call would
        fresh = false;
        continue;
      }
    }
    if (NextChild(layout, levels, depth)) {
      ++depth;
      levels[depth].cell = -1;
      fresh = true;
      if (pacer.Aborted())
        return leave(kTopPending, &levels[depth].board, kSolveCancelled);
      continue;
    }
    if (depth == 0) {
      WriteSearch(ctx, grid, layout, levels, kSearchExhausted, kTopDone, nullptr);
      return kSolveExhausted;
    }
    --depth;
    fresh = false;
  }
}

bool PlainUnitsRuleOut(EngineContext &ctx, const GridRecord &grid) {
  if (!PlainShape(ctx.Geo, grid))
    return false;
  Scratch &scratch = ScratchOf(ctx);
  // The plain units, and the SkyScraper lines, which narrow the singles' closure further: the
  // singles go on from them. The other links read rules this judgement leaves out.
  BuildLayout(ctx.Geo, grid, scratch.layout);
  BuildLayoutLinks(
      ctx.Geo, grid, [](SearchLinkKind kind) { return kind == SearchLinkKind::SkylineLines; },
      scratch.layout);
  Board &board = scratch.pruning;
  if (!BoardOfCells(scratch.layout, grid, board))
    return false;
  for (int c = 0; c < scratch.layout.nCells; ++c)
    if (board.value[c] == 0 && board.cand[c] == 0)
      return true;
  return SettleOrderFree(scratch.layout, board, nullptr) == Outcome::Dead;
}

} // namespace quorbel
