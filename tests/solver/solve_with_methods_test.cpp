// The method driver and its first methods: line/column/block, Single, Probables and
// Group, on hand-made positions cleared from one 9x9 solution; the mask, step mode, the
// cell limit, the panel lines, the explanation marks and the levels.
#include <gtest/gtest.h>

#include "engine/grid_copy.h"
#include "engine/method_probables.h"
#include "engine/method_record.h"
#include "engine/unit_summary.h"
#include "method_test_support.h"
#include "solver/method_group.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

constexpr int kEveryCell = -1;

// Three naked singles: (0,0) = 5, (0,1) = 3 and (1,0) = 6.
const std::string kNakedSingles = Cleared(kSolution9, {CellAt(0, 0), CellAt(0, 1), CellAt(1, 0)});
// (0,7) holds {1, 2} but is row 0's only place for 1; (0,8) and (3,7) hold {2} alone.
const std::string kHiddenSingle = Cleared(kSolution9, {CellAt(0, 7), CellAt(0, 8), CellAt(3, 7)});

int Solve(PuzzleContext &p, MethodMask mask, int step = 1, int highlight = 0, int cell = kEveryCell,
          int messages = 0) {
  return SolveWithMethods(*p.Ctx, mask, p.Grid(), step, highlight, cell, messages);
}

int OpenCells(PuzzleContext &p) {
  int open = 0;
  for (int cell = 0; cell < p.Ctx->Geo.NCells; ++cell)
    open += p.Cell(cell).Status > kStatusConflict ? 1 : 0;
  return open;
}

bool UnitMarked(PuzzleContext &p, int summaryRecord) { return p.Cell(summaryRecord).UnitHighlight == 1; }

TEST(LinColBlk, PlacesTheOnlyCandidateAsTheLastStepsValue) {
  PuzzleContext p(kNakedSingles);
  EXPECT_EQ(Solve(p, kMaskLinColBlk), kSolvePlaced);
  EXPECT_EQ(p.Cell(0).Value, 5);
  EXPECT_EQ(p.Cell(0).Status, kStatusPlacedLastStep);
  const MethodRecord &record = p.Ctx->Methods;
  EXPECT_EQ(record.MethodPlacements, 1);
  EXPECT_EQ(record.LastMethodBit, kMethodLinColBlk);
  EXPECT_EQ(record.MaxMethodLevel, 0);
}

TEST(LinColBlk, StepModePlacesOneValueAndAWholeCallAllOfThem) {
  PuzzleContext step(kNakedSingles);
  Solve(step, kMaskLinColBlk, 1);
  EXPECT_EQ(OpenCells(step), 2);

  PuzzleContext whole(kNakedSingles);
  EXPECT_EQ(Solve(whole, kMaskLinColBlk, 0), kSolvePlaced);
  EXPECT_EQ(OpenCells(whole), 0);
  EXPECT_EQ(whole.Ctx->Methods.MethodPlacements, 3);
  EXPECT_TRUE(KeepsSolution(*whole.Ctx, whole.Grid(), kSolution9));
}

TEST(LinColBlk, ACellArgumentLimitsThePlacementToThatCell) {
  PuzzleContext p(kNakedSingles);
  EXPECT_EQ(Solve(p, kMaskLinColBlk, 0, 0, CellAt(1, 0)), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(1, 0)).Value, 6);
  EXPECT_EQ(OpenCells(p), 2);

  PuzzleContext outside(kNakedSingles);
  EXPECT_EQ(Solve(outside, kMaskLinColBlk, 0, 0, 500), kSolveStopped);
  EXPECT_EQ(Solve(outside, kMaskLinColBlk, 0, 0, -7), kSolveStopped);
  EXPECT_EQ(OpenCells(outside), 3);
}

// (0,0) needs 1..4 and 6..9 ruled out: row 0 and column 0 rule out seven each, the row
// comes first in a tie, and column 0 adds the 3 of (8,0). Block 0 is not needed.
TEST(LinColBlk, TheExplanationMarksTheFewestUnitsAndOneCellPerValue) {
  PuzzleContext p(kNakedSingles);
  Solve(p, kMaskLinColBlk, 1, 1);
  const GridGeometry &geo = p.Ctx->Geo;
  EXPECT_EQ(p.Cell(0).CellHighlight, 7);
  EXPECT_TRUE(UnitMarked(p, geo.RowUnitBase + 0));
  EXPECT_TRUE(UnitMarked(p, geo.ColUnitBase + 0));
  EXPECT_FALSE(UnitMarked(p, geo.BlockUnitBase + 0));
  for (int col = 2; col < 9; ++col)
    EXPECT_EQ(p.Cell(CellAt(0, col)).CellHighlight, 1) << col;
  EXPECT_EQ(p.Cell(CellAt(8, 0)).CellHighlight, 1);
  for (int row = 2; row < 8; ++row)
    EXPECT_EQ(p.Cell(CellAt(row, 0)).CellHighlight, 0) << row;
  EXPECT_EQ(p.Cell(CellAt(1, 1)).CellHighlight, 0);
}

TEST(Single, PlacesAValueThatHasOnePlaceInAUnit) {
  PuzzleContext p(kHiddenSingle);
  ASSERT_EQ(p.Cell(CellAt(0, 7)).NPoss, 2);
  EXPECT_EQ(Solve(p, kMaskSingle, 1, 1), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(0, 7)).Value, 1);
  EXPECT_EQ(p.Cell(CellAt(0, 7)).Status, kStatusPlacedLastStep);
  EXPECT_EQ(p.Ctx->Methods.LastMethodBit, kMethodSingle);
  EXPECT_EQ(p.Ctx->Methods.MaxMethodLevel, 1);
  EXPECT_TRUE(UnitMarked(p, p.Ctx->Geo.RowUnitBase + 0));
  EXPECT_EQ(p.Cell(CellAt(0, 7)).CellHighlight, 7);
  EXPECT_EQ(p.Cell(CellAt(0, 8)).CellHighlight, 1); // the unit's other open cell
}

TEST(MethodMask, AMethodLeftOutOfTheMaskDoesNotRun) {
  PuzzleContext p(kHiddenSingle);
  EXPECT_EQ(Solve(p, kMaskNoMethod), kSolveStopped);
  EXPECT_EQ(OpenCells(p), 3);

  // Without Single the hidden single waits; line/column/block takes (0,8) first.
  EXPECT_EQ(Solve(p, kMaskLinColBlk), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(0, 8)).Value, 2);
  EXPECT_GT(p.Cell(CellAt(0, 7)).Status, kStatusConflict);
}

class GroupPosition : public ::testing::Test {
protected:
  // Row 0 cleared; (0,0) and (0,1) a naked pair {3, 5}; (0,2) {3, 4, 5}; the rest {1, 2, 6..9}.
  void SetUp() override {
    for (int col = 0; col < 9; ++col)
      p.SetCandidates(CellAt(0, col), col < 2 ? MaskOf({3, 5}) : MaskOf({1, 2, 6, 7, 8, 9}));
    p.SetCandidates(CellAt(0, 2), MaskOf({3, 4, 5}));
  }
  PuzzleContext p{Cleared(kSolution9, {0, 1, 2, 3, 4, 5, 6, 7, 8})};
};

TEST_F(GroupPosition, ANakedPairLeavesTheCellItsLastValue) {
  EXPECT_EQ(Solve(p, kMaskGroup | GroupSizeBit(2), 1, 1), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(0, 2)).Value, 4);
  const MethodRecord &record = p.Ctx->Methods;
  EXPECT_EQ(record.LastMethodBit, kMethodGroup);
  EXPECT_EQ(record.LastMethodSize, 2);
  EXPECT_EQ(record.MaxMethodLevel, 3);
  EXPECT_EQ(p.Cell(CellAt(0, 2)).CellHighlight, 7);
  EXPECT_EQ(p.Cell(CellAt(0, 0)).CellHighlight, 1);
  EXPECT_EQ(p.Cell(CellAt(0, 1)).CellHighlight, 1);
  EXPECT_TRUE(UnitMarked(p, p.Ctx->Geo.RowUnitBase + 0));
}

TEST_F(GroupPosition, ARemovalAloneIsRecordedAndKept) {
  p.SetCandidates(CellAt(0, 2), MaskOf({3, 4, 5, 6}));
  EXPECT_EQ(Solve(p, kMaskGroup | GroupSizeBit(2)), kSolveStopped);
  EXPECT_EQ(p.Cell(CellAt(0, 2)).ThePoss, MaskOf({4, 6}));
  EXPECT_EQ(p.Cell(CellAt(0, 2)).NPoss, 2);
  EXPECT_EQ(p.Cell(CellAt(0, 2)).Excluded, MaskOf({4, 6}) ^ p.Ctx->Geo.FullMask);
  EXPECT_EQ(p.Ctx->Methods.MethodsUsed, kMethodGroup);
  EXPECT_EQ(p.Ctx->Methods.MaxGroupSize, 2);
}

TEST_F(GroupPosition, ADisabledSizeFindsNothing) {
  EXPECT_EQ(Solve(p, kMaskGroup | GroupSizeBit(3)), kSolveStopped);
  EXPECT_EQ(p.Cell(CellAt(0, 2)).ThePoss, MaskOf({3, 4, 5}));
}

// The driver reads each unit's naked subsets once while its cells stay as they are. On every
// grid met while the methods solve, with each cell narrowed as the driver narrows it, every
// cell must get what its own enumeration gives, the largest subset included.
TEST(GroupMemo, EveryCellGetsWhatItsOwnEnumerationGives) {
  std::vector<std::string> puzzles = {std::string(kNoSolution)};
  for (const std::string &puzzle : ReadPuzzleFile("puzzles-9.txt"))
    if (puzzles.size() < 4)
      puzzles.push_back(puzzle);
  for (const std::string &puzzle : puzzles) {
    PuzzleContext p(puzzle);
    GroupSearch search = MakeGroupSearch(kMaskAllButRandom, 9);
    GroupSearch alone = search;
    UnitSubsetMemo memo;
    for (int step = 0; step < 81; ++step) {
      memo.Reset(search);
      for (int cell = 0; cell < 81; ++cell) {
        if (p.Cell(cell).Status != kStatusEmpty)
          continue;
        const uint32_t reduced = memo.Reduce(*p.Ctx, p.Grid(), cell, search);
        ASSERT_EQ(reduced, ReduceByNakedSubsets(*p.Ctx, p.Grid(), cell, alone)) << puzzle << " cell " << cell;
        ASSERT_EQ(search.Largest.Size, alone.Largest.Size) << puzzle << " cell " << cell;
        ASSERT_EQ(search.Largest.Kind, alone.Largest.Kind) << puzzle << " cell " << cell;
        for (int k = 0; k < alone.Largest.Size; ++k)
          ASSERT_EQ(search.Largest.Cells[k], alone.Largest.Cells[k]) << puzzle << " cell " << cell;
        if (reduced != p.Cell(cell).ThePoss && reduced != 0) {
          RestrictPoss(p.Ctx->Geo, p.Cell(cell), reduced);
          memo.Forget(*p.Ctx, p.Grid(), cell);
        }
      }
      RefreshCandidates(*p.Ctx, p.Grid(), MaskFilterMode(kMaskAllButRandom),
                        MaskProbableMode(kMaskAllButRandom), 1);
      if (Solve(p, kMaskAllButRandom, 1) != kSolvePlaced)
        break;
    }
  }
}

class ProbablesPosition : public ::testing::Test {
protected:
  // An empty grid where block 0 keeps 1 only in (0,0) and (0,1).
  void SetUp() override {
    for (int cell :
         {CellAt(0, 2), CellAt(1, 0), CellAt(1, 1), CellAt(1, 2), CellAt(2, 0), CellAt(2, 1), CellAt(2, 2)})
      p.SetCandidates(cell, MaskOf({2, 3, 4, 5, 6, 7, 8, 9}));
  }
  PuzzleContext p{std::string(81, '0')};
};

TEST_F(ProbablesPosition, ABlocksPlacesOnOneRowClearTheRestOfTheRow) {
  EXPECT_EQ(ApplyProbables(*p.Ctx, p.Grid()), kCandidatesRemoved);
  for (int col = 3; col < 9; ++col)
    EXPECT_EQ(p.Cell(CellAt(0, col)).ThePoss & ValueBit(1), 0u) << col;
  EXPECT_NE(p.Cell(CellAt(1, 5)).ThePoss & ValueBit(1), 0u);
  EXPECT_NE(p.Cell(CellAt(0, 0)).ProbableMask & ValueBit(1), 0u);
  EXPECT_NE(p.Cell(CellAt(0, 1)).ProbableMask & ValueBit(1), 0u);
  EXPECT_EQ(ApplyProbables(*p.Ctx, p.Grid()), kSolveStopped);
}

TEST_F(ProbablesPosition, TheDriverAndThePropagationRunIt) {
  EXPECT_EQ(FilterConstraints(*p.Ctx, p.Grid(), kFilterNone, 0), 0);
  EXPECT_EQ(FilterConstraints(*p.Ctx, p.Grid(), kFilterNone, 1), 1);

  PuzzleContext driven(std::string(81, '0'));
  for (int cell :
       {CellAt(0, 2), CellAt(1, 0), CellAt(1, 1), CellAt(1, 2), CellAt(2, 0), CellAt(2, 1), CellAt(2, 2)})
    driven.SetCandidates(cell, MaskOf({2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Solve(driven, kMaskProbables), kSolveStopped);
  EXPECT_EQ(driven.Ctx->Methods.MethodsUsed, kMethodProbables);
  EXPECT_EQ(driven.Cell(CellAt(0, 8)).ThePoss & ValueBit(1), 0u);
}

TEST(MethodPanelLines, EachMethodNamesItselfOnTheNewestLine) {
  PuzzleContext p(std::string(16, '0'));
  EXPECT_EQ(Solve(p, kMaskAllMethods, 1, 0, kEveryCell, 1), kSolvePlaced);
  const std::vector<std::string> expected = {"Solve with Line/col/block...", "Solve with Single...",
                                             "Solve with Probables...",      "Solve with Group...",
                                             "Solve with Coloring...",       "Solve with Forcing Chain...",
                                             "Solve with Burma...",          "Solve with Randomn..."};
  EXPECT_EQ(p.Host.PanelLines, expected);

  PuzzleContext silent(std::string(16, '0'));
  Solve(silent, kMaskAllMethods, 1, 0, kEveryCell, 0);
  EXPECT_TRUE(silent.Host.PanelLines.empty());
}

TEST(MethodDriver, ThePlayersAbortStopsBeforeAnyPlacement) {
  PuzzleContext p(kNakedSingles);
  p.Host.Abort = true;
  EXPECT_EQ(Solve(p, kMaskAllButRandom, 0), kSolveCancelled);
  EXPECT_EQ(OpenCells(p), 3);
}

TEST(MethodDriver, TheLastStepsValuesBecomeOrdinaryAtTheNextCall) {
  PuzzleContext p(kNakedSingles);
  Solve(p, kMaskLinColBlk);
  ASSERT_EQ(p.Cell(0).Status, kStatusPlacedLastStep);
  Solve(p, kMaskLinColBlk);
  EXPECT_EQ(p.Cell(0).Status, kStatusPlaced);
}

TEST(SolveRepeatedly, SolvesAGridOutsideTheGridSet) {
  PuzzleContext p(ReadPuzzleFile("puzzles-4.txt")[0]);
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(*p.Ctx, *scratch, &p.Grid(), 0);
  EXPECT_EQ(SolveRepeatedly(*p.Ctx, *scratch, kMaskLinColBlk), kSolveStopped);
  EXPECT_EQ(scratch->SudMissing, 0);
  EXPECT_EQ(scratch->State, kGridConsistent);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, *scratch, SearchSolution(ReadPuzzleFile("puzzles-4.txt")[0])));
  EXPECT_GT(OpenCells(p), 0); // the main grid was left alone
}

TEST(SolveRepeatedly, StopsWhenTheMethodsAreStuck) {
  const std::string puzzle = ReadPuzzleFile("puzzles-9.txt")[3];
  PuzzleContext p(puzzle);
  EXPECT_EQ(SolveRepeatedly(*p.Ctx, p.Grid(), kMaskLinColBlk), kSolveStopped);
  EXPECT_GT(p.Grid().SudMissing, 0);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), SearchSolution(puzzle)));
}

// Grid levels of puzzles whose hardest needed method is known: each is solved by its
// mask and not by the easier one. Singles alone; hidden singles; naked pairs; Colouring.
TEST(GridLevels, TheHardestMethodNeededGivesTheGridLevel) {
  struct Known {
    std::string Puzzle;
    MethodMask Stalls;
    MethodMask Solves;
    int Level;
  };
  const std::vector<Known> known = {
      {kNakedSingles, kMaskNoMethod, kMaskAllButRandom, 1},
      {ReadPuzzleFile("puzzles-9.txt")[3], kMaskLinColBlk, kMaskAllButRandom, 2},
      {ReadPuzzleFile("puzzles-8.txt")[23], kMaskLinColBlk | kMaskSingle, 0x79, 3},
      {ReadPuzzleFile("puzzles-9.txt")[1], 0x3FD, kMaskAllButRandom, 4}};
  for (const Known &k : known) {
    PuzzleContext stalls(k.Puzzle);
    SolveRepeatedly(*stalls.Ctx, stalls.Grid(), k.Stalls);
    EXPECT_GT(stalls.Grid().SudMissing, 0) << k.Puzzle;

    PuzzleContext p(k.Puzzle);
    p.Ctx->Methods.MaxMethodLevel = -1;
    SolveRepeatedly(*p.Ctx, p.Grid(), k.Solves);
    EXPECT_EQ(p.Grid().SudMissing, 0) << k.Puzzle;
    EXPECT_EQ(LevelFromDifficulty(p.Ctx->Methods.MaxMethodLevel), k.Level) << k.Puzzle;
    EXPECT_EQ(p.Ctx->Methods.GameMaxMethodLevel, p.Ctx->Methods.MaxMethodLevel);
  }
}

} // namespace
} // namespace quorbel::test
