// The small dialogs through which the expert gives a variant its parameters: an irregular block's
// number, the Trio class of each value, a PanDigital expression's relations and position, the
// Magic Sentence letter table, the Numeral number words, and the note on adding objects.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "app/variant_parameters.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A block number 1..highest, or 0 (Clear); -1 when closed without a choice. Keys '1'..'9' and
// 'A'..'G' (10..16) choose too, within the highest.
class CDialogBlock final : public QDialog {
  Q_OBJECT
public:
  CDialogBlock(int highest, QWidget *parent = nullptr);
  int Result() const { return result_; }
  void Choose(int block);

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  int result_ = -1;
  int highest_;
};

// The class (1..4, 0 none) of each value 1..width.
class CDialogTrioData final : public QDialog {
  Q_OBJECT
public:
  CDialogTrioData(int width, const std::array<int8_t, 16> &classes, QWidget *parent = nullptr);
  std::array<int8_t, 16> Classes() const { return classes_; }
  // The values' symbols as the board shows them (digits until set).
  void SetValueLabels(const std::array<QString, 16> &labels);
  void SelectClass(int cellClass);
  void GiveValue(int value); // the current class, when one is chosen
  void Clear();              // the current class's values, or every class with none chosen
  void Default();            // runs of 2, 3 or 4 values by the width

protected:
  void contextMenuEvent(QContextMenuEvent *event) override; // a right click chooses no class
  void paintEvent(QPaintEvent *event) override;

private:
  int width_;
  int current_ = 0;
  std::array<int8_t, 16> classes_{};
  std::array<QRadioButton *, 4> classButtons_{};
  std::array<QLabel *, 4> classLabels_{};
  std::array<QString, 16> valueLabels_{};
  std::array<QPushButton *, 16> valueButtons_{};
  void Refresh();
};

// The relations between the numbers read out of 2 to 4 blocks, and the line or column they are
// read at (-1: every one).
class CDialogPan final : public QDialog {
  Q_OBJECT
public:
  // `lines` is how many lines (or columns) each block has across the reading direction.
  CDialogPan(const std::array<int, 4> &blocks, int position, int lines, QWidget *parent = nullptr);
  std::array<int, 3> Operators() const;
  int Position() const;

private:
  int blockCount_ = 2;
  std::array<QButtonGroup *, 3> relations_{};
  QButtonGroup *positions_ = nullptr;
};

// The letter of each value: Space clears the current place, Left and Right move, a letter key
// places that letter and moves on.
class CDialogMagicTable final : public QDialog {
  Q_OBJECT
public:
  CDialogMagicTable(int width, const std::array<int32_t, 26> &table, QWidget *parent = nullptr);
  std::array<int32_t, 26> Table() const { return quorbel::StoreMagicTable(places_); }
  bool ApplyToAllGrids() const;
  void Reinit();
  const quorbel::MagicTablePlaces &Places() const { return places_; }

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  int width_;
  quorbel::MagicTablePlaces places_;
  std::array<QLabel *, 16> labels_{};
  QCheckBox *applyAll_ = nullptr;
  void Refresh();
};

// The number word of each value, with seven preset lists and the letters' statistics.
class CDialogNumeral final : public QDialog {
  Q_OBJECT
public:
  CDialogNumeral(int width, const std::array<std::string, 16> &words, QWidget *parent = nullptr);
  std::array<std::string, 16> Words() const;
  void UsePreset(int preset); // 0 French .. 4 German, 5 the phone keypad, 6 Hindi
  void Clear();

private:
  int width_;
  std::array<QLineEdit *, 16> edits_{};
  QLabel *statistics_ = nullptr;
  void Refresh();
};

// Where new objects come from: a note, OK and Cancel.
class CDialogAddObject final : public QDialog {
  Q_OBJECT
public:
  CDialogAddObject(bool french, QWidget *parent = nullptr);
};
