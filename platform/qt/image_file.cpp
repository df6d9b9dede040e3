#include "platform/qt/image_file.h"

#include "platform/regular_file.h"

namespace quorbel {

QImage ReadImageFile(const std::string &path, std::string *reason) {
  const RegularFileBytes file = ReadRegularFile(path, kMostImageFileBytes);
  if (!file.Ok) {
    if (reason)
      *reason = file.Message;
    return {};
  }
  QImage image = QImage::fromData(file.Bytes.data(), static_cast<int>(file.Bytes.size()));
  if (image.isNull() && reason)
    *reason = "not a picture Qt reads";
  return image;
}

} // namespace quorbel
