#include "solver/variant_clues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "engine/variant_catalog.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/generation_run.h"
#include "solver/random_solution.h"

namespace quorbel {
namespace {

constexpr int kSizes[] = {4, 6, 8, 9, 12, 16};
constexpr int kSeedsPerSize = 20;

// Every rule of one grid whose clues are generated, and Kimo over the two rules it changes.
std::vector<VariantWords> GeneratedKinds() {
  std::vector<VariantWords> kinds;
  // Pirate makes no clue, and its solutions come from a file beside the program; the clues
  // between grids need a set of them.
  for (const HiddenVariantEntry &entry : HiddenVariantTable)
    if (Meets(entry.Words, GeneratedClueWords()) && !Meets(entry.Words, kVarPirate | kVarLinkedGridRules))
      kinds.push_back(entry.Words);
  kinds.push_back(kVarKillerSum | kVarKimo);
  kinds.push_back(kVarLittleKiller | kVarKimo);
  return kinds;
}

bool Offered(VariantWords words, int sizeClass) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (Meets(VariantCatalog[row].VarMasks, words) && VariantAvailability(sizeClass, row) != 1)
      return false;
  return true;
}

int KindIndex(VariantWords words) {
  for (int i = 0; i < kHiddenVariantKinds; ++i)
    if (Meets(HiddenVariantTable[i].Words, words))
      return i;
  return -1;
}

// Number words of our own for the Numeral rule; the sixteenth has no letter to give.
const std::array<std::string, 16> kWords = {"one",      "two",      "three",   "four", "five",   "six",
                                            "seven",    "eight",    "nine",    "ten",  "eleven", "twelve",
                                            "thirteen", "fourteen", "fifteen", ""};

// A solved grid of the rules' shape, a third of its cells givens, the clues generated on it.
class GeneratedClues {
public:
  GeneratedClues(int shape, VariantWords words, uint32_t seed) : ctx_(std::make_unique<EngineContext>()) {
    SetGridShape(*ctx_, shape, 1, 0);
    ctx_->NumeralStrings = kWords;
    BuildNumeralCharMasks(*ctx_);
    GridRecord &grid = Grid();
    grid.GridVar = words;
    ctx_->Random.Seed(seed);
    made_ = MakeRandomSolution(*ctx_, grid, kSeedsComputed, -1, 10, 0) == 1;
    for (int c = 0; c < ctx_->Geo.NCells; ++c)
      grid.Cells[c].Status = RandomBelow(ctx_->Random, 3) == 0 ? kStatusFixed : kStatusPlaced;
    GenerationRun run;
    run.Level = 1 + static_cast<int>(seed % 4);
    run.Clues.DepthIsMax = seed % 7 == 0 ? 1 : 0;
    run.Clues.Allocated.fill(ctx_->Geo.NCells / 5);
    *before_ = grid.Lists;
    total_ = GenerateVariantClues(*ctx_, grid, run);
    result_ = run.Clues.Result;
  }
  GridRecord &Grid() { return ctx_->Grids.Main[0]; }
  const GridRecord &Solution() { return ctx_->Grids.RefTab[0]; }
  EngineContext &Ctx() { return *ctx_; }
  bool Made() const { return made_; }
  int Result(int kind) const { return kind < 0 ? 0 : result_[kind]; }
  int Total() const { return total_; }
  const VariantLists &ListsBefore() const { return *before_; }

private:
  std::unique_ptr<EngineContext> ctx_;
  std::unique_ptr<VariantLists> before_ = std::make_unique<VariantLists>();
  bool made_ = false;
  int total_ = 0;
  std::array<int32_t, kHiddenVariantKinds> result_{};
};

// The grid as it stood before the generators ran: its lists, and no cell marked.
void ExpectNoClue(GeneratedClues &made) {
  EXPECT_TRUE(made.Grid().Lists == made.ListsBefore());
  for (int c = 0; c < made.Ctx().Geo.NCells; ++c) {
    const CellRecord &cell = made.Grid().Cells[c];
    ASSERT_TRUE(cell.AllowedType == kAllowedTypeNone && cell.CellClass == 0 && cell.Numeral == -1 &&
                cell.MasterMindLine == -1 && cell.CrossedOut == 0)
        << "cell " << c;
  }
}

TEST(VariantClues, EveryGeneratedClueHoldsForTheSolutionAndNoFilterRemovesASolutionValue) {
  const std::string previous = StartDirectory(); // the Magic Sentence reads our sentence files
  SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  std::array<int, 2> kept{}; // kinds left without clue, kinds kept
  for (const VariantWords words : GeneratedKinds())
    for (int sizeClass = 0; sizeClass < 6; ++sizeClass) {
      if (!Offered(words, sizeClass))
        continue;
      for (uint32_t seed = 1; seed <= kSeedsPerSize; ++seed) {
        GeneratedClues made(ShapeCodeOfSize(kSizes[sizeClass]), words, seed);
        ASSERT_TRUE(made.Made());
        SCOPED_TRACE(testing::Message() << "rule " << words.word1 << "/" << words.word2 << " size "
                                        << kSizes[sizeClass] << " seed " << seed);
        GridRecord &grid = made.Grid();
        // A kind that found no clue (a dot sum no two neighbours make, say) leaves the grid; one
        // that spent more than its count (MasterMind's lines) stays.
        const int result = made.Result(KindIndex(words));
        EXPECT_EQ(Meets(grid.GridVar, HiddenVariantTable[KindIndex(words)].Words), result != 0);
        ++kept[result != 0 ? 1 : 0];
        // And it takes its clues with it: none is checked that the board would not draw.
        if (result == 0)
          ExpectNoClue(made);

        // Every cell holding its solution value: nothing is in conflict.
        Propagate(made.Ctx(), grid, kFilterAlways, 0);
        ASSERT_EQ(grid.State, kGridConsistent);

        // The givens alone: the filters keep every cell's solution value.
        for (int c = 0; c < made.Ctx().Geo.NCells; ++c)
          if (grid.Cells[c].Status != kStatusFixed)
            ResetCellState(made.Ctx().Geo, grid.Cells[c]);
        Propagate(made.Ctx(), grid, kFilterAlways, 0);
        ASSERT_NE(grid.State, kGridContradiction);
        for (int c = 0; c < made.Ctx().Geo.NCells; ++c)
          ASSERT_NE(grid.Cells[c].ThePoss & ValueBit(made.Solution().Cells[c].Value), 0u) << "cell " << c;
      }
    }
  EXPECT_GT(kept[1], 20 * kept[0]); // leaving without clue is the rare case
  SetStartDirectory(previous);
}

// Each comparison rule adds marks only between cells that hold none: Less with All Indicated marks
// every pair, and XV and Dot, finding no pair left, leave the grid without turning its marks.
TEST(VariantClues, TheComparisonRulesKeepEachOthersMarks) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    GeneratedClues made(ShapeCodeOfSize(9), kVarLess | kVarXV | kVarDot | kVarAllIndicated, seed);
    ASSERT_TRUE(made.Made());
    const GridRecord &grid = made.Grid();
    for (const ComparisonMark &mark : grid.Lists.Comparisons.Used()) {
      const VariantWords owner = mark.Kind <= kCompareV             ? kVarXV
                                 : mark.Kind <= kCompareDifferenceN ? kVarDot
                                                                    : kVarLess;
      ASSERT_TRUE(Meets(grid.GridVar, owner)) << "seed " << seed << " kind " << mark.Kind;
    }
  }
  // Less makes its marks first, from the same draws with XV as alone; XV leaves them all.
  const auto lessMarks = [](const GridRecord &grid) {
    std::vector<ComparisonMark> marks;
    for (const ComparisonMark &mark : grid.Lists.Comparisons.Used())
      if (mark.Kind == kCompareLess || mark.Kind == kCompareGreater)
        marks.push_back(mark);
    return marks;
  };
  int xv = 0;
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    GeneratedClues alone(ShapeCodeOfSize(9), kVarLess, seed);
    GeneratedClues both(ShapeCodeOfSize(9), kVarLess | kVarXV, seed);
    EXPECT_EQ(lessMarks(both.Grid()), lessMarks(alone.Grid())) << "seed " << seed;
    xv += both.Grid().Lists.Comparisons.Size() - static_cast<int>(lessMarks(both.Grid()).size());
  }
  EXPECT_GT(xv, 0);
}

TEST(VariantClues, AKindWithoutACountOrAGeneratorLeavesTheGrid) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, ShapeCodeOfSize(9), 1, 0);
  GridRecord &grid = ctx->Grids.Main[0];
  grid.GridVar = kVarKillerSum | kVarLittleKiller | kVarTwinsSameInLine;
  ctx->Random.Seed(3);
  ASSERT_EQ(MakeRandomSolution(*ctx, grid, kSeedsComputed, -1, 10, 0), 1);
  GenerationRun run;
  run.Clues.Allocated[KindIndex(kVarKillerSum)] = 20;
  run.Clues.Allocated[KindIndex(kVarTwinsSameInLine)] = 20;
  GenerateVariantClues(*ctx, grid, run);
  EXPECT_TRUE(Meets(grid.GridVar, kVarKillerSum));
  EXPECT_FALSE(Meets(grid.GridVar, kVarLittleKiller));    // no count
  EXPECT_FALSE(Meets(grid.GridVar, kVarTwinsSameInLine)); // no generator yet
  EXPECT_EQ(grid.Lists.LittleKiller.Size(), 0);

  // Kimo and All Indicated go with the rules whose clues they change.
  grid.GridVar = kVarLittleKiller | kVarKimo | kVarXV | kVarAllIndicated;
  run.Clues.Allocated.fill(0);
  GenerateVariantClues(*ctx, grid, run);
  EXPECT_EQ(grid.GridVar, VariantWords{});
  EXPECT_EQ(grid.Lists.KimoModulus, 0);
}

TEST(VariantClues, KillerCagesStayWithinTheirCapacityAndTotalTheirCells) {
  GeneratedClues made(ShapeCodeOfSize(9), kVarKillerSum | kVarKimo, 5);
  const GridRecord &grid = made.Ctx().Grids.Main[0];
  const int modulus = grid.Lists.KimoModulus;
  ASSERT_GE(modulus, 7);
  ASSERT_GT(grid.Lists.Killer.Size(), 0);
  for (const KillerCage &cage : grid.Lists.Killer.Used()) {
    EXPECT_LE(cage.NCells, 10);
    int sum = 0;
    for (int k = 0; k < cage.NCells; ++k)
      sum += made.Solution().Cells[cage.Cells[k]].Value;
    EXPECT_EQ(cage.Target, sum % modulus);
  }
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST(VariantClues, AllIndicatedGivesEveryXAndVPairOfTheSolution) {
  for (uint32_t seed : {2u, 3u}) {
    GeneratedClues made(ShapeCodeOfSize(9), kVarXV | kVarAllIndicated, seed);
    const GridRecord &grid = made.Grid();
    const GridRecord &solution = made.Solution();
    const GridGeometry &geo = made.Ctx().Geo;
    int pairs = 0;
    for (int c = 0; c < geo.NCells; ++c)
      for (int other : {geo.ColOfCell[c] + 1 < 9 ? c + 1 : -1, geo.RowOfCell[c] + 1 < 9 ? c + 9 : -1}) {
        if (other < 0)
          continue;
        const int sum = solution.Cells[c].Value + solution.Cells[other].Value;
        if (sum != 5 && sum != 10)
          continue;
        ++pairs;
        bool marked = false;
        for (const ComparisonMark &mark : grid.Lists.Comparisons.Used())
          marked |= (mark.CellA == c && mark.CellB == other) || (mark.CellA == other && mark.CellB == c);
        EXPECT_TRUE(marked) << "cells " << c << " and " << other;
      }
    EXPECT_GT(pairs, 0);
  }
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

TEST(VariantClues, AtTheFirstTwoLevelsTheFirstMasterMindLineIsTheCodeItself) {
  for (uint32_t seed : {1u, 2u, 5u, 6u}) { // levels 2, 3, 2, 3 and back: the run's level is 1 + seed % 4
    GeneratedClues made(ShapeCodeOfSize(9), kVarMasterMind, seed);
    const MasterMindClue &mind = made.Grid().Lists.MasterMind;
    const int c = mind.CodeLength;
    ASSERT_GE(mind.Lines.Size(), 2);
    const MasterMindGuess &first = mind.Lines.Items[0];
    if (1 + seed % 4 <= 2) {
      EXPECT_EQ(first.Black, c);
      EXPECT_EQ(first.White, 0);
    }
    // Every line's counts are those of its cells against the code.
    for (const MasterMindGuess &line : mind.Lines.Used()) {
      int black = 0;
      for (int k = 0; k < c; ++k)
        black += made.Solution().Cells[line.Row * 9 + line.Columns[k]].Value == mind.Code[k] ? 1 : 0;
      EXPECT_EQ(line.Black, black);
      EXPECT_LE(line.Black + line.White, c);
    }
  }
}

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

// Whether two cells are the same or touch, corners included.
bool Touch(const GridGeometry &geo, int a, int b) {
  return std::abs(a / geo.NCols - b / geo.NCols) <= 1 && std::abs(a % geo.NCols - b % geo.NCols) <= 1;
}

TEST(PieceClues, ABattleShipFleetNeverTouchesAndItsCluesCountItsCells) {
  constexpr std::array<int, 10> kFleet = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    GeneratedClues made(ShapeCodeOfSize(9), kVarBattleShip, seed);
    ASSERT_TRUE(made.Made());
    const GridRecord &grid = made.Grid();
    const GridGeometry &geo = made.Ctx().Geo;
    const auto boats = grid.Lists.Pieces.Used();
    ASSERT_LE(boats.size(), kFleet.size());
    // The boats are shuffled for play: their lengths are the fleet's first ones.
    std::vector<int> lengths;
    for (const PuzzlePiece &boat : boats)
      lengths.push_back(boat.NCells);
    std::sort(lengths.rbegin(), lengths.rend());
    EXPECT_TRUE(std::equal(lengths.begin(), lengths.end(), kFleet.begin())) << "seed " << seed;
    int cells = 0;
    for (size_t b = 0; b < boats.size(); ++b) {
      cells += boats[b].NCells;
      for (size_t other = b + 1; other < boats.size(); ++other)
        for (int i = 0; i < boats[b].NCells; ++i)
          for (int j = 0; j < boats[other].NCells; ++j)
            EXPECT_FALSE(Touch(geo, boats[b].Cells[i], boats[other].Cells[j])) << "seed " << seed;
      for (int i = 0; i < boats[b].NCells; ++i) {
        const int cell = boats[b].Cells[i];
        EXPECT_EQ(boats[b].Digits[i], made.Solution().Cells[cell].Value);
      }
    }
    int rows = 0;
    int columns = 0;
    for (int line = 0; line < geo.GridWidth; ++line) {
      rows += grid.Lists.BoatClueRow[line];
      columns += grid.Lists.BoatClueCol[line];
    }
    EXPECT_EQ(rows, cells);
    EXPECT_EQ(columns, cells);
  }
}

TEST(PieceClues, PuzzlePiecesAreChainsOfNeighboursWithAtMostTwoGivensAndNeverGivensOnly) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    GeneratedClues made(ShapeCodeOfSize(9), kVarPuzzle, seed);
    ASSERT_TRUE(made.Made());
    const GridRecord &grid = made.Grid();
    const GridGeometry &geo = made.Ctx().Geo;
    std::set<int> used;
    for (const PuzzlePiece &piece : grid.Lists.Pieces.Used()) {
      int givens = 0;
      for (int k = 0; k < piece.NCells; ++k) {
        const int cell = piece.Cells[k];
        EXPECT_TRUE(used.insert(cell).second) << "a cell in two pieces";
        givens += grid.Cells[cell].Status == kStatusFixed ? 1 : 0;
        // Each cell touches another of its piece by a side.
        bool linked = piece.NCells == 1;
        for (int j = 0; j < piece.NCells && !linked; ++j)
          linked = j != k && std::abs(cell / geo.NCols - piece.Cells[j] / geo.NCols) +
                                     std::abs(cell % geo.NCols - piece.Cells[j] % geo.NCols) ==
                                 1;
        EXPECT_TRUE(linked);
      }
      EXPECT_LE(givens, 2);
      EXPECT_LT(givens, piece.NCells);
    }
  }
}

TEST(PieceClues, TilesAreTheBlocksAndATileHoldingAGridCornerMarksIt) {
  int tiled = 0;
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    GeneratedClues made(ShapeCodeOfSize(9), kVarTiled, seed);
    ASSERT_TRUE(made.Made());
    const GridRecord &grid = made.Grid();
    const auto tiles = grid.Lists.Pieces.Used();
    if (tiles.empty())
      continue; // the rule found no tile worth showing
    ++tiled;
    ASSERT_EQ(tiles.size(), 9u);
    int marked = 0;
    for (const PuzzlePiece &tile : tiles) {
      EXPECT_EQ(tile.NCells, 9);
      if (tile.MarkedCell >= 0) {
        const int corner = tile.Cells[tile.MarkedCell];
        EXPECT_TRUE(corner == 0 || corner == 8 || corner == 72 || corner == 80);
        ++marked;
      }
    }
    EXPECT_EQ(marked, 4);
  }
  EXPECT_GT(tiled, 4);
  // A block of more cells than a piece holds is no tile.
  GeneratedClues wide(ShapeCodeOfSize(12), kVarTiled, 1);
  EXPECT_EQ(wide.Grid().Lists.Pieces.Size(), 0);
  EXPECT_FALSE(Meets(wide.Grid().GridVar, kVarTiled));
}

} // namespace
} // namespace quorbel
