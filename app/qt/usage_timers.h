// Starting and stopping the usage stopwatches of the display helps (stopwatch.h names them),
// which the game's tally keeps and the end-of-game mark charges.
#pragma once

#include "app/stopwatch.h"

class CQuorbelApp;

namespace quorbel {

// Starts (running true) or stops one stopwatch; starting a running one keeps its first start.
void TimeUsage(CQuorbelApp &app, int timer, bool running);
bool UsageRunning(CQuorbelApp &app, int timer);

} // namespace quorbel
