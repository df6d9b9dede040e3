// What one generation run carries from the driver to the carving and the clue generators:
// its settings, the level asked for, the variant words in force, the clue working tables
// and the clue generator that makes the clue data of the clue kinds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "engine/variant_bits.h"
#include "solver/generator_settings.h"
#include "solver/hidden_variant_table.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct GenerationRun;

// Makes the clue data of a carved grid's clue kinds from the counts of run.Clues.Allocated,
// fills run.Clues.Result, drops from the grid's words each kind that got no clue, and
// returns the total of the results.
using ClueGenerator = std::function<int(EngineContext &, GridRecord &, GenerationRun &)>;

struct GenerationRun {
  GeneratorSettings Settings;
  int32_t Level = 1;     // the game level being generated, 1..4
  int32_t GridCount = 1; // grids of the set
  // The variant words the run works with (GRIDCURRVARIENT less what cannot be generated).
  VariantWords CurrentWords;
  ClueTables Clues;
  // Empty until the clue generators join: grids then carry no clue kind.
  ClueGenerator MakeClues;
  // The parity the Odd and Odd Pair generators share (0 even, 1 odd, 2 none), drawn once per run.
  int32_t OddEvenKind = -1;
  // The Trio classes of the values, drawn by the first Trio grid of the run.
  bool ValueClassesDrawn = false;
  // The grids of a linked set carved so far in the current attempt.
  std::array<uint8_t, 12> Carved{};
};

// The level as the tables read it: 1..4, anything else 1.
constexpr int TableLevel(int level) { return level >= 1 && level <= 4 ? level : 1; }

} // namespace quorbel
