// The script player in the running program: the plain command host (app/macro_command_host.h)
// over adapters of the application's parts; waits pump events, and Escape, the right button or
// a signal stop the play.
#pragma once

#include <string>

class CQuorbelApp;

// Fills the app's runMacroFile service. SIGINT or SIGTERM stop a headless play (whose panel
// lines the application writes to standard error).
void InstallMacroPlayer(CQuorbelApp &app);
