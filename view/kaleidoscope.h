// The kaleidoscope: a colour animation over the board. Cell grounds light up one by one along a
// spiral, then a wave of colour runs over them; the grids come back as they were.
#pragma once

#include <vector>

#include "platform/colour_word.h"

namespace quorbel {

struct EngineContext;

// The cells of a width x width grid, clockwise from the top left along the outer ring, then each
// inner ring in turn.
std::vector<int> SpiralOrder(int width);
// Milliseconds between two steps: by the grid's size, halved when several grids are shown.
int KaleidoscopeDelayMs(int width, int shownGrids);
// The ground of the k-th cell of the spiral, as the raw colour word (NCells - 1) x 765 - k x 762.
ColorRef SpiralColour(int cellCount, int k);
// The wave's colour at step i: one component in turn rises and falls between 4 and 252 over
// width - 1 steps, starting from (4, 252, 4).
std::vector<ColorRef> WaveColours(int width, int steps);

// What the animation paints on and how it waits.
class KaleidoscopeCanvas {
public:
  virtual ~KaleidoscopeCanvas() = default;
  // Paints the cell with this ground at once.
  virtual void PaintCell(int slot, int cell, ColorRef ground) = 0;
  // The ground the cell has when nothing lights it.
  virtual ColorRef CellGround() const = 0;
  virtual void RedrawAll() = 0;
  virtual void Sleep(int ms) = 0;
  virtual bool PollUserAbort() = 0;
  virtual void SetTimerOn(bool on) = 0;
};

// Plays the animation over the shown grids. An abort (Escape, the right button) ends it like a
// full run: the grids, their candidates and the undo history are as before, the timers on.
// False when it was stopped.
bool RunKaleidoscope(EngineContext &ctx, KaleidoscopeCanvas &canvas);

} // namespace quorbel
