#include "solver/linked_generation.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/rule_registry.h"
#include "engine/search_history.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"
#include "solver/generate_grid.h"
#include "solver/hidden_variant_generation.h"
#include "solver/one_line_grid.h"
#include "solver/random_variants.h"
#include "solver/search.h"
#include "solver/search_classic.h"
#include "solver/solution_count.h"
#include "tests/support/count_limit.h"

namespace quorbel {
namespace {

constexpr int kShapeFour = 0;
constexpr int kShapeSix = 1;

struct LinkedRun {
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  GenerationReport Report;

  LinkedRun(int shape, VariantWords words, int grids, int seed, int varMult = 0) {
    Ctx->Settings.GridCurrSize = shape;
    Ctx->Settings.CurrentVariant = words;
    GeneratorSettings settings;
    settings.SeedOverride = seed;
    settings.VarNGrids = grids;
    settings.VarMult = varMult;
    Report = GenerateGrid(*Ctx, settings, 2);
  }
  int Grids() const { return UsedMainCount(Ctx->Grids); }
  const GridRecord &Solution(int g) const { return Ctx->Grids.RefTab[static_cast<size_t>(g)]; }
  int Value(int g, int c) const { return Solution(g).Cells[static_cast<size_t>(c)].Value; }
};

TEST(LinkedGeneration, TheGridCountFollowsVarNGridsWithinTwoToTwelve) {
  EXPECT_EQ(LinkedRun(kShapeFour, kVarTwinsRelation, 1, 3).Grids(), 2);
  const LinkedRun most(kShapeFour, kVarTwinsRelation, 20, 3);
  ASSERT_EQ(most.Report.Result, 1);
  EXPECT_EQ(most.Grids(), 12);
  // The sums take a grid of their own.
  const LinkedRun total(kShapeFour, kVarTwinsTotal, 20, 3);
  EXPECT_EQ(total.Grids(), 11);
  EXPECT_EQ(UsedAllCount(total.Ctx->Grids), 12);
}

TEST(LinkedGeneration, EachRuleBetweenGridsHoldsOnTheSolutions) {
  for (int seed = 1; seed <= 4; ++seed) {
    SCOPED_TRACE(seed);
    const LinkedRun equal(kShapeSix, kVarTwinsEqual, 3, seed);
    ASSERT_EQ(equal.Report.Result, 1);
    const LinkedRun different(kShapeSix, kVarTwinsDifferent, 3, seed);
    ASSERT_EQ(different.Report.Result, 1);
    const LinkedRun total(kShapeSix, kVarTwinsTotal, 3, seed);
    ASSERT_EQ(total.Report.Result, 1);
    const int cells = equal.Ctx->Geo.NCells;
    for (int c = 0; c < cells; ++c) {
      for (int g = 1; g < 3; ++g) {
        EXPECT_EQ(equal.Value(g, c), equal.Value(0, c)) << c;
        EXPECT_NE(different.Value(g, c), different.Value(g - 1, c)) << c;
      }
      EXPECT_NE(different.Value(0, c), different.Value(2, c)) << c; // the ring closes
      const GridRecord &sums = total.Ctx->Grids.Main[3];
      EXPECT_EQ(sums.Cells[c].Value, total.Value(0, c) + total.Value(1, c) + total.Value(2, c)) << c;
      EXPECT_EQ(sums.Cells[c].Status, kStatusGiven);
    }
    // Every set is unique: counting it again finds the one solution.
    for (const LinkedRun *run : {&equal, &different, &total})
      EXPECT_EQ(SearchLinkedSolutions(*run->Ctx, -1, 0, 2, 0), 1);
  }
}

// The generator's counts read every Twins Total sum, where the player's candidates stop at the
// candidate limit (eleven 4x4 grids go past it): both must find the same solutions.
TEST(LinkedGeneration, ACountForTheGeneratorFindsTheSolutionsOfEveryTwinsTotal) {
  for (int seed = 1; seed <= 2; ++seed) {
    LinkedRun total(kShapeFour, kVarTwinsTotal, 11, seed);
    ASSERT_EQ(total.Report.Result, 1);
    EngineContext &ctx = *total.Ctx;
    // Two grids open whole: exchanged, they give a second solution at least.
    for (int g = 0; g < 2; ++g)
      for (int c = 0; c < ctx.Geo.NCells; ++c)
        SetCellValue(ctx, ctx.Grids.Main[static_cast<size_t>(g)], c, 0, kActionClear);
    std::array<std::set<std::string>, 2> found;
    ctx.Settings.TimeOver = test::kTestCountLimitMs;
    for (const int everySum : {0, 1}) {
      ctx.Settings.UniquenessOnly = everySum;
      const int count = SearchLinkedSolutions(ctx, -1, 0, 100, 1);
      ASSERT_GT(count, 1);
      ASSERT_LT(count, 100);
      auto grid = std::make_unique<GridRecord>();
      for (int level = 0; level < ctx.Solutions.StoredCount; ++level) {
        std::string set;
        for (int g = 0; g < total.Grids(); ++g) {
          ASSERT_EQ(CopyStoredSolution(ctx, level, g, *grid), 1);
          set += OneLineOfGrid(ctx, *grid);
        }
        found[static_cast<size_t>(everySum)].insert(set);
      }
    }
    EXPECT_EQ(found[1], found[0]);
  }
}

// The generator carves a copy of a linked grid, outside the set, where the links are only
// checked against the grids as they stand: the classic route takes it, holding each full board to
// the checks, and must list the propagating route's solutions in the same order.
TEST(LinkedGeneration, ACopyOutsideTheSetIsSearchedAsPropagationSearchesIt) {
  int several = 0;
  for (const VariantWords rule :
       {kVarTwinsRelation, kVarTwinsSubstitution, kVarTwinsDifferent, kVarTwinsZone, kVarTwinsEqual}) {
    LinkedRun set(kShapeSix, rule, 3, 7);
    ASSERT_EQ(set.Report.Result, 1);
    EngineContext &ctx = *set.Ctx;
    ctx.Settings.TimeOver = test::kTestCountLimitMs;
    auto copy = std::make_unique<GridRecord>();
    CopyGrid(ctx, *copy, &ctx.Grids.Main[1], 0);
    for (int c = 0; c < ctx.Geo.NCells; c += 2)
      SetCellValue(ctx, *copy, c, 0, kActionClear);
    std::array<std::vector<std::string>, 2> found;
    for (const int byPropagation : {0, 1}) {
      ctx.Settings.SearchByPropagation = byPropagation;
      BeginGridSearch(ctx, *copy, 0);
      EXPECT_EQ(ClassicSearchApplies(ctx, *copy), byPropagation == 0);
      while (found[static_cast<size_t>(byPropagation)].size() < 50 &&
             RunGridSearch(ctx, *copy, 0) == kSolveFound)
        found[static_cast<size_t>(byPropagation)].push_back(OneLineOfGrid(ctx, *copy));
      EndGridSearch(ctx, *copy);
    }
    EXPECT_EQ(found[0], found[1]) << RuleName(rule, kLanguageEnglish);
    several += found[1].size() > 1 ? 1 : 0;
  }
  EXPECT_GT(several, 1);
}

// A tally walks the copy's tree in one call, where each node narrowed by the links hands its
// board down to the nodes below: the tally must read the propagating route's solutions.
TEST(LinkedGeneration, ATallyOfASubstitutionCopyReadsThePropagatingRoutesSolutions) {
  int several = 0;
  for (int seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    LinkedRun set(kShapeSix, kVarTwinsSubstitution, 3, seed);
    ASSERT_EQ(set.Report.Result, 1);
    EngineContext &ctx = *set.Ctx;
    ctx.Settings.TimeOver = test::kTestCountLimitMs;
    auto copy = std::make_unique<GridRecord>();
    CopyGrid(ctx, *copy, &ctx.Grids.Main[1], 0);
    for (int c = 0; c < ctx.Geo.NCells; ++c)
      if (c % 3 != 0)
        SetCellValue(ctx, *copy, c, 0, kActionClear);
    std::array<int, 2> count{};
    std::array<std::vector<int32_t>, 2> tally;
    for (const int byPropagation : {0, 1}) {
      ctx.Settings.SearchByPropagation = byPropagation;
      for (CellRecord &cell : copy->PlayingCells(ctx.Geo))
        cell.ValueScores.fill(0);
      count[static_cast<size_t>(byPropagation)] = TallyGridSolutions(ctx, *copy, 100, {});
      for (const CellRecord &cell : copy->PlayingCells(ctx.Geo))
        tally[static_cast<size_t>(byPropagation)].insert(tally[static_cast<size_t>(byPropagation)].end(),
                                                         cell.ValueScores.begin(), cell.ValueScores.end());
    }
    EXPECT_EQ(count[0], count[1]);
    EXPECT_EQ(tally[0], tally[1]);
    several += count[1] > 1 ? 1 : 0;
  }
  EXPECT_GT(several, 1);
}

TEST(LinkedGeneration, ZoneLinksCopyTheBlockAndSubstitutionMapsTheValues) {
  const LinkedRun zone(kShapeSix, kVarTwinsZone, 3, 5);
  ASSERT_EQ(zone.Report.Result, 1);
  const GridSet &set = zone.Ctx->Grids;
  int links = 0;
  for (int g = 0; g < 3; ++g)
    for (const TwinsZoneLink &link : set.Main[g].Lists.TwinsZone.Used()) {
      ++links;
      for (int k = 0; k < zone.Ctx->Geo.GridWidth; ++k)
        EXPECT_EQ(zone.Value(g, set.Main[g].BlockCells[link.Block][k]),
                  zone.Value(link.OtherGrid, set.Main[link.OtherGrid].BlockCells[link.OtherBlock][k]));
    }
  EXPECT_GT(links, 0);

  const LinkedRun map(kShapeSix, kVarTwinsSubstitution, 2, 5);
  ASSERT_EQ(map.Report.Result, 1);
  std::array<int, 17> image{};
  for (int c = 0; c < map.Ctx->Geo.NCells; ++c) {
    int &seen = image[static_cast<size_t>(map.Value(0, c))];
    EXPECT_TRUE(seen == 0 || seen == map.Value(1, c)) << c;
    seen = map.Value(1, c);
  }
}

TEST(LinkedGeneration, AGridThatCopiesItsPartnerIsFilledAfterIt) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, kShapeSix, 1, 0);
  GridSet &set = ctx->Grids;
  set.Main[0].GridVar = kVarTwinsEqual;
  set.Main[1].GridVar = kVarTwinsEqual | kVarTouchy; // heavier, yet it waits for grid 0
  set.Main[1].Lists.TwinsPartner = 0;
  set.Main[2].GridVar = kVarNoTouch;
  const auto order = LinkedFillOrder(set, 3, 6);
  EXPECT_EQ(order[0], 2); // the heaviest grid that waits for nothing
  EXPECT_EQ(order[1], 0);
  EXPECT_EQ(order[2], 1);
}

TEST(RandomVariants, OneRuleDrawnIsOfferedAndNeverDominoOrRomain) {
  for (int sizeClass = 0; sizeClass < kSizeClassCount; ++sizeClass)
    for (uint32_t seed = 0; seed < 150; ++seed) {
      Random15 random(seed);
      const VariantWords words = DrawOneRandomRule(random, sizeClass) & ~kVarKimo;
      const int row = FindVariantRow(words);
      ASSERT_GE(row, kFirstRuleRow) << words.word1 << "/" << words.word2;
      EXPECT_EQ(VariantAvailability(sizeClass, row), 1) << row;
      EXPECT_FALSE(Meets(words, kVarDomino | kVarRomain | kVarMagicSquare | kVarPanDigital)) << row;
    }
}

TEST(RandomVariants, SeveralRulesDrawnStayAtOrBelowTheTwinsSubstitutionRow) {
  VariantWords above;
  for (int row = 58; row < kVariantRowCount; ++row)
    above |= VariantCatalog[static_cast<size_t>(row)].VarMasks;
  for (uint32_t seed = 0; seed < 300; ++seed) {
    Random15 random(seed);
    EXPECT_FALSE(Meets(AddRandomRules(random, {}, 3, 4), above));
  }
}

TEST(RandomVariants, PickRandomVariantBitTakesOneBitOfTheWordsElseOfTheMasks) {
  std::set<uint64_t> seen;
  Random15 random(7);
  for (int draw = 0; draw < 200; ++draw) {
    const uint64_t bit = PickRandomVariantBit(random, 0x200, 0x1000000 | 0x40000, 0x4, 0x8);
    EXPECT_TRUE(bit == 0x200 || bit == (uint64_t{0x40000} << 32)) << bit; // never the masked bit
    seen.insert(bit);
    EXPECT_EQ(PickRandomVariantBit(random, 0, 0x1000000, 0x4, 0), 0x4u);
  }
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(PickRandomVariantBit(random, 0, 0, 0, 0x1000000), 0u);
}

// The set was announced unique: each grid has one solution under its own rule and none under
// another grid's.
void ExpectEachRuleTheOnlyOneThatSolves(const LinkedRun &run) {
  ASSERT_EQ(run.Report.Solutions, 1);
  EngineContext &ctx = *run.Ctx;
  const int grids = run.Grids();
  for (int g = 0; g < grids; ++g) {
    GridRecord &grid = ctx.Grids.Main[g];
    const VariantWords own = grid.Lists.HiddenRule;
    grid.GridVar = own;
    EXPECT_EQ(SearchLinkedSolutions(ctx, g, 0, 2, 0), 1) << g;
    for (int l = 0; l < grids; ++l) {
      grid.GridVar = ctx.Grids.Main[l].Lists.HiddenRule;
      if (grid.GridVar != own && grid.GridVar != kVarDiagonal) {
        EXPECT_EQ(SearchLinkedSolutions(ctx, g, 0, 2, 0), 0) << g << " under " << l;
      }
    }
    grid.GridVar = kVarTwinsVariantMasked;
  }
}

TEST(HiddenVariants, TheDefaultsLeaveOutRulesTheSizeDoesNotOffer) {
  EXPECT_FALSE(Meets(HiddenVariantDefaults(0), kVarPirate)); // 4 x 4
  EXPECT_FALSE(Meets(HiddenVariantDefaults(5), kVarTouchy)); // 16 x 16
  EXPECT_TRUE(Meets(HiddenVariantDefaults(3), kVarDiagonal | kVarTouchy));
}

TEST(HiddenVariants, FiveGridsGetFiveRulesEachTheOnlyOneThatSolvesItsGrid) {
  const LinkedRun run(kShapeSix, kVarTwinsVariantMasked, 5, 12);
  ASSERT_EQ(run.Report.Result, 1);
  ASSERT_EQ(run.Grids(), 5);
  EngineContext &ctx = *run.Ctx;
  std::set<uint64_t> rules;
  for (int g = 0; g < 5; ++g) {
    const GridRecord &grid = ctx.Grids.Main[g];
    EXPECT_EQ(grid.GridVar, kVarTwinsVariantMasked);
    const VariantWords rule = grid.Lists.HiddenRule;
    EXPECT_TRUE(Meets(rule, HiddenVariantDefaults(1)));
    rules.insert((uint64_t{rule.word2} << 32) | rule.word1);
  }
  EXPECT_EQ(rules.size(), 5u);
  ExpectEachRuleTheOnlyOneThatSolves(run);
}

// At 4x4 every Give Me 5 solution keeps No Average: a set of four holds both, and one grid
// takes the other's rule.
TEST(HiddenVariants, RulesThatCannotBeToldApartGiveWayToOneThatCan) {
  const LinkedRun run(kShapeFour, kVarTwinsVariantMasked, 4, 1);
  ASSERT_EQ(run.Report.Result, 1);
  ExpectEachRuleTheOnlyOneThatSolves(run);
}

TEST(GenerationMessages, AHiddenSetIsCalledUniqueOnlyWhenEveryGridWasAccepted) {
  const LinkedRun run(kShapeSix, kVarTwinsVariantMasked, 4, 2);
  ASSERT_EQ(run.Report.Result, 1);
  EXPECT_TRUE(run.Report.Solutions == 1 || run.Report.Solutions == 2);
  EXPECT_EQ(run.Ctx->GridComments[1], "Grid Generated by Quorbel with masked Varients");
}

} // namespace
} // namespace quorbel
