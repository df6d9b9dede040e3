#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "files/one_line_catalog.h"
#include "solver/one_line_grid.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using quorbel::test::ReadPuzzleFile;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

class OneLineCatalog : public ::testing::Test {
protected:
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  TempDir Dir;

  std::string Puzzle(const char *file) {
    const std::string line = ReadPuzzleFile(file).at(0);
    EXPECT_TRUE(LoadOneLineGrid(*Ctx, line, 0).empty());
    return line;
  }
  std::string Shown() { return OneLineOfGrid(*Ctx, Ctx->Grids.Main[0]); }
};

} // namespace

TEST_F(OneLineCatalog, AppendedGridsLoadBackThroughTheWholeValueRange) {
  const std::string path = Dir.File("grids.txt");
  const std::string big = Puzzle("puzzles-16.txt");
  ASSERT_NE(big.find_first_of(":;<=>?@"), std::string::npos);
  ASSERT_TRUE(AppendMiniSLine(path, *Ctx, 0));
  EXPECT_EQ(ReadBytes(path), "Quorbel Mode MiniS\r\n" + big + "\r\n");

  SetGridSize(*Ctx, 16, 1);
  ASSERT_EQ(Shown(), std::string(256, '0'));
  EXPECT_TRUE(LoadMiniSLine(*Ctx, 0, path, 1));
  EXPECT_EQ(Shown(), big);
  EXPECT_TRUE(LoadMiniSLine(*Ctx, 0, path, -1)); // the only line, drawn at random
  EXPECT_EQ(Shown(), big);
}

TEST_F(OneLineCatalog, ALineThatIsNotThereLeavesTheGridAlone) {
  const std::string path = Dir.File("grids.txt");
  const std::string puzzle = Puzzle("puzzles-9.txt");
  ASSERT_TRUE(AppendMiniSLine(path, *Ctx, 0));
  SetGridSize(*Ctx, 9, 1);
  EXPECT_FALSE(LoadMiniSLine(*Ctx, 0, path, 2));
  EXPECT_FALSE(LoadMiniSLine(*Ctx, 0, Dir.File("missing.txt"), 1));
  WriteBytes(Dir.File("short.txt"), "Quorbel Mode MiniS\r\n" + puzzle.substr(0, 80) + "\r\n");
  EXPECT_FALSE(LoadMiniSLine(*Ctx, 0, Dir.File("short.txt"), 1));
  WriteBytes(Dir.File("headless.txt"), puzzle + "\r\n" + puzzle + "\r\n");
  EXPECT_FALSE(LoadMiniSLine(*Ctx, 0, Dir.File("headless.txt"), 1));
  EXPECT_EQ(Shown(), std::string(81, '0'));
}

TEST_F(OneLineCatalog, AnImportWritesEachGridItsListsAndTheCheckingMacro) {
  const std::vector<std::string> puzzles = ReadPuzzleFile("puzzles-9.txt");
  const std::string path = Dir.File("puzzles.txt");
  std::string text;
  for (int k = 0; k < 3; ++k)
    text += puzzles.at(k) + (k == 1 ? "x extra words\r\n" : "\r\n"); // 82 characters still make 9 x 9

  Ctx->Grids.MainCount = 2;
  const OneLineImport result = ImportOneLineCatalog(*Ctx, path, text);
  EXPECT_EQ(result.Stopped, "");
  EXPECT_EQ(Ctx->Grids.MainCount, 1);
  EXPECT_EQ(result.GridNames, (std::vector<std::string>{"puzzles01", "puzzles02", "puzzles03"}));
  EXPECT_EQ(OneLineImportTargets(path, text).size(), 6u);
  for (const std::string &name : result.GridNames)
    EXPECT_TRUE(std::filesystem::exists(Dir.File(name + ".txt"))) << name;
  EXPECT_EQ(Shown(), puzzles.at(2)); // the last grid stays on the board
  EXPECT_EQ(ReadBytes(Dir.File("List.dat")), "puzzles01.txt\npuzzles02.txt\npuzzles03.txt\n");
  EXPECT_EQ(ReadBytes(Dir.File("Cat.dat")), ">puzzles\n"
                                            "=Generation Automatique Catalogue de VudezaDur puzzles.\n"
                                            "!Automatic Catalog Generation from DuviziVor puzzles.\n"
                                            "puzzles01\npuzzles02\npuzzles03\n");
  const std::string dir = Dir.Path().string() + "/";
  EXPECT_EQ(
      ReadBytes(Dir.File("Run.macro")),
      ";;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\n;This macro install the ZivuVavida Catalog and check Grids "
      "solutions\n;\n"
      "AREA;COMMENT;Y\nRESETPREF\n;update the catalog file\nADDFUNC;G;" +
          dir +
          "Cat.dat\n;copy and regenerate all new grids\nFILES\npuzzles01\npuzzles02\npuzzles03\nLOADT;-" +
          dir +
          "\nSEARCH;2;Y\nREFGRID\nRESET\nMETHOD;2097149\nSOLVE\nRESET\nSTAT\nSETDIFF\nSAVET;-TextGrid\\\n"
          "ENDFILES\n");
}

TEST_F(OneLineCatalog, AnImportReadsBothSpellingsOfHighValuesAndNamesTheLineThatStopsIt) {
  std::string grid(256, '.');
  grid[0] = ':';
  grid[1] = 'J';
  grid[2] = '@';
  grid[3] = 'p';
  const OneLineImport result = ImportOneLineCatalog(*Ctx, Dir.File("big.txt"),
                                                    grid + "\n" + std::string(50, '1') + "\n" + grid + "\n");
  EXPECT_EQ(result.GridNames, std::vector<std::string>{"big01"});
  EXPECT_NE(result.Stopped.find("line 2"), std::string::npos) << result.Stopped;
  EXPECT_EQ(Shown().substr(0, 5), "::@@0");
}

namespace {

// A host whose player presses Escape at the given poll, noting the progress bar's moves.
class EscapingHost : public EngineHost {
public:
  explicit EscapingHost(int escapeAt) : escapeAt_(escapeAt) {}
  bool PollUserAbort() override { return ++polls_ >= escapeAt_; }
  void StartWaitProgress(std::string_view, int range, bool) override { bar.push_back(-range); }
  void StepWaitProgress(int position) override { bar.push_back(position); }
  void StopWaitProgress() override { bar.push_back(0); }
  std::vector<int> bar;

private:
  int escapeAt_;
  int polls_ = 0;
};

} // namespace

TEST(OneLineCatalogImport, ShowsItsProgressAndStopsOnEscapeBetweenTwoGrids) {
  TempDir dir;
  EscapingHost host(3);
  auto ctx = std::make_unique<EngineContext>(host);
  std::string lines;
  for (int k = 0; k < 5; ++k)
    lines += "1234341221434321\n";
  const OneLineImport result = ImportOneLineCatalog(*ctx, dir.File("cat.txt"), lines);
  EXPECT_EQ(result.GridNames, (std::vector<std::string>{"cat01", "cat02"}));
  EXPECT_EQ(result.Stopped, "line 3: stopped by the player");
  EXPECT_EQ(host.bar, (std::vector<int>{-5, 1, 2, 0}));
  EXPECT_FALSE(std::filesystem::exists(dir.File("cat03.txt")));
}
