// The central widget until the board view takes its place: the board's ground colour, the
// program's name and the newest lines of the message panel.
#pragma once

#include <QWidget>

#include "app/colours.h"
#include "app/message_ring.h"

class CBoardPlaceholder final : public QWidget {
  Q_OBJECT
public:
  CBoardPlaceholder(const quorbel::MessageRing &ring, const quorbel::BoardColours &colours,
                    QWidget *parent = nullptr);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  const quorbel::MessageRing &ring_;
  const quorbel::BoardColours &colours_;
};
