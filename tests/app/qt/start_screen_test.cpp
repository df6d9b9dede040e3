// The ways into a game: the start screen's buttons and Enter, the Champion, Kids, Quick and
// Double-Triple deals from the catalogue, New Game and New Grid.
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

#include "app/message_line.h"
#include "app/qt/bravo_dialog.h"
#include "app/qt/end_of_game_flow.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/init_grid_dialog.h"
#include "app/qt/picture_button.h"
#include "app/qt/start_routines.h"
#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/update_possibles.h"
#include "tests/view/qt/view_test_support.h"
#include "view/qt/paint_tools.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr CommandId kNewGame = 32888;
constexpr CommandId kNewGrid = 33119;
constexpr CommandId kBackToStartupGrid = 32909;

// The program on a catalogue of empty 4 x 4 text grids, one per name listed.
struct CatalogueStart : FrameWithBoard {
  CatalogueStart(const AppTestHome &home, const QByteArray &catalogue) : FrameWithBoard(home) {
    app->Settings().general.askToBeSaved = 0;
    const QString start = home.StartDirectory();
    QDir(start).mkpath("TextGrid");
    for (const QByteArray &line : catalogue.split('\n')) {
      if (line.isEmpty() || line.startsWith('>'))
        continue;
      QByteArray grid = "Quorbel Mode Texte\r\n4\r\n";
      for (int i = 0; i < 16; ++i)
        grid += "0\r\n";
      WriteAll(start + "/TextGrid/" + line.split(' ').first() + ".txt", grid);
    }
    WriteAll(start + "/GridList.dat", catalogue);
  }
  QByteArray Catalogue(const AppTestHome &home) const {
    return ReadAll(home.StartDirectory() + "/GridList.dat");
  }
  bool PanelHolds(const QString &text) const {
    const MessageRing &ring = app->Messages();
    for (int back = 0; back < 10; ++back)
      if (QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex() - back))).contains(text))
        return true;
    return false;
  }
};

} // namespace

class StartScreenTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void TheDescriptionFollowsTheFocusAndTheChallengeStartsFromEnterAlone() {
    FrameWithBoard p(home_);
    CInitGrid screen(*p.app, Language::English, nullptr);
    QVERIFY(screen.AreaText().startsWith("Welcome"));
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    screen.Button(kAreaKids)->setFocus();
    QCOMPARE(screen.SelectedArea(), static_cast<int>(kAreaKids));
    screen.Button(kAreaDefi)->setFocus();
    QCOMPARE(screen.SelectedArea(), static_cast<int>(kAreaDefi));
    QVERIFY(screen.AreaText().startsWith("Challenge"));
    screen.Button(kAreaDefi)->click();
    QVERIFY(screen.isVisible());
    p.app->Settings().defi.defiInhibit = 1;
    QTest::keyClick(screen.Button(kAreaDefi), Qt::Key_Return);
    QVERIFY(screen.isVisible());
    p.app->Settings().defi.defiInhibit = 0;
    QTest::keyClick(screen.Button(kAreaDefi), Qt::Key_Return);
    QVERIFY(!screen.isVisible());
    QCOMPARE(screen.ChosenArea(), static_cast<int>(kAreaDefi));
  }

  void ACancelledCatalogueBringsTheStartScreenBack() {
    FrameWithBoard p(home_);
    p.dialogs.AnswerDialog(QStringLiteral("CInitGrid"), [](QDialog &dialog) {
      static_cast<CInitGrid &>(dialog).Button(kAreaCatalog)->click();
    });
    const qsizetype before = p.dialogs.Asked().size();
    QVERIFY(p.app->Commands().Execute(kNewGame));
    QCOMPARE(p.dialogs.Asked().mid(before),
             QStringList({"dialog CInitGrid", "dialog CGridList", "dialog CInitGrid"}));
  }

  void ChampionWithEveryGridPlayedStartsTheMarksAgain() {
    CatalogueStart s(home_, ">Sudoku\nFirst - done\nSecond - done\n");
    QVERIFY(StartChampionGame(*s.app));
    QVERIFY(!s.Catalogue(home_).contains("done"));
    QVERIFY(s.PanelHolds("Grid Status initialised to Undo!"));
    QCOMPARE(s.app->Engine().Geo.GridWidth, 4);
    QCOMPARE(s.app->Settings().game.mode, kGameModeChampion);
    QCOMPARE(s.app->Settings().general.displayBarArea, 1);
  }

  void ChampionPlaysTheOnlyGridLeftAndKeepsTheMarks() {
    CatalogueStart s(home_, ">Sudoku\nFirst - done\n>Small\nSecond\nThird - done\n");
    QVERIFY(StartChampionGame(*s.app));
    QCOMPARE(s.app->Settings().catalog.baseType, 1);
    QCOMPARE(s.app->Settings().catalog.baseGrid, 0);
    QVERIFY(s.Catalogue(home_).contains("First - done"));
    QVERIFY(s.Catalogue(home_).contains("Third - done"));
    QVERIFY(!s.PanelHolds("Grid Status initialised"));
  }

  void KidsStartAgainPastTheLastGridAndNewGridDealsTheNext() {
    CatalogueStart s(home_, ">Sudoku\nFirst\n>Enfant-Kids\nKidA\nKidB\n");
    s.app->Settings().game.kidGrid = 2;
    QVERIFY(StartArea(*s.app, kAreaKids));
    QCOMPARE(s.app->Settings().game.kidGrid, 0);
    QCOMPARE(s.app->Settings().catalog.baseType, 1);
    QCOMPARE(s.app->Settings().catalog.baseGrid, 0);
    QCOMPARE(s.app->Settings().game.mode, kGameModeKids);
    QCOMPARE(s.app->Settings().general.gridCurrDisp, 3);
    QVERIFY(s.app->Commands().Execute(kNewGrid));
    QCOMPARE(s.app->Settings().game.kidGrid, 1);
    QCOMPARE(s.app->Settings().catalog.baseGrid, 1);
  }

  void BackToStartupReDealsTheQuickGridUnderWayWithNoHelpShown() {
    CatalogueStart s(home_, ">Zevade Doveve\nQuickA\nQuickB\n");
    s.app->Settings().game.quickGrid = 1;
    FrameSwitches(s.app->Board()).ShowWarning = 1;
    QVERIFY(StartArea(*s.app, kAreaQuick));
    QCOMPARE(FrameSwitches(s.app->Board()).ShowWarning, 0);
    QVERIFY(s.app->Commands().Execute(kBackToStartupGrid));
    QCOMPARE(s.app->Settings().game.quickGrid, 1);
    QCOMPARE(s.app->Settings().catalog.baseGrid, 1);
    QCOMPARE(s.app->Settings().game.mode, kGameModeQuick);
  }

  void QuellaboWithoutSitesSaysSoAndStartsNothing() {
    CatalogueStart s(home_, ">Sudoku\nFirst\n");
    const qsizetype before = s.dialogs.Asked().size();
    QVERIFY(!StartArea(*s.app, kAreaQuellabo));
    QCOMPARE(
        s.dialogs.Asked().mid(before),
        QStringList({"message Quorbel: No Quellabo site: the file QuellaboSite.txt is missing or empty."}));
    QVERIFY(!s.app->State().GridInPlay());
  }

  void DoubleTriplePlaysForTheBestScoreOfItsGridToItsEndReport() {
    CatalogueStart s(home_, ">Double-Triple\nTripleA\n");
    // Two points for a neighbour twice as large, three for four times.
    QByteArray grid = "Quorbel Mode Texte\r\n4\r\n1\r\n";
    for (int i = 1; i < 16; ++i)
      grid += "0\r\n";
    WriteAll(home_.StartDirectory() + "/TextGrid/TripleA.txt", grid + "62;0;3;0;0;0;0;0;0;0;0;0;0;0;0;0\r\n");
    FrameSwitches(s.app->Board()).ShowWarning = 0;
    s.app->Settings().general.gridCurrDisp = kPictureSymbols;
    QVERIFY(StartArea(*s.app, kAreaTriple));
    EngineContext &engine = s.app->Engine();
    QCOMPARE(s.app->Settings().game.mode, kGameModeTriple);
    QCOMPARE(s.app->Settings().general.gridCurrDisp, 0);
    QCOMPARE(FrameSwitches(s.app->Board()).ShowWarning, 1);
    QCOMPARE(TotalSudMissing(engine.Grids), 15); // the player still has every cell to find
    const int32_t best = s.app->Game().TripleMaxScore;
    QVERIFY(best > 0);
    QVERIFY(s.PanelHolds(QStringLiteral("Max score to found: %1").arg(best)));
    QCOMPARE(s.app->Session().Clock.Limit, -1);

    // Filled as the best solution has it, the grid ends with the champion's report.
    QString report;
    s.dialogs.AnswerDialog(QStringLiteral("CBravo"),
                           [&report](QDialog &dialog) { report = static_cast<CBravo &>(dialog).Report(); });
    GridRecord &main = engine.Grids.Main[0];
    for (int cell = 1; cell < 16; ++cell) {
      SetCellValue(engine, main, cell, engine.Grids.RefTab[0].Cells[static_cast<size_t>(cell)].Value,
                   kActionPlace);
      RecomputeAllCandidates(engine);
    }
    // The side panel shows the points the status pane shows, as soon as they are counted.
    CQuorbelView &view = *GetCurrentView(*s.app);
    view.UpdateStatusPanes();
    const QString pane = s.app->MainFrame()->Pane(kPaneScore)->text();
    QVERIFY2(QRegularExpression(QStringLiteral("^Score:\\d{5}$")).match(pane).hasMatch(), qPrintable(pane));
    const QRect panel = ToQRect(view.Layout().Clock);
    const QImage counted = view.PaintDC().copy(panel);
    QCOMPARE(counted, view.RenderView().copy(panel));
    GridSetSolved(*s.app);
    QVERIFY2(report.contains(QStringLiteral("You Get the Max Score of %1").arg(best)), qPrintable(report));
  }
};

QTEST_MAIN(StartScreenTest)
#include "start_screen_test.moc"
