// The search against an independent count. For every row the generator makes, linked sets
// included, at 4x4 and 6x6 where the catalogue offers it and at every level: a generated grid,
// then the same with some of its givens taken away, counted by the search on each route and by
// a plain backtracking that places values and asks only the rules' checks whether the grids
// still hold. A filter that narrows away a solution, or a route that leaves out a rule, shows
// as a difference. A grid too large for the plain count is named in the output, and a row may
// leave only a few so.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
#include "tests/support/data_directory.h"
#include "tests/support/row_rules.h"

namespace quorbel {
namespace {

constexpr int kSmallSizeClasses = 2; // 4x4 and 6x6
constexpr int kLevels = 4;           // Easy to Terrible, each with a seed of its own
// Grids of a row the plain count may give up on: the checks between linked grids read a cell only
// once every grid holds it, so the open sets of Twins Total, Relation and Zone run long.
constexpr int kMostUncompared = 5;
constexpr int kLimit = 12;           // solutions counted on the full routes
constexpr int kUniquenessLimit = 2;  // as the generator counts
constexpr long kNodeBudget = 150000; // the plain count's bound: past it the grid is not compared
constexpr int32_t kSearchTimeOver = 60000;

// The rows whose pieces or sentence a count for uniqueness alone may leave out: it may find
// more solutions there, never fewer.
constexpr VariantWords kLeftOutForUniqueness = kVarMagicSentence | kVarTiled | kVarBattleShip;

std::unique_ptr<EngineContext> ContextOfSize(int sizeClass) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]), 1, 0);
  ctx->Settings.TimeOver = -1;
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  return ctx;
}

// Counts the completions of the main grids by trying values cell by cell. A node is left only
// when the units repeat a value or leave an open cell no value, or a rule's check marks a
// conflict: no rule filter runs.
class PlainCount {
public:
  explicit PlainCount(EngineContext &ctx) : ctx_(ctx) {}

  // The count, at most `limit`; -1 when the node budget ran out first.
  int Run(int limit) {
    limit_ = limit;
    count_ = 0;
    nodes_ = 0;
    Walk();
    return nodes_ > kNodeBudget ? -1 : count_;
  }

private:
  GridRecord &Main(int g) { return ctx_.Grids.Main[static_cast<size_t>(g)]; }

  // Every grid's units and candidates rebuilt, then every check; whether all still hold.
  bool Holds() {
    const int grids = UsedMainCount(ctx_.Grids);
    for (int g = 0; g < grids; ++g)
      InitPossibles(ctx_, Main(g));
    for (int g = 0; g < grids; ++g)
      CheckRules(ctx_, Main(g));
    // A check may mark a cell of another grid: every mark is read once all have run.
    for (int g = 0; g < grids; ++g) {
      if (Main(g).State == kGridContradiction)
        return false;
      for (int c = 0; c < ctx_.Geo.NCells; ++c)
        if (Main(g).Cells[static_cast<size_t>(c)].Check == kCheckConflict)
          return false;
    }
    return true;
  }

  void Walk() {
    if (count_ >= limit_ || ++nodes_ > kNodeBudget || !Holds())
      return;
    // The open cell with the fewest values its units leave.
    int bestGrid = -1, bestCell = -1, fewest = kMaxWidth + 1;
    for (int g = 0; g < UsedMainCount(ctx_.Grids); ++g)
      for (int c = 0; c < ctx_.Geo.NCells; ++c)
        if (const CellRecord &cell = Main(g).Cells[static_cast<size_t>(c)]; cell.Status > kStatusConflict) {
          const int n = CountValues(cell.ThePoss, ctx_.Geo.GridWidth);
          if (n < fewest) {
            fewest = n;
            bestGrid = g;
            bestCell = c;
          }
        }
    if (bestGrid < 0) {
      ++count_;
      return;
    }
    CellRecord &cell = Main(bestGrid).Cells[static_cast<size_t>(bestCell)];
    const CellRecord before = cell;
    const uint32_t values = cell.ThePoss;
    for (int v = 1; v <= ctx_.Geo.GridWidth && count_ < limit_ && nodes_ <= kNodeBudget; ++v) {
      if ((values & ValueBit(v)) == 0)
        continue;
      // As a placed value: the units read what it excludes.
      cell.Status = kStatusPlaced;
      cell.Value = v;
      cell.Marks = cell.ThePoss = ValueBit(v);
      cell.Excluded = ctx_.Geo.FullMask ^ ValueBit(v);
      Walk();
      cell = before;
    }
  }

  EngineContext &ctx_;
  int limit_ = 0;
  int count_ = 0;
  long nodes_ = 0;
};

int CountOnRoute(EngineContext &ctx, int byPropagation, int uniquenessOnly, int limit) {
  ctx.Settings.SearchByPropagation = byPropagation;
  ctx.Settings.UniquenessOnly = uniquenessOnly;
  const int count = SearchLinkedSolutions(ctx, -1, 0, limit, 0);
  ctx.Settings.SearchByPropagation = 0;
  ctx.Settings.UniquenessOnly = 0;
  return count;
}

// The givens of the main grids, in an order drawn from `seed`.
std::vector<std::pair<int, int>> ShuffledGivens(EngineContext &ctx, uint32_t seed) {
  std::vector<std::pair<int, int>> givens;
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g)
    for (int c = 0; c < ctx.Geo.NCells; ++c)
      if (ctx.Grids.Main[static_cast<size_t>(g)].Cells[static_cast<size_t>(c)].Status == kStatusFixed)
        givens.emplace_back(g, c);
  Random15 random(seed);
  for (int i = static_cast<int>(givens.size()) - 1; i > 0; --i)
    std::swap(givens[static_cast<size_t>(i)], givens[random.Next() % static_cast<uint32_t>(i + 1)]);
  return givens;
}

// False when the plain count gave up, which `where` then says in the output.
bool ExpectRoutesCountAsChecks(EngineContext &ctx, VariantWords words, const std::string &where) {
  PlainCount plain(ctx);
  const int expected = plain.Run(kLimit);
  if (expected < 0) {
    std::cout << "  not compared, over the plain count's " << kNodeBudget << " nodes: " << where << '\n';
    return false;
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  EXPECT_EQ(CountOnRoute(ctx, 1, 0, kLimit), expected) << "by propagation";
  EXPECT_EQ(CountOnRoute(ctx, 0, 0, kLimit), expected) << "classic where it applies";
  const int unique = CountOnRoute(ctx, 0, 1, kUniquenessLimit);
  if (Meets(words, kLeftOutForUniqueness))
    EXPECT_GE(unique, std::min(expected, kUniquenessLimit)) << "for uniqueness";
  else
    EXPECT_EQ(unique, std::min(expected, kUniquenessLimit)) << "for uniqueness";
  return true;
}

class ChecksOnlyCount : public test::DataDirectoryTest, public testing::WithParamInterface<int> {};

TEST_P(ChecksOnlyCount, TheSearchFindsWhatTheChecksAllowOnEveryRoute) {
  const int row = GetParam();
  const VariantWords words = test::RowRules(row);
  if (!Meets(GeneratedRuleWords(), VariantCatalog[static_cast<size_t>(row)].VarMasks))
    GTEST_SKIP() << "not generated";
  int uncompared = 0;
  for (int sizeClass = 0; sizeClass < kSmallSizeClasses; ++sizeClass) {
    if (VariantAvailability(sizeClass, row) != 1)
      continue;
    for (int level = 1; level <= kLevels; ++level) {
      const int seed = level;
      const std::string grid = std::string(VariantCatalog[static_cast<size_t>(row)].VarNameEn) + " at " +
                               std::to_string(kSizeClassWidth[static_cast<size_t>(sizeClass)]) + ", level " +
                               std::to_string(level);
      SCOPED_TRACE(grid);
      auto ctx = ContextOfSize(sizeClass);
      ctx->Settings.GridCurrSize = ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]);
      ctx->Settings.CurrentVariant = words;
      GeneratorSettings settings;
      settings.SeedOverride = row * 16 + seed;
      settings.GenereTimeOver = -1;
      ASSERT_EQ(GenerateGrid(*ctx, settings, level).Result, 1);
      ctx->Settings.TimeOver = kSearchTimeOver;
      // A hidden-variant set is played with each grid's own rule switched on.
      for (int g = 0; g < UsedMainCount(ctx->Grids); ++g)
        ctx->Grids.Main[static_cast<size_t>(g)].GridVar |=
            ctx->Grids.Main[static_cast<size_t>(g)].Lists.HiddenRule;
      uncompared += ExpectRoutesCountAsChecks(*ctx, words, grid) ? 0 : 1;
      // Then with a third and with two thirds of the givens gone, so that the rules decide.
      const auto givens = ShuffledGivens(*ctx, static_cast<uint32_t>(seed));
      for (size_t k = 0; k < givens.size() * 2 / 3; ++k) {
        CellRecord &cell = ctx->Grids.Main[static_cast<size_t>(givens[k].first)]
                               .Cells[static_cast<size_t>(givens[k].second)];
        cell.Status = kStatusEmpty;
        cell.Value = 0;
        cell.Marks = cell.ThePoss = 0;
        cell.Excluded = ctx->Geo.FullMask;
        if (k + 1 == givens.size() / 3 || k + 1 == givens.size() * 2 / 3) {
          const std::string thinned = grid + ", " + std::to_string(k + 1) + " givens taken away";
          SCOPED_TRACE(thinned);
          uncompared += ExpectRoutesCountAsChecks(*ctx, words, thinned) ? 0 : 1;
        }
      }
    }
  }
  EXPECT_LE(uncompared, kMostUncompared) << "grids left to the plain count's budget";
}

INSTANTIATE_TEST_SUITE_P(EveryRow, ChecksOnlyCount, testing::Range(kFirstRuleRow, kVariantRowCount),
                         [](const testing::TestParamInfo<int> &info) {
                           std::string name;
                           for (char ch : VariantCatalog[static_cast<size_t>(info.param)].VarNameEn)
                             if (std::isalnum(static_cast<unsigned char>(ch)))
                               name += ch;
                           return name;
                         });

} // namespace
} // namespace quorbel
