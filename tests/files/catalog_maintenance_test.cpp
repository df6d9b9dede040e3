#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/catalog_maintenance.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

// A catalogue of three names: two with text grids (the first commented and levelled), one
// with none.
GridCatalog MakeCatalogue(const TempDir &dir) {
  std::filesystem::create_directories(dir.Path() / "TextGrid");
  WriteBytes((dir.Path() / "TextGrid" / "One.txt").string(),
             "Quorbel Mode Texte\r\n4\r\n=First one\r\n!Premi\xE8re\r\nN3\r\n");
  WriteBytes((dir.Path() / "TextGrid" / "Two.txt").string(), "Quorbel Mode Texte\r\n4\r\n");
  return ParseCatalog(">Sudoku\nOne\nTwo\n>Kids\nGone\n");
}

std::string Read(const TempDir &dir, const std::string &name) {
  return ReadBytes((dir.Path() / name).string());
}

} // namespace

TEST(CatalogMaintenance, TheLevelPassWritesWhatTheCatalogueReadsBack) {
  TempDir dir;
  GridCatalog catalog = MakeCatalogue(dir);
  int steps = 0;
  ASSERT_TRUE(WriteCatalogLevels(dir.Path().string(), catalog, [&](int done) { steps = done; }).Ok());
  EXPECT_EQ(steps, 3);
  EXPECT_EQ(Read(dir, "GridListDiff.txt"), "Difficulty\n3\n0\n0\nEnd\n");
  GridCatalog again = ParseCatalog(">Sudoku\nOne\nTwo\n>Kids\nGone\n");
  ApplyCatalogDifficulties(again, Read(dir, "GridListDiff.txt"));
  EXPECT_EQ(again.Types[0].Grids[0].Difficulty, 3);
  ASSERT_TRUE(WriteCatalogNames(dir.Path().string(), catalog).Ok());
  EXPECT_EQ(Read(dir, "GridListName.txt"), "One\nTwo\nGone\n");
}

TEST(CatalogMaintenance, AnEditedCommentListGoesBackIntoTheTextGridsOfItsLanguageOnly) {
  TempDir dir;
  const GridCatalog catalog = MakeCatalogue(dir);
  const std::string start = dir.Path().string();
  ASSERT_TRUE(WriteCatalogComments(start, catalog, Language::French, {}).Ok());
  EXPECT_EQ(Read(dir, "GridListComFr.txt"), "Commentaire Fran\xE7"
                                            "ais\nOne=Premi\xE8re\nTwo=\nGone=\n");

  // The plain list of names kept there by the catalogue window is left alone.
  WriteBytes((dir.Path() / "GridListCom.txt").string(), "One\nTwo\n");
  EXPECT_FALSE(WriteBackCatalogComments(start, catalog, Language::French, {}).Applies);

  WriteBytes((dir.Path() / "GridListCom.txt").string(), "0\nTwo=Deuxi\xE8me\nGone=Perdue\nStranger=Non\n");
  EXPECT_FALSE(WriteBackCatalogComments(start, catalog, Language::English, {}).Applies);
  const CommentWriteBack back = WriteBackCatalogComments(start, catalog, Language::French, {});
  EXPECT_TRUE(back.Applies);
  EXPECT_EQ(back.Written, 1);
  EXPECT_NE(Read(dir, "TextGrid/Two.txt").find("!Deuxi\xE8me\r\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "TextGrid" / "Stranger.txt"));
}
