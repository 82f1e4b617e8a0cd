#include <QDir>
#include <QFile>
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
  QFile on_disk(file_path(application));
  if (on_disk.open(QIODevice::ReadOnly)) {
    const QByteArray text = on_disk.readAll();
    file.sections = parse_ini(bytes_of(text));
  }
  return files_.emplace(application, std::move(file)).first->second;
}

std::string IniSettingsStore::get(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& default_value) const {
  const File& file = file_for(application);
  const auto entries = file.sections.find(section);
  if (entries == file.sections.end()) return default_value;
  const auto value = entries->second.find(key);
  return value == entries->second.end() ? default_value : value->second;
}

void IniSettingsStore::set(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
  File& file = file_for(application);
  IniSection& entries = file.sections[section];
  const auto found = entries.find(key);
  if (found != entries.end() && found->second == value) return;
  entries[key] = value;
  file.unsaved = true;
}

bool IniSettingsStore::flush() {
  bool all_written = true;
  for (auto& [application, file] : files_) {
    if (!file.unsaved) continue;
    const std::string text = format_ini(file.sections);
    const bool written = QDir().mkpath(folder_) &&
                         !platform::write_file_atomic(to_path(file_path(application)), text);
    file.unsaved = !written;
    all_written = all_written && written;
  }
  return all_written;
}

}  // namespace platform_qt
