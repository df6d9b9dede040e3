// The texts the board view writes into the status bar's panes.
#pragma once

#include <string>

#include "platform/language.h"
#include "app/value_symbol.h"

namespace quorbel {

// The range of symbols in use: "1...9", "A...P", "1...C" (mixed), or "Image" for pictures;
// empty while no grid shape is set.
std::string SymbolRangeText(int width, SymbolMode mode);
// "Score:19.45", or "Score:00019" for the points of Double and Triple; always with a ".".
std::string ScorePaneText(float score, bool doubleTriplePoints);
// The game mode's name, then "-Run" while a challenge runs, else five spaces.
std::string ModePaneText(int gameMode, bool challengeRunning, Language language);
// "MACRO" while a macro is recorded, else one space.
std::string MacroPaneText(bool recording);

} // namespace quorbel
