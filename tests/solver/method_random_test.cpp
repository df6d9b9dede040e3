// The Random method: a value from the reference solution, or the rarest value of a
// bounded count; never a value without a solution behind it.
#include <gtest/gtest.h>

#include "engine/grid_copy.h"
#include "method_test_support.h"
#include "engine/method_record.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

const std::string kNakedSingles = Cleared(kSolution9, {CellAt(0, 0), CellAt(0, 1), CellAt(1, 0)});

int RandomStep(PuzzleContext &p, int cell) {
  return SolveWithMethods(*p.Ctx, kMaskRandom, p.Grid(), 1, 1, cell, 0);
}

TEST(RandomMethod, TakesTheReferenceValueOfTheCellAskedFor) {
  PuzzleContext p(kSolution9);
  CopyGrid(*p.Ctx, p.Ctx->Grids.RefTab[0], &p.Grid(), 0);
  ASSERT_EQ(LoadOneLineGrid(*p.Ctx, kNakedSingles, 0), "");
  p.Refresh();
  EXPECT_EQ(RandomStep(p, CellAt(1, 0)), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(1, 0)).Value, 6);
  EXPECT_EQ(p.Cell(CellAt(1, 0)).Status, kStatusPlacedLastStep);
  EXPECT_EQ(p.Cell(CellAt(1, 0)).CellHighlight, 7);
  EXPECT_EQ(p.Ctx->Methods.LastMethodBit, kMethodRandom);
  EXPECT_EQ(p.Ctx->Methods.MaxMethodLevel, 12);

  EXPECT_EQ(RandomStep(p, -1), kSolvePlaced);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), kSolution9));
}

TEST(RandomMethod, WithoutAReferenceTheCountChoosesTheValue) {
  PuzzleContext p(kNakedSingles);
  EXPECT_EQ(RandomStep(p, -1), kSolvePlaced);
  // One solution: every score is 1, and the lowest value, (0,1)'s 3, comes first.
  EXPECT_EQ(p.Cell(CellAt(0, 1)).Value, 3);
  EXPECT_EQ(p.Cell(CellAt(0, 1)).Status, kStatusPlacedLastStep);
  EXPECT_TRUE(KeepsSolution(*p.Ctx, p.Grid(), kSolution9));
}

TEST(RandomMethod, AReferenceValueOutsideTheValuesFallsBackToTheCount) {
  PuzzleContext p(kNakedSingles);
  CellRecord &reference = p.Ctx->Grids.RefTab[0].Cells[CellAt(1, 0)];
  reference.Status = kStatusFixed;
  reference.Value = 0;
  EXPECT_EQ(RandomStep(p, CellAt(1, 0)), kSolvePlaced);
  EXPECT_EQ(p.Cell(CellAt(1, 0)).Value, 6);
}

TEST(RandomMethod, AGridWithoutSolutionGetsNoValue) {
  // (0,2) can hold neither 3 nor 4, the only values its row leaves.
  PuzzleContext p("1200003000400000");
  EXPECT_EQ(RandomStep(p, -1), kSolveStopped);
  EXPECT_EQ(p.Ctx->Methods.MethodPlacements, 0);
  EXPECT_EQ(OneLineOfGrid(*p.Ctx, p.Grid()), "1200003000400000");
}

TEST(RandomMethod, AGridOutsideTheSetHasNoReferenceAndGetsNoStep) {
  PuzzleContext p(kNakedSingles);
  auto scratch = std::make_unique<GridRecord>();
  CopyGrid(*p.Ctx, *scratch, &p.Grid(), 0);
  EXPECT_EQ(SolveWithMethods(*p.Ctx, kMaskRandom, *scratch, 1, 0, -1, 0), kSolveStopped);
  EXPECT_EQ(OneLineOfGrid(*p.Ctx, *scratch), kNakedSingles);
}

} // namespace
} // namespace quorbel::test
