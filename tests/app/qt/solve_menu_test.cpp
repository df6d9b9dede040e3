// The Sudoku menu's solving commands in the running program, and the end of a game: the panel
// lines in the player's language, the undo steps, the helps charged, the mark, the best score
// of the level and the congratulation dialog shown once.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "app/best_scores.h"
#include "app/message_line.h"
#include "app/qt/bravo_dialog.h"
#include "app/qt/end_of_game_flow.h"
#include "app/qt/score_dialog.h"
#include "app/time_limit.h"
#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "solver/one_line_grid.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

// English menu identifiers.
constexpr CommandId kPropose = 32910;
constexpr CommandId kOneLoop = 32911;
constexpr CommandId kFullSolve = 32912;
constexpr CommandId kSearch = 32913;
constexpr CommandId kBackGood = 32937;
constexpr CommandId kBestScore = 33143;

// A Medium puzzle and its one solution.
constexpr std::string_view kPuzzle =
    "400000085000008003087093010000002004305001070000000000600000000070109200102607000";
constexpr std::string_view kSolution =
    "413726985956418723287593416761852394345961872829374651698245137574139268132687549";

constexpr int kGameSeconds = 300;
constexpr int kMedium = 2;

} // namespace

class SolveMenuTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  std::unique_ptr<StartedApp> started_;
  int newGrids_ = 0;

  CQuorbelApp &App() { return *started_->app; }
  EngineContext &Engine() { return App().Engine(); }
  GridRecord &Grid() { return Engine().Grids.Main[0]; }
  ScriptedDialogService &Dialogs() { return started_->dialogs; }
  bool Run(CommandId id) { return App().Commands().Execute(id); }
  QString Message(int back = 0) {
    const MessageRing &ring = App().Messages();
    return QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex() - back)));
  }
  int BravoShown() { return static_cast<int>(Dialogs().Asked().count(QStringLiteral("dialog CBravo"))); }

  // A new Medium game of `line` in the running program, its clock reading kGameSeconds.
  void StartGame(Language language, std::string_view line) {
    started_ = std::make_unique<StartedApp>(home_, language);
    QVERIFY(started_->started);
    App().Services().gameSeconds = [] { return int64_t{kGameSeconds}; };
    App().Commands().SetHandler(Cmd::NewGrid, [this](CommandId) { ++newGrids_; });
    QCOMPARE(QString::fromStdString(LoadOneLineGrid(Engine(), line, 0)), QString());
    UpdatePossibles(Engine(), -1, -1, -1, 1);
    StartGameTally(App(), kMedium, Engine().TotalOpenCells);
  }
  // The player's move as the board makes it.
  void Play(int cell, int value) {
    SaveUndoState(Engine());
    SetCellValue(Engine(), Grid(), cell, value, kActionPlace);
    UpdatePossibles(Engine(), -1, -1, -1, 1);
  }
  std::string Line() { return OneLineOfGrid(Engine(), Grid()); }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void init() { newGrids_ = 0; }
  void cleanup() { started_.reset(); }

  void TheProposalPlacesTheNextValueAndNamesItsMethod() {
    StartGame(Language::English, kPuzzle);
    const std::string before = Line();
    QVERIFY(Run(kPropose));
    const std::string after = Line();
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
      if (before[i] != after[i]) {
        ++changed;
        QCOMPARE(before[i], '0'); // no value that stood was changed
        QCOMPARE(after[i], kSolution[i]);
      }
    QCOMPARE(changed, 1);
    QVERIFY2(Message().startsWith("==> Propose: Cell found with method "), qPrintable(Message()));
    QCOMPARE(Engine().Undo.ptUndo, 1);
    QCOMPARE(App().Game().SolverHelpCount, 1);
  }

  void TheProposalSpeaksFrenchToAFrenchPlayer() {
    StartGame(Language::French, kPuzzle);
    App().Settings().method.method = 0;
    QVERIFY(Run(kPropose));
    QCOMPARE(Message(), QStringLiteral("==> Pas de proposition trouvée. Modifier vos méthodes (F5)."));
    QCOMPARE(Engine().Undo.ptUndo, 0);
  }

  void OneLoopReportsTheValuesItPlaced() {
    StartGame(Language::English, kPuzzle);
    const int open = Engine().TotalOpenCells;
    QVERIFY(Run(kOneLoop));
    const int placed = open - Engine().TotalOpenCells;
    QVERIFY(placed > 0);
    QCOMPARE(Message(), QStringLiteral("==> Next solve iteration: %1 found").arg(placed));
    QCOMPARE(App().Game().SolverHelpCount, placed);
    QCOMPARE(Engine().Undo.ptUndo, 1);
  }

  void TheFullSolveCompletesTheGridChargesItAndEndsTheGameOnce() {
    StartGame(Language::English, kPuzzle);
    App().Settings().method.method = 0x1FFFFF;
    const int open = Engine().TotalOpenCells;
    QVERIFY(Run(kFullSolve));
    QCOMPARE(Line(), std::string(kSolution));
    QCOMPARE(Message(), QStringLiteral("==> Try to Solve: Successfull (%1 found)").arg(open));
    QCOMPARE(App().Game().SolverHelpCount, open);
    QCOMPARE(BravoShown(), 1);
    QCOMPARE(App().Game().GameFinished, 1);
    // Solved again: the game has ended already.
    GridSetSolved(App());
    QCOMPARE(BravoShown(), 1);
  }

  void TheSearchReportsTheOneSolution() {
    StartGame(Language::English, kPuzzle);
    QVERIFY(Run(kSearch));
    QCOMPARE(Message(), QStringLiteral("==> In total: Only 1 grid found in 0s (Next Pg to see it)"));
    QCOMPARE(Line(), std::string(kPuzzle)); // the solution is stored, the grid unchanged
  }

  void BackToTheGoodSolutionUndoesTheWrongMoves() {
    StartGame(Language::English, kPuzzle);
    Play(1, 1); // right
    Play(2, 2); // wrong: the solution has 3
    Play(3, 3); // wrong too
    QVERIFY(Run(kBackGood));
    QVERIFY2(Message().startsWith("==> Good Solution found in "), qPrintable(Message()));
    QCOMPARE(Line().substr(0, 4), std::string("4100"));
    QCOMPARE(Engine().Undo.ptUndo, 1);
  }

  void AGameFinishedWithoutHelpGetsItsMarkAndItsBestScore() {
    StartGame(Language::English, kPuzzle);
    // The player fills every cell; the last move solves the grid.
    for (size_t i = 0; i < kPuzzle.size(); ++i)
      if (kPuzzle[i] == '0')
        Play(static_cast<int>(i), kSolution[i] - '0');
    QCOMPARE(Engine().TotalOpenCells, 0);
    Dialogs().AnswerDialog("CBravo",
                           [](QDialog &dialog) { dialog.findChild<QPushButton *>("newGrid")->click(); });
    GridSetSolved(App());

    // The mark from the counters: no help, no undo; 5 minutes of the Medium 9 x 9 limit.
    const double limitMinutes =
        ComputeTimeLimit(App().Settings().gameDuration, 9, kMedium, App().Settings().game.mode) / 60.0;
    double raw = 20.0 - 20.0 * (kGameSeconds / 60.0) / limitMinutes;
    if (raw < 10)
      raw = 10.0 * std::exp(raw / 10.0) / std::exp(1.0);
    const int mark = static_cast<int>(raw);
    QCOMPARE(BravoShown(), 1);
    QCOMPARE(static_cast<int>(App().Game().GameScore), mark);
    QCOMPARE(App().Game().GameFinished, 1);
    QCOMPARE(newGrids_, 1); // the player's choice in the dialog

    AbstractProfileStore &profile = *App().Profile();
    QCOMPARE(profile.GetInt("BESTSCORE", "SCORE-MEDIUM", -1), static_cast<int>(App().Game().GameScore * 100));
    QCOMPARE(QString::fromStdString(profile.GetString("BESTSCORE", "TIME-MEDIUM", "")),
             QStringLiteral("00:05:00"));
    QString shown;
    Dialogs().AnswerDialog("CDialogScore", [&shown](QDialog &dialog) {
      shown = static_cast<CDialogScore &>(dialog).LevelBlock(kMedium);
    });
    QVERIFY(Run(kBestScore));
    QCOMPARE(shown,
             QStringLiteral("9\nClassic\n00:05:00\n%1")
                 .arg(QString::number(profile.GetInt("BESTSCORE", "SCORE-MEDIUM", 0) / 100.0, 'f', 2)));
    GridSetSolved(App());
    QCOMPARE(BravoShown(), 1);
  }
};

QTEST_MAIN(SolveMenuTest)
#include "solve_menu_test.moc"
