// How many cells a carving blanks: the tables by grid width and level, and the corrections
// for the rules of the grid and of the run (each rule that adds information lets more
// cells go).
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct GenerationRun;
class Random15;

struct BlankPlan {
  int Blanks = 0; // cells to blank at random
  int Extra = 0;  // blanked beyond them, for the statistics stage to buy back
};

// Base + rand() x Range / 32767 blanks (one draw) and the Extra of the table, for the grid
// width and the level (1..4, anything else 1). A width outside the tables plans nothing.
BlankPlan DrawBlankPlan(Random15 &random, int width, int level);

// The blanks after the corrections: the linked-grid and neighbourhood rules of the run's
// words, then the rules of the grid's own words.
int CorrectBlanksForRules(const EngineContext &ctx, const GridRecord &grid, const GenerationRun &run,
                          int blanks);

} // namespace quorbel
