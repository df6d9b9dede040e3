#include "app/macro_command_host.h"

#include <algorithm>
#include <filesystem>

#include "engine/grid_set.h"
#include "platform/paths.h"

namespace quorbel {

int MacroCommandContext::CurrentGrid() const { return CurrentGridSlot(Engine().Grids); }

GridRecord &MacroCommandContext::CurrentGridRecord() const {
  return Engine().Grids.Main[static_cast<size_t>(CurrentGrid())];
}

void MacroCommandContext::ShowAllCells() const {
  for (CellRecord &cell : CurrentGridRecord().Cells)
    cell.NotDrawn = 0;
}

std::string MacroCommandContext::FileArgument(const MacroCall &call, std::string folder,
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

bool MacroCommandContext::MayWrite(const std::string &path) const {
  namespace fs = std::filesystem;
  const DirectorySettings &d = Services.Settings.Values().directory;
  const std::string roots[] = {StartDirectory(), MakeAbsolutePath(d.myGrids), MakeAbsolutePath(d.txtGrids),
                               MakeAbsolutePath(d.macro), MacroFolder};
  // Resolved first, so that neither ".." nor a link leads out of a root.
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

const std::array<MacroCommand, kScriptWordCount> &MacroCommandTable() {
  static const std::array<MacroCommand, kScriptWordCount> table = [] {
    std::array<MacroCommand, kScriptWordCount> byWord{};
    for (const auto family :
         {MacroFileCommands(), MacroGridCommands(), MacroSolveCommands(), MacroDisplayCommands()})
      for (const MacroCommandRow &row : family)
        byWord[static_cast<size_t>(row.Code)] = row.Run;
    return byWord;
  }();
  return table;
}

void MacroCommandHost::SaveMacroSettings() {
  saved_ = services_.Settings.Values();
  services_.Menus.SaveHelps();
}

// The helps a macro showed go as they came, so that the game after it is not charged for them.
void MacroCommandHost::RestoreMacroSettings() {
  services_.Menus.RestoreHelps();
  AppSettings &now = services_.Settings.Values();
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
  services_.Settings.Apply();
  services_.Board.RebuildValueCursors();
}

int MacroCommandHost::RunCommand(const MacroCall &call) {
  const int code = call.Code();
  if (code < 0 || code >= kScriptWordCount)
    return kMacroStepFailed;
  const MacroCommand run = MacroCommandTable()[static_cast<size_t>(code)];
  return run ? run(context_, call) : kMacroStepFailed;
}

} // namespace quorbel
