#include "app/qt/dialog_wait.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using quorbel::IsEnglish;

CDialogWait::CDialogWait(quorbel::Language language, std::function<void()> cancel, QWidget *parent)
    : QDialog(parent), cancel_(std::move(cancel)) {
  const bool english = IsEnglish(language);
  setObjectName(QStringLiteral("CDialogWait"));
  setWindowTitle(english ? QStringLiteral("Wait please") : QStringLiteral("Attendre, svp"));
  setModal(false);

  label_ = new QLabel(waitText_, this);
  label_->setTextFormat(Qt::PlainText);
  bar_ = new QProgressBar(this);
  bar_->setRange(0, waitRange_);
  bar_->setValue(0);
  cancelButton_ = new QPushButton(english ? QStringLiteral("Cancel") : QStringLiteral("Annule"), this);
  connect(cancelButton_, &QPushButton::clicked, this, &CDialogWait::reject);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
  setMinimumWidth(320);
}

void CDialogWait::StartWaitProgress(const QString &text, int range, bool automatic) {
  waitText_ = text;
  waitRange_ = range;
  waitAutomatic_ = automatic;
  bar_->setRange(0, range);
  bar_->setValue(0);
  label_->setText(text);
}

void CDialogWait::StepWaitProgress(int position) {
  // Steps counted against an expected range may outnumber it: the bar is full only once the
  // work ends and the window goes.
  if (position == -1)
    bar_->setValue(std::min(bar_->value() + 1, std::max(bar_->minimum(), bar_->maximum() - 1)));
  else if (!waitAutomatic_)
    bar_->setValue(std::clamp(position, 0, bar_->maximum()));
}

void CDialogWait::StopWaitDialog() { hide(); }

void CDialogWait::reject() {
  if (cancel_)
    cancel_();
  QDialog::reject();
}
