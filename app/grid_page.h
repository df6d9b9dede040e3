// The Grid preference page as plain data and handlers: grid sizing and block separation, and the
// board's background picture with its transparency and periodic random change.
#pragma once

#include <string>

#include "app/app_settings.h"
#include "app/preference_effects.h"

namespace quorbel {

struct GridPageValues {
  bool AutoSize = true;
  bool Absolute = false;
  bool BlockLimit = false; // colour separation between blocks
  bool BlockBars = false;  // black bars between blocks
  bool CellSquare = false;
  bool BlockColors = false;
  bool KeepRatio = false;
  bool BgRandom = false;
  int Transparency = 0; // slider 0..100 for TRANSPARENCY 0..255
  int Delay = 0;        // slider 0..100 for DELAYBGIMAGE 0..11
  std::string PicturePath;
  std::string ShownName;
};

enum class GridPageSwitch { AutoSize, Absolute, BlockLimit, BlockBars, BlockColors, CellSquare, KeepRatio };

// The slider positions and the stored values, each way, truncating.
int TransparencyToSlider(int stored);
int SliderToTransparency(int slider);
int DelayToSlider(int stored);
int SliderToDelay(int slider);
// "Background Image Randomly every 20 (mn)" and the like; DELAYBGIMAGE 11 says the picture
// changes with each new grid.
std::string BackgroundDelayMessage(int delay, Language language);

class GridPage {
public:
  GridPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}

  GridPageValues Values;
  void LoadPageFromSettings();
  // Colour separation and black bars exclude each other: either click clears the other.
  void SetSwitch(GridPageSwitch which, bool on);
  void SetRandomPicture(bool on);
  // The file chosen becomes the picture, none when cancelled; the random change stops.
  void ChooseBackgroundImage();
  // While the thumb moves the board follows; its release records the step.
  void MoveTransparency(int slider);
  void ReleaseTransparency();
  // Heeded only while the random change is on.
  void ReleaseDelay(int slider);

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
