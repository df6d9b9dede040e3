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

// The name among `names` that equals `wanted` but for case, or an empty string.
QString MatchIgnoringCase(const QStringList &names, const QString &wanted) {
  for (const QString &name : names)
    if (name.compare(wanted, Qt::CaseInsensitive) == 0)
      return name;
  return {};
}

} // namespace

// A file edited by hand may spell a name in any case ("QRBDebug=1"): the registry took it, and so
// do we. The exact spelling is looked up first, since it is what the program writes.
QString ProfileStore::StoredPath(std::string_view section, std::string_view key) {
  const QString path = KeyPath(section, key);
  if (settings_.contains(path))
    return path;
  const qsizetype slash = path.indexOf(QLatin1Char('/'));
  const QString group = MatchIgnoringCase(settings_.childGroups(), path.left(slash));
  if (group.isEmpty())
    return path;
  settings_.beginGroup(group);
  const QString name = MatchIgnoringCase(settings_.childKeys(), path.mid(slash + 1));
  settings_.endGroup();
  return name.isEmpty() ? path : group + QLatin1Char('/') + name;
}

void ProfileStore::SetValue(std::string_view section, std::string_view key, const QString &value) {
  // One spelling only: a hand-written one gives way to ours.
  const QString path = KeyPath(section, key);
  if (const QString stored = StoredPath(section, key); stored != path)
    settings_.remove(stored);
  settings_.setValue(path, value);
}

ProfileStore::ProfileStore() : settings_(QSettings::IniFormat, QSettings::UserScope, "QRB", "Quorbel") {}

int32_t ProfileStore::GetInt(std::string_view section, std::string_view key, int32_t fallback) {
  const QVariant value = settings_.value(StoredPath(section, key));
  if (!value.isValid())
    return fallback;
  // Read as text, as the file holds it, so that every store accepts exactly the same numbers.
  return ParseProfileInt(value.toString().toStdString()).value_or(fallback);
}

std::string ProfileStore::GetString(std::string_view section, std::string_view key,
                                    std::string_view fallback) {
  const QVariant value = settings_.value(StoredPath(section, key));
  if (!value.isValid())
    return std::string(fallback);
  return value.toString().toStdString();
}

void ProfileStore::WriteInt(std::string_view section, std::string_view key, int32_t value) {
  // Written as text: QString::number never uses the user's locale.
  SetValue(section, key, QString::number(value));
}

void ProfileStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  SetValue(section, key, QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

bool ProfileStore::Flush() {
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

} // namespace quorbel
