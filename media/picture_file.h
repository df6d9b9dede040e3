// The byte streams pictures are read from: CPictureFile, and CPictureIOFile over a stdio
// stream. Every operation on a missing stream answers false, -1 or 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace quorbel {

class CPictureFile {
public:
  virtual ~CPictureFile() = default;
  virtual bool Close() = 0;
  // Items of `size` bytes read (written).
  virtual size_t Read(void *buffer, size_t size, size_t count) = 0;
  virtual size_t Write(const void *buffer, size_t size, size_t count) = 0;
  // `origin` as fseek's: SEEK_SET, SEEK_CUR or SEEK_END.
  virtual bool Seek(int64_t offset, int origin) = 0;
  virtual int64_t Tell() = 0;
  virtual int64_t Size() = 0;
  virtual bool Flush() = 0;
  virtual bool Eof() = 0;
  virtual int Error() = 0;
  virtual bool PutC(uint8_t byte) { return Write(&byte, 1, 1) == 1; }
  virtual int GetC() = 0; // -1 at the end
};

class CPictureIOFile final : public CPictureFile {
public:
  CPictureIOFile() = default;
  // Reads or writes `stream`; closes it at the end only when `owned`.
  CPictureIOFile(std::FILE *stream, bool owned) : stream_(stream), owned_(owned) {}
  ~CPictureIOFile() override { Close(); }
  CPictureIOFile(const CPictureIOFile &) = delete;
  CPictureIOFile &operator=(const CPictureIOFile &) = delete;

  // Opens `path` with fopen's `mode`, for reading only a regular file; false when it cannot be
  // opened, with the reason in OpenFailure.
  bool Open(const std::string &path, const char *mode);
  const std::string &OpenFailure() const { return openFailure_; }

  bool Close() override;
  size_t Read(void *buffer, size_t size, size_t count) override;
  size_t Write(const void *buffer, size_t size, size_t count) override;
  bool Seek(int64_t offset, int origin) override;
  int64_t Tell() override;
  int64_t Size() override;
  bool Flush() override;
  bool Eof() override;
  int Error() override;
  int GetC() override;

private:
  std::FILE *stream_ = nullptr;
  bool owned_ = false;
  std::string openFailure_;
};

// Bytes in memory read as a file: the clipboard's data and the tests' fixtures.
class CPictureMemFile final : public CPictureFile {
public:
  explicit CPictureMemFile(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

  bool Close() override { return true; }
  size_t Read(void *buffer, size_t size, size_t count) override;
  size_t Write(const void *, size_t, size_t) override { return 0; }
  bool Seek(int64_t offset, int origin) override;
  int64_t Tell() override { return position_; }
  int64_t Size() override { return static_cast<int64_t>(bytes_.size()); }
  bool Flush() override { return true; }
  bool Eof() override { return position_ >= Size(); }
  int Error() override { return 0; }
  int GetC() override;

private:
  std::vector<uint8_t> bytes_;
  int64_t position_ = 0;
};

} // namespace quorbel
