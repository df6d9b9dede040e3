// What the list editors ask of an item made of cells (a cage, an arrow, a group): whether it
// holds a cell or exactly a set of cells, and an item built from a selection.
#pragma once

#include <algorithm>
#include <span>

#include "engine/variant_lists.h"

namespace quorbel {

template <typename Item> bool SameCellSet(const Item &item, std::span<const int> cells) {
  const int n = std::clamp<int>(item.NCells, 0, static_cast<int>(item.Cells.size()));
  if (n != static_cast<int>(cells.size()))
    return false;
  return std::is_permutation(item.Cells.begin(), item.Cells.begin() + n, cells.begin(), cells.end());
}

template <typename Item> bool Holds(const Item &item, int cell) {
  const int n = std::clamp<int>(item.NCells, 0, static_cast<int>(item.Cells.size()));
  return std::find(item.Cells.begin(), item.Cells.begin() + n, cell) != item.Cells.begin() + n;
}

template <typename List> int FindItemOfCell(const List &list, int cell) {
  const auto items = list.Used();
  for (size_t i = 0; i < items.size(); ++i)
    if (Holds(items[i], cell))
      return static_cast<int>(i);
  return -1;
}

template <typename Item> Item ItemOfCells(std::span<const int> cells) {
  Item item;
  item.NCells = static_cast<int16_t>(cells.size());
  for (size_t k = 0; k < cells.size(); ++k)
    item.Cells[k] = static_cast<CellRef>(cells[k]);
  return item;
}

} // namespace quorbel
