// The shapes a rule's check or filter takes when propagation walks the rule table: one call
// on a grid that holds the rule, one per clue of a list, one per marked cell. Each is a
// template over the rule's own function, so the walk calls it directly and the compiler can
// inline it: the checks and filters are the hot path of generation.
#pragma once

#include <array>
#include <iterator>
#include <span>
#include <type_traits>
#include <utility>

#include "engine/engine_context.h"

namespace quorbel {

// A check (its result is ignored) or a filter (non-zero when it changed a candidate).
using RuleStep = int (*)(EngineContext &ctx, GridRecord &grid);

// Calls a rule function with the geometry or the whole context, whichever it takes.
template <auto Fn, typename... Args> inline int CallRule(EngineContext &ctx, GridRecord &grid, Args... args) {
  constexpr bool onGeometry = std::is_invocable_v<decltype(Fn), const GridGeometry &, GridRecord &, Args...>;
  if constexpr (onGeometry) {
    if constexpr (std::is_void_v<
                      std::invoke_result_t<decltype(Fn), const GridGeometry &, GridRecord &, Args...>>)
      return Fn(ctx.Geo, grid, args...), 0;
    else
      return static_cast<int>(Fn(ctx.Geo, grid, args...));
  } else {
    if constexpr (std::is_void_v<std::invoke_result_t<decltype(Fn), EngineContext &, GridRecord &, Args...>>)
      return Fn(ctx, grid, args...), 0;
    else
      return static_cast<int>(Fn(ctx, grid, args...));
  }
}

// The number of clues in one list of the grid's lists.
template <auto List> inline int ListCount(const VariantLists &lists) { return (lists.*List).Size(); }
inline int MasterMindLineCount(const VariantLists &lists) { return lists.MasterMind.Lines.Size(); }

// The function on every grid that reaches this step; it looks at its own clues.
template <auto Fn> inline int Always(EngineContext &ctx, GridRecord &grid) { return CallRule<Fn>(ctx, grid); }

// The function on a grid holding one of the rules of `Bits`.
template <VariantWords Bits, auto Fn> inline int WhenHeld(EngineContext &ctx, GridRecord &grid) {
  return Meets(grid.GridVar, Bits) ? CallRule<Fn>(ctx, grid) : 0;
}

// The function on each clue of a list, in the list's order; every call runs.
template <auto Count, auto Fn> inline int EachClue(EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (int i = 0; i < Count(grid.Lists); ++i)
    changed |= CallRule<Fn>(ctx, grid, i);
  return changed;
}

// EachClue on a grid holding one of the rules of `Bits`.
template <VariantWords Bits, auto Count, auto Fn>
inline int EachClueWhenHeld(EngineContext &ctx, GridRecord &grid) {
  return Meets(grid.GridVar, Bits) ? EachClue<Count, Fn>(ctx, grid) : 0;
}

// The function on each cell that carries an odd/even mark.
template <auto Fn> inline int EachMarkedCell(EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (grid.Cells[c].OddEven != -1)
      changed |= CallRule<Fn>(ctx, grid, c);
  return changed;
}

// Whether two steps are one function: 1 yes, 0 no, -1 when the build cannot tell while it
// compiles (-fsanitize=null keeps function addresses open until run time). The walks' checks
// use it so that they bind in every ordinary build and pass in the sanitizers' one.
template <typename Fn> constexpr int SameFunction(Fn a, Fn b) {
  return __builtin_constant_p(a == b) ? (a == b ? 1 : 0) : -1;
}
constexpr int SameStep(RuleStep a, RuleStep b) { return SameFunction(a, b); }

// Whether a walk lists each step once; a step several rows share is listed once.
constexpr bool EachStepOnce(std::span<const RuleStep> steps) {
  for (size_t i = 0; i < steps.size(); ++i)
    for (size_t j = i + 1; j < steps.size(); ++j)
      if (SameStep(steps[i], steps[j]) == 1)
        return false;
  return true;
}

// A walk with its k-th step left out, the others in their order.
template <size_t N> constexpr std::array<RuleStep, N - 1> WithoutStep(const RuleStep (&steps)[N], size_t k) {
  std::array<RuleStep, N - 1> kept{};
  for (size_t i = 0, j = 0; i < N; ++i)
    if (i != k)
      kept[j++] = steps[i];
  return kept;
}

// Runs every step of a walk in its order with direct calls; returns the OR of the results.
template <const auto &Steps, size_t... I>
inline int WalkSteps(EngineContext &ctx, GridRecord &grid, std::index_sequence<I...>) {
  int changed = 0;
  ((changed |= Steps[I](ctx, grid)), ...);
  return changed;
}
template <const auto &Steps> inline int WalkSteps(EngineContext &ctx, GridRecord &grid) {
  return WalkSteps<Steps>(ctx, grid, std::make_index_sequence<std::size(Steps)>{});
}

} // namespace quorbel
