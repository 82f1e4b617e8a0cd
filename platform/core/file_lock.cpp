#include "platform/core/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

ExclusiveLock::ExclusiveLock(const std::filesystem::path& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) return;
  int result = 0;
  do {
    result = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    state_ = State::kHeld;
    return;
  }
  state_ = errno == EWOULDBLOCK ? State::kHeldElsewhere : State::kUnavailable;
  ::close(fd_);
  fd_ = -1;
}

ExclusiveLock::~ExclusiveLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace platform
