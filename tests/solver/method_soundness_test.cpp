// The property every method must keep: on every puzzle of tests/data, of every size, and
// under every mask, no value placed differs from the solution the search finds and no
// solution value leaves a cell's candidates. Thinned copies of the puzzles (every other
// given kept) have more solutions; the search's solution of the full puzzle is one of
// them, so the methods (Random aside, which guesses) must keep it too.
#include <gtest/gtest.h>

#include "method_test_support.h"
#include "engine/method_record.h"
#include "solver/solve_with_methods.h"

namespace quorbel::test {
namespace {

constexpr MethodMask kSoundMasks[] = {
    kMaskLinColBlk,
    kMaskLinColBlk | kMaskSingle,
    kMaskLinColBlk | kMaskSingle | kMaskProbables,
    0x79,
    0x3FD,
    kMaskAllButRandom,
    kMaskLinColBlk | kMaskColouring,
    kMaskLinColBlk | kMaskForcingChain,
    kMaskLinColBlk | kMaskBurma | kMaskBurmaSizes,
    kMaskGroup | kMaskGroupSizes,
};

// SolveRepeatedly, checked after every call: the removals of a call are gone once the
// candidates are rebuilt, so they must be judged before.
void SolveChecked(const std::string &puzzle, const std::string &solution, MethodMask mask, int stepMode) {
  PuzzleContext p(puzzle);
  EngineContext &ctx = *p.Ctx;
  ctx.Methods.MaxMethodLevel = -1;
  RefreshCandidates(ctx, p.Grid(), MaskFilterMode(mask), MaskProbableMode(mask), 1);
  ASSERT_TRUE(KeepsSolution(ctx, p.Grid(), solution));
  for (int call = 0; call < ctx.Geo.NCells; ++call) {
    const int result = SolveWithMethods(ctx, mask, p.Grid(), stepMode, 0, -1, 0);
    ASSERT_TRUE(KeepsSolution(ctx, p.Grid(), solution)) << puzzle << " mask " << std::hex << mask;
    RefreshCandidates(ctx, p.Grid(), MaskFilterMode(mask), MaskProbableMode(mask), 1);
    if (result != kSolvePlaced || p.Grid().SudMissing == 0)
      break;
  }
  EXPECT_LE(ctx.Methods.MaxMethodLevel, 12);
}

class MethodSoundness : public ::testing::TestWithParam<const char *> {};

TEST_P(MethodSoundness, NoMethodContradictsTheSolution) {
  const std::vector<std::string> puzzles = ReadPuzzleFile(GetParam());
  ASSERT_FALSE(puzzles.empty());
  for (size_t n = 0; n < puzzles.size(); ++n) {
    const std::string solution = SearchSolution(puzzles[n]);
    ASSERT_FALSE(solution.empty()) << puzzles[n];
    for (MethodMask mask : kSoundMasks)
      SolveChecked(puzzles[n], solution, mask, static_cast<int>(n % 2));
    // With one solution, Random has nothing to guess either.
    SolveChecked(puzzles[n], solution, kMaskAllMethods, 0);
  }
}

TEST_P(MethodSoundness, NoMethodContradictsASolutionOfAThinnedPuzzle) {
  for (const std::string &puzzle : ReadPuzzleFile(GetParam())) {
    const std::string solution = SearchSolution(puzzle);
    ASSERT_FALSE(solution.empty()) << puzzle;
    for (MethodMask mask : kSoundMasks)
      SolveChecked(Thinned(puzzle, 2), solution, mask, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, MethodSoundness,
                         ::testing::Values("puzzles-4.txt", "puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt",
                                           "puzzles-12.txt", "puzzles-16.txt"));

} // namespace
} // namespace quorbel::test
