#include "media/grey_image.h"

#include <algorithm>

#include "media/picture.h"

namespace quorbel {

GreyImage GreyImageOf(const CPicture &picture, int most) {
  GreyImage image;
  if (!picture.IsValid())
    return image;
  image.Width = std::min(picture.Width(), most);
  image.Height = std::min(picture.Height(), most);
  image.Pixels.resize(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
  image.Outside = picture.GetPixelGray(-1, -1);
  size_t at = 0;
  for (int y = 0; y < image.Height; ++y) {
    const int row = picture.Height() - 1 - y; // the picture's rows count from the bottom
    for (int x = 0; x < image.Width; ++x)
      image.Pixels[at++] = picture.GetPixelGray(x, row);
  }
  return image;
}

} // namespace quorbel
