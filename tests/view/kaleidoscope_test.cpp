// The kaleidoscope: its spirals, its pace, and a run that leaves the grids as they were, whether
// it ends or is stopped.
#include "view/kaleidoscope.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/undo_services.h"
#include "engine/undo_stack.h"
#include "engine/update_possibles.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

using test::LoadPuzzleLine;
using test::ShapedContext;

struct FakeCanvas : KaleidoscopeCanvas {
  int paints = 0;
  int polls = 0;
  int abortAt = -1;
  std::vector<bool> timer;
  int slept = 0;
  void PaintCell(int, int, ColorRef) override { ++paints; }
  ColorRef CellGround() const override { return 0x123456; }
  void RedrawAll() override {}
  void Sleep(int ms) override { slept += ms; }
  bool PollUserAbort() override { return ++polls == abortAt; }
  void SetTimerOn(bool on) override { timer.push_back(on); }
};

TEST(Kaleidoscope, EverySpiralVisitsEachCellOnceAndThePaceFollowsTheSize) {
  EXPECT_EQ(SpiralOrder(4), (std::vector<int>{0, 1, 2, 3, 7, 11, 15, 14, 13, 12, 8, 4, 5, 6, 10, 9}));
  for (int width : {4, 6, 8, 9, 12, 16}) {
    std::vector<int> order = SpiralOrder(width);
    std::sort(order.begin(), order.end());
    std::vector<int> all(static_cast<size_t>(width * width));
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(order, all) << width;
  }
  EXPECT_EQ(KaleidoscopeDelayMs(9, 2), 25);
  EXPECT_EQ(KaleidoscopeDelayMs(4, 1), 100);
  EXPECT_EQ(KaleidoscopeDelayMs(16, 3), 10);
  EXPECT_EQ(SpiralColour(81, 0), ColorRef{80 * 765});
  const std::vector<ColorRef> wave = WaveColours(9, 40);
  EXPECT_EQ(wave.front(), MakeColorRef(4, 252, 4));
  for (const ColorRef colour : wave)
    for (int shift : {0, 8, 16})
      EXPECT_GE((colour >> shift) & 0xFF, 4u);
}

TEST(Kaleidoscope, ARunEndedOrStoppedLeavesTheGridsAsTheyWere) {
  ShapedContext shaped(ShapeCodeOfSize(9));
  EngineContext &ctx = shaped.Ctx;
  LoadPuzzleLine(ctx, shaped.Main(),
                 "400000085000008003087093010000002004305001070000000000600000000070109200102607000");
  UpdatePossibles(ctx, -1, -1, -1, 1);
  SaveUndoState(ctx);
  const int undoDepth = ctx.Undo.ptUndo;
  const int undoCount = ctx.Undo.UndoCount;
  std::vector<std::pair<int, uint32_t>> before;
  for (const CellRecord &cell : shaped.Main().PlayingCells(ctx.Geo))
    before.emplace_back(cell.Value, cell.ThePoss);
  const auto unchanged = [&] {
    std::vector<std::pair<int, uint32_t>> after;
    for (const CellRecord &cell : shaped.Main().PlayingCells(ctx.Geo))
      after.emplace_back(cell.Value, cell.ThePoss);
    EXPECT_EQ(ctx.Undo.ptUndo, undoDepth);
    EXPECT_EQ(ctx.Undo.UndoCount, undoCount); // no undo charged to the player
    EXPECT_FALSE(CanRedo(ctx.Undo));
    return after == before;
  };

  FakeCanvas full;
  EXPECT_TRUE(RunKaleidoscope(ctx, full));
  EXPECT_TRUE(unchanged());
  EXPECT_EQ(full.paints, 2 * 81 + 2 * 81); // each step paints a cell and grounds the one before
  EXPECT_EQ(full.slept, (81 + 90) * 50 + 500);
  EXPECT_EQ(full.timer, (std::vector<bool>{false, true}));

  FakeCanvas stopped;
  stopped.abortAt = 30;
  EXPECT_FALSE(RunKaleidoscope(ctx, stopped));
  EXPECT_TRUE(unchanged());
  EXPECT_EQ(stopped.timer.back(), true);
}

} // namespace
} // namespace quorbel
