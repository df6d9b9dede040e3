#include "app/cell_page.h"

#include <array>
#include <string_view>

#include "app/preference_steps.h"
#include "files/script_words.h"

namespace quorbel {

namespace {

constexpr std::array<std::string_view, kCellDisplayModes> kModeWords = {"SINGLE", "MULTI", "MAT", "PROB"};

struct SwitchEntry {
  int32_t GeneralSettings::*Field;
  bool CellPageValues::*Value;
  int32_t Code;
  std::string_view Word;
  bool Relayout;
};

// In CellPageSwitch order. Only the comment area changes the board's areas.
constexpr auto kSwitches = std::to_array<SwitchEntry>({
    {&GeneralSettings::displayLines, &CellPageValues::Lines, kMacroArea, "LINECOL", false},
    {&GeneralSettings::displayComment, &CellPageValues::Comment, kMacroArea, "COMMENT", true},
    {&GeneralSettings::displayBarArea, &CellPageValues::BarArea, kMacroArea, "BAR", false},
    {&GeneralSettings::displayBarAreaIdem, &CellPageValues::BarAreaIdem, kMacroPref, "IDEM", false},
    {&GeneralSettings::displayMatAll, &CellPageValues::MatAll, kMacroPref, "MATALL", false},
    {&GeneralSettings::displayMatFond, &CellPageValues::MatFond, kMacroPref, "MATFOND", false},
    {&GeneralSettings::displayMatAuto, &CellPageValues::MatAuto, kMacroPref, "MATAUTO", false},
});

} // namespace

void CellPage::LoadPageFromSettings() {
  const GeneralSettings &g = settings_.general;
  Values.Mode = g.probType;
  for (const SwitchEntry &entry : kSwitches)
    Values.*entry.Value = g.*entry.Field == 1;
}

void CellPage::SetCellDisplayMode(int mode) {
  if (mode < 0 || mode >= kCellDisplayModes)
    return;
  Values.Mode = PictureMode = mode;
  settings_.general.probType = mode;
}

void CellPage::ChooseMode(int mode) {
  if (mode < 0 || mode >= kCellDisplayModes)
    return;
  SetCellDisplayMode(mode);
  effects_.UpdatePreferenceControls();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(WordStep(kMacroPrefCell, kModeWords[static_cast<size_t>(mode)]));
}

void CellPage::SetSwitch(CellPageSwitch which, bool on) {
  const SwitchEntry &entry = kSwitches[static_cast<size_t>(which)];
  Values.*entry.Value = on;
  settings_.general.*entry.Field = on ? 1 : 0;
  effects_.RedrawBoard(entry.Relayout);
  effects_.ClearMagicSelection();
  effects_.RecordStep(SwitchStep(entry.Code, entry.Word, on));
}

} // namespace quorbel
