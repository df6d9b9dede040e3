// The colouring help on the board: the chains of one value, picked by a click in the corner of
// its number-bar slot, coloured into the cells of every shown grid for the painter to show.
#pragma once

#include <span>

#include "solver/method_mask.h"
#include "view/selection_list.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Where the chains of `value` start in the grid of `slot`: the selected cells of that grid that
// hold it as a candidate; without any, the cells of the first row, column or block where it has
// the fewest places (two at least). Written into `starts`, their number returned.
int ChainStartCells(const EngineContext &ctx, const GridRecord &grid, const SelectionList &selection,
                    int slot, int value, std::span<int> starts);

// Clears every main grid's colours, then colours the chains of `value` in each shown grid.
// Returns the number of chains run over them all.
int ColourValueChains(EngineContext &ctx, const SelectionList &selection, int value, MethodMask mask);

} // namespace quorbel
