#include "platform/core/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

fs::path absolute_from_environment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || *value == '\0') return {};
  fs::path path(value);
  return path.is_absolute() ? path : fs::path();
}

}  // namespace

fs::path user_data_folder() {
  if (fs::path xdg = absolute_from_environment("XDG_DATA_HOME"); !xdg.empty()) return xdg;
  if (fs::path home = absolute_from_environment("HOME"); !home.empty())
    return home / ".local" / "share";
  return {};
}

fs::path program_folder(std::string_view program, const fs::path& executable_folder,
                        std::string_view data_file_name) {
  std::error_code ec;
  // Whatever lies there counts, a damaged file too: the load reports it rather than the program
  // quietly starting an empty logbook elsewhere.
  if (fs::exists(fs::symlink_status(executable_folder / data_file_name, ec)))
    return executable_folder;
  const fs::path data = user_data_folder();
  if (data.empty()) return executable_folder;
  const fs::path folder = data / program;
  fs::create_directories(folder, ec);  // a failure shows when the data file is created
  return folder;
}

}  // namespace platform
