// A game as a new player starts it: a grid generated from the menu takes clicks and starts a real
// game (clock, level, cells to find); opening a grid replaces the game played before; the helps'
// stopwatches follow the helps shown; the score pane follows the running game.
#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "app/message_line.h"
#include "app/qt/end_of_game_flow.h"
#include "app/qt/file_commands.h"
#include "app/stopwatch.h"
#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "files/sud_file_writer.h"
#include "platform/clock.h"
#include "resources/menu_tables.h"
#include "tests/app/qt/app_test_support.h"
#include "tests/view/qt/view_test_support.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kOpen = 32889;
constexpr CommandId kGenerateMedium = 32915;
constexpr CommandId kSearchSolutions = 32913;
constexpr int kMedium = 2;

// The program on a first start, with the board, shown offscreen.
struct FirstStart : FrameWithBoard {
  using FrameWithBoard::FrameWithBoard;
  CQuorbelView &View() const { return *GetCurrentView(*app); }
  EngineContext &Engine() const { return app->Engine(); }
  bool Run(CommandId id) const { return app->Commands().Execute(id); }
  QPoint CellCentre(int cell) const {
    const CellRect &box = View().Painter(0).OuterRect[static_cast<size_t>(cell)];
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
};

} // namespace

class NewGameTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void AGeneratedGridIsAGameThatTakesClicks() {
    FirstStart s(home_);
    QVERIFY(s.started);
    QVERIFY(s.Run(kGenerateMedium));
    const int open = TotalSudMissing(s.Engine().Grids);
    QVERIFY(open > 0);
    QCOMPARE(s.app->Game().GameLevel, kMedium);
    QCOMPARE(s.app->Game().StartMissing, open);
    QVERIFY(s.app->State().NewGrid());
    QVERIFY(s.View().Clock().Limit > 0);

    s.View().repaint();
    int cell = 0;
    while (s.Engine().Grids.Main[0].Cells[static_cast<size_t>(cell)].Status != kStatusEmpty)
      ++cell;
    QTest::mouseClick(&s.View(), Qt::LeftButton, Qt::NoModifier, s.CellCentre(cell));
    QCOMPARE(s.Engine().Grids.FocusCell, cell);

    // The clock runs on the view's own timer, however late a loaded machine delivers its ticks.
    s.View().Clock().Start -= 2000;
    QTRY_VERIFY(s.View().Clock().Elapsed >= 1000);
  }

  void AnOpenedTextGridStartsAFreshGame() {
    FirstStart s(home_);
    QTemporaryDir files;
    // A grid file of a long game with errors and helps and a help stopwatch running.
    const QString sud = files.filePath("played.sud");
    {
      auto ctx = std::make_unique<EngineContext>();
      SetGridSize(*ctx, 9, 1);
      SudFileContent content;
      content.Game.GameWords = {3, 60, 60, 56, 7, 2, 9};
      content.Game.ClockElapsedMs = 3'600'000;
      content.Game.UsageTimers[kTimerWarning] = UsageStopwatch{.StartTick = 5, .Seconds = 100};
      const std::string bytes = WriteSudFile(*ctx, content);
      WriteAll(sud, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    s.dialogs.AnswerFileName(sud);
    QVERIFY(s.Run(kOpen));
    // The warning help is not shown, so its stopwatch does not run on.
    QVERIFY(!StopwatchRunning(s.app->Game().UsageTimers[kTimerWarning]));
    QCOMPARE(s.app->Game().SolverHelpCount, 7);

    const QString text = files.filePath("next.txt");
    QByteArray grid = "Quorbel Mode Texte\r\n4\r\n";
    for (int i = 0; i < 16; ++i)
      grid += i < 4 ? QByteArray::number(i + 1) + "\r\n" : QByteArray("0\r\n");
    WriteAll(text, grid);
    s.dialogs.AnswerFileName(text);
    QVERIFY(s.Run(kOpen));
    // The hour the grid file had played is gone, however slow the machine was to open the text.
    QVERIFY(s.View().Clock().Elapsed < 60'000);
    QCOMPARE(s.View().Game().ErrorCount, 0);
    QCOMPARE(s.app->Game().SolverHelpCount, 0);
    QCOMPARE(s.app->Game().StartMissing, 12);
    QCOMPARE(s.app->Game().UsageTimers[kTimerWarning].Seconds, 0);
  }

  void AGeneratedGridSavedAsTextReopensTheSame() {
    FirstStart s(home_);
    // A Trio grid: the classes drawn for its values come back with it.
    s.app->Settings().general.gridCurrVariant = kVarTrio.word1;
    QVERIFY(s.Run(kGenerateMedium));
    QVERIFY(Meets(s.Engine().Grids.Main[0].GridVar, kVarTrio));
    const std::array<int8_t, 16> classes = s.Engine().ValueClasses;
    const auto values = [&s] {
      std::vector<int> all;
      for (const CellRecord &cell : s.Engine().Grids.Main[0].PlayingCells(s.Engine().Geo))
        all.push_back(cell.Value);
      return all;
    };
    const std::vector<int> generated = values();
    QTemporaryDir files;
    // Asked for a name without an extension: ".txt" is added.
    s.dialogs.AnswerFileName(files.filePath("made"));
    QVERIFY(SaveTextGrids(*s.app));
    QVERIFY(QFile::exists(files.filePath("made.txt")));
    s.dialogs.AnswerFileName(files.filePath("made.txt"));
    s.Engine().ValueClasses.fill(0);
    QVERIFY(s.Run(kOpen));
    QCOMPARE(values(), generated);
    QCOMPARE(s.app->Game().GameLevel, kMedium);
    QVERIFY(s.Engine().ValueClasses == classes);
  }

  void TheScorePaneFollowsTheRunningGame() {
    FirstStart s(home_);
    QVERIFY(s.Run(kGenerateMedium));
    s.View().UpdateStatusPanes();
    QCOMPARE(s.app->MainFrame()->Pane(kPaneScore)->text(), QStringLiteral("Score:20.00"));
    // Far beyond the time limit the mark has fallen.
    s.View().Clock().Elapsed = s.View().Clock().Limit * 3;
    s.View().Clock().Start = TimeGetTime() - static_cast<uint32_t>(s.View().Clock().Elapsed);
    s.View().UpdateStatusPanes();
    QVERIFY(s.app->MainFrame()->Pane(kPaneScore)->text() != QStringLiteral("Score:20.00"));
  }
};

QTEST_MAIN(NewGameTest)
#include "new_game_test.moc"
