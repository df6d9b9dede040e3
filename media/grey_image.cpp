#include "media/grey_image.h"

#include <algorithm>

#include "media/picture.h"

namespace quorbel {

GreyImage GreyImageOf(const CPicture &picture, int most) {
  GreyImage image;
  if (!picture.IsValid() || most < 1)
    return image;
  // A picture too large is shrunk by a whole factor, each grey the mean of its block: cutting
  // it would lose the grid's far lines and read another size.
  const int factor = (std::max(picture.Width(), picture.Height()) + most - 1) / most;
  image.Width = picture.Width() / factor;
  image.Height = picture.Height() / factor;
  image.Pixels.resize(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
  image.Outside = picture.GetPixelGray(-1, -1);
  const int area = factor * factor;
  size_t at = 0;
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x) {
      int sum = 0;
      for (int dy = 0; dy < factor; ++dy) {
        const int row = picture.Height() - 1 - (y * factor + dy); // the picture's rows count from the bottom
        for (int dx = 0; dx < factor; ++dx)
          sum += picture.GetPixelGray(x * factor + dx, row);
      }
      image.Pixels[at++] = static_cast<uint8_t>((sum + area / 2) / area);
    }
  return image;
}

} // namespace quorbel
