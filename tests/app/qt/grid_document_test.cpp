// The document in the running program: the File menu's Open, Save, Save As and recent files,
// the questions before changes are dropped, the reports of files that cannot be opened, the
// undo history kept across a save, and the last file reopened at start-up.
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QtTest>

#include "engine/chess_rules.h"
#include "engine/neighbour_editors.h"
#include <memory>

#include "app/message_line.h"
#include "app/qt/file_commands.h"
#include "app/qt/undo_history.h"
#include "app/settings_schema.h"
#include "engine/cell_actions.h"
#include "engine/grid_shape.h"
#include "engine/undo_services.h"
#include "engine/undo_stack.h"
#include "engine/update_possibles.h"
#include "engine/value_mask.h"
#include "engine/variant_bits.h"
#include "files/sud_file_writer.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

// English menu identifiers.
constexpr CommandId kOpen = 32889;
constexpr CommandId kSave = 32890;
constexpr CommandId kSaveAs = 32924;
constexpr CommandId kFirstRecent = 57616;

constexpr int kWidth = 9;
constexpr uint32_t kAllValues = (1u << kWidth) - 1;

// A program started on the settings as they stand (nothing cleared), its dialogs answered by script.
struct Session {
  Session(const AppTestHome &home, const QStringList &arguments = {QStringLiteral("quorbel")}) {
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = false, .startDirectory = home.StartDirectory().toStdString()});
    started = app->InitInstance(arguments);
    startAsks = dialogs.Asked().size();
  }
  // What was asked after start-up (which shows the start screen when it opens no grid).
  QStringList Asked() const { return dialogs.Asked().mid(startAsks); }
  ~Session() {
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }

  EngineContext &Engine() const { return app->Engine(); }
  CQuorbelDoc &Document() const { return *app->GetCurrentDocument(); }
  GridRecord &Grid(int g = 0) const { return Engine().Grids.Main[g]; }
  CellRecord &Cell(int cell, int g = 0) const { return Grid(g).PlayingCells(Engine().Geo)[cell]; }
  bool Run(CommandId id) const { return app->Commands().Execute(id); }
  // One move as the board makes it: a step of undo, the value, the candidates.
  void Play(int cell, int value) const {
    SaveUndoState(Engine());
    SetCellValue(Engine(), Grid(), cell, value, kActionPlace);
    UpdatePossibles(Engine(), -1, -1, -1, 1);
  }
  std::vector<int> Values() const {
    std::vector<int> values;
    for (const CellRecord &cell : Grid().PlayingCells(Engine().Geo))
      values.push_back(cell.Value);
    return values;
  }
  QString Message(int back = 0) const {
    const MessageRing &ring = app->Messages();
    return QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex() - back)));
  }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
  qsizetype startAsks = 0;
};

// A 9 x 9 grid file made by the writer alone, with givens at the cells named.
void WriteGridFile(const QString &path, const std::vector<std::pair<int, int>> &givens) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridSize(*ctx, kWidth, 1);
  for (auto [cell, value] : givens)
    SetCellValue(*ctx, ctx->Grids.Main[0], cell, value, kActionPlaceFixed);
  const std::string bytes = WriteSudFile(*ctx, SudFileContent{});
  WriteAll(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// A text grid of `size` with every cell empty and the lines after the cells.
void WriteTextGrid(const QString &path, int size, const QByteArray &after = {}) {
  QByteArray text = "Quorbel Mode Texte\r\n" + QByteArray::number(size) + "\r\n";
  for (int i = 0; i < size * size; ++i)
    text += "0\r\n";
  WriteAll(path, text + after);
}

// The drag enters first: Qt delivers the drop to the widget that accepted it.
void Drop(QWidget &window, const QString &path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path)});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);
}

} // namespace

class GridDocumentTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  std::unique_ptr<QTemporaryDir> files_;

  QString File(const QString &name) const { return files_->filePath(name); }
  void SetLanguage(Language language) {
    home_.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(language));
  }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void init() {
    home_.Clear();
    SetLanguage(Language::English);
    files_ = std::make_unique<QTemporaryDir>();
  }

  void AGridFileOpensWithItsGridsAndFreshCandidates() {
    WriteGridFile(File("given.sud"), {{0, 5}, {40, 7}});
    Session s(home_);
    QVERIFY(!s.app->Commands().State(kSave).enabled); // no grid to save yet
    s.dialogs.AnswerFileName(File("given.sud"));
    QVERIFY(s.Run(kOpen));
    QCOMPARE(s.Asked(), QStringList({"open Open"}));
    QCOMPARE(s.Engine().Geo.GridWidth, kWidth);
    QCOMPARE(s.Cell(0).Value, 5);
    QCOMPARE(s.Cell(40).Value, 7);
    // The file holds no candidates: they were worked out after loading.
    QCOMPARE(s.Cell(1).ThePoss & ValueBit(5), 0u);
    QCOMPARE(s.Cell(39).ThePoss & ValueBit(7), 0u);
    QCOMPARE(s.Engine().TotalOpenCells, kWidth * kWidth - 2);
    QCOMPARE(s.app->MainFrame()->windowTitle(), QStringLiteral("given.sud - Quorbel"));
    QVERIFY(!s.Document().IsModified());
    QVERIFY(s.app->Commands().State(kSave).enabled);
  }

  void SavedGridsComeBackTheSameWithTheirCandidatesWorkedOutAgain() {
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      s.Play(0, 3);
      s.Play(80, 9);
      s.Cell(1).ThePoss = 0; // stale candidates: the save works them out first
      s.dialogs.AnswerFileName(File("played.sud"));
      QVERIFY(s.Run(kSave));
      QCOMPARE(s.Asked(), QStringList({"save Save As"})); // no name yet
      QCOMPARE(s.Cell(1).ThePoss, kAllValues & ~ValueBit(3));
      QVERIFY(!s.Document().IsModified());
      QCOMPARE(s.app->MainFrame()->windowTitle(), QStringLiteral("played.sud - Quorbel"));
    }
    Session again(home_);
    QVERIFY(again.Run(kFirstRecent));
    QCOMPARE(again.Document().PathName(), File("played.sud").toStdString());
    QCOMPARE(again.Cell(0).Value, 3);
    QCOMPARE(again.Cell(80).Value, 9);
    QCOMPARE(again.Cell(1).ThePoss, kAllValues & ~ValueBit(3));
    QCOMPARE(again.Engine().TotalOpenCells, kWidth * kWidth - 2);
  }

  void ChessFiguresThePointsAndTheTrioClassesComeBackFromTheFile() {
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      s.Play(10, 4);
      ToggleChessPiece(s.Engine().Geo, s.Grid(), kBishop, 10, 1);
      s.Grid().GridVar |= kVarChess | kVarNeighbourScore;
      s.Engine().Points[0] = 3;
      s.Engine().Points[1] = 7;
      s.Engine().Points[2] = 2000000000; // beyond what the dialog gives: the score would overflow
      s.Engine().ValueClasses[0] = 4;    // a Trio class of our own
      s.dialogs.AnswerFileName(File("figures.sud"));
      QVERIFY(s.Run(kSave));
    }
    Session again(home_);
    QVERIFY(again.Run(kFirstRecent));
    QCOMPARE(again.Grid().Lists.Chess.Size(), 1);
    QCOMPARE(int(again.Grid().Lists.Chess.Items[0].Kind), int(kBishop));
    QCOMPARE(again.Cell(10).ImageIndex, int16_t{kBishop + 6});
    QCOMPARE(again.Engine().Points[0], 3u);
    QCOMPARE(again.Engine().Points[1], 7u);
    QCOMPARE(again.Engine().Points[2], EngineContext::kMostPoints);
    QCOMPARE(again.Engine().ValueClasses[0], int8_t{4});
  }

  // Generation draws Trio classes only for Trio grids: a grid saved with none and read back keeps
  // the table it was saved with, so a second save writes what the first did.
  void AGridSavedWithoutTrioClassesComesBackWithTheSameTable() {
    std::array<int8_t, 16> saved{};
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      s.Play(0, 3);
      s.Engine().ValueClasses.fill(0);
      s.dialogs.AnswerFileName(File("generated.sud"));
      QVERIFY(s.Run(kSave));
      saved = s.Engine().ValueClasses;
    }
    Session again(home_);
    QVERIFY(again.Run(kFirstRecent));
    QVERIFY(again.Engine().ValueClasses == saved);
  }

  void UndoAndRedoBehaveTheSameAfterASaveAndAReopening() {
    std::vector<int> start, one, two, three;
    int32_t ptUndo = 0, maxPtUndo = 0;
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      UpdatePossibles(s.Engine(), -1, -1, -1, 1);
      start = s.Values();
      s.Play(0, 1);
      one = s.Values();
      s.Play(10, 2);
      two = s.Values();
      s.Play(20, 3);
      three = s.Values();
      UndoLastState(s.Engine()); // one step back, one to redo
      QCOMPARE(s.Values(), two);
      ptUndo = s.Engine().Undo.ptUndo;
      maxPtUndo = s.Engine().Undo.maxPtUndo;
      s.dialogs.AnswerFileName(File("undo.sud"));
      QVERIFY(s.Run(kSaveAs));
    }
    Session again(home_);
    again.dialogs.AnswerFileName(File("undo.sud"));
    QVERIFY(again.Run(kOpen));
    EngineContext &ctx = again.Engine();
    QCOMPARE(again.Values(), two);
    QCOMPARE(ctx.Undo.ptUndo, ptUndo);
    QCOMPARE(ctx.Undo.maxPtUndo, maxPtUndo);
    QVERIFY(CanRedo(ctx.Undo));
    ReDo(ctx);
    QCOMPARE(again.Values(), three);
    QVERIFY(!CanRedo(ctx.Undo));
    for (const std::vector<int> *expected : {&two, &one, &start}) {
      QVERIFY(CanUndo(ctx.Undo));
      UndoLastState(ctx);
      QCOMPARE(again.Values(), *expected);
    }
    QVERIFY(!CanUndo(ctx.Undo));
    // A move after the reopening takes its place on the stack like any other.
    again.Play(5, 6);
    QVERIFY(CanUndo(ctx.Undo));
    UndoLastState(ctx);
    QCOMPARE(again.Values(), start);
  }

  void AFullHistoryOpenedWithItsNewestStateUnsavedKeepsThatState() {
    auto ctx = std::make_unique<EngineContext>();
    SetGridSize(*ctx, kWidth, 1);
    GridRecord &grid = ctx->Grids.Main[0];
    // Step i holds value i % 9 + 1 in the first cell; the state as opened holds nothing there.
    SudUndoHistory history;
    for (int i = 0; i < kUndoRows; ++i) {
      SetCellValue(*ctx, grid, 0, i % kWidth + 1, kActionPlace);
      history.Steps.push_back({grid.Cells});
    }
    history.PtUndo = kUndoRows;
    SetCellValue(*ctx, grid, 0, 0, kActionClear);
    RestoreUndoHistory(*ctx, history);

    UndoLastState(*ctx);
    QCOMPARE(grid.Cells[0].Value, (kUndoRows - 1) % kWidth + 1);
    QVERIFY(CanRedo(ctx->Undo));
    ReDo(*ctx);
    QCOMPARE(grid.Cells[0].Value, 0);
  }

  void AGridUndoneToAStepOfAFileSavesAndReopensTheSame() {
    // A grid file whose undo steps hold odd/even marks and candidates its clue list does not give.
    {
      auto ctx = std::make_unique<EngineContext>();
      SetGridSize(*ctx, kWidth, 1);
      GridRecord &grid = ctx->Grids.Main[0];
      grid.GridVar = kVarOdd;
      grid.Lists.OddEven.Append({0, 1});
      BuildGridTables(*ctx, 0, 0, -1);
      SudUndoHistory history;
      for (int step = 0; step < 2; ++step) {
        std::vector<CellRecord> cells = grid.Cells;
        cells[0].OddEven = 0;
        cells[5].ThePoss = 0x3;
        cells[5].NPoss = 2;
        SetCellValue(*ctx, grid, 10 + step, step + 1, kActionPlace);
        history.Steps.push_back({cells});
      }
      history.PtUndo = 2;
      SudFileContent content;
      content.Undo = history;
      const std::string bytes = WriteSudFile(*ctx, content);
      WriteAll(File("steps.sud"), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    std::string undone;
    {
      Session s(home_);
      s.dialogs.AnswerFileName(File("steps.sud"));
      QVERIFY(s.Run(kOpen));
      UndoLastState(s.Engine());
      UpdatePossibles(s.Engine(), -1, -1, -1, 1);
      QCOMPARE(s.Cell(0).OddEven, int16_t{1});
      undone = WriteSudFile(s.Engine(), SudFileContent{});
      s.dialogs.AnswerFileName(File("undone.sud"));
      QVERIFY(s.Run(kSaveAs));
    }
    Session again(home_);
    again.dialogs.AnswerFileName(File("undone.sud"));
    QVERIFY(again.Run(kOpen));
    QVERIFY(WriteSudFile(again.Engine(), SudFileContent{}) == undone);
  }

  void SaveAsAsksForANameAndReplacesNothingUnasked() {
    WriteAll(File("mine.sud"), "old");
    Session s(home_);
    SetGridSize(s.Engine(), kWidth, 1);
    // The chosen name lacks the extension: the file it then names exists, so the player is asked.
    s.dialogs.AnswerFileName(File("mine"));
    QVERIFY(s.Run(kSaveAs));
    QCOMPARE(s.Asked().size(), 2);
    QCOMPARE(s.Asked()[0], QStringLiteral("save Save As"));
    QVERIFY(s.Asked()[1].contains(File("mine.sud") + " already exists."));
    QCOMPARE(ReadAll(File("mine.sud")), QByteArray("old"));
    QVERIFY(s.Document().PathName().empty());

    s.dialogs.AnswerFileName(File("mine"));
    s.dialogs.AnswerMessageBox(QMessageBox::Yes);
    QVERIFY(s.Run(kSaveAs));
    QVERIFY(ReadAll(File("mine.sud")).startsWith("\x14Quorbel Mode Sudo v5"));
    QCOMPARE(s.Document().PathName(), File("mine.sud").toStdString());

    // Cancelling the dialog saves nothing and says nothing.
    const qsizetype asked = s.Asked().size();
    QVERIFY(s.Run(kSaveAs));
    QCOMPARE(s.Asked().size(), asked + 1);
    QCOMPARE(s.Document().PathName(), File("mine.sud").toStdString());
  }

  void UnsavedChangesAreAskedAboutAndCancelKeepsEverything() {
    WriteGridFile(File("other.sud"), {{0, 9}});
    Session s(home_);
    SetGridSize(s.Engine(), kWidth, 1);
    s.Play(4, 4);
    QVERIFY(s.Document().IsModified());
    const QString title = s.app->MainFrame()->windowTitle();

    s.dialogs.AnswerFileName(File("other.sud"));
    QVERIFY(s.Run(kOpen)); // the save question takes Cancel
    QCOMPARE(s.Asked().last(), QStringLiteral("message Quorbel: Save changes to SudDoc?"));
    QCOMPARE(s.Cell(4).Value, 4);
    QCOMPARE(s.Cell(0).Value, 0);
    QVERIFY(s.Document().IsModified());
    QCOMPARE(s.app->MainFrame()->windowTitle(), title);

    // Closing asks the same; Cancel keeps the window.
    s.app->MainFrame()->show();
    QVERIFY(!s.app->MainFrame()->close());
    QVERIFY(s.app->MainFrame()->isVisible());
    QCOMPARE(s.Asked().last(), QStringLiteral("message Quorbel: Save changes to SudDoc?"));

    // No (drop the changes) opens the other grid.
    s.dialogs.AnswerFileName(File("other.sud"));
    s.dialogs.AnswerMessageBox(QMessageBox::No);
    QVERIFY(s.Run(kOpen));
    QCOMPARE(s.Cell(0).Value, 9);
    QCOMPARE(s.Cell(4).Value, 0);
    QVERIFY(!s.Document().IsModified());

    // While a macro plays nothing is asked.
    s.Play(4, 4);
    s.app->State().StartMacro();
    const qsizetype asked = s.Asked().size();
    QVERIFY(s.app->MainFrame()->close());
    QCOMPARE(s.Asked().size(), asked);
  }

  void AHostileFileIsReportedInThePlayersLanguageAndChangesNothing() {
    WriteGridFile(File("whole.sud"), {{0, 1}, {1, 2}});
    QByteArray cut = ReadAll(File("whole.sud"));
    cut.truncate(cut.size() / 3);
    WriteAll(File("cut.sud"), cut);
    WriteAll(File("noise.sud"), QByteArray("\x10not a grid file at all", 23));
    SetLanguage(Language::French);
    home_.WriteInt("GENERAL", "LOG", 1);

    Session s(home_);
    SetGridSize(s.Engine(), kWidth, 1);
    s.Play(7, 8);
    const std::string before = WriteSudFile(s.Engine(), SudFileContent{});
    s.dialogs.AnswerMessageBox(QMessageBox::No); // drop the move, then the file is refused
    s.dialogs.AnswerFileName(File("cut.sud"));
    QVERIFY(s.Run(kOpen));
    const QString report = s.Asked().last();
    QVERIFY2(report.startsWith("message Quorbel: Le fichier " + File("cut.sud") + " est abîmé ou incomplet"),
             qPrintable(report));
    QVERIFY2(report.contains(" à l'octet "), qPrintable(report)); // the detail follows, in French too
    QCOMPARE(WriteSudFile(s.Engine(), SudFileContent{}), before);
    QCOMPARE(s.Cell(7).Value, 8);
    QVERIFY(
        ReadAll(home_.StartDirectory() + "/Quorbel.sudlog").contains("Report Save-Load Exception: Error="));

    // The move is still there, and so is the question about it.
    QVERIFY(s.Document().IsModified());
    s.app->SetLanguage(Language::English);
    s.dialogs.AnswerMessageBox(QMessageBox::No);
    s.dialogs.AnswerFileName(File("noise.sud"));
    QVERIFY(s.Run(kOpen));
    QVERIFY(s.Asked().last().startsWith("message Quorbel: The file " + File("noise.sud") +
                                        " is not a Quorbel grid."));
    QCOMPARE(WriteSudFile(s.Engine(), SudFileContent{}), before);
  }

  void WhatAFileLeftOutIsToldInTheMessagePanel() {
    WriteTextGrid(File("pieces.txt"), 4, "E99\r\n");
    Session s(home_);
    s.dialogs.AnswerFileName(File("pieces.txt"));
    QVERIFY(s.Run(kOpen));
    QCOMPARE(s.Engine().Geo.GridWidth, 4);
    QVERIFY(s.Message(1).endsWith("Part of " + File("pieces.txt") + " was left out:"));
    QVERIFY(s.Message().contains("line 19"));
  }

  void TheRecentFilesFollowOpensAndSavesAndLoseWhatCannotOpen() {
    WriteGridFile(File("a.sud"), {{0, 1}});
    WriteGridFile(File("b.sud"), {{0, 2}});
    {
      Session s(home_);
      const CMainFrame &frame = *s.app->MainFrame();
      QVERIFY(!s.app->Commands().State(kFirstRecent).enabled);
      QVERIFY(!frame.Action(kFirstRecent + 1)->isVisible());
      for (const char *name : {"a.sud", "b.sud"}) {
        s.dialogs.AnswerFileName(File(name));
        QVERIFY(s.Run(kOpen));
      }
      s.app->MainFrame()->UpdateCommandStates();
      QCOMPARE(frame.Action(kFirstRecent)->text(), "&1 " + File("b.sud"));
      QCOMPARE(frame.Action(kFirstRecent + 1)->text(), "&2 " + File("a.sud"));
      QVERIFY(frame.Action(kFirstRecent + 1)->isVisible());
      QVERIFY(!frame.Action(kFirstRecent + 2)->isVisible());
      QVERIFY(s.Run(kFirstRecent + 1));
      QCOMPARE(s.Cell(0).Value, 1);
    }
    QFile::remove(File("b.sud"));
    Session again(home_);
    const std::vector<std::string> kept = again.Document().RecentFiles().Paths();
    QCOMPARE(kept.size(), size_t{2});
    QCOMPARE(kept.front(), File("a.sud").toStdString());
    QVERIFY(again.Run(kFirstRecent + 1)); // b.sud is gone
    QVERIFY(again.dialogs.Asked().last().contains("cannot be opened"));
    QCOMPARE(again.Document().RecentFiles().Paths(), std::vector<std::string>{File("a.sud").toStdString()});
  }

  void TheLastSavedFileReopensAtStartWhenAsked() {
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      s.Play(30, 6);
      s.dialogs.AnswerFileName(File("last.sud"));
      QVERIFY(s.Run(kSave));
    }
    home_.WriteInt("GENERAL", "LASTOPEN", 1);
    Session again(home_);
    QCOMPARE(again.Document().PathName(), File("last.sud").toStdString());
    QCOMPARE(again.Cell(30).Value, 6);
    QVERIFY(again.dialogs.Asked().isEmpty());
  }

  void AGridFileBringsItsSettingsAndWindowOnlyWhenTheyAreWanted() {
    const QRect placed(40, 30, 700, 500);
    {
      Session s(home_);
      SetGridSize(s.Engine(), kWidth, 1);
      s.app->Settings().general.longCase = 61;
      s.app->MainFrame()->setGeometry(placed);
      s.dialogs.AnswerFileName(File("dressed.sud"));
      QVERIFY(s.Run(kSave));
    }
    home_.WriteInt("GENERAL", "PREFLOAD", 0);
    home_.WriteInt("GENERAL", "POSLOAD", 0);
    {
      Session s(home_);
      const QRect before = s.app->MainFrame()->geometry();
      s.dialogs.AnswerFileName(File("dressed.sud"));
      QVERIFY(s.Run(kOpen));
      QCOMPARE(s.app->Settings().general.longCase, 50);
      QCOMPARE(s.app->MainFrame()->geometry(), before);
    }
    home_.WriteInt("GENERAL", "PREFLOAD", 1);
    home_.WriteInt("GENERAL", "POSLOAD", 1);
    Session s(home_);
    s.dialogs.AnswerFileName(File("dressed.sud"));
    QVERIFY(s.Run(kOpen));
    QCOMPARE(s.app->Settings().general.longCase, 61);
    QCOMPARE(home_.ReadInt("GENERAL", "LONGCASE"), 61); // taken settings are saved at once
    QCOMPARE(s.app->MainFrame()->geometry(), placed);
  }

  void AFileDroppedOnTheWindowOpensAsTheDocument() {
    WriteGridFile(File("dropped.sud"), {{2, 4}});
    Session s(home_);
    Drop(*s.app->MainFrame(), File("dropped.sud"));
    QCOMPARE(s.Engine().Geo.GridWidth, kWidth);
    QCOMPARE(s.Cell(2).Value, 4);
    QCOMPARE(s.app->MainFrame()->windowTitle(), QStringLiteral("dropped.sud - Quorbel"));
  }

  void ATextGridIsImportedAsAFurtherGridOfTheSameSize() {
    WriteTextGrid(File("nine.txt"), kWidth);
    WriteTextGrid(File("four.txt"), 4);
    Session s(home_);
    SetGridSize(s.Engine(), kWidth, 1);
    s.dialogs.AnswerFileName(File("nine.txt"));
    QVERIFY(ImportTextGridDialog(*s.app));
    QCOMPARE(s.Engine().Grids.MainCount, 2);
    QVERIFY(s.Document().IsModified());
    QCOMPARE(s.Engine().TotalOpenCells, 2 * kWidth * kWidth);

    s.dialogs.AnswerFileName(File("four.txt"));
    QVERIFY(!ImportTextGridDialog(*s.app));
    QVERIFY(s.Asked().last().startsWith("message Quorbel: Error: Grids must have same size"));
    QCOMPARE(s.Engine().Grids.MainCount, 2);
  }
};

QTEST_MAIN(GridDocumentTest)
#include "grid_document_test.moc"
