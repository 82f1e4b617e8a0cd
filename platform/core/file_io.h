#pragma once
// Whole-file reads and crash-safe whole-file writes. Failures come back as the system's error
// text, ready to be shown to the user.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct FileRead {
  std::string bytes;
  std::optional<std::string> error;  // set when the file could not be read
};

FileRead read_file(const std::filesystem::path& path);

// Writes the bytes to a temporary file in the target's folder, flushes it to disk and renames it
// over the target, so the target is either the old file or the new one, never a torn mix. On
// failure the target is untouched, no temporary file is left, and the error text is returned.
std::optional<std::string> write_file_atomic(const std::filesystem::path& path,
                                             std::string_view bytes);

// The system's text for an errno value ("Permission denied").
std::string system_error_text(int error_number);

}  // namespace platform
