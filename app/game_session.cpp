#include "app/game_session.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "platform/random.h"

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

} // namespace

void StartSessionClock(GameSession &session, int32_t limitMs, uint32_t now) {
  StartGameClock(session.Clock, limitMs, now);
}

void ResetSessionScore(GameSession &session, uint32_t now) {
  session.Clock.Start = now;
  session.Counters = GameCounters{};
}

bool TickSession(GameSession &session, uint32_t now, int newGridFlag, int paused, int32_t mode) {
  if (ClockRuns(session.Counters, newGridFlag, paused))
    UpdateElapsed(session.Clock, now);
  if (mode == kModeScore)
    return false;
  return StepClockPicture(session.Clock, mode) == 1;
}

TimedStep NextTimedStep(GameSession &session, const EngineContext &ctx, SymbolMode shown, bool destroyCells) {
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
    int trick = RandomBelow(kTrickCount);
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
    const int cell = FindCellToDestroy(ctx.Geo, set.Main[static_cast<size_t>(slot)],
                                       RandomBelow(std::max(1, ctx.Geo.NCells)));
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

} // namespace quorbel
