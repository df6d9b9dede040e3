// The methods panel in the running program: F5 shows it, its boxes and buttons edit the mask the
// solving commands read (saved, recorded), the sizes follow the grid, OK hides it.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include "app/qt/display_toggles.h"
#include "app/qt/method_panel.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kMethods = 33028;
constexpr CommandId kOpen = 32889;
constexpr CommandId kSaveAs = 32924;

struct Panel : FrameWithBoard {
  using FrameWithBoard::FrameWithBoard;
  CMethod &Window() const { return *static_cast<CMethod *>(app->Panels().Window(kMethodsPanel)); }
  MethodMask Mask() const { return static_cast<MethodMask>(app->Settings().method.method); }
  void Click(MethodMask bit) const { Window().Box(bit)->click(); }
};

} // namespace

class MethodPanelTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void F5ShowsItAndOkHidesIt() {
    Panel p(home_);
    QVERIFY(p.started);
    QVERIFY(p.app->Commands().Execute(kMethods));
    QVERIFY(p.Window().isVisible());
    QVERIFY(StartMacroRecording("ok").ok);
    p.Window().OkButton()->click();
    QVERIFY(!p.Window().isVisible());
    QVERIFY(!p.app->Panels().Shown(kMethodsPanel));
    QCOMPARE(RecordedSteps(home_, "ok"), QStringList({"AREA;METHOD;N"}));
  }

  void TheButtonsAndBoxesEditTheMaskTheSolverReads() {
    Panel p(home_);
    SetGridSize(p.app->Engine(), 9, 1);
    QVERIFY(p.app->Commands().Execute(kMethods));
    p.Window().DefaultButton()->click();
    QCOMPARE(p.Mask(), MethodMask{4093});
    QVERIFY(p.Window().Box(kMaskSingle)->isChecked());
    QVERIFY(!p.Window().Box(kMaskBurma)->isChecked());

    // The group follows its sizes: on while any is on.
    for (int size = 2; size <= 7; ++size)
      p.Click(GroupSizeBit(size));
    QVERIFY((p.Mask() & kMaskGroup) == 0);
    p.Click(GroupSizeBit(3));
    QVERIFY((p.Mask() & kMaskGroup) != 0);

    QVERIFY(StartMacroRecording("mask").ok);
    p.Window().AllButton()->click();
    p.Click(kMaskRandom);
    QCOMPARE(p.Mask(), MethodMask{2097149});
    QCOMPARE(RecordedSteps(home_, "mask"), QStringList({"METHOD;2097151", "METHOD;2097149"}));
    QCOMPARE(home_.ReadInt("METHOD", "METHOD"), 2097149);
  }

  void OnAFourByFourOnlyTheSizesThatFitCanBeTicked() {
    Panel p(home_);
    SetGridSize(p.app->Engine(), 4, 1);
    QVERIFY(p.app->Commands().Execute(kMethods));
    for (int size = 2; size <= 7; ++size) {
      QCOMPARE(p.Window().Box(GroupSizeBit(size))->isEnabled(), size == 2);
      QCOMPARE(p.Window().Box(BurmaSizeBit(size))->isEnabled(), size <= 3);
    }
    // The Variant filter is offered only when a shown grid has rules.
    QVERIFY(!p.Window().Box(kMaskVariant)->isEnabled());
    p.app->Engine().Grids.Main[0].GridVar = kVarDiagonal;
    p.Window().RefreshMethodChecks();
    QVERIFY(p.Window().Box(kMaskVariant)->isEnabled());
  }

  void AGridFileCarriesTheMaskFromGameToGame() {
    QTemporaryDir files;
    const QString path = files.filePath("methods.sud");
    {
      Panel p(home_);
      SetGridSize(p.app->Engine(), 9, 1);
      QVERIFY(p.app->Commands().Execute(kMethods));
      p.Window().DefaultButton()->click();
      p.dialogs.AnswerFileName(path);
      QVERIFY(p.app->Commands().Execute(kSaveAs));
    }
    Panel q(home_);
    QVERIFY(q.app->Commands().Execute(kMethods));
    q.Window().AllButton()->click();
    // A text grid keeps the methods in use; the grid file brings its own back.
    const QString text = files.filePath("plain.txt");
    QByteArray grid = "Quorbel Mode Texte\r\n4\r\n";
    for (int i = 0; i < 16; ++i)
      grid += "0\r\n";
    WriteAll(text, grid);
    q.dialogs.AnswerMessageBox(QMessageBox::No); // the changes to the panel's mask are not kept
    q.dialogs.AnswerFileName(text);
    QVERIFY(q.app->Commands().Execute(kOpen));
    QCOMPARE(q.Mask(), kMaskAllMethods);
    q.dialogs.AnswerMessageBox(QMessageBox::No);
    q.dialogs.AnswerFileName(path);
    QVERIFY(q.app->Commands().Execute(kOpen));
    QCOMPARE(q.Mask(), MethodMask{4093});
    QVERIFY(q.Window().Box(kMaskSingle)->isChecked());
    QVERIFY(!q.Window().Box(kMaskColouring)->isChecked());
  }

  void ItComesBackInTheNewLanguage() {
    Panel p(home_);
    QVERIFY(p.app->Commands().Execute(kMethods));
    p.app->SetLanguage(Language::French);
    QVERIFY(p.Window().isVisible());
    QCOMPARE(p.Window().windowTitle(), QStringLiteral("Méthode"));
    QCOMPARE(p.Window().DefaultButton()->text(), QStringLiteral("Défaut"));
  }
};

QTEST_MAIN(MethodPanelTest)
#include "method_panel_test.moc"
