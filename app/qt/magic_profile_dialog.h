// CPrefMagic, the quick display profiles: the ".magic" files of the profile folder in a list,
// stepped through or chosen and applied at once; OK keeps the display, Cancel goes back to the
// one in force when the dialog appeared, Save Current writes the display as a new profile. F7
// shows and hides it.
#pragma once

#include <QDialog>
#include <string>

#include "platform/language.h"

class CQuorbelApp;
class QComboBox;
class QPushButton;

class CPrefMagic final : public QDialog {
  Q_OBJECT
public:
  CPrefMagic(CQuorbelApp &app, quorbel::Language language, QWidget *parent);

  QComboBox *List() const { return list_; }
  QPushButton *OkButton() const { return ok_; }
  QPushButton *CancelButton() const { return cancel_; }
  // The profiles of the folder again, the current one selected.
  void FillMagicList();
  // The display no longer matches a saved profile.
  void ClearMagicSelection();
  void Step(bool next);
  // Writes the display as the profile `title` of the profile folder, lists and selects it.
  bool SaveCurrent(const std::string &title);

protected:
  void showEvent(QShowEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  void reject() override;

private:
  void Apply(const std::string &path, bool record);
  void Ok();
  void ChooseAndSave();
  std::string ProfilePath(const std::string &title) const;

  CQuorbelApp &app_;
  QComboBox *list_ = nullptr;
  QPushButton *ok_ = nullptr;
  QPushButton *cancel_ = nullptr;
  std::string title_;
  bool saveOnShow_ = true;
};

// Applies the profile file at `path` to the display: settings, colours, picture order and set, the
// preference sheet's pages and the board. False when it could not be read (nothing changes then).
bool ApplyMagicProfile(CQuorbelApp &app, const std::string &path);

// Registers the dialog with the application's modeless panels, under the name F7 shows.
void RegisterMagicProfileDialog(CQuorbelApp &app);
