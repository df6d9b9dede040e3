// The Sudoku menu's solving commands in the running program, and the end of a game: the panel
// lines in the player's language, the undo steps, the helps charged, the mark, the best score
// of the level and the congratulation dialog shown once.
#include <QApplication>
#include <QPushButton>
#include <QtTest>
#include <cmath>

#include "app/message_line.h"
#include "app/qt/bravo_dialog.h"
#include "app/qt/score_dialog.h"
#include "app/time_limit.h"
#include "tests/app/qt/game_in_play.h"

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

constexpr int kGameSeconds = 300;

} // namespace

class SolveMenuTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  std::unique_ptr<GameInPlay> game_;
  int newGrids_ = 0;

  CQuorbelApp &App() { return *game_->app; }
  EngineContext &Engine() { return App().Engine(); }
  bool Run(CommandId id) { return App().Commands().Execute(id); }
  QString Message() {
    const MessageRing &ring = App().Messages();
    return QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex())));
  }
  void StartGame(Language language = Language::English) {
    game_ = std::make_unique<GameInPlay>(home_, language, kPuzzle);
    QVERIFY(game_->started);
    App().Commands().SetHandler(Cmd::NewGrid, [this](CommandId) { ++newGrids_; });
  }

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void init() { newGrids_ = 0; }
  void cleanup() { game_.reset(); }

  void TheProposalPlacesTheNextValueAndNamesItsMethod() {
    StartGame();
    const std::string before = game_->Line();
    QVERIFY(Run(kPropose));
    const std::string after = game_->Line();
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
    StartGame(Language::French);
    App().Settings().method.method = 0;
    QVERIFY(Run(kPropose));
    QCOMPARE(Message(), QStringLiteral("==> Pas de proposition trouvée. Modifier vos méthodes (F5)."));
    QCOMPARE(Engine().Undo.ptUndo, 0);
  }

  void OneLoopReportsTheValuesItPlaced() {
    StartGame();
    const int open = Engine().TotalOpenCells;
    QVERIFY(Run(kOneLoop));
    const int placed = open - Engine().TotalOpenCells;
    QVERIFY(placed > 0);
    QCOMPARE(Message(), QStringLiteral("==> Next solve iteration: %1 found").arg(placed));
    QCOMPARE(App().Game().SolverHelpCount, placed);
    QCOMPARE(Engine().Undo.ptUndo, 1);
  }

  void TheFullSolveCompletesTheGridChargesItAndEndsTheGameOnce() {
    StartGame();
    App().Settings().method.method = 0x1FFFFF; // Random finishes what the others cannot
    const int open = Engine().TotalOpenCells;
    QString report;
    game_->dialogs.AnswerDialog(
        "CBravo", [&report](QDialog &dialog) { report = static_cast<CBravo &>(dialog).Report(); });
    QVERIFY(Run(kFullSolve));
    QCOMPARE(game_->Line(), std::string(kSolution));
    QCOMPARE(Message(), QStringLiteral("==> Try to Solve: Successfull (%1 found)").arg(open));
    QCOMPARE(App().Game().SolverHelpCount, open);
    QCOMPARE(game_->BravoShown(), 1);
    QVERIFY2(report.contains(QStringLiteral("Use of Help : %1\n").arg(open)), qPrintable(report));
    QCOMPARE(game_->View().Game().GameFinished, 1);
    QVERIFY(game_->View().Game().GameScore < 10); // every value was a help
    // Solved again: the game has ended already.
    GridSetSolved(App());
    QCOMPARE(game_->BravoShown(), 1);
  }

  void TheSearchReportsTheOneSolution() {
    StartGame();
    QVERIFY(Run(kSearch));
    QCOMPARE(Message(), QStringLiteral("==> In total: Only 1 grid found in 0s (Next Pg to see it)"));
    QCOMPARE(game_->Line(), std::string(kPuzzle)); // the solution is stored, the grid unchanged
  }

  void BackToTheGoodSolutionUndoesTheWrongMoves() {
    StartGame();
    game_->Play(1, 1); // right
    game_->Play(2, 2); // wrong: the solution has 3
    game_->Play(3, 3); // wrong too
    QVERIFY(Run(kBackGood));
    QVERIFY2(Message().startsWith("==> Good Solution found in "), qPrintable(Message()));
    QCOMPARE(game_->Line().substr(0, 4), std::string("4100"));
    QCOMPARE(Engine().Undo.ptUndo, 1);
  }

  void AGameFinishedWithoutHelpGetsItsMarkAndItsBestScore() {
    StartGame();
    game_->SetSeconds(kGameSeconds);
    game_->dialogs.AnswerDialog("CBravo",
                                [](QDialog &dialog) { dialog.findChild<QPushButton *>("newGrid")->click(); });
    // The player fills every cell; the last move ends the game.
    for (size_t i = 0; i < kPuzzle.size(); ++i)
      if (kPuzzle[i] == '0')
        game_->Play(static_cast<int>(i), kSolution[i] - '0');
    QCOMPARE(Engine().TotalOpenCells, 0);

    // The mark from the counters: no help, no undo; 5 minutes of the Medium 9 x 9 limit.
    const double limitMinutes =
        ComputeTimeLimit(App().Settings().gameDuration, 9, kMedium, App().Settings().game.mode) / 60.0;
    double raw = 20.0 - 20.0 * (kGameSeconds / 60.0) / limitMinutes;
    if (raw < 10)
      raw = 10.0 * std::exp(raw / 10.0) / std::exp(1.0);
    // The score pane then says the mark the end window gives; the best score keeps the hundredths.
    QCOMPARE(game_->View().Game().GameScore, static_cast<float>(static_cast<int>(raw)));
    QCOMPARE(game_->BravoShown(), 1);
    QCOMPARE(newGrids_, 1); // the player's choice in the dialog

    AbstractProfileStore &profile = *App().Profile();
    const int hundredths = profile.GetInt("BESTSCORE", "SCORE-MEDIUM", -1);
    QVERIFY(std::abs(hundredths / 100.0 - raw) < 0.011);
    QCOMPARE(QString::fromStdString(profile.GetString("BESTSCORE", "TIME-MEDIUM", "")),
             QStringLiteral("00:05:00"));
    QString shown;
    game_->dialogs.AnswerDialog("CDialogScore", [&shown](QDialog &dialog) {
      shown = static_cast<CDialogScore &>(dialog).LevelBlock(kMedium);
    });
    QVERIFY(Run(kBestScore));
    QCOMPARE(shown,
             QStringLiteral("9\nClassic\n00:05:00\n%1").arg(QString::number(hundredths / 100.0, 'f', 2)));
    GridSetSolved(App());
    QCOMPARE(game_->BravoShown(), 1);
  }
};

QTEST_MAIN(SolveMenuTest)
#include "solve_menu_test.moc"
