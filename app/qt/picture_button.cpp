#include "app/qt/picture_button.h"

#include <QPainter>

CPictureButton::CPictureButton(ButtonPictures pictures, QWidget *parent)
    : QAbstractButton(parent), pictures_(std::move(pictures)) {
  setFocusPolicy(Qt::StrongFocus);
  setFixedSize(sizeHint());
}

QSize CPictureButton::sizeHint() const { return pictures_.Up.size(); }

void CPictureButton::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const QPixmap &picture = isDown() ? pictures_.Down : hasFocus() ? pictures_.Focus : pictures_.Up;
  painter.drawPixmap(0, 0, picture);
}
