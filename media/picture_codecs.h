// The picture codecs besides BMP: each decodes a file into the picture it is given (which
// keeps its information block: the frame asked and the like) and answers false with the
// reason as the picture's error text (none for an icon that is not one).
#pragma once

namespace quorbel {

class CPicture;
class CPictureFile;

bool DecodeGif(CPictureFile &file, CPicture &picture);
bool DecodeIco(CPictureFile &file, CPicture &picture);
bool DecodeTga(CPictureFile &file, CPicture &picture);
bool DecodePcx(CPictureFile &file, CPicture &picture);
bool DecodeWbmp(CPictureFile &file, CPicture &picture);

} // namespace quorbel
