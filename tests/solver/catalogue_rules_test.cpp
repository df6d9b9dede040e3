// Every catalogue row end to end: a rule is offered only at sizes where a grid can hold it, and
// each puzzle the generator makes has one solution on either search route and fills with that
// solution, in any order, without a conflict.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "engine/rule_registry.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"
#include "solver/generate_grid.h"
#include "solver/solution_count.h"
#include "tests/support/count_limit.h"
#include "tests/support/data_directory.h"
#include "tests/support/row_rules.h"

namespace quorbel {
namespace {

constexpr int kEasy = 1;
constexpr int kNineClass = 3;
constexpr int kFillOrders = 3;

std::unique_ptr<EngineContext> ContextOfSize(int sizeClass) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]), 1, 0);
  ctx->Settings.TimeOver = test::kTestCountLimitMs;
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  return ctx;
}

// The rules that need no clue: the empty grid alone says whether any grid holds them.
bool NeedsNoClue(int row) {
  return RuleRegistry[static_cast<size_t>(row)].Family == RuleFamily::Neighbourhood &&
         !Meets(VariantCatalog[static_cast<size_t>(row)].VarMasks, kCluedOnlyRules);
}

int CountEmptyGrids(int sizeClass, int row, int limit) {
  auto ctx = ContextOfSize(sizeClass);
  GridRecord &grid = ctx->Grids.Main[0];
  grid.GridVar = VariantCatalog[static_cast<size_t>(row)].VarMasks;
  return CountGridSolutions(*ctx, grid, 0, limit, 0);
}

class CatalogueRules : public test::DataDirectoryTest {};

TEST_F(CatalogueRules, ARuleWithoutCluesIsOfferedOnlyWhereAGridHoldsIt) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    if (!NeedsNoClue(row))
      continue;
    for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass)
      if (VariantAvailability(sizeClass, row) == 1) {
        EXPECT_EQ(CountEmptyGrids(sizeClass, row, 1), 1)
            << VariantCatalog[static_cast<size_t>(row)].VarNameEn << " at "
            << kSizeClassWidth[static_cast<size_t>(sizeClass)];
      }
  }
  // The whole search of the 4x4 grids finds no No Touch grid.
  constexpr int kNoTouchRow = 21;
  EXPECT_EQ(CountEmptyGrids(0, kNoTouchRow, 2), 0);
}

// The first cell (grid x NCells + cell) whose candidates or status one more pass of the rule
// filters changes, after an update that ran them; -1 when it changes nothing: an update leaves
// the grids where the filters have nothing left to take. The set's candidates stay as the
// filters leave them.
int FirstCellAnotherUpdateChanges(EngineContext &ctx) {
  const int grids = UsedMainCount(ctx.Grids);
  const int cells = ctx.Geo.NCells;
  auto state = [&](int g, int c) {
    const CellRecord &cell = ctx.Grids.Main[g].Cells[c];
    return std::tuple(cell.ThePoss, cell.Excluded, cell.Status);
  };
  UpdatePossibles(ctx, -1, kFilterAlways, 0, 1);
  std::vector<decltype(state(0, 0))> before;
  for (int g = 0; g < grids; ++g)
    for (int c = 0; c < cells; ++c)
      before.push_back(state(g, c));
  UpdatePossibles(ctx, -1, kFilterAlways, 0, 0);
  for (int g = 0; g < grids; ++g)
    for (int c = 0; c < cells; ++c)
      if (state(g, c) != before[static_cast<size_t>(g * cells + c)])
        return g * cells + c;
  return -1;
}

struct Filling {
  int Conflict = -1;         // the first cell (grid x NCells + cell) that showed a conflict, -1 none
  int HalfwayCount = 0;      // the solutions counted with half of the cells placed
  int HalfwayUnsettled = -1; // FirstCellAnotherUpdateChanges with half of the cells placed
};

// The puzzle's solution placed cell by cell in a shuffled order, every grid of the set
// recomputed after each. The cells are emptied again afterwards.
Filling FillWithSolution(EngineContext &ctx, uint32_t seed) {
  GridSet &set = ctx.Grids;
  std::vector<std::pair<int, int>> open; // (grid, cell)
  for (int g = 0; g < UsedMainCount(set); ++g)
    for (int c = 0; c < ctx.Geo.NCells; ++c)
      if (set.Main[g].Cells[c].Status > kStatusConflict)
        open.emplace_back(g, c);
  Random15 random(seed);
  for (int i = static_cast<int>(open.size()) - 1; i > 0; --i)
    std::swap(open[static_cast<size_t>(i)], open[random.Next() % static_cast<uint32_t>(i + 1)]);
  Filling filling;
  for (size_t k = 0; k < open.size() && filling.Conflict < 0; ++k) {
    const auto [g, c] = open[k];
    SetCellValue(ctx, set.Main[g], c, set.RefTab[g].Cells[c].Value, kActionPlace);
    UpdatePossibles(ctx, -1, -1, -1, 1);
    if (CombinedGridState(ctx, -1) == kGridContradiction)
      filling.Conflict = g * ctx.Geo.NCells + c;
    if (k + 1 == open.size() / 2) {
      filling.HalfwayUnsettled = FirstCellAnotherUpdateChanges(ctx);
      filling.HalfwayCount = SearchLinkedSolutions(ctx, -1, 0, 2, 0);
    }
  }
  for (const auto &[g, c] : open)
    SetCellValue(ctx, set.Main[g], c, 0, kActionClear);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  return filling;
}

// Easy puzzles at the smallest size each row is offered for, and at 9x9.
TEST_F(CatalogueRules, EveryGeneratedPuzzleHasOneSolutionThatFillsWithoutConflict) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantWords words = VariantCatalog[static_cast<size_t>(row)].VarMasks;
    if (!Meets(GeneratedRuleWords(), words))
      continue;
    std::vector<int> sizeClasses;
    for (int k = 0; k < kSizeClassCount && sizeClasses.empty(); ++k)
      if (VariantAvailability(k, row) == 1)
        sizeClasses.push_back(k);
    if (VariantAvailability(kNineClass, row) == 1 && sizeClasses.front() != kNineClass)
      sizeClasses.push_back(kNineClass);
    for (const int sizeClass : sizeClasses) {
      SCOPED_TRACE(testing::Message() << VariantCatalog[static_cast<size_t>(row)].VarNameEn << " at "
                                      << kSizeClassWidth[static_cast<size_t>(sizeClass)]);
      auto ctx = ContextOfSize(sizeClass);
      ctx->Settings.GridCurrSize = ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]);
      ctx->Settings.CurrentVariant = test::RowRules(row);
      GeneratorSettings settings;
      settings.SeedOverride = row;
      settings.GenereTimeOver = test::kTestCountLimitMs; // far beyond any count: the count decides
      ASSERT_EQ(GenerateGrid(*ctx, settings, kEasy).Result, 1);
      ctx->Settings.TimeOver = test::kTestCountLimitMs;
      // A hidden-variant set is played with each grid's own rule switched on.
      for (int g = 0; g < UsedMainCount(ctx->Grids); ++g)
        ctx->Grids.Main[g].GridVar |= ctx->Grids.Main[g].Lists.HiddenRule;
      UpdatePossibles(*ctx, -1, -1, -1, 1);
      EXPECT_EQ(FirstCellAnotherUpdateChanges(*ctx), -1) << "a second update changed a cell";
      // The classic route where the rules allow it, as the generator counts; then propagation alone.
      for (const int byPropagation : {0, 1}) {
        ctx->Settings.SearchByPropagation = byPropagation;
        ctx->Settings.UniquenessOnly = 1 - byPropagation;
        EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, 2, 0), 1) << "route " << byPropagation;
      }
      ctx->Settings.SearchByPropagation = 0;
      ctx->Settings.UniquenessOnly = 0;
      for (uint32_t order = 1; order <= kFillOrders; ++order) {
        const Filling filling = FillWithSolution(*ctx, order);
        EXPECT_EQ(filling.Conflict, -1) << "order " << order;
        EXPECT_EQ(filling.HalfwayCount, 1) << "order " << order;
        EXPECT_EQ(filling.HalfwayUnsettled, -1) << "order " << order << ": a second update changed a cell";
      }
    }
  }
}

} // namespace
} // namespace quorbel
