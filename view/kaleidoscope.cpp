#include "view/kaleidoscope.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_services.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"

namespace quorbel {

namespace {

constexpr int kWaveLow = 4;
constexpr int kWaveHigh = 252;
constexpr int kWindDownMs = 500;

ColorRef RawColour(uint32_t word) { return word & 0xFFFFFFu; }

// Paints each cell of `cells` in turn with its colour, the one before it going back to its
// ground; false when the player stopped it.
bool Spiral(EngineContext &ctx, KaleidoscopeCanvas &canvas, int slot, int delay) {
  const int width = ctx.Geo.GridWidth;
  const std::vector<int> order = SpiralOrder(width);
  const int count = static_cast<int>(order.size());
  for (int k = 0; k < count; ++k) {
    if (k > 0)
      canvas.PaintCell(slot, order[static_cast<size_t>(k - 1)], canvas.CellGround());
    canvas.PaintCell(slot, order[static_cast<size_t>(k)], SpiralColour(count, k));
    if (canvas.PollUserAbort())
      return false;
    canvas.Sleep(delay);
  }
  canvas.PaintCell(slot, order.back(), canvas.CellGround());
  return true;
}

bool Wave(EngineContext &ctx, KaleidoscopeCanvas &canvas, int slot, int delay) {
  const int width = ctx.Geo.GridWidth;
  const int count = width * width;
  const std::vector<ColorRef> colours = WaveColours(width, count + width);
  for (int i = 0; i < count + width; ++i) {
    if (i < count)
      canvas.PaintCell(slot, i, colours[static_cast<size_t>(i)]);
    if (i >= width)
      canvas.PaintCell(slot, i - width, canvas.CellGround());
    if (canvas.PollUserAbort())
      return false;
    canvas.Sleep(delay);
  }
  return true;
}

} // namespace

std::vector<int> SpiralOrder(int width) {
  std::vector<int> order;
  if (width < 1)
    return order;
  int top = 0;
  int left = 0;
  int bottom = width - 1;
  int right = width - 1;
  while (top <= bottom && left <= right) {
    for (int c = left; c <= right; ++c)
      order.push_back(top * width + c);
    for (int r = top + 1; r <= bottom; ++r)
      order.push_back(r * width + right);
    if (top < bottom)
      for (int c = right - 1; c >= left; --c)
        order.push_back(bottom * width + c);
    if (left < right)
      for (int r = bottom - 1; r > top; --r)
        order.push_back(r * width + left);
    ++top;
    ++left;
    --bottom;
    --right;
  }
  return order;
}

int KaleidoscopeDelayMs(int width, int shownGrids) {
  const int delay = width <= 4 ? 100 : width <= 6 ? 70 : width <= 9 ? 50 : width <= 12 ? 30 : 20;
  return shownGrids > 1 ? delay / 2 : delay;
}

ColorRef SpiralColour(int cellCount, int k) {
  return RawColour(static_cast<uint32_t>((cellCount - 1) * 765 - k * 762));
}

std::vector<ColorRef> WaveColours(int width, int steps) {
  std::vector<ColorRef> colours;
  int components[3] = {kWaveLow, kWaveHigh, kWaveLow};
  const int span = width > 1 ? width - 1 : 1;
  for (int i = 0; i < steps; ++i) {
    const int phase = i % (2 * span);
    const int rise = phase < span ? phase : 2 * span - phase;
    components[(i / span) % 3] = kWaveLow + (kWaveHigh - kWaveLow) * rise / span;
    colours.push_back(MakeColorRef(static_cast<uint8_t>(components[0]), static_cast<uint8_t>(components[1]),
                                   static_cast<uint8_t>(components[2])));
  }
  return colours;
}

bool RunKaleidoscope(EngineContext &ctx, KaleidoscopeCanvas &canvas) {
  // Its undo steps are its own: the game's count of undos, which the mark reads, stays.
  const int32_t undoCount = ctx.Undo.UndoCount;
  const int32_t redoCount = ctx.Undo.RedoCount;
  ReinitGrids(ctx, 1, 1, 1, 1);
  SaveUndoState(ctx);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  canvas.RedrawAll();
  bool finished = !canvas.PollUserAbort();
  canvas.SetTimerOn(false);
  const int shown = UsedOrderCount(ctx.Grids);
  const int delay = KaleidoscopeDelayMs(ctx.Geo.GridWidth, shown);
  for (int i = 0; finished && i < shown; ++i)
    finished = Spiral(ctx, canvas, ctx.Grids.Order[static_cast<size_t>(i)], delay);
  for (int i = 0; finished && i < shown; ++i)
    finished = Wave(ctx, canvas, ctx.Grids.Order[static_cast<size_t>(i)], delay);
  if (finished) {
    UndoLastState(ctx);
    canvas.RedrawAll();
    canvas.Sleep(kWindDownMs);
    SaveUndoState(ctx);
    canvas.RedrawAll();
    UpdatePossibles(ctx, -1, -1, -1, 1);
  }
  UndoLastState(ctx);
  ctx.Undo.UndoCount = undoCount;
  ctx.Undo.RedoCount = redoCount;
  // Nor does its last step back leave a step to redo.
  ctx.Undo.maxPtUndo = std::min(ctx.Undo.maxPtUndo, ctx.Undo.ptUndo);
  canvas.RedrawAll();
  canvas.SetTimerOn(true);
  return finished;
}

} // namespace quorbel
