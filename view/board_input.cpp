#include "view/board_input.h"

#include "engine/boat_marks.h"

#include "engine/puzzle_pieces.h"

#include <algorithm>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_services.h"
#include "engine/group_rules.h"
#include "engine/irregular_blocks.h"
#include "engine/magic_sentence.h"
#include "engine/search_history.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/script_words.h"
#include "view/clue_definitions.h"
#include "view/hit_test.h"
#include "view/symbol_modes.h"

namespace quorbel {

namespace {

constexpr int kProbTypeSingleValue = 0;

bool IsClue(const CellRecord &cell) { return cell.Status == kStatusFixed || cell.Status == kStatusGiven; }

} // namespace

void ClearCellMove(EngineContext &ctx, GridRecord &grid, int cell) {
  SetCellValue(ctx, grid, cell, 0, kActionClear);
  if (MainGridSlot(ctx.Grids, grid) >= 0 && cell >= 0 && static_cast<size_t>(cell) < grid.Cells.size())
    ctx.Host->DefiSendMove(cell, 0, kActionClear);
}

BoardInput::BoardInput(EngineContext &ctx, AppSettings &settings, SelectionList &selection,
                       BoardFeedback &feedback)
    : ctx_(ctx), settings_(settings), selection_(selection), feedback_(feedback) {}

SymbolMode BoardInput::Symbols() const {
  const int32_t mode = settings_.general.gridCurrDisp;
  return mode >= kSymbolDigits && mode <= kSymbolPictures ? static_cast<SymbolMode>(mode) : kSymbolDigits;
}

bool BoardInput::Expert() const { return settings_.parameter.qrbDebug == 1; }

int BoardInput::NavigableRecords() const {
  return quorbel::NavigableRecords(ctx_.Geo, ClueNavigation(settings_.general));
}

bool BoardInput::IsMainGrid(int slot) const { return slot >= 0 && slot < UsedMainCount(ctx_.Grids); }

bool BoardInput::HasGrid() const { return ctx_.Geo.NCells > 0; }

GridRecord &BoardInput::Grid(int slot) {
  return ctx_.Grids.Main[static_cast<size_t>(std::clamp(slot, 0, kMaxGrids - 1))];
}

CellRecord *BoardInput::Cell(int slot, int cell) {
  if (slot < 0 || slot >= kMaxGrids)
    return nullptr;
  GridRecord &grid = Grid(slot);
  return cell >= 0 && static_cast<size_t>(cell) < grid.Cells.size() ? &grid.Cells[static_cast<size_t>(cell)]
                                                                    : nullptr;
}

void BoardInput::Record(int32_t code, std::initializer_list<std::optional<int32_t>> ints,
                        std::string_view text) {
  RecordedAction step;
  step.Code = code;
  step.Strings[0] = std::string(text);
  size_t i = 0;
  for (const std::optional<int32_t> &value : ints)
    if (i < step.Ints.size())
      step.Ints[i++] = value;
  ctx_.Host->RecordMacroStep(step);
}

RecordedAction BoardInput::SetCellStep(int slot, int cell, int value) const {
  RecordedAction step;
  step.Code = kStepSetCell;
  step.Ints[0] = cell;
  step.Ints[2] = value;
  step.Ints[3] = slot;
  return step;
}

bool BoardInput::OutOfTurn() {
  if (!feedback_.RefuseOutOfTurn())
    return false;
  feedback_.PlaySoundEffect(kSoundRefused);
  return true;
}

bool BoardInput::Refused(int slot, int cell) {
  if (OutOfTurn())
    return true;
  if (!IsMainGrid(slot) || cell < 0 || cell >= ctx_.Geo.NCells || !feedback_.RefuseSettledCell(cell))
    return false;
  feedback_.PlaySoundEffect(kSoundRefused);
  return true;
}

bool BoardInput::Unshared() {
  if (!feedback_.RefuseUnsharedChange())
    return false;
  feedback_.PlaySoundEffect(kSoundRefused);
  return true;
}

void BoardInput::ChangeCell(int slot, int cell, bool snapshot,
                            const std::function<RecordedAction()> &change) {
  ResetTransientState(ctx_);
  if (snapshot)
    SaveUndoState(ctx_);
  const RecordedAction step = change();
  RecomputeAllCandidates(ctx_);
  feedback_.SignalPlacement(slot, cell);
  feedback_.RedrawViewNow();
  AnimateMagicSentences(ctx_);
  feedback_.CheckEndOfGame();
  ctx_.Host->RecordMacroStep(step);
}

// ---- Keys ----

bool BoardInput::TypeSymbol(char key) {
  GridSet &set = ctx_.Grids;
  const int cell = set.FocusCell;
  const int slot = set.FocusGrid;
  if (!HasGrid() || cell < 0 || cell >= ctx_.Geo.CellLimit)
    return false;
  if (!IsMainGrid(slot)) {
    // The expert edits a reference grid's numbers digit by digit.
    if (!Expert() || key < '0' || key > '9')
      return false;
    GridRecord &grid = Grid(slot);
    if (CellRecord *record = Cell(slot, cell)) {
      const int value = std::clamp(record->Value, 0, kMaxWidth) * 10 + (key - '0');
      SetCellValue(ctx_, grid, cell, value, kActionGive);
      RecomputeAllCandidates(ctx_);
      feedback_.RedrawViewNow();
    }
    return true;
  }
  if (Entry.Mode == EntryMode::Numeral) {
    if (cell < ctx_.Geo.NCells) {
      ResetTransientState(ctx_);
      SaveUndoState(ctx_);
      set.FocusCell = ClueDefinitions(ctx_, selection_, feedback_, true).TypeNumeral(cell, key);
    }
    return true;
  }
  // A Magic Sentence grid's letters stand for its values.
  const std::string magic =
      Symbols() == kSymbolLetters ? MagicSentenceLetters(ctx_.Grids, ctx_.Geo.GridWidth) : "";
  const int value =
      magic.empty() ? PlaceableValue(key, Symbols(), ctx_.Geo.GridWidth) : MagicLetterValue(magic, key);
  if (value == 0)
    return ValueOfSymbolKey(key, Symbols()) != 0;
  TypeValue(slot, cell, value);
  return true;
}

void BoardInput::TypeValue(int slot, int cell, int value) {
  const CellRecord *record = Cell(slot, cell);
  if (!record)
    return;
  const bool playing = cell < ctx_.Geo.NCells;
  const int next = cell + 1 < ctx_.Geo.NCells ? cell + 1 : 0;
  if (IsClue(*record)) {
    if (Entry.Mode == EntryMode::Sequential) {
      StepFocus(slot, next);
      return;
    }
    if (!Expert())
      return;
  }
  if (Refused(slot, cell))
    return;
  GridRecord &grid = Grid(slot);
  if (settings_.general.probType == kProbTypeSingleValue)
    Entry.ValueEntry = 1;
  const bool sequential = Entry.Mode == EntryMode::Sequential;
  ChangeCell(slot, cell, true, [&]() -> RecordedAction {
    if (sequential) {
      SetCellValue(ctx_, grid, cell, value, kActionPlace);
      return SetCellStep(slot, cell, value);
    }
    if (Entry.ValueEntry == 1) {
      RecordedAction step = SetCellStep(slot, cell, value);
      if (playing) {
        SetCellValue(ctx_, grid, cell, value, kActionPlace);
      } else {
        SetCellValue(ctx_, grid, cell, value, kActionTogglePencil);
        step = RecordedAction{kStepSetPencil, {}, {cell, value, kMarkToggleArg, slot}};
      }
      // A second symbol in the same cell marks candidates beside the value.
      if (settings_.general.probType != kProbTypeSingleValue)
        Entry.ValueEntry = 0;
      return step;
    }
    SetCellValue(ctx_, grid, cell, value, kActionTogglePencil);
    const CellRecord &marked = grid.Cells[static_cast<size_t>(cell)];
    const int marks = CountMarks(ctx_.Geo, marked);
    if (marks == 0) {
      ClearCellMove(ctx_, grid, cell);
      return SetCellStep(slot, cell, 0);
    }
    if (marks == 1 && playing) {
      const int last = FirstPossValue(ctx_.Geo, marked);
      SetCellValue(ctx_, grid, cell, last, kActionPlace);
      return SetCellStep(slot, cell, last);
    }
    return RecordedAction{kStepSetPencil, {}, {cell, value, kMarkToggleArg, slot}};
  });
  // After the value's step, so that a replay places it before it moves on.
  if (sequential)
    StepFocus(slot, next);
}

void BoardInput::Key(BoardKey key) {
  if (!HasGrid())
    return;
  switch (key) {
  case BoardKey::Backspace:
  case BoardKey::Tab:
  case BoardKey::Enter:
  case BoardKey::PageUp:
  case BoardKey::PageDown:
  case BoardKey::Left:
  case BoardKey::Up:
  case BoardKey::Right:
  case BoardKey::Down:
    Entry.ProbableMarkClicked = false;
    break;
  default:
    break;
  }
  switch (key) {
  case BoardKey::Backspace:
    KeyBackspace();
    return;
  case BoardKey::Tab:
    KeyTab();
    return;
  case BoardKey::Enter:
    ResetTransientState(ctx_);
    Entry.Mode = EntryMode::Normal;
    Entry.ValueEntry = 1;
    RecomputeAllCandidates(ctx_);
    feedback_.RedrawViewNow();
    Record(kStepResetInput, {kResetInputArg});
    return;
  case BoardKey::Escape:
    // Read by a search the player starts later only as its own stop; harmless when idle.
    Grid(ctx_.Grids.FocusGrid).SearchStop = 1;
    return;
  case BoardKey::PageUp:
    ShowSearchLevel(ctx_.Solutions.ShownLevel - 1);
    return;
  case BoardKey::PageDown:
    ShowSearchLevel(ctx_.Solutions.ShownLevel + 1);
    return;
  case BoardKey::Home:
    feedback_.ReferenceGridKey(0);
    return;
  case BoardKey::Insert:
    feedback_.ReferenceGridKey(1);
    return;
  case BoardKey::End:
    feedback_.ReferenceGridKey(2);
    return;
  case BoardKey::Left:
  case BoardKey::Up:
  case BoardKey::Right:
  case BoardKey::Down:
    MoveFocusBy(key);
    return;
  }
}

bool BoardInput::ExpertKey(char key) {
  if (!Expert())
    return false;
  auto toggle = [&](int32_t &flag, std::string_view name) {
    flag = flag == 1 ? 0 : 1;
    ctx_.Host->AddInfoMessage(std::string(flag == 1 ? "Enable " : "Disable ") + std::string(name));
  };
  switch (key) {
  case 'E':
    toggle(Entry.StepFile, "StepFile");
    return true;
  case 'U':
    toggle(Entry.TimerOn, "Timer");
    return true;
  case 'V':
    toggle(Entry.PrintFile, "PrintFile");
    return true;
  default:
    return false;
  }
}

void BoardInput::KeyBackspace() {
  GridSet &set = ctx_.Grids;
  if (!IsMainGrid(set.FocusGrid)) {
    // The expert takes the last digit off a reference grid's number.
    const CellRecord *record = Cell(set.FocusGrid, set.FocusCell);
    if (!Expert() || !record)
      return;
    const int value = record->Value / 10;
    SetCellValue(ctx_, Grid(set.FocusGrid), set.FocusCell, value, value == 0 ? kActionClear : kActionGive);
    RecomputeAllCandidates(ctx_);
    feedback_.RedrawViewNow();
    return;
  }
  ResetTransientState(ctx_);
  Record(kStepResetInput, {kResetInputArg});
  const int cell = set.FocusCell;
  if (cell < 0 || cell >= NavigableRecords()) {
    StepFocus(set.FocusGrid, 0);
    return;
  }
  const CellRecord *record = Cell(set.FocusGrid, cell);
  if (!record || (IsClue(*record) && !Expert()) || Refused(set.FocusGrid, cell))
    return;
  SaveUndoState(ctx_);
  ClearCellMove(ctx_, Grid(set.FocusGrid), cell);
  Entry.ValueEntry = 1;
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepSetCell, {cell, std::nullopt, 0, set.FocusGrid});
}

void BoardInput::KeyTab() {
  GridSet &set = ctx_.Grids;
  const int cell = set.FocusCell;
  if (CountShownMainGrids(set) >= 2 && Entry.Mode == EntryMode::Normal) {
    const int pos = FindInGridOrder(set, set.FocusGrid);
    int next = pos >= 0 && pos + 1 < UsedOrderCount(set) ? set.Order[static_cast<size_t>(pos + 1)] : -1;
    if (!IsMainGrid(next))
      next = set.Order[0];
    Entry.ValueEntry = 1;
    StepFocus(next, std::max(cell, 0));
    return;
  }
  StepFocus(set.FocusGrid, cell >= 0 && cell + 1 < NavigableRecords() ? cell + 1 : 0);
}

void BoardInput::MoveFocusBy(BoardKey arrow) {
  const GridGeometry &geo = ctx_.Geo;
  const int limit = NavigableRecords();
  const int width = geo.GridWidth;
  const int lastRowStart = (geo.NRows - 1) * width;
  int cell = ctx_.Grids.FocusCell;
  if (cell < 0 || cell >= limit) {
    cell = 0;
  } else {
    switch (arrow) {
    case BoardKey::Left:
      cell = cell == 0 ? geo.NRows * width - 1 : cell - 1;
      break;
    case BoardKey::Right:
      cell = cell + 1 < limit ? cell + 1 : 0;
      break;
    case BoardKey::Up:
      cell = cell < width ? cell + lastRowStart : cell - width;
      break;
    case BoardKey::Down:
      cell = cell >= lastRowStart && cell < geo.NCells ? cell - lastRowStart : cell + width;
      break;
    default:
      break;
    }
    if (cell < 0 || cell >= limit)
      cell = 0;
  }
  Entry.ValueEntry = 1;
  StepFocus(ctx_.Grids.FocusGrid, cell);
}

// ---- Mouse ----

int BoardInput::PlaceValue(int slot, int cell, int value) {
  const CellRecord *record = Cell(slot, cell);
  if (!IsMainGrid(slot) || !record || cell >= ctx_.Geo.NCells || value < 1 || value > ctx_.Geo.GridWidth ||
      value > kMaxWidth || (IsClue(*record) && !Expert()) || Refused(slot, cell))
    return 0;
  ChangeCell(slot, cell, true, [&] {
    SetCellValue(ctx_, Grid(slot), cell, value, kActionPlace);
    return SetCellStep(slot, cell, value);
  });
  return 1;
}

int BoardInput::DropPiece(int slot, int piece, int grabbed, int cell) {
  const GridGeometry &geo = ctx_.Geo;
  if (!IsMainGrid(slot) || cell < 0 || cell >= geo.NCells)
    return 0;
  GridRecord &grid = Grid(slot);
  if (piece < 0 || piece >= grid.Lists.Pieces.Size())
    return 0;
  PuzzlePiece &p = grid.Lists.Pieces.Items[static_cast<size_t>(piece)];
  const int n = std::clamp<int>(p.NCells, 0, kMaxPieceDigits);
  if (grabbed < 0 || grabbed >= n)
    return 0;
  const bool mirror = p.Mirror != 0;
  const auto [grabX, grabY] = PieceCellOffset(geo, p, grabbed, p.Rotation, mirror);
  // The grid cell under piece cell k, -1 when it falls off the grid or on a given of another digit.
  // The grab offsets are copied in: clang 14 cannot capture a structured binding.
  auto target = [&, grabX = grabX, grabY = grabY](int k) {
    const auto [x, y] = PieceCellOffset(geo, p, k, p.Rotation, mirror);
    const int col = cell % geo.NCols + x - grabX;
    const int row = cell / geo.NCols + y - grabY;
    if (col < 0 || row < 0 || col >= geo.NCols || row >= geo.NRows)
      return -1;
    const CellRecord &at = grid.Cells[static_cast<size_t>(row * geo.NCols + col)];
    const int digit = TurnedDigit(grid, p.Digits[static_cast<size_t>(k)], p.Rotation, mirror);
    return at.Status == kStatusFixed && digit > 0 && at.Value != digit ? -1 : row * geo.NCols + col;
  };
  if (target(0) < 0 || OutOfTurn())
    return 0; // nothing would be laid: no undo step either
  int laid = 0;
  ResetTransientState(ctx_);
  SaveUndoState(ctx_);
  for (int k = 0; k < n; ++k) {
    const int at = target(k);
    if (at < 0)
      break;
    CellRecord &cellRecord = grid.Cells[static_cast<size_t>(at)];
    const int digit = TurnedDigit(grid, p.Digits[static_cast<size_t>(k)], p.Rotation, mirror);
    if (digit > 0 && grid.Lists.PieceParity == 1)
      cellRecord.OddEven = static_cast<int8_t>(digit % 2);
    else if (digit > 0 && cellRecord.Status != kStatusFixed)
      SetCellValue(ctx_, grid, at, digit, kActionPlace);
    if (Meets(grid.GridVar, kVarBattleShip))
      SetBoatMark(geo, grid, at, kBoatPart, settings_.general.autoNoBoat == 1);
    ++laid;
  }
  if (laid == n)
    p.Placed = 1;
  // The placement sequence, but no macro step: a drop has none of its own.
  RecomputeAllCandidates(ctx_);
  feedback_.SignalPlacement(slot, cell);
  feedback_.RedrawViewNow();
  AnimateMagicSentences(ctx_);
  feedback_.CheckEndOfGame();
  return laid > 0 ? 1 : 0;
}

void BoardInput::TurnPiece(int slot, int piece) {
  if (!IsMainGrid(slot))
    return;
  GridRecord &grid = Grid(slot);
  if (piece < 0 || piece >= grid.Lists.Pieces.Size())
    return;
  PuzzlePiece &p = grid.Lists.Pieces.Items[static_cast<size_t>(piece)];
  const PieceTurns turns = AllowedPieceTurns(grid, p);
  if (Meets(grid.GridVar, kVarTiled)) {
    if (turns.Mirror)
      p.Mirror = static_cast<int16_t>(p.Mirror == 0 ? 1 : 0);
    else if ((turns.Rotations & 0b100u) != 0)
      p.Rotation = static_cast<int16_t>((p.Rotation + 2) % 4);
  } else if (turns.Rotations == 0b1111u) {
    p.Rotation = static_cast<int16_t>((p.Rotation + 1) % 4);
  }
  ShowPuzzlePieces(ctx_, grid); // a turned tile reads its digits turned
}

void BoardInput::MarkBoats(int slot, int cell, int mark) {
  const GridGeometry &geo = ctx_.Geo;
  if (!IsMainGrid(slot) || cell < 0 || cell >= geo.NCells)
    return;
  GridRecord &grid = Grid(slot);
  ResetTransientState(ctx_);
  SaveUndoState(ctx_);
  const bool autoWater = settings_.general.autoNoBoat == 1;
  auto mark1 = [&](int at) {
    SetBoatMark(geo, grid, at, mark, autoWater);
    Record(kStepSetBoat, {at, mark, slot});
  };
  if (FindSelection(selection_, cell, slot) >= 0) {
    for (int k = 0; k < selection_.Count; ++k) {
      const SelectionPair &pair = selection_.Pairs[static_cast<size_t>(k)];
      if (pair.Grid == slot)
        mark1(pair.Cell);
    }
  } else {
    mark1(cell);
    MoveFocus(slot, cell);
  }
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
}

void BoardInput::ClearGridBoats(int slot) {
  if (!IsMainGrid(slot))
    return;
  ResetTransientState(ctx_);
  SaveUndoState(ctx_);
  for (CellRecord &cell : Grid(slot).PlayingCells(ctx_.Geo))
    cell.Boat = kBoatNone;
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepSetBoat, {kEveryCellArg, kBoatNone, slot});
}

void BoardInput::MarkPieceFound(int slot, int piece, bool found) {
  if (!IsMainGrid(slot))
    return;
  GridRecord &grid = Grid(slot);
  ResetTransientState(ctx_);
  SaveUndoState(ctx_);
  for (int i = 0; i < grid.Lists.Pieces.Size(); ++i)
    if (piece < 0 || piece == i)
      grid.Lists.Pieces.Items[static_cast<size_t>(i)].Found = static_cast<int16_t>(found ? 1 : 0);
  feedback_.RedrawViewNow();
}

void BoardInput::TogglePencilMark(int slot, int cell, int value) {
  const CellRecord *record = Cell(slot, cell);
  if (!IsMainGrid(slot) || !record || value < 1 || value > ctx_.Geo.GridWidth || value > kMaxWidth ||
      record->Status <= kStatusFixed || Refused(slot, cell))
    return;
  ResetTransientState(ctx_);
  SaveUndoState(ctx_);
  SetCellValue(ctx_, Grid(slot), cell, value, kActionTogglePencil);
  if (CountMarks(ctx_.Geo, Grid(slot).Cells[static_cast<size_t>(cell)]) == 0)
    ClearCellMove(ctx_, Grid(slot), cell);
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepSetPencil, {cell, value, kMarkToggleArg, slot});
}

void BoardInput::ToggleProbableMark(int slot, int cell, int value) {
  CellRecord *record = Cell(slot, cell);
  if (!record || value < 1 || value > ctx_.Geo.GridWidth || value > kMaxWidth ||
      record->Status <= kStatusFixed)
    return;
  record->Marks ^= ValueBit(value);
  Entry.ProbableMarkClicked = true;
  feedback_.RepaintCell(slot, cell);
  Record(kStepSetProbable, {cell, value, kMarkToggleArg, slot});
}

void BoardInput::WheelStep(int away) {
  GridSet &set = ctx_.Grids;
  if (!HasGrid() || away == 0 || set.FocusCell == kFocusMessagePanel)
    return; // the view scrolls its message panel itself
  const int slot = set.FocusGrid;
  const int cell = set.FocusCell;
  const CellRecord *record = Cell(slot, cell);
  if (cell < 0 || cell >= ctx_.Geo.NCells || !IsMainGrid(slot) || !record) {
    // Away from the player the earlier solution, towards him the next one.
    ShowSearchLevel(ctx_.Solutions.ShownLevel + (away > 0 ? -1 : 1));
    return;
  }
  if (IsClue(*record) && !Expert()) {
    feedback_.PlaySoundEffect(kSoundRefused);
    return;
  }
  if (Refused(slot, cell))
    return;
  // Away from the player the value falls (empty, W, ..., 1, empty); towards him it climbs.
  const int width = ctx_.Geo.GridWidth;
  const int current = record->Status < kStatusConflict ? std::clamp(record->Value, 0, width) : 0;
  int value = 0;
  if (away > 0)
    value = current == 0 ? width : current - 1;
  else
    value = current >= width ? 0 : current + 1;
  const bool snapshot = !Entry.WheelSnapshot[static_cast<size_t>(slot)];
  Entry.WheelSnapshot[static_cast<size_t>(slot)] = true;
  ChangeCell(slot, cell, snapshot, [&] {
    if (value == 0)
      ClearCellMove(ctx_, Grid(slot), cell);
    else
      SetCellValue(ctx_, Grid(slot), cell, value, kActionPlace);
    return SetCellStep(slot, cell, value);
  });
}

// ---- Selection ----

void BoardInput::MoveFocus(int slot, int cell) {
  const SelectionList before = selection_;
  SetFocusCell(selection_, ctx_.Grids, ctx_.Geo, cell, slot);
  feedback_.SelectionChanged(before);
}

void BoardInput::StepFocus(int slot, int cell) {
  MoveFocus(slot, cell);
  Record(kStepClick, {kClickCellBase + cell, slot, static_cast<int32_t>(SelectMode::Single)});
}

void BoardInput::SelectCell(int slot, int cell, SelectMode mode) {
  const SelectionList before = selection_;
  switch (mode) {
  case SelectMode::Single:
    SetFocusCell(selection_, ctx_.Grids, ctx_.Geo, cell, slot);
    break;
  case SelectMode::Range:
    AddRangeToSelection(selection_, ctx_.Grids, ctx_.Geo, cell, slot);
    break;
  case SelectMode::Add:
    AddCellToSelection(selection_, ctx_.Grids, cell, slot);
    break;
  }
  feedback_.SelectionChanged(before);
  // The message panel is clicked as itself (-2), a cell as 100 + its index.
  Record(kStepClick, {cell >= 0 ? kClickCellBase + cell : cell, slot, static_cast<int32_t>(mode)});
}

void BoardInput::SelectNumberBarValue(int value) {
  if (value < 1 || value > ctx_.Geo.GridWidth)
    return;
  // Every cell showing the value plays: its picture once, or a pulse round its symbol.
  const bool pictures = Symbols() == kSymbolPictures;
  if (pictures || settings_.general.displayBarAreaIdem == 1) {
    if (settings_.general.displayBarAreaIdem == 1)
      Record(kStepClick, {value});
    const int mode = pictures ? kAnimOnce : kAnimPulse;
    const GridSet &set = ctx_.Grids;
    for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
      const int slot = set.Order[static_cast<size_t>(pos)];
      if (!IsMainGrid(slot))
        continue;
      const std::span<CellRecord> cells = Grid(slot).PlayingCells(ctx_.Geo);
      for (size_t cell = 0; cell < cells.size(); ++cell)
        if (cells[cell].Status < kStatusConflict && cells[cell].Value == value)
          ctx_.Host->StartCellAnimation(Grid(slot), static_cast<int>(cell), kValuePicture, mode, 1);
    }
    feedback_.StartBarAnimation(value, mode);
  }
  feedback_.PlaySoundEffect(kSoundPickOrDrop);
}

void BoardInput::ToggleGridRule(VariantWords bits) {
  GridRecord &grid = ctx_.Grids.Main[static_cast<size_t>(CurrentGridSlot(ctx_.Grids))];
  grid.GridVar = grid.GridVar ^ bits;
  if (Meets(bits, kVarDiagonal)) {
    const int16_t on = Meets(grid.GridVar, kVarDiagonal) ? 1 : 0;
    grid.Lists.RegionOn[0] = grid.Lists.RegionOn[1] = on;
    RebuildGridRegions(ctx_, grid);
  }
  UpdatePossibles(ctx_, -1, -1, -1, 1);
  feedback_.RedrawViewNow();
}

void BoardInput::ClickGridTab(int tab, bool add) {
  GridSet &set = ctx_.Grids;
  const int grids = UsedAllCount(set);
  if (tab < 0 || tab > grids)
    return;
  const int grid = tab - 1;
  const int shown = UsedOrderCount(set);
  if (tab == 0) {
    set.Order = GridSet::IdentityOrder();
    set.OrderCount = grids;
  } else if (!add) {
    set.Order[0] = grid;
    set.OrderCount = 1;
  } else if (const int pos = FindInGridOrder(set, grid); pos < 0) {
    set.Order[static_cast<size_t>(shown)] = grid;
    set.OrderCount = shown + 1;
    std::sort(set.Order.begin(), set.Order.begin() + set.OrderCount);
  } else if (shown >= 2) {
    std::move(set.Order.begin() + pos + 1, set.Order.begin() + shown, set.Order.begin() + pos);
    set.OrderCount = shown - 1;
  }
  if (FindInGridOrder(set, set.FocusGrid) < 0)
    MoveFocus(set.Order[0], set.FocusCell);
  feedback_.RedrawViewNow();
  Record(kStepClick, {kClickGridTab, tab, add ? static_cast<int32_t>(SelectMode::Add) : 0});
}

void BoardInput::ShowSearchLevel(int level) {
  // The search history records its own step, only when the level is shown.
  ReinitGrids(ctx_, 0, 1, 1, 1);
  if (ShowSearchSolution(ctx_, level) == 1)
    RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
}

// ---- Edit commands ----

bool BoardInput::CanUndo() const { return HasGrid() && quorbel::CanUndo(ctx_.Undo); }

bool BoardInput::CanRedo() const { return HasGrid() && quorbel::CanRedo(ctx_.Undo); }

void BoardInput::EditUndo() {
  if (!CanUndo() || Unshared())
    return;
  UndoLastState(ctx_);
  ReinitGrids(ctx_, 1, 1, 1, 0);
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepUndo, {1});
}

void BoardInput::EditRedo() {
  if (!CanRedo() || Unshared())
    return;
  ReDo(ctx_);
  ReinitGrids(ctx_, 1, 1, 1, 0);
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepRedo, {1});
}

void BoardInput::EditClear() {
  GridSet &set = ctx_.Grids;
  if (!HasGrid() || (!IsMainGrid(set.FocusGrid) && !Expert()) || OutOfTurn())
    return;
  ResetTransientState(ctx_);
  if (selection_.Count >= 2) {
    SaveUndoState(ctx_);
    for (int i = 0; i < std::min(selection_.Count, kMaxSelection); ++i) {
      const SelectionPair pair = selection_.Pairs[static_cast<size_t>(i)];
      const CellRecord *record = Cell(pair.Grid, pair.Cell);
      if (IsMainGrid(pair.Grid) && record && (Expert() || !IsClue(*record)) &&
          !feedback_.RefuseSettledCell(pair.Cell))
        ClearCellMove(ctx_, Grid(pair.Grid), pair.Cell);
    }
    RecomputeAllCandidates(ctx_);
    feedback_.RedrawViewNow();
    Record(kStepResetInput, {kResetInputArg});
    Record(kStepSetCell, {kSelectedCellsArg, std::nullopt, 0});
    return;
  }
  const int cell = set.FocusCell;
  const CellRecord *record = Cell(set.FocusGrid, cell);
  if (cell < 0 || cell >= NavigableRecords() || !record || (IsClue(*record) && !Expert()) ||
      Refused(set.FocusGrid, cell))
    return;
  SaveUndoState(ctx_);
  ClearCellMove(ctx_, Grid(set.FocusGrid), cell);
  RecomputeAllCandidates(ctx_);
  feedback_.RedrawViewNow();
  Record(kStepSetCell, {cell, std::nullopt, 0, set.FocusGrid});
}

void BoardInput::EditSelectAll() {
  if (!HasGrid())
    return;
  const SelectionList before = selection_;
  const int slot = CurrentGridSlot(ctx_.Grids);
  ClearSelection(selection_, ctx_.Grids);
  for (int cell = 0; cell < std::min(ctx_.Geo.NCells, kMaxSelection); ++cell)
    AddCellToSelection(selection_, ctx_.Grids, cell, slot);
  feedback_.SelectionChanged(before);
}

void BoardInput::ChangeFontSize(int delta, bool reset) {
  Entry.WheelSnapshot[static_cast<size_t>(CurrentGridSlot(ctx_.Grids))] = false;
  const GridSet &set = ctx_.Grids;
  const CellRecord *focus = Cell(set.FocusGrid, set.FocusCell);
  const FontTarget target = ChooseFontTarget({
      .FocusCell = set.FocusCell,
      .ProbableMarkClicked = Entry.ProbableMarkClicked,
      .NCells = ctx_.Geo.NCells,
      .ProbType = settings_.general.probType,
      .FocusStatus = focus ? focus->Status : kStatusEmpty,
  });
  auto change = [&](FontTarget single) {
    int32_t &offset = FontOffset(settings_.general, single);
    offset = reset ? 0
                   : static_cast<int32_t>(
                         std::clamp<int64_t>(int64_t{offset} + delta, -kMaxFontOffset, kMaxFontOffset));
    Record(kStepCharSize, {offset}, FontTargetWord(single));
  };
  if (target == FontTarget::All)
    for (FontTarget single : kEveryFontTarget)
      change(single);
  else
    change(target);
  feedback_.SaveSettings();
  feedback_.RedrawViewNow();
}

void BoardInput::SetSymbolMode(int requested, int record) {
  const SymbolMode mode = ChooseSymbolMode(requested, settings_.general.gridCurrDisp, ctx_.Geo.GridWidth);
  settings_.general.gridCurrDisp = mode;
  if (record == 1) {
    feedback_.SaveSettings();
    feedback_.RedrawViewNow();
    Record(kStepSymbolMode, {}, SymbolModeWord(mode));
  }
  feedback_.SymbolModeChanged();
}

} // namespace quorbel
