#include "media/picture_reader.h"

#include <array>

namespace quorbel {

int64_t PictureReader::Remaining() {
  const int64_t size = file_.Size();
  const int64_t position = file_.Tell();
  return size < 0 || position < 0 || position > size ? 0 : size - position;
}

bool PictureReader::Skip(int64_t bytes) {
  if (bytes < 0 || bytes > Remaining())
    return false;
  return file_.Seek(bytes, SEEK_CUR);
}

bool PictureReader::Read(std::span<uint8_t> bytes) {
  if (static_cast<int64_t>(bytes.size()) > Remaining())
    return false;
  return file_.Read(bytes.data(), 1, bytes.size()) == bytes.size();
}

bool PictureReader::ReadBlock(int64_t count, std::vector<uint8_t> &out) {
  if (count < 0 || count > Remaining())
    return false;
  out.resize(static_cast<size_t>(count));
  return Read(out);
}

bool PictureReader::ReadRest(int64_t limit, std::vector<uint8_t> &out) {
  const int64_t rest = Remaining();
  return rest <= limit && ReadBlock(rest, out);
}

uint8_t PictureReader::U8() {
  std::array<uint8_t, 1> b{};
  ok_ = ok_ && Read(b);
  return ok_ ? b[0] : 0;
}

uint16_t PictureReader::U16() {
  std::array<uint8_t, 2> b{};
  ok_ = ok_ && Read(b);
  return ok_ ? LittleU16(b, 0) : 0;
}

uint32_t PictureReader::U32() {
  std::array<uint8_t, 4> b{};
  ok_ = ok_ && Read(b);
  return ok_ ? LittleU32(b, 0) : 0;
}

} // namespace quorbel
