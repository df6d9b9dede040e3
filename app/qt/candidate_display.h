// How the cells show what they may hold: the candidate level commands, the cell display type
// (one value, candidates in a line or a matrix, candidates and probables) and the symbol mode
// (digits, letters, both, pictures).
#pragma once

class CQuorbelApp;

namespace quorbel {

enum SymbolMode : int { kSymbolDigits = 0, kSymbolLetters = 1, kSymbolMixed = 2, kSymbolPictures = 3 };

// Level 1..5 shows the candidates of cells with up to that many (5: every cell), 0 none;
// choosing the level in use again clears it.
void SetPossLevel(CQuorbelApp &app, int level);
// Sets the symbol mode when the grid's size allows it, else the next mode that it allows
// (-1 steps to the next mode). `record` saves the settings, repaints and records the step.
void SetSymbolMode(CQuorbelApp &app, int mode, bool record);
// Whether a grid shape (its code) can show a symbol mode.
bool SymbolModeAllowed(int shapeCode, int mode);

void RegisterCandidateDisplay(CQuorbelApp &app);

} // namespace quorbel
