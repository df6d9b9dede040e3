#include "app/qt/grid_commands.h"

#include <array>
#include <string>

#include "app/game_start.h"
#include "app/generation_settings.h"
#include "app/message_format.h"
#include "app/own_text.h"
#include "app/panel_text.h"
#include "app/qt/board_window.h"
#include "app/qt/command_host.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/variant_dialogs.h"
#include "app/time_limit.h"
#include "engine/boat_marks.h"
#include "engine/cell_actions.h"
#include "engine/grid_copy.h"
#include "engine/grid_removal.h"
#include "engine/grid_services.h"
#include "engine/grid_set.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/quorbel_doc.h"
#include "files/script_words.h"
#include "platform/paths.h"
#include "solver/generation_run.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "solver/statistics_carving.h"

namespace quorbel {

namespace {

constexpr std::string_view kStartGridName = "Sud";
constexpr int32_t kMillisecondsPerSecond = 1000;

// The grid the single-grid commands act on: the focus grid, or the first shown when the set
// shows one grid.
GridRecord &CommandGrid(CommandHost &app) {
  GridSet &set = app.Engine().Grids;
  const int slot = set.OrderCount == 1 ? set.Order[0] : set.FocusGrid;
  return set.Main[static_cast<size_t>(slot)];
}

bool FocusOnPlayingCell(CommandHost &app) {
  const GridSet &set = app.Engine().Grids;
  return set.FocusCell >= 0 && set.FocusCell < app.Engine().Geo.NCells && set.FocusGrid >= 0 &&
         set.FocusGrid < set.MainCount;
}

template <typename Visit> void ForEachShownMainGrid(CommandHost &app, Visit visit) {
  GridSet &set = app.Engine().Grids;
  for (int k = 0; k < set.OrderCount; ++k) {
    const int slot = set.Order[static_cast<size_t>(k)];
    if (slot >= 0 && slot < set.MainCount)
      visit(set.Main[static_cast<size_t>(slot)]);
  }
}

void SetBoatMarks(CommandHost &app, int mark) {
  if (!FocusOnPlayingCell(app) || !(CommandGrid(app).GridVar & kVarBattleShip).Any())
    return;
  BoardWindow *view = app.Board();
  if (!view)
    return;
  EngineContext &ctx = app.Engine();
  ReinitGrids(ctx, 0, 0, 0, 1);
  SaveUndoState(ctx);
  const SelectionList &selection = view->Selection();
  for (int k = 0; k < selection.Count; ++k) {
    const SelectionPair &pair = selection.Pairs[static_cast<size_t>(k)];
    if (pair.Grid < 0 || pair.Grid >= ctx.Grids.MainCount || pair.Cell < 0 || pair.Cell >= ctx.Geo.NCells)
      continue;
    SetBoatMark(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(pair.Grid)], pair.Cell, mark,
                app.Settings().general.autoNoBoat == 1);
    RecordMacroStep(kMacroSetBoat, {}, pair.Cell, {}, mark, {}, pair.Grid);
  }
  UpdatePossibles(ctx, -1, -1, -1, 0);
  app.RedrawViewNow();
}

void ShowCellPossibles(CommandHost &app) {
  if (!FocusOnPlayingCell(app) || app.Settings().general.probType == 0)
    return;
  EngineContext &ctx = app.Engine();
  ResetTransientState(ctx);
  const int slot = ctx.Grids.FocusGrid;
  const int cell = ctx.Grids.FocusCell;
  ctx.Grids.Main[static_cast<size_t>(slot)].Cells[static_cast<size_t>(cell)].CellHighlight = 1;
  if (BoardWindow *view = app.Board())
    view->MoveFocusToCell(slot, cell);
  app.RedrawViewNow();
}

// Plays a macro of the start directory's "SudGrid" folder, in the language's version.
void RunHelpMacro(CommandHost &app, std::string_view baseName) {
  const std::string file = "SudGrid/" + std::string(baseName) +
                           (app.CurrentLanguage() == Language::English ? "_en" : "") + ".macro";
  if (app.Services().runMacroFile)
    app.Services().runMacroFile(MakeAbsolutePath(file));
}

// A new object comes as a macro in the "Custom" folder: the dialog says how, then the chosen
// macro plays.
void AddNewObjects(CommandHost &app) {
  CDialogAddObject dialog(French(app), app.DialogParent());
  if (app.Dialogs().Exec(dialog) == QDialog::Rejected)
    return;
  const QString path = app.Dialogs().OpenFileName(
      app.DialogParent(),
      {French(app) ? QStringLiteral("Ajout Nouvel Objet") : QStringLiteral("Add New Object"),
       QString::fromStdString(MakeAbsolutePath("Custom")), QStringLiteral("Macro (*.macro);;All Files (*)")});
  if (!path.isEmpty() && app.Services().runMacroFile)
    app.Services().runMacroFile(path.toStdString());
}

// Expert: the current grid carved into a puzzle as the generator carves, then its solutions
// counted. A grid with open cells is carved from its reference solution. The count, or -10
// when the player stopped it.
int CountCarvedSolutions(CommandHost &app) {
  if (!app.ExpertMode())
    return 0;
  EngineContext &ctx = app.Engine();
  const int slot = CurrentGridSlot(ctx.Grids);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  if (TotalSudMissing(ctx.Grids) > 0) {
    const GridRecord &reference = ctx.Grids.RefTab[static_cast<size_t>(slot)];
    const auto cells = reference.PlayingCells(ctx.Geo);
    if (std::any_of(cells.begin(), cells.end(), [](const CellRecord &cell) { return cell.Value == 0; })) {
      app.PostMessage(French(app) ? PanelText(OwnText("Pas de solution de référence à découper."))
                                  : PanelText(OwnText("No reference solution to carve.")));
      return 0;
    }
    SaveUndoState(ctx);
    CopyGrid(ctx, grid, &reference, 0);
  } else {
    SaveUndoState(ctx);
  }
  GenerationRun run;
  run.Settings = GeneratorSettingsOf(app.Settings());
  run.Level = app.Game().GameLevel;
  run.CurrentWords = grid.GridVar;
  const CarvingOutcome carved = FindGridWithStatistics(
      ctx, grid, run, CarvingRequest{.Steps = 0, .Blanks = -1, .Extra = -1, .Messages = 1});
  if (carved.Status == -10)
    return -10;
  BeginGridSearch(ctx, grid, 1);
  const int count = SearchLinkedSolutions(ctx, slot, 0, app.Settings().parameter.maxSearchGrid, 0);
  if (count == -10)
    return -10;
  app.Messages().AddInfoMessage(FormatPanelText(
      French(app) ? OwnText("Grille avec %d solutions") : OwnText("Grid with %d solutions"), {count}));
  UpdatePossibles(ctx, -1, -1, -1, 1);
  ctx.TotalOpenCells = TotalSudMissing(ctx.Grids);
  app.RedrawViewNow();
  if (CQuorbelDoc *document = app.GetCurrentDocument())
    document->MarkDocumentModified(grid.Comment);
  return count;
}

CommandState GridExists(CommandHost &app) {
  return app.Engine().Geo.CellLimit > 0 ? CommandState{} : CommandState::Disabled();
}

} // namespace

void RestartGame(CommandHost &app, bool restartClock) {
  BoardWindow *view = app.Board();
  if (!view)
    return;
  app.Session().Counters.GameFinished = 0;
  app.Session().Counters.TimeOverFlag = 0;
  if (restartClock) {
    const AppSettings &settings = app.Settings();
    view->StartGameClock(ComputeTimeLimit(settings.gameDuration, app.Engine().Geo.GridWidth,
                                          app.Game().GameLevel, settings.game.mode) *
                         kMillisecondsPerSecond);
  }
  app.ResetGameScore();
}

void StartNewGridGame(CommandHost &app, int level) {
  EngineContext &ctx = app.Engine();
  RecomputeAllCandidates(ctx);
  app.State().ShowGrid();
  app.State().StartGame(true);
  GameTally &game = app.Game();
  game.GameLevel = level;
  game.StartMissing = game.StartSudMissing = std::max(0, TotalSudMissing(ctx.Grids));
  RestartGame(app, true);
}

bool DeleteGridOfSet(CommandHost &app, int slot) {
  EngineContext &ctx = app.Engine();
  ResetTransientState(ctx);
  if (RemoveGridFromSet(ctx, slot) < 0)
    return false;
  if (BoardWindow *board = app.Board())
    ClearSelection(board->Selection(), ctx.Grids);
  RecomputeAllCandidates(ctx);
  app.MarkDocumentModified("");
  app.RedrawViewNow();
  return true;
}

void DefineStartupGrid(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  CommandGrid(app).Comment = std::string(kStartGridName);
  app.MarkDocumentModified("NULL");
  ResetTransientState(ctx);
  for (int g = 0; g < ctx.Grids.MainCount; ++g) {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    for (int c = 0; c < grid.NRecords; ++c) {
      CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
      // A playing cell left without a value (a trial taken back) is open, not a clue.
      if (cell.Status >= kStatusHypothesis || (c < ctx.Geo.NCells && cell.Value == 0))
        SetCellValue(ctx, grid, c, 0, kActionClear);
      else
        cell.Status = kStatusFixed;
      cell.WorkWord = 0;
    }
  }
  RecomputeAllCandidates(ctx);
  app.State().StartNewGrid();
  // The game now starts from this grid: its open cells are the ones to find.
  GameTally &game = app.Game();
  const int open = std::max(0, TotalSudMissing(ctx.Grids));
  if (game.GameLevel == 0)
    game.GameLevel = StartGridLevel(open, ctx.Geo.NCells * std::max(1, ctx.Grids.MainCount));
  game.StartMissing = game.StartSudMissing = open;
  ClearUndoHistory(ctx);
  app.RedrawViewNow();
  RestartGame(app, false);
  RecordMacroStep(kMacroInit);
}

bool BackToStartupGrid(CommandHost &app) {
  // A Quick grid under way is dealt again as it came, from its file.
  if (QuickMode(app.Settings()) && app.Engine().TotalOpenCells != 0) {
    app.ClearDocumentModified();
    --app.Settings().game.quickGrid;
    app.DealNewGrid();
    return true;
  }
  CQuorbelDoc *document = app.GetCurrentDocument();
  if (document && document->IsModified() && app.State().Mode() == RunMode::Player &&
      app.Settings().general.askToBeSaved == 1) {
    const QMessageBox::StandardButton answer = app.Dialogs().MessageBox(
        app.DialogParent(),
        MessageBoxRequest{
            .title = QStringLiteral("Quorbel"),
            .text = French(app) ? QStringLiteral("Etes vous sur de vouloir Revenir à la Grille de "
                                                 "démarrage ?")
                                : QStringLiteral("Are you sure you want to come back to StartUp Grid ?"),
            .icon = QMessageBox::Question,
            .buttons = QMessageBox::Ok | QMessageBox::Cancel,
            .defaultButton = QMessageBox::Ok});
    if (answer != QMessageBox::Ok)
      return false;
  }
  EngineContext &ctx = app.Engine();
  app.ClearDocumentModified();
  ResetTransientState(ctx);
  app.State().StartNewGrid();
  ForEachShownMainGrid(app, [&](GridRecord &grid) {
    const int limit = std::min(ctx.Geo.CellLimit, grid.NRecords);
    for (int c = 0; c < limit; ++c) {
      CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
      if (cell.Status == kStatusFixed) {
        SetCellValue(ctx, grid, c, cell.Value, kActionPlaceFixed);
        cell.Boat = kBoatNone;
      } else if (cell.Status != kStatusGiven) {
        // Givens are part of the start grid as much as the clues are.
        ResetCellState(ctx.Geo, cell);
      }
      cell.WorkWord = 0;
    }
    for (PuzzlePiece &piece : grid.Lists.Pieces.Used())
      piece.Placed = piece.Found = 0;
  });
  RecomputeAllCandidates(ctx);
  ClearUndoHistory(ctx);
  app.RedrawViewNow();
  RestartGame(app, true);
  RecordMacroStep(kMacroReset);
  return true;
}

void RegisterGridCommands(CommandHost &app) {
  CommandDispatcher &commands = app.Commands();
  const auto gridExists = [&app] { return GridExists(app); };
  commands.SetHandler(
      Cmd::DefineStartupGrid, [&app](CommandId) { DefineStartupGrid(app); }, gridExists);
  commands.SetHandler(
      Cmd::BackToStartupGrid, [&app](CommandId) { BackToStartupGrid(app); }, gridExists);
  commands.SetHandler(
      Cmd::Pause,
      [&app](CommandId) {
        if (app.Engine().Geo.CellLimit <= 0)
          return;
        app.State().TogglePause();
        app.RedrawViewNow();
      },
      [&app] { return CommandState::Ticked(app.State().Paused(), app.Engine().Geo.CellLimit > 0); });
  commands.SetHandler(Cmd::MarkBoat, [&app](CommandId) { SetBoatMarks(app, kBoatPart); });
  commands.SetHandler(Cmd::MarkWater, [&app](CommandId) { SetBoatMarks(app, kBoatWater); });
  commands.SetHandler(Cmd::ClearBoatMark, [&app](CommandId) { SetBoatMarks(app, kBoatNone); });
  commands.SetHandler(Cmd::ShowCellPossibles, [&app](CommandId) { ShowCellPossibles(app); });

  struct HelpMacro {
    Cmd cmd;
    std::string_view baseName;
  };
  constexpr std::array<HelpMacro, 7> helpMacros{{
      {Cmd::Demo, "Demo"},
      {Cmd::ExampleLineColBlock, "ExempleLigne"},
      {Cmd::ExampleProbable, "ExempleProbable"},
      {Cmd::ExampleSingle, "ExempleSingle"},
      {Cmd::ExampleGroup, "ExempleGroup"},
      {Cmd::ExampleColorChain, "ExempleColor"},
      {Cmd::ExampleBurma, "ExempleBurma"},
  }};
  for (const HelpMacro &macro : helpMacros)
    commands.SetHandler(macro.cmd, [&app, macro](CommandId) { RunHelpMacro(app, macro.baseName); });
  commands.SetHandler(Cmd::AddNewObjects, [&app](CommandId) { AddNewObjects(app); });
  commands.SetHandler(
      Cmd::CountCarvedSolutions,
      [&app](CommandId) { app.Pump().RunCommand([&app] { CountCarvedSolutions(app); }); },
      [&app] { return app.ExpertMode() ? GridExists(app) : CommandState::Disabled(); });
  commands.SetHandler(
      Cmd::Kaleidoscope,
      [&app](CommandId) {
        if (BoardWindow *board = app.Board())
          app.Pump().RunCommand([board] { board->RunKaleidoscope(); });
      },
      [&app] { return app.Board() ? GridExists(app) : CommandState::Disabled(); });
}

} // namespace quorbel
