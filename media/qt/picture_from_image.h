// A picture from a Qt image, for clipboards that offer only an image: 24 bits, with an alpha
// plane when the image has one; and back, for what Qt draws from our pictures.
#pragma once

class QImage;

namespace quorbel {

class CPicture;

// False, with the picture's reason, when the image is empty or too large.
bool PictureFromImage(const QImage &image, CPicture &picture);
// The picture's colours (no alpha), rows from the top; a null image when there is no room.
QImage ImageFromPicture(const CPicture &picture);

} // namespace quorbel
