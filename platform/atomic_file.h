// Replacing a file whole: the new bytes go to a temporary file beside it, reach the disk, and
// only then take its name, so a failed or interrupted write leaves the old file as it was.
// `AtomicFile` writes as it goes (a recording); `WriteFileAtomically` writes once. Only a regular
// file is replaced, through a symbolic link if need be; a temporary left by a killed save is
// named so that the next save in its folder knows it for ours and removes it.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

enum class AtomicWriteFailure { None, NotAFile, CannotCreate, CannotWrite, CannotReplace };

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

  // Creates the temporary file beside `path`. A symbolic link at `path` is followed and kept: the
  // file it points to is the one replaced. Anything but a regular file there (a device, a FIFO,
  // a folder, a link to nothing) is refused. The new file keeps the old one's permissions and
  // owner; a new file gets the mode the user's umask gives.
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

// Removes from `folder` the temporaries of our saves whose process has ended (or, in this process,
// that no save holds any more); nothing else. Every save does it for its own folder.
void RemoveLeftoverTemporaries(const std::string &folder);

} // namespace quorbel
