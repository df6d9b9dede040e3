#include "app/qt/display_toggles.h"

#include <array>
#include <functional>

#include "app/qt/board_window.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/usage_timers.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "view/selection_list.h"

namespace quorbel {

namespace {

// The variant-filter item is useless when the grid carries no rule beyond the plain ones.
constexpr std::array kFilterUseless{kVarDiagonal, kVarIrregular, kVarNeighbourScore};
// Hiding is useless when nothing but a block or region rule would be hidden.
constexpr std::array kHideUseless{kVarIrregular,      kVarExtraRegion,   kVarTwinsZone, kVarTwinsEqual,
                                  kVarTwinsDifferent, kVarNoConsecutive, kVarNoTouch};
// Hidden variants keep the irregular blocks, which are the board itself.
constexpr VariantWords kHiddenVariantsMask = kVarIrregular;

// Where a help's switch lives: the board's switches, or the engine's for the variant filter,
// which the candidate update reads.
using SwitchOf = int32_t &(*)(CQuorbelApp &);

int32_t &WarningSwitch(CQuorbelApp &app) { return FrameSwitches(app.Board()).ShowWarning; }
int32_t &LineColSwitch(CQuorbelApp &app) { return FrameSwitches(app.Board()).ShowPossLineCol; }
int32_t &ProbablesSwitch(CQuorbelApp &app) { return FrameSwitches(app.Board()).ShowProbables; }
int32_t &FoundSwitch(CQuorbelApp &app) { return FrameSwitches(app.Board()).ShowFound; }
int32_t &FilterSwitch(CQuorbelApp &app) { return app.Engine().Settings.VariantFilterSwitch; }
int32_t &ColouringSwitch(CQuorbelApp &app) { return FrameSwitches(app.Board()).ShowColouring; }

struct SwitchToggle {
  Cmd cmd;
  SwitchOf value;
  int timer;
  int32_t macroCode;
  std::function<bool(CQuorbelApp &)> enabled;
};

bool PlainDisplay(CQuorbelApp &app) {
  return app.Settings().general.gridCurrDisp != kPictureSymbols && !QuickMode(app.Settings());
}

bool LineColDisplay(CQuorbelApp &app) {
  return app.Settings().general.displayLines == 1 && PlainDisplay(app);
}

void ToggleSwitch(CQuorbelApp &app, const SwitchToggle &toggle) {
  int32_t &value = toggle.value(app);
  value = 1 - value;
  const bool on = value == 1;
  // The candidate update reads the probables' switch from the engine's settings.
  app.Engine().Settings.ProbablesSwitch = FrameSwitches(app.Board()).ShowProbables;
  if (toggle.value == ColouringSwitch) {
    if (on)
      app.Settings().general.displayBarArea = 1;
    for (int g = 0; g < app.Engine().Grids.MainCount; ++g)
      ResetCellColours(app.Engine().Grids.Main[static_cast<size_t>(g)], -1);
  }
  TimeUsage(app.Game(), toggle.timer, on);
  RecomputeAllCandidates(app.Engine());
  app.RedrawViewNow();
  RecordMacroStep(toggle.macroCode, YesNo(on));
}

// The helps' switches, the menu items that toggle them and the script step that records them.
const std::array<SwitchToggle, 6> &SwitchToggles() {
  static const std::array<SwitchToggle, 6> toggles{{
      {Cmd::DisplayWarning, WarningSwitch, kTimerWarning, kMacroDispW,
       [](CQuorbelApp &a) { return !QuickMode(a.Settings()); }},
      {Cmd::DisplayPossLineCol, LineColSwitch, kTimerLineColumn, kMacroDispL, LineColDisplay},
      {Cmd::DisplayProbable, ProbablesSwitch, kTimerProbables, kMacroDispP,
       [](CQuorbelApp &a) { return a.Settings().general.probType == 3 && PlainDisplay(a); }},
      {Cmd::DisplayFound, FoundSwitch, kTimerFound, kMacroDispT,
       [](CQuorbelApp &a) {
         return LineColDisplay(a) || (CombinedVariants(a.Engine()) & kVarPieceRules).Any();
       }},
      {Cmd::FilterVariant, FilterSwitch, kTimerVariantFilter, kMacroDispV,
       [](CQuorbelApp &a) { return !NoneOrOneOf(CombinedVariants(a.Engine()), kFilterUseless); }},
      {Cmd::DisplayColoring, ColouringSwitch, kTimerColouring, kMacroDispR, PlainDisplay},
  }};
  return toggles;
}

void RegisterSwitchToggles(CQuorbelApp &app) {
  for (const SwitchToggle &toggle : SwitchToggles()) {
    auto update = [&app, toggle] {
      const bool enabled = toggle.enabled(app);
      const bool ticked = toggle.value(app) == 1;
      // The probables' time runs while the item shows them in use.
      if (toggle.value == ProbablesSwitch) {
        if (!enabled)
          TimeUsage(app.Game(), kTimerProbables, false);
        else if (ticked)
          TimeUsage(app.Game(), kTimerProbables, true);
      }
      return CommandState::Ticked(ticked, enabled);
    };
    app.Commands().SetHandler(
        toggle.cmd, [&app, toggle](CommandId) { ToggleSwitch(app, toggle); }, update);
  }

  app.Commands().SetHandler(
      Cmd::HideVariants,
      [&app](CommandId) {
        DisplaySwitches &switches = FrameSwitches(app.Board());
        switches.HideVariantsOn = 1 - switches.HideVariantsOn;
        switches.VarMask = switches.HideVariantsOn == 1 ? kHiddenVariantsMask : kAllVariantsShown;
        RecomputeAllCandidates(app.Engine());
        app.RedrawViewNow();
        RecordMacroStep(kMacroPref, "HIDEVAR", {}, YesNo(switches.HideVariantsOn == 1));
      },
      [&app] {
        return CommandState::Ticked(FrameSwitches(app.Board()).HideVariantsOn == 1,
                                    !NoneOrOneOf(CombinedVariants(app.Engine()), kHideUseless));
      });
}

struct AreaToggle {
  Cmd cmd;
  int32_t GeneralSettings::*field;
  std::string_view keyword;
  bool recordsState;
};

// A hidden comment area keeps no focus: the arrow keys then start again from the grid.
void LeaveHiddenCommentArea(CQuorbelApp &app) {
  const GridSet &set = app.Engine().Grids;
  if (BoardWindow *board = app.Board(); board && set.FocusCell == kFocusMessagePanel)
    board->MoveFocusToCell(set.FocusGrid, kNoFocusCell);
}

void RegisterAreaToggles(CQuorbelApp &app) {
  const std::array<AreaToggle, 3> areas{{
      {Cmd::DisplayLineColArea, &GeneralSettings::displayLines, "LINECOL", false},
      {Cmd::DisplayCommentZone, &GeneralSettings::displayComment, "COMMENT", true},
      {Cmd::DisplayImageBar, &GeneralSettings::displayBarArea, "BAR", true},
  }};
  for (const AreaToggle &area : areas) {
    app.Commands().SetHandler(
        area.cmd,
        [&app, area](CommandId) {
          int32_t &value = app.Settings().general.*area.field;
          value = 1 - value;
          if (area.cmd == Cmd::DisplayCommentZone && value == 0)
            LeaveHiddenCommentArea(app);
          app.SaveSettings();
          app.RedrawViewNow();
          RecordMacroStep(kMacroArea, area.keyword, {}, area.recordsState ? YesNo(value == 1) : "");
        },
        [&app, area] { return CommandState::Ticked(app.Settings().general.*area.field == 1); });
  }
}

struct PanelToggle {
  Cmd cmd;
  std::string_view panel;
  std::string_view keyword; // empty: the command records no step
  std::string_view french;  // the panel's name, for the player
  std::string_view english;
};

// A panel whose window is not built yet says so instead of doing nothing.
void SayPanelMissing(CQuorbelApp &app, const PanelToggle &toggle) {
  const bool french = app.CurrentLanguage() != Language::English;
  app.PostMessage(FormatPanelText(french ? OwnText("Le panneau %s n'existe pas encore dans cette version.")
                                         : OwnText("The %s panel is not in this version yet."),
                                  {FormatArg(std::string(french ? toggle.french : toggle.english))}));
}

void RegisterPanelToggles(CQuorbelApp &app) {
  const std::array<PanelToggle, 5> panels{{
      {Cmd::DisplayMethods, kMethodsPanel, "METHOD", "Méthodes", "Methods"},
      {Cmd::DisplayPreference, kPreferencePanel, "PREFERENCE", "Préférences", "Preferences"},
      {Cmd::DisplayMagicSelect, kMagicSelectPanel, "MAGIC", "Phrase magique", "Magic Sentence"},
      {Cmd::DisplayMusic, kMusicPanel, "MUSIC", "Musique", "Music"},
      {Cmd::DisplayWebWindow, kWebWindowPanel, "", "Web", "Web"},
  }};
  for (const PanelToggle &toggle : panels) {
    app.Commands().SetHandler(
        toggle.cmd,
        [&app, toggle](CommandId) {
          if (!app.Panels().Window(toggle.panel)) {
            SayPanelMissing(app, toggle);
            return;
          }
          const bool shown = !app.Panels().Shown(toggle.panel);
          if (toggle.panel == kPreferencePanel)
            app.SaveSettings();
          if (shown)
            app.Panels().Bring(toggle.panel);
          else
            app.Panels().SetShown(toggle.panel, false);
          if (!toggle.keyword.empty())
            RecordMacroStep(kMacroArea, toggle.keyword, {}, YesNo(shown));
        },
        [&app, toggle] { return CommandState::Ticked(app.Panels().Shown(toggle.panel)); });
  }
}

} // namespace

bool SetHelpSwitch(CQuorbelApp &app, Cmd cmd, bool on) {
  for (const SwitchToggle &toggle : SwitchToggles())
    if (toggle.cmd == cmd) {
      if ((toggle.value(app) == 1) != on)
        ToggleSwitch(app, toggle);
      return true;
    }
  return false;
}

void RegisterDisplayToggles(CQuorbelApp &app) {
  RegisterSwitchToggles(app);
  RegisterAreaToggles(app);
  RegisterPanelToggles(app);
}

} // namespace quorbel
