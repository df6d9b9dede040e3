// The shapes of clues that no single field shows: a Little Killer clue's cells run along one
// diagonal from its first cell to its last, a region layout names cells of the grid, an arrow
// starts from a cell, and the clues around the grid stand beside its lines. The
// grid-file reader and the text-grid reader both refuse what these refuse, so whatever one of
// them accepts, the writers write in a form the other opens.
#pragma once

#include <optional>
#include <string>

#include "engine/little_killer_line.h"
#include "engine/value_mask.h"
#include "engine/variant_lists.h"

namespace quorbel {

// The first clue whose shape is wrong, said in a few words; empty when all are right.
std::string CheckClueShapes(int width, const VariantLists &lists);

} // namespace quorbel
