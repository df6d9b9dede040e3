// The General preference page as plain data and handlers: start-up and loading options, the
// generator's unique-solution switch and attempts, the standard folders, the log, the print
// size and the two time limits. Each handler stores its control's value and applies it at once.
#pragma once

#include <cstdint>

#include "app/app_settings.h"
#include "app/preference_effects.h"

namespace quorbel {

struct GeneralPageValues {
  bool LastOpen = false;
  bool PosLoad = false;
  bool UniqSolution = false;
  bool AskToBeSaved = false;
  bool PrefLoad = false;
  bool StandardDirectories = false;
  bool Log = false;
  int32_t MaxIterGener = 5;
  float PrintSize = 1.0f;
  int GenerationTimeIndex = 0; // of TimeoutTable
  int SearchTimeIndex = 0;
};

class GeneralPage {
public:
  GeneralPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}

  GeneralPageValues Values;
  void LoadPageFromSettings();

  void SetLastOpen(bool on);
  void SetPosLoad(bool on);
  void SetAskToBeSaved(bool on);
  void SetUniqSolution(bool on);
  void SetPrefLoad(bool on);
  void SetLog(bool on);
  // Held to 1..100, the range the settings load with.
  void SetMaxIterGener(int32_t attempts);
  // Outside 0.01..100 it becomes 1.0.
  void SetPrintSize(float size);
  void SetGenerationTimeIndex(int index);
  void SetSearchTimeIndex(int index);
  // On: the seven folders go back under the start directory and the settings are saved at
  // once; off changes no folder.
  void SetStandardDirectories(bool on);
  void ClearLog();
  void OpenLog();

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
