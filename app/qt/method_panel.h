// CMethod, the methods panel: the modeless window in which the player picks the solving methods
// and the group and Burma sizes, that is the MethodMask every solving command reads
// (METHOD/METHOD). F5 shows and hides it; it is built again in the new language at a switch.
#pragma once

#include <QDialog>
#include <QTimer>
#include <utility>
#include <vector>

#include "platform/language.h"
#include "solver/method_mask.h"

class CQuorbelApp;
class QCheckBox;
class QPushButton;

class CMethod final : public QDialog {
  Q_OBJECT
public:
  CMethod(CQuorbelApp &app, quorbel::Language language, QWidget *parent);

  // Every box from its bit of the mask; the Variant box enabled only while a shown grid has
  // rules, the size boxes by the grid's width.
  void RefreshMethodChecks();

  QCheckBox *Box(quorbel::MethodMask bit) const;
  QPushButton *AllButton() const { return all_; }
  QPushButton *NoneButton() const { return none_; }
  QPushButton *DefaultButton() const { return default_; }
  QPushButton *OkButton() const { return ok_; }

protected:
  void paintEvent(QPaintEvent *event) override;
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  // Escape closes the panel as its window's close button does.
  void reject() override { Close(false); }

private:
  // The mask becomes `mask`: saved, candidates again when the box changes what they show, the
  // document modified, the macro step.
  void Change(quorbel::MethodMask mask, bool recomputeCandidates);
  void Close(bool save);

  CQuorbelApp &app_;
  std::vector<std::pair<quorbel::MethodMask, QCheckBox *>> boxes_;
  QPushButton *all_ = nullptr;
  QPushButton *none_ = nullptr;
  QPushButton *default_ = nullptr;
  QPushButton *ok_ = nullptr;
  // While shown, the boxes follow the grid (its width, its rules) once a second.
  QTimer refresh_;
};

// Registers the panel with the application's modeless panels, under the name F5 shows.
void RegisterMethodPanel(CQuorbelApp &app);
