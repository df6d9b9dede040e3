// CDialogWait, the progress window that long computations show while they run: a line of text,
// a progress bar and a Cancel button that asks the computation to stop. Modeless and hidden
// until a computation starts it; rebuilt in the new language at every language switch.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "platform/language.h"

class QLabel;
class QProgressBar;
class QPushButton;

class CDialogWait final : public QDialog {
  Q_OBJECT
public:
  // `cancel` runs when the player presses Cancel, Escape or closes the window.
  CDialogWait(quorbel::Language language, std::function<void()> cancel, QWidget *parent = nullptr);

  // The bar runs over 0..range from 0. With `automatic` the bar only advances by single steps.
  void StartWaitProgress(const QString &text, int range, bool automatic);
  // -1 advances the bar by one; any other value sets its position, unless automatic.
  void StepWaitProgress(int position);
  // The end of the work: the window goes.
  void StopWaitDialog();

  QString WaitText() const { return waitText_; }
  int WaitRange() const { return waitRange_; }
  bool WaitAutomatic() const { return waitAutomatic_; }
  QProgressBar *Bar() const { return bar_; }
  QPushButton *CancelButton() const { return cancelButton_; }

public slots:
  void reject() override;

private:
  QString waitText_ = QStringLiteral("Hello");
  int waitRange_ = 100;
  bool waitAutomatic_ = false;
  std::function<void()> cancel_;
  QLabel *label_;
  QProgressBar *bar_;
  QPushButton *cancelButton_;
};
