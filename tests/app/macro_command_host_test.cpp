// The script's commands on a program that only notes what it is asked: arguments checked before
// anything changes, the messages a script sees, the files it names and may write, and the order
// in which a step's effects come.
#include "app/macro_command_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "app/settings_schema.h"
#include "engine/cell_record.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/search_history.h"
#include "engine/undo_stack.h"
#include "platform/memory_profile_store.h"
#include "platform/paths.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/undo_test_support.h"

namespace quorbel {
namespace {

struct FakeProgram final : MacroMessages,
                           MacroPlayback,
                           MacroDocument,
                           MacroGenerator,
                           MacroSolver,
                           MacroFiles,
                           MacroSettings,
                           MacroBoard,
                           MacroMenus {
  test::ShapedContext grids{ShapeCodeOfSize(9)};
  AppSettings settings;
  std::vector<std::string> effects; // what the program was asked to do, in order
  std::vector<std::string> messages;
  bool board = true;
  int computed = 1; // what the solver and the generator give
  bool foldersMade = true;
  bool copied = true;
  bool catalogSaved = true;
  std::vector<MacroCellRef> selected;
  bool outOfTurn = false; // a challenge gives the turn to a player elsewhere
  int redoSteps = 3;      // the steps a Redo can take back

  void Note(const std::string &effect) { effects.push_back(effect); }

  Language CurrentLanguage() const override { return Language::English; }
  void Show(const PanelText &text, bool) override { messages.push_back(text.Joined()); }
  void Clear() override {}
  void SetMuted(bool) override {}

  bool PollUserAbort() override { return false; }
  bool AbortRequested() override { return computed == kComputationStopped; }
  bool WaitForKey() override { return true; }
  bool WaitMs(int) override { return true; }
  bool GamePaused() const override { return false; }
  void SetPlaying(bool) override {}
  void StopRecording() override {}

  EngineContext &Engine() override { return grids.Ctx; }
  bool Open(const std::string &path) override { return Note("Open " + path), true; }
  bool HasDocument() const override { return true; }
  std::string Name() const override { return "/grids/Current.sud"; }
  bool SaveAs(const std::string &path) override { return Note("SaveAs " + path), true; }
  bool SaveText(const std::string &path) override { return Note("SaveText " + path), true; }
  void RestartGame() override { Note("RestartGame"); }
  void NewEmptyGrid(int shape, SymbolMode display) override {
    SetGridShape(grids.Ctx, shape, 1, 0);
    Note("NewEmptyGrid " + std::to_string(shape) + " " + std::to_string(display));
  }
  int GameLevel() const override { return 1; }
  void SetGameLevel(int level) override { Note("Level " + std::to_string(level)); }
  bool DeleteGrid(int slot) override {
    return Note("Delete " + std::to_string(slot)), grids.Ctx.Grids.MainCount > 1;
  }

  int Generate(int level) override { return Note("Generate " + std::to_string(level)), computed; }

  int Search(int most, bool show) override {
    return Note("Search " + std::to_string(most) + (show ? " shown" : "")), computed;
  }
  int Propose() override { return computed; }
  int SolveFull() override { return Note("SolveFull"), computed; }
  int SolveToReference() override { return computed; }
  int Optimise() override { return computed; }
  int MaxDoubleTriple() override { return Note("MaxDoubleTriple"), computed; }

  bool MakeDirectories(const std::string &folder) override {
    return Note("MakeDirectories " + folder), foldersMade;
  }
  bool CopyFile(const std::string &from, const std::string &to) override {
    return Note("Copy " + from + " " + to), copied;
  }
  int AddIrregularDefinitions(const std::string &file) override { return Note("Irregular " + file), 0; }
  bool MergeCatalog(const std::string &file) override { return Note("Merge " + file), catalogSaved; }
  bool CleanCatalogStatus() override { return Note("Clean"), catalogSaved; }

  AppSettings &Values() override { return settings; }
  void Apply() override { Note("Apply"); }
  bool ApplyMagicProfile(const std::string &path) override { return Note("Magic " + path), true; }
  void ApplyMusicVolume() override {}
  void PlayMusic(const std::string &) override {}
  void CloseMusic() override {}

  void Redraw() override { Note("Redraw"); }
  void ResetInputState() override { Note("ResetInputState"); }
  void CheckEndOfGame() override { Note("CheckEndOfGame"); }
  bool FocusMessagePanel() override { return board; }
  bool ClearSelection() override { return board; }
  bool SelectCell(int grid, int cell, int mode) override {
    Note("Select " + std::to_string(grid) + " " + std::to_string(cell) + " " + std::to_string(mode));
    return board;
  }
  std::vector<MacroCellRef> SelectedCells() override { return selected; }
  bool ClickGridTab(int tab, bool add) override {
    Note("Tab " + std::to_string(tab) + (add ? " added" : ""));
    return board;
  }
  bool RefuseOutOfTurn() override { return outOfTurn && (Note("Refused"), true); }
  void ColourValueChains(int value) override { Note("Colour " + std::to_string(value)); }
  bool ShufflePictures() override { return true; }
  bool LoadPictureSet(const std::string &) override { return true; }
  void RebuildValueCursors() override { Note("Cursors"); }
  void ReloadBackground() override {}
  void RotateBackground() override {}
  bool RunKaleidoscope() override { return board; }
  bool Print() override { return board; }

  bool Undo() override { return Note("Undo"), true; }
  bool Redo() override { return redoSteps > 0 && (Note("Redo"), --redoSteps, true); }
  void BackToStartupGrid() override { Note("BackToStartupGrid"); }
  void DefineStartupGrid() override { Note("DefineStartupGrid"); }
  void SetPossLevel(int) override {}
  bool SetHelp(MacroHelp help, bool on) override {
    return Note("Help " + std::to_string(static_cast<int>(help)) + (on ? " on" : " off")), true;
  }
  void ShowArea(MacroArea area, bool on) override {
    Note(std::string("ShowArea") + (area == MacroArea::Music && on ? " Music" : ""));
  }
  bool SetSymbolMode(int) override { return true; }
  bool SetCellDisplay(int display) override { return Note("CellDisplay " + std::to_string(display)), true; }
  void SaveHelps() override { Note("SaveHelps"); }
  void RestoreHelps() override { Note("RestoreHelps"); }
};

class MacroCommands : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = StartDirectory();
    SetStartDirectory("/start");
    DirectorySettings &d = program.settings.directory;
    d.myGrids = "MyGrid\\";
    d.txtGrids = "TextGrid\\";
    d.macro = "Macro\\";
  }
  void TearDown() override { SetStartDirectory(previous_); }

  MacroOutcome Play(const std::string &script) {
    program.effects.clear();
    program.messages.clear();
    std::istringstream in(script);
    return player.Play(in, "test.macro");
  }
  bool Said(const std::string &text) const {
    return std::find(program.messages.begin(), program.messages.end(), text) != program.messages.end();
  }
  int Count(const std::string &effect) const {
    return static_cast<int>(std::count(program.effects.begin(), program.effects.end(), effect));
  }
  // Where the first of the effects stands; the end when it was not asked.
  size_t At(const std::string &effect) const {
    return static_cast<size_t>(std::find(program.effects.begin(), program.effects.end(), effect) -
                               program.effects.begin());
  }
  CellRecord &Cell(int cell) { return program.grids.Main().Cells[static_cast<size_t>(cell)]; }
  // What the steps asked, without the play's own start (the helps kept) and end (a redraw).
  std::vector<std::string> StepEffects() const {
    std::vector<std::string> steps = program.effects;
    if (!steps.empty() && steps.front() == "SaveHelps")
      steps.erase(steps.begin());
    if (!steps.empty() && steps.back() == "Redraw")
      steps.pop_back();
    return steps;
  }

  FakeProgram program;
  MacroCommandHost host{{program, program, program, program, program, program, program, program, program}};
  MacroPlayer player{program, program, program, host};

private:
  std::string previous_;
};

TEST_F(MacroCommands, CellStepsCheckTheirArgumentsBeforeTheGridChanges) {
  program.grids.Ctx.Grids.FocusCell = -2; // the message panel, not a cell
  EXPECT_EQ(Play("SETCELL;81;5\nSETCELL;0;10\nSETCELL;-3;4\nSETPOSS;0;3;3\nSETPROB;0;10;1\nSETBOAT;-1;1\n"
                 "DISPPOSS;81\n"),
            kMacroStepsFailed);
  for (const char *line :
       {"SETCELL 81 (line 1)", "SETCELL 0 (line 2)", "SETCELL -3 (line 3)", "SETPOSS 0 (line 4)",
        "SETPROB 0 (line 5)", "SETBOAT -1 (line 6)", "DISPPOSS 81 (line 7)"})
    EXPECT_TRUE(Said(std::string(">>>Erreur Macro: ") + line)) << line;
  EXPECT_EQ(Cell(0).Value, 0);
  EXPECT_FALSE(CanUndo(program.grids.Ctx.Undo));
  EXPECT_EQ(Count("CheckEndOfGame"), 0);

  // The focus cell of -3; the game may end once the value is in, before the board shows it.
  program.grids.Ctx.Grids.FocusCell = 4;
  EXPECT_EQ(Play("SETCELL;0;5\nSETCELL;-3;7\n"), kMacroAllDone);
  EXPECT_EQ(Cell(0).Value, 5);
  EXPECT_EQ(Cell(4).Value, 7);
  EXPECT_TRUE(CanUndo(program.grids.Ctx.Undo));
  EXPECT_LT(At("CheckEndOfGame"), At("Redraw"));

  // Pencil marks: add only what is absent, remove only what is there, exchange all of them.
  // Probable marks outlast the recomputation that ends each step; a placed value keeps its bit.
  EXPECT_EQ(Play("SETPOSS;60;0;2\nSETPOSS;60;3;1\nSETPOSS;60;3;0\nSETPROB;61;4;1\nSETPROB;61;5;1\n"
                 "SETPROB;61;4;2\nSETPROB;0;3;2\n"),
            kMacroAllDone);
  EXPECT_EQ(Cell(60).Marks, program.grids.Ctx.Geo.FullMask & ~ValueBit(3));
  EXPECT_EQ(Cell(61).Marks, ValueBit(5));
  EXPECT_EQ(Cell(0).Marks, ValueBit(5));
}

TEST_F(MacroCommands, ClearingMinusThreeEmptiesTheSelectionAndValuesWaitForThePlayersTurn) {
  program.grids.Ctx.Grids.FocusCell = 3;
  program.selected = {{0, 3}, {0, 7}, {5, 8}, {0, 81}}; // the last two lie on no grid
  EXPECT_EQ(Play("SETCELL;3;4\nSETCELL;7;5\nSETCELL;8;6\nSETCELL;-3;0\n"), kMacroAllDone);
  EXPECT_EQ(Cell(3).Value, 0);
  EXPECT_EQ(Cell(7).Value, 0);
  EXPECT_EQ(Cell(8).Value, 6);

  // Values and pencil marks go to the other boards, so they wait; probable marks do not.
  program.outOfTurn = true;
  EXPECT_EQ(Play("SETCELL;0;5\nSETCELL;-3;0\nSETCELL;-2;0\nSETPOSS;1;2;1\nSETPROB;2;4;1\n"),
            kMacroStepsFailed);
  EXPECT_EQ(Count("Refused"), 4); // not SETPROB
  EXPECT_EQ(Cell(0).Value, 0);
  EXPECT_EQ(Cell(8).Value, 6);
  EXPECT_EQ(Cell(1).Marks, 0u);
}

TEST_F(MacroCommands, CellStepsGoToTheGridTheyNameAndBoatsAsTheBoardMarksThem) {
  EngineContext &ctx = program.grids.Ctx;
  ResetGridSet(ctx, 2);
  ctx.Grids.FocusGrid = 0;
  GridRecord &second = ctx.Grids.Main[1];
  // A grid named last; a help text read back in its place is the grid in play.
  EXPECT_EQ(Play("SETCELL;5;4;1\nSETPOSS;6;3;1;1\nSETPROB;7;2;1;1\nSETBOAT;8;1;1\n"
                 "SETCELL;9;6\t\t;Set CELL to given VAL\nSETCELL;5;4;2\nSETPOSS;6;3;1;-1\n"),
            kMacroStepsFailed);
  EXPECT_EQ(second.Cells[5].Value, 4);
  EXPECT_NE(second.Cells[6].Marks & ValueBit(3), 0u);
  EXPECT_EQ(second.Cells[7].Marks, ValueBit(2));
  EXPECT_EQ(second.Cells[8].Boat, 1);
  EXPECT_EQ(Cell(9).Value, 6);
  EXPECT_EQ(Cell(5).Value, 0);
  EXPECT_TRUE(Said(">>>Erreur Macro: SETCELL 5 (line 6)"));
  EXPECT_TRUE(Said(">>>Erreur Macro: SETPOSS 6 (line 7)"));

  // Water comes round a boat only with the automatic no-boat option; -2 is every cell.
  program.settings.general.autoNoBoat = 1;
  EXPECT_EQ(Play("SETBOAT;40;1;0\n"), kMacroAllDone);
  EXPECT_EQ(Cell(41).Boat, 2);
  program.settings.general.autoNoBoat = 0;
  EXPECT_EQ(Play("SETBOAT;60;1;0\n"), kMacroAllDone);
  EXPECT_EQ(Cell(61).Boat, 0);
  EXPECT_EQ(Play("SETBOAT;-2;0;0\n"), kMacroAllDone);
  EXPECT_EQ(Cell(40).Boat, 0);
  EXPECT_EQ(Cell(60).Boat, 0);
  EXPECT_EQ(second.Cells[8].Boat, 1);

  // The grid tabs, plain or with Ctrl.
  EXPECT_EQ(Play("CLICK;-4;2;2\nCLICK;-4;0;0\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(), (std::vector<std::string>{"Tab 2 added", "Redraw", "Tab 0", "Redraw"}));
}

TEST_F(MacroCommands, FileStepsNameTheirFilesAndWriteOnlyInTheGameFolders) {
  program.grids.Main().Comment = "../../away/Name";
  EXPECT_EQ(Play("FILES\na\nb\nLOADT\nENDFILES\nLOAD;-Other\nSAVE;VAR2\nSAVE;-/etc/x\nSAVET;-out/*\nVAR;2;7\n"
                 "SAVE;VAR2;R\nSAVE\n"),
            kMacroStepsFailed);
  EXPECT_EQ(Count("Open /start/TextGrid/a.txt"), 1);
  EXPECT_EQ(Count("Open /start/TextGrid/b.txt"), 1);
  EXPECT_EQ(Count("Open /start/Other/b.sud"), 1); // the block's last file, in the folder given
  // A recorded name holds its folder from the start directory.
  EXPECT_EQ(Play("LOADT;TextGrid/Trip6E01.txt\nLOAD;MyGrid\\done\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(), (std::vector<std::string>{"Open /start/TextGrid/Trip6E01.txt", "Redraw",
                                                     "Open /start/MyGrid/done.sud", "Redraw"}));
  EXPECT_EQ(Play("FILES\na\nb\nLOADT\nENDFILES\nLOAD;-Other\nSAVE;VAR2\nSAVE;-/etc/x\nSAVET;-out/*\nVAR;2;7\n"
                 "SAVE;VAR2;R\nSAVE\n"),
            kMacroStepsFailed);

  // An unset variable says so and abandons the step, without the error line.
  EXPECT_TRUE(Said("Error - Variable VAR2 used without initialisation"));
  EXPECT_FALSE(Said(">>>Erreur Macro: SAVE VAR2 (line 7)"));
  EXPECT_TRUE(Said("Writing refused outside the game's folders: /etc/x/b.sud"));
  EXPECT_TRUE(Said(">>>Erreur Macro: SAVE -/etc/x (line 8)"));
  EXPECT_EQ(Count("MakeDirectories /etc/x"), 0);

  // The grid's comment names the file, without a way out of the folder.
  EXPECT_LT(At("MakeDirectories /start/out/"), At("SaveText /start/out/awayName.txt"));
  EXPECT_LT(At("RestartGame"), At("SaveAs /start/MyGrid/Sudoku007.sud"));
  EXPECT_EQ(Count("RestartGame"), 1);
  EXPECT_EQ(Count("SaveAs /start/MyGrid/Current.sud"), 1); // no name: the document's

  // COPY: a folder that cannot be made abandons quietly; a failed copy is an error.
  program.foldersMade = false;
  EXPECT_EQ(Play("COPY;grid.sud\n"), kMacroAllDone);
  EXPECT_EQ(Count("Copy /start/Custom/grid.sud /start/MyGrid/grid.sud"), 0);
  program.foldersMade = true;
  program.copied = false;
  EXPECT_EQ(Play("COPY;grid.sud\n"), kMacroStepsFailed);
  EXPECT_EQ(Count("Copy /start/Custom/grid.sud /start/MyGrid/grid.sud"), 1);
  EXPECT_EQ(Play("COPY;-/tmp\n"), kMacroStepsFailed);
  EXPECT_EQ(Count("Copy /start/Custom/grid.sud /tmp/grid.sud"), 0);
}

TEST_F(MacroCommands, GenerationAndSolvingTakeTheirSettingsFirstAndStopThePlayWhenStopped) {
  EXPECT_EQ(Play("GENERE;9;DIFFICULT;2147483648;-1;UNIQ\nSEARCH;0\n"), kMacroAllDone);
  EXPECT_EQ(program.settings.general.gridCurrSize, ShapeCodeOfSize(9));
  EXPECT_EQ(program.settings.general.gridCurrVariant, 0x80000000u); // -1: no second word
  EXPECT_EQ(program.settings.general.uniqSolution, 1);
  EXPECT_LT(At("Apply"), At("Generate 3"));
  EXPECT_EQ(Count("Search 1"), 1);
  EXPECT_TRUE(Said("Search Done with result: 1"));

  // A size the game does not play is refused, not taken for 9.
  EXPECT_EQ(Play("NEW;100\nGENERE;5;EASY\nNEW;-1\n"), kMacroStepsFailed);
  EXPECT_TRUE(Said(">>>Erreur Macro: NEW 100 (line 1)"));
  EXPECT_TRUE(Said(">>>Erreur Macro: GENERE 5 (line 2)"));
  EXPECT_EQ(std::count_if(program.effects.begin(), program.effects.end(),
                          [](const std::string &e) { return e.starts_with("NewEmptyGrid"); }),
            0);
  EXPECT_EQ(Count("Generate 1"), 0);
  EXPECT_EQ(program.settings.general.uniqSolution, 1);
  // So is a rule the catalogue does not offer at that size, by name: No Touch at 4x4, not at 6x6.
  EXPECT_EQ(Play("GENERE;4;MEDIUM;0;32768;UNIQ\n"), kMacroStepsFailed);
  EXPECT_TRUE(Said("The No Touch rule is not played at 4x4."));
  EXPECT_TRUE(Said(">>>Erreur Macro: GENERE 4 (line 1)"));
  EXPECT_EQ(Play("GENERE;12;EASY;4;-1;UNIQ\n"), kMacroStepsFailed);
  EXPECT_TRUE(Said("The Killer Sum rule is not played at 12x12."));
  EXPECT_EQ(Count("Generate 2"), 0);
  EXPECT_EQ(Play("GENERE;6;MEDIUM;0;32768;UNIQ\n"), kMacroAllDone);
  EXPECT_EQ(Count("Generate 2"), 1);

  program.computed = kComputationStopped;
  EXPECT_EQ(Play("SOLVE\nSEARCH;2;Y\n"), kMacroStoppedByUser);
  EXPECT_EQ(Count("SolveFull"), 1);
  EXPECT_EQ(Count("Search 2 shown"), 0);
  EXPECT_TRUE(Said("Macro !test.macro!-2! stopped."));
}

TEST_F(MacroCommands, ASaveWithNoGridYetIsRefusedInWords) {
  program.grids.Ctx.Geo.CellLimit = 0; // nothing made or opened yet
  EXPECT_EQ(Play("SAVE;first\nSAVET;first\n"), kMacroStepsFailed);
  EXPECT_EQ(Count("SaveAs /start/MyGrid/first.sud"), 0);
  EXPECT_EQ(Count("SaveText /start/TextGrid/first.txt"), 0);
  EXPECT_EQ(std::count(program.messages.begin(), program.messages.end(),
                       "No grid to save: the script must make or open one first."),
            2);
}

TEST_F(MacroCommands, GenerationAndNewGridsHandOnTheLevelAndSizeNamed) {
  EXPECT_EQ(Play("GENERE;9;EASY\nGENERE;9;TERRIBLE\nGENERE;6;MEDIUM\nGENERE;9;BOGUS\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(),
            (std::vector<std::string>{"Apply", "Generate 1", "Redraw", "Apply", "Generate 4", "Redraw",
                                      "Apply", "Generate 2", "Redraw", "Apply", "Generate 1", "Redraw"}));
  EXPECT_EQ(Play("NEW;6\n"), kMacroAllDone);
  EXPECT_EQ(program.grids.Ctx.Geo.GridWidth, 6);
  EXPECT_EQ(Count("NewEmptyGrid 2 0"), 1);

  // The display the dialog chose, moved to one the size offers; a script recorded before the
  // display was written keeps the one in use, its help text where the display would stand.
  EXPECT_EQ(Play("NEW;9;LETTER\nNEW;12;MIXED\nNEW;9;MIXED\nNEW;16;NUMBER\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(),
            (std::vector<std::string>{"NewEmptyGrid 5 1", "Redraw", "NewEmptyGrid 7 2", "Redraw",
                                      "NewEmptyGrid 5 0", "Redraw", "NewEmptyGrid 8 1", "Redraw"}));
  program.settings.general.gridCurrDisp = kSymbolPictures;
  EXPECT_EQ(Play("NEW;4\t\t;Initialise a new Grid with NLines\tNLines:-1 for unchange\n"), kMacroAllDone);
  EXPECT_EQ(Count("NewEmptyGrid 0 3"), 1);
}

TEST_F(MacroCommands, StartGridAndHistoryStepsReachTheirMenuCommands) {
  EXPECT_EQ(Play("RESET\nINIT\nUNDO;2\nREDO;0\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(), (std::vector<std::string>{"BackToStartupGrid", "DefineStartupGrid", "Undo", "Undo",
                                                     "Redo", "Redo", "Redo"})); // 0: every step
  EXPECT_TRUE(Said("Go back to initial configuration"));
  EXPECT_TRUE(Said("Define Initial configuration"));
  // The board's Enter, recorded: values are placed again, none typed in turn.
  EXPECT_EQ(Play("DISPN;-2\n"), kMacroAllDone);
  EXPECT_EQ(Count("ResetInputState"), 1);
}

TEST_F(MacroCommands, GridStepsChangeTheGridInPlay) {
  program.grids.Ctx.Methods.GameMaxMethodLevel = 0;
  EXPECT_EQ(Play("SETDIFF;3\nSETDIFF;9\nSETDIFF;0\nVARIANT;512;0;1\nDISPPOSS;5\nSETBOAT;7;1\nSTAT\n"),
            kMacroAllDone);
  EXPECT_EQ(Count("Level 3"), 1);
  EXPECT_EQ(Count("Level 9"), 0);
  EXPECT_EQ(Count("Level 1"), 1); // 0: the level of the hardest method used
  EXPECT_EQ(program.grids.Main().GridVar.word1 & 512u, 512u);
  EXPECT_TRUE(Said("Varient updated 512-0-1"));
  EXPECT_EQ(Cell(5).CellHighlight, 1);
  EXPECT_EQ(Cell(7).Boat, 1);
  EXPECT_GT(program.messages.size(), 2u); // the statistics' lines
  EXPECT_EQ(Play("VARIANT;512;0;0\n"), kMacroAllDone);
  EXPECT_EQ(program.grids.Main().GridVar.word1 & 512u, 0u);

  // Grids are numbered from 1; 0 or no number is the grid in play.
  program.grids.Ctx.Grids.MainCount = 3;
  EXPECT_EQ(Play("DELMULT;2\nDELMULT;-2\n"), kMacroAllDone);
  EXPECT_LT(At("Delete 1"), At("Delete 0"));
  EXPECT_EQ(Count("Delete 0"), 1);
  EXPECT_TRUE(Said("Deleted Multiple Grid Number 2"));
}

TEST_F(MacroCommands, CatalogueAndProfileStepsNameTheirFiles) {
  program.settings.directory.magic = "Magic\\";
  EXPECT_EQ(Play("ADDFUNC;R;defs\nADDFUNC;G;more\nADDFUNC;C\nADDFUNC;T;Mine\nADDFUNC;D\nMAGIC;warm\n"),
            kMacroAllDone);
  EXPECT_EQ(StepEffects(),
            (std::vector<std::string>{"Irregular /start/Custom/defs.dat", "Merge /start/Custom/more.dat",
                                      "Clean", "MaxDoubleTriple", "Magic /start/Magic/warm.magic"}));
  EXPECT_TRUE(Said("Max computed:1"));
  const auto &comments = program.grids.Ctx.GridComments;
  EXPECT_EQ(std::count(comments.begin(), comments.end(), "Mine"), 1);

  // A catalogue that could not be rewritten fails the step that asked for it.
  program.catalogSaved = false;
  EXPECT_EQ(Play("ADDFUNC;G;more\n"), kMacroStepsFailed);
  EXPECT_EQ(Play("ADDFUNC;C\n"), kMacroStepsFailed);
}

TEST_F(MacroCommands, ARecordedWalkThroughTheSearchsSolutionsReplaysToTheSameScreens) {
  test::UndoHost recorder;
  EngineContext &ctx = program.grids.Ctx;
  ctx.Host = &recorder;
  for (int value = 1; value <= 3; ++value) {
    Cell(0).Value = value;
    ASSERT_EQ(StoreSearchSolution(ctx), 1);
  }
  // Page Down three times, then Page Up, as the board does it.
  for (const int level : {0, 1, 2, 1})
    ShowSearchSolution(ctx, level);
  std::string script;
  for (const RecordedAction &step : recorder.Steps)
    script +=
        std::string(ScriptWords[static_cast<size_t>(step.Code)]) + ";" + std::to_string(*step.Ints[0]) + "\n";
  recorder.Messages.clear();
  ctx.Solutions.ShownLevel = -1;
  EXPECT_EQ(Play(script), kMacroAllDone) << script;
  std::vector<int> shown;
  for (const auto &message : recorder.Messages)
    shown.push_back(std::get<int>(message.Args[1]));
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 2}));
  EXPECT_EQ(Cell(0).Value, 2);
}

TEST_F(MacroCommands, ClicksAndDisplayStepsReachTheBoardAsItsBarsDo) {
  EXPECT_EQ(Play("CLICK;-1\nCLICK;105;0;0\nCLICK;106;1;-1\nCLICK;20\nPREFCELL;MAT\nAREA;LEGEND;Y\n"
                 "PREF;VARNGRIDS;40\n"),
            kMacroAllDone);
  EXPECT_EQ(Count("Undo"), 1); // one step, as the bar's undo slot
  EXPECT_EQ(Count("Select 0 5 0"), 1);
  EXPECT_EQ(Count("Select 0 6 1"), 1);        // a mode in the grid's place: grid 0
  EXPECT_LT(At("Help 4 on"), At("Colour 4")); // the colouring on first, which clears the colours
  EXPECT_EQ(Count("CellDisplay 2"), 1);
  EXPECT_EQ(Count("ShowArea"), 0);
  EXPECT_EQ(program.settings.catalog.varNGrids, 12);

  program.board = false;
  EXPECT_EQ(Play("CLICK;-2\nCLICK;999\nPREFDISP;SINGLE\nCARS;BOGUS;2\nPREF;HIDEVAR;Y\nKAL\nPRINT\n"),
            kMacroStepsFailed);
  for (const char *line :
       {"CLICK -2 (line 1)", "CLICK 999 (line 2)", "PREFDISP SINGLE (line 3)", "CARS BOGUS (line 4)",
        "PREF HIDEVAR (line 5)", "KAL  (line 6)", "PRINT  (line 7)"})
    EXPECT_TRUE(Said(std::string(">>>Erreur Macro: ") + line)) << line;
}

TEST_F(MacroCommands, EachDisplayWordSetsItsOwnHelpSizeOrLayoutValue) {
  EXPECT_EQ(Play("DISPL;Y\nDISPP;N\nDISPT;Y\nDISPV;Y\nDISPR;N\nDISPW;Y\n"), kMacroAllDone);
  EXPECT_EQ(StepEffects(), (std::vector<std::string>{"Help 0 on", "Help 1 off", "Help 2 on", "Help 3 on",
                                                     "Help 4 off", "Help 5 on"}));
  EXPECT_EQ(Play("CARS;PROB;3\nCARS;MAT;-2\nPREFGEOM;DIY;7\nPREFGEOM;CDY;11\nAREA;MUSIC;Y\n"), kMacroAllDone);
  const GeneralSettings &g = program.settings.general;
  EXPECT_EQ(g.deltaFontProb, 3);
  EXPECT_EQ(g.deltaFontMatrix, -2);
  EXPECT_EQ(g.deltaFontCell, 0);
  EXPECT_EQ(g.interBlockY, 7);
  EXPECT_EQ(g.displayComDy, 11);
  EXPECT_EQ(g.interBlockX, 0);
  EXPECT_EQ(Count("ShowArea Music"), 1);
}

TEST_F(MacroCommands, ABackgroundPictureKeepsItsOwnExtension) {
  program.settings.directory.background = "/pictures";
  EXPECT_EQ(Play("PREFBGIM;/x/Meadow.jpg\n"), kMacroAllDone);
  EXPECT_EQ(program.settings.general.backgroundImage, "/x/Meadow.jpg");
  EXPECT_EQ(Play("PREFBGIM;Sea.png\n"), kMacroAllDone);
  EXPECT_EQ(program.settings.general.backgroundImage, "/pictures/Sea.png");
}

// One row per layout word: the single setting it changes, as the settings file then holds it.
TEST_F(MacroCommands, EachLayoutWordSetsItsOwnSettingAndNoOther) {
  struct Row {
    const char *step;
    std::set<std::string> keys; // every key the step changes
    const char *key;            // one of them, and the text it is written as
    const char *written;
  };
  const Row rows[] = {
      {"PREFGEOM;DX;31", {"GENERAL/LONGCASE"}, "LONGCASE", "31"},
      {"PREFGEOM;DY;32", {"GENERAL/HAUTCASE"}, "HAUTCASE", "32"},
      {"PREFGEOM;DXX;33", {"GENERAL/INTERCASEX"}, "INTERCASEX", "33"},
      {"PREFGEOM;DYY;34", {"GENERAL/INTERCASEY"}, "INTERCASEY", "34"},
      {"PREFGEOM;DIX;35", {"GENERAL/INTERBLOCKX"}, "INTERBLOCKX", "35"},
      {"PREFGEOM;DIY;36", {"GENERAL/INTERBLOCKY"}, "INTERBLOCKY", "36"},
      {"PREFGEOM;DPY;37", {"GENERAL/HAUT19"}, "HAUT19", "37"},
      {"PREFGEOM;BDC;38", {"GENERAL/BORDERCELL"}, "BORDERCELL", "38"},
      {"PREFGEOM;BDB;39", {"GENERAL/BORDERBLOCK"}, "BORDERBLOCK", "39"},
      {"PREFGEOM;CDY;40", {"GENERAL/DISPLAYCOMDY"}, "DISPLAYCOMDY", "40"},
      {"PREFGEOM;BDX;50", {"GENERAL/DISPLAYBARDX"}, "DISPLAYBARDX", "32767"}, // a percent, kept in 65535ths
      {"PREFGEOM;TRANSPARENCY;41", {"GENERAL/TRANSPARENCY"}, "TRANSPARENCY", "41"},
      {"PREFGEOM;RNDDELAY;5", {"GENERAL/DELAYBGIMAGE", "GENERAL/BGRANDOM"}, "DELAYBGIMAGE", "5"},
  };
  for (const Row &row : rows) {
    program.settings = DefaultSettings();
    program.settings.general.bgRandom = 0;
    const AppSettings before = program.settings;
    EXPECT_EQ(Play(std::string(row.step) + "\n"), kMacroAllDone) << row.step;
    EXPECT_EQ(ChangedSettingKeys(before, program.settings), row.keys) << row.step;
    MemoryProfileStore store;
    ASSERT_TRUE(SaveSettings(store, program.settings));
    EXPECT_EQ(store.Raw("GENERAL", row.key), std::optional<std::string>(row.written)) << row.step;
  }
}

TEST_F(MacroCommands, ResetPrefPutsTheSettingsBackAfterTheHelps) {
  program.settings.catalog.varDepth = 5;
  EXPECT_EQ(Play("RESETPREF\nCARS;ALL;3\nPREF;VARDEPTH;77\nPREF;DRAG;Y\nPREF;ANIM;Y\n"), kMacroAllDone);
  EXPECT_EQ(program.settings.general.deltaFontCom, 0);
  EXPECT_EQ(program.settings.general.deltaFontMatrix, 0);
  EXPECT_EQ(program.settings.catalog.varDepth, 5);
  EXPECT_EQ(program.settings.general.drag, 0);
  EXPECT_EQ(program.settings.general.animGif, 1); // not one of those a play puts back
  EXPECT_EQ(At("SaveHelps"), 0u);
  const auto lastApply = static_cast<size_t>(
      program.effects.rend() - std::find(program.effects.rbegin(), program.effects.rend(), "Apply") - 1);
  EXPECT_LT(At("RestoreHelps"), lastApply);
  EXPECT_LT(lastApply, At("Cursors"));

  EXPECT_EQ(Play("PREF;VARDEPTH;77\n"), kMacroAllDone);
  EXPECT_EQ(program.settings.catalog.varDepth, 77);
  EXPECT_EQ(Count("RestoreHelps"), 0);

  // Every word the player passes on has its handler.
  for (int code = kMacroLoad; code < kScriptWordCount; ++code) {
    const bool player = code == kMacroResetPref || code == kMacroPause || code == kMacroComment ||
                        code == kMacroNoMess || code == kMacroClearCom || code == kMacroExit ||
                        code == kMacroRestart || code == kMacroPart || code == kMacroDebug ||
                        code == kMacroVar || code == kMacroCalcVar;
    EXPECT_EQ(MacroCommandTable()[static_cast<size_t>(code)] != nullptr, !player) << ScriptWords[code];
  }
}

} // namespace
} // namespace quorbel
