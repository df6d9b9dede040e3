// The script commands the program carries out, one small handler per command word, grouped by
// what they act on: files, grids, solving and display. Each family lists its rows; the table
// joins them by command word. The handlers reach the program only through MacroServices.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/macro_player.h"
#include "app/macro_services.h"
#include "files/script_words.h"

namespace quorbel {

// What a handler works with: the services and the played macro's folder.
struct MacroCommandContext {
  MacroServices &Services;
  std::string MacroFolder;

  EngineContext &Engine() const { return Services.Document.Engine(); }
  bool French() const { return IsFrench(Services.Messages.CurrentLanguage()); }
  void Say(const std::string &text) const { Services.Messages.Show(PanelText::Plain(text)); }
  int CurrentGrid() const;
  GridRecord &CurrentGridRecord() const;
  // A grid a macro made or opened is shown at once, not uncovered cell by cell.
  void ShowAllCells() const;
  // A file argument: a name (the block's file from now on), "-" and a folder, or nothing (the
  // block's file). Empty when there is no name.
  std::string FileArgument(const MacroCall &call, std::string folder, std::string_view extension) const;
  // Whether a script may write there: below the start directory, the grid and macro folders or
  // the played macro's own folder.
  bool MayWrite(const std::string &path) const;
};

// A MacroStepResult.
using MacroCommand = int (*)(MacroCommandContext &context, const MacroCall &call);

struct MacroCommandRow {
  int Code;
  MacroCommand Run;
};

std::span<const MacroCommandRow> MacroFileCommands();
std::span<const MacroCommandRow> MacroGridCommands();
std::span<const MacroCommandRow> MacroSolveCommands();
std::span<const MacroCommandRow> MacroDisplayCommands();

// Every family's handler by its command word; none for the words the player handles itself.
const std::array<MacroCommand, kScriptWordCount> &MacroCommandTable();

} // namespace quorbel
