#include "app/grid_page.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "app/message_table.h"
#include "app/preference_steps.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr int kSliderTop = 100;
constexpr int kOpaque = 255;
constexpr int kNoPeriodicChange = 11;
constexpr int kRandomMessage = 102;
constexpr int kChangedWhenGeneratedMessage = 103;
// The periods of DELAYBGIMAGE 0..10: seconds, then minutes, then hours.
constexpr std::array<int, kNoPeriodicChange> kPeriods = {10, 30, 1, 5, 10, 20, 30, 1, 2, 4, 8};

struct SwitchEntry {
  int32_t GeneralSettings::*Field;
  bool GridPageValues::*Value;
  std::string_view Word;
};

// In GridPageSwitch order.
constexpr auto kSwitches = std::to_array<SwitchEntry>({
    {&GeneralSettings::autoSize, &GridPageValues::AutoSize, "AUTO"},
    {&GeneralSettings::absolute, &GridPageValues::Absolute, "ABSOLUTE"},
    {&GeneralSettings::blockLimit, &GridPageValues::BlockLimit, "BLOCKLIM"},
    {&GeneralSettings::blockBars, &GridPageValues::BlockBars, "BLOCKBAR"},
    {&GeneralSettings::blockColors, &GridPageValues::BlockColors, "BLOCKCOL"},
    {&GeneralSettings::cellSquare, &GridPageValues::CellSquare, "CELLSQUARE"},
    {&GeneralSettings::keepRatio, &GridPageValues::KeepRatio, "KEEPRATIO"},
});

int Slider(int slider) { return std::clamp(slider, 0, kSliderTop); }

} // namespace

int TransparencyToSlider(int stored) { return stored * kSliderTop / kOpaque; }
int SliderToTransparency(int slider) { return Slider(slider) * kOpaque / kSliderTop; }
int DelayToSlider(int stored) { return stored * kSliderTop / kNoPeriodicChange; }
int SliderToDelay(int slider) { return Slider(slider) * kNoPeriodicChange / kSliderTop; }

std::string BackgroundDelayMessage(int delay, Language language) {
  if (delay < 0 || delay >= kNoPeriodicChange)
    return std::string(LookupMessage(kChangedWhenGeneratedMessage, language));
  const char *unit = delay >= 7 ? " (H)" : delay >= 2 ? " (mn)" : " (s)";
  return std::string(LookupMessage(kRandomMessage, language)) +
         std::to_string(kPeriods[static_cast<size_t>(delay)]) + unit;
}

void GridPage::LoadPageFromSettings() {
  const GeneralSettings &g = settings_.general;
  for (const SwitchEntry &entry : kSwitches)
    Values.*entry.Value = g.*entry.Field == 1;
  Values.BgRandom = g.bgRandom == 1;
  Values.Transparency = TransparencyToSlider(g.transparency);
  Values.Delay = DelayToSlider(g.delayBgImage);
  Values.PicturePath = g.backgroundImage;
  Values.ShownName = FileNameOfPath(g.backgroundImage);
}

void GridPage::SetSwitch(GridPageSwitch which, bool on) {
  const SwitchEntry &entry = kSwitches[static_cast<size_t>(which)];
  Values.*entry.Value = on;
  settings_.general.*entry.Field = on ? 1 : 0;
  if (which == GridPageSwitch::BlockLimit) {
    Values.BlockBars = false;
    settings_.general.blockBars = 0;
  } else if (which == GridPageSwitch::BlockBars) {
    Values.BlockLimit = false;
    settings_.general.blockLimit = 0;
  }
  if (which == GridPageSwitch::AutoSize)
    effects_.UpdatePreferenceControls();
  else
    effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(SwitchStep(kMacroPref, entry.Word, on));
}

void GridPage::SetRandomPicture(bool on) {
  Values.BgRandom = on;
  settings_.general.bgRandom = on ? 1 : 0;
  effects_.RecordStep(WordStep(kMacroPrefBgimR, on ? "Y" : "N"));
  if (!on)
    return;
  const std::string path = effects_.PickRandomBackground();
  if (path.empty())
    return;
  settings_.general.backgroundImage = Values.PicturePath = path;
  Values.ShownName = FileNameOfPath(path);
  effects_.ReloadBackground();
  effects_.RedrawBoard(false);
}

void GridPage::ChooseBackgroundImage() {
  const std::string path = effects_.ChooseBackgroundFile(MakeAbsolutePath(settings_.directory.background));
  Values.PicturePath = path;
  Values.BgRandom = false;
  settings_.general.bgRandom = 0;
  Values.ShownName = FileNameOfPath(path);
  if (settings_.general.standarDir == 0 && !path.empty())
    settings_.directory.background = DirectoryOfPath(path);
  settings_.general.backgroundImage = path;
  effects_.ReloadBackground();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(WordStep(kMacroPrefBgim, MakeRelativePath(path)));
}

void GridPage::MoveTransparency(int slider) {
  Values.Transparency = Slider(slider);
  settings_.general.transparency = SliderToTransparency(slider);
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
}

void GridPage::ReleaseTransparency() {
  effects_.RecordStep(NumberStep(kMacroPrefGeom, "TRANSPARENCY", settings_.general.transparency));
}

void GridPage::ReleaseDelay(int slider) {
  if (!Values.BgRandom)
    return;
  Values.Delay = Slider(slider);
  settings_.general.delayBgImage = SliderToDelay(slider);
  effects_.PostMessage(BackgroundDelayMessage(settings_.general.delayBgImage, settings_.general.language));
  effects_.RestartBackgroundRotation();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(NumberStep(kMacroPrefGeom, "RNDDELAY", settings_.general.delayBgImage));
}

} // namespace quorbel
