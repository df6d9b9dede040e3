// Select New Grid in the running program: the catalogue's types and grids, keywords, opening a
// grid that a save then marks as under way.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "app/qt/grid_list_dialog.h"
#include "app/qt/icon_list_box.h"
#include "files/macro_recorder.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kSelectNewGrid = 32964;

// A 4 x 4 text grid: the size line, then sixteen empty cells.
QByteArray EmptyTextGrid() {
  QByteArray text = "Quorbel Mode Texte\r\n4\r\n";
  for (int i = 0; i < 16; ++i)
    text += "0\r\n";
  return text;
}

} // namespace

class GridListTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void WithoutACatalogueTheDialogSaysSo() {
    FrameWithBoard p(home_);
    QFile::remove(home_.StartDirectory() + "/GridList.dat");
    CGridList dialog(*p.app, Language::English, nullptr);
    QVERIFY(!dialog.HasCatalog());
    QCOMPARE(dialog.TypeList()->count(), 0);
    QVERIFY(!dialog.OnSelect());
    QVERIFY(!dialog.OnNextGrid());
  }

  void ASelectedGridOpensAndASaveMarksItRunning() {
    FrameWithBoard p(home_);
    QVERIFY(p.started);
    p.app->Settings().general.askToBeSaved = 0;
    const QString start = home_.StartDirectory();
    QDir(start).mkpath("TextGrid");
    WriteAll(start + "/TextGrid/Four1.txt", EmptyTextGrid());
    WriteAll(start + "/TextGrid/Four2.txt", EmptyTextGrid());
    WriteAll(start + "/GridList.dat", ">Sudoku\n=Classiques\n!Classics\n>Small\n=Petites\n!Small ones\n"
                                      "Four1\nFour2 - fait\nGone\n");
    p.dialogs.AnswerDialog(QStringLiteral("CGridList"), [&p](QDialog &dialog) {
      auto &list = static_cast<CGridList &>(dialog);
      QCOMPARE(list.TypeList()->count(), 2);
      list.TypeList()->setCurrentRow(1);
      QCOMPARE(list.GridList()->count(), 3);
      QCOMPARE(list.GridList()->item(1)->text(), QStringLiteral("Four2 - done"));
      // The selected grid's comment and level go into its text grid as they are given.
      list.GridList()->setCurrentRow(0); // a change of the selection shows the grid at once
      QCOMPARE(QString::fromStdString(p.app->GetCurrentDocument()->Title()), QStringLiteral("Four1"));
      QCOMPARE(list.GridComment()->text(), QString());
      list.GridComment()->setText(QStringLiteral("First small one"));
      emit list.GridComment()->textEdited(list.GridComment()->text());
      QVERIFY(list.SetSelectedLevel(3));
      list.GridList()->setCurrentRow(2); // "Gone": no text grid to write into
      QVERIFY(!list.GridComment()->isEnabled());
      QVERIFY(!list.SetSelectedLevel(2));
      list.Keywords()->setText(QStringLiteral("FOUR1"));
      QCOMPARE(list.GridList()->count(), 1);
      list.GridList()->setCurrentRow(0);
      QVERIFY(list.OnSelect());
    });
    QVERIFY(StartMacroRecording("catalog").ok);
    QVERIFY(p.app->Commands().Execute(kSelectNewGrid));
    QCOMPARE(p.app->Settings().catalog.baseType, 1);
    QCOMPARE(RecordedSteps(home_, "catalog"), QStringList{"LOADT;TextGrid/Four1.txt"});
    QCOMPARE(p.app->Engine().Geo.GridWidth, 4);
    const QByteArray four1 = ReadAll(start + "/TextGrid/Four1.txt");
    QVERIFY(four1.contains("=First small one\r\n"));
    QVERIFY(four1.contains("\r\nN3\r\n"));
    QCOMPARE(ReadAll(start + "/GridListCom.txt"), QByteArray("Four1\nFour2\nGone\n"));
    QCOMPARE(p.app->Settings().catalog.baseType, 1);
    QCOMPARE(p.app->Settings().catalog.baseGrid, 0);

    // Saved into the catalogue's own grid folder, the grid is now found there.
    QDir(start).mkpath("SudGrid");
    p.dialogs.AnswerFileName(start + "/SudGrid/Four1.sud");
    QVERIFY(p.app->GetCurrentDocument()->OnFileSave());
    QVERIFY(QFile::exists(start + "/SudGrid/Four1.sud"));
    const QByteArray catalogue = ReadAll(start + "/GridList.dat");
    QVERIFY2(catalogue.contains("\nFour1 - running\n"), catalogue.constData());
    QVERIFY(catalogue.contains("\nFour2 - done\n"));
  }
};

QTEST_MAIN(GridListTest)
#include "grid_list_test.moc"
