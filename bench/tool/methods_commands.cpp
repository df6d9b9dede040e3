// The method commands of quorbel-bench over SolveRepeatedly, as the batch solve and the
// grid level of the program use it.
#include "methods_commands.h"

#include <cerrno>
#include <cstdlib>

#include "engine/engine_context.h"
#include "engine/method_record.h"
#include "solver/one_line_grid.h"
#include "solver/solve_with_methods.h"

namespace quorbel {

namespace {

GridRecord &SolveFirstGrid(EngineContext &ctx, MethodMask mask) {
  GridRecord &grid = ctx.Grids.Main[0];
  ctx.Methods.MaxMethodLevel = -1;
  ctx.Methods.MethodPlacements = 0;
  SolveRepeatedly(ctx, grid, mask);
  return grid;
}

} // namespace

std::string SolveWithMethodsAnswer(EngineContext &ctx, MethodMask mask) {
  const GridRecord &grid = SolveFirstGrid(ctx, mask);
  return OneLineOfGrid(ctx, grid) + " " + std::to_string(ctx.Methods.MaxMethodLevel);
}

std::string RateAnswer(EngineContext &ctx) {
  SolveFirstGrid(ctx, kMaskAllButRandom);
  return std::to_string(LevelFromDifficulty(ctx.Methods.MaxMethodLevel));
}

bool ParseMethodMask(const char *text, MethodMask &mask) {
  char *end = nullptr;
  errno = 0;
  const unsigned long value = std::strtoul(text, &end, 0);
  if (end == text || *end != '\0' || errno != 0 || *text == '-' || value > kMaskAllMethods)
    return false;
  mask = static_cast<MethodMask>(value);
  return true;
}

} // namespace quorbel
