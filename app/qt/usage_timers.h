// The eleven usage stopwatches of the display helps: the game score charges the seconds each
// help was on. The display commands start and stop them through TimeUsage alone, so the
// stopwatches can move to the game's tally without touching the commands.
#pragma once

class CQuorbelApp;

namespace quorbel {

enum UsageHelp : int {
  kUsagePossLevel1 = 0, // levels 1..5 are 0..4
  kUsageLineCol = 5,
  kUsageProbables = 6,
  kUsageFound = 7,
  kUsageVariantFilter = 8,
  kUsageColouring = 9,
  kUsageWarning = 10,
};

// Starts (running true) or stops one stopwatch; starting a running one or stopping a stopped
// one changes nothing.
void TimeUsage(CQuorbelApp &app, int timer, bool running);
bool UsageRunning(CQuorbelApp &app, int timer);

} // namespace quorbel
