#include "platform/core/file_names.h"

namespace platform {

std::string with_default_extension(const std::string& path, const std::string& extension) {
  if (extension.empty() || path.empty()) return path;
  const auto name_start = path.find_last_of('/') + 1;  // 0 when there is no folder
  const auto dot = path.find_last_of('.');
  const bool has_extension = dot != std::string::npos && dot >= name_start && dot + 1 < path.size();
  if (has_extension) return path;
  return path + (path.back() == '.' ? "" : ".") + extension;
}

}  // namespace platform
