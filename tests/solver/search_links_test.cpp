// Each link of the fast search alone, on generated grids of the rows that name it. Read a cell at
// a time as a search decides the cells, with other narrowing in between, a link keeps every value
// of the grid's solution, holds the solution whole, and comes to what a fresh link reading the
// same board whole comes to.
#include "solver/search_links.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"
#include "solver/generate_grid.h"
#include "tests/support/data_directory.h"

namespace quorbel {
namespace {

template <typename Links> struct TypesOf;
template <typename... L> struct TypesOf<std::tuple<L...>> { using Type = testing::Types<L...>; };

struct Board {
  std::array<uint8_t, kMaxCells> value{};
  std::array<uint16_t, kMaxCells> cand{};
  LinkBoard View() { return {value, cand}; }
  bool operator==(const Board &) const = default;
};

// The board read whole from fresh marks, again until nothing changes: false on a contradiction.
template <typename Link> bool ReadWhole(const Link &link, Board &board) {
  for (bool changed = true; changed;) {
    changed = false;
    typename Link::Marks marks = link.Fresh();
    if (!link.NarrowEvery(board.View(), marks, [&](int c) { return (changed = true, board.cand[c] != 0); }))
      return false;
  }
  return true;
}

// A generated grid of the row at the smallest size from 6x6 up that offers and makes it; null if
// none does.
std::unique_ptr<EngineContext> GeneratedGrid(int row, int seed) {
  for (int sizeClass = 1; sizeClass < kSizeClassCount; ++sizeClass) {
    if (VariantAvailability(sizeClass, row) != 1)
      continue;
    const int width = kSizeClassWidth[static_cast<size_t>(sizeClass)];
    auto ctx = std::make_unique<EngineContext>();
    SetGridShape(*ctx, ShapeCodeOfSize(width), 1, 0);
    ctx->Settings.TimeOver = -1;
    ctx->Settings.GridCurrSize = ShapeCodeOfSize(width);
    ctx->Settings.CurrentVariant = VariantCatalog[static_cast<size_t>(row)].VarMasks;
    GeneratorSettings settings;
    settings.SeedOverride = row * 16 + seed;
    settings.GenereTimeOver = -1;
    if (GenerateGrid(*ctx, settings, 1).Result == 1)
      return ctx;
  }
  return nullptr;
}

// The generator places two figures at most: more pieces of both colours, each kept when the
// grid's own check passes the solution with it.
void AddPiecesTheSolutionKeeps(EngineContext &ctx, uint32_t seed) {
  GridRecord &grid = ctx.Grids.Main[0];
  Random15 random(seed);
  for (int tries = 0; tries < 40; ++tries) {
    const auto cell = static_cast<CellRef>(random.Next() % static_cast<uint32_t>(ctx.Geo.NCells));
    const auto pieces = grid.Lists.Chess.Used();
    if (std::any_of(pieces.begin(), pieces.end(), [&](const ChessPiece &p) { return p.Cell == cell; }))
      continue;
    grid.Lists.Chess.Append(
        {cell, static_cast<int16_t>(random.Next() % kChessKinds), static_cast<int16_t>(random.Next() % 2)});
    auto solved = std::make_unique<GridRecord>();
    CopyGrid(ctx, *solved, &grid, 0);
    for (int c = 0; c < ctx.Geo.NCells; ++c) {
      solved->Cells[c].Status = kStatusFixed;
      solved->Cells[c].Value = ctx.Grids.RefTab[0].Cells[c].Value;
    }
    InitPossibles(ctx, *solved);
    CheckRules(ctx, *solved);
    if (std::any_of(solved->Cells.begin(), solved->Cells.begin() + ctx.Geo.NCells,
                    [](const CellRecord &c) { return c.Check == kCheckConflict; }))
      grid.Lists.Chess.RemoveAt(grid.Lists.Chess.Size() - 1);
  }
}

template <typename Link> class SearchLinkAlone : public test::DataDirectoryTest {};
TYPED_TEST_SUITE(SearchLinkAlone, TypesOf<SearchLinks>::Type);

TYPED_TEST(SearchLinkAlone, ReadACellAtATimeItKeepsTheSolutionAndComesToAFreshRead) {
  using Link = TypeParam;
  int grids = 0;
  int narrowed = 0; // candidates the link took, over every grid
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    if (RuleRegistry[static_cast<size_t>(row)].Link != Link::kKind ||
        !Meets(GeneratedRuleWords(), VariantCatalog[static_cast<size_t>(row)].VarMasks))
      continue;
    for (int seed = 1; seed <= 4; ++seed) {
      SCOPED_TRACE(testing::Message()
                   << VariantCatalog[static_cast<size_t>(row)].VarNameEn << ", seed " << seed);
      auto ctx = GeneratedGrid(row, seed);
      if (!ctx)
        continue;
      const GridGeometry &geo = ctx->Geo;
      GridRecord &grid = ctx->Grids.Main[0];
      if constexpr (Link::kKind == SearchLinkKind::ChessFigures)
        AddPiecesTheSolutionKeeps(*ctx, static_cast<uint32_t>(seed));
      Link link;
      link.Build(geo, grid, true);
      if (!link.Any())
        continue; // the generator gave it no clue
      ++grids;
      std::array<uint8_t, kMaxCells> solution{};
      for (int c = 0; c < geo.NCells; ++c)
        solution[c] = static_cast<uint8_t>(ctx->Grids.RefTab[0].Cells[c].Value);
      ASSERT_TRUE(link.HoldOnFull(solution));

      // `base` takes only what other rules take, `read` what the link takes too.
      Board base;
      std::vector<int> open;
      for (int c = 0; c < geo.NCells; ++c) {
        if (grid.Cells[c].Status == kStatusFixed) {
          base.value[c] = solution[c];
        } else {
          base.cand[c] = static_cast<uint16_t>(geo.FullMask);
          open.push_back(c);
        }
      }
      Random15 random(static_cast<uint32_t>(row * 16 + seed));
      for (int i = static_cast<int>(open.size()) - 1; i > 0; --i)
        std::swap(open[static_cast<size_t>(i)], open[random.Next() % static_cast<uint32_t>(i + 1)]);
      Board read = base;
      typename Link::Marks marks = link.Fresh();
      const auto counted = [&](int c) { return (++narrowed, read.cand[c] != 0); };
      ASSERT_TRUE(link.NarrowEvery(read.View(), marks, counted));
      for (size_t k = 0; k < open.size(); ++k) {
        // Another rule takes a value no solution needs from some open cell.
        const int other = open[k + random.Next() % static_cast<uint32_t>(open.size() - k)];
        const uint16_t lose = static_cast<uint16_t>(read.cand[other] & ~ValueBit(solution[other]));
        if (lose != 0) {
          const uint16_t bit = static_cast<uint16_t>(lose & (~lose + 1));
          base.cand[other] &= static_cast<uint16_t>(~bit);
          read.cand[other] &= static_cast<uint16_t>(~bit);
          link.Touch(marks, other);
        }
        const auto c = static_cast<uint8_t>(open[k]);
        for (Board *board : {&base, &read}) {
          board->value[c] = solution[c];
          board->cand[c] = 0;
        }
        link.Touch(marks, c);
        ASSERT_TRUE(link.NarrowAround(read.View(), marks, std::span(&c, 1), counted)) << "cell " << int{c};
        ASSERT_TRUE(link.NarrowEvery(read.View(), marks, counted)) << "cell " << int{c};
        for (const int o : open)
          ASSERT_TRUE(read.value[o] != 0 || (read.cand[o] & ValueBit(solution[o])) != 0)
              << "cell " << o << " lost its solution value after cell " << int{c};
        if (k % 4 != 0)
          continue;
        Link fresh;
        fresh.Build(geo, grid, true);
        Board whole = base;
        Board settled = read;
        ASSERT_TRUE(ReadWhole(fresh, whole));
        ASSERT_TRUE(ReadWhole(link, settled));
        ASSERT_EQ(settled, whole) << "after cell " << int{c};
      }
    }
  }
  EXPECT_GT(grids, 0);
  EXPECT_GT(narrowed, 0);
}

} // namespace
} // namespace quorbel
