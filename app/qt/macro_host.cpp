#include "app/qt/macro_host.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <memory>

#include "app/macro_command_host.h"
#include "app/picture_order.h"
#include "app/qt/board_window.h"
#include "app/qt/candidate_display.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/display_toggles.h"
#include "app/qt/file_commands.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/generate_commands.h"
#include "app/qt/grid_commands.h"
#include "app/qt/grid_list_dialog.h"
#include "app/qt/magic_profile_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/music_dialog.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/solve_command_handlers.h"
#include "app/qt/usage_timers.h"
#include "engine/irregular_blocks.h"
#include "engine/update_possibles.h"
#include "files/grid_catalog.h"
#include "files/macro_recorder.h"
#include "platform/paths.h"
#include "solver/optimise_grid.h"
#include "solver/solution_count.h"
#include "view/chain_colouring.h"
#include "view/selection_list.h"

using namespace quorbel;

namespace {

std::atomic<bool> gSignalled{false};

extern "C" void OnStopSignal(int) { gSignalled = true; }

class AppMacroMessages final : public MacroMessages {
public:
  explicit AppMacroMessages(CQuorbelApp &app) : app_(app) {}
  Language CurrentLanguage() const override { return app_.CurrentLanguage(); }
  void Show(const PanelText &text, bool evenMuted) override {
    if (evenMuted)
      app_.Messages().ForceInfoMessage(text);
    else
      app_.Messages().AddInfoMessage(text);
  }
  void Clear() override { app_.Messages().ClearMessagePanel(); }
  void SetMuted(bool muted) override { app_.Messages().SetMessagesMuted(muted); }

private:
  CQuorbelApp &app_;
};

// The waits pump events on a screen; a headless play has no one to wait for.
class AppMacroPlayback final : public MacroPlayback {
public:
  explicit AppMacroPlayback(CQuorbelApp &app) : app_(app) {}
  bool PollUserAbort() override {
    if (gSignalled)
      app_.Pump().RequestAbort();
    return app_.PollUserAbort();
  }
  bool AbortRequested() override { return app_.Pump().AbortRequested(); }
  bool WaitForKey() override {
    if (app_.Headless())
      return !PollUserAbort();
    return app_.Pump().WaitForKeyOrClick() != 1 && !gSignalled;
  }
  bool WaitMs(int ms) override {
    if (app_.Headless())
      return !PollUserAbort();
    for (int left = ms; left > 0; left -= 100)
      if (app_.Pump().PumpMessagesFor(static_cast<uint32_t>(std::min(left, 100))) || gSignalled) {
        app_.Pump().RequestAbort();
        return false;
      }
    return true;
  }
  bool GamePaused() const override { return app_.State().Paused(); }
  void SetPlaying(bool playing) override { playing ? app_.State().StartMacro() : app_.State().EndMacro(); }
  void StopRecording() override { StopMacroRecording(false); }

private:
  CQuorbelApp &app_;
};

class AppMacroDocument final : public MacroDocument {
public:
  explicit AppMacroDocument(CQuorbelApp &app) : app_(app) {}
  EngineContext &Engine() override { return app_.Engine(); }
  bool Open(const std::string &path) override { return app_.OpenDocumentFile(path); }
  bool HasDocument() const override { return app_.GetCurrentDocument() != nullptr; }
  std::string Name() const override {
    const CQuorbelDoc *document = app_.GetCurrentDocument();
    if (!document)
      return {};
    return document->PathName().empty() ? document->Title() : document->PathName();
  }
  bool SaveAs(const std::string &path) override {
    CQuorbelDoc *document = app_.GetCurrentDocument();
    return document && document->SaveDocumentAs(path, false);
  }
  bool SaveText(const std::string &path) override { return SaveTextGrids(app_, path); }
  void RestartGame() override { ::RestartGame(app_, false); }
  void NewEmptyGrid(int shape, SymbolMode display) override { StartEmptyGrid(app_, shape, display); }
  int GameLevel() const override { return app_.Game().GameLevel; }
  void SetGameLevel(int level) override { app_.Game().GameLevel = level; }
  bool DeleteGrid(int slot) override { return DeleteGridOfSet(app_, slot); }

private:
  CQuorbelApp &app_;
};

class AppMacroGenerator final : public MacroGenerator {
public:
  explicit AppMacroGenerator(CQuorbelApp &app) : app_(app) {}
  int Generate(int level) override { return GenerateAtLevel(app_, level); }

private:
  CQuorbelApp &app_;
};

class AppMacroSolver final : public MacroSolver {
public:
  explicit AppMacroSolver(CQuorbelApp &app) : app_(app) {}
  int Search(int most, bool show) override {
    return SearchLinkedSolutions(app_.Engine(), -1, show ? 1 : 0, most, 1);
  }
  int Propose() override { return RunPropose(app_); }
  int SolveFull() override { return RunFullSolve(app_); }
  int SolveToReference() override { return SolveToRefTab(app_.Engine()); }
  int Optimise() override { return OptimiseGrid(app_.Engine(), 1, 1, 1, -1, 0); }
  int MaxDoubleTriple() override { return RunComputeMaxDoubleTriple(app_); }

private:
  CQuorbelApp &app_;
};

class AppMacroFiles final : public MacroFiles {
public:
  explicit AppMacroFiles(CQuorbelApp &app) : app_(app) {}
  bool MakeDirectories(const std::string &folder) override {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return !error;
  }
  bool CopyFile(const std::string &from, const std::string &to) override {
    std::error_code error;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
  }
  int AddIrregularDefinitions(const std::string &file) override {
    return quorbel::AddIrregularDefinitions(app_.Engine(), file);
  }
  bool MergeCatalog(const std::string &file) override {
    const CatalogMerge merge = MergeCatalogFile(StartDirectory(), file, app_.CurrentLanguage());
    TellCatalogSave(app_, merge.Saved);
    return merge.Saved.Ok();
  }
  bool CleanCatalogStatus() override {
    const FileWriteResult saved = quorbel::CleanCatalogStatus(StartDirectory(), app_.CurrentLanguage());
    TellCatalogSave(app_, saved);
    return saved.Ok();
  }

private:
  CQuorbelApp &app_;
};

class AppMacroSettings final : public MacroSettings {
public:
  explicit AppMacroSettings(CQuorbelApp &app) : app_(app) {}
  AppSettings &Values() override { return app_.Settings(); }
  void Apply() override { app_.SyncEngineSettings(); }
  bool ApplyMagicProfile(const std::string &path) override { return ::ApplyMagicProfile(app_, path); }
  void ApplyMusicVolume() override {
    if (app_.Services().applyMusicVolume)
      app_.Services().applyMusicVolume();
  }
  void PlayMusic(const std::string &path) override {
    if (app_.Services().playMusic)
      app_.Services().playMusic(path, MusicPlayerVolume(app_.Settings().music));
  }
  void CloseMusic() override {
    if (app_.Services().closeMusic)
      app_.Services().closeMusic();
  }

private:
  CQuorbelApp &app_;
};

class AppMacroBoard final : public MacroBoard {
public:
  explicit AppMacroBoard(CQuorbelApp &app) : app_(app) {}
  void Redraw() override { app_.RedrawViewNow(); }
  void ResetInputState() override {
    if (BoardWindow *board = app_.Board())
      board->ResetInputState();
  }
  void CheckEndOfGame() override {
    if (BoardWindow *board = app_.Board())
      board->CheckEndOfGame();
  }
  bool FocusMessagePanel() override {
    BoardWindow *board = app_.Board();
    if (board)
      SetFocusCell(board->Selection(), app_.Engine().Grids, app_.Engine().Geo, -2, 0);
    return board != nullptr;
  }
  bool ClearSelection() override {
    BoardWindow *board = app_.Board();
    if (board)
      quorbel::ClearSelection(board->Selection(), app_.Engine().Grids);
    return board != nullptr;
  }
  bool SelectCell(int grid, int cell, int mode) override {
    BoardWindow *board = app_.Board();
    if (!board)
      return false;
    EngineContext &ctx = app_.Engine();
    if (mode < 1)
      board->MoveFocusToCell(grid, cell);
    else if (mode == 1)
      AddRangeToSelection(board->Selection(), ctx.Grids, ctx.Geo, cell, grid);
    else
      AddCellToSelection(board->Selection(), ctx.Grids, cell, grid);
    return true;
  }
  bool ClickGridTab(int tab, bool add) override {
    BoardWindow *board = app_.Board();
    if (!board || tab < 0 || tab > UsedAllCount(app_.Engine().Grids))
      return false;
    board->ClickGridTab(tab, add);
    return true;
  }
  std::vector<MacroCellRef> SelectedCells() override {
    std::vector<MacroCellRef> cells;
    if (BoardWindow *board = app_.Board())
      for (int i = 0; i < board->Selection().Count; ++i) {
        const SelectionPair &pair = board->Selection().Pairs[static_cast<size_t>(i)];
        cells.push_back({pair.Grid, pair.Cell});
      }
    return cells;
  }
  bool RefuseOutOfTurn() override {
    CDialogDefi *challenge = ChallengeDialog();
    return challenge && challenge->RefuseOutOfTurn();
  }
  void ColourValueChains(int value) override {
    BoardWindow *board = app_.Board();
    const SelectionList none;
    quorbel::ColourValueChains(app_.Engine(), board ? board->Selection() : none, value,
                               static_cast<MethodMask>(app_.Settings().method.method));
    if (board)
      board->Switches().ColouredValue = value;
  }
  bool ShufflePictures() override { return app_.LoadCellPictures(PictureOrderMode::Shuffle) != 0; }
  bool LoadPictureSet(const std::string &path) override {
    return app_.LoadCellPictures(PictureOrderMode::Keep, path) != 0;
  }
  void RebuildValueCursors() override {
    if (app_.Services().buildValueCursors)
      app_.Services().buildValueCursors();
  }
  void ReloadBackground() override {
    if (BoardWindow *board = app_.Board())
      board->ReloadBackground();
  }
  void RotateBackground() override {
    if (BoardWindow *board = app_.Board())
      board->RotateBackgroundImage();
  }
  bool RunKaleidoscope() override {
    BoardWindow *board = app_.Board();
    if (board)
      board->RunKaleidoscope();
    return board != nullptr;
  }
  bool Print() override {
    BoardWindow *board = app_.Board();
    return board && board->PrintBoard() == 1;
  }

private:
  CQuorbelApp &app_;
};

class AppMacroMenus final : public MacroMenus {
public:
  explicit AppMacroMenus(CQuorbelApp &app) : app_(app) {}
  bool Undo() override { return app_.Commands().ExecuteCommand(Cmd::EditUndo); }
  bool Redo() override { return app_.Commands().ExecuteCommand(Cmd::EditRedo); }
  void BackToStartupGrid() override { app_.Commands().ExecuteCommand(Cmd::BackToStartupGrid); }
  void DefineStartupGrid() override { app_.Commands().ExecuteCommand(Cmd::DefineStartupGrid); }
  void SetPossLevel(int level) override { quorbel::SetPossLevel(app_, level); }
  bool SetHelp(MacroHelp help, bool on) override {
    static constexpr Cmd commands[] = {Cmd::DisplayPossLineCol, Cmd::DisplayProbable, Cmd::DisplayFound,
                                       Cmd::FilterVariant,      Cmd::DisplayColoring, Cmd::DisplayWarning};
    return SetHelpSwitch(app_, commands[static_cast<size_t>(help)], on);
  }
  void ShowArea(MacroArea area, bool on) override {
    static constexpr Cmd commands[] = {
        Cmd::DisplayLineColArea, Cmd::DisplayCommentZone, Cmd::DisplayImageBar, Cmd::DisplayMethods,
        Cmd::DisplayPreference,  Cmd::DisplayMagicSelect, Cmd::DisplayMusic};
    const auto &rows = app_.Commands().RowsOf(commands[static_cast<size_t>(area)]);
    if (rows.empty())
      return;
    const CommandId id = rows.front()->idEn != 0 ? rows.front()->idEn : rows.front()->idFr;
    if (app_.Commands().State(id).checked.value_or(false) != on)
      app_.Commands().Execute(id);
  }
  bool SetSymbolMode(int mode) override {
    static constexpr Cmd commands[] = {Cmd::SymbolDigits, Cmd::SymbolLetters, Cmd::SymbolMixed,
                                       Cmd::SymbolPictures};
    return app_.Commands().ExecuteCommand(commands[static_cast<size_t>(mode)]);
  }
  bool SetCellDisplay(int display) override {
    static constexpr Cmd commands[] = {Cmd::CellDisplaySingle, Cmd::CellDisplayLine, Cmd::CellDisplayMatrix,
                                       Cmd::CellDisplayProbable};
    return app_.Commands().ExecuteCommand(commands[static_cast<size_t>(display)]);
  }
  void SaveHelps() override {
    savedSwitches_ = FrameSwitches(app_.Board());
    savedFilter_ = app_.Engine().Settings.VariantFilterSwitch;
  }
  // The usage stopwatches follow the helps back, so that the game is charged only for its own.
  void RestoreHelps() override {
    DisplaySwitches &now = FrameSwitches(app_.Board());
    now.PossDisplayOn = savedSwitches_.PossDisplayOn;
    now.PossDisplayLevel = savedSwitches_.PossDisplayLevel;
    now.ShowPossLineCol = savedSwitches_.ShowPossLineCol;
    now.ShowProbables = savedSwitches_.ShowProbables;
    now.ShowFound = savedSwitches_.ShowFound;
    now.ShowWarning = savedSwitches_.ShowWarning;
    now.ShowColouring = savedSwitches_.ShowColouring;
    app_.Engine().Settings.VariantFilterSwitch = savedFilter_;
    const bool levelShown = now.PossDisplayOn == 1;
    for (int k = 0; k < kPossLevelTimers; ++k)
      TimeUsage(app_.Game(), kTimerPossLevel1 + k, levelShown && now.PossDisplayLevel == k);
    TimeUsage(app_.Game(), kTimerLineColumn, now.ShowPossLineCol == 1);
    TimeUsage(app_.Game(), kTimerProbables, now.ShowProbables == 1);
    TimeUsage(app_.Game(), kTimerFound, now.ShowFound == 1);
    TimeUsage(app_.Game(), kTimerVariantFilter, savedFilter_ == 1);
    TimeUsage(app_.Game(), kTimerColouring, now.ShowColouring == 1);
    TimeUsage(app_.Game(), kTimerWarning, now.ShowWarning == 1);
    RecomputeAllCandidates(app_.Engine());
  }

private:
  CQuorbelApp &app_;
  DisplaySwitches savedSwitches_;
  int32_t savedFilter_ = 0;
};

// Every adapter over the one application, and the host and player over them.
struct InstalledPlayer {
  explicit InstalledPlayer(CQuorbelApp &app)
      : messages(app), playback(app), document(app), generator(app), solver(app), files(app), settings(app),
        board(app), menus(app),
        host({messages, playback, document, generator, solver, files, settings, board, menus}),
        player(messages, playback, board, host) {}

  AppMacroMessages messages;
  AppMacroPlayback playback;
  AppMacroDocument document;
  AppMacroGenerator generator;
  AppMacroSolver solver;
  AppMacroFiles files;
  AppMacroSettings settings;
  AppMacroBoard board;
  AppMacroMenus menus;
  MacroCommandHost host;
  MacroPlayer player;
};

} // namespace

void InstallMacroPlayer(CQuorbelApp &app) {
  auto installed = std::make_shared<InstalledPlayer>(app);
  app.Services().runMacroFile = [&app, installed](const std::string &chosen) -> int {
    MacroPlayer &player = installed->player;
    if (player.Playing()) {
      app.Messages().AddInfoMessage(app.CurrentLanguage() == Language::English
                                        ? OwnText("A macro is already playing.")
                                        : OwnText("Une macro est déjà en cours."));
      return kMacroUnreadable;
    }
    std::string path = chosen;
    if (path.empty()) {
      const QString picked = app.Dialogs().OpenFileName(
          app.MainFrame(),
          {QStringLiteral("Macro"), QString::fromStdString(MakeAbsolutePath(app.Settings().directory.macro)),
           QStringLiteral("Macro for Sudoku (*.macro)")});
      if (picked.isEmpty())
        return kMacroAllDone;
      path = picked.toStdString();
      if (app.Settings().general.standarDir == 0)
        app.Settings().directory.macro = MakeRelativePath(DirectoryOfPath(path)) + "/";
    }
    path = MakeAbsolutePath(path);
    installed->host.SetMacroFolder(DirectoryOfPath(path));
    const bool headless = app.Headless();
    if (headless) {
      gSignalled = false;
      std::signal(SIGINT, OnStopSignal);
      std::signal(SIGTERM, OnStopSignal);
    }
    int outcome = kMacroAllDone;
    app.Pump().RunCommand([&] { outcome = player.PlayFile(path, MakeRelativePath(path)); });
    if (headless) {
      std::signal(SIGINT, SIG_DFL);
      std::signal(SIGTERM, SIG_DFL);
    }
    return outcome;
  };
}
