// The log "Quorbel.sudlog" in the start directory: while logging is on (GENERAL/LOG), every
// message line is appended as "%s\n" with its link marks removed, in Latin-1.
#pragma once

#include <string>
#include <string_view>

#include "app/panel_text.h"

namespace quorbel {

class LogFile {
public:
  static constexpr std::string_view kFileName = "Quorbel.sudlog";

  // The log of the start directory; tests pass a path of their own.
  LogFile();
  explicit LogFile(std::string path) : path_(std::move(path)) {}

  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Enabled() const { return enabled_; }
  const std::string &Path() const { return path_; }

  // Appends one line when logging is on. False only when the file could not be written.
  bool AppendLogLine(const PanelText &text) const;
  bool AppendLogLine(OwnText text) const { return AppendLogLine(PanelText(text)); }
  // Empties the file. False when it could not be written.
  bool ClearLogFile() const;

private:
  std::string path_;
  bool enabled_ = false;
};

} // namespace quorbel
