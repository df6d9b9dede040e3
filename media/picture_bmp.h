// The BMP codec: a file header and a core (12-byte) or information (40 bytes or more)
// header, or the information header alone as a clipboard gives it; 1, 4, 8 bits plain or
// run-length coded, 16 and 32 bits with bit fields, 24 bits.
#pragma once

#include <cstdint>
#include <span>

namespace quorbel {

class CPicture;
class CPictureFile;

// Decodes into `picture` (which keeps its information block: the frame asked and the like).
// False with the reason as the picture's error text.
bool DecodeBmp(CPictureFile &file, CPicture &picture);

// A packed bitmap as a clipboard holds it (information header, palette or masks, rows):
// the picture it describes. False, with the reason as the picture's text when there is one.
bool CreateFromPackedBitmap(std::span<const uint8_t> block, CPicture &picture);

// Run-length coded rows (RLE8, or RLE4 with `fourBits`) into a palette picture, from its
// bottom row; what would fall outside the picture is dropped.
void ExpandRunLengths(std::span<const uint8_t> data, CPicture &picture, bool fourBits);

} // namespace quorbel
