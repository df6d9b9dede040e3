// Counting solutions: one grid, linked grids, the stored history, the time limit, the
// player's abort, and the reference grids filled from the first solution.
#include "solver/solution_count.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "engine/grid_copy.h"
#include "engine/grid_set.h"
#include "engine/irregular_blocks.h"
#include "engine/search_history.h"
#include "engine/update_possibles.h"
#include "platform/random.h"
#include "solver/count_time_share.h"
#include "solver/search.h"
#include "tests/solver/search_test_support.h"
#include "tests/support/count_limit.h"

namespace quorbel::test {
namespace {

class SolutionCount : public ::testing::Test {
protected:
  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);

  std::string Rectangle() const {
    std::string puzzle = kSolvedNine;
    for (const int c : kDeadlyRectangle)
      puzzle[c] = '0';
    return puzzle;
  }

  // The values of a stored level of main grid 0.
  std::string StoredLine(int level) {
    GridRecord copy;
    EXPECT_EQ(CopyStoredSolution(*ctx, level, 0, copy), 1);
    return OneLineOfGrid(*ctx, copy);
  }
};

TEST_F(SolutionCount, TheEmptyFourByFourHas288Solutions) {
  for (const int byPropagation : {0, 1}) {
    ctx->Settings.SearchByPropagation = byPropagation;
    GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 300, 0), 288);
    EXPECT_EQ(ctx->SolutionCount, 288);
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    EXPECT_EQ(OneLineOfGrid(*ctx, grid), EmptyLine(4)); // every cell as it was
  }
}

TEST_F(SolutionCount, StopsAtTheLimit) {
  GridRecord &grid = LoadGrid(*ctx, Rectangle());
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 0), 2);
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 2, 0), 2);
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 1, 0), 1);
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 100, 0), 2); // the count starts again at 0
  EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
  EXPECT_EQ(grid.State, kGridOpen);
  EXPECT_EQ(grid.SudMissing, 4);
}

TEST_F(SolutionCount, AContradictionAtTheRootCountsNothingAtOnce) {
  std::string puzzle = kSolvedNine;
  puzzle[0] = '0';
  puzzle[1] = '4'; // the 4 of cell 0 moved next to it: row 0 now holds 4 twice
  for (const int byPropagation : {0, 1}) {
    ctx->Settings.SearchByPropagation = byPropagation;
    GridRecord &grid = LoadGrid(*ctx, puzzle);
    host.Polls = 0;
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 0), 0);
    EXPECT_LE(host.Polls, 2); // before the search and before its one call
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
  }
}

TEST_F(SolutionCount, ACompleteGridCountsOne) {
  for (const int byPropagation : {0, 1}) {
    ctx->Settings.SearchByPropagation = byPropagation;
    GridRecord &grid = LoadGrid(*ctx, kSolvedNine);
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 2, 1), 1);
    EXPECT_EQ(ctx->Solutions.StoredCount, 1);
  }
}

// A count that neither stores nor shows its solutions tallies them where the classic route finds
// them, and one for the generator that asks only for a second solution walks a tree of its own:
// both find what a count that stores every solution finds.
TEST_F(SolutionCount, CountsThatReadLessOfTheSolutionsFindTheSame) {
  using Scores = std::vector<std::array<int32_t, kMaxWidth>>;
  const auto scores = [&](const GridRecord &grid) {
    Scores out;
    for (int c = 0; c < ctx->Geo.NCells; ++c)
      out.push_back(grid.Cells[c].ValueScores);
    return out;
  };
  std::set<int> counts;
  for (uint32_t seed = 1; seed <= 16; ++seed) {
    SCOPED_TRACE(seed);
    Random15 random(seed * 7919); // near seeds draw alike at first
    std::string puzzle = kSolvedNine;
    const int kept = 30 + static_cast<int>(seed % 4) * 5; // in hundredths
    for (char &c : puzzle)
      if (RandomBelow(random, 100) >= kept)
        c = '0';
    if (seed % 4 == 0) // a wrong given: often no solution at all
      for (char &c : puzzle)
        if (c != '0') {
          c = static_cast<char>('1' + (c - '1' + 1) % 9);
          break;
        }
    constexpr int kLimit = 40;
    GridRecord &stored = LoadGrid(*ctx, puzzle);
    const int count = CountGridSolutions(*ctx, stored, 0, kLimit, 1);
    const Scores seen = scores(stored);
    const int bestTally = stored.BestTally;
    GridRecord &tallied = LoadGrid(*ctx, puzzle);
    EXPECT_EQ(CountGridSolutions(*ctx, tallied, 0, kLimit, 0), count);
    EXPECT_EQ(scores(tallied), seen);
    EXPECT_EQ(tallied.BestTally, bestTally);
    ctx->Settings.UniquenessOnly = 1;
    EXPECT_EQ(CountGridSolutions(*ctx, LoadGrid(*ctx, puzzle), 0, 2, 0), std::min(count, 2));
    ctx->Settings.UniquenessOnly = 0;
    counts.insert(std::min(count, 2));
  }
  EXPECT_EQ(counts, (std::set<int>{0, 1, 2}));
}

TEST_F(SolutionCount, StoresTheSolutionsInOrderOnlyWhenAsked) {
  GridRecord &grid = LoadGrid(*ctx, Rectangle());
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 1), 2);
  ASSERT_EQ(ctx->Solutions.StoredCount, 2);
  EXPECT_EQ(StoredLine(0), kSolvedNine);
  EXPECT_NE(StoredLine(1), kSolvedNine);
  // A count that stores nothing leaves the player's history alone.
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 0), 2);
  EXPECT_EQ(ctx->Solutions.StoredCount, 2);
  // MAXSEARCHSAVE solutions at most are stored, the ones the player can step through.
  ctx->Settings.MaxSearchSave = 1;
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 1), 2);
  EXPECT_EQ(ctx->Solutions.StoredCount, 1);
  EXPECT_EQ(ShowSearchSolution(*ctx, 0), 1);
}

TEST_F(SolutionCount, AVerboseCountReportsEachSolutionBeforeTheLast) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 1, 3, 0), 3);
  ASSERT_EQ(host.Messages.size(), 2u);
  EXPECT_EQ(host.Messages[0].first, kMsgSolutionFound);
  EXPECT_EQ(host.Messages[0].second, (std::vector<MessageArg>{kHelpSearch, 1}));
  EXPECT_EQ(host.Messages[1].second, (std::vector<MessageArg>{kHelpSearch, 2}));
}

TEST_F(SolutionCount, ATimeOutKeepsTheSolutionsFoundSoFar) {
  // An empty 16x16 grid, with regular or irregular blocks, has far more solutions than the
  // count's limit: only the time-out can end the count early.
  for (const bool irregular : {false, true}) {
    SCOPED_TRACE(irregular ? "irregular blocks" : "regular blocks");
    GridRecord &grid = LoadGrid(*ctx, EmptyLine(16));
    if (irregular) {
      grid.GridVar = kVarIrregular;
      ASSERT_EQ(
          LoadIrregularBlocks(*ctx, grid, 0, std::string(QUORBEL_TEST_DATA) + "/../../data/IRGBlk.dat", 0),
          1);
    }
    constexpr int kFoundInTime = 3;
    ctx->Settings.TimeOver = test::kTestCountLimitMs;
    host.OnPoll = nullptr;
    ASSERT_EQ(CountGridSolutions(*ctx, grid, 0, kFoundInTime, 1), kFoundInTime);
    std::vector<std::string> untimed;
    for (int level = 0; level < kFoundInTime; ++level)
      untimed.push_back(StoredLine(level));

    // The generous limit until the third solution is stored, whatever the machine's speed; from
    // then on the machine turns slow, and every step outlasts a 1 ms limit.
    host.OnPoll = [this] {
      if (ctx->SolutionCount >= kFoundInTime) {
        ctx->Settings.TimeOver = 1;
        SleepMs(5);
      }
    };
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 50, 1), kSolveTimeOut);
    ASSERT_EQ(ctx->Solutions.StoredCount, kFoundInTime);
    for (int level = 0; level < kFoundInTime; ++level) {
      EXPECT_EQ(StoredLine(level).find('0'), std::string::npos);
      EXPECT_EQ(StoredLine(level), untimed[level]);
    }
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    EXPECT_EQ(OneLineOfGrid(*ctx, grid), EmptyLine(16));
  }
  host.OnPoll = nullptr;
}

// Once two solutions are met the machine turns slow: each further solution takes 30 ms, well
// within a count's time of 300 ms for each solution, yet past it for the whole count by the
// twelfth. A count for the tally stops there with the solutions it met.
TEST_F(SolutionCount, ATallyStopsAtItsTimeWithTheSolutionsMet) {
  constexpr int kLimit = 30;
  for (const int byPropagation : {0, 1}) {
    ctx->Settings.SearchByPropagation = byPropagation;
    ctx->Settings.TimeOver = 300;
    GridRecord &grid = LoadGrid(*ctx, EmptyLine(4));
    int seen = 0;
    host.OnPoll = [&] {
      if (ctx->SolutionCount != seen && ctx->SolutionCount >= 2)
        SleepMs(30);
      seen = ctx->SolutionCount;
    };
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, kLimit, 0), kLimit);
    seen = 0;
    const int tallied = TallyGridSolutions(*ctx, grid, kLimit, {});
    EXPECT_GE(tallied, 2);
    EXPECT_LT(tallied, kLimit);
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    EXPECT_EQ(OneLineOfGrid(*ctx, grid), EmptyLine(4));
    // Without a time limit it counts to its limit.
    ctx->Settings.TimeOver = -1;
    seen = 0;
    EXPECT_EQ(TallyGridSolutions(*ctx, grid, kLimit, {}), kLimit);
  }
  host.OnPoll = nullptr;
}

// Counts under one share run within what is left of it, never above the limit in force, which
// comes back after each; with no limit nothing is shared.
TEST_F(SolutionCount, CountsUnderOneShareRunWithinWhatIsLeftOfIt) {
  const auto limitSeen = [&](CountTimeShare &share) {
    return share.Run([&] { return static_cast<int>(ctx->Settings.TimeOver); });
  };
  ctx->Settings.TimeOver = 1000;
  CountTimeShare share(*ctx, 60);
  EXPECT_LE(limitSeen(share), 60);
  EXPECT_EQ(ctx->Settings.TimeOver, 1000);
  SleepMs(80);
  EXPECT_TRUE(share.Spent());
  EXPECT_EQ(limitSeen(share), 0);
  ctx->Settings.TimeOver = 20;
  CountTimeShare wide(*ctx, 500);
  EXPECT_EQ(limitSeen(wide), 20);
  ctx->Settings.TimeOver = -1;
  CountTimeShare none(*ctx, 60);
  SleepMs(80);
  EXPECT_FALSE(none.Spent());
  EXPECT_EQ(limitSeen(none), -1);
}

TEST_F(SolutionCount, WithoutATimeLimitTheCountNeverTimesOut) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(6));
  ctx->Settings.TimeOver = -1;
  host.OnPoll = [] { SleepMs(2); };
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 3, 0), 3);
}

TEST_F(SolutionCount, ThePlayersAbortGivesMinusTenEverywhere) {
  for (const int abortAfter : {0, 1, 5}) {
    GridRecord &grid = LoadGrid(*ctx, EmptyLine(9));
    host.Polls = 0;
    host.AbortAfter = abortAfter;
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 200, 1), kSolveCancelled) << abortAfter;
    EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
    host.Polls = 0;
    EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, 200, 0), kSolveCancelled);
    host.Polls = 0;
    EXPECT_EQ(SolveToRefTab(*ctx), kSolveCancelled);
  }
  host.AbortAfter = 0;
  host.Polls = 0;
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(9));
  EXPECT_EQ(RunGridSearch(*ctx, grid, 0), kSolveCancelled); // at its first branch
}

TEST_F(SolutionCount, TrialValuesNeverReachTheChallengePeer) {
  GridRecord &grid = LoadGrid(*ctx, EmptyLine(6));
  for (const int byPropagation : {0, 1}) {
    ctx->Settings.SearchByPropagation = byPropagation;
    EXPECT_EQ(CountGridSolutions(*ctx, grid, 1, 20, 1), 20);
    EXPECT_EQ(SolveToRefTab(*ctx), 1);
  }
  EXPECT_EQ(host.MovesSent, 0);
}

TEST_F(SolutionCount, PencilMarksComeBackAfterACount) {
  GridRecord &grid = LoadGrid(*ctx, kSolvedNine);
  grid.Cells[0].Status = kStatusPencilled; // open, with two pencil marks
  grid.Cells[0].Value = 0;
  grid.Cells[0].Marks = 0x9;
  grid.Cells[10].Status = kStatusEmpty;
  grid.Cells[10].Value = 0;
  grid.Cells[11].Status = kStatusEmpty; // a row and a column apart: contradicts once 10 is tried
  grid.Cells[11].Value = 0;
  EXPECT_EQ(CountGridSolutions(*ctx, grid, 0, 5, 0), 1);
  EXPECT_EQ(grid.Cells[0].Status, kStatusPencilled);
  EXPECT_EQ(grid.Cells[0].Marks, 0x9u);
  EXPECT_EQ(grid.Cells[10].Status, kStatusEmpty);
}

class LinkedSolutionCount : public SolutionCount {
protected:
  // Two main grids of the shape of `line`, both loaded with it.
  void LoadTwo(const std::string &line) {
    LoadGrid(*ctx, line);
    ASSERT_EQ(AddGridToSet(*ctx), 1);
    ASSERT_EQ(LoadOneLineGrid(*ctx, line, 1), "");
    for (int slot = 0; slot < 2; ++slot)
      PropagateAll(slot);
  }
  void PropagateAll(int slot) {
    GridRecord &grid = ctx->Grids.Main[slot];
    grid.SudMissing = 0;
    for (int c = 0; c < ctx->Geo.NCells; ++c)
      grid.SudMissing += grid.Cells[c].Status > kStatusConflict ? 1 : 0;
  }
};

TEST_F(LinkedSolutionCount, CompleteLinkedGridsCountOne) {
  LoadTwo(kSolvedNine);
  for (const int limit : {1, 2, 200}) {
    EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, limit, 1), 1) << limit;
    EXPECT_EQ(ctx->Solutions.StoredCount, 1); // stored like a found solution
  }
}

TEST_F(LinkedSolutionCount, SearchesEveryGridInTurn) {
  LoadTwo(Rectangle());
  // Without a rule between them each grid's two solutions combine: four in all.
  EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, 200, 1), 4);
  EXPECT_EQ(ctx->Solutions.StoredCount, 4);
  EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, 3, 0), 3);
  // One grid alone when asked for.
  EXPECT_EQ(SearchLinkedSolutions(*ctx, 1, 0, 200, 0), 2);
  for (int slot = 0; slot < 2; ++slot)
    EXPECT_EQ(CountTrialCells(*ctx, ctx->Grids.Main[slot]), 0);
}

TEST_F(LinkedSolutionCount, OneCompleteGridAmongOpenOnes) {
  LoadTwo(Rectangle());
  ASSERT_EQ(LoadOneLineGrid(*ctx, kSolvedNine, 1), "");
  PropagateAll(1);
  EXPECT_EQ(SearchLinkedSolutions(*ctx, -1, 0, 200, 0), 2);
}

// Four grids of one solution under different value maps, each comparing its rows with the grid
// before it (Same in Line), with a quarter of the givens: counts of the whole set and of each grid,
// which update the set around the searched grid, find what the same set updated whole finds, in
// the same order. Twins Varient Masked, a rule with no step, keeps the second set updated whole.
TEST_F(LinkedSolutionCount, SameInLineCountsFindWhatWholeUpdatesFind) {
  constexpr int kGrids = 4;
  auto mapped = [](int g) {
    constexpr int kFactors[] = {1, 2, 4, 5}; // prime to 9: each map is one to one
    std::string line = kSolvedNine;
    for (char &c : line)
      c = static_cast<char>('1' + ((c - '1') * kFactors[g] + g) % 9);
    return line;
  };
  auto build = [&](EngineContext &c, bool whole) {
    ASSERT_EQ(LoadOneLineGrid(c, mapped(0), 0), "");
    for (int g = 1; g < kGrids; ++g) {
      ASSERT_EQ(AddGridToSet(c), g);
      ASSERT_EQ(LoadOneLineGrid(c, mapped(g), g), "");
    }
    for (int g = 0; g < kGrids; ++g) {
      GridRecord &grid = c.Grids.Main[g];
      if (g > 0) {
        grid.GridVar = kVarTwinsSameInLine;
        grid.Lists.SameInLine.PartnerGrid = static_cast<int16_t>(g - 1);
        const GridRecord &before = c.Grids.Main[g - 1];
        for (int row = 0; row < 9; ++row) {
          int same = 0;
          for (int col = 0; col < 9; ++col)
            same += grid.Cells[row * 9 + col].Value == before.Cells[row * 9 + col].Value ? 1 : 0;
          grid.Lists.SameInLine.RowClue[row] = static_cast<int8_t>(row % 2 == 0 ? same : -1);
        }
      }
      for (int cell = 0; cell < 81; ++cell)
        if ((cell * 7 + g) % 4 != 0)
          SetCellValue(c, grid, cell, 0, kActionClear);
    }
    if (whole)
      c.Grids.Main[0].GridVar |= kVarTwinsVariantMasked;
    RecomputeAllCandidates(c);
  };
  PollingHost otherHost;
  std::unique_ptr<EngineContext> whole = MakeContext(otherHost);
  build(*ctx, false);
  build(*whole, true);
  auto stored = [](EngineContext &c) {
    std::vector<std::string> lines;
    GridRecord copy;
    for (int level = 0; level < c.Solutions.StoredCount; ++level)
      for (int g = 0; g < kGrids; ++g)
        if (CopyStoredSolution(c, level, g, copy) == 1)
          lines.push_back(OneLineOfGrid(c, copy));
    return lines;
  };
  for (int slot = -1; slot < kGrids; ++slot) {
    const int found = SearchLinkedSolutions(*ctx, slot, 0, 10, 1);
    EXPECT_EQ(found, SearchLinkedSolutions(*whole, slot, 0, 10, 1)) << slot;
    EXPECT_GT(found, 1) << slot;
    EXPECT_EQ(stored(*ctx), stored(*whole)) << slot;
  }
}

TEST_F(SolutionCount, SolveToRefTabCopiesTheFirstSolution) {
  GridRecord &grid = LoadGrid(*ctx, Rectangle());
  EXPECT_EQ(SolveToRefTab(*ctx), 1);
  EXPECT_EQ(OneLineOfGrid(*ctx, ctx->Grids.RefTab[0]), kSolvedNine);
  EXPECT_EQ(CountTrialCells(*ctx, grid), 0);
  std::string impossible = kSolvedNine;
  impossible[0] = '0';
  impossible[1] = '4';
  LoadGrid(*ctx, impossible);
  EXPECT_EQ(SolveToRefTab(*ctx), 0);
}

} // namespace
} // namespace quorbel::test
