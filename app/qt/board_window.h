// What the frame's commands and the end of game ask of the board window: its display switches,
// the selection and the focus, the game clock it runs, and the hooks through which the
// end of game and the running mark plug into it. The board view implements it; the application
// reaches it only through this, so nothing here depends on the window's own code.
#pragma once

#include <cstdint>
#include <functional>

#include "view/display_switches.h"
#include "view/selection_list.h"

class BoardWindow {
public:
  virtual ~BoardWindow() = default;

  virtual quorbel::DisplaySwitches &Switches() = 0;
  virtual quorbel::SelectionList &Selection() = 0;
  // Makes the cell the focus and repaints the old and the new focus.
  virtual int MoveFocusToCell(int slot, int cell) = 0;
  // A click on grid tab `tab` (0 every grid, k grid k alone), with Ctrl when `add`.
  virtual void ClickGridTab(int tab, bool add) = 0;
  // A fresh input state whose typed values go into the cells in turn, from this one.
  virtual void StartSequentialEntry(int slot, int cell) = 0;
  // A document opened: typed values go into the focus cell again and nothing is dragged; the
  // entry in turn of a grid typed in by hand ended with that grid.
  virtual void ResetInputState() = 0;
  // The game clock of a new game: `limitMs` is the mode's time limit (0: none).
  virtual void StartGameClock(int32_t limitMs) = 0;
  // A new game's score and counters.
  virtual void ResetScoreState() = 0;
  // Ends the game when the grid set is solved (once per game).
  virtual void CheckEndOfGame() = 0;
  // The background picture changed in the settings: the next layout loads it.
  virtual void ReloadBackground() = 0;
  // The periodic background change counts again from now, and may change the picture.
  virtual void RotateBackgroundImage() = 0;
  // Help > Bonus: Kaleidoscope; the grids come back as they were.
  virtual void RunKaleidoscope() = 0;
  // File > Print: the print dialog, then one page; 1 when printed.
  virtual int PrintBoard() = 0;

  // The end of a game, once the grid set is solved or the time is up; the clock has stopped and
  // the game is marked finished.
  std::function<void()> EndOfGame;
  // The mark of the running game out of 20, for the score pane; none: the last mark kept.
  std::function<float()> RunningScore;
};
