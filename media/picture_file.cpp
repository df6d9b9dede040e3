#include "media/picture_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/regular_file.h"

namespace quorbel {

bool CPictureIOFile::Open(const std::string &path, const char *mode) {
  Close();
  openFailure_.clear();
  // Pictures come from outside: a FIFO or a device in their place must not stop the program.
  if (mode[0] == 'r' && std::strchr(mode, '+') == nullptr)
    stream_ = OpenRegularFileStream(path, &openFailure_);
  else if (!(stream_ = std::fopen(path.c_str(), mode)))
    openFailure_ = std::strerror(errno);
  owned_ = stream_ != nullptr;
  return stream_ != nullptr;
}

bool CPictureIOFile::Close() {
  if (!stream_)
    return true;
  bool closed = true;
  if (owned_)
    closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  return closed;
}

size_t CPictureIOFile::Read(void *buffer, size_t size, size_t count) {
  return stream_ && buffer ? std::fread(buffer, size, count, stream_) : 0;
}

size_t CPictureIOFile::Write(const void *buffer, size_t size, size_t count) {
  return stream_ && buffer ? std::fwrite(buffer, size, count, stream_) : 0;
}

bool CPictureIOFile::Seek(int64_t offset, int origin) {
  return stream_ && std::fseek(stream_, static_cast<long>(offset), origin) == 0;
}

int64_t CPictureIOFile::Tell() { return stream_ ? std::ftell(stream_) : -1; }

int64_t CPictureIOFile::Size() {
  if (!stream_)
    return -1;
  const long position = std::ftell(stream_);
  if (position < 0 || std::fseek(stream_, 0, SEEK_END) != 0)
    return -1;
  const long size = std::ftell(stream_);
  std::fseek(stream_, position, SEEK_SET);
  return size;
}

bool CPictureIOFile::Flush() { return stream_ && std::fflush(stream_) == 0; }
bool CPictureIOFile::Eof() { return !stream_ || std::feof(stream_) != 0; }
int CPictureIOFile::Error() { return stream_ ? std::ferror(stream_) : -1; }
int CPictureIOFile::GetC() { return stream_ ? std::fgetc(stream_) : -1; }

size_t CPictureMemFile::Read(void *buffer, size_t size, size_t count) {
  if (!buffer || size == 0 || position_ >= Size())
    return 0;
  const size_t items = std::min(count, static_cast<size_t>(Size() - position_) / size);
  std::memcpy(buffer, bytes_.data() + position_, items * size);
  position_ += static_cast<int64_t>(items * size);
  return items;
}

bool CPictureMemFile::Seek(int64_t offset, int origin) {
  const int64_t base = origin == SEEK_CUR ? position_ : origin == SEEK_END ? Size() : 0;
  if (offset > Size() - base || base + offset < 0)
    return false;
  position_ = base + offset;
  return true;
}

int CPictureMemFile::GetC() { return position_ < Size() ? bytes_[static_cast<size_t>(position_++)] : -1; }

} // namespace quorbel
