// Forcing Chain: the branches of one cell, the contradictions left out of them, and the
// driver's placement of a common value.
#include <gtest/gtest.h>

#include "engine/method_record.h"
#include "method_test_support.h"
#include "solver/forcing_chain.h"
#include "solver/method_trial_grid.h"
#include "solver/plain_board.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

constexpr int kA = CellAt(0, 7); // {1, 2}, truly 1
constexpr int kD = CellAt(0, 8); // {1, 2}, truly 2
constexpr int kB = CellAt(3, 7); // {2}
constexpr int kE = CellAt(4, 8); // {1}

// D = 1 leaves E (same column) no value, so only D = 2 stands; A = 2 leaves B none.
class ForcingPosition : public ::testing::Test {
protected:
  PuzzleContext p{Cleared(kSolution9, {kA, kD, kB, kE})};
  TrialGrid trial;
  std::vector<int> values = std::vector<int>(81, 99);
};

TEST_F(ForcingPosition, WhenEveryBranchButTheLastContradictsTheLastCounts) {
  ASSERT_EQ(p.Cell(kD).ThePoss, MaskOf({1, 2}));
  EXPECT_EQ(ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, kD, values), kD);
  EXPECT_EQ(values[kD], 2);
  EXPECT_EQ(values[kA], kForcingDiffers); // still open in the branch
  EXPECT_EQ(values[CellAt(0, 0)], kForcingUntouched);
}

TEST_F(ForcingPosition, ALastBranchInContradictionGivesNothing) {
  EXPECT_EQ(ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, kA, values), -1);
  EXPECT_EQ(values[kA], 1); // from the first branch, which stands
}

TEST_F(ForcingPosition, ACellWithOneCandidateIsNoStart) {
  EXPECT_EQ(ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, kB, values), -1);
  EXPECT_EQ(values[kB], 99);
}

TEST_F(ForcingPosition, TheDriverPlacesTheCommonValue) {
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskForcingChain, p.Grid(), 1, 1, -1, 0), kSolvePlaced);
  EXPECT_EQ(p.Cell(kD).Value, 2);
  EXPECT_EQ(p.Cell(kD).Status, kStatusPlacedLastStep);
  EXPECT_EQ(p.Cell(kD).CellHighlight, 7);
  EXPECT_EQ(p.Ctx->Methods.LastMethodBit, kMethodForcingChain);
  EXPECT_EQ(p.Ctx->Methods.MaxMethodLevel, 9);
  EXPECT_GT(p.Cell(kA).Status, kStatusConflict);
}

TEST_F(ForcingPosition, TheDriverPlacesOnlyInTheCellAskedFor) {
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskForcingChain, p.Grid(), 1, 0, kA, 0), kSolveStopped);
  EXPECT_GT(p.Cell(kD).Status, kStatusConflict);
}

// A cell in conflict keeps the candidates it had and is branched on like an open one: one poll
// for the driver's pass, then one per branch.
TEST_F(ForcingPosition, ACellInConflictStartsAChainToo) {
  SetCellValue(*p.Ctx, p.Grid(), kA, 1, kActionPlace);
  SetCellValue(*p.Ctx, p.Grid(), kB, 2, kActionPlace);
  SetCellValue(*p.Ctx, p.Grid(), kE, 1, kActionPlace);
  SetCellValue(*p.Ctx, p.Grid(), kD, 1, kActionMarkConflict);
  p.SetCandidates(kD, MaskOf({1, 2}));
  p.Host.Polls = 0;
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskForcingChain, p.Grid(), 0, 0, -1, 0), kSolveStopped);
  EXPECT_EQ(p.Host.Polls, 1 + 2);
}

// A puzzle of bench/data/terrible-9.txt whose solving meets a branch that only the Probables
// rule brings to a contradiction.
constexpr std::string_view kProbablesContradict =
    "090040206403020000060008504000000003102405009000000100500700002000600000007001080";

// On a grid without rules the driver runs the branches on the grid's values alone: they must
// end as on a trial grid, contradictions included, on every grid met while the methods solve.
TEST(ForcingChain, BranchesOnThePlainBoardEndAsOnATrialGrid) {
  for (const std::string_view puzzle : {kNoSolution, kProbablesContradict}) {
    PuzzleContext p(puzzle);
    TrialGrid trial;
    int step = 0;
    // Wrong values placed in the grid without a solution end the plain board there.
    for (PlainValues plainValues{}; step < 81 && ReadPlainValues(p.Ctx->Geo, p.Grid(), plainValues); ++step) {
      const PlainBoard plain(p.Ctx->Geo, p.Grid(), plainValues);
      for (int cell = 0; cell < p.Ctx->Geo.NCells; ++cell) {
        std::vector<int> onBoard(81, 99);
        std::vector<int> onTrial = onBoard;
        ASSERT_EQ(ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, cell, onBoard, &plain),
                  ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, cell, onTrial))
            << puzzle << " step " << step << " cell " << cell;
        ASSERT_EQ(onBoard, onTrial) << puzzle << " step " << step << " cell " << cell;
      }
      // One step of SolveRepeatedly.
      RefreshCandidates(*p.Ctx, p.Grid(), MaskFilterMode(kMaskAllButRandom),
                        MaskProbableMode(kMaskAllButRandom), 1);
      if (SolveWithMethods(*p.Ctx, kMaskAllButRandom, p.Grid(), 1, 0, -1, 0) != kSolvePlaced)
        break;
    }
    EXPECT_GT(step, 20) << puzzle;
  }
}

TEST_F(ForcingPosition, ThePlayersAbortCancelsIt) {
  p.Host.Abort = true;
  EXPECT_EQ(ApplyForcingChain(*p.Ctx, p.Grid(), trial, 0, kD, values), kSolveCancelled);
}

} // namespace
} // namespace quorbel::test
