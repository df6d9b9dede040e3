// The script's grid commands: a new or generated grid, the start position, undo and redo, the
// values, marks and boats of cells, the rule words, the level and the statistics, and a grid
// taken out of the set.
#include <algorithm>
#include <optional>
#include <vector>

#include "app/empty_grid_choices.h"
#include "app/macro_commands.h"
#include "app/message_format.h"
#include "app/text_lines.h"
#include "engine/boat_marks.h"
#include "engine/cell_actions.h"
#include "engine/geometry.h"
#include "engine/grid_services.h"
#include "engine/grid_set.h"
#include "engine/grid_statistics.h"
#include "engine/method_record.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "solver/generate_grid.h"

namespace quorbel {

namespace {

constexpr int kEveryCell = -2;
constexpr int kFocusCell = -3;

struct CellTarget {
  int Slot;
  int Cell; // kEveryCell: each cell of the grid
};

// The grid a cell step names after its arguments (0 the first), else the current grid; none when
// it names a grid the set does not hold.
std::optional<int> NamedGrid(MacroCommandContext &c, const MacroCall &call, int i) {
  if (!call.IsNumber(i))
    return c.CurrentGrid();
  const int slot = call.Number(i);
  if (slot < 0 || slot >= UsedMainCount(c.Engine().Grids))
    return std::nullopt;
  return slot;
}

// A cell argument: a cell of the grid, every cell of it (-2) or the focus cell (-3).
std::optional<CellTarget> TargetOf(const EngineContext &ctx, int slot, int cell) {
  const bool focus = cell == kFocusCell;
  const int at = focus ? ctx.Grids.FocusCell : cell;
  if (!(cell == kEveryCell || (at >= 0 && at < ctx.Geo.NCells)))
    return std::nullopt;
  return CellTarget{focus && ctx.Grids.FocusGrid >= 0 ? ctx.Grids.FocusGrid : slot, at};
}

template <typename Change> void ForTarget(const EngineContext &ctx, const CellTarget &target, Change change) {
  if (target.Cell != kEveryCell)
    change(target.Cell);
  else
    for (int at = 0; at < ctx.Geo.NCells; ++at)
      change(at);
}

// The selected cells that lie on a main grid; the board keeps them, a script only reads them.
std::vector<MacroCellRef> SelectedCells(MacroCommandContext &c) {
  const EngineContext &ctx = c.Engine();
  std::vector<MacroCellRef> cells = c.Services.Board.SelectedCells();
  std::erase_if(cells, [&](const MacroCellRef &at) {
    return at.Grid < 0 || at.Grid >= UsedMainCount(ctx.Grids) || at.Cell < 0 || at.Cell >= ctx.Geo.NCells;
  });
  return cells;
}

// The shape lookup falls back to 9 x 9 for any other size, which a script must not get silently.
bool PlayedSize(int size) { return kGridShapes[static_cast<size_t>(ShapeCodeOfSize(size))].Size == size; }

// NEW: the empty-grid dialog's Manual Input, with the display it chose as argument 2. A script
// written before the display was recorded leaves it out (or holds the help text there): the
// display then stays, moved to one the size offers as the dialog would.
int New(MacroCommandContext &c, const MacroCall &call) {
  const int size = call.Number(1);
  if (size < 1)
    return kMacroStepDone;
  if (!PlayedSize(size))
    return kMacroStepFailed;
  const int shape = ShapeCodeOfSize(size);
  const int word = call.Word(2);
  const int32_t shown = c.Services.Settings.Values().general.gridCurrDisp;
  const SymbolMode asked =
      word >= kArgNumber && word <= kArgCartoon            ? static_cast<SymbolMode>(word - kArgNumber)
      : shown >= kSymbolDigits && shown <= kSymbolPictures ? static_cast<SymbolMode>(shown)
                                                           : kSymbolDigits;
  c.Services.Document.NewEmptyGrid(shape, UpdateDisplayChoices(shape, asked).Display);
  c.Services.Board.Redraw();
  c.Say("New Grid");
  return kMacroStepDone;
}

int Genere(MacroCommandContext &c, const MacroCall &call) {
  if (!PlayedSize(call.Number(1)))
    return kMacroStepFailed;
  const int shape = ShapeCodeOfSize(call.Number(1));
  const int word = call.Word(2);
  const int level = word >= kArgEasy && word <= kArgTerrible ? word - kArgEasy + 1 : 1;
  GeneralSettings &general = c.Services.Settings.Values().general;
  general.gridCurrSize = shape;
  constexpr uint32_t kNoWord = 0xFFFFFFFF; // -1: no second word
  const uint32_t word1 = call.Bits(3);
  const uint32_t second = call.Has(4) ? call.Bits(4) : kNoWord;
  const uint32_t word2 = second == kNoWord ? 0u : second;
  // A rule the catalogue does not offer at this size is refused like a size the game does not
  // play, with its name: the generator could only fail on it.
  if (const std::string unplayed = UnplayedRuleMessage({word1, word2}, call.Number(1),
                                                       c.French() ? kLanguageFrench : kLanguageEnglish);
      !unplayed.empty()) {
    c.Say(unplayed);
    return kMacroStepFailed;
  }
  general.gridCurrVariant = static_cast<uint64_t>(word1) | (static_cast<uint64_t>(word2) << 32);
  general.uniqSolution = call.Word(5) == kArgUniq ? 1 : 0;
  c.Services.Settings.Apply();
  const int made = c.Services.Generator.Generate(level);
  if (c.Services.Playback.AbortRequested())
    return kMacroStepStopped;
  c.ShowAllCells();
  c.Services.Board.Redraw();
  return made == 1 ? kMacroStepDone : kMacroStepFailed;
}

int Reset(MacroCommandContext &c, const MacroCall &) {
  c.Services.Menus.BackToStartupGrid();
  c.Say("Go back to initial configuration");
  return kMacroStepDone;
}

int Init(MacroCommandContext &c, const MacroCall &) {
  c.Services.Menus.DefineStartupGrid();
  c.Say("Define Initial configuration");
  return kMacroStepDone;
}

// UNDO and REDO: that many steps, 0 all of them.
int UndoRedo(MacroCommandContext &c, const MacroCall &call) {
  const bool undo = call.Code() == kMacroUndo;
  const int times = call.Number(1);
  for (int i = 0; times == 0 ? i < 100000 : i < times; ++i)
    if (!(undo ? c.Services.Menus.Undo() : c.Services.Menus.Redo()))
      break;
  return kMacroStepDone;
}

int SetCell(MacroCommandContext &c, const MacroCall &call) {
  EngineContext &ctx = c.Engine();
  const int value = call.Number(2);
  if (value < 0 || value > ctx.Geo.GridWidth)
    return kMacroStepFailed;
  // Clearing -3 is the board's Clear of a selection played back: every selected cell.
  const bool clearSelection = call.Number(1) == kFocusCell && value == 0;
  const std::optional<int> slot = NamedGrid(c, call, 3);
  const std::optional<CellTarget> target =
      clearSelection || !slot ? std::nullopt : TargetOf(ctx, *slot, call.Number(1));
  if (!clearSelection && !target)
    return kMacroStepFailed;
  if (c.Services.Board.RefuseOutOfTurn())
    return kMacroStepFailed;
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  if (clearSelection) {
    for (const MacroCellRef &at : SelectedCells(c))
      SetCellValue(ctx, ctx.Grids.Main[static_cast<size_t>(at.Grid)], at.Cell, 0, kActionClear);
  } else {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(target->Slot)];
    ForTarget(ctx, *target,
              [&](int at) { SetCellValue(ctx, grid, at, value, value == 0 ? kActionClear : kActionPlace); });
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  c.Services.Board.CheckEndOfGame();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

// SETPOSS (pencil marks) and SETPROB (probable marks); type 1 adds, 0 removes, 2 exchanges.
int SetMarks(MacroCommandContext &c, const MacroCall &call) {
  EngineContext &ctx = c.Engine();
  const bool probables = call.Code() == kMacroSetProb;
  const int candidate = call.Number(2);
  const int type = call.Number(3);
  const int width = ctx.Geo.GridWidth;
  if (candidate < 0 || candidate > width || type < 0 || type > 2)
    return kMacroStepFailed;
  const std::optional<int> slot = NamedGrid(c, call, 4);
  const std::optional<CellTarget> target = slot ? TargetOf(ctx, *slot, call.Number(1)) : std::nullopt;
  if (!target)
    return kMacroStepFailed;
  // Pencil marks go to the other boards as moves; probable marks stay on this one.
  if (!probables && c.Services.Board.RefuseOutOfTurn())
    return kMacroStepFailed;
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(target->Slot)];
  ForTarget(ctx, *target, [&](int at) {
    CellRecord &record = grid.Cells[static_cast<size_t>(at)];
    for (int v = candidate == 0 ? 1 : candidate; v <= (candidate == 0 ? width : candidate); ++v) {
      const uint32_t bit = 1u << (v - 1);
      if (probables) {
        // The same mark mask the board's click toggles: the recomputation after the step keeps it,
        // and a cell that holds a value keeps its own bit.
        if (record.Status > kStatusFixed)
          record.Marks = type == 1   ? record.Marks | bit
                         : type == 0 ? record.Marks & ~bit
                                     : record.Marks ^ bit;
      } else {
        const bool present = record.Status == kStatusPencilled && (record.Marks & bit) != 0;
        if (type == 2 || (type == 1 && !present) || (type == 0 && present))
          SetCellValue(ctx, grid, at, v, kActionTogglePencil);
      }
    }
  });
  UpdatePossibles(ctx, -1, -1, -1, 1);
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int SetBoat(MacroCommandContext &c, const MacroCall &call) {
  EngineContext &ctx = c.Engine();
  const int cell = call.Number(1);
  const int mark = call.Number(2);
  const std::optional<int> slot = NamedGrid(c, call, 3);
  if (mark < 0 || mark > 2 || cell < kFocusCell || cell >= ctx.Geo.NCells || cell == -1 || !slot)
    return kMacroStepFailed;
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(*slot)];
  // As the board marks boats: water around a boat with the automatic no-boat option.
  const bool autoWater = c.Services.Settings.Values().general.autoNoBoat == 1;
  if (cell == kEveryCell) {
    for (int at = 0; at < ctx.Geo.NCells; ++at)
      SetBoatMark(ctx.Geo, grid, at, mark, autoWater);
  } else if (cell == kFocusCell) {
    // -3 here is every selected cell, not the focus alone.
    for (const MacroCellRef &selected : SelectedCells(c))
      SetBoatMark(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(selected.Grid)], selected.Cell, mark,
                  autoWater);
  } else {
    SetBoatMark(ctx.Geo, grid, cell, mark, autoWater);
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int DispPoss(MacroCommandContext &c, const MacroCall &call) {
  const int cell = call.Number(1);
  if (cell < 0 || cell >= c.Engine().Geo.NCells)
    return kMacroStepFailed;
  GridRecord &grid = c.CurrentGridRecord();
  for (CellRecord &record : grid.Cells)
    record.CellHighlight = 0;
  grid.Cells[static_cast<size_t>(cell)].CellHighlight = 1;
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int SetDiff(MacroCommandContext &c, const MacroCall &call) {
  const EngineContext &ctx = c.Engine();
  int level = call.Number(1);
  if (level == 0 && ctx.Methods.GameMaxMethodLevel >= 0)
    level = LevelFromDifficulty(ctx.Methods.GameMaxMethodLevel);
  if (level >= 1 && level <= 4)
    c.Services.Document.SetGameLevel(level);
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int Variant(MacroCommandContext &c, const MacroCall &call) {
  GridRecord &grid = c.CurrentGridRecord();
  const uint32_t word1 = call.Bits(1);
  const uint32_t word2 = call.Bits(2);
  if (call.Number(3) != 0) {
    grid.GridVar.word1 |= word1;
    grid.GridVar.word2 |= word2;
  } else {
    grid.GridVar.word1 &= ~word1;
    grid.GridVar.word2 &= ~word2;
  }
  UpdatePossibles(c.Engine(), -1, -1, -1, 1);
  c.Services.Board.Redraw();
  c.Services.Messages.Show(
      FormatPanelText(OwnText("Varient updated %d-%d-%d"), {call.Number(1), call.Number(2), call.Number(3)}));
  return kMacroStepDone;
}

int DelMult(MacroCommandContext &c, const MacroCall &call) {
  // Grids are numbered from 1, as their tabs; 0 (a word, or -2) is the grid in play.
  constexpr int kNoGridNumber = -2;
  int number = call.Number(1);
  if (number == kNoGridNumber)
    number = 0;
  const int slot = number > 0 ? number - 1 : c.CurrentGrid();
  if (number < 0 || !c.Services.Document.DeleteGrid(slot))
    return kMacroStepFailed;
  c.Services.Messages.Show(FormatPanelText(OwnText("Deleted Multiple Grid Number %d"), {number}));
  return kMacroStepDone;
}

int Stat(MacroCommandContext &c, const MacroCall &) {
  EngineContext &ctx = c.Engine();
  const std::string text = BuildGridStatistics(ctx, c.CurrentGridRecord(), c.Services.Document.GameLevel(),
                                               ctx.Methods.GameMaxMethodLevel);
  for (const std::string_view line : SplitTextLines(text))
    c.Say(std::string(line));
  return kMacroStepDone;
}

constexpr MacroCommandRow kRows[] = {
    {kMacroNew, New},         {kMacroGenere, Genere},     {kMacroReset, Reset},
    {kMacroInit, Init},       {kMacroUndo, UndoRedo},     {kMacroRedo, UndoRedo},
    {kMacroSetCell, SetCell}, {kMacroSetPoss, SetMarks},  {kMacroSetProb, SetMarks},
    {kMacroSetBoat, SetBoat}, {kMacroDispPoss, DispPoss}, {kMacroSetDiff, SetDiff},
    {kMacroVariant, Variant}, {kMacroDelMult, DelMult},   {kMacroStat, Stat},
};

} // namespace

std::span<const MacroCommandRow> MacroGridCommands() { return kRows; }

} // namespace quorbel
