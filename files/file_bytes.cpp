// File reading and the replace-by-rename write in the files' terms: the platform does the work.
#include "files/file_bytes.h"

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

FileFailure FailureOf(RegularFileFailure failure) {
  switch (failure) {
  case RegularFileFailure::None:
    return FileFailure::None;
  case RegularFileFailure::CannotOpen:
    return FileFailure::CannotOpen;
  case RegularFileFailure::NotAFile:
    return FileFailure::NotAFile;
  case RegularFileFailure::TooLarge:
    return FileFailure::TooLarge;
  case RegularFileFailure::CannotRead:
    return FileFailure::CannotRead;
  }
  return FileFailure::CannotRead;
}

} // namespace

FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes) {
  return ReadFileBytes(path, maxBytes, 0, nullptr);
}

FileBytesResult ReadFileBytes(const std::string &path, uint64_t maxBytes, size_t headBytes,
                              const SizeLimitOfHead &limitOfHead) {
  RegularFileBytes read = ReadRegularFile(path, maxBytes, headBytes, limitOfHead);
  return {read.Ok, FailureOf(read.Failure), std::move(read.Message), std::move(read.Bytes)};
}

FileWriteResult WriteFileReplacing(const std::string &path, std::string_view bytes) {
  const AtomicWriteResult written = WriteFileAtomically(path, bytes);
  switch (written.Failure) {
  case AtomicWriteFailure::None:
    return {};
  case AtomicWriteFailure::NotAFile:
    return {FileFailure::NotAFile, written.Message};
  case AtomicWriteFailure::CannotCreate:
    return {FileFailure::CannotCreate, written.Message};
  case AtomicWriteFailure::CannotWrite:
    return {FileFailure::CannotWrite, written.Message};
  case AtomicWriteFailure::CannotReplace:
    return {FileFailure::CannotReplace, written.Message};
  }
  return {FileFailure::CannotWrite, written.Message};
}

} // namespace quorbel
