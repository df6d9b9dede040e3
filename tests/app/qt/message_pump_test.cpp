// Long computations and the player: the throttled abort poll, Escape, the right button, the
// progress dialog's Cancel and the closing of the window, and the input refused meanwhile.
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include "app/qt/dialog_wait.h"
#include "engine/grid_shape.h"
#include "solver/solution_count.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kAborted = -10;
constexpr int kCountRanToItsEnd = 288; // the solutions of an empty 4x4 grid

// The solution count of an empty 4x4 grid, which polls the application while it searches.
int CountEmptyFourByFour(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  constexpr int kShapeFourByFour = 0;
  SetGridShape(ctx, kShapeFourByFour, 1, 0);
  return CountGridSolutions(ctx, ctx.Grids.Main[0], 0, 300, 0);
}

class EventCounter final : public QObject {
public:
  int events = 0;

protected:
  bool event(QEvent *event) override {
    if (event->type() != QEvent::User)
      return QObject::event(event);
    ++events;
    return true;
  }
};

void PostKeyRelease(QObject *receiver, int key) {
  QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

void PostButtonRelease(QObject *receiver, Qt::MouseButton button) {
  const QPointF at(5, 5);
  QCoreApplication::postEvent(
      receiver, new QMouseEvent(QEvent::MouseButtonRelease, at, at, button, Qt::NoButton, Qt::NoModifier));
}

} // namespace

class MessagePumpTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  uint32_t now_ = 0;

  // A started application whose pump reads our clock, with a count behind Search Solutions.
  std::unique_ptr<StartedApp> Start(int *result) {
    auto started = std::make_unique<StartedApp>(home_, Language::English);
    started->app->Pump().SetClock([this] { return now_; });
    CQuorbelApp *app = started->app.get();
    started->app->Commands().SetHandler(Cmd::SearchSolutions,
                                        [app, result](CommandId) { *result = CountEmptyFourByFour(*app); });
    return started;
  }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void EventsArePumpedAtMostOnceASecond() {
    int result = 0;
    auto started = Start(&result);
    MessagePump &pump = started->app->Pump();
    EventCounter counter;
    now_ = 5000;
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    QVERIFY(!pump.PollUserAbort());
    QCOMPARE(counter.events, 1);
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    now_ = 5999;
    QVERIFY(!pump.PollUserAbort());
    QCOMPARE(counter.events, 1);
    now_ = 6000;
    QVERIFY(!pump.PollUserAbort());
    QCOMPARE(counter.events, 2);
    // The unthrottled poll pumps at once and starts a new second.
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    now_ = 6100;
    QVERIFY(!pump.PollUserAbortNow());
    QCOMPARE(counter.events, 3);
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    now_ = 7000;
    pump.PollUserAbort();
    QCOMPARE(counter.events, 3);
    now_ = 7100;
    pump.PollUserAbort();
    QCOMPARE(counter.events, 4);
  }

  void EscapeStopsARunningCountWithMinusTen() {
    int result = 0;
    auto started = Start(&result);
    PostKeyRelease(&started->Frame(), Qt::Key_Escape);
    QVERIFY(started->app->Commands().Execute(32913));
    QCOMPARE(result, kAborted);
    // The abort ended with its command: nothing else is stopped by it.
    QVERIFY(!started->app->PollUserAbort());
    // The next command starts afresh.
    QVERIFY(started->app->Commands().Execute(32913));
    QCOMPARE(result, kCountRanToItsEnd);
  }

  void AStopEndsTheWorkItStoppedAndNothingAfterIt() {
    int first = 0;
    int second = 0;
    auto started = Start(&first);
    CQuorbelApp *app = started->app.get();
    MessagePump &pump = app->Pump();
    // A command opened a dialog whose GO runs twice: the Escape stops the first only.
    pump.RunCommand([&] {
      PostKeyRelease(&started->Frame(), Qt::Key_Escape);
      pump.RunCommand([&] { first = CountEmptyFourByFour(*app); });
      now_ += 1000;
      pump.RunCommand([&] { second = CountEmptyFourByFour(*app); });
    });
    QCOMPARE(first, kAborted);
    QCOMPARE(second, kCountRanToItsEnd);
  }

  void TheRightButtonStopsItToo() {
    int result = 0;
    auto started = Start(&result);
    PostButtonRelease(started->Frame().centralWidget(), Qt::RightButton);
    started->app->Commands().Execute(32788);
    QCOMPARE(result, kAborted);
    // Other keys and buttons do not stop it.
    PostButtonRelease(started->Frame().centralWidget(), Qt::LeftButton);
    PostKeyRelease(&started->Frame(), Qt::Key_A);
    started->app->Commands().Execute(32788);
    QCOMPARE(result, kCountRanToItsEnd);
  }

  void AnEscapeBeforeTheCountStartedDoesNotStopIt() {
    int result = 0;
    auto started = Start(&result);
    QTest::keyClick(&started->Frame(), Qt::Key_Escape);
    started->app->Commands().Execute(32913);
    QCOMPARE(result, kCountRanToItsEnd);
  }

  void CommandsAndInputAreRefusedWhileACountPumps() {
    int result = 0;
    auto started = Start(&result);
    QLineEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    int undoRuns = 0;
    started->app->Commands().SetHandler(Cmd::EditUndo, [&](CommandId) { ++undoRuns; });
    bool refused = false;
    QCoreApplication::postEvent(&edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    QTimer::singleShot(0, &started->Frame(), [&] { refused = !started->app->Commands().Execute(32891); });
    started->app->Commands().Execute(32913);
    QCOMPARE(result, kCountRanToItsEnd);
    QVERIFY(refused);
    QCOMPARE(undoRuns, 0);
    QCOMPARE(edit.text(), QString());
    // Once the count is over, both work again.
    QTest::keyClick(&edit, Qt::Key_X);
    QCOMPARE(edit.text(), QStringLiteral("x"));
    QVERIFY(started->app->Commands().Execute(32891));
    QCOMPARE(undoRuns, 1);
  }

  void TheProgressDialogsCancelStopsTheCount() {
    int result = 0;
    auto started = Start(&result);
    CQuorbelApp &app = *started->app;
    app.Commands().SetHandler(Cmd::FullSolve, [&](CommandId) {
      app.StartWaitProgress("Recherche en cours", 100, false);
      QTimer::singleShot(0, app.MainFrame(),
                         [&] { QTest::mouseClick(app.WaitDialog()->CancelButton(), Qt::LeftButton); });
      result = CountEmptyFourByFour(app);
    });
    QVERIFY(app.Commands().Execute(32787));
    QCOMPARE(result, kAborted);
    QVERIFY(!app.WaitDialog()->isVisible());
  }

  // Work started from a modal dialog (the generation dialog's GO) shows its progress above that
  // dialog, which would otherwise block every click on it.
  void TheProgressDialogOverAModalDialogStandsAboveItAndTakesItsCancel() {
    int result = 0;
    auto started = Start(&result);
    CQuorbelApp &app = *started->app;
    QDialog modal(app.MainFrame());
    modal.setModal(true);
    modal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&modal));
    app.Commands().SetHandler(Cmd::FullSolve, [&](CommandId) {
      app.StartWaitProgress("Recherche en cours", 100, false);
      QTimer::singleShot(0, app.MainFrame(), [&] {
        QPushButton *cancel = app.WaitDialog()->CancelButton();
        QTest::mouseClick(app.WaitDialog()->windowHandle(), Qt::LeftButton, {},
                          cancel->mapTo(app.WaitDialog(), cancel->rect().center()));
      });
      result = CountEmptyFourByFour(app);
    });
    QVERIFY(app.Commands().Execute(32787));
    QCOMPARE(app.WaitDialog()->windowHandle()->transientParent(), modal.windowHandle());
    QCOMPARE(result, kAborted);
    modal.hide();
  }

  void ClosingTheWindowStopsTheCountFirst() {
    int result = 0;
    auto started = Start(&result);
    CMainFrame &frame = started->Frame();
    QTimer::singleShot(0, &frame, &QWidget::close);
    started->app->Commands().Execute(32913);
    QCOMPARE(result, kAborted);
    QVERIFY(frame.isVisible());
    QTRY_VERIFY(!frame.isVisible());
  }

  void WaitingForAKeyOrAClickTellsWhichCame() {
    int result = 0;
    auto started = Start(&result);
    MessagePump &pump = started->app->Pump();
    PostKeyRelease(&started->Frame(), Qt::Key_Escape);
    QCOMPARE(pump.WaitForKeyOrClick(), 1);
    PostButtonRelease(started->Frame().centralWidget(), Qt::LeftButton);
    QCOMPARE(pump.WaitForKeyOrClick(), 0);
    PostButtonRelease(started->Frame().centralWidget(), Qt::RightButton);
    QCOMPARE(pump.WaitForKeyOrClick(), 1);
    PostKeyRelease(&started->Frame(), Qt::Key_B);
    QCOMPARE(pump.WaitForKeyOrClick(), int(Qt::Key_B));
  }

  void PumpingForAWhileEndsAtEscape() {
    int result = 0;
    auto started = Start(&result);
    MessagePump &pump = started->app->Pump();
    QVERIFY(!pump.PumpMessagesFor(20));
    PostKeyRelease(&started->Frame(), Qt::Key_Escape);
    QVERIFY(pump.PumpMessagesFor(60000));
    // Never across the wrap of the millisecond clock.
    now_ = 0xFFFFFF00u;
    PostKeyRelease(&started->Frame(), Qt::Key_Escape);
    QVERIFY(!pump.PumpMessagesFor(1000));
  }

  void TheProgressBarFollowsItsCallers() {
    bool cancelled = false;
    CDialogWait wait(Language::French, [&] { cancelled = true; });
    QCOMPARE(wait.windowTitle(), QStringLiteral("Attendre, svp"));
    QCOMPARE(wait.CancelButton()->text(), QStringLiteral("Annule"));
    wait.StartWaitProgress("Génération", 1000, true);
    QCOMPARE(wait.Bar()->maximum(), 1000);
    wait.StepWaitProgress(37);
    QCOMPARE(wait.Bar()->value(), 0);
    wait.StepWaitProgress(-1);
    QCOMPARE(wait.Bar()->value(), 1);
    wait.StartWaitProgress("Recherche", 100, false);
    QCOMPARE(wait.Bar()->value(), 0);
    wait.StepWaitProgress(37);
    QCOMPARE(wait.Bar()->value(), 37);
    wait.StepWaitProgress(500);
    QCOMPARE(wait.Bar()->value(), 100);
    wait.show();
    wait.StopWaitDialog();
    QVERIFY(!wait.isVisible());
    QVERIFY(!cancelled); // the end of the work is no request to stop
    wait.show();
    QTest::keyClick(&wait, Qt::Key_Escape);
    QVERIFY(cancelled);
    QVERIFY(!wait.isVisible());
  }
};

QTEST_MAIN(MessagePumpTest)
#include "message_pump_test.moc"
