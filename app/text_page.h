// The Text preference page as plain data and handlers: how values are shown (digits, letters,
// mixed, pictures), the picture set with its order, and the animation options.
#pragma once

#include <string>

#include "app/app_settings.h"
#include "app/picture_order.h"
#include "app/preference_effects.h"

namespace quorbel {

struct TextPageValues {
  int Mode = 0; // GENERAL/GRIDCURRDISP
  std::string SetTitle;
  bool AnimGif = false;
  bool AnimAction = false;
  bool ResetIfFalse = false;
  bool Drag = false;
  bool Parasit = false;
};

enum class TextPageSwitch { AnimGif, ResetIfFalse, AnimAction, Drag, Parasit };

// Which display modes the grid shape allows: mixed up to 9 x 9, digits alone up to 9 x 9 too.
bool DisplayModeOffered(int mode, int gridShape);

class TextPage {
public:
  TextPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}

  TextPageValues Values;
  // The picture order as the page found it, which its Cancel puts back.
  PictureOrder SavedPictureOrder{};

  void LoadPageFromSettings();
  void ChooseMode(int mode);
  void SetSwitch(TextPageSwitch which, bool on);
  // The set before or after the current one in the pictures folder, round the ends.
  void StepPictureSet(bool next);
  void BrowsePictureSet();
  void ShufflePictures();
  // The order saved at loading comes back.
  void Cancel();

private:
  void AfterSetLoaded(const std::string &imageName);

  AppSettings &settings_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
