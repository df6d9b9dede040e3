#include "app/qt/dialog_pictures.h"

#include <QPainter>
#include <QWidget>

#include "platform/qt/image_file.h"

namespace {

constexpr int kLoaded = 0;
constexpr int kMissing = 1;

int Load(QImage &image, const QString &path) {
  image = quorbel::ReadImageFile(path.toStdString());
  return image.isNull() ? kMissing : kLoaded;
}

} // namespace

DialogPictures LoadDialogPictures(const QString &startDirectory) {
  DialogPictures pictures;
  pictures.ArtistStatus = Load(pictures.Artist, startDirectory + QStringLiteral("/Artist.jpg"));
  pictures.Artist1Status = Load(pictures.Artist1, startDirectory + QStringLiteral("/Artist1.jpg"));
  pictures.KidsStatus = Load(pictures.Kids, startDirectory + QStringLiteral("/Kids.jpg"));
  return pictures;
}

void PaintDialogPicture(QPainter &painter, const QWidget &widget, const QImage &picture, int status) {
  if (status == kLoaded && !picture.isNull())
    painter.drawImage(widget.rect(), picture);
}
