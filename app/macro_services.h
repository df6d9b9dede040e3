// What the script player's commands reach outside themselves, one narrow interface per part of
// the program: the messages, the play's pace, the document and its grids, the generator, the
// solver, the files, the settings, the board and the menus. The program fills them in over the
// application; tests fill them with fakes.
#pragma once

#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/panel_text.h"
#include "engine/engine_context.h"
#include "engine/variant_catalog.h"
#include "platform/language.h"

namespace quorbel {

class MacroMessages {
public:
  virtual ~MacroMessages() = default;
  virtual Language CurrentLanguage() const = 0;
  // Muted messages are not shown, unless `evenMuted`.
  virtual void Show(const PanelText &text, bool evenMuted = false) = 0;
  virtual void Clear() = 0;
  virtual void SetMuted(bool muted) = 0;
};

// The play's pace and the program's state around it.
class MacroPlayback {
public:
  virtual ~MacroPlayback() = default;
  // Polls for the player's stop (Escape, a signal, the window closing): true when asked.
  virtual bool PollUserAbort() = 0;
  // Whether a long command ended because the player asked it to stop.
  virtual bool AbortRequested() = 0;
  // Waits for a key or a click, or `ms` milliseconds; false when the wait was interrupted.
  virtual bool WaitForKey() = 0;
  virtual bool WaitMs(int ms) = 0;
  virtual bool GamePaused() const = 0;
  // While a script plays, the document asks nothing and a solved game ends without its dialog.
  virtual void SetPlaying(bool playing) = 0;
  virtual void StopRecording() = 0;
};

// The document and the game on its grids.
class MacroDocument {
public:
  virtual ~MacroDocument() = default;
  virtual EngineContext &Engine() = 0;
  // Opens a grid file or a text grid as the document.
  virtual bool Open(const std::string &path) = 0;
  virtual bool HasDocument() const = 0;
  // The document's path, else its title; empty without a document.
  virtual std::string Name() const = 0;
  // False without a document.
  virtual bool SaveAs(const std::string &path) = 0;
  virtual bool SaveText(const std::string &path) = 0;
  // The game starts again as on a new grid, the clock at 0.
  virtual void RestartGame() = 0;
  // As the empty-grid dialog's Manual Input: one empty grid of the shape without a rule, nothing
  // of the grids before it kept, the symbols shown as `display`, and a new game whose typed
  // values go into the cells in turn.
  virtual void NewEmptyGrid(int shape, SymbolMode display) = 0;
  virtual int GameLevel() const = 0;
  virtual void SetGameLevel(int level) = 0;
  // Takes a main grid out of the set; false for the last one.
  virtual bool DeleteGrid(int slot) = 0;
};

class MacroGenerator {
public:
  virtual ~MacroGenerator() = default;
  // Generates a grid at level 1..4 with the generation settings; 1 when made.
  virtual int Generate(int level) = 0;
};

// What a long computation gives when the player stopped it.
inline constexpr int kComputationStopped = -10;

// The long computations; each gives kComputationStopped when the player stopped it.
class MacroSolver {
public:
  virtual ~MacroSolver() = default;
  // The count of solutions found, up to `most`; `show` keeps them for display.
  virtual int Search(int most, bool show) = 0;
  virtual int Propose() = 0;
  virtual int SolveFull() = 0;
  // 1 when the first solution became the reference grid, 0 when there is none.
  virtual int SolveToReference() = 0;
  // The most difficult grid with one solution; -1 when it did not finish.
  virtual int Optimise() = 0;
  // The best Double-Triple score of grid 0; below 0 when it failed.
  virtual int MaxDoubleTriple() = 0;
};

// The files a script writes beside the program and the catalogue it updates.
class MacroFiles {
public:
  virtual ~MacroFiles() = default;
  // False when the folder is not there afterwards.
  virtual bool MakeDirectories(const std::string &folder) = 0;
  // Replaces `to` when it exists.
  virtual bool CopyFile(const std::string &from, const std::string &to) = 0;
  // Irregular block definitions appended to the program's list; below 0 on failure.
  virtual int AddIrregularDefinitions(const std::string &file) = 0;
  // Both false, having said why, when the catalogue could not be rewritten.
  virtual bool MergeCatalog(const std::string &file) = 0;
  virtual bool CleanCatalogStatus() = 0;
};

// The settings, and the parts that take them again once changed.
class MacroSettings {
public:
  virtual ~MacroSettings() = default;
  virtual AppSettings &Values() = 0;
  // The engine and the board take the changed values.
  virtual void Apply() = 0;
  virtual bool ApplyMagicProfile(const std::string &path) = 0;
  // The music player takes MUSICVOLUME again.
  virtual void ApplyMusicVolume() = 0;
  virtual void PlayMusic(const std::string &path) = 0;
  virtual void CloseMusic() = 0;
};

struct MacroCellRef {
  int Grid = 0;
  int Cell = 0;
};

// The board window: its selection, pictures, background and the tools that run on it.
class MacroBoard {
public:
  virtual ~MacroBoard() = default;
  virtual void Redraw() = 0;
  // Typed symbols place values in the focus cell again, none typed in turn.
  virtual void ResetInputState() = 0;
  virtual void CheckEndOfGame() = 0;
  // False when there is no board.
  virtual bool FocusMessagePanel() = 0;
  virtual bool ClearSelection() = 0;
  // Mode below 1: the one cell; 1: a range from the anchor; 2: the cell added.
  virtual bool SelectCell(int grid, int cell, int mode) = 0;
  virtual std::vector<MacroCellRef> SelectedCells() = 0;
  // A click on grid tab `tab` (0 every grid, k grid k alone), with Ctrl when `add`: the grid joins
  // or leaves those shown. False when there is no board or no such tab.
  virtual bool ClickGridTab(int tab, bool add) = 0;
  // True, the board's refusal shown, while a challenge keeps this computer's players off the
  // grid: a script places no value the player could not type.
  virtual bool RefuseOutOfTurn() = 0;
  // Colours the value's chains from the selection, the colouring help switched on first.
  virtual void ColourValueChains(int value) = 0;
  // The picture set again in a new order; false when it could not load.
  virtual bool ShufflePictures() = 0;
  virtual bool LoadPictureSet(const std::string &path) = 0;
  virtual void RebuildValueCursors() = 0;
  virtual void ReloadBackground() = 0;
  virtual void RotateBackground() = 0;
  // False when there is no board.
  virtual bool RunKaleidoscope() = 0;
  virtual bool Print() = 0;
};

enum class MacroHelp { LineColumn, Probables, Found, VariantFilter, Colouring, Warning };
enum class MacroArea { LineColumn, Comment, ImageBar, Methods, Preference, MagicSelect, Music };

// The menus' commands and switches, as a player would use them.
class MacroMenus {
public:
  virtual ~MacroMenus() = default;
  // False when the command is not available now.
  virtual bool Undo() = 0;
  virtual bool Redo() = 0;
  virtual void BackToStartupGrid() = 0;
  virtual void DefineStartupGrid() = 0;
  virtual void SetPossLevel(int level) = 0;
  // Whatever the menu item's state; false when it did not take.
  virtual bool SetHelp(MacroHelp help, bool on) = 0;
  virtual void ShowArea(MacroArea area, bool on) = 0;
  // 0 digits, 1 letters, 2 mixed, 3 pictures.
  virtual bool SetSymbolMode(int mode) = 0;
  // 0 one value, 1 candidates in a line, 2 in a matrix, 3 with probables.
  virtual bool SetCellDisplay(int display) = 0;
  // The helps in use, set aside at the start of a play and put back at its end.
  virtual void SaveHelps() = 0;
  virtual void RestoreHelps() = 0;
};

struct MacroServices {
  MacroMessages &Messages;
  MacroPlayback &Playback;
  MacroDocument &Document;
  MacroGenerator &Generator;
  MacroSolver &Solver;
  MacroFiles &Files;
  MacroSettings &Settings;
  MacroBoard &Board;
  MacroMenus &Menus;
};

} // namespace quorbel
