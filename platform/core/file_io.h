#pragma once
// Whole-file reads and crash-safe whole-file writes. Failures come back as the system's error
// text, ready to be shown to the user.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct FileRead {
  std::string bytes;
  std::optional<std::string> error;  // set when the file could not be read
  bool missing = false;              // the error is that there is no such file
};

// Far above any file the programs write; a larger "file" is not one of theirs.
inline constexpr std::size_t kMaxFileSize = std::size_t{64} << 20;

// Reads a whole regular file. Anything else under the name (a folder, a pipe, a device such as
// /dev/zero) is reported as unreadable without waiting on it, and so is a file larger than
// kMaxFileSize. Symbolic links to regular files are followed.
FileRead read_file(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target, so the target is either the old file or the new one, never a torn mix. On
// failure the target is untouched, no temporary file is left, and the error text is returned.
std::optional<std::string> write_file_atomic(const std::filesystem::path& path,
                                             std::string_view bytes);

// A new file beside a target, for writers that need a file of their own (a PDF printer) rather
// than bytes: made fresh, so a link planted under its name is never followed, with the target's
// mode. commit() flushes it to disk and renames it over the target (a link there is replaced,
// not followed); without a commit the file is removed when the object goes.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Why the file could not be made, or the commit failed.
  const std::optional<std::string>& error() const { return error_; }
  const std::filesystem::path& path() const { return path_; }
  int fd() const { return fd_; }
  std::optional<std::string> commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path path_;
  int fd_ = -1;
  bool committed_ = false;
  std::optional<std::string> error_;
};

// Removes what write_file_atomic leaves when a process is killed between creating its temporary
// file and renaming it (".name.XXXXXX" beside the target). Only call it while no other process
// can be writing the same target. Returns how many were removed.
int remove_stale_temporaries(const std::filesystem::path& path);

// The system's text for an errno value ("Permission denied").
std::string system_error_text(int error_number);

}  // namespace platform
