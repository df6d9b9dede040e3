#include <gtest/gtest.h>

#include <bit>

#include "engine/grid_copy.h"
#include "engine/highlights.h"
#include "engine/propagate.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "engine_test_support.h"
#include "platform/random.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr int kShape9 = 5;

constexpr std::string_view kSolution9 = "534678912672195348198342567859761423426853791"
                                        "713924856961537284287419635345286179";

class Propagation9 : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void Fix(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlaceFixed); }
  void Place(int cell, int value) { SetCellValue(s.Ctx, grid, cell, value, kActionPlace); }
  int Run() { return Propagate(s.Ctx, grid, kFilterAlways, 0); }
};

TEST_F(Propagation9, EightFixedValuesInARowLeaveTheLastCellItsOneCandidate) {
  for (int v = 1; v <= 8; ++v)
    Fix(v - 1, v);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(grid.Cells[8].ThePoss, ValueBit(9));
  EXPECT_EQ(grid.Cells[8].NPoss, 1);
  EXPECT_EQ(grid.State, kGridOpen);
  EXPECT_EQ(grid.TheMinPoss, 8);
  EXPECT_EQ(grid.SudMissing, geo.NCells - 8);
  // The row's summary keeps only 9 free; a cell of another row keeps everything its
  // column and block allow.
  EXPECT_EQ(grid.Cells[geo.RowUnitBase].ThePoss, ValueBit(9));
  EXPECT_EQ(grid.Cells[geo.RowUnitBase].Check, kCheckUnitOpen);
  EXPECT_EQ(grid.Cells[geo.NCols * 3].ThePoss, geo.FullMask & ~ValueBit(1));
}

TEST_F(Propagation9, RepeatedPlayerValuesAreConflictsButTheFixedOneIsNot) {
  Place(0, 4);
  Fix(3, 4);
  Place(5, 4);
  Run();
  EXPECT_EQ(grid.Cells[0].Check, kCheckConflict);
  EXPECT_EQ(grid.Cells[5].Check, kCheckConflict);
  EXPECT_EQ(grid.Cells[3].Check, kCheckConsistent);
  EXPECT_EQ(grid.State, kGridContradiction);
  EXPECT_EQ(grid.Cells[geo.RowUnitBase].Check, kCheckConflict);
}

TEST_F(Propagation9, AnOpenCellWithoutCandidatesIsAConflictAndNeverChosen) {
  // Cell 0 sees 1..8 in its row and 9 in its column.
  for (int v = 1; v <= 8; ++v)
    Fix(v, v);
  Fix(geo.NCols * 4, 9);
  Run();
  EXPECT_EQ(grid.Cells[0].ThePoss, 0u);
  EXPECT_EQ(grid.Cells[0].Check, kCheckConflict);
  EXPECT_EQ(grid.State, kGridContradiction);
  EXPECT_NE(grid.TheMinPoss, 0);
  EXPECT_EQ(ChooseMinPossCell(geo, grid), 0);
}

TEST_F(Propagation9, ACompleteSolutionIsConsistentWithNothingToBranchOn) {
  LoadPuzzleLine(s.Ctx, grid, kSolution9);
  Run();
  EXPECT_EQ(grid.State, kGridConsistent);
  EXPECT_EQ(grid.SudMissing, 0);
  EXPECT_EQ(grid.TheMinPoss, -1);
  EXPECT_EQ(grid.Cells[geo.BlockUnitBase + 4].ThePoss, 0u);
  EXPECT_EQ(grid.Cells[geo.BlockUnitBase + 4].Check, kCheckConsistent);
}

TEST_F(Propagation9, TrialValuesTakePartButGivensOfStatusZeroDoNot) {
  Fix(0, 1);
  grid.Cells[0].Status = kStatusHypothesis;
  SetCellValue(s.Ctx, grid, 1, 2, kActionGive);
  Run();
  EXPECT_EQ(grid.Cells[2].ThePoss & ValueBit(1), 0u);
  EXPECT_NE(grid.Cells[2].ThePoss & ValueBit(2), 0u);
  EXPECT_EQ(grid.Cells[0].ThePoss, ValueBit(1));
  EXPECT_EQ(grid.SudMissing, geo.NCells - 2);
}

TEST_F(Propagation9, TheNumberBarHoldsTheValuesFreeInNoRow) {
  for (int r = 0; r < geo.NRows; ++r)
    Fix(r * geo.NCols + (r * 3 + r / 3) % 9, 5);
  Run();
  EXPECT_EQ(grid.Cells[geo.NumberBar()].ProbableMask, ValueBit(5));
}

// Backtracking on Propagate and TheMinPoss alone must solve real puzzles: the driver
// never removes a candidate the solution needs and always offers a cell to branch on.
bool SolveByBranching(EngineContext &ctx, GridRecord &grid) {
  Propagate(ctx, grid, kFilterAlways, 0);
  if (grid.State == kGridContradiction)
    return false;
  if (grid.SudMissing == 0)
    return true;
  const int cell = grid.TheMinPoss;
  if (cell < 0)
    return false;
  for (uint32_t poss = grid.Cells[cell].ThePoss; poss != 0; poss &= poss - 1) {
    SetCellValue(ctx, grid, cell, std::countr_zero(poss) + 1, kActionPlace);
    if (SolveByBranching(ctx, grid))
      return true;
    SetCellValue(ctx, grid, cell, 0, kActionClear);
    Propagate(ctx, grid, kFilterAlways, 0);
  }
  return false;
}

// (12 x 12 puzzles need more than plain branching to stay quick.)
TEST(PropagationOnPuzzles, BranchingOnTheChosenCellSolvesPuzzles) {
  for (const char *file : {"puzzles-4.txt", "puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt"}) {
    const std::vector<std::string> puzzles = ReadPuzzleFile(file);
    ASSERT_FALSE(puzzles.empty()) << file;
    for (size_t i = 0; i < std::min<size_t>(puzzles.size(), 5); ++i) {
      ShapedContext s(kShape9);
      SetGridSize(s.Ctx, PuzzleWidth(puzzles[i]), 1);
      LoadPuzzleLine(s.Ctx, s.Main(), puzzles[i]);
      ASSERT_TRUE(SolveByBranching(s.Ctx, s.Main())) << file << " #" << i;
      EXPECT_EQ(s.Main().State, kGridConsistent);
      EXPECT_TRUE(EveryUnitHoldsEveryValue(s.Ctx.Geo, s.Main())) << file << " #" << i;
    }
  }
}

class MinPossChoice : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;
};

TEST_F(MinPossChoice, TakesTheFirstOfTheCellsWithFewestCandidates) {
  for (CellRecord &cell : grid.PlayingCells(geo)) {
    cell.Status = kStatusPlaced;
    cell.Check = kCheckConsistent;
  }
  MakeOpenCell(geo, grid.Cells[3], {1, 2, 3});
  MakeOpenCell(geo, grid.Cells[7], {1, 2});
  MakeOpenCell(geo, grid.Cells[9], {3, 4});
  grid.Cells[7].NPoss = 4; // stale counts are recounted
  grid.SudMissing = 3;
  grid.State = kGridConsistent;
  EXPECT_EQ(ChooseMinPossCell(geo, grid), 1);
  EXPECT_EQ(grid.TheMinPoss, 7);
  EXPECT_EQ(grid.Cells[7].NPoss, 2);
  EXPECT_EQ(grid.State, kGridOpen);
}

class RegionUnits : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;

  void FixOnMainDiagonal(int k, int value) {
    SetCellValue(s.Ctx, grid, k * (geo.NCols + 1), value, kActionPlaceFixed);
  }
  void Run() { Propagate(s.Ctx, grid, kFilterAlways, 0); }
};

TEST_F(RegionUnits, ADiagonalInUseTakesItsValuesFromItsOtherCells) {
  grid.GridVar = kVarDiagonal;
  grid.Lists.RegionOn[kRegionDiag1] = 1;
  FixOnMainDiagonal(0, 7);
  Run();
  const CellRecord &farCorner = grid.Cells[geo.NCells - 1];
  EXPECT_EQ(farCorner.ThePoss & ValueBit(7), 0u);
  EXPECT_EQ(grid.Cells[geo.Diag1Unit].ThePoss, geo.FullMask & ~ValueBit(7));
}

TEST_F(RegionUnits, AFlagWithoutTheDiagonalRuleConstrainsNothing) {
  grid.Lists.RegionOn[kRegionDiag1] = 1;
  FixOnMainDiagonal(0, 7);
  Run();
  EXPECT_NE(grid.Cells[geo.NCells - 1].ThePoss & ValueBit(7), 0u);
}

TEST_F(RegionUnits, ARepeatOnADiagonalIsAConflict) {
  grid.GridVar = kVarDiagonal;
  grid.Lists.RegionOn[kRegionDiag1] = 1;
  FixOnMainDiagonal(0, 7);
  SetCellValue(s.Ctx, grid, geo.NCells - 1, 7, kActionPlace);
  Run();
  EXPECT_EQ(grid.Cells[geo.NCells - 1].Check, kCheckConflict);
  EXPECT_EQ(grid.State, kGridContradiction);
}

class CandidateRestriction : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  const GridGeometry &geo = s.Ctx.Geo;
  CellRecord cell = MakeClearedCell(s.Ctx.Geo);
};

TEST_F(CandidateRestriction, NarrowsOpenCellsAndReportsTheChange) {
  MakeOpenCell(geo, cell, {1, 2, 3});
  EXPECT_EQ(RestrictPoss(geo, cell, MaskOf({1, 3})), 1);
  EXPECT_EQ(cell.NPoss, 2);
  EXPECT_EQ(cell.Excluded, MaskOf({2, 4}));
  EXPECT_EQ(RestrictPoss(geo, cell, MaskOf({1, 3})), 0);
  EXPECT_EQ(RestrictPoss(geo, cell, 0), 1);
  EXPECT_EQ(cell.Check, kCheckConflict);
}

TEST_F(CandidateRestriction, LeavesFilledCellsTheirValue) {
  cell.Status = kStatusFixed;
  cell.Value = 2;
  cell.ThePoss = cell.Marks = ValueBit(2);
  EXPECT_EQ(RestrictPoss(geo, cell, MaskOf({3})), 0);
  EXPECT_EQ(cell.ThePoss, ValueBit(2));
  cell.Status = kStatusPlaced;
  cell.ThePoss = MaskOf({2, 3});
  EXPECT_EQ(RestrictPoss(geo, cell, MaskOf({3})), 0);
  EXPECT_EQ(cell.ThePoss, ValueBit(2));
}

class RuleWork : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;
};

TEST_F(RuleWork, ComparisonMarksLinkTheirCellsAndLeftoverFlagsAreCleared) {
  grid.GridVar = kVarXV | kVarDot;
  grid.Lists.Comparisons.Append({.CellA = 10, .CellB = 3, .Kind = 4});
  grid.Lists.Comparisons.Append({.CellA = 3, .CellB = 4, .Kind = 2});
  grid.Work.ComparisonConflict[1] = 1;
  grid.Cells[20].Partner1 = 21; // from marks that are gone
  Propagate(s.Ctx, grid, kFilterAlways, 0);
  EXPECT_EQ(grid.Cells[3].Partner1, 10);
  EXPECT_EQ(grid.Cells[3].Partner2, 4);
  EXPECT_EQ(grid.Cells[20].Partner1, -1);
  EXPECT_EQ(grid.Work.ComparisonConflict[1], 0);
  EXPECT_EQ(grid.Work.AllIndicated[kAllIndicatedXV], 1);
  EXPECT_EQ(grid.Work.AllIndicated[kAllIndicatedDot], 1);
  EXPECT_EQ(grid.Work.AllIndicated[kAllIndicatedLess], 0);
  EXPECT_EQ(grid.Work.AllIndicated[kAllIndicatedConsecutive], 1);
  EXPECT_EQ(grid.Work.AllIndicated[kAllIndicatedRatio], 0);
  EXPECT_EQ(grid.DirectionSteps[2], geo.GridWidth);
}

TEST_F(RuleWork, BoatsAreCountedPerRowAndColumn) {
  grid.GridVar = kVarBattleShip;
  grid.Lists.Pieces.Append(PuzzlePiece{.NCells = 1});
  grid.Cells[10].Boat = 1;
  grid.Cells[11].Boat = 1;
  grid.Cells[19].Boat = 2; // water
  Propagate(s.Ctx, grid, kFilterAlways, 0);
  EXPECT_EQ(grid.Work.BoatsPerRow[1], 2);
  EXPECT_EQ(grid.Work.BoatsPerCol[1], 1);
  EXPECT_EQ(grid.Work.BoatsPerCol[2], 1);
  EXPECT_EQ(grid.Work.BoatsPerRow[2], 0);
}

TEST_F(RuleWork, AGridSizedForAnotherShapeIsLeftAlone) {
  GridRecord stranger;
  EXPECT_EQ(Propagate(s.Ctx, stranger, kFilterAlways, 0), 0);
  EXPECT_EQ(stranger.State, kGridReset);
}

TEST(Highlights, ACellHighlightsItsUnitsAndBothDiagonals) {
  ShapedContext s(kShape9);
  GridRecord &grid = s.Main();
  const GridGeometry &geo = s.Ctx.Geo;
  const int cell = 4 * geo.NCols + 7; // row 4, column 7, block 5
  HighlightUnit(geo, kHighlightCellUnits, cell, grid);
  for (int record :
       {geo.RowUnitBase + 4, geo.ColUnitBase + 7, geo.BlockUnitBase + 5, geo.Diag1Unit, geo.Diag2Unit})
    EXPECT_EQ(grid.Cells[record].UnitHighlight, 1) << record;
  EXPECT_EQ(grid.Cells[geo.Extra1Unit].UnitHighlight, 0);
  HighlightUnit(geo, kUnitRow, geo.GridWidth, grid); // outside: nothing
  EXPECT_EQ(grid.Cells[geo.ColUnitBase].UnitHighlight, 0);
  ClearUnitHighlights(grid);
  EXPECT_EQ(grid.Cells[geo.RowUnitBase + 4].UnitHighlight, 0);
}

} // namespace

// The driver's short cuts (one pass for every unit when no value repeats, the checks and
// the branching cell settled on the last pass) must agree with the plain steps.
class DriverShortCuts : public ::testing::Test {
protected:
  ShapedContext s{kShape9};
  const GridGeometry &geo = s.Ctx.Geo;

  // The steps one by one, with the unit checks read from the records.
  void PlainSteps(GridRecord &grid) {
    for (int i = 0; i < grid.NRecords; ++i)
      grid.Cells[i].Check = kCheckConsistent;
    grid.State = kGridConsistent;
    for (int u = 0; u < geo.GridWidth; ++u) {
      const int results[] = {CheckRowUnit(geo, u, grid), CheckColUnit(geo, u, grid),
                             CheckBlockUnit(geo, u, grid)};
      for (int result : results)
        if (result == kCheckConflict)
          grid.State = kGridContradiction;
    }
    grid.SudMissing = 0;
    for (int i = 0; i < geo.NCells; ++i) {
      const uint32_t free = grid.Cells[geo.RowUnitBase + geo.RowOfCell[i]].ThePoss &
                            grid.Cells[geo.ColUnitBase + geo.ColOfCell[i]].ThePoss &
                            grid.Cells[geo.BlockUnitBase + grid.BlockOfCell[i]].ThePoss;
      if (ComputeCellPoss(geo, grid.Cells[i], free) == 0)
        grid.State = kGridContradiction;
      if (grid.Cells[i].Status > kStatusConflict)
        ++grid.SudMissing;
    }
    CheckConstraints(s.Ctx, grid);
    ChooseMinPossCell(geo, grid);
  }

  void ExpectSame(const GridRecord &a, const GridRecord &b, int trial) {
    ASSERT_EQ(a.State, b.State) << trial;
    ASSERT_EQ(a.SudMissing, b.SudMissing) << trial;
    ASSERT_EQ(a.TheMinPoss, b.TheMinPoss) << trial;
    for (int i = 0; i < geo.NCellRecs; ++i) {
      ASSERT_EQ(a.Cells[i].Check, b.Cells[i].Check) << trial << " record " << i;
      ASSERT_EQ(a.Cells[i].ThePoss, b.Cells[i].ThePoss) << trial << " record " << i;
      ASSERT_EQ(a.Cells[i].NPoss, b.Cells[i].NPoss) << trial << " record " << i;
    }
  }
};

TEST_F(DriverShortCuts, AgreeWithThePlainStepsOnDisorderedGrids) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("puzzles-9.txt");
  s.Ctx.Random.Seed(2024);
  GridRecord &fast = s.Main(0);
  GridRecord &plain = s.Main(1);
  int contradictions = 0;
  for (int trial = 0; trial < 200; ++trial) {
    LoadPuzzleLine(s.Ctx, fast, puzzles[trial % puzzles.size()]);
    // Values that may repeat, trial values, pencil marks, givens and odd statuses.
    const int edits = RandomBelow(s.Ctx.Random, 12);
    for (int e = 0; e < edits; ++e) {
      const int cell = RandomBelow(s.Ctx.Random, geo.NCells);
      const int value = RandomBelow(s.Ctx.Random, 9) + 1;
      constexpr int kActions[] = {kActionPlace,
                                  kActionHypothesis,
                                  kActionTogglePencil,
                                  kActionGive,
                                  kActionMarkConflict,
                                  kActionClear,
                                  9};
      fast.Cells[cell].ThePoss = geo.FullMask;
      SetCellValue(s.Ctx, fast, cell, value, kActions[RandomBelow(s.Ctx.Random, 7)]);
    }
    CopyGrid(s.Ctx, plain, &fast, kCopyBoth);
    Propagate(s.Ctx, fast, kFilterAlways, 0);
    PlainSteps(plain);
    ExpectSame(fast, plain, trial);
    contradictions += fast.State == kGridContradiction ? 1 : 0;
  }
  // Both kinds of grid were met.
  EXPECT_GT(contradictions, 40);
  EXPECT_LT(contradictions, 160);
}

class RuleFilterGate : public ::testing::Test {
protected:
  ShapedContext s{kShape4};
  GridRecord &grid = s.Main();
};

TEST_F(RuleFilterGate, TheSearchModeFiltersWhateverTheSwitch) {
  grid.GridVar = kVarKillerSum;
  s.Ctx.Settings.VariantFilterSwitch = 0;
  EXPECT_TRUE(RuleFiltersApply(s.Ctx, grid, kFilterAlways));
  EXPECT_FALSE(RuleFiltersApply(s.Ctx, grid, kFilterIfSwitchOn));
  EXPECT_FALSE(RuleFiltersApply(s.Ctx, grid, kFilterNone));
  s.Ctx.Settings.VariantFilterSwitch = 1;
  EXPECT_TRUE(RuleFiltersApply(s.Ctx, grid, kFilterIfSwitchOn));
  EXPECT_FALSE(RuleFiltersApply(s.Ctx, grid, kFilterNone));
}

TEST_F(RuleFilterGate, OnlyRulesThatHaveAFilterCount) {
  s.Ctx.Settings.VariantFilterSwitch = 1;
  EXPECT_FALSE(RuleFiltersApply(s.Ctx, grid, kFilterAlways));
  // Irregular blocks and diagonals work through the units, not through a filter.
  grid.GridVar = kVarIrregular | kVarDiagonal | kVarExtraRegion | kVarTwinsVariantMasked;
  EXPECT_FALSE(RuleFiltersApply(s.Ctx, grid, kFilterAlways));
  grid.GridVar = kVarGiveMe5;
  EXPECT_TRUE(RuleFiltersApply(s.Ctx, grid, kFilterAlways));
}
