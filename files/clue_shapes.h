// The shapes of clues that no single field shows: a Little Killer clue's cells run along one
// diagonal from its first cell to its last, a region layout names cells of the grid, an arrow
// starts from a cell, and the clues around the grid stand beside its lines. The
// grid-file reader and the text-grid reader both refuse what these refuse, so whatever one of
// them accepts, the writers write in a form the other opens.
#pragma once

#include <optional>
#include <string>

#include "engine/value_mask.h"
#include "engine/variant_lists.h"

namespace quorbel {

struct DiagonalRun {
  int Step = 0;  // cell-index step from one cell to the next
  int Count = 0; // cells from the first to the last, both included
};

// The diagonal from `first` to `last` of a grid `width` wide; none when they are not on one.
// A clue of one cell takes its step from where the cell lies.
std::optional<DiagonalRun> LittleKillerRun(int width, int first, int last);

// The first clue whose shape is wrong, said in a few words; empty when all are right.
std::string CheckClueShapes(int width, const VariantLists &lists);

} // namespace quorbel
