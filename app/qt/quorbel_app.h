// CQuorbelApp, the application object: it owns the program's state from start-up to exit (the
// engine context, the settings, the message panel's ring and the log, the document, the frame and
// the modeless windows), runs start-up and shutdown, and is the engine's host. It is built after
// QApplication and destroyed before it; TheApp() reaches it from anywhere while it lives.
#pragma once

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "app/app_settings.h"
#include "app/app_state.h"
#include "app/colours.h"
#include "app/end_of_game.h"
#include "app/game_session.h"
#include "app/log_file.h"
#include "app/message_ring.h"
#include "app/qt/command_dispatcher.h"
#include "app/qt/command_host.h"
#include "app/qt/dialog_host.h"
#include "app/qt/dialog_pictures.h"
#include "app/qt/dialog_service.h"
#include "app/qt/frame_host.h"
#include "app/qt/help_here.h"
#include "app/qt/message_pump.h"
#include "app/qt/modeless_panels.h"
#include "app/qt/outside_services.h"
#include "app/qt/view_host.h"
#include "app/ring_message_sink.h"
#include "engine/engine_context.h"
#include "files/quorbel_doc.h"
#include "platform/qt/input_filter.h"
#include "platform/qt/profile_store.h"

class BoardWindow;
class CMainFrame;
class QPrinter;
class CDialogWait;
class CDocumentHost;
class CSplashWindow;
class CHelpWindow;
class QTranslator;

struct AppOptions {
  // Where modal dialogs go; none: on screen, or answered by script when headless.
  DialogService *dialogs = nullptr;
  // No screen (offscreen or minimal platform): dialogs are answered, every panel line goes to
  // standard error, and a macro given on the command line that cannot be played ends the run.
  bool headless = false;
  // Where the data files and the log are; empty: the program's own directory.
  std::string startDirectory;
};

class CQuorbelApp final : public quorbel::EngineHost, public ViewHost, public FrameHost, public CommandHost {
public:
  explicit CQuorbelApp(AppOptions options = {});
  ~CQuorbelApp() override;
  CQuorbelApp(const CQuorbelApp &) = delete;
  CQuorbelApp &operator=(const CQuorbelApp &) = delete;

  // Start-up, from the program's command line (as QCoreApplication::arguments gives it).
  bool InitInstance(const QStringList &arguments);
  // Shutdown once the event loop has ended: saves the settings. The result is the exit code.
  int ExitInstance();

  quorbel::EngineContext &Engine() override { return *engine_; }
  quorbel::AppSettings &Settings() override { return settings_; }
  quorbel::BoardColours &Colours() override { return colours_; }
  quorbel::Language CurrentLanguage() const override { return settings_.general.language; }
  bool ExpertMode() const override { return settings_.parameter.qrbDebug == 1; }
  quorbel::MessageRing &Messages() override { return ring_; }
  // The pictures under the dialogs, loaded at start-up.
  const DialogPictures &Pictures() const override { return pictures_; }
  // The game in play: its clock, counters and tally, whichever window shows it.
  quorbel::GameSession &Session() override { return session_; }
  // The running game's counters that the board does not keep, and the usage stopwatches.
  quorbel::GameTally &Game() override { return session_.Tally; }
  quorbel::LogFile &Log() { return log_; }
  DialogService &Dialogs() override { return *dialogs_; }
  CommandDispatcher &Commands() override { return commands_; }
  MessagePump &Pump() override { return pump_; }
  bool Headless() const override { return options_.headless; }
  // Made at its first use.
  QPrinter &Printer() override;
  ModelessPanels &Panels() override { return panels_; }
  OutsideServices &Services() override { return services_; }
  CMainFrame *MainFrame() { return frame_.get(); }
  QWidget *DialogParent() override;
  CDialogWait *WaitDialog() { return wait_.get(); }
  // None before the first document exists (start-up makes it once the settings are read).
  quorbel::CQuorbelDoc *GetCurrentDocument() override { return document_.get(); }
  CDocumentHost &DocumentHost() { return *documentHost_; }
  // The settings store; none before start-up.
  quorbel::AbstractProfileStore *Profile() { return store_.get(); }
  // The frame's central widget (the board view once it exists); none before the frame.
  QWidget *GetCurrentView();
  // The board window behind the central widget; none before the board view exists.
  BoardWindow *Board() override;

  // Writes the settings block and the colours to the settings store.
  void SaveSettings() override;
  // Hands the settings the engine reads over to it, after the settings block changed.
  void SyncEngineSettings() override;
  // Brings the saved settings back; the language in use stays.
  void ReloadSettings();
  // The language commands: the menus, toolbar, panels and messages follow at once, and the
  // choice is saved.
  void SetLanguage(quorbel::Language language);
  // Builds the progress dialog and the registered panels in the current language.
  void CreateModelessDialogs() override;
  // Reads a grid file as the document (through the grid-file part). False when it was not read.
  bool OpenDocumentFile(const std::string &path) override;
  // Opens the help page of a help context (0: the contents) in the player's language in the help
  // window, or says help is not installed.
  void ShowHelp(int context) override;
  // F1: the page of where the player is (the window in front, the control with the focus).
  void ShowContextHelp();
  // The help window once a page was opened.
  CHelpWindow *HelpWindow() const;
  // The frame asks before it closes: a running computation is asked to stop first and the frame
  // closes when it has, and a modified document may be saved. False: do not close now.
  bool CanCloseFrame() override;

  // A line of our own text in the message panel (and the log when logging is on).
  void PostMessage(const quorbel::PanelText &text) override;

  // The engine's host.
  void AddInfoMessage(std::string_view text) override;
  void ReplaceInfoMessage(std::string_view text, int back) override;
  void ShowMessage(int number, std::span<const quorbel::MessageArg> args) override;
  void ReplaceMessage(int number, std::span<const quorbel::MessageArg> args) override;
  bool PollUserAbort() override;
  void StartWaitProgress(std::string_view text, int range, bool automatic) override;
  void StepWaitProgress(int position) override;
  void StopWaitProgress() override;
  void RedrawViewNow() override;
  void ClearSelection() override;
  void StartCellAnimation(const quorbel::GridRecord &grid, int cell, int picture, int mode,
                          int count) override;
  void RecordMacroStep(const quorbel::RecordedAction &step) override;
  void MarkDocumentModified(std::string_view gridName) override;
  void ClearDocumentModified() override;
  bool QuerySaveDocument() override;
  void DefiSendMove(int cell, int value, int action) override;
  void SetTripleMaxScoreFromGameScore() override;
  void ReportOutOfMemory(std::string_view text) override;

  // The board view's side of the application.
  quorbel::AppState &State() override { return state_; }
  bool Computing() const override { return pump_.Pumping(); }
  void PlaySoundEffect(int slot) override;
  void SetPaneText(int pane, const QString &text) override;
  QString AskOpenFileName(QWidget *parent, const FileDialogRequest &request) override {
    return dialogs_->OpenFileName(parent, request);
  }
  bool RunCommand(quorbel::Cmd cmd) override { return commands_.ExecuteCommand(cmd); }
  void CommandStatesChanged() override;
  bool DeleteGrid(int slot) override;
  std::string DocumentTitle() override;
  void ApplyFrameLanguage() override;
  // Data files and relative paths start there.
  const std::string &ProgramDirectory() const override { return startDir_; }
  quorbel::PictureLibrary &CellPictures() override { return *cellPictures_; }
  int LoadCellPictures(quorbel::PictureOrderMode mode, const std::string &list = {}) override;

  // The commands' side of the application.
  void DealNewGrid() override;
  void ResetGameScore() override;
  void GridSetSolved() override;

private:
  void RegisterOwnCommands();
  void OnNewDocument();
  void StartSoundAndNetwork();
  void StartSound();
  enum class StartupGrid { NoneNamed, NamedOpened, NamedFailed };
  void RunStartupGrid(StartupGrid startup);
  bool PanelKeepsKey(QObject *receiver, const QKeySequence &keys) const;
  void ChooseFirstLanguage();
  // Says once per run why the settings file is refused, or where an unreadable one was set aside;
  // the saves that follow stay quiet on it.
  void TellSettingsRefusal();
  void LoadStartPictures();
  void ReportPictureFailures(const std::vector<quorbel::PictureFailure> &failures);
  // What the player is told of a picture that could not be read, in his language.
  QString PictureFailureText(const quorbel::PictureFailure &failure) const;
  void UpdateFrameTitle();
  // Qt's own texts (file dialogs, message-box buttons) in the player's language.
  void ApplyQtLanguage();

  AppOptions options_;
  quorbel::AppState state_;
  std::string startDir_;
  std::unique_ptr<ScriptedDialogService> ownScripted_;
  std::unique_ptr<WidgetDialogService> ownWidgets_;
  DialogService *dialogs_ = nullptr;
  std::unique_ptr<quorbel::ProfileStore> store_;
  std::string settingsRefusalTold_;
  bool settingsSetAsideTold_ = false;
  bool settingsSaveFailureTold_ = false;
  std::vector<quorbel::PictureFailure> heldPictureFailures_; // start-up's, until the window shows
  quorbel::AppSettings settings_;
  quorbel::BoardColours colours_;
  quorbel::GameSession session_;
  DialogPictures pictures_;
  std::unique_ptr<quorbel::EngineContext> engine_;
  std::unique_ptr<quorbel::PictureLibrary> cellPictures_ = std::make_unique<quorbel::PictureLibrary>();
  quorbel::MessageRing ring_;
  quorbel::LogFile log_;
  quorbel::RingMessageSink sink_;
  CommandDispatcher commands_;
  MessagePump pump_;
  std::unique_ptr<QPrinter> printer_;
  quorbel::InputFilter inputFilter_;
  OutsideServices services_;
  std::unique_ptr<CDocumentHost> documentHost_;
  std::unique_ptr<quorbel::CQuorbelDoc> document_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<CDialogWait> wait_;
  ModelessPanels panels_;
  std::unique_ptr<CSplashWindow> splash_;
  QPointer<CHelpWindow> help_; // parented to the window it stands over
  HelpRequestFilter helpRequests_;
  std::unique_ptr<QTranslator> qtTranslator_;
  bool closeRetryPending_ = false;
};

// Whether the application speaks French now (English for any other setting).
inline bool French(const CQuorbelApp &app) { return quorbel::IsFrench(app.CurrentLanguage()); }

// The application object while it lives, else none.
CQuorbelApp *TheApp();

// Makes every failed allocation stop the program with "Not Enough Memory. Program Abort" (or
// its French text), shown through the application, and exit status -1. Tests pass their own
// stand-in for the process exit.
void InstallOutOfMemoryHandler(std::function<void(int status)> exitProcess = {});
