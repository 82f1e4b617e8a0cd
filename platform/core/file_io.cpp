#include "platform/core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

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

TemporaryFile::TemporaryFile(const fs::path& target) : target_(target) {
  std::string temp = (folder_of(target) / (temporary_pattern(target) + "XXXXXX")).string();
  // mkostemp makes a new file (O_EXCL): a link planted under the name is never followed.
  fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = system_error_text(errno);
    return;
  }
  path_ = temp;
  if (::fchmod(fd_, mode_for(target)) != 0) error_ = system_error_text(errno);
}

TemporaryFile::~TemporaryFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!path_.empty() && !committed_) ::unlink(path_.c_str());
}

std::optional<std::string> TemporaryFile::commit() {
  if (error_) return error_;
  const bool renamed = ::fsync(fd_) == 0 && ::close(std::exchange(fd_, -1)) == 0 &&
                       ::rename(path_.c_str(), target_.c_str()) == 0;
  if (!renamed) return error_ = system_error_text(errno);
  committed_ = true;
  sync_folder(folder_of(target_));
  return std::nullopt;
}

std::optional<std::string> write_file_atomic(const fs::path& path, std::string_view bytes) {
  TemporaryFile temp(path);
  if (temp.error()) return temp.error();
  if (!write_all(temp.fd(), bytes)) return system_error_text(errno);
  return temp.commit();
}

}  // namespace platform
