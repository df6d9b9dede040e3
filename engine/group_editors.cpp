#include "engine/group_editors.h"

#include <algorithm>
#include <tuple>

#include "engine/geometry.h"
#include "engine/grid_record.h"
#include "engine/list_item_cells.h"

namespace quorbel {

namespace {

constexpr int kNotASentenceCell = 45;

static_assert(kMostEqualityCells == std::tuple_size_v<decltype(EqualityGroup::Cells)>);
static_assert(kMostDanCells == std::tuple_size_v<decltype(DanGroup::Cells)>);
static_assert(kMostSentenceCells == std::tuple_size_v<decltype(MagicSentenceClue::Cells)>);

} // namespace

void MarkMasterMindCells(const GridGeometry &geo, GridRecord &grid) {
  for (int c = 0; c < geo.NCells; ++c)
    grid.Cells[static_cast<size_t>(c)].MasterMindLine = -1;
  const MasterMindClue &mind = grid.Lists.MasterMind;
  const int length = std::clamp<int>(mind.CodeLength, 0, static_cast<int>(mind.Code.size()));
  for (int j = 0; j < mind.Lines.Size(); ++j) {
    const MasterMindGuess &line = mind.Lines.Items[static_cast<size_t>(j)];
    for (int k = 0; k < length; ++k) {
      const int row = line.Row;
      const int col = line.Columns[static_cast<size_t>(k)];
      if (row >= 0 && row < geo.NRows && col >= 0 && col < geo.NCols)
        grid.Cells[static_cast<size_t>(row * geo.NCols + col)].MasterMindLine = static_cast<int16_t>(j);
    }
  }
}

std::array<int, 4> WheelCells(const GridGeometry &geo, int centre) {
  const int w = geo.GridWidth;
  const int r = geo.RowOfCell[centre];
  const int c = geo.ColOfCell[centre];
  return {r > 0 ? centre - w : -1, c + 1 < w ? centre + 1 : -1, r + 1 < w ? centre + w : -1,
          c > 0 ? centre - 1 : -1};
}

int ToggleEqualityGroup(GridRecord &grid, std::span<const int> cells) {
  auto &groups = grid.Lists.Equality;
  for (int i = 0; i < groups.Size(); ++i)
    if (SameCellSet(groups.Items[static_cast<size_t>(i)], cells)) {
      groups.RemoveAt(i);
      return 0;
    }
  if (cells.size() < 2 || cells.size() > kMostEqualityCells)
    return 0;
  return groups.Append(ItemOfCells<EqualityGroup>(cells)) ? 1 : 0;
}

int FindWheelOfCentre(const GridRecord &grid, int centre) {
  const auto &wheels = grid.Lists.Wheels;
  for (int i = 0; i < wheels.Size(); ++i)
    if (wheels.Items[static_cast<size_t>(i)].Centre == centre)
      return i;
  return -1;
}

int ToggleWheel(GridRecord &grid, int centre, const std::array<int, 4> &values, int rotation) {
  auto &wheels = grid.Lists.Wheels;
  if (const int i = FindWheelOfCentre(grid, centre); i >= 0) {
    wheels.RemoveAt(i);
    return 0;
  }
  WheelClue wheel;
  wheel.Centre = static_cast<CellRef>(centre);
  for (size_t k = 0; k < values.size(); ++k)
    wheel.Values[k] = static_cast<int16_t>(values[k]);
  wheel.Rotation = static_cast<int16_t>(((rotation % 4) + 4) % 4);
  return wheels.Append(wheel) ? 1 : 0;
}

bool WheelTouchesCell(const GridGeometry &geo, const GridRecord &grid, int cell) {
  if (cell < 0 || cell >= geo.NCells)
    return false;
  for (const WheelClue &wheel : grid.Lists.Wheels.Used())
    if (wheel.Centre >= 0 && wheel.Centre < geo.NCells &&
        std::abs(geo.RowOfCell[wheel.Centre] - geo.RowOfCell[cell]) <= 1 &&
        std::abs(geo.ColOfCell[wheel.Centre] - geo.ColOfCell[cell]) <= 1)
      return true;
  return false;
}

int TogglePanItem(GridRecord &grid, int position, const std::array<int, 4> &blocks,
                  const std::array<int, 3> &operators) {
  auto &items = grid.Lists.Pan;
  auto &digitCounts = grid.Work.PanDigitCount;
  for (int i = 0; i < items.Size(); ++i) {
    PanExpression &item = items.Items[static_cast<size_t>(i)];
    const bool sameBlocks = std::equal(blocks.begin(), blocks.end(), item.Blocks.begin());
    if (!sameBlocks || (item.Position != position && item.Position != -1 && position != -1))
      continue;
    if (std::equal(operators.begin(), operators.end(), item.Operators.begin())) {
      items.RemoveAt(i);
      // The later expressions moved down: their digit cells are read again.
      std::fill(digitCounts.begin() + i, digitCounts.end(), int8_t{-1});
      return 0;
    }
    item.Position = static_cast<int16_t>(position);
    std::copy(operators.begin(), operators.end(), item.Operators.begin());
    digitCounts[static_cast<size_t>(i)] = -1;
    return 1;
  }
  PanExpression item;
  std::copy(blocks.begin(), blocks.end(), item.Blocks.begin());
  item.Position = static_cast<int16_t>(position);
  std::copy(operators.begin(), operators.end(), item.Operators.begin());
  if (!items.Append(item))
    return 0;
  digitCounts[static_cast<size_t>(items.Size() - 1)] = -1;
  return 1;
}

int FindDanCell(const GridRecord &grid, int cell) {
  const DanGroup &dan = grid.Lists.Dan;
  const int n = std::clamp<int>(dan.NCells, 0, static_cast<int>(dan.Cells.size()));
  const auto at = std::find(dan.Cells.begin(), dan.Cells.begin() + n, cell);
  return at == dan.Cells.begin() + n ? -1 : static_cast<int>(at - dan.Cells.begin());
}

int FindEqualityGroupOfCell(const GridRecord &grid, int cell) {
  return FindItemOfCell(grid.Lists.Equality, cell);
}

int FindMagicSentenceCell(const GridRecord &grid, int cell) {
  const MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  const int n = std::clamp<int>(sentence.NCells, 0, static_cast<int>(sentence.Cells.size()));
  const auto at = std::find(sentence.Cells.begin(), sentence.Cells.begin() + n, cell);
  return at == sentence.Cells.begin() + n ? kNotASentenceCell : static_cast<int>(at - sentence.Cells.begin());
}

} // namespace quorbel
