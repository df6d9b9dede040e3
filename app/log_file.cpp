#include "app/log_file.h"

#include <fstream>

#include "app/message_line.h"
#include "files/latin1_text.h"
#include "platform/paths.h"

namespace quorbel {

LogFile::LogFile() : path_(MakeAbsolutePath(kFileName)) {}

bool LogFile::AppendLogLine(const PanelText &text) const {
  if (!Enabled())
    return true;
  std::ofstream file(path_, std::ios::binary | std::ios::app);
  file << Utf8ToLatin1(StripLinkMarkers(text)) << '\n';
  return static_cast<bool>(file.flush());
}

bool LogFile::ClearLogFile() const {
  std::ofstream file(path_, std::ios::binary | std::ios::trunc);
  return static_cast<bool>(file);
}

} // namespace quorbel
