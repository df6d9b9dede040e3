#include "app/qt/generate_commands.h"

#include <array>

#include "app/generation_settings.h"
#include "app/qt/grid_commands.h"
#include "app/qt/quorbel_app.h"
#include "app/variant_selection.h"
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
}

} // namespace quorbel
