// Whole files in and out as bytes: reading with a size limit, and writing through a
// temporary file beside the target that replaces it only once it is complete on disk.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

struct FileBytesResult {
  bool Ok = false;
  std::string Message; // what went wrong, naming the file
  std::vector<uint8_t> Bytes;
};

// Refuses a file larger than `maxBytes` without reading it.
FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes);

// The old file, if any, stays untouched unless the new one was written whole; the new one
// takes the old one's permissions. Empty when it worked, else what went wrong.
std::string WriteFileReplacing(const std::string &path, std::string_view bytes);

} // namespace quorbel
