// The Colouring method. For one value and one unit, every place of the value in the unit
// starts a chain on a scratch grid: the value goes there, then propagation and the value's
// hidden singles run until none is left. Exactly one start is right, so a cell that every
// chain fills takes the value, and a cell that every chain empties of it loses it.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/geometry.h"
#include "engine/value_mask.h"
#include "solver/method_mask.h"
#include "solver/plain_board.h"

namespace quorbel {

struct CellRecord;
struct EngineContext;
struct GridRecord;
class TrialGrid;

// A unit has at most 16 places for a value: every one of them starts a chain.
constexpr int kMaxColourChains = 16;

// The open cells of unit `unit` of `kind` (row, column, block of the grid's table, or
// the diagonals and extra regions, which are empty unless the grid has them) that hold
// the value. Returns their number.
int FindColourUnitCells(const EngineContext &ctx, int kind, int value, int unit, const GridRecord &grid,
                        std::span<int> cellsOut);

// The cells one chain fills with its value, and those it leaves without it.
struct ChainCells {
  std::bitset<kMaxCells> Filled;
  std::bitset<kMaxCells> Emptied;
};

// The chains already run, by value and start cell. Valid while the grid's cells stay as
// they were: Forget them when a candidate goes. On a grid without rules a chain reads only
// the filled cells, since propagation rebuilds every candidate from them: Follow keeps the
// chains while those cells and the mask stay the same, whatever candidates went, and runs
// them on those values alone, without a scratch grid.
class ChainMemo {
public:
  ChainMemo() { Forget(); }
  const ChainCells &Chain(EngineContext &ctx, const GridRecord &grid, TrialGrid &trial, MethodMask mask,
                          int value, int start);
  void Follow(const GridGeometry &geo, const GridRecord &grid, MethodMask mask);
  void Forget();

private:
  // What propagation reads of a cell before it rebuilds the candidates.
  struct CellKey {
    int32_t Status;
    int32_t Value;
    uint32_t Marks;
    uint32_t ThePoss;
    uint32_t Excluded;
    bool operator==(const CellKey &) const = default;
  };
  static CellKey KeyOf(const CellRecord &cell);

  std::vector<CellKey> board_;
  MethodMask mask_ = 0;
  const GridRecord *grid_ = nullptr;
  // The grid's values, when Follow found that its chains may run on them alone.
  std::optional<PlainBoard> plain_;
  std::array<std::array<int16_t, kMaxCells>, kMaxWidth + 1> slotOfCell_{};
  std::vector<ChainCells> chains_;
};

// Runs one chain from each start cell (at most kMaxColourChains) and leaves in the grid's
// cells: ColourSet, the chains that placed the value there (-2 for an open cell holding
// the value that no chain filled); EliminationSet, 0 for an open cell holding the value
// that every chain emptied of it, else -1. The propagation modes come from the mask.
// Returns the number of chains run. A memo spares running a chain twice.
int ColourDigitChains(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int value,
                      std::span<const int> startCells, ChainMemo *memo = nullptr);

struct ColouringOutcome {
  int Value = -1; // the value of the last chains run
  int Count = 0;  // their start cells
  std::array<int, kMaxWidth> Cells{};
};

// valueIn below 1 studies every value. Returns the cell of [rangeStart, rangeEnd) that
// every chain of a unit filled (outcome: its value and the chains' start cells), -2 when
// candidates were removed, -1 when nothing was found, -10 when the player cancelled.
// The cells keep the colours of the last unit; ResetCellColours clears them.
// A memo kept by the caller spares running again the chains of an earlier call.
int ApplyColouring(EngineContext &ctx, GridRecord &grid, TrialGrid &trial, MethodMask mask, int valueIn,
                   int rangeStart, int rangeEnd, ColouringOutcome &outcome, ChainMemo *memo = nullptr);

} // namespace quorbel
