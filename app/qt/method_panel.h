// CMethod, the methods panel: the modeless window in which the player picks the solving methods
// and the group and Burma sizes, that is the MethodMask every solving command reads
// (METHOD/METHOD). F5 shows and hides it; it is built again in the new language at a switch.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

#include "app/qt/dialog_host.h"
#include "engine/engine_context.h"
#include "platform/language.h"
#include "solver/method_mask.h"

class QCheckBox;
class QPushButton;

// What the panel's boxes and buttons do to the game, which its command does.
struct MethodPanelActions {
  // The mask becomes `mask`: saved, candidates again when the box changes what they show, the
  // document modified, the macro step.
  std::function<void(quorbel::MethodMask mask, bool recomputeCandidates)> change;
  // The panel goes, its mask saved when `save`.
  std::function<void(bool save)> close;
};

class CMethod final : public QDialog {
  Q_OBJECT
public:
  // The mask is the settings' of `host`; the size and Variant boxes follow the grids of `engine`.
  CMethod(DialogHost &host, const quorbel::EngineContext &engine, MethodPanelActions actions,
          quorbel::Language language, QWidget *parent);

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
  void Change(quorbel::MethodMask mask, bool recomputeCandidates);
  void Close(bool save) { actions_.close(save); }

  DialogHost &host_;
  const quorbel::EngineContext &engine_;
  MethodPanelActions actions_;
  std::vector<std::pair<quorbel::MethodMask, QCheckBox *>> boxes_;
  QPushButton *all_ = nullptr;
  QPushButton *none_ = nullptr;
  QPushButton *default_ = nullptr;
  QPushButton *ok_ = nullptr;
  // While shown, the boxes follow the grid (its width, its rules) once a second.
  QTimer refresh_;
};
