// The grids we ship and the puzzles the suite plays, read then written back: the same bytes, as
// a text grid and as a .sud file. A reader or writer that drifts by one byte on real grids shows
// here even when the generated round trips agree with themselves.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "solver/one_line_grid.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;

namespace {

namespace fs = std::filesystem;

std::span<const uint8_t> Bytes(const std::string &text) {
  return {reinterpret_cast<const uint8_t *>(text.data()), text.size()};
}

struct Loaded {
  Loaded() { SetGridShape(*Ctx, kDefaultShape, 1, 0); }
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  TextGridInfo Info;
};

// The .sud file of the loaded grids, read back into a fresh program and written again.
void ExpectSudRoundTrip(const Loaded &grids, const std::string &name) {
  const std::string sud = WriteSudFile(*grids.Ctx, SudFileContent{});
  Loaded reread;
  SudFileContent content;
  const SudReadResult result = ReadSudFile(Bytes(sud), *reread.Ctx, content);
  ASSERT_TRUE(result.Ok) << name << ": " << result.Message;
  EXPECT_EQ(WriteSudFile(*reread.Ctx, content), sud) << name << " as .sud";
}

// Every text grid among the shipped data files (other .txt files there are other formats).
std::vector<fs::path> ShippedTextGrids() {
  std::vector<fs::path> found;
  for (const auto &entry : fs::recursive_directory_iterator(fs::path(QUORBEL_TEST_DATA) / "../../data"))
    if (entry.path().extension() == ".txt" &&
        quorbel::testing::ReadBytes(entry.path()).starts_with("Quorbel Mode Texte"))
      found.push_back(entry.path());
  return found;
}

} // namespace

TEST(GridCorpusRoundTrip, EveryShippedTextGridWritesBackItsOwnBytes) {
  const auto files = ShippedTextGrids();
  ASSERT_GE(files.size(), 30u) << "the shipped text grids were not found";
  for (const fs::path &path : files) {
    const std::string name = path.filename().string();
    const std::string text = quorbel::testing::ReadBytes(path);
    Loaded grids;
    const TextGridResult result = OpenTextGrid(Bytes(text), *grids.Ctx, grids.Info);
    ASSERT_TRUE(result.Ok) << name << ": " << result.Message;
    EXPECT_TRUE(result.Warnings.empty()) << name << ": " << result.Warnings.front();
    EXPECT_EQ(WriteTextGrid(*grids.Ctx, grids.Info), text) << name;
    ExpectSudRoundTrip(grids, name);
  }
}

TEST(GridCorpusRoundTrip, EveryTestPuzzleWritesBackItsOwnBytes) {
  for (const char *file : {"puzzles-4.txt", "puzzles-6.txt", "puzzles-8.txt", "puzzles-9.txt",
                           "puzzles-12.txt", "puzzles-16.txt"}) {
    const auto puzzles = quorbel::test::ReadPuzzleFile(file);
    ASSERT_FALSE(puzzles.empty()) << file;
    for (size_t i = 0; i < puzzles.size(); ++i) {
      const std::string name = std::string(file) + " line " + std::to_string(i + 1);
      Loaded grids;
      ASSERT_EQ(LoadOneLineGrid(*grids.Ctx, puzzles[i], 0), "") << name;
      const std::string text = WriteTextGrid(*grids.Ctx, grids.Info);
      Loaded reread;
      const TextGridResult result = OpenTextGrid(Bytes(text), *reread.Ctx, reread.Info);
      ASSERT_TRUE(result.Ok) << name << ": " << result.Message;
      EXPECT_EQ(WriteTextGrid(*reread.Ctx, reread.Info), text) << name;
      EXPECT_EQ(OneLineOfGrid(*reread.Ctx, reread.Ctx->Grids.Main[0]), puzzles[i]) << name;
      ExpectSudRoundTrip(reread, name);
    }
  }
}
