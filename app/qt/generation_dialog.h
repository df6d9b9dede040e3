// GrilleSel, the grid-generation dialog: the size, the level, the way values are shown and the
// variant rules to combine (or one or several at random), over the plain VariantSelection; GO
// hands the choices to the command, which stores them and generates. Sudoku > Generate Grid
// opens it.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "app/qt/dialog_host.h"
#include "app/variant_selection.h"
#include "platform/language.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QRadioButton;
class QSlider;
class QToolButton;

// The choices GO hands on, with the depth and the count of linked grids of the sliders.
struct GenerationChoice {
  quorbel::VariantSelection model;
  int depth = 0;
  int gridCount = 0;
};
// Stores the choices and generates; true when a grid was made.
using GenerateFromChoice = std::function<bool(const GenerationChoice &)>;

class GrilleSel final : public QDialog {
  Q_OBJECT
public:
  GrilleSel(DialogHost &host, GenerateFromChoice generate, quorbel::Language language, QWidget *parent);

  quorbel::VariantSelection &Model() { return model_; }
  QListWidget *VariantList() const { return list_; }
  QToolButton *SizeButton(int shape) const;
  QRadioButton *DisplayRadio(int mode) const { return displays_[static_cast<size_t>(mode)]; }
  QRadioButton *LevelRadio(int level) const { return levels_[static_cast<size_t>(level - 1)]; }
  QLabel *Comment() const { return comment_; }
  QSlider *GridCount() const { return gridCount_; }
  // Ticks or unticks a row as the player's click would.
  void SetRowTicked(int row, bool ticked);
  // GO: refuses what cannot be generated (said, the dialog left open); otherwise hands the
  // choices on, and closes with OK when a grid was made.
  void OnGenerate();

protected:
  void paintEvent(QPaintEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void Show();
  void RowChanged(QListWidgetItem *item);

  DialogHost &host_;
  GenerateFromChoice generate_;
  quorbel::Language language_;
  quorbel::VariantSelection model_;
  std::array<QToolButton *, 6> sizes_{};
  std::array<QRadioButton *, 4> displays_{};
  std::array<QRadioButton *, 4> levels_{};
  QListWidget *list_ = nullptr;
  QLabel *comment_ = nullptr;
  QSlider *depth_ = nullptr;
  QSlider *gridCount_ = nullptr;
  bool showing_ = false; // the list is being filled from the model: its changes are not the player's
};
