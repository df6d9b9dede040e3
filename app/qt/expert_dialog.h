// CDialogExpert: the expert area, where the test bench's ranges are kept and one of its five
// runs is started.
#pragma once

#include <QDialog>
#include <array>

#include "app/app_settings.h"
#include "platform/language.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

// The run a button of the area starts.
enum class ExpertTest { None, T1, T2, T4, T8, T16 };

class CDialogExpert final : public QDialog {
  Q_OBJECT
public:
  CDialogExpert(const quorbel::ExpertSettings &area, quorbel::Language language, QWidget *parent = nullptr);

  // What the area holds: as it was read until a test button takes the edits.
  const quorbel::ExpertSettings &Area() const { return area_; }
  ExpertTest ChosenTest() const { return chosen_; }

private:
  void Take(ExpertTest test);
  QSpinBox *Edit(int id, int value);
  QCheckBox *Check(int id, const QString &text, int value);
  QComboBox *Combo(int id, const QStringList &items, int index);

  quorbel::ExpertSettings area_;
  ExpertTest chosen_ = ExpertTest::None;
  std::array<QSpinBox *, 15> edits_{};
  QCheckBox *display_ = nullptr;
  QCheckBox *normal_ = nullptr;
  QCheckBox *diagonal_ = nullptr;
  QComboBox *firstSize_ = nullptr;
  QComboBox *lastSize_ = nullptr;
  QComboBox *seededType_ = nullptr;
  QComboBox *blankType_ = nullptr;
};
