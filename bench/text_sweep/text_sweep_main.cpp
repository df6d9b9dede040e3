// quorbel-text-sweep: every row the generator makes, at each size the catalogue offers it, a few
// seeds each; each grid (each set) saved as text and opened again must count what it counted
// before the save (hidden rules switched on, as the player plays them) and show the player what
// it showed (rules, givens, pieces as turned).
//   quorbel-text-sweep [--seeds N] [--level 1..4] [--sizes 4,6,8,9,12,16] [--limit N]
// One line per grid; the last line sums up. Exit status 1 when a grid counted otherwise, 2 on
// bad arguments.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/tool/parse_number.h"
#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"
#include "solver/generate_grid.h"
#include "solver/solution_count.h"

namespace quorbel {
namespace {

struct Options {
  int seeds = 3;
  int level = 2;
  int limit = 10;
  std::vector<int> sizes = {4, 6, 8, 9};
  int32_t timeOver = 60000; // per count, ms
};

bool ParseSizes(std::string_view text, std::vector<int> &sizes) {
  sizes.clear();
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string one(text.substr(0, comma));
    int size = 0;
    if (!ParseNumber(one.c_str(), 4, 16, size))
      return false;
    sizes.push_back(size);
    text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
  }
  return !sizes.empty();
}

std::unique_ptr<EngineContext> NewContext() {
  auto ctx = std::make_unique<EngineContext>();
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  return ctx;
}

// The tables a save takes from the engine and an open gives back, as the program does (the Trio
// classes, the Double and Triple points).
TextGridInfo TablesOf(const EngineContext &ctx) {
  TextGridInfo info;
  std::copy(ctx.Points.begin(), ctx.Points.end(), info.NumeralTable1.begin());
  std::copy(ctx.ValueClasses.begin(), ctx.ValueClasses.end(), info.NumeralTable2.begin());
  return info;
}

void TakeTables(const TextGridInfo &info, EngineContext &ctx) {
  for (size_t i = 0; i < ctx.Points.size(); ++i)
    ctx.Points[i] = static_cast<uint32_t>(
        std::clamp(info.NumeralTable1[i], 0, static_cast<int32_t>(EngineContext::kMostPoints)));
  if (!std::any_of(info.NumeralTable2.begin(), info.NumeralTable2.end(), [](int32_t k) { return k != 0; }))
    DefaultValueClasses(ctx.Geo.GridWidth, ctx.ValueClasses);
  else
    for (size_t i = 0; i < ctx.ValueClasses.size(); ++i)
      ctx.ValueClasses[i] = static_cast<int8_t>(std::clamp(info.NumeralTable2[i], 0, 4));
}

int CountWithRulesShown(EngineContext &ctx, const Options &options) {
  std::array<VariantWords, kMaxGrids> words{};
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    words[static_cast<size_t>(g)] = grid.GridVar;
    grid.GridVar |= grid.Lists.HiddenRule;
  }
  ctx.Settings.TimeOver = options.timeOver;
  UpdatePossibles(ctx, -1, -1, -1, 1);
  const int count = SearchLinkedSolutions(ctx, -1, 0, options.limit, 0);
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g)
    ctx.Grids.Main[static_cast<size_t>(g)].GridVar = words[static_cast<size_t>(g)];
  return count;
}

// What the player sees of the set differs after the save: the first grid and what differs there,
// empty when nothing does. Rules shown and hidden, givens, and each piece's cells, digits and
// turns.
std::string SeenDifference(const EngineContext &before, const EngineContext &after) {
  if (UsedMainCount(before.Grids) != UsedMainCount(after.Grids))
    return "grid count";
  for (int g = 0; g < UsedMainCount(before.Grids); ++g) {
    const GridRecord &a = before.Grids.Main[static_cast<size_t>(g)];
    const GridRecord &b = after.Grids.Main[static_cast<size_t>(g)];
    const std::string where = "grid " + std::to_string(g) + ": ";
    if (!(a.GridVar == b.GridVar) || !(a.Lists.HiddenRule == b.Lists.HiddenRule))
      return where + "rules";
    const auto ac = a.PlayingCells(before.Geo);
    const auto bc = b.PlayingCells(after.Geo);
    auto given = [](const CellRecord &c) {
      return c.Status == kStatusGiven || c.Status == kStatusFixed ? c.Value : 0;
    };
    for (size_t i = 0; i < ac.size() && i < bc.size(); ++i)
      if (given(ac[i]) != given(bc[i]))
        return where + "given at cell " + std::to_string(i);
    const auto ap = a.Lists.Pieces.Used();
    const auto bp = b.Lists.Pieces.Used();
    if (ap.size() != bp.size())
      return where + "piece count";
    for (size_t i = 0; i < ap.size(); ++i) {
      const PuzzlePiece &x = ap[i];
      const PuzzlePiece &y = bp[i];
      bool same = x.NCells == y.NCells && x.Rotation == y.Rotation && x.Mirror == y.Mirror &&
                  x.MarkedCell == y.MarkedCell;
      for (int k = 0; same && k < std::clamp<int>(x.NCells, 0, 10); ++k)
        same = x.Cells[static_cast<size_t>(k)] == y.Cells[static_cast<size_t>(k)] &&
               x.Digits[static_cast<size_t>(k)] == y.Digits[static_cast<size_t>(k)];
      if (!same)
        return where + "piece " + std::to_string(i);
    }
  }
  return {};
}

int Sweep(const Options &options) {
  int grids = 0, differ = 0, unmade = 0, timedOut = 0;
  for (const int size : options.sizes) {
    int sizeClass = -1;
    for (int k = 0; k < kSizeClassCount; ++k)
      if (kSizeClassWidth[static_cast<size_t>(k)] == size)
        sizeClass = k;
    if (sizeClass < 0)
      continue;
    for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
      const VariantWords words = VariantCatalog[static_cast<size_t>(row)].VarMasks;
      if (VariantAvailability(sizeClass, row) != 1 || !Meets(GeneratedRuleWords(), words))
        continue;
      for (int seed = 1; seed <= options.seeds; ++seed) {
        auto made = NewContext();
        made->Settings.GridCurrSize = ShapeCodeOfSize(size);
        made->Settings.CurrentVariant = words;
        GeneratorSettings settings;
        settings.SeedOverride = row * 64 + seed;
        settings.GenereTimeOver = -1;
        const char *name = VariantCatalog[static_cast<size_t>(row)].VarNameEn.data();
        if (GenerateGrid(*made, settings, options.level).Result != 1) {
          std::printf("%-24s %2d seed %d: not made\n", name, size, seed);
          ++unmade;
          continue;
        }
        const int before = CountWithRulesShown(*made, options);
        const std::string text = WriteTextGrid(*made, TablesOf(*made));
        auto opened = NewContext();
        TextGridInfo info;
        const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
        const TextGridResult read = OpenTextGrid(std::span<const uint8_t>(bytes, text.size()), *opened, info);
        TakeTables(info, *opened);
        const int after = read.Ok ? CountWithRulesShown(*opened, options) : -1;
        ++grids;
        const std::string seen = read.Ok ? SeenDifference(*made, *opened) : "not read";
        const bool same = read.Ok && after == before && seen.empty();
        differ += same ? 0 : 1;
        timedOut += before == kSolveTimeOut || after == kSolveTimeOut ? 1 : 0;
        std::printf("%-24s %2d seed %d: %d then %d%s%s\n", name, size, seed, before, after,
                    same ? "" : "  DIFFERS", seen.empty() ? "" : (" (" + seen + ")").c_str());
        std::fflush(stdout);
      }
    }
  }
  std::printf("grids=%d differ=%d not_made=%d timed_out=%d\n", grids, differ, unmade, timedOut);
  return differ == 0 ? 0 : 1;
}

} // namespace
} // namespace quorbel

int main(int argc, char **argv) {
  using namespace quorbel;
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    bool ok = hasValue;
    if (arg == "--seeds" && hasValue)
      ok = ParseNumber(argv[++i], 1, 1000, options.seeds);
    else if (arg == "--level" && hasValue)
      ok = ParseNumber(argv[++i], 1, 4, options.level);
    else if (arg == "--limit" && hasValue)
      ok = ParseNumber(argv[++i], 2, 1000, options.limit);
    else if (arg == "--sizes" && hasValue)
      ok = ParseSizes(argv[++i], options.sizes);
    else
      ok = false;
    if (!ok) {
      std::fprintf(stderr, "usage: quorbel-text-sweep [--seeds N] [--level 1..4] [--sizes 4,6,8,9,12,16] "
                           "[--limit N]\n");
      return 2;
    }
  }
#ifdef QUORBEL_DATA_DIR
  SetStartDirectory(QUORBEL_DATA_DIR); // the irregular layouts
#endif
  return Sweep(options);
}
