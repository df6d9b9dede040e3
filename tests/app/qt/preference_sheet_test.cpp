// The preference sheet in the running program: F6 shows its tabs; a box acts on the board at once
// and is recorded; Cancel gives back the state of the opening, OK keeps what changed meanwhile;
// a swatch goes through the colour chooser.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/qt/display_toggles.h"
#include "app/qt/help_here.h"
#include "app/qt/init_grid_dialog.h"
#include "app/qt/preference_window.h"
#include "files/macro_recorder.h"
#include "platform/help_contexts.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kPreferences = 32790;
constexpr CommandId kCellMatrix = 33167;

struct Sheet : FrameWithBoard {
  using FrameWithBoard::FrameWithBoard;
  CPreference &Window() const { return *static_cast<CPreference *>(app->Panels().Window(kPreferencePanel)); }
  QCheckBox *Box(const QString &text) const {
    for (QCheckBox *box : Window().findChildren<QCheckBox *>())
      if (box->text() == text)
        return box;
    return nullptr;
  }
};

} // namespace

class PreferenceSheetTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void F6ShowsTheTwelveTabsAndABoxActsAtOnceUntilCancel() {
    Sheet p(home_);
    QVERIFY(p.started);
    p.app->Settings().general.cellSquare = 0;
    QVERIFY(p.app->Commands().Execute(kPreferences));
    QVERIFY(p.Window().isVisible());
    QTabWidget *tabs = p.Window().Tabs();
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
      titles << tabs->tabText(i);
    QCOMPARE(titles, QStringList({"General", "Text", "Cell", "Grid", "Geometry", "Colors Code", "Varient",
                                  "Music", "Property", "Dir", "Challenge", "Scan"}));

    QVERIFY(StartMacroRecording("square").ok);
    QCheckBox *square = p.Box(QStringLiteral("Cells are Square"));
    QVERIFY(square != nullptr);
    square->click();
    QCOMPARE(p.app->Settings().general.cellSquare, 1);
    QCOMPARE(home_.ReadInt("GENERAL", "CELLSQUARE"), 0); // not saved before OK
    p.Window().CancelButton()->click();
    QCOMPARE(p.app->Settings().general.cellSquare, 0);
    QVERIFY(!p.Window().isVisible());
    QCOMPARE(RecordedSteps(home_, "square"), QStringList({"PREF;CELLSQUARE;Y", "AREA;PREFERENCE;N"}));
  }

  void OkKeepsAMenuChangeMadeWhileTheSheetWasOpen() {
    Sheet p(home_);
    QVERIFY(p.app->Commands().Execute(kPreferences));
    p.app->Settings().general.probType = 1; // the Display menu's cell type
    p.Window().OkButton()->click();
    QCOMPARE(p.app->Settings().general.probType, 1);
    QCOMPARE(home_.ReadInt("GENERAL", "PROBTYPE"), 1);
  }

  void CancelLeavesAloneWhatChangedInTheMainWindow() {
    Sheet p(home_);
    p.app->Settings().general.cellSquare = 0;
    p.app->Settings().general.probType = 0;
    QVERIFY(p.app->Commands().Execute(kPreferences));
    p.Window().activateWindow();
    QTRY_VERIFY(p.Window().isActiveWindow());
    p.Box(QStringLiteral("Cells are Square"))->click();
    p.Frame().activateWindow();
    QTRY_VERIFY(p.Frame().isActiveWindow());
    QVERIFY(p.app->Commands().Execute(kCellMatrix)); // the Display menu's cell type
    p.Window().activateWindow();
    QTRY_VERIFY(p.Window().isActiveWindow());
    p.Window().CancelButton()->click();
    QCOMPARE(p.app->Settings().general.cellSquare, 0);
    QCOMPARE(p.app->Settings().general.probType, 2);
    QCOMPARE(home_.ReadInt("GENERAL", "PROBTYPE"), 2);
  }

  // The sheet's colour dialog may hand the focus straight to the main window on closing.
  void CancelLeavesAloneWhatChangedInTheMainWindowAfterADialogOfTheSheet() {
    Sheet p(home_);
    p.app->Settings().general.probType = 0;
    QVERIFY(p.app->Commands().Execute(kPreferences));
    p.Window().activateWindow();
    QTRY_VERIFY(p.Window().isActiveWindow());
    QDialog chooser(&p.Window());
    chooser.show();
    chooser.activateWindow();
    QTRY_VERIFY(chooser.isActiveWindow());
    chooser.hide();
    p.Frame().activateWindow();
    QTRY_VERIFY(p.Frame().isActiveWindow());
    QVERIFY(p.app->Commands().Execute(kCellMatrix));
    p.Window().activateWindow();
    QTRY_VERIFY(p.Window().isActiveWindow());
    p.Window().CancelButton()->click();
    QCOMPARE(p.app->Settings().general.probType, 2);
  }

  // F6 hands the sheet the keys, so that F1 then opens its own page, from the board and from the
  // start screen, whose modality blocks every window it does not own.
  void F6HandsTheSheetTheKeysFromTheBoardAndTheStartScreen() {
    Sheet p(home_);
    p.Frame().activateWindow();
    QTRY_VERIFY(p.Frame().isActiveWindow());
    QTest::keyClick(p.Frame().windowHandle(), Qt::Key_F6);
    QTRY_VERIFY(p.Window().isActiveWindow());
    QCOMPARE(HelpContextOf(WidgetInFront()), HelpContext("preferences"));
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_F6);
    QVERIFY(!p.Window().isVisible());

    CInitGrid start(*p.app, Language::English, &p.Frame());
    start.setModal(true);
    start.show();
    QVERIFY(QTest::qWaitForWindowExposed(&start));
    start.activateWindow();
    QTRY_VERIFY(start.isActiveWindow());
    QTest::keyClick(start.windowHandle(), Qt::Key_F6);
    QTRY_VERIFY(p.Window().isActiveWindow());
    QCOMPARE(HelpContextOf(WidgetInFront()), HelpContext("preferences"));
    // A click reaches it: Cancel closes it, as the player meant.
    QPushButton *cancel = p.Window().CancelButton();
    QTest::mouseClick(p.Window().windowHandle(), Qt::LeftButton, {},
                      cancel->mapTo(&p.Window(), cancel->rect().center()));
    QTRY_VERIFY(!p.Window().isVisible());
    // F6 again, and the keys go back to the start screen below, which then starts its games.
    QTest::keyClick(start.windowHandle(), Qt::Key_F6);
    QTRY_VERIFY(p.Window().isActiveWindow());
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_F6);
    QTRY_VERIFY(start.isActiveWindow());
    start.hide();
  }

  void TheSheetKeepsTheBoardsKeysButThePanelKeys() {
    Sheet p(home_);
    int boardCommands = 0;
    for (Cmd cmd : {Cmd::Propose, Cmd::EditSelectAll, Cmd::EditUndo})
      p.app->Commands().SetHandler(cmd, [&boardCommands](CommandId) { ++boardCommands; });
    QVERIFY(p.app->Commands().Execute(kPreferences));
    p.Window().activateWindow();
    QTRY_VERIFY(p.Window().isActiveWindow());
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_F9);
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(boardCommands, 0);
    QTest::keyClick(p.Window().windowHandle(), Qt::Key_F6); // F6 still hides the sheet
    QVERIFY(!p.Window().isVisible());
    // From the main window the keys are the board's again.
    p.Frame().activateWindow();
    QTRY_VERIFY(p.Frame().isActiveWindow());
    QTest::keyClick(p.Frame().windowHandle(), Qt::Key_F9);
    QCOMPARE(boardCommands, 1);
  }

  void WithAutomaticSizingOnlyTheBordersCanBeEdited() {
    Sheet p(home_);
    p.app->Settings().general.autoSize = 0;
    QVERIFY(p.app->Commands().Execute(kPreferences));
    QWidget *geometry = p.Window().Tabs()->widget(4);
    const QList<QLineEdit *> edits = geometry->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 9);
    QVERIFY(edits[0]->isEnabled());
    p.Box(QStringLiteral("Automatic Grid Sizing"))->click();
    QCOMPARE(p.app->Settings().general.autoSize, 1);
    for (int i = 0; i < 9; ++i)
      QCOMPARE(edits[i]->isEnabled(), i >= 7);
  }

  void ASwatchTakesTheChoosersColour() {
    Sheet p(home_);
    QVERIFY(p.app->Commands().Execute(kPreferences));
    p.dialogs.AnswerColour(QColor(0x12, 0x34, 0x56));
    p.Window().Sheet().Colour.ClickSwatch(5);
    QCOMPARE(p.app->Colours().ColBad, MakeColorRef(0x12, 0x34, 0x56));
    p.Window().OkButton()->click();
    QCOMPARE(p.app->Colours().ColBad, MakeColorRef(0x12, 0x34, 0x56));
  }
};

QTEST_MAIN(PreferenceSheetTest)
#include "preference_sheet_test.moc"
