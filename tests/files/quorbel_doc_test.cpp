#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "files/one_line_catalog.h"
#include "files/quorbel_doc.h"
#include "files/sud_file_writer.h"
#include "platform/memory_profile_store.h"
#include "tests/files/grid_file_test_support.h"
#include "tests/support/fifo_watch.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;
using quorbel::testing::ReadBytes;
using quorbel::testing::TempDir;
using quorbel::testing::WriteBytes;

namespace {

// The application's side, answering as each test tells it to and noting what it was asked.
class FakeHost : public DocumentHost {
public:
  SaveAnswer AskSaveChanges(std::string_view title) override {
    asked.push_back("save changes to " + std::string(title));
    return answer;
  }
  std::optional<std::string> AskSaveFileName(std::string_view suggested,
                                             std::string_view directory) override {
    asked.push_back("file name for " + std::string(suggested) + " in " + std::string(directory));
    return chosenName;
  }
  bool ConfirmReplace(std::string_view path) override {
    asked.push_back("replace " + std::string(path));
    return replace;
  }
  bool ConfirmManyFiles(size_t count, std::string_view folder) override {
    asked.push_back("write " + std::to_string(count) + " files into " + std::string(folder));
    return replace;
  }
  void ReportFileError(std::string_view message, std::string_view logLine) override {
    errors.emplace_back(message);
    logLines.emplace_back(logLine);
  }
  void ReportWarnings(std::string_view, const std::vector<std::string> &list) override {
    warnings.insert(warnings.end(), list.begin(), list.end());
  }
  SaveQuestionRules QuestionRules() const override { return rules; }
  std::string GridDirectory() const override { return gridDirectory; }
  void GatherGameState(SudGameState &game, SudUndoHistory &undo) override {
    game = this->game;
    undo = this->undo;
  }
  void GameStateLoaded(const SudGameState &loaded, const SudUndoHistory &history, int version) override {
    game = loaded;
    undo = history;
    loadedVersion = version;
  }
  void TextGridLoaded(const TextGridInfo &info, bool imported) override {
    textInfo = info;
    textImported = imported;
  }
  void DocumentSaved(std::string_view path) override { saved.emplace_back(path); }

  SaveAnswer answer = SaveAnswer::Cancel;
  std::optional<std::string> chosenName;
  bool replace = false;
  SaveQuestionRules rules;
  std::string gridDirectory;
  SudGameState game;
  SudUndoHistory undo;
  int loadedVersion = 0;
  TextGridInfo textInfo;
  bool textImported = false;
  std::vector<std::string> asked, errors, logLines, warnings, saved;
};

struct App {
  explicit App(const std::string &gridDirectory) {
    SetGridShape(*Ctx, kDefaultShape, 1, 0);
    Host.gridDirectory = gridDirectory;
  }
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  FakeHost Host;
  MemoryProfileStore Profile;
  CQuorbelDoc Doc{*Ctx, Host, Profile};
};

std::string Snapshot(const App &app) { return WriteSudFile(*app.Ctx, SudFileContent{}); }

std::string LastFile(MemoryProfileStore &profile) { return profile.GetString("GENERAL", "LASTFILE", ""); }

} // namespace

class Document : public ::testing::Test {
protected:
  std::string File(const std::string &name) const { return dir_.File(name); }
  TempDir dir_;
  App app_{dir_.Path().string()};
};

TEST_F(Document, MarkDocumentModifiedFollowsItsName) {
  CQuorbelDoc &doc = app_.Doc;
  EXPECT_EQ(doc.Title(), "SudDoc");
  doc.MarkDocumentModified("");
  EXPECT_TRUE(doc.IsModified());
  doc.MarkDocumentModified("Grille 12.txt");
  EXPECT_EQ(doc.Title(), "Grille 12");
  EXPECT_TRUE(doc.PathName().empty());
  doc.MarkDocumentModified("NULL");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Title(), "SudDoc");
}

TEST_F(Document, AsksBeforeDroppingChangesOnlyWhenTheRulesAllow) {
  CQuorbelDoc &doc = app_.Doc;
  EXPECT_TRUE(doc.SaveModified()) << "nothing to lose";
  doc.SetModifiedFlag(true);
  for (SaveQuestionRules rules :
       {SaveQuestionRules{true, true, false}, SaveQuestionRules{false, false, false},
        SaveQuestionRules{false, true, true}}) {
    app_.Host.rules = rules;
    EXPECT_TRUE(doc.SaveModified());
  }
  EXPECT_TRUE(app_.Host.asked.empty());
  app_.Host.rules = {};
  app_.Host.answer = DocumentHost::SaveAnswer::Cancel;
  EXPECT_FALSE(doc.SaveModified());
  app_.Host.answer = DocumentHost::SaveAnswer::Discard;
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_EQ(app_.Host.asked, (std::vector<std::string>{"save changes to SudDoc", "save changes to SudDoc"}));
}

TEST_F(Document, SavingWritesTheFileAndRemembersIt) {
  const std::string path = File("game.sud");
  ASSERT_TRUE(app_.Doc.SaveDocumentAs(path, false));
  EXPECT_EQ(app_.Doc.PathName(), path);
  EXPECT_EQ(app_.Doc.Title(), "game.sud");
  EXPECT_FALSE(app_.Doc.IsModified());
  EXPECT_TRUE(app_.Host.asked.empty());
  EXPECT_EQ(app_.Host.saved, std::vector<std::string>{path});
  EXPECT_EQ(LastFile(app_.Profile), path);
  EXPECT_EQ(app_.Doc.RecentFiles().Paths().front(), path);
  EXPECT_TRUE(ReadBytes(path).starts_with("\x14Quorbel Mode Sudo v5"));
}

TEST_F(Document, PlayedGridsClockScoreAndUndoComeBackInAFreshProgram) {
  Draw draw(31);
  FillGridSet(draw, *app_.Ctx, 5, 1, 1);
  const SudFileContent played = RandomContent(draw, *app_.Ctx, 4);
  app_.Host.game = played.Game;
  app_.Host.undo = played.Undo;
  app_.Doc.SetModifiedFlag(true);
  ASSERT_TRUE(app_.Doc.SaveDocumentAs(File("played.sud"), false));

  App fresh(dir_.Path().string());
  ASSERT_TRUE(fresh.Doc.OpenDocumentFile(File("played.sud")));
  EXPECT_EQ(fresh.Host.loadedVersion, 5);
  ExpectSameGridSet(*app_.Ctx, *fresh.Ctx);
  EXPECT_EQ(fresh.Host.game.ClockElapsedMs, played.Game.ClockElapsedMs);
  EXPECT_EQ(fresh.Host.game.GameScore, played.Game.GameScore);
  EXPECT_EQ(fresh.Host.game.UsageTimers, played.Game.UsageTimers);
  EXPECT_EQ(fresh.Host.undo.Steps.size(), 4u);
  EXPECT_EQ(fresh.Host.undo.PtUndo, played.Undo.PtUndo);
  EXPECT_EQ(fresh.Doc.Title(), "played.sud");
  EXPECT_FALSE(fresh.Doc.IsModified());
}

TEST_F(Document, SaveAsAddsTheExtensionAndAsksBeforeReplacingWhatThatNames) {
  app_.Host.chosenName = File("mine");
  ASSERT_TRUE(app_.Doc.OnFileSaveAs());
  EXPECT_TRUE(std::filesystem::exists(File("mine.sud")));
  EXPECT_EQ(app_.Host.asked.size(), 1u) << "no file was there to replace";

  app_.Host.asked.clear();
  app_.Host.replace = false;
  EXPECT_FALSE(app_.Doc.OnFileSaveAs());
  EXPECT_EQ(app_.Host.asked.back(), "replace " + File("mine.sud"));

  app_.Host.chosenName = File("upper.SUD");
  ASSERT_TRUE(app_.Doc.OnFileSaveAs());
  EXPECT_TRUE(std::filesystem::exists(File("upper.SUD.sud"))) << "the test is on the lower-case ending";
}

TEST_F(Document, AnUntitledSaveAsksForANameFromTheTitle) {
  app_.Doc.MarkDocumentModified("Kids: grid 3.txt");
  EXPECT_FALSE(app_.Doc.OnFileSave()) << "cancelled";
  EXPECT_EQ(app_.Host.asked, std::vector<std::string>{"file name for Kids.sud in " + dir_.Path().string()});
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
}

TEST_F(Document, AReadOnlyFileIsNotOverwrittenWithoutANewName) {
  const std::string path = File("locked.sud");
  WriteBytes(path, "old");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  if (::access(path.c_str(), W_OK) == 0)
    GTEST_SKIP() << "running with rights that ignore file permissions";
  EXPECT_FALSE(app_.Doc.SaveDocumentAs(path, false));
  EXPECT_EQ(app_.Host.asked.size(), 1u);
  EXPECT_EQ(ReadBytes(path), "old");
}

TEST_F(Document, AFailedSaveKeepsWhatWasThereAndLeavesNothingBehind) {
  // A directory in the way: it is no file to replace, and nothing is written beside it.
  const std::string path = File("taken.sud");
  std::filesystem::create_directory(path);
  WriteBytes(path + "/inside", "kept");
  EXPECT_FALSE(app_.Doc.SaveDocumentAs(path, false));
  EXPECT_EQ(ReadBytes(path + "/inside"), "kept");
  ASSERT_EQ(app_.Host.errors.size(), 1u);
  EXPECT_EQ(app_.Host.errors[0], path + " is not a file.\nnot a regular file");
  EXPECT_TRUE(app_.Host.logLines[0].starts_with("Report Save-Load Exception: Error=not a regular file"))
      << app_.Host.logLines[0];
  EXPECT_NE(app_.Host.logLines[0].find(" bSave=1 IPdef=2 File=" + path + " "), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1)
      << "no temporary file is left";
  EXPECT_TRUE(LastFile(app_.Profile).empty()) << "a file that was not saved is not the last file";
  EXPECT_EQ(app_.Doc.Title(), "SudDoc");

  app_.Ctx->Settings.Language = kLanguageFrench;
  EXPECT_FALSE(app_.Doc.SaveDocumentAs(File("nowhere/grid.sud"), false));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("Le fichier " + File("nowhere/grid.sud") +
                                                  " ne peut pas être créé"))
      << app_.Host.errors.back();
}

TEST_F(Document, ABrokenFileIsRefusedNamingItAndChangesNothing) {
  ASSERT_TRUE(app_.Doc.SaveDocumentAs(File("good.sud"), false));
  Draw draw(3);
  FillGridSet(draw, *app_.Ctx, 8, 1, 1);
  const std::string before = Snapshot(app_);
  std::string broken = ReadBytes(File("good.sud"));
  broken.resize(broken.size() / 2);
  WriteBytes(File("broken.sud"), broken);

  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("broken.sud")));
  ASSERT_EQ(app_.Host.errors.size(), 1u);
  // The sentence for the player, then where the reader stopped.
  const std::string &error = app_.Host.errors[0];
  EXPECT_TRUE(error.starts_with("The file " + File("broken.sud") + " is damaged or incomplete")) << error;
  EXPECT_NE(error.find("\n"), std::string::npos);
  EXPECT_NE(error.find(" at byte "), std::string::npos) << error;
  EXPECT_NE(app_.Host.logLines[0].find(" at byte "), std::string::npos);
  EXPECT_EQ(Snapshot(app_), before);
  EXPECT_EQ(app_.Doc.PathName(), File("good.sud"));

  app_.Ctx->Settings.Language = kLanguageFrench;
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("missing.sud")));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("Le fichier " + File("missing.sud") +
                                                  " ne peut pas être ouvert.\nopen: "))
      << app_.Host.errors.back();
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(dir_.Path().string()));
  EXPECT_EQ(app_.Host.errors.back(),
            dir_.Path().string() + " n'est pas un fichier.\npas un fichier ordinaire");
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("broken.sud")));
  EXPECT_NE(app_.Host.errors.back().find(" à l'octet "), std::string::npos) << app_.Host.errors.back();
  WriteBytes(File("other.sud"), "PK\x03\x04 not ours");
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("other.sud")));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("Le fichier " + File("other.sud") +
                                                  " n'est pas une grille de Quorbel."));
  EXPECT_EQ(Snapshot(app_), before);
}

TEST_F(Document, AFifoIsRefusedWithoutWaitingForAWriter) {
  const std::string fifo = File("pipe.sud");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const quorbel::testing::FifoWatch watch({fifo});
  const std::string before = Snapshot(app_);
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(fifo));
  EXPECT_EQ(app_.Host.errors.back(), fifo + " is not a file.\nnot a regular file");
  EXPECT_EQ(Snapshot(app_), before);
  EXPECT_FALSE(watch.FreedAReader());
}

TEST_F(Document, ATextGridTooLargeForItsFormatIsRefusedUnread) {
  // Sparse: a few bytes on disk, but reading it whole would fill the memory it claims.
  constexpr uintmax_t kClaimed = uintmax_t{512} << 20;
  WriteBytes(File("huge.txt"), "Quorbel Mode Texte\n9\n");
  std::filesystem::resize_file(File("huge.txt"), kClaimed);
  const std::string before = Snapshot(app_);
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const long peakBefore = usage.ru_maxrss;

  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("huge.txt")));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("The file " + File("huge.txt") + " is too large"));
  EXPECT_FALSE(app_.Doc.ImportTextGridFile(File("huge.txt")));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("The file " + File("huge.txt") + " is too large"));
  ::getrusage(RUSAGE_SELF, &usage);
  EXPECT_LT(usage.ru_maxrss - peakBefore, long{64} << 10); // kilobytes
  EXPECT_EQ(Snapshot(app_), before);
}

TEST_F(Document, SavingThroughASymbolicLinkWritesItsTarget) {
  std::filesystem::create_directory(File("real"));
  WriteBytes(File("real/grid.sud"), "old");
  std::filesystem::create_symlink(File("real/grid.sud"), File("link.sud"));
  ASSERT_TRUE(app_.Doc.SaveDocumentAs(File("link.sud"), false));
  EXPECT_TRUE(std::filesystem::is_symlink(File("link.sud")));
  ASSERT_TRUE(app_.Doc.SaveDocumentAs(File("plain.sud"), false));
  // The two saves differ only in the save time they hold.
  EXPECT_EQ(ReadBytes(File("real/grid.sud")).size(), ReadBytes(File("plain.sud")).size());
}

TEST_F(Document, OpensATextGridWithEitherLineEndAndSavesItAmongTheGrids) {
  std::string text = "Quorbel Mode Texte\n4\n";
  for (int i = 0; i < 16; ++i)
    text += std::to_string(i % 4 + 1) + "\n";
  text += "=Four\n";
  WriteBytes(File("four.txt"), text);
  ASSERT_TRUE(app_.Doc.OpenDocumentFile(File("four.txt")));
  EXPECT_EQ(app_.Ctx->Geo.GridWidth, 4);
  EXPECT_EQ(app_.Host.textInfo.CommentEnglish, "Four");
  EXPECT_FALSE(app_.Host.textImported);

  std::filesystem::create_directory(File("SudGrid"));
  app_.Host.gridDirectory = File("SudGrid");
  ASSERT_TRUE(app_.Doc.OnFileSave());
  EXPECT_EQ(app_.Doc.PathName(), File("SudGrid") + "/four.sud");
  EXPECT_TRUE(app_.Host.asked.empty());
}

TEST_F(Document, ImportsACatalogueAskingOnceBeforeReplacing) {
  const std::string grid = "1234341221434321";
  WriteBytes(File("cat.txt"), "Quorbel Mode MiniS\r\n" + grid + "\r\n" + grid + "\r\n");
  WriteBytes(File("List.dat"), "mine");
  app_.Host.replace = false;
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("cat.txt")));
  EXPECT_EQ(app_.Host.asked, std::vector<std::string>{"replace " + File("List.dat")});
  EXPECT_EQ(ReadBytes(File("List.dat")), "mine");
  app_.Host.replace = true;
  ASSERT_TRUE(app_.Doc.OpenDocumentFile(File("cat.txt")));
  EXPECT_EQ(ReadBytes(File("List.dat")), "cat01.txt\ncat02.txt\n");
  EXPECT_EQ(app_.Ctx->Geo.GridWidth, 4);
  EXPECT_TRUE(app_.Doc.PathName().empty()); // a save must not write over the catalogue

  WriteBytes(File("bad.txt"), "Quorbel Mode MiniS\r\n123\r\n");
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("bad.txt")));
  EXPECT_TRUE(app_.Host.errors.back().starts_with("The catalogue " + File("bad.txt") + " holds no grid"));
}

TEST_F(Document, ACatalogueOfManyLinesAsksBeforeWritingItsFiles) {
  std::string text = "Quorbel Mode MiniS\r\n";
  for (size_t k = 0; k < kManyImportFiles; ++k)
    text += "1234341221434321\r\n";
  WriteBytes(File("many.txt"), text);
  app_.Host.replace = false;
  EXPECT_FALSE(app_.Doc.OpenDocumentFile(File("many.txt")));
  EXPECT_EQ(app_.Host.asked, std::vector<std::string>{"write " + std::to_string(kManyImportFiles + 3) +
                                                      " files into " + dir_.Path().string() + "/"});
  EXPECT_FALSE(std::filesystem::exists(File("List.dat")));
  EXPECT_FALSE(std::filesystem::exists(File("many01.txt")));
}

TEST_F(Document, ImportsATextGridAsAFurtherGrid) {
  std::string text = "Quorbel Mode Texte\r\n9\r\n";
  for (int i = 0; i < 81; ++i)
    text += "0\r\n";
  WriteBytes(File("more.txt"), text);
  ASSERT_TRUE(app_.Doc.ImportTextGridFile(File("more.txt")));
  EXPECT_EQ(app_.Ctx->Grids.MainCount, 2);
  EXPECT_TRUE(app_.Doc.IsModified());
  EXPECT_TRUE(app_.Host.textImported);
}

TEST_F(Document, SaveDoesNothingBeforeAGridExists) {
  EngineContext bare;
  FakeHost host;
  MemoryProfileStore profile;
  CQuorbelDoc doc(bare, host, profile);
  EXPECT_FALSE(doc.OnFileSave());
  EXPECT_FALSE(doc.OnFileSaveAs());
  EXPECT_TRUE(host.asked.empty());
}

TEST(RecentFiles, KeepsTheFourNewestWithoutRepeats) {
  RecentFileList list;
  for (const char *path : {"a", "b", "c", "d", "b", "e"})
    list.Add(path);
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"e", "b", "d", "c"}));
  MemoryProfileStore store;
  list.Save(store);
  RecentFileList again;
  again.Load(store);
  EXPECT_EQ(again.Paths(), list.Paths());
}
