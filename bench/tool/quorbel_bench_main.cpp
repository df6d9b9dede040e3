// quorbel-bench: counts or solves the puzzles of a one-line file with the engine's search
// and times it, so that it can be compared with other solvers on the same file.
//   quorbel-bench count [--limit N] [--timeover MS] [--route fast|propagation] [--stats] [FILE]
//   quorbel-bench solve [--timeover MS] [--stats] [FILE]
//   quorbel-bench solve --methods MASK [--timeover MS] [--stats] [FILE]
//   quorbel-bench rate [--timeover MS] [--stats] [FILE]
//   quorbel-bench generate ... and quorbel-bench rows ... (generate_commands.cpp)
// One line per puzzle (a count, -9 for a time-out; or the solution, "none" when there is
// none; with --methods the grid the methods reach and the highest method level; for rate
// the grid level 1..4), then "puzzles=N total_ms=T". --stats adds "median_us=M worst_us=W" before it.
// Without FILE the puzzles come from standard input. Each puzzle is timed from reading its
// line to its answer; the first of each size is answered once before, untimed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/tool/generate_commands.h"
#include "bench/tool/parse_number.h"
#include "engine/engine_context.h"
#include "methods_commands.h"
#include "platform/memory_reuse.h"
#include "solver/one_line_grid.h"
#include "solver/search.h"
#include "solver/solution_count.h"

using namespace quorbel;

namespace {

struct Options {
  bool solve = false;
  bool rate = false;
  bool methods = false; // solve with the methods of `mask`
  MethodMask mask = 0;
  int limit = 0; // 0: the MAXSEARCHGRID default
  int timeOver = -1;
  bool stats = false;
  bool byPropagation = false; // --route propagation: the general route, as SEARCHBYPROPAGATION forces
  std::string file;
};

int Usage() {
  std::fprintf(
      stderr,
      "usage: quorbel-bench count [--limit N] [--timeover MS] [--route fast|propagation] [--stats] [FILE]\n"
      "       quorbel-bench solve [--methods MASK] [--timeover MS] [--stats] [FILE]\n"
      "       quorbel-bench rate [--timeover MS] [--stats] [FILE]\n"
      "       quorbel-bench generate --size S [--shape RxC|irregular] --level L --count N "
      "[--seed X] [--make puzzle|solution] [--route fast|propagation]\n");
  return 2;
}

bool ParseOptions(int argc, char **argv, Options &options) {
  if (argc < 2)
    return false;
  const std::string_view command = argv[1];
  if (command != "count" && command != "solve" && command != "rate")
    return false;
  options.solve = command == "solve";
  options.rate = command == "rate";
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--methods" && options.solve && i + 1 < argc) {
      options.methods = true;
      if (!ParseMethodMask(argv[++i], options.mask))
        return false;
    } else if (arg == "--limit" && command == "count" && i + 1 < argc) {
      if (!ParseNumber(argv[++i], -1, 1000000000, options.limit) || options.limit < 1)
        return false;
    } else if (arg == "--timeover" && i + 1 < argc) {
      if (!ParseNumber(argv[++i], -1, 1000000000, options.timeOver))
        return false;
    } else if (arg == "--route" && i + 1 < argc) {
      const std::string_view route = argv[++i];
      if (route != "fast" && route != "propagation")
        return false;
      options.byPropagation = route == "propagation";
    } else if (arg == "--stats") {
      options.stats = true;
    } else if (options.file.empty() && !arg.starts_with("--")) {
      options.file = arg;
    } else {
      return false;
    }
  }
  return true;
}

std::string Answer(EngineContext &ctx, const Options &options) {
  if (options.rate)
    return RateAnswer(ctx);
  if (options.methods)
    return SolveWithMethodsAnswer(ctx, options.mask);
  GridRecord &grid = ctx.Grids.Main[0];
  if (!options.solve) {
    const int limit = options.limit > 0 ? options.limit : ctx.Settings.MaxSearchGrid;
    return std::to_string(CountGridSolutions(ctx, grid, 0, limit, 0));
  }
  grid.SearchStarted = 0;
  const int result = RunGridSearch(ctx, grid, 0);
  std::string answer = result == kSolveFound       ? OneLineOfGrid(ctx, grid)
                       : result == kSolveExhausted ? std::string("none")
                                                   : std::to_string(result);
  LeaveGridSearch(ctx, grid);
  return answer;
}

} // namespace

int main(int argc, char **argv) {
  quorbel::KeepFreedMemoryForReuse();
  if (argc >= 2 && std::string_view(argv[1]) == "generate")
    return quorbel::bench::RunGenerateCommand(argc, argv);
  if (argc >= 2 && std::string_view(argv[1]) == "rows")
    return quorbel::bench::RunRowsCommand(argc, argv);
  Options options;
  if (!ParseOptions(argc, argv, options))
    return Usage();
  std::ifstream file;
  if (!options.file.empty()) {
    file.open(options.file, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "quorbel-bench: cannot read %s\n", options.file.c_str());
      return 1;
    }
  }
  std::istream &in = options.file.empty() ? std::cin : file;

  // The context holds two dozen grids: too large for the stack.
  auto ctx = std::make_unique<EngineContext>();
  ctx->Settings.TimeOver = options.timeOver;
  ctx->Settings.SearchByPropagation = options.byPropagation ? 1 : 0;

  using Clock = std::chrono::steady_clock;
  std::vector<double> micros;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || (lineNumber == 1 && IsOneLineHeader(line)))
      continue;
    // A new size lays out every grid and the search's scratch once: done untimed.
    const bool newSize = OneLineGridWidth(line.size()) != ctx->Geo.GridWidth;
    const std::string error = LoadOneLineGrid(*ctx, line, 0);
    if (!error.empty()) {
      std::fprintf(stderr, "quorbel-bench: line %d: %s\n", lineNumber, error.c_str());
      return 1;
    }
    if (newSize) {
      Answer(*ctx, options);
      LoadOneLineGrid(*ctx, line, 0);
    }
    const auto start = Clock::now();
    LoadOneLineGrid(*ctx, line, 0);
    const std::string answer = Answer(*ctx, options);
    micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    std::printf("%s\n", answer.c_str());
  }

  double total = 0;
  for (const double us : micros)
    total += us;
  if (options.stats && !micros.empty()) {
    std::vector<double> sorted = micros;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    std::printf("median_us=%.1f worst_us=%.1f\n", median, sorted.back());
  }
  std::printf("puzzles=%zu total_ms=%.3f\n", micros.size(), total / 1000.0);
  return 0;
}
