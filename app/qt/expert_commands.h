// The expert tools that need no dialog of their own: the macro recording keys, Shift+M, the
// reference grid's updates, the grid's statistics, the time-out and "Optimise".
#pragma once

class CQuorbelApp;
class CommandHost;

void RegisterExpertCommands(CommandHost &app);
// The debug files, the search's grids, the mask generation and the catalogue's maintenance mode.
void RegisterExpertOutputCommands(CQuorbelApp &app);
