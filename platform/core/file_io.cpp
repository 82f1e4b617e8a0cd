#include "platform/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace platform {

namespace fs = std::filesystem;

std::string system_error_text(int error_number) {
  return std::strerror(error_number);
}

namespace {

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { close(); }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closes now; returns false (errno set) when the close reports a failure.
  bool close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

fs::path folder_of(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The mode the new file gets: the old file's, or the usual rw-r--r-- for a new one.
mode_t mode_for(const fs::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
}

// Makes the rename itself durable; a folder that refuses fsync loses nothing already written.
void sync_folder(const fs::path& folder) {
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.ok()) ::fsync(dir.get());
}

}  // namespace

FileRead read_file(const fs::path& path) {
  FileRead result;
  // Non-blocking, so that opening a pipe does not wait for a writer.
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat st {};
  if (!fd.ok() || ::fstat(fd.get(), &st) != 0) {
    result.missing = errno == ENOENT;
    result.error = system_error_text(errno);
    return result;
  }
  if (S_ISDIR(st.st_mode)) {
    result.error = system_error_text(EISDIR);
    return result;
  }
  if (!S_ISREG(st.st_mode)) {
    result.error = "Not a regular file";
    return result;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxFileSize) {
    result.error = system_error_text(EFBIG);
    return result;
  }
  result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result.error = system_error_text(errno);
      result.bytes.clear();
      return result;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(n));
    // A file that grows while it is read is cut off at the same limit.
    if (result.bytes.size() > kMaxFileSize) {
      result.error = system_error_text(EFBIG);
      result.bytes.clear();
      return result;
    }
  }
  return result;
}

namespace {

std::string temporary_pattern(const fs::path& path) {
  return "." + path.filename().string() + ".";
}

bool is_temporary_suffix(std::string_view suffix) {
  if (suffix.size() != 6) return false;
  for (const char c : suffix) {
    const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!alnum) return false;
  }
  return true;
}

}  // namespace

int remove_stale_temporaries(const fs::path& path) {
  const std::string prefix = temporary_pattern(path);
  std::error_code ec;
  int removed = 0;
  for (fs::directory_iterator it(folder_of(path), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(prefix) ||
        !is_temporary_suffix(std::string_view(name).substr(prefix.size())))
      continue;
    std::error_code entry_ec;
    // Never through a link: only the plain files the writer itself makes.
    if (!fs::is_regular_file(it->symlink_status(entry_ec))) continue;
    if (fs::remove(it->path(), entry_ec)) ++removed;
  }
  return removed;
}

std::optional<std::string> write_file_atomic(const fs::path& path, std::string_view bytes) {
  const fs::path folder = folder_of(path);
  std::string temp = (folder / (temporary_pattern(path) + "XXXXXX")).string();
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.ok()) return system_error_text(errno);

  const bool written = ::fchmod(fd.get(), mode_for(path)) == 0 && write_all(fd.get(), bytes) &&
                       ::fsync(fd.get()) == 0 && fd.close() &&
                       ::rename(temp.c_str(), path.c_str()) == 0;
  if (!written) {
    const int error_number = errno;
    fd.close();
    ::unlink(temp.c_str());
    return system_error_text(error_number);
  }
  sync_folder(folder);
  return std::nullopt;
}

}  // namespace platform
