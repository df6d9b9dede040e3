// The music file the player reads: a file with its size and position, each failure worded.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace quorbel {

class CMp3Stream {
public:
  enum Origin { kBegin, kCurrent, kEnd };

  virtual ~CMp3Stream();
  // Each returns an empty string on success, else the failure's words.
  std::string OpenFile(const std::string &name);
  // The system's reason when OpenFile could not open the file.
  const std::string &OpenFailure() const { return openFailure_; }
  std::string Seek(int64_t distance, Origin origin);
  std::string Read(size_t count, uint8_t *buffer, size_t &read);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  int64_t Size() const { return size_; }
  int64_t Position() const { return position_; }

private:
  std::FILE *file_ = nullptr;
  std::string openFailure_;
  int64_t size_ = 0;
  int64_t position_ = 0;
};

} // namespace quorbel
