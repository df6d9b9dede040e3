// The Sudoku menu's grid commands kept by the frame: the start-up grid (define it, go back to
// it), pause, the battleship marks, showing the focus cell's candidates, and the demo and
// example macros.
#pragma once

class CommandHost;

namespace quorbel {

// The current grid becomes the start grid: its values become clues, hypotheses and marks go.
void DefineStartupGrid(CommandHost &app);
// Puts the start grid back: clues and givens stay, every other cell is emptied. False when the
// player cancelled.
bool BackToStartupGrid(CommandHost &app);

// A new game on the grid as it now stands: not finished, no time over, a fresh score; with
// `restartClock` the clock starts again on the limit of the grid's size and level.
void RestartGame(CommandHost &app, bool restartClock);
// The start of a game on a grid just made: the board takes clicks, the clock runs on the limit
// of the grid's size and `level`, and the level and the cells to find are those of this grid.
void StartNewGridGame(CommandHost &app, int level);

// Takes main grid `slot` out of the set (the grid tabs' Delete Grid, the script's DELMULT): the
// grids after it move down with their links, the selection empties, candidates are worked out
// again and the document counts as changed. False, with nothing changed, for the last grid.
bool DeleteGridOfSet(CommandHost &app, int slot);

void RegisterGridCommands(CommandHost &app);

} // namespace quorbel
