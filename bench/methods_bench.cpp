// The time to rate a puzzle with the human-style methods: SolveRepeatedly with every
// method but Random (the rating's last mask) over the 9x9, 12x12 and 16x16 puzzles of
// tests/data, one iteration per whole set. Counters: the puzzles the methods solved and
// the worst single puzzle.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "solver/method_mask.h"
#include "solver/one_line_grid.h"
#include "solver/solve_with_methods.h"

using namespace quorbel;

namespace {

std::vector<std::string> Puzzles(int width) {
  std::ifstream in(std::string(QUORBEL_TEST_DATA) + "/puzzles-" + std::to_string(width) + ".txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
      line.pop_back();
    if (OneLineGridWidth(line.size()) == width)
      lines.push_back(line);
  }
  return lines;
}

void SolveWithEveryMethod(benchmark::State &state) {
  const std::vector<std::string> puzzles = Puzzles(static_cast<int>(state.range(0)));
  auto ctx = std::make_unique<EngineContext>();
  int solved = 0;
  double worstMs = 0;
  for (auto _ : state) {
    solved = 0;
    for (const std::string &line : puzzles) {
      const auto start = std::chrono::steady_clock::now();
      LoadOneLineGrid(*ctx, line, 0);
      SolveRepeatedly(*ctx, ctx->Grids.Main[0], kMaskAllButRandom);
      worstMs = std::max(
          worstMs,
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      solved += ctx->Grids.Main[0].SudMissing == 0 ? 1 : 0;
    }
  }
  state.counters["puzzles"] = static_cast<double>(puzzles.size());
  state.counters["solved"] = solved;
  state.counters["worst_ms"] = worstMs;
}

BENCHMARK(SolveWithEveryMethod)->Arg(9)->Arg(12)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
