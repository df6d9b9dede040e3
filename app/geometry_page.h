// The Geometry preference page as plain data and handlers: the nine layout values the board
// uses when it is not sized automatically.
#pragma once

#include <array>
#include <cstdint>

#include "app/app_settings.h"
#include "app/preference_effects.h"

namespace quorbel {

// In the page's order: length, height, spacing between cells across and down, between blocks
// across and down, the probables' height, the cell and block borders.
inline constexpr int kGeometryValues = 9;
// The first seven follow the automatic sizing; the borders are always editable.
inline constexpr int kSizedGeometryValues = 7;

class GeometryPage {
public:
  GeometryPage(AppSettings &settings, PreferenceEffects &effects) : settings_(settings), effects_(effects) {}

  std::array<int32_t, kGeometryValues> Values{50, 39, 3, 3, 8, 8, 10, 1, 5};
  void LoadPageFromSettings();
  // Each keystroke that leaves a number: stored, held to the setting's load rule, and shown.
  void SetValue(int index, int32_t value);

private:
  AppSettings &settings_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
