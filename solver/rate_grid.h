// The difficulty of a grid: the smallest of four method sets that solves it.
#pragma once

#include <array>

#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

enum DifficultyLevel : int {
  kLevelEasy = 1,
  kLevelMedium = 2,
  kLevelDifficult = 3,
  kLevelTerrible = 4,
  kLevelBeyondMethods = 5, // not solved by the methods
};

// The method sets of levels 1..4, each holding the one before it: line/column/block; plus
// Single and groups of 2; plus Probables and groups up to 5; every method but Random.
constexpr std::array<MethodMask, 4> kRatingMasks = {0x1, 0x79, 0x3FD, 0x1FFFFD};

// Solves a copy of the grid with each method set in turn, each going on from where the one
// before stopped: the first after which no cell is open gives the level, 5 when none does.
// -10 when the player cancelled. The grid and the game's method record stay as they were.
// `stuck` (if given) gets the copy as the methods of `stuckLevel` left it, or solved when a
// lower level solved it.
int RateGridDifficulty(EngineContext &ctx, const GridRecord &grid, GridRecord *stuck = nullptr,
                       int stuckLevel = 0);

// Solves `scratch` in place with the method set of `level` (1..4); the game's method record
// stays as it was. Returns what SolveRepeatedly returns (-10 when cancelled).
int SolveAtLevel(EngineContext &ctx, GridRecord &scratch, int level);

} // namespace quorbel
