#include "solver/maximise_score.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/update_possibles.h"
#include "solver/search.h"
#include "tests/engine/engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShapeOf4 = 0;

// Says "abort" from its `after`-th question on.
class AbortingHost final : public RecordingHost {
public:
  explicit AbortingHost(int after) : after_(after) {}
  bool PollUserAbort() override { return Polls++ >= after_; }
  int Polls = 0;

private:
  int after_;
};

// An empty 4 x 4 grid with the neighbour score: many solutions, of several scores.
void ScoredGrid(ShapedContext &s) {
  s.Ctx.Points[0] = 1; // quotient 2
  s.Ctx.Points[2] = 3; // quotient 4
  s.Main().GridVar = kVarNeighbourScore;
  SetCellValue(s.Ctx, s.Main(), 0, 1, kActionPlace);
  UpdatePossibles(s.Ctx, -1, -1, -1, 1);
}

} // namespace

TEST(MaximiseScore, KeepsTheBestOfEverySolution) {
  ShapedContext walk(kShapeOf4);
  ScoredGrid(walk);
  std::set<int> scores;
  for (int r = RunGridSearch(walk.Ctx, walk.Main(), 1); r == 1; r = RunGridSearch(walk.Ctx, walk.Main(), 0))
    scores.insert(NeighbourScoreOf(walk.Ctx, walk.Main()));
  ASSERT_GE(scores.size(), 2u); // the maximum is a real choice

  ShapedContext s(kShapeOf4);
  ScoredGrid(s);
  const int best = MaximiseScore(s.Ctx, s.Main());
  EXPECT_EQ(best, *scores.rbegin());
  EXPECT_EQ(NeighbourScoreOf(s.Ctx, s.Main()), best); // the grid holds that solution
}

TEST(MaximiseScore, AnAbortGivesMinusTheBestFoundSoFar) {
  // How often the first search asks: the abort comes at the next question, once it has found.
  AbortingHost counting(1 << 30);
  ShapedContext first(kShapeOf4, counting);
  ScoredGrid(first);
  ASSERT_EQ(RunGridSearch(first.Ctx, first.Main(), 1), 1);

  AbortingHost host(counting.Polls);
  ShapedContext s(kShapeOf4, host);
  ScoredGrid(s);
  const int result = MaximiseScore(s.Ctx, s.Main());
  EXPECT_LT(result, 0);
  EXPECT_EQ(-result, NeighbourScoreOf(s.Ctx, s.Main())); // the first solution's score
}

TEST(MaximiseScore, OnACopyTheGridStaysAsThePlayerHasIt) {
  ShapedContext s(kShapeOf4);
  ScoredGrid(s);
  const int openBefore = s.Main().SudMissing;
  GridRecord best;
  const int score = BestScoreOfSolutions(s.Ctx, s.Main(), best);
  ASSERT_GT(score, 0);
  EXPECT_EQ(s.Main().SudMissing, openBefore);
  EXPECT_EQ(s.Main().Cells[1].Status, kStatusEmpty);
  EXPECT_EQ(NeighbourScoreOf(s.Ctx, best), score); // the best solution is handed over
  EXPECT_EQ(best.Cells[0].Value, 1);
}
