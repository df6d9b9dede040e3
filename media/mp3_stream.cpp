#include "media/mp3_stream.h"

#include "platform/regular_file.h"

namespace quorbel {

CMp3Stream::~CMp3Stream() { Close(); }

std::string CMp3Stream::OpenFile(const std::string &name) {
  if (file_ != nullptr)
    return "CMp3Stream::OpenFile\n\nStream already open.Close stream before!";
  if (name.empty())
    return "CMp3Stream::OpenFile\n\nNeed file name!";
  file_ = OpenRegularFileStream(name, &openFailure_);
  if (file_ == nullptr)
    return "CMp3Stream::OpenFile\n\nCan't open file!";
  if (std::fseek(file_, 0, SEEK_END) != 0 || (size_ = std::ftell(file_)) < 0 ||
      std::fseek(file_, 0, SEEK_SET) != 0) {
    Close();
    return "CMp3Stream::OpenFile\n\nCan't seek to begining!";
  }
  position_ = 0;
  return {};
}

std::string CMp3Stream::Seek(int64_t distance, Origin origin) {
  if (file_ == nullptr)
    return "CMp3Stream::Seek\n\nStream isn't open!";
  const int64_t base = origin == kBegin ? 0 : origin == kCurrent ? position_ : size_;
  const int64_t target = base + distance;
  if (target < 0 || target > size_)
    return "CMp3Stream::Seek\n\nCan't seek stream !\nlDistanceToMove out of bounds.";
  if (std::fseek(file_, static_cast<long>(target), SEEK_SET) != 0)
    return "CMp3Stream::Seek\n\nCan't seek file pointer!";
  position_ = target;
  return {};
}

std::string CMp3Stream::Read(size_t count, uint8_t *buffer, size_t &read) {
  read = 0;
  if (buffer == nullptr)
    return "CMp3Stream::Read\n\nlpBuffer can't be 0 !";
  if (file_ == nullptr || position_ > size_)
    return "CMp3Stream::Read\n\nStream pointer out of bounds !";
  read = std::fread(buffer, 1, count, file_);
  if (read < count && std::ferror(file_))
    return "CMp3Stream::Read\n\nCan't read from file";
  position_ += static_cast<int64_t>(read);
  return {};
}

void CMp3Stream::Close() {
  if (file_ != nullptr)
    std::fclose(file_);
  file_ = nullptr;
  size_ = 0;
  position_ = 0;
}

} // namespace quorbel
