// quorbel-bench generate: makes N puzzles with the generator and times each one.
//   quorbel-bench generate --size S [--shape RxC|irregular] --level 1..4 --count N [--seed X]
//                          [--make puzzle|solution] [--route fast|propagation] [--rules ROW[,ROW]] [--grids
//                          N] [--timeover MS]
// One line per puzzle in the one-line characters; then "levels=" with how many puzzles
// rated 1, 2, 3, 4 and beyond, "median_ms=M worst_ms=W" and "puzzles=N total_ms=T".
// --shape gives the block height and width (default: the size's own); "irregular" draws
// irregular blocks. --seed X makes puzzle i from seed X + i, so a run can be repeated.
// --make solution times random solutions alone (no level line); --route propagation
// forces the general search route; --timeover sets the generator's time limit per count
// (-1: none), so that two builds can be compared puzzle for puzzle. --rules adds the rules of those variant
// catalogue rows; the last line then gives "unique=" the puzzles that have one solution by our count.
#include "bench/tool/generate_commands.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/tool/parse_number.h"
#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/grid_shape.h"
#include "engine/variant_catalog.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/generate_grid.h"
#include "solver/one_line_grid.h"
#include "solver/random_solution.h"

namespace quorbel::bench {

namespace {

constexpr int kSolutionTries = 10;

struct GenerateOptions {
  int size = 9;
  int blockRows = 0; // 0: the size's own shape
  int blockCols = 0;
  bool irregular = false;
  int level = 1;
  int count = 1;
  int seed = -1;
  bool solutionOnly = false; // --make solution: random solutions alone, no carving
  bool byPropagation = false;
  VariantWords rules;
  int grids = 2;                                     // the grids of a set with a rule between grids
  int timeOver = GeneratorSettings{}.GenereTimeOver; // the time limit of each count (ms, -1 none)
};

int Usage() {
  std::fprintf(
      stderr,
      "usage: quorbel-bench generate --size S [--shape RxC|irregular] --level 1..4 --count N "
      "[--seed X] [--make puzzle|solution] [--route fast|propagation] [--rules ROW[,ROW]] [--grids N] "
      "[--timeover MS]\n");
  return 2;
}

bool ParseShape(std::string_view text, GenerateOptions &options) {
  if (text == "irregular") {
    options.irregular = true;
    return true;
  }
  const size_t x = text.find('x');
  if (x == std::string_view::npos)
    return false;
  const std::string rows(text.substr(0, x));
  const std::string cols(text.substr(x + 1));
  return ParseNumber(rows.c_str(), 1, 16, options.blockRows) &&
         ParseNumber(cols.c_str(), 1, 16, options.blockCols);
}

bool ParseRules(std::string_view text, VariantWords &rules) {
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string row(text.substr(0, comma));
    int index = 0;
    if (!ParseNumber(row.c_str(), kFirstRuleRow, kVariantRowCount - 1, index))
      return false;
    rules |= VariantCatalog[static_cast<size_t>(index)].VarMasks;
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return rules.Any();
}

bool Parse(int argc, char **argv, GenerateOptions &options) {
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (i + 1 >= argc)
      return false;
    const char *value = argv[++i];
    bool ok = false;
    if (arg == "--size")
      ok = ParseNumber(value, 4, 16, options.size);
    else if (arg == "--shape")
      ok = ParseShape(value, options);
    else if (arg == "--level")
      ok = ParseNumber(value, 1, 4, options.level);
    else if (arg == "--count")
      ok = ParseNumber(value, 1, 1000000, options.count);
    else if (arg == "--seed")
      ok = ParseNumber(value, 0, kRandomMax, options.seed);
    else if (arg == "--make")
      ok = (options.solutionOnly = std::string_view(value) == "solution") ||
           std::string_view(value) == "puzzle";
    else if (arg == "--rules")
      ok = ParseRules(value, options.rules);
    else if (arg == "--grids")
      ok = ParseNumber(value, 2, 12, options.grids);
    else if (arg == "--timeover")
      ok = ParseNumber(value, -1, 1000000000, options.timeOver);
    else if (arg == "--route")
      ok = (options.byPropagation = std::string_view(value) == "propagation") ||
           std::string_view(value) == "fast";
    if (!ok)
      return false;
  }
  return true;
}

// The shape code of the options, -1 when the size has no such blocks.
int ShapeCode(const GenerateOptions &options) {
  for (int code = 0; code < kShapeCount; ++code) {
    const GridShape &shape = kGridShapes[code];
    if (shape.Size != options.size)
      continue;
    if (options.blockRows == 0)
      return ShapeCodeOfSize(options.size);
    if (shape.BlockRows == options.blockRows && shape.BlockCols == options.blockCols)
      return code;
  }
  return -1;
}

} // namespace

int RunRowsCommand(int argc, char **argv) {
  int size = 9;
  if (argc != 2 &&
      !(argc == 4 && std::string_view(argv[2]) == "--size" && ParseNumber(argv[3], 4, 16, size))) {
    std::fprintf(stderr, "usage: quorbel-bench rows [--size S]\n");
    return 2;
  }
  const auto sizeClass =
      std::find(kSizeClassWidth.begin(), kSizeClassWidth.end(), size) - kSizeClassWidth.begin();
  const VariantWords made = GeneratedRuleWords();
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &entry = VariantCatalog[static_cast<size_t>(row)];
    if ((entry.VarMasks & made).Any() && VariantAvailability(static_cast<int>(sizeClass), row) == 1)
      std::printf("%d %.*s\n", row, static_cast<int>(entry.VarNameEn.size()), entry.VarNameEn.data());
  }
  return 0;
}

int RunGenerateCommand(int argc, char **argv) {
  GenerateOptions options;
  if (!Parse(argc, argv, options))
    return Usage();
  const int shape = ShapeCode(options);
  if (shape < 0) {
    std::fprintf(stderr, "quorbel-bench: no %dx%d grid with those blocks\n", options.size, options.size);
    return 2;
  }
#ifdef QUORBEL_DATA_DIR
  SetStartDirectory(QUORBEL_DATA_DIR); // the irregular layouts
#endif

  auto ctx = std::make_unique<EngineContext>();
  ctx->Settings.GridCurrSize = shape;
  ctx->Settings.CurrentVariant = (options.irregular ? kVarIrregular : VariantWords{}) | options.rules;
  // The Numeral rule reads number words; the program takes them from its language.
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  if (const std::string refusal = UngeneratedRuleMessage(ctx->Settings.CurrentVariant, 1); !refusal.empty()) {
    std::fprintf(stderr, "quorbel-bench: %s\n", refusal.c_str());
    return 2;
  }
  GeneratorSettings settings;
  settings.VarNGrids = options.grids;
  settings.GenereTimeOver = options.timeOver;

  using Clock = std::chrono::steady_clock;
  std::vector<double> millis;
  std::array<int, 6> rated{};
  int unique = 0;
  ctx->Settings.SearchByPropagation = options.byPropagation ? 1 : 0;
  if (options.solutionOnly)
    SetGridShape(*ctx, shape, 1, 0);
  for (int i = 0; i < options.count; ++i) {
    if (options.seed >= 0)
      settings.SeedOverride = (options.seed + i) & kRandomMax;
    const auto start = Clock::now();
    if (options.solutionOnly) {
      GridRecord &grid = ctx->Grids.Main[0];
      ctx->Random.Seed(static_cast<uint32_t>(options.seed >= 0 ? options.seed + i : i));
      ResetGrid(ctx->Geo, grid, kResetKeepLastStep);
      grid.GridVar = ctx->Settings.CurrentVariant;
      const int made = MakeRandomSolution(*ctx, grid, kSeedsComputed, -1, kSolutionTries, 0);
      millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      if (made != 1) {
        std::fprintf(stderr, "quorbel-bench: no random solution (%d)\n", made);
        return 1;
      }
      std::printf("%s\n", OneLineOfGrid(*ctx, grid).c_str());
      continue;
    }
    const GenerationReport report = GenerateGrid(*ctx, settings, options.level);
    millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (report.Result != 1) {
      std::fprintf(stderr, "quorbel-bench: generation failed (%d)\n", report.Result);
      return 1;
    }
    ++rated[static_cast<size_t>(std::clamp(report.Rating, 0, 5))];
    unique += report.Solutions == 1 ? 1 : 0;
    std::printf("%s\n", OneLineOfGrid(*ctx, ctx->Grids.Main[0]).c_str());
  }

  std::vector<double> sorted = millis;
  std::sort(sorted.begin(), sorted.end());
  const size_t n = sorted.size();
  const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  double total = 0;
  for (const double ms : millis)
    total += ms;
  std::printf("levels=%d,%d,%d,%d,%d\n", rated[1], rated[2], rated[3], rated[4], rated[5]);
  std::printf("median_ms=%.1f worst_ms=%.1f\n", median, sorted.back());
  std::printf("puzzles=%zu total_ms=%.3f\n", n, total);
  if (options.rules.Any() && !options.solutionOnly)
    std::printf("unique=%d\n", unique);
  return 0;
}

} // namespace quorbel::bench
