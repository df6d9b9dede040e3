#include "platform/qt/profile_store.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"
#include "platform/scratch_folder.h"

namespace quorbel {

namespace {

// QSettings writes a group named "general" in any case as "[%General]" and reads that back as
// "General", so the GENERAL section takes that spelling to survive a new run of the program.
constexpr std::string_view kGeneralSection = "GENERAL";
// Every setting of the program takes a few kilobytes: a far larger file is no settings file.
constexpr uint64_t kMostSettingsBytes = uint64_t{16} << 20;
constexpr std::string_view kScratchStem = "quorbel-settings";
constexpr const char *kCopyName = "Quorbel.ini";
// A file that is no INI text becomes "Quorbel.ini.unreadable", or "...-2" when that name is taken.
constexpr std::string_view kSetAsideSuffix = ".unreadable";
constexpr int kMostSetAsideNames = 100;

// Where QSettings would keep "QRB/Quorbel.ini" for the user.
std::string SettingsPath() {
  return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/QRB/Quorbel.ini")
      .toStdString();
}

// A file system that cannot refuse to replace is asked first whether the name is free.
bool RenameWithoutReplacing(const std::string &from, const std::string &to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return true;
  if (errno != EINVAL)
    return false;
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) {
    errno = EEXIST;
    return false;
  }
  return ::rename(from.c_str(), to.c_str()) == 0;
}

std::unique_ptr<QSettings> MakeCopy(const QTemporaryDir &scratch) {
  return std::make_unique<QSettings>(scratch.filePath(kCopyName), QSettings::IniFormat);
}

bool WriteCopy(const QString &path, const std::string &bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

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
  if (settings_->contains(path))
    return path;
  const qsizetype slash = path.indexOf(QLatin1Char('/'));
  const QString group = MatchIgnoringCase(settings_->childGroups(), path.left(slash));
  if (group.isEmpty())
    return path;
  settings_->beginGroup(group);
  const QString name = MatchIgnoringCase(settings_->childKeys(), path.mid(slash + 1));
  settings_->endGroup();
  return name.isEmpty() ? path : group + QLatin1Char('/') + name;
}

void ProfileStore::SetValue(std::string_view section, std::string_view key, const QString &value) {
  // One spelling only: a hand-written one gives way to ours.
  const QString path = KeyPath(section, key);
  if (const QString stored = StoredPath(section, key); stored != path)
    settings_->remove(stored);
  settings_->setValue(path, value);
  changed_ = true;
}

ProfileStore::ProfileStore()
    : path_(SettingsPath()),
      scratch_(QString::fromStdString(ScratchFolderPattern(QDir::tempPath().toStdString(), kScratchStem))),
      settings_(MakeCopy(scratch_)) {
  // A run killed before its end leaves its copy behind: the next one clears it away.
  RemoveLeftoverScratchFolders(QDir::tempPath().toStdString(), kScratchStem);
  struct stat info {};
  if (::lstat(path_.c_str(), &info) != 0)
    return; // a first run
  const RegularFileBytes read = ReadRegularFile(path_, kMostSettingsBytes);
  if (!read.Ok) {
    refusal_ = read.Message;
    return;
  }
  lastBytes_.assign(read.Bytes.begin(), read.Bytes.end());
  WriteCopy(settings_->fileName(), lastBytes_);
  settings_->sync();
  // QSettings parses a section's lines only when a key of it is first asked for, and only then
  // says that a line is no setting: ask for them all before judging the file.
  settings_->allKeys();
  if (settings_->status() == QSettings::FormatError)
    SetAsideUnparsedFile();
}

void ProfileStore::SetAsideUnparsedFile() {
  // The player's file is kept whole, under a name no other file has.
  std::string aside;
  bool renamed = false;
  for (int n = 1; n <= kMostSetAsideNames && !renamed; ++n) {
    aside = path_;
    aside += kSetAsideSuffix;
    if (n > 1) {
      aside += '-';
      aside += std::to_string(n);
    }
    renamed = RenameWithoutReplacing(path_, aside);
    if (!renamed && errno != EEXIST)
      break;
  }
  if (!renamed) {
    refusal_ = std::string("no settings text, and it could not be set aside: ") + std::strerror(errno);
    return;
  }
  setAside_ = aside;
  lastBytes_.clear();
  settings_.reset();
  QFile::remove(scratch_.filePath(kCopyName));
  settings_ = MakeCopy(scratch_);
}

ProfileStore::~ProfileStore() {
  if (changed_)
    Flush();
}

void ProfileStore::ReadFileIntoCopy() {
  const RegularFileBytes read = ReadRegularFile(path_, kMostSettingsBytes);
  if (!read.Ok)
    return;
  std::string bytes(read.Bytes.begin(), read.Bytes.end());
  if (bytes == lastBytes_)
    return;
  // QSettings sees its file changed and lays our changes over the new text.
  WriteCopy(settings_->fileName(), bytes);
  lastBytes_ = std::move(bytes);
}

int32_t ProfileStore::GetInt(std::string_view section, std::string_view key, int32_t fallback) {
  const QVariant value = settings_->value(StoredPath(section, key));
  if (!value.isValid())
    return fallback;
  // Read as text, as the file holds it, so that every store accepts exactly the same numbers.
  return ParseProfileInt(value.toString().toStdString()).value_or(fallback);
}

std::string ProfileStore::GetString(std::string_view section, std::string_view key,
                                    std::string_view fallback) {
  const QVariant value = settings_->value(StoredPath(section, key));
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
  if (!refusal_.empty())
    return false;
  ReadFileIntoCopy();
  settings_->sync();
  if (settings_->status() != QSettings::NoError)
    return false;
  QFile copy(settings_->fileName());
  if (!copy.open(QIODevice::ReadOnly))
    return !changed_; // nothing was ever written: there is nothing to save
  const QByteArray bytes = copy.readAll();
  std::string text(bytes.constData(), static_cast<size_t>(bytes.size()));
  if (text == lastBytes_ && QFile::exists(QString::fromStdString(path_))) {
    changed_ = false;
    return true;
  }
  QDir().mkpath(QString::fromStdString(path_.substr(0, path_.rfind('/'))));
  if (const AtomicWriteResult written = WriteFileAtomically(path_, text); !written.Ok()) {
    refusal_ = written.Failure == AtomicWriteFailure::NotAFile ? written.Message : std::string();
    return false;
  }
  lastBytes_ = std::move(text);
  changed_ = false;
  return true;
}

} // namespace quorbel
