#include "engine/sum_clue_editors.h"

#include <algorithm>

#include "engine/grid_record.h"
#include "engine/list_item_cells.h"
#include "engine/little_killer_line.h"
#include "engine/sum_rules.h"

namespace quorbel {

namespace {

constexpr int kMaxGroupCells = 10;
constexpr int kArrowsKept = 79; // one place of the list stays free

bool CellsInGrid(std::span<const int> cells, int limit) {
  return std::all_of(cells.begin(), cells.end(), [&](int c) { return c >= 0 && c < limit; });
}

} // namespace

int BuildLittleKillerLine(const GridGeometry &geo, int i, GridRecord &grid) {
  LittleKillerClue &clue = grid.Lists.LittleKiller.Items[i];
  const std::optional<DiagonalRun> run = LittleKillerRun(geo.GridWidth, clue.FirstCell, clue.LastCell);
  if (!run) {
    clue.NCells = 0;
    return -1;
  }
  clue.Step = static_cast<int16_t>(run->Step);
  clue.NCells = static_cast<int16_t>(run->Count);
  for (int k = 0; k < run->Count; ++k)
    clue.Cells[k] = static_cast<CellRef>(clue.FirstCell + k * run->Step);
  return run->Step;
}

int SumLittleKillerLine(const GridGeometry &geo, const GridRecord &grid, int i, const GridRecord &solution) {
  const LittleKillerClue &clue = grid.Lists.LittleKiller.Items[i];
  int sum = 0;
  for (int k = 0; k < std::clamp<int>(clue.NCells, 0, 16); ++k)
    if (clue.Cells[k] >= 0 && clue.Cells[k] < geo.NCells)
      sum += solution.Cells[clue.Cells[k]].Value;
  const int modulus = KimoModulusOf(grid);
  return modulus >= 2 ? sum % modulus : sum;
}

int ToggleLittleKillerClue(const GridGeometry &geo, int first, int last, GridRecord &grid, int target,
                           const GridRecord &solution) {
  if (first < 0) {
    const DiagonalEnds ends = LittleKillerClueOfEdgeCell(geo, last);
    if (ends.First < 0)
      return 0;
    first = ends.First;
  }
  if (!LittleKillerRun(geo.GridWidth, first, last))
    return 0;
  auto &list = grid.Lists.LittleKiller;
  for (int i = 0; i < list.Size(); ++i) {
    if (list.Items[i].FirstCell == first && list.Items[i].LastCell == last) {
      list.RemoveAt(i);
      return 0;
    }
  }
  LittleKillerClue clue;
  clue.FirstCell = static_cast<CellRef>(first);
  clue.LastCell = static_cast<CellRef>(last);
  if (!list.Append(clue))
    return 0;
  const int i = list.Size() - 1;
  BuildLittleKillerLine(geo, i, grid);
  list.Items[i].Target = target > 0 ? target : SumLittleKillerLine(geo, grid, i, solution);
  return 1;
}

int ToggleKillerCage(const GridGeometry &geo, GridRecord &grid, std::span<const int> cells, int product,
                     const GridRecord &solution) {
  auto &cages = grid.Lists.Killer;
  if (cells.empty() || !CellsInGrid(cells, geo.NCells))
    return 0;
  for (int i = 0; i < cages.Size(); ++i)
    for (int c : cells)
      if (Holds(cages.Items[i], c)) {
        cages.RemoveAt(i);
        return 0;
      }
  if (static_cast<int>(cells.size()) > kMaxGroupCells)
    return 0;
  KillerCage cage = ItemOfCells<KillerCage>(cells);
  std::sort(cage.Cells.begin(), cage.Cells.begin() + cage.NCells);
  cage.IsProduct = static_cast<int16_t>(product == 1 ? 1 : 0);
  int64_t total = product == 1 ? 1 : 0;
  for (int c : cells)
    total = product == 1 ? total * solution.Cells[c].Value : total + solution.Cells[c].Value;
  cage.Target = static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX));
  return cages.Append(cage) ? 1 : 0;
}

int ToggleArrow(GridRecord &grid, std::span<const int> cells) {
  auto &arrows = grid.Lists.Arrows;
  for (int i = 0; i < arrows.Size(); ++i)
    if (SameCellSet(arrows.Items[i], cells)) {
      arrows.RemoveAt(i);
      return 0;
    }
  if (cells.size() < 2 || static_cast<int>(cells.size()) > kMaxGroupCells || arrows.Size() >= kArrowsKept)
    return 0;
  return arrows.Append(ItemOfCells<ArrowClue>(cells)) ? 1 : 0;
}

int ToggleCreasingLine(GridRecord &grid, std::span<const int> cells, int kind) {
  constexpr int kLastKind = 3;
  auto &lines = grid.Lists.Creasing;
  for (int i = 0; i < lines.Size(); ++i) {
    CreasingLine &line = lines.Items[i];
    if (!SameCellSet(line, cells))
      continue;
    if (line.Kind != kind) {
      line.Kind = static_cast<int16_t>(kind);
      return 1;
    }
    if (line.Kind < kLastKind) {
      ++line.Kind;
      return 1;
    }
    lines.RemoveAt(i);
    return 0;
  }
  for (int i = 0; i < lines.Size(); ++i)
    if (std::any_of(cells.begin(), cells.end(), [&](int c) { return Holds(lines.Items[i], c); })) {
      lines.RemoveAt(i);
      return 0;
    }
  if (cells.size() < 2 || static_cast<int>(cells.size()) > kMaxGroupCells || kind < 0 || kind > kLastKind)
    return 0;
  CreasingLine line = ItemOfCells<CreasingLine>(cells);
  line.Kind = static_cast<int16_t>(kind);
  return lines.Append(line) ? 1 : 0;
}

int ToggleMagicSquare(GridRecord &grid, std::span<const int> cells) {
  constexpr int kMarkedSquareCell = -2;
  auto &squares = grid.Lists.MagicSquares;
  auto mark = [&](std::span<const int> marked, int state) {
    for (int c : marked)
      if (c >= 0 && static_cast<size_t>(c) < grid.Cells.size())
        grid.Cells[c].MarkerState = state;
  };
  for (int i = 0; i < squares.Size(); ++i)
    if (SameCellSet(squares.Items[i], cells)) {
      squares.RemoveAt(i);
      mark(cells, 0);
      return 0;
    }
  const int n = static_cast<int>(cells.size());
  if (n != 4 && n != 9 && n != 16)
    return 0;
  if (!squares.Append(ItemOfCells<MagicSquareClue>(cells)))
    return 0;
  mark(cells, kMarkedSquareCell);
  return 1;
}

int FindKillerCageOfCell(const GridRecord &grid, int cell) { return FindItemOfCell(grid.Lists.Killer, cell); }
int CageOfCell(const GridRecord &grid, int cell) { return FindKillerCageOfCell(grid, cell); }
int FindArrowOfCell(const GridRecord &grid, int cell) { return FindItemOfCell(grid.Lists.Arrows, cell); }
int FindCreasingOfCell(const GridRecord &grid, int cell) { return FindItemOfCell(grid.Lists.Creasing, cell); }
int FindMagicSquareOfCell(const GridRecord &grid, int cell) {
  return FindItemOfCell(grid.Lists.MagicSquares, cell);
}

int FindTransferCell(const GridRecord &grid, int cell) {
  const auto items = grid.Lists.Transfer.Used();
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].Cell == cell)
      return static_cast<int>(i);
  return -1;
}

int FindMultTableSlot(const GridRecord &grid, int n, int cell) {
  if (n < 0 || n >= grid.Lists.MultTable.Size())
    return -1;
  const auto &cells = grid.Lists.MultTable.Items[n].Cells;
  const auto at = std::find(cells.begin(), cells.end(), cell);
  return at == cells.end() ? -1 : static_cast<int>(at - cells.begin());
}

} // namespace quorbel
