// The generator's four level commands (Easy, Medium, Difficult, Terrible) of the Sudoku menu, and
// the generation dialog's.
#pragma once

class CQuorbelApp;

namespace quorbel {

// Generates a grid of the current shape and rules at `level` (1..4). The new grid becomes an
// unmodified document named after it and a new game starts; when generation is refused or
// cancelled, the document, its modified flag and the game stay as they were. 1 when a grid
// was made.
int GenerateAtLevel(CQuorbelApp &app, int level);
// Sudoku > Generate Grid: the dialog, whose GO stores its choices and generates. True when a grid
// was made.
bool RunGenerationDialog(CQuorbelApp &app);

void RegisterGenerateCommands(CQuorbelApp &app);

} // namespace quorbel
