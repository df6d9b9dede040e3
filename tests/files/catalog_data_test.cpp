#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine_context.h"
#include "engine/variant_bits.h"
#include "files/file_bytes.h"
#include "files/grid_catalog.h"
#include "files/text_grid_reader.h"
#include "platform/paths.h"
#include "solver/solution_count.h"

using namespace quorbel;

namespace {
constexpr int kMostTripleSolutions = 40; // as tools/make_catalog opens its grids
}

// Our shipped catalogue: every grid opens, has exactly one solution (two to a few for the
// Double-Triple game, so that there is a choice) and carries its listed level.
TEST(CatalogData, EveryGridOpensWithOneSolutionAndItsLevel) {
  const std::string root = std::string(QUORBEL_TEST_DATA) + "/../..";
  const FileBytesResult list = ReadFileBytes(root + "/catalog/GridList.dat", 1 << 20);
  ASSERT_TRUE(list.Ok);
  GridCatalog catalog = ParseCatalog(std::string(list.Bytes.begin(), list.Bytes.end()));
  const FileBytesResult levels = ReadFileBytes(root + "/data/GridListDiff.txt", 1 << 20);
  ASSERT_TRUE(levels.Ok);
  ApplyCatalogDifficulties(catalog, std::string(levels.Bytes.begin(), levels.Bytes.end()));
  for (const char *type : {"Sudoku", "Irregular", "Enfant-Kids", "Zevade Doveve"})
    EXPECT_GE(catalog.Types.at(static_cast<size_t>(catalog.IndexOf(type))).Grids.size(), 12u) << type;
  ASSERT_GE(catalog.IndexOf("Double-Triple"), 0);

  SetStartDirectory(root + "/data");
  for (const CatalogType &type : catalog.Types)
    for (const CatalogGrid &grid : type.Grids) {
      const std::string path = MakeGridFilePath(root + "/data", grid.File, 1);
      ASSERT_FALSE(path.empty()) << grid.File;
      const FileBytesResult file = ReadFileBytes(path, 1 << 20);
      auto ctx = std::make_unique<EngineContext>();
      TextGridInfo info;
      ASSERT_TRUE(file.Ok && OpenTextGrid(file.Bytes, *ctx, info).Ok) << grid.File;
      EXPECT_EQ(info.Level, grid.Difficulty) << grid.File;
      if (type.Name != "Double-Triple") {
        EXPECT_EQ(CountGridSolutions(*ctx, ctx->Grids.Main[0], 0, 2, 0), 1) << grid.File;
        continue;
      }
      // The player chooses among a few solutions the one that scores most.
      EXPECT_TRUE(Meets(ctx->Grids.Main[0].GridVar, kVarNeighbourScore)) << grid.File;
      const int solutions = CountGridSolutions(*ctx, ctx->Grids.Main[0], 0, kMostTripleSolutions + 1, 0);
      EXPECT_GE(solutions, 2) << grid.File;
      EXPECT_LE(solutions, kMostTripleSolutions) << grid.File;
    }
}
