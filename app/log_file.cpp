#include "app/log_file.h"

#include "app/message_line.h"
#include "files/latin1_text.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

#include <utility>

namespace quorbel {

LogFile::LogFile() : path_(MakeAbsolutePath(kFileName)) {}

bool LogFile::AppendLogLine(const PanelText &text) const {
  if (!Enabled())
    return true;
  std::string reason;
  if (AppendToRegularFile(path_, Utf8ToLatin1(StripLinkMarkers(text)) + '\n', &reason))
    return true;
  // Set before telling: the line that tells may come back here and fail too.
  if (tellFailure_ && !std::exchange(failureTold_, true))
    tellFailure_(path_, reason);
  return false;
}

bool LogFile::ClearLogFile() const { return WriteFileAtomically(path_, "").Ok(); }

} // namespace quorbel
