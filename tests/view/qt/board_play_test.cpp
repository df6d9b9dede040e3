// Playing in the real window as a player would: clicking and extending the selection, typing
// values and pencil marks, clearing, undo and redo from the keyboard, conflicts painted, the
// arrows, dragging a value from the number bar, the wheel and the page keys through the search's
// solutions, the macro line of a move, and the end of the game.
#include <QtTest>

#include "app/settings_schema.h"
#include "engine/grid_cells.h"
#include "engine/puzzle_pieces.h"
#include "engine/search_history.h"
#include "engine/twins_editors.h"
#include "engine/undo_stack.h"
#include "files/macro_recorder.h"
#include "files/text_grid_writer.h"
#include "platform/clock.h"
#include "resources/menu_tables.h"
#include "solver/solution_count.h"
#include "tests/view/qt/view_test_support.h"
#include "view/qt/rule_definition_commands.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kShapeOf4 = 0;
constexpr int kShapeOf9 = 5;

// The first open cell of the puzzle at or after `from`.
int OpenCell(const std::string &puzzle, int from = 0) {
  for (int cell = from; cell < static_cast<int>(puzzle.size()); ++cell)
    if (puzzle[static_cast<size_t>(cell)] == '0' || puzzle[static_cast<size_t>(cell)] == '.')
      return cell;
  return -1;
}

// A candidate of the cell, the lowest one.
int SomeCandidate(const CellRecord &cell) {
  for (int v = 1; v <= kMaxWidth; ++v)
    if (cell.ThePoss & ValueBit(v))
      return v;
  return 0;
}

} // namespace

class BoardPlayTest : public QObject {
  Q_OBJECT

private:
  AppTestHome home_;
  const std::string puzzle_ = FirstPuzzle("puzzles-9.txt");

private slots:
  void TheTimersStartWithTheFirstPaint() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    QVERIFY(board.View().TimersStarted());
  }

  void AClickedCellTakesATypedDigitWithItsUndoStepAndCandidates() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.View().Switches().PossDisplayOn = 1;
    board.View().Switches().PossDisplayLevel = kPossLevelAll;
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    QCOMPARE(board.Engine().Grids.FocusCell, cell);
    QCOMPARE(board.View().Selection().Count, 1);
    const int value = SomeCandidate(board.Cell(cell));
    board.Type(Qt::Key_0 + value);
    QCOMPARE(board.Cell(cell).Value, value);
    QCOMPARE(board.Cell(cell).Status, int{kStatusPlaced});
    QVERIFY(CanUndo(board.Engine().Undo));
    const GridGeometry &geo = board.Engine().Geo;
    for (int other = 0; other < geo.NCells; ++other) {
      const bool related =
          geo.RowOfCell[other] == geo.RowOfCell[cell] || geo.ColOfCell[other] == geo.ColOfCell[cell] ||
          board.Engine().Grids.Main[0].BlockOfCell[other] == board.Engine().Grids.Main[0].BlockOfCell[cell];
      if (related && other != cell && board.Cell(other).Status >= kStatusEmpty)
        QVERIFY2((board.Cell(other).ThePoss & ValueBit(value)) == 0, qPrintable(QString::number(other)));
    }
    // And it is painted in the player's ink.
    const QImage shown = board.View().grab().toImage();
    board.Shot("play-typed");
    QVERIFY(CountPixels(shown, board.View().Painter(0).InnerRect[static_cast<size_t>(cell)],
                        board.app->Colours().ColInput) > 10);
  }

  // What the board help says of typing: after a value the digits go beside it as candidates
  // until the focus moves on; in the one-value cell type they replace it.
  void ADigitTypedAfterAValueGoesBesideItUntilTheFocusMovesOn() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().general.probType = 1;
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    board.Type(Qt::Key_6);
    QCOMPARE(board.Cell(cell).Value, 6);
    board.Type(Qt::Key_7);
    QCOMPARE(board.Cell(cell).Value, 0);
    QCOMPARE(board.Cell(cell).Marks, ValueBit(6) | ValueBit(7));
    board.Type(Qt::Key_6); // taken away again: the last one left is the value
    QCOMPARE(board.Cell(cell).Value, 7);
    board.Type(Qt::Key_Right);
    board.Type(Qt::Key_Left);
    board.Type(Qt::Key_5);
    QCOMPARE(board.Cell(cell).Value, 5);
    board.app->Settings().general.probType = 0;
    board.ClickCell(cell);
    board.Type(Qt::Key_4);
    QCOMPARE(board.Cell(cell).Value, 4);
  }

  void AFrenchKeyboardTypesDigitsWithOrWithoutShift() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    const int value = SomeCandidate(board.Cell(cell));
    // The digit row's key of the value, unshifted: "&", "é", "\"" ... on a French layout.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Ampersand, Qt::NoModifier, 9 + static_cast<quint32>(value), 0,
                    0, QStringLiteral("&"));
    QCoreApplication::sendEvent(&board.View(), &press);
    QCOMPARE(board.Cell(cell).Value, value);
    board.Type(Qt::Key_Backspace);
    board.Type(Qt::Key_0 + value, Qt::ShiftModifier); // Shift and the row give the digit itself
    QCOMPARE(board.Cell(cell).Value, value);
  }

  void BackspaceDeleteAndTheUndoKeysWorkFromTheKeyboard() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    const int value = SomeCandidate(board.Cell(cell));
    board.Type(Qt::Key_0 + value);
    board.Type(Qt::Key_Backspace);
    QCOMPARE(board.Cell(cell).Status, int{kStatusEmpty});
    board.Type(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(board.Cell(cell).Value, value);
    board.Type(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(board.Cell(cell).Status, int{kStatusEmpty});
    board.Type(Qt::Key_0 + value);
    board.Type(Qt::Key_Delete); // Edit > Clear's key
    QCOMPARE(board.Cell(cell).Status, int{kStatusEmpty});
    board.Type(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(board.Cell(cell).Value, value);
  }

  void AConflictingValueIsPaintedAsAConflict() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.View().Switches().ShowWarning = 1;
    // A value its row already holds as a given.
    const int cell = OpenCell(puzzle_);
    const int row = board.Engine().Geo.RowOfCell[cell];
    int given = 0;
    for (int k = 0; k < 9 && given == 0; ++k)
      given = board.Cell(row * 9 + k).Status == kStatusFixed ? board.Cell(row * 9 + k).Value : 0;
    QVERIFY(given > 0);
    board.ClickCell(cell);
    board.Type(Qt::Key_0 + given);
    // The focus elsewhere, so that the cell shows its own ground.
    board.ClickCell(OpenCell(puzzle_, cell + 1 + 9));
    const QImage shown = board.View().grab().toImage();
    board.Shot("play-conflict");
    const CellRect inside = board.View().Painter(0).InnerRect[static_cast<size_t>(cell)].Inset(6, 6);
    QCOMPARE(PixelAt(shown, inside.left, inside.top), board.app->Colours().ColBgBad);
  }

  void ArrowsMoveTheFocusAndTabStepsOn() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.ClickCell(0);
    board.Type(Qt::Key_Left);
    QCOMPARE(board.Engine().Grids.FocusCell, 80);
    board.Type(Qt::Key_Down);
    QCOMPARE(board.Engine().Grids.FocusCell, 8);
    board.Type(Qt::Key_Right);
    QCOMPARE(board.Engine().Grids.FocusCell, 9);
    board.Type(Qt::Key_Up);
    QCOMPARE(board.Engine().Grids.FocusCell, 0);
    board.Type(Qt::Key_Tab);
    QCOMPARE(board.Engine().Grids.FocusCell, 1);
    QVERIFY(board.View().hasFocus());
  }

  void CtrlAndShiftClicksExtendTheSelection() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.ClickCell(10);
    board.ClickCell(30, Qt::ShiftModifier); // rows 1..3, columns 1..3
    QCOMPARE(board.View().Selection().Count, 9);
    board.ClickCell(80, Qt::ControlModifier);
    QCOMPARE(board.View().Selection().Count, 10);
    board.ClickCell(10, Qt::ControlModifier);
    QCOMPARE(board.View().Selection().Count, 9);
    QCOMPARE(board.Engine().Grids.FocusCell, 11);
    board.ClickCell(5);
    QCOMPARE(board.View().Selection().Count, 1);
  }

  void AValueDraggedFromTheNumberBarIsPlaced() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    CQuorbelView &view = board.View();
    QVERIFY(view.Layout().NumberBarShown);
    const int cell = OpenCell(puzzle_);
    const int value = SomeCandidate(board.Cell(cell));
    const QPoint slot = board.Centre(view.Layout().Slots[static_cast<size_t>(value - 1)]);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, slot);
    QCOMPARE(view.DragValue, value);
    QTest::mouseMove(&view, board.CellCentre(cell));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, board.CellCentre(cell));
    QCOMPARE(board.Cell(cell).Value, value);
    QCOMPARE(view.DragValue, -1);

    // Or picked with one click and dropped with the next.
    const int next = OpenCell(puzzle_, cell + 1);
    const int other = SomeCandidate(board.Cell(next));
    board.Click(board.Centre(view.Layout().Slots[static_cast<size_t>(other - 1)]));
    QCOMPARE(view.DragValue, other);
    board.ClickCell(next);
    QCOMPARE(board.Cell(next).Value, other);
    QCOMPARE(view.DragValue, -1);
    QCOMPARE(board.Engine().Grids.FocusCell, next);
  }

  void APiecePickedBesideTheGridTurnsAndIsLaidInOneUndoStep() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    EngineContext &engine = board.Engine();
    GridRecord &grid = engine.Grids.Main[0];
    // Two open cells side by side, and the two below them open too.
    int left = -1;
    for (int c = 0; c + 10 < 81 && left < 0; ++c)
      if (c % 9 < 8 && OpenCell(puzzle_, c) == c && OpenCell(puzzle_, c + 1) == c + 1 &&
          OpenCell(puzzle_, c + 9) == c + 9)
        left = c;
    QVERIFY(left >= 0);
    PuzzlePiece piece;
    piece.NCells = 2;
    piece.Cells[0] = static_cast<CellRef>(left);
    piece.Cells[1] = static_cast<CellRef>(left + 1);
    piece.Digits[0] = static_cast<int16_t>(SomeCandidate(board.Cell(left)));
    piece.Digits[1] = static_cast<int16_t>(SomeCandidate(board.Cell(left + 1)));
    grid.GridVar |= kVarPuzzle;
    grid.Lists.PuzzleRotation = 1;
    grid.Lists.Pieces.Append(piece);
    ResetRegionTables(engine.Geo, grid);
    ShowPuzzlePieces(engine, grid); // unturned, lying across
    UpdatePossibles(engine, -1, -1, -1, 1);
    CQuorbelView &view = board.View();
    view.repaint();
    const int record = grid.Lists.Pieces.Items[0].Identities[0];
    const QPoint held = board.Centre(view.Painter(0).OuterRect[static_cast<size_t>(record)]);
    QVERIFY(!view.Painter(0).PieceArea.IsEmpty());

    // Picked with a click, turned a quarter by a right double click, laid by the next click.
    board.Click(held);
    QTest::mouseDClick(&view, Qt::RightButton, Qt::NoModifier, held);
    QCOMPARE(grid.Lists.Pieces.Items[0].Rotation, 1);
    const int before = engine.Undo.ptUndo;
    board.ClickCell(left);
    QCOMPARE(board.Cell(left).Value, static_cast<int>(piece.Digits[0]));
    QCOMPARE(board.Cell(left + 9).Value, static_cast<int>(piece.Digits[1]));
    QCOMPARE(board.Cell(left + 1).Value, 0);
    QCOMPARE(grid.Lists.Pieces.Items[0].Placed, 1);
    QCOMPARE(engine.Undo.ptUndo, before + 1);
    board.Type(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(board.Cell(left).Value, 0);
    QCOMPARE(board.Cell(left + 9).Value, 0);
  }

  void AClickOnACellsValueDoesNotCarryItToTheNextCell() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    int given = 0;
    while (puzzle_[static_cast<size_t>(given)] == '0')
      ++given;
    board.ClickCell(given);
    const int open = OpenCell(puzzle_);
    board.ClickCell(open);
    QCOMPARE(board.Cell(open).Status, int{kStatusEmpty});
    QCOMPARE(board.Engine().Grids.FocusCell, open);
  }

  void ClicksInTheCandidateMatrixTogglePencilMarks() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().general.probType = 2;
    board.View().repaint();
    const int cell = OpenCell(puzzle_);
    board.ClickCell(OpenCell(puzzle_, cell + 1));
    // The click selects the cell and marks the candidate under the pointer.
    const CellRect box = SymbolRect(board.View().Painter(0), cell, 3, true);
    board.Click(board.Centre(box));
    QCOMPARE(board.Engine().Grids.FocusCell, cell);
    QCOMPARE(board.Cell(cell).Status, int{kStatusPencilled});
    QCOMPARE(board.Cell(cell).Marks, ValueBit(4));
    board.Click(board.Centre(box));
    QCOMPARE(board.Cell(cell).Status, int{kStatusEmpty});
  }

  void TypedMovesAreWrittenToTheMacroBeingRecorded() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    QVERIFY(StartMacroRecording("PlayedMoves").ok);
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    const int value = SomeCandidate(board.Cell(cell));
    board.Type(Qt::Key_0 + value);
    QCOMPARE(board.Pane(kPaneMacro), QStringLiteral("MACRO"));
    QVERIFY(StopMacroRecording(false).ok);
    const QByteArray text = ReadAll(home_.StartDirectory() + QStringLiteral("/PlayedMoves.macro"));
    QVERIFY(text.contains(QStringLiteral("CLICK;%1;0;0\t").arg(100 + cell).toLatin1()));
    QVERIFY(text.contains(QStringLiteral("SETCELL;%1;%2;0\t").arg(cell).arg(value).toLatin1())); // grid 0
  }

  void TheWheelAndThePageKeysStepThroughTheStoredSolutions() {
    const std::string puzzle = FirstPuzzle("puzzles-4.txt");
    PlayedBoard board(home_, kShapeOf4, puzzle);
    EngineContext &engine = board.Engine();
    const int open = OpenCell(puzzle);
    for (int value : {1, 2}) {
      SetCellValue(engine, engine.Grids.Main[0], open, value, kActionPlace);
      StoreSearchSolution(engine);
    }
    SetCellValue(engine, engine.Grids.Main[0], open, 0, kActionClear);
    board.View().MoveFocusToCell(0, kNoFocusCell);
    board.Type(Qt::Key_PageDown);
    QCOMPARE(board.Cell(open).Value, 1);
    // Towards the player: the next solution.
    board.Wheel(board.CellCentre(5), -120);
    QCOMPARE(board.Cell(open).Value, 2);
    board.Type(Qt::Key_PageUp);
    QCOMPARE(board.Cell(open).Value, 1);
  }

  void TheWheelOnACellStepsItsValue() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    const int cell = OpenCell(puzzle_);
    board.ClickCell(cell);
    board.Wheel(board.CellCentre(cell), 120); // away: the last value
    QCOMPARE(board.Cell(cell).Value, 9);
    board.Wheel(board.CellCentre(cell), 120);
    QCOMPARE(board.Cell(cell).Value, 8);
    QCOMPARE(board.Engine().Undo.ptUndo, 1);
  }

  void TheClockCountsAndStandsStillWhilePaused() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    CQuorbelView &view = board.View();
    view.HoldTimers();
    uint32_t now = view.Clock().Start;
    view.GameTime = [&now] { return now; };
    view.Clock().Start -= 5000; // five seconds played
    view.OnAnimationTimer();
    view.OnAnimationTimer();
    view.OnClockTimer();
    QCOMPARE(board.Pane(kPaneClock), QStringLiteral("00:00:05"));
    board.app->State().SetPaused(true);
    view.Clock().Start -= 7000; // seven more seconds of the machine's clock, all paused
    for (int second = 0; second < 7; ++second)
      view.OnClockTimer();
    view.OnAnimationTimer();
    board.app->State().SetPaused(false);
    view.OnAnimationTimer();
    view.OnClockTimer();
    QCOMPARE(board.Pane(kPaneClock), QStringLiteral("00:00:05"));
  }

  void TheStatusPanesShowModeScoreSymbolsAndCellsLeft() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().game.mode = kModeChampion;
    board.View().OnClockTimer();
    QCOMPARE(board.Pane(kPaneMode), QStringLiteral("Champion     "));
    QCOMPARE(board.Pane(kPaneScore), QStringLiteral("Score:20.00"));
    QCOMPARE(board.Pane(kPaneMacro), QStringLiteral(" "));
    QCOMPARE(board.Pane(kPaneSymbols), QStringLiteral("1...9"));
    const int open = static_cast<int>(std::count(puzzle_.begin(), puzzle_.end(), '0'));
    QCOMPARE(board.Pane(kPaneRemaining), QStringLiteral("Left : %1").arg(open));
  }

  void DisplayAndFontCommandsFlipTheirSettings() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    CommandDispatcher &commands = board.app->Commands();
    const GeneralSettings &general = board.app->Settings().general;
    board.View().MoveFocusToCell(0, kNoFocusCell);
    QVERIFY(commands.Execute(32931)); // Increase characters
    QCOMPARE(general.deltaFontCell, 1);
    QCOMPARE(general.deltaFontCom, 1);
    board.ClickCell(OpenCell(puzzle_));
    QVERIFY(commands.Execute(32932)); // Decrease characters
    QCOMPARE(general.deltaFontCell, 0);
    QCOMPARE(general.deltaFontCom, 1);
    QVERIFY(commands.Execute(32933)); // Default characters
    QVERIFY(commands.Execute(32940)); // Display type: digits to letters
    QCOMPARE(general.gridCurrDisp, int32_t{kSymbolLetters});
    QCOMPARE(board.Pane(kPaneSymbols), QStringLiteral("A...I"));
    QVERIFY(!commands.State(33134).enabled); // Number & Letter: not offered on 9 values
    QVERIFY(commands.Execute(33136));        // Animated pictures
    QCOMPARE(general.gridCurrDisp, int32_t{kSymbolPictures});
    QVERIFY(commands.State(33136).checked.value_or(false));
    QVERIFY(commands.Execute(33135)); // Number
    QCOMPARE(general.gridCurrDisp, int32_t{kSymbolDigits});
    board.app->Settings().game.mode = kModeTimed;
    QVERIFY(!commands.State(32940).enabled);
  }

  void UndoIsOnlyOfferedWithSomethingToUndo() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    CommandDispatcher &commands = board.app->Commands();
    QVERIFY(!commands.State(32891).enabled);
    board.ClickCell(OpenCell(puzzle_));
    board.Type(Qt::Key_0 + SomeCandidate(board.Cell(OpenCell(puzzle_))));
    QVERIFY(commands.State(32891).enabled);
    QVERIFY(!commands.State(32892).enabled);
  }

  void TheBoardMenuChangesHowCellsShowTheirCandidates() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    CQuorbelView &view = board.View();
    std::vector<MenuChoice> offered;
    view.ChooseMenuItem = [&](const std::vector<MenuChoice> &menu, QPoint) {
      offered = menu;
      return int{kItemCellMatrix};
    };
    const CellRect &side = view.Layout().Side;
    const QPoint board_ground{view.Layout().Board.left + 2, view.Layout().Board.top + 2};
    QVERIFY(side.IsShown());
    QTest::mouseClick(&view, Qt::RightButton, Qt::NoModifier, board_ground);
    QVERIFY(!offered.empty());
    QCOMPARE(board.app->Settings().general.probType, 2);
  }

  void EveryRuleRowsDefinitionCommandIsBound() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    for (const RuleDefinitionCommand &entry : kRuleDefinitionCommands)
      QVERIFY2(board.app->Commands().HasHandler(entry.Command), RuleOf(entry.Row).NameEn.data());
  }

  void TheExpertAddsAGridFromTheGridTabMenu() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().parameter.qrbDebug = 1;
    ResetGridSet(board.Engine(), 2);
    board.View().repaint();
    QVERIFY(board.View().GridTabs().size() == 3);
    board.View().ChooseMenuItem = [](const std::vector<MenuChoice> &menu, QPoint) {
      return menu.empty() ? 0 : int{kItemAddEmptyGrid};
    };
    QTest::mouseClick(&board.View(), Qt::RightButton, Qt::NoModifier,
                      board.Centre(board.View().GridTabs()[1].Box));
    QCOMPARE(board.Engine().Grids.MainCount, 3);

    // A text grid of the same size joins as one more grid.
    auto other = std::make_unique<EngineContext>();
    SetGridShape(*other, kShapeOf9, 1, 0);
    test::LoadPuzzleLine(*other, other->Grids.Main[0], puzzle_);
    const QString path = home_.StartDirectory() + QStringLiteral("/Joined.txt");
    WriteAll(path, QByteArray::fromStdString(WriteTextGrid(*other, TextGridInfo{})));
    board.dialogs.AnswerFileName(path);
    board.View().ChooseMenuItem = [](const std::vector<MenuChoice> &, QPoint) {
      return int{kItemAddGridFromFile};
    };
    QTest::mouseClick(&board.View(), Qt::RightButton, Qt::NoModifier,
                      board.Centre(board.View().GridTabs()[1].Box));
    QCOMPARE(board.Engine().Grids.MainCount, 4);
    QCOMPARE(board.Cell(0, 3).Value, board.Cell(0, 0).Value);
  }

  void TheWheelScrollsTheMessagePanelWhenItHasTheFocus() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    MessageRing &ring = board.app->Messages();
    for (int line = 0; line < 5; ++line)
      ring.AddInfoMessage(OwnText("A line of the panel"));
    const int newest = ring.WriteIndex();
    board.Click(board.Centre(board.View().Layout().Message));
    QCOMPARE(board.Engine().Grids.FocusCell, kFocusMessagePanel);
    board.Wheel(board.Centre(board.View().Layout().Message), -120); // towards the player: older lines
    QCOMPARE(ring.DisplayIndex(), newest - 1);
    board.Wheel(board.Centre(board.View().Layout().Message), 120);
    board.Wheel(board.Centre(board.View().Layout().Message), 120); // never past the newest
    QCOMPARE(ring.DisplayIndex(), newest);
  }

  void FillingTheLastCellOfACorrectGridEndsTheGame() {
    const std::string puzzle = FirstPuzzle("puzzles-4.txt");
    PlayedBoard board(home_, kShapeOf4, puzzle);
    EngineContext &engine = board.Engine();
    QCOMPARE(SolveToRefTab(engine), 1);
    int ended = 0;
    board.View().EndOfGame = [&] { ++ended; };
    std::vector<int> sounds;
    board.app->Services().playSoundEffect = [&](int slot) { sounds.push_back(slot); };
    for (int cell = 0; cell < 16; ++cell)
      if (board.Cell(cell).Status >= kStatusEmpty) {
        board.ClickCell(cell);
        board.Type(Qt::Key_0 + engine.Grids.RefTab[0].Cells[static_cast<size_t>(cell)].Value);
      }
    QCOMPARE(engine.GridSetState, int{kGridConsistent});
    QCOMPARE(ended, 1);
    QCOMPARE(board.View().Game().GameFinished, 1);
    QCOMPARE(board.View().Clock().Phase, ClockPhase::Stopped);
    QVERIFY(!sounds.empty());
    QCOMPARE(sounds.back(), int{kSoundGridSolved});
    // A later placement on the solved set ends nothing twice.
    board.Type(Qt::Key_Z, Qt::ControlModifier);
    board.Type(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(ended, 1);
  }

  void EachPlacementSoundsAndWrongValuesCountAsErrorsUnderTheWarning() {
    const std::string puzzle = FirstPuzzle("puzzles-4.txt");
    PlayedBoard board(home_, kShapeOf4, puzzle);
    QCOMPARE(SolveToRefTab(board.Engine()), 1);
    std::vector<int> sounds;
    board.app->Services().playSoundEffect = [&](int slot) { sounds.push_back(slot); };
    const GridRecord &solution = board.Engine().Grids.RefTab[0];
    const int cell = OpenCell(puzzle);
    const int right = solution.Cells[static_cast<size_t>(cell)].Value;
    const int wrong = right % 4 + 1;
    board.ClickCell(cell);
    board.Type(Qt::Key_0 + wrong);
    QCOMPARE(board.View().Game().ErrorCount, 0); // without the warning help nothing tells
    board.Type(Qt::Key_Backspace);
    board.View().Switches().ShowWarning = 1;
    board.Type(Qt::Key_0 + wrong);
    QCOMPARE(board.View().Game().ErrorCount, 1);
    QCOMPARE(sounds.back(), int{kSoundWrongValue});
    board.Type(Qt::Key_Backspace);
    board.Type(Qt::Key_0 + right);
    QCOMPARE(sounds.back(), int{kSoundPlacement});
  }

  void TheClockTravelsInTheGridFile() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.View().HoldTimers();
    const uint32_t now = TimeGetTime();
    board.View().GameTime = [now] { return now; };
    SudGameState game;
    game.ClockElapsedMs = 65000;
    game.ClockLimitMs = 600000;
    board.app->Services().gameStateLoaded(game);
    QCOMPARE(board.View().Clock().Limit, 600000);
    board.View().OnAnimationTimer();
    board.View().OnAnimationTimer();
    board.View().OnClockTimer();
    QCOMPARE(board.Pane(kPaneClock), QStringLiteral("00:01:05"));
    SudGameState saved;
    board.app->Services().gatherGameState(saved);
    QCOMPARE(saved.ClockElapsedMs, 65000);
    QCOMPARE(saved.ClockLimitMs.value_or(0), 600000);
  }

  void TheTimedGameEndsWhenItsTimeIsUpWithNothingPlaced() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().game.mode = kModeTimed;
    int ended = 0;
    board.View().EndOfGame = [&] { ++ended; };
    board.View().HoldTimers();
    board.View().StartGameClock(60000);
    board.View().Clock().Start -= 61000;
    board.View().OnAnimationTimer();
    board.View().OnAnimationTimer();
    QCOMPARE(ended, 1);
    QCOMPARE(board.View().Game().TimeOverFlag, 1);
  }

  void TheTimedGameDestroysTheValuesOnceItsTimeIsUp() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.app->Settings().game.mode = kModeTimed;
    board.app->Settings().general.animAction = 1;
    // Two values placed: whichever cell the draw takes (a clue or a placed value), one of the
    // player's stays and the game goes on.
    for (const int cell : {OpenCell(puzzle_), OpenCell(puzzle_, OpenCell(puzzle_) + 1)}) {
      board.ClickCell(cell);
      board.Type(Qt::Key_0 + SomeCandidate(board.Cell(cell)));
      QCOMPARE(board.Cell(cell).Status, int{kStatusPlaced});
    }
    const int before = 81 - TotalSudMissing(board.Engine().Grids);
    // The ticks come on time whatever the load: a late one would destroy the cell a second time.
    board.View().HoldTimers();
    uint32_t now = TimeGetTime();
    board.View().GameTime = [&now] { return now; };
    const auto tick = [&] {
      now += 40;
      board.View().OnAnimationTimer();
    };
    board.View().StartGameClock(60000);
    now += 61000;
    tick();
    tick();
    // The cell plays its way out first, one step a tick, and empties at the end of it.
    QCOMPARE(81 - TotalSudMissing(board.Engine().Grids), before);
    for (int step = 0; step <= kEffectLength; ++step)
      tick();
    QCOMPARE(81 - TotalSudMissing(board.Engine().Grids), before - 1);
    QCOMPARE(board.app->Settings().general.gridCurrDisp, int32_t{kSymbolPictures});
    QCOMPARE(board.View().Game().GameFinished, 0);
  }

  void ADoubleClickPlacesTheValueInEveryTwinCellLinkedToIt() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    EngineContext &engine = board.Engine();
    ResetGridSet(engine, 3);
    for (int slot = 0; slot < 3; ++slot)
      test::LoadPuzzleLine(engine, engine.Grids.Main[static_cast<size_t>(slot)], puzzle_);
    const int open = OpenCell(puzzle_);
    // One link held by the first grid, the other by the third.
    ToggleTwinsRelation(engine.Grids.Main[0], open, open, 1);
    ToggleTwinsRelation(engine.Grids.Main[2], open, open, 0);
    engine.Grids.Main[0].GridVar |= kVarTwinsRelation;
    engine.Grids.Main[2].GridVar |= kVarTwinsRelation;
    UpdatePossibles(engine, -1, -1, -1, 1);
    board.app->Settings().general.probType = 2;
    board.View().repaint();
    const int v = SomeCandidate(board.Cell(open));
    const QPoint at = board.Centre(SymbolRect(board.View().Painter(0), open, v - 1, false));
    QTest::mouseDClick(&board.View(), Qt::LeftButton, Qt::NoModifier, at);
    for (int slot = 0; slot < 3; ++slot)
      QCOMPARE(board.Cell(open, slot).Value, v);
  }

  void AHiddenNewGridIsUncoveredAFewCellsATick() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.View().HoldTimers();
    for (CellRecord &cell : board.Engine().Grids.Main[0].PlayingCells(board.Engine().Geo))
      cell.NotDrawn = 1;
    auto hidden = [&] {
      const auto cells = board.Engine().Grids.Main[0].PlayingCells(board.Engine().Geo);
      return std::count_if(cells.begin(), cells.end(), [](const CellRecord &c) { return c.NotDrawn == 1; });
    };
    board.View().OnAnimationTimer(); // the first tick only starts the count of time
    board.View().OnAnimationTimer();
    QCOMPARE(hidden(), 81 - 7);
    for (int tick = 0; tick < 11; ++tick)
      board.View().OnAnimationTimer();
    QCOMPARE(hidden(), 0);
  }

  void AWrongValueShownInPicturesPlaysItsEffectAndGoes() {
    const std::string puzzle = FirstPuzzle("puzzles-4.txt");
    PlayedBoard board(home_, kShapeOf4, puzzle);
    board.View().HoldTimers();
    QCOMPARE(SolveToRefTab(board.Engine()), 1);
    board.app->Settings().general.animAction = 1;
    board.app->Settings().general.resetIfFalse = 1;
    board.View().Input().SetSymbolMode(kSymbolPictures, 0);
    const int cell = OpenCell(puzzle);
    const int wrong = board.Engine().Grids.RefTab[0].Cells[static_cast<size_t>(cell)].Value % 4 + 1;
    QCOMPARE(board.View().Input().PlaceValue(0, cell, wrong), 1); // dropped from the number bar
    QCOMPARE(board.Cell(cell).Value, wrong);
    board.View().OnAnimationTimer();
    for (int tick = 0; tick < kEffectLength; ++tick)
      board.View().OnAnimationTimer();
    QCOMPARE(board.Cell(cell).Value, wrong); // still playing
    board.View().OnAnimationTimer();
    QCOMPARE(board.Cell(cell).Value, 0);
  }

  void ASpriteFliesOverTheBoardAndLeavesItAsItWas() {
    PlayedBoard board(home_, kShapeOf9, puzzle_);
    board.View().HoldTimers();
    CBitMapGif &set = board.app->CellPictures().Sets[kRedStarSet];
    set.Frames[0].Create(10, 10, 24, kPictureBmp);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        set.Frames[0].SetPixelColor(x, y, RgbPixel(0, 200, 0));
    set.FrameCount = 1;
    set.Width = set.Height = 10;
    CMoveGif &sprite = board.View().Sprites()[0];
    SelectAnimSet(sprite, kRedStarSet, PictureOrderTable{});
    AddMovePoint(sprite, 0.5f, 0.5f, 3);
    AddMovePoint(sprite, 0.5f, 0.5f, 3);
    ResetMove(sprite, TimeGetTime());
    StartMove(sprite, 1e-9f); // it stays in the middle
    board.View().OnAnimationTimer();
    board.View().OnAnimationTimer();
    const SurfaceRect at = sprite.OldRect;
    QCOMPARE(at.Right - at.Left, 30);
    const CellRect box{at.Left, at.Top, at.Right, at.Bottom};
    constexpr ColorRef kGreen = 0x00C800;
    QCOMPARE(CountPixels(board.View().SpriteBuffer(), box, kGreen), 900);
    QCOMPARE(CountPixels(board.View().PaintDC(), box, kGreen), 0); // the board itself is untouched
    StartMove(sprite, 1);                 // through the end of its path at the next tick
    sprite.LastTime = TimeGetTime() - 10; // the tick comes later than the clock's grain, always
    board.View().OnAnimationTimer();
    QCOMPARE(sprite.State, int{kMoveFinished});
    QCOMPARE(CountPixels(board.View().SpriteBuffer(), box, kGreen), 0);
  }
};

QTEST_MAIN(BoardPlayTest)
#include "board_play_test.moc"
