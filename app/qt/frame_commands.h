// The commands the frame routes to its own handlers: the Display menu's toggles and levels,
// the grid commands of the Sudoku menu, pause, the battleship marks and the help macros.
// Solving, playing and generating are registered by their own parts.
#pragma once

class CQuorbelApp;

void RegisterFrameCommands(CQuorbelApp &app);
