#include "app/qt/generate_commands.h"

#include <array>

#include "app/generation_settings.h"
#include "app/qt/board_window.h"
#include "app/qt/generation_dialog.h"
#include "app/qt/grid_commands.h"
#include "app/qt/quorbel_app.h"
#include "app/random_background.h"
#include "app/variant_selection.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "solver/generate_grid.h"

namespace quorbel {

namespace {

struct LevelCommand {
  Cmd cmd;
  int level;
};
constexpr std::array<LevelCommand, 4> kLevelCommands{{{Cmd::GenerateEasy, 1},
                                                      {Cmd::GenerateMedium, 2},
                                                      {Cmd::GenerateDifficult, 3},
                                                      {Cmd::GenerateTerrible, 4}}};

// The generation dialog's GO: its choices become the settings (kept even when no grid is made),
// then the grid, a random background when the player asked for one, and the value cursors.
bool GenerateFromDialog(CQuorbelApp &app, const GenerationChoice &choice) {
  const VariantSelection &model = choice.model;
  AppSettings &settings = app.Settings();
  settings.catalog.varDepth = choice.depth;
  settings.catalog.varNGrids = choice.gridCount;
  settings.catalog.varMult = model.GenVarMult;
  settings.general.gridCurrSize = model.GenShape;
  settings.general.gridCurrDisp = model.GenDisplay;
  settings.general.gridCurrDifficulty = model.GenDifficulty;
  settings.general.gridCurrVariant =
      static_cast<uint64_t>(model.Words.word1) | (static_cast<uint64_t>(model.Words.word2) << 32);
  app.SyncEngineSettings();
  RecordMacroStep(kMacroPref, "VARDEPTH", {}, {}, settings.catalog.varDepth);
  RecordMacroStep(kMacroPref, "VARMULT", {}, {}, settings.catalog.varMult);
  RecordMacroStep(kMacroPref, "VARNGRIDS", {}, {}, settings.catalog.varNGrids);
  if (GenerateAtLevel(app, model.GenDifficulty) != 1)
    return false;
  if (settings.general.bgRandom == 1)
    if (std::string picture = PickRandomBackground(settings.directory.background); !picture.empty()) {
      settings.general.backgroundImage = std::move(picture);
      if (BoardWindow *board = app.Board())
        board->ReloadBackground();
    }
  app.SaveSettings();
  app.RedrawViewNow();
  if (app.Services().buildValueCursors)
    app.Services().buildValueCursors();
  return true;
}

} // namespace

int GenerateAtLevel(CQuorbelApp &app, int level) {
  AppSettings &settings = app.Settings();
  const int32_t previousMode = settings.game.mode;
  // No move of the run may reach a challenge peer.
  settings.game.mode = kGameModeGenerated;
  app.SyncEngineSettings();
  // With the animated actions on, the new grid comes hidden and the board uncovers it.
  const GenerationReport report = GenerateGrid(app.Engine(), GeneratorSettingsOf(settings), level);
  if (report.Result != 1) {
    settings.game.mode = previousMode;
    app.SyncEngineSettings();
    app.RedrawViewNow();
    return 0;
  }
  // The generator has already made the new grid an unmodified document titled with its name.
  settings.general.gridCurrDifficulty = report.Level;
  // The rules made may demand their way of showing values.
  const GridRecord &grid = app.Engine().Grids.Main[0];
  settings.general.gridCurrDisp =
      ApplySymbolConstraint(grid.GridVar, settings.general.gridCurrSize, settings.general.gridCurrDisp);
  app.SyncEngineSettings();
  app.SaveSettings();
  StartNewGridGame(app, report.Level);
  app.RedrawViewNow();
  return 1;
}

void RegisterGenerateCommands(CQuorbelApp &app) {
  for (const LevelCommand &command : kLevelCommands)
    app.Commands().SetHandler(command.cmd,
                              [&app, level = command.level](CommandId) { GenerateAtLevel(app, level); });
  app.Commands().SetHandler(Cmd::GenerateGridDialog, [&app](CommandId) { RunGenerationDialog(app); });
}

bool RunGenerationDialog(CQuorbelApp &app) {
  GrilleSel dialog(
      app,
      [&app](const GenerationChoice &choice) {
        // Each GO is work of its own: an Escape that stopped one does not refuse the next.
        bool made = false;
        app.Pump().RunCommand([&] { made = GenerateFromDialog(app, choice); });
        return made;
      },
      app.CurrentLanguage(), app.DialogParent());
  return app.Dialogs().Exec(dialog) == QDialog::Accepted;
}

} // namespace quorbel
