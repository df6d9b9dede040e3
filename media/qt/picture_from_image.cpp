#include "media/qt/picture_from_image.h"

#include <QImage>

#include "media/picture.h"

namespace quorbel {

bool PictureFromImage(const QImage &image, CPicture &picture) {
  if (!picture.Create(image.width(), image.height(), 24, kPictureBmp))
    return false;
  const bool alpha = image.hasAlphaChannel();
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  if (alpha)
    picture.CreateAlpha();
  for (int32_t y = 0; y < argb.height(); ++y) {
    const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
    const int32_t row = argb.height() - 1 - y; // pictures keep their rows from the bottom
    for (int32_t x = 0; x < argb.width(); ++x) {
      picture.SetPixelColor(x, row,
                            RgbPixel(static_cast<uint8_t>(qRed(line[x])),
                                     static_cast<uint8_t>(qGreen(line[x])),
                                     static_cast<uint8_t>(qBlue(line[x]))));
      if (alpha)
        picture.SetAlpha(x, row, static_cast<uint8_t>(qAlpha(line[x])));
    }
  }
  return true;
}

QImage ImageFromPicture(const CPicture &picture) {
  QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
  if (image.isNull())
    return image;
  for (int32_t y = 0; y < picture.Height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int32_t x = 0; x < picture.Width(); ++x)
      line[x] = picture.GetPixelColor(x, picture.Height() - 1 - y).Value | 0xFF000000u;
  }
  return image;
}

} // namespace quorbel
