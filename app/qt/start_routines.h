// The ways into a game that the start screen, File > New Game and New Grid run: each starts its
// game mode on a grid (chosen, generated, opened, empty, or dealt from the catalogue) and
// reports whether a game was started.
#pragma once

#include "app/game_start.h"

class CQuorbelApp;

namespace quorbel {

bool StartCatalogGame(CQuorbelApp &app);
bool StartGeneratedGame(CQuorbelApp &app);
bool StartLoadedGame(CQuorbelApp &app);
bool StartEmptyGame(CQuorbelApp &app);
// A catalogue grid not yet played, drawn at random; when every grid was played the marks start
// again.
bool StartChampionGame(CQuorbelApp &app);
// The grid of the series' catalogue type that its counter stands on (the counter is not moved).
bool StartSeriesGame(CQuorbelApp &app, GridSeries series);
bool StartQuellaboGame(CQuorbelApp &app);
bool StartChallengeGame(CQuorbelApp &app);

// Runs the start of a start-screen area; false when no game was started.
bool StartArea(CQuorbelApp &app, int area);

// The start screen, shown again after a start that started nothing, until a game starts or the
// player closes it.
void ShowStartScreen(CQuorbelApp &app);
// File > New Game: the start screen.
void OnNewGame(CQuorbelApp &app);
// File > New Grid: the next grid of the game mode being played.
void OnNewGrid(CQuorbelApp &app);

// New Game and New Grid, and the start screen when start-up opens no grid.
void RegisterGameStart(CQuorbelApp &app);

} // namespace quorbel
