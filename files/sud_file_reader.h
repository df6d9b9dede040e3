// Reads .sud grid files of versions 1 to 5. The whole file is parsed and checked into a
// staging copy first; only a file found sound replaces the geometry, the grid set and the
// file content. Whatever is wrong (header, length, count, index, a value out of range, a
// truncated file) comes back as a message naming the place, and nothing has changed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/file_failure.h"
#include "files/sud_file_state.h"

namespace quorbel {

struct EngineContext;

struct SudReadResult {
  bool Ok = false;
  FileFailure Failure = FileFailure::None;
  std::string Message;               // what is wrong and where, when not Ok
  std::vector<std::string> Warnings; // what was left out of a file that still loaded
  int Version = 0;
};

// The file's version from its header (1..5), 0 when it is none of ours.
int SudFileVersion(std::span<const uint8_t> bytes);

// On success the geometry, every grid slot with its reference grid, the grid-set words
// and `content` are replaced; the caller then recomputes the candidates of every grid.
SudReadResult ReadSudFile(std::span<const uint8_t> bytes, EngineContext &ctx, SudFileContent &content);

} // namespace quorbel
