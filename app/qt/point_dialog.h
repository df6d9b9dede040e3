// CDialogPoint: the Double and Triple points, one edit per quotient 2 to 16 of two neighbours,
// with Reinit (quotient q worth q - 1) and Clear.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QSpinBox;

class CDialogPoint final : public QDialog {
  Q_OBJECT
public:
  static constexpr int kValues = 16;
  static constexpr int kEdits = 15; // x2 .. x16

  explicit CDialogPoint(QWidget *parent = nullptr);

  void SetPointValues(const std::array<uint32_t, kValues> &values);
  std::array<uint32_t, kValues> GetPointValues() const;
  void Reinit(); // entry i worth i + 1
  void Clear();

private:
  std::array<uint32_t, kValues> values_{};
  std::array<QSpinBox *, kEdits> edits_{};
};
