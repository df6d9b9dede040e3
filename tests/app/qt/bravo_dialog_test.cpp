// The congratulation dialog: praise or taunt by the mark, with the picture drawn for it, the
// choices it offers, and the game's counters carried through grid files.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "app/qt/bravo_dialog.h"
#include "app/qt/end_of_game_flow.h"
#include "app/static_texts.h"
#include "engine/update_possibles.h"
#include "platform/random.h"
#include "solver/one_line_grid.h"
#include "tests/app/qt/app_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr std::string_view kPuzzle =
    "400000085000008003087093010000002004305001070000000000600000000070109200102607000";
constexpr std::string_view kSolution =
    "413726985956418723287593416761852394345961872829374651698245137574139268132687549";
constexpr int kPictureFrames = 8; // as the picture tool draws them

bool OneOf(const QString &line, const auto &remarks) {
  for (const PictureRemark &remark : remarks)
    if (line == QString::fromUtf8(remark.english.data(), static_cast<qsizetype>(remark.english.size())))
      return true;
  return false;
}

} // namespace

class BravoDialogTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  std::unique_ptr<StartedApp> started_;
  int64_t seconds_ = 60;
  int redoGrids_ = 0;

  CQuorbelApp &App() { return *started_->app; }
  EngineContext &Engine() { return App().Engine(); }

  // The pictures stand beside the program, as the build puts them.
  void CopyPictures() {
    const QString from = QStringLiteral(QUORBEL_TEST_DATA "/../../data/Chess");
    const QString to = home_.StartDirectory() + QStringLiteral("/Chess");
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList({QStringLiteral("*.gif")}, QDir::Files)) {
      QFile::remove(to + "/" + name);
      QVERIFY(QFile::copy(from + "/" + name, to + "/" + name));
    }
  }
  // A Medium game of `line`, its clock reading seconds_.
  void StartGame(std::string_view line, Language language = Language::English) {
    started_ = std::make_unique<StartedApp>(home_, language);
    QVERIFY(started_->started);
    App().Services().gameSeconds = [this] { return seconds_; };
    App().Commands().SetHandler(Cmd::BackToStartupGrid, [this](CommandId) { ++redoGrids_; });
    QCOMPARE(QString::fromStdString(LoadOneLineGrid(Engine(), line, 0)), QString());
    UpdatePossibles(Engine(), -1, -1, -1, 1);
    StartGameTally(App(), 2, 51);
  }
  std::unique_ptr<CBravo> Evaluated() {
    auto bravo = std::make_unique<CBravo>(App().CurrentLanguage(), App().StartDir, false);
    EndOfGameEvaluate(App(), *bravo);
    return bravo;
  }

private slots:
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    CopyPictures();
  }
  void init() {
    seconds_ = 60;
    redoGrids_ = 0;
    SeedRandom(7);
  }
  void cleanup() { started_.reset(); }

  void AGoodMarkIsPraisedWithItsPicture() {
    StartGame(kSolution);
    seconds_ = 30;
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QVERIFY(App().Game().GameScore >= 10);
    QCOMPARE(bravo->Score(), QStringLiteral("%1/20").arg(static_cast<int>(App().Game().GameScore)));
    QVERIFY2(OneOf(bravo->Praise(), PraiseMessages), qPrintable(bravo->Praise()));
    QVERIFY(bravo->Report().startsWith(QStringLiteral("                 Congratulations\n\n")));
    QVERIFY(bravo->Report().contains(QStringLiteral("solved in 00:00:30.")));
    QCOMPARE(bravo->Picture().FrameCount(), kPictureFrames);
    QCOMPARE(App().Game().GameFinished, 1);
    // QUORBEL_VIEW_SHOTS=<folder> keeps the dialog as it looks.
    if (qEnvironmentVariableIsSet("QUORBEL_VIEW_SHOTS"))
      bravo->grab().save(qEnvironmentVariable("QUORBEL_VIEW_SHOTS") + QStringLiteral("/bravo.png"));
  }

  void AnUnfinishedGameIsTauntedWithNothing() {
    StartGame(kPuzzle);
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QCOMPARE(bravo->Score(), QStringLiteral("0/20"));
    QVERIFY2(OneOf(bravo->Praise(), TauntMessages), qPrintable(bravo->Praise()));
    QVERIFY(bravo->Report().startsWith(QStringLiteral("      Too bad, Grid not finalized\n\n")));
    QCOMPARE(bravo->Picture().FrameCount(), kPictureFrames);
    QCOMPARE(App().Profile()->GetInt("BESTSCORE", "SCORE-MEDIUM", -1), -1);
  }

  void ALongGameIsTauntedToo() {
    StartGame(kSolution);
    seconds_ = 4 * 3600;
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QVERIFY(App().Game().GameScore < 10);
    QVERIFY(OneOf(bravo->Praise(), TauntMessages));
  }

  void ThePictureLoopsWhileTheDialogIsOpen() {
    StartGame(kSolution);
    const std::unique_ptr<CBravo> bravo = Evaluated();
    CBravoPicture &picture = const_cast<CBravoPicture &>(bravo->Picture());
    QCOMPARE(picture.CurrentFrame(), 0);
    picture.Advance(130);
    QCOMPARE(picture.CurrentFrame(), 1);
    picture.Advance(130 * (kPictureFrames - 1));
    QCOMPARE(picture.CurrentFrame(), 0);
  }

  void AMissingPictureLeavesTheTexts() {
    StartGame(kSolution);
    App().Settings().directory.animated = home_.StartDirectory().toStdString() + "/nowhere/";
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QCOMPARE(bravo->Picture().FrameCount(), 0);
    QVERIFY(!bravo->Praise().isEmpty());
    QVERIFY(!bravo->Score().isEmpty());
  }

  void TheDialogIsAskedOnceAndItsChoiceRuns() {
    StartGame(kSolution);
    started_->dialogs.AnswerDialog("CBravo", [](QDialog &dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Finished"));
      dialog.findChild<QPushButton *>("redoGrid")->click();
    });
    ShowEndOfGame(App());
    ShowEndOfGame(App());
    QCOMPARE(started_->dialogs.Asked().count(QStringLiteral("dialog CBravo")), 1);
    QCOMPARE(redoGrids_, 1);
  }

  void APausedGameWaitsForItsEnd() {
    StartGame(kSolution);
    App().Paused = 1;
    GridSetSolved(App());
    QCOMPARE(started_->dialogs.Asked().count(QStringLiteral("dialog CBravo")), 0);
    QCOMPARE(App().Game().GameFinished, 0);
  }

  void AnUnfinishedQuickGameOffersNoNewGrid() {
    CBravo quick(Language::French, home_.StartDirectory().toStdString(), true);
    QCOMPARE(quick.windowTitle(), QStringLiteral("Jeu Terminée"));
    QVERIFY(quick.findChild<QPushButton *>("newGrid")->isHidden());
    QCOMPARE(quick.findChild<QPushButton *>("newGame")->text(), QStringLiteral("Nouveau Jeu"));
  }

  void GridFilesCarryTheCountersTheScoreAndTheStopwatches() {
    StartGame(kPuzzle);
    GameTally &game = App().Game();
    game.CellsFound = 12;
    game.SolverHelpCount = 3;
    game.RightClickUses = 4;
    game.ErrorCount = 2;
    game.GameScore = 17.5f;
    game.UsageTimers[kTimerProbables].Seconds = 40;
    SudGameState file;
    App().Services().gatherGameState(file);
    file.SaveTick = TimeGetTime();
    StartGameTally(App(), 1, 0);
    App().Services().gameStateLoaded(file);
    QCOMPARE(game.GameLevel, 2);
    QCOMPARE(game.StartMissing, 51);
    QCOMPARE(game.CellsFound, 12);
    QCOMPARE(game.SolverHelpCount, 3);
    QCOMPARE(game.RightClickUses, 4);
    QCOMPARE(game.ErrorCount, 2);
    QCOMPARE(game.GameScore, 17.5f);
    QCOMPARE(game.UsageTimers[kTimerProbables].Seconds, 40);

    // A text grid counts nothing: the game starts from its open cells.
    SudGameState text;
    text.GameWords = {3, 0, 0, 0, 0, 0, 0};
    App().Services().gameStateLoaded(text);
    QCOMPARE(game.GameLevel, 3);
    QCOMPARE(game.StartMissing, 56);
    QCOMPARE(game.StartSudMissing, 56);
  }
};

QTEST_MAIN(BravoDialogTest)
#include "bravo_dialog_test.moc"
