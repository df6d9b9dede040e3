#include "app/game_session.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/update_possibles.h"
#include "engine/variant_bits.h"

namespace quorbel {

namespace {

constexpr int32_t kSurpriseMs = 5000;
constexpr int32_t kDestroyMs = 1000;
constexpr int kTrickCount = 4;

int PlacedCells(const EngineContext &ctx) {
  int placed = 0;
  for (int slot = 0; slot < UsedMainCount(ctx.Grids); ++slot)
    placed += CountPlacedCells(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(slot)]);
  return placed;
}

// The reference solution's value of a cell; 0 when the reference has no such cell.
int SolutionValue(const EngineContext &ctx, int slot, int cell) {
  if (slot < 0 || slot >= kMaxGrids)
    return 0;
  const GridRecord &reference = ctx.Grids.RefTab[static_cast<size_t>(slot)];
  return cell >= 0 && static_cast<size_t>(cell) < reference.Cells.size()
             ? reference.Cells[static_cast<size_t>(cell)].Value
             : 0;
}

} // namespace

void StartSessionClock(GameSession &session, int32_t limitMs, uint32_t now) {
  StartGameClock(session.Clock, limitMs, now);
}

void ResetSessionScore(GameSession &session, uint32_t now) {
  session.Clock.Start = now;
  session.Counters = GameCounters{};
}

void HoldForPause(GameSession &session, uint32_t ms) {
  session.Clock.Start += ms;
  for (Stopwatch &watch : session.Tally.UsageTimers)
    DelayStopwatch(watch, ms);
}

bool TickSession(GameSession &session, uint32_t now, int newGridFlag, int paused, int32_t mode) {
  if (ClockRuns(session.Counters, newGridFlag, paused))
    UpdateElapsed(session.Clock, now);
  if (mode == kModeScore)
    return false;
  return StepClockPicture(session.Clock, mode) == 1;
}

TimedStep NextTimedStep(GameSession &session, const EngineContext &ctx, const BoardAnimations &animations,
                        SymbolMode shown, bool destroyCells) {
  GameClock &clock = session.Clock;
  GameCounters &counters = session.Counters;
  if (counters.GameFinished != 0 || clock.Limit <= 0)
    return {};
  if (clock.Elapsed < clock.Limit) {
    counters.PlacedAtLimit = -1;
    const int32_t stamp = clock.Elapsed / kSurpriseMs;
    if (stamp == clock.Stamp)
      return {};
    clock.Stamp = stamp;
    int trick = RandomBelow(session.Random, kTrickCount);
    if ((shown == kSymbolDigits && trick == kTrickDigits) ||
        (shown == kSymbolLetters && trick == kTrickLetters))
      trick = kTrickPictures;
    return {TimedAction::Surprise, trick};
  }
  if (clock.Elapsed == clock.Limit)
    return {};
  if (counters.PlacedAtLimit == -1)
    counters.PlacedAtLimit = PlacedCells(ctx);
  if (!destroyCells || counters.PlacedAtLimit == 0)
    return {TimedAction::TimeUp};
  const int32_t second = clock.Elapsed / kDestroyMs;
  if (second == clock.Stamp)
    return {};
  clock.Stamp = second;
  const GridSet &set = ctx.Grids;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || slot >= UsedMainCount(set))
      continue;
    const int cell = FindCellToDestroy(ctx.Geo, set.Main[static_cast<size_t>(slot)], slot, animations,
                                       RandomBelow(session.Random, std::max(1, ctx.Geo.NCells)));
    if (cell >= 0)
      return {TimedAction::DestroyCell, kTrickBackground, slot, cell};
  }
  return {TimedAction::TimeUp};
}

bool EndSession(GameSession &session) {
  if (session.Counters.GameFinished != 0)
    return false;
  session.Counters.GameFinished = 1;
  StopGameClock(session.Clock);
  return true;
}

bool EndSessionOnSolvedGrid(GameSession &session, const EngineContext &ctx) {
  return ctx.GridSetState == kGridConsistent && EndSession(session);
}

bool EndSessionOnTime(GameSession &session) {
  if (session.Counters.GameFinished != 0)
    return false;
  session.Counters.TimeOverFlag = 1;
  return EndSession(session);
}

bool FinishLoadedGame(GameSession &session, EngineContext &ctx, float savedScore) {
  RecomputeAllCandidates(ctx);
  if (ctx.GridSetState != kGridConsistent || PlacedCells(ctx) == 0)
    return false;
  EndSession(session);
  session.Counters.GameScore = savedScore;
  return true;
}

bool TimeIsUp(const GameSession &session, int32_t mode, int newGridFlag) {
  return mode == kModeTimed && newGridFlag == 1 && session.Clock.Limit > 0 &&
         session.Clock.Elapsed > session.Clock.Limit;
}

bool EmptyDestroyedCell(GameSession &session, EngineContext &ctx, int slot, int cell, bool lastShownGrid) {
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  ResetCellState(ctx.Geo, grid.Cells[static_cast<size_t>(cell)]);
  RecomputeAllCandidates(ctx);
  return lastShownGrid && CountPlacedCells(ctx.Geo, grid) == 0 && EndSessionOnTime(session);
}

PlacementNote NotePlacement(GameSession &session, const EngineContext &ctx, int slot, int cell, bool warned) {
  if (slot < 0 || slot >= kMaxGrids)
    return PlacementNote::None;
  const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  if (cell < 0 || static_cast<size_t>(cell) >= grid.Cells.size())
    return PlacementNote::None;
  const CellRecord &placed = grid.Cells[static_cast<size_t>(cell)];
  if (placed.Status >= kStatusConflict || placed.Value < 1)
    return PlacementNote::None;
  if (warned && IsWrongValue(ctx, slot, cell)) {
    AddToCount(session.Counters.ErrorCount, 1);
    return PlacementNote::WrongValue;
  }
  if (ctx.GridSetState == kGridConsistent)
    return PlacementNote::GridSolved;
  const auto cells = grid.PlayingCells(ctx.Geo);
  const auto same = std::count_if(cells.begin(), cells.end(), [&](const CellRecord &c) {
    return c.Status < kStatusConflict && c.Value == placed.Value;
  });
  return same == ctx.Geo.GridWidth ? PlacementNote::ValueCompleted : PlacementNote::Placed;
}

bool IsWrongValue(const EngineContext &ctx, int slot, int cell) {
  if (slot >= 0 && slot < kMaxGrids) {
    const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
    if (Meets(grid.GridVar, kVarNeighbourScore))
      return cell >= 0 && static_cast<size_t>(cell) < grid.Cells.size() &&
             grid.Cells[static_cast<size_t>(cell)].Value > 0 &&
             grid.Cells[static_cast<size_t>(cell)].Check == kCheckConflict;
  }
  const int solution = SolutionValue(ctx, slot, cell);
  if (solution <= 0)
    return false;
  const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  const int value =
      static_cast<size_t>(cell) < grid.Cells.size() ? grid.Cells[static_cast<size_t>(cell)].Value : 0;
  return value > 0 && solution != value;
}

} // namespace quorbel
