#include "app/log_file.h"

#include "app/message_line.h"
#include "files/latin1_text.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace quorbel {

LogFile::LogFile() : path_(MakeAbsolutePath(kFileName)) {}

bool LogFile::AppendLogLine(const PanelText &text) const {
  if (!Enabled())
    return true;
  return AppendToRegularFile(path_, Utf8ToLatin1(StripLinkMarkers(text)) + '\n');
}

bool LogFile::ClearLogFile() const { return WriteFileAtomically(path_, "").Ok(); }

} // namespace quorbel
