#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "platform/core/file_io.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

QString user_config_folder() {
  // Honours XDG_CONFIG_HOME and falls back to ~/.config.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// Another copy of the program writes the same file for a moment at most.
constexpr int kLockWaitMs = 5000;

}  // namespace

IniSettingsStore::IniSettingsStore(QString folder)
    : folder_(folder.isEmpty() ? user_config_folder() : std::move(folder)) {}

IniSettingsStore::~IniSettingsStore() {
  flush();
}

QString IniSettingsStore::file_path(const std::string& application) const {
  return QDir(folder_).filePath(to_qstring(application) + QStringLiteral(".ini"));
}

IniSettingsStore::File& IniSettingsStore::file_for(const std::string& application) const {
  auto found = files_.find(application);
  if (found != files_.end()) return found->second;
  File file;
  const QString path = file_path(application);
  const platform::FileRead on_disk = platform::read_file(to_path(path));
  if (on_disk.error && !on_disk.missing) {
    file.read_error = to_utf8(QDir::toNativeSeparators(path)) + ": " + *on_disk.error;
  } else {
    file.ini.load(on_disk.bytes);
  }
  return files_.emplace(application, std::move(file)).first->second;
}

std::string IniSettingsStore::get(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& default_value) const {
  const std::string* value = file_for(application).ini.find(section, key);
  return value ? *value : default_value;
}

void IniSettingsStore::set(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
  file_for(application).ini.set(section, key, value);
}

std::optional<std::string> IniSettingsStore::read_error(const std::string& application) const {
  return file_for(application).read_error;
}

void IniSettingsStore::refresh() {
  for (auto& [application, file] : files_) {
    if (file.read_error) continue;
    const platform::FileRead now = platform::read_file(to_path(file_path(application)));
    if (!now.error || now.missing) file.ini.refresh(now.bytes);
  }
}

bool IniSettingsStore::flush(const std::string& application, File& file) {
  if (!file.ini.has_changes()) return true;
  const QString path = file_path(application);
  if (!QDir().mkpath(folder_)) return false;
  QLockFile lock(path + QStringLiteral(".lock"));
  if (!lock.tryLock(kLockWaitMs)) return false;
  const std::filesystem::path target = to_path(path);
  // Under the lock no other copy is between its temporary file and its rename.
  platform::remove_stale_temporaries(target);
  const platform::FileRead now = platform::read_file(target);
  if (now.error && !now.missing) return false;  // never written over: it could not be read
  if (platform::write_file_atomic(target, file.ini.merged_over(now.bytes))) return false;
  file.ini.changes_written();
  return true;
}

bool IniSettingsStore::flush() {
  bool all_written = true;
  for (auto& [application, file] : files_) {
    all_written = flush(application, file) && all_written;
  }
  return all_written;
}

}  // namespace platform_qt
