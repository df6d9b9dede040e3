// What the board view asks of the application, and nothing more: what a dialog asks (it asks
// values and prints through dialogs), the engine and the settings it shows and edits, the game in
// play, the message panel, the few program states that gate input, and the services it calls
// (sound, macro steps, the Sudoku menu's commands, the status panes, the printer). The application
// implements it; the view holds it instead of the application.
#pragma once

#include <QString>
#include <string>

#include "app/app_settings.h"
#include "app/app_state.h"
#include "app/colours.h"
#include "app/game_session.h"
#include "app/message_ring.h"
#include "app/panel_text.h"
#include "app/picture_library.h"
#include "app/qt/dialog_host.h"
#include "app/qt/dialog_service.h"
#include "engine/cell_image.h"
#include "engine/engine_context.h"
#include "engine/host.h"
#include "platform/language.h"
#include "resources/command_table.h"

class QPrinter;

class ViewHost : public DialogHost {
public:
  virtual quorbel::EngineContext &Engine() = 0;
  virtual quorbel::BoardColours &Colours() = 0;
  virtual bool ExpertMode() const = 0;
  virtual quorbel::GameSession &Session() = 0;
  virtual quorbel::MessageRing &Messages() = 0;

  // The grid in play, the pause, the challenge, who drives the commands; the end of a game ends
  // its new grid there.
  virtual quorbel::AppState &State() = 0;
  // A long computation pumps events: the board takes no input then.
  virtual bool Computing() const = 0;
  // No screen: what would wait for a person is answered or skipped.
  virtual bool Headless() const = 0;

  virtual void PostMessage(const quorbel::PanelText &text) = 0;
  virtual void RecordMacroStep(const quorbel::RecordedAction &step) = 0;
  virtual void PlaySoundEffect(int slot) = 0;
  virtual void SetPaneText(int pane, const QString &text) = 0;
  virtual QString AskOpenFileName(QWidget *parent, const FileDialogRequest &request) = 0;
  // Runs a command of the menus as the player would.
  virtual bool RunCommand(quorbel::Cmd cmd) = 0;
  // What the menus and toolbars offer changed (a move was made): their states follow at once.
  virtual void CommandStatesChanged() = 0;
  // Takes main grid `slot` out of the set; false, with nothing changed, for the last grid.
  virtual bool DeleteGrid(int slot) = 0;
  // The open document's title; empty when there is none.
  virtual std::string DocumentTitle() = 0;
  // The printer of File > Print, Print Preview and Print Setup.
  virtual QPrinter &Printer() = 0;
  // The frame's menus and texts again in the player's language (a print preview took them over).
  virtual void ApplyFrameLanguage() = 0;
  // The cell pictures, the chess pieces, markers and effects, the number bar's buttons.
  virtual quorbel::PictureLibrary &CellPictures() = 0;
  // Loads the cell picture list `list` (the settings' one when empty) in `mode`'s order, then
  // gives every cell the picture of its value; the number of pictures loaded.
  virtual int LoadCellPictures(quorbel::PictureOrderMode mode, const std::string &list = {}) = 0;
  // Where the program's data files and relative paths start.
  virtual const std::string &ProgramDirectory() const = 0;
};
