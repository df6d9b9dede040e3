// The frame's own commands in the running program: the Display menu's helps, levels, cell
// types and symbol modes (switch, usage time, candidates, saved settings, repaint, macro step),
// hidden variants, the start-up grid commands, pause, and the reload question.
#include <QApplication>
#include <QtTest>
#include <memory>

#include "app/message_line.h"
#include "app/qt/display_toggles.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/usage_timers.h"
#include "engine/cell_actions.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/sud_file_writer.h"
#include "solver/solution_count.h"
#include "tests/app/qt/app_test_support.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

// English menu identifiers.
constexpr CommandId kOpen = 32889;
constexpr CommandId kWarning = 32857;
constexpr CommandId kPossLineCol = 32896;
constexpr CommandId kProbable = 32897;
constexpr CommandId kFound = 32898;
constexpr CommandId kFilterVariant = 33023;
constexpr CommandId kColouring = 33032;
constexpr CommandId kHideVariants = 33065;
constexpr CommandId kLineColArea = 33172;
constexpr CommandId kCommentZone = 33151;
constexpr CommandId kImageBar = 33152;
constexpr CommandId kPossNone = 32902;
constexpr CommandId kPossLevel1 = 32903;
constexpr CommandId kCellSingle = 33165;
constexpr CommandId kCellProbable = 33168;
constexpr CommandId kSymbolNumberItem = 33135;
constexpr CommandId kSymbolLetterItem = 33133;
constexpr CommandId kSymbolMixedItem = 33134;
constexpr CommandId kDefineStartup = 32908;
constexpr CommandId kBackToStartup = 32909;
constexpr CommandId kPause = 33182;
constexpr CommandId kMarkBoat = 33189;
constexpr CommandId kMarkWater = 33190;
constexpr CommandId kMethods = 33028;
constexpr CommandId kMusic = 33055;
constexpr CommandId kDemo = 32959;
constexpr CommandId kDemoFrench = 32946;
constexpr CommandId kExampleBurmaFrench = 33041;
constexpr CommandId kGenerateEasy = 32914;
constexpr CommandId kGenerateTerrible = 32917;

constexpr int kWidth = 9;
constexpr uint32_t kAllValues = (1u << kWidth) - 1;

// Counts the paints of the board view.
class PaintCounter final : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Paint)
      ++paints;
    return false;
  }
};

// A program with the board view, shown offscreen, on a 9 x 9 grid, its dialogs answered by script.
struct Session {
  explicit Session(const AppTestHome &home) {
    home.Clear();
    home.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(Language::English));
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = false, .startDirectory = home.StartDirectory().toStdString()});
    InstallBoardView(*app);
    started = app->InitInstance({QStringLiteral("quorbel")});
    SetGridSize(Engine(), kWidth, 1);
    UpdatePossibles(Engine(), -1, -1, -1, 1);
    app->MainFrame()->show();
    windowExposed = QTest::qWaitForWindowExposed(app->MainFrame());
    View().installEventFilter(&counter);
  }
  ~Session() {
    StopMacroRecording(false);
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }

  EngineContext &Engine() const { return app->Engine(); }
  CQuorbelView &View() const { return *GetCurrentView(*app); }
  DisplaySwitches &Switches() const { return View().Switches(); }
  GridRecord &Grid() const { return Engine().Grids.Main[0]; }
  CellRecord &Cell(int cell) const { return Grid().PlayingCells(Engine().Geo)[cell]; }
  bool Run(CommandId id) const { return app->Commands().Execute(id); }
  CommandState State(CommandId id) const { return app->Commands().State(id); }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  PaintCounter counter;
  bool started = false;
  bool windowExposed = false;
};

struct HelpToggle {
  CommandId id;
  int32_t *value;
  int timer;
};

} // namespace

class FrameCommandsTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void EachHelpFlipsItsSwitchTimesItsUseRepaintsAndRecords() {
    Session s(home_);
    QVERIFY(s.started);
    QVERIFY(s.windowExposed);
    s.app->Settings().general.displayLines = 1;
    s.app->Settings().general.probType = 3;
    s.Grid().GridVar = kVarOdd | kVarDiagonal;
    QVERIFY(StartMacroRecording("helps").ok);
    DisplaySwitches &shown = s.Switches();
    const std::array<HelpToggle, 6> toggles{{
        {kWarning, &shown.ShowWarning, kTimerWarning},
        {kPossLineCol, &shown.ShowPossLineCol, kTimerLineColumn},
        {kProbable, &shown.ShowProbables, kTimerProbables},
        {kFound, &shown.ShowFound, kTimerFound},
        {kFilterVariant, &s.Engine().Settings.VariantFilterSwitch, kTimerVariantFilter},
        {kColouring, &shown.ShowColouring, kTimerColouring},
    }};
    for (const HelpToggle &toggle : toggles) {
      for (int expected : {1, 0}) {
        // A candidate lost on purpose: the command must rebuild them.
        s.Cell(10).ThePoss = 0;
        const int paints = s.counter.paints;
        QVERIFY2(s.Run(toggle.id), qPrintable(QString::number(toggle.id)));
        QCOMPARE(*toggle.value, expected);
        QCOMPARE(UsageRunning(s.app->Game(), toggle.timer), expected == 1);
        QCOMPARE(s.State(toggle.id).checked, std::optional<bool>(expected == 1));
        QCOMPARE(s.Cell(10).ThePoss, kAllValues);
        QVERIFY(s.counter.paints > paints);
      }
    }
    QCOMPARE(RecordedSteps(home_, "helps"),
             QStringList({"DISPW;Y", "DISPW;N", "DISPL;Y", "DISPL;N", "DISPP;Y", "DISPP;N", "DISPT;Y",
                          "DISPT;N", "DISPV;Y", "DISPV;N", "DISPR;Y", "DISPR;N"}));
  }

  void HelpsAreDisabledInTheQuickModeAndFollowTheirSettings() {
    Session s(home_);
    s.app->Settings().general.displayLines = 1;
    s.app->Settings().general.probType = 2;
    QVERIFY(s.State(kPossLineCol).enabled);
    QVERIFY(!s.State(kProbable).enabled);      // probables need their cell type
    QVERIFY(!s.State(kFilterVariant).enabled); // a plain grid has nothing to filter
    s.app->Settings().game.mode = kModeTimed;
    for (CommandId id : {kWarning, kPossLineCol, kProbable, kColouring, kPossLevel1, kSymbolLetterItem})
      QVERIFY2(!s.State(id).enabled, qPrintable(QString::number(id)));
    s.app->Settings().game.mode = 0;
    s.Grid().GridVar = kVarBattleShip;
    s.app->Settings().general.displayLines = 0;
    QVERIFY(s.State(kFound).enabled); // battleships show their found boats
  }

  void ColouringTurnsTheImageBarOn() {
    Session s(home_);
    s.app->Settings().general.displayBarArea = 0;
    QVERIFY(s.Run(kColouring));
    QCOMPARE(s.app->Settings().general.displayBarArea, 1);
  }

  void AreaTogglesAreSavedAndRecorded() {
    Session s(home_);
    const int comment = s.app->Settings().general.displayComment;
    const int bar = s.app->Settings().general.displayBarArea;
    const int lines = s.app->Settings().general.displayLines;
    QVERIFY(StartMacroRecording("areas").ok);
    QVERIFY(s.Run(kCommentZone));
    QVERIFY(s.Run(kImageBar));
    QVERIFY(s.Run(kLineColArea));
    QCOMPARE(home_.ReadInt("GENERAL", "DISPLAYCOMMENT"), 1 - comment);
    QCOMPARE(home_.ReadInt("GENERAL", "DISPLAYBARAREA"), 1 - bar);
    QCOMPARE(home_.ReadInt("GENERAL", "DISPLAYLINES"), 1 - lines);
    QCOMPARE(s.State(kCommentZone).checked, std::optional<bool>(comment == 0));
    const QString yes = comment == 0 ? "Y" : "N";
    const QString barYes = bar == 0 ? "Y" : "N";
    QCOMPARE(RecordedSteps(home_, "areas"),
             QStringList({"AREA;COMMENT;" + yes, "AREA;BAR;" + barYes, "AREA;LINECOL"}));
  }

  void HidingTheCommentAreaWithTheFocusGivesTheArrowsBackToTheGrid() {
    Session s(home_);
    s.app->State().ShowGrid();
    s.app->Settings().general.displayComment = 1;
    const CellRect &panel = s.View().Layout().Message;
    QTest::mouseClick(&s.View(), Qt::LeftButton, Qt::NoModifier,
                      QPoint((panel.left + panel.right) / 2, (panel.top + panel.bottom) / 2));
    QCOMPARE(s.Engine().Grids.FocusCell, kFocusMessagePanel);
    QVERIFY(s.Run(kCommentZone));
    QCOMPARE(s.Engine().Grids.FocusCell, kNoFocusCell);
    s.View().setFocus();
    QTest::keyClick(&s.View(), Qt::Key_Right);
    QVERIFY(s.Engine().Grids.FocusCell >= 0);
  }

  void CandidateLevelsTickOneAndTheSameLevelAgainOrNoneClearsIt() {
    Session s(home_);
    s.app->Settings().general.probType = 1;
    QVERIFY(StartMacroRecording("levels").ok);
    QVERIFY(s.Run(kPossLevel1 + 2));
    QCOMPARE(s.Switches().PossDisplayOn, 1);
    QCOMPARE(s.Switches().PossDisplayLevel, 2);
    QVERIFY(UsageRunning(s.app->Game(), kTimerPossLevel1 + 2));
    QCOMPARE(s.State(kPossLevel1 + 2).checked, std::optional<bool>(true));
    QCOMPARE(s.State(kPossNone).checked, std::optional<bool>(false));

    QVERIFY(s.Run(kPossLevel1 + 2));
    QCOMPARE(s.Switches().PossDisplayOn, 1);
    QCOMPARE(s.Switches().PossDisplayLevel, -1);
    for (int k = 0; k < 5; ++k) {
      QVERIFY(!UsageRunning(s.app->Game(), kTimerPossLevel1 + k));
      QCOMPARE(s.State(kPossLevel1 + k).checked, std::optional<bool>(false));
    }
    // No level shown: the menu says None, after the level taken back as after Ctrl+0.
    QCOMPARE(s.State(kPossNone).checked, std::optional<bool>(true));
    QVERIFY(s.Run(kPossLevel1));
    QVERIFY(s.Run(kPossNone));
    QCOMPARE(s.State(kPossNone).checked, std::optional<bool>(true));
    QCOMPARE(s.State(kPossLevel1).checked, std::optional<bool>(false));
    QCOMPARE(RecordedSteps(home_, "levels"), QStringList({"DISPC;3", "DISPC;0", "DISPC;1", "DISPC;0"}));
  }

  void CellDisplayTypeIsSavedAndTicked() {
    Session s(home_);
    QVERIFY(StartMacroRecording("cells").ok);
    QVERIFY(s.Run(kCellProbable));
    QCOMPARE(home_.ReadInt("GENERAL", "PROBTYPE"), 3);
    QCOMPARE(s.State(kCellProbable).checked, std::optional<bool>(true));
    QCOMPARE(s.State(kCellSingle).checked, std::optional<bool>(false));
    QVERIFY(s.Run(kCellSingle));
    QCOMPARE(home_.ReadInt("GENERAL", "PROBTYPE"), 0);
    QVERIFY(!s.State(kPossLevel1).enabled); // one value per cell shows no candidates
    QCOMPARE(RecordedSteps(home_, "cells"), QStringList({"PREFCELL;PROB", "PREFCELL;SINGLE"}));
  }

  void SymbolItemsOfferWhatTheGridSizeKeepsAndTreatBoth12WideShapesAlike() {
    Session s(home_);
    const auto offered = [&s](int shape) {
      SetGridShape(s.Engine(), shape, 1, 0);
      return std::array<bool, 3>{s.State(kSymbolNumberItem).enabled, s.State(kSymbolLetterItem).enabled,
                                 s.State(kSymbolMixedItem).enabled};
    };
    QCOMPARE(offered(6), offered(7));
    QCOMPARE(offered(5), (std::array<bool, 3>{true, true, false}));
    QCOMPARE(offered(8), (std::array<bool, 3>{false, true, true}));
    s.app->Settings().game.mode = kModeTimed;
    QCOMPARE(offered(5), (std::array<bool, 3>{false, false, false}));
  }

  void HidingVariantsKeepsOnlyTheIrregularBlocks() {
    Session s(home_);
    QVERIFY(!s.State(kHideVariants).enabled); // nothing to hide
    s.Grid().GridVar = kVarIrregular;
    QVERIFY(!s.State(kHideVariants).enabled); // the blocks alone are the board
    s.Grid().GridVar = kVarOdd | kVarIrregular;
    QVERIFY(s.State(kHideVariants).enabled);
    QVERIFY(StartMacroRecording("hide").ok);
    QVERIFY(s.Run(kHideVariants));
    QCOMPARE(s.Switches().HideVariantsOn, 1);
    QCOMPARE(s.Switches().VarMask, (VariantWords{1u, 0u}));
    QVERIFY(s.Run(kHideVariants));
    QCOMPARE(s.Switches().HideVariantsOn, 0);
    QCOMPARE(s.Switches().VarMask, (VariantWords{0xFFFFFFFFu, 0x3FFFFFFFu}));
    QCOMPARE(RecordedSteps(home_, "hide"), QStringList({"PREF;HIDEVAR;Y", "PREF;HIDEVAR;N"}));
  }

  void DefiningTheStartupGridMakesValuesCluesAndDropsTrials() {
    Session s(home_);
    SetCellValue(s.Engine(), s.Grid(), 0, 5, kActionPlace);
    SetCellValue(s.Engine(), s.Grid(), 1, 7, kActionGive);
    SetCellValue(s.Engine(), s.Grid(), 2, 1, kActionPlace);
    s.Cell(2).Status = kStatusHypothesis;
    QVERIFY(StartMacroRecording("init").ok);
    QVERIFY(s.Run(kDefineStartup));
    QCOMPARE(s.Cell(0).Status, kStatusFixed);
    QCOMPARE(s.Cell(0).Value, 5);
    QCOMPARE(s.Cell(1).Status, kStatusFixed);
    QCOMPARE(s.Cell(2).Value, 0);
    QCOMPARE(s.Cell(2).Status, kStatusEmpty); // a trial that held no value of its own is no clue
    QCOMPARE(s.Grid().Comment, std::string("Sud"));
    QVERIFY(!s.app->GetCurrentDocument()->IsModified());
    QCOMPARE(RecordedSteps(home_, "init"), QStringList({"INIT"}));
    // The game counts from the grid typed in, not from the empty grid it was typed on.
    QCOMPARE(s.app->Game().StartMissing, 79);
    QCOMPARE(s.app->Game().StartSudMissing, 79);
  }

  void BackToTheStartupGridKeepsCluesAndGivensAndCancelKeepsAll() {
    Session s(home_);
    s.app->Settings().general.askToBeSaved = 1;
    SetCellValue(s.Engine(), s.Grid(), 0, 5, kActionPlaceFixed);
    SetCellValue(s.Engine(), s.Grid(), 1, 7, kActionGive);
    SetCellValue(s.Engine(), s.Grid(), 2, 1, kActionPlace);
    s.app->MarkDocumentModified("");

    s.dialogs.AnswerMessageBox(QMessageBox::Cancel);
    QVERIFY(s.Run(kBackToStartup));
    QVERIFY(s.dialogs.Asked().last().contains("come back to StartUp Grid"));
    QCOMPARE(s.Cell(2).Value, 1);
    QVERIFY(s.app->GetCurrentDocument()->IsModified());

    s.dialogs.AnswerMessageBox(QMessageBox::Ok);
    QVERIFY(s.Run(kBackToStartup));
    QCOMPARE(s.Cell(0).Value, 5);
    QCOMPARE(s.Cell(0).Status, kStatusFixed);
    QCOMPARE(s.Cell(1).Value, 7);
    QCOMPARE(s.Cell(1).Status, kStatusGiven);
    QCOMPARE(s.Cell(2).Value, 0);
    QVERIFY(!s.app->GetCurrentDocument()->IsModified());
  }

  void PauseFlipsOnlyWithAGrid() {
    Session s(home_);
    QVERIFY(s.Run(kPause));
    QVERIFY(s.app->State().Paused());
    QCOMPARE(s.State(kPause).checked, std::optional<bool>(true));
    QVERIFY(s.Run(kPause));
    QVERIFY(!s.app->State().Paused());
  }

  void BoatMarksGoOnEverySelectedCellOfABattleshipGridOnly() {
    Session s(home_);
    s.Engine().Grids.FocusCell = 3;
    SelectionList &selection = s.View().Selection();
    selection.Count = 2;
    selection.Pairs[0] = {3, 0};
    selection.Pairs[1] = {4, 0};
    QVERIFY(s.Run(kMarkBoat));
    QCOMPARE(s.Cell(3).Boat, int8_t{0}); // not a battleship grid

    s.Grid().GridVar = kVarBattleShip;
    QVERIFY(StartMacroRecording("boats").ok);
    QVERIFY(s.Run(kMarkWater));
    QCOMPARE(s.Cell(3).Boat, int8_t{2});
    QCOMPARE(s.Cell(4).Boat, int8_t{2});
    QCOMPARE(s.Cell(5).Boat, int8_t{0});
    QCOMPARE(RecordedSteps(home_, "boats"), QStringList({"SETBOAT;3;2;0", "SETBOAT;4;2;0"}));
  }

  void PanelItemsShowAndHideTheirPanelOnceItExists() {
    Session s(home_);
    // A panel not built yet says so in the player's language.
    QVERIFY(s.Run(kMusic));
    const MessageRing &ring = s.app->Messages();
    QCOMPARE(QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex()))),
             QStringLiteral("==> The Music panel is not in this version yet."));
    s.app->Panels().Register(std::string(kMusicPanel), [](Language, QWidget *parent) {
      return std::make_unique<QWidget>(parent, Qt::Tool);
    });
    s.app->Panels().RebuildAll(Language::English, s.app->MainFrame());
    QVERIFY(StartMacroRecording("panels").ok);
    QVERIFY(s.Run(kMusic));
    QVERIFY(s.app->Panels().Shown(kMusicPanel));
    QCOMPARE(s.State(kMusic).checked, std::optional<bool>(true));
    QVERIFY(s.Run(kMusic));
    QVERIFY(!s.app->Panels().Window(kMusicPanel)->isVisible());
    QCOMPARE(RecordedSteps(home_, "panels"), QStringList({"AREA;MUSIC;Y", "AREA;MUSIC;N"}));
  }

  void HelpMacrosPlayTheFileOfTheLanguage() {
    Session s(home_);
    QVERIFY(s.Run(kDemo)); // no demo in this start directory: the player says so
    const MessageRing &ring = s.app->Messages();
    QVERIFY(QString::fromStdString(MessageLineText(ring.Line(ring.NewestIndex())))
                .contains("Demo_en.macro not found"));
    QStringList played;
    s.app->Services().runMacroFile = [&played](const std::string &path) {
      played << QString::fromStdString(path);
      return 0;
    };
    QVERIFY(s.Run(kDemo));
    s.app->SetLanguage(Language::French);
    QVERIFY(s.Run(kDemoFrench));
    QVERIFY(s.Run(kExampleBurmaFrench));
    QCOMPARE(played.size(), 3);
    QVERIFY(played[0].endsWith("SudGrid/Demo_en.macro"));
    QVERIFY(played[1].endsWith("SudGrid/Demo.macro"));
    QVERIFY(played[2].endsWith("SudGrid/ExempleBurma.macro"));
    QVERIFY(played[0].startsWith(home_.StartDirectory()));
  }

  void GeneratingMakesAFreshUniqueGridAndARefusedSaveChangesNothing() {
    Session s(home_);
    s.app->Settings().general.askToBeSaved = 1;
    SetCellValue(s.Engine(), s.Grid(), 2, 1, kActionPlace);
    s.app->MarkDocumentModified("");

    s.dialogs.AnswerMessageBox(QMessageBox::Cancel);
    QVERIFY(s.Run(kGenerateTerrible));
    QCOMPARE(s.Cell(2).Value, 1);
    QVERIFY(s.app->GetCurrentDocument()->IsModified());

    s.app->Settings().general.animAction = 1;
    s.dialogs.AnswerMessageBox(QMessageBox::No);
    QVERIFY(s.Run(kGenerateEasy));
    // Hidden for the board to uncover.
    for (const CellRecord &cell : s.Grid().PlayingCells(s.Engine().Geo))
      QCOMPARE(cell.NotDrawn, int8_t{1});
    QVERIFY(!s.app->GetCurrentDocument()->IsModified());
    QVERIFY(s.Grid().SudMissing > 0);
    QCOMPARE(SearchLinkedSolutions(s.Engine(), -1, 0, 2, 0), 1);
    QCOMPARE(s.app->Settings().general.gridCurrDifficulty, 1);
  }

  void CancellingTheReloadQuestionKeepsTheOpenGrid() {
    Session s(home_);
    s.app->Settings().general.askToBeSaved = 1;
    QTemporaryDir files;
    const QString path = files.filePath("same.sud");
    {
      auto ctx = std::make_unique<EngineContext>();
      SetGridSize(*ctx, kWidth, 1);
      SetCellValue(*ctx, ctx->Grids.Main[0], 0, 4, kActionPlaceFixed);
      const std::string bytes = WriteSudFile(*ctx, SudFileContent{});
      WriteAll(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    s.dialogs.AnswerFileName(path);
    QVERIFY(s.Run(kOpen));
    QCOMPARE(s.Cell(0).Value, 4);
    SetCellValue(s.Engine(), s.Grid(), 5, 3, kActionPlace);

    s.dialogs.AnswerFileName(path);
    s.dialogs.AnswerMessageBox(QMessageBox::Cancel);
    QVERIFY(s.Run(kOpen));
    QVERIFY(s.dialogs.Asked().last().contains("Relaod current grid ?"));
    QCOMPARE(s.Cell(5).Value, 3);
  }
};

QTEST_MAIN(FrameCommandsTest)
#include "frame_commands_test.moc"
