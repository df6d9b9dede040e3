#include "app/qt/candidate_display.h"

#include <array>
#include <string_view>

#include "app/qt/frame_command_support.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/usage_timers.h"
#include "engine/geometry.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"

namespace quorbel {

namespace {

constexpr int kPossLevels = 5;
constexpr int kSymbolModes = 4;
// Two-digit values need a width of at least 10 for the mixed symbols to differ from digits;
// digits stay readable up to 12.
constexpr int kMaxDigitWidth = 12;
constexpr int kMinMixedWidth = 10;
constexpr std::array<std::string_view, kSymbolModes> kSymbolWords{"NUMBER", "LETTER", "MIXED", "CARTOON"};
constexpr std::array<std::string_view, 4> kCellTypeWords{"SINGLE", "MULTI", "MAT", "PROB"};

bool CandidateItemsEnabled(CQuorbelApp &app) {
  return app.Settings().general.probType != 0 && app.Settings().general.gridCurrDisp != kPictureSymbols &&
         !QuickMode(app);
}

void RegisterPossLevels(CQuorbelApp &app) {
  const std::array<Cmd, kPossLevels + 1> commands{Cmd::PossNone,   Cmd::PossLevel1, Cmd::PossLevel2,
                                                  Cmd::PossLevel3, Cmd::PossLevel4, Cmd::PossLevel5};
  for (int level = 0; level <= kPossLevels; ++level) {
    app.Commands().SetHandler(
        commands[static_cast<size_t>(level)], [&app, level](CommandId) { SetPossLevel(app, level); },
        [&app, level] {
          const DisplaySwitches &switches = FrameSwitches();
          bool enabled = CandidateItemsEnabled(app);
          if (level == kPossLevels)
            enabled = enabled && app.Engine().Geo.GridWidth > 4;
          const bool ticked = level == 0
                                  ? switches.PossDisplayOn == 0
                                  : switches.PossDisplayOn == 1 && switches.PossDisplayLevel == level - 1;
          return CommandState::Ticked(ticked, enabled);
        });
  }
}

void SetCellDisplayType(CQuorbelApp &app, int type) {
  app.Settings().general.probType = type;
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

void RegisterSymbolModes(CQuorbelApp &app) {
  const std::array<Cmd, kSymbolModes> commands{Cmd::SymbolDigits, Cmd::SymbolLetters, Cmd::SymbolMixed,
                                               Cmd::SymbolPictures};
  for (int mode = 0; mode < kSymbolModes; ++mode) {
    app.Commands().SetHandler(
        commands[static_cast<size_t>(mode)], [&app, mode](CommandId) { SetSymbolMode(app, mode, true); },
        [&app, mode] {
          const bool enabled =
              !QuickMode(app) && SymbolModeAllowed(app.Settings().general.gridCurrSize, mode);
          return CommandState::Ticked(app.Settings().general.gridCurrDisp == mode, enabled);
        });
  }
}

} // namespace

void SetPossLevel(CQuorbelApp &app, int level) {
  DisplaySwitches &switches = FrameSwitches();
  if (switches.PossDisplayOn == 1 && switches.PossDisplayLevel == level - 1)
    level = 0;
  switches.PossDisplayOn = 1;
  switches.PossDisplayLevel = level - 1;
  for (int k = 1; k <= kPossLevels; ++k)
    TimeUsage(app, kUsagePossLevel1 + k - 1, k == level);
  RecomputeAllPossibles(app);
  app.RedrawViewNow();
  RecordMacroStep(kMacroDispC, {}, level);
}

bool SymbolModeAllowed(int shapeCode, int mode) {
  if (shapeCode < 0 || shapeCode >= kShapeCount)
    return false;
  const int width = kGridShapes[static_cast<size_t>(shapeCode)].Size;
  switch (mode) {
  case kSymbolDigits:
    return width <= kMaxDigitWidth;
  case kSymbolMixed:
    return width >= kMinMixedWidth;
  case kSymbolLetters:
  case kSymbolPictures:
    return true;
  default:
    return false;
  }
}

void SetSymbolMode(CQuorbelApp &app, int mode, bool record) {
  GeneralSettings &general = app.Settings().general;
  if (mode < 0 || mode >= kSymbolModes)
    mode = (general.gridCurrDisp + 1) % kSymbolModes;
  // Letters are always allowed, so the cycle ends.
  while (!SymbolModeAllowed(general.gridCurrSize, mode) && mode != kSymbolLetters)
    mode = (mode + 1) % kSymbolModes;
  general.gridCurrDisp = mode;
  if (!record)
    return;
  app.SaveSettings();
  app.RedrawViewNow();
  RecordMacroStep(kMacroPrefDisp, kSymbolWords[static_cast<size_t>(mode)]);
}

void RegisterCandidateDisplay(CQuorbelApp &app) {
  RegisterPossLevels(app);
  RegisterCellDisplayTypes(app);
  RegisterSymbolModes(app);
}

} // namespace quorbel
