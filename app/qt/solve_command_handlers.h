// The solving commands of the Sudoku menu (Propose F9, Solve 1 loop Ctrl+B, Full Solve Ctrl+R,
// Search Solutions Ctrl+F, Back Good Solutions) joined to the application: the methods panel's
// mask, the panel lines in the player's language, the help values the mark charges and the end
// of the game when they solve the grids.
#pragma once

#include "app/panel_text.h"
#include "platform/language.h"
#include "solver/solve_commands.h"

class CommandHost;
class DialogHost;

// A command's report as the message panel shows it.
quorbel::PanelText RenderSolveReport(const quorbel::SolveReport &report, quorbel::Language language);

// The commands as the menus, the keys and the macro player (PROP1, SOLVE) run them; each returns
// what its solver command returns (1 done, 0 refused, -10 cancelled).
int RunPropose(CommandHost &app);
int RunSolveOneLoop(CommandHost &app);
int RunFullSolve(CommandHost &app);
int RunSearchSolutions(CommandHost &app);
int RunBackToGoodSolution(CommandHost &app);
// Sudoku > Compute Max Double Triple: the first grid's best neighbour score becomes the game's
// maximum and its solution the reference; minus the best found when it was stopped.
int RunComputeMaxDoubleTriple(CommandHost &app);

void RegisterSolveCommands(CommandHost &app);
// Registers the methods panel with the application's modeless panels, under the name F5 shows,
// and lets grid files carry its mask.
void RegisterMethodPanel(DialogHost &dialogs, CommandHost &app);
