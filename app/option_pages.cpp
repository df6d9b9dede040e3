#include "app/option_pages.h"

#include <algorithm>
#include <string_view>

#include "app/preference_steps.h"
#include "app/settings_schema.h"
#include "app/volume_table.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

struct OptionEntry {
  int32_t GeneralSettings::*Field;
  std::string_view Word;
};
constexpr auto kVariantOptions = std::to_array<OptionEntry>({
    {&GeneralSettings::puzzleRotation, "ROTATE"},
    {&GeneralSettings::puzzlePieceUniq, "BOATUNIQ"},
    {&GeneralSettings::autoNoBoat, "AUTONOBOAT"},
});

struct MusicEntry {
  int32_t MusicSettings::*Field;
  std::string_view Word;
};
constexpr auto kMusicOptions = std::to_array<MusicEntry>({
    {&MusicSettings::silent, "MUSSILENT"},
    {&MusicSettings::useDirectory, "MUSDIR"},
    {&MusicSettings::autoLoop, "MUSLOOP"},
});

constexpr std::array<std::string_view, kFolderCount> kFolderDefaults = {
    ".\\", "BackGround\\", "MyGrid\\", "TextGrid\\", "MagicPref\\", ".\\", ".\\"};
constexpr std::array<std::string DirectorySettings::*, kFolderCount> kFolderFields = {
    &DirectorySettings::animated, &DirectorySettings::background, &DirectorySettings::myGrids,
    &DirectorySettings::txtGrids, &DirectorySettings::magic,      &DirectorySettings::macro,
    &DirectorySettings::music};

} // namespace

void VariantOptionsPage::LoadPageFromSettings() {
  for (size_t i = 0; i < kVariantOptions.size(); ++i)
    Values[i] = settings_.general.*kVariantOptions[i].Field == 1;
}

void VariantOptionsPage::SetOption(VariantOption which, bool on) {
  const OptionEntry &entry = kVariantOptions[static_cast<size_t>(which)];
  Values[static_cast<size_t>(which)] = on;
  settings_.general.*entry.Field = on ? 1 : 0;
  effects_.SettingsChanged();
  effects_.RecordStep(SwitchStep(kMacroPref, entry.Word, on));
}

void MusicPage::LoadPageFromSettings() {
  const MusicSettings &m = settings_.music;
  for (size_t i = 0; i < kMusicOptions.size(); ++i)
    Values[i] = m.*kMusicOptions[i].Field == 1;
  MusicVolume = MusicStepOfVolume(m.musicVolume);
  SoundVolume = VolumePosition(m.soundVolume);
  MusicName = FileNameOfPath(m.musicFile);
}

void MusicPage::SetOption(MusicOption which, bool on) {
  const MusicEntry &entry = kMusicOptions[static_cast<size_t>(which)];
  Values[static_cast<size_t>(which)] = on;
  settings_.music.*entry.Field = on ? 1 : 0;
  if (which == MusicOption::Silent)
    effects_.ApplyMusicVolume();
  effects_.RecordStep(SwitchStep(kMacroPref, entry.Word, on));
}

void MusicPage::SetMusicVolume(int position) {
  MusicVolume = std::clamp(position, 0, kVolumeSliderTop);
  settings_.music.musicVolume = MusicVolumeOfStep(MusicVolume);
  effects_.ApplyMusicVolume();
  effects_.RecordStep(NumberStep(kMacroVolume, "MUSIC", settings_.music.musicVolume));
}

void MusicPage::SetSoundVolume(int position) {
  SoundVolume = std::clamp(position, 0, kSoundSliderTop);
  settings_.music.soundVolume = VolumeTable(SoundVolume);
  RepairSettings(settings_); // the store's floor is -8000
  effects_.RecordStep(NumberStep(kMacroVolume, "SOUND", settings_.music.soundVolume));
}

void MusicPage::ChooseMusic() {
  const std::string path = effects_.ChooseMusicFile(MakeAbsolutePath(settings_.directory.music));
  if (path.empty())
    return;
  MusicName = FileNameOfPath(path);
  if (settings_.general.standarDir == 0)
    settings_.directory.music = DirectoryOfPath(path);
  settings_.music.musicFile = path;
  effects_.RecordStep(WordStep(kMacroMusFile, MakeRelativePath(path)));
}

std::string DifficultyText(int gameLevel, bool french) {
  switch (gameLevel) {
  case 2:
    return french ? "Difficulté : Moyen" : "Difficulty : Medium";
  case 3:
    return french ? "Difficulté : Difficile" : "Difficulty : Difficult";
  case 4:
    return french ? "Difficulté : Terrible" : "Difficulty : Terrible";
  default:
    return french ? "Difficulté : Facile" : "Difficulty : Easy";
  }
}

void DirectoryPage::LoadPageFromSettings() {
  for (size_t i = 0; i < kFolderFields.size(); ++i)
    Folders[i] = loaded_[i] = settings_.directory.*kFolderFields[i];
}

void DirectoryPage::Browse(int folder) {
  if (folder < 0 || folder >= kFolderCount)
    return;
  std::string &current = Folders[static_cast<size_t>(folder)];
  const std::string chosen = effects_.ChooseFolder(MakeAbsolutePath(current));
  if (!chosen.empty())
    current = chosen.back() == '/' ? chosen : chosen + "/";
}

FolderList StandardFolders() {
  FolderList folders;
  for (size_t i = 0; i < kFolderDefaults.size(); ++i)
    folders[i] = MakeAbsolutePath(kFolderDefaults[i]);
  return folders;
}

void StoreFolders(DirectorySettings &directory, const FolderList &folders) {
  for (size_t i = 0; i < kFolderFields.size(); ++i)
    directory.*kFolderFields[i] = folders[i];
}

void DirectoryPage::SetDefaults() { Folders = StandardFolders(); }

void DirectoryPage::Apply() {
  for (size_t i = 0; i < kFolderFields.size(); ++i)
    if (Folders[i] != loaded_[i])
      settings_.directory.*kFolderFields[i] = Folders[i];
  LoadPageFromSettings();
}

void ChallengePage::LoadPageFromSettings() {
  Inhibit = settings_.defi.defiInhibit == 1;
  Port = settings_.defi.defiPort;
}

void ChallengePage::Apply() {
  settings_.defi.defiInhibit = Inhibit ? 1 : 0;
  settings_.defi.defiPort = Port;
  RepairSettings(settings_);
  Port = settings_.defi.defiPort;
  if (Port != 0)
    effects_.StartChallengeListen(Port);
}

void ScanPage::SetMode(int mode) {
  Mode = std::clamp(mode, 0, 3);
  settings_.scan.autoScan = Mode;
}

} // namespace quorbel
