// The script player in the running program: the plain command host (app/macro_command_host.h)
// over adapters of the application's parts; waits pump events, and Escape, the right button or
// a signal stop the play.
#pragma once

#include <string>

class CQuorbelApp;

// Fills the app's runMacroFile service. A headless play writes every panel line to standard
// error as well, and SIGINT or SIGTERM stop it.
void InstallMacroPlayer(CQuorbelApp &app);
