// Colouring: its chains, what it concludes, and that it never contradicts the solution,
// even on sparse 12x12 and 16x16 grids where a unit has more than ten places for a value.
#include <gtest/gtest.h>

#include "engine/cell_actions.h"
#include "engine/method_record.h"
#include "engine/unit_queries.h"
#include "method_test_support.h"
#include "solver/burma.h"
#include "solver/colouring.h"
#include "solver/method_trial_grid.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

// (0,7) is row 0's only place for 1.
const std::string kHiddenSingle = Cleared(kSolution9, {CellAt(0, 7), CellAt(0, 8), CellAt(3, 7)});

// Puzzle 1 of puzzles-9.txt where singles stall. Whichever of its two places in a unit
// takes 3, its chain clears 3 from cells (6,1), (6,8), (7,1) and (7,8): a pattern of two
// lines sharing two places, as the fish search sees it too.
constexpr std::string_view kXWingPosition =
    "875030961162759834943861527219083070604927180087610092401078050000040710700190240";

std::vector<std::pair<int, int>> LostCandidates(const EngineContext &ctx, const GridRecord &before,
                                                const GridRecord &after, int onlyValue = 0) {
  std::vector<std::pair<int, int>> lost;
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell)
    for (int v = 1; v <= ctx.Geo.GridWidth; ++v)
      if ((before.Cells[cell].ThePoss & ~after.Cells[cell].ThePoss & ValueBit(v)) != 0 &&
          (onlyValue == 0 || v == onlyValue))
        lost.emplace_back(cell, v);
  return lost;
}

TEST(Colouring, AUnitWithOnePlaceGivesOneChainThatPlacesIt) {
  PuzzleContext p(kHiddenSingle);
  TrialGrid trial;
  const int start = CellAt(0, 7);
  EXPECT_EQ(ColourDigitChains(*p.Ctx, p.Grid(), trial, 0, 1, std::vector<int>{start}), 1);
  EXPECT_EQ(p.Cell(start).ColourSet, 1);

  ResetCellColours(p.Grid(), -1);
  ColouringOutcome outcome;
  EXPECT_EQ(ApplyColouring(*p.Ctx, p.Grid(), trial, 0, 1, 0, 81, outcome), start);
  EXPECT_EQ(outcome.Value, 1);
  EXPECT_EQ(outcome.Count, 1);
  EXPECT_EQ(outcome.Cells[0], start);
}

// A start cell lies in three units: a memo runs its chain once and marks the grid as a
// fresh run would, for every unit of the value.
TEST(Colouring, ChainsKeptInAMemoColourAsChainsRunAfresh) {
  PuzzleContext fresh(kXWingPosition);
  PuzzleContext kept(kXWingPosition);
  TrialGrid trial;
  ChainMemo memo;
  constexpr int kValue = 3;
  for (const int kind : {kUnitRow, kUnitColumn, kUnitBlock}) {
    for (int unit = 0; unit < 9; ++unit) {
      std::array<int, kMaxWidth> starts{};
      const int count = FindColourUnitCells(*fresh.Ctx, kind, kValue, unit, fresh.Grid(), starts);
      const auto cells = std::span(starts).first(static_cast<size_t>(count));
      ASSERT_EQ(ColourDigitChains(*kept.Ctx, kept.Grid(), trial, 0, kValue, cells, &memo),
                ColourDigitChains(*fresh.Ctx, fresh.Grid(), trial, 0, kValue, cells));
      for (int cell = 0; cell < 81; ++cell) {
        ASSERT_EQ(kept.Cell(cell).ColourSet, fresh.Cell(cell).ColourSet)
            << kind << " " << unit << " " << cell;
        ASSERT_EQ(kept.Cell(cell).EliminationSet, fresh.Cell(cell).EliminationSet) << cell;
      }
    }
  }
}

// On a grid without rules a memo runs the chains on the values alone: they must colour as
// chains on a scratch grid do, with and without the Probables rule, at sizes with oblong
// blocks too, and where chains meet contradictions.
TEST(Colouring, ChainsOnTheValuesAloneColourAsChainsOnAScratchGrid) {
  std::vector<std::string> positions = {std::string(kNoSolution)};
  for (const char *file : {"puzzles-6.txt", "puzzles-9.txt", "puzzles-12.txt"}) {
    const std::vector<std::string> puzzles = ReadPuzzleFile(file);
    for (size_t i = 0; i < 3 && i < puzzles.size(); ++i)
      positions.push_back(Thinned(puzzles[i], 2));
  }
  for (const std::string &position : positions) {
    PuzzleContext p(position);
    const GridGeometry &geo = p.Ctx->Geo;
    TrialGrid trial;
    for (const MethodMask mask : {kMaskNoMethod, MethodMask{kMaskProbables}}) {
      ChainMemo memo;
      memo.Follow(geo, p.Grid(), mask);
      for (int value = 1; value <= geo.GridWidth; ++value)
        for (const int kind : {kUnitRow, kUnitColumn, kUnitBlock})
          for (int unit = 0; unit < geo.GridWidth; ++unit) {
            std::array<int, kMaxWidth> starts{};
            const int count = FindColourUnitCells(*p.Ctx, kind, value, unit, p.Grid(), starts);
            const auto cells = std::span(starts).first(static_cast<size_t>(count));
            ColourDigitChains(*p.Ctx, p.Grid(), trial, mask, value, cells, &memo);
            std::vector<std::pair<int, int>> kept;
            for (int cell = 0; cell < geo.NCells; ++cell)
              kept.emplace_back(p.Cell(cell).ColourSet, p.Cell(cell).EliminationSet);
            ColourDigitChains(*p.Ctx, p.Grid(), trial, mask, value, cells);
            for (int cell = 0; cell < geo.NCells; ++cell)
              ASSERT_EQ(kept[static_cast<size_t>(cell)],
                        std::make_pair(p.Cell(cell).ColourSet, p.Cell(cell).EliminationSet))
                  << position << " mask " << mask << " value " << value << " cell " << cell;
          }
    }
  }
}

// Chains kept over the calls of one solve: a removed candidate leaves them right, a
// placed value does not.
TEST(Colouring, ChainsKeptOverCallsConcludeAsChainsRunAfresh) {
  const std::string solution = SearchSolution(ReadPuzzleFile("puzzles-9.txt")[1]);
  PuzzleContext fresh(kXWingPosition);
  PuzzleContext kept(kXWingPosition);
  TrialGrid freshTrial;
  TrialGrid keptTrial;
  ChainMemo memo;
  const auto sameConclusions = [&] {
    ColouringOutcome a;
    ColouringOutcome b;
    ASSERT_EQ(ApplyColouring(*kept.Ctx, kept.Grid(), keptTrial, 0, -1, 0, 81, a, &memo),
              ApplyColouring(*fresh.Ctx, fresh.Grid(), freshTrial, 0, -1, 0, 81, b));
    for (int cell = 0; cell < 81; ++cell)
      ASSERT_EQ(kept.Cell(cell).ThePoss, fresh.Cell(cell).ThePoss) << cell;
  };
  sameConclusions();
  sameConclusions();
  for (int cell = 0, placed = 0; cell < 81 && placed < 3; ++cell) {
    if (kept.Cell(cell).Status != kStatusEmpty)
      continue;
    for (PuzzleContext *p : {&kept, &fresh})
      SetCellValue(*p->Ctx, p->Grid(), cell, solution[static_cast<size_t>(cell)] - '0', kActionPlace);
    ++placed;
  }
  sameConclusions();
}

TEST(Colouring, FindsTheUnitCellsOfRegionsOnlyWhereTheGridHasThem) {
  PuzzleContext p(kHiddenSingle);
  std::array<int, kMaxWidth> cells{};
  EXPECT_EQ(FindColourUnitCells(*p.Ctx, kUnitRow, 2, 0, p.Grid(), cells), 2);
  EXPECT_EQ(FindColourUnitCells(*p.Ctx, kUnitDiag1, 2, 0, p.Grid(), cells), 0);
}

TEST(Colouring, RemovesWhatEveryChainRemovesLikeAnXWing) {
  const std::string solution = SearchSolution(ReadPuzzleFile("puzzles-9.txt")[1]);
  PuzzleContext before(kXWingPosition);
  PuzzleContext p(kXWingPosition);
  TrialGrid trial;
  ColouringOutcome outcome;
  EXPECT_EQ(ApplyColouring(*p.Ctx, p.Grid(), trial, 0, 3, 0, 81, outcome), kCandidatesRemoved);
  const std::vector<std::pair<int, int>> expected = {
      {CellAt(6, 1), 3}, {CellAt(6, 8), 3}, {CellAt(7, 1), 3}, {CellAt(7, 8), 3}};
  EXPECT_EQ(LostCandidates(*p.Ctx, before.Grid(), p.Grid()), expected);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), solution));

  // The fish search reaches the same conclusion for 3.
  PuzzleContext fish(kXWingPosition);
  ApplyBurma(*fish.Ctx, fish.Grid(), BurmaSizesOfMask(BurmaSizeBit(2)));
  EXPECT_EQ(LostCandidates(*fish.Ctx, before.Grid(), fish.Grid(), 3), expected);
}

TEST(Colouring, TheDriverPlacesWhatEveryChainFilledAndClearsTheColours) {
  PuzzleContext p(kHiddenSingle);
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskColouring, p.Grid(), 1, 1, -1, 0), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(0, 7)).Value, 1);
  EXPECT_EQ(p.Cell(CellAt(0, 7)).Status, kStatusPlacedLastStep);
  EXPECT_EQ(p.Cell(CellAt(0, 7)).CellHighlight, 7);
  EXPECT_EQ(p.Ctx->Methods.LastMethodBit, kMethodColouring);
  EXPECT_EQ(p.Ctx->Methods.MaxMethodLevel, 10);
  for (int cell = 0; cell < 81; ++cell)
    ASSERT_EQ(p.Cell(cell).ColourSet, -1) << cell;
}

TEST(Colouring, TheDriverRecordsARemovalWhenTheCellAskedForIsNotFound) {
  PuzzleContext p(kXWingPosition);
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskColouring, p.Grid(), 1, 0, CellAt(6, 1), 0), kSolveStopped);
  EXPECT_EQ(p.Ctx->Methods.MethodsUsed, kMethodColouring);
  EXPECT_EQ(p.Cell(CellAt(6, 1)).ThePoss & ValueBit(3), 0u);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), SearchSolution(ReadPuzzleFile("puzzles-9.txt")[1])));
}

TEST(Colouring, ThePlayersAbortCancelsIt) {
  PuzzleContext p(kXWingPosition);
  p.Host.Abort = true;
  TrialGrid trial;
  ColouringOutcome outcome;
  EXPECT_EQ(ApplyColouring(*p.Ctx, p.Grid(), trial, 0, -1, 0, 81, outcome), kSolveCancelled);
}

// With a third of the givens of a 12x12 or 16x16 puzzle, units hold up to sixteen places
// for a value; every one must start a chain before anything is concluded.
class ColouringOnLargeGrids : public ::testing::TestWithParam<const char *> {};

TEST_P(ColouringOnLargeGrids, NeverRemovesTheSolutionsValue) {
  for (const std::string &puzzle : ReadPuzzleFile(GetParam())) {
    const std::string solution = SearchSolution(puzzle);
    ASSERT_FALSE(solution.empty());
    for (int keep : {2, 3}) {
      PuzzleContext p(Thinned(puzzle, keep));
      TrialGrid trial;
      ColouringOutcome outcome;
      const int found = ApplyColouring(*p.Ctx, p.Grid(), trial, 0, -1, 0, p.Ctx->Geo.NCells, outcome);
      if (found >= 0) {
        EXPECT_EQ(outcome.Value, solution[static_cast<size_t>(found)] - '0') << puzzle;
      }
      EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), solution)) << puzzle << " keeping 1 given in " << keep;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ColouringOnLargeGrids, ::testing::Values("puzzles-12.txt", "puzzles-16.txt"));

} // namespace
} // namespace quorbel::test
