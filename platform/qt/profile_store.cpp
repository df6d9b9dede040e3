#include "platform/qt/profile_store.h"

namespace quorbel {

namespace {

// QSettings writes a group named "general" in any case as "[%General]" and reads that back as
// "General", so the GENERAL section takes that spelling to survive a new run of the program.
constexpr std::string_view kGeneralSection = "GENERAL";

QString KeyPath(std::string_view section, std::string_view key) {
  std::string group = FoldProfileName(section);
  if (group == kGeneralSection)
    group = "General";
  return QString::fromStdString(group + "/" + FoldProfileName(key));
}

} // namespace

ProfileStore::ProfileStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "QRB", "Quorbel") {}

int32_t ProfileStore::GetInt(std::string_view section, std::string_view key, int32_t fallback) {
  const QVariant value = settings_.value(KeyPath(section, key));
  if (!value.isValid())
    return fallback;
  // Read as text, as the file holds it, so that every store accepts exactly the same numbers.
  return ParseProfileInt(value.toString().toStdString()).value_or(fallback);
}

std::string ProfileStore::GetString(std::string_view section, std::string_view key,
                                    std::string_view fallback) {
  const QVariant value = settings_.value(KeyPath(section, key));
  if (!value.isValid())
    return std::string(fallback);
  return value.toString().toStdString();
}

void ProfileStore::WriteInt(std::string_view section, std::string_view key, int32_t value) {
  // Written as text: QString::number never uses the user's locale.
  settings_.setValue(KeyPath(section, key), QString::number(value));
}

void ProfileStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  settings_.setValue(KeyPath(section, key),
                     QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool ProfileStore::Flush() {
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

} // namespace quorbel
