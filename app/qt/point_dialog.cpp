#include "app/qt/point_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CDialogPoint::CDialogPoint(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CDialogPoint"));
  setWindowTitle(QStringLiteral("Double and Triple Definition"));
  auto *form = new QFormLayout;
  for (int i = 0; i < kEdits; ++i) {
    auto *edit = new QSpinBox(this);
    edit->setObjectName(QStringLiteral("x%1").arg(i + 2));
    edit->setRange(0, 99999);
    form->addRow(QStringLiteral("x%1:").arg(i + 2, 2), edit);
    edits_[static_cast<size_t>(i)] = edit;
  }
  auto *reinit = new QPushButton(QStringLiteral("Reinit"), this);
  reinit->setObjectName(QStringLiteral("reinit"));
  auto *clear = new QPushButton(QStringLiteral("Clear"), this);
  clear->setObjectName(QStringLiteral("clear"));
  connect(reinit, &QPushButton::clicked, this, &CDialogPoint::Reinit);
  connect(clear, &QPushButton::clicked, this, &CDialogPoint::Clear);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    values_ = GetPointValues();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto *tools = new QHBoxLayout;
  tools->addWidget(reinit);
  tools->addWidget(clear);
  tools->addStretch();
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Enter Points when consecutive cells have relation xX"), this));
  layout->addLayout(form);
  layout->addLayout(tools);
  layout->addWidget(buttons);
}

void CDialogPoint::SetPointValues(const std::array<uint32_t, kValues> &values) {
  values_ = values;
  for (int i = 0; i < kEdits; ++i)
    edits_[static_cast<size_t>(i)]->setValue(
        static_cast<int>(std::min<uint32_t>(values[static_cast<size_t>(i)], 99999)));
}

std::array<uint32_t, CDialogPoint::kValues> CDialogPoint::GetPointValues() const {
  std::array<uint32_t, kValues> values = values_;
  for (int i = 0; i < kEdits; ++i)
    values[static_cast<size_t>(i)] = static_cast<uint32_t>(edits_[static_cast<size_t>(i)]->value());
  return values;
}

void CDialogPoint::Reinit() {
  for (int i = 0; i < kEdits; ++i)
    edits_[static_cast<size_t>(i)]->setValue(i + 1);
}

void CDialogPoint::Clear() {
  for (QSpinBox *edit : edits_)
    edit->setValue(0);
}
