// What the main window asks of the application, and nothing more: the dispatcher its menus and
// toolbar run, the language and the expert switch that shape them, the document its title and
// recent files show, the panels built again at a language switch, and what closing, minimising
// and a dropped file do. The application implements it; the frame holds it instead.
#pragma once

#include <string>

#include "app/app_state.h"
#include "app/qt/command_dispatcher.h"
#include "files/quorbel_doc.h"
#include "platform/language.h"

class FrameHost {
public:
  virtual ~FrameHost() = default;

  virtual CommandDispatcher &Commands() = 0;
  virtual quorbel::Language CurrentLanguage() const = 0;
  virtual bool ExpertMode() const = 0;
  // None before the first document exists.
  virtual quorbel::CQuorbelDoc *GetCurrentDocument() = 0;
  virtual void CreateModelessDialogs() = 0;
  // False: do not close now (a computation is stopping, or the player kept a modified document).
  virtual bool CanCloseFrame() = 0;
  // The pause follows the window's minimising.
  virtual quorbel::AppState &State() = 0;
  virtual void RedrawViewNow() = 0;
  virtual bool OpenDocumentFile(const std::string &path) = 0;
};
