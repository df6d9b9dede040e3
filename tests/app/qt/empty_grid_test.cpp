// File > New Empty Grid in the running program: the dialog's choices, Manual Input making one empty
// grid to type a puzzle into, the save question, a double click on a size.
#include <QApplication>
#include <QMouseEvent>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "app/qt/dialog_pictures.h"
#include "app/qt/empty_grid_dialog.h"
#include "engine/cell_actions.h"
#include "files/macro_recorder.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kNewEmptyGrid = 32966;

} // namespace

class EmptyGridTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void TheDialogOpensOnTheSizeAskedAndKeepsItsDisplayChoiceOffered() {
    FrameWithBoard p(home_);
    CEmptyGrid dialog(
        *p.app, [](int, SymbolMode) { return false; }, Language::English, 6, kSymbolDigits, nullptr);
    QCOMPARE(dialog.EmptyShape, 7);
    QVERIFY(dialog.SizeButton(7)->isChecked());
    QCOMPARE(dialog.EmptyDisplay, kSymbolLetters); // no digits alone on 12 x 12 of 3 x 4
    QVERIFY(!dialog.DisplayRadio(kSymbolDigits)->isEnabled());
    dialog.DisplayRadio(kSymbolMixed)->click();
    dialog.SizeButton(5)->click();
    QCOMPARE(dialog.EmptyDisplay, kSymbolDigits);
  }

  void ManualInputMakesOneEmptyGridThatTakesValuesInTurn() {
    FrameWithBoard p(home_);
    QVERIFY(p.started);
    p.app->Settings().general.askToBeSaved = 0;
    p.dialogs.AnswerDialog(QStringLiteral("CEmptyGrid"), [](QDialog &dialog) {
      auto &empty = static_cast<CEmptyGrid &>(dialog);
      empty.SizeButton(2)->click();
      empty.DisplayRadio(kSymbolLetters)->click();
      empty.ManualInput();
    });
    QVERIFY(StartMacroRecording("new").ok);
    QVERIFY(p.app->Commands().Execute(kNewEmptyGrid));
    EngineContext &ctx = p.app->Engine();
    QCOMPARE(ctx.Geo.GridWidth, 6);
    QCOMPARE(ctx.Grids.MainCount, 1);
    QVERIFY(!ctx.Grids.Main[0].GridVar.Any());
    QCOMPARE(p.app->Game().GameLevel, 1);
    QCOMPARE(p.app->Settings().general.gridCurrDisp, int32_t{kSymbolLetters});
    QCOMPARE(ctx.Grids.FocusCell, 0);
    QCOMPARE(RecordedSteps(home_, "new"), QStringList({"NEW;6;LETTER"})); // the display as chosen

    // Letters typed go into the first cells, one after the other.
    p.Frame().activateWindow();
    GetCurrentView(*p.app)->setFocus();
    for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
      QTest::keyClick(p.Frame().windowHandle(), key);
    QCOMPARE(ctx.Grids.Main[0].Cells[0].Value, 1);
    QCOMPARE(ctx.Grids.Main[0].Cells[1].Value, 2);
    QCOMPARE(ctx.Grids.Main[0].Cells[2].Value, 3);
  }

  void CancellingTheSaveQuestionKeepsTheGrid() {
    FrameWithBoard p(home_);
    p.app->Settings().general.askToBeSaved = 1;
    SetGridSize(p.app->Engine(), 9, 1);
    SetCellValue(p.app->Engine(), p.app->Engine().Grids.Main[0], 4, 7, kActionPlace);
    p.app->MarkDocumentModified("");
    p.dialogs.AnswerMessageBox(QMessageBox::Cancel);
    p.dialogs.AnswerDialog(QStringLiteral("CEmptyGrid"),
                           [](QDialog &dialog) { static_cast<CEmptyGrid &>(dialog).ManualInput(); });
    QVERIFY(p.app->Commands().Execute(kNewEmptyGrid));
    QCOMPARE(p.app->Engine().Geo.GridWidth, 9);
    QCOMPARE(p.app->Engine().Grids.Main[0].Cells[4].Value, 7);
  }

  void TheDialogsPictureIsLoadedWhenItIsThereAndMissedQuietlyWhenNot() {
    QTemporaryDir folder;
    QImage artist(8, 8, QImage::Format_RGB32);
    artist.fill(Qt::yellow);
    QVERIFY(artist.save(folder.filePath("Artist.jpg")));
    const DialogPictures pictures = LoadDialogPictures(folder.path());
    QCOMPARE(pictures.ArtistStatus, 0);
    QVERIFY(pictures.Artist1Status != 0);
    QVERIFY(pictures.Kids.isNull());
  }

  void ADoubleClickOnASizeStartsTheGridAtOnce() {
    FrameWithBoard p(home_);
    p.app->Settings().general.askToBeSaved = 0;
    p.dialogs.AnswerDialog(QStringLiteral("CEmptyGrid"), [](QDialog &dialog) {
      QTest::mouseDClick(static_cast<CEmptyGrid &>(dialog).SizeButton(0), Qt::LeftButton);
    });
    QVERIFY(p.app->Commands().Execute(kNewEmptyGrid));
    QCOMPARE(p.app->Engine().Geo.GridWidth, 4);
  }
};

QTEST_MAIN(EmptyGridTest)
#include "empty_grid_test.moc"
