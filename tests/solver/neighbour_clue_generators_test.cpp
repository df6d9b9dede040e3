#include <gtest/gtest.h>

#include <memory>

#include "engine/chess_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/navigator_rules.h"
#include "engine/propagate.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"
#include "solver/random_solution.h"

using namespace quorbel;

namespace {

constexpr int kShapeOf9 = 5;

// A random 9 x 9 solution, its reference copy, and every cell open in the grid but the givens.
struct Solved {
  explicit Solved(uint32_t seed, VariantWords words, bool allGiven = false)
      : ctx(std::make_unique<EngineContext>()) {
    SetGridShape(*ctx, kShapeOf9, 1, 0);
    GridRecord &grid = Grid();
    grid.GridVar = words;
    ctx->Random.Seed(seed);
    made = MakeRandomSolution(*ctx, grid, kSeedsComputed, -1, 10, 0) == 1;
    for (int c = 0; c < ctx->Geo.NCells; ++c)
      grid.Cells[c].Status = allGiven || RandomBelow(ctx->Random, 3) == 0 ? kStatusFixed : kStatusEmpty;
  }
  GridRecord &Grid() { return ctx->Grids.Main[0]; }
  ClueJob Job(int count) { return ClueJob{*ctx, Grid(), ctx->Grids.RefTab[0], count, 1.0, 2, false}; }

  std::unique_ptr<EngineContext> ctx;
  bool made = false;
};

} // namespace

TEST(NeighbourClueGenerators, ChessPlacesAtMostTwoFiguresTheSolutionBearsAndNeverTheWhiteRook) {
  int figures = 0;
  for (uint32_t seed = 1; seed <= 25; ++seed) {
    Solved s(seed, kVarChess);
    ASSERT_TRUE(s.made);
    GenerateChessFigures(s.Job(40));
    const auto &pieces = s.Grid().Lists.Chess;
    EXPECT_LE(pieces.Size(), 2);
    figures += pieces.Size();
    for (const ChessPiece &piece : pieces.Used())
      EXPECT_FALSE(piece.Kind == kRook && piece.Colour == 1);
    // The solution with the figures breaks no rule.
    auto solution = std::make_unique<GridRecord>();
    CopyGrid(*s.ctx, *solution, &s.ctx->Grids.RefTab[0], 0);
    solution->Lists.Chess = pieces;
    solution->GridVar = kVarChess;
    Propagate(*s.ctx, *solution, kFilterAlways, 0);
    EXPECT_EQ(solution->State, kGridConsistent) << "seed " << seed;
  }
  EXPECT_GT(figures, 10); // the figures are the rule's clues: most grids get some
}

TEST(NeighbourClueGenerators, ANavigatorArrowPointsAtItsValueAndTwoGivensGetNone) {
  Solved open(3, kVarNavigator);
  ASSERT_TRUE(open.made);
  const GridGeometry &geo = open.ctx->Geo;
  const GridRecord &solution = open.ctx->Grids.RefTab[0];
  for (int cell = geo.GridWidth; cell < geo.NCells - geo.GridWidth; ++cell) {
    int flag = 0;
    const int direction = ChooseNavigatorDirection(open.Job(10), cell, flag);
    if (direction < 0)
      continue;
    const NavigatorPath path = NavigatorPathOf(geo, cell, direction);
    bool found = false;
    for (int k = 0; k < path.Walk.Count; ++k)
      found = found || solution.Cells[path.Walk[static_cast<size_t>(k)]].Value == solution.Cells[cell].Value;
    EXPECT_TRUE(found) << "cell " << cell << " direction " << direction;
  }
  Solved given(3, kVarNavigator, true);
  for (int cell = geo.GridWidth; cell < geo.NCells - geo.GridWidth; ++cell) {
    int flag = 0;
    EXPECT_EQ(ChooseNavigatorDirection(given.Job(10), cell, flag), -1);
    EXPECT_EQ(flag, 2);
  }
  // The generated arrows all hold for the solution.
  GenerateNavigatorArrows(open.Job(20));
  ASSERT_GT(open.Grid().Lists.Navigator.Size(), 0);
  auto check = std::make_unique<GridRecord>();
  CopyGrid(*open.ctx, *check, &solution, 0);
  check->Lists.Navigator = open.Grid().Lists.Navigator;
  check->GridVar = kVarNavigator;
  Propagate(*open.ctx, *check, kFilterAlways, 0);
  EXPECT_EQ(check->State, kGridConsistent);
}
