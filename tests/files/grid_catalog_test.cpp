#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "files/grid_catalog.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

constexpr std::string_view kTwoTypes = ";a comment\r\n"
                                       ">Irregular\r\n"
                                       "=Blocs irr\xE9guliers\r\n"
                                       "!Irregular blocks\r\n"
                                       "Irr001 - running\r\n"
                                       "Irr002 - fait\r\n"
                                       "Irr003\r\n"
                                       ">Kids\n"
                                       "Kid001 - en cours\n";

void MakeGridFile(const TempDir &dir, const std::string &relative) {
  std::filesystem::create_directories((dir.Path() / relative).parent_path());
  WriteBytes((dir.Path() / relative).string(), "x");
}

} // namespace

TEST(GridCatalog, SuffixesAreReadInEitherLanguageAndWrittenInTheInterfaceOne) {
  const GridCatalog catalog = ParseCatalog(kTwoTypes);
  ASSERT_EQ(catalog.Types.size(), 2u);
  const CatalogType &irregular = catalog.Types[0];
  EXPECT_EQ(irregular.CommentFrench, "Blocs irr\xC3\xA9guliers");
  EXPECT_EQ(irregular.CommentEnglish, "Irregular blocks");
  ASSERT_EQ(irregular.Grids.size(), 3u);
  EXPECT_EQ(irregular.Grids[0].File, "Irr001");
  EXPECT_EQ(irregular.Grids[0].Status, kCatalogRunning);
  EXPECT_EQ(irregular.Grids[1].Status, kCatalogDone);
  EXPECT_EQ(irregular.Grids[2].Status, kCatalogNotStarted);
  EXPECT_EQ(catalog.Types[1].Grids[0].Status, kCatalogRunning);

  const std::string french = CatalogText(catalog, Language::French);
  EXPECT_NE(french.find("\nIrr001 - en cours\n"), std::string::npos);
  EXPECT_NE(french.find("\nIrr002 - fait\n"), std::string::npos);
  EXPECT_NE(french.find("\nIrr003\n"), std::string::npos);
  EXPECT_NE(CatalogText(catalog, Language::English).find("\nKid001 - running\n"), std::string::npos);
  EXPECT_TRUE(french.starts_with(";Firt put the name of the type of grid starting with a >\n"));
}

TEST(GridCatalog, FileLinesBeforeAnyTypeLandInSudoku) {
  const GridCatalog catalog = ParseCatalog("Easy01\n>Other\nHard01\n");
  ASSERT_EQ(catalog.Types.size(), 2u);
  EXPECT_EQ(catalog.Types[0].Name, "Sudoku");
  EXPECT_EQ(catalog.Types[0].Grids[0].File, "Easy01");
  EXPECT_EQ(catalog.IndexOf("Other"), 1);
  EXPECT_EQ(catalog.IndexOf("Missing"), -1);
}

TEST(GridCatalog, ManyTypesAndLongLinesSurviveASaveWhole) {
  GridCatalog catalog;
  for (int t = 0; t < 100; ++t)
    AddCatalogGrid(catalog, "Type" + std::to_string(t), "Grid" + std::to_string(t));
  const std::string longName(300, 'g');
  AddCatalogGrid(catalog, "Type99", longName);
  catalog.Types[3].Grids[0].Status = kCatalogDone;

  const std::string text = CatalogText(catalog, Language::English);
  const GridCatalog again = ParseCatalog(text);
  ASSERT_EQ(again.Types.size(), 100u);
  EXPECT_EQ(again.Types[99].Grids.back().File, longName);
  EXPECT_EQ(again.Types[3].Grids[0].Status, kCatalogDone);
  EXPECT_EQ(CatalogText(again, Language::English), text);
}

// Beyond the last slot, a type read or added folds into it: its grids join the slot, which keeps
// its own name and comments, so no catalogue grows a type past what its reader takes.
TEST(GridCatalog, TypesBeyondTheLastSlotFoldIntoIt) {
  std::string text;
  for (int t = 0; t < 103; ++t)
    text += ">Type" + std::to_string(t) + "\n=Fr" + std::to_string(t) + "\nG" + std::to_string(t) + "\n";
  GridCatalog catalog = ParseCatalog(text);
  ASSERT_EQ(catalog.Types.size(), kMostCatalogTypes);
  const CatalogType &last = catalog.Types.back();
  EXPECT_EQ(last.Name, "Type99");
  EXPECT_EQ(last.CommentFrench, "Fr99");
  EXPECT_EQ(last.Grids.size(), 4u);
  EXPECT_EQ(last.Grids.back().File, "G102");

  EXPECT_TRUE(AddCatalogGrid(catalog, "Newer", "N1"));
  EXPECT_EQ(catalog.Types.size(), kMostCatalogTypes);
  EXPECT_EQ(catalog.Types.back().Grids.back().File, "N1");
  EXPECT_FALSE(AddCatalogGrid(catalog, "Newest", "N1"));
  EXPECT_EQ(ParseCatalog(CatalogText(catalog, Language::English)).Types.size(), kMostCatalogTypes);
}

TEST(GridCatalog, ASaveOfWhatWasReadIsAFixedPointWhateverCRsEndItsLines) {
  const GridCatalog read = ParseCatalog(">Type\r\r\r\n=Comment\r\r\nGrid.sud\r\r\n");
  const std::string saved = CatalogText(read, Language::English);
  EXPECT_EQ(CatalogText(ParseCatalog(saved), Language::English), saved);
  ASSERT_EQ(read.Types.size(), 1u);
  EXPECT_EQ(read.Types[0].Name, "Type");
  EXPECT_EQ(read.Types[0].Grids.at(0).File, "Grid.sud");
}

TEST(GridCatalog, AddingAFileTwiceKeepsOneEntry) {
  GridCatalog catalog;
  EXPECT_TRUE(AddCatalogGrid(catalog, "Sudoku", "A"));
  EXPECT_FALSE(AddCatalogGrid(catalog, "Sudoku", "A"));
  EXPECT_TRUE(AddCatalogGrid(catalog, "Other", "A"));
  EXPECT_EQ(catalog.GridCount(), 2);
}

TEST(GridCatalog, KeywordsNarrowTheGridsInAnyCase) {
  const GridCatalog catalog = ParseCatalog(kTwoTypes);
  const CatalogType &irregular = catalog.Types[0];
  EXPECT_EQ(CatalogGridsMatching(irregular, "  "), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(CatalogGridsMatching(irregular, "irr003"), std::vector<int>{2});
  EXPECT_EQ(CatalogGridsMatching(irregular, "BLOCKS 002"), std::vector<int>{1});
  EXPECT_TRUE(CatalogGridsMatching(irregular, "blocks kids").empty());
}

TEST(GridCatalog, AMergeAddsNewEntriesWithTheirTypesCommentsAndNamesTheOthers) {
  GridCatalog catalog = ParseCatalog(kTwoTypes);
  const std::vector<std::string> left = MergeCatalogText(
      catalog, "Lone\n>Kids\n=ignored\nKid001\nKid002\n>New\n=Neuves\n!New ones\nN1\n>Newer\nN2\n");
  EXPECT_EQ(left, std::vector<std::string>{"Kids/Kid001"});
  EXPECT_EQ(catalog.Types[1].Grids.size(), 2u);
  EXPECT_EQ(catalog.Types[1].CommentFrench, ""); // an existing type keeps its comments
  const CatalogType &added = catalog.Types[catalog.IndexOf("New")];
  EXPECT_EQ(added.CommentFrench, "Neuves");
  EXPECT_EQ(added.CommentEnglish, "New ones");
  EXPECT_EQ(catalog.Types[catalog.IndexOf("Newer")].CommentEnglish, ""); // ">" cleared them
  EXPECT_EQ(catalog.Types[catalog.IndexOf("Sudoku")].Grids[0].File, "Lone");

  ClearCatalogStatus(catalog);
  for (const CatalogType &type : catalog.Types)
    for (const CatalogGrid &grid : type.Grids)
      EXPECT_EQ(grid.Status, kCatalogNotStarted);
}

TEST(GridCatalog, DifficultiesFollowCatalogOrderAndSkipHeadings) {
  GridCatalog catalog = ParseCatalog(kTwoTypes);
  ApplyCatalogDifficulties(catalog, "Difficulty\n3\n 5\n7\n2\nEnd\n");
  EXPECT_EQ(catalog.Types[0].Grids[0].Difficulty, 3);
  EXPECT_EQ(catalog.Types[0].Grids[1].Difficulty, 5);
  EXPECT_EQ(catalog.Types[1].Grids[0].Difficulty, 2);
  EXPECT_EQ(CatalogFileListText(catalog), "Irr001\nIrr002\nIrr003\nKid001\n");
}

TEST(GridCatalogFiles, AGridFilePathPrefersTheSudFile) {
  TempDir dir;
  const std::string start = dir.Path().string();
  MakeGridFile(dir, "SudGrid/A.sud");
  MakeGridFile(dir, "TextGrid/A.txt");
  MakeGridFile(dir, "TextGrid/B.txt");
  EXPECT_EQ(MakeGridFilePath(start, "A", 0), dir.File("SudGrid/A.sud"));
  EXPECT_EQ(MakeGridFilePath(start, "A", 1), dir.File("TextGrid/A.txt"));
  EXPECT_EQ(MakeGridFilePath(start, "B", 0), dir.File("TextGrid/B.txt"));
  EXPECT_EQ(MakeGridFilePath(start, "C", 0), "");
}

TEST(GridCatalogFiles, AMissingCatalogHasNoTypesAndTakesNoStatus) {
  TempDir dir;
  EXPECT_EQ(CountCatalogTypes(dir.Path().string()), -1);
  EXPECT_FALSE(SetCatalogGridStatus(dir.Path().string(), kCatalogRunning, "", 0, 0, Language::English));
  EXPECT_FALSE(std::filesystem::exists(dir.File("GridList.dat")));
}

TEST(GridCatalogFiles, TheCurrentGridTakesAStatusUnlessItIsDone) {
  TempDir dir;
  const std::string start = dir.Path().string();
  const std::string listed = std::string(kTwoTypes);
  WriteBytes(dir.File("GridList.dat"), listed);
  MakeGridFile(dir, "TextGrid/Irr003.txt");
  MakeGridFile(dir, "TextGrid/Other.txt");

  // Bad indexes: refused, nothing written.
  EXPECT_FALSE(SetCatalogGridStatus(start, kCatalogRunning, "", 0, 3, Language::French));
  EXPECT_FALSE(SetCatalogGridStatus(start, kCatalogRunning, "", 2, 0, Language::French));
  EXPECT_FALSE(SetCatalogGridStatus(start, kCatalogRunning, "", -1, 0, Language::French));
  EXPECT_EQ(ReadBytes(dir.File("GridList.dat")), listed);

  // A done grid stays done; saving another file leaves the current grid alone.
  EXPECT_TRUE(SetCatalogGridStatus(start, kCatalogRunning, "", 0, 1, Language::French));
  EXPECT_TRUE(
      SetCatalogGridStatus(start, kCatalogRunning, dir.File("TextGrid/Other.txt"), 0, 2, Language::French));
  EXPECT_EQ(ReadBytes(dir.File("GridList.dat")), listed);

  EXPECT_TRUE(
      SetCatalogGridStatus(start, kCatalogRunning, dir.File("TextGrid/Irr003.txt"), 0, 2, Language::French));
  const GridCatalog after = LoadCatalog(start).value();
  EXPECT_EQ(after.Types[0].Grids[2].Status, kCatalogRunning);
  EXPECT_EQ(after.Types[0].Grids[1].Status, kCatalogDone);
  EXPECT_NE(ReadBytes(dir.File("GridList.dat")).find("Irr003 - en cours\n"), std::string::npos);
}

TEST(GridCatalogFiles, OnlyTheCatalogueGridItselfTakesTheMarkOfItsGame) {
  TempDir dir;
  const std::string start = dir.Path().string();
  const std::string listed = std::string(kTwoTypes);
  WriteBytes(dir.File("GridList.dat"), listed);
  MakeGridFile(dir, "TextGrid/Irr003.txt");

  // A generated grid (no path, its own name or none) leaves the catalogue alone.
  EXPECT_TRUE(SetCatalogGridStatusOf(start, kCatalogDone, "", "Generated 4x4", 0, 2, Language::English));
  EXPECT_TRUE(SetCatalogGridStatusOf(start, kCatalogDone, "", "", 0, 2, Language::English));
  EXPECT_EQ(ReadBytes(dir.File("GridList.dat")), listed);
  // The text grid opened from the catalogue has no path: its title names it.
  EXPECT_TRUE(SetCatalogGridStatusOf(start, kCatalogDone, "", "Irr003", 0, 2, Language::English));
  EXPECT_EQ(LoadCatalog(start).value().Types[0].Grids[2].Status, kCatalogDone);
}

TEST(GridCatalogFiles, MergingAndCleaningRewriteTheCatalogue) {
  TempDir dir;
  const std::string start = dir.Path().string();
  WriteBytes(dir.File("GridList.dat"), std::string(kTwoTypes));
  WriteBytes(dir.File("more.dat"), ">Kids\nKid002\n");
  const CatalogMerge merge = MergeCatalogFile(start, dir.File("more.dat"), Language::English);
  EXPECT_TRUE(merge.Read && merge.Saved.Ok() && merge.Left.empty());
  EXPECT_FALSE(MergeCatalogFile(start, dir.File("missing.dat"), Language::English).Read);
  ASSERT_TRUE(CleanCatalogStatus(start, Language::English).Ok());
  const std::string text = ReadBytes(dir.File("GridList.dat"));
  EXPECT_NE(text.find("\nKid001\nKid002\n"), std::string::npos);
  EXPECT_EQ(text.find(" - "), std::string::npos);
  EXPECT_FALSE(CleanCatalogStatus(dir.File("nowhere"), Language::English).Ok());
}

// A catalogue that would outgrow its reader is never written, and one that cannot be written
// says so to the caller that marks a grid; the old file stays either way.
TEST(GridCatalogFiles, ARewriteTheReaderWouldRefuseOrThatFailsLeavesTheOldFileAndSaysSo) {
  TempDir dir;
  const std::string start = dir.Path().string();
  WriteBytes(dir.File("GridList.dat"), std::string(kTwoTypes));
  GridCatalog huge;
  AddCatalogGrid(huge, "Big", std::string((64 << 20) + 1, 'g'));
  EXPECT_EQ(SaveCatalog(start, huge, Language::English).Failure, FileFailure::TooLargeToRead);
  EXPECT_TRUE(ReadBytes(dir.File("GridList.dat")) == kTwoTypes); // not printed: it may be huge

  // Files of this process may not grow past a few bytes: the rewrite fails as on a full disk.
  rlimit before{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit tight = before;
  tight.rlim_cur = 16;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  FileWriteResult saved;
  const bool named = SetCatalogGridStatus(start, kCatalogRunning, "", 0, 2, Language::English, &saved);
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previousSignal);
  EXPECT_TRUE(named);
  EXPECT_EQ(saved.Failure, FileFailure::CannotWrite);
  EXPECT_EQ(ReadBytes(dir.File("GridList.dat")), kTwoTypes);
}

TEST(GridCatalogFiles, AnEntryAddedToNoCatalogStartsOne) {
  TempDir dir;
  const std::string start = dir.Path().string();
  ASSERT_TRUE(AddCatalogEntry(start, "Kids", "Kid001", Language::English).Ok());
  ASSERT_TRUE(AddCatalogEntry(start, "Kids", "Kid001", Language::English).Ok());
  const GridCatalog catalog = LoadCatalog(start).value();
  ASSERT_EQ(catalog.Types.size(), 1u);
  EXPECT_EQ(catalog.Types[0].Grids.size(), 1u);
  ASSERT_TRUE(SaveCatalogFileList(start, catalog).Ok());
  EXPECT_EQ(ReadBytes(dir.File("GridListCom.txt")), "Kid001\n");
}
