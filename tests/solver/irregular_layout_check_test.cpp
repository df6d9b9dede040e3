// The layout check of the block tool, and our own block file passing it.
#include "solver/irregular_layout_check.h"

#include <gtest/gtest.h>

#include "tests/solver/search_test_support.h"
#include "tests/support/temp_dir.h"

namespace quorbel::test {
namespace {

constexpr int kCheckTimeLimitMs = 2000;
constexpr int kSeededTries = 10;

RegionLayout Layout4(const std::array<int, 16> &regions) {
  RegionLayout layout;
  layout.Width = 4;
  for (int i = 0; i < 16; ++i)
    layout.Region[i] = static_cast<int8_t>(regions[i]);
  return layout;
}

class IrregularLayoutCheck : public ::testing::Test {
protected:
  void SetUp() override { ctx->Settings.TimeOver = kCheckTimeLimitMs; }
  PollingHost host;
  std::unique_ptr<EngineContext> ctx = MakeContext(host);
};

TEST_F(IrregularLayoutCheck, EveryLayoutOfOurBlockFileIsConnectedAndSolvable) {
  const std::string text =
      quorbel::testing::ReadBytes(std::string(QUORBEL_TEST_DATA) + "/../../data/IRGBlk.dat");
  for (const int width : kLayoutWidths) {
    const int count = CountLayouts(text, width);
    EXPECT_GE(count, 1) << "no layout of size " << width;
    for (int index = 0; index < count; ++index) {
      const BlockFileRead read = ReadLayout(text, width, index);
      ASSERT_TRUE(read.Ok()) << DescribeBlockFileProblem(read, "IRGBlk.dat", width, kLanguageEnglish);
      const LayoutVerdict verdict = CheckIrregularLayout(*ctx, read.Layout, kSeededTries);
      EXPECT_TRUE(verdict.Ok()) << "size " << width << " layout " << index << ": "
                                << DescribeLayoutVerdict(verdict);
    }
  }
}

TEST_F(IrregularLayoutCheck, ARegionInTwoPiecesIsRefused) {
  // Region 1 is column 1 but for its last cell, which sits in column 3.
  const LayoutVerdict verdict =
      CheckIrregularLayout(*ctx, Layout4({0, 1, 2, 2, 0, 1, 2, 2, 0, 1, 3, 3, 0, 3, 3, 1}));
  EXPECT_EQ(verdict.Fault, LayoutFault::Disconnected);
  EXPECT_EQ(verdict.Region, 1);
}

TEST_F(IrregularLayoutCheck, ARegionOfTheWrongSizeIsRefused) {
  const LayoutVerdict verdict =
      CheckIrregularLayout(*ctx, Layout4({0, 0, 1, 1, 0, 0, 1, 1, 2, 2, 3, 3, 2, 2, 3, 2}));
  EXPECT_EQ(verdict.Fault, LayoutFault::RegionSize);
  EXPECT_EQ(verdict.Region, 2);
}

TEST_F(IrregularLayoutCheck, ALayoutWithoutASolutionIsRefused) {
  const RegionLayout layout = Layout4({3, 1, 1, 1, 3, 3, 1, 0, 2, 3, 0, 0, 2, 2, 2, 0});
  ASSERT_EQ(FirstDisconnectedRegion(layout), -1);
  EXPECT_EQ(CheckIrregularLayout(*ctx, layout).Fault, LayoutFault::NoSolution);
  EXPECT_TRUE(CheckIrregularLayout(*ctx, Layout4({0, 0, 0, 1, 2, 0, 1, 1, 2, 2, 3, 1, 2, 3, 3, 3})).Ok());
}

TEST_F(IrregularLayoutCheck, AStoppedSearchDecidesNothing) {
  host.AbortAfter = 0;
  EXPECT_EQ(
      CheckIrregularLayout(*ctx, Layout4({0, 0, 0, 1, 2, 0, 1, 1, 2, 2, 3, 1, 2, 3, 3, 3}), kSeededTries)
          .Fault,
      LayoutFault::Undecided);
}

} // namespace
} // namespace quorbel::test
