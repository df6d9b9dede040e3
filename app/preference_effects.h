// What a preference page's live edits reach besides the settings: the board, the sheet's
// dependent controls, the profile dialog, the macro recorder, the settings store, the log and
// the shell. The Qt sheet implements it; tests fake it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/picture_order.h"
#include "engine/host.h"
#include "platform/colour_word.h"

namespace quorbel {

class PreferenceEffects {
public:
  virtual ~PreferenceEffects() = default;
  // The settings the engine reads (time limits, piece options, animation) were changed.
  virtual void SettingsChanged() = 0;
  // `relayout`: the board's areas may have changed size as well.
  virtual void RedrawBoard(bool relayout) = 0;
  // The enabling of controls that depend on others, then a repaint.
  virtual void UpdatePreferenceControls() = 0;
  // The profile dialog shows no profile as current any more.
  virtual void ClearMagicSelection() = 0;
  virtual void RecordStep(const RecordedAction &step) = 0;
  virtual void SaveSettings() = 0;
  // The profile dialog reads its list again from the profile folder.
  virtual void FillMagicList() = 0;
  virtual void ClearLogFile() = 0;
  virtual void OpenWithShell(const std::string &path) = 0;
  // A line of the message panel.
  virtual void PostMessage(const std::string &line) = 0;
  // The board reloads its background picture at its next layout.
  virtual void ReloadBackground() = 0;
  // A picture of the background folder at random, "" when there is none.
  virtual std::string PickRandomBackground() = 0;
  // The periodic background change starts counting again (and may change the picture).
  virtual void RestartBackgroundRotation() = 0;
  // The player's pick of a background picture; "" when cancelled.
  virtual std::string ChooseBackgroundFile(const std::string &folder) = 0;
  // The cell pictures: a set loaded by name or path in an order (false when it cannot be), the
  // order the board shows them in, the set files of the pictures folder in listing order, and
  // the player's pick of a set file ("" when cancelled).
  virtual bool LoadPictureSet(const std::string &set, PictureOrderMode mode) = 0;
  virtual PictureOrder CurrentPictureOrder() = 0;
  virtual void SetPictureOrder(const PictureOrder &order) = 0;
  virtual std::vector<std::string> PictureSetFiles() = 0;
  virtual std::string ChoosePictureSetFile(const std::string &folder) = 0;
  // The cursors that carry the values, and the page's sample cell, drawn again.
  virtual void BuildValueCursors() = 0;
  virtual void DrawSymbolPreview() = 0;
  // The colour chooser from `start`; none when cancelled.
  virtual std::optional<ColorRef> ChooseColour(ColorRef start) = 0;
  // The player's pick of a ".col" file to read (`save` false) or to write; "" when cancelled.
  virtual std::string ChooseColourFile(bool save) = 0;
  // The board's colours written to the store.
  virtual void SaveColours() = 0;
  virtual void HideSheet() = 0;
  // The music player takes MUSIC/MUSICVOLUME and SILENT, the music dialog its slider.
  virtual void ApplyMusicVolume() = 0;
  // The player's pick of a music file, and of a folder (with its trailing separator); "" when
  // cancelled.
  virtual std::string ChooseMusicFile(const std::string &folder) = 0;
  virtual std::string ChooseFolder(const std::string &folder) = 0;
  // The challenge listens on the port.
  virtual void StartChallengeListen(int32_t port) = 0;
};

} // namespace quorbel
