// What the menu commands ask of the application, and nothing more: the engine and the settings
// they change, the game in play and the program's states, the document they mark, the board they
// act on, the message panel, the dispatcher and pump they run through, the dialogs, printer and
// grid files they use, the panels they show, and the game steps that live with the game's start
// and end. The application implements it; the commands take it instead of the application.
#pragma once

#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "app/app_state.h"
#include "app/game_session.h"
#include "app/message_ring.h"
#include "app/panel_text.h"
#include "app/qt/command_dispatcher.h"
#include "app/qt/dialog_service.h"
#include "app/qt/message_pump.h"
#include "app/qt/modeless_panels.h"
#include "app/qt/outside_services.h"
#include "engine/engine_context.h"
#include "engine/host.h"
#include "files/quorbel_doc.h"
#include "platform/language.h"

class BoardWindow;
class QPrinter;
class QWidget;

class CommandHost {
public:
  virtual ~CommandHost() = default;

  virtual quorbel::EngineContext &Engine() = 0;
  virtual quorbel::AppSettings &Settings() = 0;
  virtual void SaveSettings() = 0;
  // Hands the settings the engine reads over to it, after the settings block changed.
  virtual void SyncEngineSettings() = 0;
  virtual quorbel::Language CurrentLanguage() const = 0;
  virtual bool ExpertMode() const = 0;
  virtual quorbel::GameSession &Session() = 0;
  virtual quorbel::GameTally &Game() = 0;
  virtual quorbel::AppState &State() = 0;
  virtual quorbel::MessageRing &Messages() = 0;
  virtual void PostMessage(const quorbel::PanelText &text) = 0;
  virtual void RedrawViewNow() = 0;
  virtual void RecordMacroStep(const quorbel::RecordedAction &step) = 0;
  virtual void StartWaitProgress(std::string_view text, int range, bool automatic) = 0;
  virtual void StopWaitProgress() = 0;

  // None before the first document exists.
  virtual quorbel::CQuorbelDoc *GetCurrentDocument() = 0;
  virtual void MarkDocumentModified(std::string_view gridName) = 0;
  virtual void ClearDocumentModified() = 0;

  // None before the board view exists.
  virtual BoardWindow *Board() = 0;
  virtual CommandDispatcher &Commands() = 0;
  virtual MessagePump &Pump() = 0;
  virtual OutsideServices &Services() = 0;
  virtual ModelessPanels &Panels() = 0;
  virtual DialogService &Dialogs() = 0;
  // The main window; none before it exists.
  virtual QWidget *DialogParent() = 0;
  // The printer of File > Print, Print Preview and Print Setup.
  virtual QPrinter &Printer() = 0;
  // The frame's menus and texts again, after the language or the expert switch changed.
  virtual void ApplyFrameLanguage() = 0;
  // Reads a grid file as the document; false when it was not read.
  virtual bool OpenDocumentFile(const std::string &path) = 0;

  // The next grid of the game mode, as File > New Grid deals it.
  virtual void DealNewGrid() = 0;
  // A fresh score: no helps, no undo counted, the stopwatches again from the helps shown.
  virtual void ResetGameScore() = 0;
  // Every grid of the set is solved: the game ends as it ends when the player finds the last value.
  virtual void GridSetSolved() = 0;
};

inline bool French(const CommandHost &host) { return quorbel::IsFrench(host.CurrentLanguage()); }
