// The one way moves reach a cell: SetCellValue and its action codes, and the trial
// values (hypotheses) of the search built on it. Only real moves on main grids are
// reported to the challenge peer; hypotheses and scratch grids never are.
#pragma once

#include <cstdint>

namespace quorbel {

struct EngineContext;
struct GridRecord;

enum CellAction : int32_t {
  kActionGive = 0,             // the cell becomes a given with value n
  kActionPlace = 1,            // place value n
  kActionPlaceNth = 2,         // place the n-th candidate (from 1)
  kActionPlaceFixed = 3,       // place value n as a clue
  kActionHypothesis = 4,       // try the n-th candidate
  kActionMarkConflict = 5,     // 5 and 8..11 only set the status to the action code
  kActionClear = 6,            // empty the cell
  kActionTogglePencil = 7,     // toggle the pencil mark of value n
  kActionRemovePencil = 12,    // remove the pencil mark of value n
  kActionNextValue = 13,       // empty, 1, ..., GridWidth, empty ...
  kActionPreviousValue = 14,   // the same cycle backwards
  kActionPlaceNthFixed = 15,   // place the n-th candidate as a clue
  kActionToggleCandidate = 16, // toggle the n-th candidate
};

// Returns 1 when done, 0 when an n-th candidate action finds no n-th candidate (the
// cell's value is then 0 and nothing else changes). A value out of 1..GridWidth empties
// the cell (action 0 excepted, which stores a given of value 0 then). An unknown action
// code or a cell outside the grid is refused (0) and changes nothing.
int SetCellValue(EngineContext &ctx, GridRecord &grid, int cell, int n, int action);

// Saves candidates, count and status and empties the cell for trial values; refused (0)
// for a cell holding a value (status below 4).
int EnterHypothesis(EngineContext &ctx, GridRecord &grid, int cell);
// Tries the next saved candidate; 0 when the cycle wrapped back to the first one. With `first`
// a saved candidate, that value is tried before the others.
int NextHypothesisValue(EngineContext &ctx, GridRecord &grid, int cell, int first = 0);
// A trial cell gets its saved status back. Returns 1.
int LeaveHypothesis(EngineContext &ctx, GridRecord &grid, int cell);
// Every cell as it was before a search (trial values gone, pencilled cells pencilled again), the
// grid no longer in search; the search history is left as it is.
void LeaveGridSearch(EngineContext &ctx, GridRecord &grid);

} // namespace quorbel
