#pragma once
// A fresh, uniquely named folder under the system's temporary folder, removed with all it holds
// when the object goes. Tests and benchmarks that need real files start from one of these.
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

class ScratchFolder {
 public:
  // Throws std::filesystem::filesystem_error when no folder can be made.
  explicit ScratchFolder(std::string_view prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A file's bytes as they are on disk (empty when it cannot be read), and a file made of bytes.
std::string read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
