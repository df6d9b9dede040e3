// The congratulation dialog: praise or taunt by the mark, with the picture drawn for it, the
// choices it offers, and the game's counters carried through grid files.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <limits>
#include <memory>

#include "app/app_random.h"
#include "app/qt/bravo_dialog.h"
#include "app/qt/frame_command_support.h"
#include "app/static_texts.h"
#include "tests/app/qt/game_in_play.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kPictureFrames = 8; // as the picture tool draws them
constexpr int kFrameMs = 120;
constexpr int kStartSpreadMs = 1000;
constexpr int kOpenCells = 56;

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
  std::unique_ptr<GameInPlay> game_;
  int redoGrids_ = 0;

  CQuorbelApp &App() { return *game_->app; }
  GameCounters &Counters() { return game_->View().Game(); }

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
  void StartGame(std::string_view line, int64_t seconds = 60) {
    game_ = std::make_unique<GameInPlay>(home_, Language::English, line);
    QVERIFY(game_->started);
    App().Commands().SetHandler(Cmd::BackToStartupGrid, [this](CommandId) { ++redoGrids_; });
    game_->SetSeconds(seconds);
  }
  std::unique_ptr<CBravo> Evaluated() {
    auto bravo = std::make_unique<CBravo>(App().CurrentLanguage(), App().ProgramDirectory(), false,
                                          App().CellPictures());
    EndOfGameEvaluate(App(), *bravo);
    return bravo;
  }

private slots:
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    CopyPictures();
  }
  void init() {
    redoGrids_ = 0;
    SeedRandom(7);
  }
  void cleanup() { game_.reset(); }

  void AGoodMarkIsPraisedWithItsPicture() {
    StartGame(kSolution, 30);
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QVERIFY(Counters().GameScore >= 10);
    QCOMPARE(bravo->Score(), QStringLiteral("%1/20").arg(static_cast<int>(Counters().GameScore)));
    QVERIFY2(OneOf(bravo->Praise(), PraiseMessages), qPrintable(bravo->Praise()));
    QVERIFY(bravo->Report().startsWith(QStringLiteral("                 Congratulations\n\n")));
    QVERIFY(bravo->Report().contains(QStringLiteral("solved in 00:00:30.")));
    QCOMPARE(bravo->Picture().FrameCount(), kPictureFrames);
    QCOMPARE(Counters().GameFinished, 1);
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
    QVERIFY(bravo->Report().contains(QStringLiteral("Number of cells found: 0 of %1\n").arg(kOpenCells)));
    QCOMPARE(bravo->Picture().FrameCount(), kPictureFrames);
    QCOMPARE(App().Profile()->GetInt("BESTSCORE", "SCORE-MEDIUM", -1), -1);
  }

  void ALongGameIsTauntedToo() {
    StartGame(kSolution, 4 * 3600);
    const std::unique_ptr<CBravo> bravo = Evaluated();
    QVERIFY(Counters().GameScore < 10);
    QVERIFY(OneOf(bravo->Praise(), TauntMessages));
  }

  void ThePictureLoopsWhileTheDialogIsOpen() {
    StartGame(kSolution);
    const std::unique_ptr<CBravo> bravo = Evaluated();
    CBravoPicture &picture = const_cast<CBravoPicture &>(bravo->Picture());
    QCOMPARE(picture.CurrentFrame(), 0);
    // It starts within a second, then steps each frame's time.
    picture.Advance(kStartSpreadMs + kFrameMs);
    QCOMPARE(picture.CurrentFrame(), 1);
    for (int frame = 2; frame <= kPictureFrames; ++frame)
      picture.Advance(kFrameMs + 1);
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

  void TheTimeOutEndsTheGameWithTheDialogAndItsChoice() {
    StartGame(kPuzzle);
    App().Settings().game.mode = kModeTimed;
    game_->dialogs.AnswerDialog("CBravo", [](QDialog &dialog) {
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Finished"));
      QVERIFY(dialog.findChild<QPushButton *>("newGrid")->isHidden());
      dialog.findChild<QPushButton *>("redoGrid")->click();
    });
    game_->View().HoldTimers();
    game_->View().StartGameClock(60000);
    game_->View().Clock().Start -= 61000;
    game_->View().OnAnimationTimer();
    game_->View().OnAnimationTimer();
    game_->View().OnAnimationTimer();
    QCOMPARE(Counters().TimeOverFlag, 1);
    QCOMPARE(game_->BravoShown(), 1);
    QCOMPARE(redoGrids_, 1);
  }

  void APausedGameWaitsForItsEnd() {
    StartGame(kSolution);
    App().State().SetPaused(true);
    GridSetSolved(App());
    QCOMPARE(game_->BravoShown(), 0);
    QCOMPARE(Counters().GameFinished, 0);
  }

  void TheFrenchDialogSpeaksFrench() {
    auto pictures = std::make_unique<PictureLibrary>(); // large: not on the stack
    CBravo dialog(Language::French, home_.StartDirectory().toStdString(), false, *pictures);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Jeu Terminée"));
    QCOMPARE(dialog.findChild<QPushButton *>("newGame")->text(), QStringLiteral("Nouveau Jeu"));
  }

  void TheRightButtonAndTheColouringLeftOnAreCharged() {
    StartGame(kPuzzle);
    CQuorbelView &view = game_->View();
    view.ChooseMenuItem = [](const std::vector<MenuChoice> &, QPoint) { return 0; };
    const QPoint ground{view.Layout().Board.left + 2, view.Layout().Board.top + 2};
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, ground);
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, ground);
    QCOMPARE(App().Game().RightClickUses, 2);

    // Colouring stays on into the next game, and its time is charged there too.
    FrameSwitches(App().Board()).ShowColouring = 1;
    ResetGameScore(App());
    QCOMPARE(App().Game().RightClickUses, 0);
    QVERIFY(StopwatchRunning(App().Game().UsageTimers[kTimerColouring]));
    FrameSwitches(App().Board()).ShowColouring = 0;
  }

  void GridFilesCarryTheCountersAndTheStopwatches() {
    StartGame(kPuzzle);
    GameTally &game = App().Game();
    game.SolverHelpCount = 3;
    game.RightClickUses = 4;
    Counters().ErrorCount = 2;
    game.UsageTimers[kTimerProbables].Seconds = 40;
    // Saved on a machine whose clock read 1000 s, 5 s after the found values were shown.
    const uint32_t savedAt = 1'000'000;
    StartStopwatch(game.UsageTimers[kTimerFound], savedAt - 5000);
    SudGameState file;
    App().Services().gatherGameState(file);
    file.SaveTick = savedAt;
    ResetGameScore(App());
    App().Services().gameStateLoaded(file);
    QCOMPARE(game.GameLevel, kMedium);
    QCOMPARE(game.StartMissing, kOpenCells);
    QCOMPARE(game.SolverHelpCount, 3);
    QCOMPARE(game.RightClickUses, 4);
    QCOMPARE(Counters().ErrorCount, 2);
    QCOMPARE(game.UsageTimers[kTimerProbables].Seconds, 40);
    const double found = StopwatchSeconds(game.UsageTimers[kTimerFound]);
    QVERIFY2(found >= 5.0 && found < 6.0, qPrintable(QString::number(found)));

    // A text grid counts nothing: the game starts from its open cells.
    SudGameState text;
    text.GameWords = {3, 0, 0, 0, 0, 0, 0};
    App().Services().gameStateLoaded(text);
    QCOMPARE(game.GameLevel, 3);
    QCOMPARE(game.StartMissing, kOpenCells);
    QCOMPARE(game.StartSudMissing, kOpenCells);

    // A hostile file: no count below 0, and one at the top holds there when it is charged.
    constexpr int32_t kTop = std::numeric_limits<int32_t>::max();
    SudGameState hostile;
    hostile.GameWords = {2, 10, 10, 0, -5, kTop, std::numeric_limits<int32_t>::min()};
    App().Services().gameStateLoaded(hostile);
    QCOMPARE(game.SolverHelpCount, 0);
    QCOMPARE(Counters().ErrorCount, 0);
    CQuorbelView &view = game_->View();
    view.ChooseMenuItem = [](const std::vector<MenuChoice> &, QPoint) { return 0; };
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier,
                      QPoint{view.Layout().Board.left + 2, view.Layout().Board.top + 2});
    QCOMPARE(game.RightClickUses, kTop);
  }
};

QTEST_MAIN(BravoDialogTest)
#include "bravo_dialog_test.moc"
