// The script's display commands: the candidate helps, the methods, text sizes, symbols, cell
// display, layout and background, the board's areas and windows, the preference flags, clicks on
// the board and its bars, the kaleidoscope, printing, and the music.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "app/macro_commands.h"
#include "engine/grid_set.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

int DispC(MacroCommandContext &c, const MacroCall &call) {
  c.Services.Menus.SetPossLevel(call.Number(1));
  return kMacroStepDone;
}

// The word that switches each help of the methods panel.
struct HelpRow {
  int Code;
  MacroHelp Help;
};
constexpr HelpRow kHelps[] = {
    {kMacroDispL, MacroHelp::LineColumn}, {kMacroDispP, MacroHelp::Probables},
    {kMacroDispT, MacroHelp::Found},      {kMacroDispV, MacroHelp::VariantFilter},
    {kMacroDispR, MacroHelp::Colouring},  {kMacroDispW, MacroHelp::Warning},
};

// DISPL, DISPP, DISPT, DISPV, DISPR and DISPW: the help on when argument 1 is Y.
int DispHelp(MacroCommandContext &c, const MacroCall &call) {
  const auto row = std::find_if(std::begin(kHelps), std::end(kHelps),
                                [&](const HelpRow &r) { return r.Code == call.Code(); });
  if (row == std::end(kHelps))
    return kMacroStepFailed;
  return c.Services.Menus.SetHelp(row->Help, call.IsY(1)) ? kMacroStepDone : kMacroStepFailed;
}

// A word of the script and the setting it names.
struct SettingRow {
  int Word;
  int32_t GeneralSettings::*Setting;
};

// The text sizes CARS names (ALL sets every one).
constexpr SettingRow kTextSizes[] = {
    {kArgCell, &GeneralSettings::deltaFontCell},   {kArgProb, &GeneralSettings::deltaFontProb},
    {kArgLineCol, &GeneralSettings::deltaFontLc},  {kArgMat, &GeneralSettings::deltaFontMatrix},
    {kArgComment, &GeneralSettings::deltaFontCom},
};

// The layout values PREFGEOM sets as given.
constexpr SettingRow kLayoutValues[] = {
    {kArgDx, &GeneralSettings::longCase},     {kArgDy, &GeneralSettings::hautCase},
    {kArgDxx, &GeneralSettings::interCaseX},  {kArgDyy, &GeneralSettings::interCaseY},
    {kArgDix, &GeneralSettings::interBlockX}, {kArgDiy, &GeneralSettings::interBlockY},
    {kArgDpy, &GeneralSettings::haut19},      {kArgBdc, &GeneralSettings::borderCell},
    {kArgBdb, &GeneralSettings::borderBlock}, {kArgCdy, &GeneralSettings::displayComDy},
};

template <size_t N> int32_t *SettingOf(GeneralSettings &g, const SettingRow (&rows)[N], int word) {
  for (const SettingRow &row : rows)
    if (row.Word == word)
      return &(g.*row.Setting);
  return nullptr;
}

int Method(MacroCommandContext &c, const MacroCall &call) {
  c.Services.Settings.Values().method.method = call.Number(1);
  c.Services.Settings.Apply();
  return kMacroStepDone;
}

int Cars(MacroCommandContext &c, const MacroCall &call) {
  GeneralSettings &g = c.Services.Settings.Values().general;
  const int delta = call.Number(2);
  if (call.Word(1) == kArgAll) {
    for (const SettingRow &row : kTextSizes)
      g.*row.Setting = delta;
  } else if (int32_t *size = SettingOf(g, kTextSizes, call.Word(1))) {
    *size = delta;
  } else {
    return kMacroStepFailed;
  }
  c.Services.Settings.Apply();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int PrefDisp(MacroCommandContext &c, const MacroCall &call) {
  const int word = call.Word(1);
  if (word < kArgNumber || word > kArgCartoon)
    return kMacroStepFailed;
  return c.Services.Menus.SetSymbolMode(word - kArgNumber) ? kMacroStepDone : kMacroStepFailed;
}

int PrefCell(MacroCommandContext &c, const MacroCall &call) {
  const int word = call.Word(1);
  const int display = word == kArgSingle  ? 0
                      : word == kArgMulti ? 1
                      : word == kArgMat   ? 2
                      : word == kArgProb  ? 3
                                          : -1;
  if (display < 0)
    return kMacroStepFailed;
  return c.Services.Menus.SetCellDisplay(display) ? kMacroStepDone : kMacroStepFailed;
}

int PrefGeom(MacroCommandContext &c, const MacroCall &call) {
  GeneralSettings &g = c.Services.Settings.Values().general;
  const int value = call.Number(2);
  const int word = call.Word(1);
  if (int32_t *setting = SettingOf(g, kLayoutValues, word)) {
    *setting = value;
  } else if (word == kArgBdx) {
    g.displayBarDx = call.Value(2) / 100.0;
  } else if (word == kArgTransparency) {
    g.transparency = std::clamp(value, 0, 255);
  } else if (word == kArgRndDelay) {
    g.bgRandom = value >= 0 ? 1 : 0;
    g.delayBgImage = std::max(0, value);
    c.Services.Board.RotateBackground();
  } else {
    return kMacroStepFailed;
  }
  c.Services.Settings.Apply();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int PrefBgim(MacroCommandContext &c, const MacroCall &call) {
  if (!call.Has(1))
    return kMacroStepFailed;
  GeneralSettings &g = c.Services.Settings.Values().general;
  // The picture keeps its own extension, which the path is made with, dot included.
  std::string extension = FileExtensionOfPath(call.Text(1));
  if (!extension.empty())
    extension.insert(extension.begin(), '.');
  g.backgroundImage = MakeFilePath(
      call.Text(1), MakeAbsolutePath(c.Services.Settings.Values().directory.background), extension);
  g.bgRandom = 0;
  c.Services.Board.ReloadBackground();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int PrefBgimR(MacroCommandContext &c, const MacroCall &call) {
  c.Services.Settings.Values().general.bgRandom = call.IsY(1) ? 1 : 0;
  c.Services.Board.RotateBackground();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

int PrefAnim(MacroCommandContext &c, const MacroCall &call) {
  if (!call.Has(1))
    return kMacroStepFailed;
  const std::string name =
      MakeFilePath(call.Text(1), MakeAbsolutePath(c.Services.Settings.Values().directory.animated), ".ani");
  if (!c.Services.Board.LoadPictureSet(name))
    return kMacroStepFailed;
  c.Services.Board.RebuildValueCursors();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

// The areas and windows AREA shows or hides, by their words.
struct AreaRow {
  int Word;
  MacroArea Area;
};
constexpr AreaRow kAreas[] = {
    {kArgLineCol, MacroArea::LineColumn},    {kArgComment, MacroArea::Comment},
    {kArgBar, MacroArea::ImageBar},          {kArgMethod, MacroArea::Methods},
    {kArgPreference, MacroArea::Preference}, {kArgMagic, MacroArea::MagicSelect},
    {kArgMusic, MacroArea::Music},
};

int Area(MacroCommandContext &c, const MacroCall &call) {
  const int word = call.Word(1);
  const auto row =
      std::find_if(std::begin(kAreas), std::end(kAreas), [&](const AreaRow &r) { return r.Word == word; });
  if (row != std::end(kAreas))
    c.Services.Menus.ShowArea(row->Area, call.IsY(2));
  else if (word != kArgLegend) // drawn with the board; nothing to switch
    return kMacroStepFailed;
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

// The on/off preferences PREF names, by their words.
template <typename Settings> struct PrefFlagRow {
  int Word;
  int32_t Settings::*Flag;
};

constexpr PrefFlagRow<GeneralSettings> kGeneralFlags[] = {
    {kArgAuto, &GeneralSettings::autoSize},
    {kArgPrefLoad, &GeneralSettings::prefLoad},
    {kArgPosLoad, &GeneralSettings::posLoad},
    {kArgAbsolute, &GeneralSettings::absolute},
    {kArgBlockLim, &GeneralSettings::blockLimit},
    {kArgBlockCol, &GeneralSettings::blockColors},
    {kArgBlockBar, &GeneralSettings::blockBars},
    {kArgCellSquare, &GeneralSettings::cellSquare},
    {kArgAnim, &GeneralSettings::animGif},
    {kArgAction, &GeneralSettings::animAction},
    {kArgDrag, &GeneralSettings::drag},
    {kArgParasit, &GeneralSettings::parasit},
    {kArgIfFalse, &GeneralSettings::resetIfFalse},
    {kArgRotate, &GeneralSettings::puzzleRotation},
    {kArgBoatUniq, &GeneralSettings::puzzlePieceUniq},
    {kArgAutoNoBoat, &GeneralSettings::autoNoBoat},
    {kArgIdem, &GeneralSettings::displayBarAreaIdem},
    {kArgMatAll, &GeneralSettings::displayMatAll},
    {kArgMatFond, &GeneralSettings::displayMatFond},
    {kArgMatAuto, &GeneralSettings::displayMatAuto},
    {kArgKeepRatio, &GeneralSettings::keepRatio},
};

constexpr PrefFlagRow<MusicSettings> kMusicFlags[] = {
    {kArgMusDir, &MusicSettings::useDirectory},
    {kArgMusLoop, &MusicSettings::autoLoop},
    {kArgMusSilent, &MusicSettings::silent},
};

// The flag a PREF word names; none for the numbers and the unknown words.
int32_t *PrefFlag(AppSettings &s, int word) {
  for (const auto &row : kGeneralFlags)
    if (row.Word == word)
      return &(s.general.*row.Flag);
  for (const auto &row : kMusicFlags)
    if (row.Word == word)
      return &(s.music.*row.Flag);
  return nullptr;
}

int Pref(MacroCommandContext &c, const MacroCall &call) {
  AppSettings &s = c.Services.Settings.Values();
  const int word = call.Word(1);
  if (int32_t *flag = PrefFlag(s, word))
    *flag = call.IsY(2) ? 1 : 0;
  else if (word == kArgVarDepth)
    s.catalog.varDepth = std::clamp(call.Number(2), 0, 100);
  else if (word == kArgVarMult)
    s.catalog.varMult = call.Number(2);
  else if (word == kArgVarNGrids)
    s.catalog.varNGrids = std::clamp(call.Number(2), 0, 12);
  else
    return kMacroStepFailed;
  c.Services.Settings.Apply();
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

// CLICK target: -1 undo, -2 the message panel, -3 no selection, -4 a grid tab, 0 the shuffle
// button, 1..width the number bar, then the colour bar, and 100 + cell the cells.
int Click(MacroCommandContext &c, const MacroCall &call) {
  constexpr int kFirstCellTarget = 100;
  constexpr int kCtrlClick = 2; // the mode of a click that adds to what is selected or shown
  const EngineContext &ctx = c.Engine();
  const int target = call.Number(1);
  if (target == kClickGridTab) {
    const bool done = c.Services.Board.ClickGridTab(call.Number(2), call.Number(3) == kCtrlClick);
    c.Services.Board.Redraw();
    return done ? kMacroStepDone : kMacroStepFailed;
  }
  int grid = call.Number(2);
  int mode = call.Number(3);
  if (mode == -1) {
    mode = grid;
    grid = 0;
  } else if (grid < 0 || grid >= UsedMainCount(ctx.Grids)) {
    grid = c.CurrentGrid();
  }
  const int width = ctx.Geo.GridWidth;
  bool done = true;
  if (target == -1) {
    c.Services.Menus.Undo();
  } else if (target == -2) {
    done = c.Services.Board.FocusMessagePanel();
  } else if (target == -3) {
    done = c.Services.Board.ClearSelection();
  } else if (target >= kFirstCellTarget && target < kFirstCellTarget + ctx.Geo.CellLimit) {
    done = c.Services.Board.SelectCell(grid, target - kFirstCellTarget, mode);
  } else if (target == 0) {
    done = c.Services.Board.ShufflePictures();
    if (done)
      c.Services.Board.RebuildValueCursors();
  } else if (target >= 1 && target <= width) {
    // The number bar: its animations come with the picture sets; nothing else to do.
  } else if (target > kColourBarClickBase && target <= width + kColourBarClickBase) {
    // Switched on first: turning the display on clears the cells' colours.
    c.Services.Menus.SetHelp(MacroHelp::Colouring, true);
    c.Services.Board.ColourValueChains(target - kColourBarClickBase);
  } else {
    done = false;
  }
  c.Services.Board.Redraw();
  return done ? kMacroStepDone : kMacroStepFailed;
}

int Kal(MacroCommandContext &c, const MacroCall &) {
  if (!c.Services.Board.RunKaleidoscope())
    return kMacroStepFailed;
  return c.Services.Playback.AbortRequested() ? kMacroStepStopped : kMacroStepDone;
}

int Print(MacroCommandContext &c, const MacroCall &) {
  if (!c.Services.Board.Print())
    return kMacroStepFailed;
  c.Say("Print Grid");
  return kMacroStepDone;
}

int Volume(MacroCommandContext &c, const MacroCall &call) {
  MusicSettings &music = c.Services.Settings.Values().music;
  const int volume = call.Number(2);
  if (call.Word(1) == kArgMusic) {
    music.musicVolume = std::clamp(volume, 0, 100);
    if (music.silent == 0)
      c.Services.Settings.ApplyMusicVolume();
    c.Say("Music Volume Updated");
  } else if (call.Text(1) == "SOUND") {
    music.soundVolume = std::clamp(volume, -8000, 0);
    c.Say("Sound Volume Updated");
  } else {
    return kMacroStepFailed;
  }
  return kMacroStepDone;
}

int MusFile(MacroCommandContext &c, const MacroCall &call) {
  if (!call.Has(1)) {
    c.Services.Settings.CloseMusic();
    return kMacroStepDone;
  }
  c.Services.Settings.Values().music.musicFile = call.Text(1);
  c.Services.Settings.PlayMusic(MakeAbsolutePath(call.Text(1)));
  c.Services.Settings.ApplyMusicVolume();
  return kMacroStepDone;
}

constexpr MacroCommandRow kRows[] = {
    {kMacroDispC, DispC},       {kMacroDispL, DispHelp},      {kMacroDispP, DispHelp},
    {kMacroDispT, DispHelp},    {kMacroDispV, DispHelp},      {kMacroDispR, DispHelp},
    {kMacroDispW, DispHelp},    {kMacroMethod, Method},       {kMacroCars, Cars},
    {kMacroPrefDisp, PrefDisp}, {kMacroPrefCell, PrefCell},   {kMacroPrefGeom, PrefGeom},
    {kMacroPrefBgim, PrefBgim}, {kMacroPrefBgimR, PrefBgimR}, {kMacroPrefAnim, PrefAnim},
    {kMacroArea, Area},         {kMacroPref, Pref},           {kMacroClick, Click},
    {kMacroKal, Kal},           {kMacroPrint, Print},         {kMacroVolume, Volume},
    {kMacroMusFile, MusFile},
};

} // namespace

std::span<const MacroCommandRow> MacroDisplayCommands() { return kRows; }

} // namespace quorbel
