// Shared builders for the engine tests: a host that records what the engine asks of
// the rest of the program, and grids of a given shape with candidates set by hand.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/value_mask.h"

namespace quorbel::test {

struct SentMove {
  int Cell, Value, Action;
  bool operator==(const SentMove &) const = default;
};

struct AnimationStart {
  const CAnimGif *Anim;
  int Mode, Count;
};

class RecordingHost : public EngineHost {
public:
  void DefiSendMove(int cell, int value, int action) override { Moves.push_back({cell, value, action}); }
  void StartCellAnimation(CAnimGif &anim, int mode, int count) override {
    Animations.push_back({&anim, mode, count});
  }
  void ClearSelection() override { ++SelectionClears; }

  std::vector<SentMove> Moves;
  std::vector<AnimationStart> Animations;
  int SelectionClears = 0;
};

inline uint32_t MaskOf(std::initializer_list<int> values) {
  uint32_t mask = 0;
  for (int v : values)
    mask |= ValueBit(v);
  return mask;
}

// An open cell (status 6) whose candidates are exactly `values`.
inline void MakeOpenCell(const GridGeometry &geo, CellRecord &cell, std::initializer_list<int> values) {
  cell.Status = kStatusEmpty;
  cell.Value = 0;
  cell.ThePoss = MaskOf(values);
  cell.Excluded = cell.ThePoss ^ geo.FullMask;
  cell.NPoss = static_cast<int>(values.size());
}

// A context whose grid set is laid out for `shape`, every grid reset.
struct ShapedContext {
  explicit ShapedContext(int shape) { SetGridShape(Ctx, shape, 1, 0); }
  ShapedContext(int shape, EngineHost &host) : Ctx(host) { SetGridShape(Ctx, shape, 1, 0); }
  GridRecord &Main(int slot = 0) { return Ctx.Grids.Main[slot]; }
  EngineContext Ctx;
};

} // namespace quorbel::test
