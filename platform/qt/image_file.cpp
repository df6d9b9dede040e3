#include "platform/qt/image_file.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/regular_file.h"

namespace quorbel {

namespace {

constexpr int kMostHalvings = 3;

bool Fits(const QSize &size) { return int64_t{size.width()} * size.height() <= kMostImagePixels; }

} // namespace

QImage ReadImageFile(const std::string &path, std::string *reason) {
  const RegularFileBytes file = ReadRegularFile(path, kMostImageFileBytes);
  if (!file.Ok) {
    if (reason)
      *reason = file.Message;
    return {};
  }
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(file.Bytes.data()),
                                             static_cast<qsizetype>(file.Bytes.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // Qt's own bound, for a reader whose header does not tell the size: four bytes a pixel.
  reader.setAllocationLimit(static_cast<int>((kMostImagePixels * 4 >> 20) + 1));
  const QSize size = reader.size();
  if (size.isValid() && !Fits(size)) {
    QSize smaller = size;
    for (int halvings = 0; halvings < kMostHalvings && !Fits(smaller); ++halvings)
      smaller = QSize((smaller.width() + 1) / 2, (smaller.height() + 1) / 2);
    // JPEG alone decodes at those sizes directly; the others would make the whole picture first.
    if (!Fits(smaller) || reader.format() != "jpeg") {
      if (reason)
        *reason = "a picture of " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                  " pixels, more than this program holds";
      return {};
    }
    reader.setScaledSize(smaller);
  }
  QImage image = reader.read();
  if (image.isNull() && reason)
    *reason = "not a picture Qt reads";
  return image;
}

} // namespace quorbel
