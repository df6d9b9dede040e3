// The clue generators: after the carving has chosen the givens, each clue kind the grid holds
// gets its clue items (cages, diagonals, frame numbers...) read off the solution, within its
// share of the clue budget; a kind left without a clue leaves the grid's words.
#pragma once

#include "engine/variant_bits.h"

namespace quorbel {

struct EngineContext;
struct GenerationRun;
struct GridRecord;

// Runs the generators of the grid's clue kinds with run.Clues.Allocated, fills
// run.Clues.Result and returns their total. The grid's solution is its reference grid.
int GenerateVariantClues(EngineContext &ctx, GridRecord &grid, GenerationRun &run);

// The clue kinds a clue generator makes.
VariantWords GeneratedClueWords();

} // namespace quorbel
