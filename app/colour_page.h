// The Colour preference page as plain data and handlers: the board's fourteen colours, each
// changed through the colour chooser, back to the defaults, or read from and written to a
// ".col" file.
#pragma once

#include "app/colours.h"
#include "app/preference_effects.h"

namespace quorbel {

class ColourPage {
public:
  ColourPage(BoardColours &colours, PreferenceEffects &effects) : colours_(colours), effects_(effects) {}

  BoardColours Slots;
  void LoadColours() { Slots = colours_; }
  void StoreColours() { colours_ = Slots; }

  // A click on swatch `slot` (-1: beside every swatch, which opens nothing).
  void ClickSwatch(int slot);
  void SetDefaultColours();
  // False when the file could not be read or written; nothing changes then.
  bool LoadColourFile();
  bool SaveColourFile();

private:
  BoardColours &colours_;
  PreferenceEffects &effects_;
};

} // namespace quorbel
