// CLanguage, the first-start question: French or English. Each button sets the choice and
// closes the dialog as accepted; the caller saves the settings.
#pragma once

#include <QDialog>

#include "platform/language.h"

class CLanguage final : public QDialog {
  Q_OBJECT
public:
  explicit CLanguage(QWidget *parent = nullptr);

  // NotChosen until a button was pressed.
  quorbel::Language Choice() const { return choice_; }

private:
  void Choose(quorbel::Language language);

  quorbel::Language choice_ = quorbel::Language::NotChosen;
};
