// The settings store of the program: an INI file kept by QSettings (organisation "QRB",
// application "Quorbel", one group per section) under $XDG_CONFIG_HOME, in place of the
// registry. Section and key names are written in upper case and read in any case, as the
// registry ignored case.
// (QSettings writes the GENERAL section as "[%General]", its escape for a group of that name.)
#pragma once

#include <QSettings>

#include "platform/abstract_profile_store.h"

namespace quorbel {

class ProfileStore final : public AbstractProfileStore {
public:
  ProfileStore();

  int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) override;
  std::string GetString(std::string_view section, std::string_view key, std::string_view fallback) override;
  void WriteInt(std::string_view section, std::string_view key, int32_t value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool Flush() override;

  // The INI file's path.
  QString FileName() const { return settings_.fileName(); }

private:
  QString StoredPath(std::string_view section, std::string_view key);
  void SetValue(std::string_view section, std::string_view key, const QString &value);

  QSettings settings_;
};

} // namespace quorbel
