// The document: the path, title and modified flag of the grids the player works on, their
// opening (.sud of any version, or a text grid) and saving (.sud version 5, through a
// temporary file and a rename), the question before changes are dropped and the recent
// files. It holds no grid data: the engine context and the application's game state do.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_failure.h"
#include "files/recent_file_list.h"
#include "files/sud_file_state.h"
#include "files/text_grid_format.h"

namespace quorbel {

class AbstractProfileStore;
struct EngineContext;

// When the player is asked before changes are dropped: never while the game is paused,
// when the ASKTOBESAVED setting is 0 or while a macro plays.
struct SaveQuestionRules {
  bool Paused = false;
  bool AskToBeSaved = true;
  bool MacroPlaying = false;
};

// What the document needs of the application: the player's answers (through its dialog
// service), its messages, and the game state that grid files carry beside the grids.
class DocumentHost {
public:
  enum class SaveAnswer { Save, Discard, Cancel };

  virtual ~DocumentHost() = default;

  // "Save the changes to <title>?"
  virtual SaveAnswer AskSaveChanges(std::string_view title) = 0;
  // The save dialog ("Quorbel Files (*.sud)", prompting before it overwrites): the chosen
  // path, or nothing when the player cancels.
  virtual std::optional<std::string> AskSaveFileName(std::string_view suggested,
                                                     std::string_view directory) = 0;
  // The ".sud" added to a chosen name names a file that exists: replace it?
  virtual bool ConfirmReplace(std::string_view path) = 0;
  // A refused open or a failed save: the message for the player (a sentence in his language
  // naming the file, then the technical detail), the line for the log.
  virtual void ReportFileError(std::string_view message, std::string_view logLine) = 0;
  // What the file at `path`, which opened, still left out (technical details).
  virtual void ReportWarnings(std::string_view path, const std::vector<std::string> &warnings) = 0;

  virtual SaveQuestionRules QuestionRules() const = 0;
  // DIRECTORY/MYGRIDS.
  virtual std::string GridDirectory() const = 0;
  // Before a save: recompute every grid's candidates, then fill the game state and undo
  // history the file stores.
  virtual void GatherGameState(SudGameState &game, SudUndoHistory &undo) = 0;
  // After a .sud file replaced the grid set (version 1 to 5): take its state, then
  // recompute the candidates.
  virtual void GameStateLoaded(const SudGameState &game, const SudUndoHistory &undo, int version) = 0;
  // After a text grid replaced the grid set (imported = false) or added grids to it.
  virtual void TextGridLoaded(const TextGridInfo &info, bool imported) = 0;
  // A save went through: the catalogue marks its grid, the menu shows the recent files.
  virtual void DocumentSaved(std::string_view path) = 0;
  // A one-line catalogue would write `count` files (more than kManyImportFiles) into `folder`:
  // go on?
  virtual bool ConfirmManyFiles(size_t /*count*/, std::string_view /*folder*/) { return true; }
  // A one-line catalogue would replace these files: go on? Asked once for all of them.
  virtual bool ConfirmReplaceFiles(const std::vector<std::string> &paths) {
    return ConfirmReplace(paths.front());
  }
  // A one-line catalogue became text grid files: `stopped` says which line ended it early.
  virtual void OneLineCatalogImported(const std::vector<std::string> & /*gridNames*/,
                                      std::string_view /*stopped*/) {}
};

class CQuorbelDoc {
public:
  CQuorbelDoc(EngineContext &ctx, DocumentHost &host, AbstractProfileStore &profile);

  const std::string &PathName() const { return path_; }
  const std::string &Title() const { return title_; }
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  // "NULL": unmodified, no path, the title "SudDoc". "": modified. Any other name:
  // modified, no path (the next save asks for one), titled by the name less ".txt".
  void MarkDocumentModified(std::string_view name);

  // True to go on (the changes were saved or may be dropped), false when the player cancels.
  bool SaveModified();

  // Asks about unsaved changes, then opens the file. A refused file changes nothing and is
  // reported naming the file and what is wrong.
  bool OpenDocumentFile(const std::string &path);
  // The menu commands: nothing to save until a grid exists.
  bool OnFileSave();
  bool OnFileSaveAs();
  // Saves to `path`, asking for a name when there is none, the file is read-only or
  // `replace` is set; the name gets ".sud" when it lacks it. A failed save keeps the old
  // file and is reported.
  bool SaveDocumentAs(std::string path, bool replace);

  // Adds the grids of a text grid file after those of the set (same size only).
  bool ImportTextGridFile(const std::string &path);

  RecentFileList &RecentFiles() { return recent_; }
  // The words no record of ours holds, carried from the last file opened to the next save.
  const SudCarriedWords &CarriedWords() const { return carried_; }
  // A new grid replaces the opened one: its carried words go with it.
  void ForgetCarriedWords() { carried_ = SudCarriedWords{}; }

private:
  bool ImportOneLineFile(const std::string &path, std::string_view text);
  void Opened(const std::string &path, const std::vector<std::string> &warnings);
  void Report(const std::string &path, bool saving, FileFailure failure, const std::string &detail);

  EngineContext &ctx_;
  DocumentHost &host_;
  AbstractProfileStore &profile_;
  std::string path_;
  std::string title_;
  bool modified_ = false;
  SudCarriedWords carried_;
  RecentFileList recent_;
};

} // namespace quorbel
