// The script's file commands: grids loaded and saved, files copied from the Custom folder, the
// catalogue and the irregular layouts extended, a magic profile loaded.
#include <cstdio>

#include "app/macro_commands.h"
#include "app/message_format.h"
#include "engine/grid_services.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

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

// LOAD, LOADT and ADDMULT.
int Load(MacroCommandContext &c, const MacroCall &call) {
  const DirectorySettings &d = c.Services.Settings.Values().directory;
  const bool text = call.Code() != kMacroLoad;
  const std::string_view extension = text ? ".txt" : ".sud";
  std::string path = c.FileArgument(call, MakeAbsolutePath(text ? d.txtGrids : d.myGrids), extension);
  // A name that holds its folder, as the recorder writes it, starts from the start directory.
  const std::string &name = call.CurrentFile();
  if (!path.empty() && !call.Text(1).starts_with('-') && name.find_first_of("/\\") != std::string::npos)
    path = MakeFilePath(name, StartDirectory(), extension);
  if (path.empty() || !c.Services.Document.Open(path))
    return kMacroStepFailed;
  c.ShowAllCells();
  c.Say((text ? "Load in Text Format " : "Load ") + path);
  c.Services.Board.Redraw();
  return kMacroStepDone;
}

// SAVE and SAVET.
int Save(MacroCommandContext &c, const MacroCall &call) {
  if (call.UnsetVariable(1)) {
    call.Number(1); // says which variable
    return kMacroStepAbandoned;
  }
  if (c.Engine().Geo.CellLimit <= 0) {
    c.Say(c.French() ? "Aucune grille à enregistrer : le script doit d'abord en créer ou en ouvrir une."
                     : "No grid to save: the script must make or open one first.");
    return kMacroStepFailed;
  }
  const bool text = call.Code() == kMacroSaveT;
  const DirectorySettings &d = c.Services.Settings.Values().directory;
  std::string folder = MakeAbsolutePath(text ? d.txtGrids : d.myGrids);
  std::string name;
  const std::string &argument = call.Text(1);
  if (call.Variable(1) >= 0) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Sudoku%03d", call.Number(1));
    name = buffer;
  } else if (!argument.empty() && argument[0] == '-') {
    folder = MakeAbsolutePath(argument.substr(1));
    name = call.CurrentFile();
    if (text && !folder.empty() && folder.back() == '*') {
      folder.pop_back();
      name = PlainFileName(c.Engine().Grids.Main[0].Comment);
    }
  } else if (!argument.empty()) {
    name = call.CurrentFile() = argument;
  }
  if (name.empty())
    name = FileTitleOfPath(FileNameOfPath(c.Services.Document.Name()));
  if (name.empty())
    name = "Quorbel";
  const std::string path = MakeFilePath(name, folder, text ? ".txt" : ".sud");
  if (!c.MayWrite(path)) {
    c.Say((c.French() ? "Écriture refusée hors des dossiers du jeu : "
                      : "Writing refused outside the game's folders: ") +
          path);
    return kMacroStepFailed;
  }
  c.Services.Files.MakeDirectories(DirectoryOfPath(path)); // the save says whether it could write
  bool saved = false;
  if (text) {
    saved = c.Services.Document.SaveText(path);
    if (saved)
      c.Say("Save in Text Format " + path);
  } else if (c.Services.Document.HasDocument()) {
    if (call.Text(2) == "R")
      c.Services.Document.RestartGame();
    saved = c.Services.Document.SaveAs(path);
    if (saved)
      c.Say("Save " + path);
  }
  return saved ? kMacroStepDone : kMacroStepFailed;
}

int Copy(MacroCommandContext &c, const MacroCall &call) {
  const std::string target =
      c.FileArgument(call, MakeAbsolutePath(c.Services.Settings.Values().directory.myGrids), "");
  if (target.empty())
    return kMacroStepFailed;
  const std::string source = MakeAbsolutePath("Custom/" + FileNameOfPath(call.CurrentFile()));
  if (!c.MayWrite(target))
    return kMacroStepFailed;
  if (!c.Services.Files.MakeDirectories(DirectoryOfPath(target)))
    return kMacroStepAbandoned;
  if (!c.Services.Files.CopyFile(source, target))
    return kMacroStepFailed;
  c.Say("Copy from \\Custom to " + target);
  return kMacroStepDone;
}

int AddFunc(MacroCommandContext &c, const MacroCall &call) {
  const std::string file = MakeFilePath(call.Text(2), MakeAbsolutePath("Custom"), ".dat");
  const std::string what = call.Text(1);
  if (what == "R")
    return c.Services.Files.AddIrregularDefinitions(file) < 0 ? kMacroStepAbandoned : kMacroStepDone;
  // A catalogue that could not be rewritten fails the step: the script asked for it.
  if (what == "G")
    return c.Services.Files.MergeCatalog(file) ? kMacroStepDone : kMacroStepFailed;
  if (what == "C")
    return c.Services.Files.CleanCatalogStatus() ? kMacroStepDone : kMacroStepFailed;
  if (what == "T") {
    SetGeneratedComment(c.Engine(), call.Text(2));
    return kMacroStepDone;
  }
  if (what == "D") {
    const int best = c.Services.Solver.MaxDoubleTriple();
    c.Services.Messages.Show(FormatPanelText(OwnText("Max computed:%d"), {best}));
    return best < 0 ? kMacroStepAbandoned : kMacroStepDone;
  }
  return kMacroStepAbandoned;
}

int Magic(MacroCommandContext &c, const MacroCall &call) {
  if (!call.Has(1))
    return kMacroStepDone;
  const std::string path =
      MakeFilePath(call.Text(1), MakeAbsolutePath(c.Services.Settings.Values().directory.magic), ".magic");
  if (!c.Services.Settings.ApplyMagicProfile(path))
    return kMacroStepFailed;
  c.Say("Load Magic " + path);
  return kMacroStepDone;
}

constexpr MacroCommandRow kRows[] = {
    {kMacroLoad, Load},  {kMacroLoadT, Load}, {kMacroAddMult, Load},    {kMacroSave, Save},
    {kMacroSaveT, Save}, {kMacroCopy, Copy},  {kMacroAddFunc, AddFunc}, {kMacroMagic, Magic},
};

} // namespace

std::span<const MacroCommandRow> MacroFileCommands() { return kRows; }

} // namespace quorbel
