// The application's side of the document: the player's answers through the dialog service,
// the reports to the message box, the log and the message panel, and the game state a grid
// file carries beside the grids, gathered before a save and taken after a load.
#pragma once

#include "files/quorbel_doc.h"

class CQuorbelApp;

class CDocumentHost final : public quorbel::DocumentHost {
public:
  explicit CDocumentHost(CQuorbelApp &app);

  SaveAnswer AskSaveChanges(std::string_view title) override;
  std::optional<std::string> AskSaveFileName(std::string_view suggested, std::string_view directory) override;
  bool ConfirmReplace(std::string_view path) override;
  void ReportFileError(std::string_view message, std::string_view logLine) override;
  void ReportWarnings(std::string_view path, const std::vector<std::string> &warnings) override;
  quorbel::SaveQuestionRules QuestionRules() const override;
  std::string GridDirectory() const override;
  void GatherGameState(quorbel::SudGameState &game, quorbel::SudUndoHistory &undo) override;
  void GameStateLoaded(const quorbel::SudGameState &game, const quorbel::SudUndoHistory &undo,
                       int version) override;
  void TextGridLoaded(const quorbel::TextGridInfo &info, bool imported) override;
  void DocumentSaved(std::string_view path) override;
  bool ConfirmReplaceFiles(const std::vector<std::string> &paths) override;
  bool ConfirmManyFiles(size_t count, std::string_view folder) override;
  void OneLineCatalogImported(const std::vector<std::string> &gridNames, std::string_view stopped) override;

  // The game state of the running game. What no part of the program holds yet (the clock,
  // the score, the stopwatches, the methods panel) travels in it from file to file.
  const quorbel::SudGameState &GameState() const { return game_; }
  // How many file errors were reported so far: an open that failed tells it from one the
  // player cancelled.
  int ErrorsReported() const { return errorsReported_; }

private:
  // Candidates of every grid from scratch, then the board.
  // The numeral words, the Double and Triple points and the Trio classes of a file read.
  void TablesLoaded(const quorbel::SudGameState &game);
  void NumeralsToEngine();
  void RecomputeAndRedraw();
  void ApplySettingsBlock(const quorbel::SudSettingsBlock &block);
  void ApplyPlacements(const quorbel::SudGameState &game);
  void PostComment(std::string_view french, std::string_view english, int textLevel);
  // Tells the player when a grid of the set uses a rule this version cannot check.

  CQuorbelApp &app_;
  quorbel::SudGameState game_;
  int errorsReported_ = 0;
};
