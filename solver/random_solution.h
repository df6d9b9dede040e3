// Random complete solutions for the generator: a few random cells seeded, then completed
// by the search; or, for a constrained rule with a ready-made solution, that solution
// turned by a reflection. Every draw comes from the context's generator, so a seed gives
// the same solution again. Also the small helpers the carving of a puzzle calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "solver/search.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// seedCount of MakeRandomSolution: computed from the size and the rules; computed without
// the reductions of linked grids (the first grid of a linked set).
constexpr int kSeedsComputed = -1;
constexpr int kSeedsFirstLinkedGrid = -1000;

// layout of MakeRandomSolution: the irregular blocks the grid already has (blocks of the
// player's own, or a layout being made), rather than one from the block file.
constexpr int kLayoutOfGrid = -2;

struct RandomSolutionOptions {
  int32_t GameLevel = 1; // 1..4, anything else counts as 1: Mult Table squares, extra regions
  int32_t VarDepth = 33; // CATALOG/VARDEPTH: more Mult Table squares
  std::string BlockFile; // the irregular block file, "" for "IRGBlk.dat" beside the program
};

// Fills `grid` (the current grid of the set, or a scratch grid) with a complete solution of
// its rules and copies it into its reference grid. seedCount >= 0 sets the number of random
// seeds. `layout` picks the layout of the block file (-1 a random one, a new one every
// try); kLayoutOfGrid keeps an irregular grid's own blocks.
// clearLevel is the ClearGrid level of each try (0 keeps the values a linked grid put in).
// Up to maxFailures tries. Returns 1 with the solution held (SolutionMade set); else the
// last try's result: 0 (a seed met a cell without candidates, or no irregular layout could
// be read), or the search's 0, -1 or -9; -10 when the player cancelled.
int MakeRandomSolution(EngineContext &ctx, GridRecord &grid, int seedCount, int layout, int maxFailures,
                       int clearLevel, const RandomSolutionOptions &options = {});

// The number of random seeds a try places, before the cap at the open cells.
int RandomSeedCount(const EngineContext &ctx, const GridRecord &grid, int seedCount, int multSquares);

// The cell of block `unit` of the grid whose value is `value`; -1 when none.
int FindCellOfValueInUnit(const EngineContext &ctx, int unit, int value, const GridRecord &grid);

// Counts the solutions of the carving grid (limit PARAMETER/MAXSEARCHGRID, and those met within
// the time limit) and picks, among its open cells scanned from a random one, the cell whose
// value in `solution` came up in the fewest of them, the count walking as `walk` lets it. The
// carving grid comes back as it was. Returns the cell; -1 when the carving grid has fewer than
// two solutions (or the count timed out before two); -10 when cancelled.
int PickLeastFrequentCell(EngineContext &ctx, GridRecord &carving, const GridRecord &solution,
                          const CountWalk &walk = {});

// With show 0 returns 0; else posts the text, recomputes every grid's candidates, repaints
// and waits half a second so the player sees the step, and returns 1.
int ShowGenerationStep(EngineContext &ctx, std::string_view text, int show);

} // namespace quorbel
