// The preference sheet's plain part: its pages, what opening, OK and Cancel do. Every edit reaches
// the settings at once but the folders' and the challenge's, which OK applies; OK saves; Cancel
// takes back the settings the sheet changed, and the colours and picture order it opened with.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "app/app_settings.h"
#include "app/cell_page.h"
#include "app/colour_page.h"
#include "app/colours.h"
#include "app/general_page.h"
#include "app/geometry_page.h"
#include "app/grid_page.h"
#include "app/option_pages.h"
#include "app/preference_effects.h"
#include "app/text_page.h"

namespace quorbel {

class PreferenceSheet {
public:
  PreferenceSheet(AppSettings &settings, BoardColours &colours, PreferenceEffects &effects);

  GeneralPage General;
  CellPage Cell;
  GridPage Grid;
  GeometryPage Geometry;
  ColourPage Colour;
  TextPage Text;
  VariantOptionsPage Variants;
  MusicPage Music;
  DirectoryPage Directories;
  ChallengePage Challenge;
  ScanPage Scan;

  // Shown: the state to come back to is kept and saved, and the pages show the settings.
  void Open();
  // The sheet's window became the active one, or stopped being it. The settings that change
  // while it is active are the sheet's edits, which Cancel takes back; what changes meanwhile
  // elsewhere (the menus, the start screen, a game under way) Cancel leaves alone. A dialog the
  // sheet opens itself (a colour, a file) is no deactivation.
  void Activated();
  void Deactivated();
  // The pages that follow the settings read them again (the colour page keeps its slots).
  void RefreshPages();
  void Ok();
  void Cancel();

private:
  AppSettings &settings_;
  BoardColours &colours_;
  PreferenceEffects &effects_;
  void NoteEdits();

  std::unique_ptr<AppSettings> openedSettings_;
  std::unique_ptr<AppSettings> seenSettings_; // when the sheet last became active or was noted
  std::set<std::string> editedKeys_;
  bool active_ = false;
  BoardColours openedColours_{};
};

} // namespace quorbel
