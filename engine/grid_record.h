// The grid record: one grid, whether shown, a reference solution, an undo snapshot or
// a scratch grid of the solver. It owns its cell array (sized by AllocGridCells for the
// current geometry), its block and region tables, its variant words and variant lists,
// and the grid-level reset levels and state.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/cell_record.h"
#include "engine/geometry.h"
#include "engine/navigator_rules.h"
#include "engine/variant_bits.h"
#include "engine/variant_lists.h"

namespace quorbel {

struct EngineContext;

enum GridState : int32_t { kGridConsistent = 3, kGridContradiction = 5, kGridOpen = 8, kGridReset = 9 };

constexpr int32_t kGridMagic = 29309;

struct GridRecord {
  // Each construction takes the next serial number of the process.
  GridRecord();
  GridRecord(GridRecord &&) = default;
  GridRecord &operator=(GridRecord &&) = default;
  // Grids are copied with CopyGrid, which knows what a copy carries.
  GridRecord(const GridRecord &) = delete;
  GridRecord &operator=(const GridRecord &) = delete;

  int32_t Id;
  int32_t AllocRecords = 0; // geometry the cells were allocated for; -1 forces a re-allocation
  int32_t Magic = kGridMagic;
  std::vector<CellRecord> Cells;
  std::string Comment;
  UnitTable BlockCells{}; // [b][k]: k-th cell of block b
  CellTable BlockOfCell{};
  std::array<std::array<CellRef, kMaxWidth>, 4> RegionCells{}; // diagonal 1, diagonal 2, extra 1, extra 2
  // [k][cell]: k when the cell lies on region k, else -1.
  std::array<std::array<int8_t, kMaxCells>, 4> RegionMark{};
  int32_t NRecords = 0; // records in use, at most Cells.size()
  int32_t State = kGridReset;
  int32_t SudMissing = -1; // open cells

  // Search state.
  int32_t SearchDepth = 0;
  std::array<int16_t, kMaxCells> BranchStack{};
  int32_t SearchStarted = 0;
  int32_t TheMinPoss = -1; // the open cell with the fewest candidates
  int32_t SearchStop = 0;
  int32_t BestTally = -1;
  int32_t BestTallyCell = -1;
  int32_t BestTallyValue = -1;
  int32_t MethodWord = 0; // scratch of the solving methods
  int32_t TrialWord = 0;  // the board view's trial mark
  // The generator's marks, apart from the rule words so that no rule turns on with them:
  // the grid was filled in part from its linked grids (its cells' allowed sets bind while
  // it is completed), and it holds a random solution.
  int8_t PreFilled = 0;
  int8_t SolutionMade = 0;

  VariantWords GridVar; // the rules of the grid
  VariantLists Lists;
  VariantWork Work;
  FilterDigests Digests;
  NavigatorPathMemo NavigatorPaths;
  std::array<int32_t, 8> DirectionSteps{}; // -W, +1, +W, -1, twice

  std::span<CellRecord> PlayingCells(const GridGeometry &geo);
  std::span<const CellRecord> PlayingCells(const GridGeometry &geo) const;
};

// Cell records numbered by position.
void NumberCells(GridRecord &grid);

enum GridResetLevel : int {
  kResetKeepLastStep = 0, // as level 1, but keeps the values of the last solving step and the Twins links
  kResetAll = 1,
  kResetKeepVariants = 2, // the cells only
};
int ResetGrid(const GridGeometry &geo, GridRecord &grid, int level);
// ResetGrid, then pieces may rotate when the PUZZLEROTATION preference is on.
int ClearGrid(const EngineContext &ctx, GridRecord &grid, int level);
void ResetGridState(GridRecord &grid);

// Colouring fields of every record: colour set -1, elimination set 0, colour value `value`.
void ResetCellColours(GridRecord &grid, int value);

} // namespace quorbel
