#include "app/qt/preference_tabs.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/qt/dialog_host.h"

void PreferenceTab::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = host_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QWidget::paintEvent(event);
}

ClickableLabel::ClickableLabel(std::function<void()> clicked, QWidget *parent)
    : QLabel(parent), clicked_(std::move(clicked)) {
  setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton && clicked_)
    clicked_();
}
