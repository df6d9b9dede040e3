// The preference pages of the variant options, music and sound, grid property, folders, challenge
// and scan, as plain data and handlers. The variant, music and scan choices act at once; the
// folders and the challenge wait for the sheet's OK.
#pragma once

#include <array>
#include <string>

#include "app/app_settings.h"
#include "app/preference_effects.h"
#include "app/volume_table.h"

namespace quorbel {

enum class VariantOption { Rotation, PieceUnique, AutoNoBoat };

class VariantOptionsPage {
public:
  VariantOptionsPage(AppSettings &settings, PreferenceEffects &effects)
      : settings_(settings), effects_(effects) {}
  std::array<bool, 3> Values{};
  void LoadPageFromSettings();
  void SetOption(VariantOption which, bool on);

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

enum class MusicOption { Silent, FullDirectory, Loop };

inline constexpr int kVolumeSliderTop = kMusicVolumeSteps; // the music slider
// The sound slider has a position for every entry of VolumeTable, its top the loudest.
inline constexpr int kSoundSliderTop = kVolumePositions - 1;

class MusicPage {
public:
  MusicPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}
  std::array<bool, 3> Values{};
  int MusicVolume = 0; // slider 0..20, a step of MusicVolumeOfStep
  int SoundVolume = 0; // slider 0..100, a position of VolumeTable
  std::string MusicName;
  void LoadPageFromSettings();
  void SetOption(MusicOption which, bool on);
  void SetMusicVolume(int position);
  void SetSoundVolume(int position);
  // A cancelled choice changes nothing.
  void ChooseMusic();

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

// The grid property page's texts: "Difficulty : Medium" and the like, any level but 2 to 4 Easy.
std::string DifficultyText(int gameLevel, bool french);

inline constexpr int kFolderCount = 7;
using FolderList = std::array<std::string, kFolderCount>;

// The seven folders (ANIMATED, BACKGROUND, MYGRIDS, TXTGRIDS, MAGIC, MACRO, MUSIC) at their
// defaults under the start directory.
FolderList StandardFolders();
void StoreFolders(DirectorySettings &directory, const FolderList &folders);

class DirectoryPage {
public:
  DirectoryPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}
  FolderList Folders; // in StandardFolders' order
  void LoadPageFromSettings();
  // The folder chosen, with its separator; a cancel changes nothing.
  void Browse(int folder);
  // Each folder's default under the start directory.
  void SetDefaults();
  // At the sheet's OK: the folders changed here; one changed elsewhere meanwhile stays.
  void Apply();

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
  FolderList loaded_;
};

class ChallengePage {
public:
  ChallengePage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}
  bool Inhibit = true;
  int32_t Port = 0;
  void LoadPageFromSettings();
  // At the sheet's OK: the port held to its rule, and a listener on it unless it is 0.
  void Apply();

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

class ScanPage {
public:
  explicit ScanPage(AppSettings &settings) : settings_(settings) {}
  int Mode = 0; // 0 automatic, 1 normal, 2 irregular, 3 Killer
  void LoadPageFromSettings() { Mode = settings_.scan.autoScan; }
  void SetMode(int mode);

private:
  AppSettings &settings_;
};

} // namespace quorbel
