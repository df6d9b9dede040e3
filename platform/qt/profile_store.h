// The settings store of the program: an INI file kept by QSettings (organisation "QRB",
// application "Quorbel", one group per section) under $XDG_CONFIG_HOME, in place of the
// registry. Section and key names are written in upper case and read in any case, as the
// registry ignored case.
// (QSettings writes the GENERAL section as "[%General]", its escape for a group of that name.)
// QSettings works on a private copy: the file itself is read only when it is a regular file and
// replaced only through WriteFileAtomically, so a FIFO, a device or a link to one in its place
// neither stops the program nor is replaced. A file that is no INI text is set aside under a
// name that says so, and the store starts empty, so that the run's settings are saved.
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/abstract_profile_store.h"

namespace quorbel {

class ProfileStore final : public AbstractProfileStore {
public:
  ProfileStore();
  ~ProfileStore() override;

  int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) override;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool Flush() override;

  // The INI file's path.
  QString FileName() const { return QString::fromStdString(path_); }
  // Why the file was neither read nor will be written; empty when it is in use.
  const std::string &Refusal() const { return refusal_; }
  // Where a file that could not be parsed was set aside at start; empty when none was.
  const std::string &SetAside() const { return setAside_; }

private:
  QString StoredPath(std::string_view section, std::string_view key);
  void SetValue(std::string_view section, std::string_view key, const QString &value);

  // Takes in what another run wrote since, as QSettings does for its own file.
  void ReadFileIntoCopy();
  // Renames the unparsed file aside and starts again from an empty copy.
  void SetAsideUnparsedFile();

  std::string path_;
  std::string refusal_;
  std::string setAside_;
  std::string lastBytes_; // the file as last read or written
  QTemporaryDir scratch_;
  std::unique_ptr<QSettings> settings_;
  bool changed_ = false;
};

} // namespace quorbel
