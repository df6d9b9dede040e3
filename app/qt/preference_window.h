// CPreference, the modeless preference sheet: its twelve pages as tabs, every change live on the
// board (the folders and the challenge at OK), OK to keep the changes and Cancel to take back
// what the sheet changed. F6 shows and hides it.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "app/preference_sheet.h"
#include "platform/language.h"

class CQuorbelApp;
class PreferenceTab;
class CPrefPage9;
class QTabWidget;
class QPushButton;
class QWindow;

class CPreference final : public QDialog {
  Q_OBJECT
public:
  CPreference(CQuorbelApp &app, quorbel::Language language, QWidget *parent);
  ~CPreference() override;

  quorbel::PreferenceSheet &Sheet() { return *sheet_; }
  QTabWidget *Tabs() const { return tabs_; }
  QPushButton *OkButton() const { return ok_; }
  QPushButton *CancelButton() const { return cancel_; }
  // RefreshPreferencePages: every page from the settings, into its controls.
  void RefreshPages();
  // UpdatePreferenceControls: the controls that depend on others, then the board.
  void UpdateControls();
  // The Text tab's sample cell drawn again.
  void DrawSymbolPreview();

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  // Escape and the window's close button are Cancel.
  void reject() override;

private:
  // Whatever changes while the focus is in another window of the program is no edit of the sheet's.
  void FocusMovedTo(QWindow *window);
  // True for the sheet's own windows and the dialogs it opened.
  bool OpenedBySheet(const QWidget *window) const;

  class Effects;
  CQuorbelApp &app_;
  std::unique_ptr<Effects> effects_;
  std::unique_ptr<quorbel::PreferenceSheet> sheet_;
  QTabWidget *tabs_ = nullptr;
  std::vector<PreferenceTab *> pages_;
  CPrefPage9 *property_ = nullptr;
  QPushButton *ok_ = nullptr;
  QPushButton *cancel_ = nullptr;
};

// Registers the sheet with the application's modeless panels, under the name F6 shows.
void RegisterPreferenceSheet(CQuorbelApp &app);
