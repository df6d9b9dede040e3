// The Cell preference page as plain data and handlers: how open cells show their candidates (one
// of four modes), the board's side areas, and the matrix options.
#pragma once

#include "app/app_settings.h"
#include "app/preference_effects.h"

namespace quorbel {

inline constexpr int kCellDisplayModes = 4; // one value, candidates in line, matrix, probables

struct CellPageValues {
  int Mode = 3; // GENERAL/PROBTYPE
  bool Lines = false;
  bool Comment = false;
  bool BarArea = false;
  bool BarAreaIdem = false;
  bool MatAll = false;
  bool MatFond = false;
  bool MatAuto = false;
};

enum class CellPageSwitch { Lines, Comment, BarArea, BarAreaIdem, MatAll, MatFond, MatAuto };

class CellPage {
public:
  CellPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}

  CellPageValues Values;
  // Shown mode pictures follow SetCellDisplayMode only, never a reload.
  int PictureMode = 3;

  void LoadPageFromSettings();
  // The page's and the board's mode, and the pictures.
  void SetCellDisplayMode(int mode);
  // A click on a mode's picture: the mode, the board, the step.
  void ChooseMode(int mode);
  void SetSwitch(CellPageSwitch which, bool on);

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
