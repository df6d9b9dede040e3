// The log "Quorbel.sudlog" in the start directory: while logging is on (GENERAL/LOG), every
// message line is appended as "%s\n" with its link marks removed, in Latin-1.
#pragma once

#include <cstdint>
#include <functional>
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
  // From now on the log is on while `flag` (GENERAL/LOG, say) holds 1, so that a change of the
  // setting takes effect at the next line.
  void FollowSwitch(const int32_t *flag) { switch_ = flag; }
  bool Enabled() const { return switch_ ? *switch_ == 1 : enabled_; }
  const std::string &Path() const { return path_; }

  // Told once per log, at the first line that could not be written, with the path and the reason:
  // the lines that follow are dropped as quietly as before, so the player hears it once.
  void TellFirstFailure(std::function<void(const std::string &path, const std::string &reason)> tell) {
    tellFailure_ = std::move(tell);
  }

  // Appends one line when logging is on. False only when the file could not be written.
  bool AppendLogLine(const PanelText &text) const;
  bool AppendLogLine(OwnText text) const { return AppendLogLine(PanelText(text)); }
  // Empties the file. False when it could not be written.
  bool ClearLogFile() const;

private:
  std::string path_;
  bool enabled_ = false;
  const int32_t *switch_ = nullptr;
  std::function<void(const std::string &, const std::string &)> tellFailure_;
  mutable bool failureTold_ = false; // AppendLogLine stays const for its many callers
};

} // namespace quorbel
