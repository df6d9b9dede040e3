// The board's input turned into cell actions: typed symbols and pencil marks, the keys that move
// the focus or step through the search's solutions, values dropped or wheeled into cells,
// clearing, undo and redo, the selection, the character sizes and the symbol modes. Every change
// of a cell runs one sequence: ReinitGrids, SaveUndoState, SetCellValue, UpdatePossibles, the
// placement's feedback, a repaint, the end-of-game check, and last the macro step.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "app/app_settings.h"
#include "app/value_symbol.h"
#include "engine/grid_set.h"
#include "engine/host.h"
#include "view/selection_list.h"

namespace quorbel {

struct EngineContext;

// The slots of the sound list the board plays.
enum SoundEffect : int32_t {
  kSoundPickOrDrop = 0,
  kSoundPlacement = 1,
  kSoundValueCompleted = 2,
  kSoundGridSolved = 3,
  kSoundWrongValue = 4,
  kSoundFlash = 5,
  kSoundRefused = 6, // also a cell destroyed after the time limit
  kSoundDoubleClick = 7,
  kSoundTimedTick = 8,
  kSoundScoreZero = 9,
};

// What the input asks of the board around it. Every method has a harmless default.
class BoardFeedback {
public:
  virtual ~BoardFeedback() = default;
  virtual void RedrawViewNow() {}
  // The selection was `before`: the cells drawn selected then and now are repainted.
  virtual void SelectionChanged(const SelectionList & /*before*/) {}
  virtual void RepaintCell(int /*slot*/, int /*cell*/) {}
  // A value was placed in a cell: sound, error count, completed-value pulse.
  virtual void SignalPlacement(int /*slot*/, int /*cell*/) {}
  // Runs after every placement: the grid set may be solved now.
  virtual void CheckEndOfGame() {}
  virtual void PlaySoundEffect(int /*slot*/) {}
  virtual void SaveSettings() {}
  // The symbol mode changed: the value cursors follow it.
  virtual void SymbolModeChanged() {}
  // The number bar's symbol of `value` plays in animation mode `mode`.
  virtual void StartBarAnimation(int /*value*/, int /*mode*/) {}
  // Home, Insert and End: the expert's reference-grid tools (show it, take the grid, take the
  // search's first solution).
  virtual void ReferenceGridKey(int /*which*/) {}
  // A challenge's turn held by a player elsewhere: said, and true. The board then changes no
  // cell, since every change would go to all the boards.
  virtual bool RefuseOutOfTurn() { return false; }
  // A challenge's cell that a player filled right: nobody changes it; said, and true.
  virtual bool RefuseSettledCell(int /*cell*/) { return false; }
  // A challenge's boards kept equal: a change that is not passed on (undo, redo, cut, paste) is
  // said refused, and true.
  virtual bool RefuseUnsharedChange() { return false; }
};

enum class EntryMode : int32_t { Normal = 0, Sequential = 1, Numeral = 2 };

// The keys the board acts on besides the symbols.
enum class BoardKey {
  Backspace,
  Tab,
  Enter,
  Escape,
  PageUp,
  PageDown,
  Home,
  End,
  Insert,
  Left,
  Up,
  Right,
  Down
};

// How a click selects: the cell alone, the rectangle from the anchor (Shift), one more (Ctrl).
enum class SelectMode : int32_t { Single = 0, Range = 1, Add = 2 };

// The macro step codes the board records (indexes of the script's words).
enum BoardMacroCode : int32_t {
  kStepResetInput = 15,   // DISPN with -2
  kStepShowSolution = 15, // DISPN with the number of the solution shown (the search history's)
  kStepCharSize = 27,
  kStepUndo = 28,
  kStepRedo = 29,
  kStepSymbolMode = 30,
  kStepSetCell = 43,
  kStepSetPencil = 44,
  kStepSetProbable = 45,
  kStepSetBoat = 46,
  kStepClick = 50,
};
// CLICK names a cell as 100 + its index; SETCELL -3 the selected cells; DISPN -2 the reset. The
// steps on a cell name its grid last, so that a replay puts them where they were played.
inline constexpr int32_t kClickCellBase = 100;
inline constexpr int32_t kSelectedCellsArg = -3;
inline constexpr int32_t kEveryCellArg = -2; // SETBOAT: every cell of the grid
inline constexpr int32_t kResetInputArg = -2;
// SETPOSS and SETPROB: toggle the mark.
inline constexpr int32_t kMarkToggleArg = 2;

struct EntryState {
  EntryMode Mode = EntryMode::Normal;
  int32_t ValueEntry = 1; // 1 a typed symbol places a value, 0 it toggles a pencil mark
  int32_t KeyCount = 0;
  bool ProbableMarkClicked = false; // the size commands then act on the probable marks
  // Per grid slot: the wheel took its undo step, so one run of wheel steps is one undo step.
  std::array<bool, kMaxGrids> WheelSnapshot{};
  // The expert keys' switches.
  int32_t TimerOn = 1;
  int32_t StepFile = 0;
  int32_t PrintFile = 0;
};

// Empties a cell as a move of the player. SetCellValue without a value empties it silently; a
// challenge peer must see a clear like any other change.
void ClearCellMove(EngineContext &ctx, GridRecord &grid, int cell);

class BoardInput {
public:
  BoardInput(EngineContext &ctx, AppSettings &settings, SelectionList &selection, BoardFeedback &feedback);

  EntryState Entry;

  SymbolMode Symbols() const;
  bool Expert() const;
  // Cells the focus moves through: the playing cells, and the clue cells around them when the
  // line and column area is shown.
  int NavigableRecords() const;
  bool IsMainGrid(int slot) const;
  // No grid shape yet: input has nothing to act on.
  bool HasGrid() const;

  // A typed symbol ('1'..'9', 'A'..'Z'). True when the key was taken as a symbol (placed,
  // marked or refused), false when it means something else.
  bool TypeSymbol(char key);
  void Key(BoardKey key);
  // Every key press counts, and ends a run of wheel steps.
  void NoteKeyPress() {
    ++Entry.KeyCount;
    ForgetWheelSnapshots();
  }
  // The expert's letter keys E, U and V (step file, timers, print file). True when taken.
  bool ExpertKey(char key);
  // Any key press or left-button press: the wheel's next step takes a new undo step.
  void ForgetWheelSnapshots() { Entry.WheelSnapshot.fill(false); }

  // Places `value` in a playing cell (a dropped or double-clicked value). 0 when refused.
  int PlaceValue(int slot, int cell, int value);
  // Lays a piece on the grid, its cell `grabbed` on `cell`, as one undo step: its digits placed
  // (or their parities marked, when the grid asks for parities), its cells marked as boat on a
  // Battle Ship grid. The laying stops at a cell off the grid or at a given that shows another
  // digit; a piece laid whole is marked placed. 0 when nothing was laid.
  int DropPiece(int slot, int piece, int grabbed, int cell);
  // The turn a right double click gives a dragged piece: a Tiled tile is mirrored (or, when it
  // cannot be, turned half round), another piece turns a quarter when the grid lets it.
  void TurnPiece(int slot, int piece);
  // Battle Ship marks (1 boat, 2 water, 0 none) on the selected cells when `cell` is one of them,
  // else on `cell`, which takes the focus; one undo step, each cell recorded.
  void MarkBoats(int slot, int cell, int mark);
  void ClearGridBoats(int slot);
  // The found mark of a piece beside the grid, or (piece -1) of every piece.
  void MarkPieceFound(int slot, int piece, bool found);
  void TogglePencilMark(int slot, int cell, int value);
  void ToggleProbableMark(int slot, int cell, int value);
  // One notch of the wheel: `away` > 0 rolled away from the player, < 0 towards him. On a cell
  // it steps the value, elsewhere the solution shown.
  void WheelStep(int away);

  void MoveFocus(int slot, int cell);
  // The focus moved by a key or the middle button, recorded as a click on the cell, so that a
  // replay walks the grids the same way.
  void StepFocus(int slot, int cell);
  void SelectCell(int slot, int cell, SelectMode mode);
  // A click on a value of the number bar.
  void SelectNumberBarValue(int value);
  // A click on grid tab `tab`: 0 shows every grid, k grid slot k - 1 alone; with `add` (Ctrl) the
  // grid joins the grids shown, or leaves them while another one stays. The focus moves to the
  // same cell of the first grid shown when its own grid went.
  void ClickGridTab(int tab, bool add);
  // A legend line's rule switched on or off on the current grid (the player's guess of a hidden
  // rule); Diagonal takes its two diagonals with it.
  void ToggleGridRule(VariantWords bits);
  void ShowSearchLevel(int level);

  bool CanUndo() const;
  bool CanRedo() const;
  void EditUndo();
  void EditRedo();
  void EditClear();
  void EditSelectAll();
  void FontIncrease() { ChangeFontSize(1, false); }
  void FontDecrease() { ChangeFontSize(-1, false); }
  void FontReset() { ChangeFontSize(0, true); }
  // requested >= 0 asks for a mode, -1 the next one; record 1 saves, repaints and records.
  void SetSymbolMode(int requested, int record);

private:
  GridRecord &Grid(int slot);
  CellRecord *Cell(int slot, int cell);
  void Record(int32_t code, std::initializer_list<std::optional<int32_t>> ints, std::string_view text = {});
  // The placement sequence around `change`, which acts on the cell and returns its macro step.
  void ChangeCell(int slot, int cell, bool snapshot, const std::function<RecordedAction()> &change);
  void TypeValue(int slot, int cell, int value);
  void KeyBackspace();
  void KeyTab();
  void MoveFocusBy(BoardKey arrow);
  void ChangeFontSize(int delta, bool reset);
  RecordedAction SetCellStep(int slot, int cell, int value) const;
  bool OutOfTurn();
  // Out of turn, or a settled cell of a main grid: the refusal said and heard.
  bool Refused(int slot, int cell);
  bool Unshared();

  EngineContext &ctx_;
  AppSettings &settings_;
  SelectionList &selection_;
  BoardFeedback &feedback_;
};

} // namespace quorbel
