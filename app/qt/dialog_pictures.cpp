#include "app/qt/dialog_pictures.h"

#include <QFileInfo>
#include <QPainter>
#include <QWidget>

#include "platform/qt/image_file.h"

namespace {

constexpr int kLoaded = 0;
constexpr int kMissing = 1;

int Load(QImage &image, const QString &path, std::vector<std::string> &failures) {
  std::string reason;
  image = quorbel::ReadImageFile(path.toStdString(), &reason);
  if (!image.isNull())
    return kLoaded;
  if (QFileInfo::exists(path))
    failures.push_back(path.toStdString() + " (" + reason + ")");
  return kMissing;
}

} // namespace

DialogPictures LoadDialogPictures(const QString &startDirectory) {
  DialogPictures pictures;
  std::vector<std::string> &failures = pictures.Failures;
  pictures.ArtistStatus = Load(pictures.Artist, startDirectory + QStringLiteral("/Artist.jpg"), failures);
  pictures.Artist1Status = Load(pictures.Artist1, startDirectory + QStringLiteral("/Artist1.jpg"), failures);
  pictures.KidsStatus = Load(pictures.Kids, startDirectory + QStringLiteral("/Kids.jpg"), failures);
  return pictures;
}

void PaintDialogPicture(QPainter &painter, const QWidget &widget, const QImage &picture, int status) {
  if (status == kLoaded && !picture.isNull())
    painter.drawImage(widget.rect(), picture);
}
