#include "app/qt/macro_host.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/macro_player.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "app/picture_order.h"
#include "app/qt/board_window.h"
#include "app/qt/candidate_display.h"
#include "app/qt/display_toggles.h"
#include "app/qt/file_commands.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/generate_commands.h"
#include "app/qt/grid_commands.h"
#include "app/qt/magic_profile_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/music_dialog.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/solve_command_handlers.h"
#include "app/qt/usage_timers.h"
#include "app/text_lines.h"
#include "engine/boat_marks.h"
#include "engine/cell_actions.h"
#include "engine/geometry.h"
#include "engine/grid_copy.h"
#include "engine/grid_services.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/grid_statistics.h"
#include "engine/irregular_blocks.h"
#include "engine/method_record.h"
#include "engine/reference_grids.h"
#include "engine/search_history.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/grid_catalog.h"
#include "files/macro_recorder.h"
#include "files/quorbel_doc.h"
#include "files/script_words.h"
#include "platform/paths.h"
#include "solver/optimise_grid.h"
#include "solver/solution_count.h"
#include "view/chain_colouring.h"
#include "view/selection_list.h"

using namespace quorbel;

namespace {

std::atomic<bool> gSignalled{false};

extern "C" void OnStopSignal(int) { gSignalled = true; }

// The folders a macro may write into: the start directory, the grid folders and its own.
bool MayWrite(const std::string &path, const std::vector<std::string> &roots) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path target = fs::weakly_canonical(fs::path(path), error);
  if (error)
    return false;
  for (const std::string &root : roots) {
    const fs::path base = fs::weakly_canonical(fs::path(root), error);
    if (error || base.empty())
      continue;
    const auto [rootEnd, targetAt] = std::mismatch(base.begin(), base.end(), target.begin(), target.end());
    if (rootEnd == base.end())
      return true;
  }
  return false;
}

// A name taken from a grid's comment: no folder, no "..", no control character.
std::string PlainFileName(const std::string &text) {
  std::string name;
  for (const char c : text)
    if (c != '/' && c != '\\' && static_cast<unsigned char>(c) >= 0x20)
      name += c;
  while (name.find("..") != std::string::npos)
    name.erase(name.find(".."), 2);
  return name.empty() ? std::string("Sudoku") : name;
}

class CMacroHost final : public MacroHost {
public:
  explicit CMacroHost(CQuorbelApp &app) : app_(app) {}

  void SetMacroFolder(const std::string &folder) { macroFolder_ = folder; }

  Language CurrentLanguage() const override { return app_.CurrentLanguage(); }
  void ShowMessage(const PanelText &text, bool evenMuted) override {
    if (evenMuted)
      app_.Messages().ForceInfoMessage(text);
    else
      app_.Messages().AddInfoMessage(text);
  }
  void ClearMessages() override { app_.Messages().ClearMessagePanel(); }
  void SetMessagesMuted(bool muted) override { app_.Messages().SetMessagesMuted(muted); }
  void Redraw() override { app_.RedrawViewNow(); }
  bool PollUserAbort() override {
    if (gSignalled)
      app_.Pump().RequestAbort();
    return app_.PollUserAbort();
  }
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
  void SetMacroMode(bool on) override { on ? app_.State().StartMacro() : app_.State().EndMacro(); }
  void StopRecording() override { StopMacroRecording(false); }
  void SaveMacroSettings() override {
    saved_ = app_.Settings();
    savedSwitches_ = FrameSwitches();
    savedFilter_ = app_.Engine().Settings.VariantFilterSwitch;
  }
  void RestoreMacroSettings() override {
    RestoreDisplaySwitches();
    AppSettings &now = app_.Settings();
    now.general.probType = saved_.general.probType;
    now.general.gridCurrDisp = saved_.general.gridCurrDisp;
    now.general.gridCurrVariant = saved_.general.gridCurrVariant;
    now.general.animAction = saved_.general.animAction;
    now.general.drag = saved_.general.drag;
    now.general.parasit = saved_.general.parasit;
    now.general.prefLoad = saved_.general.prefLoad;
    now.general.askToBeSaved = saved_.general.askToBeSaved;
    now.general.deltaFontCom = saved_.general.deltaFontCom;
    now.general.deltaFontCell = saved_.general.deltaFontCell;
    now.general.deltaFontLc = saved_.general.deltaFontLc;
    now.general.deltaFontProb = saved_.general.deltaFontProb;
    now.general.deltaFontMatrix = saved_.general.deltaFontMatrix;
    now.catalog.varDepth = saved_.catalog.varDepth;
    now.catalog.varNGrids = saved_.catalog.varNGrids;
    now.catalog.varMult = saved_.catalog.varMult;
    app_.SyncEngineSettings();
    if (app_.Services().buildValueCursors)
      app_.Services().buildValueCursors();
  }

  int RunCommand(const MacroCall &call) override;

private:
  EngineContext &Engine() const { return app_.Engine(); }
  bool French() const { return IsFrench(app_.CurrentLanguage()); }
  void Say(const std::string &text) { app_.Messages().AddInfoMessage(PanelText::Plain(text)); }
  int CurrentGrid() const { return CurrentGridSlot(Engine().Grids); }
  std::string Folder(const std::string &setting) const { return MakeAbsolutePath(setting); }
  // A grid a macro made or opened is shown at once, not uncovered cell by cell.
  void ShowAllCells() {
    for (CellRecord &cell : Engine().Grids.Main[static_cast<size_t>(CurrentGrid())].Cells)
      cell.NotDrawn = 0;
  }
  // A file argument: a name (the block's file from now on), "-" and a folder, or nothing.
  std::string FileArgument(const MacroCall &call, std::string folder, std::string_view extension) const;
  std::vector<std::string> WritableRoots() const;
  bool ToggleTo(Cmd cmd, bool on);
  int SetCell(const MacroCall &call);
  int SetMarks(const MacroCall &call, bool probables);
  int Click(const MacroCall &call);
  int Area(const MacroCall &call);
  int Pref(const MacroCall &call);
  int Geometry(const MacroCall &call);
  int Save(const MacroCall &call, bool text);
  int Copy(const MacroCall &call);

  void RestoreDisplaySwitches();

  CQuorbelApp &app_;
  AppSettings saved_;
  DisplaySwitches savedSwitches_;
  int32_t savedFilter_ = 0;
  std::string macroFolder_;
};

std::string CMacroHost::FileArgument(const MacroCall &call, std::string folder,
                                     std::string_view extension) const {
  const std::string &argument = call.Text(1);
  if (!argument.empty() && argument[0] == '-')
    folder = MakeAbsolutePath(argument.substr(1));
  else if (!argument.empty())
    call.CurrentFile() = argument;
  const std::string &name = call.CurrentFile();
  if (name.empty())
    return {};
  return MakeFilePath(name, folder, extension);
}

std::vector<std::string> CMacroHost::WritableRoots() const {
  const DirectorySettings &d = app_.Settings().directory;
  return {StartDirectory(), Folder(d.myGrids), Folder(d.txtGrids), Folder(d.macro), macroFolder_};
}

// The helps a macro showed go as they came, so that the game after it is not charged for them.
void CMacroHost::RestoreDisplaySwitches() {
  DisplaySwitches &now = FrameSwitches();
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
    TimeUsage(app_, kTimerPossLevel1 + k, levelShown && now.PossDisplayLevel == k);
  TimeUsage(app_, kTimerLineColumn, now.ShowPossLineCol == 1);
  TimeUsage(app_, kTimerProbables, now.ShowProbables == 1);
  TimeUsage(app_, kTimerFound, now.ShowFound == 1);
  TimeUsage(app_, kTimerVariantFilter, savedFilter_ == 1);
  TimeUsage(app_, kTimerColouring, now.ShowColouring == 1);
  TimeUsage(app_, kTimerWarning, now.ShowWarning == 1);
  RecomputeAllPossibles(app_);
}

bool CMacroHost::ToggleTo(Cmd cmd, bool on) {
  const auto &rows = app_.Commands().RowsOf(cmd);
  if (rows.empty())
    return false;
  const CommandId id = rows.front()->idEn != 0 ? rows.front()->idEn : rows.front()->idFr;
  if (app_.Commands().State(id).checked.value_or(false) != on)
    return app_.Commands().Execute(id);
  return true;
}

int CMacroHost::Save(const MacroCall &call, bool text) {
  if (call.UnsetVariable(1)) {
    call.Number(1); // says which variable
    return kMacroStepAbandoned;
  }
  const DirectorySettings &d = app_.Settings().directory;
  std::string folder = Folder(text ? d.txtGrids : d.myGrids);
  std::string name;
  const std::string &argument = call.Text(1);
  CQuorbelDoc *document = app_.GetCurrentDocument();
  if (call.Variable(1) >= 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Sudoku%03d", call.Number(1));
    name = buffer;
  } else if (!argument.empty() && argument[0] == '-') {
    folder = MakeAbsolutePath(argument.substr(1));
    name = call.CurrentFile();
    if (text && !folder.empty() && folder.back() == '*') {
      folder.pop_back();
      name = PlainFileName(Engine().Grids.Main[0].Comment);
    }
  } else if (!argument.empty()) {
    name = call.CurrentFile() = argument;
  }
  if (name.empty() && document)
    name = FileTitleOfPath(
        FileNameOfPath(document->PathName().empty() ? document->Title() : document->PathName()));
  if (name.empty())
    name = "Quorbel";
  const std::string path = MakeFilePath(name, folder, text ? ".txt" : ".sud");
  if (!MayWrite(path, WritableRoots())) {
    Say((French() ? "Écriture refusée hors des dossiers du jeu : "
                  : "Writing refused outside the game's folders: ") +
        path);
    return kMacroStepFailed;
  }
  std::error_code error;
  std::filesystem::create_directories(DirectoryOfPath(path), error);
  bool saved = false;
  if (text) {
    saved = SaveTextGrids(app_, path);
    if (saved)
      Say("Save in Text Format " + path);
  } else if (document) {
    if (call.Text(2) == "R")
      RestartGame(app_, false);
    saved = document->SaveDocumentAs(path, false);
    if (saved)
      Say("Save " + path);
  }
  return saved ? kMacroStepDone : kMacroStepFailed;
}

int CMacroHost::Copy(const MacroCall &call) {
  const std::string target = FileArgument(call, Folder(app_.Settings().directory.myGrids), "");
  if (target.empty())
    return kMacroStepFailed;
  const std::string source = MakeAbsolutePath("Custom/" + FileNameOfPath(call.CurrentFile()));
  if (!MayWrite(target, WritableRoots()))
    return kMacroStepFailed;
  std::error_code error;
  std::filesystem::create_directories(DirectoryOfPath(target), error);
  if (error)
    return kMacroStepAbandoned;
  std::filesystem::copy_file(source, target, std::filesystem::copy_options::overwrite_existing, error);
  if (error)
    return kMacroStepFailed;
  Say("Copy from \\Custom to " + target);
  return kMacroStepDone;
}

int CMacroHost::SetCell(const MacroCall &call) {
  EngineContext &ctx = Engine();
  const int cell = call.Number(1);
  const int value = call.Number(2);
  if (value < 0 || value > ctx.Geo.GridWidth)
    return kMacroStepFailed;
  const int slot = cell == -3 && ctx.Grids.FocusGrid >= 0 ? ctx.Grids.FocusGrid : CurrentGrid();
  const int target = cell == -3 ? ctx.Grids.FocusCell : cell;
  if (cell != -2 && (target < 0 || target >= ctx.Geo.NCells))
    return kMacroStepFailed;
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  const auto place = [&](int at) { SetCellValue(ctx, grid, at, value, value == 0 ? 6 : 1); };
  if (cell == -2)
    for (int at = 0; at < ctx.Geo.NCells; ++at)
      place(at);
  else
    place(target);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  if (BoardWindow *board = app_.Board())
    board->CheckEndOfGame();
  app_.RedrawViewNow();
  return kMacroStepDone;
}

int CMacroHost::SetMarks(const MacroCall &call, bool probables) {
  EngineContext &ctx = Engine();
  const int cell = call.Number(1);
  const int candidate = call.Number(2);
  const int type = call.Number(3);
  const int width = ctx.Geo.GridWidth;
  if (candidate < 0 || candidate > width || type < 0 || type > 2)
    return kMacroStepFailed;
  const int slot = cell == -3 && ctx.Grids.FocusGrid >= 0 ? ctx.Grids.FocusGrid : CurrentGrid();
  const int target = cell == -3 ? ctx.Grids.FocusCell : cell;
  if (cell != -2 && (target < 0 || target >= ctx.Geo.NCells))
    return kMacroStepFailed;
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  const auto mark = [&](int at) {
    CellRecord &record = grid.Cells[static_cast<size_t>(at)];
    for (int v = candidate == 0 ? 1 : candidate; v <= (candidate == 0 ? width : candidate); ++v) {
      const uint32_t bit = 1u << (v - 1);
      if (probables) {
        const uint32_t marks = record.ProbableMask;
        record.ProbableMask = type == 1 ? marks | bit : type == 0 ? marks & ~bit : marks ^ bit;
      } else {
        const bool present = record.Status == kStatusPencilled && (record.Marks & bit) != 0;
        if (type == 2 || (type == 1 && !present) || (type == 0 && present))
          SetCellValue(ctx, grid, at, v, 7);
      }
    }
  };
  if (cell == -2)
    for (int at = 0; at < ctx.Geo.NCells; ++at)
      mark(at);
  else
    mark(target);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app_.RedrawViewNow();
  return kMacroStepDone;
}

int CMacroHost::Click(const MacroCall &call) {
  EngineContext &ctx = Engine();
  const int target = call.Number(1);
  int grid = call.Number(2);
  int mode = call.Number(3);
  if (mode == -1) {
    mode = grid;
    grid = 0;
  } else if (grid < 0 || grid >= UsedMainCount(ctx.Grids)) {
    grid = CurrentGrid();
  }
  BoardWindow *board = app_.Board();
  int result = kMacroStepDone;
  if (target == -1) {
    ToggleTo(Cmd::EditUndo, true);
    app_.Commands().ExecuteCommand(Cmd::EditUndo);
  } else if (target == -2 && board) {
    SetFocusCell(board->Selection(), ctx.Grids, ctx.Geo, -2, 0);
  } else if (target == -3 && board) {
    ClearSelection(board->Selection(), ctx.Grids);
  } else if (target >= 100 && target < 100 + ctx.Geo.CellLimit && board) {
    const int cell = target - 100;
    if (mode < 1)
      board->MoveFocusToCell(grid, cell);
    else if (mode == 1)
      AddRangeToSelection(board->Selection(), ctx.Grids, ctx.Geo, cell, grid);
    else
      AddCellToSelection(board->Selection(), ctx.Grids, cell, grid);
  } else if (target == 0) {
    // The number bar's Shuffle: the picture set again, in a new order.
    if (app_.LoadCellPictures(PictureOrderMode::Shuffle) == 0)
      result = kMacroStepFailed;
    else if (app_.Services().buildValueCursors)
      app_.Services().buildValueCursors();
  } else if (target >= 1 && target <= ctx.Geo.GridWidth) {
    // The number bar: its animations come with the picture sets; nothing else to do.
  } else if (target > kColourBarClickBase && target <= ctx.Geo.GridWidth + kColourBarClickBase) {
    // The colour bar: the value's chains on the shown grids, as the slot's corner colours them.
    // Switched on first: turning the display on clears the cells' colours.
    SetHelpSwitch(app_, Cmd::DisplayColoring, true);
    const SelectionList none;
    const int value = target - kColourBarClickBase;
    ColourValueChains(ctx, board ? board->Selection() : none, value,
                      static_cast<MethodMask>(app_.Settings().method.method));
    if (board)
      board->Switches().ColouredValue = value;
  } else {
    result = kMacroStepFailed;
  }
  app_.RedrawViewNow();
  return result;
}

int CMacroHost::Area(const MacroCall &call) {
  const bool on = call.IsY(2);
  switch (call.Word(1)) {
  case kArgLineCol:
    ToggleTo(Cmd::DisplayLineColArea, on);
    break;
  case kArgComment:
    ToggleTo(Cmd::DisplayCommentZone, on);
    break;
  case kArgBar:
    ToggleTo(Cmd::DisplayImageBar, on);
    break;
  case kArgMethod:
    ToggleTo(Cmd::DisplayMethods, on);
    break;
  case kArgPreference:
    ToggleTo(Cmd::DisplayPreference, on);
    break;
  case kArgMagic:
    ToggleTo(Cmd::DisplayMagicSelect, on);
    break;
  case kArgMusic:
    ToggleTo(Cmd::DisplayMusic, on);
    break;
  case kArgLegend:
    break;
  default:
    return kMacroStepFailed;
  }
  app_.RedrawViewNow();
  return kMacroStepDone;
}

int CMacroHost::Pref(const MacroCall &call) {
  AppSettings &s = app_.Settings();
  const int32_t yes = call.IsY(2) ? 1 : 0;
  int32_t *flag = nullptr;
  switch (call.Word(1)) {
  case kArgAuto:
    flag = &s.general.autoSize;
    break;
  case kArgPrefLoad:
    flag = &s.general.prefLoad;
    break;
  case kArgPosLoad:
    flag = &s.general.posLoad;
    break;
  case kArgAbsolute:
    flag = &s.general.absolute;
    break;
  case kArgBlockLim:
    flag = &s.general.blockLimit;
    break;
  case kArgBlockCol:
    flag = &s.general.blockColors;
    break;
  case kArgBlockBar:
    flag = &s.general.blockBars;
    break;
  case kArgCellSquare:
    flag = &s.general.cellSquare;
    break;
  case kArgAnim:
    flag = &s.general.animGif;
    break;
  case kArgAction:
    flag = &s.general.animAction;
    break;
  case kArgDrag:
    flag = &s.general.drag;
    break;
  case kArgParasit:
    flag = &s.general.parasit;
    break;
  case kArgIfFalse:
    flag = &s.general.resetIfFalse;
    break;
  case kArgRotate:
    flag = &s.general.puzzleRotation;
    break;
  case kArgBoatUniq:
    flag = &s.general.puzzlePieceUniq;
    break;
  case kArgAutoNoBoat:
    flag = &s.general.autoNoBoat;
    break;
  case kArgIdem:
    flag = &s.general.displayBarAreaIdem;
    break;
  case kArgMatAll:
    flag = &s.general.displayMatAll;
    break;
  case kArgMatFond:
    flag = &s.general.displayMatFond;
    break;
  case kArgMatAuto:
    flag = &s.general.displayMatAuto;
    break;
  case kArgMusDir:
    flag = &s.music.useDirectory;
    break;
  case kArgMusLoop:
    flag = &s.music.autoLoop;
    break;
  case kArgMusSilent:
    flag = &s.music.silent;
    break;
  case kArgKeepRatio:
    flag = &s.general.keepRatio;
    break;
  case kArgVarDepth:
    s.catalog.varDepth = std::clamp(call.Number(2), 0, 100);
    break;
  case kArgVarMult:
    s.catalog.varMult = call.Number(2);
    break;
  case kArgVarNGrids:
    s.catalog.varNGrids = std::clamp(call.Number(2), 0, 12);
    break;
  default:
    return kMacroStepFailed;
  }
  if (flag)
    *flag = yes;
  app_.SyncEngineSettings();
  app_.RedrawViewNow();
  return kMacroStepDone;
}

int CMacroHost::Geometry(const MacroCall &call) {
  GeneralSettings &g = app_.Settings().general;
  const int value = call.Number(2);
  switch (call.Word(1)) {
  case kArgDx:
    g.longCase = value;
    break;
  case kArgDy:
    g.hautCase = value;
    break;
  case kArgDxx:
    g.interCaseX = value;
    break;
  case kArgDyy:
    g.interCaseY = value;
    break;
  case kArgDix:
    g.interBlockX = value;
    break;
  case kArgDiy:
    g.interBlockY = value;
    break;
  case kArgDpy:
    g.haut19 = value;
    break;
  case kArgBdc:
    g.borderCell = value;
    break;
  case kArgBdb:
    g.borderBlock = value;
    break;
  case kArgCdy:
    g.displayComDy = value;
    break;
  case kArgBdx:
    g.displayBarDx = call.Value(2) / 100.0;
    break;
  case kArgTransparency:
    g.transparency = std::clamp(value, 0, 255);
    break;
  case kArgRndDelay:
    g.bgRandom = value >= 0 ? 1 : 0;
    g.delayBgImage = std::max(0, value);
    if (BoardWindow *board = app_.Board())
      board->RotateBackgroundImage();
    break;
  default:
    return kMacroStepFailed;
  }
  app_.SyncEngineSettings();
  app_.RedrawViewNow();
  return kMacroStepDone;
}

int CMacroHost::RunCommand(const MacroCall &call) {
  EngineContext &ctx = Engine();
  AppSettings &settings = app_.Settings();
  const DirectorySettings &d = settings.directory;
  switch (call.Code()) {
  case kMacroLoad:
  case kMacroLoadT:
  case kMacroAddMult: {
    const bool text = call.Code() != kMacroLoad;
    const std::string path =
        FileArgument(call, Folder(text ? d.txtGrids : d.myGrids), text ? ".txt" : ".sud");
    if (path.empty() || !app_.OpenDocumentFile(path))
      return kMacroStepFailed;
    ShowAllCells();
    Say((text ? "Load in Text Format " : "Load ") + path);
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroSave:
    return Save(call, false);
  case kMacroSaveT:
    return Save(call, true);
  case kMacroNew: {
    const int size = call.Number(1);
    if (size < 1)
      return kMacroStepDone;
    if (ShapeCodeOfSize(size) < 0)
      return kMacroStepFailed;
    SetGridSize(ctx, size, 1);
    StartNewGridGame(app_, 1);
    // As after the empty-grid dialog: typed values go into the cells in turn.
    if (BoardWindow *board = app_.Board())
      board->StartSequentialEntry(0, 0);
    app_.RedrawViewNow();
    Say("New Grid");
    return kMacroStepDone;
  }
  case kMacroGenere: {
    const int shape = ShapeCodeOfSize(call.Number(1));
    if (shape < 0)
      return kMacroStepFailed;
    const int word = call.Word(2);
    const int level = word >= kArgEasy && word <= kArgTerrible ? word - kArgEasy + 1 : 1;
    settings.general.gridCurrSize = shape;
    constexpr uint32_t kNoWord = 0xFFFFFFFF; // -1: no second word
    const uint32_t word1 = call.Bits(3);
    const uint32_t second = call.Has(4) ? call.Bits(4) : kNoWord;
    const uint32_t word2 = second == kNoWord ? 0u : second;
    settings.general.gridCurrVariant = static_cast<uint64_t>(word1) | (static_cast<uint64_t>(word2) << 32);
    settings.general.uniqSolution = call.Word(5) == kArgUniq ? 1 : 0;
    app_.SyncEngineSettings();
    const int made = GenerateAtLevel(app_, level);
    if (app_.Pump().AbortRequested())
      return kMacroStepStopped;
    ShowAllCells();
    app_.RedrawViewNow();
    return made == 1 ? kMacroStepDone : kMacroStepFailed;
  }
  case kMacroReset:
    app_.Commands().ExecuteCommand(Cmd::BackToStartupGrid);
    Say("Go back to initial configuration");
    return kMacroStepDone;
  case kMacroInit:
    app_.Commands().ExecuteCommand(Cmd::DefineStartupGrid);
    Say("Define Initial configuration");
    return kMacroStepDone;
  case kMacroSearch: {
    const int found = SearchLinkedSolutions(ctx, -1, call.IsY(2) ? 1 : 0, std::max(1, call.Number(1)), 1);
    if (found == -10)
      return kMacroStepStopped;
    app_.Messages().AddInfoMessage(FormatPanelText(OwnText("Search Done with result: %d"), {found}));
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroProp1:
    return RunPropose(app_) == -10 ? kMacroStepStopped : kMacroStepDone;
  case kMacroSolve:
    return RunFullSolve(app_) == -10 ? kMacroStepStopped : kMacroStepDone;
  case kMacroDispC:
    SetPossLevel(app_, call.Number(1));
    return kMacroStepDone;
  case kMacroDispL:
    return SetHelpSwitch(app_, Cmd::DisplayPossLineCol, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroDispP:
    return SetHelpSwitch(app_, Cmd::DisplayProbable, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroDispT:
    return SetHelpSwitch(app_, Cmd::DisplayFound, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroDispV:
    return SetHelpSwitch(app_, Cmd::FilterVariant, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroDispR:
    return SetHelpSwitch(app_, Cmd::DisplayColoring, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroDispW:
    return SetHelpSwitch(app_, Cmd::DisplayWarning, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
  case kMacroMethod:
    settings.method.method = call.Number(1);
    app_.SyncEngineSettings();
    return kMacroStepDone;
  case kMacroCars: {
    GeneralSettings &g = settings.general;
    const int delta = call.Number(2);
    switch (call.Word(1)) {
    case kArgAll:
      g.deltaFontCom = g.deltaFontCell = g.deltaFontLc = g.deltaFontProb = g.deltaFontMatrix = delta;
      break;
    case kArgCell:
      g.deltaFontCell = delta;
      break;
    case kArgProb:
      g.deltaFontProb = delta;
      break;
    case kArgLineCol:
      g.deltaFontLc = delta;
      break;
    case kArgMat:
      g.deltaFontMatrix = delta;
      break;
    case kArgComment:
      g.deltaFontCom = delta;
      break;
    default:
      return kMacroStepFailed;
    }
    app_.SyncEngineSettings();
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroUndo:
  case kMacroRedo: {
    const Cmd cmd = call.Code() == kMacroUndo ? Cmd::EditUndo : Cmd::EditRedo;
    const int times = call.Number(1);
    for (int i = 0; times == 0 ? i < 100000 : i < times; ++i)
      if (!app_.Commands().ExecuteCommand(cmd))
        break;
    return kMacroStepDone;
  }
  case kMacroPrefDisp: {
    static constexpr Cmd modes[] = {Cmd::SymbolDigits, Cmd::SymbolLetters, Cmd::SymbolMixed,
                                    Cmd::SymbolPictures};
    const int word = call.Word(1);
    if (word < kArgNumber || word > kArgCartoon)
      return kMacroStepFailed;
    return app_.Commands().ExecuteCommand(modes[word - kArgNumber]) ? kMacroStepDone : kMacroStepFailed;
  }
  case kMacroPrefCell: {
    static constexpr Cmd cells[] = {Cmd::CellDisplaySingle, Cmd::CellDisplayLine, Cmd::CellDisplayMatrix,
                                    Cmd::CellDisplayProbable};
    const int word = call.Word(1);
    const int index = word == kArgSingle  ? 0
                      : word == kArgMulti ? 1
                      : word == kArgMat   ? 2
                      : word == kArgProb  ? 3
                                          : -1;
    if (index < 0)
      return kMacroStepFailed;
    return app_.Commands().ExecuteCommand(cells[index]) ? kMacroStepDone : kMacroStepFailed;
  }
  case kMacroPrefGeom:
    return Geometry(call);
  case kMacroPrefBgim:
    if (!call.Has(1))
      return kMacroStepFailed;
    settings.general.backgroundImage =
        MakeFilePath(call.Text(1), Folder(d.background), FileExtensionOfPath(call.Text(1)));
    settings.general.bgRandom = 0;
    if (BoardWindow *board = app_.Board())
      board->ReloadBackground();
    app_.RedrawViewNow();
    return kMacroStepDone;
  case kMacroPrefBgimR:
    settings.general.bgRandom = call.IsY(1) ? 1 : 0;
    if (BoardWindow *board = app_.Board())
      board->RotateBackgroundImage();
    app_.RedrawViewNow();
    return kMacroStepDone;
  case kMacroDispPoss: {
    const int cell = call.Number(1);
    if (cell < 0 || cell >= ctx.Geo.NCells)
      return kMacroStepFailed;
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(CurrentGrid())];
    for (CellRecord &record : grid.Cells)
      record.CellHighlight = 0;
    grid.Cells[static_cast<size_t>(cell)].CellHighlight = 1;
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroArea:
    return Area(call);
  case kMacroPref:
    return Pref(call);
  case kMacroSetDiff: {
    int level = call.Number(1);
    if (level == 0 && ctx.Methods.GameMaxMethodLevel >= 0)
      level = LevelFromDifficulty(ctx.Methods.GameMaxMethodLevel);
    if (level >= 1 && level <= 4)
      app_.Game().GameLevel = level;
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroSetCell:
    return SetCell(call);
  case kMacroSetPoss:
    return SetMarks(call, false);
  case kMacroSetProb:
    return SetMarks(call, true);
  case kMacroClick:
    return Click(call);
  case kMacroCopy:
    return Copy(call);
  case kMacroVolume: {
    const int volume = call.Number(2);
    if (call.Word(1) == kArgMusic) {
      settings.music.musicVolume = std::clamp(volume, 0, 100);
      if (settings.music.silent == 0 && app_.Services().applyMusicVolume)
        app_.Services().applyMusicVolume();
      Say("Music Volume Updated");
    } else if (call.Text(1) == "SOUND") {
      settings.music.soundVolume = std::clamp(volume, -8000, 0);
      Say("Sound Volume Updated");
    } else {
      return kMacroStepFailed;
    }
    return kMacroStepDone;
  }
  case kMacroMusFile:
    if (!call.Has(1)) {
      if (app_.Services().closeMusic)
        app_.Services().closeMusic();
      return kMacroStepDone;
    }
    settings.music.musicFile = call.Text(1);
    if (app_.Services().playMusic)
      app_.Services().playMusic(MakeAbsolutePath(call.Text(1)), MusicPlayerVolume(settings.music));
    if (app_.Services().applyMusicVolume)
      app_.Services().applyMusicVolume();
    return kMacroStepDone;
  case kMacroVariant: {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(CurrentGrid())];
    const uint32_t word1 = call.Bits(1);
    const uint32_t word2 = call.Bits(2);
    if (call.Number(3) != 0) {
      grid.GridVar.word1 |= word1;
      grid.GridVar.word2 |= word2;
    } else {
      grid.GridVar.word1 &= ~word1;
      grid.GridVar.word2 &= ~word2;
    }
    UpdatePossibles(ctx, -1, -1, -1, 1);
    app_.RedrawViewNow();
    app_.Messages().AddInfoMessage(FormatPanelText(OwnText("Varient updated %d-%d-%d"),
                                                   {call.Number(1), call.Number(2), call.Number(3)}));
    return kMacroStepDone;
  }
  case kMacroDispRef: {
    const int slot = CurrentGrid();
    ResetTransientState(ctx);
    SaveUndoState(ctx);
    CopyGrid(ctx, ctx.Grids.Main[static_cast<size_t>(slot)], &ctx.Grids.RefTab[static_cast<size_t>(slot)], 0);
    UpdatePossibles(ctx, -1, -1, -1, 1);
    app_.Messages().AddInfoMessage(FormatPanelText(MessageFormat(1, app_.CurrentLanguage()), {slot + 1}));
    app_.RedrawViewNow();
    Say("Display Reference Grid");
    return kMacroStepDone;
  }
  case kMacroRefGrid:
    if (call.Text(1) == "I") {
      SetRefTabFromCurrent(ctx);
      Say("Reference Grid updated with current");
      return kMacroStepDone;
    }
    switch (SolveToRefTab(ctx)) {
    case 1:
      Say("Generate Reference Grid with first solution");
      return kMacroStepDone;
    case 0:
      Say("No Search solution - can not update Reference Grid");
      return kMacroStepDone;
    case -10:
      return kMacroStepStopped;
    default:
      return kMacroStepDone;
    }
  case kMacroDispS:
  case kMacroDispN: {
    const int n = call.Number(1);
    ReinitGrids(ctx, 0, 1, 1, 1); // the search's solutions stay
    if (call.Code() == kMacroDispN && n < 0) {
      app_.RedrawViewNow();
      return kMacroStepDone;
    }
    const int level = call.Code() == kMacroDispS ? ctx.Solutions.ShownLevel + n : n - 1;
    if (ShowSearchSolution(ctx, level) < 0)
      return kMacroStepFailed;
    UpdatePossibles(ctx, -1, -1, -1, 1);
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroPrefAnim: {
    if (!call.Has(1))
      return kMacroStepFailed;
    const std::string name = MakeFilePath(call.Text(1), Folder(d.animated), ".ani");
    if (app_.LoadCellPictures(PictureOrderMode::Keep, name) == 0)
      return kMacroStepFailed;
    if (app_.Services().buildValueCursors)
      app_.Services().buildValueCursors();
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroSetBoat: {
    const int cell = call.Number(1);
    const int mark = call.Number(2);
    if (mark < 0 || mark > 2 || cell < -3 || cell >= ctx.Geo.NCells || cell == -1)
      return kMacroStepFailed;
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(CurrentGrid())];
    const bool autoWater = settings.general.autoNoBoat == 0;
    if (cell == -2) {
      for (int at = 0; at < ctx.Geo.NCells; ++at)
        SetBoatMark(ctx.Geo, grid, at, mark, autoWater);
    } else if (cell == -3) {
      if (BoardWindow *board = app_.Board())
        for (int i = 0; i < board->Selection().Count; ++i) {
          const SelectionPair &pair = board->Selection().Pairs[static_cast<size_t>(i)];
          if (pair.Cell >= 0 && pair.Cell < ctx.Geo.NCells)
            SetBoatMark(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(pair.Grid)], pair.Cell, mark, autoWater);
        }
    } else {
      SetBoatMark(ctx.Geo, grid, cell, mark, autoWater);
    }
    UpdatePossibles(ctx, -1, -1, -1, 1);
    app_.RedrawViewNow();
    return kMacroStepDone;
  }
  case kMacroMagic: {
    if (!call.Has(1))
      return kMacroStepDone;
    const std::string path = MakeFilePath(call.Text(1), Folder(d.magic), ".magic");
    if (!ApplyMagicProfile(app_, path))
      return kMacroStepFailed;
    Say("Load Magic " + path);
    return kMacroStepDone;
  }
  case kMacroAddFunc: {
    const std::string file = MakeFilePath(call.Text(2), MakeAbsolutePath("Custom"), ".dat");
    const std::string what = call.Text(1);
    if (what == "R")
      return AddIrregularDefinitions(ctx, file) < 0 ? kMacroStepAbandoned : kMacroStepDone;
    if (what == "G")
      return MergeCatalogFile(StartDirectory(), file, app_.CurrentLanguage()).Saved.Ok()
                 ? kMacroStepDone
                 : kMacroStepAbandoned;
    if (what == "C")
      return CleanCatalogStatus(StartDirectory(), app_.CurrentLanguage()).Ok() ? kMacroStepDone
                                                                               : kMacroStepAbandoned;
    if (what == "T") {
      SetGeneratedComment(ctx, call.Text(2));
      return kMacroStepDone;
    }
    if (what == "D") {
      const int best = RunComputeMaxDoubleTriple(app_);
      app_.Messages().AddInfoMessage(FormatPanelText(OwnText("Max computed:%d"), {best}));
      return best < 0 ? kMacroStepAbandoned : kMacroStepDone;
    }
    return kMacroStepAbandoned;
  }
  case kMacroStat: {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(CurrentGrid())];
    const std::string text =
        BuildGridStatistics(ctx, grid, app_.Game().GameLevel, ctx.Methods.GameMaxMethodLevel);
    for (const std::string_view line : SplitTextLines(text))
      Say(std::string(line));
    return kMacroStepDone;
  }
  case kMacroOptimise: {
    const int result = OptimiseGrid(ctx, 1, 1, 1, -1, 0);
    UpdatePossibles(ctx, -1, -1, -1, 1);
    app_.RedrawViewNow();
    return result == -1 && app_.Pump().AbortRequested() ? kMacroStepStopped : kMacroStepDone;
  }
  case kMacroKal:
    if (BoardWindow *board = app_.Board()) {
      board->RunKaleidoscope();
      return app_.Pump().AbortRequested() ? kMacroStepStopped : kMacroStepDone;
    }
    return kMacroStepFailed;
  case kMacroPrint:
    if (BoardWindow *board = app_.Board(); board && board->PrintBoard() == 1) {
      Say("Print Grid");
      return kMacroStepDone;
    }
    return kMacroStepFailed;
  case kMacroDelMult: {
    // Grids are numbered from 1, as their tabs; 0 (a word, or -2) is the grid in play.
    constexpr int kNoGridNumber = -2;
    int number = call.Number(1);
    if (number == kNoGridNumber)
      number = 0;
    const int slot = number > 0 ? number - 1 : CurrentGridSlot(ctx.Grids);
    if (number < 0 || !DeleteGridOfSet(app_, slot))
      return kMacroStepFailed;
    app_.Messages().AddInfoMessage(FormatPanelText(OwnText("Deleted Multiple Grid Number %d"), {number}));
    return kMacroStepDone;
  }
  default:
    return kMacroStepFailed;
  }
}

} // namespace

void InstallMacroPlayer(CQuorbelApp &app) {
  auto host = std::make_shared<CMacroHost>(app);
  auto player = std::make_shared<MacroPlayer>(*host);
  app.Services().runMacroFile = [&app, host, player](const std::string &chosen) -> int {
    if (player->Playing()) {
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
    host->SetMacroFolder(DirectoryOfPath(path));
    const bool headless = app.Headless();
    if (headless) {
      gSignalled = false;
      std::signal(SIGINT, OnStopSignal);
      std::signal(SIGTERM, OnStopSignal);
      app.Messages().SetEcho(
          [](const PanelText &text) { std::fprintf(stderr, "%s\n", StripLinkMarkers(text).c_str()); });
    }
    int outcome = kMacroAllDone;
    app.Pump().RunCommand([&] { outcome = player->PlayFile(path, MakeRelativePath(path)); });
    if (headless) {
      app.Messages().SetEcho({});
      std::signal(SIGINT, SIG_DFL);
      std::signal(SIGTERM, SIG_DFL);
    }
    return outcome;
  };
}
