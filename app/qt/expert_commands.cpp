#include "app/qt/expert_commands.h"

#include <algorithm>
#include <cstdio>

#include "app/message_format.h"
#include "app/qt/command_host.h"
#include "app/text_lines.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/grid_statistics.h"
#include "engine/reference_grids.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "platform/help_contexts.h"
#include "platform/paths.h"
#include "solver/optimise_grid.h"

using namespace quorbel;

namespace {

constexpr int kDebugLink = HelpContext("scripts");

void SayResult(CommandHost &app, const MacroFileResult &result) {
  if (!result.ok)
    app.PostMessage(PanelText::Plain(result.message));
}

// TIMEOVER doubles, running 32, 64 ... 8,388,608 and round again; the generator's is a quarter.
void ModifyTimeout(CommandHost &app) {
  ParameterSettings &p = app.Settings().parameter;
  p.timeOver = p.timeOver > 8000000 || p.timeOver < 1 ? 32 : p.timeOver * 2;
  p.genereTimeOver = p.timeOver / 4;
  char shown[48];
  if (p.timeOver <= 60000)
    std::snprintf(shown, sizeof shown, "%.2f s", p.timeOver / 1000.0);
  else
    std::snprintf(shown, sizeof shown, "%d mn %.2f s", p.timeOver / 60000, (p.timeOver % 60000) / 1000.0);
  std::string text = shown;
  if (p.timeOver >= 2000 && p.timeOver <= 3000)
    text += French(app) ? " (Défaut)" : " (Default)";
  app.PostMessage(FormatPanelText(French(app) ? OwnText("Nouvelle valeur du Timeover: %s")
                                              : OwnText("New value for Timeover: %s"),
                                  {text}));
  app.SyncEngineSettings();
  app.SaveSettings();
}

void ShowStatistics(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  const int slot = CurrentGridSlot(ctx.Grids);
  const std::string text = BuildGridStatistics(ctx, ctx.Grids.Main[static_cast<size_t>(slot)],
                                               app.Game().GameLevel, ctx.Methods.GameMaxMethodLevel);
  for (const std::string_view line : SplitTextLines(text))
    app.PostMessage(PanelText::Plain(line));
  RecordMacroStep(kMacroStat);
}

// Shift+0: one grid again, with no rule and no value.
void SingleGrid(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  const int slot = CurrentGridSlot(ctx.Grids);
  ResetGridSet(ctx, 1);
  SaveUndoState(ctx);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  grid.GridVar = VariantWords{};
  ClearGrid(ctx, grid, 1);
  ResetGridState(grid);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
}

// Shift+1: one more empty grid in the set, up to twelve.
void AddGrid(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  const int slot = AddGridToSet(ctx);
  if (slot < 0) {
    app.PostMessage(PanelText(OwnText("Can not add grid - Max reached")));
    return;
  }
  BuildGridTables(ctx, 1, 0, slot);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  ClearGrid(ctx, grid, 1);
  ResetGridState(grid);
  app.PostMessage(PanelText(OwnText("One more grid added.")));
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
}

void Optimise(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  app.Pump().RunCommand([&] { OptimiseGrid(ctx, 1, 1, 1, -1, 0); });
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
  RecordMacroStep(kMacroOptimise);
}

} // namespace

void RegisterExpertCommands(CommandHost &app) {
  CommandDispatcher &commands = app.Commands();
  const auto expert = [&app] { return app.ExpertMode() ? CommandState{} : CommandState::Disabled(); };
  const auto expertOnGrid = [&app] {
    return app.ExpertMode() && app.Engine().Geo.CellLimit > 0 ? CommandState{} : CommandState::Disabled();
  };
  commands.SetHandler(
      Cmd::MacroRecordStart,
      [&app](CommandId) { SayResult(app, StartMacroRecording(MakeAbsolutePath("MyMacro.macro"))); }, expert);
  commands.SetHandler(
      Cmd::MacroRecordStop, [&app](CommandId) { SayResult(app, StopMacroRecording(true)); }, expert);
  commands.SetHandler(
      Cmd::MacroRecordPause, [](CommandId) { PauseMacroRecording(); }, expert);
  commands.SetHandler(
      Cmd::MacroRecordResume, [](CommandId) { ResumeMacroRecording(); }, expert);
  commands.SetHandler(
      Cmd::RunMacroFile,
      [&app](CommandId) {
        if (app.Services().runMacroFile)
          app.Services().runMacroFile({});
      },
      expert);
  commands.SetHandler(
      Cmd::ModifyTimeout, [&app](CommandId) { ModifyTimeout(app); }, expert);
  commands.SetHandler(
      Cmd::StatGrid, [&app](CommandId) { ShowStatistics(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::RefTabFromCurrent,
      [&app](CommandId) {
        SetRefTabFromCurrent(app.Engine());
        app.PostMessage(
            FormatPanelText(French(app) ? OwnText("!Reference!%d! mise à jour à partir de la grille en cours")
                                        : OwnText("!Reference!%d! updated based on current grid"),
                            {kDebugLink}));
        RecordMacroStep(kMacroRefGrid, "I");
      },
      expertOnGrid);
  commands.SetHandler(
      Cmd::RefTabFromSearch,
      [&app](CommandId) {
        if (SetRefTabFromSearch(app.Engine(), -1) == 1)
          app.PostMessage(FormatPanelText(
              French(app) ? OwnText("!Reference!%d! mise à jour à partir de la 1ere solution trouvée")
                          : OwnText("!Reference!%d! updated based on 1st found solution"),
              {kDebugLink}));
        else
          app.PostMessage(French(app) ? PanelText(OwnText("Copie à partie de Grille trouvée non possible"))
                                      : PanelText(OwnText("Copy from search grid not possible")));
      },
      expertOnGrid);
  commands.SetHandler(
      Cmd::SingleGrid, [&app](CommandId) { SingleGrid(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::AddNewGridToSet, [&app](CommandId) { AddGrid(app); }, expertOnGrid);
  // "Optimise" is also the Sudoku menu's: no expert test.
  commands.SetHandler(
      Cmd::OptimiseGrid, [&app](CommandId) { Optimise(app); },
      [&app] { return app.Engine().Geo.CellLimit > 0 ? CommandState{} : CommandState::Disabled(); });
}
