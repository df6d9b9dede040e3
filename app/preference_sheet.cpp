#include "app/preference_sheet.h"

#include "app/preference_steps.h"
#include "files/script_words.h"

namespace quorbel {

PreferenceSheet::PreferenceSheet(AppSettings &settings, BoardColours &colours, PreferenceEffects &effects)
    : General(settings, effects), Cell(settings, effects), Grid(settings, effects),
      Geometry(settings, effects), Colour(colours, effects), Text(settings, effects), settings_(settings),
      colours_(colours), effects_(effects) {}

void PreferenceSheet::Open() {
  openedSettings_ = std::make_unique<AppSettings>(settings_);
  openedColours_ = colours_;
  effects_.SaveSettings();
  RefreshPages();
  Cell.PictureMode = Cell.Values.Mode;
  Colour.LoadColours();
}

void PreferenceSheet::RefreshPages() {
  General.LoadPageFromSettings();
  Cell.LoadPageFromSettings();
  Grid.LoadPageFromSettings();
  Geometry.LoadPageFromSettings();
  Text.LoadPageFromSettings();
}

// The edits are in the settings already: OK only makes them last.
void PreferenceSheet::Ok() {
  Colour.StoreColours();
  effects_.SaveSettings();
  effects_.SaveColours();
  effects_.RedrawBoard(true);
  effects_.HideSheet();
  effects_.RecordStep(SwitchStep(kMacroArea, "PREFERENCE", false));
  openedSettings_.reset();
}

void PreferenceSheet::Cancel() {
  Text.Cancel();
  if (openedSettings_) {
    settings_ = *openedSettings_;
    colours_ = openedColours_;
  }
  effects_.SaveSettings();
  effects_.SaveColours();
  effects_.LoadPictureSet(settings_.general.imageName, PictureOrderMode::Keep);
  effects_.BuildValueCursors();
  RefreshPages();
  Colour.LoadColours();
  effects_.RedrawBoard(true);
  effects_.HideSheet();
  effects_.RecordStep(SwitchStep(kMacroArea, "PREFERENCE", false));
  openedSettings_.reset();
}

} // namespace quorbel
