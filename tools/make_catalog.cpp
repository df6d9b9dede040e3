// Makes our grid catalogue with our own generator and fixed seeds: "GridList.dat",
// "GridListDiff.txt" and one text grid per entry in "TextGrid/". Each grid is generated at
// its level and keeps the level the generator rated it.
//
//   make_catalog DATA_DIR CATALOG_DIR
// writes the text grids and "GridListDiff.txt" into DATA_DIR (which holds IRGBlk.dat) and
// "GridList.dat" into CATALOG_DIR: the build copies that one beside the program only when it is
// newer, since the copy there keeps the player's marks.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/neighbour_rules.h"
#include "engine/update_possibles.h"
#include "engine/variant_bits.h"
#include "files/file_bytes.h"
#include "files/grid_catalog.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/generate_grid.h"
#include "solver/maximise_score.h"
#include "solver/solution_count.h"

namespace quorbel {
namespace {

constexpr uint32_t kSeed = 20261208;

struct Batch {
  int Size;
  int Level; // 1 Easy .. 4 Terrible
  int Count;
  bool Irregular = false;
};

struct TypeRecipe {
  const char *Name;
  const char *Prefix; // of the file names
  const char *CommentFrench;
  const char *CommentEnglish;
  std::vector<Batch> Batches;
  bool DoubleTriple = false; // scored by the neighbours' quotients, with several solutions
};

const std::vector<TypeRecipe> &Recipes() {
  static const std::vector<TypeRecipe> recipes = {
      {"Sudoku",
       "Sud",
       "Grilles classiques de toutes tailles et de tous niveaux",
       "Classic grids of every size and level",
       {{4, 1, 2},
        {6, 1, 2},
        {6, 2, 2},
        {8, 2, 2},
        {9, 1, 3},
        {9, 2, 3},
        {9, 3, 3},
        {9, 4, 3},
        {12, 1, 1},
        {16, 1, 1}}},
      {"Irregular",
       "Irr",
       "Grilles 9 x 9 aux blocs irréguliers",
       "9 x 9 grids with irregular blocks",
       {{6, 1, 2, true}, {9, 1, 4, true}, {9, 2, 4, true}, {9, 3, 2, true}}},
      {"Enfant-Kids",
       "Kid",
       "Petites grilles faciles pour les enfants",
       "Small easy grids for children",
       {{4, 1, 6}, {6, 1, 6}}},
      {"Zevade Doveve", "Quick", "Parties rapides en 9 x 9", "Quick 9 x 9 games", {{9, 1, 6}, {9, 2, 6}}},
      {"Double-Triple",
       "Trip",
       "Trouvez la solution qui marque le plus de points",
       "Find the solution that scores the most points",
       {{6, 1, 4}, {9, 1, 4}},
       true},
  };
  return recipes;
}

// A Double-Triple grid leaves the player a choice: a few more cells open than a unique solution
// needs, yet few enough solutions that the best score is worked out at once when the game starts.
// An easy grid holds givens it does not need, so opening one of those leaves no choice yet: the
// opening goes on until there are at least two solutions.
constexpr int kMostTripleSolutions = 40;
constexpr int kMostTripleOpenings = 8;
constexpr int kLeastTripleSolutions = 2;

void MakeDoubleTriple(EngineContext &ctx, TextGridInfo &info) {
  GridRecord &grid = ctx.Grids.Main[0];
  GivePointsWhenNone(ctx);
  std::copy(ctx.Points.begin(), ctx.Points.end(), info.NumeralTable1.begin());
  grid.GridVar |= kVarNeighbourScore;
  std::vector<int> givens;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    if (grid.Cells[static_cast<size_t>(c)].Status < kStatusHypothesis)
      givens.push_back(c);
  int opened = 0;
  int solutions = 1;
  while (!givens.empty() && (opened < kMostTripleOpenings || solutions < kLeastTripleSolutions)) {
    const size_t pick = static_cast<size_t>(RandomBelow(ctx.Random, static_cast<int>(givens.size())));
    const int cell = givens[pick];
    givens.erase(givens.begin() + static_cast<std::ptrdiff_t>(pick));
    const int value = grid.Cells[static_cast<size_t>(cell)].Value;
    SetCellValue(ctx, grid, cell, 0, kActionClear);
    RecomputeAllCandidates(ctx);
    const int count = CountGridSolutions(ctx, grid, 0, kMostTripleSolutions + 1, 0);
    if (count >= 1 && count <= kMostTripleSolutions) {
      ++opened;
      solutions = count;
      continue;
    }
    SetCellValue(ctx, grid, cell, value, kActionGive);
    RecomputeAllCandidates(ctx);
  }
  // The best solution is the reference the warnings compare with.
  const int best = BestScoreOfSolutions(ctx, grid, ctx.Grids.RefTab[0]);
  RecomputeAllCandidates(ctx);
  std::printf("  best score %d, %d solutions\n", best,
              CountGridSolutions(ctx, grid, 0, kMostTripleSolutions + 1, 0));
}

const char *LevelLetter(int level) { return level == 1 ? "E" : level == 2 ? "M" : level == 3 ? "D" : "T"; }

int Run(const std::string &dataDir, const std::string &catalogDir) {
  SetStartDirectory(dataDir); // the irregular layouts
  std::filesystem::create_directories(std::filesystem::path(dataDir) / "TextGrid");
  GridCatalog catalog;
  uint32_t seed = kSeed;
  for (const TypeRecipe &recipe : Recipes()) {
    int number = 0;
    for (const Batch &batch : recipe.Batches)
      for (int i = 0; i < batch.Count; ++i) {
        auto ctx = std::make_unique<EngineContext>();
        ctx->Settings.GridCurrSize = ShapeCodeOfSize(batch.Size);
        ctx->Settings.CurrentVariant = batch.Irregular ? kVarIrregular : VariantWords{};
        GeneratorSettings settings;
        settings.SeedOverride = static_cast<int>(seed++ & kRandomMax);
        const GenerationReport report = GenerateGrid(*ctx, settings, batch.Level);
        if (report.Result != 1) {
          std::fprintf(stderr, "make_catalog: %s %dx%d failed (%d)\n", recipe.Name, batch.Size, batch.Size,
                       report.Result);
          return 1;
        }
        char name[64];
        std::snprintf(name, sizeof name, "%s%d%s%02d", recipe.Prefix, batch.Size, LevelLetter(batch.Level),
                      ++number);
        TextGridInfo info;
        if (recipe.DoubleTriple)
          MakeDoubleTriple(*ctx, info);
        info.Level = report.Level;
        info.CommentFrench = std::string(recipe.CommentFrench);
        info.CommentEnglish = std::string(recipe.CommentEnglish);
        const std::string path =
            (std::filesystem::path(dataDir) / "TextGrid" / (std::string(name) + ".txt")).string();
        if (!WriteFileReplacing(path, WriteTextGrid(*ctx, info)).Ok()) {
          std::fprintf(stderr, "make_catalog: cannot write %s\n", path.c_str());
          return 1;
        }
        AddCatalogGrid(catalog, recipe.Name, name, recipe.CommentFrench, recipe.CommentEnglish);
        catalog.Types[static_cast<size_t>(catalog.IndexOf(recipe.Name))].Grids.back().Difficulty =
            report.Level;
        std::printf("%s level %d\n", name, report.Level);
      }
  }
  if (!SaveCatalog(catalogDir, catalog, Language::English).Ok() ||
      !WriteFileReplacing((std::filesystem::path(dataDir) / kCatalogDifficultyFileName).string(),
                          CatalogDifficultyText(catalog))
           .Ok()) {
    std::fprintf(stderr, "make_catalog: cannot write the catalogue\n");
    return 1;
  }
  return 0;
}

} // namespace
} // namespace quorbel

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_catalog DATA_DIR CATALOG_DIR\n");
    return 2;
  }
  return quorbel::Run(argv[1], argv[2]);
}
