#include "app/qt/candidate_display.h"

#include <array>
#include <string_view>

#include "app/qt/frame_command_support.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/usage_timers.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"

namespace quorbel {

namespace {

constexpr int kPossLevels = 5;
constexpr std::array<std::string_view, 4> kCellTypeWords{"SINGLE", "MULTI", "MAT", "PROB"};

bool CandidateItemsEnabled(CQuorbelApp &app) {
  return app.Settings().general.probType != 0 && app.Settings().general.gridCurrDisp != kPictureSymbols &&
         !QuickMode(app.Settings());
}

void RegisterPossLevels(CQuorbelApp &app) {
  const std::array<Cmd, kPossLevels + 1> commands{Cmd::PossNone,   Cmd::PossLevel1, Cmd::PossLevel2,
                                                  Cmd::PossLevel3, Cmd::PossLevel4, Cmd::PossLevel5};
  for (int level = 0; level <= kPossLevels; ++level) {
    app.Commands().SetHandler(
        commands[static_cast<size_t>(level)], [&app, level](CommandId) { SetPossLevel(app, level); },
        [&app, level] {
          const DisplaySwitches &switches = FrameSwitches(app.Board());
          bool enabled = CandidateItemsEnabled(app);
          if (level == kPossLevels)
            enabled = enabled && app.Engine().Geo.GridWidth > 4;
          // None stands for every way of showing no level: switched off, or no level chosen.
          const bool shown = switches.PossDisplayOn == 1 && switches.PossDisplayLevel >= 0;
          const bool ticked = level == 0 ? !shown : shown && switches.PossDisplayLevel == level - 1;
          return CommandState::Ticked(ticked, enabled);
        });
  }
}

void SetCellDisplayType(CQuorbelApp &app, int type) {
  app.Settings().general.probType = type;
  app.Engine().Settings.ProbType = type;
  app.SaveSettings();
  app.RedrawViewNow();
  RecordMacroStep(kMacroPrefCell, kCellTypeWords[static_cast<size_t>(type)]);
}

void RegisterCellDisplayTypes(CQuorbelApp &app) {
  const std::array<Cmd, 4> commands{Cmd::CellDisplaySingle, Cmd::CellDisplayLine, Cmd::CellDisplayMatrix,
                                    Cmd::CellDisplayProbable};
  for (int type = 0; type < static_cast<int>(commands.size()); ++type) {
    app.Commands().SetHandler(
        commands[static_cast<size_t>(type)], [&app, type](CommandId) { SetCellDisplayType(app, type); },
        [&app, type] { return CommandState::Ticked(app.Settings().general.probType == type); });
  }
}

} // namespace

void SetPossLevel(CQuorbelApp &app, int level) {
  DisplaySwitches &switches = FrameSwitches(app.Board());
  if (switches.PossDisplayOn == 1 && switches.PossDisplayLevel == level - 1)
    level = 0;
  switches.PossDisplayOn = 1;
  switches.PossDisplayLevel = level - 1;
  for (int k = 1; k <= kPossLevels; ++k)
    TimeUsage(app.Game(), kTimerPossLevel1 + k - 1, k == level);
  RecomputeAllCandidates(app.Engine());
  app.RedrawViewNow();
  RecordMacroStep(kMacroDispC, {}, level);
}

void RegisterCandidateDisplay(CQuorbelApp &app) {
  RegisterPossLevels(app);
  RegisterCellDisplayTypes(app);
}

} // namespace quorbel
