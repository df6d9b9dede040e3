// The scan commands as a player uses them: a grid picture from the clipboard, a file or a folder,
// the value dialog answered, the dictionary reset, and a strip read into the grid and undone.
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "app/qt/main_frame.h"
#include "engine/grid_shape.h"
#include "engine/undo_services.h"
#include "tests/media/qt/grid_drawing.h"
#include "tests/view/qt/view_test_support.h"
#include "view/selection_list.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

struct Scanner : FrameWithBoard {
  explicit Scanner(const AppTestHome &home) : FrameWithBoard(home), start(home.StartDirectory()) {}

  // Every value dialog answered with the drawn digit of its cell, by a click on its button.
  void AnswerWith(const std::vector<int> &values, int cells, int count = 40) {
    for (int i = 0; i < count; ++i)
      dialogs.AnswerDialog("CDialogValue", [values, cells](QDialog &d) {
        const QRegularExpressionMatch where =
            QRegularExpression(R"(c\((\d+),(\d+)\))").match(d.findChild<QLabel *>("where")->text());
        const int value =
            values[static_cast<size_t>(where.captured(2).toInt() * cells + where.captured(1).toInt())];
        d.findChild<QPushButton *>(QStringLiteral("digit%1").arg(value))->click();
      });
  }
  bool Said(const std::string &text) const {
    const MessageRing &ring = app->Messages();
    for (int back = 0; back < 6; ++back)
      if (ring.Line(ring.NewestIndex() - back).Text.find(text) != std::string::npos)
        return true;
    return false;
  }
  int Cell(int cell) const { return app->Engine().Grids.Main[0].Cells[static_cast<size_t>(cell)].Value; }

  QString start;
};

Drawing NineByNine() {
  Drawing d;
  d.Values.assign(81, 0);
  for (int i = 0; i < 81; i += 4)
    d.Values[static_cast<size_t>(i)] = i % 9 + 1;
  return d;
}

} // namespace

class ScanCommandsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void aClipboardPictureBecomesTheGrid() {
    Scanner s(home_);
    QVERIFY(s.started);
    const Drawing d = NineByNine();
    QGuiApplication::clipboard()->setImage(Render(d));
    s.AnswerWith(d.Values, 9);
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ImportClipboard));
    QVERIFY(
        ReadAll(s.start + "/ScanGrid.txt").startsWith("Quorbel Mode Texte\r\n9\r\n;Start Save Grid1\r\n"));
    QVERIFY(s.Said("New Grid 9x9 scanned from Clipboard."));
    for (int cell = 0; cell < 81; ++cell)
      QCOMPARE(s.Cell(cell), d.Values[static_cast<size_t>(cell)]);
    QVERIFY(s.dialogs.Asked().count("dialog CDialogValue") <= 9);

    // A picture with no grid: the error, and nothing opened.
    QImage blank(200, 200, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QGuiApplication::clipboard()->setImage(blank);
    QFile::remove(s.start + "/ScanGrid.txt");
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ImportClipboard));
    QVERIFY(s.Said("Error scan Grid from Clipboard. Please verify if image or increase resolution"));
    QVERIFY(!QFile::exists(s.start + "/ScanGrid.txt"));
  }

  void aPictureFileGivesTheGridItsNameOrSaysNoGridWasFound() {
    Scanner s(home_);
    QVERIFY(s.started);
    const Drawing d = NineByNine();
    QVERIFY(Render(d).save(s.start + "/Sunday puzzle.png", "PNG"));
    s.AnswerWith(d.Values, 9);
    s.dialogs.AnswerFileName(s.start + "/Sunday puzzle.png");
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ImportFile));
    QVERIFY(s.Said("New Grid 9x9 scanned from File."));
    QCOMPARE(s.Cell(0), 1);
    QCOMPARE(s.app->MainFrame()->windowTitle(), QStringLiteral("Sunday puzzle - Quorbel"));
    QVERIFY(!s.app->GetCurrentDocument()->IsModified());
    QVERIFY(s.app->GetCurrentDocument()->PathName().empty());

    QImage blank(300, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(blank.save(s.start + "/blank.png", "PNG"));
    s.dialogs.AnswerFileName(s.start + "/blank.png");
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ImportFile));
    QVERIFY(s.Said("Error scan Grid from File. Please verify if image or increase resolution"));
    QCOMPARE(s.app->MainFrame()->windowTitle(), QStringLiteral("Sunday puzzle - Quorbel"));
    QCOMPARE(s.Cell(0), 1);
  }

  void aFolderOfPicturesGivesATextGridEach() {
    Scanner s(home_);
    QVERIFY(s.started);
    const Drawing d = NineByNine();
    const QString folder = s.start + "/pictures";
    QDir().mkpath(folder);
    for (const QString name : {"a.bmp", "b.bmp", "C.BMP"})
      QVERIFY(Render(d).save(folder + "/" + name, "BMP"));
    Render(d).save(folder + "/other.png", "PNG"); // another kind: left alone
    s.AnswerWith(d.Values, 9);
    s.dialogs.AnswerFileName(folder + "/a.bmp");
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ImportDirectory));
    QVERIFY(QFile::exists(folder + "/a.txt") && QFile::exists(folder + "/b.txt") &&
            QFile::exists(folder + "/C.txt"));
    QVERIFY(!QFile::exists(folder + "/other.txt"));
    QVERIFY(
        s.Said("3 New Grids scanned from Directory !" + QDir(folder).absolutePath().toStdString() + "!-4!."));

    // Reset Dico: an empty dictionary saved, the threshold at 50.
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ResetDico));
    const QList<QByteArray> lines = ReadAll(s.start + "/RefSkel.txt").split('\n');
    QCOMPARE(lines[0].trimmed(), QByteArray("0"));
    int used = 0;
    for (int slot = 0; slot < 100; ++slot)
      used += lines[static_cast<qsizetype>(2 + slot * 37)].trimmed().toInt();
    QCOMPARE(used, 0);
    QCOMPARE(s.app->Settings().scan.gridLevel, 50);
  }

  void aLineStripFillsFromTheSelectedCellAndUndoes() {
    Scanner s(home_);
    QVERIFY(s.started);
    SetGridShape(s.app->Engine(), 5, 1, 0);
    Drawing d;
    d.Cells = 4;
    d.BlockW = d.BlockH = 4;
    d.Values = {3, 9, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const QImage whole = Render(d);
    QGuiApplication::clipboard()->setImage(whole.copy(0, 0, whole.width(), d.Margin + d.CellPx + 2));
    s.AnswerWith(d.Values, 4);
    SetFocusCell(GetCurrentView(*s.app)->Selection(), s.app->Engine().Grids, s.app->Engine().Geo, 2 * 9 + 7,
                 0);
    QVERIFY(s.app->Commands().ExecuteCommand(Cmd::ScanLine));
    QVERIFY(s.Said("Line 4x1 scanned from Clipboard."));
    QCOMPARE(s.Cell(2 * 9 + 7), 3);
    QCOMPARE(s.Cell(2 * 9 + 8), 9);
    QCOMPARE(s.Cell(2 * 9 + 0), 1);
    QCOMPARE(s.Cell(2 * 9 + 1), 4);
    UndoLastState(s.app->Engine());
    QCOMPARE(s.Cell(2 * 9 + 7), 0);
    QCOMPARE(s.Cell(2 * 9 + 1), 0);
    // The expert's key for it does nothing for a player.
    QVERIFY(!s.app->Settings().parameter.qrbDebug);
    s.app->Commands().Execute(33236);
    QCOMPARE(s.Cell(2 * 9 + 7), 0);
  }

private:
  AppTestHome home_;
};

QTEST_MAIN(ScanCommandsTest)
#include "scan_commands_test.moc"
