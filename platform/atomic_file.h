// Replacing a file whole: the new bytes go to a temporary file beside it, reach the disk, and
// only then take its name, so a failed or interrupted write leaves the old file as it was.
// `AtomicFile` writes as it goes (a recording); `WriteFileAtomically` writes once.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

enum class AtomicWriteFailure { None, CannotCreate, CannotWrite, CannotReplace };

struct AtomicWriteResult {
  AtomicWriteFailure Failure = AtomicWriteFailure::None;
  std::string Message; // the call that failed and the system's reason, for the log
  bool Ok() const { return Failure == AtomicWriteFailure::None; }
};

class AtomicFile {
public:
  AtomicFile() = default;
  ~AtomicFile() { Abandon(); }
  AtomicFile(const AtomicFile &) = delete;
  AtomicFile &operator=(const AtomicFile &) = delete;

  // Creates the temporary file beside `path`; a symbolic link at `path` is followed, so the
  // file it points to is the one replaced. The new file keeps the old one's permissions.
  AtomicWriteResult Open(const std::string &path);
  bool IsOpen() const { return fd_ >= 0; }
  // A failed write is remembered and fails the commit.
  void Write(std::string_view bytes);
  // Flushes to the disk and renames over the target; on failure the target is untouched.
  AtomicWriteResult Commit();
  // Drops what was written; the target is untouched.
  void Abandon();

private:
  int fd_ = -1;
  std::string target_;
  std::string temporary_;
  AtomicWriteResult result_;
};

AtomicWriteResult WriteFileAtomically(const std::string &path, std::string_view bytes);

} // namespace quorbel
