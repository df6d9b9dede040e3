// The bench tool's method commands: a puzzle solved by the human-style methods, and its
// rating. Each answers one puzzle already loaded in main grid 0.
#pragma once

#include <string>

#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;

// "solve --methods MASK": the grid the methods reach, as one line, a space and the
// highest method level used (-1 when none placed a value).
std::string SolveWithMethodsAnswer(EngineContext &ctx, MethodMask mask);

// "rate": the grid level 1..4 of the highest method level that every method but Random
// needed.
std::string RateAnswer(EngineContext &ctx);

// A mask in decimal or with a 0x prefix, within the 21 method bits; false otherwise.
bool ParseMethodMask(const char *text, MethodMask &mask);

} // namespace quorbel
