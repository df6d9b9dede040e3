// What a dialog asks of the application, and nothing more: the player's language and settings
// (and saving them), the dialog service its windows go through, the window it stands over, the
// pictures painted under its controls and the help pages. The application implements it; dialogs
// hold it instead.
#pragma once

#include "app/app_settings.h"
#include "app/qt/dialog_pictures.h"
#include "app/qt/dialog_service.h"
#include "platform/language.h"

class QWidget;

class DialogHost {
public:
  virtual ~DialogHost() = default;

  virtual quorbel::Language CurrentLanguage() const = 0;
  virtual quorbel::AppSettings &Settings() = 0;
  // Writes the settings (and the colours) to the settings store.
  virtual void SaveSettings() = 0;
  virtual DialogService &Dialogs() = 0;
  // The main window; none before it exists.
  virtual QWidget *DialogParent() = 0;
  virtual const DialogPictures &Pictures() const = 0;
  virtual void ShowHelp(int context) = 0;
};
