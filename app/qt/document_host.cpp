// The document's host in the application: questions and reports in the player's language,
// and the passage of the game state between the program and the grid file.
#include "app/qt/document_host.h"

#include "engine/message_numbers.h"

#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>

#include "app/message_format.h"
#include "app/message_table.h"
#include "app/picture_order.h"
#include "app/qt/grid_list_dialog.h"
#include "app/qt/magic_profile_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/undo_history.h"
#include "app/static_texts.h"
#include "app/sud_settings_block.h"
#include "engine/cell_set_rules.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/grid_catalog.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

// The panels whose shown flag and placement a grid file keeps, in its order; the file puts
// the main frame's placement before theirs.
constexpr std::array<std::string_view, kShownFlagCount> kFilePanels = {"methods", "preferences", "profiles",
                                                                       "music"};
// The words of a window placement, in the order a grid file holds them.
enum PlacementWord {
  kLength,
  kFlags,
  kShowCommand,
  kMinX,
  kMinY,
  kMaxX,
  kMaxY,
  kLeft,
  kTop,
  kRight,
  kBottom
};
constexpr int32_t kPlacementBytes = 44;
constexpr int32_t kShowNormal = 1;
constexpr int32_t kShowMaximized = 3;
constexpr int32_t kNoPosition = -1;
// A placement read from a file outside these sizes is not taken.
constexpr int kMinWindowSide = 50;
constexpr int kMaxWindowSide = 16384;
constexpr int kLevelCount = 4;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

WindowPlacementWords PlacementOf(const QWidget &window) {
  const bool maximized = window.isMaximized();
  const QRect r = maximized ? window.normalGeometry() : window.geometry();
  WindowPlacementWords words;
  words.fill(kNoPosition); // the minimised and maximised positions are the system's
  words[kLength] = kPlacementBytes;
  words[kFlags] = 0;
  words[kShowCommand] = maximized ? kShowMaximized : kShowNormal;
  words[kLeft] = r.left();
  words[kTop] = r.top();
  words[kRight] = r.right() + 1;
  words[kBottom] = r.bottom() + 1;
  return words;
}

// The normal rectangle of a placement, when it is one a window can take.
std::optional<QRect> NormalRect(const WindowPlacementWords &words) {
  const int64_t width = int64_t{words[kRight]} - words[kLeft];
  const int64_t height = int64_t{words[kBottom]} - words[kTop];
  if (width < kMinWindowSide || height < kMinWindowSide || width > kMaxWindowSide ||
      height > kMaxWindowSide || std::abs(words[kLeft]) > kMaxWindowSide ||
      std::abs(words[kTop]) > kMaxWindowSide)
    return std::nullopt;
  return QRect(words[kLeft], words[kTop], static_cast<int>(width), static_cast<int>(height));
}

} // namespace

CDocumentHost::CDocumentHost(CQuorbelApp &app) : app_(app) {
  for (int v = 0; v < kNumeralCount; ++v)
    game_.NumeralStrings[v] = NumberWordsEn[v];
  NumeralsToEngine();
}

void CDocumentHost::NumeralsToEngine() {
  EngineContext &ctx = app_.Engine();
  std::copy(game_.NumeralStrings.begin(), game_.NumeralStrings.end(), ctx.NumeralStrings.begin());
  BuildNumeralCharMasks(ctx);
}

DocumentHost::SaveAnswer CDocumentHost::AskSaveChanges(std::string_view title) {
  const bool french = French(app_);
  const std::string text =
      FormatText(french ? OwnText("Enregistrer les modifications de %s ?") : OwnText("Save changes to %s?"),
                 {FormatArg(title)});
  const QMessageBox::StandardButton answer = app_.Dialogs().MessageBox(
      app_.MainFrame(), MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                          .text = ToQString(text),
                                          .icon = QMessageBox::Question,
                                          .buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          .defaultButton = QMessageBox::Yes});
  return answer == QMessageBox::Yes  ? SaveAnswer::Save
         : answer == QMessageBox::No ? SaveAnswer::Discard
                                     : SaveAnswer::Cancel;
}

std::optional<std::string> CDocumentHost::AskSaveFileName(std::string_view suggested,
                                                          std::string_view directory) {
  const bool french = French(app_);
  QString start = ToQString(suggested);
  if (!directory.empty() && !start.contains(QLatin1Char('/')))
    start = ToQString(directory) + QLatin1Char('/') + start;
  const QString chosen = app_.Dialogs().SaveFileName(
      app_.MainFrame(),
      FileDialogRequest{.caption = french ? QStringLiteral("Enregistrer sous") : QStringLiteral("Save As"),
                        .directory = start,
                        .filter = french ? QStringLiteral("Quorbel Files (*.sud);;Tous les fichiers (*)")
                                         : QStringLiteral("Quorbel Files (*.sud);;All Files (*)")});
  if (chosen.isEmpty())
    return std::nullopt;
  return chosen.toStdString();
}

bool CDocumentHost::ConfirmReplace(std::string_view path) {
  const bool french = French(app_);
  const std::string text = FormatText(french ? OwnText("%s existe déjà.\nVoulez-vous le remplacer ?")
                                             : OwnText("%s already exists.\nDo you want to replace it?"),
                                      {FormatArg(path)});
  return app_.Dialogs().MessageBox(app_.MainFrame(),
                                   MessageBoxRequest{.title = french ? QStringLiteral("Enregistrer sous")
                                                                     : QStringLiteral("Save As"),
                                                     .text = ToQString(text),
                                                     .icon = QMessageBox::Warning,
                                                     .buttons = QMessageBox::Yes | QMessageBox::No,
                                                     .defaultButton = QMessageBox::No}) == QMessageBox::Yes;
}

void CDocumentHost::ReportFileError(std::string_view message, std::string_view logLine) {
  ++errorsReported_;
  app_.Log().AppendLogLine(PanelText::Plain(logLine));
  app_.Dialogs().MessageBox(app_.MainFrame(), MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                                .text = ToQString(message),
                                                                .icon = QMessageBox::Warning});
}

void CDocumentHost::ReportWarnings(std::string_view path, const std::vector<std::string> &warnings) {
  app_.PostMessage(FormatPanelText(French(app_) ? OwnText("Une partie de %s a été laissée de côté :")
                                                : OwnText("Part of %s was left out:"),
                                   {FormatArg(path)}));
  for (const std::string &warning : warnings)
    app_.PostMessage(PanelText::Plain(warning));
}

SaveQuestionRules CDocumentHost::QuestionRules() const {
  return SaveQuestionRules{.Paused = app_.State().Paused(),
                           .AskToBeSaved = app_.Settings().general.askToBeSaved == 1,
                           .MacroPlaying = app_.State().MacroPlaying()};
}

std::string CDocumentHost::GridDirectory() const {
  return EnsureDirectory(app_.Settings().directory.myGrids);
}

void CDocumentHost::GatherGameState(SudGameState &game, SudUndoHistory &undo) {
  RecomputeAndRedraw();
  EngineContext &ctx = app_.Engine();
  AppSettings &settings = app_.Settings();
  settings.general.gridCurrSize = ctx.Settings.GridCurrSize;
  game = game_;
  // The Double and Triple points and the Trio classes travel in the Numeral tables, beside the
  // number words.
  SettleValueClasses(ctx.Geo.GridWidth, ctx.ValueClasses);
  std::copy(ctx.Points.begin(), ctx.Points.end(), game.NumeralTable1.begin());
  std::copy(ctx.ValueClasses.begin(), ctx.ValueClasses.end(), game.NumeralTable2.begin());
  std::copy(ctx.NumeralStrings.begin(), ctx.NumeralStrings.end(), game.NumeralStrings.begin());
  game.Paused = app_.State().Paused() ? 1 : 0;
  game.NewGridFlag = app_.State().NewGrid() ? 1 : 0;
  game.CommentFrench = ctx.GridComments[kLanguageFrench];
  game.CommentEnglish = ctx.GridComments[kLanguageEnglish];
  game.Settings = CaptureSudSettings(settings, PictureOrderOf(ctx.Settings.PictureOrder));
  if (const CMainFrame *frame = app_.MainFrame())
    game.Placements[0] = PlacementOf(*frame);
  for (int i = 0; i < kShownFlagCount; ++i) {
    game.ShownFlags[i] = app_.Panels().Shown(kFilePanels[i]) ? 1 : 0;
    if (const QWidget *window = app_.Panels().Window(kFilePanels[i]))
      game.Placements[i + 1] = PlacementOf(*window);
  }
  if (app_.Services().gatherGameState)
    app_.Services().gatherGameState(game);
  undo = CaptureUndoHistory(ctx);
}

void CDocumentHost::GameStateLoaded(const SudGameState &game, const SudUndoHistory &undo, int /*version*/) {
  EngineContext &ctx = app_.Engine();
  game_ = game;
  TablesLoaded(game);
  ctx.GridComments[kLanguageFrench] = game.CommentFrench;
  ctx.GridComments[kLanguageEnglish] = game.CommentEnglish;
  app_.Settings().general.gridCurrSize = ctx.Settings.GridCurrSize;
  if (game.Settings && app_.Settings().general.prefLoad == 1)
    ApplySettingsBlock(*game.Settings);
  if (app_.Settings().general.posLoad == 1)
    ApplyPlacements(game);
  RestoreUndoHistory(ctx, undo);
  if (app_.Services().gameStateLoaded)
    app_.Services().gameStateLoaded(game_);
  PostComment(game.CommentFrench, game.CommentEnglish, 0);
  RecomputeAndRedraw();
}

void CDocumentHost::TextGridLoaded(const TextGridInfo &info, bool imported) {
  EngineContext &ctx = app_.Engine();
  if (!imported) {
    // A new game: nothing of the grid played before (clock, counts, stopwatches) carries over,
    // only what belongs to the program rather than to a game.
    SudGameState fresh;
    fresh.TimeStamp = game_.TimeStamp;
    fresh.MethodWords = game_.MethodWords;
    // A text grid holds no method words: the methods in use stay.
    if (!fresh.MethodWords.empty())
      fresh.MethodWords[0] = app_.Settings().method.method;
    fresh.ShownFlags = game_.ShownFlags;
    fresh.Placements = game_.Placements;
    fresh.ViewLayoutWords = game_.ViewLayoutWords;
    game_ = std::move(fresh);
  }
  for (int v = 0; v < kNumeralCount; ++v)
    if (!info.NumeralStrings[v].empty())
      game_.NumeralStrings[v] = info.NumeralStrings[v];
  if (!imported) {
    ClearUndoHistory(ctx);
    app_.Settings().general.gridCurrSize = ctx.Settings.GridCurrSize;
    ctx.GridComments[kLanguageFrench] = info.CommentFrench;
    ctx.GridComments[kLanguageEnglish] = info.CommentEnglish;
    game_.Paused = 0;
    game_.WordAfterPause = 0;
    game_.HighestMethodLevel = -1;
    game_.NewGridFlag = 1;
    game_.NumeralTable1 = info.NumeralTable1;
    game_.NumeralTable2 = info.NumeralTable2;
    TablesLoaded(game_);
    if (info.Level >= 1 && info.Level <= kLevelCount)
      game_.GameWords[0] = info.Level;
    if (app_.Services().gameStateLoaded)
      app_.Services().gameStateLoaded(game_);
    PostComment(info.CommentFrench, info.CommentEnglish,
                info.Level >= 1 && info.Level <= kLevelCount ? info.Level : 1);
    // The grid's display profile, when the player lets grids bring their preferences.
    if (!info.ProfileName.empty() && app_.Settings().general.prefLoad == 1)
      ApplyMagicProfile(
          app_, MakeFilePath(info.ProfileName, MakeAbsolutePath(app_.Settings().directory.magic), ".magic"));
  }
  RecomputeAndRedraw();
}

void CDocumentHost::DocumentSaved(std::string_view path) {
  // Saving a catalogue grid under way marks it running, so the catalogue shows it.
  const CatalogSettings &catalog = app_.Settings().catalog;
  FileWriteResult saved;
  SetCatalogGridStatus(StartDirectory(), kCatalogRunning, path, catalog.baseType, catalog.baseGrid,
                       app_.CurrentLanguage(), &saved);
  TellCatalogSave(app_, saved);
  if (CMainFrame *frame = app_.MainFrame())
    frame->UpdateTitle();
}

namespace {

// A question whose answer is No unless the player says Yes.
bool AskYesNo(CQuorbelApp &app, const std::string &text, QMessageBox::Icon icon) {
  return app.Dialogs().MessageBox(app.MainFrame(),
                                  MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                    .text = ToQString(text),
                                                    .icon = icon,
                                                    .buttons = QMessageBox::Yes | QMessageBox::No,
                                                    .defaultButton = QMessageBox::No}) == QMessageBox::Yes;
}

} // namespace

bool CDocumentHost::ConfirmManyFiles(size_t count, std::string_view folder) {
  const bool french = French(app_);
  const std::string text = FormatText(
      french ? OwnText("L'import de ce catalogue écrira %d fichiers dans %s.\nVoulez-vous continuer ?")
             : OwnText("Importing this catalogue writes %d files into %s.\nDo you want to go on?"),
      {FormatArg(static_cast<int>(std::min<size_t>(count, INT32_MAX))), FormatArg(std::string(folder))});
  return AskYesNo(app_, text, QMessageBox::Question);
}

bool CDocumentHost::ConfirmReplaceFiles(const std::vector<std::string> &paths) {
  const bool french = French(app_);
  std::string list;
  constexpr size_t kNamed = 8;
  for (size_t i = 0; i < std::min(paths.size(), kNamed); ++i)
    list += paths[i] + "\n";
  if (paths.size() > kNamed)
    list += "...\n";
  const std::string text =
      FormatText(french ? OwnText("Ces %d fichiers existent déjà :\n%s\nVoulez-vous les remplacer ?")
                        : OwnText("These %d files already exist:\n%s\nDo you want to replace them?"),
                 {FormatArg(static_cast<int>(paths.size())), FormatArg(list)});
  return AskYesNo(app_, text, QMessageBox::Warning);
}

void CDocumentHost::OneLineCatalogImported(const std::vector<std::string> &gridNames,
                                           std::string_view stopped) {
  const Language language = app_.CurrentLanguage();
  if (!stopped.empty()) {
    const std::string text = FormatText(IsFrench(language) ? OwnText("Import arrêté après %d grilles (%s).")
                                                           : OwnText("Import stopped after %d grids (%s)."),
                                        {FormatArg(static_cast<int>(gridNames.size())), FormatArg(stopped)});
    app_.PostMessage(PanelText::Plain(text));
  }
  app_.PostMessage(PanelText::Plain(std::string(LookupMessage(kMsgOneLineCatalogImported, language))));
  RecomputeAndRedraw();
}

void CDocumentHost::TablesLoaded(const SudGameState &game) {
  NumeralsToEngine();
  EngineContext &ctx = app_.Engine();
  for (size_t i = 0; i < ctx.Points.size(); ++i)
    ctx.Points[i] = static_cast<uint32_t>(
        std::clamp(game.NumeralTable1[i], 0, static_cast<int32_t>(EngineContext::kMostPoints)));
  for (size_t i = 0; i < ctx.ValueClasses.size(); ++i)
    ctx.ValueClasses[i] = static_cast<int8_t>(std::clamp(game.NumeralTable2[i], 0, 4));
  SettleValueClasses(ctx.Geo.GridWidth, ctx.ValueClasses);
}

void CDocumentHost::RecomputeAndRedraw() {
  RecomputeAllCandidates(app_.Engine());
  app_.RedrawViewNow();
}

void CDocumentHost::ApplySettingsBlock(const SudSettingsBlock &block) {
  StorePictureOrder(ApplySudSettings(block, app_.Settings()), app_.Engine().Settings.PictureOrder);
  app_.SyncEngineSettings();
  app_.SaveSettings();
}

void CDocumentHost::ApplyPlacements(const SudGameState &game) {
  if (CMainFrame *frame = app_.MainFrame()) {
    if (const std::optional<QRect> rect = NormalRect(game.Placements[0]))
      frame->setGeometry(*rect);
    if (game.Placements[0][kShowCommand] == kShowMaximized)
      frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
  }
  for (int i = 0; i < kShownFlagCount; ++i) {
    // A panel keeps its own size: only its corner comes from the file.
    if (QWidget *window = app_.Panels().Window(kFilePanels[i]))
      if (const std::optional<QRect> rect = NormalRect(game.Placements[i + 1]))
        window->move(rect->topLeft());
    app_.Panels().SetShown(kFilePanels[i], game.ShownFlags[i] == 1);
  }
}

// A text grid's comment comes after its level ("Difficulty:Easy  comment"); textLevel 0
// marks a grid file, whose comment stands alone.
void CDocumentHost::PostComment(std::string_view french, std::string_view english, int textLevel) {
  const Language language = app_.CurrentLanguage();
  const std::string_view comment = IsFrench(language) ? french : english;
  if (comment.empty() || app_.Settings().general.displayComment != 1)
    return;
  PanelText line;
  if (textLevel > 0)
    line = FormatPanelText(IsFrench(language) ? OwnText("Difficulté:%s  ") : OwnText("Difficulty:%s  "),
                           {FormatArg(LookupMessage(kMsgLevelEasy - 1 + textLevel, language))});
  line.AppendPlain(comment);
  app_.PostMessage(line);
}
