#include "app/text_page.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "app/preference_steps.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr int kDisplayModes = 4;
constexpr std::array<std::string_view, kDisplayModes> kModeWords = {"NUMBER", "LETTER", "MIXED", "CARTOON"};
constexpr int kLastShapeUpToNine = 5;
constexpr int kDigitsMode = 0;
constexpr int kMixedMode = 2;
constexpr int32_t kShuffleArea = 0;

struct SwitchEntry {
  int32_t GeneralSettings::*Field;
  bool TextPageValues::*Value;
  std::string_view Word;
  bool UpdatesControls;
};

// In TextPageSwitch order.
constexpr auto kSwitches = std::to_array<SwitchEntry>({
    {&GeneralSettings::animGif, &TextPageValues::AnimGif, "ANIM", false},
    {&GeneralSettings::resetIfFalse, &TextPageValues::ResetIfFalse, "IFFALSE", false},
    {&GeneralSettings::animAction, &TextPageValues::AnimAction, "ACTION", true},
    {&GeneralSettings::drag, &TextPageValues::Drag, "DRAG", true},
    {&GeneralSettings::parasit, &TextPageValues::Parasit, "PARASIT", true},
});

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

} // namespace

bool DisplayModeOffered(int mode, int gridShape) {
  if (mode == kMixedMode)
    return gridShape > kLastShapeUpToNine;
  if (mode == kDigitsMode)
    return gridShape <= kLastShapeUpToNine;
  return mode >= 0 && mode < kDisplayModes;
}

void TextPage::LoadPageFromSettings() {
  const GeneralSettings &g = settings_.general;
  Values.Mode = g.gridCurrDisp;
  Values.SetTitle = FileTitleOfPath(g.imageName);
  for (const SwitchEntry &entry : kSwitches)
    Values.*entry.Value = g.*entry.Field == 1;
  SavedPictureOrder = effects_.CurrentPictureOrder();
}

void TextPage::ChooseMode(int mode) {
  if (mode < 0 || mode >= kDisplayModes)
    return;
  Values.Mode = mode;
  effects_.UpdatePreferenceControls();
  settings_.general.gridCurrDisp = mode;
  effects_.BuildValueCursors();
  effects_.DrawSymbolPreview();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(WordStep(kMacroPrefDisp, kModeWords[static_cast<size_t>(mode)]));
}

void TextPage::SetSwitch(TextPageSwitch which, bool on) {
  const SwitchEntry &entry = kSwitches[static_cast<size_t>(which)];
  Values.*entry.Value = on;
  settings_.general.*entry.Field = on ? 1 : 0;
  effects_.SettingsChanged();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  if (entry.UpdatesControls)
    effects_.UpdatePreferenceControls();
  effects_.RecordStep(SwitchStep(kMacroPref, entry.Word, on));
}

void TextPage::AfterSetLoaded(const std::string &imageName) {
  effects_.BuildValueCursors();
  settings_.general.imageName = imageName;
  Values.SetTitle = FileTitleOfPath(imageName);
  effects_.DrawSymbolPreview();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(WordStep(kMacroPrefAnim, MakeRelativePath(imageName)));
}

void TextPage::StepPictureSet(bool next) {
  const std::vector<std::string> files = effects_.PictureSetFiles();
  if (files.empty())
    return;
  const std::string current = FileNameOfPath(settings_.general.imageName);
  const auto at =
      std::find_if(files.begin(), files.end(), [&](const std::string &f) { return SameName(f, current); });
  const auto count = static_cast<std::ptrdiff_t>(files.size());
  std::ptrdiff_t index = 0;
  if (at == files.end())
    index = next ? 0 : count - 1;
  else
    index = ((at - files.begin()) + (next ? 1 : count - 1)) % count;
  const std::string &file = files[static_cast<size_t>(index)];
  if (effects_.LoadPictureSet(file, PictureOrderMode::Identity))
    AfterSetLoaded(file);
}

void TextPage::BrowsePictureSet() {
  const std::string path = effects_.ChoosePictureSetFile(MakeAbsolutePath(settings_.directory.animated));
  if (!path.empty() && effects_.LoadPictureSet(path, PictureOrderMode::Identity))
    AfterSetLoaded(path);
}

void TextPage::ShufflePictures() {
  if (!effects_.LoadPictureSet(settings_.general.imageName, PictureOrderMode::Shuffle))
    return;
  effects_.BuildValueCursors();
  Values.SetTitle = FileTitleOfPath(settings_.general.imageName);
  effects_.DrawSymbolPreview();
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  RecordedAction step{.Code = kMacroClick};
  step.Ints[0] = kShuffleArea;
  effects_.RecordStep(step);
}

void TextPage::Cancel() { effects_.SetPictureOrder(SavedPictureOrder); }

} // namespace quorbel
