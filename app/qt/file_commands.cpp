// The document commands of the File menu and their enabled states.
#include "app/qt/file_commands.h"
#include "engine/message_numbers.h"

#include "app/message_table.h"
#include "app/qt/board_window.h"
#include "app/qt/document_host.h"
#include "app/qt/empty_grid_dialog.h"
#include "app/qt/grid_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_set_rules.h"
#include "engine/grid_cells.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "files/file_bytes.h"
#include "files/file_failure.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

QString AllFilesFilter(const CQuorbelApp &app) {
  return French(app) ? QStringLiteral("Tous les fichiers (*)") : QStringLiteral("All Files (*)");
}

// Opening the file whose name the document bears asks whether to reload it; OK (or no
// asking) starts a new document first, after the usual question about its changes.
// False when the player cancelled that question.
bool PrepareReopening(CQuorbelApp &app, const std::string &path) {
  CQuorbelDoc *document = app.GetCurrentDocument();
  if (!document || FileNameOfPath(path) != document->Title())
    return true;
  if (app.Settings().general.askToBeSaved == 1) {
    const QMessageBox::StandardButton answer = app.Dialogs().MessageBox(
        app.MainFrame(),
        MessageBoxRequest{.title = QStringLiteral("Open File"),
                          .text = QString::fromUtf8(LookupMessage(kMsgReloadQuestion, app.CurrentLanguage())),
                          .icon = QMessageBox::Question,
                          .buttons = QMessageBox::Ok | QMessageBox::Cancel,
                          .defaultButton = QMessageBox::Ok});
    // Cancel leaves the open grid as it is; OK reopens the file.
    if (answer != QMessageBox::Ok)
      return false;
  }
  if (!document->SaveModified())
    return false;
  document->MarkDocumentModified("NULL");
  document->ForgetCarriedWords();
  return true;
}

bool OpenChosen(CQuorbelApp &app, const std::string &path) {
  if (!PrepareReopening(app, path) || !app.OpenDocumentFile(path))
    return false;
  RecordOpenedGrid(path);
  return true;
}

CommandState EnabledWhen(bool enabled) { return enabled ? CommandState{} : CommandState::Disabled(); }

constexpr int kFirstLevel = 1;

} // namespace

bool OpenGridFile(CQuorbelApp &app, const std::string &path) { return OpenChosen(app, path); }

void RecordOpenedGrid(const std::string &path) {
  RecordMacroStep(FileExtensionOfPath(path) == "sud" ? kMacroLoad : kMacroLoadT, MakeRelativePath(path));
}

void RegisterFileCommands(CQuorbelApp &app) {
  CommandDispatcher &commands = app.Commands();
  commands.SetHandler(Cmd::FileOpen, [&app](CommandId) { OpenGridFileDialog(app); });
  const auto gridExists = [&app] { return EnabledWhen(app.Engine().Geo.CellLimit >= 1); };
  const auto saving = [&app](bool (CQuorbelDoc::*save)()) {
    return [&app, save](CommandId) {
      if (CQuorbelDoc *document = app.GetCurrentDocument())
        (document->*save)();
    };
  };
  commands.SetHandler(Cmd::FileSave, saving(&CQuorbelDoc::OnFileSave), gridExists);
  commands.SetHandler(Cmd::FileSaveAs, saving(&CQuorbelDoc::OnFileSaveAs), gridExists);
  commands.SetHandler(
      Cmd::SaveTextGrids, [&app](CommandId) { SaveTextGrids(app); }, gridExists);
  commands.SetHandler(
      Cmd::OpenRecentFile,
      [&app](CommandId id) { OpenRecentFile(app, static_cast<int>(id - kIdFirstRecentFile)); },
      [&app] {
        CQuorbelDoc *document = app.GetCurrentDocument();
        return EnabledWhen(document && !document->RecentFiles().Paths().empty());
      });
}

bool OpenGridFileDialog(CQuorbelApp &app) {
  const QString path = app.Dialogs().OpenFileName(
      app.MainFrame(),
      FileDialogRequest{.caption = French(app) ? QStringLiteral("Ouvrir") : QStringLiteral("Open"),
                        .directory =
                            QString::fromStdString(EnsureDirectory(app.Settings().directory.myGrids)),
                        .filter = QStringLiteral("Quorbel Files (*.sud);;Sudoku Text File (*.txt);;") +
                                  AllFilesFilter(app)});
  return !path.isEmpty() && OpenChosen(app, path.toStdString());
}

bool OpenRecentFile(CQuorbelApp &app, int index) {
  CQuorbelDoc *document = app.GetCurrentDocument();
  if (!document || index < 0 || index >= static_cast<int>(document->RecentFiles().Paths().size()))
    return false;
  const std::string path = document->RecentFiles().Paths()[static_cast<size_t>(index)];
  const int reported = app.DocumentHost().ErrorsReported();
  if (OpenChosen(app, path))
    return true;
  // A file that could not be opened goes; a question the player cancelled leaves it.
  if (app.DocumentHost().ErrorsReported() != reported && app.Profile()) {
    document->RecentFiles().Remove(path);
    document->RecentFiles().Save(*app.Profile());
  }
  return false;
}

bool ImportTextGridDialog(CQuorbelApp &app) {
  CQuorbelDoc *document = app.GetCurrentDocument();
  if (!document)
    return false;
  const QString path = app.Dialogs().OpenFileName(
      app.MainFrame(),
      FileDialogRequest{.caption = QStringLiteral("Add Grid using File"),
                        .directory =
                            QString::fromStdString(EnsureDirectory(app.Settings().directory.txtGrids)),
                        .filter = QStringLiteral("Sudoku Text File (*.txt);;") + AllFilesFilter(app)});
  if (path.isEmpty() || !document->ImportTextGridFile(path.toStdString()))
    return false;
  if (CMainFrame *frame = app.MainFrame())
    frame->UpdateTitle();
  return true;
}

bool SaveTextGrids(CQuorbelApp &app, const std::string &path) {
  EngineContext &ctx = app.Engine();
  if (ctx.Geo.CellLimit < 1)
    return false;
  std::string target = path;
  if (target.empty()) {
    const GeneralSettings &general = app.Settings().general;
    const std::string folder = general.standarDir == 1 ? EnsureDirectory(app.Settings().directory.txtGrids)
                                                       : std::string(StartDirectory());
    const QString chosen = app.Dialogs().SaveFileName(
        app.MainFrame(),
        FileDialogRequest{.caption = French(app) ? QStringLiteral("Enregistrer en texte")
                                                 : QStringLiteral("Save Text"),
                          .directory = QString::fromStdString(folder),
                          .filter = QStringLiteral("Sudoku Text File (*.txt);;") + AllFilesFilter(app)});
    if (chosen.isEmpty())
      return false;
    target = chosen.toStdString();
    if (FileExtensionOfPath(target).empty())
      target += ".txt";
  }
  TextGridInfo info;
  info.CommentFrench = ctx.GridComments[kLanguageFrench];
  info.CommentEnglish = ctx.GridComments[kLanguageEnglish];
  // The engine holds the tables as the game changed them (a generated Trio grid draws its classes).
  std::copy(ctx.NumeralStrings.begin(), ctx.NumeralStrings.end(), info.NumeralStrings.begin());
  std::copy(ctx.Points.begin(), ctx.Points.end(), info.NumeralTable1.begin());
  SettleValueClasses(ctx.Geo.GridWidth, ctx.ValueClasses);
  std::copy(ctx.ValueClasses.begin(), ctx.ValueClasses.end(), info.NumeralTable2.begin());
  info.Level = app.Game().GameLevel;
  const FileWriteResult written = WriteFileReplacing(target, WriteTextGrid(ctx, info));
  if (!written.Ok()) {
    app.DocumentHost().ReportFileError(
        FileFailureMessage(written.Failure, target, written.Message, app.CurrentLanguage()),
        "Save Text: " + target + ": " + written.Message);
    return false;
  }
  RecordMacroStep(kMacroSaveT, MakeRelativePath(target));
  return true;
}

void StartEmptyGrid(CQuorbelApp &app, int shape, SymbolMode display) {
  EngineContext &ctx = app.Engine();
  ResetGridSet(ctx, 1);
  AppSettings &settings = app.Settings();
  settings.general.gridCurrSize = shape;
  settings.general.gridCurrDisp = display;
  settings.general.gridCurrDifficulty = kFirstLevel;
  settings.general.gridCurrVariant = 0;
  app.SyncEngineSettings();
  app.SaveSettings();
  SetGridShape(ctx, shape, 1, 0);
  GridRecord &grid = ctx.Grids.Main[0];
  grid.GridVar = {};
  ClearGrid(ctx, grid, kResetAll);
  ResetGridState(grid);
  ClearGrid(ctx, ctx.Grids.RefTab[0], kResetAll);
  ctx.Methods.GameMaxMethodLevel = -1;
  // The comments went with the grid they were about.
  ctx.GridComments = {};
  // A new document, and a new game on the empty grid at the first level.
  if (CQuorbelDoc *document = app.GetCurrentDocument()) {
    document->MarkDocumentModified("NULL");
    document->ForgetCarriedWords();
  }
  StartNewGridGame(app, kFirstLevel);
  // The values typed go into the cells in turn, from the first.
  if (BoardWindow *board = app.Board())
    board->StartSequentialEntry(0, 0);
  app.RedrawViewNow();
  if (app.Services().buildValueCursors)
    app.Services().buildValueCursors();
  RecordMacroStep(kMacroNew, {}, ctx.Geo.GridWidth,
                  ScriptArgWords[static_cast<size_t>(kArgNumber) + static_cast<size_t>(display)]);
}

bool NewEmptyGrid(CQuorbelApp &app) {
  const AppSettings &settings = app.Settings();
  // The dialog asks the save question while it stands; kept, nothing changes.
  CEmptyGrid dialog(
      app,
      [&app](int shape, SymbolMode display) {
        if (!app.QuerySaveDocument())
          return false;
        StartEmptyGrid(app, shape, display);
        return true;
      },
      app.CurrentLanguage(), settings.general.gridCurrSize,
      static_cast<SymbolMode>(settings.general.gridCurrDisp), app.DialogParent());
  return app.Dialogs().Exec(dialog) == QDialog::Accepted;
}

void RegisterEmptyGridCommand(CQuorbelApp &app) {
  app.Commands().SetHandler(Cmd::NewEmptyGrid, [&app](CommandId) { NewEmptyGrid(app); });
}
