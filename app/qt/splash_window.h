// The splash window shown while the program starts, once the language is known.
#pragma once

#include <QWidget>

#include "platform/language.h"

class CSplashWindow final : public QWidget {
  Q_OBJECT
public:
  explicit CSplashWindow(quorbel::Language language);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  quorbel::Language language_;
};
