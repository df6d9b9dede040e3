// Macros played by the running program: steps that place, save, load, solve, generate, search,
// click and restore settings, and the exit status of a headless run.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/qt/board_window.h"
#include "app/qt/end_of_game_flow.h"
#include "app/qt/frame_command_support.h"
#include "engine/cell_actions.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/twins_editors.h"
#include "solver/solution_count.h"
#include "tests/support/wedged_sound_server.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

struct Macro : FrameWithBoard {
  using FrameWithBoard::FrameWithBoard;
  // Writes the lines (CR LF) as a macro and plays it.
  int Play(const QString &folder, const QStringList &lines) {
    const QString path = folder + "/steps.macro";
    WriteAll(path, (lines.join("\r\n") + "\r\n").toLatin1());
    return app->Services().runMacroFile(path.toStdString());
  }
  bool Said(const std::string &text) const {
    const MessageRing &ring = app->Messages();
    for (int back = 0; back < 10; ++back)
      if (ring.Line(ring.NewestIndex() - back).Text.find(text) != std::string::npos)
        return true;
    return false;
  }
  int Cell(int cell) const { return app->Engine().Grids.Main[0].Cells[static_cast<size_t>(cell)].Value; }
};

} // namespace

class MacroPlayTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void stepsPlaceSaveLoadAndSolve() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    QCOMPARE(m.Play(dir, {"NEW;9", "SETCELL;0;5", "SETCELL;80;9", "SAVET;-" + dir + "/out/*"}), 0);
    QCOMPARE(m.Cell(0), 5);
    const QByteArray text = ReadAll(dir + "/out/Sudoku.txt");
    QVERIFY(text.startsWith("Quorbel Mode Texte"));

    QDir(dir).mkpath("TextGrid");
    WriteAll(dir + "/TextGrid/easy.txt", ReadAll(QUORBEL_DATA_DIR "/TextGrid/Irr9E03.txt"));
    QCOMPARE(m.Play(dir, {"LOADT;easy", "SOLVE", "SAVE;solved"}), 0);
    QVERIFY(m.app->OpenDocumentFile((dir + "/MyGrid/solved.sud").toStdString()));
    for (int cell = 0; cell < 81; ++cell)
      QVERIFY(m.Cell(cell) != 0);

    QCOMPARE(m.Play(dir, {"NEW;9", "GENERE;9;EASY;0;-1;UNIQ", "SEARCH;2", "DISPN;1", "REFGRID", "DISPREF",
                          "STAT"}),
             0);
    QVERIFY(m.Said("Search Done with result: 1"));
  }

  void clicksSelectAndUndoAndSettingsComeBack() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    QCOMPARE(m.Play(dir, {"NEW;9", "SETCELL;2;7", "SETCELL;3;4", "CLICK;105;0;0"}), 0);
    QCOMPARE(m.app->Engine().Grids.FocusCell, 5);
    QCOMPARE(m.Play(dir, {"CLICK;-1"}), 0);
    QCOMPARE(m.Cell(3), 0);
    QCOMPARE(m.Cell(2), 7); // one step back, as the bar's undo slot

    int slept = 0;
    GetCurrentView(*m.app)->KaleidoscopeSleep = [&slept](int ms) { slept += ms; };
    QCOMPARE(m.Play(dir, {"SETCELL;3;4", "KAL"}), 0);
    QCOMPARE(m.Cell(3), 4);
    QVERIFY(slept > 0);
    QVERIFY(m.Said("Your turn..."));

    const int32_t probType = m.app->Settings().general.probType;
    const int32_t depth = m.app->Settings().catalog.varDepth;
    FrameSwitches(m.app->Board()).PossDisplayOn = 0;
    ResetGameScore(*m.app);
    QCOMPARE(m.Play(dir, {"RESETPREF", "PREFCELL;MAT", "PREF;VARDEPTH;77", "CARS;ALL;3", "DISPC;4"}), 0);
    QCOMPARE(m.app->Settings().general.probType, probType);
    QCOMPARE(m.app->Settings().catalog.varDepth, depth);
    QCOMPARE(m.app->Settings().general.deltaFontCom, 0);
    // The candidates it showed go with it, and the next game is not charged for them.
    QCOMPARE(FrameSwitches(m.app->Board()).PossDisplayOn, 0);
    QVERIFY(!StopwatchRunning(m.app->Game().UsageTimers[kTimerPossLevel1 + 3]));

    // Hostile steps end with a message and change nothing.
    QCOMPARE(
        m.Play(dir, {"SETCELL;999;5", "NEW;100", "SAVE;-/etc/quorbel", "SAVET;-../../x/*", "SETCELL;0;77"}),
        2);
    QVERIFY(!QFile::exists("/etc/quorbel"));
  }

  void displayStepsSetTheHelpsWhateverTheMenuAndNewStartsSequentialEntry() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    // On a plain new grid most of these items are greyed; a script sets them all the same.
    QCOMPARE(m.Play(dir, {"NEW;9", "DISPL;Y", "DISPP;Y", "DISPT;Y", "DISPV;Y", "DISPR;Y", "DISPW;Y"}), 0);
    QCOMPARE(GetCurrentView(*m.app)->Input().Entry.Mode, EntryMode::Sequential);
    const DisplaySwitches &on = GetCurrentView(*m.app)->Switches();
    QVERIFY(on.ShowPossLineCol == 1 && on.ShowProbables == 1 && on.ShowFound == 1 && on.ShowColouring == 1 &&
            on.ShowWarning == 1);
    QCOMPARE(m.app->Engine().Settings.VariantFilterSwitch, 1);
    QCOMPARE(m.Play(dir, {"DISPL;N", "DISPP;N", "DISPT;N", "DISPV;N", "DISPR;N", "DISPW;N"}), 0);
    QVERIFY(on.ShowPossLineCol == 0 && on.ShowColouring == 0 && on.ShowWarning == 0);
  }

  void theColourBarColoursTheChainsOfTheSelectedCell() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    QCOMPARE(m.Play(dir, {"NEW;9", "GENERE;9;EASY"}), 0);
    const GridRecord &grid = m.app->Engine().Grids.Main[0];
    int cell = 0;
    while (grid.Cells[static_cast<size_t>(cell)].Value != 0)
      ++cell;
    int value = 1;
    while ((grid.Cells[static_cast<size_t>(cell)].ThePoss & ValueBit(value)) == 0)
      ++value;
    QCOMPARE(
        m.Play(dir, {QStringLiteral("CLICK;%1").arg(100 + cell), QStringLiteral("CLICK;%1").arg(16 + value)}),
        0);
    QCOMPARE(GetCurrentView(*m.app)->Switches().ShowColouring, 1);
    const int32_t chains = grid.Cells[static_cast<size_t>(cell)].ColourSet;
    QVERIFY(chains > 0 && (chains & 1) != 0); // the chain from it fills it
  }

  // NEW is the empty-grid dialog's Manual Input: after a Killer grid or a Twins set, one plain
  // grid and nothing of the grids before it, shown as the display named.
  void aNewGridKeepsNothingOfTheGridsBeforeIt() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    const EngineContext &engine = m.app->Engine();
    CQuorbelView &view = *GetCurrentView(*m.app);
    for (const QString &rule : {QStringLiteral("4"), QStringLiteral("1024")}) { // Killer, Twins
      QCOMPARE(m.Play(dir, {"GENERE;9;EASY;" + rule + ";-1;UNIQ", "ADDFUNC;T;Words of the old grid",
                            "NEW;9;LETTER", "SAVET;after"}),
               0);
      QCOMPARE(engine.Grids.MainCount, 1);
      QVERIFY(!engine.Grids.Main[0].GridVar.Any());
      QVERIFY(!engine.Grids.Main[0].Lists.Killer.Size());
      QCOMPARE(m.app->Settings().general.gridCurrDisp, int32_t{kSymbolLetters});
      view.repaint();
      QVERIFY(view.Legend().empty());
      const QByteArray saved = ReadAll(dir + "/TextGrid/after.txt");
      QVERIFY(saved.startsWith("Quorbel Mode Texte"));
      QVERIFY2(!saved.contains("Words of the old grid"), saved.constData());
    }
  }

  void aGridOfALinkedSetIsDeletedWithItsLinksFollowing() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString dir = home_.StartDirectory();
    QCOMPARE(m.Play(dir, {"NEW;9"}), 0);
    EngineContext &engine = m.app->Engine();
    ResetGridSet(engine, 3);
    for (int slot = 0; slot < 3; ++slot)
      SetCellValue(engine, engine.Grids.Main[static_cast<size_t>(slot)], 0, slot + 1, kActionPlace);
    ToggleTwinsRelation(engine.Grids.Main[0], 4, 4, 2);
    ToggleTwinsRelation(engine.Grids.Main[0], 5, 5, 1);
    QCOMPARE(m.Play(dir, {"DELMULT;2"}), 0);
    QVERIFY(m.Said("Deleted Multiple Grid Number 2"));
    QCOMPARE(engine.Grids.MainCount, 2);
    QCOMPARE(engine.Grids.Main[1].Cells[0].Value, 3); // the third grid moved down
    const auto links = engine.Grids.Main[0].Lists.TwinsRelation.Used();
    QCOMPARE(links.size(), size_t{1}); // the link to the deleted grid went with it
    QCOMPARE(int{links[0].OtherGrid}, 1);
    QCOMPARE(m.Play(dir, {"DELMULT;7"}), 2);
    QCOMPARE(m.Play(dir, {"DELMULT;1", "DELMULT;1"}), 2); // the last grid stays
    QCOMPARE(engine.Grids.MainCount, 1);
    QCOMPARE(engine.Grids.Main[0].Cells[0].Value, 3);
  }

  void aPrintIsOnePageAndTheTimersRunAfterIt() {
    Macro m(home_);
    QVERIFY(m.started);
    const QString pdf = home_.StartDirectory() + "/board.pdf";
    m.app->Printer().setOutputFormat(QPrinter::PdfFormat);
    m.app->Printer().setOutputFileName(pdf);
    GetCurrentView(*m.app)->Input().Entry.TimerOn = 0;
    QCOMPARE(m.Play(home_.StartDirectory(), {"NEW;9", "SETCELL;0;5", "PRINT"}), 0);
    QCOMPARE(GetCurrentView(*m.app)->Input().Entry.TimerOn, 1);
    const QByteArray bytes = ReadAll(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    QVERIFY(m.dialogs.Asked().contains("print"));

    // File > Print records its step, as the player replays it.
    QVERIFY(StartMacroRecording("printed").ok);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::FilePrint));
    const QStringList steps = RecordedSteps(home_, "printed");
    QVERIFY2(steps.size() == 1 && steps[0].startsWith("PRINT"), qPrintable(steps.join('|')));
  }

  void ruleWordsReadTheSameBitsSignedOrUnsigned() {
    Macro m(home_);
    QVERIFY(m.started);
    constexpr uint64_t kRomain = 0x80000000u;
    for (const QString &word : {QStringLiteral("2147483648"), QStringLiteral("-2147483648")}) {
      QCOMPARE(m.Play(home_.StartDirectory(), {"GENERE;4;EASY;" + word + ";-1;UNIQ"}), 0);
      QCOMPARE(m.app->Settings().general.gridCurrVariant, kRomain);
      QCOMPARE(m.Play(home_.StartDirectory(), {"NEW;9", "VARIANT;" + word + ";0;1"}), 0);
      QCOMPARE(m.app->Engine().Grids.Main[0].GridVar.word1, static_cast<uint32_t>(kRomain));
    }
  }

  void theExpertCountOfACarvedGridIsOurCountersCount() {
    Macro m(home_);
    QVERIFY(m.started);
    QCOMPARE(m.Play(home_.StartDirectory(), {"NEW;9", "GENERE;9;EASY;0;-1;UNIQ"}), 0);
    QVERIFY(!m.app->Commands().ExecuteCommand(Cmd::CountCarvedSolutions)); // experts only
    m.app->Settings().parameter.qrbDebug = 1;
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::CountCarvedSolutions));
    EngineContext &engine = m.app->Engine();
    QVERIFY(TotalSudMissing(engine.Grids) > 0);
    const int again = SearchLinkedSolutions(engine, 0, 0, m.app->Settings().parameter.maxSearchGrid, 0);
    QVERIFY(again >= 1);
    QVERIFY(m.Said("Grid with " + std::to_string(again) + " solutions"));
  }

  void copiedCellsPasteElsewhere() {
    Macro m(home_);
    QVERIFY(m.started);
    QCOMPARE(m.Play(home_.StartDirectory(),
                    {"NEW;9", "SETCELL;0;5", "SETCELL;1;7", "CLICK;100;0;0", "CLICK;101;0;2"}),
             0);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::EditCopy));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5\t7\r\n"));
    QCOMPARE(m.Play(home_.StartDirectory(), {"CLICK;140;0;0", "CLICK;141;0;2"}), 0);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::EditPaste));
    QCOMPARE(m.Cell(40), 5);
    QCOMPARE(m.Cell(41), 7);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::EditCut));
    QCOMPARE(m.Cell(40), 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5\t7\r\n"));

    // An expert's paste of a copied given brings the given back, not a placed value.
    QCOMPARE(m.Play(home_.StartDirectory(), {"GENERE;9;EASY;0;-1;UNIQ"}), 0);
    GridRecord &grid = m.app->Engine().Grids.Main[0];
    int given = 0;
    int open = 0;
    while (grid.Cells[static_cast<size_t>(given)].Status != 3)
      ++given;
    while (grid.Cells[static_cast<size_t>(open)].Value != 0)
      ++open;
    m.app->Settings().parameter.qrbDebug = 1;
    QCOMPARE(m.Play(home_.StartDirectory(), {"CLICK;" + QString::number(100 + given) + ";0;0"}), 0);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::EditCopy));
    QCOMPARE(m.Play(home_.StartDirectory(), {"CLICK;" + QString::number(100 + open) + ";0;0"}), 0);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::EditPaste));
    QCOMPARE(grid.Cells[static_cast<size_t>(open)].Status, 3);
    QCOMPARE(grid.Cells[static_cast<size_t>(open)].Value, grid.Cells[static_cast<size_t>(given)].Value);
  }

  void expertKeysChangeTheTimeoutAndTheReference() {
    Macro m(home_);
    QVERIFY(m.started);
    QCOMPARE(m.Play(home_.StartDirectory(), {"NEW;9", "GENERE;9;EASY;0;-1;UNIQ"}), 0);
    QVERIFY(!m.app->Commands().ExecuteCommand(Cmd::ModifyTimeout)); // experts only
    m.app->Settings().parameter.qrbDebug = 1;
    m.app->Settings().parameter.timeOver = 1024;
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::ModifyTimeout));
    QCOMPARE(m.app->Settings().parameter.timeOver, 2048);
    QCOMPARE(m.app->Settings().parameter.genereTimeOver, 512);
    QVERIFY(m.Said("New value for Timeover: 2.05 s (Default)"));
    m.app->Settings().parameter.timeOver = 8388608;
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::ModifyTimeout));
    QCOMPARE(m.app->Settings().parameter.timeOver, 32);

    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::RefTabFromSearch));
    QVERIFY(m.Said("Copy from search grid not possible"));
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::StatGrid));
    QVERIFY(m.Said("RefOK"));

    // Home shows the reference (the solution) over the grid, and the second Home takes it away.
    const int missing = TotalSudMissing(m.app->Engine().Grids);
    QVERIFY(missing > 0);
    QTest::keyClick(GetCurrentView(*m.app), Qt::Key_Home);
    QCOMPARE(TotalSudMissing(m.app->Engine().Grids), 0);
    QTest::keyClick(GetCurrentView(*m.app), Qt::Key_Home);
    QCOMPARE(TotalSudMissing(m.app->Engine().Grids), missing);

    // The grid-set keys: one more grid up to twelve, then one grid again.
    GridSet &set = m.app->Engine().Grids;
    for (int i = UsedMainCount(set); i < 12; ++i)
      QVERIFY(m.app->Commands().ExecuteCommand(Cmd::AddNewGridToSet));
    QCOMPARE(UsedMainCount(set), 12);
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::AddNewGridToSet));
    QVERIFY(m.Said("Can not add grid - Max reached"));
    QVERIFY(m.app->Commands().ExecuteCommand(Cmd::SingleGrid));
    QCOMPARE(UsedMainCount(set), 1);
    QCOMPARE(TotalSudMissing(set), 81);
  }

  void theExpertModeKeysAndTheExpertArea() {
    Macro m(home_);
    QVERIFY(m.started);
    CommandDispatcher &commands = m.app->Commands();
    const auto expert = [&] { return m.app->Settings().parameter.qrbDebug; };
    for (Cmd step : {Cmd::ExpertKeyToggle, Cmd::ExpertKeyToggle, Cmd::ExpertKeyReset, Cmd::ExpertKeyToggle,
                     Cmd::ExpertKeyToggle, Cmd::ExpertKeyArm, Cmd::ExpertKeyArm, Cmd::ExpertKeyToggle})
      QVERIFY(commands.ExecuteCommand(step));
    QCOMPARE(expert(), 0);
    for (Cmd step : {Cmd::ExpertKeyReset, Cmd::ExpertKeyArm, Cmd::ExpertKeyToggle})
      QVERIFY(commands.ExecuteCommand(step));
    QCOMPARE(expert(), 1);
    QVERIFY(m.Said("!Debug!98505! Mode Activated"));

    // Cancel keeps the area as it was read, whatever was edited.
    m.dialogs.AnswerDialog("CDialogExpert", [](QDialog &d) {
      d.findChild<QSpinBox *>("control1196")->setValue(77);
      d.reject();
    });
    QCOMPARE(RunExpertArea(*m.app).Test, ExpertTest::None);
    QCOMPARE(m.app->Settings().expert.iterations, 20);

    // Normal and Diagonal never both off; 1427 runs T2 with the edited values.
    m.dialogs.AnswerDialog("CDialogExpert", [](QDialog &d) {
      auto *normal = d.findChild<QCheckBox *>("control1194");
      auto *diagonal = d.findChild<QCheckBox *>("control1195");
      normal->click();
      diagonal->click();
      QVERIFY(normal->isChecked() && !diagonal->isChecked());
      d.findChild<QSpinBox *>("control1196")->setValue(3);
      d.findChild<QPushButton *>("control1427")->click();
    });
    const ExpertAreaChoice choice = RunExpertArea(*m.app);
    QCOMPARE(choice.Test, ExpertTest::T2);
    QCOMPARE(choice.Inputs.Iterations, 3);
    QCOMPARE(choice.Inputs.DiagonalTo, 0);
    QCOMPARE(choice.Inputs.TimeOuts, (std::vector<int32_t>{200, 600, 1000, 1400}));
    QCOMPARE(m.app->Settings().expert.iterations, 3);
  }

  void aHeadlessRunEndsWithItsStatus() {
    QTemporaryDir dir;
    // A home of its own: no run shares settings with the player's or another test's.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.path());
    environment.insert("XDG_CONFIG_HOME", dir.path());
    const auto run = [&](const QByteArray &script) {
      WriteAll(dir.path() + "/run.macro", script);
      QProcess program;
      QProcessEnvironment offscreen = environment;
      offscreen.insert("QT_QPA_PLATFORM", "offscreen");
      program.setProcessEnvironment(offscreen);
      program.start(QUORBEL_PROGRAM, {dir.path() + "/run.macro"});
      program.waitForFinished(60000);
      return program.exitCode();
    };
    QCOMPARE(run("GENERE;9;MEDIUM\r\nSOLVE\r\nSAVE;-" + dir.path().toLatin1() + "/grids/done\r\n"), 0);
    QCOMPARE(QDir(dir.path() + "/grids/done").entryList({"*.sud"}).size(), 1);
    QCOMPARE(run("NOSUCHWORD\r\n"), 2);

    QProcess missing;
    missing.setProcessEnvironment(environment);
    missing.start(QUORBEL_PROGRAM, {dir.path() + "/none.macro", "-platform", "offscreen"});
    missing.waitForFinished(60000);
    QCOMPARE(missing.exitCode(), 1);
  }

  void aHeadlessRunTellsOfASoundServerThatNeverAnswers() {
    QTemporaryDir dir;
    WedgedSoundServer server(dir.path() + "/native");
    QVERIFY(server.Listening());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", dir.path());
    environment.insert("XDG_CONFIG_HOME", dir.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("PULSE_SERVER", "unix:" + dir.path() + "/native");
    WriteAll(dir.path() + "/run.macro", "PAUSE;1\r\n");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QUORBEL_PROGRAM, {dir.path() + "/run.macro"});
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitCode(), 0);
    // Its music plays in silence, and it is said, as when there is no server at all.
    const QByteArray said = program.readAllStandardError();
    QVERIFY2(said.contains("Pas de sortie son ici : la musique joue en silence."), said.constData());
    QCOMPARE(server.Connections(), 1); // asked once, and Qt never
  }
};

QTEST_MAIN(MacroPlayTest)
#include "macro_play_test.moc"
