// Starting and stopping the usage stopwatches of the display helps (stopwatch.h names them),
// which the game's tally keeps and the end-of-game mark charges.
#pragma once

#include "app/end_of_game.h"
#include "app/stopwatch.h"

namespace quorbel {

// Starts (running true) or stops one stopwatch; starting a running one keeps its first start.
void TimeUsage(GameTally &game, int timer, bool running);
bool UsageRunning(const GameTally &game, int timer);

} // namespace quorbel
