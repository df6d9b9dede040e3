// Shared builders for the engine tests: a host that records what the engine asks of
// the rest of the program, and grids of a given shape with candidates set by hand.
#pragma once

#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/value_mask.h"

namespace quorbel::test {

struct SentMove {
  int Cell, Value, Action;
  bool operator==(const SentMove &) const = default;
};

struct AnimationStart {
  const GridRecord *Grid;
  int Cell, Picture, Mode, Count;
};

class RecordingHost : public EngineHost {
public:
  void DefiSendMove(int cell, int value, int action) override { Moves.push_back({cell, value, action}); }
  void StartCellAnimation(const GridRecord &grid, int cell, int picture, int mode, int count) override {
    Animations.push_back({&grid, cell, picture, mode, count});
  }
  void ClearSelection() override { ++SelectionClears; }
  void AddInfoMessage(std::string_view text) override { Messages.emplace_back(text); }
  void RecordMacroStep(const RecordedAction &step) override { MacroSteps.push_back(step); }
  void ClearTrialMarks() override { ++TrialMarkClears; }
  bool TakeUndoPending() override {
    ++UndoPendingReads;
    const bool pending = UndoPending;
    UndoPending = false;
    return pending;
  }
  void SetTripleMaxScoreFromGameScore() override { ++TripleMaxUpdates; }

  std::vector<SentMove> Moves;
  std::vector<AnimationStart> Animations;
  int SelectionClears = 0;
  std::vector<std::string> Messages;
  std::vector<RecordedAction> MacroSteps;
  int TrialMarkClears = 0;
  bool UndoPending = false;
  int UndoPendingReads = 0;
  int TripleMaxUpdates = 0;
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

// The size of a one-line puzzle: its length is the cell count.
inline int PuzzleWidth(std::string_view line) {
  for (int width : {4, 6, 8, 9, 12, 16})
    if (line.size() == static_cast<size_t>(width * width))
      return width;
  return 0;
}

// One line of the one-line puzzle characters ("0" or "." empty, "1".."9", then ":" and
// on for 10..16) into `grid` as fixed cells; the geometry must already be the line's.
inline void LoadPuzzleLine(EngineContext &ctx, GridRecord &grid, std::string_view line) {
  for (int cell = 0; cell < ctx.Geo.NCells && cell < static_cast<int>(line.size()); ++cell) {
    const int value = line[cell] - '0';
    if (value >= 1 && value <= ctx.Geo.GridWidth)
      SetCellValue(ctx, grid, cell, value, kActionPlaceFixed);
    else
      SetCellValue(ctx, grid, cell, 0, kActionClear);
  }
}

// The puzzle lines of a file of tests/data.
inline std::vector<std::string> ReadPuzzleFile(const std::string &name) {
  std::ifstream in(std::string(QUORBEL_TEST_DATA) + "/" + name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
      line.pop_back();
    if (PuzzleWidth(line) > 0)
      lines.push_back(line);
  }
  return lines;
}

// Every row, column and block holds every value once.
inline bool EveryUnitHoldsEveryValue(const GridGeometry &geo, const GridRecord &grid) {
  for (int u = 0; u < geo.GridWidth; ++u) {
    uint32_t row = 0, col = 0, block = 0;
    for (int k = 0; k < geo.GridWidth; ++k) {
      row |= ValueBit(grid.Cells[geo.RowCells[u][k]].Value);
      col |= ValueBit(grid.Cells[geo.ColCells[u][k]].Value);
      block |= ValueBit(grid.Cells[grid.BlockCells[u][k]].Value);
    }
    if (row != geo.FullMask || col != geo.FullMask || block != geo.FullMask)
      return false;
  }
  return true;
}

} // namespace quorbel::test
