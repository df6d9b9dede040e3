#include "app/preference_sheet.h"

#include "app/preference_steps.h"
#include "app/settings_schema.h"
#include "files/script_words.h"

namespace quorbel {

PreferenceSheet::PreferenceSheet(AppSettings &settings, BoardColours &colours, PreferenceEffects &effects)
    : General(settings, effects), Cell(settings, effects), Grid(settings, effects),
      Geometry(settings, effects), Colour(colours, effects), Text(settings, effects),
      Variants(settings, effects), Music(settings, effects), Directories(settings, effects),
      Challenge(settings, effects), Scan(settings), settings_(settings), colours_(colours),
      effects_(effects) {}

void PreferenceSheet::Open() {
  openedSettings_ = std::make_unique<AppSettings>(settings_);
  seenSettings_ = std::make_unique<AppSettings>(settings_);
  editedKeys_.clear();
  active_ = true;
  openedColours_ = colours_;
  effects_.SaveSettings();
  RefreshPages();
  Cell.PictureMode = Cell.Values.Mode;
  Colour.LoadColours();
}

void PreferenceSheet::Activated() {
  if (!openedSettings_ || active_)
    return;
  seenSettings_ = std::make_unique<AppSettings>(settings_);
  active_ = true;
}

void PreferenceSheet::Deactivated() {
  NoteEdits();
  active_ = false;
}

void PreferenceSheet::NoteEdits() {
  if (!active_ || !seenSettings_)
    return;
  editedKeys_.merge(ChangedSettingKeys(*seenSettings_, settings_));
  *seenSettings_ = settings_;
}

void PreferenceSheet::RefreshPages() {
  General.LoadPageFromSettings();
  Cell.LoadPageFromSettings();
  Grid.LoadPageFromSettings();
  Geometry.LoadPageFromSettings();
  Text.LoadPageFromSettings();
  Variants.LoadPageFromSettings();
  Music.LoadPageFromSettings();
  Directories.LoadPageFromSettings();
  Challenge.LoadPageFromSettings();
  Scan.LoadPageFromSettings();
}

// The edits are in the settings already: OK only makes them last.
void PreferenceSheet::Ok() {
  Directories.Apply();
  Challenge.Apply();
  Colour.StoreColours();
  effects_.SaveSettings();
  effects_.SaveColours();
  effects_.RedrawBoard(true);
  effects_.HideSheet();
  effects_.RecordStep(SwitchStep(kMacroArea, "PREFERENCE", false));
  openedSettings_.reset();
  seenSettings_.reset();
}

void PreferenceSheet::Cancel() {
  Text.Cancel();
  NoteEdits();
  if (openedSettings_) {
    CopySettingKeys(settings_, *openedSettings_, editedKeys_);
    colours_ = openedColours_;
  }
  effects_.SettingsChanged();
  effects_.SaveSettings();
  effects_.SaveColours();
  effects_.ApplyMusicVolume(); // the player too, not only the settings
  effects_.LoadPictureSet(settings_.general.imageName, PictureOrderMode::Keep);
  effects_.BuildValueCursors();
  RefreshPages();
  Colour.LoadColours();
  effects_.RedrawBoard(true);
  effects_.HideSheet();
  effects_.RecordStep(SwitchStep(kMacroArea, "PREFERENCE", false));
  openedSettings_.reset();
  seenSettings_.reset();
  editedKeys_.clear();
}

} // namespace quorbel
