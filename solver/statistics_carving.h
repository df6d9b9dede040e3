// The carving of a solved grid into a puzzle: blank counts from the tables, one given kept
// in each unavoidable set found, random blanks, the clue kinds' data, then the givens that
// best separate the remaining solutions, judged by the solution counter's statistics.
#pragma once

#include <cstdint>

#include "platform/help_contexts.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct GenerationRun;

// Help link of the generation messages.
constexpr int kHelpGeneration = HelpContext("generation");

struct CarvingRequest {
  int32_t Steps = 0;    // 1: every stage shown and traced into the trace file
  int32_t Blanks = -1;  // >= 0 replaces the computed number of blanks
  int32_t Extra = -1;   // >= 0 replaces the table's extra blanks
  int32_t Messages = 1; // 1: the progress lines in the message panel
  int32_t Budget = -1;  // heeded only with Depth -1: the clue budget as given, not counted
  int32_t Depth = -1;   // replaces VARDEPTH in the clue budget
};

// The status is kept apart from the clues made.
struct CarvingOutcome {
  int32_t Status = 1;    // 1 carved, -10 cancelled by the player
  int32_t ClueTotal = 1; // the clue results of the clue kinds, 1 for a grid without rules
};

// Turns `grid`, which holds a complete solution, into a puzzle: every cell ends as a given
// (status 3) with its solution value or empty (6). The grid's clue kinds get their data
// from run.MakeClues; without it they get none and leave the grid's words. A cancel leaves
// the provisional statuses (2 undecided, 3 kept, 6 blank) in place.
CarvingOutcome FindGridWithStatistics(EngineContext &ctx, GridRecord &grid, GenerationRun &run,
                                      const CarvingRequest &request);

} // namespace quorbel
