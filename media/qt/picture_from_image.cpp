#include "media/qt/picture_from_image.h"

#include <QImage>
#include <algorithm>

#include "media/picture.h"

namespace quorbel {

namespace {

// A large image is converted a band of rows at a time, never copied whole.
constexpr int kBandRows = 64;

} // namespace

bool PictureFromImage(const QImage &image, CPicture &picture) {
  if (!picture.Create(image.width(), image.height(), 24, kPictureBmp))
    return false;
  const bool alpha = image.hasAlphaChannel();
  if (alpha)
    picture.CreateAlpha();
  for (int32_t top = 0; top < image.height(); top += kBandRows) {
    const QImage band = image.copy(0, top, image.width(), std::min(kBandRows, image.height() - top))
                            .convertToFormat(QImage::Format_ARGB32);
    for (int32_t y = 0; y < band.height(); ++y) {
      const auto *line = reinterpret_cast<const QRgb *>(band.constScanLine(y));
      const int32_t row = image.height() - 1 - (top + y); // pictures keep their rows from the bottom
      for (int32_t x = 0; x < band.width(); ++x) {
        picture.SetPixelColor(x, row,
                              RgbPixel(static_cast<uint8_t>(qRed(line[x])),
                                       static_cast<uint8_t>(qGreen(line[x])),
                                       static_cast<uint8_t>(qBlue(line[x]))));
        if (alpha)
          picture.SetAlpha(x, row, static_cast<uint8_t>(qAlpha(line[x])));
      }
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
