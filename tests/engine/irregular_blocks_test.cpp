#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/irregular_blocks.h"
#include "engine_test_support.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

constexpr int kShape4 = 0;

// Two 4 x 4 layouts that are not the 2 x 2 blocks, and a 9 x 9 one made of bands.
constexpr int kFirst4[16] = {0, 0, 0, 1, 2, 0, 1, 1, 2, 2, 3, 1, 2, 3, 3, 3};
constexpr int kSecond4[16] = {0, 0, 1, 1, 0, 2, 2, 1, 0, 2, 3, 1, 2, 3, 3, 3};

RegionLayout LayoutOf(const int (&regions)[16]) {
  RegionLayout layout;
  layout.Width = 4;
  for (int i = 0; i < 16; ++i)
    layout.Region[i] = static_cast<int8_t>(regions[i]);
  return layout;
}

RegionLayout NineBands() {
  RegionLayout layout;
  layout.Width = 9;
  for (int i = 0; i < 81; ++i)
    layout.Region[i] = static_cast<int8_t>(i / 9);
  return layout;
}

// The region numbers a grid's blocks give its cells.
std::vector<int> BlockNumbers(const ShapedContext &s, const GridRecord &grid) {
  return {grid.BlockOfCell.begin(), grid.BlockOfCell.begin() + s.Ctx.Geo.NCells};
}

std::vector<int> RegionNumbers(const RegionLayout &layout) {
  return {layout.Region.begin(), layout.Region.begin() + layout.Width * layout.Width};
}

class IrregularBlocks : public ::testing::Test {
protected:
  void SetUp() override {
    main().GridVar = kVarIrregular;
    WriteBytes(path, FormatLayout(LayoutOf(kFirst4)) + FormatLayout(NineBands()) +
                         FormatLayout(LayoutOf(kSecond4)));
  }
  GridRecord &main() { return s.Main(); }
  int Load(int layout, int extraCount = 0) {
    return LoadIrregularBlocks(s.Ctx, main(), layout, path, extraCount);
  }

  TempDir dir;
  std::string path = dir.File("IRGBlk.dat");
  RecordingHost host;
  ShapedContext s{kShape4, host};
};

} // namespace

TEST_F(IrregularBlocks, ALoadedLayoutBecomesTheGridsBlocks) {
  ASSERT_EQ(Load(1), 1);
  EXPECT_EQ(BlockNumbers(s, main()), RegionNumbers(LayoutOf(kSecond4)));
  // Block b lists its own cells, in reading order.
  EXPECT_EQ(main().BlockCells[0][0], 0);
  EXPECT_EQ(main().BlockCells[0][1], 1);
  EXPECT_EQ(main().BlockCells[0][2], 4);
  EXPECT_EQ(main().BlockCells[0][3], 8);
  EXPECT_EQ(s.Ctx.Geo.SharedBlockOfCell, main().BlockOfCell);
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(IrregularBlocks, ARandomLayoutComesFromTheCurrentSizeAndRepeatsWithTheSeed) {
  std::set<std::vector<int>> seen;
  // Small seeds all make a small first draw: spread them.
  for (uint32_t seed = 4099; seed <= 20 * 4099; seed += 4099) {
    s.Ctx.Random.Seed(seed);
    ASSERT_EQ(Load(-1), 1);
    const std::vector<int> first = BlockNumbers(s, main());
    s.Ctx.Random.Seed(seed);
    ASSERT_EQ(Load(-1), 1);
    EXPECT_EQ(BlockNumbers(s, main()), first);
    seen.insert(first);
  }
  EXPECT_EQ(seen, (std::set<std::vector<int>>{RegionNumbers(LayoutOf(kFirst4)),
                                              RegionNumbers(LayoutOf(kSecond4))}));
}

TEST_F(IrregularBlocks, ExtraRegionsAreRegionsOfALayout) {
  main().GridVar = kVarExtraRegion;
  s.Ctx.Random.Seed(3);
  ASSERT_EQ(Load(0, 2), 1);
  EXPECT_EQ(main().Lists.RegionOn, (std::array<int16_t, 4>{1, 1, 0, 0}));
  const RegionLayout layout = LayoutOf(kFirst4);
  std::set<int> regions;
  for (int r = 0; r < 2; ++r) {
    std::set<int> numbers;
    for (int k = 0; k < 4; ++k)
      numbers.insert(layout.Region[main().RegionCells[r][k]]);
    ASSERT_EQ(numbers.size(), 1u) << "extra region " << r << " mixes regions";
    regions.insert(*numbers.begin());
  }
  EXPECT_EQ(regions.size(), 2u);
  EXPECT_EQ(main().RegionCells[2][0], -1);
  // Blocks stay regular under extra regions.
  EXPECT_EQ(main().BlockCells[0][2], 4);
}

TEST_F(IrregularBlocks, AFailedLoadChangesNothingAndSaysWhy) {
  ASSERT_EQ(Load(0), 1);
  const std::vector<int> before = BlockNumbers(s, main());
  const BlockLayout layoutBefore = main().Lists.Layout;

  EXPECT_EQ(Load(2), 0);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0], "Irregular blocks: " + path + " has no layout number 2 of size 4");

  std::string text = FormatLayout(LayoutOf(kSecond4));
  WriteBytes(path, text.substr(0, text.find("B;2;3;3;3;")));
  EXPECT_EQ(Load(0), 0);
  EXPECT_NE(host.Messages.back().find("ends inside the layout of line 2"), std::string::npos)
      << host.Messages.back();

  WriteBytes(path, "G;4;\r\nB;0;0;1;1;\r\nB;0;0;1;1;\r\nB;2;2;3;3;\r\nB;2;2;3;4;\r\n");
  EXPECT_EQ(Load(0, 2), 0);
  EXPECT_NE(host.Messages.back().find("line 5: region number 4 is outside 0..3"), std::string::npos)
      << host.Messages.back();

  EXPECT_EQ(LoadIrregularBlocks(s.Ctx, main(), 0, dir.File("missing.dat"), 0), 0);
  EXPECT_EQ(host.Messages.size(), 4u);
  EXPECT_EQ(BlockNumbers(s, main()), before);
  EXPECT_EQ(main().Lists.Layout, layoutBefore);
  EXPECT_EQ(main().Lists.RegionOn, (std::array<int16_t, 4>{}));
}

TEST_F(IrregularBlocks, AppendedBlocksReadBackAsTheSameLayout) {
  ASSERT_EQ(Load(1), 1);
  const std::string target = dir.File("mine.dat");
  ASSERT_EQ(AppendIrregularBlocks(s.Ctx, main(), target), 1);
  ASSERT_EQ(AppendIrregularBlocks(s.Ctx, main(), target), 1);
  EXPECT_EQ(CountIrregularBlocks(s.Ctx, target), 2);
  const BlockFileRead read = ReadLayout(ReadBytes(target), 4, 1);
  ASSERT_TRUE(read.Ok());
  EXPECT_EQ(read.Layout, LayoutOf(kSecond4));
}

TEST_F(IrregularBlocks, OnlyAGridWithWholeIrregularBlocksIsAppended) {
  const std::string target = dir.File("mine.dat");
  EXPECT_EQ(AppendIrregularBlocks(s.Ctx, main(), target), 0); // no layout yet
  ASSERT_EQ(Load(0), 1);
  main().GridVar = {};
  EXPECT_EQ(AppendIrregularBlocks(s.Ctx, main(), target), 0);
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_EQ(host.Messages.back(), "Irregular blocks: the grid has no complete irregular blocks to write");
}

TEST_F(IrregularBlocks, DefinitionsOfAnotherFileAreAddedSizeBySizeUpToARefusedOne) {
  const std::string source = dir.File("more.dat");
  const std::string broken = "\r\nG;4;\r\nB;0;0;1;1;\r\n";
  WriteBytes(source, FormatLayout(NineBands()) + FormatLayout(LayoutOf(kFirst4)) + broken +
                         FormatLayout(LayoutOf(kSecond4)));
  const std::string before = ReadBytes(path);
  const GridGeometry geometry = s.Ctx.Geo;

  EXPECT_EQ(AddIrregularDefinitions(s.Ctx, source, path), 2);
  EXPECT_EQ(ReadBytes(path), before + FormatLayout(LayoutOf(kFirst4)) + FormatLayout(NineBands()));
  EXPECT_EQ(host.Messages.back(), "Irregular definition " + source + " Added");
  EXPECT_EQ(s.Ctx.Geo.GridWidth, geometry.GridWidth);
  EXPECT_EQ(s.Ctx.Geo.BlockRows, geometry.BlockRows);
}

TEST_F(IrregularBlocks, AMergeOfManyLayoutsReadsTheFileOnceAndCanBeStopped) {
  struct StoppingHost : RecordingHost {
    bool PollUserAbort() override { return ++Polls >= StopAt; }
    int Polls = 0;
    int StopAt = 1 << 30;
  } stopping;
  s.Ctx.Host = &stopping;
  const std::string source = dir.File("many.dat");
  std::string text;
  for (int i = 0; i < 2500; ++i)
    text += FormatLayout(i % 2 == 0 ? LayoutOf(kFirst4) : LayoutOf(kSecond4));
  WriteBytes(source, text);
  const std::string before = ReadBytes(path);

  stopping.StopAt = 2;
  EXPECT_EQ(AddIrregularDefinitions(s.Ctx, source, path), kIrregularMergeStopped);
  EXPECT_EQ(ReadBytes(path), before);

  stopping.Polls = 0;
  stopping.StopAt = 1 << 30;
  EXPECT_EQ(AddIrregularDefinitions(s.Ctx, source, path), 2500);
  EXPECT_EQ(stopping.Polls, 2);
  EXPECT_EQ(ReadBytes(path), before + text);
}
