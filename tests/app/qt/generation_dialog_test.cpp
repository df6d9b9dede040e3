// The generation dialog in the running program: filled from the settings, a rule the generator
// cannot make refused with the dialog left open, GO storing the choices and generating.
#include <QApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "app/qt/generation_dialog.h"
#include "engine/cell_actions.h"
#include "files/macro_recorder.h"
#include "solver/solution_count.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kGenerateGrid = 32930;
constexpr int kMedium = 2;

} // namespace

class GenerationDialogTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void RulesItCannotMakeAreNotOfferedAndLinkedRulesAskForTheGridCount() {
    FrameWithBoard p(home_);
    p.app->Settings().general.askToBeSaved = 0;
    p.dialogs.AnswerDialog(QStringLiteral("GrilleSel"), [&](QDialog &dialog) {
      auto &sel = static_cast<GrilleSel &>(dialog);
      sel.SetRowTicked(FindVariantRow(kVarPanDigital), true);
      sel.SetRowTicked(FindVariantRow(kVarMagicSquare), true);
      QCOMPARE(sel.Model().Words, VariantWords{});
      QVERIFY(!sel.Model().GridCountEnabled);
      sel.SetRowTicked(FindVariantRow(kVarTwinsEqual), true);
      QCOMPARE(sel.Model().Words, kVarTwinsEqual);
      QVERIFY(sel.Model().GridCountEnabled);
      sel.reject();
    });
    QVERIFY(p.app->Commands().Execute(kGenerateGrid));
  }

  void GoStoresTheChoicesAndMakesAUniqueGrid() {
    FrameWithBoard p(home_);
    p.app->Settings().general.askToBeSaved = 0;
    p.dialogs.AnswerDialog(QStringLiteral("GrilleSel"), [](QDialog &dialog) {
      auto &sel = static_cast<GrilleSel &>(dialog);
      sel.SizeButton(5)->click();
      sel.LevelRadio(kMedium)->click();
      sel.SetRowTicked(FindVariantRow(kVarDiagonal), true);
      sel.OnGenerate();
    });
    QVERIFY(StartMacroRecording("go").ok);
    QVERIFY(p.app->Commands().Execute(kGenerateGrid));
    const QStringList steps = RecordedSteps(home_, "go");
    QVERIFY(steps.size() >= 3);
    QCOMPARE(steps.mid(0, 3), QStringList({"PREF;VARDEPTH;33", "PREF;VARMULT;0", "PREF;VARNGRIDS;2"}));
    EngineContext &ctx = p.app->Engine();
    QCOMPARE(ctx.Geo.GridWidth, 9);
    QCOMPARE(ctx.Grids.Main[0].GridVar, kVarDiagonal);
    QCOMPARE(p.app->Settings().general.gridCurrDifficulty, kMedium);
    QCOMPARE(p.app->Game().GameLevel, kMedium);
    QCOMPARE(SearchLinkedSolutions(ctx, -1, 0, 2, 0), 1);
  }

  void ACancelledSaveQuestionKeepsThePlayersGrid() {
    FrameWithBoard p(home_);
    p.app->Settings().general.askToBeSaved = 1;
    SetGridSize(p.app->Engine(), 9, 1);
    SetCellValue(p.app->Engine(), p.app->Engine().Grids.Main[0], 3, 5, kActionPlace);
    p.app->MarkDocumentModified("");
    p.dialogs.AnswerMessageBox(QMessageBox::Cancel);
    p.dialogs.AnswerDialog(QStringLiteral("GrilleSel"), [](QDialog &dialog) {
      auto &sel = static_cast<GrilleSel &>(dialog);
      sel.OnGenerate();
      QVERIFY(sel.result() != QDialog::Accepted);
      sel.reject();
    });
    QVERIFY(p.app->Commands().Execute(kGenerateGrid));
    QCOMPARE(p.app->Engine().Grids.Main[0].Cells[3].Value, 5);
    QVERIFY(p.app->GetCurrentDocument()->IsModified());
  }
};

QTEST_MAIN(GenerationDialogTest)
#include "generation_dialog_test.moc"
