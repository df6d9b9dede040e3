// A hidden-variant set: each grid made under one rule of its own that the player does not see,
// and solvable under that rule only among the rules of the set.
#pragma once

#include "engine/variant_bits.h"

namespace quorbel {

struct EngineContext;
struct GenerationRun;

struct HiddenSetOutcome {
  int Result = 1;      // 1 made; -10 cancelled; another negative result of the solution or carving
  int Good = 0;        // grids whose rule is the only one of the set that solves them
  VariantWords Hidden; // the OR of the hidden rules
};

// The rules of the grids, one each, drawn from `pool` (the player's rules) or, when the pool
// runs dry, from the size's default rules; every rule differs while enough remain.
void DrawHiddenRules(EngineContext &ctx, int count, VariantWords pool);

// Makes run.GridCount grids, each under the rule DrawHiddenRules gave it (Lists.HiddenRule),
// then hides the rules: every grid's words become Twins Varient Masked alone.
HiddenSetOutcome GenerateHiddenVariantSet(EngineContext &ctx, GenerationRun &run);

} // namespace quorbel
