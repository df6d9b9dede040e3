// Makes the ready-made solutions of the constrained neighbourhood rules (one file per rule and
// width, the one-line catalogue format) and checks them: each line is a full grid whose rows,
// columns and blocks hold every value once and that breaks no rule of its file.
//
//   make_ready_made_solutions DIRECTORY [SEED]   writes the twelve files
//   make_ready_made_solutions --check DIRECTORY  checks them
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "platform/random.h"
#include "solver/ready_made_solution.h"
#include "solver/search.h"

namespace quorbel {
namespace {

constexpr uint32_t kDefaultSeed = 20261209;
constexpr int kSeedTries = 50;

std::unique_ptr<EngineContext> EmptyGrid(int width, VariantWords rule) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, ShapeCodeOfSize(width), 1, 0);
  ctx->Settings.TimeOver = 20000; // ms a search may take
  ctx->Grids.Main[0].GridVar = rule;
  UpdatePossibles(*ctx, -1, -1, -1, 1);
  return ctx;
}

// A solution of the rule: a few random values seeded in the first row, then the search.
std::string Solve(Random15 &random, int width, VariantWords rule) {
  for (int attempt = 0; attempt < kSeedTries; ++attempt) {
    auto ctx = EmptyGrid(width, rule);
    GridRecord &grid = ctx->Grids.Main[0];
    for (int k = 0; k < 2 && attempt > 0; ++k) {
      const int cell = RandomBelow(random, width);
      const int value = RandomBelow(random, width) + 1;
      if ((grid.Cells[cell].ThePoss & ValueBit(value)) != 0)
        SetCellValue(*ctx, grid, cell, value, kActionPlace);
      UpdatePossibles(*ctx, -1, -1, -1, 1);
    }
    if (RunGridSearch(*ctx, grid, 1) != 1)
      continue;
    std::string line;
    for (int cell = 0; cell < ctx->Geo.NCells; ++cell)
      line += static_cast<char>('0' + grid.Cells[cell].Value);
    return line;
  }
  return {};
}

// The grid of the line breaks nothing: every value placed, no conflict marked.
bool Valid(const std::string &line, int width, VariantWords rule) {
  if (line.size() != static_cast<size_t>(width * width))
    return false;
  auto ctx = EmptyGrid(width, rule);
  GridRecord &grid = ctx->Grids.Main[0];
  for (int cell = 0; cell < width * width; ++cell) {
    const int value = line[static_cast<size_t>(cell)] - '0';
    if (value < 1 || value > width)
      return false;
    SetCellValue(*ctx, grid, cell, value, kActionPlace);
  }
  UpdatePossibles(*ctx, -1, -1, -1, 1);
  for (int cell = 0; cell < ctx->Geo.NCells; ++cell)
    if (grid.Cells[cell].Check == kCheckConflict)
      return false;
  return ctx->GridSetState == kGridConsistent;
}

std::string PathOf(const std::string &directory, std::string_view name) {
  return directory + "/" + std::string(name);
}

int Check(const std::string &directory) {
  int bad = 0;
  for (const ReadyMadeRule &rule : kReadyMadeRules)
    for (int width : {9, 8}) {
      const std::string_view name = ReadyMadeFileName(rule, width);
      if (name.empty())
        continue;
      const auto values = ReadReadyMadeSolution(PathOf(directory, name), width);
      std::string line;
      if (values)
        for (int8_t v : *values)
          line += static_cast<char>('0' + v);
      const bool ok = values && Valid(line, width, rule.Rule);
      std::printf("%-24s %s\n", std::string(name).c_str(), ok ? "ok" : "WRONG");
      bad += ok ? 0 : 1;
    }
  return bad == 0 ? 0 : 1;
}

int Make(const std::string &directory, uint32_t seed) {
  Random15 random(seed);
  for (const ReadyMadeRule &rule : kReadyMadeRules)
    for (int width : {9, 8}) {
      const std::string_view name = ReadyMadeFileName(rule, width);
      if (name.empty())
        continue;
      const std::string line = Solve(random, width, rule.Rule);
      if (line.empty() || !Valid(line, width, rule.Rule)) {
        std::fprintf(stderr, "no solution found for %s\n", std::string(name).c_str());
        return 1;
      }
      std::ofstream out(PathOf(directory, name), std::ios::binary);
      out << kOneLineCatalogHeader << "\r\n" << line << "\r\n";
      std::printf("%s\n", std::string(name).c_str());
    }
  return 0;
}

} // namespace
} // namespace quorbel

int main(int argc, char **argv) {
  if (argc == 3 && std::string(argv[1]) == "--check")
    return quorbel::Check(argv[2]);
  if (argc == 2 || argc == 3)
    return quorbel::Make(argv[1], argc == 3 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10))
                                            : quorbel::kDefaultSeed);
  std::fprintf(stderr, "usage: make_ready_made_solutions DIRECTORY [SEED] | --check DIRECTORY\n");
  return 2;
}
