// The texts the board view writes into the status bar's panes.
#pragma once

#include <string>

#include "app/value_symbol.h"
#include "platform/language.h"

namespace quorbel {

// The range of symbols in use: "1...9", "A...P", "1...C" (mixed), or "Image" for pictures;
// empty while no grid shape is set.
std::string SymbolRangeText(int width, SymbolMode mode);
// "Score:19.45", or "Score:00019" for the points of Double and Triple; always with a ".".
std::string ScorePaneText(float score, bool doubleTriplePoints);
// The game mode's name, then "-Run" while a challenge runs, else five spaces.
std::string ModePaneText(int gameMode, bool challengeRunning, Language language);
// "EXPER" while the expert's test bench runs (macro mode 2), "MACRO" while a macro is recorded
// or plays, else one space.
std::string MacroPaneText(bool recording, int macroMode);

} // namespace quorbel
