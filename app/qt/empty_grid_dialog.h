// CEmptyGrid, the empty-grid dialog: a grid size and a way of showing values, then Manual Input
// starts an empty grid to type a puzzle in. File > New Empty Grid opens it (NewEmptyGrid).
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/qt/dialog_host.h"
#include "engine/variant_catalog.h"
#include "platform/language.h"

class QRadioButton;
class QToolButton;

// Makes the empty grid of a size and a way of showing values; false when the player kept the
// document at the save question.
using MakeEmptyGrid = std::function<bool(int shape, quorbel::SymbolMode display)>;

class CEmptyGrid final : public QDialog {
  Q_OBJECT
public:
  CEmptyGrid(DialogHost &host, MakeEmptyGrid make, quorbel::Language language, int shape,
             quorbel::SymbolMode display, QWidget *parent);

  int EmptyShape = 5; // -1 while no size is picked
  quorbel::SymbolMode EmptyDisplay = quorbel::kSymbolDigits;

  QToolButton *SizeButton(int shape) const;
  QRadioButton *DisplayRadio(quorbel::SymbolMode mode) const { return radios_[static_cast<size_t>(mode)]; }
  // The player's document may be dropped, the grid set is one empty grid of the chosen shape, and
  // the settings say so; the dialog closes with OK. Cancelled at the save question: Cancel.
  void ManualInput();

protected:
  void paintEvent(QPaintEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void PickSize(int shape);
  void UpdateDisplayChoices();

  DialogHost &host_;
  MakeEmptyGrid make_;
  std::array<QToolButton *, 6> sizes_{};
  std::array<QRadioButton *, 4> radios_{};
};
