// The board view inside the running program: the frame's central widget, repainted by the
// engine's host, writing its status panes, and holding the selection the host clears.
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <QtTest>

#include "resources/menu_tables.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

class BoardFrameTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void TheBoardViewIsTheFramesCentralWidget() {
    FrameWithBoard program(home_);
    QVERIFY(program.started);
    CQuorbelView *view = GetCurrentView(*program.app);
    QVERIFY(view);
    QCOMPARE(program.Frame().centralWidget(), static_cast<QWidget *>(view));
  }

  void AWindowMadeSmallStillShowsTheWholeBoardAndEveryPane() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    for (QSize asked : {QSize(640, 480), QSize(320, 260)}) {
      f.Frame().resize(asked);
      QCoreApplication::processEvents();
      const QWidget &board = *f.Frame().centralWidget();
      QVERIFY(board.width() >= board.minimumWidth() && board.height() >= board.minimumHeight());
      // The panes lie side by side within the status bar, none over another.
      int right = -1;
      for (int i = 0; i < kStatusPaneCount; ++i) {
        const QRect pane = f.Frame().Pane(i)->geometry();
        QVERIFY2(pane.left() > right, qPrintable(QStringLiteral("pane %1 at %2").arg(i).arg(asked.width())));
        QVERIFY(pane.width() >= f.Frame().Pane(i)->minimumWidth());
        right = pane.right();
      }
      QVERIFY(right < f.Frame().statusBar()->width());
    }
  }

  // The pieces of a 4 x 4 grid's rules need more room than its big cells leave beside it.
  void ThePiecesOfASmallGridStayOnTheBoardOnScreenAndOnThePage() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    CQuorbelView &view = *GetCurrentView(*f.app);
    const EngineContext &engine = f.app->Engine();
    const QString macro = home_.StartDirectory() + QStringLiteral("/pieces.macro");
    for (const QByteArray &rule : {QByteArray("524288"), QByteArray("4096")}) { // Tiled, Battle Ship
      WriteAll(macro, "GENERE;4;MEDIUM;" + rule + ";-1;UNIQ\r\n");
      QCOMPARE(f.app->Services().runMacroFile(macro.toStdString()), 0);
      for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1600, 1150)}) {
        f.Frame().resize(size);
        QCoreApplication::processEvents();
        view.repaint();
        const CGridDraw &painter = view.Painter(0);
        const QString where = QString::fromLatin1(rule) + QStringLiteral(" at %1").arg(size.width());
        int pieceCells = 0;
        for (int record = engine.Geo.NCellRecs; record < kDrawRecords; ++record) {
          const CellRect &box = painter.OuterRect[static_cast<size_t>(record)];
          if (!box.IsShown())
            continue;
          ++pieceCells;
          const CellRect &tile = painter.BoardRect;
          QVERIFY2(box.left >= tile.left && box.right <= tile.right && box.top >= tile.top &&
                       box.bottom <= tile.bottom,
                   qPrintable(where));
          QVERIFY2(!box.Intersects(view.Layout().Side), qPrintable(where));
          for (int cell = 0; cell < engine.Geo.NCells; ++cell)
            QVERIFY2(!box.Intersects(painter.OuterRect[static_cast<size_t>(cell)]), qPrintable(where));
        }
        QVERIFY2(pieceCells > 0, qPrintable(where));
      }
      // On an A4 page at 96 dpi, the margin round the grids stays white.
      QImage page(794, 1123, QImage::Format_RGB32);
      {
        QPainter dc(&page);
        view.PaintPage(dc, page.rect(), 96);
      }
      constexpr int kMargin = 20;
      for (int y = 0; y < page.height(); ++y)
        for (int x = page.width() - kMargin; x < page.width(); ++x)
          QVERIFY2(page.pixel(x, y) == qRgb(255, 255, 255), qPrintable(QString::fromLatin1(rule)));
    }
  }

  void AGameRedrawnByTheHostShowsItsGridAndItsPanes() {
    FrameWithBoard program(home_);
    EngineContext &engine = program.app->Engine();
    const std::string puzzle = FirstPuzzle("puzzles-9.txt");
    SetGridShape(engine, 5, 1, 0);
    test::LoadPuzzleLine(engine, engine.Grids.Main[0], puzzle);
    UpdatePossibles(engine, -1, -1, -1, 1);
    program.app->Settings().general.probType = 2;
    CQuorbelView &view = *GetCurrentView(*program.app);
    view.Switches().PossDisplayOn = 1;
    view.Switches().PossDisplayLevel = kPossLevelAll;
    view.SetFocusCell(1, 0);
    program.app->Messages().AddInfoMessage(OwnText("New grid: the !rules!2! of the game"));
    program.app->RedrawViewNow();

    const int open = static_cast<int>(std::count(puzzle.begin(), puzzle.end(), '0'));
    QCOMPARE(program.Frame().Pane(kPaneSymbols)->text(), QStringLiteral("1...9"));
    QCOMPARE(program.Frame().Pane(kPaneRemaining)->text(), QStringLiteral("Left : %1").arg(open));
    const QImage shown = view.grab().toImage();
    const CGridDraw &painter = view.Painter(0);
    QVERIFY(CountPixels(shown, painter.OuterRect[0], program.app->Colours().ColInit) > 20);
    QVERIFY(CountPixels(shown, view.Layout().Message, program.app->Colours().ColInit) > 20);

    if (qEnvironmentVariableIsSet("QUORBEL_VIEW_SHOTS")) {
      program.Frame().resize(1200, 900);
      program.Frame().grab().save(qEnvironmentVariable("QUORBEL_VIEW_SHOTS") + QStringLiteral("/frame.png"));
      QTest::qWait(qEnvironmentVariableIntValue("QUORBEL_VIEW_HOLD_MS"));
    }
  }

  void NewMessagesRepaintThePanelAtOnce() {
    FrameWithBoard program(home_);
    CQuorbelView &view = *GetCurrentView(*program.app);
    const CellRect panel = view.Layout().Message;
    QVERIFY(panel.IsShown());
    const int before = CountPixels(view.PaintDC(), panel, program.app->Colours().ColInit);
    program.app->Messages().AddInfoMessage(OwnText("A message of some length for the panel"));
    QVERIFY(CountPixels(view.PaintDC(), panel, program.app->Colours().ColInit) > before + 20);
  }

  void TheHostClearsTheViewsSelection() {
    FrameWithBoard program(home_);
    SetGridShape(program.app->Engine(), 5, 1, 0);
    CQuorbelView &view = *GetCurrentView(*program.app);
    view.SetFocusCell(12, 0);
    QCOMPARE(view.Selection().Count, 1);
    program.app->ClearSelection();
    QCOMPARE(view.Selection().Count, 0);
    QCOMPARE(program.app->Engine().Grids.FocusCell, kNoFocusCell);
  }
};

QTEST_MAIN(BoardFrameTest)
#include "board_frame_test.moc"
