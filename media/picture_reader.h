// The one way the decoders read a picture file: little-endian fields and blocks, each
// checked against what remains of the file, so that no length, count or offset of a
// hostile header makes a decoder read or allocate past the end.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "media/picture_file.h"

namespace quorbel {

class PictureReader {
public:
  explicit PictureReader(CPictureFile &file) : file_(file) {}

  // Bytes left after the read position (0 at the end or on a file that cannot tell).
  int64_t Remaining();
  int64_t Position() { return file_.Tell(); }
  bool Seek(int64_t position) { return file_.Seek(position, SEEK_SET); }
  bool Skip(int64_t bytes);

  // False, reading nothing, when fewer bytes remain.
  bool Read(std::span<uint8_t> bytes);
  // `count` bytes into `out` (resized); false when fewer remain.
  bool ReadBlock(int64_t count, std::vector<uint8_t> &out);
  // Every byte left, when no more than `limit`.
  bool ReadRest(int64_t limit, std::vector<uint8_t> &out);

  // Fields: on a short read they answer 0 and `Ok` turns false for good.
  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  int32_t I32() { return static_cast<int32_t>(U32()); }
  bool Ok() const { return ok_; }

private:
  CPictureFile &file_;
  bool ok_ = true;
};

// Little-endian fields of bytes already read.
inline uint16_t LittleU16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}
inline uint32_t LittleU32(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

} // namespace quorbel
