// Whole files in and out as bytes: reading with a size limit, and writing through a
// temporary file beside the target that replaces it only once it is complete on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_failure.h"
#include "platform/regular_file.h"

namespace quorbel {

struct FileBytesResult {
  bool Ok = false;
  FileFailure Failure = FileFailure::None;
  std::string Message; // what went wrong, for the log
  std::vector<uint8_t> Bytes;
};

struct FileWriteResult {
  FileFailure Failure = FileFailure::None;
  std::string Message; // what went wrong, for the log
  bool Ok() const { return Failure == FileFailure::None; }
};

// Refuses a file larger than `maxBytes` without reading it.
FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes);

// The same, for a file whose largest size depends on its format: a file within `maxBytes` may
// be held to less by `limitOfHead`, shown its first `headBytes` bytes (fewer in a shorter file),
// and only those are read of a file it refuses.
FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes, size_t headBytes,
                              const SizeLimitOfHead &limitOfHead);

// The old file, if any, stays untouched unless the new one was written whole; the new one
// takes the old one's permissions.
FileWriteResult WriteFileReplacing(const std::string &path, std::string_view bytes);

} // namespace quorbel
