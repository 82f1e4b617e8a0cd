#include "platform/core/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/core/file_io.h"

namespace platform {

ExclusiveLock::ExclusiveLock(const std::filesystem::path& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = system_error_text(errno);
    return;
  }
  int result = 0;
  do {
    result = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    state_ = State::kHeld;
    return;
  }
  const int error = errno;
  state_ = error == EWOULDBLOCK ? State::kHeldElsewhere : State::kUnavailable;
  if (state_ == State::kUnavailable) error_ = system_error_text(error);
  ::close(fd_);
  fd_ = -1;
}

ExclusiveLock::~ExclusiveLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace platform
