#include "app/qt/preference_tabs.h"

#include <QPainter>

#include "app/qt/dialog_pictures.h"
#include "app/qt/quorbel_app.h"

void PreferenceTab::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = app_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QWidget::paintEvent(event);
}
