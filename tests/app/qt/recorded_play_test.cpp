// Play recorded through the real recorder (keys, clicks and menu commands in, a macro file out),
// then replayed by a program started afresh: at each stop of the recording both programs hold
// the same document, field by field.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "app/qt/board_window.h"
#include "app/qt/empty_grid_dialog.h"
#include "app/qt/frame_command_support.h"
#include "engine/grid_set.h"
#include "engine/undo_stack.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kShapeOf9 = 5;
constexpr int kShapeOf4 = 0;

// What a player sees of the document and the board's state around it.
struct Document {
  struct Grid {
    VariantWords Rules;
    VariantLists Lists;
    std::vector<std::array<int, 3>> Cells; // value, status, marks
  };
  std::vector<Grid> Grids;
  std::vector<int> Order;
  int FocusGrid = 0;
  int FocusCell = 0;
  int Symbols = 0;
  int CellType = 0;
  int PossOn = 0;
  int PossLevel = 0;
  int ShownSolution = 0;
  int StoredSolutions = 0;
  bool CanUndo = false;
  std::array<std::string, 2> Comments;
  int EntryMode = 0;
  int ValueEntry = 0;

  explicit Document(CQuorbelApp &app) {
    const EngineContext &ctx = app.Engine();
    const GridSet &set = ctx.Grids;
    for (int g = 0; g < UsedMainCount(set); ++g) {
      const GridRecord &grid = set.Main[static_cast<size_t>(g)];
      Grid shown{grid.GridVar, grid.Lists, {}};
      for (int c = 0; c < ctx.Geo.NCells; ++c) {
        const CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
        shown.Cells.push_back({cell.Value, cell.Status, static_cast<int>(cell.Marks)});
      }
      Grids.push_back(shown);
    }
    Order.assign(set.Order.begin(), set.Order.begin() + UsedOrderCount(set));
    FocusGrid = set.FocusGrid;
    FocusCell = set.FocusCell;
    Symbols = app.Settings().general.gridCurrDisp;
    CellType = app.Settings().general.probType;
    PossOn = FrameSwitches(app.Board()).PossDisplayOn;
    PossLevel = FrameSwitches(app.Board()).PossDisplayLevel;
    ShownSolution = ctx.Solutions.ShownLevel;
    StoredSolutions = ctx.Solutions.StoredCount;
    CanUndo = quorbel::CanUndo(ctx.Undo);
    Comments = ctx.GridComments;
    const EntryState &entry = GetCurrentView(app)->Input().Entry;
    EntryMode = static_cast<int>(entry.Mode);
    ValueEntry = entry.ValueEntry;
  }

  // Each field that differs, named, with both values.
  QStringList Differences(const Document &other) const {
    QStringList out;
    auto field = [&](const QString &name, auto mine, auto theirs) {
      if (mine != theirs)
        out << QStringLiteral("%1: %2 replayed as %3").arg(name).arg(mine).arg(theirs);
    };
    field("grids", Grids.size(), other.Grids.size());
    for (size_t g = 0; g < std::min(Grids.size(), other.Grids.size()); ++g) {
      const Grid &a = Grids[g];
      const Grid &b = other.Grids[g];
      field(QStringLiteral("grid %1 rule word 1").arg(g), a.Rules.word1, b.Rules.word1);
      field(QStringLiteral("grid %1 rule word 2").arg(g), a.Rules.word2, b.Rules.word2);
      if (!(a.Lists == b.Lists))
        out << QStringLiteral("grid %1 clue lists").arg(g);
      field(QStringLiteral("grid %1 cells").arg(g), a.Cells.size(), b.Cells.size());
      static const char *kCellFields[] = {"value", "status", "marks"};
      for (size_t c = 0; c < std::min(a.Cells.size(), b.Cells.size()); ++c)
        for (size_t f = 0; f < 3; ++f)
          field(QStringLiteral("grid %1 cell %2 %3").arg(g).arg(c).arg(kCellFields[f]), a.Cells[c][f],
                b.Cells[c][f]);
    }
    field("shown grids", Order.size(), other.Order.size());
    for (size_t k = 0; k < std::min(Order.size(), other.Order.size()); ++k)
      field(QStringLiteral("shown grid %1").arg(k), Order[k], other.Order[k]);
    field("focus grid", FocusGrid, other.FocusGrid);
    field("focus cell", FocusCell, other.FocusCell);
    field("symbols", Symbols, other.Symbols);
    field("cell type", CellType, other.CellType);
    field("candidates shown", PossOn, other.PossOn);
    field("candidate level", PossLevel, other.PossLevel);
    field("solution shown", ShownSolution, other.ShownSolution);
    field("solutions stored", StoredSolutions, other.StoredSolutions);
    field("undo", CanUndo, other.CanUndo);
    field("entry mode", EntryMode, other.EntryMode);
    field("value entry", ValueEntry, other.ValueEntry);
    for (size_t l = 0; l < Comments.size(); ++l)
      field(QStringLiteral("comment %1").arg(l), QString::fromStdString(Comments[l]),
            QString::fromStdString(other.Comments[l]));
    return out;
  }
};

// The program started afresh in expert mode, played with keys and clicks.
struct Player : FrameWithBoard {
  explicit Player(const AppTestHome &home) : FrameWithBoard(home) {
    app->Settings().parameter.qrbDebug = 1;
    Frame().activateWindow();
  }
  CQuorbelView &View() const { return *GetCurrentView(*app); }
  EngineContext &Engine() const { return app->Engine(); }
  const CellRecord &Cell(int slot, int cell) const {
    return Engine().Grids.Main[static_cast<size_t>(slot)].Cells[static_cast<size_t>(cell)];
  }
  // The menus' states as the idle tick leaves them, then the key; a window that closed (the
  // search's progress) gives the activation back to the board, as the player's next click would.
  void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    if (!QApplication::activeWindow()) {
      Frame().activateWindow();
      View().setFocus();
    }
    Frame().UpdateCommandStates();
    QTest::keyClick(Frame().windowHandle(), static_cast<Qt::Key>(key), modifiers);
  }
  // The box is taken first: a repaint lays the board out anew.
  void Click(CellRect box, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::mouseClick(&View(), Qt::LeftButton, modifiers,
                      QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
  }
  void ClickCell(int slot, int cell) const {
    View().repaint();
    Click(View().Painter(slot).OuterRect[static_cast<size_t>(cell)]);
  }
  void ClickTab(int tab, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    View().repaint();
    Click(View().GridTabs()[static_cast<size_t>(tab)].Box, modifiers);
  }
  // The game played is not kept.
  void DropTheGame() {
    if (app->GetCurrentDocument() && app->GetCurrentDocument()->IsModified())
      dialogs.AnswerMessageBox(QMessageBox::No);
  }
  void Open(const QString &path) {
    DropTheGame();
    dialogs.AnswerFileName(path);
    Type(Qt::Key_O, Qt::ControlModifier);
  }
  // File > New Empty Grid, Manual Input on a size and a display.
  void NewEmptyGrid(int shape, SymbolMode display) {
    DropTheGame();
    dialogs.AnswerDialog(QStringLiteral("CEmptyGrid"), [shape, display](QDialog &dialog) {
      auto &empty = static_cast<CEmptyGrid &>(dialog);
      empty.SizeButton(shape)->click();
      empty.DisplayRadio(display)->click();
      empty.findChild<QPushButton *>(QStringLiteral("ManualInput"))->click();
    });
    QVERIFY(app->Commands().ExecuteCommand(Cmd::NewEmptyGrid));
  }
  // The digit of a value the cell may take, as the key that types it.
  int CandidateKey(int slot, int cell) const {
    const CellRecord &record = Cell(slot, cell);
    for (int v = 1; v <= Engine().Geo.GridWidth; ++v)
      if ((record.ThePoss & ValueBit(v)) != 0)
        return Qt::Key_0 + v;
    return Qt::Key_0;
  }
  // An open cell of every grid given, from `from` on.
  int OpenCell(std::initializer_list<int> grids, int from = 0) const {
    for (int c = from; c < Engine().Geo.NCells; ++c)
      if (std::all_of(grids.begin(), grids.end(), [&](int s) { return Cell(s, c).Status >= kStatusEmpty; }))
        return c;
    return -1;
  }
};

} // namespace

class RecordedPlayTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

  QString Recorded(int part) const {
    return home_.StartDirectory() + QStringLiteral("/part%1.macro").arg(part);
  }
  // Shift+Z ends the recording; its file is kept aside for the replay, the program's state with it.
  void StopRecording(Player &player, std::vector<Document> &stops, int part) {
    player.Type(Qt::Key_Z, Qt::ShiftModifier);
    const QString made = home_.StartDirectory() + QStringLiteral("/MyMacro.macro");
    QFile::remove(Recorded(part));
    QVERIFY(QFile::copy(made, Recorded(part)));
    stops.emplace_back(*player.app);
  }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void ARecordedGameReplaysToTheSameDocumentAtEachStop() {
    const QString dir = home_.StartDirectory();
    {
      // A Twins set and a Killer grid to play, made as a player makes them.
      FrameWithBoard maker(home_);
      QVERIFY(maker.started);
      QDir(dir).mkpath(QStringLiteral("macros"));
      const QString setup = dir + QStringLiteral("/macros/setup.macro");
      WriteAll(setup, "GENERE;9;EASY;1024;-1;UNIQ\r\nSAVET;twins\r\nGENERE;9;EASY;4;-1;UNIQ\r\n"
                      "ADDFUNC;T;A Killer to play\r\nSAVET;killer\r\n");
      QCOMPARE(maker.app->Services().runMacroFile(setup.toStdString()), 0);
    }
    std::vector<Document> recorded;
    {
      Player p(home_);
      QVERIFY(p.started);
      // Part 1: a value in each grid of the set through Tab and the tabs, candidates, an undo.
      p.Type(Qt::Key_Y, Qt::ShiftModifier);
      p.Open(dir + QStringLiteral("/TextGrid/twins.txt"));
      QCOMPARE(p.Engine().Grids.MainCount, 2);
      const int first = p.OpenCell({0, 1});
      QVERIFY(first >= 0);
      p.ClickCell(0, first);
      p.Type(p.CandidateKey(0, first));
      p.Type(Qt::Key_Tab);
      QCOMPARE(p.Engine().Grids.FocusGrid, 1);
      p.Type(p.CandidateKey(1, first));
      QVERIFY(p.Cell(1, first).Value != 0);
      p.ClickTab(2); // grid 2 alone
      QCOMPARE(p.Engine().Grids.OrderCount, 1);
      const int second = p.OpenCell({1}, first + 1);
      p.ClickCell(1, second);
      const int placed = p.CandidateKey(1, second);
      p.Type(placed);
      p.Type(Qt::Key_1 + (placed - Qt::Key_0) % 9); // beside the value: two candidates of the player's
      QCOMPARE(p.Cell(1, second).Value, 0);
      p.Type(Qt::Key_5, Qt::ControlModifier);
      const int third = p.OpenCell({1}, second + 1);
      p.ClickCell(1, third);
      p.Type(p.CandidateKey(1, third));
      p.Type(Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(p.Cell(1, third).Value, 0);
      p.ClickTab(0);
      p.ClickTab(1, Qt::ControlModifier); // grid 1 leaves the board, and comes back
      QCOMPARE(p.Engine().Grids.OrderCount, 1);
      p.ClickTab(1, Qt::ControlModifier);
      QCOMPARE(p.Engine().Grids.OrderCount, 2);
      p.Type(Qt::Key_Tab);
      p.Type(Qt::Key_Down);
      p.ClickTab(2); // the recording stops on grid 2 alone
      StopRecording(p, recorded, 1);

      // Part 2: letters, then a new empty grid after the Twins set, shown in letters.
      p.Type(Qt::Key_Y, Qt::ShiftModifier);
      p.ClickTab(0);
      QVERIFY(p.app->Commands().ExecuteCommand(Cmd::SymbolLetters));
      const int fourth = p.OpenCell({0}, third + 1);
      p.ClickCell(0, fourth);
      p.Type(Qt::Key_A + p.CandidateKey(0, fourth) - Qt::Key_1);
      QVERIFY(p.Cell(0, fourth).Value != 0);
      p.NewEmptyGrid(kShapeOf9, kSymbolLetters);
      QCOMPARE(p.Engine().Grids.MainCount, 1);
      p.Type(Qt::Key_C);
      p.Type(Qt::Key_A);
      QCOMPARE(p.Cell(0, 1).Value, 1);
      p.Type(Qt::Key_Return); // the values typed in turn end
      StopRecording(p, recorded, 2);

      // Part 3: a Killer grid, a new 4 x 4 grid after it, then the search's solutions walked.
      p.Type(Qt::Key_Y, Qt::ShiftModifier);
      p.Open(dir + QStringLiteral("/TextGrid/killer.txt"));
      const int fifth = p.OpenCell({0});
      p.ClickCell(0, fifth);
      p.Type(Qt::Key_A + p.CandidateKey(0, fifth) - Qt::Key_1);
      QCOMPARE(p.Engine().Grids.FocusCell, fifth); // typed in turn no more, once another grid is opened
      QVERIFY(!p.Engine().GridComments[kLanguageEnglish].empty());
      p.NewEmptyGrid(kShapeOf4, kSymbolDigits);
      QCOMPARE(p.Engine().Grids.Main[0].GridVar, VariantWords{});
      QCOMPARE(p.Engine().GridComments[kLanguageEnglish], std::string()); // they were the Killer grid's
      p.Type(Qt::Key_1);
      p.Type(Qt::Key_2);
      p.Type(Qt::Key_F, Qt::ControlModifier);
      QVERIFY(p.Engine().Solutions.StoredCount > 2);
      const int shown = p.Engine().Solutions.ShownLevel;
      p.Type(Qt::Key_PageDown);
      p.Type(Qt::Key_PageDown);
      p.Type(Qt::Key_PageUp);
      QCOMPARE(p.Engine().Solutions.ShownLevel, shown + 1);
      StopRecording(p, recorded, 3);
    }

    Player replay(home_);
    QVERIFY(replay.started);
    for (int part = 1; part <= 3; ++part) {
      QCOMPARE(replay.app->Services().runMacroFile(Recorded(part).toStdString()), 0);
      const QStringList differences =
          recorded[static_cast<size_t>(part - 1)].Differences(Document(*replay.app));
      QVERIFY2(differences.isEmpty(),
               qPrintable(QStringLiteral("part %1: ").arg(part) + differences.join("; ")));
    }
    // What the player saw of the new grids: one plain grid, its letters, no rule word left over.
    const QByteArray second = ReadAll(Recorded(2));
    QVERIFY(second.contains("NEW;9;LETTER\t"));
    QVERIFY(ReadAll(Recorded(3)).contains("NEW;4;NUMBER\t"));
  }
};

QTEST_MAIN(RecordedPlayTest)
#include "recorded_play_test.moc"
