#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/grid_debug_dump.h"
#include "engine_test_support.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::string ReadFile(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

} // namespace

TEST(GridDebugDump, WritesOneLinePerPlayingCell) {
  ShapedContext s(0);
  GridRecord &grid = s.Main();
  grid.SudMissing = 15;
  grid.TheMinPoss = 3;
  grid.Cells[0].Value = 2;
  grid.Cells[0].Status = kStatusFixed;
  MakeOpenCell(s.Ctx.Geo, grid.Cells[1], {1, 3});
  grid.Cells[1].ValueScores[2] = 4;

  const quorbel::testing::TempDir dir;
  const std::string path = dir.File("dump.txt");
  ASSERT_EQ(DumpGridDebug(s.Ctx.Geo, grid, path), 1);
  const std::string text = ReadFile(path);

  EXPECT_EQ(
      text.rfind(
          "SudMissing = 15  TheMinPoss = 3\ni val status  NPoss  ThePoss Iposs\n0 2 3 0 2 1\n1 0 6 2 0 403\n",
          0),
      0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 16);
}

TEST(GridDebugDump, AnUnwritablePathWritesNothing) {
  ShapedContext s(0);
  EXPECT_EQ(DumpGridDebug(s.Ctx.Geo, s.Main(), "/nonexistent-dir/dump.txt"), 0);
}
