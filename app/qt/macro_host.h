// The macro player in the running program: its host carries out each command as the menus and
// the board do, waits pump events, and Escape, the right button or a signal stop the play.
#pragma once

#include <string>

class CQuorbelApp;

// Fills the app's runMacroFile service. A headless play writes every panel line to standard
// error as well, and SIGINT or SIGTERM stop it.
void InstallMacroPlayer(CQuorbelApp &app);
