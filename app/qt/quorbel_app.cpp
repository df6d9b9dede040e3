#include "app/qt/quorbel_app.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPrinter>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <QWhatsThis>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <new>
#include <utility>

#include "app/app_random.h"
#include "app/help_topics.h"
#include "app/message_format.h"
#include "app/message_line.h"
#include "app/qt/about_dialog.h"
#include "app/qt/board_placeholder.h"
#include "app/qt/board_window.h"
#include "app/qt/dialog_wait.h"
#include "app/qt/document_host.h"
#include "app/qt/end_of_game_flow.h"
#include "app/qt/file_commands.h"
#include "app/qt/frame_commands.h"
#include "app/qt/grid_commands.h"
#include "app/qt/help_here.h"
#include "app/qt/help_window.h"
#include "app/qt/language_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/solve_command_handlers.h"
#include "app/qt/splash_window.h"
#include "app/qt/start_routines.h"
#include "app/qt/window_in_front.h"
#include "app/save_folders.h"
#include "app/settings_schema.h"
#include "app/text_lines.h"
#include "engine/cell_set_rules.h"
#include "engine/undo_stack.h"
#include "files/file_failure.h"
#include "files/macro_recorder.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/qt/profile_store.h"

using namespace quorbel;

namespace {

CQuorbelApp *gApp = nullptr;

constexpr std::string_view kMacroExtension = ".macro";
constexpr std::string_view kDefaultMusicFile = "Quorbel.mp3";
constexpr uint32_t kSeedMask = 0x7FFF;
constexpr int kCloseRetryMs = 100;
// How long the progress window may take to be mapped before the work starts without it.
constexpr int kWaitMapMs = 500;
constexpr int kWaitMapStepMs = 20;
constexpr int kHelpKey = 1; // F1, from any window

// The random seed of a run: the millisecond clock plus second x minute x hour of the local time,
// a field that cannot be read counting as -1.
uint32_t StartupSeed() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  int second = -1, minute = -1, hour = -1;
  if (localtime_r(&now, &local)) {
    second = local.tm_sec;
    minute = local.tm_min;
    hour = local.tm_hour;
  }
  return (TimeGetTime() + static_cast<uint32_t>(second * minute * hour)) & kSeedMask;
}

std::string CurrentDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatDateTime(local);
}

// The first argument that is not an option names a grid file or a macro to play.
std::string CommandLineFile(const QStringList &arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (!arguments[i].startsWith(QLatin1Char('-')))
      return QFileInfo(arguments[i]).absoluteFilePath().toStdString();
  return {};
}

} // namespace

CQuorbelApp *TheApp() { return gApp; }

// The help page every other page starts from.
constexpr int kHelpIndex = 0;

// The modeless panels (methods, preferences, profiles, music, wait) keep their keys: of the
// frame's keys only the panel keys F5 to F8, which the input filter runs itself, and F1 for help
// reach the frame from them. Qt would otherwise hand a tool window's keys to its parent's actions.
bool CQuorbelApp::PanelKeepsKey(QObject *receiver, const QKeySequence &keys) const {
  auto *action = qobject_cast<QAction *>(receiver);
  if (!action || !frame_ || action->parent() != frame_.get() || keys == QKeySequence(Qt::Key_F1))
    return false;
  const QWidget *active = QApplication::activeWindow();
  return active && active != frame_.get() && active->windowType() == Qt::Tool;
}

CQuorbelApp::CQuorbelApp(AppOptions options)
    : options_(options), settings_(DefaultSettings()), colours_(DefaultColours()),
      engine_(std::make_unique<EngineContext>(*this)), sink_(ring_, settings_.general.language),
      inputFilter_(InputFilter::Hooks{
          .functionKey =
              [this](int functionKey) {
                if (functionKey == kHelpKey) {
                  ShowContextHelp();
                  return true;
                }
                for (const PanelKey &panelKey : PanelKeys)
                  if (panelKey.functionKey == functionKey) {
                    commands_.Execute(panelKey.id);
                    return true;
                  }
                return false;
              },
          .refusing = [this] { return pump_.Pumping(); },
          .allowed =
              [this](QObject *receiver) {
                if (!wait_)
                  return false;
                if (auto *window = qobject_cast<QWindow *>(receiver))
                  return window == wait_->windowHandle();
                auto *widget = qobject_cast<QWidget *>(receiver);
                return widget && (widget == wait_.get() || wait_->isAncestorOf(widget));
              },
          .released = [this](const InputRelease &release) { pump_.NoteRelease(release); },
          .refusesShortcut = [this](QObject *receiver,
                                    const QKeySequence &keys) { return PanelKeepsKey(receiver, keys); },
      }) {
  gApp = this;
  documentHost_ = std::make_unique<CDocumentHost>(*this);
  if (options_.dialogs) {
    dialogs_ = options_.dialogs;
  } else if (options_.headless) {
    ownScripted_ = std::make_unique<ScriptedDialogService>();
    ownScripted_->SetEcho(true);
    dialogs_ = ownScripted_.get();
  } else {
    ownWidgets_ = std::make_unique<WidgetDialogService>();
    dialogs_ = ownWidgets_.get();
  }
  ring_.SetLog(&log_);
  ring_.SetRedraw([this] {
    if (QWidget *view = GetCurrentView())
      view->repaint();
  });
  TheMacroRecorder().SetMessageSink(&sink_);
  commands_.SetRefusal([this] { return pump_.Pumping(); });
  commands_.SetHandlerScope([this](const std::function<void()> &work) { pump_.RunCommand(work); });
  commands_.SetStatesChanged([this] {
    if (frame_)
      frame_->UpdateCommandStates();
  });
  RegisterOwnCommands();
}

CQuorbelApp::~CQuorbelApp() {
  inputFilter_.Remove();
  delete help_.data();
  TheMacroRecorder().SetMessageSink(nullptr);
  panels_.DestroyAll();
  wait_.reset();
  frame_.reset();
  splash_.reset();
  gApp = nullptr;
}

QWidget *CQuorbelApp::DialogParent() { return frame_.get(); }

QWidget *CQuorbelApp::GetCurrentView() { return frame_ ? frame_->BoardView() : nullptr; }

BoardWindow *CQuorbelApp::Board() { return dynamic_cast<BoardWindow *>(GetCurrentView()); }

void CQuorbelApp::RegisterOwnCommands() {
  commands_.SetHandler(Cmd::AppExit, [this](CommandId) {
    if (frame_)
      frame_->close();
  });
  commands_.SetHandler(Cmd::AppAbout, [this](CommandId) {
    CAboutDlg about(
        CurrentLanguage(), ExpertMode(), pictures_.ArtistStatus == 0 ? pictures_.Artist : QImage(),
        [this] { ShowHelp(kHelpIndex); }, frame_.get());
    dialogs_->Exec(about);
  });
  commands_.SetHandler(
      Cmd::LanguageFrench, [this](CommandId) { SetLanguage(Language::French); },
      [this] { return CommandState::Ticked(CurrentLanguage() == Language::French); });
  commands_.SetHandler(
      Cmd::LanguageEnglish, [this](CommandId) { SetLanguage(Language::English); },
      [this] { return CommandState::Ticked(CurrentLanguage() == Language::English); });
  commands_.SetHandler(Cmd::HelpTopics, [this](CommandId) { ShowHelp(0); });
  commands_.SetHandler(Cmd::HelpContext, [this](CommandId) { ShowContextHelp(); });
  commands_.SetHandler(Cmd::ContextHelpMode, [](CommandId) { QWhatsThis::enterWhatsThisMode(); });
  RegisterFileCommands(*this);
  RegisterSolveCommands(*this);
  RegisterFrameCommands(*this);
}

void CQuorbelApp::SyncEngineSettings() {
  EngineSettings &engine = engine_->Settings;
  engine.Language = static_cast<int32_t>(settings_.general.language);
  engine.AnimatedImages = settings_.general.animGif;
  engine.PuzzleRotation = settings_.general.puzzleRotation;
  engine.PuzzlePieceUnique = settings_.general.puzzlePieceUniq;
  engine.CurrentVariant = SplitVariantWords(settings_.general.gridCurrVariant);
  engine.GridCurrSize = settings_.general.gridCurrSize;
  engine.MaxSearchSave = settings_.parameter.maxSearchSave;
  engine.TimeOver = settings_.parameter.timeOver;
  engine.MaxSearchGrid = settings_.parameter.maxSearchGrid;
  engine.DebugUndo = settings_.parameter.debugUndo;
}

bool CQuorbelApp::InitInstance(const QStringList &arguments) {
  state_.BeginStartUp();
  AttachEndOfGame(*this);
  // A headless run has no panel to read: every line goes to standard error, from the first one
  // on, so what start-up said before the macro (a sound that could not load) is not lost.
  if (options_.headless)
    ring_.SetEcho(
        [](const PanelText &text) { std::fprintf(stderr, "%s\n", StripLinkMarkers(text).c_str()); });

  // Data files stand beside the program, so relative paths start from its directory.
  startDir_ = options_.startDirectory.empty() ? QCoreApplication::applicationDirPath().toStdString()
                                              : options_.startDirectory;
  SetStartDirectory(startDir_);
  log_ = LogFile(); // in the start directory
  log_.FollowSwitch(&settings_.general.log);
  // Forced: a line said once must not fall into a muted stretch.
  log_.TellFirstFailure([this](const std::string &path, const std::string &reason) {
    ring_.ForceInfoMessage(FormatPanelText(IsFrench(CurrentLanguage())
                                               ? OwnText("Le journal n'a pas pu être écrit : %s (%s).")
                                               : OwnText("The log could not be written: %s (%s)."),
                                           {FormatArg(path), FormatArg(reason)}));
  });
  const uint32_t seed = StartupSeed();
  engine_->Random.Seed(seed);
  session_.Random.Seed(seed);
  SeedRandom(seed);

  store_ = std::make_unique<ProfileStore>();
  settings_.general.language = ReadLanguage(*store_);

  if (settings_.general.language != Language::NotChosen) {
    splash_ = std::make_unique<CSplashWindow>(settings_.general.language);
    splash_->show();
    splash_->repaint();
  }

  LoadSettings(*store_, settings_, SettingsLoad::StartUp);
  // A save killed half-way leaves its temporary; every folder we save into is cleared of ours.
  RemoveLeftoversOfSaves(settings_.directory, store_->FileName().toStdString());
  pictures_ = LoadDialogPictures(QString::fromStdString(startDir_));
  LoadColors(*store_, colours_); // before any save, which writes them too
  if (settings_.general.language == Language::NotChosen)
    ChooseFirstLanguage();
  SyncEngineSettings();
  ApplyQtLanguage();

  log_.AppendLogLine(PanelText(OwnText("-----> Quorbel start on ")) + PanelText::Plain(CurrentDateText()));
  LoadStartPictures();
  DefaultValueClasses(engine_->Geo.GridWidth, engine_->ValueClasses);

  // The document template: the frame around the board view.
  frame_ = std::make_unique<CMainFrame>(*this);
  std::unique_ptr<QWidget> view;
  if (services_.createView)
    view = services_.createView(frame_.get());
  if (!view)
    view = std::make_unique<CBoardPlaceholder>(ring_, colours_);
  frame_->SetBoardView(std::move(view));
  CreateModelessDialogs();

  if (!services_.loadQuellaboSites || !services_.loadQuellaboSites())
    log_.AppendLogLine(OwnText("Error on QuellaboSite file"));

  splash_.reset();
  std::string fileName = CommandLineFile(arguments);
  if (fileName.ends_with(kMacroExtension)) {
    state_.QueueStartupMacro(fileName);
    fileName.clear();
  }
  OnNewDocument();
  const bool namedFileOpened = !fileName.empty() && OpenDocumentFile(fileName);
  // A file named but not opened has been told; the start screen follows, not the last grid.
  const StartupGrid startup = fileName.empty()  ? StartupGrid::NoneNamed
                              : namedFileOpened ? StartupGrid::NamedOpened
                                                : StartupGrid::NamedFailed;

  frame_->ApplyFrameLanguage();
  frame_->setAcceptDrops(true);
  inputFilter_.Install();
  helpRequests_.Install([this](const QWidget *clicked) { ShowHelp(HelpContextOf(clicked)); });
  frame_->show();

  TellSettingsRefusal();
  ReportPictureFailures(std::exchange(heldPictureFailures_, {}));
  for (const std::string &failure : pictures_.Failures)
    PostMessage(FormatPanelText(IsFrench(CurrentLanguage()) ? OwnText("Image illisible : %s")
                                                            : OwnText("The picture could not be read: %s"),
                                {FormatArg(failure)}));
  StartSoundAndNetwork();
  RunStartupGrid(startup);
  return true;
}

void CQuorbelApp::LoadStartPictures() {
  std::vector<PictureFailure> failures;
  LoadFixedImages(*cellPictures_, settings_.directory.animated, &failures);
  ReportPictureFailures(failures);
  LoadCellPictures(PictureOrderMode::Keep);
}

void CQuorbelApp::ReportPictureFailures(const std::vector<PictureFailure> &failures) {
  // Those of start-up wait for the main window, in front of which they are told.
  if (!frame_ || !frame_->isVisible()) {
    heldPictureFailures_.insert(heldPictureFailures_.end(), failures.begin(), failures.end());
    return;
  }
  // A picture that cannot be read is told; a folder without pictures is only logged, the board
  // then writes the symbols. One box at most: a broken folder would ask once per file.
  const auto unreadable =
      std::find_if(failures.begin(), failures.end(), [](const PictureFailure &f) { return !f.Missing; });
  if (unreadable != failures.end())
    dialogs_->MessageBox(frame_.get(), MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                         .text = PictureFailureText(*unreadable),
                                                         .icon = QMessageBox::Warning});
  for (const PictureFailure &failure : failures)
    log_.AppendLogLine(PanelText::Plain(failure.Text));
}

QString CQuorbelApp::PictureFailureText(const PictureFailure &failure) const {
  const Language language = CurrentLanguage();
  const bool french = IsFrench(language);
  const std::string reason = LocalisedFileDetail(failure.Reason, language);
  const PanelText text =
      failure.List ? FormatPanelText(french ? OwnText("La liste d'images %s n'a pas pu être lue (%s).")
                                            : OwnText("The picture list %s could not be read (%s)."),
                                     {FormatArg(failure.Path), FormatArg(reason)})
      : reason.empty() ? FormatPanelText(french ? OwnText("L'image %s n'a pas pu être lue.")
                                                : OwnText("The picture %s could not be read."),
                                         {FormatArg(failure.Path)})
                       : FormatPanelText(french ? OwnText("L'image %s n'a pas pu être lue (%s).")
                                                : OwnText("The picture %s could not be read (%s)."),
                                         {FormatArg(failure.Path), FormatArg(reason)});
  return QString::fromStdString(StripLinkMarkers(text));
}

int CQuorbelApp::LoadCellPictures(PictureOrderMode mode, const std::string &list) {
  PictureOrderTable &engineOrder = engine_->Settings.PictureOrder;
  PictureOrder order = PictureOrderOf(engineOrder);
  std::vector<PictureFailure> failures;
  const std::string name = list.empty() ? settings_.general.imageName : list;
  const int loaded =
      LoadCellImageSet(*cellPictures_, name, settings_.directory.animated, order, mode, &failures);
  ReportPictureFailures(failures);
  if (loaded == 0)
    return 0;
  settings_.general.imageName = name;
  StorePictureOrder(order, engineOrder); // the board's pictures follow the new order
  return loaded;
}

void CQuorbelApp::ChooseFirstLanguage() {
  CLanguage dialog;
  dialogs_->Exec(dialog);
  // Closed without a choice: the program starts in French, and the player can switch it from
  // the Language menu at any time.
  settings_.general.language = dialog.Choice() == Language::NotChosen ? Language::French : dialog.Choice();
  SaveSettings();
}

void CQuorbelApp::StartSoundAndNetwork() {
  if (services_.whenSoundServerKnown)
    services_.whenSoundServerKnown(frame_.get(), [this] {
      if (!state_.Closing())
        StartSound();
    });
  else
    StartSound();
  if (services_.startChallengeListen)
    services_.startChallengeListen(settings_.defi.defiPort);
}

void CQuorbelApp::StartSound() {
  if (!services_.initSoundEffects || !services_.initSoundEffects(frame_.get()))
    log_.AppendLogLine(
        OwnText("Direct X Sound Initialisation failed. No direct X detected. Noise not available."));

  MusicSettings &music = settings_.music;
  if (music.silent == 0 && music.musicStop == 0) {
    if (music.musicFile.empty())
      music.musicFile = kDefaultMusicFile;
    if (services_.playMusic)
      services_.playMusic(MakeAbsolutePath(music.musicFile), music.musicVolume);
  }
}

QPrinter &CQuorbelApp::Printer() {
  if (!printer_)
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void CQuorbelApp::RunStartupGrid(StartupGrid startup) {
  if (const std::optional<std::string> macro = state_.TakeStartupMacro()) {
    const int outcome = services_.runMacroFile ? services_.runMacroFile(*macro) : 1;
    // A headless run is the macro: the program ends with it and says how it went.
    if (options_.headless)
      QTimer::singleShot(0, [outcome] { QCoreApplication::exit(outcome); });
    return;
  }
  if (startup == StartupGrid::NamedOpened)
    return;
  const std::string lastFile = ReadLastFile(*store_);
  if (startup == StartupGrid::NoneNamed && settings_.general.lastOpen == 1 && !lastFile.empty() &&
      OpenDocumentFile(lastFile))
    return;
  if (services_.showGameModeDialog)
    services_.showGameModeDialog();
}

int CQuorbelApp::ExitInstance() {
  state_.BeginClosing();
  ResetDo(*engine_);
  inputFilter_.Remove();
  SaveSettings();
  panels_.DestroyAll();
  if (services_.closeMusic)
    services_.closeMusic();
  return 0;
}

void CQuorbelApp::SaveSettings() {
  if (!store_)
    return;
  SaveColors(*store_, colours_);
  if (quorbel::SaveSettings(*store_, settings_) && store_->Flush()) {
    settingsSaveFailureTold_ = false;
    return;
  }
  // A refused file is said once with its reason, not at every save.
  if (!store_->Refusal().empty()) {
    TellSettingsRefusal();
    return;
  }
  // The same failure again at the next save would only repeat itself: it is said once, until a
  // save succeeds.
  if (std::exchange(settingsSaveFailureTold_, true))
    return;
  PostMessage(FormatPanelText(IsFrench(CurrentLanguage())
                                  ? OwnText("Les préférences n'ont pas pu être enregistrées dans %s.")
                                  : OwnText("The settings could not be saved in %s."),
                              {FormatArg(store_->FileName().toStdString())}));
}

void CQuorbelApp::TellSettingsRefusal() {
  if (const std::string &aside = store_->SetAside(); !aside.empty() && !settingsSetAsideTold_) {
    settingsSetAsideTold_ = true;
    PostMessage(FormatPanelText(
        IsFrench(CurrentLanguage())
            ? OwnText("Le fichier de préférences %s était illisible : il est gardé sous le nom %s, et les "
                      "préférences repartent de leurs valeurs par défaut.")
            : OwnText("The settings file %s could not be read: it is kept as %s, and the settings start "
                      "again from their defaults."),
        {FormatArg(store_->FileName().toStdString()), FormatArg(aside)}));
  }
  const std::string &refused = store_->Refusal();
  if (refused.empty() || refused == settingsRefusalTold_)
    return;
  settingsRefusalTold_ = refused;
  PostMessage(FormatPanelText(IsFrench(CurrentLanguage())
                                  ? OwnText("Préférences non lues ni enregistrées : %s (%s).")
                                  : OwnText("Settings neither read nor saved: %s (%s)."),
                              {FormatArg(store_->FileName().toStdString()), FormatArg(refused)}));
}

void CQuorbelApp::ReloadSettings() {
  if (!store_)
    return;
  LoadSettings(*store_, settings_, SettingsLoad::Reload);
  LoadColors(*store_, colours_);
  SyncEngineSettings();
}

void CQuorbelApp::ApplyQtLanguage() {
  if (qtTranslator_) {
    QCoreApplication::removeTranslator(qtTranslator_.get());
    qtTranslator_.reset();
  }
  if (!IsFrench(CurrentLanguage()))
    return;
  auto translator = std::make_unique<QTranslator>();
  // Debian's qt6-translations-l10n; without it Qt's own texts stay in English.
  if (translator->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator.get()))
    qtTranslator_ = std::move(translator);
}

void CQuorbelApp::SetLanguage(Language language) {
  settings_.general.language = language;
  SyncEngineSettings();
  ApplyQtLanguage();
  if (frame_)
    frame_->ApplyFrameLanguage();
  if (help_)
    help_->FollowLanguage(language);
  UpdateFrameTitle();
  // Saved at once, so that no later reload of the settings brings the old language back.
  SaveSettings();
}

void CQuorbelApp::CreateModelessDialogs() {
  wait_ = std::make_unique<CDialogWait>(
      CurrentLanguage(), [this] { pump_.RequestAbort(); }, frame_.get());
  panels_.RebuildAll(CurrentLanguage(), frame_.get());
}

void CQuorbelApp::OnNewDocument() {
  if (!document_) {
    document_ = std::make_unique<CQuorbelDoc>(*engine_, *documentHost_, *store_);
  } else {
    document_->MarkDocumentModified("NULL");
    document_->ForgetCarriedWords();
  }
  UpdateFrameTitle();
}

bool CQuorbelApp::OpenDocumentFile(const std::string &path) {
  state_.ShowGrid();
  // A catalogue's import polls for Escape: opened from a drop or at start-up too, it runs as a
  // command, so that the abort it may hear ends with it.
  bool opened = false;
  pump_.RunCommand([&] { opened = document_ && document_->OpenDocumentFile(path); });
  if (!opened)
    return false;
  state_.StartNewGrid();
  if (BoardWindow *board = Board())
    board->ResetInputState();
  // A text grid has no path of its own: its next save asks where the grid file goes.
  if (FileExtensionOfPath(path) == "txt") {
    document_->MarkDocumentModified(FileNameOfPath(path));
    document_->SetModifiedFlag(false);
  }
  UpdateFrameTitle();
  return true;
}

void CQuorbelApp::UpdateFrameTitle() {
  if (frame_)
    frame_->UpdateTitle();
}

void CQuorbelApp::ShowHelp(int context) {
  const Language language = CurrentLanguage();
  const QString page = QString::fromStdString(startDir_ + '/' + HelpPagePath(HelpPageOf(context), language));
  if (!QFileInfo::exists(page)) {
    dialogs_->MessageBox(frame_.get(),
                         MessageBoxRequest{
                             .title = QStringLiteral("Quorbel"),
                             .text = IsFrench(language) ? QStringLiteral("L'aide n'est pas installée.")
                                                        : QStringLiteral("Help is not installed."),
                         });
    return;
  }
  if (!help_)
    help_ = new CHelpWindow(frame_.get());
  // Over a modal dialog, so that the page can be read while the dialog waits.
  QWidget *owner = QApplication::activeModalWidget();
  help_->ShowPage(page, language, owner && owner != help_ ? owner : frame_.get());
}

CHelpWindow *CQuorbelApp::HelpWindow() const { return help_.data(); }

void CQuorbelApp::ShowContextHelp() { ShowHelp(HelpContextOf(WidgetInFront())); }

bool CQuorbelApp::CanCloseFrame() {
  if (pump_.Pumping()) {
    pump_.RequestAbort();
    if (!closeRetryPending_) {
      closeRetryPending_ = true;
      QTimer::singleShot(kCloseRetryMs, frame_.get(), [this] {
        closeRetryPending_ = false;
        frame_->close();
      });
    }
    return false;
  }
  return !document_ || document_->SaveModified();
}

void CQuorbelApp::PostMessage(const PanelText &text) { ring_.AddInfoMessage(text); }

void CQuorbelApp::PlaySoundEffect(int slot) {
  if (services_.playSoundEffect)
    services_.playSoundEffect(slot);
}

void CQuorbelApp::CommandStatesChanged() {
  if (frame_)
    frame_->UpdateCommandStates();
}

bool CQuorbelApp::DeleteGrid(int slot) { return DeleteGridOfSet(*this, slot); }

void CQuorbelApp::DealNewGrid() { quorbel::OnNewGrid(*this); }

void CQuorbelApp::ResetGameScore() { ::ResetGameScore(*this); }

void CQuorbelApp::GridSetSolved() { ::GridSetSolved(*this); }

std::string CQuorbelApp::DocumentTitle() { return document_ ? document_->Title() : std::string(); }

void CQuorbelApp::ApplyFrameLanguage() {
  if (frame_)
    frame_->ApplyFrameLanguage();
}

void CQuorbelApp::SetPaneText(int pane, const QString &text) {
  if (frame_)
    frame_->SetPaneText(pane, text);
}

void CQuorbelApp::AddInfoMessage(std::string_view text) { ring_.AddInfoMessage(PanelText::Plain(text)); }

void CQuorbelApp::ReplaceInfoMessage(std::string_view text, int back) {
  ring_.ReplaceInfoMessage(PanelText::Plain(text), back);
}

void CQuorbelApp::ShowMessage(int number, std::span<const MessageArg> args) { sink_.Post(number, args); }

void CQuorbelApp::ReplaceMessage(int number, std::span<const MessageArg> args) {
  sink_.Replace(number, args);
}

bool CQuorbelApp::PollUserAbort() { return pump_.PollUserAbort(); }

void CQuorbelApp::StartWaitProgress(std::string_view text, int range, bool automatic) {
  if (!wait_)
    return;
  wait_->StartWaitProgress(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), range,
                           automatic);
  // Above whatever started the work, a modal dialog too, so that its Cancel can be reached.
  ShowInFront(wait_.get(), false);
  // The work that follows may not let events through for a long while: a window the display
  // has not yet mapped would stay an empty frame until then.
  QElapsedTimer waited;
  waited.start();
  while (wait_->windowHandle() && !wait_->windowHandle()->isExposed() && waited.elapsed() < kWaitMapMs)
    pump_.PumpMessagesFor(kWaitMapStepMs); // as the work's own polls do: commands stay refused
  wait_->repaint();
}

void CQuorbelApp::StepWaitProgress(int position) {
  if (wait_)
    wait_->StepWaitProgress(position);
}

void CQuorbelApp::StopWaitProgress() {
  if (wait_)
    wait_->StopWaitDialog();
}

void CQuorbelApp::RedrawViewNow() {
  if (QWidget *view = GetCurrentView())
    view->repaint();
}

void CQuorbelApp::ClearSelection() {
  if (services_.clearSelection)
    services_.clearSelection();
}

void CQuorbelApp::StartCellAnimation(const GridRecord &grid, int cell, int picture, int mode, int count) {
  if (services_.startCellAnimation)
    services_.startCellAnimation(grid, cell, picture, mode, count);
}

void CQuorbelApp::RecordMacroStep(const RecordedAction &step) {
  const auto &s = step.Strings;
  const auto &n = step.Ints;
  quorbel::RecordMacroStep(step.Code, s[0], n[0], s[1], n[1], s[2], n[2], s[3], n[3], s[4], n[4], s[5], n[5]);
}

void CQuorbelApp::MarkDocumentModified(std::string_view gridName) {
  if (!document_)
    return;
  document_->MarkDocumentModified(gridName);
  UpdateFrameTitle();
}

void CQuorbelApp::ClearDocumentModified() {
  if (document_)
    document_->SetModifiedFlag(false);
}

// Work that replaces the grids asks the player to keep the current document first.
bool CQuorbelApp::QuerySaveDocument() { return !document_ || document_->SaveModified(); }

void CQuorbelApp::DefiSendMove(int cell, int value, int action) {
  if (services_.defiSendMove)
    services_.defiSendMove(cell, value, action);
}

void CQuorbelApp::SetTripleMaxScoreFromGameScore() { ::SetTripleMaxScoreFromGameScore(*this); }

void CQuorbelApp::ReportOutOfMemory(std::string_view text) {
  const QString message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  std::fprintf(stderr, "%s\n", qUtf8Printable(message));
  if (!options_.headless)
    dialogs_->MessageBox(frame_.get(), MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                         .text = message,
                                                         .icon = QMessageBox::Critical});
}

namespace {

std::function<void(int)> gExitProcess;
// Given back when an allocation fails, so that the message can still be shown.
char *gMemoryReserve = nullptr;
constexpr size_t kMemoryReserveBytes = 256 * 1024;
constexpr int kOutOfMemoryStatus = -1;

void OnAllocationFailure() {
  delete[] gMemoryReserve;
  gMemoryReserve = nullptr;
  CQuorbelApp *app = TheApp();
  const Language language = app ? app->CurrentLanguage() : Language::English;
  const std::string_view text = OutOfMemoryText(IsFrench(language) ? kLanguageFrench : kLanguageEnglish);
  if (app)
    app->ReportOutOfMemory(text);
  else
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  if (gExitProcess)
    gExitProcess(kOutOfMemoryStatus);
  else
    std::exit(kOutOfMemoryStatus);
}

} // namespace

void InstallOutOfMemoryHandler(std::function<void(int)> exitProcess) {
  gExitProcess = std::move(exitProcess);
  if (!gMemoryReserve)
    gMemoryReserve = new char[kMemoryReserveBytes];
  std::set_new_handler(OnAllocationFailure);
}
