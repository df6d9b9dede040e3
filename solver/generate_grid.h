// The generator: a new puzzle at one of four levels, for the current shape and variant
// words, with its solution in the reference grid, its name, comment, messages and macro
// step. It runs on the caller's thread; the player's abort (Escape, the right button, the
// progress window's Cancel) stops it and leaves everything as it was.
#pragma once

#include <cstdint>
#include <string>

#include "engine/variant_bits.h"
#include "solver/generator_settings.h"

namespace quorbel {

struct EngineContext;

struct GenerationReport {
  // 1 a puzzle was made; 0 the player kept the current document; -1 no solution could be
  // made (no irregular layout, say); -10 cancelled. Below 1 the grids are as they were.
  int32_t Result = 0;
  int32_t Level = 1;     // the level generated: the caller stores it as the game level and GRIDCURRDIFFICULTY
  int32_t Seed = 0;      // the run's seed, 0..0x7FFF
  std::string Name;      // "Sudoku-L<level>-<seed>", the document's new title
  int32_t Solutions = 0; // the last count: 1 unique, 2 several, -9 timed out
  int32_t Rating = 0;    // RateGridDifficulty of the puzzle (5: beyond the methods); 0 when not rated
  int32_t Tries = 0;     // solutions made and carved
};

// Generates one grid of the shape GRIDCURRSIZE with the variant words GRIDCURRVARIENT (both
// from ctx.Settings) at `level` (1 Easy .. 4 Terrible; anything else 1). The document is
// asked to save itself first; a refusal changes nothing. With UNIQSOLUTION each try is
// made unique and brought to the level, and puzzles are dug from it until one rates at the
// level (at most 10 solutions per MAXITERGENER); when none does, the unique puzzle closest
// to the level stays. TIMEOVER takes GENERETIMEOVER for the run. The caller sets the game
// mode to Generate before the call, so that no move of the run reaches a challenge peer,
// and applies the report's level.
GenerationReport GenerateGrid(EngineContext &ctx, const GeneratorSettings &settings, int level);

// The rules the generator makes: all but those whose clues are placed by hand.
VariantWords GeneratedRuleWords();
// "The ... rule cannot be generated: ..." for the first rule of `words` outside them, or why
// Kimo or All Indicated cannot go without the rules whose clues they change, in French
// (language 0) or English; empty when the generator makes them all.
std::string UngeneratedRuleMessage(VariantWords words, int language);
// "The ... rule is not played at WxW." for the first rule of `words` that the catalogue does not
// offer at that width; empty when it offers them all.
std::string UnplayedRuleMessage(VariantWords words, int width, int language);

} // namespace quorbel
