// The File menu's document commands: Open (a grid file or a text grid), Save, Save As and
// the four recent files, the import of a text grid as further grids of the set, and New Empty
// Grid.
#pragma once

#include <string>

#include "engine/variant_catalog.h"

class CQuorbelApp;

// Plugs Open, Save, Save As and the recent files into the application's dispatcher.
void RegisterFileCommands(CQuorbelApp &app);

// Opens a grid file or text grid as the document and records the LOAD or LOADT step.
bool OpenGridFile(CQuorbelApp &app, const std::string &path);
// The script step that opening `path` records (LOAD or LOADT, the path relative to the start
// directory), for a grid opened before the player confirmed it.
void RecordOpenedGrid(const std::string &path);
// File > Open: asks for a file and opens it as the document. False when nothing was opened.
bool OpenGridFileDialog(CQuorbelApp &app);
// Opens the recent file at `index` (0 the newest); one that fails to open leaves the list.
bool OpenRecentFile(CQuorbelApp &app, int index);
// Asks for a text grid and adds its grids after those of the set (the grid tabs' "Add Grid
// using File").
bool ImportTextGridDialog(CQuorbelApp &app);

// File > Save Text: the grid set as a text grid at `path`, or at a name asked for when `path`
// is empty; records the SAVET step. False when nothing was written.
bool SaveTextGrids(CQuorbelApp &app, const std::string &path = {});

// File > New Empty Grid: the dialog on the current size and display, then a new game on the empty
// grid, its first cell taking the values typed in turn. False when the player cancelled.
bool NewEmptyGrid(CQuorbelApp &app);
// What the dialog's Manual Input does once the document may go, and the script's NEW: one empty
// grid of the shape without a rule, nothing of the grids before it kept (comments, reference
// grid, rules), the symbols shown as `display`, and a new game whose typed values go into the
// cells in turn. Records NEW with the width and the display.
void StartEmptyGrid(CQuorbelApp &app, int shape, quorbel::SymbolMode display);
void RegisterEmptyGridCommand(CQuorbelApp &app);
